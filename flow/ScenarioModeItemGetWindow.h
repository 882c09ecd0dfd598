#pragma once
// The window the world map shows when the hero takes a treasure: the message, the mascot, the
// picture of what was found and the prompt. Only Z closes it; it can be dragged by its title.
#include <string>

#include "controls/DisplayParts.h"
#include "controls/Forms.h"

namespace Controls {

class CScenarioModeItemGetWindow : public CPlainBeigeForm {
  public:
    static constexpr int32_t kX = 120, kY = 120, kWidth = 400, kHeight = 240;

    CScenarioModeItemGetWindow(const std::string& message, ImageClip picture);
    void HandleInput() override;
};

}  // namespace Controls
