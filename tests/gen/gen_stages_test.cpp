// Stages written as text pictures: what the compiler writes reads back as the stage drawn, every
// mistake stops it at its file and line, and the sample stages built into the game folder load
// cleanly and between them place every gimmick kind.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "stage/AreaObjectKinds_Enemies.h"
#include "stage/AreaObjectKinds_Register.h"
#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageCatalogues.h"
#include "stage/StageChips.h"
#include "tests/common/temp_folder.h"
#include "tools/gen/DataFiles.h"
#include "tools/gen/GenCommon.h"
#include "tools/gen/Stages.h"

namespace fs = std::filesystem;

namespace {

const char kLegend[] =
    "legend . chip=0\n"
    "legend # chip=65 auto=1\n"
    "legend = chip=41\n"
    "legend @ start=1\n"
    "legend G object=Goal\n";

// A two-area stage: a room with a door, a switch and a block, and a tall well with a custom lift,
// a music event and the goal.
std::string TwoAreaStage() {
    std::string room =
        "area class=OneRoom name=部屋 music=Stage001 background=GrassDayTime weather=Rain\nmap\n";
    for (int y = 0; y < 15; ++y) {
        std::string row(20, '.');
        if (y >= 12) row = std::string(20, '#');
        if (y == 11) row = "..@..s.b........=d..";
        room += row + "\n";
    }
    room += "end\nat 17,11 to=2,3,117\nat 5,11 colour=blue\nat 7,11 contents=Hose\n";
    std::string well = "area class=VerticalShort name=井戸 background=BlueCavern\nmap\n";
    for (int y = 0; y < 120; ++y) {
        std::string row(20, '.');
        if (y >= 118) row = std::string(20, '#');
        if (y == 117) row = "...............G....";
        if (y == 60) row = "....c.....m.........";
        well += row + "\n";
    }
    well += "end\nat 4,60 route=BBAAI\nat 10,60 music=Stage005\n";
    return "stage name=ふたつの部屋 id=t01 author=Tester category=Scenario arrange=0\n"
           "legend d object=Door001\nlegend s object=Switch001\nlegend b object=WoodBlock002\n"
           "legend c object=CustomLift001\nlegend m object=ChangeMusicToRight\n" +
           room + well;
}

class StageText : public ::testing::Test {
  protected:
    void SetUp() override {
        gen::GenerateTables(QUOR_GEN_SOURCE_DIR "/tables", game.Path().string());  // the kind table
        legend = gen::ReadStageLegend(kLegend, "legend.txt");
    }

    // The message of the compiler's error for a stage text, or "" when it compiles.
    std::string ErrorOf(const std::string& text) {
        try {
            gen::CompileStageText(text, "t.txt", legend);
        } catch (const gen::GenError& e) {
            return e.what();
        }
        return std::string();
    }

    // Builds the stages folder `stages` of the test's folder into its game folder.
    std::vector<std::string> Build(const std::string& text) {
        game.WriteRaw("src/legend.txt", kLegend);
        game.WriteRaw("src/test/two.txt", text);
        return gen::GenerateStages(game.Full("src").string(), game.Path().string());
    }

    testsupport::TempGameFolder game{"quor-stagetext"};
    gen::StageLegend legend;
};

TEST_F(StageText, BuiltFileReadsBackAsTheStageDrawn) {
    ASSERT_EQ(Build(TwoAreaStage()), std::vector<std::string>{"stage\\test\\two.stg"});
    std::unique_ptr<CStage> stage = CStage::LoadFromFile(nullptr, "stage\\test\\two.stg", 0);

    EXPECT_EQ(stage->name, "ふたつの部屋");
    EXPECT_EQ(stage->id, "t01");
    EXPECT_EQ(stage->originalAuthor, "Tester");
    EXPECT_EQ(stage->category, StageCategory_Scenario);
    EXPECT_FALSE(stage->arrangementPermissionFlag);
    EXPECT_EQ(stage->maxAbsoluteAreaNum, 1);
    EXPECT_EQ(stage->startArea, 0);
    EXPECT_EQ(stage->startX, 2);
    EXPECT_EQ(stage->startY, 11);
    ASSERT_EQ(stage->GetAreaCount(), 2);

    const CStageArea* room = stage->GetArea(0);
    EXPECT_EQ(stage->GetAreaClass(0), AreaClass_OneRoom);
    EXPECT_EQ(room->name, "部屋");
    EXPECT_EQ(room->backGround, BackGroundFromKey("GrassDayTime"));
    EXPECT_EQ(room->weather, WeatherIdFromKey("Rain"));
    // Auto-tiled ground: the top row joins left, right and below (65), the rows under it on every
    // side (64), the map's edge continuing the ground outward.
    EXPECT_EQ(room->GetChip(0, 12), 65);
    EXPECT_EQ(room->GetChip(10, 12), 65);
    EXPECT_EQ(room->GetChip(19, 14), 64);
    EXPECT_EQ(room->GetChip(16, 11), 41);  // no auto: the crate stays as it is
    EXPECT_EQ(room->GetChip(17, 11), 0);   // a placed kind stands on air

    const CStageAreaObjectTable* objects = room->GetObjects();
    ASSERT_EQ(objects->GetCount(), 3);
    const CStageAreaObject* door = objects->GetAt(17, 11);
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetKey(), "Door001");
    EXPECT_EQ(door->GetAttribute1(), stage->GetArea(1)->absoluteAreaNum);
    EXPECT_EQ(door->GetAttribute2(), 3);
    EXPECT_EQ(door->GetAttribute3(), 117);
    EXPECT_EQ(objects->GetAt(5, 11)->GetAttribute1(), 2);  // blue
    EXPECT_EQ(objects->GetAt(7, 11)->GetText(), "Hose");

    const CStageArea* well = stage->GetArea(1);
    EXPECT_EQ(stage->GetAreaClass(1), AreaClass_VerticalShort);
    EXPECT_EQ(well->GetChip(0, 119), 64);
    EXPECT_EQ(well->GetObjects()->GetAt(4, 60)->GetText(), "BBAAI");
    EXPECT_EQ(well->GetObjects()->GetAt(10, 60)->GetText(), "Stage005");
    EXPECT_EQ(well->GetObjects()->GetAt(15, 117)->GetKey(), "Goal");
    EXPECT_TRUE(stage->Validate(true).empty());
}

TEST_F(StageText, TwoBuildsWriteTheSameBytes) {
    Build(TwoAreaStage());
    const std::string first = game.ReadRaw("stage/test/two.stg");
    Build(TwoAreaStage());
    EXPECT_EQ(game.ReadRaw("stage/test/two.stg"), first);
}

TEST_F(StageText, EveryMistakeNamesItsLine) {
    const std::string good = TwoAreaStage();
    ASSERT_EQ(ErrorOf(good), "");
    // Line numbers of the good text: 1 stage, 2..6 legend, 7 area, 8 map, 9..23 rows (row 11 on
    // 20, row 14 on 23), 24 end, 25..27 at lines, 28 the well's area line.
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        const size_t at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return t.replace(at, from.size(), to);
    };
    struct Case {
        std::string text;
        std::string start;  // the message starts with file:line
        std::string says;   // and says this
    };
    const std::vector<Case> cases = {
        {replaced("..@..s.b", "..@..s.Q"), "t.txt:20:", "unknown character 'Q'"},
        {replaced("..@..s.b........=d..", "..@..s.b........=d."), "t.txt:20:", "19 characters"},
        {replaced("####################\nend", "end"), "t.txt:23:", "14 rows"},
        {replaced("class=OneRoom", "class=Huge"), "t.txt:7:", "area class"},
        {replaced("music=Stage001", "music=Stage099"), "t.txt:7:", "music"},
        {replaced("..@", "..."), "t.txt:1:", "no start"},
        {replaced("...............G....", "...................."), "t.txt:1:", "ゴール"},
        {replaced("at 17,11 to=2,3,117\n", ""), "t.txt:20:", "to="},
        {replaced("to=2,3,117", "to=3,3,117"), "t.txt:25:", "area 3"},
        {replaced("to=2,3,117", "to=2,3,120"), "t.txt:25:", "outside"},
        {replaced("colour=blue", "colour=blue route=AB"), "t.txt:26:", "takes no route"},
        {replaced("colour=blue", "colour=pink"), "t.txt:26:", "red|green|blue"},
        {replaced("at 5,11", "at 6,11"), "t.txt:26:", "no object at 6,11"},
        {replaced("contents=Hose", "contents=Hammer"), "t.txt:27:", "contents"},
        {replaced("route=BBAAI", "route=BBXAI"), "t.txt:", "route"},
        {replaced("legend s object", "legend d object"), "t.txt:3:", "twice"},
        {replaced("legend c object=CustomLift001", "legend c object=CustomLift009"),
         "t.txt:5:", "CustomLift009"},
        {replaced("name=部屋", "name=\"広い 部屋\""), "t.txt:7:", "blanks"},
        {replaced("end\nat 4,60", "at 4,60"), "t.txt:", "character"},
        {replaced("area class=VerticalShort", "area class=VerticalLong"), "t.txt:150:", "120 rows"},
    };
    for (const Case& c : cases) {
        const std::string error = ErrorOf(c.text);
        EXPECT_EQ(error.rfind(c.start, 0), 0u) << error;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.start << " " << error;
    }
}

TEST_F(StageText, AFileOutsideAFolderStopsTheBuild) {
    game.WriteRaw("src/stray.txt", TwoAreaStage());
    EXPECT_THROW(gen::GenerateStages(game.Full("src").string(), game.Path().string()), gen::GenError);
}

// The built samples, read from the game folder this build made.
TEST(SampleStages, LoadCleanlyAndPlaceEveryGimmickKind) {
    testsupport::TempGameFolder game("quor-samples");
    fs::create_directories(game.Full("data"));
    fs::copy_file(fs::path(QUOR_GAME_DIR) / "data/stage_objects.dat", game.Full("data/stage_objects.dat"));

    std::set<std::string> placed;
    int count = 0;
    for (const std::string& source : gen::ListFiles(QUOR_GEN_SOURCE_DIR "/stages/sample", ".txt")) {
        const fs::path built =
            fs::path(QUOR_GAME_DIR) / "stage/sample" / (fs::path(source).stem().string() + ".stg");
        SCOPED_TRACE(built.string());
        std::unique_ptr<CStage> stage = CStage::LoadFromFile(nullptr, built.string(), 0);
        EXPECT_EQ(stage->Validate(true), std::vector<std::string>{});
        for (int i = 0; i < stage->GetAreaCount(); ++i) {
            const CStageAreaObjectTable* objects = stage->GetArea(i)->GetObjects();
            for (int id = 1; id <= CStageAreaObjectTable::kMaxObjects; ++id) {
                if (const CStageAreaObject* o = objects->GetById(id)) placed.insert(o->GetKey());
            }
        }
        ++count;
    }
    EXPECT_GE(count, 4);

    std::vector<KindEditorCell> enemies;
    AppendEnemyKindCells(enemies);
    std::set<std::string> enemyKeys;
    for (const KindEditorCell& cell : enemies) enemyKeys.insert(cell.kindKey);
    for (const KindEditorCell& cell : AllKindEditorCells()) {
        if (!enemyKeys.count(cell.kindKey)) {
            EXPECT_TRUE(placed.count(cell.kindKey)) << cell.kindKey;
        }
    }
}

}  // namespace
