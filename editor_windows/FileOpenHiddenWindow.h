#pragma once
// Opening a stage file: a modified stage is offered a save first; then the kind of stage (saved,
// downloaded or single-mode) and a file of its folder are chosen, and the editor opens it. Cancel
// in the file list goes back to the kind; a file that cannot be opened is reported and the edited
// stage stays. Only a saved stage keeps its file: the others can then only be saved as copies.
#include <cstdint>
#include <memory>
#include <string>

#include "editor_windows/HiddenSequenceWindow.h"

class IEditorWindowHost;

class CFileOpenHiddenWindow : public CHiddenSequenceWindow {
  public:
    enum Step : int32_t {
        kAskSave = 1,
        kSave = 2,
        kChooseKind = 4,
        kChooseSavedFile = 5,
        kChooseDownloadedFile = 6,
        kChooseSingleModeFile = 7,
        kShowOpenFailed = 8,
    };

    CFileOpenHiddenWindow(bool modified, IEditorWindowHost* host, bool isNew, int32_t category,
                          const std::string& stageName);

    // The folder a file step lists.
    static const char* FolderOf(int32_t step);

  protected:
    std::unique_ptr<Controls::GCForm> MakeDialog(int32_t step) override;
    void OnDialogClosed(int32_t step, Controls::GCForm* dialog) override;

  private:
    void OpenChosenFile(int32_t step, Controls::GCForm* dialog);

    bool isNew_;
    IEditorWindowHost* host_;
    int32_t category_;
    std::string stageName_;
};
