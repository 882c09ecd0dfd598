#pragma once
// CDevilBar: the last fight's second form, made and called back by CLastBoss_Controller.
#include "enemies/PatternEnemy.h"
#include "play/Characters.h"
#include "play/HitEffect.h"

class CLastBoss_Controller;

// The second form's states.
enum DevilState {
    kDevilDrop = 0,
    kDevilRest = 1,
    kDevilGlide = 2,
    kDevilRoar = 3,
    kDevilHover = 4,
    kDevilRecoil = 5,
    kDevilDarkBall = 6,
    kDevilCutters = 7,
    kDevilSweep = 8,
    kDevilBombRain = 9,
    kDevilLeap = 10,
    kDevilDive = 11,
    kDevilLanded = 12,
    kDevilRise = 13,
    kDevilDefeat = 14,
    kDevilCoreDrop = 15,
    kDevilRoll = 16,
};

// The second form: hovers from side to side above the floor and throws big dark balls that can be
// batted back, crescent blades, thunder sweeps and bomb rains, and leaps to dive onto the floor.
// Only blows with the last flag byte get past its guard.
class CDevilBar : public CPatternEnemy, public IAttackable {
  public:
    CDevilBar(CStage* owner, double x, double y, CLastBoss_Controller* controller);
    ~CDevilBar() override;

    void SetState(int s);
    void SetMoveMode(int m);
    bool RollGuardChance();
    void UpdateThunderRain();

    void Act() override;
    void Draw() override;
    void DrawDebug() override { DrawDebugBox(*this, kDebugCyan); }  // as the first form's
    int Collide(IBase*) override { return kHitImmune; }
    int ReceiveAttack(AttackInfo attack) override;
    void OnAttackHit(int, AttackInfo) override {}
    void OnAttackClash(int, AttackInfo, AttackInfo) override {}
    void AfterAttackClash() override {}

    static constexpr int kHitPoints = 100;

    int moveMode = 0;
    double moveFrames = 0;
    bool stepDone[2] = {};
    double angleToHero = 0;
    double explosionFrames = 9999.0;
    double rollAngle = 0;
    double hoverY = 0;
    double bobPhase = 0;
    double blinkFrames = 0;
    int guardCount = 0;
    double rainCharge = 0;
    double groundY = 0;
    int step = 0;
    int rainSide = 0;
    double leapCooldown = 0;
    bool firstSweepDone = false;
    bool firstRainDone = false;
    int attackCount = 0;
    ObjectHandle guardRing;
    ObjectHandle stompBox;

  private:
    CLastBoss_Controller* Controller() const;
    // One step of the state machine, handed to the state's own step.
    void StepState();
    void StepEntrance(double t);
    void StepHover(double t);
    void StepDarkBall(double t);
    void StepCutters(double t);
    void StepSweep(double t);
    void StepBombRain(double t);
    void StepLeapAttack(double t);
    void StepDefeat(double t);
    void StepMoveMode();
    void ChooseAttack();
    void ThrowCutters(double dy, double vy);
    void DropThunder(double x);
    void LandDive();
    void Resize(double w, double h);
    void DrawCore(bool wobble, double scale, double alpha) const;

    ObjectHandle controller_;
    CSpriteSheet body_;   // poses 0..2, upper legs, lower legs, core
    CSpriteSheet flash_;  // the same cells, lit
    CSpriteSheet cloth_;  // the first form's cloth, guard flash A and B
    CSpriteSheet orb_;    // the charge orb
};
