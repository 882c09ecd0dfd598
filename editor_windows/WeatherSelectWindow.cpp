#include "editor_windows/WeatherSelectWindow.h"

#include <vector>

#include "stage/StageCatalogues.h"

namespace {

const std::vector<int32_t> kOfferedWeathers = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

const Catalogue kWeathers{&WeatherDisplayName, &WeatherKey, &WeatherIdFromKey, &IsWeatherShopItem};

}  // namespace

CWeatherSelectWindow::CWeatherSelectWindow(int32_t x, int32_t y, int32_t weather, int32_t areaIndex,
                                           int32_t tileX, int32_t tileY)
    : CCatalogueSelectWindow("天気選択", x, y, kTallPickerLayout, kWeathers, weather),
      CObjectPlace(areaIndex, tileX, tileY) {
    AddList(kOfferedWeathers);
}
