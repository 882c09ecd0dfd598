// The hit pass at full strength: 300 attackers, each with a live circle hitbox (re-hit every 10
// frames, aimed at its target), over a crowd of 300 enemies that answer every hit, one UpdateAll
// per iteration. The same world with the hitboxes unlinked in the relation table gives the rest
// of the frame, so the difference is the hit pass. Heap allocations per frame are counted.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/allocation_counter.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "play/Characters.h"
#include "play/Hitboxes.h"
#include "play/ObjectRegistry.h"
#include "play/ObjectRelationTable.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"
#include "tests/common/temp_folder.h"

namespace {

long long g_hitsTaken = 0;

// Stands still and swings; hears what its hitbox did.
class Swinger : public IBase, public IAttackable {
  public:
    Swinger(CStage* s, double px, double py) : IBase(s, px, py) {
        width = height = 20;
        removeWhenOffScreen = false;
    }
    void Update() override {
        BeginFrame();
        Move();
        EndFrame();
    }
    void OnAttackHit(int, AttackInfo) override {}
    void OnAttackClash(int, AttackInfo, AttackInfo) override {}
    void AfterAttackClash() override {}
};

// Takes every hit and stays on its feet.
class Crowd : public IEnemy {
  public:
    Crowd(CStage* s, double px, double py) : IEnemy(s, px, py) {
        width = 24;
        height = 32;
        removeWhenOffScreen = false;
    }
    void Act() override {
        BeginFrame();
        Move();
        EndFrame();
    }
    void CollideWithMap() override { ResolveMapCollision(); }
    void Draw() override {}
    int ReceiveAttack(AttackInfo) override {
        ++g_hitsTaken;
        return kHitHurt;
    }
};

struct World {
    explicit World(bool linked) {
        SetFrameTime(1.0f / 60.0f);
        SeedRandom(1);
        std::string table;
        for (int x = 0; x < 30; ++x) {
            for (int y = 0; y < 30; ++y)
                table += std::string(y ? "," : "") +
                         (linked && x == kCategoryHeroAttack && y == kCategoryEnemy ? "2" : "0");
            table += "\n";
        }
        folder.MakeDir("data");
        WriteEncodedFile("data\\obje_relation.dat", table);
        CObjectRegistry* reg = CObjectRegistry::GetInstance();
        reg->Reset();
        auto map = std::make_unique<CStageMap>();
        map->Allocate(40, 30);
        stage = std::make_unique<CStage>(nullptr, 0, CVersionNumber());
        stage->AppendArea(
            std::make_unique<CStageArea>(stage.get(), std::move(map), nullptr, "bench", 0, 0, 0, 0));
        stage->currentArea = 0;
        AttackInfo swing;
        swing.damage = 1;
        swing.power = 200;
        swing.flags[kAttackSlash] = 1;
        // 20 x 15 of each, the hitboxes reaching over two or three enemies.
        for (int i = 0; i < 300; ++i) {
            const double gx = 40.0 + (i % 20) * 60.0, gy = 40.0 + (i / 20) * 60.0;
            reg->Add(std::make_unique<Crowd>(stage.get(), gx, gy));
            auto s = std::make_unique<Swinger>(stage.get(), gx + 30, gy + 30);
            s->AddChild(std::make_unique<CCollisionDetectionCircle>(
                s.get(), s.get(), stage.get(), 0, 0, 40.0, -1.0, 10.0, kSideHero, kAimAtTarget, swing));
            reg->Add(std::move(s));
        }
        for (int i = 0; i < 120; ++i) reg->UpdateAll(0.0);  // warm: children adopted, lists grown
    }
    ~World() { CObjectRegistry::DeleteInstance(); }
    testsupport::TempGameFolder folder{"quor-combat-bench"};
    std::unique_ptr<CStage> stage;
};

void RunFrames(benchmark::State& state, bool linked) {
    World world(linked);
    CObjectRegistry* reg = CObjectRegistry::GetInstance();
    const long long before = benchalloc::Count();
    const long long hitsBefore = g_hitsTaken;
    long long frames = 0;
    for (auto _ : state) {
        reg->UpdateAll(0.0);
        ++frames;
    }
    const long long allocations = benchalloc::Count() - before;
    state.counters["objects"] = reg->Count();
    const double n = frames ? static_cast<double>(frames) : 1.0;
    state.counters["allocs_per_frame"] = static_cast<double>(allocations) / n;
    state.counters["hits_per_frame"] = static_cast<double>(g_hitsTaken - hitsBefore) / n;
}

void BM_HitboxesAgainstCrowd(benchmark::State& state) { RunFrames(state, true); }
void BM_SameWorldUnlinked(benchmark::State& state) { RunFrames(state, false); }
BENCHMARK(BM_HitboxesAgainstCrowd)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SameWorldUnlinked)->Unit(benchmark::kMicrosecond);

}  // namespace
