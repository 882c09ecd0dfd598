#include "gimmicks/SwitchAndLiftKinds.h"

#include <memory>
#include <string>
#include <utility>

#include "gimmicks/CustomLift.h"
#include "gimmicks/Lifts.h"
#include "gimmicks/Switches.h"
#include "play/LiveObjectFactory.h"

namespace {

template <class T>
void RegisterSwitch(const char* name) {
    RegisterLiveObjectCreator(
        name,
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y, LiveArg(args, 0, 0));
        },
        {{0}});
}

template <class T>
void RegisterPlainLift(const char* name, LiveObjectPreloads preloads) {
    RegisterLiveObjectCreator(
        name,
        [](CStage* owner, double x, double y, const LiveObjectArgs&) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y);
        },
        std::move(preloads));
}

}  // namespace

void RegisterSwitchAndLiftKinds() {
    RegisterSwitch<CPushSwitch>("CPushSwitch");
    RegisterSwitch<CTimerSwitch>("CTimerSwitch");
    RegisterSwitch<CChangeSwitch>("CChangeSwitch");
    RegisterSwitch<CDevilSwitch>("CDevilSwitch");
    RegisterSwitch<CSpringSwitch>("CSpringSwitch");
    RegisterSwitch<CForceSwitch>("CForceSwitch");

    // Preloaded on both axes at the phases of the placed round-trip lifts.
    RegisterLiveObjectCreator(
        "CRoundTripLift",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CRoundTripLift>(owner, x, y, LiveArg(args, 0, true),
                                                    LiveArg(args, 1, 0.0));
        },
        {{true, 0.0}, {true, 3.7}, {false, 1.5}, {false, 5.2}});
    RegisterPlainLift<CFallingLift>("CFallingLift", kPreloadOnce);
    RegisterPlainLift<CRightMoveLift>("CRightMoveLift", kPreloadOnce);
    RegisterPlainLift<CLeftMoveLift>("CLeftMoveLift", kPreloadOnce);
    RegisterPlainLift<CRisingLift>("CRisingLift", kPreloadOnce);
    RegisterPlainLift<CCloudLift>("CCloudLift", {});
    RegisterLiveObjectCreator(
        "CWideLift",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CWideLift>(owner, x, y, LiveArg(args, 0, 4));
        });
    RegisterLiveObjectCreator(
        "CCustomLift",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CCustomLift>(owner, x, y, LiveArg(args, 0, std::string()));
        },
        {{std::string()}});
}
