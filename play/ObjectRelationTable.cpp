#include "play/ObjectRelationTable.h"

#include <cstring>
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
    // Read whole into a new matrix first: a bad cell leaves the table in use untouched.
    int fresh[kSize][kSize] = {};
    for (int y = 0; y < kReadSize; ++y) {
        for (int x = 0; x < kReadSize; ++x) {
            const int v = StrToInt(CsvCell(table, kSize, y, x));
            if (v < 0) throw CInitFileException("IFE0301", "obje_relation.dat が不正です。");
            fresh[x][y] = v;
        }
    }
    std::memcpy(g_rel, fresh, sizeof g_rel);
}

int CObjectRelationTable::Get(int x, int y) {
    if (x < 0 || y < 0 || x >= kSize || y >= kSize) return 0;
    return g_rel[x][y];
}

void CObjectRelationTable::Clear() {
    for (auto& row : g_rel)
        for (auto& v : row) v = 0;
}
