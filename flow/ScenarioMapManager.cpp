#include "flow/ScenarioMapManager.h"

#include <cmath>
#include <numbers>

#include "controls/Forms.h"
#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "engine/Music.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "flow/ScenarioMap.h"
#include "flow/ScenarioModeItemGetWindow.h"
#include "flow/ScenarioSaveData.h"
#include "flow/ScenarioStageNamePlate.h"
#include "flow/ScenarioTables.h"
#include "foundation/ClientInfo.h"
#include "foundation/FrameTime.h"
#include "foundation/QuorException.h"
#include "foundation/WindowHelpers.h"
#include "play/StageScene.h"

namespace {

// Frames each timed state waits (the timer must pass the number).
constexpr double kEnterStageFrames = 90;
constexpr double kTreasureFrames = 30;
constexpr double kWarpStartFrames = 50;
constexpr double kWarpPanFrames = 30;
constexpr double kWarpArrivalFrames = 50;
constexpr double kGameOverFrames = 50;
constexpr double kLastBossFrames = 70;
constexpr double kGameOverCheerFrames = 25;

CScenarioSaveData* Save() { return CScenarioSaveData::GetInstance(); }

// What each direction means on the map: its step, its walking state, its key and the hero
// figure's pose facing it (indexed by the direction's number).
struct DirectionInfo {
    int dx, dy;
    int walkState;
    int key;
    int pose;
};
constexpr DirectionInfo kDirections[5] = {
    {0, 0, CScenarioMapManager::kWalkDown, kKeyDown, CScenarioMapHero::kDown},  // (no direction 0)
    {0, -1, CScenarioMapManager::kWalkUp, kKeyUp, CScenarioMapHero::kUp},
    {1, 0, CScenarioMapManager::kWalkRight, kKeyRight, CScenarioMapHero::kRight},
    {0, 1, CScenarioMapManager::kWalkDown, kKeyDown, CScenarioMapHero::kDown},
    {-1, 0, CScenarioMapManager::kWalkLeft, kKeyLeft, CScenarioMapHero::kLeft},
};

const DirectionInfo& Info(MapDirection d) { return kDirections[static_cast<int>(d)]; }

// The cell one step from (x, y) in the direction.
void Step(int x, int y, MapDirection d, int& tx, int& ty) {
    tx = x + Info(d).dx;
    ty = y + Info(d).dy;
}

int WalkState(MapDirection d) { return Info(d).walkState; }
int DirectionKey(MapDirection d) { return Info(d).key; }
int StandingPose(MapDirection d) { return Info(d).pose; }

MapDirection WalkDirection(int state) {
    for (MapDirection d : {MapDirection::Up, MapDirection::Right, MapDirection::Down, MapDirection::Left})
        if (Info(d).walkState == state) return d;
    return MapDirection::Down;
}

bool KeyDown(int key) {
    const CInputManager* input = CInputManager::GetInstance();
    return input->IsPushed(key) || input->IsHeld(key);
}

bool IsStagePanel(const CScenarioMapPanelBase* panel) {
    return dynamic_cast<const CScenarioMapStagePanel*>(panel) ||
           dynamic_cast<const CScenarioMapBossStagePanel*>(panel) ||
           dynamic_cast<const CScenarioMapLastBossStagePanel*>(panel);
}

}  // namespace

// ---- Birth and end ----

CScenarioMapManager::CScenarioMapManager(IScenarioStageHost* host)
    : cameraAngle_(std::numbers::pi / 8.0),
      host_(host),
      map_(std::make_unique<CScenarioMap>(Save()->GetPanelsString())),
      hero_(std::make_unique<CScenarioMapHero>()),
      form_(std::make_unique<Controls::COriginalBaseForm>()) {
    x_ = Save()->GetX();
    y_ = Save()->GetY();
    // A save holding a cell off the map is as damaged as a bad panel text: the hero could never
    // walk back onto the map from there.
    if (!CScenarioMap::IsInside(x_, y_)) throw CDataFileException("DEF0301", "セーブデータが不正です。");
    heroX_ = CellCentre(x_);
    heroY_ = CellCentre(y_);
    plate_ = std::make_unique<CScenarioStageNamePlate>(GetLandNumber(x_, y_), GetStageName(x_, y_));
    // What the hero's cell opens around it is open: a game stopped between taking a treasure and
    // the turn of its neighbours comes back with the way on open.
    if (CScenarioMapPanelBase* panel = map_->GetPanel(x_, y_)) {
        const auto* takara = dynamic_cast<const CScenarioMapTakaraPanel*>(panel);
        if (panel->OpensNeighboursOnArrival() || (takara && takara->IsCleared())) OpenNeighbours(x_, y_);
    }
    StepCamera();
    SetState(kIdle);
}

CScenarioMapManager::~CScenarioMapManager() {
    // SaveProgress reports its own failures; nothing else here may throw out of a destructor.
    try {
        SaveProgress();
    } catch (...) {}
}

void CScenarioMapManager::SetState(int state) {
    state_ = state;
    stateTimer_ = 0;
    if (state < kWalkLeft || state > kWalkDown) walkTimer_ = 0;
}

void CScenarioMapManager::SaveProgress() {
    Save()->SetPosition(x_, y_);
    Save()->SetPanelsString(map_->MakePanelText());
    try {
        Save()->Save();
    } catch (const CQuorException& e) {
        ShowErrorReport(e);
    }
}

// ---- The frame ----

void CScenarioMapManager::Update() {
    form_->Update();
    // The item-get window holds everything, the timers and the camera too.
    if (form_->GetState() != Controls::kStateActive) return;
    map_->UpdateAll();
    plate_->Update();
    switch (state_) {
        case kIdle:
            UpdateIdle();
            break;
        case kWalkLeft:
        case kWalkRight:
        case kWalkUp:
        case kWalkDown:
            UpdateWalk();
            break;
        case kEnteringStage:
            UpdateEnteringStage();
            break;
        case kWaitingForStage:
            UpdateWaitingForStage();
            break;
        case kTreasureTaken:
            UpdateTreasureTaken();
            break;
        case kWarpStart:
        case kWarpPan:
        case kWarpArrival:
            UpdateWarp();
            break;
        default:
            UpdateEnding();
            break;
    }
    const double frames = GetFrameTime() * 60.0;
    stateTimer_ += frames;
    walkTimer_ += frames;
    StepCamera();
}

void CScenarioMapManager::UpdateIdle() {
    if (CInputManager::GetInstance()->IsPushed(kKeyZ)) {
        ActOnPanel(x_, y_);
        return;
    }
    for (MapDirection d : {MapDirection::Left, MapDirection::Right, MapDirection::Up, MapDirection::Down}) {
        if (!KeyDown(DirectionKey(d))) continue;
        facing_ = d;
        if (TryStep(d)) SetState(WalkState(d));
        return;
    }
}

bool CScenarioMapManager::TryStep(MapDirection d) {
    if (!CanMove(x_, y_, d)) return false;
    Step(x_, y_, d, x_, y_);
    plate_->SetStage(GetLandNumber(x_, y_), GetStageName(x_, y_));
    return true;
}

void CScenarioMapManager::UpdateWalk() {
    const MapDirection d = WalkDirection(state_);
    const double step = kWalkSpeed * GetFrameTime();
    bool arrived = false;
    switch (d) {
        case MapDirection::Left:
            heroX_ -= step;
            arrived = CellCentre(x_) > heroX_;
            break;
        case MapDirection::Right:
            heroX_ += step;
            arrived = CellCentre(x_) < heroX_;
            break;
        case MapDirection::Up:
            heroY_ -= step;
            arrived = CellCentre(y_) > heroY_;
            break;
        case MapDirection::Down:
            heroY_ += step;
            arrived = CellCentre(y_) < heroY_;
            break;
    }
    if (!arrived) return;
    OnArrive(x_, y_);
    // A held key walks on without stopping, the overshoot kept.
    if (KeyDown(DirectionKey(d)) && TryStep(facing_)) return;
    if (d == MapDirection::Left || d == MapDirection::Right)
        heroX_ = CellCentre(x_);
    else
        heroY_ = CellCentre(y_);
    SetState(kIdle);
}

void CScenarioMapManager::UpdateEnteringStage() {
    if (stateTimer_ <= kEnterStageFrames) return;
    host_->StartStage(GetStageFile(x_, y_), Save()->GetKisuu());
    SetState(kWaitingForStage);
}

void CScenarioMapManager::UpdateWaitingForStage() {
    switch (host_->GetStageResult()) {
        case kResultCleared:
            Save()->SetKisuu(host_->GetLives());
            if (auto* panel = dynamic_cast<CScenarioMapStageFamilyPanel*>(map_->GetPanel(x_, y_));
                panel && IsStagePanel(panel))
                panel->MarkCleared();
            OpenNeighbours(x_, y_);
            SaveProgress();
            if (playingLastBoss_) {
                Save()->SetCleared(true);
                SaveProgress();
                SetState(kLastBossBeaten);
            } else {
                SetState(kIdle);
            }
            break;
        case kResultFailed:
            Save()->SetKisuu(kGameOverLives);
            SaveProgress();
            SetState(kGameOver);
            break;
        case kResultAborted:
            Save()->SetKisuu(host_->GetLives());
            SetState(kIdle);
            break;
        case IScenarioStageHost::kNotLoaded:
            // Nothing was played: back to the map and its music.
            SetState(kIdle);
            PlayMusic(MusicId::kSelectStage);
            break;
        default:
            break;
    }
}

void CScenarioMapManager::UpdateTreasureTaken() {
    if (stateTimer_ <= kTreasureFrames) return;
    PlaySE(SoundId::kGoal);
    form_->SetModalForm(std::make_unique<Controls::CScenarioModeItemGetWindow>(itemMessage_, itemPicture_));
    SetState(kIdle);
    OpenNeighbours(x_, y_);
    SaveProgress();  // the way the treasure opened is kept at once
}

void CScenarioMapManager::UpdateWarp() {
    if (state_ == kWarpStart) {
        if (stateTimer_ > kWarpStartFrames) SetState(kWarpPan);
    } else if (state_ == kWarpPan) {
        if (stateTimer_ <= kWarpPanFrames) return;
        x_ = warpX_;
        y_ = warpY_;
        heroX_ = CellCentre(x_);
        heroY_ = CellCentre(y_);
        plate_->SetStage(GetLandNumber(x_, y_), GetStageName(x_, y_));
        if (CScenarioMapPanelBase* panel = map_->GetPanel(x_, y_)) panel->Open();
        OpenNeighbours(x_, y_);
        PlaySE(SoundId::kDoor3);
        SetState(kWarpArrival);
    } else if (stateTimer_ > kWarpArrivalFrames) {
        SetState(kIdle);
    }
}

void CScenarioMapManager::UpdateEnding() {
    const double wait = state_ == kGameOver ? kGameOverFrames : kLastBossFrames;
    if (stateTimer_ > wait) leaveRequested_ = true;
}

// ---- Moves and actions ----

bool CScenarioMapManager::CanMove(int x, int y, MapDirection direction) const {
    int tx = 0, ty = 0;
    Step(x, y, direction, tx, ty);
    if (!CScenarioMap::IsInside(tx, ty)) return false;
    const CScenarioMapPanelBase* panel = map_->GetPanel(tx, ty);
    return !panel || panel->CanEnterMoving(direction);
}

void CScenarioMapManager::OpenNeighbours(int x, int y) {
    const int cells[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
    for (const auto& c : cells)
        if (CScenarioMapPanelBase* panel = map_->GetPanel(c[0], c[1])) panel->Open();
}

void CScenarioMapManager::OnArrive(int x, int y) {
    CScenarioMapPanelBase* panel = map_->GetPanel(x, y);
    if (!panel) return;
    if (panel->OpensNeighboursOnArrival()) OpenNeighbours(x, y);
    if (auto* arrow = dynamic_cast<CScenarioMapDirectionPanel*>(panel)) arrow->MarkPassed();
}

bool CScenarioMapManager::UnlockDoorInFront() {
    int tx = 0, ty = 0;
    Step(x_, y_, facing_, tx, ty);
    auto* door = dynamic_cast<CScenarioMapDoorPanel*>(map_->GetPanel(tx, ty));
    const int keys = Save()->GetKeyNum();
    if (!door || door->IsCleared() || keys <= 0) return false;
    door->MarkCleared();
    PlaySE(SoundId::kDoor1);
    Save()->SetKeyNum(keys - 1);
    SaveProgress();
    return true;
}

void CScenarioMapManager::ActOnPanel(int x, int y) {
    CScenarioMapPanelBase* panel = map_->GetPanel(x, y);
    if (!panel) return;
    if (UnlockDoorInFront()) return;
    if (IsStagePanel(panel)) {
        PlaySE(SoundId::kStart);
        PlayMusic(MusicId::kNone, CMusicPlayer::kEndless, 1.0f, false, false);
        playingLastBoss_ = x == kLastBossX && y == kLastBossY;
        facing_ = MapDirection::Down;
        SetState(kEnteringStage);
    } else if (auto* takara = dynamic_cast<CScenarioMapTakaraPanel*>(panel)) {
        if (takara->IsCleared()) return;
        takara->MarkCleared();
        TakeTreasure(x, y);
        SaveProgress();
        PlaySE(SoundId::kSwitch);
        facing_ = MapDirection::Down;
        SetState(kTreasureTaken);
    } else if (dynamic_cast<CScenarioMapWarpPanel*>(panel)) {
        GetScenarioWarpDestination(x, y, warpX_, warpY_);
        PlaySE(SoundId::kDoor3);
        SetState(kWarpStart);
    }
}

// ---- Tables ----

std::string CScenarioMapManager::GetStageName(int x, int y) const {
    if (!IsStagePanel(map_->GetPanel(x, y))) return std::string();
    const ScenarioStageEntry* stage = FindScenarioStage(x, y);
    return stage ? stage->name : "（未定義）";
}

std::string CScenarioMapManager::GetStageFile(int x, int y) {
    const ScenarioStageEntry* stage = FindScenarioStage(x, y);
    return std::string("stage\\scenario\\") + (stage ? stage->file : "boss001.stg");
}

int CScenarioMapManager::GetLandNumber(int x, int y) { return GetScenarioLandNumber(x, y); }

void CScenarioMapManager::TakeTreasure(int x, int y) {
    const ScenarioTreasure& treasure = GetScenarioTreasure(x, y);
    if (*treasure.item)
        CClientInfo::GetInstance()->AddBoughtItem(treasure.item);
    else
        Save()->SetKeyNum(Save()->GetKeyNum() + 1);
    itemMessage_ = treasure.message;
    itemPicture_ = treasure.picture;
}

// ---- Camera and drawing ----

void CScenarioMapManager::FollowHero() {
    CCamera* camera = CCamera::GetInstance();
    const double offset = std::tan(cameraAngle_) * camera->GetBaseScale() * 256.0;
    double tx = heroX_, ty = heroY_;
    if (state_ == kWarpPan) {
        const double t = stateTimer_;
        tx = CellCentre(warpX_) * t / 30.0 + (30.0 - t) / 30.0 * heroX_;
        ty = CellCentre(warpY_) * t / 30.0 + (30.0 - t) / 30.0 * heroY_;
    }
    camera->SetTarget(static_cast<float>(tx), static_cast<float>(ty - offset), -1.0f);
}

void CScenarioMapManager::StepCamera() {
    CCamera* camera = CCamera::GetInstance();
    camera->SetZoomRate(camera->GetBaseScale(), -1.0f);
    FollowHero();
    camera->SetAuxAngle(static_cast<float>(cameraAngle_));
    camera->Update();
}

void CScenarioMapManager::Draw() { map_->DrawAll(); }

void CScenarioMapManager::GetHeroPose(int& pose, double& timer) const {
    timer = 0;
    switch (state_) {
        case kIdle:
            pose = StandingPose(facing_);
            break;
        case kWalkLeft:
        case kWalkRight:
        case kWalkUp:
        case kWalkDown:
            pose = StandingPose(WalkDirection(state_));
            timer = walkTimer_;
            break;
        case kEnteringStage:
        case kWaitingForStage:
            pose = CScenarioMapHero::kEntering;
            timer = stateTimer_;
            break;
        case kTreasureTaken:
            pose = CScenarioMapHero::kCheer;
            break;
        case kWarpStart:
            pose = CScenarioMapHero::kWarpLeave;
            timer = stateTimer_;
            break;
        case kWarpArrival:
            pose = CScenarioMapHero::kWarpArrive;
            timer = stateTimer_;
            break;
        case kGameOver:
            pose = stateTimer_ < kGameOverCheerFrames ? CScenarioMapHero::kDown : CScenarioMapHero::kCheer;
            break;
        case kLastBossBeaten:
            pose = CScenarioMapHero::kDown;
            break;
        default:  // the camera pans to a warp's other end
            pose = CScenarioMapHero::kNone;
            break;
    }
}

void CScenarioMapManager::DrawOverlay() {
    int pose = 0;
    double timer = 0;
    GetHeroPose(pose, timer);
    hero_->Draw(pose, timer);
    if (state_ == kIdle) {
        const int y = static_cast<int>(184 + 4 * std::sin(0.2 * stateTimer_));
        elDraw::PutObject(332, y, FindImage("Char", "QuorMap001"), 0, 120, 72, 144);
    }
    DrawSystemFrame(100, Save()->GetKisuu(), Save()->GetKeyNum(), 0.0, 0.0, 0, 0);
    elDraw::PutObject(480, 24, FindImage("System", "System001"), 96, 128, 256, 152);
    plate_->Draw();
    form_->Draw();
}
