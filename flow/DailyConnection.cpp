#include "flow/DailyConnection.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "controls/Forms.h"
#include "flow/AutoConnectWindows.h"
#include "foundation/ClientInfo.h"
#include "foundation/DateTime.h"
#include "foundation/PlayHistory.h"
#include "foundation/TextConvert.h"

CDailyConnection::CDailyConnection(Controls::GCForm* host) : host_(host) {}

CDailyConnection::~CDailyConnection() {
    if (CNetWorkAccessor::HasInstance()) CNetWorkAccessor::GetInstance()->RemoveClosedListener(this);
}

void CDailyConnection::CheckDate() {
    const CDateTime now;
    const std::string today = now.FormatDateCompact();
    CClientInfo* info = CClientInfo::GetInstance();
    if (today == info->GetLastBootUpDate()) return;
    // Before 06:00 nothing is recorded: a later visit of the menu after 06:00 checks again.
    if (now.GetHour() < kFirstHour) return;
    if (info->GetSendingPermission()) {
        if (CPlayHistory::GetInstance()->GetCount() > 0) {
            historyPending_ = true;
        } else {
            appraisalPending_ = true;
        }
    }
    info->SetLastBootUpDate(today);
}

void CDailyConnection::Update() {
    if (historyPending_) {
        historyPending_ = false;
        SendPlayHistory();
    } else if (appraisalPending_) {
        appraisalPending_ = false;
        RequestAppraisal();
    } else if (failurePending_) {
        failurePending_ = false;
        OnAutoConnectFailed();
    }
}

void CDailyConnection::SendPlayHistory() {
    CPlayHistory* history = CPlayHistory::GetInstance();
    const std::string count = std::to_string(history->GetCount());
    phase_ = Phase::History;
    CNetWorkAccessor* net = CNetWorkAccessor::GetInstance();
    net->AddClosedListener(this);
    net->Start(NetWorkOperation::SendPlayHistory, count, {}, {}, {}, history->CreateRecordArray());
}

void CDailyConnection::RequestAppraisal() {
    CClientInfo* info = CClientInfo::GetInstance();
    if (!info->HasCreatorId()) return;
    phase_ = Phase::Appraisal;
    CNetWorkAccessor* net = CNetWorkAccessor::GetInstance();
    net->AddClosedListener(this);
    net->Start(NetWorkOperation::GetAppraisal, info->GetCreatorId());
}

void CDailyConnection::OnNetWorkClosed(NetWorkResult result) {
    if (!result.Succeeded) {
        failurePending_ = true;
        return;
    }
    if (phase_ == Phase::History) {
        CPlayHistory::GetInstance()->ClearAndSave();
        CClientInfo::GetInstance()->SetAccessFailCount(0);
        appraisalPending_ = true;
        return;
    }
    // Only a whole decimal number is a rating total; anything else counts as a failed connection.
    const auto total = ParseWholeInt32(result.Text);
    if (!total) {
        failurePending_ = true;
        return;
    }
    ApplyAppraisal(*total);
}

void CDailyConnection::ApplyAppraisal(int32_t newRatingPointSum) {
    CClientInfo* info = CClientInfo::GetInstance();
    const int32_t oldLevel = GetCreatorLevel();
    const int32_t oldPoints = info->GetCreatorPoint();
    const int64_t delta = static_cast<int64_t>(newRatingPointSum) - info->GetRatingPointSum();
    const int32_t clamped = static_cast<int32_t>(std::clamp<int64_t>(delta, INT32_MIN, INT32_MAX));
    info->AddRatingPoints(clamped);
    info->AddCreatorPointsFromRating(clamped);
    const int32_t newLevel = GetCreatorLevel();
    const int32_t newPoints = info->GetCreatorPoint();
    auto window = std::make_unique<Controls::CShowCreaterPointWindow>(kWindowX, kWindowY, oldLevel, oldPoints,
                                                                      newLevel, newPoints);
    window->AddClosedEventHandler(this);
    host_->SetModalForm(std::move(window));
}

void CDailyConnection::OnAutoConnectFailed() {
    CClientInfo* info = CClientInfo::GetInstance();
    const int count = info->GetAccessFailCount() + 1;
    info->SetAccessFailCount(count);
    if (count >= kFailuresBeforeOff && info->GetSendingPermission()) {
        info->SetSendingPermission(false);
        auto window = std::make_unique<Controls::CAccessFailInfomationWindow>(kWindowX, kWindowY);
        window->AddClosedEventHandler(this);
        host_->SetModalForm(std::move(window));
    }
}
