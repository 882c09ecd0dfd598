#include "editor_windows/FileSaveHiddenWindow.h"

#include <exception>
#include <utility>

#include "controls/Dialogs.h"
#include "controls/KeyboardWindow.h"
#include "editor_windows/EditorWindowHost.h"
#include "editor_windows/StageFileDialogs.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "stage/StageChips.h"

namespace {
constexpr int32_t kStageNameLimit = 12;
}  // namespace

CFileSaveHiddenWindow::CFileSaveHiddenWindow(IEditorWindowHost* host, bool isNew, int32_t category,
                                             const std::string& stageName)
    : CHiddenSequenceWindow(0, 0, kNoStep),
      host_(host),
      isNew_(isNew),
      category_(category),
      stageName_(stageName) {
    if (host_) problems_ = host_->CheckStage();
    if (!problems_.empty()) {
        GoTo(kShowProblems);
    } else if (category_ == StageCategory_Local && isNew_) {
        SaveThen([this] { return host_->SaveUnderNewFileName(); });
    } else if (category_ == StageCategory_Local) {
        GoTo(kChooseMethod);
    } else if (category_ == StageCategory_DownLoaded) {
        GoTo(kConfirmCopyDownloaded);
    } else {
        GoTo(kConfirmCopySingleMode);
    }
}

CFileSaveHiddenWindow::~CFileSaveHiddenWindow() = default;

template <class Save>
void CFileSaveHiddenWindow::SaveThen(Save save) {
    try {
        if (!host_) throw CStageDataException("SDE0009", "ステージファイルを保存できません。");
        savedWindow_ = save();
        saved_ = true;
        GoTo(kShowSaved);
    } catch (const std::exception& e) {
        CLog::GetInstance()->Write(FormatErrorReport(e));
        GoTo(kShowSaveFailed);
    }
}

std::unique_ptr<Controls::GCForm> CFileSaveHiddenWindow::MakeDialog(int32_t step) {
    switch (step) {
        case kChooseMethod:
            return std::make_unique<Controls::CSaveMethodSelectWindow>(160, 100);
        case kConfirmCopyDownloaded:
            return std::make_unique<Controls::CConfirmWindow>(
                "ダウンロードしたステージには\n上書き保存できません。\nコピーを保存しますか？");
        case kConfirmCopySingleMode:
            return std::make_unique<Controls::CConfirmWindow>(
                "シングル用のステージには\n上書き保存できません。\nコピーを保存しますか？");
        case kAskNewName:
            return std::make_unique<Controls::CVirtualKeyBoard>("新しいステージ名を入力してください",
                                                                stageName_, kStageNameLimit);
        case kShowSaved:
            return std::move(savedWindow_);
        case kShowSaveFailed:
            return std::make_unique<Controls::CAlertWindow>("\nステージの保存に失敗しました！");
        case kShowProblems:
            return std::make_unique<Controls::CErrorListWindow>(80, 100, "エラーがあるので保存できません！",
                                                                problems_);
        default:
            return nullptr;
    }
}

void CFileSaveHiddenWindow::OnDialogClosed(int32_t step, Controls::GCForm* dialog) {
    switch (step) {
        case kChooseMethod: {
            const auto* w = dynamic_cast<Controls::CSaveMethodSelectWindow*>(dialog);
            const int32_t method = w ? w->GetSelectedMethod() : Controls::CSaveMethodSelectWindow::kNone;
            if (method == Controls::CSaveMethodSelectWindow::kOverwrite) {
                SaveThen([this] { return host_->SaveToCurrentFile(); });
            } else if (method == Controls::CSaveMethodSelectWindow::kCopy) {
                GoTo(kAskNewName);
            } else {
                End();
            }
            return;
        }
        case kConfirmCopyDownloaded:
        case kConfirmCopySingleMode: {
            if (AnswerOf(dialog) == Controls::kResultYes) {
                GoTo(kAskNewName);
            } else {
                End();
            }
            return;
        }
        case kAskNewName: {
            const auto* w = dynamic_cast<Controls::CVirtualKeyBoard*>(dialog);
            if (!w || w->IsCancelled()) {
                // A stage of the player's own may still be overwritten instead.
                if (category_ == StageCategory_Local) {
                    GoTo(kChooseMethod);
                } else {
                    End();
                }
                return;
            }
            const std::string name = w->GetInputText();
            SaveThen([this, &name] { return host_->SaveAsNew(name); });
            return;
        }
        default:
            End();
            return;
    }
}
