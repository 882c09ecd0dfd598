// The pallets in the editor's hands: an entry chosen in each pallet becomes the editor's current
// chip or object kind and is drawn or placed into the stage by the editor's own commands; a block
// gets the item chosen for it as one step that undo takes back; a closed pallet changes nothing.
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "editor/MapEdits.h"
#include "editor/ObjectEdits.h"
#include "editor_env.h"
#include "editor_windows/ArtifactualMapChipPalletWindow.h"
#include "editor_windows/CharacterPalletWindow.h"
#include "editor_windows/EventPalletWindow.h"
#include "editor_windows/ItemPalletWindow.h"
#include "editor_windows/NaturalMapChipPalletWindow.h"
#include "editor_windows/ObjectPalletWindow.h"
#include "editor_windows/TrapPalletWindow.h"
#include "stage/StageAreaObject.h"
#include "stage/StageChips.h"
#include "tests/controls/control_test.h"

using namespace Controls;

namespace {

class EditorPallets : public editortest::EditorTest {
  protected:
    void SetUp() override {
        EditorTest::SetUp();
        Controls::SetPort(&port);
        ASSERT_TRUE(WriteEncodedFile("data\\stage_objects.dat",
                                     ",,\nKid001,キッド,歩く\nGoal,ゴール,クリア\nBattery001,砲台,撃つ\n"
                                     "ChangeMusicToLeft,曲変更,変わる\nPokikki001,ポキッキー,回復\n"
                                     "WoodBlock002,木箱,中身\nHose,ホース,水\n"));
        ASSERT_TRUE(WriteEncodedFile("data\\mapchip_info.dat", "Ground001,草原,地面\n"));
        ASSERT_TRUE(WriteEncodedFile("network\\client_info.dat",
                                     "<clientInfo><network><createrId></createrId></network>"
                                     "<boughtItems>ChangeMusic</boughtItems></clientInfo>"));
        CClientInfo::DeleteInstance();
    }
    void TearDown() override {
        Controls::SetPort(nullptr);
        EditorTest::TearDown();
    }

    // Opens the pallet over the editor's screen and clicks entry i (the close button when i < 0).
    // The closed pallet is read as the editor reads it, before the root form's next update
    // deletes it.
    template <class P>
    P& Choose(std::unique_ptr<P> pallet, int i) {
        P& p = *root.OpenModal(std::move(pallet));
        int x = p.GetX() + 16 + 36 * (i % 6) + 16, y = p.GetY() + 48 + 36 * (i / 6) + 16;
        if (i < 0) {
            x = p.GetCloseButton()->GetAbsoluteX() + 8;
            y = p.GetCloseButton()->GetAbsoluteY() + 8;
        }
        port.mouse = {};
        port.mouse.x = x, port.mouse.y = y, port.mouse.leftPressed = true;
        root.Update();
        port.mouse.leftPressed = false, port.mouse.leftReleased = true;
        root.Update();
        EXPECT_EQ(p.GetState(), kStateClosed);
        return p;
    }

    // The editor's reading of a closed map-chip pallet.
    static void TakeChip(CEditor& editor, const CPalletWindowBase& pallet) {
        const int id = pallet.GetSelectedItemId();
        if (id != -1) editor.SetCurrentChip(static_cast<uint8_t>(id & 0xFF));
    }
    // The editor's reading of a closed object pallet.
    static void TakeKind(CEditor& editor, const CPalletWindowBase& pallet) {
        const std::string key = pallet.GetSelectedItemKey();
        if (!key.empty()) editor.SetCurrentObjectKey(key);
    }

    controltest::RecordingPort port;
    COriginalBaseForm root;
};

}  // namespace

TEST_F(EditorPallets, OneEntryOfEachPalletGoesIntoTheStage) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}));
    CEditor* ed = editor.get();
    CStage& stage = *ed->GetStage();

    // Map chips: drawn with the pencil and with a rectangle; auto-tiling picks the piece.
    TakeChip(*ed, Choose(std::make_unique<CNaturalMapChipPalletWindow>(128, 32), 0));  // Ground001
    EXPECT_EQ(ed->GetCurrentChip(), 64);
    auto stroke = std::make_unique<CDrawSequence>(&stage, ed);
    ASSERT_TRUE(stroke->AddPoint(2, 10, ed->GetCurrentChip()));
    ASSERT_TRUE(ed->DoCommand(std::move(stroke)));
    EXPECT_EQ(ChipGroupBaseOf(static_cast<uint8_t>(stage.GetChipInCurrentArea(2, 10))), ChipGroupBaseOf(64));
    TakeChip(*ed, Choose(std::make_unique<CArtifactualMapChipPalletWindow>(128, 32), 23));  // Fence001
    EXPECT_EQ(ed->GetCurrentChip(), 17);
    ASSERT_TRUE(
        ed->DoCommand(std::make_unique<CRectangleFill>(&stage, ed, 5, 12, 7, 12, ed->GetCurrentChip())));
    for (int x = 5; x <= 7; ++x)
        EXPECT_EQ(ChipGroupBaseOf(static_cast<uint8_t>(stage.GetChipInCurrentArea(x, 12))), 19) << x;

    // Object kinds: the first entry of each object pallet, placed one tile apart.
    const std::pair<std::function<const CPalletWindowBase&()>, std::string> objectPallets[] = {
        {[&]() -> const CPalletWindowBase& {
             return Choose(std::make_unique<CCharacterPalletWindow>(128, 32, false), 0);
         },
         "Kid001"},
        {[&]() -> const CPalletWindowBase& {
             return Choose(std::make_unique<CObjectPalletWindow>(128, 32), 0);
         },
         "Goal"},
        {[&]() -> const CPalletWindowBase& {
             return Choose(std::make_unique<CTrapPalletWindow>(128, 32), 0);
         },
         "Battery001"},
        {[&]() -> const CPalletWindowBase& {
             return Choose(std::make_unique<CEventPalletWindow>(128, 32), 0);
         },
         "ChangeMusicToLeft"},
        {[&]() -> const CPalletWindowBase& {
             return Choose(std::make_unique<CItemPalletWindow>(128, 32), 0);
         },
         "Pokikki001"},
    };
    int x = 2;
    for (const auto& [choose, key] : objectPallets) {
        const CPalletWindowBase& p = choose();
        EXPECT_EQ(p.GetSelectedItemId(), -1);
        TakeKind(*ed, p);
        ASSERT_EQ(ed->GetCurrentObjectKey(), key);
        ASSERT_TRUE(ed->DoCommand(std::make_unique<CSetObject>(x, 3, ed->GetCurrentObjectKey(), &stage, ed)));
        const CStageAreaObject* placed = stage.GetCurrentAreaObjects()->GetAt(x, 3);
        ASSERT_NE(placed, nullptr) << key;
        EXPECT_EQ(placed->GetKey(), key);
        root.Update();  // the closed pallet goes
        x += 2;
    }
    EXPECT_EQ(stage.GetCurrentAreaObjects()->GetCount(), 5);

    // Closed without a choice: the editor keeps its chip and its kind.
    TakeChip(*ed, Choose(std::make_unique<CNaturalMapChipPalletWindow>(128, 32), -1));
    TakeKind(*ed, Choose(std::make_unique<CTrapPalletWindow>(128, 32), -1));
    EXPECT_EQ(ed->GetCurrentChip(), 17);
    EXPECT_EQ(ed->GetCurrentObjectKey(), "Pokikki001");
}

TEST_F(EditorPallets, ABlockGetsItsItemAsOneUndoableStep) {
    auto editor = MakeEditor(MakeStage({AreaClass_OneRoom}));
    CEditor* ed = editor.get();
    CStage& stage = *ed->GetStage();
    ASSERT_TRUE(
        ed->DoCommand(std::make_unique<CSetObject>(5, 7, "WoodBlock002", 1, 2, 3, 4, "Key", &stage, ed)));
    const CStageAreaObject* block = stage.GetCurrentAreaObjects()->GetAt(5, 7);
    ASSERT_NE(block, nullptr);

    // From the block's menu: nine items, the hose last.
    CItemPalletWindow& p = Choose(std::make_unique<CItemPalletWindow>(100, 100, 0, 5, 7), 8);
    ASSERT_EQ(p.GetSelectedItemKey(), "Hose");
    ASSERT_TRUE(ed->DoCommand(std::make_unique<CConfigureObject>(p.GetTileX(), p.GetTileY(), 0, 0, 0, 0,
                                                                 p.GetSelectedItemKey(), &stage, ed)));
    EXPECT_EQ(block->GetText(), "Hose");
    EXPECT_EQ(block->GetAttribute1(), 0.0);
    EXPECT_EQ(block->GetAttribute4(), 0.0);
    ASSERT_TRUE(ed->Undo());
    EXPECT_EQ(block->GetText(), "Key");
    EXPECT_EQ(block->GetAttribute1(), 1.0);
    root.Update();

    // Closed without a choice: the block stays as it is.
    EXPECT_EQ(Choose(std::make_unique<CItemPalletWindow>(100, 100, 0, 5, 7), -1).GetSelectedItemKey(), "");
    EXPECT_EQ(block->GetText(), "Key");
}
