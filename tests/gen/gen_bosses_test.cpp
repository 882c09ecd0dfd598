// The bosses' sheets: every pose cell holds a figure in its boss's own colour, the facing-right
// sheets are the facing-left cells turned over in place, and each weapon strip holds a bar as
// long as the figure code expects.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tests/gen/gen_sheet.h"
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"
#include "tools/gen/Images.h"

using namespace gen;

namespace {

class GenBosses : public ::testing::Test {
  protected:
    static int Drawn(const Canvas& c, const SheetCell& r) {
        int n = 0;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x) n += c.Get(x, y) != kKeyColor;
        return n;
    }

    // Each cell of `right` is the same cell of `left` turned over left to right.
    static void ExpectMirroredCells(const std::string& left, const std::string& right,
                                    const std::vector<SheetCell>& cells) {
        Canvas l = Sheet(left), r = Sheet(right);
        for (const SheetCell& cell : cells) {
            EXPECT_GT(Drawn(l, cell), 0) << left << " cell " << cell.x << "," << cell.y;
            int wrong = 0;
            for (int y = cell.y; y < cell.y + cell.h; ++y)
                for (int x = cell.x; x < cell.x + cell.w; ++x)
                    wrong += l.Get(x, y) != r.Get(cell.x + cell.w - 1 - (x - cell.x), y);
            EXPECT_EQ(wrong, 0) << right << " cell " << cell.x << "," << cell.y;
        }
    }
};

std::vector<SheetCell> PoseCells() {
    std::vector<SheetCell> cells;
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 6; ++r) cells.push_back({40 * c, 40 * r, 40, 40});
    return cells;
}

// The colour covering most of a picture, the key and the dark outline left out.
uint32_t MainColour(const Canvas& c) {
    std::map<uint32_t, int> count;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            uint32_t p = c.Get(x, y);
            int sum = static_cast<int>((p >> 16 & 0xFF) + (p >> 8 & 0xFF) + (p & 0xFF));
            if (p != kKeyColor && sum > 200) ++count[p];
        }
    uint32_t best = 0;
    int most = -1;
    for (auto& [colour, n] : count)
        if (n > most) best = colour, most = n;
    return best;
}

TEST_F(GenBosses, EveryPoseCellHoldsAFigureAndTheRightPagesMirrorIt) {
    for (int n = 1; n <= 10; ++n) {
        char key[16];
        std::snprintf(key, sizeof key, "Char.Boss%03d", n);
        ExpectMirroredCells(std::string(key) + "_L", std::string(key) + "_R", PoseCells());
        Canvas page = Sheet(std::string(key) + "_L");
        for (const SheetCell& cell : PoseCells())
            EXPECT_GE(Drawn(page, cell), 120) << key << " " << cell.x << "," << cell.y;
    }
    // the hand dot every figure wears
    EXPECT_GE(Drawn(Sheet("Char.Boss001_L"), {240, 0, 16, 16}), 60);
}

TEST_F(GenBosses, EachBossWearsOneColourOnBothItsPagesAndNoOtherBossSharesIt) {
    std::vector<uint32_t> colours;
    for (int boss = 0; boss < 5; ++boss) {
        char first[24], second[24];
        std::snprintf(first, sizeof first, "Char.Boss%03d_L", 2 * boss + 1);
        std::snprintf(second, sizeof second, "Char.Boss%03d_L", 2 * boss + 2);
        uint32_t colour = MainColour(Sheet(first));
        EXPECT_EQ(colour, MainColour(Sheet(second))) << first;
        for (uint32_t other : colours) EXPECT_NE(colour, other) << first;
        colours.push_back(colour);
    }
}

TEST_F(GenBosses, EachBarIsAsLongAsItsStripSaysAndTheRightHalfIsItTurnedUpsideDown) {
    Canvas bars = Sheet("Object.Bar002");
    struct Strip {
        int top, bottom, length;
    };
    // red, yellow, blue and green lie from the strip's left edge; the pink star (length 0 here)
    // sits in the middle of its strip, so that thrown it turns on the spot
    const Strip strips[] = {{0, 32, 116}, {32, 64, 122}, {64, 96, 86}, {96, 128, 86}, {128, 224, 0}};
    for (const Strip& s : strips) {
        int left = 128, right = -1, top = 256, bottom = -1;
        for (int y = s.top; y < s.bottom; ++y)
            for (int x = 0; x < 128; ++x) {
                if (bars.Get(x, y) == kKeyColor) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                EXPECT_EQ(bars.Get(x, y), bars.Get(128 + x, s.bottom - 1 - (y - s.top))) << x << "," << y;
            }
        if (s.length > 0) {
            EXPECT_LE(left, 4) << "strip " << s.top;
            EXPECT_NEAR(right + 1, s.length, 5) << "strip " << s.top;
        } else {
            EXPECT_NEAR(left + right + 1, 128, 2);
            EXPECT_NEAR(top + bottom + 1, s.top + s.bottom, 2);
        }
    }
}

TEST_F(GenBosses, TheLastBossFacingRightIsItsLeftCellsTurnedOver) {
    ExpectMirroredCells(
        "Char.Boss011_L", "Char.Boss011_R",
        {{0, 0, 48, 64}, {48, 0, 48, 64}, {96, 0, 48, 64}, {144, 0, 48, 64}, {208, 0, 48, 72}});
}

TEST_F(GenBosses, TheRedBossStreaksCoverExactlyTheSharedStreaksInWarmerColours) {
    for (const char* n : {"1", "2", "3"})
        for (const char* side : {"_L", "_R"}) {
            Canvas plain = Sheet(std::string("Effect.Bar_Effect00") + n + side);
            Canvas flame = Sheet(std::string("Effect.Bar_Effect00") + char('4' + (n[0] - '0')) + side);
            long warm = 0, drawn = 0;
            for (int y = 0; y < 256; ++y)
                for (int x = 0; x < 256; ++x) {
                    uint32_t p = flame.Get(x, y);
                    ASSERT_EQ(plain.Get(x, y) == kKeyColor, p == kKeyColor)
                        << n << side << " " << x << "," << y;
                    if (p == kKeyColor) continue;
                    ++drawn;
                    warm += (p >> 16 & 0xFF) >= (p & 0xFF);
                }
            EXPECT_EQ(warm, drawn) << n << side;
        }
}

}  // namespace
