#include "controls/Buttons.h"

#include "controls/ControlPort.h"
#include "foundation/TextEncoding.h"

namespace Controls {

void DrawDisabledMark(int32_t x, int32_t y) { PutSheet(kSheet1, x, y, 160, 0, 200, 40); }

void DrawSkinnedButton(COriginalBaseButton& button, const SkinCells& c) {
    int32_t x, y;
    button.GetAbsolutePosition(x, y);
    const bool down = button.IsDown();
    if (down) {
        PutSheet(*c.key, x, y, c.downLeft, c.downTop, c.downLeft + c.width, c.downTop + c.height);
    } else {
        PutSheet(*c.key, x, y, c.upLeft, c.upTop, c.upLeft + c.width, c.upTop + c.height);
    }
    if (auto* content = dynamic_cast<ISkinContent*>(&button)) {
        content->DrawContent(down ? x + 2 : x, down ? y + 2 : y);
    }
    button.COriginalBaseButton::Draw();
    if (!button.IsEnabled()) DrawDisabledMark(x + c.markDx, y + c.markDy);
}

namespace {
SkinCells BasicSkin(int32_t id) {
    const int32_t v = id % 4;
    return {&kSheet1, 40 * v, 0, 40 * v, 40, 40, 40, 0, 0};
}
SkinCells BlueSkin() { return {&kSheet1, 128, 200, 192, 200, 64, 32, 12, -4}; }
SkinCells ShortBrownSkin() { return {&kSheet2, 192, 184, 224, 184, 32, 40, -4, 0}; }
}  // namespace

void CBasicPushButton::Draw() { DrawSkinnedButton(*this, BasicSkin(GetId())); }
void CBasicToggleButton::Draw() { DrawSkinnedButton(*this, BasicSkin(GetId())); }

void CWidePushButton::Draw() {
    const int32_t v = GetId() % 2;
    DrawSkinnedButton(*this, {&kSheet1, 80 * v, 80, 80 * v, 120, 80, 40, 20, 0});
}

void CWideBrownPushButton::Draw() {
    const int32_t v = GetId() % 4 < 2 ? 0 : 1;
    DrawSkinnedButton(*this, {&kSheet1, 64 * v, 160, 64 * v, 200, 64, 40, 12, 0});
}

void CWideBluePushButton::Draw() { DrawSkinnedButton(*this, BlueSkin()); }
void CWideBlueToggleButton::Draw() { DrawSkinnedButton(*this, BlueSkin()); }
void CShortBrownToggleButton::Draw() { DrawSkinnedButton(*this, ShortBrownSkin()); }

CTextPushButton::CTextPushButton(int32_t x, int32_t y, const std::string& text, int32_t pushSound)
    : CTextOnSkin(x, y, text, {8, 12, 64, 24, 16, 45, 30, 8}), pushSound_(pushSound) {}

void CTextPushButton::OnPush() { Port().PlaySound(pushSound_); }

CTextBrownPushButton::CTextBrownPushButton(int32_t x, int32_t y, const std::string& text)
    : CTextOnSkin(x, y, text, {4, 12, 56, 24, 16, 255, 255, 255}) {}

CTextBluePushButton::CTextBluePushButton(int32_t x, int32_t y, const std::string& text)
    : CTextOnSkin(x, y, text, {4, 8, 56, 16, 14, 255, 255, 255}) {}

CTextBlueToggleButton::CTextBlueToggleButton(int32_t x, int32_t y, const std::string& text)
    : CTextOnSkin(x, y, text, {4, 8, 56, 16, 14, 255, 255, 255}) {}

CLongTextPushButton::CLongTextPushButton(int32_t x, int32_t y, int32_t width, const std::string& text,
                                         int32_t pushSound)
    : CPushButtonBase(x, y, std::max(width, kMinWidth), 40), pushSound_(pushSound) {
    auto label = std::make_unique<CSpriteTextLabel>(text, 8, 12, GetWidth() - 16, 24, 16, 45, 30, 8);
    label->SetBold(true);
    label->SetAlignment(1);
    label_ = label.get();
    GetControls().Add(std::move(label));
}

void CLongTextPushButton::UpdateSelf() {
    if (down_ != prevDown_) label_->Invalidate();
    CPushButtonBase::UpdateSelf();
}

void CLongTextPushButton::OnPush() { Port().PlaySound(pushSound_); }

void CLongTextPushButton::Draw() {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const int32_t w = GetWidth();
    const int32_t top = down_ ? 192 : 128, bottom = down_ ? 236 : 172;
    PutSheet(kSheet5, x, y, 160, top, 176, top + 20);
    PutSheet(kSheet5, x, y + 20, 160, bottom, 176, bottom + 20);
    int32_t i = 16;
    for (; i < w - 64; i += 48) {
        PutSheet(kSheet5, x + i, y, 176, top, 224, top + 20);
        PutSheet(kSheet5, x + i, y + 20, 176, bottom, 224, bottom + 20);
    }
    PutSheet(kSheet5, x + i, y, 240 - (w - i), top, 240, top + 20);
    PutSheet(kSheet5, x + i, y + 20, 240 - (w - i), bottom, 240, bottom + 20);
    if (down_) {
        label_->SetPosition(10, 14);
    } else {
        label_->SetPosition(8, 12);
    }
    DrawChildren();
    if (!enabled_) DrawDisabledMark(x + w / 2 - 20, y + GetHeight() / 2 - 20);
}

CBigFreeImagePushButton::CBigFreeImagePushButton(int32_t x, int32_t y, ImageClip picture)
    : CPushButtonBase(x, y, 80, 64), picture_(std::move(picture)) {}

void CBigFreeImagePushButton::Draw() {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const int32_t top = down_ ? 192 : 128;
    PutSheet(kSheet5, x, y, 160, top, 240, top + 64);
    const ImageClip& p = picture_;
    const int32_t shift = down_ ? 2 : 0;
    Port().PutImage(x + 40 - (p.right - p.left) / 2 + shift, y + 32 - (p.bottom - p.top) / 2 + shift, p.group,
                    p.key, p.left, p.top, p.right, p.bottom);
    DrawChildren();
    if (!enabled_) DrawDisabledMark(x + 20, y + 12);
}

CFreeTextLinkButton::CFreeTextLinkButton(int32_t x, int32_t y, const std::string& text, int32_t fontSize)
    : CPushImmediateButtonBase(x, y, int32_t(uint32_t(Cp932Length(text)) * uint32_t(fontSize) / 2u),
                               fontSize),
      text_(text) {
    auto label =
        std::make_unique<CSpriteTextLabel>(text, 0, 0, GetWidth(), GetHeight(), fontSize, 218, 218, 248);
    label->SetAlignment(0);
    label->SetFontName(kFixedFont);
    label_ = label.get();
    GetControls().Add(std::move(label));
}

void CFreeTextLinkButton::HandleInput() {
    CPushImmediateButtonBase::HandleInput();
    if (hover_ == prevHover_ && enabled_ == prevEnabled_) return;
    if (!enabled_) {
        label_->SetColor(45, 30, 8);
    } else if (hover_) {
        label_->SetColor(183, 230, 216);
    } else {
        label_->SetColor(218, 218, 248);
    }
}

void CFreeTextLinkButton::Draw() {
    DrawChildren();
    if (hover_ && enabled_) {
        int32_t x, y;
        GetAbsolutePosition(x, y);
        Port().Line(x, y + GetHeight(), x + GetWidth(), y + GetHeight(), PackColor(183, 230, 216), 1);
    }
}

void DrawTextRow(COriginalBaseButton& row) {
    int32_t x, y;
    row.GetAbsolutePosition(x, y);
    const int32_t w = row.GetWidth(), h = row.GetHeight();
    if (row.IsEnabled()) {
        uint32_t fill = 0;
        bool shade = false;
        if (row.IsDown()) {
            fill = PackColor(45, 120, 150), shade = true;
        } else if (row.IsHovered()) {
            fill = PackColor(231, 218, 125), shade = true;
        }
        if (shade) Port().Rect(x, y, x + w, y + h + 1, fill, fill, 1);
    }
    row.COriginalBaseButton::Draw();
    if (!row.IsEnabled()) {
        const uint32_t ink = PackColor(45, 30, 8);
        Port().Line(x, y + h / 2 - 2, x + w, y + h / 2 - 2, ink, 1);
        Port().Line(x, y + h / 2 + 2, x + w, y + h / 2 + 2, ink, 1);
    }
}

void DrawArrowCell(const COriginalBaseButton& button, int32_t column) {
    int32_t x, y;
    button.GetAbsolutePosition(x, y);
    int32_t top = 40;
    if (button.IsEnabled() && button.IsDown()) {
        top = 72;
    } else if (button.IsEnabled() && button.IsHovered()) {
        top = 56;
    }
    PutSheet(kSheet1, x, y, column, top, column + 16, top + 16);
}

void CCheckBox::Draw() {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    if (!enabled_) {
        PutSheet(kSheet1, x - 2, y - 2, 208, 112, 232, 136);
        if (down_) PutSheet(kSheet1, x - 2, y - 2, 232, 136, 256, 160);
        return;
    }
    if (hover_) {
        PutSheet(kSheet1, x - 2, y - 2, 184, 112, 208, 136);
    } else {
        PutSheet(kSheet1, x - 2, y - 2, 160, 112, 184, 136);
    }
    if (!down_) return;
    const int phase = hover_ ? int(GetFrameCounter()) % 60 : 0;
    if (phase < 15 || (phase >= 30 && phase < 45)) {
        PutSheet(kSheet1, x - 2, y - 2, 184, 136, 208, 160);
    } else if (phase < 30) {
        PutSheet(kSheet1, x - 5, y - 8, 160, 136, 184, 160);
    } else {
        PutSheet(kSheet1, x + 5, y - 3, 208, 136, 232, 160);
    }
}

CFreeImageClickArea::CFreeImageClickArea(int32_t x, int32_t y, ImageClip picture)
    : CPushButtonBase(x, y, picture.right - picture.left - 1, picture.bottom - picture.top - 1),
      picture_(std::move(picture)) {}

void CFreeImageClickArea::Draw() {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const ImageClip& p = picture_;
    Port().PutImage(x, y, p.group, p.key, p.left, p.top, p.right, p.bottom);
    if (!enabled_ || (!down_ && !hover_)) return;
    const uint32_t ink = down_ ? PackColor(231, 85, 125) : PackColor(255, 255, 255);
    const int32_t w = GetWidth(), h = GetHeight();
    Port().RectOutline(x, y, x + w, y + h, ink, 1);
    Port().RectOutline(x + 1, y + 1, x + w - 1, y + h - 1, ink, 1);
}

void CShuffleButton::Draw() {
    int32_t x, y;
    GetAbsolutePosition(x, y);
    const int32_t top = down_ ? 160 : 128;
    PutSheet(kSheet9, x, y, 144, top, 256, top + 32);
    DrawChildren();
    if (!enabled_) DrawDisabledMark(x + 56 - 20, y + 16 - 20);
}

namespace {
struct LiftCells {
    int32_t w, h;
    int32_t normal[2], hovered[2], down[2];
};
constexpr LiftCells kLiftCells[8] = {
    {32, 19, {176, 0}, {176, 128}, {48, 128}},  {32, 19, {176, 109}, {176, 237}, {48, 237}},
    {19, 32, {128, 48}, {128, 176}, {0, 176}},  {19, 32, {237, 48}, {237, 176}, {109, 176}},
    {24, 24, {147, 19}, {147, 147}, {19, 147}}, {24, 24, {213, 19}, {213, 147}, {85, 147}},
    {24, 24, {147, 85}, {147, 213}, {19, 213}}, {24, 24, {213, 85}, {213, 213}, {85, 213}},
};
}  // namespace

CCustomLiftDirectionButton::CCustomLiftDirectionButton(int32_t x, int32_t y, int32_t direction)
    : CPushButtonBase(x, y, 40, 40), direction_(direction) {
    if (direction >= 0 && direction < 8) SetSize(kLiftCells[direction].w, kLiftCells[direction].h);
}

void CCustomLiftDirectionButton::Draw() {
    if (direction_ >= 0 && direction_ < 8) {
        int32_t x, y;
        GetAbsolutePosition(x, y);
        const LiftCells& c = kLiftCells[direction_];
        const int32_t* at = down_ ? c.down : (hover_ ? c.hovered : c.normal);
        PutSheet(kSheet10, x, y, at[0], at[1], at[0] + c.w, at[1] + c.h);
    }
    DrawChildren();
}

}  // namespace Controls
