// Second-pass checks of the engine layer: the back-buffer copy under its widget name, the window
// title wrapper, lines with far-away end points and long interface strings.
#include <gtest/gtest.h>

#include <climits>

#include "engine/el/DrawHelpers.h"
#include "engine/el/elText.h"
#include "foundation/Helpers.h"
#include "tests/common/headless_test.h"

namespace {

using testsupport::HeadlessTest;

class ElAudit : public HeadlessTest {
  protected:
    uint32_t At(int x, int y) { return elDraw::BackBuffer().Row(y)[x] & 0xFFFFFFu; }
    int CountInk(int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += At(x, y) != 0;
        return n;
    }
    int CountAllInk() { return CountInk(0, 0, 640, 480); }
};

TEST_F(ElAudit, FillObjectCopiesTheBackBufferRectangleToTheObjectCorner) {
    elDraw::DrawRect(100, 50, 110, 60, 0x0000FF, 0x0000FF, 1);
    const int slot = elDraw::CreateObject(32, 32, elDraw::kMemoryDriver);
    ASSERT_GT(slot, 0);
    elDraw::FillObject(slot, 95, 45, 127, 77);
    const plat::Surface* s = elDraw::GetObjectSurface(slot);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Row(0)[0] & 0xFFFFFFu, 0u);
    EXPECT_EQ(s->Row(5)[5], plat::ColorRefToPixel(0x0000FF));
    EXPECT_EQ(s->Row(14)[14], plat::ColorRefToPixel(0x0000FF));
    EXPECT_EQ(s->Row(15)[15] & 0xFFFFFFu, 0u);
    // Whatever lies beyond the back buffer is left alone.
    elDraw::FillObject(slot, 630, 470, 662, 502);
    EXPECT_EQ(s->Row(20)[20] & 0xFFFFFFu, 0u);
    elDraw::FillObject(0xFFFF, 0, 0, 10, 10);  // no such slot: nothing
}

TEST_F(ElAudit, MainWindowTitleWrapperSetsTheTitle) {
    SetMainWindowTitle("Quorvald - エディタ");
    EXPECT_EQ(Headless().Title(), "Quorvald - エディタ");
}

TEST_F(ElAudit, ThinLinesWithFarEndPointsDrawOnlyTheirVisiblePart) {
    elDraw::DrawLine(-2000000000, 100, 2000000000, 100, 0xFFFFFF, 1);
    for (int x = 0; x < 640; ++x) ASSERT_EQ(At(x, 100), 0xFFFFFFu) << x;
    EXPECT_EQ(CountAllInk(), 640);

    elDraw::ClearScreen();
    elDraw::DrawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0xFFFFFF, 1);
    int onDiagonal = 0;
    for (int i = 0; i < 480; ++i) onDiagonal += At(i, i) != 0;
    EXPECT_GE(onDiagonal, 478);
    EXPECT_LE(CountAllInk(), 482);

    // A line that only passes by the screen draws nothing.
    elDraw::ClearScreen();
    elDraw::DrawLine(-2000000000, -5, 2000000000, -5, 0xFFFFFF, 1);
    elDraw::DrawLine(INT_MIN, INT_MAX, INT_MIN + 10, INT_MIN, 0xFFFFFF, 1);
    EXPECT_EQ(CountAllInk(), 0);

    // Near the screen nothing changes: the end point is still left out.
    elDraw::DrawLine(10, 300, 20, 300, 0xFFFFFF, 1);
    EXPECT_EQ(At(10, 300), 0xFFFFFFu);
    EXPECT_EQ(At(19, 300), 0xFFFFFFu);
    EXPECT_EQ(At(20, 300), 0u);
}

TEST_F(ElAudit, WideLinesWithFarEndPointsDrawOnlyTheirVisiblePart) {
    elDraw::DrawLine(INT_MIN, 50, INT_MAX, 50, 0xFFFFFF, 3);
    EXPECT_EQ(CountInk(0, 49, 640, 52), 3 * 640);
    EXPECT_EQ(CountAllInk(), 3 * 640);
}

TEST_F(ElAudit, RectanglesAndCirclesFarBeyondTheScreenStayQuickAndExact) {
    const uint32_t kPen = plat::ColorRefToPixel(0x0000FF) & 0xFFFFFFu;
    // A rectangle reaching far beyond every edge fills the screen inside its outline.
    elDraw::DrawRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0x00FF00, 0x0000FF, 3);
    EXPECT_EQ(CountInk(0, 0, 640, 480), 640 * 480);
    EXPECT_EQ(At(0, 0), 0x00FF00u);
    EXPECT_EQ(At(639, 479), 0x00FF00u);
    elDraw::ClearScreen();
    // Its left edge on screen, the others far away.
    elDraw::DrawRect(100, -2000000000, 2000000000, 2000000000, 0x00FF00, 0x0000FF, INT_MAX);
    EXPECT_EQ(At(99, 240), kPen);  // a very wide pen
    EXPECT_EQ(At(50, 240), kPen);
    elDraw::ClearScreen();
    elDraw::DrawRect(100, -2000000000, 2000000000, 2000000000, 0x00FF00, 0x0000FF, 1);
    EXPECT_EQ(At(99, 240), 0u);
    EXPECT_EQ(At(100, 240), kPen);
    EXPECT_EQ(At(101, 240), 0x00FF00u);
    EXPECT_EQ(At(639, 0), 0x00FF00u);

    // A circle wholly beside the screen draws nothing; one with a huge radius draws its arc.
    elDraw::ClearScreen();
    elDraw::DrawArc(INT_MIN, INT_MIN, 5, 0xFFFFFF, 1);
    elDraw::DrawArc(INT_MAX, 240, 100, 0xFFFFFF, 3);
    elDraw::DrawArc(320, 240, INT_MAX, 0xFFFFFF, 1);  // encloses the screen
    EXPECT_EQ(CountAllInk(), 0);
    elDraw::DrawArc(320, 240 + 1000000, 1000000, 0xFFFFFF, 1);  // its top touches row 240
    EXPECT_EQ(At(320, 240), 0xFFFFFFu);
    EXPECT_EQ(At(320, 239), 0u);
    EXPECT_EQ(At(320, 241), 0u);
    // Ordinary circles are untouched by all this.
    elDraw::ClearScreen();
    elDraw::DrawArc(100, 100, 10, 0xFFFFFF, 1);
    EXPECT_EQ(At(110, 100), 0xFFFFFFu);
    EXPECT_EQ(At(100, 90), 0xFFFFFFu);
    EXPECT_EQ(At(100, 100), 0u);
}

class ElAuditText : public ElAudit {
  protected:
    void SetUp() override {
        ElAudit::SetUp();
        elDraw::InitFonts();
    }
    void TearDown() override {
        elDraw::ReleaseStringFont();
        elDraw::EndFonts();
        ElAudit::TearDown();
    }
};

TEST_F(ElAuditText, ACharacterAtTheEndOfTheFontBufferIsDrawnWhole) {
    // A line longer than the font buffer holds continues in a second piece; the character that
    // reaches the buffer's edge must not lose its right part.
    elDraw::CreateStringFont("ＭＳ ゴシック", 12);
    elDraw::SetTextColors(0xFFFFFF, 0, true);
    const std::string block = "■";
    std::string text;
    for (int i = 0; i < 40; ++i) text += block;
    elDraw::DrawString(0, 100, 640, 400, text, 0);
    const auto boxes = elDraw::GetStringCharBoxes();
    ASSERT_EQ(boxes.size(), 40u);
    // One line, each character right after the one before.
    for (size_t i = 1; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].top, 100) << i;
        EXPECT_EQ(boxes[i].left, boxes[i - 1].right) << i;
    }
    const int first = CountInk(boxes[0].left, boxes[0].top, boxes[0].right, boxes[0].bottom);
    ASSERT_GT(first, 20);
    for (size_t i = 1; i + 1 < boxes.size(); ++i) {
        const auto& b = boxes[i];
        EXPECT_NEAR(CountInk(b.left, b.top, b.right, b.bottom), first, first / 10) << "character " << i;
    }
}

TEST_F(ElAuditText, ALongLineBreaksBeforeTheRightLimitAcrossBufferPieces) {
    // A right limit beyond the first piece: the character that overflows it still starts the next
    // line, as it does within one piece.
    elDraw::CreateStringFont("ＭＳ ゴシック", 12);
    elDraw::SetTextColors(0xFFFFFF, 0, true);
    std::string text;
    for (int i = 0; i < 40; ++i) text += "あ";
    elDraw::DrawString(0, 100, 400, 400, text, 0);
    const auto boxes = elDraw::GetStringCharBoxes();
    ASSERT_EQ(boxes.size(), 40u);
    int onFirstLine = 0;
    for (const auto& b : boxes) {
        if (b.top != 100) break;
        EXPECT_LT(b.right, 400);
        ++onFirstLine;
    }
    const int cw = boxes[0].right - boxes[0].left;
    ASSERT_GT(cw, 0);
    EXPECT_EQ(onFirstLine, (400 - 1) / cw);
    EXPECT_EQ(boxes[static_cast<size_t>(onFirstLine)].left, 0);
    EXPECT_EQ(boxes[static_cast<size_t>(onFirstLine)].top, 112);

    // The limit falls inside the first character of the second piece: that one moves down too.
    const int perPiece = 640 / (2 * cw);
    const int right = perPiece * cw + cw / 2;
    elDraw::DrawString(0, 100, right, 400, text, 0);
    const auto again = elDraw::GetStringCharBoxes();
    ASSERT_EQ(again.size(), 40u);
    EXPECT_EQ(again[static_cast<size_t>(perPiece) - 1].top, 100);
    EXPECT_EQ(again[static_cast<size_t>(perPiece)].left, 0);
    EXPECT_EQ(again[static_cast<size_t>(perPiece)].top, 112);
}

}  // namespace
