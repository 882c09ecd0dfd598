// Tiles and screen points through the camera, scrolling, the views kept per area, and tools.
#include "editor_env.h"
#include "engine/Camera.h"
#include "stage/StageChips.h"

using editortest::EditorTest;
using EditorView = EditorTest;

TEST_F(EditorView, ScreenPointsAndTiles) {
    auto editor = MakeEditor(MakeStage({AreaClass_VerticalShort}));
    CCamera* camera = CCamera::GetInstance();
    EXPECT_FLOAT_EQ(camera->GetScale(), 0.8f);  // the editor looks from 1.25 times the base zoom
    camera->SetTarget(0, 0, -1);
    // World x = (sx - 320) / 0.8 about the camera at world 0.
    EXPECT_EQ(editor->ScreenToTileX(320, 240), 0);
    EXPECT_EQ(editor->ScreenToTileX(319, 240), -1);  // world -1.25
    EXPECT_EQ(editor->ScreenToTileX(345, 240), 0);   // world 31.25
    EXPECT_EQ(editor->ScreenToTileX(346, 240), 1);   // world 32.5
    EXPECT_EQ(editor->ScreenToTileY(320, 200), -2);  // world -50
    EXPECT_FALSE(editor->IsScreenPointOnMap(319, 240));
    EXPECT_TRUE(editor->IsScreenPointOnMap(320, 240));

    camera->SetTarget(320, 240, -1);
    EXPECT_TRUE(editor->IsScreenPointOnMap(540, 448));  // the view's edges count as inside
    EXPECT_FALSE(editor->IsScreenPointOnMap(541, 448));
    EXPECT_FALSE(editor->IsScreenPointOnMap(540, 449));
    EXPECT_TRUE(editor->IsTileInArea(19, 119));
    EXPECT_FALSE(editor->IsTileInArea(20, 0));

    CEditor empty(nullptr, EditorMode::kPlayer, &view);
    EXPECT_EQ(empty.ScreenToTileX(0, 0), 0);
    EXPECT_FALSE(empty.IsScreenPointOnMap(320, 240));
}

TEST_F(EditorView, ScrollingFollowsTheAreaAndItsRememberedView) {
    auto editor = MakeEditor(MakeStage({AreaClass_Short, AreaClass_OneRoom}, 50, 6));
    EXPECT_EQ(view.minX, 4);
    EXPECT_EQ(view.maxX, 155);
    EXPECT_EQ(view.minY, 3);
    EXPECT_EQ(view.maxY, 11);
    EXPECT_EQ(view.x, 50);  // the start point is shown first
    EXPECT_EQ(view.y, 6);
    EXPECT_EQ(view.tabCount, 2);

    view.SetScrollPosition(10, 8);
    editor->ApplyScrollBarsToCamera();
    const CCamera* camera = CCamera::GetInstance();
    EXPECT_FLOAT_EQ(camera->GetX(), 348.0f);  // 10 x 32 + 0.8 x 35
    EXPECT_FLOAT_EQ(camera->GetY(), 249.0f);  // 8 x 32 - 0.8 x 8, cut to whole pixels
    editor->ScrollToCell(10, 8);              // well inside the view: stays
    EXPECT_EQ(view.x, 10);
    editor->ScrollToCell(30, 8);
    EXPECT_EQ(view.x, 30);
    editor->ScrollToCell(200, 8);  // off the map
    editor->ScrollToCell(-1, 8);
    EXPECT_EQ(view.x, 30);

    editor->SwitchToArea(1);
    EXPECT_EQ(editor->GetStage()->GetCurrentAreaIndex(), 1);
    EXPECT_EQ(view.maxX, 15);
    EXPECT_EQ(view.x, 10);  // a new area's view: column 10, row height - 7
    EXPECT_EQ(view.y, 8);
    editor->SwitchToArea(0);
    EXPECT_EQ(view.x, 30);
    editor->SwitchToArea(5);
    editor->SelectArea(0);
    EXPECT_EQ(editor->GetStage()->GetCurrentAreaIndex(), 0);
    EXPECT_EQ(view.selectedTab, 0);
}

TEST_F(EditorView, ToolsRememberTheLastOfEachKind) {
    CEditor editor(nullptr, EditorMode::kPlayer, &view);
    editor.SetTool(EditorTool_Rectangle);
    editor.SetTool(EditorTool_ObjectEraser);
    EXPECT_EQ(editor.GetLastMapTool(), EditorTool_Rectangle);
    EXPECT_TRUE(editor.IsObjectTool());
    editor.SetTool(EditorTool_PickStart);  // a locked tool remembers nothing
    EXPECT_TRUE(editor.IsLockedTool());
    editor.SetTool(EditorTool_Fill);
    EXPECT_EQ(editor.GetLastObjectTool(), EditorTool_ObjectPlace);
    editor.SetTool(EditorTool_ObjectEraser);
    editor.SetTool(EditorTool_Pencil);
    EXPECT_EQ(editor.GetLastObjectTool(), EditorTool_ObjectEraser);
    EXPECT_EQ(editor.GetLastMapTool(), EditorTool_Fill);
    EXPECT_EQ(view.toolChanges, 6);
}
