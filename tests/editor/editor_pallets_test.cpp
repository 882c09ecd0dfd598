// The pallets in the editor's hands: each chip button opens its pallet at (128, 32); the entry
// clicked becomes the screen's current chip or object kind, which the mouse then draws or places
// into the stage; a block gets the item chosen for it as one step that undo takes back; a pallet
// closed without a choice changes nothing.
#include <memory>
#include <string>
#include <utility>

#include "controls/Pallet.h"
#include "editor/ObjectEdits.h"
#include "editor_screen_env.h"
#include "editor_windows/ItemPalletWindow.h"
#include "stage/StageAreaObject.h"
#include "stage/StageChips.h"

using namespace Controls;

namespace {

class EditorPallets : public editortest::EditorScreenTest {
  protected:
    void SetUp() override {
        EditorScreenTest::SetUp();
        if (HasFatalFailure()) return;
        // The player bought the music changers, which head the event pallet.
        ASSERT_TRUE(WriteEncodedFile("network\\client_info.dat",
                                     "<clientInfo><network><createrId></createrId></network>"
                                     "<boughtItems>ChangeMusic</boughtItems></clientInfo>"));
        CClientInfo::DeleteInstance();
        Install({AreaClass_OneRoom});
    }

    // Opens the pallet of the chip button; it stands where every pallet of the editor stands.
    CPalletWindowBase* OpenPallet(const std::string& button) {
        ClickControl(button);
        auto* pallet = Window<CPalletWindowBase>();
        EXPECT_NE(pallet, nullptr) << button;
        if (pallet) {
            EXPECT_EQ(std::pair(pallet->GetX(), pallet->GetY()), std::pair(128, 32)) << button;
        }
        return pallet;
    }
    // Clicks entry i of the pallet in front (its close button when i < 0) and lets the screen
    // read the closed pallet.
    void ClickEntry(const CPalletWindowBase& p, int i) {
        int x = p.GetX() + 16 + 36 * (i % 6) + 16, y = p.GetY() + 48 + 36 * (i / 6) + 16;
        if (i < 0) {
            x = p.GetCloseButton()->GetAbsoluteX() + 8;
            y = p.GetCloseButton()->GetAbsoluteY() + 8;
        }
        ClickAt(x, y);
        Frames(2);
        EXPECT_EQ(OpenWindow(), nullptr);
    }
    // The key of entry i of the pallet the button opens, and that entry chosen.
    std::string Choose(const std::string& button, int i) {
        CPalletWindowBase* p = OpenPallet(button);
        if (!p) return "";
        std::string key = p->GetItemKeyAt(i);
        ClickEntry(*p, i);
        return key;
    }
};

TEST_F(EditorPallets, OneEntryOfEachPalletGoesIntoTheStage) {
    // Map chips: drawn with the pencil and with a rectangle; auto-tiling picks the piece.
    Choose("NaturalChipButton", 0);  // the grass ground
    EXPECT_EQ(Editor().GetCurrentChip(), 64);
    ClickTile(2, 10);
    EXPECT_EQ(ChipGroupBaseOf(uint8_t(Chip(2, 10))), ChipGroupBaseOf(64));
    Choose("ArtificialChipButton", 23);  // the fence
    EXPECT_EQ(Editor().GetCurrentChip(), 17);
    ClickControl("RectangleButton");
    ClickTile(5, 12);  // one corner, then the other
    ClickTile(7, 12);
    for (int x = 5; x <= 7; ++x) EXPECT_EQ(ChipGroupBaseOf(uint8_t(Chip(x, 12))), 19) << x;

    // Object kinds: the first entry of each object pallet, placed one tile apart with the mouse.
    const std::pair<const char*, const char*> objectPallets[] = {{"EnemyChipButton", "Kid001"},
                                                                 {"ObjectChipButton", "Goal"},
                                                                 {"TrapChipButton", "Battery001"},
                                                                 {"EventChipButton", "ChangeMusicToLeft"},
                                                                 {"ItemChipButton", "Pokikki001"}};
    int x = 2;
    for (const auto& [button, key] : objectPallets) {
        EXPECT_EQ(Choose(button, 0), key);
        ASSERT_EQ(Editor().GetCurrentObjectKey(), key);
        EXPECT_EQ(Editor().GetTool(), EditorTool_ObjectPlace);
        ClickTile(x, 3);
        ASSERT_NE(ObjectAt(x, 3), nullptr) << key;
        EXPECT_EQ(ObjectAt(x, 3)->GetKey(), key);
        x += 2;
    }
    EXPECT_EQ(ObjectCount(), 5);

    // Closed without a choice: the editor keeps its chip and its kind.
    ClickEntry(*OpenPallet("NaturalChipButton"), -1);
    ClickEntry(*OpenPallet("TrapChipButton"), -1);
    EXPECT_EQ(Editor().GetCurrentChip(), 17);
    EXPECT_EQ(Editor().GetCurrentObjectKey(), "Pokikki001");
    EXPECT_EQ(Editor().GetTool(), EditorTool_ObjectPlace);
}

TEST_F(EditorPallets, ABlockGetsItsItemAsOneUndoableStep) {
    Editor().SetTool(EditorTool_ObjectPlace);
    ASSERT_TRUE(Editor().DoCommand(
        std::make_unique<CSetObject>(5, 7, "WoodBlock002", 1, 2, 3, 4, "Key", &Stage(), &Editor())));
    const CStageAreaObject* block = ObjectAt(5, 7);
    ASSERT_NE(block, nullptr);

    // From the block's menu: nine items, the hose last.
    const auto openItems = [&] {
        RightClickTile(5, 7);
        auto* menu = Window<CBeigePopup>();
        EXPECT_NE(menu, nullptr);
        for (int i = 0; menu && i < menu->GetControls().Count(); ++i) {
            auto* entry = dynamic_cast<CPushButtonBase*>(menu->GetControls().At(i));
            if (entry && entry->GetText() == "アイテムを変える") entry->PerformPush();
        }
        Frames(2);
        return Window<CItemPalletWindow>();
    };
    CItemPalletWindow* items = openItems();
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(std::pair(items->GetX(), items->GetY()), std::pair(100, 100));
    EXPECT_EQ(std::pair(items->GetTileX(), items->GetTileY()), std::pair(5, 7));
    ASSERT_EQ(items->GetItemKeyAt(8), "Hose");
    ClickEntry(*items, 8);
    EXPECT_EQ(block->GetText(), "Hose");
    EXPECT_EQ(block->GetAttribute1(), 0.0);
    EXPECT_EQ(block->GetAttribute4(), 0.0);
    ASSERT_TRUE(Editor().Undo());
    EXPECT_EQ(block->GetText(), "Key");
    EXPECT_EQ(block->GetAttribute1(), 1.0);

    // Closed without a choice: the block stays as it is.
    items = openItems();
    ASSERT_NE(items, nullptr);
    ClickEntry(*items, -1);
    EXPECT_EQ(block->GetText(), "Key");
    EXPECT_TRUE(Editor().CanRedo());  // no step was taken
}

}  // namespace
