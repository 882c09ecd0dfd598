#pragma once
// The top menu's daily automatic connection. Once a day from 06:00, when the player allows it,
// the menu sends the play history and then asks for the appraisal of the player's stages; the
// new rating total changes the rating points and the creator points, and a window shows the
// points and the level before and after. Five failed connections since the last successful
// upload switch the automatic connection off, and a window says so.
//
// The menu's root form owns one: it calls CheckDate at the end of its construction and Update at
// the start of every UpdateSelf; the windows open as the form's modal children.
#include <cstdint>

#include "controls/Widget.h"
#include "online/NetWorkAccessor.h"

namespace Controls {
class GCForm;
}

class CDailyConnection : public INetWorkClosedEventHandler, public Controls::IClosedEventHandler {
  public:
    enum class Phase : int32_t { History = 1, Appraisal = 2 };
    static constexpr int kFailuresBeforeOff = 5;
    static constexpr int kFirstHour = 6;
    static constexpr int32_t kWindowX = 100, kWindowY = 80;

    explicit CDailyConnection(Controls::GCForm* host);
    ~CDailyConnection() override;
    CDailyConnection(const CDailyConnection&) = delete;
    CDailyConnection& operator=(const CDailyConnection&) = delete;

    // The date check: at most once a day, not before 06:00 local time.
    void CheckDate();
    // One pending step a frame.
    void Update();

    void SendPlayHistory();
    void RequestAppraisal();
    void OnAutoConnectFailed();
    void ApplyAppraisal(int32_t newRatingPointSum);

    void OnNetWorkClosed(NetWorkResult result) override;
    void OnClosed(Controls::GCForm*) override {}

    Phase GetPhase() const { return phase_; }
    bool IsHistoryPending() const { return historyPending_; }
    bool IsAppraisalPending() const { return appraisalPending_; }
    bool IsFailurePending() const { return failurePending_; }

  private:
    Controls::GCForm* host_;
    Phase phase_ = Phase::History;
    bool historyPending_ = false;
    bool appraisalPending_ = false;
    bool failurePending_ = false;
};
