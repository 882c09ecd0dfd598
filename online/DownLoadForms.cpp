#include "online/DownLoadForms.h"

#include "controls/ControlPort.h"
#include "controls/Dialogs.h"
#include "controls/DisplayParts.h"
#include "foundation/Log.h"
#include "foundation/TextConvert.h"
#include "online/DownLoadSearchForms.h"
#include "online/StageMetaInfoButton.h"
#include "online/StageMetaInfoButtonList.h"
#include "stage/Stage.h"

namespace Controls {

namespace {

// The grey panel the stage grid lies on.
constexpr int32_t kPanelLeft = 24, kPanelTop = 128, kPanelRight = 616, kPanelBottom = 456;
constexpr int32_t kListPagesPerRequest = 10;

// The code of a stage written by a newer version of the game.
const char kNewerVersionCode[] = "SDE0001";

}  // namespace

void DrawDownLoadFrame() {
    const uint32_t tan = PackColor(205, 165, 106), grey = PackColor(128, 128, 128);
    Port().Rect(0, 0, 640, kPanelTop, tan, tan, 1);
    Port().Rect(0, kPanelBottom, 640, 480, tan, tan, 1);
    Port().Rect(0, kPanelTop, kPanelLeft, kPanelBottom, tan, tan, 1);
    Port().Rect(kPanelRight, kPanelTop, 640, kPanelBottom, tan, tan, 1);
    Port().Rect(kPanelLeft, kPanelTop, kPanelRight, kPanelBottom, grey, grey, 1);
    DrawOpenFrame(kPanelLeft, kPanelTop, kPanelRight - kPanelLeft, kPanelBottom - kPanelTop);
}

void ShowStageOpenError(GCForm& form, const std::string& code) {
    if (code == kNewerVersionCode) {
        CLog::GetInstance()->Write("互換性がないステージです。Quorvaldを最新版にアップグレードして下さい。");
        form.SetModalForm(std::make_unique<CAlertWindow>(
            "互換性がないステージです。\nQuorvaldを最新版に\nアップグレードして下さい。"));
        return;
    }
    CLog::GetInstance()->Write("ステージデータを開けませんでした…。");
    form.SetModalForm(std::make_unique<CAlertWindow>("ステージデータを\n開けませんでした…。"));
}

// ---- What the list forms share ----------------------------------------------------------------

void CDownLoadListForm::Draw() {
    if (!IsVisible()) return;
    DrawDownLoadFrame();
    COriginalBaseForm::Draw();
}

CBigCloseButton* CDownLoadListForm::AddCloseButton() {
    close_ = AddButton(std::make_unique<CBigCloseButton>(592, 4));
    return close_;
}

void CDownLoadListForm::OpenDialog(Dialog dialog, std::unique_ptr<GCForm> window) {
    dialog_ = dialog;
    window->AddClosedEventHandler(this);
    SetModalForm(std::move(window));
}

void CDownLoadListForm::SendRequest(Request request, NetWorkOperation op, const std::string& s1,
                                    const std::string& s2, const std::string& s3, const std::string& s4) {
    request_ = request;
    StartRequest(op, s1, s2, s3, s4);
}

void CDownLoadListForm::ReplaceStageList(const std::string& replyText, int32_t x, int32_t y, int32_t perPage,
                                         bool withPaging) {
    if (list_) (void)GetControls().Remove(list_);
    auto list = std::make_unique<CStageMetaInfoButtonList>(x, y, perPage, kListPagesPerRequest,
                                                           std::make_unique<CStageMetaInfoList>(replyText),
                                                           this, this, withPaging, withPaging);
    list_ = AddControl(std::move(list));
}

void CDownLoadListForm::OnPushed(GCButton* sender) {
    if (!sender) return;
    if (sender == close_) {
        OnCloseButtonPushed();
    } else if (auto* card = dynamic_cast<CStageMetaInfoButton*>(sender)) {
        AskDownload(*card);
    } else {
        OnButtonPushed(sender);
    }
}

void CDownLoadListForm::AskDownload(const CStageMetaInfoButton& card) {
    chosenStageId_ = card.GetStageId();
    chosenDataSize_ = card.GetDataSize();
    OpenDialog(
        Dialog::DownloadQuestion,
        std::make_unique<CConfirmWindow>(card.GetStageName() + "\nをダウンロードします。\nよろしいですか？"));
}

void CDownLoadListForm::OnClosed(GCForm* sender) { OnDialogClosed(dialog_, AnsweredYes(sender), sender); }

void CDownLoadListForm::OnDialogClosed(Dialog dialog, bool yes, GCForm*) {
    if (dialog != Dialog::DownloadQuestion || !yes) return;
    SendRequest(Request::Download, NetWorkOperation::DownloadStage, chosenStageId_,
                std::to_string(chosenDataSize_));
}

void CDownLoadListForm::OnNetWorkClosed(NetWorkResult result) {
    if (request_ == Request::Download) {
        // A failed download was shown by the accessor's own error window.
        if (result.Succeeded) CompleteDownload(result.Text);
        return;
    }
    OnListReply(request_, result);
}

void CDownLoadListForm::CompleteDownload(const std::string& text) {
    CNetWorkAccessor* net = CNetWorkAccessor::GetInstance();
    if (std::unique_ptr<CStage> stage = net->SaveDownloadedStage(StrToInt(chosenStageId_), text)) {
        GetScene()->PlayStage(std::move(stage));
        return;
    }
    dialog_ = Dialog::DownloadAlert;
    ShowStageOpenError(*this, net->GetLastSaveError().code);
}

// ---- The top form ----------------------------------------------------------------------------

CDownLoadTopRootForm::CDownLoadTopRootForm(IDownLoadSceneHost* scene, const std::string& keptText)
    : CDownLoadListForm(scene) {
    AddControl(std::make_unique<CFreeImage>(208, 136, kImageGroup, kSheet9, 0, 192, 224, 232));
    difficultyLength_ = AddButton(std::make_unique<CLongTextPushButton>(70, 40, 240, "難易度と長さで選ぶ"));
    creatorName_ = AddButton(std::make_unique<CLongTextPushButton>(330, 40, 240, "クリエイター名で選ぶ"));
    reload_ = AddButton(std::make_unique<CShuffleButton>(448, 140));
    AddCloseButton();
    if (keptText.empty()) {
        AskNewest();
    } else {
        ShowList(keptText);
    }
}

void CDownLoadTopRootForm::AskNewest() {
    SendRequest(Request::NewList, NetWorkOperation::GetNewStage, std::to_string(kNewestCount));
}

void CDownLoadTopRootForm::ShowList(const std::string& replyText) {
    ReplaceStageList(replyText, 30, 168, kNewestCount, false);
    listText_ = replyText;
}

void CDownLoadTopRootForm::OnButtonPushed(GCButton* sender) {
    if (sender == difficultyLength_) {
        GetScene()->ChangeForm(DownLoadFormId::DifficultyLength);
    } else if (sender == creatorName_) {
        GetScene()->ChangeForm(DownLoadFormId::CreatorName);
    } else if (sender == reload_) {
        AskNewest();
    }
}

void CDownLoadTopRootForm::OnCloseButtonPushed() {
    OpenDialog(Dialog::BackToMenu,
               std::make_unique<CConfirmWindow>("メニューに戻ります。\nよろしいですか？"));
}

void CDownLoadTopRootForm::OnDialogClosed(Dialog dialog, bool yes, GCForm* sender) {
    if (dialog == Dialog::BackToMenu) {
        if (yes) GetScene()->CloseScene();
        return;
    }
    CDownLoadListForm::OnDialogClosed(dialog, yes, sender);
}

void CDownLoadTopRootForm::OnListReply(Request, const NetWorkResult& result) {
    // A failed request leaves an empty list, and an empty kept text, so the next top form asks
    // again.
    ShowList(result.Text);
}

// ---- The scene's forms -----------------------------------------------------------------------

std::unique_ptr<GCForm> MakeDownLoadForm(DownLoadFormId formId, IDownLoadSceneHost* scene,
                                         const std::string& keptListText) {
    switch (formId) {
        case DownLoadFormId::Top:
            return std::make_unique<CDownLoadTopRootForm>(scene, keptListText);
        case DownLoadFormId::DifficultyLength:
            return std::make_unique<CDownLoadDifficultyLengthSearchRootForm>(scene);
        case DownLoadFormId::CreatorName:
            return std::make_unique<CDownLoadCreatorNameSearchRootForm>(scene);
        case DownLoadFormId::Init:
            break;
    }
    return std::make_unique<CDownLoadInitSearchRootForm>(scene);
}

void KeepDownLoadListText(GCForm& form, std::string& keptListText) {
    if (auto* top = dynamic_cast<CDownLoadTopRootForm*>(&form)) keptListText = top->GetListText();
}

}  // namespace Controls
