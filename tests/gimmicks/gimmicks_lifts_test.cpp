// Lifts: the path of each kind, what sets it off (the hero riding, never another rider), the
// turn to falling, and the custom lift's route letters, including long and malformed routes.
#include <cmath>
#include <memory>
#include <string>

#include "gimmicks/CustomLift.h"
#include "gimmicks/GimmickKinds.h"
#include "gimmicks/Lifts.h"
#include "gimmicks/Switches.h"
#include "play/LiveObjectFactory.h"
#include "tests/gimmicks/switch_lift_env.h"

using namespace gimmicktest;

namespace {

class Lifts : public MachineryWorld {
  protected:
    void SetUp() override {
        MachineryWorld::SetUp();
        if (HasFatalFailure()) return;
        Relations({{kCategoryHero, kCategoryLift, 1}, {kCategoryEnemy, kCategoryLift, 1}});
    }
    // A falling body of the category dropped just above the lift's middle; it lands in a frame or two.
    playtest::Thing* DropOn(const IBase* lift, int cat = kCategoryHero) {
        playtest::Thing* body = cat == kCategoryHero ? Hero(0, 0) : Spawn(0, 0, 16, 24, cat);
        body->x = lift->x + lift->width / 2 - 8;
        body->y = lift->y - 26;
        body->ay = 600;
        body->vy = 120;
        return body;
    }
    // Frames until the lift starts moving (at most n); -1 when it never does.
    int FramesUntilMoving(const IBase* lift, int n) {
        for (int i = 1; i <= n; ++i) {
            Frames(1);
            if (lift->vx != 0 || lift->vy != 0) return i;
        }
        return -1;
    }
};

// ---- Round trip ----

TEST_F(Lifts, ARoundTripLiftSwingsOnTheAreaClockCentredOnItsTile) {
    auto* h = Add<CRoundTripLift>(320, 64, true, 0.0);
    auto* h2 = Add<CRoundTripLift>(320, 160, true, 3.7);
    auto* v = Add<CRoundTripLift>(640, 256, false, 1.5);
    EXPECT_DOUBLE_EQ(h->GetLeft(), 272.0);
    EXPECT_DOUBLE_EQ(v->GetTop(), 256.0 + std::sin(1.5) * 80.0);
    const double quarter = (M_PI / 2) / 1.3 * 60.0;  // frames
    clock.clock = quarter;
    Frames(1);
    EXPECT_NEAR(h->GetLeft(), 352.0, 1e-9);
    EXPECT_NEAR(h2->GetLeft(), 272.0 + std::sin(M_PI / 2 + 3.7) * 80.0, 1e-9);
    EXPECT_DOUBLE_EQ(v->GetLeft(), 592.0);
    EXPECT_EQ(h->vx, 0.0);  // moved by the clock, not by speed
    // Without a play scene it stays at its origin.
    stage->scene = nullptr;
    Frames(1);
    EXPECT_DOUBLE_EQ(h->GetLeft(), 272.0);
    stage->scene = &clock;
}

TEST_F(Lifts, ABodyOnARoundTripLiftIsCarriedWithIt) {
    auto* lift = Add<CRoundTripLift>(320, 320, true, 0.0);
    playtest::Thing* hero = DropOn(lift);
    Frames(3);
    ASSERT_EQ(hero->riddenObject.Get(), lift);
    const double gap = hero->x - lift->x;
    for (int i = 0; i < 30; ++i) {
        clock.clock += 1.0;
        Frames(1);
    }
    EXPECT_NEAR(hero->x - lift->x, gap, 1.5);
    EXPECT_NEAR(hero->GetBottom(), lift->GetTop(), 1e-6);
    lift->Kill();  // a lift is not ended by Kill
    Frames(1);
    EXPECT_FALSE(lift->IsDead());
}

// Round-trip lifts live with the area and switches keep their state in it; the other lifts are
// made again from their records when their tile comes back into view.
TEST_F(Lifts, FarOffTheScreenOnlyTheSpawnedLiftsLeavePlay) {
    auto* reg = CObjectRegistry::GetInstance();
    reg->Add(std::make_unique<CRoundTripLift>(stage.get(), 5000, 5000, false, 0.0));
    reg->Add(std::make_unique<CTimerSwitch>(stage.get(), 5000, 5000, 0));
    reg->Add(std::make_unique<CFallingLift>(stage.get(), 5000, 5000));
    reg->Add(std::make_unique<CCustomLift>(stage.get(), 5000, 5000, "B"));
    reg->Add(std::make_unique<CWideLift>(stage.get(), 5000, 5000, 2));
    Frames(2);
    EXPECT_EQ(All<ILift>().size(), 1u);
    EXPECT_EQ(All<CRoundTripLift>().size(), 1u);
    EXPECT_EQ(All<CSwitchBase>().size(), 1u);
}

// ---- Falling, sideways, rising ----

TEST_F(Lifts, AFallingLiftDropsInTheFirstFrameItsTriggerTimePassesTwenty) {
    SetFrame(1.0f / 64.0f);  // 0.9375 frames each: 20 is passed on the 22nd count, not met exactly
    auto* lift = Add<CFallingLift>(272, 320);
    DropOn(lift);
    int landed = 0;
    while (!lift->IsFalling() && landed < 100) {
        Frames(1);
        ++landed;
    }
    // A frame to land, one to see the hero and trigger, then 22 counts of 0.9375.
    EXPECT_EQ(landed, 2 + 22);
    Frames(30);
    EXPECT_GT(lift->vy, 0.0);
    EXPECT_LE(lift->vy, 700.0);
}

TEST_F(Lifts, OnlyTheHeroSetsALiftOff) {
    auto* falling = Add<CFallingLift>(100, 320);
    auto* right = Add<CRightMoveLift>(400, 320);
    auto* custom = Add<CCustomLift>(700, 320, "B");
    auto* cloud = Add<CCloudLift>(1000, 320);
    for (IBase* lift : {static_cast<IBase*>(falling), static_cast<IBase*>(right), static_cast<IBase*>(custom),
                        static_cast<IBase*>(cloud)})
        DropOn(lift, kCategoryEnemy);
    EXPECT_EQ(FramesUntilMoving(falling, 90), -1);
    for (IBase* lift :
         {static_cast<IBase*>(right), static_cast<IBase*>(custom), static_cast<IBase*>(cloud)}) {
        EXPECT_EQ(lift->vx, 0.0);
        EXPECT_EQ(lift->vy, 0.0);
    }
    EXPECT_FALSE(falling->IsFalling());
}

TEST_F(Lifts, ASidewaysLiftTravelsThenFallsAndItsSidewaysSpeedStopsAtZero) {
    auto* right = Add<CRightMoveLift>(400, 320);
    auto* left = Add<CLeftMoveLift>(900, 320);
    DropOn(right);
    Frames(3);
    ASSERT_TRUE(right->IsStarted());
    EXPECT_FALSE(left->IsStarted());
    Frames(60);
    EXPECT_DOUBLE_EQ(right->vx, 220.0);
    while (!right->IsFalling()) Frames(1);
    // Sideways speed runs down at 100 px/s²: 2.2 s from 220, then rests at 0.
    Frames(2 * 60);
    EXPECT_GT(right->vx, 0.0);
    Frames(30);
    EXPECT_EQ(right->vx, 0.0);
    EXPECT_EQ(right->ax, 0.0);
    DropOn(left);  // a new hero
    Frames(10);
    EXPECT_LT(left->vx, 0.0);
}

TEST_F(Lifts, ARisingLiftClimbsForAHundredFramesThenIsPulledDown) {
    auto* lift = Add<CRisingLift>(400, 600);
    DropOn(lift);
    Frames(3);
    ASSERT_LT(lift->vy, 0.0);
    double highest = lift->y;
    double flameTop = 0.0;
    for (int i = 0; i < 240; ++i) {
        Frames(1);
        highest = std::min(highest, lift->y);
        flameTop = std::max(flameTop, lift->GetFlameSpeed());
        EXPECT_GE(lift->vy, -220.0);
    }
    EXPECT_TRUE(lift->IsDescending());
    EXPECT_GT(lift->vy, 0.0);
    EXPECT_LT(highest, 600.0 - 200.0);
    EXPECT_DOUBLE_EQ(flameTop, 100.0);
    EXPECT_DOUBLE_EQ(lift->GetFlameSpeed(), 0.0);  // runs down after the turn
}

TEST_F(Lifts, ACloudSinksUnderTheHeroAndClimbsWhenLeft) {
    auto* cloud = Add<CCloudLift>(400, 320);
    Frames(5);
    EXPECT_EQ(cloud->y, 320.0);  // idle until the hero first lands
    playtest::Thing* hero = DropOn(cloud);
    Frames(30);
    EXPECT_TRUE(cloud->IsRidden());
    EXPECT_GT(cloud->vy, 0.0);
    EXPECT_LE(cloud->vy, 60.0);
    hero->x = 2000;  // steps off while it sinks
    Frames(3);       // the last ride is still seen in the first of them
    EXPECT_LT(cloud->vy, 0.0);
    EXPECT_NEAR(cloud->vy, -200.0 / 60.0, 1e-6);  // from rest, climbing at 200 px/s²
}

TEST_F(Lifts, AWideLiftMovesItsWayForGoodAndAnyOtherDirectionIsDown) {
    auto* leftward = Add<CWideLift>(200, 320, 1);
    auto* odd = Add<CWideLift>(800, 320, 5);
    EXPECT_EQ(leftward->GetWidth(), 224.0);
    DropOn(leftward);
    Frames(120);
    EXPECT_DOUBLE_EQ(leftward->vx, -100.0);
    DropOn(odd);
    Frames(30);
    EXPECT_GT(odd->vy, 0.0);
    EXPECT_EQ(odd->vx, 0.0);
}

// ---- Custom lift ----

class CustomLifts : public Lifts {
  protected:
    // A started lift of the route, landed on by the hero at frame 0.
    CCustomLift* Started(const std::string& route) {
        auto* lift = Add<CCustomLift>(400, 320, route);
        hero = DropOn(lift);
        for (int i = 0; i < 5 && !lift->IsStarted(); ++i) Frames(1);
        EXPECT_TRUE(lift->IsStarted());
        hero->x = 3000;  // the lift runs on without its rider
        hero->ay = 0;
        hero->vy = 0;
        return lift;
    }
    playtest::Thing* hero = nullptr;
};

TEST_F(CustomLifts, EachStepLetterSetsItsDirectionAtTheCurrentSpeed) {
    const struct {
        const char* route;
        double vx, vy;
        int frames = 60;
    } cases[] = {
        {"A", -120, 0},
        {"B", 120, 0},
        {"C", 0, -120},
        {"D", 0, 120},
        {"E", -84, -84},
        {"F", 84, -84},
        {"G", -84, 84},
        {"H", 84, 84},
        {"I", 0, 0},
        {"JJJJJB", 180, 0},
        {"KKKKB", 60, 0},
        {"JB", 150, 0, 0},
        {"KA", -90, 0, 0},
        {"AZ", -120, 0},
        {"", 0, 0},
        {"JK", 0, 0},
        {"zb\xE3\x81\x82H", 84, 84},
    };
    for (const auto& c : cases) {
        auto* lift = Started(c.route);
        Frames(c.frames);
        EXPECT_NEAR(lift->vx, c.vx, 1e-9) << c.route;
        EXPECT_NEAR(lift->vy, c.vy, 1e-9) << c.route;
        hero->Kill();
        lift->removeWhenOffScreen = true;
        CObjectRegistry::GetInstance()->Clear();
        clock.hero = nullptr;
    }
}

TEST_F(CustomLifts, SpeedLettersStepThroughTheFiveSpeedsAndStopAtTheEnds) {
    CCustomLift lift(stage.get(), 0, 0, "");
    const int up[] = {150, 180, 180};
    for (int s : up) {
        lift.SpeedUp();
        EXPECT_EQ(lift.GetSpeed(), s);
    }
    const int down[] = {150, 120, 90, 60, 60};
    for (int s : down) {
        EXPECT_FALSE(lift.ExecuteCommand("K"));
        EXPECT_EQ(lift.GetSpeed(), s);
    }
    EXPECT_TRUE(CCustomLift::IsStepCommand("I"));
    EXPECT_FALSE(CCustomLift::IsStepCommand("J"));
    EXPECT_FALSE(CCustomLift::IsStepCommand("AB"));  // whole strings only
    EXPECT_FALSE(CCustomLift::IsStepCommand("a"));
    EXPECT_STREQ(CustomLiftCommand::Label("J"), "スピードアップ");
    EXPECT_STREQ(CustomLiftCommand::Label("?"), "！エラー！");
}

TEST_F(CustomLifts, FourRightsAndFourLeftsShuttleATileAStepWithoutDrift) {
    auto* lift = Started("BBBBAAAA");
    const double home = lift->x;
    double farthest = home;
    // 10 round trips of 8 steps at 32 / 120 s each: 640 frames... less the landing frame.
    for (int i = 0; i < 640 - 1; ++i) {
        Frames(1);
        farthest = std::max(farthest, lift->x);
    }
    EXPECT_NEAR(farthest - home, 128.0, 2.5);
    EXPECT_NEAR(lift->x, home, 2.5);
    EXPECT_LT(lift->GetRouteIndex(), 8u);
}

TEST_F(CustomLifts, AZigzagReturnsToItsPlaceEveryTwoSteps) {
    auto* lift = Started("EH");
    const double x0 = lift->x, y0 = lift->y;
    Frames(16 * 10 - 1);  // 5 zigzags of two 16-frame steps
    EXPECT_NEAR(lift->x, x0, 1.5);
    EXPECT_NEAR(lift->y, y0, 1.5);
}

TEST_F(CustomLifts, ALongRouteOfMostlyJunkStillRunsItsStepsInOrder) {
    // Far longer than any editor route: 100000 letters that are no command, then one B and one D.
    std::string route(100000, 'Z');
    for (size_t i = 0; i < route.size(); i += 7) route[i] = static_cast<char>(0x80 + i % 64);
    route += "BD";
    auto* lift = Started(route);
    EXPECT_EQ(lift->vx, 120.0);  // the junk is passed over in the landing frame
    Frames(16);
    EXPECT_EQ(lift->vy, 120.0);
    Frames(16);
    EXPECT_EQ(lift->vx, 120.0);
    EXPECT_EQ(lift->GetRouteIndex(), route.size() - 1);
}

TEST_F(CustomLifts, RecordsMakeTheirLiftsWithTheArgumentsTheyPass) {
    RegisterGimmickKinds();
    const std::unique_ptr<IBase> custom =
        CreateLiveObject("CCustomLift", stage.get(), 100, 64, {std::string("B")});
    const std::unique_ptr<IBase> roundTrip =
        CreateLiveObject("CRoundTripLift", stage.get(), 320, 64, {true, 3.7});
    const std::unique_ptr<IBase> wide = CreateLiveObject("CWideLift", stage.get(), 96, 64, {2});
    const std::unique_ptr<IBase> timer = CreateLiveObject("CTimerSwitch", stage.get(), 3, 2, {1});
    ASSERT_TRUE(custom && roundTrip && wide && timer);
    EXPECT_NE(dynamic_cast<CCustomLift*>(custom.get()), nullptr);
    EXPECT_DOUBLE_EQ(roundTrip->GetLeft(), 272.0 + std::sin(3.7) * 80.0);
    EXPECT_EQ(timer->category, kCategorySwitch);
    ClearLiveObjectCreators();
}

}  // namespace
