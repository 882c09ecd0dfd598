#pragma once
// Stand-in for the new-stage sequence: one question, and on yes a new stage of one short area
// with the start near its left edge, handed back as the stage's text. Replaced by the real
// sequence (save first, name, area class and settings).
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

class IEditorWindowHost;

class CNewStageCreateHiddenWindow : public Controls::CStandInWindow {
  public:
    CNewStageCreateHiddenWindow(bool modified, IEditorWindowHost* host, bool unsaved, int32_t category,
                                const std::string& stageName);
    // The new stage's text; empty when no stage was made.
    std::string GetStageXml() const { return stageXml_; }

  protected:
    bool OnAnswer(int32_t index) override;

  private:
    std::string stageXml_;
};
