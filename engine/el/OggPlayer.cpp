#include "engine/el/OggPlayer.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace el {

// An open Ogg Vorbis file, decoded from memory so the audio thread never waits on the disk.
struct OggPlayer::Decoder {
    std::vector<char> bytes;
    size_t readPos = 0;
    OggVorbis_File vf{};
    bool open = false;
    int rate = 0;

    ~Decoder() {
        if (open) ov_clear(&vf);
    }

    static size_t Read(void* ptr, size_t size, size_t count, void* self) {
        auto* d = static_cast<Decoder*>(self);
        if (size == 0) return 0;
        const size_t want = size * count;
        const size_t left = d->bytes.size() - d->readPos;
        const size_t n = std::min(want, left) / size * size;
        std::memcpy(ptr, d->bytes.data() + d->readPos, n);
        d->readPos += n;
        return n / size;
    }
    static int Seek(void* self, ogg_int64_t offset, int whence) {
        auto* d = static_cast<Decoder*>(self);
        ogg_int64_t base = 0;
        if (whence == SEEK_CUR)
            base = static_cast<ogg_int64_t>(d->readPos);
        else if (whence == SEEK_END)
            base = static_cast<ogg_int64_t>(d->bytes.size());
        const ogg_int64_t pos = base + offset;
        if (pos < 0 || pos > static_cast<ogg_int64_t>(d->bytes.size())) return -1;
        d->readPos = static_cast<size_t>(pos);
        return 0;
    }
    static long Tell(void* self) { return static_cast<long>(static_cast<Decoder*>(self)->readPos); }

    bool Start() {
        const ov_callbacks callbacks{&Decoder::Read, &Decoder::Seek, nullptr, &Decoder::Tell};
        if (ov_open_callbacks(this, &vf, nullptr, 0, callbacks) != 0) return false;
        open = true;
        const vorbis_info* info = ov_info(&vf, -1);
        if (!info || info->rate <= 0 || info->channels <= 0) return false;
        rate = static_cast<int>(info->rate);
        return true;
    }

    // Appends decoded stereo frames to `out`; false at the end of the stream or on a broken one.
    bool DecodeSome(std::vector<float>& out) {
        for (int attempt = 0; attempt < 8; ++attempt) {
            float** pcm = nullptr;
            int section = 0;
            const long n = ov_read_float(&vf, &pcm, 4096, &section);
            if (n == OV_HOLE) continue;  // a gap in the data: go on with what follows
            if (n <= 0) return false;
            const vorbis_info* info = ov_info(&vf, section);
            const int ch = info ? info->channels : 1;
            const size_t base = out.size();
            out.resize(base + 2 * static_cast<size_t>(n));
            for (long i = 0; i < n; ++i) {
                const float l = pcm[0][i];
                const float r = ch >= 2 ? pcm[1][i] : l;
                out[base + 2 * i] = l;
                out[base + 2 * i + 1] = r;
            }
            return true;
        }
        return false;
    }

    bool Rewind() { return ov_pcm_seek(&vf, 0) == 0; }
};

OggPlayer::OggPlayer(Mixer& mixer) : mixer_(&mixer) {
    mixer_->AddStream(this);
    attached_ = true;
}

OggPlayer::~OggPlayer() { Release(); }

void OggPlayer::CloseLocked() {
    playing_ = false;
    decoder_.reset();
    pending_.clear();
    pendingRead_ = 0;
    phase_ = 0.0;
    passes_ = 0;
    passFrames_ = 0;
    drained_ = false;
}

bool OggPlayer::Open(const std::string& path) {
    auto decoder = std::make_unique<Decoder>();
    std::ifstream in(path, std::ios::binary);
    bool ok = false;
    if (in) {
        decoder->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        ok = !in.bad() && decoder->Start();
    }
    std::lock_guard lock(mutex_);
    CloseLocked();
    if (ok) decoder_ = std::move(decoder);
    return ok;
}

void OggPlayer::Play() {
    std::lock_guard lock(mutex_);
    if (!decoder_) return;
    if (!decoder_->Rewind()) return;
    pending_.clear();
    pendingRead_ = 0;
    phase_ = 0.0;
    passes_ = 0;
    passFrames_ = 0;
    drained_ = false;
    playing_ = true;
}

void OggPlayer::Stop() {
    std::lock_guard lock(mutex_);
    playing_ = false;
}

void OggPlayer::SetLoopCount(int loops) {
    std::lock_guard lock(mutex_);
    loops_ = std::max(loops, 0);
}

void OggPlayer::SetVolume(float volume) {
    std::lock_guard lock(mutex_);
    volume_ = std::clamp(volume, 0.0f, 1.0f);
}

float OggPlayer::GetVolume() const {
    std::lock_guard lock(mutex_);
    return volume_;
}

void OggPlayer::Release() {
    if (attached_) {
        mixer_->RemoveStream(this);  // after this the audio thread no longer calls us
        attached_ = false;
    }
    std::lock_guard lock(mutex_);
    CloseLocked();
}

int OggPlayer::IsPlaying() const {
    std::lock_guard lock(mutex_);
    return playing_ ? 1 : 0;
}

int OggPlayer::CompletedPasses() const {
    std::lock_guard lock(mutex_);
    return passes_;
}

void OggPlayer::MixAdd(float* out, int frames, int rate) {
    std::lock_guard lock(mutex_);
    if (!playing_ || !decoder_ || rate <= 0) return;
    const double step = static_cast<double>(decoder_->rate) / rate;
    for (int i = 0; i < frames; ++i) {
        // Keep two frames ahead for the interpolation.
        while (!drained_ && pending_.size() - pendingRead_ < 4) {
            if (pendingRead_ > 0 && pendingRead_ >= pending_.size() / 2) {
                pending_.erase(pending_.begin(),
                               pending_.begin() + static_cast<std::ptrdiff_t>(pendingRead_));
                pendingRead_ = 0;
            }
            const size_t before = pending_.size();
            if (decoder_->DecodeSome(pending_)) {
                passFrames_ += (pending_.size() - before) / 2;
                continue;
            }
            // End of a pass: count it, and go round again while repeats remain. A pass that gave
            // no sound at all is not repeated.
            ++passes_;
            const bool again = (loops_ >= kEndless || passes_ <= loops_) && passFrames_ > 0;
            passFrames_ = 0;
            if (!again || !decoder_->Rewind()) drained_ = true;
        }
        const size_t avail = (pending_.size() - pendingRead_) / 2;
        if (avail == 0) {
            playing_ = false;
            return;
        }
        const float* p = pending_.data() + pendingRead_;
        const float* q = avail >= 2 ? p + 2 : p;
        const float t = static_cast<float>(phase_);
        out[2 * i] += (p[0] + (q[0] - p[0]) * t) * volume_;
        out[2 * i + 1] += (p[1] + (q[1] - p[1]) * t) * volume_;
        phase_ += step;
        while (phase_ >= 1.0 && pendingRead_ < pending_.size()) {
            phase_ -= 1.0;
            pendingRead_ += 2;
        }
    }
}

std::unique_ptr<OggPlayer> CreateOggPlayer() {
    StartAudioOutput();
    return std::make_unique<OggPlayer>(OutputMixer());
}

}  // namespace el
