#include "editor_windows/AreaCopyWindows.h"

#include <memory>

namespace Controls {

namespace {
constexpr int32_t kW = CAreaCopyConfirmWindow::kWidth, kH = CAreaCopyConfirmWindow::kHeight;
constexpr int32_t kUnitLimit = 10, kBarCells = 14;

// The text, the mascot, both cost bars and their captions that the two windows share.
void BuildAreaCostDisplay(CCloseableBeigeForm& window, const std::string& text, bool alert, int32_t usedUnits,
                          int32_t unitsAfterCopy) {
    window.AddControl(std::make_unique<CSpriteTextLabel>(text, 72, 43, kW - 94, kH - 113, 16, 45, 30, 8));
    if (alert) {
        window.AddControl(std::make_unique<CCapImageAlert>(16, 48));
    } else {
        window.AddControl(std::make_unique<CCapImageNormal>(16, 48));
    }
    window.AddControl(
        std::make_unique<CHorizontalBarGraph>(kW / 2 - 60, 110, usedUnits, usedUnits, kUnitLimit, kBarCells));
    window.AddControl(std::make_unique<CHorizontalBarGraph>(kW / 2 - 60, 176, usedUnits, unitsAfterCopy,
                                                            kUnitLimit, kBarCells));
    const std::string& g = kImageGroup;
    window.AddControl(std::make_unique<CFreeImage>(kW / 2 - 60, 90, g, kSheet6, 72, 144, 144, 160));
    window.AddControl(std::make_unique<CFreeImage>(kW / 2 + 12, 90, g, kSheet6, 144, 144, 192, 160));
    window.AddControl(std::make_unique<CFreeImage>(kW / 2 - 60, 156, g, kSheet6, 72, 144, 144, 160));
    window.AddControl(std::make_unique<CFreeImage>(kW / 2 + 12, 156, g, kSheet6, 144, 160, 192, 176));
    window.AddControl(std::make_unique<CFreeImage>(kW / 2 - 12, 138, g, kSheet6, 104, 160, 128, 176));
}
}  // namespace

CAreaCopyConfirmWindow::CAreaCopyConfirmWindow(int32_t x, int32_t y, int32_t usedUnits,
                                               int32_t unitsAfterCopy)
    : CCloseableBeigeForm("確認", x, y, kW, kH), usedUnits_(usedUnits), unitsAfterCopy_(unitsAfterCopy) {
    BuildAreaCostDisplay(*this, "現在のエリアをコピーします。\nよろしいですか？", false, usedUnits,
                         unitsAfterCopy);
    yes_ = AddControl(std::make_unique<CTextPushButton>(kW / 2 - 90, kH - 56, "はい"));
    yes_->AddPushedEventHandler(this);
    no_ = AddControl(
        std::make_unique<CTextPushButton>(kW / 2 + 10, kH - 56, "いいえ", ControlSound::kCloseWindow));
    no_->AddPushedEventHandler(this);
}

void CAreaCopyConfirmWindow::OnButtonPushed(GCButton* sender) {
    result_ = sender == yes_ ? kResultYes : kResultNo;
    Close();
}

void CAreaCopyConfirmWindow::OnCloseButtonPushed() {
    result_ = kResultNo;
    Close();
}

CAreaCopyAlertWindow::CAreaCopyAlertWindow(int32_t x, int32_t y, int32_t usedUnits, int32_t unitsAfterCopy)
    : CCloseableBeigeForm("警 告 ！", x, y, kW, kH), usedUnits_(usedUnits), unitsAfterCopy_(unitsAfterCopy) {
    BuildAreaCostDisplay(*this, "エリアコストが\n最大値を 超えてしまいます！", true, usedUnits,
                         unitsAfterCopy);
    ok_ = AddControl(std::make_unique<CTextPushButton>(kW / 2 - 40, kH - 56, "O K"));
    ok_->AddPushedEventHandler(this);
}

void CAreaCopyAlertWindow::OnButtonPushed(GCButton* sender) {
    if (sender == ok_) Close();
}

}  // namespace Controls
