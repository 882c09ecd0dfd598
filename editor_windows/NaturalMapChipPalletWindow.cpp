#include "editor_windows/NaturalMapChipPalletWindow.h"

#include "editor_windows/StandInPalletEntries.h"

namespace Controls {

namespace {
const StandInPalletEntry kEntries[] = {
    {{"Map", "ChipSet002", 32, 0, 64, 32}, {"Map", "ChipSet002", 32, 0, 64, 32}, "Ground001", 0, 64},
    {{"Map", "ChipSet002", 32, 64, 64, 96}, {"Map", "ChipSet002", 32, 64, 64, 96}, "Ground002", 0, 80},
    {{"Map", "ChipSet001", 0, 32, 32, 64}, {"Map", "ChipSet001", 0, 32, 32, 64}, "Bush001", 2, 8},
};
}  // namespace

CNaturalMapChipPalletWindow::CNaturalMapChipPalletWindow(int32_t x, int32_t y)
    : CPalletWindowBase("マップパーツ選択（自然物）", x, y) {
    AddStandInEntries(*this, kEntries);
}

}  // namespace Controls
