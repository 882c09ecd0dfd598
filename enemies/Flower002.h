#pragma once
// The flower that throws a bomb; bursts and fire leave it untouched.
#include "enemies/FlowerBase.h"

class CFlower002 : public CFlowerBase {
  public:
    CFlower002(CStage* owner, double x, double y);
    static const Kind kKind;
};
