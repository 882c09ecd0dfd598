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
    // The devil bar's dive raises shock waves through the table: count, direction (0 left,
    // 1 right), highest pillar, hero's side.
    RegisterLiveObjectCreator(
        "CShockWave", [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
            return new CShockWave(owner, x, y, LiveArg(args, 0, 20), LiveArg(args, 1, 0),
                                  LiveArg(args, 2, 64), LiveArg(args, 3, false));
        });
}
