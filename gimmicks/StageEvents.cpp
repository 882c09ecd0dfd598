#include "gimmicks/StageEvents.h"

#include "engine/Camera.h"
#include "engine/Music.h"
#include "play/HitEffect.h"
#include "play/SceneServices.h"

namespace {
constexpr double kEventSize = 32.0;
constexpr int kEndless = 999999;
constexpr float kZoomInFactor = 0.85f, kZoomOutFactor = 1.15f;
constexpr float kZoomTime = 3.0f, kZoomBackTime = 1.5f;
}  // namespace

// ---- CEventBase -------------------------------------------------------------------------------

CEventBase::CEventBase(CStage* ownerStage, double px, double py, int eventMode)
    : IBase(ownerStage, px, py), mode(eventMode) {
    width = height = kEventSize;
    category = kCategoryController;
    ignoresMap = true;
    removeWhenOffScreen = false;
    drawPriority = 90;
    depth = -0.004;
    centerX = px + kEventSize / 2;
    centerY = py + kEventSize / 2;
}

IPlaySceneServices* CEventBase::Services() const { return GetSceneServices(owner); }

void CEventBase::Update() {
    BeginFrame();
    lastHeroX = heroX;
    lastHeroY = heroY;
    if (const IBase* hero = GetHero()) {
        heroX = static_cast<float>(hero->centerX);
        heroY = static_cast<float>(hero->centerY);
    }
    if (!entered) {
        if (IsEntering()) {
            OnEnter();
            entered = true;
        }
    } else if (IsLeaving()) {
        OnLeave();
        entered = false;
    }
    EndFrame();
}

bool CEventBase::Crossed(int direction) const {
    if (static_cast<int>(lastHeroX) == -9999 || static_cast<int>(lastHeroY) == -9999) return false;
    const bool horizontal = mode == kToLeft || mode == kToRight;
    const double line = horizontal ? x + kEventSize / 2 : y + kEventSize / 2;
    const double before = horizontal ? lastHeroX : lastHeroY;
    const double after = horizontal ? heroX : heroY;
    return direction > 0 ? before <= line && after > line : before >= line && after < line;
}

// Entering goes the event's way (toward smaller values for left and up), leaving the other.
bool CEventBase::IsEntering() const { return Crossed(mode == kToLeft || mode == kToUp ? -1 : +1); }
bool CEventBase::IsLeaving() const { return Crossed(mode == kToLeft || mode == kToUp ? +1 : -1); }

void CEventBase::DrawDebug() { DrawDebugBox(*this); }

// ---- Music ------------------------------------------------------------------------------------

CChangeMusicEvent::CChangeMusicEvent(CStage* o, double px, double py, int eventMode, int music)
    : CEventBase(o, px, py, eventMode), musicId(music), previousMusicId(music) {}

void CChangeMusicEvent::OnEnter() {
    previousMusicId = CMusicPlayer::GetInstance()->GetCurrentMusic();
    PlayMusic(musicId, kEndless, 1.0f, true, false);
}

void CChangeMusicEvent::OnLeave() { PlayMusic(previousMusicId, kEndless, 1.0f, true, false); }

// ---- Weather ----------------------------------------------------------------------------------

CChangeWeatherEvent::CChangeWeatherEvent(CStage* o, double px, double py, int eventMode, int weather)
    : CEventBase(o, px, py, eventMode), weatherId(weather), previousWeatherId(weather) {}

void CChangeWeatherEvent::OnEnter() {
    IPlaySceneServices* s = Services();
    if (!s) return;
    previousWeatherId = s->GetWeather();
    s->SetWeather(weatherId);
}

void CChangeWeatherEvent::OnLeave() {
    if (IPlaySceneServices* s = Services()) s->SetWeather(previousWeatherId);
}

// ---- Zoom -------------------------------------------------------------------------------------

CChangeZoomRateEvent::CChangeZoomRateEvent(CStage* o, double px, double py, int eventMode, int zoom)
    : CEventBase(o, px, py, eventMode), zoomMode(zoom), savedRate(Camera().GetBaseScale()) {}

void CChangeZoomRateEvent::OnEnter() {
    IPlaySceneServices* s = Services();
    if (!s) return;
    savedActive = s->IsZoomOverrideActive(kZoomChannel);
    savedRate = s->GetZoomOverrideRate(kZoomChannel);
    const float base = Camera().GetBaseScale();
    if (zoomMode == kZoomBack)
        s->ClearZoomOverride(kZoomChannel, kZoomBackTime);
    else
        s->SetZoomOverride(kZoomChannel, base * (zoomMode == kZoomIn ? kZoomInFactor : kZoomOutFactor),
                           kZoomTime);
}

void CChangeZoomRateEvent::OnLeave() {
    IPlaySceneServices* s = Services();
    if (!s) return;
    if (savedActive)
        s->SetZoomOverride(kZoomChannel, savedRate, kZoomTime);
    else
        s->ClearZoomOverride(kZoomChannel, kZoomBackTime);
}
