#pragma once
// CBarManPink: the fifth stick-man boss, an acrobat with thrown weapons. It hops about, throws
// aimed ninja stars from a spinning jump and a big star from a crouch, leaps high and hovers over
// the hero dropping bombs before a spinning fan of them, spins its bar into a wind that pushes
// the hero away, and low on hit points once raises a storm: a wind weather with a stream of stars
// across the screen. Whatever ends the storm gives the scene its weather back.
#include "bosses/BarManBase.h"
#include "play/ObjectHandle.h"

enum PinkState {
    kPinkChoose = 0,
    kPinkFall = 1,
    kPinkHighHop = 2,
    kPinkLowHop = 3,
    kPinkHighHopBack = 4,
    kPinkLowHopBack = 5,
    kPinkSpin = 6,
    kPinkStarThrown = 7,
    kPinkCrouchBigStar = 8,
    kPinkBigStar = 9,
    kPinkFollowThrough = 10,
    kPinkCrouchHigh = 11,
    kPinkHighJump = 12,
    kPinkHover = 13,
    kPinkBombFan = 14,
    kPinkBombFall = 15,
    kPinkCrouchWind = 16,
    kPinkWind = 17,
    kPinkWindRecover = 18,
    kPinkCrouchStorm = 19,
    kPinkStorm = 20,
    kPinkStormRecover = 21,
};

class CBarManPink : public CBarManBase {
  public:
    CBarManPink(CStage* owner, double x, double y, int facing, int creatorValue);

    void SetPinkState(int s);
    void StartStormWind();
    void RestoreWeather();

    int pinkState = kPinkChoose;
    double pinkStateTime = 0;
    bool highJumpDone = false;
    bool stormDone = false;
    int choiceCount = 0;
    double soundTimer = 0;
    double shotTimer = 0;
    // The wind of states 17 and 20, while it is there.
    ObjectHandle windBox;
    int savedWeather = 0;

    // Below this the storm comes once.
    static constexpr int kLowHitPoints = 91;

  protected:
    void UpdateAttack() override;
    void OnEnterState(int /*state*/) override { EndWind(); }
    void OnHurt() override { EndWind(); }
    void RestartAttack(bool /*afterIntro*/) override { SetPinkState(kPinkChoose); }
    bool IsAttackImmune() override { return false; }
    bool IsContactHarmless() override { return false; }
    bool IsClashProof() override { return pinkState == kPinkStorm; }
    int GetBarEffectKind() override { return pinkState == kPinkWind || pinkState == kPinkStorm ? 6 : 0; }
    double GetBarEffectTime() override { return pinkStateTime; }

  private:
    // The steps of the attack machine, one per move or attack.
    void StepMoves();
    void StepHops();
    void StepBigStar();
    void StepBombRun();
    void StepWind();
    void StepStorm();
    void Whirr();
    void EndOnGround(double frames, int next);
    void Choose(double dx, double dy);
    // The model took over: the wind stops and a storm gives the weather back.
    void EndWind();
    void ThrowStates(int s);
    void StormStar();
    double FrameStartCentreX() const { return (GetPreviousLeft() + GetPreviousRight()) / 2; }
    double FrameStartCentreY() const { return (GetPreviousTop() + GetPreviousBottom()) / 2; }
};
