// The help balloon: where it opens, how it settles, and its text rendered once into a surface of
// its own (plain text where none can be made, nothing while off the screen).
#include <memory>

#include "editor_windows/PopUpHelp.h"
#include "tests/editor_windows/editor_windows_test.h"

using namespace Controls;
using controltest::Blit;

namespace {

class PopUpHelpTest : public editorwindowtest::EditorWindowTest {
  protected:
    void Advance(CPopUpHelp& help, int frames) {
        for (int i = 0; i < frames; ++i) help.Advance();
    }
};

TEST_F(PopUpHelpTest, WidthBoxAndOrientationFromTextAndAnchor) {
    CPopUpHelp tenBytes("ABCDEFGHIJ", 60, 200);
    EXPECT_EQ(tenBytes.GetWidth(), 70);
    EXPECT_EQ(tenBytes.GetBoxWidth(), 96);
    EXPECT_EQ(tenBytes.GetOrientation(), CPopUpHelp::Orientation::kAboveRight);
    // A full-width character counts two bytes.
    EXPECT_EQ(CPopUpHelp("やり直し", 300, 200).GetWidth(), 56);
    EXPECT_EQ(CPopUpHelp("ABCDEFGHIJ", 70, 41).GetOrientation(), CPopUpHelp::Orientation::kAboveLeft);
    EXPECT_EQ(CPopUpHelp("ABCDEFGHIJ", 70, 40).GetOrientation(), CPopUpHelp::Orientation::kBelowLeft);
    EXPECT_EQ(CPopUpHelp("ABCDEFGHIJ", 69, 40).GetOrientation(), CPopUpHelp::Orientation::kBelowRight);
}

TEST_F(PopUpHelpTest, BoxAndTailAboveRightOfTheAnchorAfterTheWobble) {
    CPopUpHelp help("ABCDEFGHIJ", 60, 200);
    EXPECT_DOUBLE_EQ(help.GetBob(), 17.0);  // 9 x cos 0 + 8 at the start
    Advance(help, 9);
    EXPECT_DOUBLE_EQ(help.GetBob(), 8.0);
    help.Draw();
    // Box from x 44, top 168 - 8: the left end, ten middle tiles (52 .. 124), the right end.
    EXPECT_EQ(port.blits.front(), (Blit{44, 160, kSheet2, 120, 208, 128, 232}));
    EXPECT_TRUE(port.Drew({124, 160, kSheet2, 128, 208, 136, 232}));
    EXPECT_FALSE(port.Drew({132, 160, kSheet2, 128, 208, 136, 232}));
    EXPECT_TRUE(port.Drew({132, 160, kSheet2, 136, 208, 144, 232}));
    EXPECT_TRUE(port.Drew({53, 181, kSheet2, 144, 224, 160, 240}));
}

TEST_F(PopUpHelpTest, BelowLeftBalloonHangsUnderTheAnchor) {
    CPopUpHelp help("ABCDEFGHIJ", 300, 30);
    Advance(help, 10);
    help.Draw();
    // Left 300 - 96 + 16, top 30 + 11 + 8; the tail at (300, 30 - 4 + 8).
    EXPECT_EQ(port.blits.front(), (Blit{220, 49, kSheet2, 120, 208, 128, 232}));
    EXPECT_TRUE(port.Drew({300, 34, kSheet2, 160, 208, 176, 224}));
}

TEST_F(PopUpHelpTest, TextIsRenderedOnceThenBlitted) {
    {
        CPopUpHelp help("ステージの設定", 400, 200);
        help.Draw();
        help.Draw();
        help.Draw();
        ASSERT_EQ(port.textSurfaces.size(), 1u);
        const int surface = port.textSurfaces[0][3];
        // The box is 14 x 7 + 24 = 122, raised to 128; the text part leaves the ends free.
        EXPECT_EQ(port.textSurfaces[0][0], 128 - 12 - 8);
        EXPECT_EQ(port.textSurfaces[0][1], 18);
        EXPECT_EQ(port.textSurfaces[0][2], int(PackColor(255, 251, 232)));
        EXPECT_EQ(port.surfaces.size(), 3u);
        EXPECT_EQ(port.surfaces[0][2], surface);
        EXPECT_TRUE(port.captures.empty());  // nothing read back from the screen
        EXPECT_TRUE(port.texts.empty());
        EXPECT_EQ(help.GetTextSurface(), surface);
    }
    ASSERT_EQ(port.released.size(), 1u);  // given back with the balloon
}

TEST_F(PopUpHelpTest, WithoutASurfaceTheTextIsDrawnEveryFrame) {
    port.refuseTextSurfaces = true;
    {
        CPopUpHelp help("テストプレイ", 400, 200);
        help.Draw();
        help.Draw();
        EXPECT_EQ(port.textSurfaces.size(), 1u);  // asked once
        EXPECT_EQ(port.texts.size(), 2u);
        EXPECT_TRUE(port.surfaces.empty());
    }
    EXPECT_TRUE(port.released.empty());
}

TEST_F(PopUpHelpTest, OffTheScreenNothingIsRenderedUntilItComesBack) {
    {
        CPopUpHelp help("ABCDEFGHIJ", 300, 900);
        help.Draw();
        EXPECT_TRUE(port.textSurfaces.empty());
        EXPECT_TRUE(port.texts.empty());
    }
    { CPopUpHelp never("ABCDEFGHIJ", 300, 200); }
    EXPECT_TRUE(port.released.empty());  // a balloon never drawn holds nothing
}

}  // namespace
