#include "flow/EditorScene.h"

#include <exception>
#include <utility>

#include "editor/EditorScreen.h"
#include "engine/Music.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "play/StageScene.h"
#include "stage/Stage.h"

namespace {
// A test play starts without spare lives: one miss ends it.
constexpr int kTestPlayLives = 0;
// The editor of the player's own stages (not the single edit mode of the scenario stages).
constexpr EditorMode kPlayerEditMode = EditorMode::kPlayer;

// How a test play ended, for the log.
const char* TestPlayResultText(int result) {
    switch (result) {
        case kResultCleared:
            return "クリア";
        case kResultFailed:
            return "ミス";
        case kResultAborted:
            return "中断";
        case kResultRestart:
            return "やり直し";
        default:
            return "終了";
    }
}
}  // namespace

CEditorScene::CEditorScene(IScene* parent)
    : IScene(parent), screen_(std::make_unique<CEditorScreen>(this, this, kPlayerEditMode)) {}

CEditorScene::~CEditorScene() = default;

void CEditorScene::Start() { PlayMusic(MusicId::kEditor, CMusicPlayer::kEndless, 1.0f, true); }

void CEditorScene::Update() {
    if (testPlayRequested_) {
        testPlayRequested_ = false;
        StartTestPlay();
        return;
    }
    if (closeRequested_) {
        closeRequested_ = false;
        Close();
        return;
    }
    if (screen_) screen_->Update();
}

void CEditorScene::StartTestPlay() {
    const CStage* edited = screen_ ? screen_->GetStage() : nullptr;
    if (!edited) return;
    std::string failure;
    try {
        // The copy goes through the stage's text, so nothing the play does reaches the edited stage.
        std::unique_ptr<CStage> copy = edited->CopyTo(nullptr, 0);
        // The play scene owns the copy from here and tells it whose it is.
        PushChild(std::make_unique<CStageScene>(this, std::move(copy), kPlayTest, kTestPlayLives));
        return;
    } catch (const std::exception& e) {
        failure = FormatErrorReport(e);
    }
    CLog::GetInstance()->Write(failure);
    screen_->ShowAlert(failure);
}

void CEditorScene::Draw() {
    if (screen_) screen_->Draw();
}

void CEditorScene::DrawOverlay() {
    if (screen_) screen_->DrawOverlay();
}

std::string CEditorScene::GetCaption() { return screen_ ? screen_->GetCaption() : std::string(); }

void CEditorScene::OnChildClosed(IScene* child) {
    const auto* play = dynamic_cast<const CStageScene*>(child);
    if (!play) return;
    CLog::GetInstance()->Write(std::string("[テストプレイ終了] ") + TestPlayResultText(play->GetResult()));
    if (play->GetResult() == kResultRestart) RequestTestPlay();
}
