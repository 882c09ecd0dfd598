// One frame of play in an area busy with 100 blocks and hazards: batteries and burners firing on
// the area clock (their shots flying and dying), stacked and knocked blocks, circling air gears,
// iron balls dropping on the hero and hauled back, unlit bombs, devil houses, with the game's own
// relation table and pictures. One UpdateAll and one clock tick per iteration; heap allocations
// per frame are counted.
#include <benchmark/benchmark.h>

#include <memory>
#include <numbers>

#include "bench/allocation_counter.h"
#include "engine/Camera.h"
#include "engine/Scene.h"
#include "engine/SpriteManager.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "gimmicks/Batteries.h"
#include "gimmicks/Blocks.h"
#include "gimmicks/GearAndHouse.h"
#include "gimmicks/IronBallAndBombs.h"
#include "play/LiveObjectFactory.h"
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

// A shot or flame in flight: it goes straight on and is gone after a second.
class Shot : public IBase {
  public:
    Shot(CStage* s, double px, double py, double svx, double svy) : IBase(s, px, py) {
        width = height = 8;
        vx = svx;
        vy = svy;
        ignoresMap = true;
        category = kCategoryShotFirst + 1;
    }
    void Update() override {
        BeginFrame();
        Move();
        if (age > 60.0) Kill();
        EndFrame();
    }
};

// The hero pacing left and right under the iron balls.
class Walker : public IBase {
  public:
    Walker(CStage* s, double px, double py) : IBase(s, px, py) {
        width = 20;
        height = 38;
        category = kCategoryHero;
        ay = 600;
        vx = 120;
        removeWhenOffScreen = false;
    }
    void Update() override {
        BeginFrame();
        if (x > startX + 400 || x < startX - 400) vx = -vx;
        Move();
        EndFrame();
    }
};

struct GimmickWorld {
    GimmickWorld() {
        SetGameFolder(QUOR_GAME_DIR);
        testsupport::OpenHeadlessScreenOnce();
        SetFrameTime(1.0f / 60.0f);
        SeedRandom(1);
        CSpriteManager::GetInstance();
        RegisterLiveObjectCreator(
            "CBatteryShot", [](CStage* s, double px, double py, const LiveObjectArgs& a) {
                return std::unique_ptr<IBase>(
                    std::make_unique<Shot>(s, px, py, std::get<double>(a[0]), std::get<double>(a[1])));
            });
        RegisterLiveObjectCreator(
            "CBurnerFire", [](CStage* s, double px, double py, const LiveObjectArgs& a) {
                return std::unique_ptr<IBase>(
                    std::make_unique<Shot>(s, px, py, std::get<double>(a[0]), std::get<double>(a[1])));
            });
        stage = std::make_unique<CStage>(&scene, 0, CVersionNumber());
        auto map = std::make_unique<CStageMap>();
        map->Allocate(80, 30);
        for (int c = 0; c < 80; ++c) map->SetChip(c, 28, 40);
        for (int c = 0; c < 80; c += 8) map->SetChip(c, 4, 40);
        stage->AppendArea(
            std::make_unique<CStageArea>(stage.get(), std::move(map), nullptr, "bench", 0, 0, 0, 0));
        stage->currentArea = 0;
        CObjectRegistry* reg = CObjectRegistry::GetInstance();
        reg->Clear();
        CCamera::GetInstance()->SetTarget(1280, 700, 0);
        CCamera::GetInstance()->Update();
        CStage* s = stage.get();
        const double floor = 28 * 32.0;
        auto hero = std::make_unique<Walker>(s, 1280, floor - 40);
        scene.hero = hero.get();
        reg->Add(std::move(hero));
        int n = 0;
        auto add = [&](std::unique_ptr<IBase> o) { n += reg->Add(std::move(o)) ? 1 : 0; };
        // 24 fixtures of every direction and timing in rows on the screen (off it they would despawn).
        for (int i = 0; i < 24; ++i) {
            const double fx = 980 + i * 26, fy = 600 + (i % 3) * 40;
            if (i % 2)
                add(std::make_unique<CNormalBattery>(s, fx, fy, i % 4, (i / 4) % 4));
            else
                add(std::make_unique<CBurner>(s, fx, fy, i % 4, (i / 4) % 4));
        }
        // 30 blocks: pairs stacked on the floor, stones knocked now and then below.
        for (int i = 0; i < 15; ++i) {
            const double bx = 100 + i * 160;
            if (i % 3 == 0) {
                add(std::make_unique<CWoodBlock001>(s, bx, floor - 64));
                add(std::make_unique<CWoodBlock003>(s, bx, floor - 128));
            } else if (i % 3 == 1) {
                add(std::make_unique<CStoneBlock003>(s, bx, floor - 80));
                add(std::make_unique<CWoodBlock004>(s, bx, floor - 200));
            } else {
                add(std::make_unique<CStoneBlock004>(s, bx, floor - 80));
                add(std::make_unique<CStoneBlock001>(s, bx, floor - 144));
            }
        }
        // 20 air gears, 10 iron balls over the hero's path, 10 bombs, 6 houses.
        for (int i = 0; i < 20; ++i)
            add(std::make_unique<CAirGear>(s, 200 + i * 120, 300, i % 2, i * std::numbers::pi / 4));
        for (int i = 0; i < 10; ++i) add(std::make_unique<CIronBall>(s, 900 + i * 96, floor - 400));
        for (int i = 0; i < 5; ++i) add(std::make_unique<CFloatingBomb>(s, 1000 + i * 120, 520));
        for (int i = 0; i < 5; ++i) add(std::make_unique<CSwitchBomb>(s, 1040 + i * 120, 480));
        for (int i = 0; i < 6; ++i) add(std::make_unique<CDevilHouse>(s, 400 + i * 300, 500));
        gimmicks = n;
        for (int i = 0; i < 240; ++i) Frame();  // warm: a whole firing cycle, lists grown
    }
    ~GimmickWorld() {
        CObjectRegistry::DeleteInstance();
        ClearLiveObjectCreators();
    }

    void Frame() {
        CObjectRegistry* reg = CObjectRegistry::GetInstance();
        reg->UpdateAll(0.0);
        // Knock the stones about once a second so that some are always sliding.
        if (static_cast<int>(scene.clock) % 60 == 0) {
            reg->BeginWalk();
            while (IBase* o = reg->NextInWalk()) {
                AttackInfo knock;
                knock.power = 200.0;
                knock.angle = static_cast<int>(scene.clock) % 120 ? 0.0 : std::numbers::pi;
                if (dynamic_cast<CSlidingStoneBase*>(o)) o->ReceiveAttack(knock);
            }
        }
        scene.clock += 1.0;
    }

    ClockScene scene;
    std::unique_ptr<CStage> stage;
    int gimmicks = 0;
};

void BM_GimmickBusyFrame(benchmark::State& state) {
    GimmickWorld world;
    const long long before = benchalloc::Count();
    long long frames = 0;
    for (auto _ : state) {
        world.Frame();
        ++frames;
    }
    const long long allocations = benchalloc::Count() - before;
    state.counters["gimmicks"] = world.gimmicks;
    state.counters["objects"] = CObjectRegistry::GetInstance()->Count();
    state.counters["allocs_per_frame"] =
        frames ? static_cast<double>(allocations) / static_cast<double>(frames) : 0.0;
}
BENCHMARK(BM_GimmickBusyFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
