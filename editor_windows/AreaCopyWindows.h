#pragma once
// The two windows of copying the current area: the question (with the area cost before and
// after the copy as two bars against the limit of 10) and, when the copy would pass the limit,
// the warning that it cannot be made.
#include <cstdint>
#include <string>

#include "controls/Dialogs.h"

namespace Controls {

class CAreaCopyConfirmWindow : public CCloseableBeigeForm {
  public:
    static constexpr int32_t kWidth = 320, kHeight = 280;
    CAreaCopyConfirmWindow(int32_t x, int32_t y, int32_t usedUnits, int32_t unitsAfterCopy);
    void OnButtonPushed(GCButton* sender) override;
    void OnCloseButtonPushed() override;
    // kResultYes after "はい"; kResultNo after "いいえ", the close button or no answer at all.
    int32_t GetResult() const { return result_; }
    int32_t GetUsedUnits() const { return usedUnits_; }
    int32_t GetUnitsAfterCopy() const { return unitsAfterCopy_; }
    CTextPushButton* GetYesButton() const { return yes_; }
    CTextPushButton* GetNoButton() const { return no_; }

  private:
    CTextPushButton* yes_ = nullptr;
    CTextPushButton* no_ = nullptr;
    int32_t result_ = kResultNo;
    int32_t usedUnits_, unitsAfterCopy_;
};

class CAreaCopyAlertWindow : public CCloseableBeigeForm {
  public:
    static constexpr int32_t kWidth = 320, kHeight = 280;
    CAreaCopyAlertWindow(int32_t x, int32_t y, int32_t usedUnits, int32_t unitsAfterCopy);
    // "O K" closes it; it has no result.
    void OnButtonPushed(GCButton* sender) override;
    CTextPushButton* GetOkButton() const { return ok_; }
    int32_t GetUsedUnits() const { return usedUnits_; }
    int32_t GetUnitsAfterCopy() const { return unitsAfterCopy_; }

  private:
    CTextPushButton* ok_ = nullptr;
    int32_t usedUnits_, unitsAfterCopy_;
};

}  // namespace Controls
