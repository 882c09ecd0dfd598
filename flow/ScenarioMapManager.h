#pragma once
// The controller of the scenario world map. It owns the map, the hero figure, the name plate and
// a full-screen form for the item-get window; reads the hero's cell and the panels' progress
// from the scenario save data when built and writes them back at every event that changes the
// map. A state machine stepped once a frame walks the hero from cell to cell, enters stages and
// waits for their result, takes treasures, unlocks doors, travels through warps, and ends the mode
// after a game over or the last boss. Stages are played by the host (the scenario mode scene).
#include <memory>
#include <string>

#include "controls/DisplayParts.h"
#include "flow/ScenarioMapPanels.h"

namespace Controls {
class COriginalBaseForm;
}
class CScenarioMap;
class CScenarioMapHero;
class CScenarioStageNamePlate;

// Where the manager's stages are played.
class IScenarioStageHost {
  public:
    // What GetStageResult reports besides the play scene's own end states (0 cleared, 1 game
    // over, 2 given up, 4 none yet).
    static constexpr int kNotLoaded = 5;

    virtual ~IScenarioStageHost() = default;
    // Plays the stage file (a path such as "stage\scenario\stage001.stg") with that many lives.
    virtual void StartStage(const std::string& path, int lives) = 0;
    virtual int GetStageResult() const = 0;
    // Lives left after the last play.
    virtual int GetLives() const = 0;
};

class CScenarioMapManager {
  public:
    enum State {
        kIdle = 0,
        kWalkLeft = 1,
        kWalkRight = 2,
        kWalkUp = 3,
        kWalkDown = 4,
        kEnteringStage = 5,
        kWaitingForStage = 6,
        kTreasureTaken = 7,
        kWarpStart = 8,
        kWarpPan = 9,
        kWarpArrival = 10,
        kGameOver = 11,
        kLastBossBeaten = 12,
    };
    static constexpr double kWalkSpeed = 250.0;  // pixels per second
    static constexpr int kGameOverLives = 4;

    // Builds the map from the save data's panel text (it throws for a bad one, or a bad map file).
    explicit CScenarioMapManager(IScenarioStageHost* host);
    // Saves the progress; a failed save is reported, never thrown.
    virtual ~CScenarioMapManager();
    CScenarioMapManager(const CScenarioMapManager&) = delete;
    CScenarioMapManager& operator=(const CScenarioMapManager&) = delete;

    void Update();
    void Draw();
    void DrawOverlay();

    bool IsLeaveRequested() const { return leaveRequested_; }
    bool IsIdle() const { return state_ == kIdle; }
    bool IsPlayingLastBoss() const { return playingLastBoss_; }

    // Writes the hero's cell and every panel's progress and saves the file. A failed save is
    // reported (log and message) and play goes on: the next save writes everything again.
    void SaveProgress();

    // The per-cell tables.
    std::string GetStageName(int x, int y) const;
    static std::string GetStageFile(int x, int y);
    static int GetLandNumber(int x, int y);
    // Records the treasure of the cell (a prize, or a door key) and fills the item message.
    void TakeTreasure(int x, int y);

    static double CellCentre(int i) { return (i + 0.5) * 80.0; }
    bool CanMove(int x, int y, MapDirection direction) const;

    // For tests and the scene.
    int GetState() const { return state_; }
    double GetStateTimer() const { return stateTimer_; }
    double GetWalkTimer() const { return walkTimer_; }
    int GetX() const { return x_; }
    int GetY() const { return y_; }
    double GetHeroX() const { return heroX_; }
    double GetHeroY() const { return heroY_; }
    MapDirection GetFacing() const { return facing_; }
    CScenarioMap& GetMap() const { return *map_; }
    const CScenarioStageNamePlate& GetNamePlate() const { return *plate_; }
    Controls::COriginalBaseForm& GetBaseForm() const { return *form_; }
    const std::string& GetItemMessage() const { return itemMessage_; }
    const Controls::ImageClip& GetItemPicture() const { return itemPicture_; }
    // The hero figure's pose and timer in this frame.
    void GetHeroPose(int& pose, double& timer) const;

  private:
    void SetState(int state);
    void OpenNeighbours(int x, int y);
    void OnArrive(int x, int y);
    void ActOnPanel(int x, int y);
    bool UnlockDoorInFront();
    void FollowHero();
    void StepCamera();
    void ShowCell(int x, int y);

    // One frame of each state.
    void UpdateIdle();
    void UpdateWalk();
    void UpdateEnteringStage();
    void UpdateWaitingForStage();
    void UpdateTreasureTaken();
    void UpdateWarp();
    void UpdateEnding();
    // Moves one cell towards the direction; false when the way is shut.
    bool TryStep(MapDirection direction);

    const double cameraAngle_;
    int state_ = kIdle;
    double stateTimer_ = 0;
    double walkTimer_ = 0;
    IScenarioStageHost* host_;
    std::unique_ptr<CScenarioMap> map_;
    std::unique_ptr<CScenarioMapHero> hero_;
    std::unique_ptr<CScenarioStageNamePlate> plate_;
    std::unique_ptr<Controls::COriginalBaseForm> form_;
    int x_ = 0, y_ = 0;
    double heroX_ = 0, heroY_ = 0;
    MapDirection facing_ = MapDirection::Down;
    int warpX_ = 0, warpY_ = 0;
    std::string itemMessage_;
    Controls::ImageClip itemPicture_;
    bool leaveRequested_ = false;
    bool playingLastBoss_ = false;
};
