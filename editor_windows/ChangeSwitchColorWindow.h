#pragma once
// A switch's colour: "赤", "緑", "青", results 1 to 3, the colours 0 red, 1 green, 2 blue.
#include <cstdint>

#include "editor_windows/PropertyChoiceWindowBase.h"

namespace Controls {

class CChangeSwitchColorWindow : public CPropertyChoiceWindowBase {
  public:
    CChangeSwitchColorWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX, int32_t tileY);
};

}  // namespace Controls
