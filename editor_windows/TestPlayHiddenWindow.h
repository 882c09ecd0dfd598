#pragma once
// Starting a test play: a stage with problems shows them and is not played; a modified stage is
// offered a save first (no goes straight on); then the start is confirmed.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor_windows/HiddenSequenceWindow.h"

class IEditorWindowHost;

class CTestPlayHiddenWindow : public CHiddenSequenceWindow {
  public:
    enum Step : int32_t {
        kShowProblems = 1,
        kAskSave = 2,
        kSave = 3,
        kConfirmStart = 4,
    };

    CTestPlayHiddenWindow(bool modified, IEditorWindowHost* host, bool isNew, int32_t category,
                          const std::string& stageName);

    bool IsStartConfirmed() const { return startConfirmed_; }
    const std::vector<std::string>& GetProblems() const { return problems_; }

  protected:
    std::unique_ptr<Controls::GCForm> MakeDialog(int32_t step) override;
    void OnDialogClosed(int32_t step, Controls::GCForm* dialog) override;

  private:
    IEditorWindowHost* host_;
    bool isNew_;
    bool startConfirmed_ = false;
    int32_t category_;
    std::string stageName_;
    std::vector<std::string> problems_;
};
