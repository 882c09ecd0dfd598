#pragma once
// The background and weather catalogues: ids held in memory, keys, display names, the numbers a
// stage file stores, and the background preview cells.
#include <string>

struct PreviewImageCell {
    std::string group;
    std::string key;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
// The same record under the name the editor windows use for an image cut-out.
using ImageClip = PreviewImageCell;

constexpr int kBackGroundCount = 22;
// The weathers of an area, by id.
enum WeatherId {
    kWeatherNone = 0,
    kWeatherRain = 1,
    kWeatherSnow = 2,
    kWeatherWindRight = 3,
    kWeatherWindLeft = 4,
    kWeatherSpring = 5,
    kWeatherAutumn = 6,
    kWeatherRock = 7,
    kWeatherBomb = 8,
    kWeatherFish = 9,
};
constexpr int kWeatherCount = 10;

std::string BackGroundDisplayName(int id);
std::string BackGroundKey(int id);
int BackGroundFromKey(const std::string& key);
int BackGroundIdToStageNumber(int id);
int BackGroundIdFromStageNumber(int number);
PreviewImageCell BackGroundPreview(int id);
bool IsBackGroundShopItem(int id);

std::string WeatherDisplayName(int id);
std::string WeatherKey(int id);
int WeatherIdFromKey(const std::string& key);
int WeatherIdToStageNumber(int id);
int WeatherIdFromStageNumber(int number);
bool IsWeatherShopItem(int id);
