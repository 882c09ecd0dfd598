// Every kind's live object as a recording creator sees it: class, position and arguments, and the
// moment it is made (area entry or tile in view). Plus the factory's classes and the shared
// behaviour of the plain kinds.
#include <algorithm>
#include <map>
#include <typeinfo>

#include "foundation/Geometry.h"
#include "kinds_env.h"
#include "stage/AreaObjectKinds_Doors.h"
#include "stage/AreaObjectKinds_Enemies.h"
#include "stage/AreaObjectKinds_Items.h"

namespace {

using kindstest::KindsTest;
using kindstest::SameArgs;

struct LiveRow {
    const char* key;
    bool atStart;         // made by CreateStartObject when the area is entered
    const char* live;     // class asked of the creator seam
    int dx, dy;           // offset from the tile's top-left pixel
    bool facing;          // the first argument is the facing flag (NOT side)
    LiveObjectArgs args;  // for side = false and a fresh record (attributes 0, empty text)
};

const std::vector<LiveRow>& Rows() {
    static const std::vector<LiveRow> rows = {
        // enemies
        {"Kid001", false, "CKid001", 0, 2, true, {true}},
        {"Kid002", false, "CKid002", 0, 2, true, {true}},
        {"Pukka001", false, "CPukka001", 16, 16, false, {}},
        {"Chop001", false, "CChop001", 6, -8, true, {true, 0}},
        {"Chop002", false, "CChop001", 6, -8, true, {true, 1}},
        {"Gun001", false, "CGun001", 6, -8, true, {true, 0}},
        {"Gun002", false, "CGun001", 6, -8, true, {true, 1}},
        {"Moyashi001", false, "CMoyashi001", 16, 20, true, {true}},
        {"Moyashi002", false, "CMoyashi002", 16, 20, true, {true}},
        {"Flower001", false, "CFlower001", 4, 4, false, {}},
        {"Flower002", false, "CFlower002", 4, 4, false, {}},
        {"IceSculpture001", false, "CIceSculpture001", 7, -18, true, {true}},
        {"Drill001", false, "CDrill001", 0, 4, true, {true}},
        {"TonFar001", false, "CTonFar001", -2, -32, true, {true}},
        {"Professor001", false, "CProfessor001", 8, -8, true, {true}},
        {"Fish001", false, "CFish001", 0, 2, true, {true, 0, 0}},
        {"Fish002", false, "CFish_Controller001", 0, 0, true, {true}},
        {"Fish003", false, "CFish002", -14, 10, true, {true}},
        {"Fish004", false, "CFish003", -2, 5, true, {true}},
        {"Bat001", false, "CBat001", 16, 20, false, {0}},
        {"Bat002", false, "CBat001", 16, 20, false, {1}},
        {"Sphere001", false, "CSphere001", 16, 16, false, {0}},
        {"Sphere002", false, "CSphere001", 16, 16, false, {1}},
        {"Caterpillar001", false, "CCaterpillar001", 4, 2, true, {true, 3}},
        {"Caterpillar002", false, "CCaterpillar001", 4, 2, true, {true, 5}},
        {"Caterpillar003", false, "CCaterpillar001", 4, 2, true, {true, 7}},
        {"Megane001", false, "CMegane001", 6, -4, true, {true, 0}},
        {"Megane002", false, "CMegane001", 6, -4, true, {true, 1}},
        {"Tornado001", false, "CTornado001", 0, 0, true, {true, 0}},
        {"Tornado002", false, "CTornado001", 0, 0, true, {true, 1}},
        {"Ichigo001", false, "CIchigo001", 4, 4, true, {true}},
        {"Oto001", false, "COtoBall001", 16, 12, true, {true}},
        {"Needle001", false, "CNeedle001", -8, 4, true, {true}},
        {"Nageru001", false, "CNageru001", -4, -4, true, {true, 0}},
        {"Nageru002", false, "CNageru001", -4, -4, true, {true, 1}},
        {"SkyMobile001", false, "CSkyMobile001", -36, -4, true, {true}},
        {"Magician001", false, "CMagician_Controller001", 0, 0, true, {true}},
        // bosses
        {"TestBoss001", false, "CTestBoss001", 0, 2, true, {true}},
        {"TestBoss002", false, "CTestBoss002", 0, 2, true, {true}},
        {"BarMan001", false, "CBarManRed", 6, -6, true, {true, 1}},
        {"BarMan002", false, "CBarManYellow", 6, -6, true, {true, 1}},
        {"BarMan003", false, "CBarManBlue", 6, -6, true, {true, 1}},
        {"BarMan004", false, "CBarManGreen", 6, -6, true, {true, 1}},
        {"BarMan005", false, "CBarManPink", 6, -6, true, {true, 1}},
        {"DevilBar001", false, "CLastBoss_Controller", 0, 0, true, {true}},
        // hazards (timing A)
        {"Battery001", false, "CNormalBattery", 8, 8, false, {0, 0}},
        {"Battery002", false, "CNormalBattery", 0, 8, false, {1, 0}},
        {"Battery003", false, "CNormalBattery", 8, 0, false, {2, 0}},
        {"Battery004", false, "CNormalBattery", 8, 8, false, {3, 0}},
        {"Burner001", false, "CBurner", 8, 8, false, {0, 0}},
        {"Burner002", false, "CBurner", 0, 8, false, {1, 0}},
        {"Burner003", false, "CBurner", 8, 0, false, {2, 0}},
        {"Burner004", false, "CBurner", 8, 8, false, {3, 0}},
        {"IronBall001", false, "CIronBall", 16, 16, false, {}},
        {"SwitchBomb001", false, "CSwitchBomb", -8, 0, false, {}},
        {"FloatingBomb001", false, "CFloatingBomb", 16, 16, false, {}},
        {"AirGear001", true, "CAirGear", 16, 16, false, {0, 0.0}},
        {"AirGear002", true, "CAirGear", 16, 16, false, {1, kPi}},
        {"House001", false, "CDevilHouse", -16, -40, false, {}},
        // items
        {"Pokikki001", false, "CPokikki", 16, 16, false, {0.0, 0.0}},
        {"AirPokikki001", false, "CAirPokikki", 16, 16, false, {}},
        {"Umaibo001", false, "CUmaibo", 16, 16, false, {0.0, 0.0}},
        {"IceBar001", false, "CIceBar", 16, 16, false, {0.0, 0.0}},
        {"1UP001", false, "C1UP", 0, 8, true, {true}},
        {"RedWhitePole", false, "CPowerUpBar", 16, 16, false, {0.0, 0.0, 2}},
        {"WoodenMallet", false, "CPowerUpBar", 16, 16, false, {0.0, 0.0, 3}},
        {"Propeller", false, "CPowerUpBar", 16, 16, false, {0.0, 0.0, 4}},
        {"Hose", false, "CPowerUpBar", 16, 16, false, {0.0, 0.0, 5}},
        {"Key", false, "CKey", 16, 16, false, {0.0, 0.0}},
        {"Flag", false, "CStageFlag", 16, -24, false, {}},
        // goal, doors and warps (destination 0, 0, 0)
        {"Goal", false, "CNormalGoal", 0, -8, false, {}},
        {"Door001", false, "CDoorA", 0, -16, false, {0, 0, 0}},
        {"Door002", false, "CDoorB", 0, -16, false, {0, 0, 0}},
        {"Door003", false, "CShutter", 0, -16, false, {0, 0, 0}},
        {"Door004", false, "CCaveHoleA", 0, -16, false, {0, 0, 0}},
        {"Door005", false, "CCaveHoleB", 0, -16, false, {0, 0, 0}},
        {"KeyDoor001", false, "CKeyDoor", 0, -16, false, {0, 0, 0}},
        {"EnemyZeroDoor001", false, "CEnemyZeroDoor", 0, -16, false, {0, 0, 0}},
        {"Warp001", false, "CWarpPoint", 16, 16, false, {0, 0, 0}},
        {"InvisibleWarp001", false, "CInvisibleWarpPoint", 16, 16, false, {0, 0, 0}},
        // lifts
        {"HorizontalLift001", true, "CRoundTripLift", 0, 0, false, {true, 0.0}},
        {"HorizontalLift002", true, "CRoundTripLift", 0, 0, false, {true, 3.7}},
        {"VerticalLift001", true, "CRoundTripLift", 0, 0, false, {false, 1.5}},
        {"VerticalLift002", true, "CRoundTripLift", 0, 0, false, {false, 5.2}},
        {"FallingLift001", false, "CFallingLift", -48, 0, false, {}},
        {"RightMoveLift001", false, "CRightMoveLift", -32, 0, false, {}},
        {"LeftMoveLift001", false, "CLeftMoveLift", -32, 0, false, {}},
        {"RisingLift001", false, "CRisingLift", -32, 0, false, {}},
        {"CloudLift001", false, "CCloudLift", -32, 0, false, {}},
        {"CustomLift001", false, "CCustomLift", -48, 0, false, {std::string()}},
        {"WideLift001", false, "CWideLift", -96, 0, false, {1}},
        {"WideLift002", false, "CWideLift", -96, 0, false, {2}},
        {"WideLift003", false, "CWideLift", -96, 0, false, {3}},
        {"WideLift004", false, "CWideLift", -96, 0, false, {4}},
        // blocks
        {"WoodBlock001", true, "CWoodBlock001", 0, -32, false, {}},
        {"WoodBlock002", true, "CWoodBlock002", 0, -32, false, {std::string()}},
        {"WoodBlock003", true, "CWoodBlock003", 0, -32, false, {}},
        {"WoodBlock004", true, "CWoodBlock004", 0, -32, false, {}},
        {"StoneBlock001", true, "CStoneBlock001", 0, -32, false, {}},
        {"StoneBlock002", true, "CStoneBlock002", 0, -32, false, {}},
        {"StoneBlock003", true, "CStoneBlock003", 0, -48, false, {}},
        {"StoneBlock004", true, "CStoneBlock004", 0, -48, false, {}},
        // switches (red)
        {"Switch001", false, "CPushSwitch", 3, 8, false, {0}},
        {"Switch002", false, "CTimerSwitch", 3, 2, false, {0}},
        {"Switch003", false, "CChangeSwitch", 3, 8, false, {0}},
        {"Switch004", false, "CDevilSwitch", 6, 12, false, {0}},
        {"Switch005", false, "CSpringSwitch", 3, 8, false, {0}},
        {"Switch006", false, "CForceSwitch", 3, 4, false, {0}},
        // stage events (no music, no weather, zoom back to normal)
        {"ChangeMusicToLeft", true, "CChangeMusicEvent", 0, 0, false, {0, 0}},
        {"ChangeMusicToRight", true, "CChangeMusicEvent", 0, 0, false, {1, 0}},
        {"ChangeMusicToUp", true, "CChangeMusicEvent", 0, 0, false, {2, 0}},
        {"ChangeMusicToDown", true, "CChangeMusicEvent", 0, 0, false, {3, 0}},
        {"ChangeWeatherToLeft", true, "CChangeWeatherEvent", 0, 0, false, {0, 0}},
        {"ChangeWeatherToRight", true, "CChangeWeatherEvent", 0, 0, false, {1, 0}},
        {"ChangeWeatherToUp", true, "CChangeWeatherEvent", 0, 0, false, {2, 0}},
        {"ChangeWeatherToDown", true, "CChangeWeatherEvent", 0, 0, false, {3, 0}},
        {"ChangeZoomToLeft", true, "CChangeZoomRateEvent", 0, 0, false, {0, 0}},
        {"ChangeZoomToRight", true, "CChangeZoomRateEvent", 0, 0, false, {1, 0}},
        {"ChangeZoomToUp", true, "CChangeZoomRateEvent", 0, 0, false, {2, 0}},
        {"ChangeZoomToDown", true, "CChangeZoomRateEvent", 0, 0, false, {3, 0}},
    };
    return rows;
}

TEST_F(KindsTest, EveryKindBuildsItsLiveObjectAtItsOffset) {
    ASSERT_EQ(Rows().size(), 120u);
    ASSERT_EQ(kindstest::AllKindKeys().size(), 120u);
    for (size_t i = 0; i < Rows().size(); ++i) {
        const LiveRow& row = Rows()[i];
        SCOPED_TRACE(row.key);
        EXPECT_EQ(kindstest::AllKindKeys()[i], row.key);  // factory order
        table->Clear();
        CStageAreaObject* object = Place(row.key, 10, 5);
        ASSERT_NE(object, nullptr);
        bool atStart = false;
        stagetest::LiveCall call = Spawn(object, false, &atStart);
        EXPECT_EQ(atStart, row.atStart);
        EXPECT_EQ(call.className, row.live);
        EXPECT_EQ(call.x, 320.0 + row.dx);
        EXPECT_EQ(call.y, 160.0 + row.dy);
        EXPECT_TRUE(SameArgs(call.args, row.args));
    }
}

TEST_F(KindsTest, FacingFollowsTheHerosSideAndNothingElseDoes) {
    for (const LiveRow& row : Rows()) {
        SCOPED_TRACE(row.key);
        table->Clear();
        CStageAreaObject* object = Place(row.key, 10, 5);
        ASSERT_NE(object, nullptr);
        LiveObjectArgs want = row.args;
        if (row.facing) want[0] = false;  // the tile at or right of the hero: face left
        EXPECT_TRUE(SameArgs(Spawn(object, true).args, want));
    }
}

TEST_F(KindsTest, EnemyAttributesChangeNothing) {
    CStageAreaObject* object = Place("Chop002", 0, 0, 5.5, -3, 7, 1, "text");
    ASSERT_NE(object, nullptr);
    stagetest::LiveCall call = Spawn(object, false);
    EXPECT_EQ(call.className, "CChop001");
    EXPECT_EQ(call.x, 6.0);
    EXPECT_EQ(call.y, -8.0);
    EXPECT_TRUE(SameArgs(call.args, {true, 1}));
    EXPECT_EQ(object->GetInfoText(), "Chop002名");
    EXPECT_EQ(object->GetProblemText(), "");
}

TEST_F(KindsTest, NegativePositionsArePassedAsTheyAre) {
    stagetest::LiveCall tonfar = Spawn(Place("TonFar001", 0, 0), false);
    EXPECT_EQ(tonfar.x, -2.0);
    EXPECT_EQ(tonfar.y, -32.0);
    stagetest::LiveCall sky = Spawn(Place("SkyMobile001", 0, 1), false);
    EXPECT_EQ(sky.x, -36.0);
    EXPECT_EQ(sky.y, 28.0);
    stagetest::LiveCall lift = Spawn(Place("FallingLift001", 0, 2), false);
    EXPECT_EQ(lift.x, -48.0);
}

TEST_F(KindsTest, ItemPlacementEdges) {
    stagetest::LiveCall flag = Spawn(Place("Flag", 5, 10), false);
    EXPECT_EQ(flag.x, 176.0);
    EXPECT_EQ(flag.y, 296.0);
    stagetest::LiveCall life = Spawn(Place("1UP001", 6, 10), true);
    EXPECT_EQ(life.x, 192.0);
    EXPECT_EQ(life.y, 328.0);
    EXPECT_TRUE(SameArgs(life.args, {false}));
}

// A record describes its live object either at the area's start or when it comes into view,
// never both, and only a class of the stage model's list of live classes.
TEST_F(KindsTest, EveryKindDescribesAtMostOneLiveObjectOfAKnownClass) {
    const std::vector<std::string>& classes = kindstest::LiveClassNames();
    for (const std::string& key : kindstest::AllKindKeys()) {
        table->Clear();
        CStageAreaObject* object = Place(key, 3, 3);
        ASSERT_NE(object, nullptr) << key;
        const LiveObjectSpec start = object->GetStartObjectSpec(false);
        const LiveObjectSpec inView = object->GetObjectSpec(false);
        EXPECT_TRUE(start.IsNone() || inView.IsNone()) << key;
        for (const LiveObjectSpec* spec : {&start, &inView}) {
            if (spec->IsNone()) continue;
            EXPECT_NE(std::find(classes.begin(), classes.end(), spec->className), classes.end()) << key;
        }
    }
}

// The factory makes the enemy, boss and item records from their rows of their family's table, and
// CStageAreaObject_<key> for the other kinds.
TEST_F(KindsTest, FactoryClassesFollowTheirKeys) {
    for (const std::string& key : kindstest::AllKindKeys()) {
        table->Clear();
        CStageAreaObject* object = Place(key, 1, 1);
        ASSERT_NE(object, nullptr) << key;
        if (const auto* enemy = dynamic_cast<CStageAreaObject_Enemy*>(object)) {
            EXPECT_STREQ(enemy->GetRow().key, key.c_str());
        } else if (const auto* item = dynamic_cast<CStageAreaObject_Item*>(object)) {
            EXPECT_STREQ(item->GetRow().key, key.c_str());
        } else {
            const std::string cls = "CStageAreaObject_" + key;
            EXPECT_EQ(std::string(typeid(*object).name()), std::to_string(cls.size()) + cls);
        }
        EXPECT_EQ(object->GetKey(), key);
        EXPECT_EQ(object->GetExtraText(), "third");
    }
    table->Clear();
    CStageAreaObject* key = Place("Key", 2, 2);
    ASSERT_NE(dynamic_cast<CStageAreaObject_Item*>(key), nullptr);
    EXPECT_EQ(key->ToText(), "Key:2:2|");
}

TEST_F(KindsTest, EveryKindHasItsOwnEditorCell) {
    // Each kind names a cell of one of the three editor sheets inside the 256 x 256 picture;
    // the switches name three.
    std::map<std::string, int> cellsPerKind;
    for (const KindEditorCell& cell : AllKindEditorCells()) {
        ++cellsPerKind[cell.kindKey];
        const std::string image = cell.image;
        EXPECT_TRUE(image == "StageObjects001" || image == "StageObjects002" || image == "StageObjects003")
            << cell.kindKey;
        EXPECT_GE(cell.left, 0);
        EXPECT_GE(cell.top, 0);
        EXPECT_LE(cell.right, 256);
        EXPECT_LE(cell.bottom, 256);
        const int w = cell.right - cell.left, h = cell.bottom - cell.top;
        EXPECT_TRUE((w == 32 && h == 32) || (w == 32 && h == 64) || (w == 64 && h == 32)) << cell.kindKey;
    }
    EXPECT_EQ(cellsPerKind.size(), 120u);
    for (const auto& [key, count] : cellsPerKind) {
        EXPECT_EQ(count, key.rfind("Switch00", 0) == 0 ? 3 : 1) << key;
    }
    // The two test bosses show the icon of "Kid001".
    const KindEditorCell* kid = FindKindEditorCell("Kid001");
    const KindEditorCell* boss = FindKindEditorCell("TestBoss002");
    ASSERT_TRUE(kid && boss);
    EXPECT_EQ(std::string(boss->image), kid->image);
    EXPECT_EQ(boss->left, kid->left);
    EXPECT_EQ(boss->top, kid->top);
    EXPECT_EQ(FindKindEditorCell("NoSuchKind"), nullptr);
}

}  // namespace
