#pragma once
// The bar fighter: stands facing the hero and, with him in reach, dashes in, hops back and
// leaps at him with a chop that lands in a wide quarter circle. Variant 1 also winds up and
// charges with a long sweep, and follows its chop with a second swing and a slide. Drawn from
// body, hands, bar and swing effect.
#include "enemies/FighterEnemy.h"
#include "enemies/GroundHelpers.h"
#include "enemies/PartsFigure.h"

enum BarFighterState {
    kChopStand = 0,
    kChopFall = 1,
    kChopReady = 2,
    kChopDash = 3,
    kChopAirborne = 4,
    kChopHopBack = 5,
    kChopLeap = 6,
    kChopChop = 7,
    kChopSecondSwing = 8,
    kChopSlide = 9,
    kChopRecover = 10,
    kChopHopAway = 11,
    kChopWindUp = 12,
    kChopCharge = 13,
    kChopChargeAir = 14,
    kChopSweep = 15,
    kChopRecoil = 16,
    kChopStomped = 17,
};

class CChop001 : public CFighterEnemy {
  public:
    CChop001(CStage* owner, double x, double y, int facing, int variant);
    ~CChop001() override;

    void SetState(int s) override;
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    void OnBlowEnd() override { SetState(onGround ? kChopHopAway : kChopAirborne); }

    bool IsHeroInReach() const { return IsHeroAhead(256, 128, 40); }
    bool IsHeroClose() const { return IsHeroAhead(104, 192, 40); }
    // Behind it, too far, too high or low, or out of sight.
    bool IsHeroLost() const { return !IsHeroAhead(384, 288, 40); }
    // Stand when the hero is lost, hop back to leap when he is close, else dash.
    void NextMove();
    IBase* GetFootHitbox() const { return foot_.Get(); }

    int variant;
    double jumpStartY = 0;
    CPartsFigure figure;

  private:
    // The steps of the approach, the chop attack and the charge attack.
    void StepApproach(double f);
    void StepChopAttack(double f);
    void StepChargeAttack(double f);
    void MakeFoot();
    void MakeChop();
    void MakeSweep(int damage);
    // State 7 and 8: braking while it still moves forward, then standing still.
    void ChopBrake();

    CKeptChild foot_;
    CSpriteSheet left_, right_;                  // twenty poses, the bar, two hands
    CSpriteSheet bigSwingLeft_, bigSwingRight_;  // the chop's three swing effects
    CSpriteSheet sweepLeft_, sweepRight_;        // the sweep's two
};
