#include "online/AdminCreatorForm.h"

#include <cstdio>

#include "controls/ControlPort.h"
#include "controls/Dialogs.h"
#include "controls/StageRow.h"
#include "foundation/ClientInfo.h"
#include "foundation/TextConvert.h"

namespace Controls {

namespace {

// Opens `window` over `owner`, heard by `listener`.
void OpenOver(GCForm& owner, IClosedEventHandler* listener, std::unique_ptr<GCForm> window) {
    window->AddClosedEventHandler(listener);
    owner.SetModalForm(std::move(window));
}

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

// ---- Fetching the stages ------------------------------------------------------------------------

CSearchCreatorHiddenWindow::CSearchCreatorHiddenWindow() : COriginalBaseForm(0, 0, 640, 480) {
    StartRequest(NetWorkOperation::GetStage, CClientInfo::GetInstance()->GetCreatorId());
}

void CSearchCreatorHiddenWindow::OnNetWorkClosed(NetWorkResult result) {
    if (!result.Succeeded) {
        failed_ = true;
        Close();
        return;
    }
    replyText_ = result.Text;
    closeWanted_ = true;
}

void CSearchCreatorHiddenWindow::UpdateSelf() {
    if (closeWanted_) {
        closeWanted_ = false;
        Close();
    }
}

// ---- Deleting one stage ---------------------------------------------------------------------------

CDeleteStageHiddenWindow::CDeleteStageHiddenWindow(const std::string& stageId)
    : COriginalBaseForm(0, 0, 640, 480), stageId_(stageId) {
    OpenOver(
        *this, this,
        std::make_unique<CConfirmWindow>("投稿したステージを\nサーバから削除します。\nよろしいですか？"));
}

void CDeleteStageHiddenWindow::OnClosed(GCForm* sender) {
    if (step_ == Step::Question) {
        if (!AnsweredYes(sender)) {
            Close();
            return;
        }
        step_ = Step::Deleting;
        CClientInfo* info = CClientInfo::GetInstance();
        StartRequest(NetWorkOperation::DeleteStage, info->GetCreatorId(), info->GetCommonKey(), stageId_);
    } else if (step_ == Step::Done) {
        Close();
    }
}

void CDeleteStageHiddenWindow::OnNetWorkClosed(NetWorkResult result) {
    if (!result.Succeeded) {
        Close();
        return;
    }
    deleted_ = true;
    step_ = Step::Done;
    messageWanted_ = true;
}

void CDeleteStageHiddenWindow::UpdateSelf() {
    if (messageWanted_) {
        messageWanted_ = false;
        OpenOver(*this, this, std::make_unique<CMessageWindow>("削除しました。"));
    }
    COriginalBaseForm::UpdateSelf();
}

// ---- Deleting the creator -------------------------------------------------------------------------

CDeleteCreatorHiddenWindow::CDeleteCreatorHiddenWindow() : COriginalBaseForm(0, 0, 640, 480) {
    OpenOver(*this, this,
             std::make_unique<CConfirmWindow>(
                 "投稿したステージを全部削除し、\nクリエイター情報を抹消します。\nよろしいですか？"));
}

void CDeleteCreatorHiddenWindow::GoTo(Step step) {
    step_ = step;
    windowWanted_ = step != Step::Deleting;
}

void CDeleteCreatorHiddenWindow::OnClosed(GCForm* sender) {
    switch (step_) {
        case Step::FirstQuestion:
        case Step::SecondQuestion:
        case Step::LastQuestion: {
            if (!AnsweredYes(sender)) {
                Close();
                return;
            }
            GoTo(Step(int32_t(step_) + 1));
            if (step_ == Step::Deleting) {
                CClientInfo* info = CClientInfo::GetInstance();
                StartRequest(NetWorkOperation::DeleteCreator, info->GetCreatorId(), info->GetCommonKey());
            }
            break;
        }
        case Step::Done:
            Close();
            break;
        case Step::Deleting:
            break;
    }
}

void CDeleteCreatorHiddenWindow::OnNetWorkClosed(NetWorkResult result) {
    if (!result.Succeeded) {
        Close();
        return;
    }
    CClientInfo::GetInstance()->ClearCreatorInfo();
    deleted_ = true;
    GoTo(Step::Done);
}

void CDeleteCreatorHiddenWindow::UpdateSelf() {
    if (windowWanted_) {
        windowWanted_ = false;
        std::unique_ptr<GCForm> window;
        if (step_ == Step::SecondQuestion) {
            window = std::make_unique<CConfirmWindow>(
                "一度削除した情報は、\n二度と元には戻りません！\nそれでもよろしいですか？", true);
        } else if (step_ == Step::LastQuestion) {
            window = std::make_unique<CConfirmWindow>(
                "ほほ本当にいいんですか？\nあとで泣いても知りませんよ？\nどうなっても知りませんよ？", true);
        } else if (step_ == Step::Done) {
            window = std::make_unique<CMessageWindow>("消しちゃいました…。");
        }
        if (window) OpenOver(*this, this, std::move(window));
    }
    COriginalBaseForm::UpdateSelf();
}

// ---- The screen -------------------------------------------------------------------------------------

CAdminCreatorSceneRootForm::CAdminCreatorSceneRootForm(IAdminCreatorSceneHost* scene)
    : COriginalBaseForm(0, 0, 640, 480), scene_(scene) {
    Open(Mode::Loading, std::make_unique<CSearchCreatorHiddenWindow>());
}

void CAdminCreatorSceneRootForm::Open(Mode mode, std::unique_ptr<GCForm> window) {
    mode_ = mode;
    OpenOver(*this, this, std::move(window));
}

void CAdminCreatorSceneRootForm::BuildScreen(const std::string& replyText) {
    loaded_ = true;
    editor_ = AddControl(std::make_unique<CLongTextPushButton>(52, 420, 200, "ステージを作る"));
    editor_->AddPushedEventHandler(this);
    deleteCreator_ = AddControl(
        std::make_unique<CLongTextPushButton>(290, 420, 330, "全ｽﾃｰｼﾞを削除して登録情報を抹消する"));
    deleteCreator_->AddPushedEventHandler(this);
    close_ = AddControl(std::make_unique<CBigCloseButton>(592, 4));
    close_->AddPushedEventHandler(this);
    auto name = std::make_unique<CSpriteTextLabel>(CClientInfo::GetInstance()->GetCreatorName(), 10, 30, 250,
                                                   20, 18, 45, 30, 8);
    name->SetAlignment(0);
    AddControl(std::move(name));
    auto suffix = std::make_unique<CSpriteTextLabel>("さん の現在の情報", 40, 55, 160, 16, 14, 45, 30, 8);
    suffix->SetAlignment(0);
    AddControl(std::move(suffix));
    stages_ = std::make_unique<CStageMetaInfoList>(replyText);
    RefreshInfo();
}

void CAdminCreatorSceneRootForm::RefreshInfo() {
    if (grid_) (void)GetControls().Remove(grid_);
    if (info_) (void)GetControls().Remove(info_);
    grid_ = AddControl(std::make_unique<CStageMetaInfoGrid>(80, 140));
    // Each count fits 32 bits; their sum need not.
    int64_t downloads = 0;
    int32_t rated = 0;
    double ratingSum = 0;
    for (const CStageMetaInfo& r : stages_->Records) {
        grid_->AddRow(r.GetKey(), r.GetStageName(), r.GetPostedDate(), std::to_string(r.DownloadCount),
                      FormatRating(r.GetRating()), this);
        downloads += r.DownloadCount;
        if (r.GetRating().empty()) continue;
        ++rated;
        ratingSum += StrToDouble(r.GetRating());
    }
    const std::string average = rated > 0 ? Format("%.2f", ratingSum / rated) : "--";
    info_ = AddControl(std::make_unique<CCreatorInfoWindow>(
        236, 20, std::to_string(stages_->Records.size()), std::to_string(downloads), average,
        std::to_string(CClientInfo::GetInstance()->GetCreatorPoint()), std::to_string(GetCreatorLevel())));
}

std::string CAdminCreatorSceneRootForm::FormatRating(const std::string& rating) {
    if (rating.empty()) return "--";
    return Format("%6.2f", StrToDouble(rating));
}

void CAdminCreatorSceneRootForm::OnPushed(GCButton* sender) {
    if (!sender) return;
    if (sender == editor_) {
        Open(Mode::Editor, std::make_unique<CConfirmWindow>("エディタを開きます。\nよろしいですか？"));
    } else if (sender == deleteCreator_) {
        Open(Mode::DeleteCreator, std::make_unique<CDeleteCreatorHiddenWindow>());
    } else if (sender == close_) {
        Open(Mode::Close, std::make_unique<CConfirmWindow>("メニューに戻ります。\nよろしいですか？"));
    } else if (auto* link = dynamic_cast<CStageMetaInfoGridItemDeleteLinkButton*>(sender)) {
        Open(Mode::DeleteStage, std::make_unique<CDeleteStageHiddenWindow>(link->GetTag()));
    }
}

void CAdminCreatorSceneRootForm::OnClosed(GCForm* sender) {
    switch (mode_) {
        case Mode::Loading: {
            auto* search = dynamic_cast<CSearchCreatorHiddenWindow*>(sender);
            if (!search || search->IsFailed()) {
                scene_->CloseScene();
                return;
            }
            BuildScreen(search->GetReplyText());
            break;
        }
        case Mode::DeleteCreator: {
            auto* worker = dynamic_cast<CDeleteCreatorHiddenWindow*>(sender);
            if (worker && worker->IsDeleted()) scene_->CloseScene();
            break;
        }
        case Mode::DeleteStage: {
            auto* worker = dynamic_cast<CDeleteStageHiddenWindow*>(sender);
            if (worker && worker->IsDeleted() && stages_) {
                stages_->Remove(worker->GetStageId());
                RefreshInfo();
            }
            break;
        }
        case Mode::Close:
            if (AnsweredYes(sender)) scene_->CloseScene();
            break;
        case Mode::Editor:
            if (AnsweredYes(sender)) scene_->CloseToEditor();
            break;
    }
}

void CAdminCreatorSceneRootForm::Draw() {
    if (!IsVisible()) return;
    if (loaded_) {
        const uint32_t tan = PackColor(205, 165, 106);
        Port().Rect(0, 0, 640, 480, tan, tan, 1);
    }
    COriginalBaseForm::Draw();
}

}  // namespace Controls
