#pragma once
// The fixture of the keyboard tests: the widget fixture plus physical keys that the test sets
// for the next frame; a frame clears them again, as keys count as pushed for one frame only.
#include "controls/KeyboardKeys.h"
#include "tests/controls/control_test.h"

namespace controltest {

class KeyboardTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        Controls::SetKeySource([this] { return keys; });
    }
    void TearDown() override { Controls::SetKeySource(nullptr); }

    // One frame of `root` with the keys set so far; the mouse buttons and keys come up after it.
    void Frame(Controls::GCBase& root) {
        root.Update();
        const bool shift = keys.typing.shift;
        keys = {};
        keys.typing.shift = shift;
        port.mouse.leftPressed = port.mouse.leftReleased = false;
    }
    void TypeLetter(char letter) { keys.typing.letters[letter - 'A'] = true; }

    Controls::EditingKeys keys;
};

}  // namespace controltest
