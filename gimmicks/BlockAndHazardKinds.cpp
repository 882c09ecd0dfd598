#include "gimmicks/BlockAndHazardKinds.h"

#include "gimmicks/Batteries.h"
#include "gimmicks/Blocks.h"
#include "gimmicks/GearAndHouse.h"
#include "gimmicks/IronBallAndBombs.h"
#include "play/CommonShots.h"
#include "stage/LiveObjectFactory.h"

namespace {

// A creator for the classes built from (owner stage, x, y) alone.
template <class T>
void RegisterPlain(const char* liveClass) {
    RegisterLiveObjectCreator(liveClass,
                              [](CStage* owner, double x, double y, const LiveObjectArgs&) -> IBase* {
                                  return new T(owner, x, y);
                              });
}

// A creator for the fixtures built from (owner stage, x, y, direction, timing).
template <class T>
void RegisterFixture(const char* liveClass) {
    RegisterLiveObjectCreator(liveClass,
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new T(owner, x, y, LiveArg(args, 0, 0), LiveArg(args, 1, 3));
                              });
}

}  // namespace

void RegisterBlockAndHazardKinds() {
    RegisterPlain<CWoodBlock001>("CWoodBlock001");
    RegisterLiveObjectCreator("CWoodBlock002",
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new CWoodBlock002(owner, x, y, LiveArg(args, 0, std::string()));
                              });
    RegisterPlain<CWoodBlock003>("CWoodBlock003");
    RegisterPlain<CWoodBlock004>("CWoodBlock004");
    RegisterPlain<CStoneBlock001>("CStoneBlock001");
    RegisterPlain<CStoneBlock002>("CStoneBlock002");
    RegisterPlain<CStoneBlock003>("CStoneBlock003");
    RegisterPlain<CStoneBlock004>("CStoneBlock004");
    RegisterFixture<CNormalBattery>("CNormalBattery");
    RegisterFixture<CBurner>("CBurner");
    RegisterPlain<CIronBall>("CIronBall");
    RegisterPlain<CSwitchBomb>("CSwitchBomb");
    RegisterPlain<CFloatingBomb>("CFloatingBomb");
    RegisterLiveObjectCreator(
        "CAirGear", [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
            return new CAirGear(owner, x, y, LiveArg(args, 0, 0), LiveArg(args, 1, 0.0));
        });
    RegisterPlain<CDevilHouse>("CDevilHouse");
    // What the batteries and burners fire: (vx, vy), never the hero's.
    RegisterLiveObjectCreator(
        "CBatteryShot", [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
            return new CBatteryShot(owner, x, y, LiveArg(args, 0, 0.0), LiveArg(args, 1, 0.0), false);
        });
    RegisterLiveObjectCreator(
        "CBurnerFire", [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
            return new CBurnerFire(owner, x, y, LiveArg(args, 0, 0.0), LiveArg(args, 1, 0.0), false);
        });
}
