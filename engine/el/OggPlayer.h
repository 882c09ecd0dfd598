#pragma once
// The music output: an Ogg Vorbis player that decodes one file at a time into the shared audio
// output, with a loop count, a volume and a playing state. Headless nothing is heard, but the
// player still advances whenever the mix is pulled, so playing, stopping and loop counting work.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/el/Mixer.h"

namespace el {

class OggPlayer : public MixStream {
  public:
    // Loops that mean "repeat without end" as far as anyone can tell.
    static constexpr int kEndless = 999999;

    // Plays through the given mixer (not owned; it must outlive the player).
    explicit OggPlayer(Mixer& mixer);
    ~OggPlayer() override;
    OggPlayer(const OggPlayer&) = delete;
    OggPlayer& operator=(const OggPlayer&) = delete;

    // Opens an Ogg Vorbis file (UTF-8 path), stopping and closing the previous one. False when the
    // file can't be read or isn't Ogg Vorbis; nothing is open then and Play does nothing.
    bool Open(const std::string& path);
    // Plays the open file from its start: once, then `loop count` more times.
    void Play();
    // Stops; the next Play starts from the beginning again.
    void Stop();
    // Repeats after the first pass: 0 plays once; kEndless and more repeat without end. Negative
    // counts play once.
    void SetLoopCount(int loops);
    void SetVolume(float volume);  // 0.0 .. 1.0, linear
    float GetVolume() const;
    // Stops, closes the file and leaves the mixer; the player is unusable afterwards.
    void Release();
    // 1 while playing, else 0.
    int IsPlaying() const;

    // How many passes have ended since Play (for tests).
    int CompletedPasses() const;

    void MixAdd(float* out, int frames, int rate) override;

  private:
    struct Decoder;
    void CloseLocked();

    Mixer* mixer_;
    bool attached_ = false;
    mutable std::mutex mutex_;
    std::unique_ptr<Decoder> decoder_;
    bool playing_ = false;
    int loops_ = kEndless;
    int passes_ = 0;
    float volume_ = 1.0f;
    // Decoded frames waiting to be resampled (stereo, at the file's rate).
    std::vector<float> pending_;
    size_t pendingRead_ = 0;
    double phase_ = 0.0;     // fraction between the first two pending frames
    size_t passFrames_ = 0;  // frames decoded in the current pass
    bool drained_ = false;   // the last pass has been decoded completely
};

// A player on the shared output, starting the output first (silent when no device opens).
std::unique_ptr<OggPlayer> CreateOggPlayer();

}  // namespace el
