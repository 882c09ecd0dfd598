#pragma once
// Sources of typed text for the on-screen keyboard: the key pages and the physical keyboard.
// A source never touches the text box; it hands each typed text to its listeners, with a flag
// that asks for romaji-to-kana conversion.
//
// The physical keyboard's source is CHiddenKeyBoardInput: the widget that hides it on the
// keyboard window (a part at (0, 0), 40 x 40, that draws nothing) derives from the base part and
// from this class, and in its input handling calls Type(ReadTypingKeys(*CInputManager::...)).
// Input handling runs only while the part is visible and active, so a modal window over the
// keyboard stops the typing.
#include <string>
#include <vector>

#include "controls/Widget.h"

class CInputManager;

namespace Controls {

class CStringInputBase {
  public:
    virtual ~CStringInputBase() = default;

    // Tells every listener appended before the call, in the order of appending. Listeners
    // appended meanwhile hear only later texts.
    void Notify(const std::string& text, bool romaji);

    // Not owned; owners append directly and nothing removes.
    std::vector<IStringInputedEventHandler*> listeners;
};

// The keys of the physical keyboard that type, as pushed in one frame (held keys are not pushed
// again), and whether Shift is down.
struct TypingKeys {
    bool space = false;
    bool letters[26] = {};  // A..Z
    bool digits[10] = {};   // 0..9, main row or numeric pad
    bool minus = false;
    bool shift = false;
};

// This frame's typing keys from the input manager.
TypingKeys ReadTypingKeys(const CInputManager& input);

// Physical keys to the full-width texts the key pages carry.
class CHiddenKeyBoardInput : public CStringInputBase {
  public:
    // The keyboard window sets both whenever a page is chosen: the kana pages upper case off
    // and romaji on, the upper-case letter page upper case on and romaji off, the lower-case
    // letter page both off.
    void SetUpperCase(bool upper) { upperCase_ = upper; }
    void SetRomajiConversion(bool romaji) { romaji_ = romaji; }

    // Notifies, in this order: "空白" for Space; each pushed letter A..Z as a full-width capital
    // when exactly one of upper case and Shift is on, else as a full-width small letter; each
    // pushed digit 0..9 in full width; "ー" for Minus. Every text goes with the romaji flag.
    void Type(const TypingKeys& keys);

  private:
    bool upperCase_ = false;
    bool romaji_ = false;
};

}  // namespace Controls
