#include "controls/TopMenuButton.h"

#include <cmath>

#include "controls/ControlPort.h"

namespace Controls {

CTopMenuButtonBase::CTopMenuButtonBase(int32_t x, int32_t y, int32_t width, int32_t height, double phase)
    : CPushImmediateButtonBase(x, y, width, height), phase_(phase), baseX_(x) {
    Sway();
}

void CTopMenuButtonBase::Sway() {
    // The menu's buttons lie on a root form at the origin, where the absolute y is the own y.
    const double x = baseX_ + kSwayAmplitude * std::sin(kSwaySpeed * swayTime_ + phase_);
    SetPosition(int32_t(x), GetAbsoluteY());
}

void CTopMenuButtonBase::HandleInput() {
    CPushImmediateButtonBase::HandleInput();
    swayTime_ += FrameStep();
    if (down_ && activatable_) activated_ = true;
    if (activated_) activationTime_ += FrameStep();
    Sway();
}

void CTopMenuButtonBase::OnPush() {
    if (!activated_) Port().PlaySound(kPushSound);
}

void CTopMenuButtonBase::OnFocus() {
    if (activatable_ && !activated_) Port().PlaySound(ControlSound::kFocus);
}

void CTopMenuButtonBase::PerformPush() {
    down_ = false;
    Push();
    if (activatable_) activated_ = true;
}

}  // namespace Controls
