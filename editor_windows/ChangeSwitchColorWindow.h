#pragma once
// Stand-in for the dialog of a switch's colour: one button per choice.
#include <cstdint>

#include "editor_windows/ObjectChoiceWindow.h"

namespace Controls {

class CChangeSwitchColorWindow : public CObjectChoiceWindow {
  public:
    CChangeSwitchColorWindow(int32_t x, int32_t y, int32_t area, int32_t column, int32_t row)
        : CObjectChoiceWindow("色の変更", x, y, "スイッチの色を選んでください", {"赤", "緑", "青"}, area,
                              column, row) {}
};

}  // namespace Controls
