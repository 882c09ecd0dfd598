#include "editor_windows/ObjectPalletWindow.h"

#include "editor_windows/StandInPalletEntries.h"

namespace Controls {

namespace {
const StandInPalletEntry kEntries[] = {
    {{"System", "StageObjects002", 0, 32, 32, 64},
     {"Object", "Objects001", 64, 128, 128, 192},
     "Goal",
     -1,
     0},
    {{"System", "StageObjects002", 32, 32, 64, 64},
     {"Object", "Objects001", 192, 64, 224, 128},
     "Flag",
     -1,
     0},
    {{"System", "StageObjects002", 0, 0, 32, 32}, {"Object", "Objects001", 0, 0, 32, 48}, "Door001", -1, 0},
};
}  // namespace

CObjectPalletWindow::CObjectPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("オブジェクト選択", x, y) {
    AddStandInEntries(*this, kEntries);
}

}  // namespace Controls
