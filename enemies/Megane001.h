#pragma once
// The hopping fighter: keeps turning to the hero, jumps walls, ledges and up to a hero standing
// higher, and jumps the hero's own swings. Variant 0 swings a bar close in and hops back;
// variant 1 throws baseballs from further off and hops away from a hero who comes too close.
#include "enemies/FighterEnemy.h"
#include "enemies/GroundHelpers.h"

enum HoppingFighterState {
    kHopWalk = 0,
    kHopStomped = 1,
    kHopRecoil = 2,
    kHopWindUp = 3,
    kHopRecover = 4,
    kHopAway = 5
};

class CMegane001 : public CFighterEnemy {
  public:
    CMegane001(CStage* owner, double x, double y, int facing, int variant);
    ~CMegane001() override;

    void SetState(int s) override;
    bool ShouldJump() const;
    bool IsHeroInAttackRange() const;
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    void OnHeroAttackStarted() override;
    void OnBlowEnd() override;

    IBase* GetSwingHitbox() const { return swing_.Get(); }

    static constexpr double kGravity = 700.0;

    // The attack's frame counts: wind-up on the ground and in the air, recovery likewise.
    struct Timing {
        double windUpGround, windUpAir, recoverGround, recoverAir;
    };

    int variant;
    double jumpStartX;
    double turnFrames = 0;
    const Timing& timing;

  private:
    void GroundBrake();
    void Jump(double speed);
    // A hop away from the hero at the given speed.
    void HopAway(double speed, double lift);
    void Attack();

    CKeptChild swing_;
    CSpriteSheet left_, right_, swingLeft_, swingRight_;
};
