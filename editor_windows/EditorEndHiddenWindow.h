#pragma once
// Stand-in for the end sequence of a stage with unsaved changes: end without saving, or stay.
// Replaced by the real sequence (save first, then end).
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

class IEditorWindowHost;

class CEditorEndHiddenWindow : public Controls::CStandInWindow {
  public:
    CEditorEndHiddenWindow(IEditorWindowHost* host, bool unsaved, int32_t category,
                           const std::string& stageName);
    bool IsEndConfirmed() const { return confirmed_; }

  protected:
    bool OnAnswer(int32_t index) override {
        confirmed_ = index == 0;
        return true;
    }

  private:
    bool confirmed_ = false;
};
