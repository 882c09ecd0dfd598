// The keyboard's text box: the text and cursor clamp to the box, clicks and arrows move the
// caret, the caret blinks from every cursor change, and it stands on the characters' edges.
#include "controls/TextInputArea.h"
#include "engine/Mouse.h"
#include "tests/controls/keyboard_test.h"

using namespace Controls;
using controltest::Blit;

namespace {

class TextInputArea : public controltest::KeyboardTest {};

TEST_F(TextInputArea, TextAndCursorStayInsideTheBox) {
    CTextInputArea box(0, 0, "あいうえおか", 4);
    EXPECT_EQ(box.GetWidth(), 4 * 32 + 16);
    EXPECT_EQ(box.GetText(), "あいうえ");
    EXPECT_EQ(box.GetCursor(), 4);
    EXPECT_EQ(box.GetLabel().GetText(), "あいうえ");

    // A full box takes nothing more, not even at another position.
    box.SetCursor(1);
    box.InsertChar("ん");
    box.InsertCharAt("ん", 0);
    EXPECT_EQ(box.GetText(), "あいうえ");
    EXPECT_EQ(box.GetCursor(), 1);

    // Nothing to delete at the end: a space comes back and the text stays.
    EXPECT_EQ(box.DeleteAt(4), " ");
    EXPECT_EQ(box.DeleteAt(-1), " ");
    EXPECT_EQ(box.DeleteAtCursor(), "い");
    EXPECT_EQ(box.GetText(), "あうえ");

    // Deleting before the cursor at the end pulls the cursor back with the text.
    box.SetCursor(3);
    box.SetText("あ");
    EXPECT_EQ(box.GetCursor(), 1);
    // A text k characters longer moves the cursor k places, never past the text.
    box.SetCursor(0);
    box.SetText("かきく");
    EXPECT_EQ(box.GetCursor(), 2);
    box.SetCursor(-5);
    EXPECT_EQ(box.GetCursor(), 0);
    box.SetCursor(99);
    EXPECT_EQ(box.GetCursor(), 3);
    box.InsertCharAt("ん", 99);
    EXPECT_EQ(box.GetText(), "かきくん");
    EXPECT_EQ(box.GetLabel().GetText(), "かきくん");
}

TEST_F(TextInputArea, ClicksPutTheCaretOnTheNearestEdge) {
    // The first cell starts 8 pixels in, at x 108.
    CTextInputArea box(100, 50, "ＡＢＣ", 6);
    auto clickAt = [&](int x) {
        Press(x, 60);
        Frame(box);
        return box.GetCursor();
    };
    EXPECT_EQ(clickAt(108 + 15), 0);
    EXPECT_EQ(clickAt(108 + 16), 1);
    EXPECT_EQ(clickAt(108 + 47), 1);
    EXPECT_EQ(clickAt(108 + 48), 2);
    EXPECT_EQ(clickAt(100 + box.GetWidth()), 3);  // the right edge is still the box
    EXPECT_EQ(clickAt(100), 0);
    CMouse::GetInstance()->SetCursorKind(0);
    Hover(100 + box.GetWidth() + 1, 60);
    Frame(box);
    EXPECT_EQ(CMouse::GetInstance()->GetCursorKind(), 0);
    Hover(150, 60);
    Frame(box);
    EXPECT_EQ(CMouse::GetInstance()->GetCursorKind(), 9);

    // Half-width characters take half a cell, and the caret follows them.
    box.SetText("aＢc");
    EXPECT_EQ(box.EdgeX(1), 16);
    EXPECT_EQ(box.EdgeX(2), 48);
    EXPECT_EQ(clickAt(108 + 7), 0);
    EXPECT_EQ(clickAt(108 + 8), 1);
    EXPECT_EQ(clickAt(108 + 32), 2);
    EXPECT_EQ(clickAt(108 + 56), 3);
    port.blits.clear();
    box.Draw();
    EXPECT_TRUE(port.Drew({108 + 64, 58, "Controls_002", 248, 224, 256, 256}));
}

TEST_F(TextInputArea, ArrowsMoveTheCaretAndItBlinksFromEveryChange) {
    CTextInputArea box(0, 0, "あい", 4);
    box.SetCursor(0);
    for (int i = 0; i < 35; ++i) Frame(box);
    EXPECT_FALSE(box.IsCaretShown());

    // Left at the start still clicks and shows the caret at once.
    keys.left = true;
    Frame(box);
    EXPECT_EQ(box.GetCursor(), 0);
    EXPECT_EQ(port.CountSound(3), 1);
    EXPECT_TRUE(box.IsCaretShown());

    keys.right = true;
    Frame(box);
    EXPECT_EQ(box.GetCursor(), 1);
    for (int i = 0; i < 28; ++i) Frame(box);
    EXPECT_TRUE(box.IsCaretShown());
    port.blits.clear();
    box.Draw();
    EXPECT_TRUE(port.Drew({8 + 32, 8, "Controls_002", 248, 224, 256, 256}));
    Frame(box);
    Frame(box);
    EXPECT_FALSE(box.IsCaretShown());
    port.blits.clear();
    box.Draw();
    EXPECT_FALSE(port.Drew({8 + 32, 8, "Controls_002", 248, 224, 256, 256}));
    for (int i = 0; i < 30; ++i) Frame(box);
    EXPECT_TRUE(box.IsCaretShown());

    // A blocked box neither moves nor counts.
    box.SetState(kStateBlocked);
    keys.right = true;
    Frame(box);
    EXPECT_EQ(box.GetCursor(), 1);
}

}  // namespace
