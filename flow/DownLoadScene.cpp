#include "flow/DownLoadScene.h"

#include <memory>

#include "engine/Mouse.h"
#include "engine/Music.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "online/DownLoadForms.h"
#include "play/StageScene.h"
#include "stage/Stage.h"

namespace {
constexpr int kSharedStageLives = 2;
}  // namespace

CDownLoadScene::CDownLoadScene(IScene* parent) : CFormHostScene(parent, MusicId::kDownload, true) {
    BuildForm(DownLoadFormId::Top);
}

CDownLoadScene::~CDownLoadScene() = default;

void CDownLoadScene::PlayStage(std::unique_ptr<CStage> stage) {
    stage_ = std::move(stage);
    playRequested_ = true;
}

bool CDownLoadScene::StartPlay() {
    // The stage was read when its text was checked and saved; without one there is nothing to play.
    std::string code;
    try {
        if (stage_) {
            // The play scene owns the stage from here and tells it whose it is.
            PushChild(std::make_unique<CStageScene>(this, std::move(stage_), kPlayShared, kSharedStageLives));
            return true;
        }
    } catch (const CQuorException& e) {
        CLog::GetInstance()->Write(FormatErrorReport(e));
        code = e.GetCode();
    }
    if (Controls::GCForm* form = GetRootForm()) Controls::ShowStageOpenError(*form, code);
    return false;
}

void CDownLoadScene::Update() {
    if (playRequested_) {
        playRequested_ = false;
        // Without a stage nothing is played: the form stays and says so.
        if (StartPlay()) return;
    }
    if (requestedFormId_ != currentFormId_) BuildForm(requestedFormId_);
    CFormHostScene::Update();
}

void CDownLoadScene::BuildForm(DownLoadFormId formId) {
    if (Controls::GCForm* form = GetRootForm()) Controls::KeepDownLoadListText(*form, keptListText_);
    currentFormId_ = requestedFormId_ = formId;
    SetRootForm(nullptr);
    SetRootForm(Controls::MakeDownLoadForm(formId, this, keptListText_));
}

void CDownLoadScene::OnChildClosed(IScene*) { CMouse::GetInstance()->SetCursorKind(0); }
