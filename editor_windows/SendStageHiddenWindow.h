#pragma once
// Stand-in for the post sequence: post with or without allowing arrangements, or stay. Replaced
// by the real sequence (save first, stage check, the questions and the confirmation).
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

class IEditorWindowHost;

class CSendStageHiddenWindow : public Controls::CStandInWindow {
  public:
    CSendStageHiddenWindow(bool modified, IEditorWindowHost* host, bool unsaved, int32_t category,
                           const std::string& stageName, const std::string& originalAuthor,
                           const std::string& creatorName);
    bool IsSendConfirmed() const { return confirmed_; }
    // True when the player allows other creators to arrange the stage.
    bool IsArrangementAllowed() const { return allowed_; }

  protected:
    bool OnAnswer(int32_t index) override {
        confirmed_ = index == 0 || index == 1;
        allowed_ = index == 0;
        return true;
    }

  private:
    bool confirmed_ = false, allowed_ = false;
};
