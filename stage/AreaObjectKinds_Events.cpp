#include "stage/AreaObjectKinds_Events.h"

#include <cstring>

#include "engine/Music.h"
#include "stage/StageCatalogues.h"

namespace {

const char kEventImage[] = "StageObjects003";

// One event kind: its icon cell (32 x 64 for left and right, 64 x 32 for up and down), the live
// class and the direction mode 0 left, 1 right, 2 up, 3 down.
struct EventKindRow {
    const char* key;
    int left, top, right, bottom;
    const char* liveClass;
    int mode;
};

const EventKindRow kEventKinds[] = {
    {"ChangeMusicToLeft", 0, 0, 32, 64, "CChangeMusicEvent", 0},
    {"ChangeMusicToRight", 32, 0, 64, 64, "CChangeMusicEvent", 1},
    {"ChangeMusicToUp", 64, 0, 128, 32, "CChangeMusicEvent", 2},
    {"ChangeMusicToDown", 64, 32, 128, 64, "CChangeMusicEvent", 3},
    {"ChangeWeatherToLeft", 128, 0, 160, 64, "CChangeWeatherEvent", 0},
    {"ChangeWeatherToRight", 160, 0, 192, 64, "CChangeWeatherEvent", 1},
    {"ChangeWeatherToUp", 192, 0, 256, 32, "CChangeWeatherEvent", 2},
    {"ChangeWeatherToDown", 192, 32, 256, 64, "CChangeWeatherEvent", 3},
    {"ChangeZoomToLeft", 0, 64, 32, 128, "CChangeZoomRateEvent", 0},
    {"ChangeZoomToRight", 32, 64, 64, 128, "CChangeZoomRateEvent", 1},
    {"ChangeZoomToUp", 64, 64, 128, 96, "CChangeZoomRateEvent", 2},
    {"ChangeZoomToDown", 64, 96, 128, 128, "CChangeZoomRateEvent", 3},
};

const EventKindRow& FindEventRow(const char* key) { return FindKindRow(kEventKinds, key); }

// Locked without the family's item, or without the chosen piece's own item when it is one.
bool LockedFor(const char* familyItem, bool pieceIsShopItem, const std::string& pieceItem) {
    if (!IsKindItemBought(familyItem)) return true;
    return pieceIsShopItem && !IsKindItemBought(pieceItem);
}

}  // namespace

void AppendEventKindCells(std::vector<KindEditorCell>& out) {
    for (const EventKindRow& row : kEventKinds) {
        out.push_back({row.key, kEventImage, row.left, row.top, row.right, row.bottom});
    }
}

// ---- Bases -----------------------------------------------------------------------------------

CStageAreaObject_MusicChangableBase::CStageAreaObject_MusicChangableBase(CStage* stage, CStageArea* area,
                                                                         CStageAreaObjectTable* table, int x,
                                                                         int y)
    : CStageAreaObject(stage, area, table, x, y) {}

std::string CStageAreaObject_MusicChangableBase::GetInfoText() {
    return name + " " + MusicDisplayName(MusicIdFromKey(text));
}

bool CStageAreaObject_MusicChangableBase::IsLocked() {
    const int music = MusicIdFromKey(text);
    return LockedFor("ChangeMusic", IsMusicShopItem(music), MusicKey(music));
}

CStageAreaObject_WeatherChangableBase::CStageAreaObject_WeatherChangableBase(CStage* stage, CStageArea* area,
                                                                             CStageAreaObjectTable* table,
                                                                             int x, int y)
    : CStageAreaObject(stage, area, table, x, y) {}

std::string CStageAreaObject_WeatherChangableBase::GetInfoText() {
    return name + " " + WeatherDisplayName(WeatherIdFromKey(text));
}

bool CStageAreaObject_WeatherChangableBase::IsLocked() {
    const int weather = WeatherIdFromKey(text);
    return LockedFor("ChangeWeather", IsWeatherShopItem(weather), WeatherKey(weather));
}

CStageAreaObject_ZoomChangableBase::CStageAreaObject_ZoomChangableBase(CStage* stage, CStageArea* area,
                                                                       CStageAreaObjectTable* table, int x,
                                                                       int y)
    : CStageAreaObject(stage, area, table, x, y) {}

std::string CStageAreaObject_ZoomChangableBase::GetInfoText() {
    switch (CutToInt(a1)) {
        case 0:
            return name + " 元へ戻す";
        case 1:
            return name + " ズームイン";
        default:
            return name + " ズームアウト";
    }
}

bool CStageAreaObject_ZoomChangableBase::IsLocked() { return !IsKindItemBought("ChangeZoom"); }

bool IsMusicChangableAreaObject(const CStageAreaObject* object) {
    return dynamic_cast<const CStageAreaObject_MusicChangableBase*>(object) != nullptr;
}

bool IsWeatherChangableAreaObject(const CStageAreaObject* object) {
    return dynamic_cast<const CStageAreaObject_WeatherChangableBase*>(object) != nullptr;
}

bool IsZoomChangableAreaObject(const CStageAreaObject* object) {
    return dynamic_cast<const CStageAreaObject_ZoomChangableBase*>(object) != nullptr;
}

bool IsChangeMusicKey(const std::string& kindKey) {
    return kindKey == "ChangeMusicToLeft" || kindKey == "ChangeMusicToRight" ||
           kindKey == "ChangeMusicToUp" || kindKey == "ChangeMusicToDown";
}

bool IsChangeWeatherKey(const std::string& kindKey) {
    return kindKey == "ChangeWeatherToLeft" || kindKey == "ChangeWeatherToRight" ||
           kindKey == "ChangeWeatherToUp" || kindKey == "ChangeWeatherToDown";
}

// ---- Kinds -----------------------------------------------------------------------------------
// Every event stands at the tile's top-left pixel and gets its direction mode and its value: the
// music id, the weather id or the zoom change, none of them checked here.

#define QUOR_EVENT_BODY(Cls, Base, kindKey, valueExpr)                                                   \
    Cls::Cls(CStage* stage, CStageArea* area, CStageAreaObjectTable* table, int x, int y)                \
        : Base(stage, area, table, x, y) {                                                               \
        static const EventKindRow& row = FindEventRow(kindKey);                                          \
        SetKindImage(kEventImage, row.left, row.top, row.right, row.bottom);                             \
        RefreshImages();                                                                                 \
    }                                                                                                    \
    LiveObjectSpec Cls::GetObjectSpec(bool) { return {}; }                                               \
    LiveObjectSpec Cls::GetStartObjectSpec(bool) {                                                       \
        static const EventKindRow& row = FindEventRow(kindKey);                                          \
        return LiveSpec(row.liveClass, TilePixel(tileX, 0), TilePixel(tileY, 0), {row.mode, valueExpr}); \
    }

#define QUOR_MUSIC_EVENT(Cls, kindKey) \
    QUOR_EVENT_BODY(Cls, CStageAreaObject_MusicChangableBase, kindKey, MusicIdFromKey(text))
#define QUOR_WEATHER_EVENT(Cls, kindKey) \
    QUOR_EVENT_BODY(Cls, CStageAreaObject_WeatherChangableBase, kindKey, WeatherIdFromKey(text))
#define QUOR_ZOOM_EVENT(Cls, kindKey) \
    QUOR_EVENT_BODY(Cls, CStageAreaObject_ZoomChangableBase, kindKey, CutToInt(a1))

QUOR_MUSIC_EVENT(CStageAreaObject_ChangeMusicToLeft, "ChangeMusicToLeft")
QUOR_MUSIC_EVENT(CStageAreaObject_ChangeMusicToRight, "ChangeMusicToRight")
QUOR_MUSIC_EVENT(CStageAreaObject_ChangeMusicToUp, "ChangeMusicToUp")
QUOR_MUSIC_EVENT(CStageAreaObject_ChangeMusicToDown, "ChangeMusicToDown")
QUOR_WEATHER_EVENT(CStageAreaObject_ChangeWeatherToLeft, "ChangeWeatherToLeft")
QUOR_WEATHER_EVENT(CStageAreaObject_ChangeWeatherToRight, "ChangeWeatherToRight")
QUOR_WEATHER_EVENT(CStageAreaObject_ChangeWeatherToUp, "ChangeWeatherToUp")
QUOR_WEATHER_EVENT(CStageAreaObject_ChangeWeatherToDown, "ChangeWeatherToDown")
QUOR_ZOOM_EVENT(CStageAreaObject_ChangeZoomToLeft, "ChangeZoomToLeft")
QUOR_ZOOM_EVENT(CStageAreaObject_ChangeZoomToRight, "ChangeZoomToRight")
QUOR_ZOOM_EVENT(CStageAreaObject_ChangeZoomToUp, "ChangeZoomToUp")
QUOR_ZOOM_EVENT(CStageAreaObject_ChangeZoomToDown, "ChangeZoomToDown")
