#pragma once
// CHoseWater: one drop of the hero's hose. It flies off with the speed it is given, is braked
// horizontally until it falls straight, soaks the first object it hits (2 damage, the water flag)
// and splashes on the map.
#include "play/CommonShots.h"

class CHoseWater : public CWaterDropBase {
  public:
    // (x, y) is the top-left corner of the 8 x 8 drop; heroSide makes it one of the hero's shots.
    CHoseWater(CStage* owner, double x, double y, double vx, double vy, bool heroSide);
    int ReceiveAttack(AttackInfo attack) override;

    static constexpr int kLifetime = 180;
    // The knock-back speed a drop carries for its horizontal speed.
    static double AttackSpeedFor(double vx);
};
