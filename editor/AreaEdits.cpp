#include "editor/AreaEdits.h"

#include <algorithm>
#include <memory>

#include "editor/Editor.h"
#include "foundation/XmlNode.h"
#include "stage/Stage.h"

namespace {

std::string WrapAreaText(const std::string& areaXml) {
    return "<TEMPAREA>" + StripXmlWhitespace(areaXml) + "</TEMPAREA>";
}

// Keeps a start cell on the map of the start area.
void ClampStartPoint(CStage& stage) {
    const int w = stage.GetAreaWidth(stage.startArea), h = stage.GetAreaHeight(stage.startArea);
    if (stage.startX >= w) stage.startX = std::max(w - 1, 0);
    if (stage.startY >= h) stage.startY = std::max(h - 1, 0);
}

// Deletes area i; the areas after it move down a slot, and the current area and the start point
// follow them. When the current area itself goes, the area that takes its slot (or the one
// before it, at the end) becomes current; the start point moves the same way, onto that area's map.
bool RemoveArea(CStage& stage, int i) {
    if (!stage.RemoveArea(i)) return false;
    const int count = stage.GetAreaCount();
    if (i <= stage.currentArea) {
        if (count == 0) {
            stage.currentArea = 0;
        } else if (stage.currentArea == i) {
            if (count <= i) stage.currentArea = i - 1;
            stage.GetArea(stage.currentArea)->CreateSprites();
        } else {
            --stage.currentArea;
        }
    }
    if (i <= stage.startArea) {
        if (count == 0) {
            stage.startArea = stage.startX = stage.startY = 0;
        } else if (stage.startArea == i) {
            if (count <= i) stage.startArea = i - 1;
            ClampStartPoint(stage);
        } else {
            --stage.startArea;
        }
    }
    return true;
}

// Puts an area into slot i; the areas from i on move up a slot with the current area and the
// start point. Into a stage without areas it becomes the current area.
bool InsertArea(CStage& stage, int i, std::unique_ptr<CStageArea> area) {
    const bool wasEmpty = stage.GetAreaCount() == 0;
    if (!stage.InsertArea(i, std::move(area))) return false;
    if (wasEmpty) {
        stage.currentArea = 0;
        stage.GetArea(0)->CreateSprites();
        return true;
    }
    if (stage.currentArea >= i) ++stage.currentArea;
    if (stage.startArea >= i) ++stage.startArea;
    return true;
}

void AnnounceAdded(CEditor* editor, const CStage& stage, int i) {
    if (editor) editor->OnAreaAdded(i, stage.GetAreaWidth(i), stage.GetAreaHeight(i));
}

}  // namespace

// ---- CAddArea -----------------------------------------------------------------------------

CAddArea::CAddArea(CStage* editedStage, CEditor* owningEditor, const std::string& areaXml)
    : IEdit(editedStage, owningEditor), areaText(WrapAreaText(areaXml)) {}

bool CAddArea::Add() {
    if (!stage || stage->GetAreaCount() >= CStage::kMaxAreas) return false;
    std::unique_ptr<CStageArea> area = CStageArea::ReadXml(stage, areaText);
    if (!area || !InsertArea(*stage, stage->GetAreaCount(), std::move(area))) return false;
    const int added = stage->GetAreaCount() - 1;
    if (added == 0 && stage->startArea == 0) ClampStartPoint(*stage);
    AnnounceAdded(editor, *stage, added);
    BringAreaToFront(added);
    return true;
}

bool CAddArea::Undo() {
    if (!HasArea() || !RemoveArea(*stage, stage->GetAreaCount() - 1)) return false;
    if (editor) editor->OnAreaRemoved(stage->GetAreaCount());
    return true;
}

std::string CAddArea::GetLogText() const { return "[エリア追加]  XML文字列:" + areaText; }

// ---- CDeleteArea --------------------------------------------------------------------------

CDeleteArea::CDeleteArea(CStage* editedStage, CEditor* owningEditor, int areaIndex)
    : IEdit(editedStage, owningEditor), index(areaIndex) {
    if (!stage) return;
    if (stage->IsValidAreaIndex(index)) areaText = WrapAreaText(stage->WriteAreaXml(index));
    hadStart = stage->startArea == index;
    if (hadStart) {
        startX = stage->startX;
        startY = stage->startY;
    }
}

bool CDeleteArea::Execute() {
    // Without its text the deletion could never be undone: it is refused.
    if (!stage || areaText.empty() || !RemoveArea(*stage, index)) return false;
    if (editor) editor->OnAreaRemoved(index);
    return true;
}

bool CDeleteArea::Undo() {
    if (!stage || areaText.empty() || stage->GetAreaCount() >= CStage::kMaxAreas) return false;
    std::unique_ptr<CStageArea> area = CStageArea::ReadXml(stage, areaText);
    if (!area || !InsertArea(*stage, index, std::move(area))) return false;
    if (hadStart && startX >= 0 && startY >= 0 && startX < stage->GetAreaWidth(index) &&
        startY < stage->GetAreaHeight(index)) {
        stage->startArea = index;
        stage->startX = startX;
        stage->startY = startY;
    }
    AnnounceAdded(editor, *stage, index);
    BringAreaToFront(index);
    return true;
}

std::string CDeleteArea::GetLogText() const {
    const std::string where =
        hadStart ? FormatEditText("削除エリア番号:%d, 削除前開始座標:(%d,%d)", index, startX, startY)
                 : FormatEditText("削除エリア番号:%d, (開始点なし)", index);
    return "[エリア削除]  " + where + ", XML文字列:" + areaText;
}

// ---- CChangeStartPoint --------------------------------------------------------------------

CChangeStartPoint::CChangeStartPoint(CStage* editedStage, CEditor* owningEditor, int area, int x, int y)
    : IEdit(editedStage, owningEditor), newArea(area), newX(x), newY(y) {
    if (!stage) return;
    oldArea = stage->startArea;
    oldX = stage->startX;
    oldY = stage->startY;
}

bool CChangeStartPoint::Apply(int area, int x, int y) {
    if (!stage || !stage->IsValidAreaIndex(area)) return false;
    if (x < 0 || y < 0 || x >= stage->GetAreaWidth(area) || y >= stage->GetAreaHeight(area)) return false;
    stage->startArea = area;
    stage->startX = x;
    stage->startY = y;
    return true;
}

bool CChangeStartPoint::ApplyAndShow(int area, int x, int y) {
    if (!Apply(area, x, y)) return false;
    BringAreaToFront(area);
    ScrollToTargetCell(x, y);
    return true;
}

std::string CChangeStartPoint::GetLogText() const {
    return "[開始地点変更]  " +
           FormatEditText("エリア%d (%d,%d) → エリア%d (%d,%d)", oldArea, oldX, oldY, newArea, newX, newY);
}
