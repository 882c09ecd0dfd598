#pragma once
// What live objects may ask of the scene that plays their stage: the hero, the outcome of play,
// lives, keys and key doors, the checkpoint, warps, weapon changes, the zoom channels, weather,
// the screen fade and bosses. The play scene implements it; an object reaches it through its
// owner stage's scene (GetSceneServices), so objects run against a fake scene in tests. Without
// a scene that offers these services an object skips the call and carries on. The key queries
// that the area's object table asks before spawning are the stage model's IStageKeyQuery.
#include "stage/StageAreaObjectTable.h"

class CCamera;
class CObjectRegistry;
class CStage;
class IBase;

class IPlaySceneServices : public IStageKeyQuery {
  public:
    virtual ~IPlaySceneServices() = default;

    // The world the objects live in: the registry that owns and runs them, and the camera.
    virtual CObjectRegistry& GetRegistry() = 0;
    virtual CCamera& GetCamera() = 0;

    // The hero, or null while there is none.
    virtual IBase* GetHero() = 0;

    // Outcome of play (each only while the scene is playing).
    virtual void OnGoalReached() = 0;
    virtual void OnHeroBeaten() = 0;
    virtual void OnHeroFellOut() = 0;
    virtual void AddLife() = 0;

    // Keys and key doors: pairs of (area index, area object id). IsKeyCollected and
    // GetCurrentAreaIndex come from IStageKeyQuery.
    virtual int GetKeyCount() = 0;
    virtual void SetKeyCount(int count) = 0;
    virtual void AddOpenedKeyDoor(int area, int id) = 0;
    virtual bool IsKeyDoorOpened(int area, int id) = 0;
    virtual void AddCollectedKey(int area, int id) = 0;

    // Restart point (tiles) and moves between areas.
    virtual void SetCheckpoint(int area, int x, int y) = 0;
    // False when no area carries that absolute number.
    virtual bool RequestWarp(int areaNum, int x, int y, bool animate) = 0;
    virtual void RequestWeaponChange(int kind) = 0;

    // Zoom channels 0..2; the highest active channel decides the camera's zoom.
    virtual void SetZoomOverride(int channel, float rate, float time) = 0;
    virtual void ClearZoomOverride(int channel, float time) = 0;
    virtual bool IsZoomOverrideActive(int channel) = 0;
    virtual float GetZoomOverrideRate(int channel) = 0;

    // Weather 0..9 and the full-screen fade.
    virtual void SetWeather(int weatherId) = 0;
    virtual int GetWeather() = 0;
    virtual void BeginScreenFade(int r, int g, int b) = 0;
    virtual void EndScreenFade() = 0;

    // Bosses (normal play only) and the frame clock of the area's moving gimmicks.
    virtual void RegisterBoss(IBase* boss) = 0;
    virtual void OnBossDefeated() = 0;
    virtual void StopMusicAfterBoss() = 0;
    virtual void ResetHeroLongTimer() = 0;
    virtual void NotifyHeroAttackStarted() = 0;
    virtual double GetMapAnimTime() = 0;
    // Doors and the goal call it in every frame in which the hero touches them: the scene then
    // shows the hint to go in for that frame.
    virtual void ShowDoorHint() {}
};

// The services of the scene that plays the stage, or null (no stage, no scene, or a scene that
// is no play scene).
IPlaySceneServices* GetSceneServices(const CStage* stage);
