#include "controls/Forms.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "controls/ControlPort.h"
#include "foundation/Geometry.h"

namespace Controls {

COriginalBaseForm::COriginalBaseForm(int32_t x, int32_t y, int32_t width, int32_t height)
    : width_(width), height_(height) {
    SetPosition(x, y);
}

void COriginalBaseForm::UpdateSelf() {
    frames_ += FrameStep();
    GCForm::UpdateSelf();
}

COriginalMovableForm::COriginalMovableForm(int32_t x, int32_t y, int32_t width, int32_t height)
    : COriginalBaseForm(x, y, width, height), gripRight_(width - 32) {}

void COriginalMovableForm::HandleInput() {
    const MouseInput m = Port().Mouse();
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    if (!dragging_) {
        if (m.leftPressed &&
            IsPointInRect(m.x, m.y, ax + gripLeft_, ay + gripTop_, ax + gripRight_, ay + gripBottom_)) {
            dragging_ = 1;
            grabX_ = ax - m.x;
            grabY_ = ay - m.y;
        }
        return;
    }
    if (!m.leftReleased && (m.leftPressed || m.leftHeld)) {
        const int32_t x = std::min(std::max(m.x + grabX_, minX_), maxX_ - GetWidth());
        const int32_t y = std::min(std::max(m.y + grabY_, minY_), maxY_ - GetHeight());
        SetPosition(x, y);
    } else {
        dragging_ = 0;
    }
}

CMovableFormWithTitleBar::CMovableFormWithTitleBar(const std::string& title, int32_t x, int32_t y,
                                                   int32_t width, int32_t height)
    : COriginalMovableForm(x, y, width, height), title_(title) {
    auto label =
        std::make_unique<CSpriteTextLabel>(title, 16, 12, GetGripRight() - 16, 20, 16, 255, 255, 255);
    label->SetBold(true);
    label->SetAlignment(0);
    titleLabel_ = AddControl(std::move(label));
}

void CMovableFormWithTitleBar::SetTitle(const std::string& title) {
    title_ = title;
    titleLabel_->SetText(title);
}

void CMovableFormWithTitleBar::Draw() {
    if (!IsVisible()) return;
    if (GetState() != drawnState_) {
        if (GetState() == kStateActive) {
            titleLabel_->SetColor(255, 255, 255);
        } else {
            titleLabel_->SetColor(64, 64, 64);
        }
        drawnState_ = GetState();
    }
    DrawBackground();
    DrawTitleBar();
    COriginalBaseForm::Draw();
}

namespace {
int32_t RoundUp40(int32_t n) { return (n + 39) / 40 * 40; }
}  // namespace

CPlainBeigeForm::CPlainBeigeForm(const std::string& title, int32_t x, int32_t y, int32_t width,
                                 int32_t height)
    : CMovableFormWithTitleBar(title, x, y, RoundUp40(width), RoundUp40(height)) {}

void CPlainBeigeForm::DrawBackground() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const int32_t w = GetWidth(), h = GetHeight();
    const int32_t cols = (w + 39) / 40, rows = (h + 39) / 40;
    for (int32_t r = 0; r < rows; ++r) {
        // Source rows of the top, middle and bottom pieces.
        int32_t top = 40, bottom = 80;
        if (r == 0)
            top = 0, bottom = 40;
        else if (r >= rows - 1)
            top = 80, bottom = 128;
        for (int32_t c = 0; c < cols; ++c) {
            int32_t left, right;
            if (c == 0) {
                left = 0, right = 40;
            } else if (c >= cols - 1) {
                left = 80, right = 128;
            } else {
                if (r != 0 && r < rows - 1) continue;  // the inner area is filled below
                left = 40, right = 80;
            }
            PutSheet(kSheet2, ax + 40 * c, ay + 40 * r, left, top, right, bottom);
        }
    }
    if (w > 80 && h > 80) {
        const uint32_t beige = PackColor(205, 165, 106);
        Port().Rect(ax + 40, ay + 40, ax + w - 40, ay + h - 40, beige, beige, 1);
    }
}

void CPlainBeigeForm::DrawTitleBar() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const int32_t cols = (GetWidth() + 39) / 40;
    const int32_t s = GetState() == kStateActive ? 0 : 24;
    for (int32_t c = 0; c < cols; ++c) {
        if (c == 0) {
            PutSheet(kSheet2, ax + 8, ay + 8, 128, s, 160, s + 24);
        } else if (c >= cols - 1) {
            PutSheet(kSheet2, ax + 40 * c, ay + 8, 200, s, 232, s + 24);
        } else {
            PutSheet(kSheet2, ax + 40 * c, ay + 8, 160, s, 200, s + 24);
        }
    }
}

void CCommonCloseButton::Draw() {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const bool live = IsEnabled() && GetState() == kStateActive;
    if (live && IsDown()) {
        PutSheet(kSheet1, x, y, 176, 40, 192, 56);
    } else if (live && IsHovered()) {
        PutSheet(kSheet1, x, y, 160, 56, 176, 72);
    } else if (live) {
        PutSheet(kSheet1, x, y, 160, 40, 176, 56);
    } else {
        PutSheet(kSheet1, x, y, 176, 56, 192, 72);
    }
}

void CCommonCloseButton::OnPush() { Port().PlaySound(ControlSound::kCloseWindow); }

void CBigCloseButton::Draw() {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const int32_t left = IsDown() ? 216 : IsHovered() ? 176 : 136;
    PutSheet(kSheet1, x, y, left, 160, left + 40, 200);
}

void CBigCloseButton::OnPush() { Port().PlaySound(ControlSound::kCloseWindow); }

CCloseableBeigeForm::CCloseableBeigeForm(const std::string& title, int32_t x, int32_t y, int32_t width,
                                         int32_t height)
    : CPlainBeigeForm(title, x, y, width, height) {
    auto close = std::make_unique<CCommonCloseButton>(GetWidth() - 32, 12);
    close->AddPushedEventHandler(this);
    closeButton_ = AddControl(std::move(close));
}

void CCloseableBeigeForm::OnPushed(GCButton* sender) {
    if (sender == closeButton_) {
        OnCloseButtonPushed();
    } else {
        OnButtonPushed(sender);
    }
}

void CExclusiveToggleButtonList::AddToggle(std::unique_ptr<CToggleButtonBase> button) {
    button->AddPushedEventHandler(this);
    button->AddPulledEventHandler(this);
    AddControl(std::move(button));
}

CToggleButtonBase* CExclusiveToggleButtonList::GetButton(int32_t index) {
    if (index < 0 || index >= GetButtonCount()) return nullptr;
    return dynamic_cast<CToggleButtonBase*>(GetControls().At(index));
}

int32_t CExclusiveToggleButtonList::GetSelectedIndex() {
    for (int32_t i = 0; i < GetButtonCount(); ++i) {
        CToggleButtonBase* b = GetButton(i);
        if (b && b->IsDown()) return i;
    }
    return -1;
}

void CExclusiveToggleButtonList::OnPushed(GCButton* sender) {
    const int32_t count = GetButtonCount();
    for (int32_t i = 0; i < count; ++i) {
        CToggleButtonBase* b = GetButton(i);
        if (!b || b == sender) continue;
        b->TurnOff();
        b->EnableClickToggle();
    }
    if (auto* selected = dynamic_cast<CToggleButtonBase*>(sender)) selected->DisableClickToggle();
}

void DrawOpenFrame(int32_t ax, int32_t ay, int32_t w, int32_t h) {
    int32_t off = 40;
    for (; off <= w - 80; off += 40) {
        PutSheet(kSheet2, ax + off, ay, 40, 128, 80, 168);
        PutSheet(kSheet2, ax + off, ay + h - 40, 40, 208, 80, 248);
    }
    PutSheet(kSheet2, ax + off, ay, 40, 128, 40 + w % 40, 168);
    PutSheet(kSheet2, ax + off, ay + h - 40, 40, 208, 40 + w % 40, 248);
    for (off = 40; off <= h - 80; off += 40) {
        PutSheet(kSheet2, ax, ay + off, 0, 168, 40, 208);
        PutSheet(kSheet2, ax + w - 40, ay + off, 80, 168, 120, 208);
    }
    PutSheet(kSheet2, ax, ay + off, 0, 168, 40, 168 + h % 40);
    PutSheet(kSheet2, ax + w - 40, ay + off, 80, 168, 120, 168 + h % 40);
    PutSheet(kSheet2, ax, ay, 0, 128, 40, 168);
    PutSheet(kSheet2, ax + w - 40, ay, 80, 128, 120, 168);
    PutSheet(kSheet2, ax, ay + h - 40, 0, 208, 40, 248);
    PutSheet(kSheet2, ax + w - 40, ay + h - 40, 80, 208, 120, 248);
}

void CFreeContainer::Draw() {
    if (!IsVisible()) return;
    COriginalBaseForm::Draw();
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    DrawOpenFrame(ax, ay, GetWidth(), GetHeight());
}

CRotatablePart::CRotatablePart(int32_t x, int32_t y, double startAngle, double maxAngle, double minAngle,
                               int32_t centreX, int32_t centreY, double radius, double handleRadius)
    : COriginalBasePart(x, y, 0, 0),
      angle(startAngle),
      prevAngle_(startAngle),
      maxAngle_(maxAngle),
      minAngle_(minAngle),
      centreX_(centreX),
      centreY_(centreY),
      radius_(radius),
      handleRadius_(handleRadius) {}

void CRotatablePart::OnGrab() { Port().PlaySound(ControlSound::kPush); }
void CRotatablePart::OnFocus() { Port().PlaySound(ControlSound::kFocus); }

void CRotatablePart::HandleInput() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const int32_t cx = ax + centreX_, cy = ay + centreY_;
    const MouseInput m = Port().Mouse();
    const int32_t hx = int32_t(cx + radius_ * std::cos(angle));
    const int32_t hy = int32_t(cy + radius_ * std::sin(angle));
    hover_ = IsPointInCircle(m.x, m.y, hx, hy, handleRadius_);
    if (hover_ && !prevHover_ && !dragging_) OnFocus();
    if (!dragging_) {
        if (m.leftPressed && hover_) {
            dragging_ = true;
            grabOffset_ = angle - GetAngle(cx, cy, m.x, m.y);
            OnGrab();
        }
    } else if (m.leftReleased || (!m.leftPressed && !m.leftHeld)) {
        dragging_ = false;
    }
    if (!dragging_) return;
    double a = GetAngle(cx, cy, m.x, m.y) + grabOffset_;
    if (a - prevAngle_ > std::numbers::pi) {
        a -= 2 * std::numbers::pi;
    } else if (a - prevAngle_ < -std::numbers::pi) {
        a += 2 * std::numbers::pi;
    }
    angle = a > maxAngle_ ? maxAngle_ : (a < minAngle_ ? minAngle_ : a);
}

void CRotatablePart::UpdateSelf() {
    if (GetState() != kStateActive) hover_ = false;
    prevAngle_ = angle;
    prevHover_ = hover_;
    prevDragging_ = dragging_;
    COriginalBasePart::UpdateSelf();
}

}  // namespace Controls
