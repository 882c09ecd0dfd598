#pragma once
// The bat, a flyer that looks at the hero all the time.
//
// CBat001 hangs still until the hero comes within 320 pixels on both axes, then turns its heading
// smoothly toward him and bites: variant 0 creeps close, winds up and dashes once, then backs
// off; variant 1 winds up and chases him for four seconds at least. It dodges a swing while it
// creeps up, recoils from a touch, and one hit point is all it has.
#include "enemies/PatternEnemy.h"

class CBat001 : public CPatternEnemy, public IAttackable {
  public:
    CBat001(CStage* owner, double x, double y, int variant);
    ~CBat001() override;

    void SetState(int s);
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;
    void OnHeroAttackStarted() override;
    void OnBlowEnd() override { SetState(kHang); }

    void OnAttackHit(int result, AttackInfo mine) override;
    void OnAttackClash(int result, AttackInfo mine, AttackInfo theirs) override;
    void AfterAttackClash() override { clashGuard = true; }

    // The bite while the bat has it.
    IBase* GetBite() const { return bite_.Get(); }

    // The hero wakes the bat when he is nearer than this on both axes.
    static constexpr double kWakeDistance = 320.0;

    enum { kHang = 0, kCreep = 1, kDodge = 2, kWindUp = 3, kDash = 4, kBackOff = 5, kChase = 6, kBrake = 7 };

    int variant = 0;
    bool clashGuard = false;
    double targetAngle = 0;  // toward the hero
    double heading = 0;      // where it flies, turned toward targetAngle
    double wingPhase = 0;

  private:
    void StartWindUp();
    void TurnHeading();
    // Flying along the heading, faster each frame up to `top`.
    void FlyAlongHeading(int steps, double stepSpeed, double top);
    void CreateBite();
    void RemoveBite();

    ObjectHandle bite_;
    CSpriteSheet body_;   // neutral, then the eight looks
    CSpriteSheet wings_;  // resting, wind-up, attack
};
