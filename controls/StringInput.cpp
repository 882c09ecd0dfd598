#include "controls/StringInput.h"

#include "controls/Romaji.h"
#include "engine/InputManager.h"
#include "engine/el/elFont.h"

namespace Controls {

void CStringInputBase::Notify(const std::string& text, bool romaji) {
    NotifyAll(listeners, [&](IStringInputedEventHandler* l) { l->OnStringInputed(text, romaji); });
}

TypingKeys ReadTypingKeys(const CInputManager& input) {
    TypingKeys keys;
    keys.space = input.IsSpacePushed();
    for (int i = 0; i < 26; ++i) keys.letters[i] = input.IsLetterPushed(static_cast<char>('A' + i));
    for (int i = 0; i < 10; ++i) keys.digits[i] = input.IsDigitPushed(i);
    keys.minus = input.IsMinusPushed();
    keys.shift = input.IsShiftDown();
    return keys;
}

void CHiddenKeyBoardInput::Type(const TypingKeys& keys) {
    if (keys.space) Notify("空白", romaji_);
    // Shift turns the page's case round.
    const char32_t firstLetter = upperCase_ != keys.shift ? U'Ａ' : U'ａ';
    for (int i = 0; i < 26; ++i)
        if (keys.letters[i]) Notify(elFont::EncodeUtf8(firstLetter + i), romaji_);
    for (int i = 0; i < 10; ++i)
        if (keys.digits[i]) Notify(DigitToFullWidth(static_cast<char>('0' + i)), romaji_);
    if (keys.minus) Notify("ー", romaji_);
}

}  // namespace Controls
