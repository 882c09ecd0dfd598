#pragma once
// The software mixer behind the sound layer and the music player: 1000 voices (100 sounds of up to
// 10 copies each) of sample data played once from their start, plus streams (the music) mixed
// after them. The audio device pulls the mix on its own thread; headless, tests pull it with
// MixInto. One mutex inside guards everything the two threads share.
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/el/Wave.h"

namespace el {

// A source mixed after the voices, such as the music player.
class MixStream {
  public:
    virtual ~MixStream() = default;
    // Adds `frames` stereo frames at `rate` Hz into `out`. Called with the mixer's lock held.
    virtual void MixAdd(float* out, int frames, int rate) = 0;
};

// Gain of a volume in hundredths of a decibel (0 full, -10000 silent).
float VolumeToGain(int hundredthsDb);

class Mixer {
  public:
    static constexpr int kVoices = 1000;

    explicit Mixer(int rate = 44100);

    void SetRate(int rate);
    int Rate() const;

    // Gives a voice its sample data (stopped, rewound, volume 0, pan 0, frequency = the data's rate).
    void SetVoiceData(int voice, std::shared_ptr<const SampleData> data);
    void ClearVoice(int voice);
    void ClearAllVoices();

    // Plays the voice once from its start (a sounding voice restarts).
    void Play(int voice);
    // Stops the voice and rewinds it.
    void Stop(int voice);
    void SetVolume(int voice, int hundredthsDb);  // -10000..0
    void SetPan(int voice, int pan);              // -10000 (left) .. 10000 (right)
    void SetFrequency(int voice, int hz);         // playback rate of the data

    bool IsPlaying(int voice) const;
    // The play position in frames of the voice's data.
    double Position(int voice) const;

    void AddStream(MixStream* stream);
    // After it returns the stream is no longer called.
    void RemoveStream(MixStream* stream);

    // Writes `frames` frames of interleaved stereo (overwriting `out`), advancing every voice.
    void MixInto(float* out, int frames);
    void MixInto(int16_t* out, int frames);

  private:
    struct Voice {
        std::shared_ptr<const SampleData> data;
        bool playing = false;
        double position = 0.0;
        int volume = 0;
        int pan = 0;
        int frequency = 0;
    };
    static bool Valid(int voice) { return voice >= 0 && voice < kVoices; }
    void MixVoice(Voice& v, float* out, int frames);

    mutable std::mutex mutex_;
    int rate_;
    std::vector<Voice> voices_;
    std::vector<MixStream*> streams_;
};

// The process-wide output: one mixer, fed to the audio device or, headless, pulled by MixInto.
Mixer& OutputMixer();
// Starts the output once (later calls answer whether it runs). When no device opens (no sound
// server, a machine without sound) the output starts silent, like a headless one, and the log
// says so in one line: the game plays on without sound.
void StartAudioOutput();
void StopAudioOutput();
bool AudioOutputStarted();
// True while the output runs without the device it asked for.
bool AudioOutputSilent();

}  // namespace el
