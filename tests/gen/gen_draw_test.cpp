// Drawing words whose layout the game relies on, and the sound and music runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/common/temp_folder.h"
#include "tests/gen/gen_sheet.h"
#include "tools/gen/Audio.h"
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"
#include "tools/gen/Images.h"
#include "tools/gen/Shapes.h"
#include "tools/gen/TextRender.h"

namespace fs = std::filesystem;
using namespace gen;

namespace {}  // namespace

// The sixteen ground pieces follow the chip rules: piece 0 joins on all sides (no outline),
// piece 1 lacks only its upper neighbour (surface band on top), piece 15 joins nowhere.
TEST(GenDraw, GroundPiecesAreOutlinedOnTheirOpenSides) {
    Canvas c = DrawManifestLine("groundset 0 0 base=#806040 top=#40c040 line=#000000 pattern=plain round=0");
    auto cellPx = [&](int piece, int x, int y) { return c.Get((piece % 8) * 32 + x, (piece / 8) * 32 + y); };
    EXPECT_EQ(cellPx(0, 16, 0), 0x806040u);
    EXPECT_EQ(cellPx(0, 0, 16), 0x806040u);
    EXPECT_NE(cellPx(1, 16, 3), 0x806040u);   // top band
    EXPECT_EQ(cellPx(1, 16, 31), 0x806040u);  // bottom still joins
    EXPECT_EQ(cellPx(3, 16, 31), 0x000000u);  // "all but down": outlined below
    EXPECT_EQ(cellPx(2, 31, 16), 0x000000u);  // "all but right"
    EXPECT_EQ(cellPx(4, 0, 16), 0x000000u);   // "all but left"
    for (int side = 0; side < 4; ++side) {
        int x = side == 2 ? 0 : side == 3 ? 31 : 16, y = side == 0 ? 31 : side == 1 ? 0 : 16;
        EXPECT_NE(cellPx(15, x, y), 0x806040u) << side;
    }
}

TEST(GenDraw, PlatformPiecesLandInTheirChipCells) {
    Canvas c = DrawManifestLine("platformset 0 0 offset=4 base=#ffffff pattern=plain", 256, 128);
    auto drawn = [&](int col, int row) { return c.Get(col * 32 + 16, row * 32 + 16) != kKeyColor; };
    EXPECT_TRUE(drawn(6, 0));   // 230
    EXPECT_TRUE(drawn(7, 0));   // 231
    EXPECT_FALSE(drawn(4, 0));  // 228 belongs to the other family
    for (int row = 1; row <= 3; ++row)
        for (int col = 0; col < 8; ++col) EXPECT_EQ(drawn(col, row), col >= 4) << col << "," << row;
}

TEST(GenDraw, TextIsDrawnInsideItsBoxAndFitsIt) {
    Canvas c(120, 40, kKeyColor);
    TextStyle s;
    s.size = 30;
    DrawText(c, {10, 10, 60, 20}, "クォーバルド Quorvald", s);
    bool inside = false, outside = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            if (c.Get(x, y) != kKeyColor) (x >= 10 && x < 70 && y >= 8 && y < 32 ? inside : outside) = true;
    EXPECT_TRUE(inside);
    EXPECT_FALSE(outside);  // shrunk to fit rather than spilling over
    EXPECT_GT(MeasureText("あいう", 16, false), MeasureText("あ", 16, false));
}

TEST(GenDraw, SplitLogoRowsJoinUp) {
    // The two rows of a text laid out in one wide box meet without a gap or a repeat.
    Canvas a =
        DrawManifestLine("text 0 0 128 40 \"WIDE\" size=36 boxw=256 shift=0 color=#ffffff shrink=0", 128, 40);
    Canvas b = DrawManifestLine("text 0 0 128 40 \"WIDE\" size=36 boxw=256 shift=128 color=#ffffff shrink=0",
                                128, 40);
    Canvas whole = DrawManifestLine("text 0 0 256 40 \"WIDE\" size=36 color=#ffffff shrink=0", 256, 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 128; ++x) {
            ASSERT_EQ(a.Get(x, y), whole.Get(x, y));
            ASSERT_EQ(b.Get(x, y), whole.Get(x + 128, y));
        }
}

TEST(GenDraw, IndexRefusesMoreRowsThanTheGameReads) {
    std::vector<ImageDef> defs(512);
    for (size_t i = 0; i < defs.size(); ++i) {
        defs[i].key = "System.K" + std::to_string(i);
        defs[i].path = "system\\k" + std::to_string(i) + ".bmp";
    }
    EXPECT_THROW(BuildImageIndex(defs), GenError);
    defs.pop_back();
    EXPECT_NO_THROW(BuildImageIndex(defs));
}

TEST(GenDraw, SoundLinesReportTheirMistakes) {
    testsupport::TempFolder scratch("quor-gen-sounds");
    const fs::path& dir = scratch.Path();
    std::ofstream(dir / "sounds.txt") << "# c\nsound\\a.wav tone f=440 dur=0.1\nsound\\b.wav buzz f=2\n";
    try {
        GenerateSounds((dir / "sounds.txt").string(), (dir / "out").string());
        FAIL() << "an unknown voice was accepted";
    } catch (const GenError& e) {
        EXPECT_NE(std::string(e.what()).find("sounds.txt:3"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(fs::exists(dir / "out" / "sound" / "a.wav"));
}

TEST(GenDraw, MusicComesFromTheCacheWhenItsLineIsUnchanged) {
    testsupport::TempFolder scratch("quor-gen-music");
    const fs::path& dir = scratch.Path();
    std::ofstream(dir / "music.txt") << "piece music\\a.ogg tempo=120 bars=4 seed=5\n";
    GenerateMusic((dir / "music.txt").string(), (dir / "out").string(), (dir / "cache").string());
    ASSERT_EQ(std::distance(fs::directory_iterator(dir / "cache"), fs::directory_iterator{}), 1);
    fs::path cached = fs::directory_iterator(dir / "cache")->path();
    std::ofstream(cached, std::ios::binary | std::ios::trunc) << "marker";
    GenerateMusic((dir / "music.txt").string(), (dir / "out").string(), (dir / "cache").string());
    EXPECT_EQ(ReadTextFile((dir / "out" / "music" / "a.ogg").string()), "marker");
    std::ofstream(dir / "music.txt") << "piece music\\a.ogg tempo=120 bars=4 seed=6\n";
    GenerateMusic((dir / "music.txt").string(), (dir / "out").string(), (dir / "cache").string());
    EXPECT_EQ(ReadTextFile((dir / "out" / "music" / "a.ogg").string()).substr(0, 4), "OggS");
    // A changed section line makes its piece again (two pieces here: a's two and b's two, c's one).
    for (const char* vary : {"0.2", "0.3", "0.2"}) {
        std::ofstream(dir / "music.txt")
            << "piece music\\b.ogg tempo=120 bars=4 song=\"A A2\"\nsection A2 vary=" << vary
            << "\npiece music\\c.ogg tempo=100 bars=4\n";
        GenerateMusic((dir / "music.txt").string(), (dir / "out").string(), (dir / "cache").string());
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "cache"), fs::directory_iterator{}), 5);
    std::ofstream(dir / "music.txt") << "section A2 vary=0.2\npiece music\\b.ogg tempo=120 bars=4\n";
    EXPECT_THROW(GenerateMusic((dir / "music.txt").string(), (dir / "out").string(), ""), GenError);
}
