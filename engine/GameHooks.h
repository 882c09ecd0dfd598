#pragma once
// The seams through which the shell reaches the layers above the engine: the singletons of the
// upper layers that start-up creates, the reset resets and the end deletes at fixed places; the
// network accessor that every frame polls and draws and whose busy state holds back the scenes
// and the reset key; and the three scenes that the scene director builds. The game's own
// start-up code (flow) fills them in before the shell starts.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class IScene;

// The upper singletons, by their place among the shell's sixteen.
enum class UpperSingleton {
    ScenarioSaveData,      // after the client info
    ShopItemTable,         // before the music player
    NetWorkAccessor,       // after the camera
    ObjectRegistry,        // the registry with its relation table, after the network accessor
    SpriteBatch,           // after the scene light
    AttackParameterTable,  // after the sprite batch
    Count
};

struct SingletonHooks {
    std::function<void()> create;   // GameStart: GetInstance (may throw CQuorException)
    std::function<void()> reset;    // GameReset (may be empty: fetched and left)
    std::function<void()> release;  // GameEnd: clean-up and delete
};

// Hooks for a CSingleton: made by its first use, put back by `reset` on a game reset (none: the
// reset leaves it alone), deleted at the end.
template <class T, void (T::*reset)() = nullptr>
SingletonHooks OwnedSingletonHooks() {
    SingletonHooks hooks{[] { T::GetInstance(); }, nullptr, [] { T::DeleteInstance(); }};
    if constexpr (reset != nullptr) hooks.reset = [] { (T::GetInstance()->*reset)(); };
    return hooks;
}

void SetSingletonHooks(UpperSingleton which, SingletonHooks hooks);
const SingletonHooks& GetSingletonHooks(UpperSingleton which);

// Reads the shipped tables that the upper layers otherwise read only when first needed (the
// stage object kinds, the map chips, the world map). GameStart runs it first, before anything is
// created or written, so that a damaged install stops the game with its coded error before the
// player can do any work. May throw CQuorException. Empty: nothing to check.
void SetShippedTableCheck(std::function<void()> check);
const std::function<void()>& GetShippedTableCheck();

// The network accessor as the shell sees it.
class INetWorkHost {
  public:
    virtual ~INetWorkHost() = default;
    virtual void Poll() = 0;
    virtual bool IsBusy() = 0;
    virtual void Draw() = 0;
};
// Not owned. Null: no network accessor (never busy, draws nothing).
void SetNetWorkHost(INetWorkHost* host);
INetWorkHost* GetNetWorkHost();
bool IsNetWorkBusy();

// The scenes of the start: the root (top menu), the title on it and the loading scene on top.
struct SceneFactory {
    std::function<std::unique_ptr<IScene>()> makeRoot;
    std::function<std::unique_ptr<IScene>(IScene* parent)> makeTitle;
    std::function<std::unique_ptr<IScene>(const std::vector<std::string>& groups, bool objectStep,
                                          IScene* parent)>
        makeLoading;
};
void SetSceneFactory(SceneFactory factory);
const SceneFactory& GetSceneFactory();

// Every hook back to empty (tests).
void ClearGameHooks();
