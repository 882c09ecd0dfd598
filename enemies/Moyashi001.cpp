#include "enemies/Moyashi001.h"

const CMoyashiBase::Look CMoyashi001::kLook = {{{72, 112, 96, 144}, {72, 144, 96, 176}}, kAttackRedBurst};

CMoyashi001::CMoyashi001(CStage* ownerStage, double px, double py, int facingIn)
    : CMoyashiBase(ownerStage, px, py, facingIn, kLook) {}
