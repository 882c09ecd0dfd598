#pragma once
// Stand-in for the dialog of a zoom event's rate: one button per choice.
#include <cstdint>

#include "editor_windows/ObjectChoiceWindow.h"

namespace Controls {

class CChangeZoomRateWindow : public CObjectChoiceWindow {
  public:
    CChangeZoomRateWindow(int32_t x, int32_t y, int32_t area, int32_t column, int32_t row)
        : CObjectChoiceWindow("ズーム率の変更", x, y, "ズーム率を選んでください",
                              {"ズームイン", "元へ戻す", "ズームアウト"}, area, column, row) {}
};

}  // namespace Controls
