#include "bosses/StickManKinds.h"

#include <memory>

#include "bosses/BarManBlue.h"
#include "bosses/BarManGreen.h"
#include "bosses/BarManPink.h"
#include "bosses/BarManRed.h"
#include "bosses/BarManYellow.h"
#include "bosses/TestBosses.h"
#include "play/LiveObjectFactory.h"

namespace {

// A placed boss passes its facing (true faces right) and a creator value.
template <class T>
void RegisterBoss(const char* name) {
    RegisterLiveObjectCreator(
        name, [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y, LiveArg<int>(args, 0, 0) == 1 ? 1 : 0,
                                       LiveArg<int>(args, 1, 0));
        });
}

// A test boss passes only its facing.
template <class T>
void RegisterTestBoss(const char* name) {
    RegisterLiveObjectCreator(
        name, [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y, LiveArg<int>(args, 0, 0) == 1 ? 1 : 0);
        });
}

}  // namespace

void RegisterStickManBossKinds() {
    RegisterBoss<CBarManRed>("CBarManRed");
    RegisterBoss<CBarManYellow>("CBarManYellow");
    RegisterBoss<CBarManBlue>("CBarManBlue");
    RegisterBoss<CBarManGreen>("CBarManGreen");
    RegisterBoss<CBarManPink>("CBarManPink");
    RegisterTestBoss<CTestBoss001>("CTestBoss001");
    RegisterTestBoss<CTestBoss002>("CTestBoss002");
}
