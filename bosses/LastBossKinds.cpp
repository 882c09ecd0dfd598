#include "bosses/LastBossKinds.h"

#include "bosses/LastBoss.h"
#include "stage/LiveObjectFactory.h"

void RegisterLastBossKinds() {
    RegisterLiveObjectCreator("CLastBoss_Controller",
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new CLastBoss_Controller(owner, x, y, LiveArg(args, 0, false));
                              });
}
