#include "enemies/Flower001.h"

const CFlowerBase::Kind CFlower001::kKind = {
    {{0, 0, 40, 40}, {40, 0, 80, 40}, {80, 0, 120, 40}, {0, 40, 40, 80}, {40, 40, 80, 80}, {80, 40, 120, 80}},
    "CBaseball",
    -400.0,
    450.0,
    200.0,
    8.0,
    36.0,
    kAttackWater,
    true};

CFlower001::CFlower001(CStage* ownerStage, double px, double py) : CFlowerBase(ownerStage, px, py, kKind) {}
