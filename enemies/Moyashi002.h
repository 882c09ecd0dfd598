#pragma once
// The sprout that creeps toward the hero (see CMoyashiBase); its touch bursts blue.
#include "enemies/MoyashiBase.h"

class CMoyashi002 : public CMoyashiBase {
  public:
    CMoyashi002(CStage* owner, double x, double y, int facing);
    static const Look kLook;

  protected:
    // Walks slowly toward the hero; stops dead once withering.
    void Creep() override;
};
