#include "controls/DisplayParts.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "controls/ControlPort.h"

namespace Controls {

CTextLabel::CTextLabel(const std::string& text, int32_t x, int32_t y, int32_t width, int32_t height)
    : COriginalBasePart(x, y, width, height), text_(text) {
    look_.fontName = kLabelFont;
}

CTextLabel::CTextLabel(const std::string& text, int32_t x, int32_t y, int32_t width, int32_t height,
                       int32_t fontSize, int32_t red, int32_t green, int32_t blue)
    : CTextLabel(text, x, y, width, height) {
    look_.fontSize = fontSize;
    look_.red = red, look_.green = green, look_.blue = blue;
}

void CTextLabel::SetColor(int32_t red, int32_t green, int32_t blue) {
    look_.red = red, look_.green = green, look_.blue = blue;
}

void CTextLabel::DrawTextNow() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    Port().Text(text_, ax, ay, ax + GetWidth(), ay + GetHeight(), look_);
}

void CTextLabel::Draw() { DrawTextNow(); }

CSpriteTextLabel::~CSpriteTextLabel() { ReleaseSprite(); }

void CSpriteTextLabel::ReleaseSprite() {
    if (cached_ > 0) Port().ReleaseSurface(cached_);
    cached_ = -1;
    stale_ = false;
}

void CSpriteTextLabel::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const int32_t left = std::max(ax, 0), top = std::max(ay, 0);
    const int32_t right = std::min(ax + GetWidth(), 640), bottom = std::min(ay + GetHeight(), 480);
    if (cached_ <= 0 || stale_) {
        DrawTextNow();
        if (cached_ > 0) Port().ReleaseSurface(cached_);
        cached_ = -1;
        stale_ = false;
        // A label wholly off the screen has nothing to cache: asking for an empty surface would
        // only fail. It is rendered again when it comes back.
        if (right <= left || bottom <= top) return;
        cached_ = Port().CaptureSurface(left, top, right, bottom);
        cachedWidth_ = right - left;
        cachedHeight_ = bottom - top;
        if (cached_ <= 0) cached_ = -1;
        return;
    }
    Port().PutSurface(left, top, cached_, cachedWidth_, cachedHeight_);
}

void CSpriteTextLabel::SetVisible(bool visible) {
    if (!visible) ReleaseSprite();
    CTextLabel::SetVisible(visible);
}

void CSpriteTextLabel::SetText(const std::string& text) {
    stale_ = true;
    CTextLabel::SetText(text);
}
void CSpriteTextLabel::SetColor(int32_t red, int32_t green, int32_t blue) {
    stale_ = true;
    CTextLabel::SetColor(red, green, blue);
}
void CSpriteTextLabel::SetFontName(const std::string& name) {
    stale_ = true;
    CTextLabel::SetFontName(name);
}
void CSpriteTextLabel::SetFontSize(int32_t size) {
    stale_ = true;
    CTextLabel::SetFontSize(size);
}
void CSpriteTextLabel::SetBold(bool bold) {
    stale_ = true;
    CTextLabel::SetBold(bold);
}
void CSpriteTextLabel::SetStringMode(bool on) {
    stale_ = true;
    CTextLabel::SetStringMode(on);
}
void CSpriteTextLabel::SetAlignment(int32_t alignment) {
    stale_ = true;
    CTextLabel::SetAlignment(alignment);
}

CCaptionRibon::CCaptionRibon(const std::string& text, int32_t x, int32_t y, int32_t width, int32_t style)
    : COriginalBasePart(x, y, width, 21), style_(std::clamp(style, 0, 2)) {  // three ribbons on the sheet
    auto label = std::make_unique<CSpriteTextLabel>(text, 8, 3, width - 16, 16, 14, 255, 255, 255);
    label->SetBold(true);
    label->SetAlignment(0);
    label_ = label.get();
    GetControls().Add(std::move(label));
}

void CCaptionRibon::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const int32_t w = GetWidth(), b = 24 * (style_ + 5);
    PutSheet(kSheet2, ax, ay, b, 184, b + 8, 208);
    for (int32_t i = 8; i < w - 16; i += 8) PutSheet(kSheet2, ax + i, ay, b + 8, 184, b + 16, 208);
    PutSheet(kSheet2, ax + w - 16, ay, b + 8, 184, b + 16, 208);
    PutSheet(kSheet2, ax + w - 8, ay, b + 16, 184, b + 24, 208);
    DrawChildren();
}

CTextLineArea::CTextLineArea(const std::string& text, int32_t x, int32_t y, int32_t width)
    : COriginalBasePart(x, y, width, 32) {
    auto label = std::make_unique<CSpriteTextLabel>(text, 8, 8, width - 16, 16, 14, 45, 30, 8);
    label->SetAlignment(0);
    label_ = label.get();
    GetControls().Add(std::move(label));
}

CTextLineArea::CTextLineArea(const std::string& text, int32_t x, int32_t y, int32_t width, int32_t fontSize)
    : COriginalBasePart(x, y, width, fontSize + 18) {
    auto label =
        std::make_unique<CSpriteTextLabel>(text, 8, 8, width - 16, fontSize + 2, fontSize, 45, 30, 8);
    label->SetAlignment(0);
    label_ = label.get();
    GetControls().Add(std::move(label));
}

void CTextLineArea::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const int32_t w = GetWidth(), hh = GetHeight(), h = hh / 2;
    int32_t x = ax + 16;
    for (; x <= ax + w - 40; x += 40) {
        PutSheet(kSheet2, x, ay, 40, 128, 80, 168);
        PutSheet(kSheet2, x, ay + hh - 40, 40, 208, 80, 248);
    }
    const int32_t r = (ax + w - x) % 40;
    PutSheet(kSheet2, x, ay, 40, 128, 40 + r, 168);
    PutSheet(kSheet2, x, ay + hh - 40, 40, 208, 40 + r, 248);
    PutSheet(kSheet2, ax, ay, 0, 128, 16, 128 + h);
    PutSheet(kSheet2, ax, ay + h, 0, 248 - h, 16, 248);
    PutSheet(kSheet2, ax + w - 16, ay, 104, 128, 120, 128 + h);
    PutSheet(kSheet2, ax + w - 16, ay + h, 104, 248 - h, 120, 248);
    DrawChildren();
}

CHorizontalLine::CHorizontalLine(int32_t x, int32_t y, int32_t length)
    : COriginalBasePart(x, y, length, 4), length_(length) {}

void CHorizontalLine::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    Port().Line(ax, ay, ax + length_, ay, PackColor(230, 210, 180), 3);
    Port().Line(ax - 1, ay - 1, ax + length_ - 1, ay - 1, PackColor(135, 90, 24), 3);
}

CFreeImage::CFreeImage(int32_t x, int32_t y, const std::string& group, const std::string& key, int32_t left,
                       int32_t top, int32_t right, int32_t bottom)
    : CFreeImage(x, y, ImageClip{group, key, left, top, right, bottom}) {}

CFreeImage::CFreeImage(int32_t x, int32_t y, ImageClip image)
    : COriginalBasePart(x, y, image.right - image.left, image.bottom - image.top), image_(std::move(image)) {}

void CFreeImage::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    Port().PutImage(ax, ay, image_.group, image_.key, image_.left, image_.top, image_.right, image_.bottom);
}

CCapImageBase::CCapImageBase(int32_t x, int32_t y, int32_t width, int32_t height, double swing, double kick,
                             int period, int32_t poseTop, int32_t poseBottom)
    : COriginalBasePart(x, y, width, height),
      swing_(swing),
      kick_(kick),
      period_(period),
      poseTop_(poseTop),
      poseBottom_(poseBottom) {}

void CCapImageBase::HandleInput() {
    const double step = FrameStep();
    boost_ = std::max(boost_ - step, 0.0);
    phase_ += (2 * boost_ + 60) * (step / 60.0);
    bob_ = (std::sin(phase_ * swing_ - std::numbers::pi / 2) + 1) * 20;
    const MouseInput m = Port().Mouse();
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    if (m.leftPressed && IsPointInRect(m.x, m.y, ax + 8, ay + bob_, ax + 40, ay + bob_ + 12)) {
        boost_ = kick_;
        Port().PlaySound(ControlSound::kCapClick);
    }
}

void CCapImageBase::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const int k = int(phase_) % period_;
    const int32_t left = k < period_ / 2 ? 128 : 176;
    PutSheet(kSheet2, ax, ay + int32_t(bob_), left, poseTop_, left + 48, poseBottom_);
}

CCapImageNormal::CCapImageNormal(int32_t x, int32_t y) : CCapImageBase(x, y, 48, 24, 0.025, 80, 16, 48, 72) {}
CCapImageAlert::CCapImageAlert(int32_t x, int32_t y) : CCapImageBase(x, y, 48, 48, 0.1, 50, 12, 72, 120) {}

CChaoImageBase::CChaoImageBase(int32_t x, int32_t y, ImageClip stand, int32_t standDx, ImageClip jump,
                               int32_t jumpDx, int32_t dy)
    : COriginalBasePart(x, y, 24, 40),
      stand_(std::move(stand)),
      jumpPose_(std::move(jump)),
      standDx_(standDx),
      jumpDx_(jumpDx),
      dy_(dy) {}

void CChaoImageBase::HandleInput() {
    jump_ = std::max(jump_ - FrameStep(), 0.0);
    const MouseInput m = Port().Mouse();
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    if (m.leftPressed && IsPointInRect(m.x, m.y, ax, ay, ax + 24, ay + 40)) {
        jump_ = 30;
        Port().PlaySound(ControlSound::kChaoClick);
    }
}

void CChaoImageBase::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const int t = int(jump_);
    const bool jumping = t > 0 && t % 4 >= 2;
    const ImageClip& c = jumping ? jumpPose_ : stand_;
    PutSheet(kSheet11, ax + (jumping ? jumpDx_ : standDx_), ay + dy_, c.left, c.top, c.right, c.bottom);
}

CChaoImageNormal::CChaoImageNormal(int32_t x, int32_t y)
    : CChaoImageBase(x, y, {kImageGroup, kSheet11, 160, 144, 200, 192}, -8,
                     {kImageGroup, kSheet11, 56, 208, 112, 256}, -16, -8) {}
CChaoImageAlert::CChaoImageAlert(int32_t x, int32_t y)
    : CChaoImageBase(x, y, {kImageGroup, kSheet11, 200, 128, 240, 192}, -8,
                     {kImageGroup, kSheet11, 112, 192, 168, 256}, -16, -24) {}

CNetWorkAnimation::CNetWorkAnimation(int32_t x, int32_t y) : COriginalBasePart(x, y, 192, 24) {}

// A stopped light stands where it was: still drawn, no longer running.
void CNetWorkAnimation::HandleInput() {
    if (active_) phase_ += FrameStep() / 60.0 * 4;
}

void CNetWorkAnimation::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const int k = int(phase_) % 8;
    for (int i = 0; i < 8; ++i) {
        int32_t left = 72;
        if (i == k)
            left = 0;
        else if (i == (k + 7) % 8)
            left = 24;
        else if (i == (k + 6) % 8)
            left = 48;
        PutSheet(kSheet6, ax + 24 * i, ay, left, 224, left + 24, 248);
    }
}

CHorizontalBarGraph::CHorizontalBarGraph(int32_t x, int32_t y, int32_t first, int32_t second, int32_t third,
                                         int32_t cells)
    : COriginalBasePart(x, y, 12 * cells, 24), first_(first), second_(second), third_(third), cells_(cells) {}

void CHorizontalBarGraph::Draw() {
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    const int32_t count = std::min(cells_, std::max({first_, second_, third_}));
    for (int32_t i = 0; i < count; ++i) {
        int32_t left = 36;
        if (i >= third_)
            left = 24;
        else if (i < first_)
            left = 0;
        else if (i < second_)
            left = 12;
        PutSheet(kSheet6, ax + 12 * i, ay, left, 152, left + 12, 176);
    }
    if (count >= cells_) PutSheet(kSheet6, ax + 12 * cells_ - 14, ay - 8, 48, 144, 72, 184);
}

}  // namespace Controls
