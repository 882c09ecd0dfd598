#pragma once
// The big kid, faster than the small one (see CKidBase).
#include "enemies/KidBase.h"

class CKid002 : public CKidBase {
  public:
    CKid002(CStage* owner, double x, double y, int facing);
    static const KidTuning kTuning;
};
