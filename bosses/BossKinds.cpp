#include "bosses/BossKinds.h"

#include "bosses/BossShotKinds.h"
#include "bosses/LastBossKinds.h"
#include "bosses/StickManKinds.h"

void RegisterBossKinds() {
    RegisterBossShotKinds();
    RegisterLastBossKinds();
    RegisterStickManBossKinds();
}
