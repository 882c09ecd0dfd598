#include "editor_windows/EditorEndHiddenWindow.h"

#include "controls/Dialogs.h"
#include "editor_windows/FileSaveHiddenWindow.h"

CEditorEndHiddenWindow::CEditorEndHiddenWindow(IEditorWindowHost* host, bool isNew, int32_t category,
                                               const std::string& stageName)
    : CHiddenSequenceWindow(0, 0, kAskSave),
      host_(host),
      isNew_(isNew),
      category_(category),
      stageName_(stageName) {
    OpenCurrentDialog();
}

std::unique_ptr<Controls::GCForm> CEditorEndHiddenWindow::MakeDialog(int32_t step) {
    switch (step) {
        case kAskSave:
            return std::make_unique<Controls::CConfirmCancelWindow>("終了前にステージを\n保存しますか？");
        case kSave:
            return std::make_unique<CFileSaveHiddenWindow>(host_, isNew_, category_, stageName_);
        case kConfirmEnd:
            return std::make_unique<Controls::CConfirmWindow>("エディタを終了します。\nよろしいですか？");
        default:
            return nullptr;
    }
}

void CEditorEndHiddenWindow::OnDialogClosed(int32_t step, Controls::GCForm* dialog) {
    switch (step) {
        case kAskSave:
            GoOnAfterSaveQuestion(dialog, kSave, kConfirmEnd);
            return;
        case kSave:
            GoOnAfterSave(dialog, kConfirmEnd);
            return;
        case kConfirmEnd:
            endConfirmed_ = AnswerOf(dialog) == Controls::kResultYes;
            End();
            return;
        default:
            End();
            return;
    }
}
