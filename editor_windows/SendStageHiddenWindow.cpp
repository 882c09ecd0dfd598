#include "editor_windows/SendStageHiddenWindow.h"

#include "controls/Dialogs.h"
#include "editor_windows/EditorWindowHost.h"
#include "editor_windows/InfomationWindow.h"
#include "editor_windows/StageFileDialogs.h"

CSendStageHiddenWindow::CSendStageHiddenWindow(bool /*modified*/, IEditorWindowHost* host, bool /*isNew*/,
                                               int32_t /*category*/, const std::string& stageName,
                                               const std::string& originalAuthor,
                                               const std::string& creatorName)
    : CHiddenSequenceWindow(0, 0, kNoStep),
      host_(host),
      stageName_(stageName),
      originalAuthor_(originalAuthor),
      creatorName_(creatorName) {
    if (host_) problems_ = host_->CheckStage();
    // A modified stage is not offered a save here: the editor saves it once it is posted.
    GoTo(problems_.empty() ? kConfirmPost : kShowProblems);
}

std::unique_ptr<Controls::GCForm> CSendStageHiddenWindow::MakeDialog(int32_t step) {
    switch (step) {
        case kShowProblems:
            return std::make_unique<Controls::CErrorListWindow>(80, 100, "エラーがあるので投稿できません！",
                                                                problems_);
        case kConfirmPost:
            return std::make_unique<Controls::CConfirmWindow>(
                "現在のステージを投稿しますか？\n（投稿後に、自動的に\n　ステージを保存します）");
        case kAskArrangement:
            return std::make_unique<Controls::CConfirmCancelWindow>(
                "他のクリエイターの\nアレンジを許可しますか？");
        case kConfirmSummary:
            return std::make_unique<Controls::CSendConfirmWindow>(
                120, 100, host_ ? host_->GetStageName() : stageName_, originalAuthor_, creatorName_,
                arrangementPermitted_);
        default:
            return nullptr;
    }
}

void CSendStageHiddenWindow::OnDialogClosed(int32_t step, Controls::GCForm* dialog) {
    switch (step) {
        case kConfirmPost:
            if (AnswerOf(dialog) == Controls::kResultYes) {
                GoTo(kAskArrangement);
            } else {
                End();
            }
            return;
        case kAskArrangement: {
            const int32_t answer = AnswerOf(dialog);
            if (answer == Controls::kResultCancel) {
                End();
                return;
            }
            arrangementPermitted_ = answer == Controls::kResultYes;
            GoTo(kConfirmSummary);
            return;
        }
        case kConfirmSummary: {
            const auto* w = dynamic_cast<const Controls::CSendConfirmWindow*>(dialog);
            postConfirmed_ = w && w->GetAnswer() == Controls::kResultYes;
            End();
            return;
        }
        default:
            End();
            return;
    }
}
