// The presenter's decisions under a hand-driven clock: pacing to 1/60 s where presents do not
// wait for the display, the choice of the cheaper present path, and the integer scaler.
#include <gtest/gtest.h>

#include <vector>

#include "platform/clock.h"
#include "platform/present.h"

namespace {

// A frame loop on a clock driven by hand: each frame works `workMs`, then sleeps what the
// pacer asks. Returns the clock at the start of every frame.
class PacedLoop : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SetClockSource([this] { return now; });
    }
    void TearDown() override { plat::SetClockSource(nullptr); }

    std::vector<uint32_t> Run(int frames, uint32_t workMs) {
        std::vector<uint32_t> starts;
        for (int i = 0; i < frames; ++i) {
            starts.push_back(now);
            now += workMs;
            now += pacer.AfterPresent();
        }
        return starts;
    }

    uint32_t now = 0xFFFFF000u;  // wraps during the run
    plat::FramePacer pacer;
};

TEST_F(PacedLoop, WithoutVsyncFramesStartEverySixtiethOfASecond) {
    pacer.SetVsync(false, 60);
    EXPECT_TRUE(pacer.Pacing());
    const std::vector<uint32_t> starts = Run(121, 3);
    // Each start within a millisecond of its 1/60 s mark: no drift from rounding the sleeps.
    for (size_t i = 1; i < starts.size(); ++i) {
        const double mark = static_cast<double>(i - 1) * 1000.0 / 60.0;
        EXPECT_NEAR(static_cast<double>(starts[i] - starts[1]), mark, 1.0) << "frame " << i;
    }
}

TEST_F(PacedLoop, PresentsThatWaitForTheRefreshAreLeftAlone) {
    pacer.SetVsync(false, 60);
    Run(5, 3);
    pacer.SetVsync(true, 60);  // back on a path that waits: no pacing on top of it
    // The present blocks until the refresh: the frame takes the whole 1/60 s.
    for (int i = 0; i < 4 * plat::FramePacer::kProbeFrames; ++i) {
        now += i % 3 == 0 ? 16 : 17;
        EXPECT_EQ(pacer.AfterPresent(), 0u);
    }
    EXPECT_FALSE(pacer.Pacing());
}

TEST_F(PacedLoop, GrantedVsyncThatDoesNotWaitIsDetectedAndPaced) {
    pacer.SetVsync(true, 60);
    Run(plat::FramePacer::kProbeFrames, 2);
    EXPECT_FALSE(pacer.Pacing());  // one window of frames watched so far
    Run(2, 2);
    ASSERT_TRUE(pacer.Pacing());
    const std::vector<uint32_t> starts = Run(61, 2);
    EXPECT_NEAR(static_cast<double>(starts.back() - starts.front()), 1000.0, 1.0);
}

TEST_F(PacedLoop, AStallStartsAfreshInsteadOfRushing) {
    pacer.SetVsync(false, 0);
    Run(10, 4);
    now += 200;  // the window was dragged, a file was loaded...
    EXPECT_EQ(pacer.AfterPresent(), 0u);
    // The frames after it keep the 1/60 s rhythm from here on: no burst of unpaced frames.
    const std::vector<uint32_t> starts = Run(7, 4);
    for (size_t i = 1; i < starts.size(); ++i) EXPECT_GE(starts[i] - starts[i - 1], 16u) << "frame " << i;
    // A frame that is a little late is made up by the next wait.
    Run(1, 20);
    EXPECT_GT(pacer.AfterPresent(), 0u);
}

TEST(PresentPath, CheaperPathWinsOnlyWhenClearlyCheaper) {
    using plat::PresentPath;
    auto choose = [](double texture, double surface) {
        plat::PresentPathChooser chooser;
        int presents = 0;
        while (!chooser.Decided() && presents < 100) {
            const double cost = chooser.Current() == PresentPath::Texture ? texture : surface;
            // The first presents of a path are slow; they must not count.
            chooser.Record(presents++ % 11 < plat::PresentPathChooser::kWarmup ? 50.0 : cost);
        }
        EXPECT_EQ(presents, 2 * (plat::PresentPathChooser::kWarmup + plat::PresentPathChooser::kTimed));
        return chooser.Current();
    };
    EXPECT_EQ(choose(6.0, 0.3), PresentPath::Surface);   // a software renderer
    EXPECT_EQ(choose(0.4, 0.35), PresentPath::Texture);  // a GPU: about even, keep the vsync
    EXPECT_EQ(choose(0.2, 1.5), PresentPath::Texture);

    plat::PresentPathChooser settled;
    settled.Settle(PresentPath::Surface);
    settled.Record(1000.0);
    EXPECT_TRUE(settled.Decided());
    EXPECT_EQ(settled.Current(), PresentPath::Surface);
}

TEST(PresentPath, ScalerFillsWholeBlocksAndKeepsOffTheRest) {
    plat::Surface frame(2, 2);
    frame.pixels = {1, 2, 3, 4};
    for (int scale : {1, 2, 3}) {
        const size_t pitch = 2 * scale + 5;  // a row longer than the picture
        std::vector<uint32_t> out(pitch * 2 * scale, 0xDEADu);
        plat::ScaleFrame(frame, scale, out.data(), pitch);
        for (size_t y = 0; y < 2u * scale; ++y) {
            for (size_t x = 0; x < pitch; ++x) {
                const uint32_t want = x < 2u * scale ? frame.pixels[(y / scale) * 2 + x / scale] : 0xDEADu;
                ASSERT_EQ(out[y * pitch + x], want) << "scale " << scale << " at " << x << "," << y;
            }
        }
    }
}

}  // namespace
