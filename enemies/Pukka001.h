#pragma once
// The bumper: it floats in place, cannot be hurt and flings away whatever touches it.
#include "enemies/PatternEnemy.h"

class CPukka001 : public IEnemy {
  public:
    CPukka001(CStage* owner, double x, double y);
    ~CPukka001() override;

    void Act() override;
    void CollideWithMap() override { ResolveMapCollision(); }
    void Draw() override;
    // Flings the other away from the bumper's centre at 700 and squashes for 20 frames.
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitNoEffect; }

    double bounceFrames = 0;

  private:
    CSpriteSheet sheet_;  // idle, squashed
};
