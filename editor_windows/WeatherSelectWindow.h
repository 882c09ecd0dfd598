#pragma once
// The weather picker "天気選択": the weathers the player may use (the shop's once bought) and the
// name of the weather shown. The settings windows open it for an area's weather and read
// GetWeather whatever way it closed; the editor opens the form with a place for a placed
// change-weather event and applies GetWeather only when IsDecided.
#include <cstdint>

#include "editor_windows/CatalogueSelectWindow.h"
#include "editor_windows/ObjectPlace.h"

class CWeatherSelectWindow : public CCatalogueSelectWindow, public CObjectPlace {
  public:
    CWeatherSelectWindow(int32_t x, int32_t y, int32_t weather)
        : CWeatherSelectWindow(x, y, weather, 0, 0, 0) {}
    CWeatherSelectWindow(int32_t x, int32_t y, int32_t weather, int32_t areaIndex, int32_t tileX,
                         int32_t tileY);

    int32_t GetWeather() const { return value_; }
    bool IsDecided() const { return decided_; }
};
