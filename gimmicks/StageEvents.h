#pragma once
// Stage events: invisible lines across the whole area, through the centre of their tile, that
// change the music, the weather or the zoom when the hero crosses them in their direction and
// put back what was there when he crosses back. A ToLeft or ToRight event watches the hero's x,
// a ToUp or ToDown event his y; standing exactly on the line is not yet a crossing.
#include "play/Base.h"

class IPlaySceneServices;

class CEventBase : public IBase {
  public:
    enum Mode { kToLeft = 0, kToRight = 1, kToUp = 2, kToDown = 3 };
    static constexpr float kNone = -9999.0f;

    CEventBase(CStage* owner, double x, double y, int mode);

    void Update() override;
    void UpdateSuspended() override {}
    void CollideWithMap() override {}
    void Draw() override {}
    // The outline of the event's tile while debug drawing is on.
    void DrawDebug() override;
    void Kill() override {}

    virtual void OnEnter() = 0;
    virtual void OnLeave() = 0;

    bool IsEntering() const;
    bool IsLeaving() const;

    float heroX = kNone, heroY = kNone;
    float lastHeroX = kNone, lastHeroY = kNone;
    bool entered = false;
    int mode;

  protected:
    IPlaySceneServices* Services() const;
    // True when the hero went across the line since the last frame, toward larger values (+1)
    // or smaller ones (-1): leaving the line counts, arriving on it does not.
    bool Crossed(int direction) const;
};

class CChangeMusicEvent : public CEventBase {
  public:
    CChangeMusicEvent(CStage* owner, double x, double y, int mode, int musicId);
    void OnEnter() override;
    void OnLeave() override;

    int musicId;
    int previousMusicId;
};

class CChangeWeatherEvent : public CEventBase {
  public:
    CChangeWeatherEvent(CStage* owner, double x, double y, int mode, int weatherId);
    void OnEnter() override;
    void OnLeave() override;

    int weatherId;
    int previousWeatherId;
};

// Gives the zoom back to the channels below, zooms in or zooms out (any mode but the first two).
class CChangeZoomRateEvent : public CEventBase {
  public:
    enum ZoomMode { kZoomBack = 0, kZoomIn = 1, kZoomOut = 2 };
    static constexpr int kZoomChannel = 2;  // the stage events' channel, above the hero's and the bosses'
    CChangeZoomRateEvent(CStage* owner, double x, double y, int mode, int zoomMode);
    void OnEnter() override;
    void OnLeave() override;

    int zoomMode;  // a ZoomMode
    bool savedActive = true;
    float savedRate;
};
