// The editor's root form, its tool buttons with their animated icons, the big close button, the
// area tabs and area buttons and the zoom dial.
#include <cmath>
#include <memory>
#include <numbers>

#include "controls/Dialogs.h"
#include "editor_windows/AreaSelectTabList.h"
#include "editor_windows/EditerRootForm.h"
#include "editor_windows/EditorToolButtons.h"
#include "editor_windows/ZoomControl.h"
#include "tests/editor_windows/editor_windows_test.h"

using namespace Controls;
using controltest::Blit;
using controltest::EventLog;

namespace {

class RootAndButtons : public editorwindowtest::EditorWindowTest {};

// Steps a button's frame counter to `frames` (it counts 1 a frame at 60 frames a second).
void RunFrames(GCBase& root, int frames) {
    for (int i = 0; i < frames; ++i) root.Update();
}

TEST_F(RootAndButtons, RootFormPaintsBandsThenChildrenThenFrameThenWindow) {
    CEditerRootForm root(8, 48, 540, 448);
    root.AddControl(std::make_unique<CBigCloseButton>(592, 4));
    root.SetModalForm(std::make_unique<CMessageWindow>("テスト"));
    root.Draw();
    // The four bands outside the viewport, in the window colour.
    ASSERT_GE(port.rects.size(), 4u);
    const int band = int(PackColor(205, 165, 106));
    EXPECT_EQ(port.rects[0], (std::vector<int>{0, 0, 8, 480, band}));
    EXPECT_EQ(port.rects[1], (std::vector<int>{540, 0, 640, 480, band}));
    EXPECT_EQ(port.rects[2], (std::vector<int>{8, 0, 540, 48, band}));
    EXPECT_EQ(port.rects[3], (std::vector<int>{8, 448, 540, 480, band}));
    // The close button first, the frame's last corner after it, the window after that.
    const auto closeAt =
        std::find(port.blits.begin(), port.blits.end(), Blit{592, 4, kSheet1, 136, 160, 176, 200});
    const auto cornerAt =
        std::find(port.blits.begin(), port.blits.end(), Blit{500, 408, kSheet2, 80, 208, 120, 248});
    ASSERT_NE(closeAt, port.blits.end());
    ASSERT_NE(cornerAt, port.blits.end());
    EXPECT_LT(closeAt, cornerAt);
    EXPECT_TRUE(port.Drew({8, 48, kSheet2, 0, 128, 40, 168}));
    // The partial top edge: 532 wide leaves 12 pixels after the last whole piece.
    EXPECT_TRUE(port.Drew({488, 48, kSheet2, 40, 128, 52, 168}));
    EXPECT_GT(port.blits.end() - cornerAt, 1);  // the window's pieces come after the corner

    port.ClearDrawing();
    root.SetVisible(false);
    root.Draw();
    EXPECT_TRUE(port.blits.empty());
    EXPECT_TRUE(port.rects.empty());
}

TEST_F(RootAndButtons, IconsAnimateFromCreationByTheirOwnRules) {
    COriginalBaseForm root;
    auto* pencil = root.AddControl(std::make_unique<CEditorDrawButton>(0, 0));
    auto* rect = root.AddControl(std::make_unique<CEditorRectangleButton>(100, 0));
    auto* undo = root.AddControl(std::make_unique<CEditorUndoButton>(200, 0));
    auto* music = root.AddControl(std::make_unique<CMusicPlayButton>(300, 0));
    Hover(500, 300);
    RunFrames(root, 30);
    ASSERT_NEAR(pencil->GetFrameCounter(), 30.0, 1e-3);
    // Resting: nothing is on and the mouse is away.
    EXPECT_EQ(ToolIconPiece(pencil->GetIcon(), false, false, 30).left, 0);
    // Under the mouse at counter 30: the pencil's cycle of 30 starts again, the rectangle's of 40
    // reaches its fourth phase, its resting piece.
    const IconPiece p = ToolIconPiece(pencil->GetIcon(), true, false, 30);
    EXPECT_EQ(p.left, 40);
    EXPECT_EQ(p.top, 0);
    const IconPiece r = ToolIconPiece(rect->GetIcon(), true, false, 30);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 80);
    // Tools that are on keep moving away from the mouse; undo only moves under it.
    pencil->TurnOn();
    port.ClearDrawing();
    root.Draw();
    EXPECT_TRUE(port.Drew({2, 2, kSheet3, 40, 0, 80, 40}));  // on: sunk by 2 and animating
    EXPECT_TRUE(port.Drew({200, 0, kSheet3, 80, 0, 120, 40}));
    (void)undo;
    // The music button moves only while on: off under the mouse it rests.
    EXPECT_EQ(ToolIconPiece(music->GetIcon(), true, false, 25).left, 80);
    EXPECT_EQ(ToolIconPiece(music->GetIcon(), false, true, 35).top, 40);  // fourth phase repeats the second
    EXPECT_EQ(ToolIconPiece(music->GetIcon(), false, true, 35).left, 80);
}

TEST_F(RootAndButtons, TestPlayStepsEveryEightFramesAndDisabledButtonsKeepTheirIcon) {
    COriginalBaseForm root;
    auto* play = root.AddControl(std::make_unique<CTestPlayButton>(0, 0));
    EXPECT_EQ(ToolIconPiece(play->GetIcon(), true, false, 8).top, 120);  // second phase (0, 120)
    EXPECT_EQ(ToolIconPiece(play->GetIcon(), true, false, 23.9).left, 40);
    play->SetEnabled(false);
    root.Draw();
    ASSERT_GE(port.blits.size(), 3u);
    EXPECT_EQ(port.blits[1], (Blit{0, 0, kSheet4, 0, 80, 40, 120}));
    EXPECT_EQ(port.blits[2], (Blit{0, 0, kSheet1, 160, 0, 200, 40}));  // the grey mark over it
}

TEST_F(RootAndButtons, EditModeSwitchShowsThePairOfItsState) {
    COriginalBaseForm root;
    auto* mode = root.AddControl(std::make_unique<CChangeEditModeButton>(0, 0));
    root.Draw();
    EXPECT_TRUE(port.Drew({0, 0, kSheet3, 80, 160, 120, 200}));
    mode->TurnOn();
    Hover(10, 10);
    RunFrames(root, 12);
    port.ClearDrawing();
    root.Draw();
    EXPECT_TRUE(port.Drew({2, 2, kSheet3, 120, 200, 160, 240}));
}

TEST_F(RootAndButtons, BigCloseButtonPiecesAndCancelSound) {
    COriginalBaseForm root;
    EventLog log;
    auto* close = root.AddControl(std::make_unique<CBigCloseButton>(100, 100));
    close->AddPushedEventHandler(&log);
    Hover(110, 110);
    root.Update();
    root.Draw();
    EXPECT_TRUE(port.Drew({100, 100, kSheet1, 176, 160, 216, 200}));
    SetMouse(110, 110, true, false, false);
    root.Update();
    port.ClearDrawing();
    root.Draw();
    EXPECT_TRUE(port.Drew({100, 100, kSheet1, 216, 160, 256, 200}));
    Click(root, 110, 110);
    EXPECT_EQ(log.Count("push"), 1);
    EXPECT_EQ(port.CountSound(4), 1);
    EXPECT_EQ(port.CountSound(3), 0);
}

TEST_F(RootAndButtons, NewTabListSelectsTheFirstTabAndOffersNoOther) {
    CAreaSelectTabList tabs(10, 51);
    EXPECT_EQ(tabs.GetSelectedIndex(), 0);
    EXPECT_TRUE(tabs.GetTab(0)->IsEnabled());
    for (int i = 1; i < 10; ++i) EXPECT_FALSE(tabs.GetTab(i)->IsEnabled()) << i;
    EXPECT_EQ(tabs.GetTab(10), nullptr);
    EXPECT_EQ(tabs.GetTab(-1), nullptr);
    EXPECT_EQ(tabs.GetTab(9)->GetNumber(), 10);
    EXPECT_EQ(tabs.GetTab(9)->GetY(), 288);
}

TEST_F(RootAndButtons, SelectingTabsFiresOnlyForAnEnabledTabThatWasOff) {
    CAreaSelectTabList tabs(10, 51);
    EventLog log;
    for (int i = 0; i < 10; ++i) tabs.GetTab(i)->AddPushedEventHandler(&log);
    tabs.SelectTab(3);  // disabled
    tabs.SelectTab(-1);
    tabs.SelectTab(10);
    tabs.SelectTab(0);  // already on
    EXPECT_EQ(log.Count("push"), 0);
    tabs.EnableTabsUpTo(9);
    EXPECT_EQ(tabs.GetSelectedIndex(), 0);
    tabs.SelectTab(5);
    EXPECT_EQ(log.Count("push"), 1);
    EXPECT_FALSE(tabs.GetTab(0)->IsDown());
    // Shrinking below the selection first selects the last tab left, then disables the rest.
    tabs.EnableTabsUpTo(2);
    EXPECT_EQ(log.Count("push"), 2);
    EXPECT_EQ(tabs.GetSelectedIndex(), 2);
    EXPECT_TRUE(tabs.GetTab(2)->IsEnabled());
    EXPECT_FALSE(tabs.GetTab(3)->IsEnabled());
}

TEST_F(RootAndButtons, TabPiecesByNumberStateAndTheSelectedTabDrawnLast) {
    COriginalBaseForm root;
    auto* tabs = root.AddControl(std::make_unique<CAreaSelectTabList>(10, 51));
    tabs->EnableTabsUpTo(6);
    tabs->SelectTab(1);
    root.Draw();
    // Tab 6 (index 5): right-hand column, the row of tab 1; off and away from the mouse: 2 left.
    EXPECT_TRUE(port.Drew({8, 51 + 160 - 2, kSheet5, 24, 0, 48, 40}));
    // Disabled tab 8: the grey piece.
    EXPECT_TRUE(port.Drew({8, 51 + 224 - 2, kSheet5, 24 + 96, 80, 24 + 120, 120}));
    // The selected tab 2: its on piece, not shifted, drawn last.
    EXPECT_EQ(port.blits.back(), (Blit{10, 51 + 32 - 2, kSheet5, 48, 40, 72, 80}));
}

TEST_F(RootAndButtons, DisabledAreaPanelHidesItsButtonsButKeepsItsBackground) {
    COriginalBaseForm root;
    auto* panel = root.AddControl(std::make_unique<CAreaButtonArea>(8, 368));
    root.Draw();
    EXPECT_TRUE(port.Drew({8, 368, kSheet5, 160, 0, 192, 80}));
    EXPECT_TRUE(port.Drew({12, 376, kSheet5, 160, 80, 176, 96}));
    EXPECT_TRUE(port.Drew({12, 400, kSheet5, 176, 80, 192, 96}));
    EXPECT_TRUE(port.Drew({12, 424, kSheet5, 192, 80, 208, 96}));
    panel->SetEnabled(false);
    EXPECT_FALSE(dynamic_cast<COriginalBaseButton*>(panel->GetThirdControl())->IsEnabled());
    port.ClearDrawing();
    root.Draw();
    ASSERT_EQ(port.blits.size(), 1u);
    EXPECT_EQ(port.blits[0], (Blit{8, 368, kSheet5, 192, 0, 224, 80}));
}

TEST_F(RootAndButtons, ZoomHandleFollowsItsAngleAndStaysInItsRange) {
    COriginalBaseForm root;
    auto* zoom = root.AddControl(std::make_unique<CZoomControl>(568, 48, 0.0));
    root.Draw();
    EXPECT_TRUE(port.Drew({568, 48, kSheet2, 128, 120, 192, 184}));
    EXPECT_TRUE(port.Drew({568 + 44, 48 + 20, kSheet2, 232, 40, 256, 64}));
    // Grab the handle at its centre (624, 80) and drag it up past the top: it stops at -pi/2.
    SetMouse(624, 80, true, false, false);
    root.Update();
    EXPECT_TRUE(zoom->IsDragging());
    EXPECT_EQ(port.CountSound(3), 1);
    SetMouse(601, 40, false, false, true);
    root.Update();
    SetMouse(560, 60, false, false, true);
    root.Update();
    EXPECT_DOUBLE_EQ(zoom->angle, CZoomControl::kSmallestAngle);
    port.ClearDrawing();
    root.Draw();
    EXPECT_TRUE(port.Drew({568 + 32 - 12, 48 + 8 - 12, kSheet2, 232, 88, 256, 112}));  // dragged piece
    // Down and round to the left: it stops at pi.
    SetMouse(650, 130, false, false, true);
    root.Update();
    SetMouse(600, 140, false, false, true);
    root.Update();
    SetMouse(540, 90, false, false, true);
    root.Update();
    SetMouse(540, 70, false, false, true);
    root.Update();
    EXPECT_DOUBLE_EQ(zoom->angle, CZoomControl::kLargestAngle);
    SetMouse(540, 70, false, true, false);
    root.Update();
    EXPECT_FALSE(zoom->IsDragging());
    Hover(577, 81);
    root.Update();
    port.ClearDrawing();
    root.Draw();
    EXPECT_TRUE(port.Drew({568 + 8 - 12, 48 + 32 - 12, kSheet2, 232, 64, 256, 88}));  // hovered piece
}

}  // namespace
