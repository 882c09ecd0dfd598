#pragma once
// The one-line text box of the on-screen keyboard: at most a fixed number of characters, a
// cursor and a blinking caret, shown through a label in the fixed-pitch gothic at size 32.
// Full-width characters fill one 32-pixel cell each, half-width ones half a cell, so the caret
// and clicks stay on the characters' edges whatever the text holds. The box takes clicks (they
// place the cursor) and the arrow keys; what is typed comes from its owner through the editing
// operations. Texts in and out are UTF-8.
#include <cstdint>
#include <string>

#include "controls/DisplayParts.h"
#include "controls/Widget.h"

namespace Controls {

class CTextInputArea : public COriginalBasePart {
  public:
    static constexpr int32_t kCellWidth = 32;
    // The caret shows for the first half of every second.
    static constexpr int32_t kBlinkTicks = 60;

    // A box for `maxLength` characters, (32 n + 16) x 48, holding `text` (cut to the maximum)
    // with the cursor after it.
    CTextInputArea(int32_t x, int32_t y, const std::string& text, int32_t maxLength);

    void UpdateSelf() override;
    void HandleInput() override;
    void Draw() override;

    std::string GetText() const;
    // Replaces the text (cut to the maximum length). The cursor moves by as many characters as
    // the text grew or shrank, so replacing the part before the cursor leaves it behind the new
    // part; it never ends beyond the text.
    void SetText(const std::string& text);
    int32_t GetLength() const { return int32_t(text_.size()); }
    int32_t GetCursor() const { return cursor_; }
    int32_t GetMaxLength() const { return maxLength_; }
    double GetCaretClock() const { return caretClock_; }
    bool IsCaretShown() const { return int64_t(caretClock_) % kBlinkTicks < kBlinkTicks / 2; }
    const CSpriteTextLabel& GetLabel() const { return *label_; }

    // Clamped to the text; every call shows the caret again.
    void SetCursor(int32_t position);
    void MoveCursorLeft() { SetCursor(cursor_ - 1); }
    void MoveCursorRight() { SetCursor(cursor_ + 1); }

    // Inserts one character (UTF-8) at the cursor and moves the cursor behind it; a full box
    // ignores it.
    void InsertChar(const std::string& character);
    // Inserts before the character at `position` (clamped to the text); the cursor stays.
    void InsertCharAt(const std::string& character, int32_t position);
    // Takes out the character at `position` and returns it; " " when there is none there.
    std::string DeleteAt(int32_t position);
    std::string DeleteAtCursor() { return DeleteAt(cursor_); }

    // The pixel offset of the edge before character `index`, from the first cell's left edge.
    int32_t EdgeX(int32_t index) const;

  private:
    void ShowText();

    std::u32string text_;
    int32_t cursor_ = 0;
    int32_t maxLength_;
    bool hover_ = false, prevHover_ = false;
    double caretClock_ = 0;
    CSpriteTextLabel* label_;
};

}  // namespace Controls
