#pragma once
// The presenter's decisions, kept apart from SDL so that they run under a test clock: how the
// frame loop is paced, which of two ways of putting a frame on the window costs less, and the
// integer scaler that the cheaper way usually needs.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/surface.h"

namespace plat {

// Keeps the loop at 60 frames a second when presenting does not wait for the display.
//
// While presents wait for the vertical blank the loop runs at the display's pace and nothing
// is added. When the wait is refused, or presents come back much faster than the refresh
// (virtual displays, software drivers), the loop sleeps to a deadline that advances by 1/60 s
// per frame; a loop that falls far behind starts afresh from the present time instead of
// rushing to catch up. Time comes from plat::NowMs, so tests drive it by hand.
class FramePacer {
  public:
    static constexpr double kFrameMs = 1000.0 / 60.0;
    // Frames watched at a time for presents that return faster than the refresh.
    static constexpr int kProbeFrames = 30;
    // Behind the deadline by more than this: start afresh.
    static constexpr double kResyncMs = 2 * kFrameMs;

    // Whether presents are meant to wait for the refresh, and the display's refresh rate in
    // hertz (0 when unknown: 60 assumed). Refusing the wait starts pacing at once; a granted
    // wait stops it until presents are seen to return too fast.
    void SetVsync(bool granted, int refreshHz);
    // Called once after each presented frame: the milliseconds to sleep before the next one.
    uint32_t AfterPresent();
    // True once the loop paces itself.
    bool Pacing() const { return pacing_; }

  private:
    bool vsync_ = false;
    double refreshMs_ = kFrameMs;
    bool pacing_ = false;
    bool started_ = false;
    uint32_t last_ = 0;  // the clock at the previous call
    int probes_ = 0, fast_ = 0;
    double next_ = 0;  // the next frame's deadline, relative to last_
};

// The two ways of showing a frame: an SDL texture drawn by the renderer, or the window's own
// pixel buffer filled by our scaler. Auto: time both and keep the cheaper.
enum class PresentPath : uint8_t { Auto, Texture, Surface };

// Times a few presents of each path (the process's CPU time, driver threads included) and
// keeps the cheaper one. The first presents of a path warm it up and are not counted.
class PresentPathChooser {
  public:
    static constexpr int kWarmup = 3;
    static constexpr int kTimed = 8;

    explicit PresentPathChooser(PresentPath first = PresentPath::Texture) : current_(first) {}
    PresentPath Current() const { return current_; }
    bool Decided() const { return decided_; }
    // The CPU time of the present just made through Current(); may move to the other path.
    void Record(double cpuMs);
    // Ends the choice on `path` (forced, or the other path cannot be had).
    void Settle(PresentPath path);
    // The median timed cost of a path in ms, or a negative value when it was not timed.
    double Cost(PresentPath path) const;

  private:
    PresentPath current_;
    bool decided_ = false;
    int seen_ = 0;  // presents of current_ so far
    std::vector<double> costs_[2];
};

// Writes `frame` enlarged `scale` times into 32-bit pixels with `pitch` pixels a row.
void ScaleFrame(const Surface& frame, int scale, uint32_t* dst, size_t pitch);

}  // namespace plat
