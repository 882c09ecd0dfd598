#include "editor/MapEdits.h"

#include <algorithm>
#include <cstdint>

#include "editor/Editor.h"
#include "stage/Stage.h"
#include "stage/StageChips.h"

namespace {

// Stores recorded chips as they stand, in order (no tiling).
void StoreRaw(const CStage& stage, const std::vector<MapCellChange>& cells) {
    if (CStageMap* map = CurrentAreaMap(stage)) map->SetChips(cells);
}

uint8_t ChipAt(const CStage& stage, int x, int y) { return stage.GetChipInCurrentArea(x, y); }

}  // namespace

// ---- CDrawSequence ------------------------------------------------------------------------

CDrawSequence::CellRecord CDrawSequence::Record(int x, int y) const {
    CellRecord r;
    r.x = x;
    r.y = y;
    r.chips[0] = ChipAt(*stage, x, y);
    r.chips[1] = ChipAt(*stage, x, y - 1);
    r.chips[2] = ChipAt(*stage, x + 1, y);
    r.chips[3] = ChipAt(*stage, x, y + 1);
    r.chips[4] = ChipAt(*stage, x - 1, y);
    return r;
}

bool CDrawSequence::AddPoint(int x, int y, uint8_t chip) {
    if (!HasArea() || !InBounds(x, y)) return false;
    if (GetChipGroupBase(ChipAt(*stage, x, y)) == GetChipGroupBase(chip)) return true;
    before.push_back(Record(x, y));
    PutChip(x, y, chip);
    after.push_back(Record(x, y));
    return true;
}

bool CDrawSequence::Execute() {
    if (!HasArea()) return false;
    area = CurrentAreaIndex();
    return true;
}

namespace {
template <class Records>
void AppendCells(std::vector<MapCellChange>& out, const Records& r) {
    const int dx[5] = {0, 0, 1, 0, -1};
    const int dy[5] = {0, -1, 0, 1, 0};
    for (int i = 0; i < 5; ++i) out.push_back({r.x + dx[i], r.y + dy[i], r.chips[i]});
}
}  // namespace

bool CDrawSequence::Undo() {
    if (!HasArea()) return false;
    BringAreaToFront(area);
    if (before.empty()) return true;
    std::vector<MapCellChange> cells;
    cells.reserve(before.size() * 5);
    for (auto it = before.rbegin(); it != before.rend(); ++it) AppendCells(cells, *it);
    StoreRaw(*stage, cells);
    ShowStroke();
    return true;
}

bool CDrawSequence::Redo() {
    if (!HasArea()) return false;
    BringAreaToFront(area);
    std::vector<MapCellChange> cells;
    cells.reserve(after.size() * 5);
    for (const CellRecord& r : after) AppendCells(cells, r);
    StoreRaw(*stage, cells);
    if (!after.empty()) ShowStroke();
    return true;
}

void CDrawSequence::ShowStroke() {
    int minX = after.front().x, maxX = minX, minY = after.front().y, maxY = minY;
    for (const CellRecord& r : after) {
        minX = std::min(minX, r.x), maxX = std::max(maxX, r.x);
        minY = std::min(minY, r.y), maxY = std::max(maxY, r.y);
    }
    ScrollToTargetCell((minX + maxX) / 2, (minY + maxY) / 2);
}

std::string CDrawSequence::GetLogText() const {
    std::string text = FormatEditText("[描画]  エリア:%d  ", area);
    for (size_t i = 0; i < after.size(); ++i) {
        text +=
            FormatEditText("[(%d,%d)%d→%d] ", after[i].x, after[i].y, before[i].chips[0], after[i].chips[0]);
    }
    return text;
}

// ---- CRectangleFill -----------------------------------------------------------------------

std::vector<MapCellChange> CRectangleFill::FrameCells() const {
    std::vector<MapCellChange> cells;
    const CStageMap* map = CurrentAreaMap(*stage);
    if (!map) return cells;
    // Only grid cells are recorded: a store beyond the grid never happens.
    const long long left = std::max<long long>(std::min(x1, x2) - 1LL, 0);
    const long long right = std::min<long long>(std::max(x1, x2) + 1LL, map->GetWidth() - 1);
    const long long top = std::max<long long>(std::min(y1, y2) - 1LL, 0);
    const long long bottom = std::min<long long>(std::max(y1, y2) + 1LL, map->GetHeight() - 1);
    for (long long y = top; y <= bottom; ++y) {
        for (long long x = left; x <= right; ++x) {
            const int cx = static_cast<int>(x), cy = static_cast<int>(y);
            cells.push_back({cx, cy, map->GetChip(cx, cy)});
        }
    }
    return cells;
}

bool CRectangleFill::Execute() {
    if (!HasArea()) return false;
    area = CurrentAreaIndex();
    beforeChips = FrameCells();
    const CStageMap* map = CurrentAreaMap(*stage);
    if (!map) return true;  // an area without a map: nothing to draw on
    TileMask cells(map->GetWidth(), map->GetHeight());
    for (const MapCellChange& c : beforeChips) {
        if (c.x >= std::min(x1, x2) && c.x <= std::max(x1, x2) && c.y >= std::min(y1, y2) &&
            c.y <= std::max(y1, y2)) {
            cells.Mark(c.x, c.y);
        }
    }
    PutChipsAutoTiled(*stage, cells, chip);
    afterChips = FrameCells();
    return true;
}

bool CRectangleFill::Restore(const std::vector<MapCellChange>& cells) {
    if (!HasArea()) return false;
    BringAreaToFront(area);
    StoreRaw(*stage, cells);
    ScrollToTargetCell((x1 + x2) / 2, (y1 + y2) / 2);
    return true;
}

bool CRectangleFill::Undo() { return Restore(beforeChips); }
bool CRectangleFill::Redo() { return Restore(afterChips); }

std::string CRectangleFill::GetLogText() const {
    return FormatEditText("[矩形描画]  エリア:%d, 範囲：(%d,%d)->(%d,%d), チップ値：%d", area, x1, y1, x2, y2,
                          chip);
}

// ---- CFill --------------------------------------------------------------------------------

bool CFill::Execute() {
    if (!HasArea() || !InBounds(x, y)) return false;
    area = CurrentAreaIndex();
    gridText = stage->EncodeCurrentAreaMap();
    Fill();
    return true;
}

void CFill::Fill() {
    const uint8_t startGroup = GetChipGroupBase(ChipAt(*stage, x, y));
    if (GetChipGroupBase(chip) == startGroup) return;
    targetGroup = startGroup;
    PutChipsAutoTiled(*stage, FloodCells(), chip);
}

// The fill visits cells as a recursion would: mark the cell, then go up, right and down into
// cells of the target group, each to its end, then carry on to the left. It runs on its own
// stack, so the largest area cannot exhaust the program's. A marked cell leaves the target
// group (the chip's group differs from it), so no cell is visited twice.
TileMask CFill::FloodCells() const {
    const CStageMap* map = CurrentAreaMap(*stage);
    TileMask marked(map->GetWidth(), map->GetHeight());
    const int w = marked.width, h = marked.height;
    std::vector<uint8_t> inTarget = map->GetChipsByRow();
    for (uint8_t& c : inTarget) c = GetChipGroupBase(c) == targetGroup;
    auto target = [&](int cx, int cy) { return inTarget[static_cast<size_t>(cy) * w + cx] != 0; };

    // A frame is a cell whose fill is under way and the next direction it tries.
    enum class Next : uint8_t { Mark, Up, Right, Down, Left };
    struct Frame {
        int16_t x, y;  // maps are at most 1000 cells a side
        Next next;
    };
    auto frame = [](int fx, int fy) {
        return Frame{static_cast<int16_t>(fx), static_cast<int16_t>(fy), Next::Mark};
    };
    // One frame per cell at most, so the stack never grows.
    std::vector<Frame> frames(static_cast<size_t>(w) * h);
    size_t top = 0;
    frames[0] = frame(x, y);
    for (;;) {
        Frame& f = frames[top];
        const int fx = f.x, fy = f.y;
        if (f.next == Next::Mark) {
            marked.Mark(fx, fy);
            inTarget[static_cast<size_t>(fy) * w + fx] = 0;
            f.next = Next::Up;
        }
        if (f.next == Next::Up) {
            f.next = Next::Right;
            if (fy - 1 >= 0 && target(fx, fy - 1)) {
                frames[++top] = frame(fx, fy - 1);
                continue;
            }
        }
        if (f.next == Next::Right) {
            f.next = Next::Down;
            if (fx + 1 < w && target(fx + 1, fy)) {
                frames[++top] = frame(fx + 1, fy);
                continue;
            }
        }
        if (f.next == Next::Down) {
            f.next = Next::Left;
            if (fy + 1 < h && target(fx, fy + 1)) {
                frames[++top] = frame(fx, fy + 1);
                continue;
            }
        }
        if (fx - 1 >= 0 && target(fx - 1, fy)) {
            f = frame(fx - 1, fy);  // the left cell carries on in the same frame
            continue;
        }
        if (top == 0) break;
        --top;
    }
    return marked;
}

bool CFill::Undo() {
    if (!HasArea()) return false;
    BringAreaToFront(area);
    if (!InBounds(x, y) || !stage->DecodeCurrentAreaMap(gridText)) return false;
    ScrollToTargetCell(x, y);
    return true;
}

bool CFill::Redo() {
    if (!HasArea()) return false;
    BringAreaToFront(area);
    if (!InBounds(x, y)) return false;
    Fill();
    ScrollToTargetCell(x, y);
    return true;
}

std::string CFill::GetLogText() const {
    return FormatEditText("[塗り潰し]  エリア:%d, 開始座標：(%d,%d), 塗り潰し後チップ値：%d", area, x, y,
                          chip);
}
