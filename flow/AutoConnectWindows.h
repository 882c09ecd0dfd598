#pragma once
// The two windows of the daily automatic connection: the creator points and level before and
// after an appraisal, and the notice that the automatic connection switched itself off.
#include <cstdint>
#include <string>

#include "controls/Buttons.h"
#include "controls/Forms.h"

namespace Controls {

class CShowCreaterPointWindow : public CCloseableBeigeForm {
  public:
    CShowCreaterPointWindow(int32_t x, int32_t y, int32_t oldLevel, int32_t oldPoints, int32_t newLevel,
                            int32_t newPoints);
    void OnButtonPushed(GCButton* sender) override;
    CTextPushButton* GetOkButton() const { return ok_; }
    const std::string& GetMessage() const { return message_; }

    // The message for the change: nothing gained, a gain (with or without a new level), or a
    // loss (with or without a lower level).
    static std::string MessageFor(int32_t oldLevel, int32_t oldPoints, int32_t newLevel, int32_t newPoints);

  private:
    CTextPushButton* ok_;
    std::string message_;
};

class CAccessFailInfomationWindow : public CCloseableBeigeForm {
  public:
    CAccessFailInfomationWindow(int32_t x, int32_t y);
    void OnButtonPushed(GCButton* sender) override;
    CTextPushButton* GetOkButton() const { return ok_; }

  private:
    CTextPushButton* ok_;
};

}  // namespace Controls
