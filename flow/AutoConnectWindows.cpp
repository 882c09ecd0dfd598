#include "flow/AutoConnectWindows.h"

#include <memory>

#include "controls/DisplayParts.h"

namespace Controls {
namespace {

CSpriteTextLabel* AddLabel(GCForm& form, const std::string& text, int32_t x, int32_t y, int32_t w, int32_t h,
                           int32_t size, int32_t alignment, int32_t r = 45, int32_t g = 30, int32_t b = 8) {
    auto label = std::make_unique<CSpriteTextLabel>(text, x, y, w, h, size, r, g, b);
    label->SetAlignment(alignment);
    return form.AddControl(std::move(label));
}

constexpr int32_t kLeft = 0, kCentre = 1, kRight = 2;

}  // namespace

std::string CShowCreaterPointWindow::MessageFor(int32_t oldLevel, int32_t oldPoints, int32_t newLevel,
                                                int32_t newPoints) {
    if (oldPoints == newPoints) return "\nクリエイターポイントを獲得できませんでした…。";
    if (newPoints < oldPoints) {
        if (newLevel != oldLevel)
            return "クリエイターポイントが減りました…。\nクリエイターレベルが下がりました…。";
        return "\nクリエイターポイントが減りました…。";
    }
    if (oldLevel != newLevel)
        return "クリエイターポイントを獲得しました！\nクリエイターレベルが上がりました！";
    return "\nクリエイターポイントを獲得しました！";
}

CShowCreaterPointWindow::CShowCreaterPointWindow(int32_t x, int32_t y, int32_t oldLevel, int32_t oldPoints,
                                                 int32_t newLevel, int32_t newPoints)
    : CCloseableBeigeForm("問い合わせ結果", x, y, 440, 320),
      message_(MessageFor(oldLevel, oldPoints, newLevel, newPoints)) {
    const int32_t w = GetWidth(), h = GetHeight();
    AddLabel(*this, message_, 72, 51, w - 94, h - 113, 16, kLeft);
    AddControl(std::make_unique<CCapImageNormal>(16, 48));
    AddControl(std::make_unique<CHorizontalLine>(72, 114, w - 96));
    AddLabel(*this, "クリエイターポイント", 72, 180, 300, 20, 16, kLeft);
    AddLabel(*this, "クリエイターレベル", 72, 220, 300, 20, 16, kLeft);
    AddLabel(*this, "before", 200, 140, 80, 20, 16, kRight);
    AddLabel(*this, "after", 320, 140, 80, 20, 16, kRight);
    AddLabel(*this, "→", 300, 180, 30, 20, 16, kCentre);
    AddLabel(*this, "→", 300, 220, 30, 20, 16, kCentre);
    auto number = [this](int32_t v, int32_t nx, int32_t ny, bool after) {
        CSpriteTextLabel* l = after
                                  ? AddLabel(*this, std::to_string(v), nx, ny, 80, 24, 20, kRight, 220, 0, 60)
                                  : AddLabel(*this, std::to_string(v), nx, ny, 80, 24, 20, kRight);
        l->SetBold(true);
    };
    number(oldPoints, 200, 178, false);
    number(oldLevel, 200, 218, false);
    number(newPoints, 320, 178, true);
    number(newLevel, 320, 218, true);
    auto ok = std::make_unique<CTextPushButton>(w / 2 - 40, h - 56, "O K");
    ok->AddPushedEventHandler(this);
    ok_ = AddControl(std::move(ok));
}

void CShowCreaterPointWindow::OnButtonPushed(GCButton* sender) {
    if (sender == ok_) Close();
}

CAccessFailInfomationWindow::CAccessFailInfomationWindow(int32_t x, int32_t y)
    : CCloseableBeigeForm("自動接続に５回失敗しました", x, y, 440, 240) {
    AddLabel(
        *this,
        "ネットワーク自動接続に５回失敗しました。\n自動接続を自動的にオフにします。\n再びオンにするときは、\n"
        "「環境設定」より設定してください。",
        64, 48, 300, 100, 16, kLeft);
    auto ok = std::make_unique<CTextPushButton>(GetWidth() / 2 - 40, GetHeight() - 56, "O K");
    ok->AddPushedEventHandler(this);
    ok_ = AddControl(std::move(ok));
}

void CAccessFailInfomationWindow::OnButtonPushed(GCButton* sender) {
    if (sender == ok_) Close();
}

}  // namespace Controls
