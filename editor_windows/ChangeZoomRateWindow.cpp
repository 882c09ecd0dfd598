#include "editor_windows/ChangeZoomRateWindow.h"

#include <memory>

namespace Controls {

CChangeZoomRateWindow::CChangeZoomRateWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX,
                                             int32_t tileY)
    : CPropertyChoiceWindowBase("ズーム率の変更", x, y, 240, 240, areaIndex, tileX, tileY) {
    // The buttons read in, back, out; a zoom event stores back 0, in 1, out 2.
    int32_t top = 50;
    for (const PropertyChoice& c : {PropertyChoice{"ズームイン", 1}, {"元へ戻す", 0}, {"ズームアウト", 2}}) {
        AddChoice(std::make_unique<CLongTextPushButton>(40, top, 160, c.text), c.value);
        top += 50;
    }
}

}  // namespace Controls
