#include "editor_windows/StageConfigWindow.h"

#include <cstdio>
#include <memory>

#include "controls/KeyboardWindow.h"
#include "stage/StageMap.h"

using namespace Controls;

namespace {
constexpr int32_t kStageCaptionStyle = 1;
constexpr const char* kCurrentAreaCaptions[3] = {"現在のエリアの音楽", "現在のエリアの背景",
                                                 "現在のエリアの天気"};
}  // namespace

CStageConfigWindow::CStageConfigWindow(int32_t x, int32_t y, int32_t startAreaHeight, std::string stageTitle,
                                       int32_t startArea, int32_t startX, int32_t startY, int32_t music,
                                       int32_t backGround, int32_t weather)
    : CAreaSettingsWindowBase("ステージとエリアの設定", x, y, 360, 440, music, backGround, weather),
      title_(std::move(stageTitle)),
      startArea_(startArea),
      startX_(startX),
      startY_(startY),
      startAreaHeight_(startAreaHeight) {
    // The stage's part above the rule, the area's below.
    AddControl(std::make_unique<CHorizontalLine>(40, 175, 280));
    titleRow_ = AddRow("ステージのタイトル", kStageCaptionStyle, 45, title_);
    startRow_ = AddRow("ステージの開始地点", kStageCaptionStyle, 45 + kRowPitch, GetStartPointText());
    AddAreaRows(kCurrentAreaCaptions, 187);
}

std::string CStageConfigWindow::GetStartPointText() const {
    char text[64];
    std::snprintf(text, sizeof text, "エリア%d (%d,%d)", startArea_ + 1, startX_,
                  CStageMap::ShownRow(startAreaHeight_, startY_));
    return text;
}

void CStageConfigWindow::OnOtherButtonPushed(GCButton* sender) {
    if (sender == titleRow_.button) {
        OpenChild(
            std::make_unique<CVirtualKeyBoard>("ステージのタイトル", titleRow_.area->GetText(), kTitleLimit),
            kPendingKeyboard);
    } else if (sender == startRow_.button) {
        Finish(kSettingsPickStartPoint);
    }
}

void CStageConfigWindow::OnOtherChildClosed(GCForm* sender) {
    if (GetPendingDialog() != kPendingKeyboard) return;
    auto* keyboard = dynamic_cast<CVirtualKeyBoard*>(sender);
    if (!keyboard || keyboard->IsCancelled()) return;
    title_ = keyboard->GetInputText();
    titleRow_.area->SetText(title_);
}
