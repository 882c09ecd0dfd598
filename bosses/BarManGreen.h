#pragma once
// CBarManGreen: the fourth stick-man boss, a heavy brawler. It walks up to the hero or backs off,
// hops over walls, leaps to land just short of the hero and dives with a body blow, swings a
// short arc that sends a shock wave along the floor, and stamps so that rocks fall from the top
// of the screen. Low on hit points it makes, once, a bigger dive with a bigger wave.
#include "bosses/BarManBase.h"
#include "play/ObjectHandle.h"

enum GreenState {
    kGreenChoose = 0,
    kGreenFall = 1,
    kGreenWalk = 2,
    kGreenWalkBack = 3,
    kGreenWallHop = 4,
    kGreenCrouch = 5,
    kGreenLeap = 6,
    kGreenSpin = 7,
    kGreenDive = 8,
    kGreenDiveLanding = 9,
    kGreenShortHop = 10,
    kGreenStamp = 11,
    kGreenWindUp = 12,
    kGreenSwing = 13,
    kGreenWave = 14,
    kGreenBigCrouch = 15,
    kGreenBigJump = 16,
    kGreenLongSpin = 17,
    kGreenBigDive = 18,
    kGreenBigLanding = 19,
};

class CBarManGreen : public CBarManBase {
  public:
    CBarManGreen(CStage* owner, double x, double y, int facing, int creatorValue);

    void SetGreenState(int s);

    int greenState = kGreenChoose;
    double greenStateTime = 0;
    bool bigDiveDone = false;
    // The body blow of the current dive, while it is there.
    ObjectHandle attackBox;

    // Below this the big dive is forced until one lands.
    static constexpr int kLowHitPoints = 81;

  protected:
    void UpdateAttack() override;
    void OnEnterState(int /*state*/) override { DropAttackBox(); }
    void OnHurt() override { DropAttackBox(); }
    void RestartAttack(bool afterIntro) override { SetGreenState(afterIntro ? kGreenWalk : kGreenChoose); }
    bool IsAttackImmune() override { return false; }
    bool IsContactHarmless() override { return IsDiving(); }
    bool IsClashProof() override { return IsDiving(); }
    int GetBarEffectKind() override;
    double GetBarEffectTime() override { return greenStateTime + (greenState == kGreenWave ? 4 : 0); }
    void EnterAirborneState() override { SetGreenState(kGreenFall); }

  private:
    void Choose(double dx);
    void DropAttackBox();
    void DropRocks();
    void SendWave(int count, int maxHeight);
    bool IsDiving() const { return greenState == kGreenDive || greenState == kGreenBigDive; }
};
