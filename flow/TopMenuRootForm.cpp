#include "flow/TopMenuRootForm.h"

#include <utility>

#include "controls/ControlPort.h"
#include "engine/InputManager.h"
#include "flow/TopMenuScene.h"
#include "foundation/ClientInfo.h"
#include "foundation/Geometry.h"

namespace Controls {

namespace {

const char kSheet7[] = "Controls_007";
const char kSheet8[] = "Controls_008";
const char kSheet9Name[] = "Controls_009";

const TopMenuEntryLook kLooks[kEntryCount] = {
    {120, 80, 400, 40, 0.0, kSheet7, 0, 0, kModeScenario},
    {120, 144, 400, 40, 1.25 * kPi, kSheet7, 0, 80, kModeStageSelect},
    {120, 208, 400, 40, 0.5 * kPi, kSheet7, 0, 160, kModeMakeStage},
    {120, 272, 400, 40, kPi, kSheet8, 0, 0, kModeRegisterCreator},
    {120, 272, 400, 40, kPi, kSheet8, 0, 80, kModeCreatorAdmin},
    {120, 336, 400, 40, 1.75 * kPi, kSheet8, 0, 160, kModeShop},
    {80, 432, 160, 32, 0.75 * kPi, kSheet9Name, 0, 0, kModeNetWorkTest},
    {400, 432, 160, 32, 0.25 * kPi, kSheet9Name, 0, 32, kModeConfig},
};

// The highlight band over a wide entry: a left cap, eleven middle pieces and a right cap, from
// the band row `top` of the ninth sheet.
void DrawBand(int32_t x, int32_t y, int32_t top) {
    PutSheet(kSheet9, x, y, 160, top, 192, top + 40);
    for (int32_t i = 1; i <= 11; ++i) PutSheet(kSheet9, x + 32 * i, y, 192, top, 224, top + 40);
    PutSheet(kSheet9, x + 368, y, 224, top, 256, top + 40);
}

}  // namespace

const TopMenuEntryLook& GetTopMenuEntryLook(TopMenuEntry entry) { return kLooks[entry]; }

CTopMenuModeButton::CTopMenuModeButton(TopMenuEntry entry)
    : CTopMenuButtonBase(kLooks[entry].x, kLooks[entry].y, kLooks[entry].width, kLooks[entry].height,
                         kLooks[entry].phase),
      entry_(entry) {}

bool CTopMenuModeButton::BlinkOn() const { return static_cast<int>(GetActivationTime()) % 8 < 4; }

void CTopMenuModeButton::DrawWide(int32_t x, int32_t y) const {
    const TopMenuEntryLook& look = kLooks[entry_];
    PutSheet(look.sheet, x, y, 0, look.row, 256, look.row + 40);
    PutSheet(look.sheet, x + 256, y, 0, look.row + 40, 144, look.row + 80);
    if (IsActivated()) {
        if (BlinkOn()) DrawBand(x, y, 40);
    } else if (IsHovered() && IsActivatable()) {
        DrawBand(x, y, 0);
    }
}

void CTopMenuModeButton::DrawSmall(int32_t x, int32_t y) const {
    const TopMenuEntryLook& look = kLooks[entry_];
    PutSheet(look.sheet, x, y, look.left, look.row, look.left + 160, look.row + 32);
    if (IsActivated()) {
        if (BlinkOn()) PutSheet(kSheet9, x, y, 0, 96, 160, 128);
    } else if (IsHovered() && IsActivatable()) {
        PutSheet(kSheet9, x, y, 0, 64, 160, 96);
    }
}

void CTopMenuModeButton::Draw() {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    if (kLooks[entry_].width == 400) {
        DrawWide(x, y);
    } else {
        DrawSmall(x, y);
    }
}

CTopMenuRootForm::CTopMenuRootForm(CTopMenuScene* owner) : COriginalBaseForm(0, 0, 640, 480), owner_(owner) {
    const bool creator = CClientInfo::GetInstance()->HasCreatorId();
    for (int i = 0; i < kEntryCount; ++i) {
        const auto entry = static_cast<TopMenuEntry>(i);
        if (entry == kEntryRegisterCreator && creator) continue;
        if ((entry == kEntryCreatorAdmin || entry == kEntryShop) && !creator) continue;
        auto button = std::make_unique<CTopMenuModeButton>(entry);
        button->AddPushedEventHandler(this);
        buttons_[entry] = AddControl(std::move(button));
    }
    CheckDailyConnection();
}

void CTopMenuRootForm::UpdateSelf() {
    RunDailyConnectionStep();
    COriginalBaseForm::UpdateSelf();
}

void CTopMenuRootForm::HandleInput() {
    const CInputManager* input = CInputManager::GetInstance();
    // In this order, the first key pushed acts. F4 is the registration or, for a creator, the
    // account; Z (with the pad's first button) is the scenario.
    CTopMenuModeButton* const registration =
        buttons_[kEntryRegisterCreator] ? buttons_[kEntryRegisterCreator] : buttons_[kEntryCreatorAdmin];
    const std::pair<bool, CTopMenuModeButton*> shortcuts[] = {
        {input->IsFunctionKeyPushed(1), buttons_[kEntryScenario]},
        {input->IsFunctionKeyPushed(2), buttons_[kEntryStageSelect]},
        {input->IsFunctionKeyPushed(3), buttons_[kEntryMakeStage]},
        {input->IsFunctionKeyPushed(4), registration},
        {input->IsFunctionKeyPushed(5), buttons_[kEntryShop]},
        {input->IsPushed(kKeyZ), buttons_[kEntryScenario]},
    };
    for (const auto& [pushed, button] : shortcuts) {
        if (!pushed) continue;
        if (button) button->PerformPush();
        return;
    }
}

void CTopMenuRootForm::OnPushed(GCButton* sender) {
    if (modeChosen_) return;
    modeChosen_ = true;
    for (CTopMenuModeButton* button : buttons_) {
        if (button && button != sender) button->DisableActivation();
    }
    if (auto* chosen = dynamic_cast<CTopMenuModeButton*>(sender)) owner_->SelectMode(chosen->GetMode());
}

}  // namespace Controls
