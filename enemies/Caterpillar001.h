#pragma once
// The walking bomb: sits facing the hero until he comes in front of it within reach and in
// sight, then lights its fuse and runs after him showing the seconds left, and blows up in a red
// burst when the fuse is out. Blows only knock it back (and light the fuse); a fiery one sets it
// off at once.
#include "enemies/GroundEnemy.h"

enum WalkingBombState { kBombWait = 0, kBombChase = 1, kBombKnocked = 2 };

class CCaterpillar001 : public CGroundEnemy {
  public:
    CCaterpillar001(CStage* owner, double x, double y, int facing, int fuseSeconds);
    ~CCaterpillar001() override;

    void SetState(int s) override;
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;

    // The hero ahead within 256, from 128 above to 40 below, and not behind a wall.
    bool IsHeroInReach() const { return IsHeroAhead(256, 128, 40); }
    // The burst, the bang, and gone for the rest of the visit; nothing once dead.
    void Explode();
    // The picture shown: 0 waiting, 1..7 the seconds left, 8 the flash of the last second.
    int ChooseFrame() const;

    static constexpr double kGravity = 600.0;
    static constexpr int kBurstRadius = 56;

    double fuse;  // frames left; burns once chasing or knocked

  private:
    CSpriteSheet left_, right_;  // frame x 2 + walk phase
};
