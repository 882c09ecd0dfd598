// The stage object sheets: every cell that an object, shot or editor picture cuts holds a
// picture, nothing strays between the cells, and every edge is hard against the key colour.
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

struct CellEdges {
    int left, top, right, bottom;
};

// Each listed cell is at least 8 % drawn (a thin bolt or a flame strip is not much more), and no
// pixel outside the listed cells is drawn, so nothing bleeds into a neighbouring sprite.
void ExpectCells(const std::string& key, const std::vector<CellEdges>& cells) {
    Canvas c = Sheet(key);
    std::vector<bool> listed(size_t(c.Width()) * c.Height(), false);
    for (const CellEdges& cell : cells) {
        int drawn = 0;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x) {
                listed[size_t(y) * c.Width() + x] = true;
                if (c.Get(x, y) != kKeyColor) ++drawn;
            }
        EXPECT_GE(drawn * 100, (cell.right - cell.left) * (cell.bottom - cell.top) * 8)
            << key << " cell " << cell.left << "," << cell.top;
    }
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (!listed[size_t(y) * c.Width() + x] && c.Get(x, y) != kKeyColor) {
                ADD_FAILURE() << key << " draws outside its cells at " << x << "," << y;
                return;
            }
}

// Cells k = 0 .. n-1 of a row or column of equal cells.
void AddRun(std::vector<CellEdges>& out, CellEdges first, int n, int dx, int dy) {
    for (int k = 0; k < n; ++k)
        out.push_back({first.left + k * dx, first.top + k * dy, first.right + k * dx, first.bottom + k * dy});
}

}  // namespace

TEST(GenObjects, SheetsFillEveryCellTheObjectsCut) {
    std::vector<CellEdges> o1;
    AddRun(o1, {0, 0, 32, 48}, 6, 32, 0);        // five doors and the key door
    AddRun(o1, {0, 48, 128, 64}, 3, 0, 16);      // three lift strips
    AddRun(o1, {192, 64, 224, 128}, 2, 32, 0);   // flag waves
    AddRun(o1, {128, 128, 144, 160}, 6, 16, 0);  // snacks
    AddRun(o1, {0, 128, 64, 192}, 2, 64, 0);     // goal cells 1, 2
    AddRun(o1, {0, 192, 64, 256}, 4, 64, 0);     // goal cells 3 to 6
    AddRun(o1, {128, 160, 176, 176}, 2, 0, 16);  // 1UP facing left
    AddRun(o1, {176, 160, 224, 176}, 2, 0, 16);  // 1UP facing right
    o1.insert(o1.end(), {{224, 0, 256, 48},
                         {192, 0, 224, 32},
                         {192, 32, 208, 64},
                         {128, 48, 192, 112},
                         {224, 128, 256, 160},
                         {224, 160, 256, 192}});
    ExpectCells("Object.Objects001", o1);

    std::vector<CellEdges> o2;
    AddRun(o2, {0, 32, 72, 48}, 4, 0, 16);       // missile flying left
    AddRun(o2, {72, 32, 144, 48}, 4, 0, 16);     // and right
    AddRun(o2, {0, 128, 96, 152}, 4, 0, 24);     // sideways lifts
    AddRun(o2, {112, 148, 176, 156}, 4, 0, 16);  // rising lift jets
    AddRun(o2, {0, 232, 32, 256}, 6, 32, 0);     // push switch
    o2.insert(o2.end(), {{0, 0, 16, 16},       {16, 0, 32, 16},     {32, 0, 64, 32},     {64, 0, 80, 16},
                         {80, 0, 96, 16},      {96, 0, 128, 32},    {128, 0, 160, 32},   {0, 16, 16, 32},
                         {16, 16, 32, 32},     {64, 16, 80, 32},    {80, 16, 96, 32},    {176, 0, 256, 80},
                         {0, 96, 32, 128},     {32, 96, 64, 128},   {64, 96, 80, 104},   {80, 96, 96, 104},
                         {96, 96, 128, 128},   {128, 96, 152, 128}, {160, 96, 192, 128}, {96, 128, 192, 148},
                         {192, 112, 256, 176}, {192, 176, 256, 256}});
    ExpectCells("Object.Objects002", o2);

    std::vector<CellEdges> o3;
    AddRun(o3, {0, 0, 32, 32}, 8, 32, 0);      // batteries and burners, open
    AddRun(o3, {0, 32, 32, 64}, 8, 32, 0);     // and closed
    AddRun(o3, {208, 64, 256, 96}, 5, 0, 32);  // switch bomb
    o3.insert(o3.end(),
              {{0, 64, 96, 160},     {96, 64, 112, 80},    {112, 64, 128, 80},   {112, 80, 128, 96},
               {112, 96, 128, 128},  {96, 80, 112, 96},    {96, 96, 112, 112},   {96, 112, 112, 128},
               {128, 64, 160, 96},   {160, 64, 192, 96},   {192, 64, 208, 80},   {192, 80, 208, 96},
               {128, 96, 160, 128},  {96, 144, 128, 160},  {128, 144, 160, 160}, {96, 160, 120, 184},
               {120, 160, 136, 176}, {144, 160, 168, 248}, {168, 160, 192, 248}, {144, 248, 168, 256},
               {0, 176, 80, 256},    {80, 213, 144, 256}});
    ExpectCells("Object.Objects003", o3);

    std::vector<CellEdges> o4;
    for (int top : {0, 40, 64, 104, 128})
        AddRun(o4, {0, top, 32, top == 40 || top == 104 ? top + 24 : top + 32}, 6, 32, 0);
    o4.insert(o4.end(), {{192, 0, 224, 48},
                         {224, 0, 256, 48},
                         {0, 160, 64, 224},
                         {64, 160, 128, 224},
                         {128, 160, 152, 248},
                         {152, 160, 176, 248},
                         {128, 248, 160, 256},
                         {192, 128, 256, 192},
                         {192, 192, 256, 256},
                         {0, 224, 32, 256},
                         {32, 224, 64, 256}});
    ExpectCells("Object.Objects004", o4);

    std::vector<CellEdges> o5 = {{0, 0, 32, 72},      {32, 0, 64, 72},  {64, 0, 176, 24},
                                 {64, 24, 176, 48},   {0, 72, 64, 136}, {64, 72, 128, 136},
                                 {64, 136, 128, 144}, {0, 136, 64, 216}};
    AddRun(o5, {0, 224, 32, 240}, 4, 32, 0);  // the wide lift piece and the editor strip
    ExpectCells("Object.Objects005", o5);
}

TEST(GenObjects, EdgesStayHardAgainstTheKey) {
    // A pixel blended half-way into the key would show as a green fringe around a sprite.
    for (const char* key : {"Object.Objects001", "Object.Objects002", "Object.Objects003",
                            "Object.Objects004", "Object.Objects005"}) {
        Canvas c = Sheet(key);
        int fringe = 0;
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x) {
                uint32_t p = c.Get(x, y);
                int r = int(p >> 16), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
                if (p != kKeyColor && g > 200 && r < 80 && b < 80) ++fringe;
            }
        EXPECT_EQ(fringe, 0) << key;
    }
}

TEST(GenObjects, TurnCopiesASquareByQuarterTurns) {
    auto run = [](Canvas& c, const std::string& text) {
        Line l;
        ASSERT_TRUE(ParseLine(text, "t:1", l));
        DrawShape(c, l);
    };
    Canvas c(12, 4, kKeyColor);
    c.Set(1, 0, 0xFF0000);  // near the top-left corner of the first square
    run(c, "turn 0 0 4 4 4 0 quarter=1");
    EXPECT_EQ(c.Get(4 + 3, 1), 0xFF0000u);  // a clockwise turn carries it to the right edge
    run(c, "turn 4 0 4 4 8 0 quarter=3");
    EXPECT_EQ(c.Get(8 + 1, 0), 0xFF0000u);  // turning back restores it
    run(c, "turn 0 0 4 4 quarter=2");
    EXPECT_EQ(c.Get(2, 3), 0xFF0000u);  // half a turn in place
    Canvas wide(8, 4, kKeyColor);
    Line l;
    ASSERT_TRUE(ParseLine("turn 0 0 8 4 quarter=1", "t:1", l));
    EXPECT_THROW(DrawShape(wide, l), GenError);
    ASSERT_TRUE(ParseLine("obj 0 0 8 4 kind=marble", "t:1", l));
    EXPECT_THROW(DrawShape(wide, l), GenError);
}
