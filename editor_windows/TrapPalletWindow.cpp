#include "editor_windows/TrapPalletWindow.h"

#include "editor_windows/StandInPalletEntries.h"

namespace Controls {

namespace {
const StandInPalletEntry kEntries[] = {
    {{"System", "StageObjects001", 0, 160, 32, 192},
     {"Object", "Objects003", 0, 0, 32, 32},
     "Battery001",
     -1,
     0},
    {{"System", "StageObjects001", 32, 160, 64, 192},
     {"Object", "Objects003", 32, 0, 64, 32},
     "Battery002",
     -1,
     0},
};
}  // namespace

CTrapPalletWindow::CTrapPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("トラップ選択", x, y) {
    AddStandInEntries(*this, kEntries);
}

}  // namespace Controls
