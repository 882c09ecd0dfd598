#include "editor/ChipWriter.h"

#include <algorithm>

#include "stage/Stage.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

namespace {

// The neighbours re-tiled after a chip is put, in order.
constexpr int kRetileOrder[8][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};

uint8_t AutoTiledAt(const CStageMap& map, int x, int y, uint8_t centre) {
    return AutoTileChip(centre, map.GetChip(x, y - 1), map.GetChip(x + 1, y), map.GetChip(x, y + 1),
                        map.GetChip(x - 1, y), map.GetChip(x - 1, y - 1), map.GetChip(x + 1, y - 1),
                        map.GetChip(x - 1, y + 1), map.GetChip(x + 1, y + 1), x, y);
}

bool InGrid(const CStageMap& map, int x, int y) {
    return x >= 0 && y >= 0 && x < map.GetWidth() && y < map.GetHeight();
}

}  // namespace

CStageMap* CurrentAreaMap(const CStage& stage) {
    const CStageArea* area = stage.GetCurrentArea();
    return area ? area->GetMap() : nullptr;
}

void PutChipAutoTiled(CStage& stage, int x, int y, uint8_t chip) {
    CStageMap* map = CurrentAreaMap(stage);
    if (!map || !InGrid(*map, x, y)) return;
    // Beyond the border the map continues its edge cells: the put cell's own continuation
    // already carries the new chip.
    const int w = map->GetWidth(), h = map->GetHeight();
    auto around = [&](int nx, int ny) -> uint8_t {
        const int cx = std::clamp(nx, 0, w - 1), cy = std::clamp(ny, 0, h - 1);
        return cx == x && cy == y ? chip : map->GetChip(cx, cy);
    };
    map->SetChip(x, y,
                 AutoTileChip(chip, around(x, y - 1), around(x + 1, y), around(x, y + 1), around(x - 1, y),
                              around(x - 1, y - 1), around(x + 1, y - 1), around(x - 1, y + 1),
                              around(x + 1, y + 1), x, y));
    for (const auto& step : kRetileOrder) {
        const int nx = x + step[0], ny = y + step[1];
        if (!InGrid(*map, nx, ny)) continue;  // a store there would be ignored
        const uint8_t now = map->GetChip(nx, ny);
        const uint8_t tiled = AutoTiledAt(*map, nx, ny, now);
        if (tiled != now) map->SetChip(nx, ny, tiled);
    }
}

// Why one pass gives what the cell-by-cell writer gives: auto-tiling keeps a chip in its tile
// group and decides the variant from the groups of the 3 x 3 neighbourhood alone (a chip of a
// group without variants stays as it is). A group changes only where a chip is put, and every
// put re-tiles its whole neighbourhood; so each cell near a put chip ends as the tiling of the
// final groups around it, whatever the order of the puts, and every other cell is untouched.
TileMask::TileMask(int mapWidth, int mapHeight)
    : width(mapWidth),
      height(mapHeight),
      minX(mapWidth),
      minY(mapHeight),
      marks(static_cast<size_t>(mapWidth + 2) * static_cast<size_t>(mapHeight + 2), 0) {}

void PutChipsAutoTiled(CStage& stage, const std::vector<TileCell>& cells, uint8_t chip) {
    const CStageMap* map = CurrentAreaMap(stage);
    if (!map) return;
    TileMask mask(map->GetWidth(), map->GetHeight());
    for (const TileCell& c : cells) mask.Mark(c.x, c.y);
    PutChipsAutoTiled(stage, mask, chip);
}

void PutChipsAutoTiled(CStage& stage, const TileMask& cells, uint8_t chip) {
    CStageMap* map = CurrentAreaMap(stage);
    if (!map || cells.IsEmpty() || cells.width != map->GetWidth() || cells.height != map->GetHeight()) return;
    const int w = map->GetWidth(), h = map->GetHeight();
    const std::vector<uint8_t> before = map->GetChipsByRow();
    // The grid after the puts, framed like the mask; the frame repeats the nearest edge cell, as
    // the map continues its edge beyond the border.
    std::vector<uint8_t> after(cells.marks.size());
    for (int y = 0; y < h; ++y) {
        std::copy_n(&before[static_cast<size_t>(y) * w], w, &after[cells.Index(0, y)]);
    }
    for (int y = cells.minY; y <= cells.maxY; ++y) {
        for (int x = cells.minX; x <= cells.maxX; ++x) {
            if (cells.IsMarked(x, y)) after[cells.Index(x, y)] = chip;
        }
    }
    for (int x = 0; x < w; ++x) {
        after[cells.Index(x, -1)] = after[cells.Index(x, 0)];
        after[cells.Index(x, h)] = after[cells.Index(x, h - 1)];
    }
    for (int y = -1; y <= h; ++y) {
        after[cells.Index(-1, y)] = after[cells.Index(0, y)];
        after[cells.Index(w, y)] = after[cells.Index(w - 1, y)];
    }
    // Every cell with a put cell in its 3 x 3 neighbourhood is tiled again.
    const size_t pw = static_cast<size_t>(w) + 2;
    const std::vector<uint8_t>& put = cells.marks;
    std::vector<MapCellChange> changes;
    changes.reserve(static_cast<size_t>(cells.maxX - cells.minX + 3) *
                    static_cast<size_t>(cells.maxY - cells.minY + 3));
    for (int y = std::max(cells.minY - 1, 0); y <= std::min(cells.maxY + 1, h - 1); ++y) {
        for (int x = std::max(cells.minX - 1, 0); x <= std::min(cells.maxX + 1, w - 1); ++x) {
            const size_t i = cells.Index(x, y);
            if (!(put[i - pw - 1] | put[i - pw] | put[i - pw + 1] | put[i - 1] | put[i] | put[i + 1] |
                  put[i + pw - 1] | put[i + pw] | put[i + pw + 1])) {
                continue;
            }
            const uint8_t tiled = AutoTileChip(after[i], after[i - pw], after[i + 1], after[i + pw],
                                               after[i - 1], after[i - pw - 1], after[i - pw + 1],
                                               after[i + pw - 1], after[i + pw + 1], x, y);
            if (tiled != before[static_cast<size_t>(y) * w + x]) changes.push_back({x, y, tiled});
        }
    }
    map->SetChips(changes);
}
