// The spell-caster: untouchable while hidden or fading, its fade, the close hero that makes it
// vanish, the ball aimed at the hero, and the fade after every knock.
#include <cmath>

#include "enemies/Professor001.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class Caster : public GroundWorld {
  protected:
    CProfessor001* OnFloor(double x) {
        auto* c = Place<CProfessor001>(x, kFloorTop - 40.0 - 0.5, 1);
        Frames(2);
        return c;
    }
};

TEST_F(Caster, HiddenOrFadingNothingTouchesIt) {
    for (int s : {kCasterHidden, kCasterFadeIn, kCasterFadeOut}) {
        CProfessor001 c(stage.get(), 100, 200, 1);
        c.SetState(s);
        playtest::Target hero(stage.get(), 100, 200, kCategoryHero, kHitPushed);
        EXPECT_EQ(c.Collide(&hero), kHitImmune);
        EXPECT_TRUE(hero.received.empty());
        for (const AttackInfo& a : EveryAttack()) EXPECT_EQ(c.ReceiveAttack(a), kHitImmune);
        EXPECT_EQ(c.hitPoints, 10);
    }
    CProfessor001 c(stage.get(), 100, 200, 1);
    c.SetState(kCasterFadeIn);
    c.stateFrames = 10;
    EXPECT_DOUBLE_EQ(c.Alpha(), 0.5);
    c.SetState(kCasterAppear);
    EXPECT_EQ(c.ReceiveAttack(Attack(0)), kHitHurt);  // knocked, not hurt
    CProfessor001 d(stage.get(), 100, 200, 1);
    d.SetState(kCasterCast);
    EXPECT_EQ(d.ReceiveAttack(Attack(10)), kHitDefeated);
}

// A hero within 64 both ways makes it vanish from the seventh frame of its appearance on.
TEST_F(Caster, ACloseHeroMakesItVanishInsteadOfCasting) {
    CProfessor001* c = OnFloor(300);
    PlaceHero(c->centerX + 30, c->centerY);
    c->SetState(kCasterAppear);
    c->stateFrames = 6.0;
    Frames(1);
    EXPECT_EQ(c->state, kCasterAppear);
    Frames(1);
    EXPECT_EQ(c->state, kCasterFadeOut);
}

TEST_F(Caster, TheBallFliesAtTheHeroAtOneHundredSeventy) {
    RecordShots({"CMagicalBall"});
    CProfessor001* c = OnFloor(300);
    PlaceHero(c->centerX + 200, c->centerY - 100);
    c->SetState(kCasterCast);
    c->stateFrames = 100.0;
    Frames(1);
    EXPECT_TRUE(fired.empty());
    Frames(1);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_NEAR(std::hypot(fired[0].vx, fired[0].vy), 170.0, 1e-9);
    EXPECT_GT(fired[0].vx, 0.0);
    EXPECT_LT(fired[0].vy, 0.0);
    EXPECT_EQ(c->state, kCasterAfterCast);
}

TEST_F(Caster, EveryKnockEndsInAFadeOut) {
    CProfessor001* c = OnFloor(300);
    c->SetState(kCasterCast);
    EXPECT_EQ(c->ReceiveAttack(Attack(1)), kHitHurt);
    for (int i = 0; i < 60 && c->isBlown; ++i) Frames(1);
    EXPECT_EQ(c->state, kCasterFadeOut);
}

}  // namespace
