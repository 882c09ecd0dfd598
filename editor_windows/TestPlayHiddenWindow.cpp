#include "editor_windows/TestPlayHiddenWindow.h"

#include "controls/Dialogs.h"
#include "editor_windows/EditorWindowHost.h"
#include "editor_windows/FileSaveHiddenWindow.h"
#include "editor_windows/StageFileDialogs.h"

namespace {
std::vector<std::string> ProblemsOf(IEditorWindowHost* host) {
    return host ? host->CheckStage() : std::vector<std::string>();
}
}  // namespace

CTestPlayHiddenWindow::CTestPlayHiddenWindow(bool modified, IEditorWindowHost* host, bool isNew,
                                             int32_t category, const std::string& stageName)
    : CHiddenSequenceWindow(0, 0, kNoStep),
      host_(host),
      isNew_(isNew),
      category_(category),
      stageName_(stageName),
      problems_(ProblemsOf(host)) {
    GoTo(!problems_.empty() ? kShowProblems : modified ? kAskSave : kConfirmStart);
}

std::unique_ptr<Controls::GCForm> CTestPlayHiddenWindow::MakeDialog(int32_t step) {
    switch (step) {
        case kShowProblems:
            return std::make_unique<Controls::CErrorListWindow>(
                80, 100, "エラーがあるのでテストプレイできません！", problems_);
        case kAskSave:
            return std::make_unique<Controls::CConfirmWindow>("テストプレイ前に\nステージを保存しますか？");
        case kSave:
            return std::make_unique<CFileSaveHiddenWindow>(host_, isNew_, category_, stageName_);
        case kConfirmStart:
            return std::make_unique<Controls::CConfirmWindow>("\nテストプレイを開始しますか？");
        default:
            return nullptr;
    }
}

void CTestPlayHiddenWindow::OnDialogClosed(int32_t step, Controls::GCForm* dialog) {
    switch (step) {
        case kAskSave:
            GoTo(AnswerOf(dialog) == Controls::kResultYes ? kSave : kConfirmStart);
            return;
        case kSave:
            GoOnAfterSave(dialog, kConfirmStart);
            return;
        case kConfirmStart:
            startConfirmed_ = AnswerOf(dialog) == Controls::kResultYes;
            End();
            return;
        default:
            End();
            return;
    }
}
