#include "editor_windows/EditorEndHiddenWindow.h"

CEditorEndHiddenWindow::CEditorEndHiddenWindow(IEditorWindowHost* /*host*/, bool /*unsaved*/,
                                               int32_t /*category*/, const std::string& /*stageName*/)
    : CStandInWindow("エディタの終了", 160, 120, "保存していない変更があります。\n保存せずに終了しますか？",
                     {"保存せずに終了する", "キャンセル"}) {}
