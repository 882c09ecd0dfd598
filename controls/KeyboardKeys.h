#pragma once
// The physical keys the text box and the keyboard window read in one frame: the arrows that move
// the caret, the editing keys and the typing keys. They come from the input manager unless a
// test installed a source of its own, as the mouse comes through the control port.
#include <functional>

#include "controls/StringInput.h"

namespace Controls {

struct EditingKeys {
    bool left = false, right = false;  // the logical arrow keys, pushed this frame
    bool enter = false, tab = false, backspace = false, del = false;
    TypingKeys typing;  // letters, digits, Space, Minus and Shift
};

// This frame's keys.
EditingKeys CurrentKeys();
// Replaces where CurrentKeys reads from; an empty function puts the input manager back.
void SetKeySource(std::function<EditingKeys()> source);

}  // namespace Controls
