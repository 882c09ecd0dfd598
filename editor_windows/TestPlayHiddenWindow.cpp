#include "editor_windows/TestPlayHiddenWindow.h"

#include <vector>

#include "editor_windows/EditorWindowHost.h"

CTestPlayHiddenWindow::CTestPlayHiddenWindow(bool /*modified*/, IEditorWindowHost* host, bool /*unsaved*/,
                                             int32_t /*category*/, const std::string& /*stageName*/)
    : CStandInWindow("テストプレイ", 160, 120, "テストプレイを始めます。", {"開始する", "キャンセル"}),
      host_(host) {}

bool CTestPlayHiddenWindow::OnAnswer(int32_t index) {
    if (index != 0) return true;
    const std::vector<std::string> problems = host_ ? host_->CheckStage() : std::vector<std::string>();
    if (!problems.empty()) {
        SetText(problems.front());
        return false;
    }
    confirmed_ = true;
    return true;
}
