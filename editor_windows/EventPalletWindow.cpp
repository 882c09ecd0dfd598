#include "editor_windows/EventPalletWindow.h"

#include "editor_windows/StandInPalletEntries.h"

namespace Controls {

namespace {
const StandInPalletEntry kEntries[] = {
    {{"System", "StageObjects003", 0, 16, 32, 48},
     {"System", "StageObjects003", 0, 0, 32, 64},
     "ChangeMusicToLeft",
     -1,
     0},
    {{"System", "StageObjects003", 128, 16, 160, 48},
     {"System", "StageObjects003", 128, 0, 160, 64},
     "ChangeWeatherToLeft",
     -1,
     0},
};
}  // namespace

CEventPalletWindow::CEventPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("イベント選択", x, y) {
    AddStandInEntries(*this, kEntries);
}

}  // namespace Controls
