#pragma once
// The sprout that stays put (see CMoyashiBase); its touch bursts red.
#include "enemies/MoyashiBase.h"

class CMoyashi001 : public CMoyashiBase {
  public:
    CMoyashi001(CStage* owner, double x, double y, int facing);
    static const Look kLook;
};
