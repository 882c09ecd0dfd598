#pragma once
// The flower that throws a baseball; water only provokes it into throwing at once (and makes it
// flash).
#include "enemies/FlowerBase.h"

class CFlower001 : public CFlowerBase {
  public:
    CFlower001(CStage* owner, double x, double y);
    static const Kind kKind;
};
