#include "controls/Dialogs.h"

#include "controls/ControlPort.h"

namespace Controls {

namespace {
constexpr int32_t kW = CMessageWindowBase::kWidth, kH = CMessageWindowBase::kHeight;
constexpr int32_t kButtonY = kH - 56;
constexpr int32_t kNoSound = 4;
}  // namespace

CMessageWindowBase::CMessageWindowBase(const std::string& title, int32_t x, int32_t y)
    : CCloseableBeigeForm(title, x, y, kW, kH) {}

void CMessageWindowBase::BuildText(const std::string& text) {
    text_ = AddControl(std::make_unique<CSpriteTextLabel>(text, 72, 43, kW - 94, kH - 113, 16, 45, 30, 8));
}

void CMessageWindowBase::BuildOk() {
    ok_ = AddButtonOf(std::make_unique<CTextPushButton>(kW / 2 - 40, kButtonY, "O K"));
}

void CMessageWindowBase::OnButtonPushed(GCButton* sender) {
    if (ok_ && sender == ok_) Close();
}

CMessageWindow::CMessageWindow(const std::string& text, int32_t x, int32_t y)
    : CMessageWindowBase("キャップからのヒトコト", x, y) {
    Build(text);
}

void CMessageWindow::Build(const std::string& text) {
    BuildText(text);
    AddControl(std::make_unique<CCapImageNormal>(16, 48));
    BuildOk();
}

CAlertWindow::CAlertWindow(const std::string& text, int32_t x, int32_t y)
    : CMessageWindowBase("警 告 ！", x, y) {
    Build(text);
}

void CAlertWindow::Build(const std::string& text) {
    BuildText(text);
    AddControl(std::make_unique<CCapImageAlert>(16, 48));
    BuildOk();
}

CChaoMessageWindow::CChaoMessageWindow(const std::string& text)
    : CMessageWindowBase("チャオからのヒトコト", 160, 160) {
    Build(text);
}

void CChaoMessageWindow::Build(const std::string& text) {
    BuildText(text);
    AddControl(std::make_unique<CChaoImageNormal>(32, 64));
    BuildOk();
}

CChaoAlertWindow::CChaoAlertWindow(const std::string& text) : CMessageWindowBase("警告です！", 160, 160) {
    Build(text);
}

void CChaoAlertWindow::Build(const std::string& text) {
    BuildText(text);
    AddControl(std::make_unique<CChaoImageAlert>(32, 64));
    BuildOk();
}

namespace {
// The first mascot, in its alert pose when asked.
std::unique_ptr<GCBase> ConfirmMascot(bool alert) {
    if (alert) return std::make_unique<CCapImageAlert>(16, 48);
    return std::make_unique<CCapImageNormal>(16, 48);
}
}  // namespace

CConfirmWindow::CConfirmWindow(const std::string& text, int32_t x, int32_t y, bool alert)
    : CMessageWindowBase("確認", x, y) {
    Build(text, alert);
}

void CConfirmWindow::Build(const std::string& text, bool alert) {
    BuildText(text);
    GetControls().Add(ConfirmMascot(alert));
    yes_ = AddButtonOf(std::make_unique<CTextPushButton>(kW / 2 - 90, kButtonY, "はい"));
    no_ = AddButtonOf(std::make_unique<CTextPushButton>(kW / 2 + 10, kButtonY, "いいえ", kNoSound));
}

void CConfirmWindow::OnButtonPushed(GCButton* sender) {
    result_ = sender == yes_ ? kResultYes : kResultNo;
    Close();
}

void CConfirmWindow::OnCloseButtonPushed() {
    result_ = kResultNo;
    Close();
}

CConfirmCancelWindow::CConfirmCancelWindow(const std::string& text) : CMessageWindowBase("確認", 160, 160) {
    Build(text, false);
}

void CConfirmCancelWindow::Build(const std::string& text, bool alert) {
    BuildText(text);
    GetControls().Add(ConfirmMascot(alert));
    yes_ = AddButtonOf(std::make_unique<CTextPushButton>(kW / 2 - 105, kButtonY, "はい"));
    no_ = AddButtonOf(std::make_unique<CTextPushButton>(kW / 2 - 20, kButtonY, "いいえ", kNoSound));
    cancel_ = AddButtonOf(std::make_unique<CTextPushButton>(kW / 2 + 65, kButtonY, "ｷｬﾝｾﾙ", kNoSound));
}

void CConfirmCancelWindow::OnButtonPushed(GCButton* sender) {
    if (sender == yes_) {
        result_ = kResultYes;
    } else if (sender == no_) {
        result_ = kResultNo;
    } else {
        result_ = kResultCancel;
    }
    Close();
}

void CConfirmCancelWindow::OnCloseButtonPushed() {
    result_ = kResultCancel;
    Close();
}

void CPopupMenuBase::HandleInput() {
    const MouseInput m = Port().Mouse();
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const bool outside = !IsPointInRect(m.x, m.y, ax, ay, ax + GetWidth(), ay + GetHeight());
    if (m.rightPressed || (m.leftPressed && outside)) {
        Close();
        Port().PlaySound(ControlSound::kCloseWindow);
    }
}

void CPopupMenuBase::AddItem(const std::string& text, bool enabled) {
    SetHeight(GetHeight() == 0 ? GetMargin() + GetItemHeight() : GetHeight() + GetItemHeight());
    CreateItem(text, enabled);
}

CBeigePopup::CBeigePopup(int32_t x, int32_t y, int32_t width, const std::string& title)
    : CPopupMenuBase(x, y, width) {
    auto label = std::make_unique<CSpriteTextLabel>(title, 8, 8, width - 16, 14, 11, 30, 80, 100);
    label->SetAlignment(1);
    AddControl(std::move(label));
}

void CBeigePopup::CreateItem(const std::string& text, bool enabled) {
    auto item = std::make_unique<CPushTextItem>(6, 24 + 20 * itemCount_, GetWidth() - 14, text);
    item->SetEnabled(enabled);
    item->AddPushedEventHandler(this);
    AddControl(std::move(item));
    ++itemCount_;
}

void CBeigePopup::OnItemPushed(GCButton* sender) {
    if (auto* item = dynamic_cast<CPushTextItem*>(sender)) selected_ = item->GetText();
    Close();
}

void CBeigePopup::Draw() {
    if (!IsVisible()) return;
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const int32_t w = GetWidth(), h = GetHeight();
    const int32_t cols = (w + 7) / 8, rows = (h + 7) / 8;
    for (int32_t j = 0; j < rows; ++j) {
        const bool top = j == 0, bottom = !top && j == rows - 1;
        const int32_t cy = top ? y : (bottom ? y + h - 8 : y + 8 * j);
        const int32_t srcY = top ? 224 : (bottom ? 240 : 232);
        for (int32_t i = 0; i < cols; ++i) {
            const bool left = i == 0, right = !left && i == cols - 1;
            if (!top && !bottom && !left && !right) continue;
            const int32_t cx = left ? x : (right ? x + w - 8 : x + 8 * i);
            const int32_t srcX = left ? 192 : (right ? 208 : 200);
            PutSheet(kSheet2, cx, cy, srcX, srcY, srcX + 8, srcY + 8);
        }
    }
    if (w > 16 && h > 16) {
        const uint32_t fill = PackColor(230, 210, 180);
        Port().Rect(x + 8, y + 8, x + w - 8, y + h - 8, fill, fill, 1);
    }
    COriginalBaseForm::Draw();
}

bool AnsweredYes(const GCForm* window) {
    const auto* confirm = dynamic_cast<const CConfirmWindow*>(window);
    return confirm && confirm->GetResult() == kResultYes;
}

}  // namespace Controls
