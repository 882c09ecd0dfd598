// 500 live effects of every kind spread over the screen, one frame of the registry (their updates)
// and their drawing into the 640 x 480 back buffer per iteration. An effect about to end is given
// its life again, so the load stays at 500 without making new ones. Heap allocations per frame are
// counted: a warm frame makes none. The /0 run leaves the drawing out.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/allocation_counter.h"
#include "engine/Camera.h"
#include "engine/SpriteManager.h"
#include "engine/el/el4D.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "gimmicks/EffectKinds.h"
#include "play/ObjectRegistry.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"
#include "tests/common/headless_screen.h"

namespace {

constexpr int kEffects = 500;

struct EffectWorld {
    EffectWorld() {
        SetGameFolder(QUOR_GAME_DIR);
        testsupport::OpenHeadlessScreenOnce();
        SetFrameTime(1.0f / 60.0f);
        SeedRandom(1);
        CSpriteManager::GetInstance();
        stage = std::make_unique<CStage>(nullptr, 0, CVersionNumber());
        auto map = std::make_unique<CStageMap>();
        map->Allocate(40, 30);
        stage->AppendArea(
            std::make_unique<CStageArea>(stage.get(), std::move(map), nullptr, "bench", 0, 0, 0, 0));
        stage->currentArea = 0;
        CObjectRegistry* reg = CObjectRegistry::GetInstance();
        reg->Clear();
        const CCamera* cam = CCamera::GetInstance();
        for (int i = 0; i < kEffects; ++i) {
            const float sx = static_cast<float>(20 + (i * 37) % 600),
                        sy = static_cast<float>(20 + (i * 53) % 440);
            auto e =
                NewEffect(1 + i % 40, stage.get(), cam->ScreenToWorldX(sx, sy), cam->ScreenToWorldY(sx, sy));
            effects.push_back(e.get());
            fullLife.push_back(e->lifetime);
            reg->Add(std::move(e));
        }
        for (int i = 0; i < 120; ++i) Frame();  // warm: lists grown, every look shown
    }
    ~EffectWorld() { CObjectRegistry::DeleteInstance(); }

    void Frame(bool draw = true) {
        for (size_t i = 0; i < effects.size(); ++i)
            if (effects[i]->lifetime < 2.0) effects[i]->lifetime = fullLife[i];
        CObjectRegistry* reg = CObjectRegistry::GetInstance();
        reg->UpdateAll(0.0);
        if (!draw) return;
        el4D::BeginScene();
        reg->DrawAll();
        el4D::EndScene();
    }

    std::unique_ptr<CStage> stage;
    std::vector<IEffect*> effects;
    std::vector<double> fullLife;
};

void BM_EffectsUpdateAndDraw(benchmark::State& state) {
    EffectWorld world;
    const long long before = benchalloc::Count();
    long long frames = 0;
    for (auto _ : state) {
        world.Frame(state.range(0) != 0);
        ++frames;
    }
    const long long allocations = benchalloc::Count() - before;
    state.counters["effects"] = CObjectRegistry::GetInstance()->Count();
    state.counters["allocs_per_frame"] =
        frames ? static_cast<double>(allocations) / static_cast<double>(frames) : 0.0;
}
// /1 updates and draws; /0 only updates, to tell the two apart.
BENCHMARK(BM_EffectsUpdateAndDraw)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
