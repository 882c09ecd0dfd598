#include "enemies/Moyashi002.h"

namespace {

constexpr double kCreepSpeed = 40.0;
constexpr double kCreepAccel = 200.0;

}  // namespace

const CMoyashiBase::Look CMoyashi002::kLook = {{{72, 176, 96, 208}, {72, 208, 96, 240}}, kAttackBlueBurst};

CMoyashi002::CMoyashi002(CStage* ownerStage, double px, double py, int facingIn)
    : CMoyashiBase(ownerStage, px, py, facingIn, kLook) {
    maxSpeedLeft = maxSpeedRight = kCreepSpeed;
    ax = facing == 1 ? kCreepAccel : -kCreepAccel;
}

void CMoyashi002::Creep() {
    if (isWithering) {
        vx = ax = 0.0;
    } else {
        ax = facing == 1 ? kCreepAccel : -kCreepAccel;
    }
}
