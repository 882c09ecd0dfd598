// The shop item table and the scenario save data.
#include "../engine/engine_test_env.h"
#include "flow/ScenarioSaveData.h"
#include "foundation/XmlNode.h"
#include "online/ShopItemTable.h"
#include "tests/common/caught_code.h"

using namespace enginetest;

namespace {

class ShopTable : public EngineTest {
  protected:
    void TearDown() override {
        CShopItemTable::DeleteInstance();
        EngineTest::TearDown();
    }
    void Shop(const std::string& text) { ASSERT_TRUE(WriteEncodedFile("data\\shop_info.dat", text)); }
};

TEST_F(ShopTable, RecordsInFileOrderSkippingBlankLines) {
    Shop(
        "Ground008,マグマの大地,マップパーツ,300,熱い大地です。,,3\n\n,skipped,x,1,y,,1\n"
        "Opening,オープニング,ミュージック,100,曲です。,Opening,0\nShort,短い,カテゴリ\n");
    CShopItemTable::GetInstance();
    ASSERT_EQ(CShopItemTable::GetCount(), 3);
    Controls::CShopItem a = CShopItemTable::GetItem(0);
    EXPECT_EQ(a.GetKey(), "Ground008");
    EXPECT_EQ(a.GetName(), "マグマの大地");
    EXPECT_EQ(a.price, 300);
    EXPECT_EQ(a.requiredLevel, 3);
    EXPECT_EQ(a.GetPreviewMusicKey(), "");
    EXPECT_EQ(CShopItemTable::GetItem(1).GetPreviewMusicKey(), "Opening");
    Controls::CShopItem s = CShopItemTable::GetItem(2);
    EXPECT_EQ(s.GetCategory(), "カテゴリ");
    EXPECT_EQ(s.GetDescription(), "");
    EXPECT_EQ(s.price, 0);
    EXPECT_EQ(s.requiredLevel, 0);
}

TEST_F(ShopTable, FiftyLinesLoadAndTheFiftyFirstFails) {
    std::string text;
    for (int i = 0; i < 50; ++i) text += "K" + std::to_string(i) + ",n,c,1,d,,0\n";
    Shop(text);
    CShopItemTable::GetInstance();
    EXPECT_EQ(CShopItemTable::GetCount(), 50);
    Shop(text.substr(0, text.size() - 1));  // without the last line end
    CShopItemTable::Reload();
    EXPECT_EQ(CShopItemTable::GetCount(), 50);
    Shop(text + "K50,n,c,1,d,,0\n");
    EXPECT_EQ(CaughtCode([] { CShopItemTable::Reload(); }), "IFE0601");
    EXPECT_EQ(CShopItemTable::GetCount(), 0);
}

TEST_F(ShopTable, EightFieldsOrAMissingFileFail) {
    EXPECT_EQ(CaughtCode([] { CShopItemTable::GetInstance(); }), "IFE0600");
    Shop("a,b,c,1,d,e,2,f\n");
    EXPECT_EQ(CaughtCode([] { CShopItemTable::GetInstance(); }), "IFE0601");
    EXPECT_EQ(CShopItemTable::GetCount(), 0);
}

// ---- Scenario save data ----

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

TEST_F(SaveData, MissingElementsReadAsZeroAndAreNeverCreated) {
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save_init.dat",
                                 "<savedata><x>2</x><shownopening>true</shownopening></savedata>"));
    EXPECT_EQ(save()->GetKeyNum(), 0);
    EXPECT_FALSE(save()->GetShownOpening());  // only "1" is true
    save()->SetKeyNum(5);
    EXPECT_EQ(save()->GetKeyNum(), 0);
    save()->Save();
    std::string text;
    ReadEncodedFile("data\\scenario_save.dat", text);
    EXPECT_EQ(text.find("keynum"), std::string::npos);
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

TEST_F(ShopTable, AFileThatIsNotEncodedIsMalformed) {
    WriteRaw("data/shop_info.dat", "Ground008,plain,text,1,d,,0\n");
    EXPECT_EQ(CaughtCode([] { CShopItemTable::GetInstance(); }), "IFE0601");
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
