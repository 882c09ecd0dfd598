#pragma once
// Stand-in for the save sequence: on yes it saves over the stage's file, or under a new name when
// the stage has none, and closes; a failure is shown with its code and the window stays. Replaced
// by the real sequence (stage check, overwrite or copy, the saved notice).
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

class IEditorWindowHost;

class CFileSaveHiddenWindow : public Controls::CStandInWindow {
  public:
    CFileSaveHiddenWindow(IEditorWindowHost* host, bool unsaved, int32_t category,
                          const std::string& stageName);
    bool IsSaved() const { return saved_; }

  protected:
    bool OnAnswer(int32_t index) override;

  private:
    IEditorWindowHost* host_;
    bool unsaved_;
    bool saved_ = false;
};
