// The scenario save data.
#include "../engine/engine_test_env.h"
#include "flow/ScenarioSaveData.h"
#include "foundation/XmlNode.h"
#include "tests/common/caught_code.h"

using namespace enginetest;

namespace {

const char* kInitSave =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<savedata>\n  <x>1</x>\n  <y>10</y>\n  "
    "<kisuu>4</kisuu>\n"
    "  <keynum>0</keynum>\n  <panelsstring>1::2:</panelsstring>\n  <shownopening>0</shownopening>\n"
    "  <cleared>0</cleared>\n</savedata>\n";

class SaveData : public EngineTest {
  protected:
    void TearDown() override {
        CScenarioSaveData::DeleteInstance();
        EngineTest::TearDown();
    }
    CScenarioSaveData* save() { return CScenarioSaveData::GetInstance(); }
};

TEST_F(SaveData, FirstStartReadsTheInitFileAndTheFirstSaveWritesTheSameElements) {
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save_init.dat", kInitSave));
    EXPECT_EQ(save()->GetX(), 1);
    EXPECT_EQ(save()->GetY(), 10);
    EXPECT_EQ(save()->GetKisuu(), 4);
    EXPECT_EQ(save()->GetPanelsString(), "1::2:");
    EXPECT_FALSE(save()->GetShownOpening());
    save()->SetPosition(3, 4);
    save()->SetShownOpening(true);
    save()->Save();
    std::string text;
    ASSERT_EQ(ReadEncodedFile("data\\scenario_save.dat", text), ReadStatus::Ok);
    EXPECT_EQ(text, GetXmlHeader() +
                        "<savedata><x>3</x><y>4</y><kisuu>4</kisuu><keynum>0</keynum>"
                        "<panelsstring>1::2:</panelsstring><shownopening>1</shownopening><cleared>0</cleared>"
                        "</savedata>");
    // The save file is preferred from now on; a reload loses unsaved changes.
    save()->SetKisuu(9);
    save()->Reload();
    EXPECT_EQ(save()->GetKisuu(), 4);
    EXPECT_EQ(save()->GetX(), 3);
}

TEST_F(SaveData, MissingElementsReadAsZeroAndAreAddedSoThatWritesAreKept) {
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save_init.dat",
                                 "<savedata><x>2</x><shownopening>true</shownopening></savedata>"));
    EXPECT_EQ(save()->GetKeyNum(), 0);
    EXPECT_FALSE(save()->GetShownOpening());  // only "1" is true
    save()->SetKeyNum(5);
    EXPECT_EQ(save()->GetKeyNum(), 5);
    save()->Save();
    save()->Load();
    EXPECT_EQ(save()->GetKeyNum(), 5);
    EXPECT_EQ(save()->GetX(), 2);
}

TEST_F(SaveData, Failures) {
    EXPECT_EQ(CaughtCode([&] { save(); }), "DEF0300");
    ASSERT_TRUE(CScenarioSaveData::HasInstance());
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save_init.dat", "<savedata><x>1</savedata>"));
    EXPECT_EQ(CaughtCode([&] { save()->Load(); }), "DEF0301");
    EXPECT_FALSE(save()->HasTree());
    EXPECT_EQ(save()->GetX(), 0);
    save()->SetKisuu(3);  // nothing without a tree
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save_init.dat", kInitSave));
    save()->Load();
    // A save that cannot be written leaves the tree as it was.
    std::filesystem::create_directories(dir / "data" / "scenario_save.dat" / "blocked");
    save()->SetKisuu(7);
    EXPECT_EQ(CaughtCode([&] { save()->Save(); }), "DEF0302");
    EXPECT_EQ(save()->GetKisuu(), 7);
}

TEST_F(SaveData, ADamagedSaveFileIsReportedNotReplacedByTheDefaults) {
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save_init.dat", kInitSave));
    WriteRaw("data/scenario_save.dat", "this is not an encoded text");
    EXPECT_EQ(CaughtCode([&] { save(); }), "DEF0301");
    EXPECT_FALSE(save()->HasTree());
}

TEST_F(SaveData, AFileWithoutItsSaveDataElementIsMalformedNotAnEmptySave) {
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save_init.dat", kInitSave));
    // Cut short after the header, or holding some other document: never a save without
    // progress that the next save would write over the player's.
    for (const char* text : {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n", "", "<x>3</x><y>4</y>"}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(WriteEncodedFile("data\\scenario_save.dat", text));
        EXPECT_EQ(CaughtCode([&] { save()->Load(); }), "DEF0301");
        EXPECT_FALSE(save()->HasTree());
    }
    // The same for the initial file when there is no save yet.
    std::filesystem::remove(dir / "data" / "scenario_save.dat");
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save_init.dat", "<other><x>1</x></other>"));
    EXPECT_EQ(CaughtCode([&] { save()->Load(); }), "DEF0301");
    EXPECT_FALSE(save()->HasTree());
}

// A save as the game writes it after some play.
const char* kSavedGame =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<savedata><x>5</x><y>6</y><kisuu>3</kisuu>"
    "<keynum>2</keynum><panelsstring>:</panelsstring><shownopening>1</shownopening><cleared>0</cleared></"
    "savedata>";

TEST_F(SaveData, WhenNeitherFileCanBeReadThePreviousTreeStays) {
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save.dat", kSavedGame));
    EXPECT_EQ(save()->GetX(), 5);
    save()->SetKisuu(9);  // unsaved
    std::filesystem::remove(dir / "data" / "scenario_save.dat");
    EXPECT_EQ(CaughtCode([&] { save()->Reload(); }), "DEF0300");
    EXPECT_TRUE(save()->HasTree());
    EXPECT_EQ(save()->GetX(), 5);
    EXPECT_EQ(save()->GetKisuu(), 9);
    EXPECT_TRUE(save()->GetShownOpening());
}

TEST_F(SaveData, AfterAFailedWriteTheNextSaveWritesTheTreeAgain) {
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save_init.dat", kSavedGame));
    save()->SetKeyNum(4);
    const auto blocked = dir / "data" / "scenario_save.dat";
    std::filesystem::create_directories(blocked / "in-the-way");
    EXPECT_EQ(CaughtCode([&] { save()->Save(); }), "DEF0302");
    std::filesystem::remove_all(blocked);
    save()->Save();
    std::string text;
    ASSERT_EQ(ReadEncodedFile("data\\scenario_save.dat", text), ReadStatus::Ok);
    EXPECT_NE(text.find("<keynum>4</keynum>"), std::string::npos);
    // The init file is only read, never written.
    std::string init;
    ASSERT_EQ(ReadEncodedFile("data\\scenario_save_init.dat", init), ReadStatus::Ok);
    EXPECT_NE(init.find("<keynum>2</keynum>"), std::string::npos);
}

}  // namespace
