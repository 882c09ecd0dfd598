#include "engine/el/elSound.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "engine/el/Mixer.h"
#include "engine/el/Wave.h"
#include "engine/el/elSystem.h"
#include "foundation/EncodedFile.h"
#include "foundation/TextEncoding.h"

namespace elSound {
namespace {

constexpr const char* kContext = "elSound::LoadObject";

struct Copy {
    bool present = false;
    int volume = 0;
    int pan = 0;
    int frequency = 0;
};

struct Slot {
    bool used = false;
    int copyCount = 1;
    int nextCopy = 0;
    int defaultFrequency = 0;
    std::string name;
    std::array<Copy, kMaxCopies> copies{};
};

bool g_available = false;
std::array<Slot, kSoundCount> g_slots;

el::Mixer& Mix() { return el::OutputMixer(); }

Slot* UsedSlot(int sound) {
    if (!g_available || sound < 0 || sound >= kSoundCount) return nullptr;
    Slot& s = g_slots[sound];
    return s.used ? &s : nullptr;
}

Copy* PresentCopy(Slot& s, int copy) {
    if (copy < 0 || copy >= s.copyCount) return nullptr;
    return s.copies[copy].present ? &s.copies[copy] : nullptr;
}

// Runs `fn(copy index)` over the copies a setter's selector names: -1 every copy, -2 the next
// copy, 0..9 that copy.
template <typename Fn>
void ForSelected(Slot& s, int copy, Fn fn) {
    if (copy == kEveryCopy) {
        for (int c = 0; c < s.copyCount; ++c)
            if (s.copies[c].present) fn(c);
    } else if (copy == kNextCopy) {
        if (PresentCopy(s, s.nextCopy)) fn(s.nextCopy);
    } else if (PresentCopy(s, copy)) {
        fn(copy);
    }
}

void ApplyVolume(int sound, Slot& s, int c, int volume) {
    s.copies[c].volume = volume;
    Mix().SetVolume(VoiceOf(sound, c), volume);
}
void ApplyPan(int sound, Slot& s, int c, int pan) {
    s.copies[c].pan = pan;
    Mix().SetPan(VoiceOf(sound, c), pan);
}
void ApplyFrequency(int sound, Slot& s, int c, int hz) {
    s.copies[c].frequency = hz;
    Mix().SetFrequency(VoiceOf(sound, c), hz);
}

std::string GamePath(const std::string& name) { return GetReadPath(name); }

bool ReadFile(const std::string& path, std::vector<uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

void ClearTables() {
    for (Slot& s : g_slots) s = Slot{};
}

}  // namespace

int VoiceOf(int sound, int copy) {
    if (sound < 0 || sound >= kSoundCount || copy < 0 || copy >= kMaxCopies) return -1;
    return sound * kMaxCopies + copy;
}

bool Init() {
    ClearTables();
    el::StartAudioOutput();
    Mix().ClearAllVoices();
    g_available = true;
    return true;
}

void End() {
    if (g_available) {
        for (int sound = 0; sound < kSoundCount; ++sound) {
            if (!g_slots[sound].used) continue;
            for (int c = 0; c < kMaxCopies; ++c) {
                Mix().Stop(VoiceOf(sound, c));
                Mix().ClearVoice(VoiceOf(sound, c));
            }
        }
    }
    ClearTables();
    g_available = false;
    el::StopAudioOutput();
}

bool IsAvailable() { return g_available; }

int LoadObject(const std::string& name, int copies) {
    if (!g_available) return -1;
    if (copies >= kMaxCopies + 1) {
        elSystem::Error(kContext, "ミックス数が多過ぎます");
        return -1;
    }
    // Zero or negative copies would leave the round robin with nothing to turn over.
    copies = std::max(copies, 1);

    int sound = -1;
    for (int i = 0; i < kSoundCount; ++i) {
        if (!g_slots[i].used) {
            sound = i;
            break;
        }
    }
    if (sound < 0) {
        elSystem::Error(kContext, "オブジェクト数が多過ぎます");
        return -1;
    }

    std::vector<uint8_t> bytes;
    el::WaveFile wave;
    if (!ReadFile(GamePath(name), bytes) || !el::ParseWave(bytes.data(), bytes.size(), wave)) {
        elSystem::Error(kContext, "WAVEリソースが見つかりません");
        return -1;
    }
    bytes.clear();
    if (!el::WaveIsPlayable(wave)) {
        elSystem::Error(kContext, "サウンドバッファが生成できません");
        return -1;
    }
    // A name that can't be kept for reloading fails before the slot is taken.
    if (Cp932Length(name) > static_cast<size_t>(kMaxNameLength)) {
        elSystem::Error(kContext, "ファイル名またはリソース名が長すぎます");
        return -1;
    }

    auto data = std::make_shared<const el::SampleData>(el::ConvertWave(wave));
    Slot& s = g_slots[sound];
    s = Slot{};
    s.copyCount = copies;
    s.nextCopy = 0;
    s.defaultFrequency = data->rate;
    for (int c = 0; c < copies; ++c) {
        Mix().SetVoiceData(VoiceOf(sound, c), data);
        s.copies[c] = Copy{true, 0, 0, data->rate};
    }
    s.used = true;
    s.name = name;
    return sound;
}

void Play(int sound, int copy) {
    Slot* s = UsedSlot(sound);
    if (!s) return;
    if (copy >= 0) {
        if (PresentCopy(*s, copy)) Mix().Play(VoiceOf(sound, copy));
        return;
    }
    const int c = s->nextCopy;
    if (copy == kNextCopy && s->copyCount > 1 && PresentCopy(*s, c)) {
        ApplyFrequency(sound, *s, c, s->defaultFrequency);
        ApplyPan(sound, *s, c, 0);
        ApplyVolume(sound, *s, c, 0);
    }
    if (PresentCopy(*s, c)) Mix().Play(VoiceOf(sound, c));  // stops, rewinds and plays once
    s->nextCopy = c + 1;
    if (s->nextCopy >= s->copyCount) s->nextCopy = 0;
}

void Stop(int sound, int copy) {
    Slot* s = UsedSlot(sound);
    if (!s) return;
    if (copy >= 0) {
        if (PresentCopy(*s, copy)) Mix().Stop(VoiceOf(sound, copy));
        return;
    }
    for (int c = 0; c < s->copyCount; ++c)
        if (s->copies[c].present) Mix().Stop(VoiceOf(sound, c));
}

void SetVolume(int sound, int decibels, int copy) {
    Slot* s = UsedSlot(sound);
    if (!s) return;
    const long long v = static_cast<long long>(decibels) * 100;
    const int volume = static_cast<int>(std::clamp<long long>(v, -10000, 0));
    ForSelected(*s, copy, [&](int c) { ApplyVolume(sound, *s, c, volume); });
}

void SetPan(int sound, int pan, int copy) {
    Slot* s = UsedSlot(sound);
    if (!s) return;
    const int p = std::clamp(pan, -10000, 10000);
    ForSelected(*s, copy, [&](int c) { ApplyPan(sound, *s, c, p); });
}

void SetFrequency(int sound, int hz, int copy) {
    Slot* s = UsedSlot(sound);
    if (!s) return;
    const int f = std::clamp(hz, 100, 100000);
    ForSelected(*s, copy, [&](int c) { ApplyFrequency(sound, *s, c, f); });
}

void ResetVolume(int sound, int copy) {
    Slot* s = UsedSlot(sound);
    if (!s) return;
    ForSelected(*s, copy, [&](int c) { ApplyVolume(sound, *s, c, 0); });
}

void ResetPan(int sound, int copy) {
    Slot* s = UsedSlot(sound);
    if (!s) return;
    ForSelected(*s, copy, [&](int c) { ApplyPan(sound, *s, c, 0); });
}

void ResetFrequency(int sound, int copy) {
    Slot* s = UsedSlot(sound);
    if (!s) return;
    ForSelected(*s, copy, [&](int c) { ApplyFrequency(sound, *s, c, s->defaultFrequency); });
}

bool IsUsed(int sound) { return sound >= 0 && sound < kSoundCount && g_slots[sound].used; }
int GetCopyCount(int sound) { return sound >= 0 && sound < kSoundCount ? g_slots[sound].copyCount : 0; }
int GetNextCopy(int sound) { return sound >= 0 && sound < kSoundCount ? g_slots[sound].nextCopy : 0; }
int GetDefaultFrequency(int sound) {
    return sound >= 0 && sound < kSoundCount ? g_slots[sound].defaultFrequency : 0;
}
std::string GetName(int sound) { return sound >= 0 && sound < kSoundCount ? g_slots[sound].name : ""; }

int GetVolume(int sound, int copy) {
    const int voice = VoiceOf(sound, copy);
    return voice < 0 ? 0 : g_slots[sound].copies[copy].volume;
}
int GetPan(int sound, int copy) {
    const int voice = VoiceOf(sound, copy);
    return voice < 0 ? 0 : g_slots[sound].copies[copy].pan;
}
int GetFrequency(int sound, int copy) {
    const int voice = VoiceOf(sound, copy);
    return voice < 0 ? 0 : g_slots[sound].copies[copy].frequency;
}
bool IsPlaying(int sound, int copy) {
    const int voice = VoiceOf(sound, copy);
    return voice >= 0 && IsUsed(sound) && Mix().IsPlaying(voice);
}

}  // namespace elSound
