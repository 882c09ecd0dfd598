#include "editor_windows/CharacterPalletWindow.h"

#include "editor_windows/StandInPalletEntries.h"

namespace Controls {

namespace {
const StandInPalletEntry kEntries[] = {
    {{"System", "StageObjects001", 64, 0, 96, 32}, {"System", "CharImage001", 0, 0, 32, 40}, "Kid001", -1, 0},
    {{"System", "StageObjects001", 96, 0, 128, 32},
     {"System", "CharImage001", 40, 200, 72, 240},
     "Kid002",
     -1,
     0},
    {{"System", "StageObjects001", 0, 32, 32, 64},
     {"System", "CharImage001", 96, 0, 120, 32},
     "Moyashi001",
     -1,
     0},
};
}  // namespace

CCharacterPalletWindow::CCharacterPalletWindow(int32_t x, int32_t y, bool /*singleEditMode*/)
    : CPalletWindowBase("キャラクター選択", x, y) {
    AddStandInEntries(*this, kEntries);
}

}  // namespace Controls
