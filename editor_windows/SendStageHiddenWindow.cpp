#include "editor_windows/SendStageHiddenWindow.h"

CSendStageHiddenWindow::CSendStageHiddenWindow(bool /*modified*/, IEditorWindowHost* /*host*/,
                                               bool /*unsaved*/, int32_t /*category*/,
                                               const std::string& stageName,
                                               const std::string& /*originalAuthor*/,
                                               const std::string& /*creatorName*/)
    : CStandInWindow("投稿", 160, 100, "「" + stageName + "」を投稿します。",
                     {"投稿する（アレンジ許可）", "投稿する（アレンジ不可）", "キャンセル"}) {}
