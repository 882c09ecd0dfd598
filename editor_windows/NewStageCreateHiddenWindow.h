#pragma once
// Making a new stage: a modified stage is offered a save first (an unmodified one is only asked
// to confirm); then the title is typed and the first area chosen. The new stage is handed to the
// editor as its text; the edited stage is never touched here, and stopping anywhere leaves the
// text empty.
#include <cstdint>
#include <memory>
#include <string>

#include "editor_windows/HiddenSequenceWindow.h"

class CStage;
class IEditorWindowHost;

class CNewStageCreateHiddenWindow : public CHiddenSequenceWindow {
  public:
    enum Step : int32_t {
        kAskSave = 1,
        kSave = 2,
        kConfirmNew = 4,
        kAskTitle = 5,
        kMakeFirstArea = 6,
    };

    CNewStageCreateHiddenWindow(bool modified, IEditorWindowHost* host, bool isNew, int32_t category,
                                const std::string& stageName);
    ~CNewStageCreateHiddenWindow() override;

    // The new stage's text; empty when no stage was made.
    std::string GetStageXml() const { return stageXml_; }
    // The stage being made (null until the title is typed).
    const CStage* GetNewStage() const { return newStage_.get(); }

  protected:
    std::unique_ptr<Controls::GCForm> MakeDialog(int32_t step) override;
    void OnDialogClosed(int32_t step, Controls::GCForm* dialog) override;

  private:
    void BuildStage(const std::string& title);
    // Adds the first area from its text and writes the stage; false when the text holds no area.
    bool FinishStage(const std::string& areaXml);

    bool isNew_;
    IEditorWindowHost* host_;
    std::unique_ptr<CStage> newStage_;
    std::string stageXml_;
    int32_t category_;
    std::string stageName_;
};
