#pragma once
// Stages written as text pictures (tools/gen/stages/<folder>/<name>.txt): one character per map
// chip or placed kind, a header per area, settings of placed kinds by tile. They are built into
// CStage and saved by its own writer as <game>\stage\<folder>\<name>.stg.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CStage;

namespace gen {

// What one character of a map picture stands for: a chip (auto-tiled with the chips of its group
// around it when asked), and on top of it a placed kind or the start, or nothing.
struct StageLegendEntry {
    uint8_t chip = 0;
    bool autoTile = false;
    std::string kind;  // kind key of data\stage_objects.dat, empty for none
    bool start = false;
};
using StageLegend = std::map<char, StageLegendEntry>;

// Reads a file of legend lines (the shared stages/legend.txt); `name` starts error messages.
StageLegend ReadStageLegend(const std::string& text, const std::string& name);

// Builds a stage from the text of a stage file on top of the shared legend. The kind table is
// read from the game folder the file layer points at. Throws GenError "<name>:<line>: ...".
std::unique_ptr<CStage> CompileStageText(const std::string& text, const std::string& name,
                                         const StageLegend& shared);

// Builds every <folder>/<name>.txt under stagesDir into stage\<folder>\<name>.stg of the game
// folder, whose data tables must be written already; returns the game-relative paths written.
std::vector<std::string> GenerateStages(const std::string& stagesDir, const std::string& gameDir);

}  // namespace gen
