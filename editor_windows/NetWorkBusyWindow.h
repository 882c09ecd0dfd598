#pragma once
// The window over the screen's middle while a network request runs: a message and the moving
// activity light, no way out. When the request fails its owner turns it into an error window
// (message, light stopped, an "O K" that closes it).
#include <cstdint>
#include <string>

#include "controls/Buttons.h"
#include "controls/DisplayParts.h"
#include "controls/Forms.h"

namespace Controls {

class CNetWorkBusyWindow : public CCloseableBeigeForm {
  public:
    explicit CNetWorkBusyWindow(const std::string& message);
    void OnButtonPushed(GCButton* sender) override;
    void SetMessage(const std::string& text) { message_->SetText(text); }
    void StopAnimation() { animation_->SetActive(false); }
    void ShowButton() { ok_->SetVisible(true); }

    CSpriteTextLabel* GetMessageLabel() const { return message_; }
    CNetWorkAnimation* GetAnimation() const { return animation_; }
    CTextPushButton* GetOkButton() const { return ok_; }

  private:
    CSpriteTextLabel* message_;
    CNetWorkAnimation* animation_;
    CTextPushButton* ok_;
};

}  // namespace Controls
