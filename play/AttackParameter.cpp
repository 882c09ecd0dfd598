#include "play/AttackParameter.h"

#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/Geometry.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"

namespace {
std::map<std::string, AttackParameter> g_rows;

constexpr int kLines = 256;
constexpr int kFields = 18;
}  // namespace

CAttackParameterTable::CAttackParameterTable() { Load(); }

void CAttackParameterTable::Load() {
    std::string text;
    const ReadStatus status = ReadEncodedFile("data\\attack_parameters.dat", text);
    // A read that yields no text (no file, an unreadable one, or one not in the game's encoding)
    // cannot be opened as a table; a text that does not fit the table is a bad one.
    if (status != ReadStatus::Ok) throw CInitFileException("IFE0400", "attack_parameters.dat を開けません。");
    std::vector<std::string> table;
    if (!ParseCsvText(text, table, kFields, kLines))
        throw CInitFileException("IFE0401", "attack_parameters.dat が不正です。");
    auto cell = [&](int field, int line) -> const std::string& {
        return CsvCell(table, kLines, field, line);
    };
    // Line 0 is the heading. The rows go into a new map that replaces the old one only when the
    // whole file has been read.
    std::map<std::string, AttackParameter> rows;
    for (int l = 1; l < kLines; ++l) {
        const std::string& name = cell(0, l);
        if (name.empty()) continue;
        AttackParameter p;
        p.lifetime = StrToDouble(cell(1, l));
        p.rehitInterval = StrToDouble(cell(2, l));
        const int aim = StrToInt(cell(3, l));
        p.aimMode = (aim >= 1 && aim <= 3) ? aim : 0;
        p.attack.damage = StrToInt(cell(4, l));
        p.attack.power = StrToDouble(cell(5, l));
        p.attack.angle = StrToDouble(cell(6, l));
        p.attack.delay = StrToDouble(cell(7, l));
        for (int f = 0; f <= 6; ++f) p.attack.flags[f] = StrToInt(cell(8 + f, l)) == 1 ? 1 : 0;
        for (int f = 8; f <= 10; ++f) p.attack.flags[f] = StrToInt(cell(15 + (f - 8), l)) == 1 ? 1 : 0;
        rows[name] = p;
    }
    g_rows.swap(rows);
}

AttackParameter CAttackParameterTable::Get(const std::string& name, int mirrored) {
    auto it = g_rows.find(name);
    if (it == g_rows.end()) return AttackParameter();
    AttackParameter p = it->second;
    if (mirrored == 1) {
        p.attack.angle = kPi / 2 - (p.attack.angle - kPi / 2);
        if (p.aimMode == 2)
            p.aimMode = 3;
        else if (p.aimMode == 3)
            p.aimMode = 2;
    }
    return p;
}

void CAttackParameterTable::Clear() { g_rows.clear(); }

int CAttackParameterTable::GetCount() { return static_cast<int>(g_rows.size()); }
