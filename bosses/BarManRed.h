#pragma once
// CBarManRed: the first stick-man boss, a close fighter. It walks, runs and hops around the hero,
// swings its bar ahead, strikes upward in a quarter circle, whirls out of a crouch, dives from
// the air, throws fire along the floor and, once its hit points run low, charges across the
// arena and lunges.
#include "bosses/BarManBase.h"

// The red boss's attack states (run in the model's free state).
enum RedState {
    kRedDecide = 0,
    kRedAirborne = 1,
    kRedRun = 2,
    kRedBackOff = 3,
    kRedHop = 4,
    kRedBackHop = 5,
    kRedWallHop = 6,
    kRedReadySwing = 7,
    kRedSwing = 8,
    kRedReadyDash = 9,
    kRedDash = 10,
    kRedDashSwing = 11,
    kRedUpperStrike = 12,
    kRedCrouch = 13,
    kRedWhirl = 14,
    kRedFall = 15,
    kRedLanding = 16,
    kRedHover = 17,
    kRedDive = 18,
    kRedDiveLanding = 19,
    kRedBrace = 20,
    kRedCharge = 21,
    kRedChargeStop = 22,
    kRedLunge = 23,
    kRedBrake = 24,
    kRedFire = 25,
};

class CBarManRed : public CBarManBase {
  public:
    CBarManRed(CStage* owner, double x, double y, int facing, int creatorValue);

    void SetRedState(int s);

    int redState = kRedDecide;
    double redStateTime = 0;
    bool redOnce = false;
    bool lowHpDashUsed = false;

    // The low-hit-point charge is forced once at or below this.
    static constexpr int kLowHitPoints = 100;

  protected:
    void UpdateAttack() override;
    void RestartAttack(bool afterIntro) override { SetRedState(afterIntro ? kRedRun : kRedDecide); }
    bool IsAttackImmune() override;
    bool IsContactHarmless() override;
    bool IsClashProof() override { return false; }
    int GetBarEffectKind() override;
    double GetBarEffectTime() override { return redStateTime; }
    void EnterAirborneState() override { SetRedState(kRedAirborne); }

  private:
    // The steps of the attack machine, one per move or attack.
    void StepMoves();
    void StepSwings();
    void StepUpperStrikes();
    void StepDive();
    void StepCharge();
    void StepFire();
    enum Strike { kSwing, kDashSwing, kLunge, kUpper, kWhirlBox, kDiveBox };
    void MakeStrike(Strike which);
    void Decide(double dx, double dy);
    bool HeroAbove(double dy) const { return dy > -160 && dy < -64; }
    bool HeroCloseAhead(double dx) const { return facing == 1 ? dx < 144 : dx > -144; }
    bool WallAhead() const { return facing == 1 ? touchRight : touchLeft; }
};
