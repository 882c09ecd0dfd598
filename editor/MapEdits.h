#pragma once
// The map commands: a pencil stroke, a filled rectangle and a flood fill. Each writes its chips
// with auto-tiling and remembers the chips it changed, so undo and redo store them back as they
// were, without tiling them again.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/ChipWriter.h"
#include "editor/Edit.h"
#include "stage/StageMap.h"

// A pencil stroke: drawn cell by cell while the mouse is dragged (AddPoint), pushed when the
// button is let go; Execute only confirms the stage.
class CDrawSequence : public IEdit {
  public:
    CDrawSequence(CStage* editedStage, CEditor* owningEditor) : IEdit(editedStage, owningEditor) {}

    // Draws one cell of the stroke at once and records the five cells it may change. Drawing
    // over the chip's own tile group records nothing. False off the map or without a stage.
    bool AddPoint(int x, int y, uint8_t chip);
    int GetCellCount() const { return static_cast<int>(after.size()); }

    bool Execute() override;
    bool Undo() override;
    bool Redo() override;
    std::string GetLogText() const override;

  private:
    // A drawn cell and its four orthogonal neighbours: centre, above, right, below, left.
    struct CellRecord {
        int x = 0;
        int y = 0;
        uint8_t chips[5] = {};
    };
    CellRecord Record(int x, int y) const;
    void ShowStroke();

    int area = 0;
    std::vector<CellRecord> before;
    std::vector<CellRecord> after;
};

// A rectangle of one chip between two corner cells (in any order).
class CRectangleFill : public IEdit {
  public:
    CRectangleFill(CStage* editedStage, CEditor* owningEditor, int fromX, int fromY, int toX, int toY,
                   uint8_t fillChip)
        : IEdit(editedStage, owningEditor), x1(fromX), y1(fromY), x2(toX), y2(toY), chip(fillChip) {}

    bool Execute() override;
    bool Undo() override;
    bool Redo() override;
    std::string GetLogText() const override;

  private:
    // The grid cells of the rectangle grown by one cell on every side, row by row.
    std::vector<MapCellChange> FrameCells() const;
    bool Restore(const std::vector<MapCellChange>& cells);

    int area = 0;
    const int x1, y1, x2, y2;
    const uint8_t chip;
    std::vector<MapCellChange> beforeChips;
    std::vector<MapCellChange> afterChips;
};

// A flood fill of the tile group under the start cell, through the four orthogonal neighbours.
class CFill : public IEdit {
  public:
    CFill(int startX, int startY, uint8_t fillChip, CStage* editedStage, CEditor* owningEditor)
        : IEdit(editedStage, owningEditor), x(startX), y(startY), chip(fillChip) {}

    bool Execute() override;
    bool Undo() override;
    bool Redo() override;
    std::string GetLogText() const override;

  private:
    // Fills when the start cell's group differs from the chip's.
    void Fill();
    // The cells of the start cell's group reachable from it through their sides.
    TileMask FloodCells() const;

    int area = 0;
    const int x, y;
    const uint8_t chip;
    // The whole grid of the area before the fill, as its map text.
    std::string gridText;
    uint8_t targetGroup = 0;
};
