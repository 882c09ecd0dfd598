// 100 stage machines in one area: 40 round-trip lifts on the area clock each carrying a body,
// 30 custom lifts running their routes with a body aboard, and 30 switches of every kind pressed
// and released by bodies standing on them in turn; one registry frame and the drawing per
// iteration, with the game's own relation table. Heap allocations per frame are counted.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/allocation_counter.h"
#include "engine/Scene.h"
#include "engine/SpriteManager.h"
#include "engine/el/el4D.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "gimmicks/CustomLift.h"
#include "gimmicks/EffectKinds.h"
#include "gimmicks/Lifts.h"
#include "gimmicks/Switches.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"
#include "tests/common/fake_scene.h"
#include "tests/common/headless_screen.h"

namespace {

// The play scene as the machines see it: a hero and the area clock.
using ClockScene = testsupport::FakeScene;

// A body of the hero's category that falls onto whatever is below it.
class Body : public IBase {
  public:
    Body(CStage* s, double px, double py) : IBase(s, px, py) {
        width = 16;
        height = 24;
        category = kCategoryHero;
        ay = 600;
        removeWhenOffScreen = false;
    }
    void Update() override {
        BeginFrame();
        Move();
        EndFrame();
    }
};

struct MachineWorld {
    MachineWorld() {
        SetGameFolder(QUOR_GAME_DIR);
        testsupport::OpenHeadlessScreenOnce();
        SetFrameTime(1.0f / 60.0f);
        SeedRandom(1);
        CSpriteManager::GetInstance();
        InstallEffectFactory();
        stage = std::make_unique<CStage>(&scene, 0, CVersionNumber());
        auto map = std::make_unique<CStageMap>();
        map->Allocate(60, 40);
        for (int c = 0; c < 60; ++c) map->SetChip(c, 30, 40);  // a floor for the switches
        stage->AppendArea(
            std::make_unique<CStageArea>(stage.get(), std::move(map), nullptr, "bench", 0, 0, 0, 0));
        stage->currentArea = 0;
        CObjectRegistry* reg = CObjectRegistry::GetInstance();
        reg->Clear();
        auto keep = [&](std::unique_ptr<IBase> o) {
            o->removeWhenOffScreen = false;  // the whole area stays alive
            IBase* kept = o.get();
            reg->Add(std::move(o));
            return kept;
        };
        for (int i = 0; i < 40; ++i) {
            IBase* lift = keep(std::make_unique<CRoundTripLift>(stage.get(), 160 + (i % 8) * 224,
                                                                64 + (i / 8) * 96, i % 2 == 0, 0.3 * i));
            keep(std::make_unique<Body>(stage.get(), lift->x + 56, lift->y - 24));
        }
        const char* routes[] = {"BBBBAAAA", "CCDD", "EHEH", "JBBKAA", "FGIBA"};
        for (int i = 0; i < 30; ++i) {
            IBase* lift = keep(std::make_unique<CCustomLift>(stage.get(), 160 + (i % 6) * 288,
                                                             560 + (i / 6) * 96, routes[i % 5]));
            riders.push_back({lift, keep(std::make_unique<Body>(stage.get(), lift->x + 56, lift->y - 24))});
        }
        for (int i = 0; i < 30; ++i) {
            const double sx = 64 + i * 60, sy = 30 * 32 - 24;
            std::unique_ptr<IBase> s;
            switch (i % 6) {
                case 0:
                    s = std::make_unique<CPushSwitch>(stage.get(), sx, sy, i % 3);
                    break;
                case 1:
                    s = std::make_unique<CTimerSwitch>(stage.get(), sx, sy - 6, i % 3);
                    break;
                case 2:
                    s = std::make_unique<CChangeSwitch>(stage.get(), sx, sy, i % 3);
                    break;
                case 3:
                    s = std::make_unique<CDevilSwitch>(stage.get(), sx, sy + 4, i % 3);
                    break;
                case 4:
                    s = std::make_unique<CSpringSwitch>(stage.get(), sx, sy, i % 3);
                    break;
                default:
                    s = std::make_unique<CForceSwitch>(stage.get(), sx, sy - 4, i % 3);
                    break;
            }
            IBase* pressed = keep(std::move(s));
            auto b = std::make_unique<Body>(stage.get(), sx + 4, sy - 40);
            b->ignoresMap = true;
            b->ay = 0;
            presser.push_back({pressed, keep(std::move(b))});
        }
        // Each custom lift starts under the hero; the last one keeps the part.
        for (auto& [lift, body] : riders) {
            scene.hero = body;
            for (int f = 0; f < 3; ++f) Frame(false);
        }
        for (int i = 0; i < 240; ++i) Frame();  // warm: lists grown, every state seen
    }
    ~MachineWorld() { CObjectRegistry::DeleteInstance(); }

    void Frame(bool draw = true) {
        // Bodies step on and off their switches, 40 frames each way.
        const bool on = (frame / 40) % 2 == 0;
        for (auto& [s, body] : presser) body->y = on ? s->y - 20 : s->y - 60;
        ++frame;
        scene.clock += 1.0;
        CObjectRegistry* reg = CObjectRegistry::GetInstance();
        reg->UpdateAll(0.0);
        if (!draw) return;
        el4D::BeginScene();
        reg->DrawAll();
        el4D::EndScene();
    }

    ClockScene scene;
    std::unique_ptr<CStage> stage;
    std::vector<std::pair<IBase*, IBase*>> riders, presser;
    long long frame = 0;
};

void BM_LiftsAndSwitches(benchmark::State& state) {
    MachineWorld world;
    const long long before = benchalloc::Count();
    long long frames = 0;
    for (auto _ : state) {
        world.Frame(state.range(0) != 0);
        ++frames;
    }
    const long long allocations = benchalloc::Count() - before;
    state.counters["objects"] = CObjectRegistry::GetInstance()->Count();
    state.counters["allocs_per_frame"] =
        frames ? static_cast<double>(allocations) / static_cast<double>(frames) : 0.0;
}
// /1 updates and draws; /0 only updates.
BENCHMARK(BM_LiftsAndSwitches)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
