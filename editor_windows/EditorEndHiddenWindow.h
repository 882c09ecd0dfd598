#pragma once
// Leaving the editor with unsaved changes: save first (yes), leave them (no) or stay (cancel);
// then the end is confirmed. The editor opens it only for a modified stage.
#include <cstdint>
#include <memory>
#include <string>

#include "editor_windows/HiddenSequenceWindow.h"

class IEditorWindowHost;

class CEditorEndHiddenWindow : public CHiddenSequenceWindow {
  public:
    enum Step : int32_t {
        kAskSave = 0,  // open from the start
        kSave = 1,
        kConfirmEnd = 3,
    };

    CEditorEndHiddenWindow(IEditorWindowHost* host, bool isNew, int32_t category,
                           const std::string& stageName);

    bool IsEndConfirmed() const { return endConfirmed_; }

  protected:
    std::unique_ptr<Controls::GCForm> MakeDialog(int32_t step) override;
    void OnDialogClosed(int32_t step, Controls::GCForm* dialog) override;

  private:
    IEditorWindowHost* host_;
    bool isNew_;
    bool endConfirmed_ = false;
    int32_t category_;
    std::string stageName_;
};
