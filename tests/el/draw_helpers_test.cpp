#include <array>

#include "engine/el/DrawHelpers.h"
#include "tests/common/headless_test.h"

namespace {

using testsupport::HeadlessTest;

class DrawHelpers : public HeadlessTest {
  protected:
    uint32_t At(int x, int y) { return elDraw::BackBuffer().Row(y)[x]; }
    // The box of the pixels that are not black: left, top, right, bottom (inclusive), or -1s.
    std::array<int, 4> InkBox() {
        std::array<int, 4> box{-1, -1, -1, -1};
        const plat::Surface& s = elDraw::BackBuffer();
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x)
                if (s.Row(y)[x] & 0xFFFFFF) {
                    if (box[0] < 0 || x < box[0]) box[0] = x;
                    if (box[1] < 0) box[1] = y;
                    if (x > box[2]) box[2] = x;
                    box[3] = y;
                }
        return box;
    }
};

TEST_F(DrawHelpers, RectOutlineClosesAllFourSides) {
    DrawRectOutline(10, 10, 20, 15, 255, 128, 0, 1);
    const uint32_t orange = 0xFFFF8000u;
    for (int x = 10; x <= 20; ++x) {
        EXPECT_EQ(At(x, 10), orange) << x;
        EXPECT_EQ(At(x, 15), orange) << x;
    }
    for (int y = 10; y <= 15; ++y) {
        EXPECT_EQ(At(10, y), orange) << y;
        EXPECT_EQ(At(20, y), orange) << y;
    }
    EXPECT_NE(At(15, 12), orange);
    EXPECT_EQ((InkBox()), (std::array<int, 4>{10, 10, 20, 15}));
}

TEST_F(DrawHelpers, TextStaysInItsRectangleInItsColour) {
    DrawText("テスト Text", 100, 200, 300, 260, 255, 255, 255, "標準ゴシック", 16, 0, false, 0);
    auto box = InkBox();
    ASSERT_GE(box[0], 0) << "nothing was drawn";
    EXPECT_GE(box[0], 100);
    EXPECT_GE(box[1], 200);
    EXPECT_LT(box[2], 300);
    EXPECT_LT(box[3], 260);

    elDraw::ClearScreen();
    DrawText("テスト", 50, 60, 400, 120, 255, 0, 0, "標準ゴシック", 16, 0, true, 0);
    box = InkBox();
    ASSERT_GE(box[0], 0) << "nothing was drawn";
    EXPECT_GE(box[0], 50);
    EXPECT_GE(box[1], 60);
    // Smoothed glyphs: mostly red, never green or blue alone.
    int red = 0;
    for (uint32_t p : elDraw::BackBuffer().pixels) {
        uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        red += r > 128 && g < r / 2 && b < r / 2;
    }
    EXPECT_GT(red, 10);
}

TEST_F(DrawHelpers, DoubleTextIsADebugLine) {
    DrawDoubleText(1.5, 4, 4);
    auto box = InkBox();
    ASSERT_GE(box[0], 0);
    EXPECT_GE(box[0], 4);
    EXPECT_GE(box[1], 4);
    EXPECT_LE(box[3], 4 + 16);
}

}  // namespace
