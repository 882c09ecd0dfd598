#include "gimmicks/BlockAndHazardKinds.h"

#include <memory>
#include <string>
#include <utility>

#include "gimmicks/Batteries.h"
#include "gimmicks/Blocks.h"
#include "gimmicks/GearAndHouse.h"
#include "gimmicks/IronBallAndBombs.h"
#include "play/CommonShots.h"
#include "play/LiveObjectFactory.h"

namespace {

// A creator for the classes built from (owner stage, x, y) alone.
template <class T>
void RegisterPlain(const char* liveClass, LiveObjectPreloads preloads) {
    RegisterLiveObjectCreator(
        liveClass,
        [](CStage* owner, double x, double y, const LiveObjectArgs&) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y);
        },
        std::move(preloads));
}

// A creator for the fixtures built from (owner stage, x, y, direction, timing), preloaded facing
// each of the four directions.
template <class T>
void RegisterFixture(const char* liveClass) {
    RegisterLiveObjectCreator(
        liveClass,
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y, LiveArg(args, 0, 0), LiveArg(args, 1, 3));
        },
        {{0, 0}, {1, 0}, {2, 0}, {3, 0}});
}

// What the batteries and burners fire: (vx, vy), never the hero's.
template <class T>
void RegisterFixtureShot(const char* liveClass) {
    RegisterLiveObjectCreator(
        liveClass,
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y, LiveArg(args, 0, 0.0), LiveArg(args, 1, 0.0), false);
        });
}

}  // namespace

void RegisterBlockAndHazardKinds() {
    RegisterPlain<CWoodBlock001>("CWoodBlock001", kPreloadOnce);
    RegisterLiveObjectCreator(
        "CWoodBlock002",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CWoodBlock002>(owner, x, y, LiveArg(args, 0, std::string()));
        });
    RegisterPlain<CWoodBlock003>("CWoodBlock003", {});
    RegisterPlain<CWoodBlock004>("CWoodBlock004", {});
    RegisterPlain<CStoneBlock001>("CStoneBlock001", kPreloadOnce);
    RegisterPlain<CStoneBlock002>("CStoneBlock002", kPreloadOnce);
    RegisterPlain<CStoneBlock003>("CStoneBlock003", kPreloadOnce);
    RegisterPlain<CStoneBlock004>("CStoneBlock004", {});
    RegisterFixture<CNormalBattery>("CNormalBattery");
    RegisterFixture<CBurner>("CBurner");
    RegisterPlain<CIronBall>("CIronBall", kPreloadOnce);
    RegisterPlain<CSwitchBomb>("CSwitchBomb", kPreloadOnce);
    RegisterPlain<CFloatingBomb>("CFloatingBomb", kPreloadOnce);
    // Preloaded turning both ways.
    RegisterLiveObjectCreator(
        "CAirGear",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CAirGear>(owner, x, y, LiveArg(args, 0, 0), LiveArg(args, 1, 0.0));
        },
        {{0, 0.0}, {1, 0.0}});
    RegisterPlain<CDevilHouse>("CDevilHouse", kPreloadOnce);
    RegisterFixtureShot<CBatteryShot>("CBatteryShot");
    RegisterFixtureShot<CBurnerFire>("CBurnerFire");
}
