#include "enemies/FlyerKinds.h"

#include <variant>

#include "enemies/Bat001.h"
#include "enemies/Fish001.h"
#include "enemies/Fish002.h"
#include "enemies/Fish003.h"
#include "enemies/Magician001.h"
#include "enemies/SkyMobile001.h"
#include "enemies/Sphere001.h"
#include "stage/LiveObjectFactory.h"

namespace {

// The class built from the position and its first argument (a facing, a mode or a variant).
template <class T>
void RegisterWithFirstArg(const char* name) {
    RegisterLiveObjectCreator(name,
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new T(owner, x, y, LiveArg(args, 0, 0));
                              });
}

}  // namespace

void RegisterFlyerEnemyKinds() {
    RegisterLiveObjectCreator("CFish001",
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new CFish001(owner, x, y, LiveArg(args, 0, 0), 0.0);
                              });
    RegisterWithFirstArg<CFish_Controller001>("CFish_Controller001");
    RegisterWithFirstArg<CFish002>("CFish002");
    RegisterWithFirstArg<CFish003>("CFish003");
    RegisterWithFirstArg<CBat001>("CBat001");
    RegisterWithFirstArg<CSphere001>("CSphere001");
    RegisterWithFirstArg<CSkyMobile001>("CSkyMobile001");
    RegisterWithFirstArg<CMagician_Controller001>("CMagician_Controller001");
}
