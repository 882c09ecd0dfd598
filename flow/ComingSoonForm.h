#pragma once
// The screen of a mode that is not in the game yet: a panel that says what the screen will offer,
// and a way back to the menu (the もどる button, the close button, Z or X).
#include <string>

#include "controls/Buttons.h"
#include "controls/Forms.h"
#include "online/ModeSceneHost.h"

class CComingSoonForm : public Controls::COriginalBaseForm, public Controls::IPushedEventHandler {
  public:
    CComingSoonForm(IModeSceneHost* host, const std::string& title, const std::string& text);

    void HandleInput() override;
    void Draw() override;
    void OnPushed(Controls::GCButton* sender) override;

    Controls::CTextPushButton* GetBackButton() const { return back_; }

  private:
    IModeSceneHost* host_;
    Controls::CTextPushButton* back_;
    bool leaving_ = false;
};
