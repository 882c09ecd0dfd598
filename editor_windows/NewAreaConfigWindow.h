#pragma once
// The last question of a new area, "エリアの設定": its music, background and weather, each
// changed through its picker. The new area factory passes Stage001, GrassDayTime and no weather,
// and reads the values when the window closes with kSettingsOk.
#include <cstdint>

#include "editor_windows/AreaSettingsWindowBase.h"

class CNewAreaConfigWindow : public CAreaSettingsWindowBase {
  public:
    CNewAreaConfigWindow(int32_t x, int32_t y, int32_t music, int32_t backGround, int32_t weather);
};
