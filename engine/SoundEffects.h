#pragma once
// The game's sound effects: a fixed table of 92 WAVE files under "sound", loaded one by one by
// the loading scene into numbered slots and played anywhere by slot number.
#include <string>

#include "engine/SoundIds.h"
#include "foundation/Singleton.h"

class CSoundEffects : public CSingleton<CSoundEffects> {
  public:
    static constexpr int kSlotCount = 100;
    static constexpr int kFileCount = 92;

    // Loads the next file of the table and returns its path; "" once all 92 are loaded.
    std::string LoadNext();
    // Load counter x 100 / 92.
    int GetLoadPercent() const;
    int GetLoadCount() const { return count_; }
    bool IsLoaded(int slot) const { return slot >= 0 && slot < kSlotCount && loaded_[slot]; }
    // True while the slot's sound is playing.
    bool IsPlaying(int slot) const;
    int GetHandle(int slot) const { return slot >= 0 && slot < kSlotCount ? handles_[slot] : -1; }

    void Play(int slot);
    void Stop(int slot);
    void SetVolume(int setting);
    void StopAll();
    // Everything stopped, the client info's volume applied again.
    void Reset();

    // The path of the file of a slot ("" for slots 92..99).
    static std::string FileOf(int slot);
    // The level in decibels for a volume setting: 0 at full, -100 for silence.
    static int VolumeLevel(int setting);

  private:
    friend class CSingleton<CSoundEffects>;
    CSoundEffects();
    int handles_[kSlotCount];
    bool loaded_[kSlotCount];
    int count_ = 0;
};

// `slot` is one of the SoundId names.
void PlaySE(int slot);
void StopSE(int slot);
void SetSEVolume(int setting);
