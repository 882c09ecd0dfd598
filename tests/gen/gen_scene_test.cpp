// The play scene's backdrops: landscape cells are cuts of one endless band, so cells laid side
// by side or stacked meet without seams, and the darkness quarters make one picture.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/gen/gen_sheet.h"
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"
#include "tools/gen/Shapes.h"

using namespace gen;

namespace {

const std::string kHills =
    " color=#58a848 top=#8ad860 line=#3c7c30 far=#a8d8b0 fardeco=#88c494 dots=#ffffff tufts=#3c8c34"
    " speck=#4a9a3c strata=#406020 near=86 seed=2";

// The part of `c` at (x, y, w, h) equals the part of `d` at (dx, dy).
::testing::AssertionResult SameBlock(const Canvas& c, int x, int y, int w, int h, const Canvas& d, int dx,
                                     int dy) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (c.Get(x + i, y + j) != d.Get(dx + i, dy + j))
                return ::testing::AssertionFailure() << "differs at " << i << "," << j;
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST(GenScene, LandscapeCellsAreCutsOfOneRepeatingBand) {
    for (const char* kind : {"hills", "peaks", "puffs", "spires"}) {
        const std::string p = std::string(" kind=") + kind + kHills;
        // Two neighbouring cells are the two halves of one wider window, across the period's end too.
        Canvas wide = DrawManifestLine("landscape 0 0 128 64 phase=320" + p, 128, 64);
        Canvas left = DrawManifestLine("landscape 0 0 64 64 phase=320" + p, 64, 64);
        Canvas right = DrawManifestLine("landscape 0 0 64 64 phase=0" + p, 64, 64);
        EXPECT_TRUE(SameBlock(wide, 0, 0, 64, 64, left, 0, 0)) << kind;
        EXPECT_TRUE(SameBlock(wide, 64, 0, 64, 64, right, 0, 0)) << kind;
        // The second row continues the first, and the deep ground repeats every 64 pixels both ways.
        Canvas tall = DrawManifestLine("landscape 0 0 64 192 phase=64" + p, 64, 192);
        Canvas second = DrawManifestLine("landscape 0 0 64 64 phase=64 depth=64" + p, 64, 64);
        Canvas deep = DrawManifestLine("landscape 0 0 64 64 depth=128" + p, 64, 64);
        EXPECT_TRUE(SameBlock(tall, 0, 64, 64, 64, second, 0, 0)) << kind;
        EXPECT_TRUE(SameBlock(tall, 0, 128, 64, 64, deep, 0, 0)) << kind;
        EXPECT_TRUE(SameBlock(DrawManifestLine("landscape 0 0 64 64 phase=192 depth=320" + p, 64, 64), 0, 0,
                              64, 64, deep, 0, 0))
            << kind;
        // The sky above the band stays transparent; the deep ground has no holes.
        EXPECT_EQ(left.Get(10, 0), kKeyColor) << kind;
        for (int i = 0; i < 64 * 64; ++i) ASSERT_NE(deep.Get(i % 64, i / 64), kKeyColor) << kind;
    }
}

TEST(GenScene, BandLayoutsPutEachColumnWhereTheSceneCutsIt) {
    Canvas sheet = DrawManifestLine("landscape 0 0 256 256 layout=band6 deep=128,128" + kHills, 256, 256);
    const int top[6][2] = {{0, 0}, {64, 0}, {128, 0}, {192, 0}, {0, 128}, {64, 128}};
    for (int m = 0; m < 6; ++m) {
        const std::string at = " phase=" + std::to_string(64 * m);
        EXPECT_TRUE(SameBlock(sheet, top[m][0], top[m][1], 64, 64,
                              DrawManifestLine("landscape 0 0 64 64" + at + kHills, 64, 64), 0, 0))
            << m;
        EXPECT_TRUE(SameBlock(sheet, top[m][0], top[m][1] + 64, 64, 64,
                              DrawManifestLine("landscape 0 0 64 64 depth=64" + at + kHills, 64, 64), 0, 0))
            << m;
    }
    EXPECT_TRUE(SameBlock(sheet, 128, 128, 64, 64,
                          DrawManifestLine("landscape 0 0 64 64 depth=128" + kHills, 64, 64), 0, 0));
    EXPECT_EQ(sheet.Get(200, 200), kKeyColor);  // cells no layer cuts stay empty

    Canvas two =
        DrawManifestLine("landscape 0 128 128 128 layout=band2 deep=192,64 period=128" + kHills, 256, 256);
    EXPECT_TRUE(SameBlock(
        two, 64, 192, 64, 64,
        DrawManifestLine("landscape 0 0 64 64 phase=64 depth=64 period=128" + kHills, 64, 64), 0, 0));
    EXPECT_TRUE(SameBlock(two, 192, 64, 64, 64,
                          DrawManifestLine("landscape 0 0 64 64 depth=128 period=128" + kHills, 64, 64), 0,
                          0));
}

TEST(GenScene, LandscapeMistakesNameTheirLine) {
    Canvas c(64, 64, kKeyColor);
    for (const char* text : {"landscape 0 0 64 64 kind=volcano", "landscape 0 0 64 64 period=100",
                             "landscape 0 0 64 64 near=200", "landscape 0 0 256 256 layout=band6",
                             "landscape 0 0 256 256 layout=band6 deep=128,128 period=128",
                             "landscape 0 0 256 256 layout=zigzag deep=0,0"}) {
        Line l;
        ASSERT_TRUE(ParseLine(text, "scene.txt:7", l));
        try {
            DrawShape(c, l);
            ADD_FAILURE() << text << " was accepted";
        } catch (const GenError& e) {
            EXPECT_NE(std::string(e.what()).find("scene.txt:7"), std::string::npos) << e.what();
        }
    }
}

TEST(GenScene, DarknessQuartersMakeOneLitCircle) {
    Canvas whole = DrawManifestLine("darkness 0 0 512 512 cx=256 cy=256 r=112 soft=48", 512, 512);
    const int corner[4][2] = {{0, 0}, {256, 0}, {0, 256}, {256, 256}};
    for (const auto& q : corner) {
        std::string text = "darkness 0 0 256 256 cx=" + std::to_string(256 - q[0]) +
                           " cy=" + std::to_string(256 - q[1]) + " r=112 soft=48";
        EXPECT_TRUE(SameBlock(whole, q[0], q[1], 256, 256, DrawManifestLine(text, 256, 256), 0, 0))
            << q[0] << "," << q[1];
    }
    EXPECT_EQ(whole.Get(256 + 100, 256), kKeyColor);  // lit inside the radius
    EXPECT_EQ(whole.Get(256 + 170, 256), 0x000000u);  // dark beyond the soft rim
    int dark = 0;                                     // about half of the rim's middle is dark
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x) {
            double d = std::hypot(x + 0.5 - 256, y + 0.5 - 256);
            if (d > 134 && d < 138) dark += whole.Get(x, y) == 0 ? 1 : -1;
        }
    EXPECT_LT(std::abs(dark), 200);
}
