// The registry and its frame: the cap, deletion, walk order, the relation table's asymmetries,
// solid contact with riding and carrying, and the spawner.
#include <filesystem>
#include <memory>

#include "engine/Camera.h"
#include "foundation/Random.h"
#include "play/LiveObjectFactory.h"
#include "play/SolidSeparation.h"
#include "play/Spawner.h"
#include "stage/StageAreaObject.h"
#include "stage/StageObjectKindTable.h"
#include "tests/play/play_world_env.h"

using namespace playtest;

namespace {

class Registry : public WorldTest {};

TEST_F(Registry, HoldsAtMost1024AndRefusesNull) {
    CObjectRegistry* reg = CObjectRegistry::GetInstance();
    for (int i = 0; i < 1024; ++i)
        ASSERT_TRUE(reg->Add(std::make_unique<Thing>(stage.get(), i, 0, 1, 1, 29)));
    bool gone = false;
    auto extra = std::make_unique<Thing>(stage.get(), 0, 0, 1, 1, 29);
    extra->destroyed = &gone;
    EXPECT_FALSE(reg->Add(std::move(extra)));
    EXPECT_TRUE(gone);
    EXPECT_FALSE(reg->AddWithId(std::make_unique<Thing>(stage.get(), 0, 0, 1, 1, 29), 5));
    EXPECT_FALSE(reg->IsIdSlotUsed(5));
    EXPECT_EQ(reg->Count(), 1024);
    EXPECT_FALSE(reg->Add(std::unique_ptr<IBase>()));
}

TEST_F(Registry, TheDeadLeaveAtTheNextFrameAndFreeTheirSlot) {
    CObjectRegistry* reg = CObjectRegistry::GetInstance();
    auto owned = std::make_unique<Thing>(stage.get(), 0, 0, 10, 10, 29);
    Thing* t = owned.get();
    ASSERT_TRUE(reg->AddWithId(std::move(owned), 7));
    bool gone = false;
    t->destroyed = &gone;
    t->step = [](Thing& self) { self.Kill(); };
    Frames(1);
    EXPECT_FALSE(gone);
    EXPECT_TRUE(reg->IsIdSlotUsed(7));
    Frames(1);
    EXPECT_TRUE(gone);
    EXPECT_FALSE(reg->IsIdSlotUsed(7));
}

// An object that clears the world from its own update (say, on leaving the area) ends the frame
// there; everything goes once the frame returns, nothing is touched after it is deleted.
TEST_F(Registry, ClearingFromInsideAFrameEndsItSafely) {
    Relations({{29, 29, 4}});
    bool firstGone = false, secondGone = false;
    Thing* first = Spawn(0, 0, 10, 10, 29);
    Thing* second = Spawn(0, 0, 10, 10, 29);
    first->destroyed = &firstGone;
    second->destroyed = &secondGone;
    first->step = [](Thing&) { CObjectRegistry::GetInstance()->Clear(); };
    Frames(1);
    EXPECT_TRUE(firstGone && secondGone);
    EXPECT_EQ(CObjectRegistry::GetInstance()->Count(), 0);
}

TEST_F(Registry, FarObjectsDieUnlessAChildKeepsThem) {
    Thing* far = Spawn(5000, 0, 10, 10, 29);
    Thing* kept = Spawn(5000, 0, 10, 10, 29);
    far->removeWhenOffScreen = kept->removeWhenOffScreen = true;
    kept->AddChild(std::make_unique<Thing>(stage.get(), 0, 0, 1, 1, 29));  // never despawns
    CObjectRegistry::GetInstance()->AdoptAllPendingChildren();
    CObjectRegistry::GetInstance()->Housekeep();
    EXPECT_EQ(CObjectRegistry::GetInstance()->GetObjectCount(), 1);
    EXPECT_TRUE(CObjectRegistry::GetInstance()->Contains(kept));
    EXPECT_FALSE(CObjectRegistry::GetInstance()->Contains(far));
}

TEST_F(Registry, WalkIsDrawOrderThenChildren) {
    Thing* back = Spawn(0, 0, 1, 1, 29);
    Thing* front = Spawn(0, 0, 1, 1, 29);
    back->drawPriority = 10;
    front->drawPriority = 50;
    std::swap(back, front);  // added front first
    auto kidOwned = std::make_unique<Thing>(stage.get(), 0, 0, 1, 1, 29);
    Thing* kid = kidOwned.get();
    front->AddChild(std::move(kidOwned));
    CObjectRegistry* reg = CObjectRegistry::GetInstance();
    reg->Housekeep();
    reg->BeginWalk();
    EXPECT_EQ(reg->NextInWalk(), front);
    EXPECT_EQ(reg->NextInWalk(), kid);
    EXPECT_EQ(reg->NextInWalk(), back);
    EXPECT_EQ(reg->NextInWalk(), nullptr);
}

TEST_F(Registry, RelationsActOneWayOnly) {
    Relations({{3, 4, 0}, {4, 3, 4}, {5, 6, 2}});
    Thing* a = Spawn(0, 0, 10, 10, 3);
    Thing* b = Spawn(5, 5, 10, 10, 4);
    Thing* c = Spawn(100, 0, 10, 10, 5);
    Thing* d = Spawn(100, 0, 10, 10, 6);
    Thing* e = Spawn(0, 0, 10, 10, 30);  // categories past 29 never interact
    Frames(1);
    EXPECT_TRUE(a->touches.empty());
    ASSERT_EQ(b->touches.size(), 1u);
    EXPECT_EQ(b->touches[0], a);
    ASSERT_EQ(c->hits.size(), 1u);
    EXPECT_TRUE(d->hits.empty());
    EXPECT_TRUE(e->hits.empty() && e->touches.empty());
}

TEST_F(Registry, AFailedTableLoadKeepsTheOldTable) {
    Relations({{1, 2, 4}});
    ASSERT_TRUE(WriteEncodedFile("data\\obje_relation.dat", "3,3\n1,-1\n"));
    EXPECT_THROW(CObjectRelationTable::Load(), CInitFileException);
    EXPECT_EQ(CObjectRelationTable::Get(1, 2), 4);
    EXPECT_EQ(CObjectRelationTable::Get(0, 0), 0);
    EXPECT_THROW(CObjectRegistry::GetInstance()->Reset(), CInitFileException);
    EXPECT_EQ(CObjectRelationTable::Get(1, 2), 4);
    // Deleting the registry only clears it: with the file gone nothing is read, nothing thrown.
    std::filesystem::remove(dir / "data" / "obje_relation.dat");
    Spawn(0, 0, 1, 1, 29);
    EXPECT_NO_THROW(CObjectRegistry::DeleteInstance());
}

// The same seed and the same frames give the same world, to the last bit.
TEST_F(Registry, AWorldRunsTheSameFromTheSameSeed) {
    Relations({{2, 7, 1}, {7, 2, 0}});
    Fill(0, 12, 59, 12, 40);
    auto run = [&] {
        CObjectRegistry::GetInstance()->Clear();
        SeedRandom(99);
        std::vector<Thing*> walkers;
        for (int i = 0; i < 6; ++i) {
            Thing* w = Spawn(40 + i * 70, 300, 16, 24, 2);
            w->ay = 900;
            w->step = [](Thing& t) {
                if (RandomChance(5)) t.vx = RandomRange(-120, 120);
            };
            walkers.push_back(w);
        }
        Thing* block = Spawn(200, 352, 64, 32, 7);
        (void)block;
        Frames(120);
        std::vector<double> at;
        for (Thing* w : walkers) {
            at.push_back(w->x);
            at.push_back(w->y);
        }
        return at;
    };
    const std::vector<double> first = run();
    EXPECT_EQ(run(), first);
}

// ---- Solid contact ----

// A body falling onto a lift that moves right: it lands on the lift's top, rides it, falls at
// no more than 4 px per frame, and is carried along in the next frame.
TEST_F(Registry, LandingOnALiftRidesAndIsCarried) {
    Relations({{0, 8, 1}});
    Thing* lift = Spawn(100, 200, 64, 16, 8);
    lift->ignoresMap = true;
    lift->vx = 60;
    Thing* body = Spawn(120, 170, 16, 24, 0);
    body->ay = 600;
    body->vy = 300;
    Frames(1);  // 170 + 5 -> bottom 199, no contact yet
    Frames(1);
    EXPECT_EQ(body->GetBottom(), lift->GetTop());
    EXPECT_EQ(body->riddenObject.Get(), lift);
    EXPECT_LE(body->vy, 4 * 60.0 + 1e-9);
    const double before = body->x;
    Frames(1);
    EXPECT_NEAR(body->x - before, 1.0, 1e-6);  // the lift's 60 px/s
    EXPECT_EQ(body->GetBottom(), lift->GetTop());
}

TEST_F(Registry, MutualSolidsMeetInProportionSideways) {
    Relations({{2, 2, 1}});
    Thing* a = Spawn(0, 0, 20, 20, 2);
    Thing* b = Spawn(23, 0, 20, 20, 2);
    a->ignoresMap = b->ignoresMap = true;
    a->vx = 240;   // 4 px per frame
    b->vx = -120;  // 2 px per frame
    Frames(1);
    // Last frame's gap of 3 is shared 2:1, as they came on: a gets 2 of its 4, b 1 of its 2.
    EXPECT_NEAR(a->GetRight(), 22.0, 1e-4);
    EXPECT_NEAR(b->GetLeft(), 22.0, 1e-4);
    EXPECT_TRUE(a->vx == 0 && b->vx == 0);
}

TEST_F(Registry, SolidOnRequestAsksCollide) {
    Relations({{3, 4, 3}});
    Thing* a = Spawn(0, 0, 20, 20, 3);
    Thing* b = Spawn(0, 22, 20, 20, 4);
    a->ignoresMap = b->ignoresMap = true;
    a->collideAnswer = 0;
    a->vy = 240;
    Frames(1);
    EXPECT_NEAR(a->GetTop(), 4, 1e-4);  // passed into b
    a->collideAnswer = 1;
    a->y = 0;
    Frames(1);
    EXPECT_EQ(a->GetBottom(), b->GetTop());
    EXPECT_EQ(b->GetTop(), 22);
}

TEST_F(Registry, CornerColumnsAndOpenSidesMakeNoRide) {
    Relations({{0, 7, 1}});
    Thing* block = Spawn(100, 100, 32, 32, 7);
    block->solidTop = false;
    Thing* body = Spawn(100, 78, 20, 20, 0);
    block->ignoresMap = body->ignoresMap = true;
    body->vy = 240;  // 4 px per frame: bottom 98 -> 102
    Frames(1);
    EXPECT_NEAR(body->GetBottom(), 100, 1e-4);  // pushed out by its own solid bottom
    EXPECT_FALSE(body->riddenObject.Get());
    // Meeting only along a two-pixel column at the corner gives no vertical push.
    body->x = 130.5;
    body->y = 81;
    body->vy = 240;
    Frames(1);
    EXPECT_NEAR(body->GetBottom(), 105, 1e-4);
}

TEST_F(Registry, ARiderOfADeletedObjectIsNeverMovedByIt) {
    Relations({{0, 8, 1}});
    Thing* lift = Spawn(100, 200, 64, 16, 8);
    Thing* body = Spawn(120, 176, 16, 24, 0);
    lift->ignoresMap = body->ignoresMap = true;
    body->ay = 600;
    Frames(2);
    ASSERT_EQ(body->riddenObject.Get(), lift);
    body->lifeState = kLifeSuspended;  // skips its BeginFrame from now on
    lift->Kill();
    Frames(2);  // the lift is deleted; the body's stale links must not be followed
    EXPECT_FALSE(body->previousRiddenObject.Get());
    EXPECT_EQ(body->GetBottom(), 200);
}

// ---- Spawner ----

class CStageAreaObject_SpawnKind : public CStageAreaObject {
  public:
    using CStageAreaObject::CStageAreaObject;
    LiveObjectSpec GetObjectSpec(bool side) override {
        return LiveSpec("CSpawnThing", tileX * 32, tileY * 32, {side ? 1 : -1});
    }
};

class Spawning : public WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        if (HasFatalFailure()) return;
        StageAreaObjectKindList::Instance().Add("SpawnKind",
                                                &MakeStageAreaObject<CStageAreaObject_SpawnKind>);
        ASSERT_TRUE(WriteEncodedFile("data\\stage_objects.dat", ",,\nSpawnKind,出現,テスト\n"));
        RegisterLiveObjectCreator(
            "CSpawnThing",
            [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
                auto t = std::make_unique<Thing>(owner, x, y, 8, 8, 29);
                t->vx = LiveArg(args, 0, 0);
                return t;
            });
        table = std::make_unique<CStageAreaObjectTable>(stage.get());
        Look(960, 640);
    }
    static void Look(float x, float y) {
        CCamera::GetInstance()->SetTarget(x, y, 0);
        CCamera::GetInstance()->Update();
    }
    void TearDown() override {
        table.reset();
        ClearLiveObjectCreators();
        WorldTest::TearDown();
    }
    int Live() { return CObjectRegistry::GetInstance()->Count(); }
    std::unique_ptr<CStageAreaObjectTable> table;
};

TEST_F(Spawning, MovingRightSpawnsTheRightBandOnly) {
    CObjectSpawner spawner(table.get());
    const TileWindow w = spawner.GetWindow();
    ASSERT_TRUE(table->Add("SpawnKind", w.right + 3, w.top, 0, 0, 0, 0, ""));
    ASSERT_TRUE(table->Add("SpawnKind", w.right + 5, w.top, 0, 0, 0, 0, ""));  // beyond the band
    ASSERT_TRUE(table->Add("SpawnKind", w.left - 1, w.top, 0, 0, 0, 0, ""));
    Look(960 + 32, 640);
    spawner.Update(0);
    EXPECT_EQ(Live(), 1);
    // Back left: the left band spawns; right again: the first record is alive, no second copy.
    Look(960, 640);
    spawner.Update(0);
    EXPECT_EQ(Live(), 2);
    Look(960 + 32, 640);
    spawner.Update(0);
    EXPECT_EQ(Live(), 2);
}

TEST_F(Spawning, ZoomingOutRunsAllFourBands) {
    CObjectSpawner spawner(table.get());
    const TileWindow w = spawner.GetWindow();
    CCamera::GetInstance()->SetZoomRate(CCamera::GetInstance()->GetBaseScale() * 1.3f, 0);
    CCamera::GetInstance()->Update();
    const TileWindow z = CObjectSpawner::WindowFromCamera();
    ASSERT_TRUE(z.left < w.left && z.right > w.right && z.top < w.top && z.bottom > w.bottom);
    ASSERT_TRUE(table->Add("SpawnKind", z.left - 2, z.top + 1, 0, 0, 0, 0, ""));
    ASSERT_TRUE(table->Add("SpawnKind", z.right + 2, z.top + 1, 0, 0, 0, 0, ""));
    ASSERT_TRUE(table->Add("SpawnKind", z.left + 1, z.top - 2, 0, 0, 0, 0, ""));
    ASSERT_TRUE(table->Add("SpawnKind", z.left + 1, z.bottom + 2, 0, 0, 0, 0, ""));
    ASSERT_TRUE(table->Add("SpawnKind", z.left + 1, z.top + 1, 0, 0, 0, 0, ""));  // in view: no band
    spawner.Update(0);
    EXPECT_EQ(Live(), 4);
}

TEST_F(Spawning, SideOfHeroAndForbiddenRecords) {
    CObjectSpawner spawner(table.get());
    ASSERT_TRUE(table->Add("SpawnKind", 3, 2, 0, 0, 0, 0, ""));
    ASSERT_TRUE(table->Add("SpawnKind", 5, 2, 0, 0, 0, 0, ""));
    table->SetSpawnFlag(table->GetIdAt(5, 2), false);
    spawner.SpawnRect(0, 0, 9, 9, 96);  // the record at column 3 is exactly at the hero's x
    ASSERT_EQ(Live(), 1);
    CObjectRegistry* reg = CObjectRegistry::GetInstance();
    reg->BeginWalk();
    IBase* made = reg->NextInWalk();
    EXPECT_EQ(made->vx, 1);
    EXPECT_EQ(made->areaObjectId, table->GetIdAt(3, 2));
    EXPECT_TRUE(reg->IsIdSlotUsed(made->areaObjectId));
    made->Kill();
    Frames(1);
    spawner.SpawnAt(3, 2, 96);
    EXPECT_EQ(Live(), 1);  // spawns again once its object is gone
}

TEST_F(Spawning, AJumpOfTheViewLeavesTheTilesBetweenUnspawned) {
    CObjectSpawner spawner(table.get());
    const TileWindow w = spawner.GetWindow();
    ASSERT_TRUE(table->Add("SpawnKind", w.right + 2, w.top + 1, 0, 0, 0, 0, ""));
    Look(960 + 6 * 32, 640);  // six tiles at once: the record is now inside the view
    spawner.Update(0);
    EXPECT_EQ(Live(), 0);
}

TEST_F(Spawning, ACollectedKeyNeverComesBack) {
    CObjectSpawner spawner(table.get());
    ASSERT_TRUE(table->Add("SpawnKind", 3, 2, 0, 0, 0, 0, ""));
    scene.AddCollectedKey(0, table->GetIdAt(3, 2));
    spawner.SpawnRect(0, 0, 9, 9, 0);
    EXPECT_EQ(Live(), 0);
}

}  // namespace
