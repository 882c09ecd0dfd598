#include "stage/StageObjectKindTable.h"

#include <utility>

#include "stage/StageAreaObject.h"

// ---- Factory list --------------------------------------------------------------------------

void StageAreaObjectKindList::Add(const std::string& kindKey, StageAreaObjectCreator creator) {
    if (!creator || byKey.count(kindKey)) return;
    order.push_back(kindKey);
    byKey.emplace(kindKey, std::move(creator));
}

const StageAreaObjectCreator* StageAreaObjectKindList::Find(const std::string& kindKey) const {
    auto it = byKey.find(kindKey);
    return it == byKey.end() ? nullptr : &it->second;
}

StageAreaObjectKindList& StageAreaObjectKindList::Instance() {
    static StageAreaObjectKindList list = [] {
        StageAreaObjectKindList l;
        RegisterStageAreaObjectKinds(l);
        return l;
    }();
    return list;
}

// ---- Kind table ----------------------------------------------------------------------------

namespace {
const char kKindFile[] = "data\\stage_objects.dat";
const KeyTextTableErrors kKindFileErrors = {"IFE0100", "stage_objects.dat を開けません。", "IFE0101",
                                            "stage_objects.dat が不正です。"};
}  // namespace

void CheckShippedKeyTextTables() {
    const CStageObjectKindTable kinds;
    CKeyTextTable chips;
    chips.Load("data\\mapchip_info.dat", PalletTableErrors());
}

CStageObjectKindTable::CStageObjectKindTable() { Load(); }

CStageObjectKindTable::~CStageObjectKindTable() { Clear(); }

void CStageObjectKindTable::Clear() { rows.Clear(); }

void CStageObjectKindTable::Load() {
    Clear();
    rows.Load(kKindFile, kKindFileErrors);
}

const CStageObjectKeyEntry* CStageObjectKindTable::GetRow(int kindNumber) const {
    return rows.GetLine(kindNumber);
}

int CStageObjectKindTable::FindKindNumber(const std::string& kindKey) const {
    const int line = rows.FindLine(kindKey);
    return line < 0 ? 0 : line;
}

std::unique_ptr<CStageAreaObject> CStageObjectKindTable::CreateByKey(
    const std::string& kindKey, CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable,
    int x, int y, double a1, double a2, double a3, double a4, const std::string& text) const {
    return CreateStageAreaObject(FindKindNumber(kindKey), ownerStage, ownerArea, ownerTable, x, y, a1, a2, a3,
                                 a4, text);
}

std::unique_ptr<CStageAreaObject> CStageObjectKindTable::CreateStageAreaObject(
    int kindNumber, CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, int x,
    int y, double a1, double a2, double a3, double a4, const std::string& text) const {
    const CStageObjectKeyEntry* found = kindNumber > 0 ? rows.GetLine(kindNumber) : nullptr;
    if (!found) return nullptr;
    const CStageObjectKeyEntry& row = *found;
    const StageAreaObjectCreator* create = StageAreaObjectKindList::Instance().Find(row.key);
    if (!create) return nullptr;
    std::unique_ptr<CStageAreaObject> object = (*create)(ownerStage, ownerArea, ownerTable, x, y);
    if (!object) return nullptr;
    object->SetKey(row.key);
    object->SetName(row.name);
    object->SetExtraText(row.description);
    object->SetAttributes(a1, a2, a3, a4);
    object->SetText(text);
    return object;
}
