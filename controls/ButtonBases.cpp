#include "controls/ButtonBases.h"

#include "controls/ControlPort.h"

namespace Controls {

COriginalBaseButton::COriginalBaseButton(int32_t x, int32_t y, int32_t width, int32_t height)
    : width_(width), height_(height) {
    SetPosition(x, y);
}

void COriginalBaseButton::UpdateSelf() {
    frames_ += FrameStep();
    prevHover_ = hover_;
    prevDown_ = down_;
    prevEnabled_ = enabled_;
}

void COriginalBaseButton::OnPush() { Port().PlaySound(ControlSound::kPush); }
void COriginalBaseButton::OnFocus() { Port().PlaySound(ControlSound::kFocus); }

void COriginalBaseButton::NotifyFocused() {
    OnFocus();
    NotifyAll(focusedHandlers_, [this](IFocusedEventHandler* h) { h->OnFocused(this); });
}

void COriginalBaseButton::NotifyUnFocused() {
    NotifyAll(unfocusedHandlers_, [this](IUnFocusedEventHandler* h) { h->OnUnFocused(this, 0); });
}

bool COriginalBaseButton::PollHover() {
    if (!enabled_) return false;
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    MouseInput m = Port().Mouse();
    hover_ = IsPointInRect(m.x, m.y, ax, ay, ax + width_, ay + height_);
    if (hover_ && !prevHover_) NotifyFocused();
    if (!hover_ && prevHover_) NotifyUnFocused();
    return true;
}

void COriginalBaseButton::DropWhenInactive(bool keepDown) {
    if (GetState() == kStateActive && enabled_) return;
    if (hover_) NotifyUnFocused();
    hover_ = false;
    if (!keepDown) down_ = false;
}

bool COriginalBaseButton::Pressed() { return Port().Mouse().leftPressed; }
bool COriginalBaseButton::Released() { return Port().Mouse().leftReleased; }
bool COriginalBaseButton::Held() { return Port().Mouse().leftHeld; }

void CPushButtonBase::UpdateSelf() {
    DropWhenInactive(false);
    COriginalBaseButton::UpdateSelf();
}

void CPushButtonBase::DisarmOutside() {
    if (Released() || (!Pressed() && !Held())) down_ = false;
}

void CPushButtonBase::PollArmed(bool pushOnPress) {
    if (!PollHover()) return;
    if (!hover_) {
        DisarmOutside();
        return;
    }
    if (Pressed()) {
        down_ = true;
        if (pushOnPress) Push();
    } else if (down_ && (Released() || !Held())) {
        down_ = false;
        if (!pushOnPress) Push();
    }
}

void CPushButtonBase::HandleInput() { PollArmed(false); }

void CPushButtonBase::PerformPush() {
    down_ = false;
    Push();
}

void CPushImmediateButtonBase::HandleInput() { PollArmed(true); }

void CToggleButtonBase::UpdateSelf() {
    DropWhenInactive(true);
    COriginalBaseButton::UpdateSelf();
}

void CToggleButtonBase::HandleInput() {
    if (!PollHover()) return;
    if (!hover_ || !clickToggle_ || !Pressed()) return;
    if (down_) {
        down_ = false;
        Pull();
    } else {
        down_ = true;
        Push();
    }
}

void CToggleButtonBase::OnPull() { Port().PlaySound(ControlSound::kPush); }

void CToggleButtonBase::TurnOn() {
    if (down_) return;
    down_ = true;
    Push();
}

void CToggleButtonBase::TurnOff() {
    if (!down_) return;
    down_ = false;
    Pull();
}

void CToggleButtonBase::Pull() {
    OnPull();
    NotifyAll(pulledHandlers_, [this](IPulledEventHandler* h) { h->OnPulled(this); });
}

void CHoldButtonBase::UpdateSelf() {
    if (GetState() != kStateActive || !enabled_) {
        DropWhenInactive(false);
        heldTime_ = 0;
        countdown_ = 0;
    }
    COriginalBaseButton::UpdateSelf();
}

void CHoldButtonBase::HandleInput() {
    if (!PollHover()) return;
    if (!down_) {
        if (hover_ && Pressed()) {
            heldTime_ = 0;
            countdown_ = kFirstDelay;
            down_ = true;
            Push();
        }
        return;
    }
    if (Released() || (!Pressed() && !Held())) {
        Rest();
        return;
    }
    const double dt = FrameStep();
    heldTime_ += dt;
    countdown_ -= dt;
    // The countdown runs out when it reaches zero, so the first repeat comes exactly
    // kFirstDelay frames after the press; the small margin absorbs the rounding of frame times.
    if (countdown_ <= kCountdownMargin) {
        if (heldTime_ >= kFirstDelay + kRampLength) {
            countdown_ = kEndInterval;
        } else {
            const double t = (heldTime_ - kFirstDelay) / kRampLength;
            countdown_ = (1 - t) * kStartInterval + t * kEndInterval;
        }
        Push();
    }
}

}  // namespace Controls
