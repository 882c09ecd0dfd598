#pragma once
// The sound layer: short sounds in 100 numbered slots, each with 1 to 10 independent copies so a
// sound can overlap itself. Copies play once from their start and carry their own volume
// (hundredths of a decibel, 0 full, -10000 silent), pan (-10000 left .. 10000 right) and
// frequency (Hz). WAVE files (PCM, 8 or 16 bits, mono or stereo, any rate) are read from the
// game folder and mixed in software into the audio output. Without an output every call does
// nothing and loading answers -1. Failures go through elSystem::Error with the context
// "elSound::LoadObject". Game-thread API; the mixing runs on the audio thread.
#include <string>

namespace elSound {

inline constexpr int kSoundCount = 100;
inline constexpr int kMaxCopies = 10;
inline constexpr int kMaxNameLength = 30;  // bytes in the game's encoding

// Copy selectors of Play, Stop and the setters.
inline constexpr int kEveryCopy = -1;  // setters: every copy; Play: the next copy
inline constexpr int kNextCopy = -2;   // setters: the next copy; Play: the next copy, reset first

// Starts the output (silent when no device opens) and clears the tables; true.
bool Init();
// Stops and releases every copy of every used sound and the output.
void End();
bool IsAvailable();

// Loads the WAVE file (relative to the game folder, '\' or '/') with that many copies into the
// first free slot. The sound number, or -1 on failure.
int LoadObject(const std::string& name, int copies);

// copy 0..9 plays that copy from its start; -1 the next copy (round robin); -2 the same after
// resetting that copy's frequency, pan and volume when the sound has several copies.
void Play(int sound, int copy);
// copy 0..9 stops and rewinds that copy; a negative copy every copy.
void Stop(int sound, int copy);
// Volume := decibels x 100, kept within -10000..0.
void SetVolume(int sound, int decibels, int copy);
// Pan within -10000..10000.
void SetPan(int sound, int pan, int copy);
// Frequency in Hz within 100..100000.
void SetFrequency(int sound, int hz, int copy);
void ResetVolume(int sound, int copy);
void ResetPan(int sound, int copy);
// Back to the sound's default frequency (the file's rate).
void ResetFrequency(int sound, int copy);

// ---- State, for the engine's users and tests ----
bool IsUsed(int sound);
int GetCopyCount(int sound);  // 1 until loaded
int GetNextCopy(int sound);
int GetDefaultFrequency(int sound);
std::string GetName(int sound);
int GetVolume(int sound, int copy);
int GetPan(int sound, int copy);
int GetFrequency(int sound, int copy);
bool IsPlaying(int sound, int copy);
// The mixer voice of a copy (sound x 10 + copy), -1 out of range.
int VoiceOf(int sound, int copy);

}  // namespace elSound
