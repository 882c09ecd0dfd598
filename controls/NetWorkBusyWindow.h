#pragma once
// The window that stands over the screen while the network accessor runs a request: a message
// and a running light, no way out. When the request fails the accessor turns it into an error
// window: the light stops, the title changes and "O K" appears, whose push closes the window.
#include <string>

#include "controls/Buttons.h"
#include "controls/DisplayParts.h"
#include "controls/Forms.h"

namespace Controls {

class CNetWorkBusyWindow : public CCloseableBeigeForm {
  public:
    explicit CNetWorkBusyWindow(const std::string& message);

    void SetMessage(const std::string& text) { message_->SetText(text); }
    void ShowButton() { ok_->SetVisible(true); }
    void StopAnimation() { animation_->SetActive(false); }
    void OnButtonPushed(GCButton* sender) override;

    CSpriteTextLabel* GetMessageLabel() const { return message_; }
    CNetWorkAnimation* GetAnimation() const { return animation_; }
    CTextPushButton* GetOkButton() const { return ok_; }

  private:
    CSpriteTextLabel* message_;
    CNetWorkAnimation* animation_;
    CTextPushButton* ok_;
};

}  // namespace Controls
