#pragma once
// The whirlwind: hangs where it was placed and sways 80 pixels either way along one axis, walls
// or not; nothing hurts it, and whoever runs into it is cut and thrown up and away. It never
// keeps a door shut.
#include "enemies/PatternEnemy.h"

class CTornado001 : public CPatternEnemy {
  public:
    // swayAxis 0 sways along x, anything else along y.
    CTornado001(CStage* owner, double x, double y, int facing, int swayAxis);
    ~CTornado001() override;

    void Act() override;
    void CollideWithMap() override {}
    void Draw() override;
    int Collide(IBase* other) override;
    int ReceiveAttack(AttackInfo) override { return kHitNoEffect; }

    static constexpr double kSwayReach = 80.0;
    static constexpr double kSwayPerFrame = 1.3 / 60.0;  // radians

    int swayAxis;

  private:
    CSpriteSheet left_, right_;
};
