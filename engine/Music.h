#pragma once
// The music catalogue (ids 0 "NoMusic" to 18 "Ending") and the music player: one piece at a
// time from the Ogg files under "music", changed at once or with a fade-out of the old piece
// and/or a fade-in of the new one, the fades advanced once a frame.
#include <functional>
#include <memory>
#include <string>

#include "engine/SoundIds.h"
#include "foundation/Singleton.h"

inline constexpr int kMusicCount = 19;

// ---- Catalogue ----
std::string MusicDisplayName(int id);        // "" outside the table
std::string MusicFileName(int id);           // "" outside the table
std::string MusicKey(int id);                // "NoMusic" outside the table
int MusicIdFromKey(const std::string& key);  // 0 for an unknown key
int MusicIdToStageNumber(int id);            // 0 outside the table
int MusicIdFromStageNumber(int number);      // 0 for an unknown number
bool IsMusicShopItem(int id);

// The music output: the eight operations the player uses.
class IMusicOutput {
  public:
    virtual ~IMusicOutput() = default;
    virtual void Open(const std::string& path) = 0;
    virtual void Play() = 0;
    virtual void Stop() = 0;
    virtual void SetLoopCount(int loops) = 0;
    virtual void SetVolume(float volume) = 0;
    virtual float GetVolume() = 0;
    virtual void Release() = 0;
    virtual int IsPlaying() = 0;
};

// Deleting the player shuts it down first.
class CMusicPlayer : public CSingleton<CMusicPlayer> {
  public:
    static constexpr int kEndless = 999999;

    // Creates the player on first use; throws CDllException "DLE0001" whenever no music output
    // could be made (the player without output stays in place). A machine without an audio
    // device gets a silent output, not this error.
    static CMusicPlayer* GetInstance();
    // How the output is made (tests install their own); an empty function restores the Ogg
    // player on the shared audio output.
    using OutputFactory = std::function<std::unique_ptr<IMusicOutput>()>;
    static void SetOutputFactory(OutputFactory factory);

    void Play(int id, int loops, float factor, bool fadeIn, bool fadeOut);
    void SetVolume(float percent);
    void Update();
    void Reset();
    void Shutdown();

    int GetCurrentMusic() const { return current_; }
    int GetPendingMusic() const { return pending_; }
    bool IsLibraryLoaded() const { return loaded_; }
    bool IsFadingIn() const { return fadingIn_; }
    bool IsFadingOut() const { return fadingOut_; }
    bool WillFadeInAfterFadeOut() const { return fadeInAfterFadeOut_; }
    double GetLevel() const { return level_; }
    double GetTargetVolume() const { return target_; }
    float GetMasterVolume() const { return master_; }
    int GetLoopCount() const { return loops_; }
    IMusicOutput* GetOutput() const { return output_.get(); }

  private:
    friend class CSingleton<CMusicPlayer>;
    CMusicPlayer();
    ~CMusicPlayer() { Shutdown(); }
    void LoadMusic(int id);
    void InitialState();

    std::unique_ptr<IMusicOutput> output_;
    bool loaded_ = false;
    int current_ = 0;
    int pending_ = 0;
    float master_ = 1.0f;
    double level_ = 0;
    double target_ = 1.0;
    float factor_ = 1.0f;  // the volume factor of the last request
    int loops_ = kEndless;
    bool fadingIn_ = false, fadingOut_ = false, fadeInAfterFadeOut_ = false;
};

// Requests a piece (one of the MusicId names): nothing when it is the current or the pending
// one (but a request for the piece that is fading out takes it back, see CMusicPlayer::Play).
void PlayMusic(int id, int loops = CMusicPlayer::kEndless, float factor = 1.0f, bool fadeIn = false,
               bool fadeOut = false);
// Master volume = percent x 0.01, clamped to 0..1.
void SetMusicVolume(float percent);
