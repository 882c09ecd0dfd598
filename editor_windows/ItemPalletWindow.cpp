#include "editor_windows/ItemPalletWindow.h"

#include "editor_windows/StandInPalletEntries.h"

namespace Controls {

namespace {
const StandInPalletEntry kEntries[] = {
    {{"System", "StageObjects002", 0, 192, 32, 224},
     {"Object", "Objects001", 128, 128, 144, 160},
     "Pokikki001",
     -1,
     0},
    {{"System", "StageObjects002", 64, 192, 96, 224},
     {"Object", "Objects001", 144, 128, 160, 160},
     "Umaibo001",
     -1,
     0},
};
}  // namespace

CItemPalletWindow::CItemPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("アイテム選択", x, y) {
    AddStandInEntries(*this, kEntries);
}

CItemPalletWindow::CItemPalletWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX, int32_t tileY)
    : CPalletWindowBase("アイテム選択", x, y), areaIndex_(areaIndex), tileX_(tileX), tileY_(tileY) {
    AddStandInEntries(*this, kEntries);
}

}  // namespace Controls
