// The seven pallets: what each offers as the player's purchases grow, the place every entry
// takes, what a choice or a close yields, the chip sheets' cells, and the failures of the text
// tables, each from a real bad file.
#include <algorithm>
#include <filesystem>
#include <functional>

#include "pallet_env.h"
#include "tests/common/caught_code.h"

using namespace Controls;
using pallettest::PalletTest;

namespace {

using Pallets = PalletTest;

TEST_F(Pallets, CountsFollowWhatIsBought) {
    struct Count {
        const char* what;
        std::function<std::unique_ptr<CPalletWindowBase>()> make;
        int nothing, everything;
    };
    const std::vector<Count> counts = {
        {"natural", [] { return std::make_unique<CNaturalMapChipPalletWindow>(128, 32); }, 24, 25},
        {"artificial", [] { return std::make_unique<CArtifactualMapChipPalletWindow>(128, 32); }, 24, 27},
        {"characters", [] { return std::make_unique<CCharacterPalletWindow>(128, 32, false); }, 31, 42},
        {"characters+test", [] { return std::make_unique<CCharacterPalletWindow>(128, 32, true); }, 33, 44},
        {"objects", [] { return std::make_unique<CObjectPalletWindow>(128, 32); }, 34, 40},
        {"traps", [] { return std::make_unique<CTrapPalletWindow>(128, 32); }, 14, 14},
        {"events", [] { return std::make_unique<CEventPalletWindow>(128, 32); }, 0, 12},
        {"items", [] { return std::make_unique<CItemPalletWindow>(128, 32); }, 10, 10},
        {"block items", [] { return std::make_unique<CItemPalletWindow>(100, 100, 2, 5, 7); }, 9, 9},
    };
    for (const Count& c : counts) {
        Buy({});
        EXPECT_EQ(c.make()->GetItemCount(), c.nothing) << c.what;
        BuyAll();
        EXPECT_EQ(c.make()->GetItemCount(), c.everything) << c.what;
    }
    // The event pallet's three runs open four entries each.
    Buy({"ChangeWeather"});
    EXPECT_EQ(CEventPalletWindow(128, 32).GetItemCount(), 4);
    Buy({"ChangeWeather", "ChangeZoom"});
    EXPECT_EQ(CEventPalletWindow(128, 32).GetItemCount(), 8);
}

TEST_F(Pallets, EntriesAfterAnUnboughtOneMoveUp) {
    CNaturalMapChipPalletWindow natural(128, 32);
    EXPECT_EQ(natural.GetItemKeyAt(8), "ThroughPanel006");
    EXPECT_EQ(natural.GetItemId(8), 29);
    CArtifactualMapChipPalletWindow artificial(128, 32);
    const std::vector<std::string> chips = Keys(artificial);
    const auto round = std::find(chips.begin(), chips.end(), "RoundBlock001_R");
    ASSERT_NE(round, chips.end());
    EXPECT_EQ(*(round + 1), "RedBlock001");
    EXPECT_EQ(artificial.GetItemKeyAt(23), "Fence001");

    Buy({"Oto001", "BarMan003", "ChangeZoom", "ChangeMusic"});
    CObjectPalletWindow objects(128, 32);
    EXPECT_EQ(objects.GetItemKeyAt(7), "KeyDoor001");
    EXPECT_EQ(objects.GetItemKeyAt(8), "Oto001");  // in the second row, after the key door
    CCharacterPalletWindow characters(128, 32, true);
    EXPECT_EQ(characters.GetItemKeyAt(30), "Pukka001");
    EXPECT_EQ(characters.GetItemKeyAt(31), "BarMan003");
    EXPECT_EQ(characters.GetItemKeyAt(32), "TestBoss001");
    EXPECT_EQ(characters.GetItemCount(), 34);
    CEventPalletWindow events(128, 32);
    EXPECT_EQ(Keys(events),
              (std::vector<std::string>{"ChangeMusicToLeft", "ChangeMusicToRight", "ChangeMusicToUp",
                                        "ChangeMusicToDown", "ChangeZoomToLeft", "ChangeZoomToRight",
                                        "ChangeZoomToUp", "ChangeZoomToDown"}));
}

TEST_F(Pallets, EverythingBoughtFillsTheLastRowsAsDesigned) {
    BuyAll();
    CNaturalMapChipPalletWindow natural(128, 32);
    EXPECT_EQ(natural.GetItemKeyAt(8), "Ground008");  // last of the grounds
    EXPECT_EQ(natural.GetItemKeyAt(4), "Ground006");  // before Ground005
    EXPECT_EQ(natural.GetPanel()->GetItemCount(), 5);
    CObjectPalletWindow objects(128, 32);
    EXPECT_EQ(objects.GetPanel()->GetItemCount(), 7);
    const std::vector<std::string> keys = Keys(objects);
    EXPECT_EQ(std::vector<std::string>(keys.end() - 4, keys.end()),
              (std::vector<std::string>{"WoodBlock002", "WoodBlock003", "StoneBlock003", "StoneBlock004"}));
    CCharacterPalletWindow characters(128, 32, true);
    EXPECT_EQ(characters.GetPanel()->GetItemCount(), 8);
    EXPECT_EQ(characters.GetItemKeyAt(42), "TestBoss001");
    EXPECT_EQ(characters.GetItemKeyAt(43), "TestBoss002");
}

// Every chip entry shows the cell of its own chip number (the grounds the cell right of it) on
// the sheet that holds that chip, and yields that number.
TEST_F(Pallets, EveryChipEntryShowsItsOwnChipsCell) {
    for (auto table : {CNaturalMapChipPalletWindow::Entries(), CArtifactualMapChipPalletWindow::Entries()}) {
        for (const PalletEntry& e : table) {
            const std::string key = e.key;
            ASSERT_GE(e.id, 5) << key;
            ASSERT_LE(e.id, 238) << key;
            const bool ground = key.starts_with("Ground");
            const int cell = e.id + (ground ? 1 : 0);
            EXPECT_EQ(e.picture.group, "Map");
            EXPECT_EQ(e.picture.key, "ChipSet00" + std::to_string(e.id / 64 + 1)) << key;
            EXPECT_EQ(e.picture.left, 32 * (cell % 8)) << key;
            EXPECT_EQ(e.picture.top, 32 * ((cell % 64) / 8)) << key;
            EXPECT_EQ(e.picture.right - e.picture.left, 32) << key;
            EXPECT_EQ(e.picture.bottom - e.picture.top, 32) << key;
            if (ground) {
                EXPECT_EQ(e.id % 16, 0) << key;
            }
            if (key != "Block001" && key != "Block002") {
                EXPECT_EQ(e.preview.key, e.picture.key) << key;
                EXPECT_EQ(e.preview.left, e.picture.left) << key;
                EXPECT_EQ(e.preview.top, e.picture.top) << key;
            }
        }
    }
}

TEST_F(Pallets, ChoosingYieldsTheChipOrTheKindAndClosingNothing) {
    BuyAll();
    auto& natural = Open(std::make_unique<CNaturalMapChipPalletWindow>(128, 32));
    Click(root, EntryX(natural, 0), EntryY(natural, 0));
    EXPECT_EQ(natural.GetState(), kStateClosed);
    EXPECT_EQ(natural.GetSelectedItemId(), 64);
    EXPECT_EQ(natural.GetSelectedItemKey(), "");
    const Controls::ImageClip ground = natural.GetSelectedImageClip();
    EXPECT_EQ(ground.key, "ChipSet002");
    EXPECT_EQ(ground.left, 32);
    EXPECT_EQ(ground.top, 0);

    auto& natural2 = Open(std::make_unique<CNaturalMapChipPalletWindow>(128, 32));
    Click(root, EntryX(natural2, 24), EntryY(natural2, 24));
    EXPECT_EQ(natural2.GetSelectedItemId(), 6);  // Mushroom001, alone on the fifth row

    auto& items = Open(std::make_unique<CItemPalletWindow>(128, 32));
    Click(root, EntryX(items, 9), EntryY(items, 9));
    EXPECT_EQ(items.GetSelectedItemKey(), "Hose");
    EXPECT_EQ(items.GetSelectedItemId(), -1);
    EXPECT_EQ(items.GetSelectedImageClip().key, "StageObjects002");

    auto& traps = Open(std::make_unique<CTrapPalletWindow>(128, 32));
    CCommonCloseButton* close = traps.GetCloseButton();
    Click(root, close->GetAbsoluteX() + 8, close->GetAbsoluteY() + 8);
    EXPECT_EQ(traps.GetState(), kStateClosed);
    EXPECT_EQ(traps.GetSelectedItemKey(), "");
    EXPECT_EQ(traps.GetSelectedItemId(), -1);
    const Controls::ImageClip none = traps.GetSelectedImageClip();
    EXPECT_TRUE(none.group.empty() && none.key.empty());
    EXPECT_EQ(none.right, 0);
}

TEST_F(Pallets, HoveringShowsTheRowsTextsAndAMissingRowNone) {
    auto& chips = Open(std::make_unique<CArtifactualMapChipPalletWindow>(128, 32));
    Hover(EntryX(chips, 3), EntryY(chips, 3));  // Block001: no row in this table
    root.Update();
    EXPECT_EQ(chips.GetHoveredIndex(), 3);
    EXPECT_EQ(chips.GetDescriptionLabel()->GetText(), "");
    EXPECT_EQ(chips.GetTagLabel()->GetText(), "[通行不可]");
    DrawFrame(root);
    // The 64 x 32 preview of the pair, centred on (344, 136) of the window.
    EXPECT_TRUE(port.Drew({128 + 344 - 32, 32 + 136 - 16, "ChipSet001", 0, 192, 64, 224}));
    Click(root, EntryX(chips, 3), EntryY(chips, 3));
    EXPECT_EQ(chips.GetSelectedItemId(), 40);  // a missing row does not keep it from being chosen

    auto& natural = Open(std::make_unique<CNaturalMapChipPalletWindow>(128, 32));
    Hover(EntryX(natural, 0), EntryY(natural, 0));
    root.Update();
    EXPECT_EQ(natural.GetDescriptionLabel()->GetText(), "草の生えた地面。");
    EXPECT_EQ(natural.GetTagLabel()->GetText(), "[通行不可]");
}

TEST_F(Pallets, TheBlockItemPalletLacksTheKeyAndRemembersItsBlock) {
    CItemPalletWindow fromBar(128, 32);
    EXPECT_EQ(fromBar.GetItemKeyAt(5), "Key");
    EXPECT_EQ(fromBar.GetTileX(), 0);
    EXPECT_EQ(fromBar.GetTileY(), 0);
    CItemPalletWindow fromBlock(100, 100, 3, 5, 7);
    EXPECT_EQ(fromBlock.GetItemKeyAt(4), "1UP001");
    EXPECT_EQ(fromBlock.GetItemKeyAt(5), "RedWhitePole");
    const std::vector<std::string> keys = Keys(fromBlock);
    EXPECT_EQ(std::count(keys.begin(), keys.end(), "Key"), 0);
    EXPECT_EQ(fromBlock.GetTileX(), 5);
    EXPECT_EQ(fromBlock.GetTileY(), 7);
    EXPECT_EQ(fromBlock.GetAreaIndex(), 3);
    EXPECT_EQ(fromBlock.GetX(), 100);
}

TEST_F(Pallets, TextTableFailuresPassOutOfTheConstructors) {
    std::filesystem::remove(game.Full("data/mapchip_info.dat"));
    EXPECT_EQ(CaughtCode([] { CNaturalMapChipPalletWindow p(128, 32); }), "IFE0200");
    game.MakeUnreadable("data/mapchip_info.dat");
    EXPECT_EQ(CaughtCode([] { CArtifactualMapChipPalletWindow p(128, 32); }), "IFE0200");
    game.WriteRaw("data/stage_objects.dat", "Kid001,キッド,not encoded\n");
    EXPECT_EQ(CaughtCode([] { CCharacterPalletWindow p(128, 32, false); }), "IFE0201");
    game.WriteEncoded("data/stage_objects.dat", "Kid001,キッド,歩く,四つ目\n");
    EXPECT_EQ(CaughtCode([] { CTrapPalletWindow p(128, 32); }), "IFE0201");
    // An empty event pallet reads no table, so nothing fails.
    EXPECT_EQ(CaughtCode([] { CEventPalletWindow p(128, 32); }), "");
}

}  // namespace
