// What showing a frame costs. The scaler alone runs anywhere; the window benchmarks need a
// display (under a virtual one: xvfb-run -s "-screen 0 1920x1080x24" build/bench/bench_present_bench)
// and are skipped without one. The CPU column counts the whole process, so a renderer's own
// threads are in it.
//
//   BM_PresentWindow/<path>/<scale>  one present of a changing 640x480 frame, path 1 the
//                                    renderer's texture, 2 the window's buffer with our scaler
//   BM_WindowedTitleFrame/<path>     a whole frame of the game at its title at 2x, paced as
//                                    the game runs; cpu_ms_per_frame is the figure that counts
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "engine/GameShell.h"
#include "engine/el/elSystem.h"
#include "flow/GameSetup.h"
#include "foundation/EncodedFile.h"
#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/present.h"

namespace {

plat::Surface Picture(int frame) {
    plat::Surface s(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            s.Row(y)[x] = 0xFF000000u | uint32_t((x + frame) & 0xFF) << 16 | uint32_t(y);
    return s;
}

void BM_ScaleFrame(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    const plat::Surface frame = Picture(0);
    std::vector<uint32_t> out(static_cast<size_t>(640 * scale) * 480 * scale);
    for (auto _ : state) {
        plat::ScaleFrame(frame, scale, out.data(), 640u * scale);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ScaleFrame)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_PresentWindow(benchmark::State& state) {
    plat::BackendOptions options;
    options.presentPath = static_cast<plat::PresentPath>(state.range(0));
    options.scale = static_cast<int>(state.range(1));
    plat::Backend& backend = plat::StartBackend(options);
    if (backend.IsHeadless()) {
        plat::StopBackend();
        state.SkipWithError("no display");
        return;
    }
    const plat::Surface frames[2] = {Picture(0), Picture(64)};
    std::vector<plat::WindowEvent> events;
    int n = 0;
    for (auto _ : state) {
        backend.Present(frames[n++ & 1]);
        events.clear();
        backend.PumpEvents(events);
    }
    plat::StopBackend();
}
BENCHMARK(BM_PresentWindow)
    ->ArgsProduct({{1, 2}, {1, 2, 3}})
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The game in a window at 2x, left at its title: frames 400 to 640 are timed (loading is over
// by then). Path 0 lets the game choose.
void BM_WindowedTitleFrame(benchmark::State& state) {
    // Without a display the game would play its short headless run instead.
    const bool display = !plat::StartBackend(plat::BackendOptions{}).IsHeadless();
    plat::StopBackend();
    if (!display) {
        state.SkipWithError("no display");
        return;
    }
    static const char* const kPaths[] = {"", "texture", "surface"};
    ::setenv("QUOR_PRESENT", kPaths[state.range(0)], 1);
    if (!std::getenv("SDL_AUDIODRIVER")) ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    SetGameFolder(QUOR_GAME_DIR);
    InstallGameHooks();
    constexpr int kFirst = 400, kLast = 640;
    for (auto _ : state) {
        double cpuAtFirst = 0, cpuAtLast = 0;
        ShellOptions options;
        options.frames = kLast;
        options.afterFrame = [&](int frame) {
            if (frame == kFirst) cpuAtFirst = plat::ProcessCpuMs();
            if (frame == kLast) cpuAtLast = plat::ProcessCpuMs();
        };
        elSystem::Reset();
        RunGame(options);
        plat::StopBackend();
        state.counters["cpu_ms_per_frame"] = (cpuAtLast - cpuAtFirst) / (kLast - kFirst);
    }
    ::unsetenv("QUOR_PRESENT");
    ResetGameFolder();
}
BENCHMARK(BM_WindowedTitleFrame)->DenseRange(0, 2)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
