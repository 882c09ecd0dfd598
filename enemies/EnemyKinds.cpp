#include "enemies/EnemyKinds.h"

#include <memory>
#include <variant>

#include "enemies/EnemyShotHelpers.h"
#include "enemies/EnemyShots.h"
#include "enemies/FlyerKinds.h"
#include "enemies/GroundEnemyKinds.h"
#include "enemies/Kid001.h"
#include "enemies/Kid002.h"
#include "enemies/Pukka001.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"

namespace {

// The facing a record passes first: true (or 1) faces right.
int FacingArg(const LiveObjectArgs& args) {
    if (args.empty()) return 0;
    if (const bool* b = std::get_if<bool>(&args[0])) return *b ? 1 : 0;
    if (const int* i = std::get_if<int>(&args[0])) return *i == 1 ? 1 : 0;
    return 0;
}

// Preloaded facing left.
template <class T>
void RegisterFacing(const char* name) {
    RegisterLiveObjectCreator(
        name,
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y, FacingArg(args));
        },
        {{false}});
}

// Bumpers never keep a door shut.
bool CountsAsEnemy(const IBase* o) {
    return dynamic_cast<const IEnemy*>(o) != nullptr && dynamic_cast<const CPukka001*>(o) == nullptr &&
           !IsUncountedGroundEnemy(o);
}

// A shot class made from (vx, vy, heroSide).
template <class T>
void RegisterShot(const char* name) {
    RegisterLiveObjectCreator(
        name, [](CStage* owner, double x, double y, const LiveObjectArgs& a) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y, LiveArg(a, 0, 0.0), LiveArg(a, 1, 0.0),
                                       LiveArg(a, 2, false));
        });
}

// Every projectile the enemies fire by name: (vx, vy, heroSide), the missile also its direction.
void RegisterEnemyShotKinds() {
    RegisterShot<CNormalShot>("CNormalShot");
    RegisterShot<CBomb001>("CBomb001");  // also dropped by the bomb weather
    RegisterShot<CNormalBeam>("CNormalBeam");
    RegisterShot<CIceBeam>("CIceBeam");
    RegisterShot<CPatriot>("CPatriot");
    RegisterShot<CBaseball>("CBaseball");
    RegisterShot<CVolleyball>("CVolleyball");
    RegisterShot<CRollingRock>("CRollingRock");
    RegisterShot<CSnowStorm001>("CSnowStorm001");
    RegisterShot<CMagicalBall>("CMagicalBall");
    RegisterShot<CPatriotMagicalBall>("CPatriotMagicalBall");
    RegisterShot<CGunWater>("CGunWater");
    RegisterShot<CMachineGunShot>("CMachineGunShot");
    RegisterLiveObjectCreator(
        "CMissilry",
        [](CStage* owner, double x, double y, const LiveObjectArgs& a) -> std::unique_ptr<IBase> {
            return std::make_unique<CMissilry>(owner, x, y, LiveArg(a, 0, 0.0), LiveArg(a, 1, 0.0),
                                               LiveArg(a, 2, false), LiveArg(a, 3, 0));
        });
}

}  // namespace

void RegisterEnemyKinds() {
    RegisterFacing<CKid001>("CKid001");
    RegisterFacing<CKid002>("CKid002");
    RegisterLiveObjectCreator(
        "CPukka001",
        [](CStage* owner, double x, double y, const LiveObjectArgs&) -> std::unique_ptr<IBase> {
            return std::make_unique<CPukka001>(owner, x, y);
        },
        kPreloadOnce);
    RegisterFlyerEnemyKinds();
    RegisterEnemyShotKinds();
    RegisterGroundEnemyKinds();
    CObjectRegistry::SetEnemyCounter(CountsAsEnemy);
}
