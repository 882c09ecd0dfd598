#include "engine/el/Mixer.h"

#include <algorithm>
#include <cmath>

#include "foundation/Log.h"
#include "platform/audio.h"

namespace el {

float VolumeToGain(int hundredthsDb) {
    if (hundredthsDb <= -10000) return 0.0f;
    if (hundredthsDb >= 0) return 1.0f;
    return static_cast<float>(std::pow(10.0, hundredthsDb / 2000.0));
}

Mixer::Mixer(int rate) : rate_(rate > 0 ? rate : 44100), voices_(kVoices) {}

void Mixer::SetRate(int rate) {
    std::lock_guard lock(mutex_);
    if (rate > 0) rate_ = rate;
}

int Mixer::Rate() const {
    std::lock_guard lock(mutex_);
    return rate_;
}

void Mixer::SetVoiceData(int voice, std::shared_ptr<const SampleData> data) {
    if (!Valid(voice)) return;
    std::lock_guard lock(mutex_);
    Voice& v = voices_[voice];
    v = Voice{};
    v.frequency = data ? data->rate : 0;
    v.data = std::move(data);
}

void Mixer::ClearVoice(int voice) {
    if (!Valid(voice)) return;
    std::lock_guard lock(mutex_);
    voices_[voice] = Voice{};
}

void Mixer::ClearAllVoices() {
    std::lock_guard lock(mutex_);
    for (Voice& v : voices_) v = Voice{};
}

void Mixer::Play(int voice) {
    if (!Valid(voice)) return;
    std::lock_guard lock(mutex_);
    Voice& v = voices_[voice];
    if (!v.data || v.data->frames == 0) return;
    v.position = 0.0;
    v.playing = true;
}

void Mixer::Stop(int voice) {
    if (!Valid(voice)) return;
    std::lock_guard lock(mutex_);
    voices_[voice].playing = false;
    voices_[voice].position = 0.0;
}

void Mixer::SetVolume(int voice, int hundredthsDb) {
    if (!Valid(voice)) return;
    std::lock_guard lock(mutex_);
    voices_[voice].volume = std::clamp(hundredthsDb, -10000, 0);
}

void Mixer::SetPan(int voice, int pan) {
    if (!Valid(voice)) return;
    std::lock_guard lock(mutex_);
    voices_[voice].pan = std::clamp(pan, -10000, 10000);
}

void Mixer::SetFrequency(int voice, int hz) {
    if (!Valid(voice)) return;
    std::lock_guard lock(mutex_);
    voices_[voice].frequency = std::max(hz, 0);
}

bool Mixer::IsPlaying(int voice) const {
    if (!Valid(voice)) return false;
    std::lock_guard lock(mutex_);
    return voices_[voice].playing;
}

double Mixer::Position(int voice) const {
    if (!Valid(voice)) return 0.0;
    std::lock_guard lock(mutex_);
    return voices_[voice].position;
}

void Mixer::AddStream(MixStream* stream) {
    if (!stream) return;
    std::lock_guard lock(mutex_);
    if (std::find(streams_.begin(), streams_.end(), stream) == streams_.end()) streams_.push_back(stream);
}

void Mixer::RemoveStream(MixStream* stream) {
    std::lock_guard lock(mutex_);
    streams_.erase(std::remove(streams_.begin(), streams_.end(), stream), streams_.end());
}

void Mixer::MixVoice(Voice& v, float* out, int frames) {
    const SampleData& d = *v.data;
    const float gain = VolumeToGain(v.volume);
    // A positive pan attenuates the left side, a negative one the right side.
    const float left = gain * (v.pan > 0 ? VolumeToGain(-v.pan) : 1.0f);
    const float right = gain * (v.pan < 0 ? VolumeToGain(v.pan) : 1.0f);
    const double step = static_cast<double>(v.frequency > 0 ? v.frequency : d.rate) / rate_;
    const size_t last = d.frames - 1;
    for (int i = 0; i < frames; ++i) {
        if (v.position >= static_cast<double>(d.frames)) {
            v.playing = false;
            v.position = 0.0;
            return;
        }
        const size_t idx = static_cast<size_t>(v.position);
        const size_t nxt = idx < last ? idx + 1 : last;
        const float frac = static_cast<float>(v.position - static_cast<double>(idx));
        float l, r;
        if (d.channels == 2) {
            l = d.samples[idx * 2] + (d.samples[nxt * 2] - d.samples[idx * 2]) * frac;
            r = d.samples[idx * 2 + 1] + (d.samples[nxt * 2 + 1] - d.samples[idx * 2 + 1]) * frac;
        } else {
            l = r = d.samples[idx] + (d.samples[nxt] - d.samples[idx]) * frac;
        }
        out[2 * i] += l * left;
        out[2 * i + 1] += r * right;
        v.position += step;
    }
    if (v.position >= static_cast<double>(d.frames)) {
        v.playing = false;
        v.position = 0.0;
    }
}

void Mixer::MixInto(float* out, int frames) {
    if (!out || frames <= 0) return;
    std::fill(out, out + 2 * static_cast<size_t>(frames), 0.0f);
    std::lock_guard lock(mutex_);
    for (Voice& v : voices_) {
        if (v.playing && v.data && v.data->frames > 0) MixVoice(v, out, frames);
    }
    for (MixStream* s : streams_) s->MixAdd(out, frames, rate_);
    for (size_t i = 0; i < 2 * static_cast<size_t>(frames); ++i) out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void Mixer::MixInto(int16_t* out, int frames) {
    if (!out || frames <= 0) return;
    std::vector<float> buf(2 * static_cast<size_t>(frames));
    MixInto(buf.data(), frames);
    for (size_t i = 0; i < buf.size(); ++i) out[i] = static_cast<int16_t>(std::lround(buf[i] * 32767.0f));
}

namespace {
bool g_outputStarted = false;
bool g_outputSilent = false;
}  // namespace

Mixer& OutputMixer() {
    // Never destroyed: the audio thread may still pull while the program exits.
    static Mixer* mixer = new Mixer();
    return *mixer;
}

void StartAudioOutput() {
    if (g_outputStarted) return;
    int rate = plat::kHeadlessAudioRate;
    Mixer& mixer = OutputMixer();
    if (!plat::StartAudio([&mixer](float* out, int frames) { mixer.MixInto(out, frames); }, &rate)) {
        rate = plat::kHeadlessAudioRate;
        g_outputSilent = true;
        CLog::GetInstance()->Write("No audio device could be opened: the game plays without sound.");
    }
    mixer.SetRate(rate);
    g_outputStarted = true;
}

void StopAudioOutput() {
    if (!g_outputStarted) return;
    plat::StopAudio();
    g_outputStarted = false;
    g_outputSilent = false;
}

bool AudioOutputStarted() { return g_outputStarted; }

bool AudioOutputSilent() { return g_outputSilent; }

}  // namespace el
