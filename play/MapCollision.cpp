// How a live object keeps out of the blocking chips of its area's map, what it learns from them
// (contacts, ground friction, conveyors, ledges) and how it escapes when it ends up inside them.
#include "play/MapCollision.h"

#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"
#include "play/Base.h"
#include "stage/Stage.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

namespace {
uint8_t ChipAtPixel(const CStageMap& map, int x, int y) {
    return map.GetChip(x / kTilePixels, y / kTilePixels);
}
bool BlocksAtPixel(const CStageMap& map, int x, int y) { return !IsPassableChip(ChipAtPixel(map, x, y)); }
bool BlocksFromAboveAtPixel(const CStageMap& map, int x, int y) {
    return !IsPassableChipFrom(ChipAtPixel(map, x, y), ChipDirection_Down);
}
}  // namespace

bool IsPassableAtPixel(const CStageMap& map, int x, int y) { return !BlocksAtPixel(map, x, y); }
bool IsPassableAtPixelFrom(const CStageMap& map, int x, int y, int direction) {
    return IsPassableChipFrom(ChipAtPixel(map, x, y), direction);
}
bool IsPassableAtPixel(const CStageArea& area, int x, int y) {
    return !area.GetMap() || IsPassableAtPixel(*area.GetMap(), x, y);
}
bool IsPassableAtPixelFrom(const CStageArea& area, int x, int y, int direction) {
    return !area.GetMap() || IsPassableAtPixelFrom(*area.GetMap(), x, y, direction);
}
double GetFrictionAtPixel(const CStageArea& area, int x, int y) {
    return area.GetMap() ? GetChipFriction(ChipAtPixel(*area.GetMap(), x, y)) : 1.0;
}
double GetConveyorSpeedAtPixel(const CStageArea& area, int x, int y) {
    return area.GetMap() ? GetChipConveyorSpeed(ChipAtPixel(*area.GetMap(), x, y)) : 0.0;
}

CStageArea* IBase::GetCurrentArea() const {
    if (!owner || !owner->IsValidAreaIndex(owner->currentArea)) return nullptr;
    return owner->GetArea(owner->currentArea);
}

CStageMap* IBase::GetCurrentMap() const {
    CStageArea* area = GetCurrentArea();
    return area ? area->GetMap() : nullptr;
}

void IBase::ResolveMapCollision() {
    if (ignoresMap) return;
    const CStageMap* map = GetCurrentMap();
    StageMapMoveResult r;
    if (map) {
        r = map->ResolveRectMove(GetLeft(), GetTop(), GetWidth(), GetHeight(), GetPreviousLeft(),
                                 GetPreviousTop());
    } else {
        r.x = GetLeft();
        r.y = GetTop();
    }
    mapCorrectedX = r.x;
    mapCorrectedY = r.y;
    mapTop = r.hitTop;
    mapBottom = r.hitBottom;
    mapLeft = r.hitLeft;
    mapRight = r.hitRight;
    SetLeft(r.x);
    SetTop(r.y);
    touchTop |= mapTop;
    touchBottom |= mapBottom;
    touchLeft |= mapLeft;
    touchRight |= mapRight;
    if (mapBottom) {  // the map floor ends riding
        riddenObject.Reset();
        previousRiddenObject.Reset();
    }
    if (map) {
        const bool embedded =
            shapeType == kShapePoint
                ? map->RectHitsBlockingChip(GetLeft(), GetTop(), GetRight(), GetBottom())
                : map->RectHitsBlockingChip(GetLeft() + 1, GetTop() + 1, GetRight() - 1, GetBottom() - 1);
        if (embedded) {
            EscapeFromSolid();
            vx = vy = 0;
        }
    }
    const double landingCap = 4.0 * GetFrameRate();
    if (mapTop && vy < 0 && stopOnTouchTop) vy = 0;
    if (mapBottom && vy > landingCap && stopOnTouchBottom) vy = landingCap;
    if (mapLeft && vx < 0 && stopOnTouchLeft) vx = 0;
    if (mapRight && vx > 0 && stopOnTouchRight) vx = 0;
}

void IBase::EscapeFromSolid() {
    const CStageMap* map = GetCurrentMap();
    const double l = GetLeft(), t = GetTop();
    const double w = static_cast<int>(GetWidth()), h = static_cast<int>(GetHeight());
    auto blocked = [&](double px, double py) {
        return map && BlocksAtPixel(*map, static_cast<int>(px), static_cast<int>(py));
    };
    const int corners = (blocked(l + 1, t + 1) ? 1 : 0) | (blocked(l + w - 1, t + 1) ? 2 : 0) |
                        (blocked(l + 1, t + h - 1) ? 4 : 0) | (blocked(l + w - 1, t + h - 1) ? 8 : 0);
    // Escape velocity by the blocked corners: bit 1 top-left, 2 top-right, 4 bottom-left,
    // 8 bottom-right. Away from a single corner diagonally, away from a side straight, and
    // rightward when the blocked part gives no direction (none, opposite corners, all four).
    static const int kEscape[16][2] = {
        {100, 0},   {70, 70}, {-70, 70}, {0, 100},  {70, -70}, {100, 0},  {100, 0},   {70, 70},
        {-70, -70}, {100, 0}, {-100, 0}, {-70, 70}, {0, -100}, {70, -70}, {-70, -70}, {100, 0},
    };
    const double dt = GetFrameTime();
    x = prevX + dt * kEscape[corners][0];
    y = prevY + dt * kEscape[corners][1];
}

namespace {
// The point under the object's feet that decides its ground: below the middle, else below the
// left or the right edge when only that one stands on something.
void GroundProbe(const IBase& o, const CStageMap* map, int& px, int& py) {
    py = static_cast<int>(o.GetBottom() + 1.0);
    const int candidates[3] = {static_cast<int>((o.GetLeft() + o.GetRight()) * 0.5),
                               static_cast<int>(o.GetLeft()), static_cast<int>(o.GetRight())};
    px = candidates[0];
    if (!map) return;
    for (int c : candidates) {
        if (BlocksAtPixel(*map, c, py) || BlocksFromAboveAtPixel(*map, c, py)) {
            px = c;
            return;
        }
    }
}
}  // namespace

double IBase::GetGroundFriction() const {
    const CStageArea* area = GetCurrentArea();
    if (!area) return 1.0;
    int px, py;
    GroundProbe(*this, area->GetMap(), px, py);
    return GetFrictionAtPixel(*area, px, py);
}

double IBase::GetGroundConveyorSpeed() const {
    const CStageArea* area = GetCurrentArea();
    if (!area) return 0.0;
    int px, py;
    GroundProbe(*this, area->GetMap(), px, py);
    return GetConveyorSpeedAtPixel(*area, px, py);
}

bool IBase::IsAtLedge(int direction) const {
    if (direction != 0 && direction != 1) return false;
    if (const IBase* ridden = riddenObject.Get())
        return direction == 0 ? ridden->GetLeft() > GetLeft() : ridden->GetRight() < GetRight();
    const CStageMap* map = GetCurrentMap();
    if (!map) return true;
    const int px = static_cast<int>(direction == 0 ? GetLeft() - 1.0 : GetRight() + 1.0);
    const int py = static_cast<int>(GetBottom() + 1.0);
    return !BlocksAtPixel(*map, px, py) && !BlocksFromAboveAtPixel(*map, px, py);
}
