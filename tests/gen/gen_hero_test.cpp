// The hero's sheets: every body frame holds the whole figure, standing on one ground line;
// the weapon strips keep the layout the game turns them by; the right-facing streak sheets are
// their left-facing twins mirrored cell by cell.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gen/gen_sheet.h"
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"
#include "tools/gen/Images.h"
#include "tools/gen/Shapes.h"

using namespace gen;

namespace {

// Whether anything is drawn on the cell's top row or its left or right column: a picture
// that reaches them has been cut off by the cell's edge.
bool TouchesTopOrSides(const Canvas& c, int x0, int y0, int w, int h) {
    for (int i = 0; i < w; ++i)
        if (c.Get(x0 + i, y0) != kKeyColor) return true;
    for (int i = 0; i < h; ++i)
        if (c.Get(x0, y0 + i) != kKeyColor || c.Get(x0 + w - 1, y0 + i) != kKeyColor) return true;
    return false;
}

// The lowest row of the cell that holds a drawn pixel, or -1 for an empty cell.
int LowestRow(const Canvas& c, int x0, int y0, int w, int h) {
    for (int y = y0 + h - 1; y >= y0; --y)
        for (int x = x0; x < x0 + w; ++x)
            if (c.Get(x, y) != kKeyColor) return y - y0;
    return -1;
}

}  // namespace

TEST(GenHero, BodyFramesAreWholeAndGroundFramesShareOneFootLine) {
    for (const char* page : {"Char.Quor001_R", "Char.Quor002_R", "Char.Quor001_L"}) {
        Canvas c = Sheet(page);
        for (int row = 0; row < 6; ++row)
            for (int col = 0; col < 6; ++col) {
                const bool spare = std::string(page) == "Char.Quor002_R" && row == 5 && col >= 2 && col <= 4;
                if (spare) continue;
                EXPECT_GE(LowestRow(c, 40 * col, 40 * row, 40, 40), 0) << page << " " << col << "," << row;
                EXPECT_FALSE(TouchesTopOrSides(c, 40 * col, 40 * row, 40, 40))
                    << page << " " << col << "," << row;
            }
    }
    // Standing, walking, running, squatting and the ground strikes all put their soles on the
    // cell's last row, so switching frames never makes the hero hop.
    Canvas one = Sheet("Char.Quor001_R");
    const int ground[][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {5, 3}, {0, 4},
                             {1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}};
    for (auto [col, row] : ground)
        EXPECT_EQ(LowestRow(one, 40 * col, 40 * row, 40, 40), 39) << col << "," << row;
}

TEST(GenHero, RightWeaponColumnIsTheLeftTurnedUpsideDown) {
    Canvas bar = Sheet("Object.Bar001");
    for (int kind = 0; kind < 6; ++kind) {
        int drawn = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 128; ++x) {
                uint32_t left = bar.Get(x, 32 * kind + y);
                ASSERT_EQ(left, bar.Get(128 + x, 32 * kind + 31 - y))
                    << "kind " << kind << " at " << x << "," << y;
                drawn += left != kKeyColor;
            }
        EXPECT_GT(drawn, 128 * 4) << "kind " << kind;
    }
    for (int item = 0; item < 5; ++item)  // pole, stronger pole, mallet, propeller, hose
    {
        EXPECT_GE(LowestRow(bar, 32 * item, 192, 32, 32), 0) << item;
        EXPECT_FALSE(TouchesTopOrSides(bar, 32 * item, 192, 32, 32)) << item;
    }
}

TEST(GenHero, RightStreakSheetsMirrorTheLeftCellByCell) {
    struct Cell {
        int x, y, w, h;
    };
    const std::vector<std::pair<std::string, std::vector<Cell>>> sheets = {
        {"Effect.Bar_Effect001",
         {{0, 0, 96, 96},
          {96, 0, 96, 96},
          {0, 96, 96, 96},
          {224, 0, 32, 128},
          {224, 128, 32, 128},
          {0, 192, 64, 64}}},
        {"Effect.Bar_Effect002",
         {{0, 0, 128, 64}, {0, 192, 128, 64}, {128, 0, 128, 64}, {128, 192, 128, 64}}},
        {"Effect.Bar_Effect003",
         {{0, 0, 192, 192},
          {192, 0, 64, 64},
          {192, 64, 64, 64},
          {192, 128, 64, 64},
          {192, 192, 64, 64},
          {0, 192, 96, 32},
          {96, 192, 96, 32},
          {0, 224, 96, 32}}},
        {"Effect.Bar_Effect004", {{0, 0, 128, 160}, {128, 0, 128, 160}, {0, 160, 128, 96}}},
    };
    for (const auto& [key, cells] : sheets) {
        Canvas left = Sheet(key + "_L"), right = Sheet(key + "_R");
        for (const Cell& c : cells) {
            int drawn = 0;
            for (int y = c.y; y < c.y + c.h; ++y)
                for (int i = 0; i < c.w; ++i) {
                    ASSERT_EQ(left.Get(c.x + i, y), right.Get(c.x + c.w - 1 - i, y))
                        << key << " cell " << c.x << "," << c.y;
                    drawn += left.Get(c.x + i, y) != kKeyColor;
                }
            EXPECT_GT(drawn, 20) << key << " cell " << c.x << "," << c.y << " is empty";
        }
    }
}

TEST(GenHero, UnknownPoseOrKindStopsWithTheLine) {
    Canvas c(64, 64, kKeyColor);
    for (const char* text :
         {"hero 0 0 40 40 pose=cartwheel", "weapon 0 0 64 16 kind=sword", "swing 0 0 64 64 kind=zap"}) {
        Line l;
        ASSERT_TRUE(ParseLine(text, "hero.txt:7", l));
        try {
            DrawShape(c, l);
            ADD_FAILURE() << text;
        } catch (const GenError& e) {
            EXPECT_NE(std::string(e.what()).find("hero.txt:7"), std::string::npos) << e.what();
        }
    }
}
