// Batteries and burners on the area clock: the phase of each timing, one bullet per open phase
// (none for a battery made while open), the sixteen flames of a blow and the long frame, the
// muzzle of each direction, and fixtures whose shot class is not there.
#include "gimmicks/Batteries.h"
#include "tests/gimmicks/gimmicks_hazard_env.h"

using namespace gimmicktest;

namespace {

class Batteries : public HazardWorld {
  protected:
    // The clock values at which the shots of the class were made, one per shot.
    std::vector<double> ShotTimes(const std::string& cls, int frames) {
        std::vector<double> times;
        size_t seen = MadeAs(cls).size();
        for (int i = 0; i < frames; ++i) {
            const double frameStart = clock.clock;
            Play(1);
            const size_t count = MadeAs(cls).size();
            for (; seen < count; ++seen) times.push_back(frameStart);
        }
        return times;
    }
};

TEST_F(Batteries, TheTimingsShiftTheCycleBy150_100_50And0Frames) {
    clock.clock = 0.0;
    const int expected[4] = {150, 100, 50, 0};
    for (int t = 0; t < 4; ++t) EXPECT_EQ(Add<CNormalBattery>(200.0, 200.0, 0, t)->GetPhase(), expected[t]);
    clock.clock = 50.9;  // whole frames only
    EXPECT_EQ(Add<CBurner>(200.0, 200.0, 0, 0)->GetPhase(), 0);
    clock.clock = 1234.0;
    EXPECT_EQ(Add<CBurner>(200.0, 200.0, 0, 2)->GetPhase(), (1234 + 50) % 200);
    EXPECT_EQ(Add<CBurner>(200.0, 200.0, 0, 9)->timing, 3);  // anything else counts as D
}

TEST_F(Batteries, ABatteryFiresOnceAsEachOpenPhaseBeginsButNotWhenMadeOpen) {
    clock.clock = 10.0;
    auto* b = Add<CNormalBattery>(200.0, 200.0, 0, 3);  // open: phase 10
    const auto times = ShotTimes("CBatteryShot", 600);
    EXPECT_EQ(times, (std::vector<double>{200.0, 400.0, 600.0}));
    EXPECT_EQ(b->imageIndex, 0);
    Play(150);
    EXPECT_EQ(b->imageIndex, 1);  // closed from phase 150
}

TEST_F(Batteries, EachDirectionFiresFromItsMuzzle) {
    struct Case {
        int direction;
        double x, y, vx, vy;  // the bullet
        double fx, fy;        // the flame
    };
    // Fixtures at (100, 100): 16 x 24 upright, 24 x 16 on their side.
    const Case cases[] = {{0, 108, 92, 0, -200, 99, 80},
                          {1, 132, 108, 200, 0, 123, 96},
                          {2, 108, 132, 0, 200, 99, 120},
                          {3, 92, 108, -200, 0, 83, 96}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        CObjectRegistry::GetInstance()->Clear();
        Add<CNormalBattery>(100.0, 100.0, c.direction, 0)->Fire();
        Add<CBurner>(100.0, 100.0, c.direction, 0)->FireFlame();
        const auto shots = MadeAs("CBatteryShot");
        const auto flames = MadeAs("CBurnerFire");
        ASSERT_EQ(shots.size(), 1u);
        ASSERT_EQ(flames.size(), 1u);
        EXPECT_EQ(shots[0]->startX, c.x);
        EXPECT_EQ(shots[0]->startY, c.y);
        EXPECT_EQ(shots[0]->args, (LiveObjectArgs{c.vx, c.vy, 0}));
        EXPECT_EQ(flames[0]->startX, c.fx);
        EXPECT_EQ(flames[0]->startY, c.fy);
        EXPECT_EQ(flames[0]->args, (LiveObjectArgs{c.vx * 1.35, c.vy * 1.35, 0}));
    }
}

TEST_F(Batteries, ABurnerBlowsSixteenFlamesAtPhases1To76AfterItsFirstCloseAndShowsItsPhase) {
    clock.clock = 0.0;
    auto* burner = Add<CBurner>(300.0, 300.0, 1, 3);
    EXPECT_TRUE(ShotTimes("CBurnerFire", 81).empty());  // a new burner waits for one blow to end
    EXPECT_EQ(burner->flameCount, 0);
    Play(119);
    EXPECT_EQ(burner->imageIndex, 1);  // phase 199
    const auto times = ShotTimes("CBurnerFire", 200);
    std::vector<double> expected;
    for (int k = 0; k < 16; ++k) expected.push_back(200.0 + 1 + 5 * k);
    EXPECT_EQ(times, expected);
    Play(100);
    EXPECT_EQ(burner->imageIndex, 0);  // phase 99: open, not blowing

    const auto flames = MadeAs("CBurnerFire");
    EXPECT_EQ(flames[0]->startX, 300.0 + 24 - 1);  // a right-pointing burner: 24 x 16
    EXPECT_EQ(flames[0]->startY, 300.0 + 8 - 12);
    EXPECT_EQ(flames[0]->args, (LiveObjectArgs{270.0, 0.0, 0}));
}

TEST_F(Batteries, ALongFrameMakesOnlyOneFlame) {
    clock.clock = 190.0;
    auto* burner = Add<CBurner>(300.0, 300.0, 0, 3);
    Frames(1);            // phase 190: ready for the next blow
    clock.clock = 223.0;  // phase 23: multiples 0 to 20 passed at once
    Frames(1);
    EXPECT_EQ(MadeAs("CBurnerFire").size(), 1u);
    EXPECT_EQ(burner->flameCount, 1);
    Frames(1);  // still phase 23: 23 > 5, one more
    EXPECT_EQ(MadeAs("CBurnerFire").size(), 2u);
}

TEST_F(Batteries, FixturesWithoutTheirShotClassesKeepTheirCycleAndCannotBeKilled) {
    ClearLiveObjectCreators();
    clock.clock = 150.0;
    auto* b = Add<CNormalBattery>(300.0, 400.0, 2, 3);
    auto* f = Add<CBurner>(340.0, 400.0, 2, 3);
    Play(130);  // through a closed phase and a whole blow
    EXPECT_TRUE(b->fired);
    EXPECT_EQ(f->flameCount, 16);
    b->Kill();
    f->Kill();
    EXPECT_EQ(b->ReceiveAttack(Blow(999, {kAttackPowerHit, kAttackRedBurst})), kHitNoEffect);
    Frames(1);
    EXPECT_TRUE(CObjectRegistry::GetInstance()->Contains(b));
    EXPECT_TRUE(CObjectRegistry::GetInstance()->Contains(f));
}

}  // namespace
