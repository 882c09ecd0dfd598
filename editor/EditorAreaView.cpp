// CEditor: tiles and screen points through the camera, the scroll bars that hold the view
// position, and the view remembered per area slot as areas come and go.
#include <cmath>

#include "editor/Editor.h"
#include "editor/EditorView.h"
#include "engine/Camera.h"
#include "stage/Stage.h"

namespace {

// The tile of a world coordinate: 0 .. 31 is tile 0, -32 .. -1 tile -1.
int TileOf(float world) {
    const double tile = std::floor(static_cast<double>(world) / CEditor::kTileSize);
    if (!(tile > -2147483648.0)) return -2147483647 - 1;  // NaN counts as far left
    if (tile > 2147483647.0) return 2147483647;
    return static_cast<int>(tile);
}

}  // namespace

bool CEditor::IsTileInArea(int x, int y) const {
    if (!stage || stage->GetAreaCount() < 1) return false;
    const int current = stage->GetCurrentAreaIndex();
    return x >= 0 && y >= 0 && x < stage->GetAreaWidth(current) && y < stage->GetAreaHeight(current);
}

int CEditor::ScreenToTileX(int sx, int sy) const {
    if (!stage || stage->GetAreaCount() < 1) return 0;
    return TileOf(CCamera::GetInstance()->ScreenToWorldX(static_cast<float>(sx), static_cast<float>(sy)));
}

int CEditor::ScreenToTileY(int sx, int sy) const {
    if (!stage || stage->GetAreaCount() < 1) return 0;
    return TileOf(CCamera::GetInstance()->ScreenToWorldY(static_cast<float>(sx), static_cast<float>(sy)));
}

bool CEditor::IsScreenPointOnTile(int sx, int sy) const {
    return IsTileInArea(ScreenToTileX(sx, sy), ScreenToTileY(sx, sy));
}

bool CEditor::IsScreenPointOnMap(int sx, int sy) const {
    return sx >= kViewLeft && sx <= kViewRight && sy >= kViewTop && sy <= kViewBottom &&
           IsScreenPointOnTile(sx, sy);
}

void CEditor::ApplyScrollBarsToCamera() {
    if (view) CenterCameraOnTile(view->GetScrollX(), view->GetScrollY());
}

void CEditor::CenterCameraOnTile(int tx, int ty) {
    CCamera* camera = CCamera::GetInstance();
    const double scale = camera->GetScale();
    camera->SetTarget(
        static_cast<float>(tx * static_cast<double>(kTileSize) - scale * (GetViewCenterX() - 320)),
        static_cast<float>(ty * static_cast<double>(kTileSize) - scale * (GetViewCenterY() - 240)), -1.0f);
}

void CEditor::SetScrollPosition(int x, int y) { View().SetScrollPosition(x, y); }

void CEditor::UpdateScrollBars() {
    if (!stage) return;
    const int current = stage->GetCurrentAreaIndex();
    View().SetScrollRanges(4, stage->GetAreaWidth(current) - 5, 3, stage->GetAreaHeight(current) - 4);
}

void CEditor::ScrollToCell(int x, int y) {
    if (!IsTileInArea(x, y)) return;
    const CCamera* camera = CCamera::GetInstance();
    // The centre of the tile.
    const float wx = static_cast<float>(x) * kTileSize + 16.0f;
    const float wy = static_cast<float>(y) * kTileSize + 16.0f;
    const int sx = static_cast<int>(camera->WorldToScreenX(wx, wy));
    const int sy = static_cast<int>(camera->WorldToScreenY(wx, wy));
    // Well inside the view: 64 pixels from every edge.
    if (kViewLeft + 64 < sx && sx < kViewRight - 64 && kViewTop + 64 < sy && sy < kViewBottom - 64) return;
    SetScrollPosition(x, y);
}

void CEditor::RememberScrollPosition() {
    if (!view || !stage) return;
    const int current = stage->GetCurrentAreaIndex();
    if (current < 0 || current >= 10) return;
    savedScrollX[current] = view->GetScrollX();
    savedScrollY[current] = view->GetScrollY();
}

// ---- Areas ----------------------------------------------------------------------------------

void CEditor::SelectArea(int area) {
    if (!stage || area < 0 || area >= stage->GetAreaCount()) return;
    SwitchToArea(area);
    RefreshAreaTabs();
}

void CEditor::SwitchToArea(int area) {
    if (!stage || area < 0 || area >= stage->GetAreaCount() || area == stage->GetCurrentAreaIndex()) return;
    RememberScrollPosition();
    if (!stage->SelectArea(area)) return;
    UpdateScrollBars();
    SetScrollPosition(savedScrollX[area], savedScrollY[area]);
}

void CEditor::OnAreaAdded(int area, int, int) {
    if (area < 0 || area >= 10) return;
    for (int j = 9; j > area; --j) {
        savedScrollX[j] = savedScrollX[j - 1];
        savedScrollY[j] = savedScrollY[j - 1];
    }
    savedScrollX[area] = 10;
    savedScrollY[area] = (stage ? stage->GetAreaHeight(area) : 0) - 7;
    RefreshAreaTabs();
    UpdateScrollBars();
    if (stage)
        SetScrollPosition(GetSavedScrollX(stage->GetCurrentAreaIndex()),
                          GetSavedScrollY(stage->GetCurrentAreaIndex()));
}

void CEditor::OnAreaRemoved(int area) {
    if (area < 0 || area >= 10) return;
    for (int j = area; j < 9; ++j) {
        savedScrollX[j] = savedScrollX[j + 1];
        savedScrollY[j] = savedScrollY[j + 1];
    }
    RefreshAreaTabs();
    UpdateScrollBars();
    if (stage)
        SetScrollPosition(GetSavedScrollX(stage->GetCurrentAreaIndex()),
                          GetSavedScrollY(stage->GetCurrentAreaIndex()));
}

void CEditor::RefreshAreaTabs() {
    if (stage) View().ShowAreaTabs(stage->GetAreaCount(), stage->GetCurrentAreaIndex());
}
