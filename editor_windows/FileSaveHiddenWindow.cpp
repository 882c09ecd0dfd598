#include "editor_windows/FileSaveHiddenWindow.h"

#include "editor_windows/EditorWindowHost.h"
#include "foundation/QuorException.h"

CFileSaveHiddenWindow::CFileSaveHiddenWindow(IEditorWindowHost* host, bool unsaved, int32_t /*category*/,
                                             const std::string& stageName)
    : CStandInWindow("保存", 160, 120, "「" + stageName + "」を保存します。", {"保存する", "キャンセル"}),
      host_(host),
      unsaved_(unsaved) {}

bool CFileSaveHiddenWindow::OnAnswer(int32_t index) {
    if (index != 0 || !host_) return true;
    try {
        if (unsaved_) {
            host_->SaveUnderNewFileName();
        } else {
            host_->SaveToCurrentFile();
        }
        saved_ = true;
        return true;
    } catch (const CQuorException& e) {
        SetText(e.GetCode() + "\n" + e.GetMessage());
        return false;
    }
}
