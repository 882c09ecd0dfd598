#include "editor_windows/FileOpenHiddenWindow.h"

CFileOpenHiddenWindow::CFileOpenHiddenWindow(bool /*modified*/, IEditorWindowHost* /*host*/, bool /*unsaved*/,
                                             int32_t /*category*/, const std::string& /*stageName*/)
    : CStandInWindow("ステージを開く", 160, 120, "ステージの選択はまだできません。", {"閉じる"}) {}
