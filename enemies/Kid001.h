#pragma once
// The small kid (see CKidBase).
#include "enemies/KidBase.h"

class CKid001 : public CKidBase {
  public:
    CKid001(CStage* owner, double x, double y, int facing);
    static const KidTuning kTuning;
};
