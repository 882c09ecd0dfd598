#include <climits>
#include <cmath>

#include "tests/common/headless_test.h"

namespace {

using testsupport::HeadlessTest;

using elDraw::BackBuffer;

class DrawShapes : public HeadlessTest {
  protected:
    uint32_t At(int x, int y) { return BackBuffer().Row(y)[x]; }
    int Count(uint32_t pixel) {
        int n = 0;
        for (uint32_t p : BackBuffer().pixels) n += p == pixel;
        return n;
    }
    uint32_t Rgb(int x, int y) { return At(x, y) & 0xFFFFFFu; }
    // Non-black pixels in the rectangle (right and bottom excluded).
    int CountInk(int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += Rgb(x, y) != 0;
        return n;
    }
    int CountAllInk() { return CountInk(0, 0, 640, 480); }
};

const uint32_t kRed = 0x0000FF;  // 0x00BBGGRR
const uint32_t kRedPixel = 0xFFFF0000u;

TEST_F(DrawShapes, ThinLineLeavesOutItsEndPoint) {
    elDraw::DrawLine(10, 5, 15, 5, kRed, 1);
    for (int x = 10; x < 15; ++x) EXPECT_EQ(At(x, 5), kRedPixel) << x;
    EXPECT_NE(At(15, 5), kRedPixel);
    EXPECT_EQ(Count(kRedPixel), 5);
    elDraw::ClearScreen();
    elDraw::DrawLine(0, 0, 4, 4, kRed, 0);  // width 0 is one pixel too
    for (int i = 0; i < 4; ++i) EXPECT_EQ(At(i, i), kRedPixel);
    EXPECT_EQ(Count(kRedPixel), 4);
    elDraw::ClearScreen();
    elDraw::DrawLine(-50, 100, 700, 100, kRed, 1);  // clipped to the back buffer
    EXPECT_EQ(Count(kRedPixel), 640);
}

TEST_F(DrawShapes, WideLineHasRoundEnds) {
    elDraw::DrawLine(100, 100, 120, 100, kRed, 5);
    EXPECT_EQ(At(110, 98), kRedPixel);
    EXPECT_EQ(At(110, 102), kRedPixel);
    EXPECT_NE(At(110, 103), kRedPixel);
    EXPECT_EQ(At(122, 100), kRedPixel);  // the round cap reaches past the end
    EXPECT_NE(At(122, 102), kRedPixel);
    EXPECT_NE(At(123, 100), kRedPixel);
}

TEST_F(DrawShapes, RectangleFillAndOutline) {
    const uint32_t white = 0xFFFFFFFFu;
    elDraw::DrawRect(10, 20, 20, 26, kRed, 0xFFFFFF, 1);
    EXPECT_EQ(At(10, 20), white);
    EXPECT_EQ(At(19, 25), white);
    EXPECT_EQ(At(19, 22), white);
    EXPECT_EQ(At(11, 21), kRedPixel);
    EXPECT_EQ(At(18, 24), kRedPixel);
    EXPECT_NE(At(20, 22), white);  // right and bottom exclusive
    EXPECT_NE(At(15, 26), white);
    EXPECT_EQ(Count(white), 2 * 10 + 2 * 4);
    EXPECT_EQ(Count(kRedPixel), 8 * 4);

    elDraw::ClearScreen();
    elDraw::DrawRect(120, 110, 100, 100, kRed, 0xFFFFFF, 3);  // corners in any order
    EXPECT_EQ(At(99, 99), white);                             // the pen straddles the edge
    EXPECT_EQ(At(101, 101), white);
    EXPECT_EQ(At(102, 102), kRedPixel);
    EXPECT_EQ(At(120, 110), white);
    EXPECT_NE(At(121, 111), white);
}

TEST_F(DrawShapes, CircleAroundTheCentre) {
    elDraw::DrawArc(200, 200, 10, kRed, 1);
    EXPECT_EQ(At(210, 200), kRedPixel);
    EXPECT_EQ(At(190, 200), kRedPixel);
    EXPECT_EQ(At(200, 190), kRedPixel);
    EXPECT_EQ(At(200, 210), kRedPixel);
    EXPECT_NE(At(200, 200), kRedPixel);
    EXPECT_NE(At(205, 205), kRedPixel);
    EXPECT_EQ(At(207, 207), kRedPixel);  // 9.9 from the centre
    // Symmetric: every pixel lies about 10 from the centre.
    int n = 0;
    for (int y = 185; y <= 215; ++y)
        for (int x = 185; x <= 215; ++x)
            if (At(x, y) == kRedPixel) {
                double d = std::hypot(x - 200, y - 200);
                EXPECT_NEAR(d, 10.0, 0.75);
                ++n;
            }
    EXPECT_GT(n, 50);
    elDraw::ClearScreen();
    elDraw::DrawArc(0, 0, 30, kRed, 4);  // partly off the screen
    EXPECT_EQ(At(30, 0), kRedPixel);
    EXPECT_EQ(At(0, 31), kRedPixel);
    EXPECT_NE(At(0, 0), kRedPixel);
    EXPECT_NE(At(0, 33), kRedPixel);
}

TEST_F(DrawShapes, ThinLinesWithFarEndPointsDrawOnlyTheirVisiblePart) {
    elDraw::DrawLine(-2000000000, 100, 2000000000, 100, 0xFFFFFF, 1);
    for (int x = 0; x < 640; ++x) ASSERT_EQ(Rgb(x, 100), 0xFFFFFFu) << x;
    EXPECT_EQ(CountAllInk(), 640);

    elDraw::ClearScreen();
    elDraw::DrawLine(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0xFFFFFF, 1);
    int onDiagonal = 0;
    for (int i = 0; i < 480; ++i) onDiagonal += Rgb(i, i) != 0;
    EXPECT_GE(onDiagonal, 478);
    EXPECT_LE(CountAllInk(), 482);

    // A line that only passes by the screen draws nothing.
    elDraw::ClearScreen();
    elDraw::DrawLine(-2000000000, -5, 2000000000, -5, 0xFFFFFF, 1);
    elDraw::DrawLine(INT_MIN, INT_MAX, INT_MIN + 10, INT_MIN, 0xFFFFFF, 1);
    EXPECT_EQ(CountAllInk(), 0);

    // Near the screen nothing changes: the end point is still left out.
    elDraw::DrawLine(10, 300, 20, 300, 0xFFFFFF, 1);
    EXPECT_EQ(Rgb(10, 300), 0xFFFFFFu);
    EXPECT_EQ(Rgb(19, 300), 0xFFFFFFu);
    EXPECT_EQ(Rgb(20, 300), 0u);
}

TEST_F(DrawShapes, WideLinesWithFarEndPointsDrawOnlyTheirVisiblePart) {
    elDraw::DrawLine(INT_MIN, 50, INT_MAX, 50, 0xFFFFFF, 3);
    EXPECT_EQ(CountInk(0, 49, 640, 52), 3 * 640);
    EXPECT_EQ(CountAllInk(), 3 * 640);
}

TEST_F(DrawShapes, RectanglesAndCirclesFarBeyondTheScreenStayQuickAndExact) {
    const uint32_t kPen = plat::ColorRefToPixel(0x0000FF) & 0xFFFFFFu;
    // A rectangle reaching far beyond every edge fills the screen inside its outline.
    elDraw::DrawRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0x00FF00, 0x0000FF, 3);
    EXPECT_EQ(CountInk(0, 0, 640, 480), 640 * 480);
    EXPECT_EQ(Rgb(0, 0), 0x00FF00u);
    EXPECT_EQ(Rgb(639, 479), 0x00FF00u);
    elDraw::ClearScreen();
    // Its left edge on screen, the others far away.
    elDraw::DrawRect(100, -2000000000, 2000000000, 2000000000, 0x00FF00, 0x0000FF, INT_MAX);
    EXPECT_EQ(Rgb(99, 240), kPen);  // a very wide pen
    EXPECT_EQ(Rgb(50, 240), kPen);
    elDraw::ClearScreen();
    elDraw::DrawRect(100, -2000000000, 2000000000, 2000000000, 0x00FF00, 0x0000FF, 1);
    EXPECT_EQ(Rgb(99, 240), 0u);
    EXPECT_EQ(Rgb(100, 240), kPen);
    EXPECT_EQ(Rgb(101, 240), 0x00FF00u);
    EXPECT_EQ(Rgb(639, 0), 0x00FF00u);

    // A circle wholly beside the screen draws nothing; one with a huge radius draws its arc.
    elDraw::ClearScreen();
    elDraw::DrawArc(INT_MIN, INT_MIN, 5, 0xFFFFFF, 1);
    elDraw::DrawArc(INT_MAX, 240, 100, 0xFFFFFF, 3);
    elDraw::DrawArc(320, 240, INT_MAX, 0xFFFFFF, 1);  // encloses the screen
    EXPECT_EQ(CountAllInk(), 0);
    elDraw::DrawArc(320, 240 + 1000000, 1000000, 0xFFFFFF, 1);  // its top touches row 240
    EXPECT_EQ(Rgb(320, 240), 0xFFFFFFu);
    EXPECT_EQ(Rgb(320, 239), 0u);
    EXPECT_EQ(Rgb(320, 241), 0u);
    // Ordinary circles are untouched by all this.
    elDraw::ClearScreen();
    elDraw::DrawArc(100, 100, 10, 0xFFFFFF, 1);
    EXPECT_EQ(Rgb(110, 100), 0xFFFFFFu);
    EXPECT_EQ(Rgb(100, 90), 0xFFFFFFu);
    EXPECT_EQ(Rgb(100, 100), 0u);
}

}  // namespace
