// Kinds inside whole stages: shop locks and the unbought-parts check, and a stage holding every
// kind once that is written, read back and written again unchanged.
#include <map>
#include <set>
#include <typeinfo>

#include "engine/Music.h"

#include "foundation/QuorException.h"
#include "kinds_env.h"
#include "stage/Stage.h"
#include "stage/StageMap.h"

namespace {

using kindstest::KindsTest;

// The shop item that each locked kind asks about (fresh records: no music or weather chosen).
const std::map<std::string, std::string>& ShopItems() {
    static const std::map<std::string, std::string> items = {
        {"Chop002", "Chop002"},
        {"Gun002", "Gun002"},
        {"TonFar001", "TonFar001"},
        {"Oto001", "Oto001"},
        {"SkyMobile001", "SkyMobile001"},
        {"Magician001", "Magician001"},
        {"BarMan001", "BarMan001"},
        {"BarMan002", "BarMan002"},
        {"BarMan003", "BarMan003"},
        {"BarMan004", "BarMan004"},
        {"BarMan005", "BarMan005"},
        {"DevilBar001", "DevilBar001"},
        {"EnemyZeroDoor001", "EnemyZeroDoor001"},
        {"Warp001", "Warp001"},
        {"InvisibleWarp001", "InvisibleWarp001"},
        {"CustomLift001", "CustomLift001"},
        {"Switch004", "Switch004"},
        {"ChangeMusicToLeft", "ChangeMusic"},
        {"ChangeMusicToRight", "ChangeMusic"},
        {"ChangeMusicToUp", "ChangeMusic"},
        {"ChangeMusicToDown", "ChangeMusic"},
        {"ChangeWeatherToLeft", "ChangeWeather"},
        {"ChangeWeatherToRight", "ChangeWeather"},
        {"ChangeWeatherToUp", "ChangeWeather"},
        {"ChangeWeatherToDown", "ChangeWeather"},
        {"ChangeZoomToLeft", "ChangeZoom"},
        {"ChangeZoomToRight", "ChangeZoom"},
        {"ChangeZoomToUp", "ChangeZoom"},
        {"ChangeZoomToDown", "ChangeZoom"},
    };
    return items;
}

std::string AllShopItems() {
    std::set<std::string> unique;
    for (const auto& [key, item] : ShopItems()) unique.insert(item);
    std::string list;
    for (const std::string& item : unique) list += (list.empty() ? "" : ",") + item;
    return list;
}

TEST_F(KindsTest, ShopKindsAreLockedUntilBought) {
    for (const std::string& key : kindstest::AllKindKeys()) {
        table->Clear();
        CStageAreaObject* object = Place(key, 2, 2);
        ASSERT_NE(object, nullptr) << key;
        EXPECT_EQ(object->IsLocked(), ShopItems().count(key) == 1) << key;
    }
    SetBoughtItems(AllShopItems());
    for (const std::string& key : kindstest::AllKindKeys()) {
        table->Clear();
        EXPECT_FALSE(Place(key, 2, 2)->IsLocked()) << key;
    }
}

TEST_F(KindsTest, EachLockAsksItsOwnItem) {
    for (const auto& [key, item] : ShopItems()) {
        SetBoughtItems(item);
        table->Clear();
        EXPECT_FALSE(Place(key, 2, 2)->IsLocked()) << key;
    }
    // Chop001 needs nothing; Chop002 is not unlocked by another kind's item.
    SetBoughtItems("Gun002,Chop001");
    table->Clear();
    EXPECT_FALSE(Place("Chop001", 1, 1)->IsLocked());
    EXPECT_TRUE(Place("Chop002", 2, 1)->IsLocked());
}

TEST_F(KindsTest, PurchaseUnlocksWithoutReload) {
    CStageAreaObject* oto = Place("Oto001", 1, 1);
    EXPECT_TRUE(oto->IsLocked());
    EXPECT_TRUE(table->HasLockedObject());
    CClientInfo::GetInstance()->AddBoughtItem("Oto001");
    EXPECT_FALSE(oto->IsLocked());
    EXPECT_FALSE(table->HasLockedObject());
}

TEST_F(KindsTest, MusicEventsAlsoNeedTheirMusic) {
    const std::map<int, std::string> shopMusic = {
        {1, "Opening"},    {2, "TopMenu"},   {3, "SelectStage"}, {4, "Editor"},   {5, "Download"},
        {6, "Evaluation"}, {14, "Stage008"}, {16, "Boss001"},    {17, "Boss002"}, {18, "Ending"}};
    for (int id = 0; id < 19; ++id) {
        SCOPED_TRACE(id);
        const std::string key = MusicKey(id);
        table->Clear();
        SetBoughtItems("ChangeMusic");
        CStageAreaObject* event = Place("ChangeMusicToRight", 3, 4, 0, 0, 0, 0, key);
        auto it = shopMusic.find(id);
        EXPECT_EQ(event->IsLocked(), it != shopMusic.end());
        if (it != shopMusic.end()) {
            EXPECT_EQ(it->second, key);
            SetBoughtItems(key);  // the music alone is not enough
            EXPECT_TRUE(event->IsLocked());
            SetBoughtItems("ChangeMusic," + key);
            EXPECT_FALSE(event->IsLocked());
        }
    }
}

TEST_F(KindsTest, WeatherEventsAlsoNeedTheirWeather) {
    const std::map<std::string, bool> weathers = {{"NoWeather", false}, {"Rain", false},     {"Snow", false},
                                                  {"WindRight", false}, {"WindLeft", false}, {"Spring", true},
                                                  {"Autumn", true},     {"Rock", false},     {"Bomb", true},
                                                  {"Fish", true},       {"fish", false}};
    for (const auto& [weather, shop] : weathers) {
        SCOPED_TRACE(weather);
        table->Clear();
        SetBoughtItems("ChangeWeather");
        CStageAreaObject* event = Place("ChangeWeatherToDown", 3, 4, 0, 0, 0, 0, weather);
        EXPECT_EQ(event->IsLocked(), shop);
        SetBoughtItems("ChangeWeather," + weather);
        EXPECT_FALSE(event->IsLocked());
        SetBoughtItems(weather);
        EXPECT_TRUE(event->IsLocked());
    }
}

// ---- Whole stages ------------------------------------------------------------------------------

class KindsStageTest : public KindsTest {
  protected:
    // A stage of one 120 x 45 area.
    std::unique_ptr<CStage> MakeStage() {
        auto stage = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
        stage->name = "全種類";
        stage->AppendArea(std::make_unique<CStageArea>(stage.get(), CStageMap::Create(7),
                                                       std::make_unique<CStageAreaObjectTable>(stage.get()),
                                                       "エリア", 7, 1, 0, 0));
        stage->maxAbsoluteAreaNum = 0;
        return stage;
    }
};

TEST_F(KindsStageTest, UnboughtKindFailsTheStageReader) {
    std::unique_ptr<CStage> stage = MakeStage();
    ASSERT_TRUE(stage->GetArea(0)->GetObjects()->Add("Oto001", 3, 3));
    const std::string text = stage->WriteXml();
    std::unique_ptr<CStage> play = CStage::ReadXml(nullptr, text, 0);  // playing does not check
    EXPECT_TRUE(play->UsesUnboughtParts());
    try {
        std::unique_ptr<CStage> edit = CStage::ReadXml(nullptr, text, 1);
        FAIL() << "read a stage with an unbought kind";
    } catch (const CStageDataException& e) {
        EXPECT_EQ(e.GetCode(), "SDE0010");
    }
    SetBoughtItems("Oto001");
    std::unique_ptr<CStage> bought = CStage::ReadXml(nullptr, text, 1);
    EXPECT_FALSE(bought->UsesUnboughtParts());
}

TEST_F(KindsStageTest, EveryKindOnceReadsBackEqual) {
    SetBoughtItems(AllShopItems() + ",Boss001,Fish");
    std::unique_ptr<CStage> stage = MakeStage();
    CStageAreaObjectTable* objects = stage->GetArea(0)->GetObjects();
    int i = 0;
    for (const std::string& key : kindstest::AllKindKeys()) {
        // Spread over the area; every fourth record keeps the short form.
        const int x = 2 + (i % 40) * 3, y = 3 + (i / 40) * 12;
        std::string text;
        if (key.rfind("ChangeMusic", 0) == 0) text = "Boss001";
        if (key.rfind("ChangeWeather", 0) == 0) text = "Fish";
        if (key == "CustomLift001") text = "BBBJAAAKI";
        if (key == "WoodBlock002") text = "1UP001";
        const double a1 = (i % 4 == 0) ? 0.0 : (i % 3) + 0.25 * (i % 2);
        const double a2 = (i % 4 == 0) ? 0.0 : -1.5;
        ASSERT_TRUE(objects->Add(key, x, y, a1, a2, i % 4 == 0 ? 0.0 : 3.0, 0.0, text)) << key;
        ++i;
    }
    ASSERT_EQ(objects->GetCount(), 120);

    const std::string written = stage->WriteXml();
    std::unique_ptr<CStage> read = CStage::ReadXml(nullptr, written, 1);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->WriteXml(), written);

    CStageAreaObjectTable* back = read->GetArea(0)->GetObjects();
    ASSERT_EQ(back->GetCount(), 120);
    for (int id = 1; id <= 120; ++id) {
        CStageAreaObject* a = objects->GetById(id);
        CStageAreaObject* b = back->GetById(id);
        ASSERT_TRUE(a && b) << id;
        SCOPED_TRACE(a->GetKey());
        EXPECT_EQ(b->GetKey(), a->GetKey());
        EXPECT_EQ(b->GetTileX(), a->GetTileX());
        EXPECT_EQ(b->GetTileY(), a->GetTileY());
        EXPECT_EQ(b->GetAttribute1(), a->GetAttribute1());
        EXPECT_EQ(b->GetAttribute2(), a->GetAttribute2());
        EXPECT_EQ(b->GetAttribute3(), a->GetAttribute3());
        EXPECT_EQ(b->GetText(), a->GetText());
        EXPECT_EQ(b->GetInfoText(), a->GetInfoText());
        EXPECT_EQ(b->IsLocked(), false);
        EXPECT_EQ(typeid(*b), typeid(*a));
    }
}

}  // namespace
