#pragma once
// The editor's chip writer: map chips stored with auto-tiling, so that a drawn tile joins its
// neighbours and the neighbours join it.
#include <cstddef>
#include <cstdint>
#include <vector>

class CStage;
class CStageMap;

struct TileCell {
    int x = 0;
    int y = 0;
    bool operator==(const TileCell&) const = default;
};

// The map of the stage's current area, or null.
CStageMap* CurrentAreaMap(const CStage& stage);

// Stores the chip at (x, y) of the stage's current area as the variant of its tile group that
// joins its eight neighbours, then re-tiles the neighbours above, below, left, right, up-left,
// down-left, up-right and down-right in that order. Cells outside the grid read as the map
// continues its edge cells (the put cell with its new chip) and are never stored; nothing
// happens without a current area.
void PutChipAutoTiled(CStage& stage, int x, int y, uint8_t chip);

// A set of cells of a map, kept as one mark per cell with a frame of one unmarked cell round the
// grid, and the rectangle that holds the marks.
class TileMask {
  public:
    TileMask(int mapWidth, int mapHeight);
    // Marks a grid cell; cells outside the grid are ignored.
    void Mark(int x, int y) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        marks[Index(x, y)] = 1;
        if (x < minX) minX = x;
        if (x > maxX) maxX = x;
        if (y < minY) minY = y;
        if (y > maxY) maxY = y;
    }
    bool IsMarked(int x, int y) const { return marks[Index(x, y)] != 0; }
    bool IsEmpty() const { return maxX < 0; }
    // Index of a cell in the framed grid; x from -1 to width, y from -1 to height.
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y + 1) * (width + 2) + static_cast<std::size_t>(x + 1);
    }

    const int width, height;
    int minX, minY, maxX = -1, maxY = -1;
    std::vector<uint8_t> marks;
};

// The same as PutChipAutoTiled on every cell in any order, done at once: each chip, and each
// cell whose neighbourhood holds one, is stored once.
void PutChipsAutoTiled(CStage& stage, const TileMask& cells, uint8_t chip);
void PutChipsAutoTiled(CStage& stage, const std::vector<TileCell>& cells, uint8_t chip);
