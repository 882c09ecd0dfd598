#pragma once
// CStageScene: the scene in which one stage is played, from the intro to the goal, a game over or
// the player's abort. It owns its stage copy and the spawner of the current area, keeps the hero
// (which the registry owns), the lives, keys and checkpoint, the weather and the zoom channels,
// and runs the play through 17 scene states. Live objects reach it through IPlaySceneServices.
//
// Split by subject: StageScene.cpp (states, misses, area changes, weather), StageSceneServices.cpp
// (what objects ask of the scene), StageSceneDraw.cpp (backgrounds, map, objects, overlays).
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Scene.h"
#include "play/ObjectHandle.h"
#include "play/SceneServices.h"
#include "stage/StageCatalogues.h"

class CHero;
class CObjectSpawner;
class CStage;

// Play modes: how the scene was reached.
enum StagePlayMode { kPlayNormal = 0, kPlayShared = 1, kPlayTest = 3 };

// What the parent reads after the scene closes.
enum StagePlayResult {
    kResultCleared = 0,
    kResultFailed = 1,
    kResultAborted = 2,
    kResultRestart = 3,
    kResultNone = 4
};

// The scene's states.
enum StageSceneState {
    kScenePlaying = 0,
    kScenePaused = 1,
    kSceneWeaponChange = 2,
    kSceneWarpOut = 3,
    kSceneIntro = 4,
    kSceneAfterRestart = 5,
    kSceneGoal = 6,
    kSceneHeroBeaten = 7,
    kSceneHeroFellOut = 8,
    kSceneBossEntrance = 9,
    kSceneBossDefeated = 10,
    kSceneFinalBossDefeated = 11,
    kSceneAreaChange = 12,
    kSceneAreaEntered = 13,
    kSceneEvaluation = 14,
    kSceneEvaluationSent = 15,
    kSceneGameOver = 16,
};

class CStageScene : public IScene, public IPlaySceneServices {
  public:
    static constexpr int kMaxLives = 99;

    CStageScene(IScene* parent, std::unique_ptr<CStage> stage, int playMode, int lives);
    ~CStageScene() override;

    // ---- IScene ----
    void Start() override {}
    uint32_t GetClearColor() override;
    void Update() override;
    void Draw() override;
    void DrawOverlay() override;
    std::string GetCaption() override;

    // ---- IPlaySceneServices ----
    CObjectRegistry& GetRegistry() override;
    CCamera& GetCamera() override;
    IBase* GetHero() override;
    void OnGoalReached() override;
    void OnHeroBeaten() override;
    void OnHeroFellOut() override;
    void AddLife() override;
    int GetKeyCount() override { return keyCount; }
    void SetKeyCount(int count) override { keyCount = count; }
    int GetCurrentAreaIndex() override;
    void AddOpenedKeyDoor(int area, int id) override { openedKeyDoors.emplace_back(area, id); }
    bool IsKeyDoorOpened(int area, int id) override;
    void AddCollectedKey(int area, int id) override { collectedKeys.emplace_back(area, id); }
    bool IsKeyCollected(int area, int id) override;
    void SetCheckpoint(int area, int x, int y) override;
    bool RequestWarp(int areaNum, int x, int y, bool animate) override;
    void RequestWeaponChange(int kind) override;
    void SetZoomOverride(int channel, float rate, float time) override;
    void ClearZoomOverride(int channel, float time) override;
    bool IsZoomOverrideActive(int channel) override;
    float GetZoomOverrideRate(int channel) override;
    void SetWeather(int weatherId) override;
    int GetWeather() override { return weather; }
    void BeginScreenFade(int r, int g, int b) override;
    void EndScreenFade() override { fadeRequested = false; }
    void RegisterBoss(IBase* boss) override;
    void OnBossDefeated() override;
    void StopMusicAfterBoss() override;
    void ResetHeroLongTimer() override;
    void NotifyHeroAttackStarted() override;
    double GetMapAnimTime() override { return mapAnimTime; }
    void ShowDoorHint() override { doorHint = true; }

    // ---- The scene's own operations ----
    void SetState(int s);
    void OnMiss();
    void PlayAreaMusic(bool fadeIn, bool restart);
    void StartWeather();
    void SpawnWeatherParticles();
    void UpdateWeatherSound();
    void StopWeatherSound();
    void FollowHero();
    void ResetZoomChannels();

    // Background layers of an area (id 0 or outside 1..21 leaves the store empty).
    static void BuildBackground(int id, int mapWidth, int mapHeight);
    static void ClearBackground() { BuildBackground(0, 0, 0); }
    static uint32_t GetBackgroundColor(int id, int fadeRed, int fadeGreen, int fadeBlue, double fadeLevel);
    void DrawStageTitle(double alpha, int r, int g, int b);
    void DrawPausePanel();
    void DrawDoorHint();
    void DrawDarkness();
    void DrawEvaluation();
    void DrawGameOver();

    // ---- Read by the parent, the tool and the tests ----
    CStage* GetStage() const { return stage.get(); }
    CHero* GetHeroObject() const { return hero; }
    // The registered boss while it is still in the world, else null.
    const IBase* GetLiveBoss() const;
    int GetState() const { return state; }
    int GetResult() const { return result; }
    int GetPlayMode() const { return playMode; }
    int GetLives() const { return lives; }
    int GetMissCount() const { return missCount; }
    double GetStateTime() const { return stateTime; }
    double GetPlayTime() const { return playTime; }
    int GetEvaluation() const { return evaluation; }
    bool GetDoorHint() const { return doorHint; }
    double GetFadeLevel() const { return fadeLevel; }
    int GetCheckpointArea() const { return checkpointArea; }
    const std::vector<std::pair<int, int>>& GetOpenedKeyDoors() const { return openedKeyDoors; }
    const std::vector<std::pair<int, int>>& GetCollectedKeys() const { return collectedKeys; }
    CObjectSpawner* GetSpawner() const { return spawner.get(); }

  private:
    struct ZoomChannel {
        float rate = 0, time = 0;
        bool active = false;
    };

    void StartStage(int area, int x, int y);
    void StepState();
    // One step per state of the scene.
    void StepPlaying();
    void StepPaused();
    void StepHeroPose();
    void StepIntro();
    void StepAfterRestart();
    void StepPlayEnd();
    void StepMissWait();
    void StepBossEntrance();
    void StepBossDefeated();
    void StepAreaChange();
    void StepEvaluation();
    void ChangeArea();
    // Makes area `slot` the current one with fresh chip sprites (nothing when it already is).
    void EnterAreaSlot(int slot);
    // The hero, the camera and the spawner of the current area, after the registry was reset.
    void PopulateArea(int tileX, int tileY, int weaponKind, int health);
    void StartSpawner();
    // Counts the weather's sound clock on by this frame and starts the sound when it is due.
    void AdvanceWeatherSound();
    // The frame of the ending states from which the bars close (0 for those that close at once).
    double ClosingBarsFrom() const;
    // Silence, a sound and the next state: how the goal, a defeat or a fall ends the play.
    void EndPlay(int sound, int nextState);
    void RebuildBackground();
    void ResetFade();
    bool CurrentAreaValid() const;
    int CurrentMapWidth() const;
    int CurrentMapHeight() const;
    int CurrentBackground() const;
    int CurrentWeatherId() const;
    int HeroXForSpawner() const;
    double Wind() const;
    // Edges of the screen in world pixels.
    void ScreenEdges(int& left, int& top, int& right, int& bottom) const;
    // The boss while its object lives and the registry holds it, else null.
    IBase* GetRegisteredBoss() const;
    void MakeWeatherParticle(int kind, bool first, int left, int top, int right, int bottom);

    std::unique_ptr<CStage> stage;
    int playMode = 0;
    int result = kResultNone;
    int state = kScenePlaying;
    bool bossStartPending = false;
    double stateTime = 0;
    double playTime = 0;
    double mapAnimTime = 0;
    double weatherSpawnTime = 0;
    double weatherSoundTime = 0;
    int missCount = 0;
    double shortWait = 0.5;
    double beatenWait = 1.3;
    double goalWait = 1.8;
    double bossClearWait = 2.8;
    bool introSkipped = false;
    std::unique_ptr<CObjectSpawner> spawner;
    CHero* hero = nullptr;  // borrowed: the registry owns the hero
    ObjectHandle boss;      // resolved, and found in the registry, before anything is asked of it
    int lives = 0;
    int keyCount = 0;
    int warpArea = 0, warpX = 0, warpY = 0;
    int checkpointArea = 0, checkpointX = 0, checkpointY = 0;
    int evaluation = 60;
    double evaluationTime = 0;
    bool pendingWeapon = false;
    int pendingWeaponKind = 0;
    std::vector<std::pair<int, int>> openedKeyDoors;
    std::vector<std::pair<int, int>> collectedKeys;
    int weather = 0;
    int fadeRed = 0, fadeGreen = 0, fadeBlue = 0;
    double fadeLevel = 0;
    bool fadeRequested = false;
    bool doorHint = false;
    ZoomChannel zoomChannels[3];
};

// The status display: health in five boxes, lives, keys and the run meter above the hero.
void DrawSystemFrame(int weaponValue, int lives, int keys, double runMeter, double runMeterMax, int heroX,
                     int heroY);
