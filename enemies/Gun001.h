#pragma once
// The gunner: stands with a gun in its hands, turns to the hero and, when he is in its line of
// fire, raises the gun and fires bursts: three water shots (variant 0) or eight machine-gun
// shots with a muzzle flash (variant 1). It never walks.
#include "enemies/GroundEnemy.h"
#include "enemies/PartsFigure.h"

enum GunnerState {
    kGunStand = 0,
    kGunFall = 1,
    kGunRaise = 2,
    kGunAim = 3,
    kGunFire = 4,
    kGunLower = 5,
    kGunRecoil = 6,
    kGunStomped = 7,
};

class CGun001 : public CGroundEnemy {
  public:
    CGun001(CStage* owner, double x, double y, int facing, int variant);
    ~CGun001() override;

    // Entering the fire state fires a shot.
    void SetState(int s) override;
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override { return TakeHit(info, 4); }
    void OnBlowEnd() override { SetState(onGround ? kGunStand : kGunFall); }

    bool IsHeroInLineOfFire() const { return IsHeroAhead(288, 64, 64); }
    // Behind it, too far, too high or low, or out of sight.
    bool IsHeroLost() const { return !IsHeroAhead(320, 200, 200); }
    int ChoosePose() const;

    int variant;
    int shotCount = 0;  // shots of the running burst after its first
    CPartsFigure figure;

  private:
    void Fire();
    void StandOrFall() { SetState(onGround ? kGunStand : kGunFall); }

    CSpriteSheet left_, right_;  // ten poses, the gun, two hands
};
