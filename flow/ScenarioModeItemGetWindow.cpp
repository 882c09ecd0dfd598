#include "flow/ScenarioModeItemGetWindow.h"

#include <memory>
#include <utility>

#include "engine/InputManager.h"

namespace Controls {

namespace {
// The labels' look: the default brown, centred.
std::unique_ptr<CSpriteTextLabel> Label(const std::string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                                        int32_t size) {
    return std::make_unique<CSpriteTextLabel>(text, x, y, w, h, size, 45, 30, 8);
}
}  // namespace

CScenarioModeItemGetWindow::CScenarioModeItemGetWindow(const std::string& message, ImageClip picture)
    : CPlainBeigeForm("ItemGet!", kX, kY, kWidth, kHeight) {
    AddControl(Label(message, 52, 43, kWidth - 94, kHeight - 63, 18));
    AddControl(std::make_unique<CCapImageNormal>(16, 48));
    AddControl(std::make_unique<CFreeImage>(kWidth - 56, 48, std::move(picture)));
    AddControl(Label("Push Z Key...", 140, kHeight - 48, kWidth - 160, 32, 14));
}

void CScenarioModeItemGetWindow::HandleInput() {
    if (CInputManager::GetInstance()->IsPushed(kKeyZ)) Close();
    COriginalMovableForm::HandleInput();
}

}  // namespace Controls
