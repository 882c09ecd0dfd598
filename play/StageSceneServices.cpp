// What live objects ask of the play scene: the outcome of play, lives, keys, the checkpoint,
// warps, weapon changes, the zoom channels, weather, the fade and bosses.
#include "engine/Camera.h"
#include "engine/Music.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "play/Hero.h"
#include "play/ObjectRegistry.h"
#include "play/StageScene.h"
#include "stage/Stage.h"
#include "stage/StageMap.h"

namespace {
constexpr int kChannels = 3;

bool HasPair(const std::vector<std::pair<int, int>>& list, int area, int id) {
    for (const auto& p : list)
        if (p.first == area && p.second == id) return true;
    return false;
}

void Silence() { PlayMusic(MusicId::kNone, CMusicPlayer::kEndless, 1.0f, false, false); }
}  // namespace

CObjectRegistry& CStageScene::GetRegistry() { return *CObjectRegistry::GetInstance(); }

CCamera& CStageScene::GetCamera() { return *CCamera::GetInstance(); }

IBase* CStageScene::GetHero() { return hero; }

void CStageScene::EndPlay(int sound, int nextState) {
    if (state != kScenePlaying) return;
    Silence();
    PlaySE(sound);
    SetState(nextState);
}

void CStageScene::OnGoalReached() { EndPlay(SoundId::kGoal, kSceneGoal); }

void CStageScene::OnHeroBeaten() { EndPlay(SoundId::kDeath1, kSceneHeroBeaten); }

void CStageScene::OnHeroFellOut() { EndPlay(SoundId::kDeath1, kSceneHeroFellOut); }

void CStageScene::AddLife() {
    if (lives < kMaxLives) ++lives;
}

int CStageScene::GetCurrentAreaIndex() { return stage ? stage->currentArea : 0; }

bool CStageScene::IsKeyDoorOpened(int area, int id) { return HasPair(openedKeyDoors, area, id); }

bool CStageScene::IsKeyCollected(int area, int id) { return HasPair(collectedKeys, area, id); }

void CStageScene::SetCheckpoint(int area, int x, int y) {
    checkpointArea = area;
    checkpointX = x;
    checkpointY = y;
}

// A warp acts only while the play runs: a door touched after the goal or a miss must not undo them.
// A target tile outside the target area's map (a damaged stage file) is refused like a missing
// area: nothing happens and the door can be tried again.
bool CStageScene::RequestWarp(int areaNum, int x, int y, bool animate) {
    if (state != kScenePlaying || !stage) return false;
    for (int slot = 0; slot < CStage::kMaxAreas; ++slot) {
        if (!stage->IsValidAreaIndex(slot) || stage->GetArea(slot)->absoluteAreaNum != areaNum) continue;
        const CStageMap* map = stage->GetArea(slot)->GetMap();
        if (!map || x < 0 || y < 0 || x >= map->GetWidth() || y >= map->GetHeight()) return false;
        warpArea = slot;
        warpX = x;
        warpY = y;
        SetState(animate ? kSceneWarpOut : kSceneAreaChange);
        return true;
    }
    return false;
}

void CStageScene::RequestWeaponChange(int kind) {
    pendingWeapon = true;
    pendingWeaponKind = kind;
}

// ---- Zoom channels: 2 overrides 1, which overrides 0 ----

void CStageScene::ResetZoomChannels() {
    const float base = CCamera::GetInstance()->GetBaseScale();
    for (int c = 0; c < 2; ++c) zoomChannels[c] = {base, -1.0f, false};
    CCamera::GetInstance()->ResetZoomRate(-1.0f);
}

void CStageScene::SetZoomOverride(int channel, float rate, float time) {
    if (channel < 0 || channel >= kChannels) return;
    zoomChannels[channel] = {rate, time, true};
    for (int higher = channel + 1; higher < kChannels; ++higher)
        if (zoomChannels[higher].active) return;
    CCamera::GetInstance()->SetZoomRate(rate, time);
}

void CStageScene::ClearZoomOverride(int channel, float time) {
    if (channel < 0 || channel >= kChannels) return;
    CCamera* camera = CCamera::GetInstance();
    zoomChannels[channel] = {camera->GetBaseScale(), time, false};
    for (int higher = channel + 1; higher < kChannels; ++higher)
        if (zoomChannels[higher].active) return;
    for (int lower = channel - 1; lower >= 0; --lower) {
        if (zoomChannels[lower].active) {
            camera->SetZoomRate(zoomChannels[lower].rate, time);
            return;
        }
    }
    camera->ResetZoomRate(time);
}

bool CStageScene::IsZoomOverrideActive(int channel) {
    return channel >= 0 && channel < kChannels && zoomChannels[channel].active;
}

float CStageScene::GetZoomOverrideRate(int channel) {
    return channel >= 0 && channel < kChannels ? zoomChannels[channel].rate : 0.0f;
}

// ---- Weather, fade, bosses ----

void CStageScene::SetWeather(int weatherId) {
    weather = weatherId;
    StopWeatherSound();
    weatherSpawnTime = 0;
    weatherSoundTime = 0;
}

void CStageScene::BeginScreenFade(int r, int g, int b) {
    fadeRed = r;
    fadeGreen = g;
    fadeBlue = b;
    fadeRequested = true;
}

void CStageScene::RegisterBoss(IBase* b) {
    if (playMode != kPlayNormal) return;
    bossStartPending = true;
    boss = b;
}

IBase* CStageScene::GetRegisteredBoss() const {
    IBase* b = boss.Get();
    return b && CObjectRegistry::GetInstance()->Contains(b) ? b : nullptr;
}

const IBase* CStageScene::GetLiveBoss() const { return GetRegisteredBoss(); }

void CStageScene::OnBossDefeated() {
    if (playMode != kPlayNormal || state != kScenePlaying) return;
    if (auto* b = dynamic_cast<IBoss*>(GetRegisteredBoss())) {
        if (b->IsFinalBoss()) {
            SetState(kSceneFinalBossDefeated);
        } else {
            EndPlay(SoundId::kFanfare, kSceneBossDefeated);
        }
    }
    boss.Reset();
}

void CStageScene::StopMusicAfterBoss() {
    if (playMode == kPlayNormal) Silence();
}

void CStageScene::ResetHeroLongTimer() {
    if (playMode == kPlayNormal && hero) hero->MakeInvincible();
}

void CStageScene::NotifyHeroAttackStarted() { CObjectRegistry::GetInstance()->NotifyHeroAttackStarted(); }
