#pragma once
// CNunoOtoko: the last fight's first form, made and called back by CLastBoss_Controller.
#include "enemies/PatternEnemy.h"
#include "play/Characters.h"
#include "play/HitEffect.h"

class CLastBoss_Controller;
class CNunoOtokoBarrier;

// The first form's states.
enum NunoState {
    kNunoEntrance = 0,
    kNunoIdle = 1,
    kNunoHurt = 2,
    kNunoVanish = 3,
    kNunoAppear = 4,
    kNunoTrack = 5,
    kNunoStream = 6,
    kNunoStreamSettle = 7,
    kNunoIce = 8,
    kNunoIceSettle = 9,
    kNunoBarrier = 10,
    kNunoBarrierHeld = 11,
    kNunoBombRain = 12,
    kNunoDefeat = 13,
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
