// The effect pictures: every fx kind stays in its box with hard edges against the key, and the
// effect sheets fill exactly the cells the effect classes cut from them.
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

// A pixel drawn in white, red and dark red (or their mixes) has equal green and blue; one
// blended with the key colour would have more green.
bool KeyFree(uint32_t c) { return c == kKeyColor || ((c >> 8) & 0xFF) == (c & 0xFF); }

// Every listed cell holds a picture, and nothing is drawn outside the listed cells, so no
// neighbour bleeds into a sprite.
void ExpectOnlyCellsDrawn(const std::string& key, const std::vector<SheetCell>& cells) {
    Canvas c = Sheet(key);
    std::vector<bool> listed(size_t(c.Width()) * c.Height(), false);
    for (const SheetCell& cell : cells) {
        int drawn = 0;
        for (int y = cell.y; y < cell.y + cell.h; ++y)
            for (int x = cell.x; x < cell.x + cell.w; ++x) {
                listed[size_t(y) * c.Width() + x] = true;
                if (c.Get(x, y) != kKeyColor) ++drawn;
            }
        EXPECT_GE(drawn * 100, cell.w * cell.h * 4) << key << " cell " << cell.x << "," << cell.y;
    }
    int stray = 0;
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (!listed[size_t(y) * c.Width() + x] && c.Get(x, y) != kKeyColor) ++stray;
    EXPECT_EQ(stray, 0) << key;
}

}  // namespace

TEST(GenEffects, EveryKindStaysInItsBoxWithHardEdgesAgainstTheKey) {
    const char* kinds[] = {"spark",  "blast", "ring", "sparkle", "slash", "smoke", "flame",
                           "shards", "chunk", "bolt", "drops",   "orb",   "blade"};
    for (const char* kind : kinds)
        for (const char* extra : {"", " break=0.3 hollow=0.3 count=5 spread=1 dir=up angle=30"}) {
            Canvas c(80, 80, kKeyColor);
            Line l;
            ASSERT_TRUE(ParseLine(std::string("fx 16 16 48 48 kind=") + kind +
                                      " core=#ffffff color=#ff0000 rim=#800000" + extra,
                                  "t:1", l));
            DrawShape(c, l);
            int inside = 0;
            for (int y = 0; y < 80; ++y)
                for (int x = 0; x < 80; ++x) {
                    uint32_t p = c.Get(x, y);
                    bool inBox = x >= 16 && x < 64 && y >= 16 && y < 64;
                    if (!inBox) {
                        ASSERT_EQ(p, kKeyColor) << kind << extra << " at " << x << "," << y;
                    }
                    ASSERT_TRUE(KeyFree(p)) << kind << extra << " at " << x << "," << y;
                    if (p != kKeyColor) ++inside;
                }
            EXPECT_GE(inside, 48 * 48 / 50) << kind << extra;
        }
    Canvas c(16, 16, kKeyColor);
    Line l;
    ASSERT_TRUE(ParseLine("fx 0 0 16 16 kind=sprinkle", "t:1", l));
    EXPECT_THROW(DrawShape(c, l), GenError);
}

TEST(GenEffects, SheetsFillTheCellsTheEffectsCut) {
    ExpectOnlyCellsDrawn("Effect.Effect001",
                         {// hits, the defeat twinkles, the small flame, the puffs
                          {0, 0, 48, 48},
                          {48, 0, 48, 48},
                          {96, 0, 48, 48},
                          {144, 0, 48, 48},
                          {192, 0, 16, 16},
                          {208, 0, 16, 16},
                          {192, 16, 16, 16},
                          {208, 16, 16, 16},
                          {224, 0, 16, 16},
                          {240, 0, 16, 16},
                          {224, 16, 16, 16},
                          {240, 16, 16, 16},
                          {192, 32, 16, 16},
                          {208, 32, 16, 16},
                          {224, 32, 16, 16},
                          {240, 32, 16, 16},
                          // slash, red and blue blasts, healing and flag twinkles
                          {0, 48, 48, 48},
                          {48, 48, 48, 48},
                          {96, 48, 48, 48},
                          {144, 48, 48, 48},
                          {192, 48, 48, 48},
                          {0, 96, 48, 48},
                          {48, 96, 48, 48},
                          {96, 96, 48, 48},
                          {144, 96, 48, 48},
                          {192, 96, 48, 48},
                          {0, 144, 48, 48},
                          {240, 48, 16, 16},
                          {240, 64, 16, 16},
                          // guard ring, ice, blue flame, extra life, ice break, splashes
                          {48, 144, 48, 48},
                          {96, 144, 48, 48},
                          {144, 144, 48, 48},
                          {192, 144, 24, 24},
                          {224, 144, 16, 16},
                          {240, 144, 16, 16},
                          {224, 160, 16, 16},
                          {240, 160, 16, 16},
                          {144, 192, 40, 24},
                          {0, 192, 48, 48},
                          {48, 192, 48, 48},
                          {96, 192, 48, 48},
                          {192, 192, 32, 16},
                          {192, 208, 32, 16},
                          {192, 224, 32, 16},
                          {192, 240, 32, 16},
                          {224, 192, 16, 32},
                          {240, 192, 16, 32},
                          {224, 224, 16, 32},
                          {240, 224, 16, 32}});
    ExpectOnlyCellsDrawn("Effect.Effect002",
                         {// splinters (one of them 24 x 16), stones, magic balls, flash, rock
                          {0, 0, 24, 24},
                          {24, 0, 24, 24},
                          {0, 24, 24, 16},
                          {24, 24, 24, 24},
                          {48, 0, 24, 24},
                          {72, 0, 24, 24},
                          {48, 24, 24, 24},
                          {72, 24, 24, 24},
                          {96, 0, 32, 32},
                          {128, 0, 32, 32},
                          {160, 0, 16, 16},
                          {176, 0, 32, 32},
                          {208, 0, 32, 32},
                          // shot break, lightning, dark spark, charge glow and its spark
                          {0, 48, 48, 48},
                          {48, 48, 48, 48},
                          {96, 48, 48, 48},
                          {144, 48, 48, 96},
                          {192, 48, 48, 96},
                          {96, 96, 48, 48},
                          {48, 96, 32, 32},
                          {80, 96, 16, 16},
                          // weather: raindrop, snowflake, leaf, cherry petal, maple leaf
                          {0, 96, 8, 64},
                          {8, 96, 16, 16},
                          {8, 112, 16, 16},
                          {24, 96, 16, 16},
                          {24, 112, 24, 24}});
    ExpectOnlyCellsDrawn("Effect.Bar_Effect008_L", {{0, 0, 32, 256}, {32, 0, 32, 256}, {64, 0, 32, 256}});
    // the right-hand trail is the left one with every frame turned round
    Canvas left = Sheet("Effect.Bar_Effect008_L"), right = Sheet("Effect.Bar_Effect008_R");
    for (int y = 0; y < 256; y += 5)
        for (int x = 0; x < 96; ++x)
            ASSERT_EQ(right.Get(x, y), left.Get(x / 32 * 32 + 31 - x % 32, y)) << x << "," << y;
}
