#pragma once
// Stand-in for the new-area windows: it offers a one-room or a short area and answers with the
// new area's text (empty when cancelled). Replaced by the real sequence of class, settings and
// background choices.
#include <cstdint>
#include <string>

#include "editor_windows/StandInWindow.h"

class CStage;

class CNewAreaFactoryWindow : public Controls::CStandInWindow {
  public:
    CNewAreaFactoryWindow(CStage* stage, int32_t flag);
    // The new area's element text; empty when no area was made.
    std::string GetAreaXml() const { return areaXml_; }

  protected:
    bool OnAnswer(int32_t index) override;

  private:
    CStage* stage_;
    std::string areaXml_;
};
