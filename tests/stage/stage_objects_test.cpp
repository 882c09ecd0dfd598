#include <memory>
#include "tests/common/caught_code.h"

#include "engine/Scene.h"
#include "foundation/QuorException.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"
#include "stage_test_env.h"

using stagetest::StageTest;

namespace {}  // namespace

using StageObjects = StageTest;

TEST_F(StageObjects, ObjectsTextRoundTrip) {
    CStageAreaObjectTable table(nullptr);
    EXPECT_EQ(table.ToText(), "");
    EXPECT_TRUE(table.FromText(""));
    EXPECT_EQ(table.GetCount(), 0);
    ASSERT_TRUE(table.Add("TestKind", 4, 7));
    EXPECT_EQ(table.ToText(), "TestKind:4:7|");
    ASSERT_TRUE(table.Add("TestKind", 5, 7, 0.0, 1.5, 0.0, 0.0, ""));
    ASSERT_TRUE(table.Add("TestKind", 6, 7, 0.0, 0.0, 0.0, 0.0, "ABC"));
    ASSERT_TRUE(table.Add("TestKind", -3, 12, -0.5, 0.0, 0.0, 2.0, ""));
    const std::string text = table.ToText();
    EXPECT_EQ(text,
              "TestKind:4:7|TestKind:5:7:0.000000:1.500000:0.000000:0.000000:|"
              "TestKind:6:7:0.000000:0.000000:0.000000:0.000000:ABC|"
              "TestKind:-3:12:-0.500000:0.000000:0.000000:2.000000:|");
    CStageAreaObjectTable copy(nullptr);
    ASSERT_TRUE(copy.FromText(text));
    EXPECT_EQ(copy.ToText(), text);
    CStageAreaObject* o = copy.GetAt(-3, 12);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->GetId(), 4);
    EXPECT_DOUBLE_EQ(o->GetAttribute1(), -0.5);
    EXPECT_EQ(o->GetKey(), "TestKind");
    EXPECT_EQ(o->GetInfoText(), "テスト");
    EXPECT_EQ(o->GetExtraText(), "説明");
    // Text after the last '|' is ignored.
    ASSERT_TRUE(copy.FromText("TestKind:1:1|TestKind:2:2"));
    EXPECT_EQ(copy.GetCount(), 1);
}

TEST_F(StageObjects, BadRecordsRaiseSde0005AndEmptyTheTable) {
    CStageAreaObjectTable table(nullptr);
    std::string full;
    for (int i = 0; i < 256; ++i) full += "TestKind:" + std::to_string(i) + ":0|";
    for (const std::string& bad :
         {std::string("TestKind:1:1|TestKind:2:2:3:4|"), std::string("TestKind:1:1||"),
          std::string("Nothing:1:1|"), std::string("TestKind:1:1|TestKind:1:1|"),
          std::string("TestKind:1:1:0:0:0:0:a:b:c:d|"), full,
          // Numbers no editor writes: not finite, past the int range, exponents, words, blanks.
          std::string("TestKind:1:1:nan:0:0:0:|"), std::string("TestKind:1:1:inf:0:0:0:|"),
          std::string("TestKind:1:1:1e308:0:0:0:|"), std::string("TestKind:1:1:2147483648.000000:0:0:0:|"),
          std::string("TestKind:1:1:0x10:0:0:0:|"), std::string("TestKind:1:1::0:0:0:|"),
          std::string("TestKind:1:1: 1:0:0:0:|"), std::string("TestKind:x:1|"), std::string("TestKind:1:|"),
          std::string("TestKind:99999999999:1|")}) {
        ASSERT_TRUE(table.Add("TestKind", 30, 30));
        try {
            table.FromText(bad);
            FAIL() << bad;
        } catch (const CStageDataException& e) {
            EXPECT_EQ(e.GetCode(), "SDE0005");
            EXPECT_EQ(e.GetMessage(), "マップのオブジェクトを解析できません。");
        }
        EXPECT_EQ(table.GetCount(), 0);
        EXPECT_EQ(table.ToText(), "");
    }
}

// What is read writes back as it was read, after one writing.
TEST_F(StageObjects, NumbersReadBackAsWritten) {
    CStageAreaObjectTable table(nullptr);
    ASSERT_TRUE(
        table.FromText("TestKind:1:1:-2147483648.000000:2147483647:0.0000001:-0.25:|"
                       "TestKind:2:2:0.0000001:-0.0000004:0:0:|"));
    EXPECT_EQ(table.ToText(),
              "TestKind:1:1:-2147483648.000000:2147483647.000000:0.000000:-0.250000:|"
              "TestKind:2:2|");
    CStageAreaObjectTable copy(nullptr);
    ASSERT_TRUE(copy.FromText(table.ToText()));
    EXPECT_EQ(copy.ToText(), table.ToText());
}

TEST_F(StageObjects, TextCannotBreakTheObjectsText) {
    CStageAreaObjectTable table(nullptr);
    ASSERT_TRUE(table.Add("TestKind", 1, 1, 0, 0, 0, 0, "a:b|c"));
    EXPECT_EQ(table.GetAt(1, 1)->GetText(), "a：b｜c");
    table.GetAt(1, 1)->SetText("x|y");
    CStageAreaObjectTable copy(nullptr);
    ASSERT_TRUE(copy.FromText(table.ToText()));
    EXPECT_EQ(copy.GetAt(1, 1)->GetText(), "x｜y");
}

TEST_F(StageObjects, IdsAndCompaction) {
    CStageAreaObjectTable table(nullptr);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(table.Add("TestKind", i, 0));
    EXPECT_EQ(table.GetIdAt(2, 0), 3);
    ASSERT_TRUE(table.Remove(2, 0));
    EXPECT_FALSE(table.Remove(2, 0));
    EXPECT_EQ(table.GetIdAt(2, 0), 0);
    EXPECT_EQ(table.GetById(3), nullptr);
    // Written and read back, the gap closes: former ids 4 and 5 become 3 and 4.
    CStageAreaObjectTable copy(nullptr);
    copy.FromText(table.ToText());
    EXPECT_EQ(copy.GetCount(), 4);
    EXPECT_EQ(copy.GetIdAt(3, 0), 3);
    EXPECT_EQ(copy.GetIdAt(4, 0), 4);
    // The lowest free id is reused.
    ASSERT_TRUE(table.Add("TestKind", 9, 9));
    EXPECT_EQ(table.GetIdAt(9, 9), 3);
    EXPECT_EQ(table.GetById(0), nullptr);
    EXPECT_EQ(table.GetById(256), nullptr);
    EXPECT_EQ(table.GetById(-1), nullptr);
    // A failed add changes nothing.
    EXPECT_FALSE(table.Add("TestKind", 9, 9));
    EXPECT_FALSE(table.Add("Unknown", 10, 10));
    EXPECT_EQ(table.GetCount(), 5);
}

TEST_F(StageObjects, MoveAndLimit) {
    CStageAreaObjectTable table(nullptr);
    ASSERT_TRUE(table.Add("TestKind", 1, 1));
    ASSERT_TRUE(table.Add("TestKind", 2, 2));
    EXPECT_FALSE(table.Move(1, 1, 2, 2));
    EXPECT_FALSE(table.Move(5, 5, 6, 6));
    EXPECT_FALSE(table.Move(1, 1, 1, 1));
    ASSERT_TRUE(table.Move(1, 1, 3, 4));
    EXPECT_EQ(table.GetIdAt(3, 4), 1);
    EXPECT_EQ(table.GetIdAt(1, 1), 0);
    EXPECT_EQ(table.GetById(1)->GetTileX(), 3);
    EXPECT_EQ(table.GetById(1)->GetTileY(), 4);
    for (int i = 2; i < 255; ++i) ASSERT_TRUE(table.Add("TestKind", 100 + i, 0));
    EXPECT_EQ(table.GetCount(), 255);
    EXPECT_FALSE(table.Add("TestKind", 0, 99));
    EXPECT_EQ(CStageAreaObjectTable::TileKey(3, 12), "0003.0012");
    EXPECT_EQ(CStageAreaObjectTable::TileKey(-3, 12), "-003.0012");
}

TEST_F(StageObjects, SpawnFlagsAndLiveCreation) {
    CStageAreaObjectTable table(nullptr);
    ASSERT_TRUE(table.Add("TestKind", 10, 3));
    ASSERT_TRUE(table.Add("TestStart", 2, 5, 0, 0, 0, 0, "Umaibo"));
    EXPECT_TRUE(table.CanSpawn(1));
    table.SetSpawnFlag(1, false);
    EXPECT_FALSE(table.CanSpawn(1));
    table.SetSpawnFlag(300, false);  // ignored
    EXPECT_FALSE(table.CanSpawn(-1));
    EXPECT_FALSE(table.CanSpawn(256));
    // Remove and Clear leave the flags alone.
    table.Clear();
    EXPECT_FALSE(table.CanSpawn(1));

    ASSERT_TRUE(table.Add("TestKind", 10, 3));
    ASSERT_TRUE(table.Add("TestStart", 2, 5, 0, 0, 0, 0, "Umaibo"));
    EXPECT_TRUE(table.GetById(1)->GetStartObjectSpec(true).IsNone());
    const LiveObjectSpec inView = table.GetById(1)->GetObjectSpec(true);
    EXPECT_EQ(inView.className, "CTestLive");
    EXPECT_DOUBLE_EQ(inView.x, 320.0);
    EXPECT_DOUBLE_EQ(inView.y, 98.0);
    EXPECT_EQ(std::get<bool>(inView.args.at(0)), false);
    const LiveObjectSpec start = table.GetById(2)->GetStartObjectSpec(false);
    EXPECT_EQ(start.className, "CTestStartLive");
    EXPECT_DOUBLE_EQ(start.y, 128.0);
    EXPECT_EQ(std::get<std::string>(start.args.at(0)), "Umaibo");
    EXPECT_TRUE(table.GetById(2)->GetObjectSpec(false).IsNone());
}

namespace {
class KeyScene : public IScene, public IStageKeyQuery {
  public:
    KeyScene() : IScene(nullptr) {}
    void Start() override {}
    void Update() override {}
    void Draw() override {}
    void DrawOverlay() override {}
    bool IsKeyCollected(int area, int id) override { return area == 0 && id == 2; }
    int GetCurrentAreaIndex() override { return 0; }
};
}  // namespace

TEST_F(StageObjects, CollectedKeysDoNotSpawn) {
    KeyScene scene;
    CStage stage(&scene, 0, CVersionNumber::Application());
    CStageAreaObjectTable table(&stage);
    ASSERT_TRUE(table.Add("TestKind", 1, 1));
    ASSERT_TRUE(table.Add("TestKind", 2, 1));
    EXPECT_TRUE(table.CanSpawn(1));
    EXPECT_FALSE(table.CanSpawn(2));
}

TEST_F(StageObjects, GoalLockAndProblems) {
    CStageAreaObjectTable table(nullptr);
    EXPECT_FALSE(table.HasGoal());
    ASSERT_TRUE(table.Add("Goal", 3, 3));
    EXPECT_TRUE(table.HasGoal());
    EXPECT_FALSE(table.HasLockedObject());
    ASSERT_TRUE(table.Add("TestLocked", 4, 4));
    EXPECT_TRUE(table.HasLockedObject());
    SetBoughtItems("Other,TestLocked");
    EXPECT_FALSE(table.HasLockedObject());
    EXPECT_TRUE(IsDoorKey("InvisibleWarp001"));
    EXPECT_FALSE(IsDoorKey("Goal"));
    EXPECT_FALSE(IsDoorAreaObject(nullptr));
    EXPECT_FALSE(IsDoorAreaObject(table.GetAt(3, 3)));
}

TEST_F(StageObjects, DoorTargetsAndProblems) {
    CStage stage(nullptr, 1, CVersionNumber::Application());
    for (int i = 0; i < 3; ++i) {
        stage.AppendArea(std::make_unique<CStageArea>(&stage, CStageMap::Create(0),
                                                      std::make_unique<CStageAreaObjectTable>(&stage), "a", 0,
                                                      1, 0, 10 + i));
    }
    CStageAreaObjectTable* table = stage.GetArea(0)->GetObjects();
    ASSERT_TRUE(table->Add("TestDoor", 1, 1, 12.0, 4.0, 10.0, 0.0, ""));
    CStageAreaObject* door = table->GetAt(1, 1);
    EXPECT_TRUE(IsDoorAreaObject(door));
    EXPECT_EQ(door->GetOwnerArea(), stage.GetArea(0));
    EXPECT_EQ(door->GetProblemText(), "");
    EXPECT_EQ(door->GetInfoText(), "テスト扉  移動先：エリア3 (4,4)");
    EXPECT_TRUE(stage.Validate(false).empty());
    std::vector<std::string> withGoal = stage.Validate(true);
    ASSERT_EQ(withGoal.size(), 1u);
    EXPECT_EQ(withGoal[0], "ゴールがどこにもありません…");
    // The target area is deleted.
    ASSERT_TRUE(stage.RemoveArea(2));
    EXPECT_EQ(door->GetInfoText(), "移動先エリアが削除されています！");
    ASSERT_TRUE(stage.GetArea(1)->GetObjects()->Add("TestDoor", 5, 0, 99.0, 0, 0, 0, ""));
    std::vector<std::string> problems = stage.Validate(false);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "エリア01 (1,13) 移動先エリアが削除されています！");
    EXPECT_EQ(problems[1], "エリア02 (5,14) 移動先エリアが削除されています！");
}

TEST_F(StageObjects, KindTableLoadAndReload) {
    ASSERT_EQ(CStageAreaObjectTable::GetLiveTableCount(), 0);
    EXPECT_EQ(CStageAreaObjectTable::GetKindTable(), nullptr);
    {
        // A key on line 0 is loaded but never creates a record; the later of two equal keys wins.
        WriteKindTable("TestKind,零,x\nTestDoor,扉1,a\nTestDoor,扉2,b\n");
        CStageAreaObjectTable table(nullptr);
        EXPECT_FALSE(table.Add("TestKind", 0, 0));
        ASSERT_TRUE(table.Add("TestDoor", 0, 0));
        EXPECT_EQ(table.GetAt(0, 0)->GetName(), "扉2");
        EXPECT_EQ(table.GetAt(0, 0)->GetExtraText(), "b");
        // While a table lives the loaded rows stay.
        WriteKindTable(stagetest::DefaultKindTable());
        CStageAreaObjectTable second(nullptr);
        EXPECT_FALSE(second.Add("TestKind", 0, 0));
    }
    EXPECT_EQ(CStageAreaObjectTable::GetKindTable(), nullptr);
    CStageAreaObjectTable fresh(nullptr);
    EXPECT_TRUE(fresh.Add("TestKind", 0, 0));
}

TEST_F(StageObjects, KindTableFailures) {
    std::filesystem::remove(folder / "data" / "stage_objects.dat");
    EXPECT_EQ(CaughtCode([] { CStageAreaObjectTable t(nullptr); }), "IFE0100");
    EXPECT_EQ(CStageAreaObjectTable::GetLiveTableCount(), 0);
    EXPECT_EQ(CStageAreaObjectTable::GetKindTable(), nullptr);
    WriteKindTable("a,b,c,d\n");
    EXPECT_EQ(CaughtCode([] { CStageAreaObjectTable t(nullptr); }), "IFE0101");
    ASSERT_TRUE(WriteEncodedFile("data\\stage_objects.dat", "not encoded", false, false));
    EXPECT_EQ(CaughtCode([] { CStageAreaObjectTable t(nullptr); }), "IFE0101");
    WriteKindTable(stagetest::DefaultKindTable());
    {
        CStageAreaObjectTable t(nullptr);
        EXPECT_EQ(CStageAreaObjectTable::GetLiveTableCount(), 1);
    }
    EXPECT_EQ(CStageAreaObjectTable::GetLiveTableCount(), 0);
    EXPECT_EQ(CStageAreaObjectTable::GetKindTable(), nullptr);
}

// The generated data table names every kind of the factory list on a line of its own.
TEST(StageKindData, GeneratedTableCoversTheFactoryList) {
    const std::filesystem::path game = QUOR_GAME_DIR;
    if (!std::filesystem::exists(game / "data" / "stage_objects.dat")) GTEST_SKIP() << "no game folder";
    SetGameFolder(game.string());
    {
        CStageAreaObjectTable table(nullptr);
        const StageAreaObjectKindList& list = StageAreaObjectKindList::Instance();
        int kinds = 0;
        for (int i = 0; i < list.GetCount(); ++i) {
            const std::string& key = list.GetKeyAt(i);
            if (key == "TestKind" || key == "TestStart" || key == "TestLocked" || key == "TestDoor")
                continue;  // kinds added by these tests
            ++kinds;
            ASSERT_TRUE(table.Add(key, i % 200, i / 200)) << key;
            CStageAreaObject* o = table.GetAt(i % 200, i / 200);
            EXPECT_EQ(o->GetKey(), key);
            EXPECT_FALSE(o->GetName().empty()) << key;
            table.Remove(i % 200, i / 200);
        }
        EXPECT_EQ(kinds, 120);
    }
    ResetGameFolder();
}
