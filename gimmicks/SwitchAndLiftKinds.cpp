#include "gimmicks/SwitchAndLiftKinds.h"

#include <string>

#include "gimmicks/CustomLift.h"
#include "gimmicks/Lifts.h"
#include "gimmicks/Switches.h"
#include "stage/LiveObjectFactory.h"

namespace {

template <class T>
void RegisterSwitch(const char* name) {
    RegisterLiveObjectCreator(name,
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new T(owner, x, y, LiveArg(args, 0, 0));
                              });
}

template <class T>
void RegisterPlainLift(const char* name) {
    RegisterLiveObjectCreator(name, [](CStage* owner, double x, double y, const LiveObjectArgs&) -> IBase* {
        return new T(owner, x, y);
    });
}

}  // namespace

void RegisterSwitchAndLiftKinds() {
    RegisterSwitch<CPushSwitch>("CPushSwitch");
    RegisterSwitch<CTimerSwitch>("CTimerSwitch");
    RegisterSwitch<CChangeSwitch>("CChangeSwitch");
    RegisterSwitch<CDevilSwitch>("CDevilSwitch");
    RegisterSwitch<CSpringSwitch>("CSpringSwitch");
    RegisterSwitch<CForceSwitch>("CForceSwitch");

    RegisterLiveObjectCreator(
        "CRoundTripLift", [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
            return new CRoundTripLift(owner, x, y, LiveArg(args, 0, true), LiveArg(args, 1, 0.0));
        });
    RegisterPlainLift<CFallingLift>("CFallingLift");
    RegisterPlainLift<CRightMoveLift>("CRightMoveLift");
    RegisterPlainLift<CLeftMoveLift>("CLeftMoveLift");
    RegisterPlainLift<CRisingLift>("CRisingLift");
    RegisterPlainLift<CCloudLift>("CCloudLift");
    RegisterLiveObjectCreator("CWideLift",
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new CWideLift(owner, x, y, LiveArg(args, 0, 4));
                              });
    RegisterLiveObjectCreator("CCustomLift",
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new CCustomLift(owner, x, y, LiveArg(args, 0, std::string()));
                              });
}
