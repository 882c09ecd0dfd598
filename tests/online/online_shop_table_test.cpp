// The shop item table: read whole, in file order, within its 50 lines of 7 fields; and the
// table the game ships, which sells every item the editor keeps behind the shop.
#include <filesystem>
#include <set>

#include "engine/Music.h"
#include "online/ShopItemButton.h"
#include "online/ShopSceneRootForm.h"
#include "shop_env.h"
#include "tests/common/caught_code.h"

namespace {

class ShopTable : public enginetest::EngineTest {
  protected:
    void TearDown() override {
        CShopItemTable::DeleteInstance();
        EngineTest::TearDown();
    }
    void Shop(const std::string& text) { ASSERT_TRUE(WriteEncodedFile("data\\shop_info.dat", text)); }
};

TEST_F(ShopTable, RecordsInFileOrderSkippingBlankAndCommaFirstLinesWhereverTheyStand) {
    Shop(
        "\n,first,x,1,y,,1\nGround008,マグマの大地,マップパーツ,300,熱い大地です。,,3\n\n,skipped,x,1,y,,1\n"
        "Opening,オープニング,ミュージック,100,曲です。,Opening,0\nShort,短い,カテゴリ\n,\n");
    CShopItemTable::GetInstance();
    ASSERT_EQ(CShopItemTable::GetCount(), 3);
    Controls::CShopItem a = CShopItemTable::GetItem(0);
    EXPECT_EQ(a.GetKey(), "Ground008");
    EXPECT_EQ(a.GetName(), "マグマの大地");
    EXPECT_EQ(a.GetCategory(), "マップパーツ");
    EXPECT_EQ(a.price, 300);
    EXPECT_EQ(a.GetDescription(), "熱い大地です。");
    EXPECT_EQ(a.requiredLevel, 3);
    EXPECT_EQ(a.GetPreviewMusicKey(), "");
    EXPECT_EQ(CShopItemTable::GetItem(1).GetPreviewMusicKey(), "Opening");
    // Three fields: the rest empty, price and level 0.
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
    EXPECT_EQ(CShopItemTable::GetItem(49).GetKey(), "K49");
    Shop(text.substr(0, text.size() - 1));  // without the last line end
    CShopItemTable::Reload();
    EXPECT_EQ(CShopItemTable::GetCount(), 50);
    // A 51st line, even an empty one between two line ends, is one too many.
    for (const std::string& extra : {std::string("K50,n,c,1,d,,0\n"), std::string("\n\n")}) {
        Shop(text + extra);
        EXPECT_EQ(CaughtCode([] { CShopItemTable::Reload(); }), "IFE0601");
        EXPECT_EQ(CShopItemTable::GetCount(), 0);
    }
}

TEST_F(ShopTable, EightFieldsOrAMissingFileFail) {
    EXPECT_EQ(CaughtCode([] { CShopItemTable::GetInstance(); }), "IFE0600");
    Shop("a,b,c,1,d,e,2\na,b,c,1,d,e,2,f\n");
    EXPECT_EQ(CaughtCode([] { CShopItemTable::GetInstance(); }), "IFE0601");
    EXPECT_EQ(CShopItemTable::GetCount(), 0);
}

TEST_F(ShopTable, AFileThatIsNotEncodedIsMalformedAndAnEmptyOneHasNoItems) {
    WriteRaw("data/shop_info.dat", "Ground008,plain,text,1,d,,0\n");
    EXPECT_EQ(CaughtCode([] { CShopItemTable::GetInstance(); }), "IFE0601");
    Shop("");
    CShopItemTable::GetInstance();
    EXPECT_EQ(CShopItemTable::GetCount(), 0);
}

TEST_F(ShopTable, ALongTableIsReadWholeNotCutAtTheSplittersOldBuffer) {
    // 50 lines of about 400 characters: far more than 16384 characters in all.
    const std::string description(380, 'x');
    std::string text;
    for (int i = 0; i < 50; ++i) text += "K" + std::to_string(i) + ",n,c,1," + description + ",,0\n";
    ASSERT_GT(text.size(), 16384u);
    Shop(text);
    CShopItemTable::GetInstance();
    ASSERT_EQ(CShopItemTable::GetCount(), 50);
    EXPECT_EQ(CShopItemTable::GetItem(49).GetDescription(), description);
}

// Every name the editor's pallets and pickers ask the bought items about.
const std::set<std::string> kGateNames = {
    // map chips
    "Ground008", "RoundBlock002", "Needle002",
    // characters
    "TonFar001", "Chop002", "Gun002", "Magician001", "SkyMobile001", "BarMan001", "BarMan002", "BarMan003",
    "BarMan004", "BarMan005", "DevilBar001",
    // objects
    "EnemyZeroDoor001", "Warp001", "InvisibleWarp001", "Oto001", "CustomLift001", "Switch004",
    // events
    "ChangeMusic", "ChangeWeather", "ChangeZoom",
    // music
    "Stage008", "Boss001", "Boss002", "Opening", "TopMenu", "SelectStage", "Editor", "Download", "Evaluation",
    "Ending",
    // backgrounds
    "BlackBackGround", "GrassSpring", "GrassAutumn", "AnotherWorld",
    // weathers
    "Spring", "Autumn", "Bomb", "Fish"};

TEST_F(ShopTable, TheShippedTableSellsEveryGatedItemOnceWithAPictureInAGridThatFits) {
    ASSERT_EQ(kGateNames.size(), 41u);
    std::filesystem::copy_file(testsupport::BuiltGameFolder() / "data" / "shop_info.dat",
                               dir / "data" / "shop_info.dat");
    CShopItemTable::GetInstance();
    const int count = CShopItemTable::GetCount();
    EXPECT_LE(count, Controls::CShopSceneRootForm::kGridColumns * Controls::CShopSceneRootForm::kGridRows);
    std::set<std::string> keys;
    int previousLevel = 1;
    for (int i = 0; i < count; ++i) {
        const Controls::CShopItem item = CShopItemTable::GetItem(i);
        SCOPED_TRACE(item.key);
        EXPECT_TRUE(keys.insert(item.key).second) << "sold twice";
        EXPECT_FALSE(item.name.empty());
        EXPECT_FALSE(item.category.empty());
        EXPECT_FALSE(item.description.empty());
        EXPECT_GT(item.price, 0);
        // The grid climbs: no item needs a lower level than the one before it.
        EXPECT_GE(item.requiredLevel, previousLevel);
        previousLevel = item.requiredLevel;
        const Controls::ImageClip picture = Controls::GetShopItemImage(item.key);
        const Controls::ImageClip locked = Controls::GetLockedShopItemImage();
        EXPECT_FALSE(picture.key == locked.key && picture.left == locked.left && picture.top == locked.top);
        // Music, and only music, can be listened to, and plays itself.
        const bool isMusic = MusicIdFromKey(item.key) != MusicId::kNone;
        EXPECT_EQ(item.previewMusicKey, isMusic ? item.key : "");
    }
    EXPECT_EQ(keys, kGateNames);
    // A new creator's 50 points buy something at level 1, and the last item waits far above.
    EXPECT_EQ(CShopItemTable::GetItem(0).requiredLevel, 1);
    EXPECT_LE(CShopItemTable::GetItem(0).price, 50);
    EXPECT_GE(CShopItemTable::GetItem(count - 1).requiredLevel, 30);
}

}  // namespace
