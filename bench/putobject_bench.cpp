// Colour-keyed PutObject throughput in megapixels per second.
#include <benchmark/benchmark.h>

#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "platform/backend.h"
#include "tests/common/headless_screen.h"

namespace {

// An object with about a third of its pixels in the key colour (pure green).
int CreateSprite(int w, int h) {
    elDraw::SetColorKey(0x00FF00);
    int slot = elDraw::CreateObject(w, h, 2);
    plat::Surface* s = elDraw::GetObjectSurface(slot);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s->Row(y)[x] =
                (x * 7 + y * 3) % 3 == 0 ? 0xFF00FF00u : 0xFF000000u | uint32_t(x * 5) << 16 | uint32_t(y);
    return slot;
}

void BM_PutObjectKeyed(benchmark::State& state) {
    testsupport::OpenHeadlessScreenOnce();
    const int side = static_cast<int>(state.range(0));
    const int slot = CreateSprite(side, side);
    int x = 0, y = 0;
    for (auto _ : state) {
        elDraw::PutObject(x, y, slot, 0, 0, side, side);
        x = (x + 37) % (640 - side + 1);
        y = (y + 23) % (480 - side + 1);
    }
    benchmark::DoNotOptimize(elDraw::BackBuffer().pixels.data());
    const double pixels = double(state.iterations()) * side * side;
    state.SetItemsProcessed(static_cast<int64_t>(pixels));
    state.counters["MPix/s"] = benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsRate);
    elDraw::ReleaseObject(slot);
}
BENCHMARK(BM_PutObjectKeyed)->Arg(32)->Arg(128)->Arg(480);

void BM_PutObjectClipped(benchmark::State& state) {
    testsupport::OpenHeadlessScreenOnce();
    const int slot = CreateSprite(64, 64);
    elDraw::SetClip(16, 16, 624, 464);
    int x = -32;
    for (auto _ : state) {
        elDraw::PutObject(x, 440, slot, 0, 0, 64, 64);
        x = x > 640 ? -32 : x + 5;
    }
    elDraw::SetClip(0, 0, 640, 480);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 64 * 24);
    elDraw::ReleaseObject(slot);
}
BENCHMARK(BM_PutObjectClipped);

}  // namespace
