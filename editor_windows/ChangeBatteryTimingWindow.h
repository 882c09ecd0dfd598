#pragma once
// Stand-in for the dialog of a battery's or burner's timing: one button per choice.
#include <cstdint>

#include "editor_windows/ObjectChoiceWindow.h"

namespace Controls {

class CChangeBatteryTimingWindow : public CObjectChoiceWindow {
  public:
    CChangeBatteryTimingWindow(int32_t x, int32_t y, int32_t area, int32_t column, int32_t row)
        : CObjectChoiceWindow("タイミングの変更", x, y, "ずらし方を選んでください", {"Ａ", "Ｂ", "Ｃ", "Ｄ"},
                              area, column, row) {}
};

}  // namespace Controls
