#pragma once
// The audio output device. The engine's mixer fills a stereo float stream at the device's rate;
// with a window the stream goes to the default SDL audio device, pulled on SDL's audio thread.
// Headless nothing is opened: the engine is pulled by whoever reads the mix (the tests).
#include <functional>

namespace plat {

// Fills `frames` frames of interleaved stereo float samples (-1..1). Called on the audio thread.
using AudioCallback = std::function<void(float* stereo, int frames)>;

// The rate used when no device is open.
constexpr int kHeadlessAudioRate = 44100;

// Headless mode: -1 (the default) decides at start: a device is opened only when the running
// backend has a window. 0 always opens a device, 1 never does.
void SetAudioHeadless(int mode);
bool AudioIsHeadless();

// Starts the output and reports the rate the callback must produce. Headless it opens nothing,
// keeps no callback and succeeds with kHeadlessAudioRate. False when the device can't be opened.
bool StartAudio(AudioCallback callback, int* rate);
// Closes the device (waiting for a running callback to return). Safe to call when not started.
void StopAudio();
// True while a real device is open.
bool AudioDeviceOpen();

}  // namespace plat
