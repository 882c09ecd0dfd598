#pragma once
// The purchase window: the item's name, the creator points before and after the purchase, and
// はい, いいえ and, for music, 試聴 (listen). It only records the answer; the shop buys when it
// closes.
#include <cstdint>

#include "controls/Buttons.h"
#include "controls/Dialogs.h"
#include "controls/Forms.h"
#include "online/ShopItemTable.h"

namespace Controls {

class CShopConfirmWindow : public CCloseableBeigeForm {
  public:
    static constexpr int32_t kWidth = 440, kHeight = 320;
    CShopConfirmWindow(int32_t x, int32_t y, CShopItem item, bool hasPreview);
    void OnButtonPushed(GCButton* sender) override;
    void OnCloseButtonPushed() override;

    CShopItem GetItem() const { return item_; }
    // kResultYes after はい, kResultNo otherwise.
    int32_t GetResult() const { return result_; }
    CTextPushButton* GetYesButton() const { return yesButton_; }
    CTextPushButton* GetNoButton() const { return noButton_; }
    // Null when the item has nothing to listen to.
    CTextPushButton* GetPreviewButton() const { return previewButton_; }

  private:
    // The shop's own music again (nothing when it plays already), then closed.
    void CloseBackToShopMusic();

    CTextPushButton* yesButton_;
    CTextPushButton* noButton_;
    CTextPushButton* previewButton_ = nullptr;
    int32_t result_ = kResultNo;
    bool hasPreview_;
    CShopItem item_;
};

}  // namespace Controls
