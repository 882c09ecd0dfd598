#include "editor_windows/AreaClassSelectWindow.h"

#include <cstdio>
#include <memory>
#include <string>

#include "controls/ControlPort.h"
#include "stage/StageChips.h"

using namespace Controls;

namespace {

constexpr int32_t kBarCells = 14;

// Each class's button: its picture on the area-size sheet, where it stands and a word on it.
struct ClassButton {
    int32_t left, top, x, y;
    const char* description;
};

const ClassButton kClassButtons[CAreaClassSelectWindow::kClassCount] = {
    {0, 0, 64, 100, "お手軽 一画面分の 大きさの エリア。\n練習や ミニゲーム などに最適。"},
    {64, 0, 147, 100, "ちょっと短めのエリア。\nはじめての人にもおススメ。"},
    {128, 0, 230, 100, "標準的な大きさのエリア。迷ったら とりあえず コレ。"},
    {0, 48, 64, 167, "ちょっと 長めのエリア。\n様々な 仕掛けを 配置してみよう。"},
    {64, 48, 147, 167, "やり応え 満点の 長いエリア。\n長いぶん、作りがいもある。"},
    {128, 48, 230, 167, "縦方向に スクロールする、変わったエリア。\nちょっと短め。"},
    {0, 96, 64, 234, "バーティカルショートの 倍の長さの エリア。\nジャンプ力を 計算しよう。"},
    {64, 96, 147, 234, "縦、横ともに ほどよい広さの エリア。\n斜めに スクロールができる。"},
    {128, 96, 230, 234, "ボックスショートの ４倍の面積の エリア。\n広い空間を 行ったり来たり。"},
};

std::unique_ptr<CSpriteTextLabel> LeftLabel(int32_t x, int32_t y, int32_t width, int32_t height) {
    auto label = std::make_unique<CSpriteTextLabel>("", x, y, width, height);
    label->SetAlignment(0);
    return label;
}

}  // namespace

CAreaClassSelectWindow::CAreaClassSelectWindow(int32_t x, int32_t y, int32_t totalUnits)
    : CCloseableBeigeForm("エリアサイズの選択", x, y, 520, 320),
      selected_(AreaClass_NoArea),
      totalUnits_(totalUnits) {
    cancel_ = AddControl(std::make_unique<CTextPushButton>(424, 40, "ｷｬﾝｾﾙ", ControlSound::kCloseWindow));
    cancel_->AddPushedEventHandler(this);
    for (int32_t c = 0; c < kClassCount; ++c) {
        const ClassButton& b = kClassButtons[c];
        auto button = std::make_unique<CBigFreeImagePushButton>(
            b.x, b.y, ImageClip{kImageGroup, kSheet6, b.left, b.top, b.left + 64, b.top + 48});
        button->AddPushedEventHandler(this);
        button->AddFocusedEventHandler(this);
        button->AddUnFocusedEventHandler(this);
        classButtons_[c] = AddControl(std::move(button));
    }
    nameRibbon_ = AddControl(std::make_unique<CCaptionRibon>("", 320, 100, 180, 1));
    sizeLabel_ = AddControl(LeftLabel(330, 130, 160, 20));
    costLabel_ = AddControl(LeftLabel(330, 152, 160, 20));
    // Four lines down to the bar's captions: a cached label keeps what lies under it, so it stays
    // inside the window.
    descriptionLabel_ = AddControl(LeftLabel(330, 178, 160, 72));
    unitBar_ = AddControl(
        std::make_unique<CHorizontalBarGraph>(330, 270, totalUnits, totalUnits, kUnitLimit, kBarCells));
    AddControl(std::make_unique<CFreeImage>(330, 250, kImageGroup, kSheet6, 72, 144, 144, 160));
    AddControl(std::make_unique<CFreeImage>(420, 250, kImageGroup, kSheet6, 72, 160, 104, 176));
    AddControl(std::make_unique<CCapImageNormal>(16, 48));
    AddControl(std::make_unique<CSpriteTextLabel>(
        "エリアのサイズを選んでください\n（後から変更はできません！）", 64, 48, 250, 44));
}

int32_t CAreaClassSelectWindow::ClassOf(GCButton* sender) const {
    for (int32_t c = 0; c < kClassCount; ++c)
        if (sender == classButtons_[c]) return c;
    return AreaClass_NoArea;
}

void CAreaClassSelectWindow::UpdateSelf() {
    hovering_ = false;
    CCloseableBeigeForm::UpdateSelf();
}

void CAreaClassSelectWindow::OnButtonPushed(GCButton* sender) {
    const int32_t c = ClassOf(sender);
    if (c != AreaClass_NoArea) selected_ = c;
    // Exactly 10 units is allowed; past them the window stays open for another choice.
    if (selected_ != AreaClass_NoArea && AreaClassUnits(selected_) + totalUnits_ > kUnitLimit) {
        selected_ = AreaClass_NoArea;
        OpenModal(std::make_unique<CAlertWindow>("エリアコストが\n最大値を 超えてしまいます！",
                                                 GetAbsoluteX() + 16, GetAbsoluteY() + 32));
        return;
    }
    Close();
}

void CAreaClassSelectWindow::ShowClass(int32_t areaClass) {
    char text[64];
    std::snprintf(text, sizeof text, "大きさ：%d×%d", AreaClassWidth(areaClass), AreaClassHeight(areaClass));
    sizeLabel_->SetText(text);
    std::snprintf(text, sizeof text, "コスト ：%d", AreaClassUnits(areaClass));
    costLabel_->SetText(text);
    descriptionLabel_->SetText(kClassButtons[areaClass].description);
    nameRibbon_->SetText(AreaClassDisplayName(areaClass));
    unitBar_->SetThresholds(totalUnits_, totalUnits_ + AreaClassUnits(areaClass), kUnitLimit);
}

void CAreaClassSelectWindow::OnFocused(GCButton* sender) {
    const int32_t c = ClassOf(sender);
    if (c == AreaClass_NoArea) return;
    hovering_ = true;
    ShowClass(c);
}

void CAreaClassSelectWindow::OnUnFocused(GCButton* /*sender*/, int32_t /*flag*/) {
    if (hovering_) return;
    nameRibbon_->SetText("");
    sizeLabel_->SetText("");
    costLabel_->SetText("");
    descriptionLabel_->SetText("");
    unitBar_->SetThresholds(totalUnits_, totalUnits_, kUnitLimit);
}
