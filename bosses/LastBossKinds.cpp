#include "bosses/LastBossKinds.h"

#include <memory>

#include "bosses/LastBoss.h"
#include "play/LiveObjectFactory.h"

void RegisterLastBossKinds() {
    RegisterLiveObjectCreator(
        "CLastBoss_Controller",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CLastBoss_Controller>(owner, x, y, LiveArg(args, 0, false));
        });
}
