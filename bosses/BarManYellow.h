#pragma once
// CBarManYellow: the second stick-man boss, the fast one. It opens by dashing across the screen
// at the hero's height four times, leaps with a target marker on the hero and slams down raising
// pillars; between those sequences it runs, rushes, strikes in bursts, jumps in chains of slams
// and calls lightning, and once low on hit points a lightning storm.
#include <memory>

#include "bosses/BarManBase.h"
#include "engine/SpriteManager.h"
#include "play/ObjectHandle.h"

class CSprite;

enum YellowState {
    kYellowDecide = 0,
    kYellowAirborne = 1,
    kYellowRun = 2,
    kYellowBackOff = 3,
    kYellowReady = 4,
    kYellowReadyFast = 5,
    kYellowRush = 6,
    kYellowRushFast = 7,
    kYellowStop = 8,
    kYellowDashCall = 9,
    kYellowDash1 = 10,
    kYellowPause1 = 11,
    kYellowDash2 = 12,
    kYellowPause2 = 13,
    kYellowDash3 = 14,
    kYellowPause3 = 15,
    kYellowDash4 = 16,
    kYellowPause4 = 17,
    kYellowLastDash = 18,
    kYellowLeap = 19,
    kYellowSlam = 20,
    kYellowLanding = 21,
    kYellowLightning = 22,
    kYellowStorm = 23,
    kYellowBackHop = 24,
    kYellowRushToStrike = 25,
    kYellowStrikes = 26,
    kYellowStrikesEnd = 27,
    kYellowCrouch = 28,
    kYellowJumpAtHero = 29,
    kYellowFallingSlam = 30,
    kYellowSlamLanding = 31,
};

class CBarManYellow : public CBarManBase {
  public:
    CBarManYellow(CStage* owner, double x, double y, int facing, int creatorValue);
    ~CBarManYellow() override;

    void SetYellowState(int s);

    int yellowState = kYellowDecide;
    double yellowStateTime = 0;
    bool yellowOnce = false;
    bool openingDone = false;
    bool lowHpStormDone = false;
    int decideCount = 0;
    int thunderCount = 0;
    int strikeCount = 0;
    int jumpsLeft = 0;
    OwnedSprite markerA, markerB;
    // The dash or slam box of the current state, while it is there.
    ObjectHandle stateHitbox;

    // At or below this the storm is forced once and lightning grows likelier.
    static constexpr int kLowHitPoints = 85;
    // Decisions without the dash sequence after which it is forced again.
    static constexpr int kDecisionsPerSequence = 15;

  protected:
    void UpdateAttack() override;
    void RestartAttack(bool /*afterIntro*/) override { SetYellowState(kYellowDecide); }
    bool IsAttackImmune() override;
    bool IsContactHarmless() override;
    bool IsClashProof() override;
    int GetBarEffectKind() override;
    double GetBarEffectTime() override;
    void EnterAirborneState() override { SetYellowState(kYellowAirborne); }
    void DrawOverlay() override;

  private:
    // The speeds, pull, speed limits, guard chance and sound a new state starts with.
    void SetYellowMotion(int s, bool pause, bool dash);
    // The steps of the attack machine, one per move or attack.
    void StepMoves();
    void StepRush();
    void StepDashSequence();
    void StepThunder();
    void StepStrikes();
    void StepJumps();
    void ShowDashPose();
    void Decide(double dx);
    void RaisePillars();
    void CallBolt(double x);
    // Leave a run or back-off: mostly decide again, sometimes a back hop at the hero.
    void LeaveMostlyDeciding(int percent);
    bool IsDashing() const { return yellowState >= kYellowDash1 && yellowState <= kYellowSlam; }
};
