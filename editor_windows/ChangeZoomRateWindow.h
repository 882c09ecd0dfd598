#pragma once
// A zoom event's rate: "ズームイン", "元へ戻す", "ズームアウト", results 1 to 3 (the event values 1,
// 0 and 2).
#include <cstdint>

#include "editor_windows/PropertyChoiceWindowBase.h"

namespace Controls {

class CChangeZoomRateWindow : public CPropertyChoiceWindowBase {
  public:
    CChangeZoomRateWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX, int32_t tileY);
};

}  // namespace Controls
