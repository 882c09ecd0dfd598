#pragma once
// The dropping fish: it swims straight through walls at the hero, stops above him and drops a
// ball. Any attack beats it.
#include "enemies/PatternEnemy.h"

class CFish003 : public CPatternEnemy {
  public:
    CFish003(CStage* owner, double x, double y, int facing);
    ~CFish003() override;

    void SetState(int s);
    void Act() override;
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo info) override;
    // The hero will pass under the fish before a dropped ball could miss him.
    bool IsHeroInThrowRange() const;

    enum { kApproach = 0, kWindUp = 1, kThrown = 2, kRecoil = 3, kRecoilThrown = 4 };

  private:
    void SwimOn();

    CSpriteSheet left_, right_;  // swim, after the throw, wind-up 1, wind-up 2
};
