#include "editor_windows/ItemPalletWindow.h"

#include <cstring>

namespace Controls {

namespace {

ImageClip Icon(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return {"System", "StageObjects002", left, top, right, bottom};
}
ImageClip Look(const char* sheet, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return {"Object", sheet, left, top, right, bottom};
}

// The two sticks share one preview.
const PalletEntry kEntries[] = {
    ObjectEntry(Icon(0, 192, 32, 224), Look("Objects001", 128, 128, 144, 160), "Pokikki001"),
    ObjectEntry(Icon(32, 192, 64, 224), Look("Objects001", 128, 128, 144, 160), "AirPokikki001"),
    ObjectEntry(Icon(64, 192, 96, 224), Look("Objects001", 144, 128, 160, 160), "Umaibo001"),
    ObjectEntry(Icon(96, 192, 128, 224), Look("Objects001", 208, 128, 224, 160), "IceBar001"),
    ObjectEntry(Icon(128, 192, 160, 224), Look("Objects001", 128, 160, 176, 176), "1UP001"),
    ObjectEntry(Icon(32, 224, 64, 256), Look("Objects001", 192, 32, 208, 64), CItemPalletWindow::kKeyItem),
    ObjectEntry(Icon(160, 192, 192, 224), Look("Bar001", 0, 192, 32, 224), "RedWhitePole"),
    ObjectEntry(Icon(192, 192, 224, 224), Look("Bar001", 64, 192, 96, 224), "WoodenMallet"),
    ObjectEntry(Icon(224, 192, 256, 224), Look("Bar001", 96, 192, 128, 224), "Propeller"),
    ObjectEntry(Icon(0, 224, 32, 256), Look("Bar001", 128, 192, 160, 224), "Hose"),
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
