#include "flow/ScenarioModeScene.h"

#include <algorithm>

#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "engine/Mouse.h"
#include "engine/Music.h"
#include "flow/ScenarioModeOpeningScene.h"
#include "flow/ScenarioSaveData.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/QuorException.h"
#include "foundation/Random.h"
#include "foundation/WindowHelpers.h"
#include "play/Letterbox.h"
#include "play/StageScene.h"
#include "stage/Stage.h"

std::unique_ptr<CStage> LoadScenarioStage(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string text;
    const ReadStatus status = ReadEncodedFile(path, text);
    if (status == ReadStatus::CannotRead)
        throw CStageDataException("SDE0007", "ファイル" + name + "を開けません。");
    std::unique_ptr<CStage> stage;
    if (status == ReadStatus::Ok) stage = CStage::ReadXml(nullptr, text, 0);
    if (!stage) throw CStageDataException("SDE0006", "ステージの構造が不正です。");
    return stage;
}

CScenarioModeScene::CScenarioModeScene(IScene* parent) : IScene(parent) {
    CCamera::GetInstance()->ResetBounds();
    if (!BuildMapManager()) return;
    manager_->Update();
    CScenarioSaveData* save = CScenarioSaveData::GetInstance();
    if (!save->GetShownOpening()) {
        save->SetShownOpening(true);
        PushChild(std::make_unique<CScenarioModeOpeningScene>(this));
    }
}

CScenarioModeScene::~CScenarioModeScene() = default;

bool CScenarioModeScene::BuildMapManager() {
    try {
        CScenarioSaveData* save = CScenarioSaveData::GetInstance();
        // A progress file that could not be read at start is tried again: it may have been put
        // right since. Until it reads, nothing is built and nothing is saved over it.
        if (!save->HasTree()) save->Load();
        manager_ = std::make_unique<CScenarioMapManager>(this);
        return true;
    } catch (const CQuorException& e) {
        ShowErrorReport(e);
        manager_.reset();
        return false;
    }
}

void CScenarioModeScene::Start() {
    if (!manager_) return;
    const bool silent =
        result_ == kResultFailed || (result_ == kResultCleared && manager_->IsPlayingLastBoss());
    PlayMusic(silent ? MusicId::kNone : MusicId::kSelectStage);
}

uint32_t CScenarioModeScene::GetClearColor() {
    if (GetChild()) return GetChild()->GetClearColor();
    return 111u | (205u << 8) | (178u << 16);
}

void CScenarioModeScene::StartStage(const std::string& path, int lives) {
    playRequested_ = true;
    stagePath_ = path;
    lives_ = lives;
    result_ = kResultNone;
    ending_ = false;
}

void CScenarioModeScene::Update() {
    // The mode could not start: back to the menu at once.
    if (!manager_) {
        if (!IsClosed()) Close();
        return;
    }
    if (manager_->IsLeaveRequested() && !closing_) {
        timer_ = 0;
        closing_ = true;
    }
    if (playRequested_) {
        playRequested_ = false;
        PlayRequestedStage();
        return;
    }
    if (opening_) {
        timer_ += FramesThisFrame();
        if (timer_ > kOpeningFrames) {
            timer_ = 0;
            opening_ = false;
        }
    } else if (!closing_) {
        if (CInputManager::GetInstance()->IsPushed(kKeyX) && manager_->IsIdle())
            closing_ = true;
        else
            manager_->Update();
    } else {
        timer_ += FramesThisFrame();
        if (timer_ > kClosingFrames) Close();
    }
}

void CScenarioModeScene::PlayRequestedStage() {
    try {
        std::unique_ptr<CStage> stage = LoadScenarioStage(stagePath_);
        // Each stage starts from the same seed: its play depends only on the keys, as in the
        // stage player, so that a recorded route replays the same inside the scenario.
        SeedRandom(kStageSeed);
        PushChild(std::make_unique<CStageScene>(this, std::move(stage), kPlayNormal, lives_));
    } catch (const CQuorException& e) {
        ShowErrorReport(e);
        // The map manager goes back to the map instead of waiting for a play that never comes.
        result_ = kNotLoaded;
    }
}

void CScenarioModeScene::Draw() {
    if (manager_) manager_->Draw();
}

void CScenarioModeScene::DrawOverlay() {
    if (!manager_) return;
    manager_->DrawOverlay();
    if (opening_)
        DrawLetterbox(std::clamp((kOpeningFrames - timer_) / 30.0, 0.0, 1.0));
    else if (closing_)
        DrawLetterbox(std::clamp(timer_ / 30.0, 0.0, 1.0));
}

void CScenarioModeScene::OnChildClosed(IScene* child) {
    CMouse::GetInstance()->SetCursorKind(0);
    if (auto* play = dynamic_cast<CStageScene*>(child)) {
        lives_ = play->GetLives();
        result_ = play->GetResult();
        ending_ = result_ == kResultCleared && manager_ && manager_->IsPlayingLastBoss();
    } else {
        result_ = kResultNone;
    }
}
