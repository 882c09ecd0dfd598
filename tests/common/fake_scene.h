#pragma once
// A play scene as its objects see it, for tests and benchmarks: it answers the hero it is given
// (while that object lives), the process's camera, the process's registry or one the test gives
// it, and the area clock it is set to, remembers the keys it is told were collected, and ignores
// every other request. Tests that need more record it in a class of their own built on this one.
#include <memory>
#include <utility>
#include <vector>

#include "engine/Camera.h"
#include "engine/Scene.h"
#include "play/ObjectHandle.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"

namespace testsupport {

class FakeScene : public IScene, public IPlaySceneServices {
  public:
    FakeScene() : IScene(nullptr) {}
    void Start() override {}
    void Update() override {}
    void Draw() override {}
    void DrawOverlay() override {}

    // A handle, so a hero the registry has deleted is gone for the scene too (as in the game).
    ObjectHandle hero;
    double clock = 0.0;                     // the area clock, in frames
    std::vector<std::pair<int, int>> keys;  // (area, id) collected

    // The registry the scene's objects reach: the process's, unless a test gives the scene its own.
    CObjectRegistry* registry = nullptr;

    CObjectRegistry& GetRegistry() override { return registry ? *registry : *CObjectRegistry::GetInstance(); }
    CCamera& GetCamera() override { return *CCamera::GetInstance(); }
    IBase* GetHero() override { return hero.Get(); }
    void OnGoalReached() override {}
    void OnHeroBeaten() override {}
    void OnHeroFellOut() override {}
    void AddLife() override {}
    int GetKeyCount() override { return 0; }
    void SetKeyCount(int) override {}
    int GetCurrentAreaIndex() override { return 0; }
    void AddOpenedKeyDoor(int, int) override {}
    bool IsKeyDoorOpened(int, int) override { return false; }
    void AddCollectedKey(int area, int id) override { keys.emplace_back(area, id); }
    bool IsKeyCollected(int area, int id) override {
        for (const auto& k : keys)
            if (k.first == area && k.second == id) return true;
        return false;
    }
    void SetCheckpoint(int, int, int) override {}
    bool RequestWarp(int, int, int, bool) override { return false; }
    void RequestWeaponChange(int) override {}
    void SetZoomOverride(int, float, float) override {}
    void ClearZoomOverride(int, float) override {}
    bool IsZoomOverrideActive(int) override { return false; }
    float GetZoomOverrideRate(int) override { return 0; }
    void SetWeather(int) override {}
    int GetWeather() override { return 0; }
    void BeginScreenFade(int, int, int) override {}
    void EndScreenFade() override {}
    void RegisterBoss(IBase*) override {}
    void OnBossDefeated() override {}
    void StopMusicAfterBoss() override {}
    void ResetHeroLongTimer() override {}
    void NotifyHeroAttackStarted() override {}
    double GetMapAnimTime() override { return clock; }
};

// Hands an object to the registry and lends it back: the object while the registry holds it,
// or null when the registry did not take it (and it is gone).
template <class T>
T* Register(std::unique_ptr<T> object, CObjectRegistry& registry = *CObjectRegistry::GetInstance()) {
    T* lent = object.get();
    return registry.Add(std::move(object)) ? lent : nullptr;
}

}  // namespace testsupport
