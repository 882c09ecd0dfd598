#pragma once
// Posting the stage: a stage with problems shows them and is not posted; otherwise the post is
// confirmed, the player says whether other creators may arrange it, and the summary of what
// will be posted gets the last yes. The editor then posts, and saves the stage after the post.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor_windows/HiddenSequenceWindow.h"

class IEditorWindowHost;

class CSendStageHiddenWindow : public CHiddenSequenceWindow {
  public:
    enum Step : int32_t {
        kShowProblems = 1,
        kConfirmPost = 4,
        kAskArrangement = 5,
        kConfirmSummary = 6,
    };

    CSendStageHiddenWindow(bool modified, IEditorWindowHost* host, bool isNew, int32_t category,
                           const std::string& stageName, const std::string& originalAuthor,
                           const std::string& creatorName);

    bool IsSendConfirmed() const { return postConfirmed_; }
    // True when the player allows other creators to arrange the stage.
    bool IsArrangementAllowed() const { return arrangementPermitted_; }
    const std::vector<std::string>& GetProblems() const { return problems_; }

  protected:
    std::unique_ptr<Controls::GCForm> MakeDialog(int32_t step) override;
    void OnDialogClosed(int32_t step, Controls::GCForm* dialog) override;

  private:
    IEditorWindowHost* host_;
    bool postConfirmed_ = false;
    bool arrangementPermitted_ = false;
    std::string stageName_;
    std::vector<std::string> problems_;
    std::string originalAuthor_, creatorName_;
};
