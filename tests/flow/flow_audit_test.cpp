// Second-pass checks of the scenario save data: what a failed load or save leaves behind.
#include "../engine/engine_test_env.h"
#include "flow/ScenarioSaveData.h"
#include "tests/common/caught_code.h"

using namespace enginetest;

namespace {

const char* kSave =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<savedata><x>5</x><y>6</y><kisuu>3</kisuu>"
    "<keynum>2</keynum><panelsstring>:</panelsstring><shownopening>1</shownopening><cleared>0</cleared></"
    "savedata>";

class SaveDataAudit : public EngineTest {
  protected:
    void TearDown() override {
        CScenarioSaveData::DeleteInstance();
        EngineTest::TearDown();
    }
    CScenarioSaveData* save() { return CScenarioSaveData::GetInstance(); }
};

TEST_F(SaveDataAudit, WhenNeitherFileCanBeReadThePreviousTreeStays) {
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save.dat", kSave));
    EXPECT_EQ(save()->GetX(), 5);
    save()->SetKisuu(9);  // unsaved
    std::filesystem::remove(dir / "data" / "scenario_save.dat");
    EXPECT_EQ(CaughtCode([&] { save()->Reload(); }), "DEF0300");
    EXPECT_TRUE(save()->HasTree());
    EXPECT_EQ(save()->GetX(), 5);
    EXPECT_EQ(save()->GetKisuu(), 9);
    EXPECT_TRUE(save()->GetShownOpening());
}

TEST_F(SaveDataAudit, AfterAFailedWriteTheNextSaveWritesTheTreeAgain) {
    ASSERT_TRUE(WriteEncodedFile("data\\scenario_save_init.dat", kSave));
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
