#include "bosses/BossShotKinds.h"

#include <memory>

#include "bosses/BlueMachines.h"
#include "bosses/BossShots.h"
#include "bosses/BossThrows.h"
#include "play/LiveObjectFactory.h"

namespace {

template <class T>
void RegisterBossShot(const char* name) {
    RegisterLiveObjectCreator(
        name, [](CStage* owner, double x, double y, const LiveObjectArgs& a) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y, LiveArg(a, 0, 0.0), LiveArg(a, 1, 0.0),
                                       LiveArg(a, 2, false));
        });
}

template <class T>
void RegisterMachine(const char* name) {
    RegisterLiveObjectCreator(
        name, [](CStage* owner, double x, double y, const LiveObjectArgs& a) -> std::unique_ptr<IBase> {
            return std::make_unique<T>(owner, x, y, LiveArg(a, 0, 0.0), LiveArg(a, 1, 0.0));
        });
}

}  // namespace

void RegisterBossShotKinds() {
    // The rock weather drops rocks through the table: arguments vx, vy; an enemy shot.
    RegisterLiveObjectCreator(
        "CFallingRock",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CFallingRock>(owner, x, y, LiveArg<double>(args, 0, 0.0),
                                                  LiveArg<double>(args, 1, 0.0), false);
        });
    // The devil bar's dive raises shock waves through the table: count, direction (0 left,
    // 1 right), highest pillar, hero's side.
    RegisterLiveObjectCreator(
        "CShockWave",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CShockWave>(owner, x, y, LiveArg(args, 0, 20), LiveArg(args, 1, 0),
                                                LiveArg(args, 2, 64), LiveArg(args, 3, false));
        });
    // The stick-men's shots and machines, made by name: (vx, vy, heroSide) unless said otherwise.
    RegisterBossShot<CSniperShot>("CSniperShot");
    RegisterBossShot<CBreakShot_Mother>("CBreakShot_Mother");
    RegisterBossShot<CBreakShot_Child>("CBreakShot_Child");
    RegisterBossShot<CWallThroughNormalShot>("CWallThroughNormalShot");
    RegisterBossShot<CNinjaStar>("CNinjaStar");
    RegisterBossShot<CBigNinjaStar>("CBigNinjaStar");
    RegisterBossShot<CPinkBomb>("CPinkBomb");
    // (vx, heroSide)
    RegisterLiveObjectCreator(
        "CGrandFrame",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CGrandFrame>(owner, x, y, LiveArg(args, 0, 0.0), LiveArg(args, 1, false));
        });
    // (heroSide, markY): the bolt strikes down to its mark.
    RegisterLiveObjectCreator(
        "CThunder",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CThunder>(owner, x, y, LiveArg(args, 0, false), LiveArg(args, 1, 0));
        });
    // (direction, heroSide, wavePhase)
    RegisterLiveObjectCreator(
        "CWaveShot",
        [](CStage* owner, double x, double y, const LiveObjectArgs& args) -> std::unique_ptr<IBase> {
            return std::make_unique<CWaveShot>(owner, x, y, LiveArg(args, 0, 0), LiveArg(args, 2, 0.0),
                                               LiveArg(args, 1, false));
        });
    // The blue boss's machines: (vx, vy); the boss keeps them as its children.
    RegisterMachine<CBlueMachine001>("CBlueMachine001");
    RegisterMachine<CBlueMachine002>("CBlueMachine002");
    RegisterMachine<CBlueMachine003>("CBlueMachine003");
    RegisterMachine<CBlueMachine004>("CBlueMachine004");
}
