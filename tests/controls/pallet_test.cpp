// The pallet window base: the grid of six per row, the texts and preview of the item under the
// mouse, choosing and the ways of closing, and the item-text table's rules and failures, each
// failure from a real bad file in a game folder of its own.
#include <filesystem>
#include <memory>
#include <string>

#include "controls/Pallet.h"
#include "tests/common/caught_code.h"
#include "tests/common/temp_folder.h"
#include "tests/controls/control_test.h"

using namespace Controls;

namespace {

const char kChipFile[] = "data\\mapchip_info.dat";

// A map-chip pallet: the editor reads the chip number of the choice.
class ChipPallet : public CPalletWindowBase {
  public:
    ChipPallet() : CPalletWindowBase("マップチップ", 100, 100) {}
    std::string GetDataFileName() override { return kChipFile; }
    int32_t GetItemId(int32_t i) override { return GetItemIdAt(i); }
};

// An object pallet: the editor reads the key of the choice.
class ObjectPallet : public CPalletWindowBase {
  public:
    ObjectPallet() : CPalletWindowBase("オブジェクト", 100, 100) {}
    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t i) override { return GetItemKeyAt(i); }
};

ImageClip Icon(int n) { return {"System", "StageObjects001", 32 * (n % 8), 0, 32 * (n % 8) + 32, 32}; }
ImageClip Preview() { return {"Map", "ChipSet001", 0, 0, 64, 48}; }

class PalletTest : public controltest::ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        game.WriteEncoded("data/mapchip_info.dat",
                          "Ground001,草原,草の地面。\n"
                          ",名前なし,キーのない行\n"
                          "Ground002,岩場,岩の地面。\n"
                          "Ground002,新しい岩場,後の行が勝つ。\n");
        game.WriteEncoded("data/stage_objects.dat", "Kid001,キッド,歩き回る。\n");
    }
    template <class P>
    P& Open() {
        return *root.OpenModal(std::make_unique<P>());
    }
    // Item i's centre on the screen (the pallet at (100, 100), the grid at (16, 48) in it).
    static int ItemX(int i) { return 100 + 16 + 36 * (i % 6) + 16; }
    static int ItemY(int i) { return 100 + 48 + 36 * (i / 6) + 16; }
    void Fill(CPalletWindowBase& p, int count) {
        for (int i = 0; i < count; ++i) p.AddItemButton(Icon(i), Preview(), "Ground001", i % 4, 100 + i);
    }
    testsupport::TempGameFolder game{"quor-pallet"};
    COriginalBaseForm root;
};

TEST_F(PalletTest, ItemsFillRowsOfSixFromTheTop) {
    auto& p = Open<ChipPallet>();
    Fill(p, 13);
    EXPECT_EQ(p.GetPanel()->GetItemCount(), 3);
    EXPECT_EQ(p.GetItemButton(7)->GetX(), 36);
    CFreeImageClickArea* last = p.GetItemButton(12);
    EXPECT_EQ(last->GetX(), 0);
    EXPECT_EQ(last->GetY(), 0);
    EXPECT_EQ(last->GetParent()->GetY(), 72);
    EXPECT_FALSE(p.GetPanel()->GetScrollBar()->IsReady());
    Fill(p, 24);  // seven rows: the grid scrolls
    EXPECT_TRUE(p.GetPanel()->GetScrollBar()->IsReady());
    EXPECT_EQ(p.GetPanel()->GetScrollBar()->GetMaximum(), 1);
}

TEST_F(PalletTest, TableTextsSkipKeylessLinesAndTheLastOfTwinKeysWins) {
    auto& p = Open<ChipPallet>();
    EXPECT_EQ(p.GetItemName("Ground001"), "草原");
    EXPECT_EQ(p.GetItemDescription("Ground001"), "草の地面。");
    EXPECT_EQ(p.GetItemName("Ground002"), "新しい岩場");
    EXPECT_EQ(p.GetItemDescription("Ground002"), "後の行が勝つ。");
    EXPECT_EQ(p.GetItemName(""), "");
    EXPECT_EQ(p.GetItemName("Ground999"), "");
    p.AddItemButton(Icon(0), Preview(), "Ground001", 3, 5);
    p.AddItem(Icon(1), Preview(), "Ground002");
    EXPECT_EQ(p.GetItemTagAt(0), "[スイッチ次第]");
    EXPECT_EQ(p.GetItemTagAt(1), "");
    EXPECT_EQ(p.GetItemIdAt(0), 5);
    EXPECT_EQ(p.GetItemIdAt(1), 0);
    EXPECT_EQ(p.GetItemIdAt(2), 0);
    EXPECT_EQ(p.GetItemKeyAt(-1), "");
}

TEST_F(PalletTest, MovingAcrossItemsKeepsTextsAndLeavingBlanksThemAndThePreview) {
    auto& p = Open<ChipPallet>();
    p.AddItemButton(Icon(0), Preview(), "Ground001", 0, 0);
    p.AddItemButton(Icon(1), Preview(), "Ground001", 1, 1);
    p.AddItemButton(Icon(2), Preview(), "Ground002", 2, 2);
    p.AddItemButton(Icon(3), Preview(), "Ground001", 3, 3);
    Hover(ItemX(2), ItemY(2));
    root.Update();
    EXPECT_EQ(p.GetHoveredIndex(), 2);
    EXPECT_EQ(p.GetTagLabel()->GetText(), "[通行可]");
    EXPECT_EQ(p.GetDescriptionLabel()->GetText(), "後の行が勝つ。");
    for (int next : {3, 1}) {  // onto a later item, then an earlier one
        Hover(ItemX(next), ItemY(next));
        root.Update();
        EXPECT_EQ(p.GetHoveredIndex(), next);
        EXPECT_EQ(p.GetTagLabel()->GetText(), CPalletWindowBase::PassabilityTag(next));
    }
    DrawFrame(root);
    // The preview is centred on (344, 136) of the window.
    EXPECT_TRUE(port.Drew({100 + 344 - 32, 100 + 136 - 24, "ChipSet001", 0, 0, 64, 48}));
    EXPECT_TRUE(std::count(port.texts.begin(), port.texts.end(), "草原"));

    Hover(100 + 300, 100 + 240);  // inside the window, off the grid
    root.Update();
    EXPECT_EQ(p.GetHoveredIndex(), -1);
    EXPECT_EQ(p.GetTagLabel()->GetText(), "");
    EXPECT_EQ(p.GetDescriptionLabel()->GetText(), "");
    DrawFrame(root);
    EXPECT_FALSE(port.Drew({100 + 344 - 32, 100 + 136 - 24, "ChipSet001", 0, 0, 64, 48}));
}

TEST_F(PalletTest, PushingAnItemRecordsTheChoiceAndCloses) {
    auto& chips = Open<ChipPallet>();
    Fill(chips, 8);
    controltest::EventLog log;
    chips.AddClosedEventHandler(&log);
    Click(root, ItemX(7), ItemY(7));
    EXPECT_EQ(chips.GetState(), kStateClosed);
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(chips.GetSelectedItemId(), 107);
    EXPECT_EQ(chips.GetSelectedItemKey(), "");
    EXPECT_EQ(chips.GetSelectedImageClip().left, Icon(7).left);  // the icon, not the preview

    auto& objects = Open<ObjectPallet>();
    objects.AddItem(Icon(0), Preview(), "Kid001");
    Click(root, ItemX(0), ItemY(0));
    EXPECT_EQ(objects.GetState(), kStateClosed);
    EXPECT_EQ(objects.GetSelectedItemId(), -1);
    EXPECT_EQ(objects.GetSelectedItemKey(), "Kid001");
    EXPECT_EQ(objects.GetSelectedImageClip().key, "StageObjects001");
}

TEST_F(PalletTest, RightClickClosesWithASoundOutsideClickSilentlyInsideClickNot) {
    auto& p = Open<ChipPallet>();
    Fill(p, 3);
    Click(root, 100 + 300, 100 + 240);
    EXPECT_EQ(p.GetState(), kStateActive);
    RightPress(ItemX(0), ItemY(0));
    root.Update();
    EXPECT_EQ(p.GetState(), kStateClosed);
    EXPECT_EQ(port.CountSound(ControlSound::kCloseWindow), 1);
    EXPECT_EQ(p.GetSelectedItemId(), -1);

    auto& q = Open<ChipPallet>();
    port.sounds.clear();
    Press(100 + 441, 100 + 100);  // one pixel right of the window
    root.Update();
    EXPECT_EQ(q.GetState(), kStateClosed);
    EXPECT_TRUE(port.sounds.empty());
    EXPECT_EQ(q.GetSelectedItemId(), -1);
}

TEST_F(PalletTest, MissingOrUnreadableTableIsIfe0200) {
    std::filesystem::remove(game.Full("data/mapchip_info.dat"));
    auto& p = Open<ChipPallet>();
    EXPECT_EQ(CaughtCode([&] { p.AddItemButton(Icon(0), Preview(), "Ground001", 0, 0); }), "IFE0200");
    EXPECT_EQ(p.GetItemCount(), 0);
    game.MakeUnreadable("data/mapchip_info.dat");
    EXPECT_EQ(CaughtCode([&] { p.LoadItemTexts(); }), "IFE0200");
}

TEST_F(PalletTest, TablesThatAreNotEncodedOrDoNotFitAreIfe0201) {
    auto& p = Open<ChipPallet>();
    game.WriteRaw("data/mapchip_info.dat", "Ground001,plain,not encoded\n");
    EXPECT_EQ(CaughtCode([&] { p.LoadItemTexts(); }), "IFE0201");
    game.WriteEncoded("data/mapchip_info.dat", "Ground001,草原,草の地面。,余分\n");
    EXPECT_EQ(CaughtCode([&] { p.LoadItemTexts(); }), "IFE0201");
    std::string lines;
    for (int i = 0; i < 1025; ++i) lines += "K" + std::to_string(i) + ",n,d\n";
    game.WriteEncoded("data/mapchip_info.dat", lines);
    EXPECT_EQ(CaughtCode([&] { p.GetItemName("K0"); }), "IFE0201");
    // A failed read leaves the table unloaded: the next lookup reads the mended file.
    lines.erase(lines.rfind("K1024"));
    game.WriteEncoded("data/mapchip_info.dat", lines);
    EXPECT_EQ(p.GetItemName("K1023"), "n");
}

TEST_F(PalletTest, LongTablesAreReadWhole) {
    // 1024 lines with long descriptions: several times what a fixed text buffer would hold.
    std::string lines;
    const std::string description(60, 'x');
    for (int i = 0; i < 1024; ++i)
        lines += "Key" + std::to_string(i) + ",名前" + std::to_string(i) + "," + description + "\n";
    ASSERT_GT(lines.size(), 65536u);
    game.WriteEncoded("data/mapchip_info.dat", lines);
    auto& p = Open<ChipPallet>();
    EXPECT_EQ(p.GetItemName("Key1023"), "名前1023");
    EXPECT_EQ(p.GetItemDescription("Key1023"), description);
}

TEST_F(PalletTest, TheShippedTablesLoad) {
    if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the game folder is not built";
    for (const char* name : {"mapchip_info.dat", "stage_objects.dat"})
        std::filesystem::copy_file(testsupport::BuiltGameFolder() / "data" / name, game.Full("data") / name,
                                   std::filesystem::copy_options::overwrite_existing);
    auto& chips = Open<ChipPallet>();
    EXPECT_EQ(chips.GetItemName("Ground001"), "草原の地面");
    auto& objects = Open<ObjectPallet>();
    EXPECT_EQ(objects.GetItemName("Kid001"), "キッド");
}

}  // namespace
