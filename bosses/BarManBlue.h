#pragma once
// CBarManBlue: the third stick-man boss, a marksman. It keeps its distance, hops toward or away
// from the hero, fires a sniper shot, a break shot or a pair of wave shots from a standing aim,
// and now and then throws one of four small machines that fight as its children. When it is
// beaten every machine still there bursts.
#include "bosses/BarManBase.h"
#include "play/ObjectHandle.h"

enum BlueState {
    kBlueChoose = 0,
    kBlueFalling = 1,
    kBlueHop = 2,
    kBlueHopBack = 3,
    kBlueLongHop = 4,
    kBlueAim = 5,
    kBlueRecover = 6,
};

enum BlueShot { kBlueSniper = 0, kBlueBreak = 1, kBlueWave = 2 };

class CBarManBlue : public CBarManBase {
  public:
    CBarManBlue(CStage* owner, double x, double y, int facing, int creatorValue);

    void SetBlueState(int s);
    void FireShot();
    void LaunchMachine();
    // Machines and the charge glow: everything the boss holds as children.
    int CountChildren() const;

    int blueState = kBlueChoose;
    double blueStateTime = 0;
    bool chargeShown = false;
    bool lowHpWaveUsed = false;
    int shotKind = kBlueSniper;
    double machineTimer = 9999.0;
    // The glow of the current wave-shot aim, while it is there.
    ObjectHandle chargeEffect;

    // Below this the wave shot is forced once, machines come faster and one more may be out.
    static constexpr int kLowHitPoints = 90;

  protected:
    void UpdateAttack() override;
    void OnEnterState(int state) override;
    void OnHurt() override { DropCharge(); }
    void RestartAttack(bool /*afterIntro*/) override { SetBlueState(kBlueChoose); }
    void OnBlowRecovered() override;
    bool IsAttackImmune() override { return false; }
    bool IsContactHarmless() override { return false; }
    bool IsClashProof() override { return false; }
    int GetBarEffectKind() override { return 0; }
    double GetBarEffectTime() override { return blueStateTime; }

  private:
    void Choose(double dx, double dy);
    void DropCharge();
    double MuzzleX() const { return facing == 1 ? prevX + width + 73 : prevX - 73; }
    double MuzzleY() const { return prevY + 10; }
};
