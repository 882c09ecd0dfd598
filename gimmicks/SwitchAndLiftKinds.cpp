#include "gimmicks/SwitchAndLiftKinds.h"

#include <string>

#include "gimmicks/CustomLift.h"
#include "gimmicks/Lifts.h"
#include "gimmicks/Switches.h"
#include "stage/LiveObjectFactory.h"

namespace {

// Argument i of a record, or the fallback when the record passed none of that type.
template <class T>
T Arg(const LiveObjectArgs& args, size_t i, T fallback) {
    if (i < args.size())
        if (const T* v = std::get_if<T>(&args[i])) return *v;
    return fallback;
}

template <class T>
void RegisterSwitch(const char* name) {
    RegisterLiveObjectCreator(name,
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new T(owner, x, y, Arg(args, 0, 0));
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
            return new CRoundTripLift(owner, x, y, Arg(args, 0, true), Arg(args, 1, 0.0));
        });
    RegisterPlainLift<CFallingLift>("CFallingLift");
    RegisterPlainLift<CRightMoveLift>("CRightMoveLift");
    RegisterPlainLift<CLeftMoveLift>("CLeftMoveLift");
    RegisterPlainLift<CRisingLift>("CRisingLift");
    RegisterPlainLift<CCloudLift>("CCloudLift");
    RegisterLiveObjectCreator("CWideLift",
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new CWideLift(owner, x, y, Arg(args, 0, 4));
                              });
    RegisterLiveObjectCreator("CCustomLift",
                              [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> IBase* {
                                  return new CCustomLift(owner, x, y, Arg(args, 0, std::string()));
                              });
}
