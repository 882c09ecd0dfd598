#include "editor_windows/NewAreaConfigWindow.h"

#include <memory>

using namespace Controls;

namespace {
constexpr const char* kNewAreaCaptions[3] = {"エリアの音楽", "エリアの背景", "エリアの天気"};
}  // namespace

CNewAreaConfigWindow::CNewAreaConfigWindow(int32_t x, int32_t y, int32_t music, int32_t backGround,
                                           int32_t weather)
    : CAreaSettingsWindowBase("エリアの設定", x, y, 360, 360, music, backGround, weather) {
    AddAreaRows(kNewAreaCaptions, 120);
    AddControl(std::make_unique<CCapImageNormal>(16, 48));
    AddControl(std::make_unique<CSpriteTextLabel>(
        "エリアの設定を変更後、\nOKを押してください\n（後から変更できます）", 64, 48, 250, 48));
}
