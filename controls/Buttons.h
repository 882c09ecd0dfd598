#pragma once
// The concrete buttons: skins drawn from cells of the interface sheets, text buttons carrying a
// cached label, the long text button of any width, the picture button, the text link, the rows
// of text lists, the scroll-bar arrows, the check box, the picture click area, the shuffle
// button and the lift-direction buttons. Behaviour comes from the bases in ButtonBases.h.
#include <cstdint>
#include <memory>
#include <string>

#include "controls/ButtonBases.h"
#include "controls/DisplayParts.h"

namespace Controls {

// Cells of a skin: the up and down faces and where the disabled mark sits on it.
struct SkinCells {
    const std::string* key;
    int32_t upLeft, upTop, downLeft, downTop, width, height;
    int32_t markDx, markDy;
};

// Skin drawing shared by the skinned buttons: the face (down or up), the content, shifted by 2
// pixels while down, the children and, when disabled, the disabled mark.
void DrawSkinnedButton(COriginalBaseButton& button, const SkinCells& cells);
// The red cross over disabled controls.
void DrawDisabledMark(int32_t x, int32_t y);

// Everything a skin shows on its face: an icon or the place of a label. Skinned buttons derive
// from a base and from this.
class ISkinContent {
  public:
    virtual ~ISkinContent() = default;
    virtual void DrawContent(int32_t x, int32_t y) = 0;
};

class CBasicPushButton : public CPushButtonBase, public ISkinContent {
  public:
    CBasicPushButton(int32_t x, int32_t y) : CPushButtonBase(x, y, 40, 40) {}
    void Draw() override;
};

class CBasicToggleButton : public CToggleButtonBase, public ISkinContent {
  public:
    CBasicToggleButton(int32_t x, int32_t y) : CToggleButtonBase(x, y, 40, 40) {}
    void Draw() override;
};

class CWidePushButton : public CPushButtonBase, public ISkinContent {
  public:
    CWidePushButton(int32_t x, int32_t y) : CPushButtonBase(x, y, 80, 40) {}
    void Draw() override;
};

class CWideBrownPushButton : public CPushButtonBase, public ISkinContent {
  public:
    CWideBrownPushButton(int32_t x, int32_t y) : CPushButtonBase(x, y, 64, 40) {}
    void Draw() override;
};

class CWideBluePushButton : public CPushButtonBase, public ISkinContent {
  public:
    CWideBluePushButton(int32_t x, int32_t y) : CPushButtonBase(x, y, 64, 32) {}
    void Draw() override;
};

class CWideBlueToggleButton : public CToggleButtonBase, public ISkinContent {
  public:
    CWideBlueToggleButton(int32_t x, int32_t y) : CToggleButtonBase(x, y, 64, 32) {}
    void Draw() override;
};

class CShortBrownToggleButton : public CToggleButtonBase, public ISkinContent {
  public:
    CShortBrownToggleButton(int32_t x, int32_t y) : CToggleButtonBase(x, y, 32, 40) {}
    void Draw() override;
};

// How a text button's label sits on its face.
struct CaptionLayout {
    int32_t dx, dy, width, height, fontSize, red, green, blue;
};

// A skin with a bold centred label that sinks with the face and renders again when the button
// goes down or up.
template <class Skin>
class CTextOnSkin : public Skin {
  public:
    CTextOnSkin(int32_t x, int32_t y, const std::string& text, const CaptionLayout& layout)
        : Skin(x, y), dx_(layout.dx), dy_(layout.dy) {
        auto label =
            std::make_unique<CSpriteTextLabel>(text, layout.dx, layout.dy, layout.width, layout.height,
                                               layout.fontSize, layout.red, layout.green, layout.blue);
        label->SetBold(true);
        label->SetAlignment(1);
        label_ = label.get();
        this->GetControls().Add(std::move(label));
    }
    void DrawContent(int32_t x, int32_t y) override {
        label_->SetPosition(x - this->GetAbsoluteX() + dx_, y - this->GetAbsoluteY() + dy_);
    }
    void UpdateSelf() override {
        if (this->down_ != this->prevDown_) label_->Invalidate();
        Skin::UpdateSelf();
    }
    std::string GetText() const override { return label_->GetText(); }
    CSpriteTextLabel* GetLabel() const { return label_; }

  private:
    CSpriteTextLabel* label_;
    int32_t dx_, dy_;
};

class CTextPushButton : public CTextOnSkin<CWidePushButton> {
  public:
    CTextPushButton(int32_t x, int32_t y, const std::string& text) : CTextPushButton(x, y, text, 3) {}
    CTextPushButton(int32_t x, int32_t y, const std::string& text, int32_t pushSound);
    void OnPush() override;

  private:
    int32_t pushSound_;
};

class CTextBrownPushButton : public CTextOnSkin<CWideBrownPushButton> {
  public:
    CTextBrownPushButton(int32_t x, int32_t y, const std::string& text);
};

class CTextBluePushButton : public CTextOnSkin<CWideBluePushButton> {
  public:
    CTextBluePushButton(int32_t x, int32_t y, const std::string& text);
};

class CTextBlueToggleButton : public CTextOnSkin<CWideBlueToggleButton> {
  public:
    CTextBlueToggleButton(int32_t x, int32_t y, const std::string& text);
};

// A text button of any width, drawn from the big frame cells: left cap, middle tiles and a last
// piece ending in the right cap. Widths below the two caps are raised to 32.
class CLongTextPushButton : public CPushButtonBase {
  public:
    static constexpr int32_t kMinWidth = 32;
    CLongTextPushButton(int32_t x, int32_t y, int32_t width, const std::string& text)
        : CLongTextPushButton(x, y, width, text, 3) {}
    CLongTextPushButton(int32_t x, int32_t y, int32_t width, const std::string& text, int32_t pushSound);
    void Draw() override;
    void UpdateSelf() override;
    void OnPush() override;
    std::string GetText() const override { return label_->GetText(); }

  private:
    CSpriteTextLabel* label_;
    int32_t pushSound_;
};

// An 80 x 64 framed button with a picture centred on it.
class CBigFreeImagePushButton : public CPushButtonBase {
  public:
    CBigFreeImagePushButton(int32_t x, int32_t y, ImageClip picture);
    void Draw() override;

  private:
    ImageClip picture_;
};

// A text link: light text that turns green and underlined under the mouse and fires on the press.
class CFreeTextLinkButton : public CPushImmediateButtonBase {
  public:
    CFreeTextLinkButton(int32_t x, int32_t y, const std::string& text, int32_t fontSize);
    void HandleInput() override;
    void Draw() override;
    void ReleaseTextSprite() { label_->ReleaseSprite(); }
    std::string GetText() const override { return text_; }
    const CSpriteTextLabel* GetLabel() const { return label_; }

  private:
    std::string text_;
    CSpriteTextLabel* label_;
};

// The look of a text-list row: the highlight, the children and the strike-through.
void DrawTextRow(COriginalBaseButton& row);

// A row of a text list: highlighted under the mouse, filled while down, struck through when
// disabled. Hiding the row frees its label's sprite.
template <class Base>
class CTextRow : public Base {
  public:
    CTextRow(int32_t x, int32_t y, int32_t width, const std::string& text) : Base(x, y, width, 19) {
        auto label = std::make_unique<CSpriteTextLabel>(text, 8, 3, width - 8, 17, 14, 45, 30, 8);
        label->SetAlignment(0);
        label_ = label.get();
        this->GetControls().Add(std::move(label));
    }
    void UpdateSelf() override {
        if (this->down_ != this->prevDown_) {
            if (this->down_) {
                label_->SetColor(255, 255, 240);
            } else {
                label_->SetColor(45, 30, 8);
            }
        }
        if (this->hover_ != this->prevHover_) label_->Invalidate();
        Base::UpdateSelf();
    }
    void SetVisible(bool visible) override {
        if (!visible) label_->ReleaseSprite();
        Base::SetVisible(visible);
    }
    void Draw() override { DrawTextRow(*this); }
    std::string GetText() const override { return label_->GetText(); }
    CSpriteTextLabel* GetLabel() const { return label_; }

  private:
    CSpriteTextLabel* label_;
};

// A row that stays selected (a toggle).
class CSelectableTextItem : public CTextRow<CToggleButtonBase> {
  public:
    using CTextRow<CToggleButtonBase>::CTextRow;
};

// A row that fires when clicked.
class CPushTextItem : public CTextRow<CPushButtonBase> {
  public:
    using CTextRow<CPushButtonBase>::CTextRow;
};

// A 16 x 16 arrow cell of the first sheet in `column`: the rest row, the hovered row or the
// pressed row; a disabled arrow always shows the rest row.
void DrawArrowCell(const COriginalBaseButton& button, int32_t column);

// A 16 x 16 arrow on any button base; `column` is its cell column in the first sheet.
template <class Base>
class CArrowCellButton : public Base {
  public:
    CArrowCellButton(int32_t x, int32_t y, int32_t column) : Base(x, y, 16, 16), column_(column) {}
    void Draw() override { DrawArrowCell(*this, column_); }

  private:
    int32_t column_;
};

// A scroll-bar arrow: repeats while held.
class CScrollBarArrowButton : public CArrowCellButton<CHoldButtonBase> {
  public:
    using CArrowCellButton<CHoldButtonBase>::CArrowCellButton;
};

class CScrollBarUpButton : public CScrollBarArrowButton {
  public:
    CScrollBarUpButton(int32_t x, int32_t y) : CScrollBarArrowButton(x, y, 192) {}
};
class CScrollBarDownButton : public CScrollBarArrowButton {
  public:
    CScrollBarDownButton(int32_t x, int32_t y) : CScrollBarArrowButton(x, y, 208) {}
};
class CScrollBarLeftButton : public CScrollBarArrowButton {
  public:
    CScrollBarLeftButton(int32_t x, int32_t y) : CScrollBarArrowButton(x, y, 224) {}
};
class CScrollBarRightButton : public CScrollBarArrowButton {
  public:
    CScrollBarRightButton(int32_t x, int32_t y) : CScrollBarArrowButton(x, y, 240) {}
};

// A 20 x 20 check box; an on box under the mouse wiggles its check once a second.
class CCheckBox : public CToggleButtonBase {
  public:
    CCheckBox(int32_t x, int32_t y) : CToggleButtonBase(x, y, 20, 20) {}
    void Draw() override;
};

// A picture that reacts on exactly its own pixels, outlined while hovered or down.
class CFreeImageClickArea : public CPushButtonBase {
  public:
    CFreeImageClickArea(int32_t x, int32_t y, ImageClip picture);
    void Draw() override;
    ImageClip GetImageClip() const { return picture_; }

  private:
    ImageClip picture_;
};

class CShuffleButton : public CPushButtonBase {
  public:
    CShuffleButton(int32_t x, int32_t y) : CPushButtonBase(x, y, 112, 32) {}
    void Draw() override;
};

// One of the eight direction arrows of a lift route (0 up, 1 down, 2 left, 3 right, 4 to 7 the
// diagonals); any other direction keeps 40 x 40 and draws only its children.
class CCustomLiftDirectionButton : public CPushButtonBase {
  public:
    CCustomLiftDirectionButton(int32_t x, int32_t y, int32_t direction);
    void Draw() override;
    int32_t GetDirection() const { return direction_; }

  private:
    int32_t direction_;
};

}  // namespace Controls
