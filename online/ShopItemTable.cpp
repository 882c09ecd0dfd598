#include "online/ShopItemTable.h"

#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"

namespace {
std::vector<Controls::CShopItem> g_items;
}  // namespace

CShopItemTable::CShopItemTable() { Load(); }

CShopItemTable::~CShopItemTable() { Clear(); }

void CShopItemTable::Load() {
    g_items.clear();
    std::string text;
    const ReadStatus status = ReadEncodedFile("data\\shop_info.dat", text);
    if (status == ReadStatus::CannotRead) throw CInitFileException("IFE0600", "shop_info.dat を開けません。");
    if (status != ReadStatus::Ok) throw CInitFileException("IFE0601", "shop_info.dat が不正です。");
    std::vector<std::string> table(static_cast<size_t>(kFields * kLines));
    if (!ParseCsvText(text, table, kFields, kLines))
        throw CInitFileException("IFE0601", "shop_info.dat が不正です。");
    for (int l = 0; l < kLines; ++l) {
        auto cell = [&](int f) -> const std::string& { return CsvCell(table, kLines, f, l); };
        if (cell(0).empty()) continue;
        g_items.emplace_back(cell(0), cell(1), cell(2), StrToInt(cell(3)), cell(4), cell(5),
                             StrToInt(cell(6)));
    }
}

int CShopItemTable::GetCount() { return static_cast<int>(g_items.size()); }

Controls::CShopItem CShopItemTable::GetItem(int index) {
    if (index < 0 || index >= GetCount()) return Controls::CShopItem();
    return g_items[static_cast<size_t>(index)];
}

void CShopItemTable::Clear() { g_items.clear(); }
