#include "editor_windows/ItemPalletWindow.h"

#include <cstring>

namespace Controls {

namespace {

const Sheet Icon{"System", "StageObjects002"};
const Sheet Objects{"Object", "Objects001"};
const Sheet Bars{"Object", "Bar001"};

// The two sticks share one preview.
const PalletEntry kEntries[] = {
    ObjectEntry(Icon(0, 192, 32, 224), Objects(128, 128, 144, 160), "Pokikki001"),
    ObjectEntry(Icon(32, 192, 64, 224), Objects(128, 128, 144, 160), "AirPokikki001"),
    ObjectEntry(Icon(64, 192, 96, 224), Objects(144, 128, 160, 160), "Umaibo001"),
    ObjectEntry(Icon(96, 192, 128, 224), Objects(208, 128, 224, 160), "IceBar001"),
    ObjectEntry(Icon(128, 192, 160, 224), Objects(128, 160, 176, 176), "1UP001"),
    ObjectEntry(Icon(32, 224, 64, 256), Objects(192, 32, 208, 64), CItemPalletWindow::kKeyItem),
    ObjectEntry(Icon(160, 192, 192, 224), Bars(0, 192, 32, 224), "RedWhitePole"),
    ObjectEntry(Icon(192, 192, 224, 224), Bars(64, 192, 96, 224), "WoodenMallet"),
    ObjectEntry(Icon(224, 192, 256, 224), Bars(96, 192, 128, 224), "Propeller"),
    ObjectEntry(Icon(0, 224, 32, 256), Bars(128, 192, 160, 224), "Hose"),
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
    for (const PalletEntry& e : kEntries) {
        if (!withKey && std::strcmp(e.key, kKeyItem) == 0) continue;
        AddPalletEntries(*this, {&e, 1});
    }
}

std::span<const PalletEntry> CItemPalletWindow::Entries() { return kEntries; }

}  // namespace Controls
