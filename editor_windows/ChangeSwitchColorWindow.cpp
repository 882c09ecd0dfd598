#include "editor_windows/ChangeSwitchColorWindow.h"

#include <memory>

namespace Controls {

namespace {
struct Choice {
    const char* text;
    int32_t colour;
};
constexpr Choice kColours[] = {{"赤", 0}, {"緑", 1}, {"青", 2}};
}  // namespace

CChangeSwitchColorWindow::CChangeSwitchColorWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX,
                                                   int32_t tileY)
    : CPropertyChoiceWindowBase("色の変更", x, y, 200, 200, areaIndex, tileX, tileY) {
    int32_t top = 52;
    for (const Choice& c : kColours) {
        AddChoice(std::make_unique<CTextBluePushButton>(68, top, c.text), c.colour);
        top += 40;
    }
}

}  // namespace Controls
