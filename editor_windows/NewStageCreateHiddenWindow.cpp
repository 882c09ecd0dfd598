#include "editor_windows/NewStageCreateHiddenWindow.h"

#include <utility>

#include "controls/Dialogs.h"
#include "controls/KeyboardWindow.h"
#include "editor_windows/FileSaveHiddenWindow.h"
#include "editor_windows/NewAreaFactoryWindow.h"
#include "foundation/ClientInfo.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "foundation/VersionNumber.h"
#include "foundation/XmlNode.h"
#include "stage/Stage.h"
#include "stage/StageChips.h"

namespace {
constexpr int32_t kTitleLimit = 12;
}  // namespace

CNewStageCreateHiddenWindow::CNewStageCreateHiddenWindow(bool modified, IEditorWindowHost* host, bool isNew,
                                                         int32_t category, const std::string& stageName)
    : CHiddenSequenceWindow(640, 480, modified ? kAskSave : kConfirmNew),
      isNew_(isNew),
      host_(host),
      category_(category),
      stageName_(stageName) {}

CNewStageCreateHiddenWindow::~CNewStageCreateHiddenWindow() = default;

std::unique_ptr<Controls::GCForm> CNewStageCreateHiddenWindow::MakeDialog(int32_t step) {
    switch (step) {
        case kAskSave:
            return std::make_unique<Controls::CConfirmCancelWindow>("\n現在のステージを保存しますか？");
        case kSave:
            return std::make_unique<CFileSaveHiddenWindow>(host_, isNew_, category_, stageName_);
        case kConfirmNew:
            return std::make_unique<Controls::CConfirmWindow>(
                "新しいステージを作成します。\nよろしいですか？");
        case kAskTitle:
            return std::make_unique<Controls::CVirtualKeyBoard>("新しいステージのタイトルを入力してください",
                                                                kTitleLimit);
        case kMakeFirstArea:
            return std::make_unique<CNewAreaFactoryWindow>(newStage_.get(), false);
        default:
            return nullptr;
    }
}

void CNewStageCreateHiddenWindow::OnDialogClosed(int32_t step, Controls::GCForm* dialog) {
    switch (step) {
        case kAskSave:
            // Not saving skips the confirmation too: the player has just answered about the stage.
            GoOnAfterSaveQuestion(dialog, kSave, kAskTitle);
            return;
        case kSave:
            GoOnAfterSave(dialog, kAskTitle);
            return;
        case kConfirmNew:
            if (AnswerOf(dialog) == Controls::kResultYes) {
                GoTo(kAskTitle);
            } else {
                End();
            }
            return;
        case kAskTitle: {
            const auto* w = dynamic_cast<const Controls::CVirtualKeyBoard*>(dialog);
            if (!w || w->IsCancelled()) {
                End();
                return;
            }
            BuildStage(w->GetInputText());
            GoTo(kMakeFirstArea);
            return;
        }
        case kMakeFirstArea: {
            const auto* w = dynamic_cast<const CNewAreaFactoryWindow*>(dialog);
            if (w && !w->GetAreaXmlText().empty()) FinishStage(w->GetAreaXmlText());
            End();
            return;
        }
        default:
            End();
            return;
    }
}

void CNewStageCreateHiddenWindow::BuildStage(const std::string& title) {
    newStage_ = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
    newStage_->SetName(title);
    const CClientInfo* info = CClientInfo::GetInstance();
    const std::string creator = info->HasCreatorId() ? info->GetCreatorName() : std::string();
    newStage_->SetOriginalAuthor(creator);
    newStage_->SetArrangedAuthors(creator);
    newStage_->arrangementPermissionFlag = true;
    newStage_->category = StageCategory_Local;
}

bool CNewStageCreateHiddenWindow::FinishStage(const std::string& areaXml) {
    if (!newStage_) return false;
    CStage& stage = *newStage_;
    std::unique_ptr<CStageArea> area;
    try {
        area = CStageArea::ReadXml(&stage, "<TEMPAREA>" + StripXmlWhitespace(areaXml) + "</TEMPAREA>");
    } catch (const CQuorException& e) {
        CLog::GetInstance()->Write(FormatErrorReport(e));
    }
    if (!area) return false;
    const int newHeight = area->GetHeight();
    if (stage.GetAreaCount() < CStage::kMaxAreas && stage.AppendArea(std::move(area)) &&
        stage.GetAreaCount() == 1 && stage.startArea == 0) {
        const int w = stage.GetAreaWidth(0), h = stage.GetAreaHeight(0);
        if (stage.startX >= w) stage.startX = w - 1;
        if (stage.startY >= h) stage.startY = h - 1;
    }
    // The hero starts near the left edge, three rows above the bottom of the first area.
    const int h = newHeight - 3;
    if (stage.GetAreaCount() >= 1 && stage.GetAreaWidth(0) > 2 && h >= 0 && h < stage.GetAreaHeight(0)) {
        stage.startArea = 0;
        stage.startX = 2;
        stage.startY = h;
    }
    stageXml_ = stage.WriteXml();
    return true;
}
