#include "editor_windows/HiddenSequenceWindow.h"

#include <utility>

#include "controls/Dialogs.h"
#include "editor_windows/FileSaveHiddenWindow.h"

CHiddenSequenceWindow::CHiddenSequenceWindow(int32_t width, int32_t height, int32_t startStep)
    : COriginalBaseForm(0, 0, width, height), current_(startStep), pending_(startStep) {}

void CHiddenSequenceWindow::OpenCurrentDialog() {
    pending_ = kNoStep;
    std::unique_ptr<Controls::GCForm> dialog = MakeDialog(current_);
    if (!dialog) {
        End();
        return;
    }
    dialog->AddClosedEventHandler(this);
    SetModalForm(std::move(dialog));
}

void CHiddenSequenceWindow::UpdateSelf() {
    COriginalBaseForm::UpdateSelf();
    if (pending_ != kNoStep && GetState() != Controls::kStateClosed) OpenCurrentDialog();
}

void CHiddenSequenceWindow::OnClosed(Controls::GCForm* sender) {
    if (sender != GetModalForm()) return;
    OnDialogClosed(current_, sender);
}

int32_t CHiddenSequenceWindow::AnswerOf(const Controls::GCForm* dialog) {
    if (const auto* w = dynamic_cast<const Controls::CConfirmWindow*>(dialog))
        return w->GetResult() == Controls::kResultYes ? Controls::kResultYes : Controls::kResultNo;
    if (const auto* w = dynamic_cast<const Controls::CConfirmCancelWindow*>(dialog)) {
        const int32_t result = w->GetResult();
        return result == Controls::kResultYes || result == Controls::kResultNo ? result
                                                                               : Controls::kResultCancel;
    }
    return Controls::kResultCancel;
}

bool CHiddenSequenceWindow::WasSaved(const Controls::GCForm* dialog) {
    const auto* w = dynamic_cast<const CFileSaveHiddenWindow*>(dialog);
    return w && w->IsSaved();
}

void CHiddenSequenceWindow::GoOnAfterSaveQuestion(const Controls::GCForm* dialog, int32_t saveStep,
                                                  int32_t next) {
    const int32_t answer = AnswerOf(dialog);
    if (answer == Controls::kResultYes) {
        GoTo(saveStep);
    } else if (answer == Controls::kResultNo) {
        GoTo(next);
    } else {
        End();
    }
}

void CHiddenSequenceWindow::GoOnAfterSave(const Controls::GCForm* dialog, int32_t next) {
    if (WasSaved(dialog)) {
        GoTo(next);
    } else {
        End();
    }
}
