#include "controls/NetWorkBusyWindow.h"

#include <memory>

namespace Controls {

CNetWorkBusyWindow::CNetWorkBusyWindow(const std::string& message)
    : CCloseableBeigeForm("しばらくお待ちください…", 120, 120, 400, 240) {
    message_ = AddControl(std::make_unique<CSpriteTextLabel>(message, 60, 56, 280, 80));
    animation_ = AddControl(std::make_unique<CNetWorkAnimation>(104, 140));
    HideCloseButton();
    auto ok = std::make_unique<CTextPushButton>(GetWidth() / 2 - 40, 164, "O K");
    ok->AddPushedEventHandler(this);
    ok->SetVisible(false);
    ok_ = AddControl(std::move(ok));
}

void CNetWorkBusyWindow::OnButtonPushed(GCButton* sender) {
    if (sender == ok_) Close();
}

}  // namespace Controls
