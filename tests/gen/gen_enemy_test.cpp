// The enemy sheets: every cell the enemy classes cut holds a drawing, a right-facing cell is its
// left-facing cell turned round, and the drawing words keep to their cells.
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

// n cells of w x h from (x, y), each (dx, dy) further on.
void Run(std::vector<SheetCell>& out, int x, int y, int w, int h, int n, int dx, int dy) {
    for (int i = 0; i < n; ++i) out.push_back({x + i * dx, y + i * dy, w, h});
}

struct SheetCells {
    std::string key;
    std::vector<SheetCell> both;     // cut from the _L and the _R sheet alike
    std::vector<SheetCell> oneSide;  // cut from this sheet only
};

std::vector<SheetCells> EnemyCells() {
    std::vector<SheetCells> s(10);
    s[0].key = "Enemy001";  // kid, big kid, sprouts; the bumper on the left sheet only
    Run(s[0].both, 0, 0, 32, 40, 6, 0, 40);
    Run(s[0].both, 32, 160, 40, 40, 2, 0, 40);
    Run(s[0].both, 72, 112, 24, 32, 4, 0, 32);
    Run(s[0].both, 128, 0, 64, 64, 4, 0, 64);
    Run(s[0].both, 192, 0, 64, 64, 4, 0, 64);
    s[0].oneSide = {{32, 0, 40, 40}, {32, 40, 72, 56}};
    s[1].key = "Enemy002";  // the fighter's poses, gun and bar; the glove on the left sheet only
    for (int r = 0; r < 3; ++r) Run(s[1].both, 0, 48 * r, 40, 48, 6, 40, 0);
    Run(s[1].both, 0, 144, 40, 48, 5, 40, 0);
    Run(s[1].both, 0, 200, 56, 24, 2, 56, 0);
    Run(s[1].both, 0, 224, 128, 32, 2, 128, 0);
    s[1].oneSide = {{240, 0, 16, 16}};
    s[2].key = "Enemy003";  // ice sculpture, drill, the heavy fighter standing
    Run(s[2].both, 80, 0, 32, 56, 2, 0, 56);
    Run(s[2].both, 80, 112, 64, 32, 4, 0, 32);
    s[2].both.insert(s[2].both.end(), {{192, 0, 64, 112}, {192, 112, 64, 112}, {128, 0, 64, 112}});
    s[3].key = "Enemy004";  // the heavy fighter; lying down on the left sheet only
    Run(s[3].both, 0, 0, 128, 80, 3, 0, 80);
    Run(s[3].both, 128, 0, 128, 80, 2, 0, 80);
    s[3].oneSide = {{128, 160, 72, 32}, {128, 200, 72, 32}};
    s[4].key = "Enemy005";  // crouched fighter, spell-caster, the three fish
    Run(s[4].both, 0, 0, 128, 64, 2, 128, 0);
    Run(s[4].both, 0, 64, 32, 48, 4, 0, 48);
    Run(s[4].both, 32, 64, 32, 48, 3, 0, 48);
    Run(s[4].both, 64, 64, 40, 32, 2, 0, 32);
    s[4].both.push_back({64, 192, 64, 16});
    Run(s[4].both, 128, 192, 64, 32, 2, 64, 0);
    Run(s[4].both, 128, 224, 64, 32, 2, 64, 0);
    for (int c0 : {104, 176})  // the bat, on the left sheet only: bodies, then wings
        for (int r = 0; r < 3; ++r) Run(s[4].oneSide, c0, 64 + 24 * r, 24, 24, 3, 24, 0);
    Run(s[4].oneSide, 64, 136, 48, 48, 4, 48, 0);
    s[5].key = "Enemy006";
    // the walking bomb is drawn apart in each facing (its count must read the right way)
    for (int r = 0; r < 4; ++r)
        Run(s[5].oneSide, 0, 32 * r, 40, 32, r % 2 ? 3 : 6, 40,
            0);  // whirlwind, strawberry; the note ball on the left sheet only
    Run(s[5].both, 128, 32, 32, 32, 4, 32, 0);
    Run(s[5].both, 0, 128, 40, 40, 6, 40, 0);
    Run(s[5].both, 0, 168, 40, 40, 3, 40, 0);
    Run(s[5].oneSide, 0, 216, 40, 40, 6, 40, 0);
    s[6].key = "Enemy007";  // bespectacled fighter, spiny creature
    Run(s[6].both, 0, 0, 40, 48, 6, 40, 0);
    Run(s[6].both, 0, 48, 64, 48, 4, 64, 0);
    Run(s[6].both, 0, 96, 40, 48, 6, 40, 0);
    Run(s[6].both, 0, 144, 40, 48, 4, 40, 0);
    s[6].both.insert(
        s[6].both.end(),
        {{0, 192, 48, 32}, {48, 192, 48, 32}, {96, 192, 40, 40}, {136, 192, 48, 32}, {184, 192, 48, 32}});
    s[7].key = "Enemy008";  // thrower, flying machine
    Run(s[7].both, 0, 0, 40, 40, 6, 40, 0);
    Run(s[7].both, 0, 40, 40, 40, 6, 40, 0);
    Run(s[7].both, 0, 80, 40, 40, 4, 40, 0);
    Run(s[7].both, 0, 128, 104, 64, 2, 104, 0);
    Run(s[7].both, 0, 192, 104, 64, 2, 104, 0);
    s[8].key = "Enemy009";  // magician and staff; its magic and the blue machines left only
    Run(s[8].both, 0, 0, 40, 48, 6, 40, 0);
    Run(s[8].both, 0, 48, 40, 48, 2, 40, 0);
    Run(s[8].both, 128, 48, 96, 32, 3, 0, 32);
    s[8].oneSide = {{240, 0, 16, 16}, {240, 16, 16, 16}, {0, 96, 32, 32},   {80, 48, 48, 48},
                    {80, 96, 48, 48}, {0, 160, 40, 40},  {40, 160, 40, 40}, {80, 160, 40, 40},
                    {0, 200, 40, 40}, {40, 200, 32, 32}};
    s[9].key = "Enemy010";  // the moved cells: flowers, the blue boss's drone
    for (int r = 0; r < 2; ++r) Run(s[9].oneSide, 0, 40 * r, 40, 40, 6, 40, 0);
    Run(s[9].oneSide, 120, 160, 32, 32, 4, 32, 0);
    Run(s[9].oneSide, 120, 192, 32, 32, 4, 32, 0);
    s[9].oneSide.insert(s[9].oneSide.end(), {{96, 128, 32, 32}, {64, 160, 32, 32}});
    return s;
}

// An enemy sheet by its name within the "Char" group.
Canvas CharSheet(const std::string& key) { return Sheet("Char." + key); }

int Drawn(const Canvas& c, const SheetCell& cell) {
    int n = 0;
    for (int y = cell.y; y < cell.y + cell.h; ++y)
        for (int x = cell.x; x < cell.x + cell.w; ++x) n += c.Get(x, y) != kKeyColor;
    return n;
}

}  // namespace

TEST(GenEnemy, EveryCutCellHoldsADrawingAndTheRightCellsMirrorTheLeft) {
    for (const SheetCells& s : EnemyCells()) {
        bool paired = !s.both.empty();
        Canvas left = CharSheet(paired ? s.key + "_L" : s.key);
        for (const SheetCell& cell : s.oneSide)
            EXPECT_GE(Drawn(left, cell) * 100, cell.w * cell.h * 8)
                << s.key << " " << cell.x << "," << cell.y;
        // nothing is drawn outside the cells, so a misplaced drawing cannot hide in a neighbour's
        std::vector<bool> listed(256 * 256, false);
        for (const auto* list : {&s.both, &s.oneSide})
            for (const SheetCell& cell : *list)
                for (int y = cell.y; y < cell.y + cell.h; ++y)
                    for (int x = cell.x; x < cell.x + cell.w; ++x) listed[size_t(y) * 256 + x] = true;
        int stray = 0;
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x)
                stray += !listed[size_t(y) * 256 + x] && left.Get(x, y) != kKeyColor;
        EXPECT_EQ(stray, 0) << s.key;
        if (!paired) continue;
        Canvas right = CharSheet(s.key + "_R");
        for (const SheetCell& cell : s.both) {
            EXPECT_GE(Drawn(left, cell) * 100, cell.w * cell.h * 8)
                << s.key << " " << cell.x << "," << cell.y;
            int differ = 0;
            for (int y = cell.y; y < cell.y + cell.h; ++y)
                for (int x = 0; x < cell.w; ++x)
                    differ += right.Get(cell.x + x, y) != left.Get(cell.x + cell.w - 1 - x, y);
            EXPECT_EQ(differ, 0) << s.key << "_R " << cell.x << "," << cell.y;
        }
    }
}

TEST(GenEnemy, TheTurretOwnsItsPlaceOnTheRightSheetAndTheBatOnTheLeft) {
    Canvas left = CharSheet("Enemy005_L"), right = CharSheet("Enemy005_R");
    // the turret's look cells sit where the bat's bodies and wings sit on the left sheet
    for (SheetCell c :
         {SheetCell{128, 64, 32, 32}, SheetCell{224, 160, 32, 32}, SheetCell{64, 160, 32, 32}}) {
        EXPECT_GE(Drawn(right, c) * 100, c.w * c.h * 20) << c.x << "," << c.y;
        int same = 0;
        for (int y = c.y; y < c.y + c.h; ++y)
            for (int x = c.x; x < c.x + c.w; ++x)
                same += right.Get(x, y) == left.Get(c.x + c.w - 1 - (x - c.x), y);
        EXPECT_LT(same * 2, c.w * c.h) << c.x << "," << c.y;
    }
}

TEST(GenEnemy, TheWalkingBombsCountReadsTheSameInBothFacings) {
    Canvas c(80, 32, kKeyColor);
    Line l, r;
    ASSERT_TRUE(ParseLine("enemy 0 0 40 32 kind=caterpillar pose=3", "t:1", l));
    ASSERT_TRUE(ParseLine("enemy 40 0 40 32 kind=caterpillar pose=3 variant=2", "t:2", r));
    DrawShape(c, l);
    DrawShape(c, r);
    // the digit is pure white on the bomb: the same pattern, moved, not mirrored
    int whites = 0;
    for (int y = 6; y < 20; ++y)
        for (int x = 19; x < 33; ++x) {
            bool w = c.Get(x, y) == 0xFFFFFFu;
            whites += w;
            EXPECT_EQ(w, c.Get(40 + x - 11, y) == 0xFFFFFFu) << x << "," << y;
        }
    EXPECT_GE(whites, 8);
}

TEST(GenEnemy, KindsKeepToTheirCellAndMistakesNameTheLine) {
    const char* kinds[] = {
        "kid",          "pukka",       "moyashi", "fighter",   "bar",         "gun",        "hand",
        "icesculpture", "drill",       "tonfar",  "professor", "flyingfish",  "needlefish", "throwfish",
        "batbody",      "batwings",    "sphere",  "drone",     "caterpillar", "tornado",    "strawberry",
        "noteball",     "megane",      "needle",  "thrower",   "skymobile",   "magician",   "staff",
        "magic",        "bluemachine", "flower"};
    for (const char* kind : kinds)
        for (int pose : {0, 5, 9}) {  // in a box as big as the largest cell
            Canvas c(192, 176, kKeyColor);
            Line l;
            ASSERT_TRUE(ParseLine(
                "enemy 32 32 128 112 kind=" + std::string(kind) + " pose=" + std::to_string(pose), "t:1", l));
            DrawShape(c, l);
            int inside = 0, outside = 0;
            for (int y = 0; y < 176; ++y)
                for (int x = 0; x < 192; ++x) {
                    bool in = x >= 32 && x < 160 && y >= 32 && y < 144;
                    (in ? inside : outside) += c.Get(x, y) != kKeyColor;
                }
            EXPECT_GT(inside, 40) << kind << " " << pose;
            EXPECT_EQ(outside, 0) << kind << " " << pose;
        }
    Canvas c(8, 8, kKeyColor);
    Line bad;
    ASSERT_TRUE(ParseLine("enemy 0 0 8 8 kind=dragon", "enemies.txt:7", bad));
    try {
        DrawShape(c, bad);
        ADD_FAILURE() << "an unknown kind must stop the build";
    } catch (const GenError& e) {
        EXPECT_NE(std::string(e.what()).find("enemies.txt:7"), std::string::npos) << e.what();
    }
}

TEST(GenEnemy, FlipBoxTurnsOnlyItsBox) {
    Canvas c(8, 2, kKeyColor);
    c.Set(2, 0, 0x111111);
    c.Set(7, 1, 0x222222);
    Line l;
    ASSERT_TRUE(ParseLine("flipbox 1 0 4 2", "t:1", l));
    DrawShape(c, l);
    EXPECT_EQ(c.Get(3, 0), 0x111111u);
    EXPECT_EQ(c.Get(2, 0), kKeyColor);
    EXPECT_EQ(c.Get(7, 1), 0x222222u);
}
