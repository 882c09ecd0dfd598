// Switches: how each kind turns its colour flag on and off under presses and releases, the
// sparkle of each change, the timer's ticks and the colour flags shared by all switches.
#include "engine/SoundIds.h"
#include "gimmicks/Switches.h"
#include "stage/StageChips.h"
#include "tests/gimmicks/switch_lift_env.h"

using namespace gimmicktest;

namespace {

constexpr int kRed = 0, kGreen = 1, kBlue = 2;

class Switches : public MachineryWorld {
  protected:
    void SetUp() override {
        MachineryWorld::SetUp();
        if (HasFatalFailure()) return;
        SwitchColorStates::Reset();
        Fill(0, 10, 59, 10, 40);  // rock floor with its top at y = 320
        Relations({{kCategorySwitch, kCategoryHero, 4}, {kCategorySpringSwitch, kCategoryHero, 4}});
        hero = Hero(1000, 100);
        hero->ignoresMap = true;
    }
    void TearDown() override {
        SwitchColorStates::Reset();
        MachineryWorld::TearDown();
    }
    // The hero stands on the switch (or anywhere else).
    void Press(const IBase* s) {
        hero->x = s->x + 4;
        hero->y = s->y + 4;
    }
    void Release() { hero->x = 1000; }
    int Sparkles() const {
        int n = 0;
        for (const MadeEffect& e : Made()) n += e.kind == 29;
        return n;
    }

    playtest::Thing* hero = nullptr;
};

TEST_F(Switches, APushSwitchSettlesOnTheFloorAndTurnsOnOnceForGood) {
    auto* s = Add<CPushSwitch>(32 * 5 + 3, 32 * 9 + 8, kGreen);
    Frames(3);
    EXPECT_NEAR(s->GetBottom(), 320.0, 1.0);  // resting on the floor, not sinking
    EXPECT_FALSE(SwitchColorStates::IsOn(kGreen));
    Press(s);
    Frames(5);
    Release();
    Frames(3);
    Press(s);
    Frames(2);
    EXPECT_TRUE(SwitchColorStates::IsOn(kGreen));
    EXPECT_FALSE(SwitchColorStates::IsOn(kRed) || SwitchColorStates::IsOn(kBlue));
    ASSERT_EQ(Made().size(), 1u);  // one sparkle, in the middle of the box
    EXPECT_EQ(Made()[0].kind, 29);
    EXPECT_EQ(Made()[0].x, (163 + 189) / 2);
    EXPECT_EQ(Made()[0].y, (296 + 320) / 2);
    s->Kill();  // a switch is not ended by Kill
    Frames(2);
    EXPECT_EQ(All<CPushSwitch>().size(), 1u);
}

TEST_F(Switches, ColourFlagsAreSharedSoTheTimersEndClearsWhatAPushSwitchSet) {
    auto* push = Add<CPushSwitch>(100, 296, kRed);
    auto* timer = Add<CTimerSwitch>(300, 290, kRed);
    auto* odd = Add<CForceSwitch>(500, 292, 7);
    Relations({{kCategorySwitch, kCategoryHero, 4}, {kCategoryForceSwitch, kCategoryHero, 4}});
    Press(timer);
    Frames(1);
    Press(push);
    Frames(1);
    Press(odd);
    Frames(1);
    Release();
    EXPECT_TRUE(SwitchColorStates::IsOn(kRed));
    EXPECT_TRUE(odd->IsOn());  // drawn pressed, but no colour of its own
    EXPECT_FALSE(SwitchColorStates::IsOn(kGreen) || SwitchColorStates::IsOn(kBlue));
    Frames(500);
    EXPECT_FALSE(timer->IsOn());
    EXPECT_FALSE(SwitchColorStates::IsOn(kRed));
    EXPECT_TRUE(push->IsOn());
    // The red switch blocks follow the flag.
    EXPECT_FALSE(IsPassableChip(58));
    EXPECT_TRUE(IsPassableChip(59));
}

TEST_F(Switches, TheTimerTicksTwentyTimesEachInTheFirstFramePastItsTimeThenTurnsOff) {
    auto* s = Add<CTimerSwitch>(163, 290, kBlue);
    Press(s);
    Frames(1);
    Release();
    ASSERT_TRUE(SwitchColorStates::IsOn(kBlue));
    const double tickTimes[] = {30,  60,  90,  120, 150, 180, 210,   240, 270, 285,
                                300, 315, 330, 360, 390, 405, 412.5, 420, 435, 450};
    int ticks = 0;
    double before = s->GetTimer();
    bool pressedAgain = false;
    while (s->IsOn()) {
        if (!pressedAgain && before > 200) {
            Press(s);  // pressing a running timer neither restarts it nor sparkles
            pressedAgain = true;
        } else if (pressedAgain) {
            Release();
        }
        Frames(1);
        if (!s->IsOn()) break;
        if (s->GetTicks() != ticks) {
            ASSERT_EQ(s->GetTicks(), ticks + 1);
            EXPECT_GT(s->GetTimer(), tickTimes[ticks]);
            EXPECT_LE(before, tickTimes[ticks]);
            ++ticks;
        }
        before = s->GetTimer();
        ASSERT_LT(before, 500.0);
    }
    EXPECT_EQ(ticks, 20);
    EXPECT_GT(before, 450.0);
    EXPECT_FALSE(SwitchColorStates::IsOn(kBlue));
    EXPECT_EQ(Sparkles(), 2);  // on and off
}

TEST_F(Switches, TheTimersTwoSoundsAlternateWithOnePairDoubledNearTheEnd) {
    const int a = SoundId::kTimer1, b = SoundId::kTimer2;
    const int expected[20] = {a, b, a, b, a, b, a, b, a, b, a, b, a, b, a, b, b, a, b, a};
    for (int n = 0; n < 20; ++n) EXPECT_EQ(CTimerSwitch::TickSound(n), expected[n]) << "tick " << n;
}

TEST_F(Switches, ALongFrameThatPassesSeveralTickTimesMakesThemUpOnePerFrame) {
    auto* s = Add<CTimerSwitch>(163, 290, kRed);
    Press(s);
    Frames(1);
    Release();
    SetFrame(1.0f);  // 60 frames at once: past 30 and 60
    Frames(1);
    EXPECT_EQ(s->GetTicks(), 1);
    SetFrame(1.0f / 64.0f);
    Frames(1);
    EXPECT_EQ(s->GetTicks(), 2);
    Frames(1);
    EXPECT_EQ(s->GetTicks(), 2);
}

TEST_F(Switches, AChangeSwitchFlipsOncePerContact) {
    auto* s = Add<CChangeSwitch>(163, 296, kRed);
    Press(s);
    Frames(20);  // standing on it
    EXPECT_TRUE(SwitchColorStates::IsOn(kRed));
    EXPECT_EQ(Sparkles(), 1);
    Release();
    Frames(1);  // one frame off is enough
    Press(s);
    Frames(3);
    EXPECT_FALSE(SwitchColorStates::IsOn(kRed));
    EXPECT_FALSE(s->IsOn());
    EXPECT_EQ(Sparkles(), 2);
}

TEST_F(Switches, ASpringSwitchHoldsItsColourOnlyWhileTouched) {
    auto* s = Add<CSpringSwitch>(163, 296, kGreen);
    Press(s);
    Frames(10);
    EXPECT_TRUE(SwitchColorStates::IsOn(kGreen));
    EXPECT_EQ(Sparkles(), 1);
    Release();
    Frames(1);  // the release shows in the first update after a frame without contact
    EXPECT_TRUE(s->IsOn());
    Frames(1);
    EXPECT_FALSE(s->IsOn());
    EXPECT_FALSE(SwitchColorStates::IsOn(kGreen));
    EXPECT_EQ(Sparkles(), 2);
    Press(s);
    Frames(1);
    EXPECT_TRUE(SwitchColorStates::IsOn(kGreen));
}

}  // namespace
