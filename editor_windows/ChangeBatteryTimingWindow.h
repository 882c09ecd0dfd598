#pragma once
// A battery's firing timing: "Ａ" to "Ｄ", results 1 to 4, the timings 0 to 3.
#include <cstdint>

#include "editor_windows/PropertyChoiceWindowBase.h"

namespace Controls {

class CChangeBatteryTimingWindow : public CPropertyChoiceWindowBase {
  public:
    CChangeBatteryTimingWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX, int32_t tileY);
};

}  // namespace Controls
