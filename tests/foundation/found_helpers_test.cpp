#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "foundation/FrameTime.h"
#include "foundation/Helpers.h"
#include "platform/backend.h"
#include "platform/messagebox.h"

TEST(Random, SeededFifteenBitGeneratorAndRanges) {
    SeedRandom(12345);
    const int first = RandomRaw();
    SeedRandom(12345);
    EXPECT_EQ(RandomRaw(), first);  // a seed repeats the sequence

    int lo = INT_MAX, hi = INT_MIN;
    bool sawZero = false, sawMax = false;
    for (int i = 0; i < 200000; ++i) {
        const int r = RandomRaw();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, 32767);
        const int k = RandomRange(0, 255);
        lo = std::min(lo, k);
        hi = std::max(hi, k);
        EXPECT_EQ(RandomRange(5, 5), 5);
        const int n = RandomRange(-3, 3);
        sawZero |= n == -3;
        sawMax |= n == 3;
        ASSERT_GE(n, -3);
        ASSERT_LE(n, 3);
    }
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 255);
    EXPECT_TRUE(sawZero && sawMax);

    int hits = 0;
    for (int i = 0; i < 10000; ++i) {
        EXPECT_FALSE(RandomChance(0.0));
        EXPECT_TRUE(RandomChance(100.0));
        hits += RandomChance(25.0) ? 1 : 0;
    }
    EXPECT_NEAR(hits, 2500, 300);
}

TEST(Geometry, AnglesAndDistances) {
    EXPECT_DOUBLE_EQ(GetAngle(0, 0, 0, 0), 1.5707965);
    EXPECT_DOUBLE_EQ(GetAngle(3, 5, 3, 1), -1.5707965);
    EXPECT_DOUBLE_EQ(GetAngle(0, 0, 1, 1), std::atan2(1.0, 1.0));
    EXPECT_DOUBLE_EQ(GetDistance(0, 0, 3, 4), 5.0);
    EXPECT_NEAR(GetAngleDiff(0.1, 6.2), -0.183186, 1e-6);
    EXPECT_NEAR(GetAngleDiff(6.2, 0.1), 0.183186, 1e-6);
    EXPECT_NEAR(GetAngleDiff(-0.5, 0.5), 1.0, 1e-9);
    EXPECT_EQ(GetAngleDiff(1.0, 1.0), 0.0);
    EXPECT_EQ(GetAngleDiff(0.0, 6.283186), 0.0);  // the same after wrapping
    EXPECT_EQ(GetAngleDiff(INFINITY, 1.0), 1.0);  // no endless wrap
    EXPECT_DOUBLE_EQ(CalcAcceleratedDistance(10, 4, 2), 28.0);
    EXPECT_DOUBLE_EQ(MinOf4(3, 1, 2, 1), 1);
    EXPECT_DOUBLE_EQ(MaxOf3(3, 7, 2), 7);
}

TEST(Geometry, LandingSpeed) {
    // Jump straight up 100 px/s under gravity 100: apex after 1 s at y0 - 50, back down at 2 s.
    EXPECT_NEAR(CalcLandingSpeedX(0, 0, 100, 0, -100, 100, 1000), 50.0, 1e-9);
    EXPECT_DOUBLE_EQ(CalcLandingSpeedX(0, 0, 1000, 0, -100, 100, 80), 80.0);
    EXPECT_DOUBLE_EQ(CalcLandingSpeedX(0, 0, -1000, 0, -100, 100, 80), -80.0);
    const double v = CalcLandingSpeedX(0, 0, 10, 0, -1, 0, 1e9);  // g = 0 uses 0.001
    EXPECT_TRUE(std::isfinite(v));
    EXPECT_TRUE(std::isfinite(CalcLandingSpeedX(0, 0, 10, 0, 0, 0, 1e9)));  // T = 0 counts as 0.001
}

TEST(Geometry, ShapeTests) {
    EXPECT_TRUE(IsRectOverlap(0, 0, 10, 10, 10, 10, 20, 20));  // a shared corner touches
    EXPECT_FALSE(IsRectOverlap(0, 0, 10, 10, 10.5, 0, 20, 10));
    EXPECT_TRUE(IsCircleOverlap(0, 0, 1, 2, 0, 1));
    EXPECT_FALSE(IsCircleOverlap(0, 0, 1, 2.01, 0, 1));
    EXPECT_TRUE(IsPointInRect(10, 0, 0, 0, 10, 10));
    EXPECT_TRUE(IsPointInCircle(3, 4, 0, 0, 5));

    EXPECT_TRUE(IsCircleRectOverlap(5, 5, 1, 0, 0, 10, 10));      // centre inside
    EXPECT_TRUE(IsCircleRectOverlap(-3, 0, 3, 0, 0, 10, 10));     // touches the top-left corner
    EXPECT_FALSE(IsCircleRectOverlap(-3.5, 5, 3, 0, 0, 10, 10));  // beside, not reaching
    EXPECT_TRUE(IsCircleRectOverlap(12, 12, 3, 0, 0, 10, 10));    // reaches the corner (10,10)
    // A small circle between two samples of a long edge is missed: the sampling step is 8.
    EXPECT_FALSE(IsCircleRectOverlap(4, -0.9, 1, 0, 0, 64, 64));

    double l, t, r, b;
    GetQuadrantSquare(10.7, 20.2, 5, 1, l, t, r, b);
    EXPECT_EQ(l, 5);
    EXPECT_EQ(t, 15);
    EXPECT_EQ(r, 10);
    EXPECT_EQ(b, 20);
    GetQuadrantSquare(0, 0, 4, 7, l, t, r, b);  // any other quadrant is lower right
    EXPECT_EQ(r, 4);
    EXPECT_EQ(b, 4);

    // Quarter opening up-left: a point above-left is in, below-right is not.
    EXPECT_TRUE(IsPointInQuarterCircle(0, 0, 10, 1, -3, -3));
    EXPECT_FALSE(IsPointInQuarterCircle(0, 0, 10, 1, 3, 3));
    EXPECT_TRUE(IsPointInQuarterCircle(0, 0, 10, 0, 3, 3));
    EXPECT_TRUE(IsQuarterCircleCircleOverlap(0, 0, 10, 2, 8, -8, 3));
    EXPECT_FALSE(IsQuarterCircleCircleOverlap(0, 0, 10, 2, -9, 9, 2));
    EXPECT_TRUE(IsQuarterCircleRectOverlap(0, 0, 10, 3, -8, 2, -4, 6));
    EXPECT_FALSE(IsQuarterCircleRectOverlap(0, 0, 10, 3, 2, 2, 6, 6));
    EXPECT_TRUE(IsQuarterCircleOverlap(0, 0, 10, 2, 15, 0, 10, 1));
    EXPECT_FALSE(IsQuarterCircleOverlap(0, 0, 10, 1, 15, 0, 10, 2));
}

TEST(Geometry, RectangleRelations) {
    EXPECT_EQ(GetContactSide(0, 0, 32, 32, 0, 30, 32, 62), 0);
    EXPECT_EQ(GetContactSide(0, 30, 32, 62, 0, 0, 32, 32), 1);
    EXPECT_EQ(GetContactSide(0, 0, 32, 32, 29, 0, 61, 32), 2);
    EXPECT_EQ(GetContactSide(29, 0, 61, 32, 0, 0, 32, 32), 3);
    EXPECT_EQ(GetContactSide(0, 0, 32, 32, 8, 8, 24, 24), 4);
    // Deep overlaps by centre: B a little lower and far to the right.
    EXPECT_EQ(GetContactSideByCentre(0, 0, 32, 32, 20, 10, 52, 42), 2);
    // B below A with the shallower vertical depth.
    EXPECT_EQ(GetContactSideByCentre(0, 0, 32, 32, 2, 20, 34, 52), 0);
    EXPECT_EQ(GetContactSideByCentre(2, 20, 34, 52, 0, 0, 32, 32), 1);
    EXPECT_EQ(GetContactSideByCentre(20, 10, 52, 42, 0, 0, 32, 32), 3);

    EXPECT_DOUBLE_EQ(GetRectDistance(0, 0, 10, 10, 13, 14, 20, 20), 5.0);  // corner to corner
    EXPECT_DOUBLE_EQ(GetRectDistance(0, 0, 10, 10, 5, 5, 20, 20), 0.0);
    EXPECT_DOUBLE_EQ(GetRectDistance(0, 0, 10, 10, 0, -20, 10, -5), 5.0);  // above
    EXPECT_DOUBLE_EQ(GetRectDistance(0, 0, 10, 10, -9, 0, -2, 10), 2.0);   // left
    EXPECT_DOUBLE_EQ(GetRectDistance(0, 0, 10, 10, -6, -7, -3, -4), 5.0);  // up-left corner
}

TEST(Geometry, LineCells) {
    using P = std::pair<int, int>;
    EXPECT_EQ(GetLineCells(0, 0, 4, 0), (std::vector<P>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));
    EXPECT_EQ(GetLineCells(2, 2, 2, 2), (std::vector<P>{{2, 2}}));
    EXPECT_EQ(GetLineCells(0, 0, 0, -2), (std::vector<P>{{0, 0}, {0, -1}, {0, -2}}));
    const auto diag = GetLineCells(0, 0, 3, 3);
    EXPECT_EQ(diag.front(), P(0, 0));
    EXPECT_EQ(diag.back(), P(3, 3));
}

TEST(Conversions, NumbersAndTexts) {
    EXPECT_EQ(StrToInt(""), 0);
    EXPECT_EQ(StrToInt("12abc"), 12);
    EXPECT_EQ(StrToInt("abc"), 0);
    EXPECT_EQ(StrToInt("-42"), -42);
    EXPECT_EQ(StrToInt("12345678901234567890"), -1);      // 20 characters
    EXPECT_EQ(StrToInt("1234567890123456789"), INT_MAX);  // 19 digits: clamped, no overflow
    EXPECT_EQ(StrToInt("-123456789012345678"), INT_MIN);
    EXPECT_EQ(StrToInt("9999999999999999999"), INT_MAX);
    EXPECT_EQ(HexStrToInt("ff"), 255);
    EXPECT_EQ(HexStrToInt("FFFFFFFFFFFF"), INT_MAX);
    EXPECT_EQ(HexStrToInt("fffffffffffffffffff"), INT_MAX);  // 19 characters beyond 64 bits
    EXPECT_EQ(HexStrToInt("fffffffffffffffffffff"), -1);
    EXPECT_DOUBLE_EQ(StrToDouble(""), 0.0);
    EXPECT_DOUBLE_EQ(StrToDouble("2.5x"), 2.5);
    EXPECT_DOUBLE_EQ(StrToDouble(std::string(64, '1')), -1.0);
    EXPECT_EQ(IntToString(-7), "-7");
    EXPECT_EQ(IntToString(INT_MIN), "-2147483648");

    EXPECT_EQ(SplitString("a,,b", ','), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(SplitString("", ','), (std::vector<std::string>{""}));
    EXPECT_EQ(SplitString("a,", ','), (std::vector<std::string>{"a", ""}));

    const std::string jp = "ステージ１a";
    EXPECT_EQ(MultiByteToWide(jp).size(), 6u);
    EXPECT_EQ(WideToMultiByte(MultiByteToWide(jp)), jp);
    EXPECT_EQ(MultiByteToWide("\xff"
                              "a"),
              std::wstring(L"\xFFFD"
                           L"a"));
}

TEST(WindowHelpers, MessagesShowTheirTextAsItIsUnderOneTitle) {
    std::vector<std::pair<std::string, std::string>> shown;
    plat::SetMessageBoxHandler([&](const std::string& t, const std::string& m) { shown.emplace_back(t, m); });
    ShowMessageText("100%s done");
    ShowMessageBox("50%d 完了");
    plat::SetMessageBoxHandler(nullptr);
    const std::vector<std::pair<std::string, std::string>> expected = {{"メッセージ", "100%s done"},
                                                                       {"メッセージ", "50%d 完了"}};
    EXPECT_EQ(shown, expected);
}

TEST(WindowHelpers, MainWindowTitleGoesToTheWindowWhenThereIsOne) {
    SetMainWindowTitle("no window yet");  // nothing runs: no effect, no crash
    plat::BackendOptions options;
    options.headless = true;
    plat::Backend& b = plat::StartBackend(options);
    SetMainWindowTitle("Quorvald - エディタ");
    EXPECT_EQ(b.Title(), "Quorvald - エディタ");
    plat::StopBackend();
}

TEST(WindowHelpers, FrameRateIsTheInverseOfTheFrameTime) {
    SetFrameTime(0.02f);
    EXPECT_NEAR(GetFrameRate(), 50.0, 1e-3);
    SetFrameTime(0.0f);
    EXPECT_TRUE(std::isinf(GetFrameRate()));
}

TEST(Geometry, CircleRectOverlapEndsOnHugeOrEndlessRectangles) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(IsCircleRectOverlap(0, 0, 5, -inf, -inf, inf, inf));
    EXPECT_FALSE(IsCircleRectOverlap(0, 0, std::nan(""), 0, 0, 10, 10));
    // A circle just off the corner of a rectangle far larger than any stage.
    EXPECT_FALSE(IsCircleRectOverlap(-4, -4, 5, 0, 0, 1e15, 1e15));
    EXPECT_TRUE(IsCircleRectOverlap(-3, -3, 5, 0, 0, 1e15, 1e15));
    // Skipping the samples outside the circle's reach gives the same answers as walking them all.
    auto walkAll = [](double cx, double cy, double r, double l, double t, double rt, double b) {
        if (IsPointInRect(cx, cy, l, t, rt, b)) return true;
        for (double x = l; x < rt; x += kSampleStep)
            for (double y = t; y < b; y += kSampleStep)
                if (IsPointInCircle(x, y, cx, cy, r)) return true;
        for (double y = t; y < b; y += kSampleStep)
            if (IsPointInCircle(rt, y, cx, cy, r)) return true;
        for (double x = l; x < rt; x += kSampleStep)
            if (IsPointInCircle(x, b, cx, cy, r)) return true;
        return IsPointInCircle(rt, b, cx, cy, r);
    };
    for (double cx = -30; cx <= 130; cx += 3.5) {
        for (double cy = -30; cy <= 90; cy += 4.5) {
            EXPECT_EQ(IsCircleRectOverlap(cx, cy, 11, 2, 3, 101, 67), walkAll(cx, cy, 11, 2, 3, 101, 67))
                << cx << "," << cy;
        }
    }
}
