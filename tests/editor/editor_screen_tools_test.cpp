// The tools in hand on the map: pencil strokes, rectangles, fill, picking a chip, placing, dragging
// and erasing objects, the clipboard keys and the object menu, the cursor and the footer.
#include "editor/MapEdits.h"
#include "editor_screen_env.h"
#include "stage/StageAreaObject.h"
#include "stage/StageChips.h"

using editortest::EditorScreenTest;
using EditorScreenTools = EditorScreenTest;
using namespace Controls;

namespace {

TEST_F(EditorScreenTools, PencilStrokeDrawsItsLineAndUndoesAsOne) {
    Install({AreaClass_Short});
    PressTile(3, 4);
    EXPECT_EQ(Editor().GetTool(), EditorTool_PencilStroke);
    EXPECT_NE(Chip(3, 4), 0);  // the first cell at once
    DragToTile(7, 4);
    DragToTile(7, 6);
    for (int x = 3; x <= 7; ++x) EXPECT_NE(Chip(x, 4), 0) << x;
    EXPECT_NE(Chip(7, 6), 0);
    EXPECT_FALSE(Editor().CanUndo());  // pushed only when let go
    Release();
    EXPECT_EQ(Editor().GetTool(), EditorTool_Pencil);
    EXPECT_TRUE(Editor().IsModified());
    ASSERT_TRUE(Editor().Undo());
    for (int x = 3; x <= 7; ++x) EXPECT_EQ(Chip(x, 4), 0) << x;
    EXPECT_EQ(Chip(7, 6), 0);
}

TEST_F(EditorScreenTools, NothingStartsOffTheMapOrWhileAWindowIsOpen) {
    Install({AreaClass_OneRoom});
    PressAt(10, 300);  // the tab strip, outside the view
    Release();
    EXPECT_EQ(Editor().GetTool(), EditorTool_Pencil);
    PressTile(25, 5);  // inside the view, past the area's last column
    Release();
    EXPECT_FALSE(Editor().CanUndo());
    ClickControl("InfomationButton");
    ASSERT_NE(OpenWindow(), nullptr);
    const std::string footer = screen->GetControlAs<CTextLabel>("FooterLabel")->GetText();
    PressTile(3, 3);
    Release();
    EXPECT_EQ(Chip(3, 3), 0);
    MoveToTile(9, 9);
    Frame();
    EXPECT_EQ(screen->GetControlAs<CTextLabel>("FooterLabel")->GetText(), footer);
}

TEST_F(EditorScreenTools, RectangleCornersClampToTheMapAndARightPushDropsIt) {
    Install({AreaClass_OneRoom});
    Editor().SetScrollPosition(15, 11);  // the map's bottom-right corner with room beyond it
    Frame();
    ClickControl("RectangleButton");
    PressTile(17, 12);
    Release();
    EXPECT_EQ(Editor().GetTool(), EditorTool_RectangleDrag);
    EXPECT_EQ(screen->GetRectFirstX(), 17);
    // The second corner beyond the map's last tile, inside the view: held to tile (19, 14).
    PressTile(22, 16);
    Release();
    EXPECT_EQ(Editor().GetTool(), EditorTool_Rectangle);
    for (int y = 12; y <= 14; ++y)
        for (int x = 17; x <= 19; ++x) EXPECT_NE(Chip(x, y), 0) << x << "," << y;
    EXPECT_EQ(Chip(16, 12), 0);
    PressTile(8, 8);
    Release();
    RightClickTile(10, 10);
    EXPECT_EQ(Editor().GetTool(), EditorTool_Rectangle);
    EXPECT_EQ(Chip(9, 9), 0);
    EXPECT_EQ(port.CountSound(4), 1);
}

TEST_F(EditorScreenTools, FillCoversTheAreaAndRightPushPicksTheChipUnderTheMouse) {
    Install({AreaClass_OneRoom});
    ClickControl("FillButton");
    ClickTile(4, 4);
    EXPECT_EQ(GetChipGroupBase(uint8_t(Chip(0, 0))), GetChipGroupBase(64));
    EXPECT_EQ(GetChipGroupBase(uint8_t(Chip(19, 14))), GetChipGroupBase(64));
    ASSERT_TRUE(Editor().Undo());
    RightClickTile(2, 2);  // an empty tile: the eraser
    EXPECT_EQ(Editor().GetCurrentChip(), 0);
    Frame();
    EXPECT_TRUE(On("MapEraserButton"));
    EXPECT_TRUE(CMouse::GetInstance()->IsBadge1Shown());
    EXPECT_EQ(CMouse::GetInstance()->GetCursorKind(), 3);
}

TEST_F(EditorScreenTools, FooterCountsRowsFromTheBottom) {
    Install({AreaClass_OneRoom});
    MoveToTile(5, 14);
    Frame();
    EXPECT_EQ(screen->GetControlAs<CTextLabel>("FooterLabel")->GetText(), "(005,000)");
}

TEST_F(EditorScreenTools, PlacedKindsStartWithTheirSettings) {
    Install({AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    Editor().SetCurrentObjectKey("Warp001");
    ClickTile(0, 5);
    ClickTile(7, 5);
    ASSERT_NE(ObjectAt(0, 5), nullptr);
    EXPECT_EQ(ObjectAt(0, 5)->GetAttribute2(), 1);  // leads one tile right in the first column
    EXPECT_EQ(ObjectAt(7, 5)->GetAttribute2(), 6);
    EXPECT_EQ(ObjectAt(7, 5)->GetAttribute3(), 5);
    Editor().SetCurrentObjectKey("WoodBlock002");
    ClickTile(9, 5);
    EXPECT_EQ(ObjectAt(9, 5)->GetText(), "Pokikki001");
    Editor().SetCurrentObjectKey("ChangeMusicToLeft");
    Stage().GetCurrentArea()->music = 7;
    ClickTile(10, 5);
    EXPECT_EQ(ObjectAt(10, 5)->GetText(), "Stage001");
    EXPECT_EQ(CMouse::GetInstance()->GetCursorKind(), 5);  // over an object: the grab hand
}

TEST_F(EditorScreenTools, DraggingStopsAtOtherObjectsAndMovesAsOneCommand) {
    Install({AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    ClickTile(2, 5);
    ClickTile(5, 5);
    PressTile(2, 5);
    EXPECT_EQ(Editor().GetTool(), EditorTool_ObjectDrag);
    DragToTile(3, 5);
    DragToTile(4, 5);
    DragToTile(5, 5);  // occupied: stays on (4, 5)
    EXPECT_EQ(screen->GetDragToX(), 4);
    EXPECT_NE(ObjectAt(4, 5), nullptr);
    Release();
    EXPECT_EQ(Editor().GetTool(), EditorTool_ObjectPlace);
    ASSERT_TRUE(Editor().Undo());
    EXPECT_NE(ObjectAt(2, 5), nullptr);
    EXPECT_EQ(ObjectAt(4, 5), nullptr);
    // Let go on its own tile: no command.
    PressTile(2, 5);
    Release();
    EXPECT_TRUE(Editor().CanRedo());
}

TEST_F(EditorScreenTools, TheTwoHundredFiftySixthObjectIsRefusedButDragsStillWork) {
    Install({AreaClass_BoxShort});
    CStageAreaObjectTable* table = Stage().GetCurrentAreaObjects();
    for (int i = 0; i < CEditor::kMaxObjectsPerArea; ++i)
        ASSERT_TRUE(table->Add("Kid001", i % 100, i / 100, 0, 0, 0, 0, ""));
    Editor().SetTool(EditorTool_ObjectPlace);
    Editor().SetScrollPosition(10, 8);
    Frames(2);
    ClickTile(8, 8);
    ASSERT_NE(Window<CAlertWindow>(), nullptr);
    EXPECT_EQ(ObjectCount(), CEditor::kMaxObjectsPerArea);
    Window<CAlertWindow>()->Close();
    Frames(2);
    PressTile(8, 1);
    EXPECT_EQ(Editor().GetTool(), EditorTool_ObjectDrag);
    Release();
}

TEST_F(EditorScreenTools, EraserDeletesTheObjectUnderTheMouse) {
    Install({AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    ClickTile(4, 4);
    ClickControl("ObjectEraserButton");
    ClickTile(5, 4);  // empty: nothing
    ClickTile(4, 4);
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(CMouse::GetInstance()->GetCursorKind(), 8);
}

TEST_F(EditorScreenTools, ClipboardKeysCopyCutAndPasteOverTheMap) {
    Install({AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    Editor().SetCurrentObjectKey("Warp001");
    ClickTile(6, 6);
    MoveToTile(2, 2);
    keys.control = keys.c = true;  // an empty tile: nothing copied
    Frame();
    EXPECT_TRUE(Editor().GetClipboard().IsEmpty());
    MoveToTile(6, 6);
    keys.control = keys.x = true;
    Frame();
    EXPECT_EQ(ObjectAt(6, 6), nullptr);
    EXPECT_EQ(Editor().GetClipboard().GetKey(), "Warp001");
    MoveToTile(3, 3);
    keys.control = keys.v = true;
    Frame();
    ASSERT_NE(ObjectAt(3, 3), nullptr);
    EXPECT_EQ(ObjectAt(3, 3)->GetAttribute2(), 5);  // the copy keeps its settings
}

TEST_F(EditorScreenTools, ObjectMenuOffersWhatTheTileAllows) {
    Install({AreaClass_OneRoom});
    Editor().SetTool(EditorTool_ObjectPlace);
    // An empty tile with nothing copied: a disabled paste, titled with rows from the bottom.
    RightClickTile(3, 14);
    auto* menu = Window<CBeigePopup>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->GetControls().Count(), 2);
    EXPECT_EQ(dynamic_cast<CSpriteTextLabel*>(menu->GetControls().At(0))->GetText(), "座標 (3,0)");
    auto* paste = dynamic_cast<COriginalBaseButton*>(menu->GetControls().At(1));
    EXPECT_EQ(paste->GetText(), "貼り付ける");
    EXPECT_FALSE(paste->IsEnabled());
    menu->Close();
    Frames(2);
    // On a door: its destination entry first; near the bottom right the menu opens up and left.
    Editor().SetCurrentObjectKey("Door001");
    ClickTile(5, 5);
    RightClickAt(630, 440);
    EXPECT_EQ(OpenWindow(), nullptr);  // not on the map
    RightClickTile(5, 5);
    menu = Window<CBeigePopup>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(dynamic_cast<COriginalBaseButton*>(menu->GetControls().At(1))->GetText(), "移動先を変更する");
    EXPECT_EQ(menu->GetHeight(), 32 + 20 * 4);
    menu->Close();
    Frames(2);
    ClickControl("editModeButton");
    EXPECT_EQ(Editor().GetTool(), EditorTool_Pencil);
    RightClickTile(5, 5);  // a map tool picks a chip instead
    EXPECT_EQ(OpenWindow(), nullptr);
}

TEST_F(EditorScreenTools, MenuNearTheCornerOpensAboveAndLeftOfTheMouse) {
    Install({AreaClass_Short});
    Editor().SetTool(EditorTool_ObjectPlace);
    Frame();
    RightClickAt(530, 440);
    auto* menu = Window<CBeigePopup>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetX(), 530 - 200);
    EXPECT_EQ(menu->GetY(), 440 - 52);
}

}  // namespace
