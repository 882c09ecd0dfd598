#pragma once
// Stand-in for the test-play sequence: start, or stay; a stage with problems shows the first of
// them instead of starting. Replaced by the real sequence (save first, the error list).
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

class IEditorWindowHost;

class CTestPlayHiddenWindow : public Controls::CStandInWindow {
  public:
    CTestPlayHiddenWindow(bool modified, IEditorWindowHost* host, bool unsaved, int32_t category,
                          const std::string& stageName);
    bool IsStartConfirmed() const { return confirmed_; }

  protected:
    bool OnAnswer(int32_t index) override;

  private:
    IEditorWindowHost* host_;
    bool confirmed_ = false;
};
