#include "editor_windows/NewAreaFactoryWindow.h"

#include <memory>

#include "controls/Dialogs.h"
#include "editor_windows/AreaClassSelectWindow.h"
#include "editor_windows/NewAreaConfigWindow.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

using namespace Controls;

CNewAreaFactoryWindow::CNewAreaFactoryWindow(CStage* stage, bool askConfirmation)
    : COriginalBaseForm(0, 0, 0, 0),
      phase_(askConfirmation ? kConfirming : kChoosingClass),
      nextStep_(askConfirmation ? kNoStep : kOpenClassWindow),
      areaClass_(AreaClass_NoArea),
      stage_(stage) {
    if (askConfirmation) {
        OpenModal(std::make_unique<CConfirmWindow>("新しいエリアを作成します。\nよろしいですか？", 114, 168))
            ->AddClosedEventHandler(this);
    }
}

void CNewAreaFactoryWindow::UpdateSelf() {
    COriginalBaseForm::UpdateSelf();
    std::unique_ptr<GCForm> next;
    if (nextStep_ == kOpenClassWindow) {
        next = std::make_unique<CAreaClassSelectWindow>(60, 80, stage_->TotalUnits());
    } else if (nextStep_ == kOpenSettingsWindow) {
        next = std::make_unique<CNewAreaConfigWindow>(140, 60, kDefaultMusic, kDefaultBackGround,
                                                      kDefaultWeather);
    } else if (nextStep_ == kOpenErrorWindow) {
        next = std::make_unique<CAlertWindow>(error_);
    }
    nextStep_ = kNoStep;
    if (!next) return;
    next->AddClosedEventHandler(this);
    SetModalForm(std::move(next));
}

void CNewAreaFactoryWindow::OnClosed(GCForm* sender) {
    switch (phase_) {
        case kConfirming: {
            auto* confirm = dynamic_cast<CConfirmWindow*>(sender);
            if (confirm && confirm->GetResult() == kResultYes) {
                phase_ = kChoosingClass;
                nextStep_ = kOpenClassWindow;
            } else {
                Close();
            }
            break;
        }
        case kChoosingClass: {
            auto* classes = dynamic_cast<CAreaClassSelectWindow*>(sender);
            areaClass_ = classes ? classes->GetAreaClass() : int32_t(AreaClass_NoArea);
            if (areaClass_ == AreaClass_NoArea) {
                Close();
            } else {
                phase_ = kChoosingSettings;
                nextStep_ = kOpenSettingsWindow;
            }
            break;
        }
        case kChoosingSettings:
            OnSettingsClosed(sender);
            break;
        case kShowingError:
            Close();
            break;
        default:
            break;
    }
}

void CNewAreaFactoryWindow::OnSettingsClosed(GCForm* sender) {
    auto* settings = dynamic_cast<CNewAreaConfigWindow*>(sender);
    if (!settings || settings->GetResult() != kSettingsOk) {
        Close();
        return;
    }
    BuildArea(settings->GetMusic(), settings->GetBackGround(), settings->GetWeather());
    if (error_.empty()) {
        Close();
    } else {
        phase_ = kShowingError;
        nextStep_ = kOpenErrorWindow;
    }
}

void CNewAreaFactoryWindow::BuildArea(int32_t music, int32_t backGround, int32_t weather) {
    // The area is made on its own and only its text leaves: it is freed here whatever happens.
    // A failure leaves the stage's area numbers as they were.
    const int savedNumber = stage_->maxAbsoluteAreaNum;
    try {
        std::unique_ptr<CStageMap> map = CStageMap::Create(areaClass_);
        auto objects = std::make_unique<CStageAreaObjectTable>(stage_);
        CStageArea area(stage_, std::move(map), std::move(objects), "", music, backGround, weather,
                        stage_->NextAbsoluteAreaNum());
        areaText_ = area.WriteXml();
    } catch (const CQuorException& e) {
        stage_->maxAbsoluteAreaNum = savedNumber;
        areaText_.clear();
        CLog::GetInstance()->Write(FormatErrorReport(e));
        error_ = "[" + e.GetCode() + "]\n" + e.GetMessage();
    }
}
