// CEditorScreen: drawing. The 3-D pass draws the current area's chips and objects through the
// camera (only the tiles on the screen); the 2-D pass draws everything flat over them.
#include <algorithm>

#include "controls/ControlPort.h"
#include "editor/EditorScreen.h"
#include "editor_windows/EditerRootForm.h"
#include "editor_windows/PopUpHelp.h"
#include "engine/Camera.h"
#include "engine/el/elDraw.h"
#include "foundation/CreatorLevelTable.h"
#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"

using namespace Controls;

namespace {
constexpr uint32_t kMarginGrey = PackColor(128, 128, 128);

double Ticks() { return CCreatorLevelTable::GetInstance()->GetTicks(); }

int ScreenX(float wx, float wy) { return int(CCamera::GetInstance()->WorldToScreenX(wx, wy)); }
int ScreenY(float wx, float wy) { return int(CCamera::GetInstance()->WorldToScreenY(wx, wy)); }
}  // namespace

void CEditorScreen::Draw() {
    CStage* stage = GetStage();
    if (!stage || stage->GetAreaCount() < 1) return;
    CStageArea* area = stage->GetCurrentArea();
    if (!area) return;
    CStageMap* map = area->GetMap();
    CStageAreaObjectTable* objects = area->GetObjects();
    const bool animate = stage->openMode == 0;
    if (editor_->IsObjectTool()) {
        // The map fades while objects are edited.
        if (map) map->DrawScaled(0, 639, 0, 479, Ticks(), animate, 0.5f);
        if (objects) objects->DrawVisible(0, 639, 0, 479);
    } else {
        if (map) map->Draw(0, 639, 0, 479, Ticks(), animate);
        if (objects) objects->DrawVisibleOverlay(0, 639, 0, 479);
    }
}

void CEditorScreen::DrawOverlay() {
    const CStage* stage = GetStage();
    if (!stage || stage->GetAreaCount() < 1) {
        Port().Rect(0, 0, 640, 480, kMarginGrey, kMarginGrey, 1);
    } else {
        DrawMargins();
        DrawStartMarker();
        FrameInput in;
        in.mouse = Port().Mouse();
        in.tx = editor_->ScreenToTileX(in.mouse.x, in.mouse.y);
        in.ty = editor_->ScreenToTileY(in.mouse.x, in.mouse.y);
        in.onMap = editor_->IsScreenPointOnMap(in.mouse.x, in.mouse.y);
        if (pointerOverlayShown_ && IsRootActive()) {
            DrawPointerFrame(in);
            DrawHoveredObjectExtent(in);
        }
    }
    DrawPickingHint();
    root_->Draw();
    if (popUpHelp_) popUpHelp_->Draw();
    if (editor_->GetEditMode() == EditorMode::kSingle)
        elDraw::DrawDebugText(20, 440, "！！！シングル編集モード！！！");
}

// Grey beyond the map's edges, where the view shows no tile.
void CEditorScreen::DrawMargins() {
    const int w = CurrentAreaWidth() * 32, h = CurrentAreaHeight() * 32;
    const int l = ScreenX(0, 0), t = ScreenY(0, 0);
    const int r = ScreenX(float(w), float(h)), b = ScreenY(float(w), float(h));
    if (l > 0) Port().Rect(0, 0, l, 480, kMarginGrey, kMarginGrey, 1);
    if (r < 640) Port().Rect(r, 0, 640, 480, kMarginGrey, kMarginGrey, 1);
    if (t > 0) Port().Rect(l, 0, r, t, kMarginGrey, kMarginGrey, 1);
    if (b < 480) Port().Rect(l, b, r, 480, kMarginGrey, kMarginGrey, 1);
}

void CEditorScreen::DrawPointerFrame(const FrameInput& in) {
    const int mx = in.mouse.x, my = in.mouse.y;
    const bool inView = mx >= kViewLeft && mx <= kViewRight && my >= kViewTop && my <= kViewBottom;
    if (editor_->GetTool() == EditorTool_RectangleDrag && inView) {
        const int tx = std::min(std::max(in.tx, 0), CurrentAreaWidth() - 1);
        const int ty = std::min(std::max(in.ty, 0), CurrentAreaHeight() - 1);
        const uint32_t pink = PackColor(231, 85, 125);
        DrawTileFrame(tx, ty, rectFirstX_, rectFirstY_, pink, pink);
    } else if (in.onMap) {
        DrawTileFrame(in.tx, in.ty, in.tx, in.ty, PackColor(255, 255, 255), PackColor(0, 0, 0));
    }
}

// The hint of the picking tools blinks in the middle of the view, half a second on, half off.
void CEditorScreen::DrawPickingHint() {
    const EditorTool tool = editor_->GetTool();
    if (tool < EditorTool_PickStart || tool > EditorTool_Locked) return;
    if (int(Ticks()) % 60 >= 30) return;
    const int top = 200 + 16 * (tool - EditorTool_PickStart);
    PutSheet(kSheet5, kViewLeft + (kViewRight - kViewLeft) / 2 - 80,
             kViewTop + (kViewBottom - kViewTop) / 2 - 8, 0, top, 160, top + 16);
}

// Three outlines round the tiles: outer colour, inner colour, outer colour again.
void CEditorScreen::DrawTileFrame(int x1, int y1, int x2, int y2, uint32_t outer, uint32_t inner) {
    const int maxX = CurrentAreaWidth() - 1, maxY = CurrentAreaHeight() - 1;
    const int left = std::min(std::max(std::min(x1, x2), 0), maxX);
    const int right = std::min(std::max(std::max(x1, x2), 0), maxX) + 1;
    const int top = std::min(std::max(std::min(y1, y2), 0), maxY);
    const int bottom = std::min(std::max(std::max(y1, y2), 0), maxY) + 1;
    const int sx1 = ScreenX(left * 32.0f, top * 32.0f), sy1 = ScreenY(left * 32.0f, top * 32.0f);
    const int sx2 = ScreenX(right * 32.0f, bottom * 32.0f), sy2 = ScreenY(right * 32.0f, bottom * 32.0f);
    Port().RectOutline(sx1 - 1, sy1 - 1, sx2 + 1, sy2 + 1, outer, 1);
    Port().RectOutline(sx1, sy1, sx2, sy2, inner, 1);
    Port().RectOutline(sx1 + 1, sy1 + 1, sx2 - 1, sy2 - 1, outer, 1);
}

void CEditorScreen::DrawTileCircle(int x, int y, int radius, int width, uint32_t color) {
    const float wx = x * 32.0f + 16.0f, wy = y * 32.0f + 16.0f;
    const float s = CCamera::GetInstance()->GetScale();
    Port().Arc(ScreenX(wx, wy), ScreenY(wx, wy), std::max(int(radius * s), 1), color,
               std::max(int(width * s), 1));
}

// A light blue ring that grows from the start tile and fades, 40 of every 50 ticks.
void CEditorScreen::DrawStartMarker() {
    const CStage* stage = GetStage();
    if (stage->GetCurrentAreaIndex() != stage->GetStartArea()) return;
    const int p = int(Ticks()) % 50;
    if (p >= 40) return;
    const double f = p < 8 ? 1.0 - (8 - p) * 0.025 : 1.0 - (p - 8) * 0.02;
    DrawTileCircle(stage->GetStartX(), stage->GetStartY(), p / 4 + 12, int(f * 7.0),
                   PackColor(int(f * 179), int(f * 200), int(f * 255)));
}

void CEditorScreen::DrawHoveredObjectExtent(const FrameInput& in) {
    const EditorTool tool = editor_->GetTool();
    if (!in.onMap || (tool != EditorTool_ObjectPlace && tool != EditorTool_ObjectEraser)) return;
    if (CStageAreaObject* object = ObjectAt(in.tx, in.ty)) object->DrawExtentFrame();
}
