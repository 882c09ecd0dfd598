#include "platform/present.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/clock.h"

namespace plat {

// ---- FramePacer ----

void FramePacer::SetVsync(bool granted, int refreshHz) {
    vsync_ = granted;
    refreshMs_ = refreshHz > 0 ? 1000.0 / refreshHz : kFrameMs;
    // A new promise is watched afresh: pacing on top of a real wait could miss refreshes.
    probes_ = fast_ = 0;
    pacing_ = !granted;
    next_ = 0;
}

uint32_t FramePacer::AfterPresent() {
    const uint32_t now = NowMs();
    const double elapsed = started_ ? static_cast<double>(now - last_) : 0.0;
    const bool first = !started_;
    started_ = true;
    last_ = now;
    if (!pacing_) {
        if (!vsync_) {
            pacing_ = true;
        } else if (!first) {
            // A display that really waits keeps frames at least about one refresh apart.
            ++probes_;
            if (elapsed < refreshMs_ / 2) ++fast_;
            if (probes_ == kProbeFrames) {
                pacing_ = fast_ * 2 > kProbeFrames;
                probes_ = fast_ = 0;
            }
        }
        if (!pacing_) return 0;
        next_ = elapsed;  // the deadline is this frame: no wait now
    }
    next_ -= elapsed;
    if (next_ < -kResyncMs) next_ = 0;
    const uint32_t wait = next_ > 0 ? static_cast<uint32_t>(std::lround(next_)) : 0;
    next_ += kFrameMs;
    return wait;
}

// ---- PresentPathChooser ----

namespace {
size_t Index(PresentPath path) { return path == PresentPath::Texture ? 0 : 1; }
PresentPath Other(PresentPath path) {
    return path == PresentPath::Texture ? PresentPath::Surface : PresentPath::Texture;
}
}  // namespace

void PresentPathChooser::Record(double cpuMs) {
    if (decided_ || ++seen_ <= kWarmup) return;
    std::vector<double>& costs = costs_[Index(current_)];
    costs.push_back(cpuMs);
    if (costs.size() < static_cast<size_t>(kTimed)) return;
    if (costs_[Index(Other(current_))].size() < static_cast<size_t>(kTimed)) {
        current_ = Other(current_);
        seen_ = 0;
        return;
    }
    // The texture path waits for the refresh and tears less: the window's buffer has to be
    // clearly cheaper to win.
    const double texture = Cost(PresentPath::Texture), surface = Cost(PresentPath::Surface);
    Settle(surface < texture * 0.75 ? PresentPath::Surface : PresentPath::Texture);
}

void PresentPathChooser::Settle(PresentPath path) {
    current_ = path;
    decided_ = true;
}

double PresentPathChooser::Cost(PresentPath path) const {
    std::vector<double> costs = costs_[Index(path)];
    if (costs.empty()) return -1.0;
    const auto middle = costs.begin() + static_cast<std::ptrdiff_t>(costs.size() / 2);
    std::nth_element(costs.begin(), middle, costs.end());
    return *middle;
}

// ---- Scaling ----

void ScaleFrame(const Surface& frame, int scale, uint32_t* dst, size_t pitch) {
    const size_t width = static_cast<size_t>(frame.width);
    for (int y = 0; y < frame.height; ++y) {
        const uint32_t* src = frame.Row(y);
        uint32_t* row = dst + static_cast<size_t>(y) * scale * pitch;
        if (scale == 1) {
            std::memcpy(row, src, width * 4);
            continue;
        }
        if (scale == 2) {
            for (size_t x = 0; x < width; ++x) row[2 * x] = row[2 * x + 1] = src[x];
        } else {
            uint32_t* out = row;
            for (size_t x = 0; x < width; ++x) out = std::fill_n(out, scale, src[x]);
        }
        // The other lines of the block repeat the first.
        for (int k = 1; k < scale; ++k) std::memcpy(row + k * pitch, row, width * scale * 4);
    }
}

}  // namespace plat
