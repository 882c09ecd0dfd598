#pragma once
// Stand-in for the music picker of a placed event. Replaced by the real picker with its list.
#include <cstdint>

#include "editor_windows/ObjectValueWindow.h"

class CMusicSelectWindow : public Controls::CObjectValueWindow {
  public:
    CMusicSelectWindow(int32_t x, int32_t y, int32_t current, int32_t area, int32_t column, int32_t row)
        : CObjectValueWindow("音楽の選択", x, y, current, area, column, row) {}
};
