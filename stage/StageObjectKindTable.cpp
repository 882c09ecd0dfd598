#include "stage/StageObjectKindTable.h"

#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "stage/StageAreaObject.h"

// ---- Factory list --------------------------------------------------------------------------

void StageAreaObjectKindList::Add(const std::string& kindKey, StageAreaObjectCreator creator) {
    if (!creator || byKey.count(kindKey)) return;
    order.emplace_back(kindKey, creator);
    byKey.emplace(kindKey, creator);
}

StageAreaObjectCreator StageAreaObjectKindList::Find(const std::string& kindKey) const {
    auto it = byKey.find(kindKey);
    return it == byKey.end() ? nullptr : it->second;
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
}

CStageObjectKindTable::CStageObjectKindTable() { Load(); }

CStageObjectKindTable::~CStageObjectKindTable() { Clear(); }

void CStageObjectKindTable::Clear() {
    for (auto& row : rows) row.reset();
    keyMap.clear();
}

void CStageObjectKindTable::Load() {
    Clear();
    std::string text;
    const ReadStatus status = ReadEncodedFile(kKindFile, text, true);
    if (status == ReadStatus::CannotRead) {
        throw CInitFileException("IFE0100", "stage_objects.dat を開けません。");
    }
    std::vector<std::string> table;
    if (status != ReadStatus::Ok || !ParseCsvText(text, table, 3, kMaxKinds)) {
        throw CInitFileException("IFE0101", "stage_objects.dat が不正です。");
    }
    for (int i = 0; i < kMaxKinds; ++i) {
        const std::string& key = CsvCell(table, kMaxKinds, 0, i);
        if (key.empty()) continue;
        rows[i] = std::make_unique<CStageObjectKeyEntry>(
            CStageObjectKeyEntry{key, CsvCell(table, kMaxKinds, 1, i), CsvCell(table, kMaxKinds, 2, i)});
        keyMap[key] = i;  // a later line with the same key wins
    }
}

const CStageObjectKeyEntry* CStageObjectKindTable::GetRow(int kindNumber) const {
    if (kindNumber < 0 || kindNumber >= kMaxKinds) return nullptr;
    return rows[kindNumber].get();
}

int CStageObjectKindTable::FindKindNumber(const std::string& kindKey) const {
    auto it = keyMap.find(kindKey);
    return it == keyMap.end() ? 0 : it->second;
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
    if (kindNumber <= 0 || kindNumber >= kMaxKinds || !rows[kindNumber]) return nullptr;
    const CStageObjectKeyEntry& row = *rows[kindNumber];
    StageAreaObjectCreator create = StageAreaObjectKindList::Instance().Find(row.key);
    if (!create) return nullptr;
    std::unique_ptr<CStageAreaObject> object = create(ownerStage, ownerArea, ownerTable, x, y);
    if (!object) return nullptr;
    object->SetKey(row.key);
    object->SetName(row.name);
    object->SetExtraText(row.extraText);
    object->SetAttributes(a1, a2, a3, a4);
    object->SetText(text);
    return object;
}
