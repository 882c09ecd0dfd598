#include "engine/GameHooks.h"

namespace {
SingletonHooks g_singletons[static_cast<int>(UpperSingleton::Count)];
INetWorkHost* g_net = nullptr;
SceneFactory g_sceneFactory;
std::function<void()> g_tableCheck;
}  // namespace

void SetSingletonHooks(UpperSingleton which, SingletonHooks hooks) {
    const int i = static_cast<int>(which);
    if (i >= 0 && i < static_cast<int>(UpperSingleton::Count)) g_singletons[i] = std::move(hooks);
}

const SingletonHooks& GetSingletonHooks(UpperSingleton which) {
    static const SingletonHooks none;
    const int i = static_cast<int>(which);
    if (i < 0 || i >= static_cast<int>(UpperSingleton::Count)) return none;
    return g_singletons[i];
}

void SetShippedTableCheck(std::function<void()> check) { g_tableCheck = std::move(check); }
const std::function<void()>& GetShippedTableCheck() { return g_tableCheck; }

void SetNetWorkHost(INetWorkHost* host) { g_net = host; }
INetWorkHost* GetNetWorkHost() { return g_net; }
bool IsNetWorkBusy() { return g_net && g_net->IsBusy(); }

void SetSceneFactory(SceneFactory factory) { g_sceneFactory = std::move(factory); }
const SceneFactory& GetSceneFactory() { return g_sceneFactory; }

void ClearGameHooks() {
    for (auto& h : g_singletons) h = SingletonHooks();
    g_net = nullptr;
    g_sceneFactory = SceneFactory();
    g_tableCheck = nullptr;
}
