#include "controls/ScrollBars.h"

#include <algorithm>

#include "controls/ControlPort.h"

namespace Controls {

COriginalBaseMovablePart::COriginalBaseMovablePart(int32_t x, int32_t y, int32_t width, int32_t height,
                                                   int32_t left, int32_t top, int32_t right, int32_t bottom)
    : GCMovablePart(left, top, right - width, bottom - height), width_(width), height_(height) {
    SetPosition(x, y);
}

void COriginalBaseMovablePart::OnPush() { Port().PlaySound(ControlSound::kPush); }
void COriginalBaseMovablePart::OnFocus() { Port().PlaySound(ControlSound::kFocus); }

void COriginalBaseMovablePart::UpdateSelf() {
    frames_ += FrameStep();
    prevHover_ = hover_;
}

void COriginalBaseMovablePart::HandleInput() {
    const MouseInput m = Port().Mouse();
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    hover_ = IsPointInRect(m.x, m.y, ax, ay, ax + width_, ay + height_);
    if (hover_ && !prevHover_ && !IsDragging()) OnFocus();
    if (IsDragging()) {
        if (!m.leftReleased && (m.leftPressed || m.leftHeld)) {
            DragTo(m.x, m.y);
        } else {
            EndDrag();
        }
    } else if (m.leftPressed && hover_) {
        BeginDrag(m.x, m.y);
        OnPush();
    }
}

void CAbstractScrollBarGrip::DrawGrip(bool vertical) {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    // Columns (vertical) or rows (horizontal) of the start cap in the three looks.
    const int32_t look = IsDragging() ? 2 : (IsHovered() ? 1 : 0);
    if (vertical) {
        const int32_t left = 208 + 16 * look, h = GetHeight();
        PutSheet(kSheet1, x, y, left, 88, left + 16, 96);
        for (int32_t off = 8; off < h - 8; off += 8) PutSheet(kSheet1, x, y + off, left, 96, left + 16, 104);
        PutSheet(kSheet1, x, y + h - 8, left, 104, left + 16, 112);
    } else {
        static constexpr int32_t kCap[3][2] = {{160, 72}, {160, 88}, {184, 88}};
        const int32_t left = kCap[look][0], top = kCap[look][1], w = GetWidth();
        PutSheet(kSheet1, x, y, left, top, left + 8, top + 16);
        for (int32_t off = 8; off < w - 8; off += 8)
            PutSheet(kSheet1, x + off, y, left + 8, top, left + 16, top + 16);
        PutSheet(kSheet1, x + w - 8, y, left + 16, top, left + 24, top + 16);
    }
    DrawChildren();
}

CScrollBarBase::CScrollBarBase(int32_t x, int32_t y, int32_t value, int32_t maximum, int32_t minimum,
                               int32_t step, int32_t length, int32_t thickness, bool vertical)
    : COriginalBaseForm(x, y, vertical ? thickness : length, vertical ? length : thickness),
      value_(value),
      maximum_(maximum),
      minimum_(minimum),
      step_(step),
      length_(length) {
    if (length_ < 32) length_ = 32;
    if (step_ < 1) step_ = 1;
    if (minimum_ >= maximum_) minimum_ = maximum_ - 1;
    if (minimum_ < 0) minimum_ = 0;
    if (maximum_ <= minimum_) maximum_ = minimum_ + 1;
    if (maximum_ < 1) maximum_ = 1;
    value_ = SnapValue(value_);
}

int32_t CScrollBarBase::SnapValue(int32_t v) const {
    if (v >= maximum_) return maximum_;
    const int32_t r = (v - minimum_) % step_;
    int32_t out = v;
    if (r != 0) out = 2 * r < step_ ? v - r : v - r + step_;
    return std::max(std::min(out, maximum_), minimum_);
}

void CScrollBarBase::SetValue(int32_t value) {
    value_ = SnapValue(value);
    UpdateGripPosition();
}

void CScrollBarBase::SetMaximum(int32_t maximum) {
    maximum_ = maximum;
    if (maximum_ <= minimum_) maximum_ = minimum_ + 1;
    if (maximum_ < 1) maximum_ = 1;
    SetValue(value_);
}

void CScrollBarBase::SetMinimum(int32_t minimum) {
    minimum_ = minimum;
    if (minimum_ >= maximum_) minimum_ = maximum_ - 1;
    if (minimum_ < 0) minimum_ = 0;
    SetValue(value_);
}

void CScrollBarBase::StepBack() {
    const int32_t r = (value_ - minimum_) % step_;
    SetValue(r == 0 ? value_ - step_ : value_ - r);
}

CBasicScrollBar::CBasicScrollBar(int32_t x, int32_t y, int32_t value, int32_t maximum, int32_t minimum,
                                 int32_t step, int32_t length, bool vertical)
    : CScrollBarBase(x, y, value, maximum, minimum, step, length, 16, vertical), vertical_(vertical) {
    const int32_t len = GetLength();
    std::unique_ptr<CAbstractScrollBarGrip> grip;
    std::unique_ptr<CScrollBarArrowButton> forward, back;
    if (vertical) {
        grip = std::make_unique<CVerticalScrollBarGrip>(0, 0, 0, 17, 16, len - 17);
        forward = std::make_unique<CScrollBarDownButton>(0, len - 16);
        back = std::make_unique<CScrollBarUpButton>(0, 0);
    } else {
        grip = std::make_unique<CHorizontalScrollBarGrip>(0, 0, 17, 0, len - 17, 16);
        forward = std::make_unique<CScrollBarRightButton>(len - 16, 0);
        back = std::make_unique<CScrollBarLeftButton>(0, 0);
    }
    grip->AddMovedEventHandler(this);
    forward->AddPushedEventHandler(this);
    back->AddPushedEventHandler(this);
    grip_ = AddControl(std::move(grip));
    forward_ = AddControl(std::move(forward));
    back_ = AddControl(std::move(back));
    UpdateGripPosition();
    ready_ = true;
}

void CBasicScrollBar::UpdateGripPosition() {
    if (vertical_) {
        grip_->SetPosition(grip_->GetX(), GetGripPosition());
    } else {
        grip_->SetPosition(GetGripPosition(), grip_->GetY());
    }
}

int32_t CBasicScrollBar::GetGripPosition() const {
    const int32_t g = grip_->GetLength();
    const int32_t a = g / 2 + 17, b = GetLength() - 17 - g / 2;
    if (GetMinimum() == GetMaximum()) return 0;
    const double p = double(value_ - GetMinimum()) / double(GetMaximum() - GetMinimum()) * (b - a);
    const int32_t r = int32_t(p);
    return r - g / 2 + a + (p != double(r) ? 1 : 0);
}

int32_t CBasicScrollBar::GetValueFromGrip() const {
    const int32_t g = grip_->GetLength();
    const int32_t halfGrip = g / 2;  // whole pixels
    const int32_t a = halfGrip + 17, b = GetLength() - 17 - halfGrip;
    if (a == b) return 0;
    const int32_t pos = vertical_ ? grip_->GetY() : grip_->GetX();
    const double t = double(pos + halfGrip - a) / double(b - a);
    return int32_t(GetMinimum() + (GetMaximum() - GetMinimum()) * t + 0.5);
}

void CBasicScrollBar::UpdateSelf() {
    if (ready_) CScrollBarBase::UpdateSelf();
}

void CBasicScrollBar::HandleInput() {
    if (ready_ && grip_->IsDragging()) value_ = SnapValue(GetValueFromGrip());
}

void CBasicScrollBar::OnPushed(GCButton* sender) {
    if (sender == forward_) {
        StepForward();
    } else if (sender == back_) {
        StepBack();
    }
}

void CBasicScrollBar::OnMoved(GCMovablePart*) { UpdateValueFromGrip(); }

void CBasicScrollBar::SizeGrip(double percent) {
    percent = std::min(std::max(percent, 1.0), 100.0);
    const int32_t len = GetLength();
    grip_->SetLength(int32_t(percent * (len - 34) * 0.01));
    const int32_t g = grip_->GetLength();
    if (vertical_) {
        grip_->SetBounds(0, 17, 0, len - g - 16);
    } else {
        grip_->SetBounds(17, 0, len - g - 16, 0);
    }
    UpdateGripPosition();
}

void CBasicScrollBar::Draw() {
    if (!ready_ || !IsVisible()) return;
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const int32_t len = GetLength(), r = len % 8;
    int32_t off = 24;
    if (vertical_) {
        PutSheet(kSheet2, x, y + 16, 232, 16, 248, 24);
        for (; off < len - 32; off += 8) PutSheet(kSheet2, x, y + off, 232, 24, 248, 32);
        PutSheet(kSheet2, x, y + off, 232, 24, 248, 24 + (r ? r : 8));
        PutSheet(kSheet2, x, y + len - 24, 232, 32, 248, 40);
    } else {
        PutSheet(kSheet2, x + 16, y, 232, 0, 240, 16);
        for (; off < len - 32; off += 8) PutSheet(kSheet2, x + off, y, 240, 0, 248, 16);
        PutSheet(kSheet2, x + off, y, 240, 0, 240 + (r ? r : 8), 16);
        PutSheet(kSheet2, x + len - 24, y, 248, 0, 256, 16);
    }
    COriginalBaseForm::Draw();
}

}  // namespace Controls
