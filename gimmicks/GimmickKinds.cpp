#include "gimmicks/GimmickKinds.h"

#include "gimmicks/BlockAndHazardKinds.h"
#include "gimmicks/PassageKinds.h"
#include "gimmicks/SwitchAndLiftKinds.h"

void RegisterGimmickKinds() {
    RegisterSwitchAndLiftKinds();
    RegisterPassageAndPickupKinds();
    RegisterBlockAndHazardKinds();
}
