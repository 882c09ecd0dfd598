#include "editor_windows/StageFileDialogs.h"

#include <memory>

#include "controls/DisplayParts.h"
#include "editor_windows/DialogLabels.h"

namespace Controls {

namespace {

template <class Window, class Button>
Button* AddButton(Window& window, std::unique_ptr<Button> button) {
    button->AddPushedEventHandler(&window);
    return window.AddControl(std::move(button));
}
}  // namespace

COpenStageKindSelectWindow::COpenStageKindSelectWindow(int32_t x, int32_t y)
    : CCloseableBeigeForm("ステージの種類の選択", x, y, 360, 360) {
    saved_ = AddButton(*this, std::make_unique<CLongTextPushButton>(20, 130, 320, "以前保存したステージ"));
    downloaded_ =
        AddButton(*this, std::make_unique<CLongTextPushButton>(20, 180, 320, "ダウンロードしたステージ"));
    singleMode_ =
        AddButton(*this, std::make_unique<CLongTextPushButton>(20, 230, 320, "シングルモードのステージ"));
    cancel_ = AddButton(
        *this, std::make_unique<CLongTextPushButton>(20, 280, 320, "キャンセル", ControlSound::kCloseWindow));
    AddControl(PromptLabel("開くステージの種類を選んでください", 72, 68, 260, 40));
    AddControl(std::make_unique<CCapImageNormal>(16, 48));
}

CLongTextPushButton* COpenStageKindSelectWindow::GetKindButton(int32_t kind) const {
    switch (kind) {
        case kSaved:
            return saved_;
        case kDownloaded:
            return downloaded_;
        case kSingleMode:
            return singleMode_;
        default:
            return nullptr;
    }
}

void COpenStageKindSelectWindow::OnButtonPushed(GCButton* sender) {
    if (sender == saved_) {
        kind_ = kSaved;
    } else if (sender == downloaded_) {
        kind_ = kDownloaded;
    } else if (sender == singleMode_) {
        kind_ = kSingleMode;
    }
    Close();
}

CSaveMethodSelectWindow::CSaveMethodSelectWindow(int32_t x, int32_t y)
    : CCloseableBeigeForm("保存先の選択", x, y, 320, 280) {
    overwrite_ =
        AddButton(*this, std::make_unique<CLongTextPushButton>(20, 116, 280, "現在のステージに上書きする"));
    copy_ =
        AddButton(*this, std::make_unique<CLongTextPushButton>(20, 166, 280, "ステージのコピーを作成する"));
    cancel_ = AddButton(
        *this, std::make_unique<CLongTextPushButton>(20, 216, 280, "キャンセル", ControlSound::kCloseWindow));
    AddControl(PromptLabel("保存先を選んでください", 64, 68, 220, 40));
    AddControl(std::make_unique<CCapImageNormal>(16, 48));
}

void CSaveMethodSelectWindow::OnButtonPushed(GCButton* sender) {
    if (sender == overwrite_) {
        method_ = kOverwrite;
    } else if (sender == copy_) {
        method_ = kCopy;
    }
    Close();
}

CStageSavedWindow::CStageSavedWindow(int32_t x, int32_t y, const std::string& message,
                                     const std::string& stageName, const std::string& fileName)
    : CCloseableBeigeForm("ステージを保存しました！", x, y, 360, 240),
      stageName_(stageName),
      fileName_(fileName) {
    AddControl(MessageLabel(message, 80, 48, GetWidth() - 94, 120));
    AddControl(std::make_unique<CCapImageNormal>(16, 48));
    AddControl(CaptionLabel("ステージ名：", 48, 128, 90, 16));
    AddControl(ValueLabel(stageName, 140, 128, 160, 16));
    AddControl(CaptionLabel("ファイル名：", 48, 148, 90, 16));
    AddControl(ValueLabel(fileName, 140, 148, 160, 16));
    ok_ = AddButton(*this, std::make_unique<CTextPushButton>(GetWidth() / 2 - 40, GetHeight() - 56, "O K"));
}

void CStageSavedWindow::OnButtonPushed(GCButton* sender) {
    if (sender == ok_) Close();
}

CErrorListWindow::CErrorListWindow(int32_t x, int32_t y, const std::string& message,
                                   const std::vector<std::string>& errors)
    : CCloseableBeigeForm("エラー情報", x, y, 480, 280) {
    AddControl(MessageLabel(message, 80, 60, GetWidth() - 94, 120));
    AddControl(std::make_unique<CCapImageAlert>(16, 48));
    AddControl(std::make_unique<CCaptionRibon>("エラーの内容", 80, 100, 354, 2));
    list_ = AddControl(std::make_unique<CExclusiveTextPanel>(80, 128, 370, 140));
    for (const std::string& e : errors) list_->AddItem(e, e);
    ok_ = AddButton(*this, std::make_unique<CTextPushButton>(370, 48, "O K"));
}

void CErrorListWindow::OnButtonPushed(GCButton* sender) {
    if (sender == ok_) Close();
}

}  // namespace Controls
