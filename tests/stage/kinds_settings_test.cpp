// Kind settings read from the record: timings, destinations, routes, block contents, switch
// colours, event directions and values, and the texts the editor shows for them.
#include "foundation/Geometry.h"
#include "kinds_env.h"
#include "stage/AreaObjectKinds_Blocks.h"
#include "stage/AreaObjectKinds_Doors.h"
#include "stage/AreaObjectKinds_Events.h"
#include "stage/AreaObjectKinds_Hazards.h"
#include "stage/AreaObjectKinds_Lifts.h"
#include "stage/AreaObjectKinds_Switches.h"
#include "stage/Stage.h"
#include "stage/StageMap.h"

namespace {

using kindstest::KindsTest;
using kindstest::SameArgs;

// ---- Timings ---------------------------------------------------------------------------------

TEST_F(KindsTest, TimingTextAndFiringTiming) {
    struct Case {
        double a1;
        const char* letter;
        int firing;
    } cases[] = {{0, "Ａ", 0},    {1, "Ｂ", 1},  {1.9, "Ｂ", 1}, {2, "Ｃ", 2},     {3, "Ｄ", 3},
                 {-0.5, "Ａ", 0}, {-1, "Ｄ", 3}, {7, "Ｄ", 3},   {2.999, "Ｃ", 2}, {-3e9, "Ｄ", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a1);
        table->Clear();
        CStageAreaObject* battery = Place("Battery003", 4, 4, c.a1);
        ASSERT_NE(battery, nullptr);
        EXPECT_EQ(battery->GetInfoText(), std::string("Battery003名 タイミング：") + c.letter);
        EXPECT_TRUE(SameArgs(Spawn(battery, false).args, {2, c.firing}));
        CStageAreaObject* burner = Place("Burner004", 5, 4, c.a1);
        EXPECT_TRUE(SameArgs(Spawn(burner, true).args, {3, c.firing}));
    }
}

TEST_F(KindsTest, TimingIsReadAfreshAtEveryCreation) {
    CStageAreaObject* burner = Place("Burner001", 4, 4);
    EXPECT_TRUE(SameArgs(Spawn(burner, false).args, {0, 0}));
    burner->SetAttributes(2, 0, 0, 0);
    EXPECT_EQ(burner->GetInfoText(), "Burner001名 タイミング：Ｃ");
    EXPECT_TRUE(SameArgs(Spawn(burner, false).args, {0, 2}));
}

TEST_F(KindsTest, AirGearStartAngles) {
    const double first[] = {0.0, kPi * 0.5, kPi, kPi * 1.5};
    const double second[] = {kPi, kPi * 1.5, kPi + kPi, kPi * 2.5};
    for (int t = 0; t < 4; ++t) {
        table->Clear();
        bool atStart = false;
        stagetest::LiveCall one = Spawn(Place("AirGear001", 30, 2, t), false, &atStart);
        EXPECT_TRUE(atStart);
        EXPECT_TRUE(SameArgs(one.args, {0, first[t]}));
        stagetest::LiveCall two = Spawn(Place("AirGear002", 31, 2, t), false);
        EXPECT_TRUE(SameArgs(two.args, {1, second[t]}));
        EXPECT_EQ(two.x, 31 * 32 + 16.0);
        EXPECT_EQ(two.y, 2 * 32 + 16.0);
    }
    // Timing D of the second gear starts at 2.5 pi, not reduced to 0.5 pi.
    table->Clear();
    EXPECT_TRUE(SameArgs(Spawn(Place("AirGear002", 1, 1, -4), false).args, {1, kPi * 2.5}));
}

TEST_F(KindsTest, WhichRecordsCarryATiming) {
    for (const std::string& key : kindstest::AllKindKeys()) {
        table->Clear();
        CStageAreaObject* object = Place(key, 1, 1);
        const bool timed =
            key.rfind("Battery", 0) == 0 || key.rfind("Burner", 0) == 0 || key.rfind("AirGear", 0) == 0;
        EXPECT_EQ(IsTimingChangableAreaObject(object), timed) << key;
        if (!timed && !IsDoorAreaObject(object) && !IsSwitchAreaObject(object) &&
            !IsMusicChangableAreaObject(object) && !IsWeatherChangableAreaObject(object) &&
            !IsZoomChangableAreaObject(object) && key != "WoodBlock002") {
            EXPECT_EQ(object->GetInfoText(), key + "名");  // the display name alone
        }
    }
    EXPECT_FALSE(IsTimingChangableAreaObject(nullptr));
}

// ---- Doors, warps and the goal -----------------------------------------------------------------

class DoorKindsTest : public KindsTest {
  protected:
    void SetUp() override {
        KindsTest::SetUp();
        stage = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
        // Three areas with the absolute numbers 10, 11 and 12; the third is 45 tiles high.
        const int classes[] = {0, 1, 7};
        for (int i = 0; i < 3; ++i) {
            stage->AppendArea(std::make_unique<CStageArea>(
                stage.get(), CStageMap::Create(classes[i]),
                std::make_unique<CStageAreaObjectTable>(stage.get()), "a", 0, 1, 0, 10 + i));
        }
        areaObjects = stage->GetArea(0)->GetObjects();
    }
    void TearDown() override {
        stage.reset();
        KindsTest::TearDown();
    }
    CStageAreaObject* PlaceDoor(const std::string& key, int x, int y, double a1, double a2, double a3) {
        if (!areaObjects->Add(key, x, y, a1, a2, a3, 0, "")) return nullptr;
        return areaObjects->GetAt(x, y);
    }

    std::unique_ptr<CStage> stage;
    CStageAreaObjectTable* areaObjects = nullptr;
};

TEST_F(DoorKindsTest, DestinationsArePassedAsStored) {
    stagetest::LiveCall door = Spawn(PlaceDoor("Door001", 5, 10, 2, 7, 3), false);
    EXPECT_EQ(door.className, "CDoorA");
    EXPECT_EQ(door.x, 160.0);
    EXPECT_EQ(door.y, 304.0);
    EXPECT_TRUE(SameArgs(door.args, {2, 7, 3}));
    // Cut toward zero; a missing area is still handed on.
    stagetest::LiveCall key = Spawn(PlaceDoor("KeyDoor001", 6, 10, 2.9, -0.5, 14.99), true);
    EXPECT_TRUE(SameArgs(key.args, {2, 0, 14}));
    stagetest::LiveCall warp = Spawn(PlaceDoor("Warp001", 7, 10, 11, 1, 2), false);
    EXPECT_EQ(warp.x, 240.0);
    EXPECT_EQ(warp.y, 336.0);
    EXPECT_TRUE(SameArgs(warp.args, {11, 1, 2}));
    stagetest::LiveCall hidden = Spawn(PlaceDoor("InvisibleWarp001", 8, 10, 12, 3, 4), false);
    EXPECT_EQ(hidden.className, "CInvisibleWarpPoint");
    EXPECT_EQ(hidden.x, 272.0);
}

TEST_F(DoorKindsTest, InfoTextCountsAreasFromOneAndRowsFromTheBottom) {
    CStageAreaObject* door = PlaceDoor("Door003", 1, 1, 12, 4, 10);
    ASSERT_NE(door, nullptr);
    EXPECT_TRUE(IsDoorAreaObject(door));
    EXPECT_EQ(door->GetInfoText(), "Door003名  移動先：エリア3 (4,34)");  // 45 - 10 - 1
    CStageAreaObject* warp = PlaceDoor("Warp001", 2, 1, 10, 0, 14);
    EXPECT_EQ(warp->GetInfoText(), "Warp001名  移動先：エリア1 (0,0)");
    EXPECT_EQ(warp->GetProblemText(), "");
    CStageAreaObject* lost = PlaceDoor("EnemyZeroDoor001", 3, 1, 42, 0, 0);
    EXPECT_EQ(lost->GetProblemText(), "移動先エリアが削除されています！");
    EXPECT_EQ(lost->GetInfoText(), "移動先エリアが削除されています！");
    // The goal is no door and has no destination.
    ASSERT_TRUE(areaObjects->Add("Goal", 4, 1, 3, 3, 3, 3, "x"));
    CStageAreaObject* goal = areaObjects->GetAt(4, 1);
    EXPECT_FALSE(IsDoorAreaObject(goal));
    EXPECT_NE(dynamic_cast<CStageAreaObject_Goal*>(goal), nullptr);
    EXPECT_EQ(goal->GetInfoText(), "Goal名");
    stagetest::LiveCall made = Spawn(goal, false);
    EXPECT_EQ(made.x, 128.0);
    EXPECT_EQ(made.y, 24.0);
    EXPECT_TRUE(made.args.empty());
    EXPECT_TRUE(areaObjects->HasGoal());
}

TEST_F(DoorKindsTest, DeletingTheTargetAreaMarksEveryDoorKind) {
    const char* keys[] = {"Door001",    "Door002",          "Door003", "Door004",         "Door005",
                          "KeyDoor001", "EnemyZeroDoor001", "Warp001", "InvisibleWarp001"};
    for (int i = 0; i < 9; ++i) ASSERT_NE(PlaceDoor(keys[i], i, 0, 11, 0, 0), nullptr) << keys[i];
    EXPECT_TRUE(areaObjects->CollectProblems().empty());
    ASSERT_TRUE(stage->RemoveArea(1));
    EXPECT_EQ(areaObjects->CollectProblems().size(), 9u);
}

// ---- Lifts -------------------------------------------------------------------------------------

TEST_F(KindsTest, CustomLiftPassesItsRouteUnchecked) {
    CStageAreaObject* lift = Place("CustomLift001", 3, 3, 0, 0, 0, 0, "ABJJIKZ");
    ASSERT_NE(lift, nullptr);
    EXPECT_TRUE(IsCustomLiftAreaObject(lift));
    stagetest::LiveCall call = Spawn(lift, false);
    EXPECT_EQ(call.className, "CCustomLift");
    EXPECT_EQ(call.x, 48.0);
    EXPECT_TRUE(SameArgs(call.args, {std::string("ABJJIKZ")}));
    lift->SetText("");
    EXPECT_TRUE(SameArgs(Spawn(lift, false).args, {std::string()}));
    EXPECT_FALSE(IsCustomLiftAreaObject(Place("CloudLift001", 4, 4)));
    EXPECT_FALSE(IsCustomLiftAreaObject(nullptr));
}

TEST_F(KindsTest, RoundTripLiftsExistFromTheStart) {
    CStageAreaObject* lift = Place("HorizontalLift002", 10, 5);
    EXPECT_TRUE(lift->GetObjectSpec(false).IsNone());
    bool atStart = false;
    stagetest::LiveCall call = Spawn(lift, true, &atStart);
    EXPECT_TRUE(atStart);
    EXPECT_EQ(call.x, 320.0);
    EXPECT_EQ(call.y, 160.0);
    EXPECT_TRUE(SameArgs(call.args, {true, 3.7}));
    stagetest::LiveCall wide = Spawn(Place("WideLift003", 10, 6), false);
    EXPECT_EQ(wide.x, 224.0);
    EXPECT_EQ(wide.y, 192.0);
    EXPECT_TRUE(SameArgs(wide.args, {3}));
}

// ---- Blocks ------------------------------------------------------------------------------------

TEST_F(KindsTest, BlockContents) {
    // A few contents by name; keys match exactly (case and all), anything else names nothing.
    const char* contents[][2] = {{"Key", "鍵"},
                                 {"1UP001", "１機アップ"},
                                 {"Propeller", "プロペラ"},
                                 {"propeller", ""},
                                 {"", ""},
                                 {"Propeller2", ""},
                                 {"Flag", ""}};
    for (const auto& content : contents) {
        table->Clear();
        CStageAreaObject* block = Place("WoodBlock002", 4, 8, 0, 0, 0, 0, content[0]);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(block->GetInfoText(), std::string("WoodBlock002名 ") + content[1]) << content[0];
        bool atStart = false;
        stagetest::LiveCall call = Spawn(block, false, &atStart);
        EXPECT_TRUE(atStart);
        EXPECT_EQ(call.x, 128.0);
        EXPECT_EQ(call.y, 224.0);
        EXPECT_TRUE(SameArgs(call.args, {std::string(content[0])}));  // passed on unchecked
    }
    EXPECT_TRUE(IsWoodBlock002AreaObject(table->GetAt(4, 8)));
    EXPECT_FALSE(IsWoodBlock002AreaObject(Place("WoodBlock001", 0, 0)));
    EXPECT_FALSE(IsWoodBlock002AreaObject(nullptr));
    EXPECT_TRUE(IsWoodBlock002Key("WoodBlock002"));
    EXPECT_FALSE(IsWoodBlock002Key("WoodBlock001"));
    EXPECT_FALSE(IsWoodBlock002Key("WoodBlock0021"));
    EXPECT_FALSE(IsWoodBlock002Key("woodBlock002"));
}

TEST_F(KindsTest, TallStoneBlocksStandHigher) {
    stagetest::LiveCall stone = Spawn(Place("StoneBlock003", 4, 8), false);
    EXPECT_EQ(stone.x, 128.0);
    EXPECT_EQ(stone.y, 208.0);
    stagetest::LiveCall wood = Spawn(Place("WoodBlock001", 6, 8), false);
    EXPECT_EQ(wood.y, 224.0);
}

// ---- Switches ----------------------------------------------------------------------------------

TEST_F(KindsTest, SwitchColours) {
    struct Case {
        double a1;
        int color;
        const char* text;
    } cases[] = {{0, 0, " (赤)"},  {1, 1, " (緑)"},   {2, 2, " (青)"},  {5, 2, " (青)"},
                 {-1, 2, " (青)"}, {0.9, 0, " (赤)"}, {1.5, 1, " (緑)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.a1);
        table->Clear();
        CStageAreaObject* record = Place("Switch001", 2, 3, c.a1);
        auto* sw = dynamic_cast<CStageAreaObject_SwitchBase*>(record);
        ASSERT_NE(sw, nullptr);
        EXPECT_EQ(sw->GetColor(), c.color);
        EXPECT_EQ(record->GetInfoText(), std::string("Switch001名") + c.text);
        EXPECT_EQ(record->GetKindImage(), nullptr);  // switches show their colour images instead
        stagetest::LiveCall call = Spawn(record, false);
        EXPECT_EQ(call.className, "CPushSwitch");
        EXPECT_EQ(call.x, 67.0);
        EXPECT_EQ(call.y, 104.0);
        EXPECT_TRUE(SameArgs(call.args, {c.color}));
    }
    stagetest::LiveCall devil = Spawn(Place("Switch004", 3, 3, 1), false);
    EXPECT_EQ(devil.x, 102.0);
    EXPECT_EQ(devil.y, 108.0);
    EXPECT_TRUE(SameArgs(devil.args, {1}));
    EXPECT_TRUE(IsSwitchAreaObject(table->GetAt(3, 3)));
    EXPECT_FALSE(IsSwitchAreaObject(Place("SwitchBomb001", 5, 5)));
    EXPECT_FALSE(IsSwitchAreaObject(nullptr));
}

TEST_F(KindsTest, SwitchCellsComeInRedGreenBlue) {
    std::vector<const KindEditorCell*> cells;
    for (const KindEditorCell& cell : AllKindEditorCells()) {
        if (std::string(cell.kindKey) == "Switch005") cells.push_back(&cell);
    }
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0]->left, 224);  // red
    EXPECT_EQ(cells[0]->top, 160);
    EXPECT_EQ(cells[1]->left, 64);  // green
    EXPECT_EQ(cells[1]->top, 224);
    EXPECT_EQ(cells[2]->left, 96);  // blue
    EXPECT_EQ(cells[2]->top, 224);
}

// ---- Stage events ------------------------------------------------------------------------------

TEST_F(KindsTest, EventDirectionsAndValues) {
    const char* dirs[] = {"Left", "Right", "Up", "Down"};
    for (int mode = 0; mode < 4; ++mode) {
        table->Clear();
        CStageAreaObject* music =
            Place(std::string("ChangeMusicTo") + dirs[mode], 3, 4, 0, 0, 0, 0, "Boss001");
        CStageAreaObject* weather =
            Place(std::string("ChangeWeatherTo") + dirs[mode], 4, 4, 0, 0, 0, 0, "Fish");
        CStageAreaObject* zoom = Place(std::string("ChangeZoomTo") + dirs[mode], 5, 4, 7.8);
        ASSERT_TRUE(music && weather && zoom);
        bool atStart = false;
        stagetest::LiveCall m = Spawn(music, false, &atStart);
        EXPECT_TRUE(atStart);
        EXPECT_EQ(m.x, 96.0);
        EXPECT_EQ(m.y, 128.0);
        EXPECT_TRUE(SameArgs(m.args, {mode, 16}));
        EXPECT_TRUE(SameArgs(Spawn(weather, true).args, {mode, 9}));
        EXPECT_TRUE(SameArgs(Spawn(zoom, false).args, {mode, 7}));
    }
    // Unknown keys become id 0 and are passed on; the zoom change is not checked.
    table->Clear();
    EXPECT_TRUE(SameArgs(Spawn(Place("ChangeMusicToUp", 1, 1, 0, 0, 0, 0, "boss001"), false).args, {2, 0}));
    EXPECT_TRUE(SameArgs(Spawn(Place("ChangeZoomToDown", 2, 1, -3), false).args, {3, -3}));
}

TEST_F(KindsTest, EventTexts) {
    CStageAreaObject* music = Place("ChangeMusicToRight", 1, 1, 0, 0, 0, 0, "Stage006");
    EXPECT_EQ(music->GetInfoText(), "ChangeMusicToRight名 Lost City");
    music->SetText("nothing");
    EXPECT_EQ(music->GetInfoText(), "ChangeMusicToRight名 （なし）");
    CStageAreaObject* weather = Place("ChangeWeatherToUp", 2, 1, 0, 0, 0, 0, "Rain");
    EXPECT_EQ(weather->GetInfoText(), "ChangeWeatherToUp名 雨");
    struct Case {
        double a1;
        const char* text;
    } zooms[] = {{0, " 元へ戻す"},     {0.5, " 元へ戻す"},   {1, " ズームイン"},
                 {2, " ズームアウト"}, {7, " ズームアウト"}, {-1, " ズームアウト"}};
    CStageAreaObject* zoom = Place("ChangeZoomToUp", 3, 1);
    for (const Case& c : zooms) {
        zoom->SetAttributes(c.a1, 0, 0, 0);
        EXPECT_EQ(zoom->GetInfoText(), std::string("ChangeZoomToUp名") + c.text) << c.a1;
    }
    EXPECT_TRUE(IsMusicChangableAreaObject(music));
    EXPECT_FALSE(IsMusicChangableAreaObject(weather));
    EXPECT_TRUE(IsWeatherChangableAreaObject(weather));
    EXPECT_TRUE(IsZoomChangableAreaObject(zoom));
    EXPECT_FALSE(IsZoomChangableAreaObject(nullptr));
    EXPECT_TRUE(IsChangeMusicKey("ChangeMusicToDown"));
    EXPECT_FALSE(IsChangeMusicKey("ChangeWeatherToDown"));
    EXPECT_FALSE(IsChangeMusicKey("ChangeMusicToDown2"));
    EXPECT_TRUE(IsChangeWeatherKey("ChangeWeatherToLeft"));
    EXPECT_FALSE(IsChangeWeatherKey("ChangeZoomToLeft"));
}

}  // namespace
