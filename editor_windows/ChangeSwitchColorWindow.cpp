#include "editor_windows/ChangeSwitchColorWindow.h"

namespace Controls {

CChangeSwitchColorWindow::CChangeSwitchColorWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX,
                                                   int32_t tileY)
    : CPropertyChoiceWindowBase("色の変更", x, y, 200, 200, areaIndex, tileX, tileY) {
    AddBlueChoices({{"赤", 0}, {"緑", 1}, {"青", 2}});
}

}  // namespace Controls
