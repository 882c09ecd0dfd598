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
    // The text was checked when it was saved; it is read again here and never trusted. A text
    // without a stage's structure gives no stage and no code.
    std::string code;
    try {
        if (std::unique_ptr<CStage> stage = CStage::ReadXml(nullptr, stageText_, 0)) {
            // The play scene owns the stage from here and tells it whose it is.
            PushChild(std::make_unique<CStageScene>(this, std::move(stage), kPlayShared, kSharedStageLives));
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
        // A text that holds no stage is not played: the form stays and says so.
        if (StartPlay()) return;
    }
    if (requestedFormId_ != currentFormId_) BuildForm(requestedFormId_);
    CFormHostScene::Update();
}

void CDownLoadScene::BuildForm(int formId) {
    if (Controls::GCForm* form = GetRootForm()) Controls::KeepDownLoadListText(*form, keptListText_);
    currentFormId_ = requestedFormId_ = formId;
    SetRootForm(nullptr);
    SetRootForm(Controls::MakeDownLoadForm(formId, this, keptListText_));
}

void CDownLoadScene::OnChildClosed(IScene*) { CMouse::GetInstance()->SetCursorKind(0); }
