#pragma once
// The stage event kinds: invisible trigger lines that change the music, the weather or the camera
// zoom when the hero crosses them in one direction (left, right, up or down) and change it back
// when he crosses the other way. All events of an area are built when the hero enters it.
#include <string>

#include <vector>

#include "stage/AreaObjectKinds_Common.h"

// The music family: the text attribute holds the key of the music to play.
class CStageAreaObject_MusicChangableBase : public CStageAreaObject {
  public:
    CStageAreaObject_MusicChangableBase(CStage* ownerStage, CStageArea* ownerArea,
                                        CStageAreaObjectTable* ownerTable, int tileX, int tileY);
    // The display name, a space and the music's display name.
    std::string GetInfoText() override;
    // Locked without "ChangeMusic", or without the chosen music when that is a shop item.
    bool IsLocked() override;
};

// The weather family: the text attribute holds the key of the weather to set.
class CStageAreaObject_WeatherChangableBase : public CStageAreaObject {
  public:
    CStageAreaObject_WeatherChangableBase(CStage* ownerStage, CStageArea* ownerArea,
                                          CStageAreaObjectTable* ownerTable, int tileX, int tileY);
    // The display name, a space and the weather's display name.
    std::string GetInfoText() override;
    // Locked without "ChangeWeather", or without the chosen weather when that is a shop item.
    bool IsLocked() override;
};

// The zoom family: a1 cut toward zero is the change: 0 back to normal, 1 zoom in, other zoom out.
class CStageAreaObject_ZoomChangableBase : public CStageAreaObject {
  public:
    CStageAreaObject_ZoomChangableBase(CStage* ownerStage, CStageArea* ownerArea,
                                       CStageAreaObjectTable* ownerTable, int tileX, int tileY);
    // The display name followed by " 元へ戻す", " ズームイン" or " ズームアウト".
    std::string GetInfoText() override;
    // Locked without "ChangeZoom".
    bool IsLocked() override;
};

// All events are built when the hero enters the area.
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeMusicToLeft, CStageAreaObject_MusicChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeMusicToRight, CStageAreaObject_MusicChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeMusicToUp, CStageAreaObject_MusicChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeMusicToDown, CStageAreaObject_MusicChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeWeatherToLeft, CStageAreaObject_WeatherChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeWeatherToRight, CStageAreaObject_WeatherChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeWeatherToUp, CStageAreaObject_WeatherChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeWeatherToDown, CStageAreaObject_WeatherChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeZoomToLeft, CStageAreaObject_ZoomChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeZoomToRight, CStageAreaObject_ZoomChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeZoomToUp, CStageAreaObject_ZoomChangableBase,
                      QUOR_KIND_START_OBJECT);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_ChangeZoomToDown, CStageAreaObject_ZoomChangableBase,
                      QUOR_KIND_START_OBJECT);

// Dynamic type tests for the editor (null gives false).
bool IsMusicChangableAreaObject(const CStageAreaObject* object);
bool IsWeatherChangableAreaObject(const CStageAreaObject* object);
bool IsZoomChangableAreaObject(const CStageAreaObject* object);
// True exactly for the four music (weather) event kind keys.
bool IsChangeMusicKey(const std::string& kindKey);
bool IsChangeWeatherKey(const std::string& kindKey);

// Appends the editor cells of the stage event kinds, in factory order.
void AppendEventKindCells(std::vector<KindEditorCell>& out);
