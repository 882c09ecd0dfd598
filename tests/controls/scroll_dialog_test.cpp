// Scroll-bar arithmetic (snapping, stepping, the grip mapping, clamps, the grip drag) and the
// dialogs' results and popup menus.
#include <memory>

#include "controls/Dialogs.h"
#include "controls/ScrollBars.h"
#include "tests/controls/control_test.h"

using namespace Controls;

namespace {

class ScrollTest : public controltest::ControlTest {
  protected:
    CBasicVerticalScrollBar* AddBar(int value, int maximum, int minimum, int step, int length) {
        return root.AddControl(
            std::make_unique<CBasicVerticalScrollBar>(0, 0, value, maximum, minimum, step, length));
    }
    COriginalBaseForm root;
};

TEST_F(ScrollTest, GripTopFollowsTheValueAcrossTheTrack) {
    auto* bar = AddBar(0, 1, 0, 1, 180);
    EXPECT_EQ(bar->GetGrip()->GetY(), 17);
    bar->SetMaximum(10);
    EXPECT_EQ(bar->GetValue(), 0);
    bar->SetValue(10);
    EXPECT_EQ(bar->GetGrip()->GetY(), 139);
    bar->SetValue(5);
    EXPECT_EQ(bar->GetGrip()->GetY(), 78);
}

TEST_F(ScrollTest, ValuesSnapToTheNearestStepWithTheMaximumAlwaysReachable) {
    auto* bar = AddBar(0, 10, 0, 3, 180);
    bar->SetValue(4);
    EXPECT_EQ(bar->GetValue(), 3);  // a remainder below half a step rounds down
    bar->SetValue(5);
    EXPECT_EQ(bar->GetValue(), 6);
    bar->SetValue(10);
    EXPECT_EQ(bar->GetValue(), 10);
    bar->StepBack();
    EXPECT_EQ(bar->GetValue(), 9);
    bar->StepBack();
    EXPECT_EQ(bar->GetValue(), 6);
    bar->SetValue(9);
    bar->StepForward();
    EXPECT_EQ(bar->GetValue(), 10);
    bar->SetValue(-7);
    EXPECT_EQ(bar->GetValue(), 0);
}

TEST_F(ScrollTest, RangeSettersKeepTheRangeOpen) {
    auto* bar = AddBar(0, 10, 0, 1, 20);
    EXPECT_EQ(bar->GetLength(), 32);
    EXPECT_EQ(bar->GetHeight(), 20);
    bar->SetMinimum(12);
    EXPECT_EQ(bar->GetMinimum(), 9);
    EXPECT_EQ(bar->GetValue(), 9);
    auto* other = AddBar(0, 5, 0, 1, 100);
    other->SetMaximum(0);
    EXPECT_EQ(other->GetMaximum(), 1);
}

TEST_F(ScrollTest, VisiblePercentIsClampedAndTheGripNeverShorterThan24) {
    auto* bar = AddBar(0, 10, 0, 1, 234);
    bar->SetVisiblePercent(250);
    EXPECT_EQ(bar->GetGrip()->GetLength(), 200);
    bar->SetVisiblePercent(0.5);
    EXPECT_EQ(bar->GetGrip()->GetLength(), 24);
    bar->SetVisiblePercent(50);
    EXPECT_EQ(bar->GetGrip()->GetLength(), 100);
    bar->SetValue(10);
    EXPECT_EQ(bar->GetGrip()->GetY() + 100, 234 - 17);
}

TEST_F(ScrollTest, DraggedGripMovesFreelyWhileTheValueStepsThenSnapsOnRelease) {
    auto* bar = AddBar(0, 10, 0, 5, 180);
    Press(8, 20);
    root.Update();
    ASSERT_TRUE(bar->GetGrip()->IsDragging());
    EXPECT_EQ(port.CountSound(ControlSound::kPush), 1);
    Hold(8, 20 + 50);
    root.Update();
    root.Update();
    EXPECT_EQ(bar->GetGrip()->GetY(), 67);  // pixel by pixel
    EXPECT_EQ(bar->GetValue(), 5);          // 4.1 of 10 snaps to the step at 5
    Release(8, 70);
    root.Update();
    EXPECT_EQ(bar->GetValue(), 5);
    EXPECT_EQ(bar->GetGrip()->GetY(), 17 + 61);
}

TEST_F(ScrollTest, ArrowsStepAndABarThatIsNotReadyIgnoresThemAndDrawsNothing) {
    auto* bar = AddBar(0, 10, 0, 1, 100);
    Click(root, 8, 100 - 8);
    EXPECT_EQ(bar->GetValue(), 1);
    Click(root, 8, 8);
    EXPECT_EQ(bar->GetValue(), 0);
    bar->SetReady(false);
    Click(root, 8, 100 - 8);
    EXPECT_EQ(bar->GetValue(), 0);
    DrawFrame(root);
    EXPECT_TRUE(port.blits.empty());
}

TEST_F(ScrollTest, TrackFillsTheSpaceBetweenTheArrows) {
    AddBar(0, 10, 0, 1, 180);
    DrawFrame(root);
    int covered = 0;
    for (const auto& b : port.blits) {
        if (b.key == "Controls_002") covered += b.bottom - b.top;
    }
    EXPECT_EQ(covered, 180 - 32);
}

class DialogTest : public controltest::ControlTest {
  protected:
    COriginalBaseForm root;
};

TEST_F(DialogTest, ClosingAConfirmWindowCountsAsNoAndAConfirmCancelAsCancel) {
    auto* confirm = root.OpenModal(std::make_unique<CConfirmWindow>("消しますか？"));
    Click(root, 160 + 320 - 32 + 4, 160 + 12 + 4);
    EXPECT_EQ(confirm->GetState(), kStateClosed);
    EXPECT_EQ(confirm->GetResult(), kResultNo);
    root.Update();
    auto* cancel = root.OpenModal(std::make_unique<CConfirmCancelWindow>("保存しますか？"));
    cancel->GetCloseButton()->PerformPush();
    EXPECT_EQ(cancel->GetResult(), kResultCancel);
    root.SetModalForm(nullptr);
    auto* again = root.OpenModal(std::make_unique<CConfirmCancelWindow>("保存しますか？"));
    again->GetNoButton()->PerformPush();
    EXPECT_EQ(again->GetResult(), kResultNo);
    EXPECT_EQ(port.CountSound(4), 3);  // two close buttons and "いいえ"
}

TEST_F(DialogTest, PopupGrowsWithItsItemsAndRecordsThePickedOne) {
    auto* popup = root.OpenModal(std::make_unique<CBeigePopup>(100, 100, 120, "メニュー"));
    popup->AddItem("切り取り", true);
    popup->AddItem("コピー", false);
    popup->AddItem("貼り付け", true);
    EXPECT_EQ(popup->GetHeight(), 92);
    EXPECT_EQ(popup->GetControls().At(3)->GetY(), 64);
    Click(root, 110, 100 + 44 + 5);  // the disabled item
    EXPECT_EQ(popup->GetState(), kStateActive);
    Click(root, 110, 100 + 64 + 5);
    EXPECT_EQ(popup->GetState(), kStateClosed);
    EXPECT_EQ(popup->GetSelectedText(), "貼り付け");
}

TEST_F(DialogTest, RightClickOrAPressOutsideClosesAPopupWithoutAChoice) {
    auto* popup = root.OpenModal(std::make_unique<CBeigePopup>(100, 100, 120, "t"));
    popup->AddItem("a", true);
    Press(110, 110);  // inside, above the item
    root.Update();
    EXPECT_EQ(popup->GetState(), kStateActive);
    RightPress(110, 130);
    root.Update();
    EXPECT_EQ(popup->GetState(), kStateClosed);
    EXPECT_EQ(popup->GetSelectedText(), "");
    root.Update();
    auto* second = root.OpenModal(std::make_unique<CBeigePopup>(100, 100, 120, "t"));
    second->AddItem("a", true);
    Press(10, 10);
    root.Update();
    EXPECT_EQ(second->GetState(), kStateClosed);
    EXPECT_EQ(port.CountSound(ControlSound::kCloseWindow), 2);
}

}  // namespace
