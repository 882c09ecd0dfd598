#include "editor_windows/InfomationWindow.h"

#include <memory>

#include "controls/DisplayParts.h"
#include "editor_windows/DialogLabels.h"

namespace Controls {

CInfomationWindow::CInfomationWindow(int32_t x, int32_t y, const std::string& editorVersion,
                                     const std::string& creatorName, const std::string& creatorLevel,
                                     const std::string& stageName, const std::string& fileName)
    : CCloseableBeigeForm("インフォメーション", x, y, 400, 360) {
    AddControl(std::make_unique<CCaptionRibon>("エディタ情報", 40, 45, 320, 1));
    AddControl(std::make_unique<CCaptionRibon>("クリエイター情報", 40, 104, 320, 1));
    AddControl(std::make_unique<CCaptionRibon>("ステージ情報", 40, 193, 320, 1));
    AddControl(CaptionLabel("エディタバージョン：", 68, 74, 130, 16));
    AddControl(ValueLabel(editorVersion, 200, 74, 160, 16));
    AddControl(CaptionLabel("クリエイター名：", 68, 133, 130, 16));
    AddControl(ValueLabel(creatorName, 200, 133, 160, 16));
    AddControl(CaptionLabel("クリエイターレベル：", 68, 163, 130, 16));
    AddControl(ValueLabel(creatorLevel, 200, 163, 160, 16));
    AddControl(CaptionLabel("ステージ名：", 68, 222, 130, 16));
    AddControl(ValueLabel(stageName, 200, 222, 160, 16));
    AddControl(CaptionLabel("保存ファイル名：", 68, 252, 130, 16));
    AddControl(ValueLabel(fileName, 200, 252, 160, 16));
    ok_ = AddControl(std::make_unique<CTextPushButton>(GetWidth() / 2 - 40, GetHeight() - 56, "O K"));
    ok_->AddPushedEventHandler(this);
}

void CInfomationWindow::OnButtonPushed(GCButton* sender) {
    if (sender == ok_) Close();
}

CSendConfirmWindow::CSendConfirmWindow(int32_t x, int32_t y, const std::string& stageName,
                                       const std::string& originalAuthor, const std::string& author,
                                       bool arrangementAllowed)
    : CCloseableBeigeForm("投稿内容の確認", x, y, 400, 280) {
    AddControl(MessageLabel("この内容で投稿してよろしいですか？", 80, 48, GetWidth() - 94, 120));
    AddControl(std::make_unique<CCapImageNormal>(16, 48));
    AddControl(CaptionLabel("ステージ名：", 68, 92, 110, 16));
    AddControl(ValueLabel(stageName, 180, 92, 160, 16));
    AddControl(CaptionLabel("作者：", 68, 122, 110, 16));
    AddControl(ValueLabel(author, 180, 122, 160, 16));
    AddControl(CaptionLabel("原作者：", 68, 152, 110, 16));
    AddControl(ValueLabel(originalAuthor, 180, 152, 160, 16));
    AddControl(CaptionLabel("アレンジ許可：", 68, 182, 110, 16));
    AddControl(ValueLabel(arrangementAllowed ? "許可する！" : "許可しない", 180, 182, 160, 16));
    yes_ = AddControl(std::make_unique<CTextPushButton>(GetWidth() / 2 - 90, GetHeight() - 56, "はい"));
    yes_->AddPushedEventHandler(this);
    no_ = AddControl(std::make_unique<CTextPushButton>(GetWidth() / 2 + 10, GetHeight() - 56, "いいえ",
                                                       ControlSound::kCloseWindow));
    no_->AddPushedEventHandler(this);
}

void CSendConfirmWindow::OnButtonPushed(GCButton* sender) {
    if (sender == yes_) answer_ = kResultYes;
    Close();
}

}  // namespace Controls
