#pragma once
// The thrower: stands facing the hero and, when he comes within reach in front of it, lifts a
// ball over its head and throws it, jumping first when he is high above or far off. Kind 0
// throws volleyballs, kind 1 rolling rocks (slower to start again).
#include "enemies/GroundEnemy.h"

enum ThrowerState { kThrowWait = 0, kThrowWindUp = 1, kThrowDone = 2, kThrowStomped = 3, kThrowRecoil = 4 };

class CNageru001 : public CGroundEnemy {
  public:
    CNageru001(CStage* owner, double x, double y, int facing, int kind);
    ~CNageru001() override;

    void SetState(int s) override;
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override { return TakeHit(info, 4); }
    void OnBlowEnd() override { SetState(kThrowWait); }

    // The hero ahead (or level) by at most 224 and no more than 192 above.
    bool IsHeroInThrowRange() const;
    int ChooseCell(double* scale) const;

    static constexpr double kGravity = 600.0;

    int kind;

  private:
    void Throw();

    CSpriteSheet left_, right_;
    CSpriteSheet held_;  // the ball lifted over its head
};
