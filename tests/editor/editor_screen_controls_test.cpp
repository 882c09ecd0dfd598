// The editor screen's controls: what the build enters under which name, which controls a stage and
// each tool offer, the tool buttons and erasers following the model, undo and redo by buttons and
// keys, the area tabs, the zoom dial and the help balloon.
#include "editor_screen_env.h"
#include "editor_windows/AreaSelectTabList.h"
#include "editor_windows/InfomationWindow.h"
#include "editor_windows/PopUpHelp.h"
#include "editor_windows/ZoomControl.h"
#include "stage/StageChips.h"

using editortest::EditorScreenTest;
using EditorScreenControls = EditorScreenTest;
using namespace Controls;

namespace {

const char* const kAlwaysOffered[] = {"RenewButton", "OpenButton", "InfomationButton", "CloseButton"};
const char* const kStageOnly[] = {
    "SaveButton",        "DrawButton",     "RectangleButton", "FillButton",      "editModeButton",
    "ConfigButton",      "TestPlayButton", "SendStageButton", "MapEraserButton", "ObjectEraserButton",
    "NaturalChipButton", "ItemChipButton", "AreaAddButton",   "AreaDeleteButton"};

TEST_F(EditorScreenControls, WithoutAStageOnlyNewOpenInformationAndCloseAreOffered) {
    for (const char* name : kAlwaysOffered) EXPECT_TRUE(Enabled(name)) << name;
    for (const char* name : kStageOnly) EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_TRUE(On("DrawButton"));
    // Every control the screen reaches is entered; a name never entered is not found, and looking
    // it up (a const lookup) enters nothing.
    for (const char* name :
         {"FileButtonList", "DrawButtonList", "UndoButtonList", "OtherButtonList", "EraserButtonList",
          "ChipSelectButtonList", "CenterBarX", "CenterBarY", "ZoomControl", "AreaSelectTabList",
          "AreaSelectTab9", "AreaButtonArea", "FooterLabel"})
        EXPECT_NE(screen->GetControl(name), nullptr) << name;
    const CEditorScreen& looked = *screen;
    EXPECT_EQ(looked.GetControl("NoSuchButton"), nullptr);
    EXPECT_EQ(looked.GetControlAs<COriginalBaseButton>("NoSuchButton"), nullptr);
    auto help = [&](const char* name) {
        return screen->GetControlAs<COriginalBaseButton>(name)->GetHelpText();
    };
    EXPECT_EQ(help("AreaSelectTab0"), "エリア１を開く");
    EXPECT_EQ(help("AreaSelectTab9"), "エリア１０を開く");
    EXPECT_EQ(help("ItemChipButton"), "様々なアイテム");
    EXPECT_EQ(screen->GetControlAs<COriginalBaseButton>("ItemChipButton")->GetText(), "ｱｲﾃﾑ");
    // A push on a disabled button does nothing; the editor draws nothing without a stage.
    ClickControl("SaveButton");
    EXPECT_EQ(OpenWindow(), nullptr);
    ClickControl("InfomationButton");
    EXPECT_NE(Window<CInfomationWindow>(), nullptr);
}

TEST_F(EditorScreenControls, ToolsDecideWhichControlsAreOffered) {
    Install({AreaClass_Short});
    for (const char* name : kStageOnly) EXPECT_TRUE(Enabled(name)) << name;
    EXPECT_FALSE(Enabled("UndoButton"));  // nothing to undo yet
    Editor().SetTool(EditorTool_ObjectPlace);
    Frame();
    EXPECT_FALSE(Enabled("DrawButton"));
    EXPECT_FALSE(Enabled("FillButton"));
    EXPECT_TRUE(On("editModeButton"));
    // Picking a point locks everything but the close button, the tabs, the bars and the dial.
    Editor().SetTool(EditorTool_PickStart);
    Frame();
    for (const char* name : {"RenewButton", "OpenButton", "SaveButton", "InfomationButton", "ConfigButton",
                             "NaturalChipButton", "AreaAddButton"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_TRUE(Enabled("CloseButton"));
    EXPECT_TRUE(Enabled("AreaSelectTab0"));
    // Back to a map tool: the rectangle button is turned on and its tool kept.
    Editor().SetTool(EditorTool_Rectangle);
    Frame();
    EXPECT_TRUE(On("RectangleButton"));
    EXPECT_FALSE(On("DrawButton"));
    EXPECT_TRUE(Enabled("InfomationButton"));
}

TEST_F(EditorScreenControls, EditModeSwitchReturnsToTheLastToolOfEachKind) {
    Install({AreaClass_Short});
    ClickControl("RectangleButton");
    ClickControl("ObjectEraserButton");
    EXPECT_EQ(Editor().GetTool(), EditorTool_ObjectEraser);
    EXPECT_TRUE(On("editModeButton"));
    ClickControl("editModeButton");  // switched off: back to the rectangle
    EXPECT_EQ(Editor().GetTool(), EditorTool_Rectangle);
    EXPECT_FALSE(On("ObjectEraserButton"));
    ClickControl("editModeButton");  // on again: the object eraser, by its own button
    EXPECT_EQ(Editor().GetTool(), EditorTool_ObjectEraser);
    EXPECT_TRUE(On("ObjectEraserButton"));
    // An eraser that is on is not clicked off.
    ClickControl("ObjectEraserButton");
    EXPECT_TRUE(On("ObjectEraserButton"));
}

TEST_F(EditorScreenControls, MapEraserFollowsTheChip) {
    Install({AreaClass_Short});
    ClickControl("MapEraserButton");
    EXPECT_EQ(Editor().GetCurrentChip(), 0);
    EXPECT_EQ(Editor().GetTool(), EditorTool_Pencil);  // a map tool stays
    Frame();
    EXPECT_TRUE(On("MapEraserButton"));
    Editor().SetCurrentChip(64);
    Frame();
    EXPECT_FALSE(On("MapEraserButton"));
    // From an object tool the eraser returns to the last map tool.
    Editor().SetTool(EditorTool_ObjectPlace);
    Frame();
    ClickControl("MapEraserButton");
    EXPECT_EQ(Editor().GetTool(), EditorTool_Pencil);
}

TEST_F(EditorScreenControls, UndoAndRedoByButtonsAndKeys) {
    Install({AreaClass_Short});
    ClickTile(5, 5);
    ClickTile(7, 5);
    EXPECT_NE(Chip(5, 5), 0);
    Frame();
    EXPECT_TRUE(Enabled("UndoButton"));
    EXPECT_FALSE(Enabled("RedoButton"));
    ClickControl("UndoButton");
    EXPECT_EQ(Chip(7, 5), 0);
    EXPECT_NE(Chip(5, 5), 0);
    keys.control = keys.z = true;
    Frame();
    EXPECT_EQ(Chip(5, 5), 0);
    EXPECT_EQ(port.CountSound(0), 1);
    keys.control = keys.z = true;  // nothing left to undo: no sound
    Frame();
    EXPECT_EQ(port.CountSound(0), 1);
    ClickControl("RedoButton");
    EXPECT_NE(Chip(5, 5), 0);
    keys.control = keys.shift = keys.z = true;
    Frame();
    EXPECT_NE(Chip(7, 5), 0);
    Frame();
    EXPECT_FALSE(Enabled("RedoButton"));
}

TEST_F(EditorScreenControls, TabsShowTheAreasAndSwitchBackToTheirView) {
    Install({AreaClass_Short, AreaClass_OneRoom, AreaClass_Short});
    auto* tabs = screen->GetControlAs<CAreaSelectTabList>("AreaSelectTabList");
    EXPECT_TRUE(tabs->GetTab(2)->IsEnabled());
    EXPECT_FALSE(tabs->GetTab(3)->IsEnabled());
    EXPECT_EQ(Editor().GetSavedScrollX(0), 4);  // the start point (1, 1), held to the bar's range
    Editor().SetScrollPosition(60, 8);
    Frame();
    ClickControl("AreaSelectTab2");
    EXPECT_EQ(Stage().GetCurrentAreaIndex(), 2);
    EXPECT_EQ(Editor().GetSavedScrollX(0), 60);
    ClickControl("AreaSelectTab0");
    EXPECT_EQ(Stage().GetCurrentAreaIndex(), 0);
    EXPECT_EQ(screen->GetScrollX(), 60);
    ClickControl("AreaSelectTab5");  // no such area
    EXPECT_EQ(Stage().GetCurrentAreaIndex(), 0);
}

TEST_F(EditorScreenControls, ZoomDialTurnsTheCameraFromThreeQuartersToTwoAndAQuarter) {
    Install({AreaClass_Short});
    const float base = CCamera::GetInstance()->GetBaseScale();
    EXPECT_FLOAT_EQ(CCamera::GetInstance()->GetZoomRate(), 1.25f * base);
    auto* dial = screen->GetControlAs<CZoomControl>("ZoomControl");
    dial->angle = CZoomControl::kSmallestAngle;
    Frame();
    EXPECT_FLOAT_EQ(CCamera::GetInstance()->GetZoomRate(), 0.75f * base);
    dial->angle = CZoomControl::kLargestAngle;
    Frame();
    EXPECT_FLOAT_EQ(CCamera::GetInstance()->GetZoomRate(), 2.25f * base);
    // Dragging the handle from its start (right of the centre) up to the top.
    dial->angle = 0;
    Frame();
    PressAt(568 + 32 + 24, 48 + 32);
    MoveTo(568 + 33, 48 + 2, true);
    Frame();
    MoveTo(568 + 10, 48 + 10, true);
    Frame();
    Release();
    EXPECT_DOUBLE_EQ(dial->angle, CZoomControl::kSmallestAngle);
}

TEST_F(EditorScreenControls, BalloonFollowsTheButtonsUnderTheMouse) {
    Install({AreaClass_Short});
    // The pencil's middle is (160, 24): at the top edge the balloon hangs below.
    MoveTo(160, 24);
    Frame();
    ASSERT_NE(screen->GetPopUpHelp(), nullptr);
    EXPECT_EQ(screen->GetPopUpHelp()->GetText(), "えんぴつモード");
    EXPECT_EQ(screen->GetPopUpHelp()->GetY(), 40);
    // Straight onto the rectangle button: the new balloon survives the old button's leaving.
    MoveTo(203, 24);
    Frame();
    ASSERT_NE(screen->GetPopUpHelp(), nullptr);
    EXPECT_EQ(screen->GetPopUpHelp()->GetText(), "範囲描画モード");
    // A side button lower down: the balloon stands above its middle.
    MoveTo(600, 160 + 20);
    Frame();
    EXPECT_EQ(screen->GetPopUpHelp()->GetY(), 164);
    MoveTo(600, 470);
    Frame();
    EXPECT_EQ(screen->GetPopUpHelp(), nullptr);
}

TEST_F(EditorScreenControls, ObjectBalloonSitsAtTheTileCornerAndStaysWhileTheTileDoes) {
    Install({AreaClass_Short});
    Editor().SetCurrentObjectKey("Kid001");
    Editor().SetTool(EditorTool_ObjectPlace);
    Frame();
    ClickTile(6, 6);
    ClickTile(7, 6);
    MoveToTile(6, 6);
    const int before = port.CountSound(3);
    Frame();
    ASSERT_NE(screen->GetPopUpHelp(), nullptr);
    const CCamera* camera = CCamera::GetInstance();
    EXPECT_EQ(screen->GetPopUpHelp()->GetX(), int(camera->WorldToScreenX(7 * 32.0f, 6 * 32.0f)));
    EXPECT_EQ(screen->GetPopUpHelp()->GetY(), int(camera->WorldToScreenY(7 * 32.0f, 6 * 32.0f)));
    EXPECT_EQ(port.CountSound(3), before + 1);
    const CPopUpHelp* first = screen->GetPopUpHelp();
    Frame();
    EXPECT_EQ(screen->GetPopUpHelp(), first);  // the same tile keeps it, without a sound
    EXPECT_EQ(port.CountSound(3), before + 1);
    MoveToTile(7, 6);
    Frame();
    EXPECT_EQ(port.CountSound(3), before + 2);
    MoveToTile(8, 6);  // an empty tile
    Frame();
    EXPECT_EQ(screen->GetPopUpHelp(), nullptr);
}

}  // namespace

namespace {

TEST_F(EditorScreenControls, AMissingNamedControlIsPassedOver) {
    Install({AreaClass_Short});
    ClickControl("ObjectEraserButton");
    ClickControl("editModeButton");  // back to the pencil; the last object tool is the eraser
    // Every name the screen reaches may lose its control: nothing breaks.
    for (const char* name : {"ObjectEraserButton", "DrawButton", "editModeButton", "FooterLabel",
                             "CenterBarX", "ZoomControl", "AreaSelectTabList", "UndoButton"})
        screen->ForgetControl(name);
    Editor().SetTool(EditorTool_Rectangle);
    Editor().SetTool(EditorTool_Pencil);
    MoveToTile(3, 3);
    Frames(2);
    screen->OnPushed(screen->GetControlAs<GCButton>("RectangleButton"));
    EXPECT_EQ(Editor().GetTool(), EditorTool_Rectangle);
    EXPECT_EQ(screen->GetScrollX(), 0);
}

}  // namespace
