// A full registry's frame: 1024 objects of mixed categories moving over a terrain map, with
// touching pairs, riders on lifts and hitboxes hanging off their makers, one UpdateAll per
// iteration, with the game's own relation table. Heap allocations per frame are counted.
#include <benchmark/benchmark.h>

#include <memory>

#include "bench/allocation_counter.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "play/ObjectRegistry.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"

namespace {

constexpr double kTile = 32.0;

// Walks, falls, bounces off walls and turns at ledges; may carry a hitbox child.
class Mover : public IBase {
  public:
    Mover(CStage* s, double px, double py, double w, double h, int cat) : IBase(s, px, py) {
        width = w;
        height = h;
        category = cat;
        removeWhenOffScreen = false;  // the whole area stays alive, as if the camera saw it all
    }
    void Update() override {
        BeginFrame();
        if (touchLeft || touchRight) vx = -vx;
        if (vx == 0) vx = RandomRange(0, 1) ? 80 : -80;
        Move();
        EndFrame();
    }
    int Collide(IBase*) override { return kHitNoEffect; }
    void OnTouch(IBase*) override { ++touches; }
    int touches = 0;
};

// Rides left and right between two columns.
class Lift : public IBase {
  public:
    Lift(CStage* s, double px, double py) : IBase(s, px, py) {
        width = 96;
        height = 16;
        category = kCategoryLift;
        ignoresMap = true;
        removeWhenOffScreen = false;
        vx = 60;
    }
    void Update() override {
        BeginFrame();
        if (x > startX + 128 || x < startX - 128) vx = -vx;
        Move();
        EndFrame();
    }
    void CollideWithMap() override {}
};

// A hitbox that stays attached to its maker.
class Hitbox : public IBase {
  public:
    Hitbox(CStage* s, IBase* maker, int cat) : IBase(s, 8.0, 4.0, maker) {
        shapeType = kShapeCircle;
        radius = 12;
        category = cat;
        attachedToParent = true;
        ignoresMap = true;
        removeWhenOffScreen = false;
    }
    void Update() override {
        BeginFrame();
        Move();
        EndFrame();
    }
    int Collide(IBase*) override { return kHitNoEffect; }
};

// Ground, walls, platforms of each kind, ice and conveyors over a long area.
std::unique_ptr<CStageMap> MakeTerrain() {
    auto map = std::make_unique<CStageMap>();
    const int w = 200, h = 30;
    map->Allocate(w, h);
    for (int c = 0; c < w; ++c) {
        map->SetChip(c, h - 1, 40);
        map->SetChip(c, h - 2, c % 17 < 4 ? 44 : (c % 23 < 3 ? 227 : 40));
        if (c % 12 == 0) map->SetChip(c, h - 3, 40);
        if (c % 9 < 5) map->SetChip(c, h - 10, c % 2 ? 24 : 41);
        if (c % 31 < 6) map->SetChip(c, h - 18, 28);
    }
    for (int r = 0; r < h; ++r) {
        map->SetChip(0, r, 40);
        map->SetChip(w - 1, r, 40);
    }
    return map;
}

struct World {
    World() {
        SetGameFolder(QUOR_GAME_DIR);
        SetFrameTime(1.0f / 60.0f);
        SeedRandom(1);
        stage = std::make_unique<CStage>(nullptr, 0, CVersionNumber());
        stage->AppendArea(
            std::make_unique<CStageArea>(stage.get(), MakeTerrain(), nullptr, "bench", 0, 0, 0, 0));
        stage->currentArea = 0;
        CObjectRegistry* reg = CObjectRegistry::GetInstance();
        reg->Clear();
        const double floor = 28 * kTile;
        int n = 0;
        auto add = [&](std::unique_ptr<IBase> o) { n += reg->Add(std::move(o)) ? 1 : 0; };
        // 40 lifts with riders on them.
        for (int i = 0; i < 40; ++i) {
            const double lx = 200 + i * 150, ly = floor - 120 - (i % 3) * 90;
            add(std::make_unique<Lift>(stage.get(), lx, ly));
            auto rider = std::make_unique<Mover>(stage.get(), lx + 30, ly - 30, 16, 28, kCategoryEnemy);
            rider->ay = 600;
            add(std::move(rider));
        }
        // Enemies walking on the ground, every fourth with a hitbox; the hero among them.
        auto hero = std::make_unique<Mover>(stage.get(), 320, floor - 40, 20, 38, kCategoryHero);
        hero->ay = 600;
        hero->AddChild(std::make_unique<Hitbox>(stage.get(), hero.get(), kCategoryHeroAttack));
        add(std::move(hero));
        for (int i = 0; i < 300; ++i) {
            auto e = std::make_unique<Mover>(stage.get(), 40 + i * 20.5, floor - 40 - (i % 5) * 8, 20, 30,
                                             i % 7 ? kCategoryEnemy : kCategoryFlyer);
            e->ay = i % 7 ? 600 : 0;
            if (i % 4 == 0) e->AddChild(std::make_unique<Hitbox>(stage.get(), e.get(), kCategoryEnemyAttack));
            add(std::move(e));
        }
        // Blocks and items resting on the ground.
        for (int i = 0; i < 80; ++i)
            add(std::make_unique<Mover>(stage.get(), 60 + i * 78, floor - 32, 32, 32, kCategoryBlock));
        for (int i = 0; i < 150; ++i) {
            auto it = std::make_unique<Mover>(stage.get(), 50 + i * 41, floor - 60, 16, 16, kCategoryItem);
            it->ay = 600;
            add(std::move(it));
        }
        // Shots of both sides flying across.
        for (int i = 0; n < CObjectRegistry::kMaxObjects; ++i) {
            auto s = std::make_unique<Mover>(stage.get(), 30 + (i * 37) % 6300, 200 + (i * 53) % 600, 8, 8,
                                             kCategoryShotFirst + i % 6);
            s->shapeType = kShapeCircle;
            s->radius = 4;
            s->ignoresMap = true;
            s->vx = i % 2 ? 150 : -150;
            add(std::move(s));
        }
        for (int i = 0; i < 600; ++i) reg->UpdateAll(90.0);  // warm: children adopted, lists grown
    }
    ~World() { CObjectRegistry::DeleteInstance(); }
    std::unique_ptr<CStage> stage;
};

void BM_RegistryFullFrame(benchmark::State& state) {
    World world;
    CObjectRegistry* reg = CObjectRegistry::GetInstance();
    const long long before = benchalloc::Count();
    long long frames = 0;
    for (auto _ : state) {
        reg->UpdateAll(90.0);
        ++frames;
    }
    const long long allocations = benchalloc::Count() - before;
    state.counters["objects"] = reg->Count();
    state.counters["allocs_per_frame"] =
        frames ? static_cast<double>(allocations) / static_cast<double>(frames) : 0.0;
}
BENCHMARK(BM_RegistryFullFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
