#pragma once
// The scenario world map: 18 columns by 12 rows of panels. The kind of each panel comes from
// "data\scenario_map.dat", its progress from the panel text the save data keeps. The map has no
// rules of its own; it answers the manager's questions about cells and forwards the frame's update
// and drawing to its panels.
#include <array>
#include <memory>
#include <string>

#include "flow/ScenarioMapPanels.h"

class CScenarioMap {
  public:
    static constexpr int kColumns = 18;
    static constexpr int kRows = 12;
    static constexpr int kCells = kColumns * kRows;

    // Builds every panel, or throws: CDataFileException "DEF0301" when the text does not split
    // into 217 pieces at ":" (tested before the map file is opened), CInitFileException
    // "IFE0500" when the map file cannot be read, "IFE0501" when it is not 12 lines of 18 panel
    // codes.
    explicit CScenarioMap(const std::string& panelText);
    // Reads the map file and checks it as the constructor does, building nothing: throws
    // "IFE0500" or "IFE0501" as above. The game's start runs it, so that a damaged install stops
    // before the player enters the world map.
    static void CheckMapFile();
    virtual ~CScenarioMap();
    CScenarioMap(const CScenarioMap&) = delete;
    CScenarioMap& operator=(const CScenarioMap&) = delete;

    // Column by column, each column top to bottom.
    void UpdateAll();
    void DrawAll();

    static bool IsInside(int x, int y) { return x >= 0 && x < kColumns && y >= 0 && y < kRows; }
    // Null outside the grid; the map keeps the panel.
    CScenarioMapPanelBase* GetPanel(int x, int y) const;
    // The panel text of every cell, row by row, each piece followed by ":".
    std::string MakePanelText() const;

  private:
    // Entry x * kRows + y holds the panel of cell (x, y).
    std::array<std::unique_ptr<CScenarioMapPanelBase>, kCells> panels_;
};

// The small hero figure on the map: one 40 x 40 frame of "QuorMap001" (group "Char") at
// (300, 208), chosen by pose and timer (frames).
class CScenarioMapHero {
  public:
    // Poses as the manager uses them.
    enum Pose {
        kNone = 0,
        kUp = 1,
        kDown = 2,
        kLeft = 3,
        kRight = 4,
        kCheer = 5,       // after a treasure, and at a game over
        kEntering = 6,    // entering and playing a stage
        kWarpLeave = 7,   // leaving through a warp
        kWarpArrive = 8,  // arriving through a warp
    };
    static constexpr int kScreenX = 300, kScreenY = 208;

    virtual ~CScenarioMapHero() = default;
    void Draw(int pose, double timer) const;
    // The frame's source rectangle; false when nothing is drawn.
    static bool FrameOf(int pose, double timer, int& left, int& top);
};
