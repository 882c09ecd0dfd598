#include "editor_windows/ChangeBatteryTimingWindow.h"

#include <memory>

namespace Controls {

namespace {
struct Choice {
    const char* text;
    int32_t timing;
};
constexpr Choice kTimings[] = {{"Ａ", 0}, {"Ｂ", 1}, {"Ｃ", 2}, {"Ｄ", 3}};
}  // namespace

CChangeBatteryTimingWindow::CChangeBatteryTimingWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX,
                                                       int32_t tileY)
    : CPropertyChoiceWindowBase("タイミングの変更", x, y, 200, 240, areaIndex, tileX, tileY) {
    int32_t top = 52;
    for (const Choice& c : kTimings) {
        AddChoice(std::make_unique<CTextBluePushButton>(68, top, c.text), c.timing);
        top += 40;
    }
}

}  // namespace Controls
