#include "editor_windows/PopUpHelp.h"

#include <algorithm>
#include <cmath>

#include "controls/ControlPort.h"
#include "foundation/TextEncoding.h"

using Controls::kSheet2;
using Controls::PutSheet;

namespace {
constexpr int32_t kTopEdge = 40;
constexpr double kRest = 8.0, kSwingFrames = 9.0;
// The text sits 12 pixels into the box and 5 down, inside the box's border rows and end caps.
constexpr int32_t kTextDx = 12, kTextDy = 5, kTextHeight = 18, kRightCap = 8;
// The inside of the balloon's middle piece.
constexpr uint32_t kBalloonInside = Controls::PackColor(255, 251, 232);

bool IsAbove(CPopUpHelp::Orientation o) {
    return o == CPopUpHelp::Orientation::kAboveLeft || o == CPopUpHelp::Orientation::kAboveRight;
}
bool IsLeft(CPopUpHelp::Orientation o) {
    return o == CPopUpHelp::Orientation::kAboveLeft || o == CPopUpHelp::Orientation::kBelowLeft;
}

Controls::TextLook HelpLook() {
    Controls::TextLook look;
    look.red = 45, look.green = 30, look.blue = 8;
    look.fontName = Controls::kFixedFont;
    look.fontSize = 14;
    look.alignment = 0;
    return look;
}
}  // namespace

CPopUpHelp::CPopUpHelp(const std::string& text, int32_t x, int32_t y)
    : text_(text), x_(x), y_(y), width_(int32_t(7 * Cp932Length(text))) {
    const bool above = y > kTopEdge;
    if (x - width_ >= 0) {
        orientation_ = above ? Orientation::kAboveLeft : Orientation::kBelowLeft;
    } else {
        orientation_ = above ? Orientation::kAboveRight : Orientation::kBelowRight;
    }
}

CPopUpHelp::~CPopUpHelp() {
    if (textSurface_ > 0) Controls::Port().ReleaseSurface(textSurface_);
}

void CPopUpHelp::Advance() { timer_ += Controls::FrameStep(); }

double CPopUpHelp::GetBob() const { return std::max(0.0, kSwingFrames - timer_) * std::cos(timer_) + kRest; }

int32_t CPopUpHelp::GetBoxWidth() const { return (width_ + 24 + 7) / 8 * 8; }

int32_t CPopUpHelp::GetBoxLeft() const { return IsLeft(orientation_) ? x_ - GetBoxWidth() + 16 : x_ - 16; }

int32_t CPopUpHelp::GetBoxTop() const {
    const double bob = GetBob();
    return IsAbove(orientation_) ? int32_t((y_ - 32) - bob) : int32_t((y_ + 11) + bob);
}

void CPopUpHelp::Draw() {
    const int32_t w = GetBoxWidth(), left = GetBoxLeft(), top = GetBoxTop();
    DrawBox(left, top, w);
    DrawTail(GetBob());
    DrawTextPart(left, top, w);
}

void CPopUpHelp::DrawBox(int32_t left, int32_t top, int32_t boxWidth) const {
    PutSheet(kSheet2, left, top, 120, 208, 128, 232);
    for (int32_t x = left + 8; x <= left + boxWidth - 16; x += 8)
        PutSheet(kSheet2, x, top, 128, 208, 136, 232);
    PutSheet(kSheet2, left + boxWidth - 8, top, 136, 208, 144, 232);
}

void CPopUpHelp::DrawTail(double bob) const {
    switch (orientation_) {
        case Orientation::kAboveLeft:
            PutSheet(kSheet2, x_, int32_t((y_ - 11) - bob), 160, 224, 176, 240);
            break;
        case Orientation::kBelowLeft:
            PutSheet(kSheet2, x_, int32_t((y_ - 4) + bob), 160, 208, 176, 224);
            break;
        case Orientation::kAboveRight:
            PutSheet(kSheet2, x_ - 7, int32_t((y_ - 11) - bob), 144, 224, 160, 240);
            break;
        case Orientation::kBelowRight:
            PutSheet(kSheet2, x_ - 7, int32_t((y_ - 4) + bob), 144, 208, 160, 224);
            break;
    }
}

void CPopUpHelp::DrawTextPart(int32_t left, int32_t top, int32_t boxWidth) {
    const int32_t x = left + kTextDx, y = top + kTextDy;
    const int32_t w = boxWidth - kTextDx - kRightCap;
    // A text wholly off the screen is neither drawn nor rendered; it is when it comes back.
    if (w <= 0 || x >= 640 || y >= 480 || x + w <= 0 || y + kTextHeight <= 0) return;
    Controls::IControlPort& port = Controls::Port();
    if (textSurface_ < 0) {
        textSurface_ = std::max(port.TextSurface(text_, w, kTextHeight, HelpLook(), kBalloonInside), 0);
        surfaceWidth_ = w;
        surfaceHeight_ = kTextHeight;
    }
    if (textSurface_ > 0) {
        port.PutSurface(x, y, textSurface_, surfaceWidth_, surfaceHeight_);
    } else {
        port.Text(text_, x, y, x + w, y + kTextHeight, HelpLook());
    }
}
