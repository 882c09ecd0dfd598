// The world map and the first progress file as the build made them agree with the stage, land,
// treasure and warp tables and with the scenario stages.
#include <set>

#include "flow/ScenarioTables.h"
#include "foundation/XmlNode.h"
#include "stage/Stage.h"
#include "tests/flow/scenario_env.h"

using namespace scenariotest;

namespace {

class ScenarioData : public ScenarioTest {
  protected:
    void SetUp() override {
        ScenarioTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        std::string text;
        ASSERT_EQ(ReadEncodedFile("data\\scenario_map.dat", text), ReadStatus::Ok);
        ASSERT_TRUE(ParseCsvText(text, table, CScenarioMap::kColumns, CScenarioMap::kRows));
    }
    std::string Code(int x, int y) { return CsvCell(table, CScenarioMap::kRows, x, y); }
    std::set<std::pair<int, int>> CellsOf(char code) {
        std::set<std::pair<int, int>> cells;
        for (int y = 0; y < CScenarioMap::kRows; ++y)
            for (int x = 0; x < CScenarioMap::kColumns; ++x)
                if (Code(x, y)[0] == code) cells.insert({x, y});
        return cells;
    }
    std::vector<std::string> table;
};

TEST_F(ScenarioData, TheSeaBordersTheMap) {
    for (int x = 0; x < CScenarioMap::kColumns; ++x) {
        EXPECT_EQ(Code(x, 0), "a");
        EXPECT_EQ(Code(x, CScenarioMap::kRows - 1), "a");
    }
    for (int y = 0; y < CScenarioMap::kRows; ++y) {
        EXPECT_EQ(Code(0, y), "a");
        EXPECT_EQ(Code(CScenarioMap::kColumns - 1, y), "a");
    }
}

TEST_F(ScenarioData, EveryStageCellIsInTheTableAndItsFileHoldsThatStage) {
    int count = 0;
    const ScenarioStageEntry* stages = ScenarioStages(count);
    ASSERT_EQ(count, 48);
    std::set<std::pair<int, int>> listed;
    for (int i = 0; i < count; ++i) {
        const ScenarioStageEntry& s = stages[i];
        SCOPED_TRACE(s.file);
        listed.insert({s.x, s.y});
        const std::string file = s.file;
        const std::string expected = file.starts_with("boss099") ? "m" : file.starts_with("boss") ? "l" : "d";
        EXPECT_EQ(Code(s.x, s.y), expected);
        std::unique_ptr<CStage> stage = CStage::LoadFromFile(nullptr, "stage\\scenario\\" + file, 0);
        ASSERT_NE(stage, nullptr);
        EXPECT_EQ(stage->name, s.name);
    }
    EXPECT_EQ(listed.size(), 48u);
    EXPECT_EQ(CellsOf('d').size(), 42u);
    EXPECT_EQ(CellsOf('l').size(), 5u);
    EXPECT_EQ(CellsOf('m'), (std::set<std::pair<int, int>>{{kLastBossX, kLastBossY}}));
    for (char code : {'d', 'l', 'm'})
        for (const auto& cell : CellsOf(code))
            EXPECT_TRUE(listed.count(cell)) << cell.first << "," << cell.second;
}

TEST_F(ScenarioData, PrizesWarpsAndAsManyDoorsAsKeys) {
    int prizes = 0;
    const ScenarioTreasure* prize = ScenarioPrizes(prizes);
    std::set<std::pair<int, int>> prizeCells;
    for (int i = 0; i < prizes; ++i) prizeCells.insert({prize[i].x, prize[i].y});
    const std::set<std::pair<int, int>> treasures = CellsOf('e');
    for (const auto& cell : prizeCells)
        EXPECT_TRUE(treasures.count(cell)) << cell.first << "," << cell.second;
    EXPECT_EQ(CellsOf('f').size(), treasures.size() - prizeCells.size());

    std::set<std::pair<int, int>> warpEnds;
    for (const auto& cell : CellsOf('k')) {
        int x = 0, y = 0;
        GetScenarioWarpDestination(cell.first, cell.second, x, y);
        EXPECT_EQ(Code(x, y)[0], 'k')
            << "the warp at " << cell.first << "," << cell.second << " leads nowhere";
        warpEnds.insert(cell);
    }
    EXPECT_EQ(warpEnds.size(), 12u);
}

TEST_F(ScenarioData, TheFirstProgressHoldsEverythingAndStartsOnOpenGround) {
    std::string text;
    ASSERT_EQ(ReadEncodedFile("data\\scenario_save_init.dat", text), ReadStatus::Ok);
    CXmlNode tree("ROOT", 0, text);
    for (const char* element : {"x", "y", "kisuu", "keynum", "panelsstring", "shownopening", "cleared"})
        EXPECT_FALSE(tree.GetByPath(std::string("ROOT.savedata.") + element).empty()) << element;
    EXPECT_EQ(tree.GetByPath("ROOT.savedata.shownopening"), "0");
    EXPECT_EQ(tree.GetByPath("ROOT.savedata.cleared"), "0");
    std::filesystem::remove(dir / "data" / "scenario_save.dat");
    StartManager();
    EXPECT_EQ(Code(manager->GetX(), manager->GetY()), "c");
    EXPECT_TRUE(Panel(2, 1)->IsOpen());  // the first stage is there to be played
    EXPECT_GT(SaveData()->GetKisuu(), 0);
    EXPECT_EQ(manager->GetMap().MakePanelText(), SaveData()->GetPanelsString());
}

}  // namespace
