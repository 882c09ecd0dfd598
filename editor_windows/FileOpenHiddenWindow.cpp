#include "editor_windows/FileOpenHiddenWindow.h"

#include <exception>

#include "controls/Dialogs.h"
#include "editor_windows/EditorWindowHost.h"
#include "editor_windows/FileSaveHiddenWindow.h"
#include "editor_windows/FileSelectWindow.h"
#include "editor_windows/StageFileDialogs.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"

namespace {

struct FileStep {
    int32_t step;
    int32_t kind;  // COpenStageKindSelectWindow's kind
    const char* title;
    const char* folder;
};

constexpr FileStep kFileSteps[] = {
    {CFileOpenHiddenWindow::kChooseSavedFile, Controls::COpenStageKindSelectWindow::kSaved,
     "以前保存したステージを開く", "stage\\original"},
    {CFileOpenHiddenWindow::kChooseDownloadedFile, Controls::COpenStageKindSelectWindow::kDownloaded,
     "ダウンロードしたステージを開く", "stage\\downloaded"},
    {CFileOpenHiddenWindow::kChooseSingleModeFile, Controls::COpenStageKindSelectWindow::kSingleMode,
     "シングルモードのステージを開く", "stage\\scenario"},
};

const FileStep* FindFileStep(int32_t step) {
    for (const FileStep& f : kFileSteps) {
        if (f.step == step) return &f;
    }
    return nullptr;
}

}  // namespace

CFileOpenHiddenWindow::CFileOpenHiddenWindow(bool modified, IEditorWindowHost* host, bool isNew,
                                             int32_t category, const std::string& stageName)
    : CHiddenSequenceWindow(0, 0, modified ? kAskSave : kChooseKind),
      isNew_(isNew),
      host_(host),
      category_(category),
      stageName_(stageName) {}

const char* CFileOpenHiddenWindow::FolderOf(int32_t step) {
    const FileStep* f = FindFileStep(step);
    return f ? f->folder : "";
}

std::unique_ptr<Controls::GCForm> CFileOpenHiddenWindow::MakeDialog(int32_t step) {
    if (const FileStep* f = FindFileStep(step))
        return std::make_unique<CFileSelectWindow>(f->title, f->folder, "*.stg");
    switch (step) {
        case kAskSave:
            return std::make_unique<Controls::CConfirmCancelWindow>("\n現在のステージを保存しますか？");
        case kSave:
            return std::make_unique<CFileSaveHiddenWindow>(host_, isNew_, category_, stageName_);
        case kChooseKind:
            return std::make_unique<Controls::COpenStageKindSelectWindow>(140, 60);
        case kShowOpenFailed:
            return std::make_unique<Controls::CAlertWindow>("\nステージを開けません！");
        default:
            return nullptr;
    }
}

void CFileOpenHiddenWindow::OnDialogClosed(int32_t step, Controls::GCForm* dialog) {
    if (FindFileStep(step)) {
        OpenChosenFile(step, dialog);
        return;
    }
    switch (step) {
        case kAskSave:
            GoOnAfterSaveQuestion(dialog, kSave, kChooseKind);
            return;
        case kSave:
            GoOnAfterSave(dialog, kChooseKind);
            return;
        case kChooseKind: {
            const auto* w = dynamic_cast<const Controls::COpenStageKindSelectWindow*>(dialog);
            const int32_t kind = w ? w->GetSelectedKind() : Controls::COpenStageKindSelectWindow::kNone;
            for (const FileStep& f : kFileSteps) {
                if (f.kind == kind) {
                    GoTo(f.step);
                    return;
                }
            }
            End();
            return;
        }
        default:
            End();
            return;
    }
}

void CFileOpenHiddenWindow::OpenChosenFile(int32_t step, Controls::GCForm* dialog) {
    const auto* w = dynamic_cast<const CFileSelectWindow*>(dialog);
    const std::string path = w ? w->GetSelectedFilePath() : std::string();
    if (!w || w->IsCancelled() || path.empty()) {
        GoTo(kChooseKind);
        return;
    }
    try {
        if (!host_) throw CStageDataException("SDE0007", "ステージを開けません。");
        // Only the player's own saved stages go on being saved over their files.
        host_->OpenStage(path, step == kChooseSavedFile);
        End();
    } catch (const std::exception& e) {
        CLog::GetInstance()->Write(FormatErrorReport(e));
        GoTo(kShowOpenFailed);
    }
}
