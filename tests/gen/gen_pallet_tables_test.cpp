// The pallets' text tables and shop gates as the game ships them: both tables go through the one
// key-text reader within its 1024 lines and hold a name and a description for exactly the keys the
// pallets offer (172 rows); every item a pallet or a picker of the editor keeps behind the shop
// (41 of them) can be bought in the shop; and the pallets and the stage model agree on which
// parts are shop parts.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <span>
#include <string>
#include <tuple>
#include <vector>

#include "editor_windows/ArtifactualMapChipPalletWindow.h"
#include "editor_windows/CharacterPalletWindow.h"
#include "editor_windows/EventPalletWindow.h"
#include "editor_windows/ItemPalletWindow.h"
#include "editor_windows/NaturalMapChipPalletWindow.h"
#include "editor_windows/ObjectPalletWindow.h"
#include "editor_windows/TrapPalletWindow.h"
#include "engine/Music.h"
#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/TextConvert.h"
#include "stage/KeyTextTable.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageCatalogues.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"
#include "tests/common/temp_folder.h"

using namespace Controls;

namespace {

namespace fs = std::filesystem;

const KeyTextTableErrors kErrors = {"IFE0200", "cannot open", "IFE0201", "invalid"};

std::vector<std::span<const PalletEntry>> ChipTables() {
    return {CNaturalMapChipPalletWindow::Entries(), CArtifactualMapChipPalletWindow::Entries()};
}
std::vector<std::span<const PalletEntry>> ObjectTables() {
    return {CCharacterPalletWindow::Entries(), CObjectPalletWindow::Entries(), CTrapPalletWindow::Entries(),
            CEventPalletWindow::Entries(), CItemPalletWindow::Entries()};
}
std::set<std::string> KeysOf(const std::vector<std::span<const PalletEntry>>& tables) {
    std::set<std::string> keys;
    for (auto table : tables)
        for (const PalletEntry& e : table) keys.insert(e.key);
    return keys;
}

// Every item the editor keeps behind the shop: the pallets' gates, the music pieces, the
// backgrounds and the weathers the pickers offer only once bought.
std::set<std::string> EditorShopItems() {
    std::set<std::string> items;
    for (const auto& tables : {ChipTables(), ObjectTables()})
        for (auto table : tables)
            for (const PalletEntry& e : table)
                if (e.gate) items.insert(e.gate);
    for (int id = 0; id < 19; ++id)
        if (IsMusicShopItem(id)) items.insert(MusicKey(id));
    for (int id = 0; id < kBackGroundCount; ++id)
        if (IsBackGroundShopItem(id)) items.insert(BackGroundKey(id));
    for (int id = 0; id < kWeatherCount; ++id)
        if (IsWeatherShopItem(id)) items.insert(WeatherKey(id));
    return items;
}

class PalletTables : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(fs::path(QUOR_GAME_DIR) / "data/stage_objects.dat"))
            GTEST_SKIP() << "the game is not built";
        game.MakeDir("data");
        for (const char* table : {"stage_objects.dat", "mapchip_info.dat", "shop_info.dat"})
            fs::copy_file(fs::path(QUOR_GAME_DIR) / "data" / table, game.Full("data") / table);
    }
    void TearDown() override { CClientInfo::DeleteInstance(); }
    void Buy(const std::string& items) {
        game.WriteEncoded("network/client_info.dat", "<clientInfo><network></network><boughtItems>" + items +
                                                         "</boughtItems></clientInfo>");
        CClientInfo::DeleteInstance();
    }
    testsupport::TempGameFolder game{"quor-pallet-tables"};
};

TEST_F(PalletTables, BothTablesHoldARowForEveryEntryAndNoMore) {
    for (const auto& [file, keys, rows] :
         {std::tuple{"data\\mapchip_info.dat", KeysOf(ChipTables()), 52},
          std::tuple{"data\\stage_objects.dat", KeysOf(ObjectTables()), 120}}) {
        CKeyTextTable table;
        ASSERT_NO_THROW(table.Load(file, kErrors)) << file;  // within 1024 lines of three fields
        EXPECT_EQ(table.GetRowCount(), rows) << file;
        EXPECT_EQ(static_cast<int>(keys.size()), rows) << file;
        for (const std::string& key : keys) {
            const KeyTextRow* row = table.Find(key);
            ASSERT_NE(row, nullptr) << key;
            EXPECT_FALSE(row->name.empty()) << key;
            EXPECT_FALSE(row->description.empty()) << key;
        }
    }
}

TEST_F(PalletTables, EveryShopItemOfTheEditorIsSoldInTheShop) {
    const std::set<std::string> items = EditorShopItems();
    EXPECT_EQ(items.size(), 41u);
    std::string text;
    ASSERT_EQ(ReadEncodedFile("data\\shop_info.dat", text), ReadStatus::Ok);
    std::set<std::string> sold;
    for (const std::string& line : SplitString(text, '\n'))
        if (!line.empty()) sold.insert(line.substr(0, line.find(',')));
    for (const std::string& item : items) EXPECT_TRUE(sold.count(item)) << item << " is not in the shop";
}

TEST_F(PalletTables, PalletsAndTheStageModelAgreeOnShopParts) {
    Buy("");
    CStageAreaObjectTable objects(nullptr);
    std::string all;
    for (auto table : ObjectTables())
        for (const PalletEntry& e : table) {
            objects.Clear();
            ASSERT_TRUE(objects.Add(e.key, 2, 2)) << e.key;
            EXPECT_EQ(objects.GetAt(2, 2)->IsLocked(), e.gate != nullptr) << e.key;
            if (e.gate) all += std::string(all.empty() ? "" : ",") + e.gate;
        }
    for (auto table : ChipTables())
        for (const PalletEntry& e : table) {
            auto map = CStageMap::Create(AreaClass_OneRoom);
            map->SetChip(3, 3, static_cast<uint8_t>(e.id));
            EXPECT_EQ(map->UsesUnboughtChips(), e.gate != nullptr) << e.key;
            if (e.gate) all += std::string(",") + e.gate;
        }
    Buy(all);
    for (auto table : ObjectTables())
        for (const PalletEntry& e : table) {
            objects.Clear();
            ASSERT_TRUE(objects.Add(e.key, 2, 2));
            EXPECT_FALSE(objects.GetAt(2, 2)->IsLocked()) << e.key;
        }
}

}  // namespace
