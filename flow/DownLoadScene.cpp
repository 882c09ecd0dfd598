#include "flow/DownLoadScene.h"

#include <memory>

#include "engine/Mouse.h"
#include "engine/Music.h"
#include "flow/DownLoadFormStandIn.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "play/StageScene.h"
#include "stage/Stage.h"

namespace {
constexpr int kTopForm = 1;
constexpr int kSharedStageLives = 2;
}  // namespace

CDownLoadScene::CDownLoadScene(IScene* parent) : CFormHostScene(parent, MusicId::kDownload, true) {
    BuildForm(kTopForm);
}

void CDownLoadScene::PlayStage(const std::string& stageText) {
    stageText_ = stageText;
    playRequested_ = true;
}

bool CDownLoadScene::StartPlay() {
    std::unique_ptr<CStage> stage;
    try {
        stage = CStage::ReadXml(nullptr, stageText_, 0);
    } catch (const CQuorException& e) {
        CLog::GetInstance()->Write(FormatErrorReport(e));
    }
    if (!stage) return false;
    // The play scene owns the stage from here and tells it whose it is.
    PushChild(
        std::make_unique<CStageScene>(this, std::move(stage), kPlayShared, kSharedStageLives).release());
    return true;
}

void CDownLoadScene::Update() {
    if (playRequested_) {
        playRequested_ = false;
        // A text that holds no stage is not played; the form stays.
        if (StartPlay()) return;
    }
    if (requestedFormId_ != currentFormId_) BuildForm(requestedFormId_);
    CFormHostScene::Update();
}

void CDownLoadScene::BuildForm(int formId) {
    if (Controls::GCForm* form = GetRootForm()) KeepDownLoadListText(*form, keptListText_);
    currentFormId_ = requestedFormId_ = formId;
    SetRootForm(nullptr);
    SetRootForm(MakeDownLoadForm(formId, this, keptListText_));
}

void CDownLoadScene::OnChildClosed(IScene*) { CMouse::GetInstance()->SetCursorKind(0); }
