#include "play/StageScene.h"

#include <memory>
#include <utility>

#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "engine/Mouse.h"
#include "engine/Music.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/el/elSystem.h"
#include "foundation/ClientInfo.h"
#include "foundation/FrameTime.h"
#include "foundation/PlayHistory.h"
#include "foundation/Random.h"
#include "play/Hero.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "play/Spawner.h"
#include "play/SpriteBatch.h"
#include "stage/Stage.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

namespace {
constexpr double kIntroLength = 180.0;
constexpr double kIntroSkipTo = 90.0;
constexpr double kWeaponChangeLength = 40.0;
constexpr double kWarpOutLength = 60.0;
constexpr double kGameOverLength = 160.0;
constexpr double kFinalBossLength = 30.0;

bool SendingPermitted() { return CClientInfo::GetInstance()->GetSendingPermission(); }

// Hands the hero to the registry, which owns it; the scene keeps the pointer only to borrow it.
// Null when the registry is full and the hero is gone.
CHero* RegisterHero(std::unique_ptr<CHero> made) {
    CHero* h = made.get();
    return CObjectRegistry::GetInstance()->Add(std::move(made)) ? h : nullptr;
}
}  // namespace

// ---- Birth and end ----

CStageScene::CStageScene(IScene* parent, std::unique_ptr<CStage> s, int mode, int startLives)
    : IScene(parent), stage(std::move(s)), playMode(mode), lives(startLives) {
    if (stage) {
        stage->scene = this;
        StartStage(stage->startArea, stage->startX, stage->startY);
    } else {
        StartStage(0, 0, 0);
    }
}

CStageScene::~CStageScene() {
    SwitchColorStates::Reset();
    // Only the live objects go: the relation table stays as it is for whoever plays next.
    if (CObjectRegistry::HasInstance()) CObjectRegistry::GetInstance()->Clear();
    hero = nullptr;
    spawner.reset();
    stage.reset();
    if (CSpriteBatch::HasInstance()) ClearBackground();
}

void CStageScene::StartStage(int area, int x, int y) {
    CCamera::GetInstance()->SetAuxAngle(0.0f);
    result = kResultNone;
    keyCount = 0;
    state = playMode == kPlayTest ? kScenePlaying : kSceneIntro;
    bossStartPending = false;
    stateTime = playTime = mapAnimTime = weatherSpawnTime = weatherSoundTime = 0;
    introSkipped = false;
    pendingWeapon = false;
    evaluation = 60;
    checkpointArea = area;
    checkpointX = x;
    checkpointY = y;

    SwitchColorStates::Reset();
    CObjectRegistry::GetInstance()->Reset();
    if (stage) EnterAreaSlot(area);

    if (playMode == kPlayTest)
        PlayAreaMusic(false, false);
    else
        PlayMusic(MusicId::kNone, CMusicPlayer::kEndless, 1.0f, false, false);

    hero = RegisterHero(
        std::make_unique<CHero>(stage.get(), x * kTilePixels, y * kTilePixels - 6.0, kWeaponBroom, 100));
    boss.Reset();
    CObjectRegistry::GetInstance()->UpdateAll(0.0);

    ResetZoomChannels();
    ResetFade();
    CCamera* camera = CCamera::GetInstance();
    camera->SetBounds(0, 0, CurrentMapWidth() * kTilePixels - 1, CurrentMapHeight() * kTilePixels - 1);
    FollowHero();
    camera->Update();

    StartSpawner();
    CMouse::GetInstance()->SetCursorKind(10);
    RebuildBackground();
}

void CStageScene::EnterAreaSlot(int slot) {
    if (!stage || !stage->IsValidAreaIndex(slot) || !CurrentAreaValid() || stage->currentArea == slot) return;
    CStageArea* old = stage->GetCurrentArea();
    if (CStageMap* map = old->GetMap()) map->ReleaseChipSprites();
    old->spritesActive = false;
    stage->currentArea = slot;
    stage->GetCurrentArea()->CreateSprites();
}

void CStageScene::StartSpawner() {
    spawner = std::make_unique<CObjectSpawner>(CurrentAreaValid() ? stage->GetCurrentAreaObjects() : nullptr);
    weather = CurrentWeatherId();
    StartWeather();
    const int heroX = HeroXForSpawner();
    spawner->SpawnStartRect(0, 0, CurrentMapWidth() - 1, CurrentMapHeight() - 1, heroX);
    const TileWindow& w = spawner->GetWindow();
    spawner->SpawnRect(w.left - CObjectSpawner::kBand, w.top - CObjectSpawner::kBand,
                       w.right + CObjectSpawner::kBand, w.bottom + CObjectSpawner::kBand, heroX);
}

void CStageScene::PopulateArea(int tileX, int tileY, int weaponKind, int health) {
    hero = RegisterHero(std::make_unique<CHero>(stage.get(), tileX * kTilePixels, tileY * kTilePixels - 6.0,
                                                weaponKind, health));
    boss.Reset();
    ResetZoomChannels();
    ResetFade();
    CCamera* camera = CCamera::GetInstance();
    camera->SetBounds(0, 0, CurrentMapWidth() * kTilePixels - 1, CurrentMapHeight() * kTilePixels - 1);
    camera->SetTarget(static_cast<float>(tileX * kTilePixels + 10),
                      static_cast<float>(tileY * kTilePixels + 14), -1.0f);
    camera->Update();
    StartSpawner();
    CObjectRegistry::GetInstance()->UpdateAll(0.0);
}

// ---- Area queries ----

bool CStageScene::CurrentAreaValid() const { return stage && stage->IsValidAreaIndex(stage->currentArea); }

int CStageScene::CurrentMapWidth() const {
    const CStageMap* map = CurrentAreaValid() ? stage->GetCurrentArea()->GetMap() : nullptr;
    return map ? map->GetWidth() : 0;
}

int CStageScene::CurrentMapHeight() const {
    const CStageMap* map = CurrentAreaValid() ? stage->GetCurrentArea()->GetMap() : nullptr;
    return map ? map->GetHeight() : 0;
}

int CStageScene::CurrentBackground() const {
    return CurrentAreaValid() ? stage->GetCurrentArea()->backGround : 1;
}

int CStageScene::CurrentWeatherId() const {
    return CurrentAreaValid() ? stage->GetCurrentArea()->weather : 0;
}

int CStageScene::HeroXForSpawner() const { return hero ? static_cast<int>(hero->x) : 0; }

double CStageScene::Wind() const {
    if (weather == kWeatherWindRight) return 90.0;
    if (weather == kWeatherWindLeft) return -90.0;
    return 0.0;
}

std::string CStageScene::GetCaption() { return stage ? stage->name : std::string(); }

void CStageScene::RebuildBackground() {
    if (stage)
        BuildBackground(CurrentBackground(), CurrentMapWidth(), CurrentMapHeight());
    else
        ClearBackground();
}

void CStageScene::ResetFade() {
    fadeRed = fadeGreen = fadeBlue = 0;
    fadeLevel = 0;
    fadeRequested = false;
}

void CStageScene::PlayAreaMusic(bool fadeIn, bool restart) {
    if (!CurrentAreaValid()) return;
    PlayMusic(stage->GetCurrentArea()->music, CMusicPlayer::kEndless, 1.0f, fadeIn, restart);
}

void CStageScene::FollowHero() {
    if (!hero) return;
    CCamera::GetInstance()->SetTarget(static_cast<float>(static_cast<int>(hero->centerX)),
                                      static_cast<float>(static_cast<int>(hero->centerY)), -1.0f);
}

// ---- States ----

void CStageScene::SetState(int s) {
    stateTime = 0;
    state = s;
    introSkipped = false;
    if (s == kSceneEvaluation || s == kSceneEvaluationSent || s == kSceneGameOver) {
        ClearBackground();
        ResetFade();
    } else {
        RebuildBackground();
    }
    if (s == kSceneEvaluation) PlayMusic(MusicId::kEvaluation, CMusicPlayer::kEndless, 1.0f, false, false);
    if (s == kSceneEvaluationSent) PlayMusic(MusicId::kNone, CMusicPlayer::kEndless, 1.0f, false, true);
    // The rain and the wind go on only while the world moves (a pause silences them too).
    if (s != kScenePlaying && s != kSceneWeaponChange && s != kSceneWarpOut && s != kSceneAreaChange) {
        StopWeatherSound();
        weatherSoundTime = 0;
    }
}

void CStageScene::Update() {
    CInputManager::GetInstance();
    if (bossStartPending) {
        SetState(kSceneBossEntrance);
        bossStartPending = false;
    }
    if (pendingWeapon && state == kScenePlaying) {
        SetState(kSceneWeaponChange);
        if (hero) hero->SetWeapon(pendingWeaponKind);
    }
    if (state != kScenePaused) pendingWeapon = false;
    doorHint = false;
    StepState();
    stateTime += FramesThisFrame();
}

void CStageScene::StepState() {
    switch (state) {
        case kScenePlaying:
            StepPlaying();
            break;
        case kScenePaused:
            StepPaused();
            break;
        case kSceneWeaponChange:
        case kSceneWarpOut:
            StepHeroPose();
            break;
        case kSceneIntro:
            StepIntro();
            break;
        case kSceneAfterRestart:
            StepAfterRestart();
            break;
        case kSceneGoal:
        case kSceneGameOver:
            StepPlayEnd();
            break;
        case kSceneHeroBeaten:
        case kSceneHeroFellOut:
            StepMissWait();
            break;
        case kSceneBossEntrance:
            StepBossEntrance();
            break;
        case kSceneBossDefeated:
        case kSceneFinalBossDefeated:
            StepBossDefeated();
            break;
        case kSceneAreaChange:
        case kSceneAreaEntered:
            StepAreaChange();
            break;
        case kSceneEvaluation:
        case kSceneEvaluationSent:
            StepEvaluation();
            break;
        default:
            break;
    }
}

// The play runs: objects, camera, spawns, weather and the fade; Space pauses.
void CStageScene::StepPlaying() {
    const double ft60 = FramesThisFrame();
    const double ft = elSystem::GetFrameTime();
    AdvanceWeatherSound();
    CObjectRegistry::GetInstance()->UpdateAll(Wind());
    FollowHero();
    CCamera::GetInstance()->Update();
    if (spawner) spawner->Update(HeroXForSpawner());
    mapAnimTime += ft60;
    playTime += ft60;
    weatherSpawnTime += ft60;
    if (fadeRequested) {
        fadeLevel += ft;
        if (fadeLevel > 1.0) fadeLevel = 1.0;
    } else {
        fadeLevel -= ft;
        if (fadeLevel < 0.0) fadeLevel = 0.0;
    }
    SpawnWeatherParticles();
    if (state == kScenePlaying && CInputManager::GetInstance()->IsPushed(kKeySpace)) {
        PlaySE(SoundId::kOk2);
        SetState(kScenePaused);
    }
}

// Paused: Space plays on, F1 gives up, F2 restarts a test play.
void CStageScene::StepPaused() {
    CInputManager* input = CInputManager::GetInstance();
    FollowHero();
    CCamera::GetInstance()->Update();
    if (input->IsPushed(kKeySpace)) {
        SetState(kScenePlaying);
        PlaySE(SoundId::kCancel);
    } else if (input->IsFunctionKeyPushed(1)) {
        PlaySE(SoundId::kCancel);
        result = kResultAborted;
        Close();
    } else if (input->IsFunctionKeyPushed(2) && playMode == kPlayTest) {
        result = kResultRestart;
        Close();
    }
}

// The hero's pose of a weapon change or of going through a door, then play or the next area.
void CStageScene::StepHeroPose() {
    AdvanceWeatherSound();
    const bool weaponChange = state == kSceneWeaponChange;
    if (hero) {
        if (weaponChange)
            hero->UpdatePowerUpPose(stateTime);
        else
            hero->UpdateDoorPose(stateTime);
        hero->UpdateCentre();
    }
    if (weaponChange && stateTime > kWeaponChangeLength) SetState(kScenePlaying);
    if (!weaponChange && stateTime > kWarpOutLength) SetState(kSceneAreaChange);
}

// The stage's title; Z hurries it.
void CStageScene::StepIntro() {
    FollowHero();
    CCamera::GetInstance()->Update();
    if (CInputManager::GetInstance()->IsPushed(kKeyZ)) {
        introSkipped = true;
        if (stateTime < kIntroSkipTo) stateTime = kIntroSkipTo;
    }
    if (introSkipped) stateTime += FramesThisFrame();
    if (stateTime > kIntroLength) {
        SetState(kScenePlaying);
        PlayAreaMusic(false, false);
    }
}

// A short wait after a miss before play resumes.
void CStageScene::StepAfterRestart() {
    FollowHero();
    CCamera::GetInstance()->Update();
    if (stateTime > shortWait * 60.0) {
        SetState(kScenePlaying);
        PlayAreaMusic(false, false);
    }
}

// The goal or the game over: a wait, then the rating of a shared play or the end.
void CStageScene::StepPlayEnd() {
    if (state == kSceneGoal) {
        if (stateTime < (goalWait + shortWait) * 60.0) {
            CCamera::GetInstance()->Update();
            return;
        }
        result = kResultCleared;
    } else {
        if (stateTime <= kGameOverLength) return;
        result = kResultFailed;
    }
    if (playMode == kPlayShared && SendingPermitted())
        SetState(kSceneEvaluation);
    else
        Close();
}

// The hero beaten or fallen out: the defeat shows, then the miss counts.
void CStageScene::StepMissWait() {
    if (stateTime >= (beatenWait + shortWait) * 60.0) {
        OnMiss();
        return;
    }
    if (state == kSceneHeroBeaten && hero) {
        hero->UpdateDefeated();
        hero->UpdateCentre();
    }
    CCamera::GetInstance()->Update();
}

// The boss makes its entrance; play starts when it is done.
void CStageScene::StepBossEntrance() {
    FollowHero();
    CCamera::GetInstance()->Update();
    bool done = true;
    if (auto* b = dynamic_cast<IBoss*>(GetRegisteredBoss())) {
        done = b->EntranceStep();
        b->UpdateCentre();
    }
    if (done) SetState(kScenePlaying);
}

// A boss beaten: a wait, then the stage is cleared.
void CStageScene::StepBossDefeated() {
    const double wait = state == kSceneBossDefeated ? (bossClearWait + shortWait) * 60.0 : kFinalBossLength;
    if (stateTime < wait) {
        CCamera::GetInstance()->Update();
    } else {
        result = kResultCleared;
        Close();
    }
}

// Leaving an area, or just entered one: a short wait, then the change or play.
void CStageScene::StepAreaChange() {
    if (stateTime < shortWait * 60.0) {
        AdvanceWeatherSound();
        FollowHero();
        CCamera::GetInstance()->Update();
    } else if (state == kSceneAreaChange) {
        ChangeArea();
    } else {
        SetState(kScenePlaying);
    }
}

// The rating of a shared play: arrows choose, Z sends; once sent, the record is kept.
void CStageScene::StepEvaluation() {
    if (state == kSceneEvaluation) {
        CInputManager* input = CInputManager::GetInstance();
        if (input->IsPushed(kKeyZ)) {
            PlaySE(SoundId::kOk3);
            SetState(kSceneEvaluationSent);
        } else if (input->IsPushed(kKeyRight) && evaluation < 100) {
            evaluation += 20;
            PlaySE(SoundId::kCursor2);
        } else if (input->IsPushed(kKeyLeft) && evaluation > 20) {
            evaluation -= 20;
            PlaySE(SoundId::kCursor2);
        }
    } else if (stateTime < shortWait * 60.0) {
        CCamera::GetInstance()->Update();
    } else {
        if (playMode == kPlayShared && SendingPermitted() && stage)
            CPlayHistory::GetInstance()->AddPlayRecord(stage->id, missCount, playTime, evaluation);
        Close();
    }
    evaluationTime += FramesThisFrame();
}

// ---- Misses and area changes ----

void CStageScene::OnMiss() {
    ++missCount;
    if (lives < 1) {
        if (playMode == kPlayTest) {
            result = kResultFailed;
            Close();
        } else {
            SetState(kSceneGameOver);
        }
        return;
    }
    --lives;
    CObjectRegistry::GetInstance()->Reset();
    hero = nullptr;
    if (stage) {
        std::unique_ptr<CStage> fresh = stage->CopyTo(this, stage->openMode);
        spawner.reset();
        stage = std::move(fresh);
        if (stage->IsValidAreaIndex(stage->currentArea) && !stage->GetCurrentArea()->spritesActive)
            stage->GetCurrentArea()->CreateSprites();
        EnterAreaSlot(checkpointArea);
    }
    mapAnimTime = weatherSpawnTime = weatherSoundTime = 0;
    SwitchColorStates::Reset();
    PopulateArea(checkpointX, checkpointY, kWeaponBroom, 100);
    if (playMode == kPlayTest) {
        SetState(kScenePlaying);
        PlayAreaMusic(false, false);
    } else {
        SetState(kSceneAfterRestart);
    }
}

void CStageScene::ChangeArea() {
    const HeroWeaponRecord weapon = hero ? hero->GetWeapon() : HeroWeaponRecord{kWeaponBroom, 100};
    CObjectRegistry::GetInstance()->Reset();
    hero = nullptr;
    spawner.reset();
    if (stage && stage->IsValidAreaIndex(warpArea) && CurrentAreaValid() && stage->currentArea != warpArea) {
        CStageArea* old = stage->GetCurrentArea();
        if (CStageMap* map = old->GetMap()) map->ReleaseChipSprites();
        old->spritesActive = false;
        stage->currentArea = warpArea;
        CStageArea* area = stage->GetCurrentArea();
        if (CStageMap* map = area->GetMap()) map->CreateChipSprites();
        area->spritesActive = true;
    }
    PlayAreaMusic(false, false);
    mapAnimTime = weatherSpawnTime = weatherSoundTime = 0;
    SwitchColorStates::Reset();
    PopulateArea(warpX, warpY, weapon.weaponKind, weapon.health);
    SetState(kSceneAreaEntered);
}

// ---- Weather ----

void CStageScene::UpdateWeatherSound() {
    if (!stage) return;
    if (weather == kWeatherRain) {
        if (weatherSoundTime >= 0) {
            weatherSoundTime = -160.0;
            PlaySE(SoundId::kRain);
        }
    } else if (weather == kWeatherWindRight || weather == kWeatherWindLeft) {
        if (weatherSoundTime >= 0) {
            weatherSoundTime = -200.0;
            PlaySE(SoundId::kWind2);
        }
    }
}

void CStageScene::AdvanceWeatherSound() {
    weatherSoundTime += FramesThisFrame();
    UpdateWeatherSound();
}

void CStageScene::StopWeatherSound() {
    StopSE(SoundId::kRain);
    StopSE(SoundId::kWind2);
}

void CStageScene::ScreenEdges(int& left, int& top, int& right, int& bottom) const {
    const CCamera* camera = CCamera::GetInstance();
    left = static_cast<int>(camera->ScreenToWorldX(0, 0));
    top = static_cast<int>(camera->ScreenToWorldY(0, 0));
    right = static_cast<int>(camera->ScreenToWorldX(640, 480));
    bottom = static_cast<int>(camera->ScreenToWorldY(640, 480));
}

namespace {
const char* WeatherClass(int kind) {
    switch (kind) {
        case kWeatherRain:
            return "CWeatherRain";
        case kWeatherSnow:
            return "CWeatherSnow";
        case kWeatherWindRight:
        case kWeatherWindLeft:
            return "CWeatherLeaf";
        case kWeatherSpring:
            return "CWeatherSakura";
        case kWeatherAutumn:
            return "CWeatherMaple";
        case kWeatherRock:
            return "CFallingRock";
        case kWeatherBomb:
            return "CBomb001";
        case kWeatherFish:
            return "CFish002";
        default:
            return nullptr;
    }
}

void AddLive(const char* cls, CStage* stage, double x, double y, const LiveObjectArgs& args) {
    if (std::unique_ptr<IBase> object = CreateLiveObject(cls, stage, x, y, args))
        CObjectRegistry::GetInstance()->Add(std::move(object));
}
}  // namespace

// One particle of the weather; `first` places it anywhere on the screen (the set made when the
// weather starts), otherwise where it enters the view.
void CStageScene::MakeWeatherParticle(int kind, bool first, int L, int T, int R, int B) {
    const char* cls = WeatherClass(kind);
    if (!cls) return;
    CStage* s = stage.get();
    const auto snowY = [&] { return RandomRange(0, 9) < 7 ? T - 32 : B + 32; };
    switch (kind) {
        case kWeatherRain: {
            const int x = RandomRange(L - 160, R + 160);
            const int y = first ? RandomRange(T, B) : T - 64;
            AddLive(cls, s, x, y, {RandomRange(-50, 50), RandomRange(1300, 1500)});
            break;
        }
        case kWeatherSnow:
        case kWeatherSpring:
        case kWeatherAutumn: {
            const int x = RandomRange(L - 560, R + 560);
            const int y = first ? RandomRange(T, B) : snowY();
            AddLive(cls, s, x, y, {RandomRange(-70, 70), RandomRange(220, 270)});
            break;
        }
        case kWeatherWindRight:
        case kWeatherWindLeft: {
            const bool right = kind == kWeatherWindRight;
            const int x = first ? RandomRange(L, R) : (right ? L - 64 : R + 64);
            const int y = first ? RandomRange(T, B) : RandomRange(T - 128, B + 128);
            const int speed = right ? RandomRange(1100, 1300) : RandomRange(-1300, -1100);
            AddLive(cls, s, x, y, {speed, RandomRange(50, 80)});
            break;
        }
        case kWeatherRock:
        case kWeatherBomb: {
            // The speed is drawn before the place, one draw per statement, so that a play replays
            // the same on every compiler.
            const int speed = RandomRange(-130, 130);
            const int x = RandomRange(L + 16, R - 16);
            AddLive(cls, s, x, T - 24, {speed, 100.0, 0});
            PlaySE(SoundId::kThrow);
            break;
        }
        case kWeatherFish:
            if (RandomRange(0, 1) == 0)
                AddLive(cls, s, R + 32, RandomRange(T + 16, B - 16), {0});
            else
                AddLive(cls, s, L - 48, RandomRange(T + 16, B - 16), {1});
            break;
        default:
            break;
    }
}

void CStageScene::StartWeather() {
    if (!stage) return;
    int count = 0;
    switch (weather) {
        case kWeatherRain:
            count = 10;
            break;
        case kWeatherSnow:
        case kWeatherSpring:
        case kWeatherAutumn:
            count = 12;
            break;
        case kWeatherWindRight:
        case kWeatherWindLeft:
            count = 8;
            break;
        default:
            return;
    }
    int L, T, R, B;
    ScreenEdges(L, T, R, B);
    for (int i = 0; i < count; ++i) MakeWeatherParticle(weather, true, L, T, R, B);
}

void CStageScene::SpawnWeatherParticles() {
    if (!stage) return;
    double interval = 0;
    switch (weather) {
        case kWeatherRain:
        case kWeatherWindRight:
        case kWeatherWindLeft:
            interval = 4;
            break;
        case kWeatherSnow:
        case kWeatherSpring:
        case kWeatherAutumn:
            interval = 10;
            break;
        case kWeatherRock:
        case kWeatherBomb:
        case kWeatherFish:
            interval = 90;
            break;
        default:
            return;
    }
    if (weatherSpawnTime <= interval) return;
    weatherSpawnTime = 0;
    int L, T, R, B;
    ScreenEdges(L, T, R, B);
    MakeWeatherParticle(weather, false, L, T, R, B);
}
