#include "bosses/BossShotKinds.h"

#include "bosses/BossShots.h"
#include "stage/LiveObjectFactory.h"

void RegisterBossShotKinds() {
    // The rock weather drops rocks through the table: arguments vx, vy; an enemy shot.
    RegisterLiveObjectCreator("CFallingRock",
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new CFallingRock(owner, x, y, LiveArg<double>(args, 0, 0.0),
                                                          LiveArg<double>(args, 1, 0.0), false);
                              });
}
