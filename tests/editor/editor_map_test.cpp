// The map commands on a real stage: strokes, rectangles, fills, and the chip writer they share.
#include <random>

#include "editor/ChipWriter.h"
#include "editor/MapEdits.h"
#include "editor_env.h"
#include "stage/StageChips.h"

using editortest::EditorTest;
using MapEdits = EditorTest;

namespace {
// Chip 64 starts the tile group 65..79 (ground): 79 alone, 78 joined right, 76 joined left,
// 73 joined left and right, 64 joined on all four sides.
constexpr uint8_t kGround = 64;
}  // namespace

TEST_F(MapEdits, StrokeTilesAsItGoesAndUndoesLastCellFirst) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}));
    CStage& stage = *editor->GetStage();
    stage.GetArea(0)->SetChip(5, 4, kGround);  // diagonal to the stroke's last cell, not auto-tiled yet

    auto stroke = std::make_unique<CDrawSequence>(&stage, editor.get());
    for (int x = 2; x <= 4; ++x) ASSERT_TRUE(stroke->AddPoint(x, 5, kGround));
    EXPECT_TRUE(stroke->AddPoint(3, 5, 70));  // same group: nothing drawn or recorded
    EXPECT_FALSE(stroke->AddPoint(20, 5, kGround));
    EXPECT_EQ(stroke->GetCellCount(), 3);
    EXPECT_EQ(stroke->GetLogText(), "[描画]  エリア:0  [(2,5)0→79] [(3,5)0→76] [(4,5)0→76] ");
    ASSERT_TRUE(editor->DoCommand(std::move(stroke)));
    const std::vector<int> drawn = Grid(stage);
    EXPECT_EQ(stage.GetChipInCurrentArea(2, 5), 78);
    EXPECT_EQ(stage.GetChipInCurrentArea(3, 5), 73);
    EXPECT_EQ(stage.GetChipInCurrentArea(4, 5), 76);
    EXPECT_EQ(stage.GetChipInCurrentArea(5, 4), 79);

    ASSERT_TRUE(editor->Undo());
    std::vector<int> blank(20 * 15, 0);
    blank[4 * 20 + 5] = 79;  // re-tiled by the stroke, outside its recorded cells: it stays
    EXPECT_EQ(Grid(stage), blank);
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(Grid(stage), drawn);

    // In a corner the map goes on beyond its edges with the new tile: it joins down and left.
    CDrawSequence corner(&stage, editor.get());
    ASSERT_TRUE(corner.AddPoint(0, 14, kGround));
    EXPECT_EQ(stage.GetChipInCurrentArea(0, 14), 70);
}

TEST_F(MapEdits, RectangleFromEitherCornerFillsTheSameCells) {
    auto a = MakeStage({AreaClass_OneRoom});
    auto b = MakeStage({AreaClass_OneRoom});
    a->GetArea(0)->SetChip(7, 6, kGround);
    b->GetArea(0)->SetChip(7, 6, kGround);
    CRectangleFill backwards(a.get(), nullptr, 6, 7, 3, 5, kGround);
    CRectangleFill forwards(b.get(), nullptr, 3, 5, 6, 7, kGround);
    ASSERT_TRUE(backwards.Execute());
    ASSERT_TRUE(forwards.Execute());
    EXPECT_EQ(Grid(*a), Grid(*b));
    EXPECT_EQ(a->GetChipInCurrentArea(3, 5), 69);  // top-left corner: joined right and down
    EXPECT_EQ(a->GetChipInCurrentArea(4, 6), 64);  // inside
    EXPECT_EQ(a->GetChipInCurrentArea(7, 6), 76);  // the tile beside it joins it
    EXPECT_EQ(a->GetChipInCurrentArea(2, 6), 0);
    EXPECT_EQ(backwards.GetLogText(), "[矩形描画]  エリア:0, 範囲：(6,7)->(3,5), チップ値：64");

    const std::vector<int> filled = Grid(*a);
    ASSERT_TRUE(backwards.Undo());
    std::vector<int> before(20 * 15, 0);
    before[6 * 20 + 7] = kGround;  // the border cell is put back as it was
    EXPECT_EQ(Grid(*a), before);
    ASSERT_TRUE(backwards.Redo());
    EXPECT_EQ(Grid(*a), filled);
}

TEST_F(MapEdits, FillUndoPutsTheWholeGridBack) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}));
    CStage& stage = *editor->GetStage();
    for (int y = 0; y < 15; ++y) stage.GetArea(0)->SetChip(10, y, 96);  // a wall of another group
    const std::vector<int> before = Grid(stage);

    ASSERT_TRUE(editor->DoCommand(std::make_unique<CFill>(0, 0, kGround, &stage, editor.get())));
    EXPECT_EQ(stage.GetChipInCurrentArea(0, 0), 64);
    EXPECT_EQ(stage.GetChipInCurrentArea(9, 7), 66);    // the wall ends the ground on the right
    EXPECT_EQ(stage.GetChipInCurrentArea(10, 7), 106);  // the wall re-tiled: joined up and down
    EXPECT_EQ(stage.GetChipInCurrentArea(11, 7), 0);
    const std::vector<int> filled = Grid(stage);

    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Grid(stage), before);
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(Grid(stage), filled);

    // A fill over its own group changes nothing, yet is a command like any other.
    ASSERT_TRUE(editor->DoCommand(std::make_unique<CFill>(1, 1, 70, &stage, editor.get())));
    EXPECT_EQ(Grid(stage), filled);
    EXPECT_TRUE(editor->Undo());
    EXPECT_EQ(Grid(stage), filled);
    EXPECT_FALSE(editor->DoCommand(std::make_unique<CFill>(20, 0, kGround, &stage, editor.get())));
}

TEST_F(MapEdits, FillCoversTheLargestAreaAndComesBack) {
    auto editor = MakeEditor(MakeStage({AreaClass_BoxLong}));
    CStage& stage = *editor->GetStage();
    const std::string empty = stage.EncodeCurrentAreaMap();
    ASSERT_TRUE(editor->DoCommand(std::make_unique<CFill>(120, 45, kGround, &stage, editor.get())));
    const std::vector<int> grid = Grid(stage);
    ASSERT_EQ(grid.size(), 240u * 90u);
    EXPECT_EQ(std::count(grid.begin(), grid.end(), 64), 240 * 90);
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(stage.EncodeCurrentAreaMap(), empty);
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(Grid(stage), grid);
}

// Putting many chips at once gives exactly what putting them one by one gives, over grids of
// mixed tile groups (sides, corners and the checkered groups), with cells off the grid and
// cells put twice.
TEST_F(MapEdits, ChipsPutAtOnceEqualChipsPutOneByOne) {
    const uint8_t kinds[] = {0, 64, 72, 96, 36, 1, 40, 44, 234, 242, 238, 19, 5, 57};
    std::mt19937 random(20240611);
    for (int round = 0; round < 40; ++round) {
        auto batch = MakeStage({AreaClass_OneRoom});
        auto single = MakeStage({AreaClass_OneRoom});
        for (int y = 0; y < 15; ++y) {
            for (int x = 0; x < 20; ++x) {
                const uint8_t chip = kinds[random() % std::size(kinds)];
                batch->GetArea(0)->SetChip(x, y, chip);
                single->GetArea(0)->SetChip(x, y, chip);
            }
        }
        const uint8_t chip = kinds[random() % std::size(kinds)];
        std::vector<TileCell> cells;
        for (int i = static_cast<int>(random() % 60); i > 0; --i) {
            cells.push_back({static_cast<int>(random() % 24) - 2, static_cast<int>(random() % 19) - 2});
        }
        PutChipsAutoTiled(*batch, cells, chip);
        for (const TileCell& c : cells) PutChipAutoTiled(*single, c.x, c.y, chip);
        ASSERT_EQ(Grid(*batch), Grid(*single)) << "round " << round;
    }
}
