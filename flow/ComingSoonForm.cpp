#include "flow/ComingSoonForm.h"

#include "controls/ControlPort.h"
#include "controls/DisplayParts.h"
#include "engine/InputManager.h"

using namespace Controls;

CComingSoonForm::CComingSoonForm(IModeSceneHost* host, const std::string& title, const std::string& text)
    : COriginalBaseForm(0, 0, 640, 480), host_(host) {
    AddControl(std::make_unique<CFreeContainer>(80, 120, 480, 240));
    AddControl(std::make_unique<CCaptionRibon>(title, 96, 136, 240, 0));
    auto label = std::make_unique<CSpriteTextLabel>(text, 112, 176, 416, 112, 16, 45, 30, 8);
    label->SetAlignment(0);
    AddControl(std::move(label));
    back_ = AddControl(std::make_unique<CTextPushButton>(280, 304, "もどる", ControlSound::kCloseWindow));
    back_->AddPushedEventHandler(this);
    AddControl(std::make_unique<CBigCloseButton>(592, 4))->AddPushedEventHandler(this);
}

void CComingSoonForm::HandleInput() {
    const CInputManager* input = CInputManager::GetInstance();
    if (input->IsPushed(kKeyZ) || input->IsPushed(kKeyX)) back_->PerformPush();
}

void CComingSoonForm::Draw() {
    const uint32_t beige = PackColor(205, 165, 106);
    Port().Rect(0, 0, 640, 480, beige, beige, 1);
    COriginalBaseForm::Draw();
}

void CComingSoonForm::OnPushed(GCButton*) {
    if (leaving_) return;
    leaving_ = true;
    host_->CloseScene();
}
