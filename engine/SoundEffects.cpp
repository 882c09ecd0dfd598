#include "engine/SoundEffects.h"

#include <cmath>

#include "engine/el/elSound.h"
#include "foundation/ClientInfo.h"

namespace {
const char* const kFiles[CSoundEffects::kFileCount] = {
    "sound\\otojiten\\ok001.wav",     "sound\\otojiten\\ok002.wav",     "sound\\otojiten\\ok003.wav",
    "sound\\otojiten\\ok004.wav",     "sound\\otojiten\\cancel001.wav", "sound\\otojiten\\cursor001.wav",
    "sound\\otojiten\\cursor002.wav", "sound\\otojiten\\cap001.wav",    "sound\\original\\network001.wav",
    "sound\\otojiten\\ng001.wav",     "sound\\otojiten\\attack001.wav", "sound\\otojiten\\attack002.wav",
    "sound\\otojiten\\attack003.wav", "sound\\otojiten\\attack004.wav", "sound\\otojiten\\attack005.wav",
    "sound\\otojiten\\attack006.wav", "sound\\otojiten\\attack007.wav", "sound\\otojiten\\attack008.wav",
    "sound\\otojiten\\attack009.wav", "sound\\otojiten\\bomb001.wav",   "sound\\otojiten\\brake001.wav",
    "sound\\otojiten\\dash001.wav",   "sound\\otojiten\\dash002.wav",   "sound\\otojiten\\down001.wav",
    "sound\\otojiten\\flash001.wav",  "sound\\otojiten\\guard001.wav",  "sound\\otojiten\\ice001.wav",
    "sound\\original\\jump001.wav",   "sound\\otojiten\\jump002.wav",   "sound\\otojiten\\jump003.wav",
    "sound\\otojiten\\shock001.wav",  "sound\\otojiten\\shock002.wav",  "sound\\otojiten\\water001.wav",
    "sound\\original\\death001.wav",  "sound\\otojiten\\water002.wav",  "sound\\otojiten\\death002.wav",
    "sound\\otojiten\\attack010.wav", "sound\\original\\bomb002.wav",   "sound\\original\\ice002.wav",
    "sound\\otojiten\\shock003.wav",  "sound\\otojiten\\shock004.wav",  "sound\\otojiten\\step001.wav",
    "sound\\otojiten\\jump004.wav",   "sound\\otojiten\\throw001.wav",  "sound\\original\\goal001.wav",
    "sound\\original\\door001.wav",   "sound\\otojiten\\door002.wav",   "sound\\otojiten\\door003.wav",
    "sound\\otojiten\\fall001.wav",   "sound\\original\\shock005.wav",  "sound\\otojiten\\item001.wav",
    "sound\\original\\item002.wav",   "sound\\original\\ice003.wav",    "sound\\original\\ice004.wav",
    "sound\\otojiten\\damage001.wav", "sound\\otojiten\\charge001.wav", "sound\\otojiten\\magic001.wav",
    "sound\\otojiten\\magic002.wav",  "sound\\otojiten\\magic003.wav",  "sound\\otojiten\\beam001.wav",
    "sound\\otojiten\\flash002.wav",  "sound\\otojiten\\jump005.wav",   "sound\\original\\ball001.wav",
    "sound\\original\\ball002.wav",   "sound\\original\\ball003.wav",   "sound\\original\\ball004.wav",
    "sound\\original\\ball005.wav",   "sound\\original\\gun001.wav",    "sound\\original\\fall001.wav",
    "sound\\original\\wind001.wav",   "sound\\otojiten\\shock005.wav",  "sound\\otojiten\\guard002.wav",
    "sound\\otojiten\\magic004.wav",  "sound\\otojiten\\fire001.wav",   "sound\\otojiten\\switch001.wav",
    "sound\\original\\tri001.wav",    "sound\\original\\timer001.wav",  "sound\\original\\timer002.wav",
    "sound\\original\\rain001.wav",   "sound\\original\\wind002.wav",   "sound\\original\\fanfare001.wav",
    "sound\\original\\brake002.wav",  "sound\\original\\brake003.wav",  "sound\\original\\thunder001.wav",
    "sound\\original\\gun002.wav",    "sound\\otojiten\\gun003.wav",    "sound\\otojiten\\gun004.wav",
    "sound\\otojiten\\gun005.wav",    "sound\\otojiten\\dark001.wav",   "sound\\otojiten\\ice005.wav",
    "sound\\original\\start001.wav",  "sound\\otojiten\\ok005.wav",
};
static_assert(SoundId::kOk5 == CSoundEffects::kFileCount - 1, "every file of the table has a name");
}  // namespace

CSoundEffects::CSoundEffects() {
    for (int i = 0; i < kSlotCount; ++i) {
        handles_[i] = -1;
        loaded_[i] = false;
    }
}

std::string CSoundEffects::FileOf(int slot) {
    return slot >= 0 && slot < kFileCount ? kFiles[slot] : std::string();
}

std::string CSoundEffects::LoadNext() {
    if (count_ >= kFileCount) return std::string();
    std::string path = kFiles[count_];
    handles_[count_] = elSound::LoadObject(path, 1);
    loaded_[count_] = true;
    ++count_;
    SetVolume(CClientInfo::GetInstance()->GetSoundEffectVolume());
    return path;
}

int CSoundEffects::GetLoadPercent() const {
    if (count_ >= kFileCount) return 100;
    return count_ * 100 / kFileCount;
}

void CSoundEffects::Play(int slot) {
    if (IsLoaded(slot)) elSound::Play(handles_[slot], -1);
}

bool CSoundEffects::IsPlaying(int slot) const {
    return IsLoaded(slot) && elSound::IsPlaying(handles_[slot], 0);
}

void CSoundEffects::Stop(int slot) {
    if (IsLoaded(slot)) elSound::Stop(handles_[slot], -1);
}

int CSoundEffects::VolumeLevel(int setting) {
    double v = setting * 0.0068;
    if (v < 0) v = 0;
    if (v > 1) v = 1;
    double level = std::sqrt(v) * 40.0 - 40.0;
    if (level <= -40.0) level = -100.0;
    return static_cast<int>(level);
}

void CSoundEffects::SetVolume(int setting) {
    const int level = VolumeLevel(setting);
    for (int i = 0; i < kSlotCount; ++i)
        if (loaded_[i]) elSound::SetVolume(handles_[i], level, -1);
}

void CSoundEffects::StopAll() {
    for (int i = 0; i < kSlotCount; ++i)
        if (loaded_[i]) elSound::Stop(handles_[i], -1);
}

void CSoundEffects::Reset() {
    StopAll();
    SetVolume(CClientInfo::GetInstance()->GetSoundEffectVolume());
}

void PlaySE(int slot) { CSoundEffects::GetInstance()->Play(slot); }
void StopSE(int slot) { CSoundEffects::GetInstance()->Stop(slot); }
void SetSEVolume(int setting) { CSoundEffects::GetInstance()->SetVolume(setting); }
