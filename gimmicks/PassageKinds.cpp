#include "gimmicks/PassageKinds.h"

#include <type_traits>

#include "gimmicks/Doors.h"
#include "gimmicks/Items.h"
#include "gimmicks/StageEvents.h"
#include "gimmicks/Weather.h"
#include "stage/LiveObjectFactory.h"

namespace {

// Classes made as (owner, x, y, int, int, int): the doors.
template <class T>
void RegisterTargeted(const char* name) {
    RegisterLiveObjectCreator(name, [](CStage* o, double x, double y, const LiveObjectArgs& a) -> IBase* {
        return new T(o, x, y, LiveArg(a, 0, 0), LiveArg(a, 1, 0), LiveArg(a, 2, 0));
    });
}
// Classes made as (owner, x, y, velocity x, velocity y): thrown items and weather particles.
template <class T>
void RegisterMoving(const char* name) {
    RegisterLiveObjectCreator(name, [](CStage* o, double x, double y, const LiveObjectArgs& a) -> IBase* {
        return new T(o, x, y, LiveArg(a, 0, 0.0), LiveArg(a, 1, 0.0));
    });
}
// Classes made as (owner, x, y).
template <class T>
void RegisterPlain(const char* name) {
    RegisterLiveObjectCreator(
        name, [](CStage* o, double x, double y, const LiveObjectArgs&) -> IBase* { return new T(o, x, y); });
}
// Classes made as (owner, x, y, int, int): the events (mode, value).
template <class T>
void RegisterEvent(const char* name) {
    RegisterLiveObjectCreator(name, [](CStage* o, double x, double y, const LiveObjectArgs& a) -> IBase* {
        return new T(o, x, y, LiveArg(a, 0, 0), LiveArg(a, 1, 0));
    });
}
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

    RegisterMoving<CPokikki>("CPokikki");
    RegisterMoving<CUmaibo>("CUmaibo");
    RegisterMoving<CIceBar>("CIceBar");
    RegisterMoving<CKey>("CKey");
    RegisterPlain<CAirPokikki>("CAirPokikki");
    RegisterPlain<CStageFlag>("CStageFlag");
    RegisterLiveObjectCreator("C1UP", [](CStage* o, double x, double y, const LiveObjectArgs& a) -> IBase* {
        return new C1UP(o, x, y, LiveArg(a, 0, 0));
    });
    RegisterLiveObjectCreator(
        "CPowerUpBar", [](CStage* o, double x, double y, const LiveObjectArgs& a) -> IBase* {
            return new CPowerUpBar(o, x, y, LiveArg(a, 0, 0.0), LiveArg(a, 1, 0.0), LiveArg(a, 2, 0));
        });

    RegisterMoving<CWeatherRain>("CWeatherRain");
    RegisterMoving<CWeatherSnow>("CWeatherSnow");
    RegisterMoving<CWeatherLeaf>("CWeatherLeaf");
    RegisterMoving<CWeatherSakura>("CWeatherSakura");
    RegisterMoving<CWeatherMaple>("CWeatherMaple");

    RegisterEvent<CChangeMusicEvent>("CChangeMusicEvent");
    RegisterEvent<CChangeWeatherEvent>("CChangeWeatherEvent");
    RegisterEvent<CChangeZoomRateEvent>("CChangeZoomRateEvent");
}
