#pragma once
// The fixed tables of the scenario world map, keyed by cell (column, row): the stage each stage
// cell opens and its name, the land each cell belongs to with the land's plate, what each
// treasure gives, and where each warp leads.
#include <string>

#include "controls/DisplayParts.h"

struct ScenarioStageEntry {
    int x, y;
    const char* name;  // shown on the name plate
    const char* file;  // in "stage\scenario\"
};

// The last boss's cell.
inline constexpr int kLastBossX = 16, kLastBossY = 10;

// Null for a cell the table does not list.
const ScenarioStageEntry* FindScenarioStage(int x, int y);
// All 48 rows, in the order of the stage numbers.
const ScenarioStageEntry* ScenarioStages(int& count);

struct ScenarioLand {
    const char* name;
    const char* plateImage;  // group "System"
    int plateTop;            // the plate is (0, plateTop)-(256, plateTop + 64) of its image
    int red, green, blue;    // the texts on the plate
};

inline constexpr int kScenarioLandCount = 8;
// The land (0..7) of any cell, inside the grid or not.
int GetScenarioLandNumber(int x, int y);
// Land 0's plate for a number outside 0..7.
const ScenarioLand& GetScenarioLand(int land);

// What a treasure gives: a prize recorded as owned (an editor part, a music or a weather), or a
// door key when `item` is empty.
struct ScenarioTreasure {
    int x, y;
    const char* item;
    const char* message;  // of the item-get window
    Controls::ImageClip picture;
};

// The prize of a cell, or the door key for every other cell.
const ScenarioTreasure& GetScenarioTreasure(int x, int y);
// The nine prizes.
const ScenarioTreasure* ScenarioPrizes(int& count);

// Where the warp of a cell leads: the other end of its pair, (1, 1) for a cell of no pair.
void GetScenarioWarpDestination(int x, int y, int& toX, int& toY);
