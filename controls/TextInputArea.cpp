#include "controls/TextInputArea.h"

#include <algorithm>

#include "controls/ControlPort.h"
#include "controls/Forms.h"
#include "controls/KeyboardKeys.h"
#include "engine/Mouse.h"
#include "engine/el/elFont.h"

namespace Controls {
namespace {

// The label sits this far inside the box's frame.
constexpr int32_t kInset = 8;
constexpr int32_t kHeight = 48;
constexpr int32_t kTextCursorKind = 9;

// The first character of a UTF-8 text; 0 for an empty one.
char32_t FirstChar(const std::string& character) {
    const std::u32string decoded = elFont::DecodeUtf8(character);
    return decoded.empty() ? 0 : decoded[0];
}

}  // namespace

CTextInputArea::CTextInputArea(int32_t x, int32_t y, const std::string& text, int32_t maxLength)
    : COriginalBasePart(x, y, kCellWidth * maxLength + 2 * kInset, kHeight), maxLength_(maxLength) {
    auto label = std::make_unique<CSpriteTextLabel>("", kInset, kInset, kCellWidth * maxLength + 4, 36, 32,
                                                    90, 90, 120);
    label->SetFontName(kFixedFont);
    label->SetAlignment(0);
    label->SetStringMode(true);
    label_ = label.get();
    GetControls().Add(std::move(label));
    SetText(text);
    SetCursor(GetLength());
}

std::string CTextInputArea::GetText() const { return elFont::EncodeUtf8(text_); }

void CTextInputArea::SetText(const std::string& text) {
    const int32_t before = GetLength();
    text_ = elFont::DecodeUtf8(text);
    if (GetLength() > maxLength_) text_.resize(size_t(maxLength_));
    // One move by the whole difference: stepping one character at a time against the new
    // length would clamp first and lose the steps, leaving a shrunken text's caret too far left.
    if (GetLength() != before) SetCursor(cursor_ + GetLength() - before);
    cursor_ = std::min(cursor_, GetLength());
    ShowText();
}

void CTextInputArea::SetCursor(int32_t position) {
    caretClock_ = 0;
    cursor_ = std::clamp(position, 0, std::min(GetLength(), maxLength_));
}

void CTextInputArea::InsertChar(const std::string& character) {
    if (GetLength() >= maxLength_) return;
    InsertCharAt(character, cursor_);
    MoveCursorRight();
}

void CTextInputArea::InsertCharAt(const std::string& character, int32_t position) {
    const char32_t c = FirstChar(character);
    if (GetLength() >= maxLength_ || c == 0) return;
    text_.insert(text_.begin() + std::clamp(position, 0, GetLength()), c);
    ShowText();
}

std::string CTextInputArea::DeleteAt(int32_t position) {
    if (position < 0 || position >= GetLength()) return " ";
    const char32_t taken = text_[size_t(position)];
    text_.erase(text_.begin() + position);
    cursor_ = std::min(cursor_, GetLength());
    ShowText();
    return elFont::EncodeUtf8(taken);
}

int32_t CTextInputArea::EdgeX(int32_t index) const {
    int32_t x = 0;
    for (int32_t i = 0; i < std::min(index, GetLength()); ++i)
        x += elFont::IsDoubleByte(text_[size_t(i)]) ? kCellWidth : kCellWidth / 2;
    return x;
}

void CTextInputArea::ShowText() { label_->SetText(GetText()); }

void CTextInputArea::HandleInput() {
    caretClock_ += FrameStep();
    const MouseInput m = Port().Mouse();
    int32_t ax, ay;
    GetAbsolutePosition(ax, ay);
    hover_ = IsPointInRect(m.x, m.y, ax, ay, ax + GetWidth(), ay + GetHeight());
    if (hover_) {
        CMouse::GetInstance()->SetCursorKind(kTextCursorKind);
        if (m.leftPressed) {
            // The edge nearest to the pointer: the first one whose cell middle lies beyond it.
            const int32_t px = m.x - ax - kInset;
            int32_t edge = 0;
            while (edge < GetLength() && (EdgeX(edge) + EdgeX(edge + 1)) / 2 <= px) ++edge;
            SetCursor(edge);
        }
    }
    const EditingKeys keys = CurrentKeys();
    if (keys.left || keys.right) {
        if (keys.left) {
            MoveCursorLeft();
        } else {
            MoveCursorRight();
        }
        Port().PlaySound(ControlSound::kPush);
    }
}

void CTextInputArea::UpdateSelf() {
    prevHover_ = hover_;
    COriginalBasePart::UpdateSelf();
}

void CTextInputArea::Draw() {
    int32_t X, Y;
    GetAbsolutePosition(X, Y);
    const int32_t W = GetWidth(), H = GetHeight();
    const uint32_t paper = PackColor(217, 217, 247);
    Port().Rect(X, Y, X + W, Y + H, paper, paper, 1);
    DrawOpenFrame(X, Y, W, H);
    COriginalBasePart::Draw();
    if (IsCaretShown()) PutSheet(kSheet2, X + kInset + EdgeX(cursor_), Y + kInset, 248, 224, 256, 256);
}

}  // namespace Controls
