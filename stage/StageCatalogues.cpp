#include "stage/StageCatalogues.h"

namespace {
struct BackGroundRow {
    const char* key;
    const char* displayName;
    int stageNumber;
    const char* previewKey;
    int left, top, right, bottom;
    bool shop;
};

const BackGroundRow kBackGrounds[kBackGroundCount] = {
    {"BlackBackGround", "まっくら闇", 0, "BG_Preview001", 128, 0, 256, 64, true},
    {"GrassDayTime", "昼の草原", 2, "BG_Preview001", 0, 64, 128, 128, false},
    {"GrassNight", "夜の草原", 3, "BG_Preview001", 128, 64, 256, 128, false},
    {"GrassSnow", "大雪原", 4, "BG_Preview001", 0, 128, 128, 192, false},
    {"GrassSpring", "春うらら", 5, "BG_Preview001", 128, 128, 256, 192, true},
    {"GrassAutumn", "もみじ狩り", 6, "BG_Preview001", 0, 192, 128, 256, true},
    {"BrownCavern", "茶色の洞窟", 11, "BG_Preview001", 128, 192, 256, 256, false},
    {"BlueCavern", "青の洞窟", 12, "BG_Preview002", 0, 0, 128, 64, false},
    {"BlackCavern", "黒の洞窟", 13, "BG_Preview002", 128, 0, 256, 64, false},
    {"RedIndoor", "赤の屋内", 21, "BG_Preview002", 0, 64, 128, 128, false},
    {"GreenIndoor", "緑の屋内", 22, "BG_Preview002", 128, 64, 256, 128, false},
    {"BlueIndoor", "青の屋内", 23, "BG_Preview002", 0, 128, 128, 192, false},
    {"SkyDayTime", "天空", 31, "BG_Preview002", 128, 128, 256, 192, false},
    {"SkyNight", "プラネタリウム", 32, "BG_Preview002", 0, 192, 128, 256, false},
    {"Cloud", "どんより", 7, "BG_Preview002", 128, 192, 256, 256, false},
    {"RockyHill", "ロッキー", 41, "BG_Preview003", 0, 0, 128, 64, false},
    {"IceBerg", "闇に浮かぶ氷山", 42, "BG_Preview003", 128, 0, 256, 64, false},
    {"Forest", "森と青空", 43, "BG_Preview003", 0, 64, 128, 128, false},
    {"RainForest", "どんよりの森", 44, "BG_Preview003", 0, 192, 128, 256, false},
    {"IceIndoor", "氷の宮殿", 24, "BG_Preview003", 128, 64, 256, 128, false},
    {"Pole", "はしらの空間", 25, "BG_Preview003", 0, 128, 128, 192, false},
    {"AnotherWorld", "異界", 90, "BG_Preview003", 128, 128, 256, 192, true},
};

struct WeatherRow {
    const char* key;
    const char* displayName;
    bool shop;
};

const WeatherRow kWeathers[kWeatherCount] = {
    {"NoWeather", "（なし）", false},   {"Rain", "雨", false},         {"Snow", "雪", false},
    {"WindRight", "風(右)", false},     {"WindLeft", "風(左)", false}, {"Spring", "桜吹雪", true},
    {"Autumn", "メイプルリーフ", true}, {"Rock", "落石", false},       {"Bomb", "爆撃", true},
    {"Fish", "さんま祭り", true},
};

bool ValidBackGround(int id) { return id >= 0 && id < kBackGroundCount; }
bool ValidWeather(int id) { return id >= 0 && id < kWeatherCount; }
}  // namespace

std::string BackGroundDisplayName(int id) { return ValidBackGround(id) ? kBackGrounds[id].displayName : ""; }

std::string BackGroundKey(int id) { return ValidBackGround(id) ? kBackGrounds[id].key : "BlackBackGround"; }

int BackGroundFromKey(const std::string& key) {
    for (int i = 0; i < kBackGroundCount; ++i) {
        if (key == kBackGrounds[i].key) return i;
    }
    return 0;
}

int BackGroundIdToStageNumber(int id) { return ValidBackGround(id) ? kBackGrounds[id].stageNumber : 0; }

int BackGroundIdFromStageNumber(int number) {
    for (int i = 0; i < kBackGroundCount; ++i) {
        if (kBackGrounds[i].stageNumber == number) return i;
    }
    return 0;
}

PreviewImageCell BackGroundPreview(int id) {
    if (!ValidBackGround(id)) return {"Editer", "BG_Preview001", 0, 0, 128, 64};
    const BackGroundRow& r = kBackGrounds[id];
    return {"Editer", r.previewKey, r.left, r.top, r.right, r.bottom};
}

bool IsBackGroundShopItem(int id) { return ValidBackGround(id) && kBackGrounds[id].shop; }

std::string WeatherDisplayName(int id) { return ValidWeather(id) ? kWeathers[id].displayName : ""; }

std::string WeatherKey(int id) { return ValidWeather(id) ? kWeathers[id].key : "NoWeather"; }

int WeatherIdFromKey(const std::string& key) {
    for (int i = 0; i < kWeatherCount; ++i) {
        if (key == kWeathers[i].key) return i;
    }
    return 0;
}

int WeatherIdToStageNumber(int id) { return ValidWeather(id) ? id : 0; }
int WeatherIdFromStageNumber(int number) { return ValidWeather(number) ? number : 0; }
bool IsWeatherShopItem(int id) { return ValidWeather(id) && kWeathers[id].shop; }
