#include "editor_windows/ItemPalletWindow.h"

#include <cstring>

namespace Controls {

namespace {

// The two sticks share one preview.
const PalletEntry kItemEntries[] = {
    ObjectEntry(kIconSheet2(0, 192, 32, 224), kObjectSheet1(128, 128, 144, 160), "Pokikki001"),
    ObjectEntry(kIconSheet2(32, 192, 64, 224), kObjectSheet1(128, 128, 144, 160), "AirPokikki001"),
    ObjectEntry(kIconSheet2(64, 192, 96, 224), kObjectSheet1(144, 128, 160, 160), "Umaibo001"),
    ObjectEntry(kIconSheet2(96, 192, 128, 224), kObjectSheet1(208, 128, 224, 160), "IceBar001"),
    ObjectEntry(kIconSheet2(128, 192, 160, 224), kObjectSheet1(128, 160, 176, 176), "1UP001"),
    ObjectEntry(kIconSheet2(32, 224, 64, 256), kObjectSheet1(192, 32, 208, 64), CItemPalletWindow::kKeyItem),
    ObjectEntry(kIconSheet2(160, 192, 192, 224), kBarSheet(0, 192, 32, 224), "RedWhitePole"),
    ObjectEntry(kIconSheet2(192, 192, 224, 224), kBarSheet(64, 192, 96, 224), "WoodenMallet"),
    ObjectEntry(kIconSheet2(224, 192, 256, 224), kBarSheet(96, 192, 128, 224), "Propeller"),
    ObjectEntry(kIconSheet2(0, 224, 32, 256), kBarSheet(128, 192, 160, 224), "Hose"),
};

}  // namespace

CItemPalletWindow::CItemPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("アイテム選択", x, y) {
    AddItemEntries(true);
}

CItemPalletWindow::CItemPalletWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX, int32_t tileY)
    : CPalletWindowBase("アイテム選択", x, y), areaIndex_(areaIndex), tileX_(tileX), tileY_(tileY) {
    AddItemEntries(false);
}

void CItemPalletWindow::AddItemEntries(bool withKey) {
    for (const PalletEntry& e : kItemEntries) {
        if (!withKey && std::strcmp(e.key, kKeyItem) == 0) continue;
        AddPalletEntries(*this, {&e, 1});
    }
}

std::span<const PalletEntry> CItemPalletWindow::Entries() { return kItemEntries; }

}  // namespace Controls
