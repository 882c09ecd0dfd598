#include "editor_windows/ChangeZoomRateWindow.h"

#include <memory>

namespace Controls {

namespace {
// The buttons read in, back, out; a zoom event stores back 0, in 1, out 2.
struct Choice {
    const char* text;
    int32_t rate;
};
constexpr Choice kRates[] = {{"ズームイン", 1}, {"元へ戻す", 0}, {"ズームアウト", 2}};
}  // namespace

CChangeZoomRateWindow::CChangeZoomRateWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX,
                                             int32_t tileY)
    : CPropertyChoiceWindowBase("ズーム率の変更", x, y, 240, 240, areaIndex, tileX, tileY) {
    int32_t top = 50;
    for (const Choice& c : kRates) {
        AddChoice(std::make_unique<CLongTextPushButton>(40, top, 160, c.text), c.rate);
        top += 50;
    }
}

}  // namespace Controls
