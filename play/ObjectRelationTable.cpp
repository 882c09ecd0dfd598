#include "play/ObjectRelationTable.h"

#include <string>
#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"

namespace {
int g_rel[CObjectRelationTable::kSize][CObjectRelationTable::kSize] = {};
}  // namespace

void CObjectRelationTable::Load() {
    std::string text;
    const ReadStatus status = ReadEncodedFile("data\\obje_relation.dat", text);
    if (status == ReadStatus::CannotRead)
        throw CInitFileException("IFE0300", "obje_relation.dat を開けません。");
    if (status != ReadStatus::Ok) throw CInitFileException("IFE0301", "obje_relation.dat が不正です。");
    std::vector<std::string> table;
    if (!ParseCsvText(text, table, kSize, kSize))
        throw CInitFileException("IFE0301", "obje_relation.dat が不正です。");
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const int v = (x < kReadSize && y < kReadSize) ? StrToInt(CsvCell(table, kSize, y, x)) : 0;
            if (v < 0) throw CInitFileException("IFE0301", "obje_relation.dat が不正です。");
            g_rel[x][y] = v;
        }
    }
}

int CObjectRelationTable::Get(int x, int y) {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) return 0;
    return g_rel[x][y];
}

void CObjectRelationTable::Clear() {
    for (auto& row : g_rel)
        for (auto& v : row) v = 0;
}
