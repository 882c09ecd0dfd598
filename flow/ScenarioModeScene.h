#pragma once
// The single-player scenario mode: the world map with its opening and closing fade, the story
// screen on the first visit, and the stages the map asks for, each played in a play scene on top
// of this one with its outcome handed back to the map. It also carries the ending flag that makes
// the top menu show the staff roll.
//
// A progress file or map file that cannot be read never stops the game: the mode shows the error
// and closes at its first frame, back to the menu, and the player's file is left as it is.
#include <memory>
#include <string>

#include "engine/Scene.h"
#include "flow/ScenarioMapManager.h"

class CStage;

class CScenarioModeScene : public IScene, public IScenarioStageHost {
  public:
    static constexpr double kOpeningFrames = 40.0;
    static constexpr double kClosingFrames = 30.0;
    // Every stage starts from this seed, so that a play depends only on the player's keys.
    static constexpr uint32_t kStageSeed = 1;

    explicit CScenarioModeScene(IScene* parent);
    ~CScenarioModeScene() override;

    void Start() override;
    uint32_t GetClearColor() override;
    void Update() override;
    void Draw() override;
    void DrawOverlay() override;
    void OnChildClosed(IScene* child) override;

    // ---- IScenarioStageHost ----
    void StartStage(const std::string& path, int lives) override;
    int GetStageResult() const override { return result_; }
    int GetLives() const override { return lives_; }

    // The last boss has just been beaten: the top menu shows the staff roll next.
    bool IsEnding() const { return ending_; }
    // Null when the mode could not start (its progress or map could not be read).
    CScenarioMapManager* GetMapManager() const { return manager_.get(); }
    bool IsOpening() const { return opening_; }
    bool IsClosing() const { return closing_; }
    double GetTimer() const { return timer_; }

  private:
    // Loads the save data when it is not loaded and builds the map manager; false (the error
    // shown) when either fails.
    bool BuildMapManager();
    void PlayRequestedStage();

    std::unique_ptr<CScenarioMapManager> manager_;
    std::string stagePath_;
    bool playRequested_ = false;
    bool opening_ = true;
    bool closing_ = false;
    double timer_ = 0;
    int result_ = 4;
    bool ending_ = false;
    int lives_ = 0;
};

// Reads a scenario stage file; CStageDataException "SDE0007" when it cannot be read, "SDE0006"
// when it holds no stage, or the stage reader's own error.
std::unique_ptr<CStage> LoadScenarioStage(const std::string& path);
