#include "gimmicks/PassageKinds.h"

#include <memory>
#include <string>
#include <utility>

#include "gimmicks/Doors.h"
#include "gimmicks/Items.h"
#include "gimmicks/StageEvents.h"
#include "gimmicks/Weather.h"
#include "play/LiveObjectFactory.h"

namespace {

// Classes made as (owner, x, y, int, int, int): the doors.
template <class T>
void RegisterTargeted(const char* name) {
    RegisterLiveObjectCreator(
        name,
        [](CStage* o, double x, double y, const LiveObjectArgs& a) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(o, x, y, LiveArg(a, 0, 0), LiveArg(a, 1, 0), LiveArg(a, 2, 0));
        },
        kPreloadOnce);
}
// Classes made as (owner, x, y, velocity x, velocity y): thrown items and weather particles.
template <class T>
void RegisterMoving(const char* name, LiveObjectPreloads preloads) {
    RegisterLiveObjectCreator(
        name,
        [](CStage* o, double x, double y, const LiveObjectArgs& a) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(o, x, y, LiveArg(a, 0, 0.0), LiveArg(a, 1, 0.0));
        },
        std::move(preloads));
}
// Classes made as (owner, x, y).
template <class T>
void RegisterPlain(const char* name) {
    RegisterLiveObjectCreator(
        name,
        [](CStage* o, double x, double y, const LiveObjectArgs&) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(o, x, y);
        },
        kPreloadOnce);
}
// Classes made as (owner, x, y, int, int): the events (mode, value).
template <class T>
void RegisterEvent(const char* name, LiveObjectPreloads preloads) {
    RegisterLiveObjectCreator(
        name,
        [](CStage* o, double x, double y, const LiveObjectArgs& a) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(o, x, y, LiveArg(a, 0, 0), LiveArg(a, 1, 0));
        },
        std::move(preloads));
}
const LiveObjectPreloads kAtRest = {{0.0, 0.0}};
// The events are preloaded in each of their four modes, the music and weather with an empty key.
const LiveObjectPreloads kEveryModeWithKey = {
    {0, std::string()}, {1, std::string()}, {2, std::string()}, {3, std::string()}};
const LiveObjectPreloads kEveryMode = {{0}, {1}, {2}, {3}};
}  // namespace

void RegisterPassageAndPickupKinds() {
    RegisterTargeted<CDoorA>("CDoorA");
    RegisterTargeted<CDoorB>("CDoorB");
    RegisterTargeted<CShutter>("CShutter");
    RegisterTargeted<CCaveHoleA>("CCaveHoleA");
    RegisterTargeted<CCaveHoleB>("CCaveHoleB");
    RegisterTargeted<CKeyDoor>("CKeyDoor");
    RegisterTargeted<CEnemyZeroDoor>("CEnemyZeroDoor");
    RegisterTargeted<CWarpPoint>("CWarpPoint");
    RegisterTargeted<CInvisibleWarpPoint>("CInvisibleWarpPoint");
    RegisterPlain<CNormalGoal>("CNormalGoal");

    RegisterMoving<CPokikki>("CPokikki", kAtRest);
    RegisterMoving<CUmaibo>("CUmaibo", kAtRest);
    RegisterMoving<CIceBar>("CIceBar", kAtRest);
    RegisterMoving<CKey>("CKey", kAtRest);
    RegisterPlain<CAirPokikki>("CAirPokikki");
    RegisterPlain<CStageFlag>("CStageFlag");
    RegisterLiveObjectCreator(
        "C1UP",
        [](CStage* o, double x, double y, const LiveObjectArgs& a) -> std::unique_ptr<IBase> {
            return std::make_unique<C1UP>(o, x, y, LiveArg(a, 0, 0));
        },
        {{false}});
    // The power-up bars are preloaded in their variants 2..5.
    RegisterLiveObjectCreator(
        "CPowerUpBar",
        [](CStage* o, double x, double y, const LiveObjectArgs& a) -> std::unique_ptr<IBase> {
            return std::make_unique<CPowerUpBar>(o, x, y, LiveArg(a, 0, 0.0), LiveArg(a, 1, 0.0),
                                                 LiveArg(a, 2, 0));
        },
        {{0.0, 0.0, 2}, {0.0, 0.0, 3}, {0.0, 0.0, 4}, {0.0, 0.0, 5}});

    RegisterMoving<CWeatherRain>("CWeatherRain", {});
    RegisterMoving<CWeatherSnow>("CWeatherSnow", {});
    RegisterMoving<CWeatherLeaf>("CWeatherLeaf", {});
    RegisterMoving<CWeatherSakura>("CWeatherSakura", {});
    RegisterMoving<CWeatherMaple>("CWeatherMaple", {});

    RegisterEvent<CChangeMusicEvent>("CChangeMusicEvent", kEveryModeWithKey);
    RegisterEvent<CChangeWeatherEvent>("CChangeWeatherEvent", kEveryModeWithKey);
    RegisterEvent<CChangeZoomRateEvent>("CChangeZoomRateEvent", kEveryMode);
}
