#include "editor/ObjectEdits.h"

#include "editor/Editor.h"
#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"

namespace {
CStageAreaObject* ObjectOn(const CStage* stage, int x, int y) {
    CStageAreaObjectTable* table = stage ? stage->GetCurrentAreaObjects() : nullptr;
    return table ? table->GetAt(x, y) : nullptr;
}

void SetValues(CStageAreaObject& object, const PlacedObjectValues& set) {
    object.SetAttributes(set.a1, set.a2, set.a3, set.a4);
    object.SetText(set.text);
}
}  // namespace

// ---- CObjectPlacement ---------------------------------------------------------------------

CStageAreaObjectTable* CObjectPlacement::Table() const {
    return stage ? stage->GetCurrentAreaObjects() : nullptr;
}

CStageAreaObject* CObjectPlacement::ObjectHere() const { return ObjectOn(stage, x, y); }

bool CObjectPlacement::PlaceAgain() {
    if (!HasArea()) return false;
    BringAreaToFront(area);
    if (!InBounds(x, y) || ObjectHere() || !Table()) return false;
    ScrollToTargetCell(x, y);
    return Table()->Add(values.key, x, y, values.a1, values.a2, values.a3, values.a4, values.text);
}

bool CObjectPlacement::TakeOff() {
    if (!HasArea()) return false;
    BringAreaToFront(area);
    if (!InBounds(x, y) || !ObjectHere()) return false;
    ScrollToTargetCell(x, y);
    return Table()->Remove(x, y);
}

std::string CObjectPlacement::LogText(const char* head) const {
    return head + values.key +
           FormatEditText(", エリア:%d, 座標：(%d,%d), 属性値：(%.3f,%.3f,%.3f,%.3f), 文字列：", area, x, y,
                          values.a1, values.a2, values.a3, values.a4) +
           values.text;
}

// ---- CSetObject / CDeleteObject -----------------------------------------------------------

bool CSetObject::Execute() {
    if (!HasArea() || !InBounds(x, y) || ObjectHere() || !Table()) return false;
    area = CurrentAreaIndex();
    return Table()->Add(values.key, x, y, values.a1, values.a2, values.a3, values.a4, values.text);
}

bool CDeleteObject::Execute() {
    if (!HasArea() || !InBounds(x, y)) return false;
    const CStageAreaObject* object = ObjectHere();
    if (!object) return false;
    values = PlacedObjectValues::Of(*object);
    area = CurrentAreaIndex();
    return Table()->Remove(x, y);
}

// ---- CMoveObject --------------------------------------------------------------------------

bool CMoveObject::Execute() {
    if (!HasArea()) return false;
    area = CurrentAreaIndex();
    return true;
}

bool CMoveObject::MoveBetween(int sourceX, int sourceY, int destX, int destY) {
    if (!HasArea()) return false;
    BringAreaToFront(area);
    if (!InBounds(fromX, fromY) || !InBounds(toX, toY)) return false;
    if (ObjectOn(stage, destX, destY) || !ObjectOn(stage, sourceX, sourceY)) return false;
    ScrollToTargetCell(destX, destY);
    return stage->GetCurrentAreaObjects()->Move(sourceX, sourceY, destX, destY);
}

std::string CMoveObject::GetLogText() const {
    return FormatEditText("[オブジェクト移動]  エリア:%d, 座標：(%d,%d)→(%d,%d)", area, fromX, fromY, toX,
                          toY);
}

// ---- CConfigureObject ---------------------------------------------------------------------

CStageAreaObject* CConfigureObject::ObjectHere() const { return ObjectOn(stage, x, y); }

bool CConfigureObject::Execute() {
    if (!HasArea() || !InBounds(x, y)) return false;
    CStageAreaObject* object = ObjectHere();
    if (!object) return false;
    area = CurrentAreaIndex();
    oldValues = PlacedObjectValues::Of(*object);
    SetValues(*object, newValues);
    return true;
}

bool CConfigureObject::Apply(const PlacedObjectValues& set) {
    if (!HasArea()) return false;
    BringAreaToFront(area);
    if (!InBounds(x, y)) return false;
    CStageAreaObject* object = ObjectHere();
    if (!object) return false;
    ScrollToTargetCell(x, y);
    SetValues(*object, set);
    return true;
}

std::string CConfigureObject::GetLogText() const {
    return FormatEditText(
               "[オブジェクト変数変更]  エリア:%d, 座標：(%d,%d), "
               "属性値：(%.3f,%.3f,%.3f,%.3f)→(%.3f,%.3f,%.3f,%.3f), 文字列：",
               area, x, y, oldValues.a1, oldValues.a2, oldValues.a3, oldValues.a4, newValues.a1, newValues.a2,
               newValues.a3, newValues.a4) +
           oldValues.text + " → " + newValues.text;
}
