#include "enemies/FlyerKinds.h"

#include <memory>
#include <utility>

#include "enemies/Bat001.h"
#include "enemies/Fish001.h"
#include "enemies/Fish002.h"
#include "enemies/Fish003.h"
#include "enemies/Magician001.h"
#include "enemies/SkyMobile001.h"
#include "enemies/Sphere001.h"
#include "play/LiveObjectFactory.h"

namespace {

// The class built from the position and its first argument (a facing, a mode or a variant).
template <class T>
void RegisterWithFirstArg(const char* name, LiveObjectPreloads preloads) {
    RegisterLiveObjectCreator(
        name,
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y, LiveArg(args, 0, 0));
        },
        std::move(preloads));
}

const LiveObjectPreloads kEachFlyerVariant = {{0}, {1}};

}  // namespace

void RegisterFlyerEnemyKinds() {
    RegisterLiveObjectCreator(
        "CFish001",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CFish001>(owner, x, y, LiveArg(args, 0, 0), 0.0);
        },
        {{false, 0, 0}});
    RegisterWithFirstArg<CFish_Controller001>("CFish_Controller001", kPreloadFacingLeft);
    RegisterWithFirstArg<CFish002>("CFish002", kPreloadFacingLeft);
    RegisterWithFirstArg<CFish003>("CFish003", kPreloadFacingLeft);
    RegisterWithFirstArg<CBat001>("CBat001", kEachFlyerVariant);
    RegisterWithFirstArg<CSphere001>("CSphere001", kEachFlyerVariant);
    RegisterWithFirstArg<CSkyMobile001>("CSkyMobile001", kPreloadFacingLeft);
    RegisterWithFirstArg<CMagician_Controller001>("CMagician_Controller001", kPreloadFacingLeft);
}
