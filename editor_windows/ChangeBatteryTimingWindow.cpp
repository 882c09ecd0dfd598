#include "editor_windows/ChangeBatteryTimingWindow.h"

namespace Controls {

CChangeBatteryTimingWindow::CChangeBatteryTimingWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX,
                                                       int32_t tileY)
    : CPropertyChoiceWindowBase("タイミングの変更", x, y, 200, 240, areaIndex, tileX, tileY) {
    AddBlueChoices({{"Ａ", 0}, {"Ｂ", 1}, {"Ｃ", 2}, {"Ｄ", 3}});
}

}  // namespace Controls
