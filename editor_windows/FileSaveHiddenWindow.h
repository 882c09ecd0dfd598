#pragma once
// Saving the edited stage: a stage with problems shows them and is not saved; a never-saved stage
// of the player's own is saved at once under a new file name; one saved before asks whether to
// overwrite its file or save a copy; a downloaded or single-mode stage is only ever saved as a
// copy. A copy asks for its new name. The saved notice closes the sequence; a failure is shown.
// The new, open, close and test-play sequences run this one as a step and read IsSaved.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor_windows/HiddenSequenceWindow.h"

class IEditorWindowHost;
namespace Controls {
class CStageSavedWindow;
}

class CFileSaveHiddenWindow : public CHiddenSequenceWindow {
  public:
    enum Step : int32_t {
        kChooseMethod = 1,  // overwrite the stage's file, or save a copy
        kConfirmCopyDownloaded = 2,
        kConfirmCopySingleMode = 3,
        kAskNewName = 4,
        kShowSaved = 5,
        kShowSaveFailed = 6,
        kShowProblems = 7,
    };

    // `isNew`: the stage has no file yet; `category` is the stage's StageCategory.
    CFileSaveHiddenWindow(IEditorWindowHost* host, bool isNew, int32_t category,
                          const std::string& stageName);
    ~CFileSaveHiddenWindow() override;

    bool IsSaved() const { return saved_; }
    const std::vector<std::string>& GetProblems() const { return problems_; }

  protected:
    std::unique_ptr<Controls::GCForm> MakeDialog(int32_t step) override;
    void OnDialogClosed(int32_t step, Controls::GCForm* dialog) override;

  private:
    // Runs one of the host's saves: keeps its notice and goes on to show it, or to the failure.
    template <class Save>
    void SaveThen(Save save);

    IEditorWindowHost* host_;
    // The notice of the save just made, owned until it is shown.
    std::unique_ptr<Controls::CStageSavedWindow> savedWindow_;
    bool isNew_;
    int32_t category_;
    std::string stageName_;
    bool saved_ = false;
    std::vector<std::string> problems_;
};
