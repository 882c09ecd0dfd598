#pragma once
// Stand-in for the weather picker of a placed event. Replaced by the real picker with its list.
#include <cstdint>

#include "editor_windows/ObjectValueWindow.h"

class CWeatherSelectWindow : public Controls::CObjectValueWindow {
  public:
    CWeatherSelectWindow(int32_t x, int32_t y, int32_t current, int32_t area, int32_t column, int32_t row)
        : CObjectValueWindow("天気の選択", x, y, current, area, column, row) {}
};
