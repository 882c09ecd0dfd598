#pragma once
// The last fight: an invisible controller, the one boss the play scene knows, that makes the first
// form (CNunoOtoko), hands it the scene's entrance, makes the second form (CDevilBar) when the first
// is beaten and reports the defeat once the second has played out. The forms are ordinary enemies
// that call their controller back; every reference between the three is a handle, so a form that
// the registry refused or already removed is simply absent.
#include "enemies/PatternEnemy.h"
#include "play/Characters.h"
#include "play/HitEffect.h"

class CNunoOtoko;
class CDevilBar;
class CNunoOtokoBarrier;
class CSprite;

class CLastBoss_Controller : public IBoss {
  public:
    // `facing` is the first form's starting facing (true: right). The forms are not made here: the
    // first comes with the controller's first update, once the registry holds the controller.
    CLastBoss_Controller(CStage* owner, double x, double y, bool facing);

    void Act() override;
    void CollideWithMap() override {}
    void Draw() override {}
    void DrawDebug() override { DrawDebugBox(*this); }
    // It touches nothing and nothing hurts it.
    int Collide(IBase*) override { return kHitImmune; }
    int ReceiveAttack(AttackInfo) override { return kHitImmune; }
    // Plays the first form's entrance while the scene holds the world still.
    bool EntranceStep() override;
    bool IsFinalBoss() override { return true; }

    // The fight's phases, in order.
    enum Phase { kPhaseEntrance = 0, kPhaseFirstForm = 1, kPhaseSecondForm = 2, kPhaseOver = 3 };
    void SetPhase(Phase p);
    // The callbacks of the forms; each does nothing unless the phase and the forms fit.
    void OnNunoOtokoEntered();
    void SpawnDevilBar();
    void RemoveNunoOtoko();
    void FinishFight();

    CNunoOtoko* GetNunoOtoko() const;
    CDevilBar* GetDevilBar() const;

    Phase phase = kPhaseEntrance;
    double phaseFrames = 0;
    bool registered = false;

  private:
    void MakeFirstForm();

    bool startFacing_;
    bool firstFormMade_ = false;
    ObjectHandle nunoOtoko_;
    ObjectHandle devilBar_;
};

// The first form: a floating figure with a cloth that teleports, fires dark streams and ice balls,
// raises two orbiting barriers and once calls down a rain of bombs. Touching it makes it vanish.
class CNunoOtoko : public CPatternEnemy, public IAttackable {
  public:
    CNunoOtoko(CStage* owner, double x, double y, bool facing, CLastBoss_Controller* controller);
    ~CNunoOtoko() override;

    void SetState(int s);
    void Act() override;
    void CollideWithMap() override {}
    void Draw() override;
    void DrawDebug() override { DrawDebugBox(*this, kDebugCyan); }
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo attack) override;
    void OnAttackHit(int, AttackInfo) override {}
    void OnAttackClash(int, AttackInfo, AttackInfo) override {}
    void AfterAttackClash() override {}

    // The barrier orb i (0 or 1) while it is up, else null.
    CNunoOtokoBarrier* GetBarrier(int i) const;

    static constexpr int kHitPoints = 140;
    static constexpr int kRainHitPoints = 55;

    double shotFrames = 9999.0;
    double explosionFrames = 9999.0;
    double hoverFrames = 0;
    double rainFrames = 0;
    int rainStep = 0;
    bool rainDone = false;

  private:
    CLastBoss_Controller* Controller() const;
    void StopVertically();
    // Steers the height toward the hero's while moving away from it.
    void TrackHero(double accel);
    void ChooseFromIdle();
    void Teleport();
    void FireDarkBall();
    void ThrowIceBalls();
    void RaiseBarriers();
    void DropBarriers();
    void StepBombRain();
    // Ends the screen tint and drops the barriers: every hit and every vanishing touch does it.
    void BreakOff();

    ObjectHandle controller_;
    ObjectHandle barriers_[2];
    CSpriteSheet left_;   // body frames 0..3 and cloth A
    CSpriteSheet right_;  // body frames 0..3 and cloth B
    CSpriteSheet glows_;  // dark inner, dark outer, ice inner, ice outer
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

namespace lastboss {
// The world rectangle that the screen shows.
struct ScreenRect {
    double left, top, right, bottom;
};
ScreenRect GetScreenRect();
// Every child bursts (effect 4 at its centre) and goes: a beaten form takes its shots with it.
void BurstChildren(IBase& form);
// A random point of the object's box, in whole pixels.
void RandomPointIn(const IBase& o, int* x, int* y);
// Draws the sprite at a world point with a depth, alpha, turn and scale; nothing at alpha 0.
void PutSprite(CSprite* sprite, double x, double y, double depth, double alpha, double turn, double scale);
}  // namespace lastboss
