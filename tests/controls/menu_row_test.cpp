// The swaying top-menu button (sway range, activation and its sounds) and the posted-stage row
// (colours, the delete link's tag, sprites freed while hidden).
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "controls/StageRow.h"
#include "controls/TopMenuButton.h"
#include "tests/controls/control_test.h"

using namespace Controls;

namespace {

class MenuButtonTest : public controltest::ControlTest {
  protected:
    CTopMenuButtonBase& Make(double phase) {
        return *root.AddControl(std::make_unique<CTopMenuButtonBase>(100, 200, 160, 40, phase));
    }
    // A click on the middle of the button, wherever the sway has taken it.
    void ClickOn(CTopMenuButtonBase& b) { Click(root, b.GetX() + 80, 220); }
    COriginalBaseForm root;
};

TEST_F(MenuButtonTest, SwaysTwelvePixelsEachWayAroundWhereItWasPut) {
    auto& b = Make(0);
    auto& late = Make(1.5);
    EXPECT_EQ(b.GetX(), 100);
    EXPECT_EQ(late.GetX(), 111);  // starts at its swayed place
    Hover(0, 0);
    int low = 100, high = 100, apart = 0;
    for (int frame = 0; frame < 420; ++frame) {
        root.Update();
        low = std::min(low, b.GetX()), high = std::max(high, b.GetX());
        apart = std::max(apart, std::abs(b.GetX() - late.GetX()));
        EXPECT_EQ(b.GetY(), 200);
    }
    EXPECT_GE(low, 88);
    EXPECT_LE(low, 89);
    EXPECT_GE(high, 111);
    EXPECT_LE(high, 112);
    EXPECT_GT(apart, 12);  // out of step
}

TEST_F(MenuButtonTest, FirstPushActivatesAndSilencesTheButton) {
    auto& b = Make(0);
    controltest::EventLog log;
    b.AddPushedEventHandler(&log);
    ClickOn(b);
    EXPECT_EQ(log.Count("push"), 1);
    EXPECT_EQ(port.CountSound(2), 1);
    EXPECT_EQ(port.CountSound(ControlSound::kFocus), 1);
    EXPECT_EQ(port.CountSound(ControlSound::kPush), 0);
    ASSERT_TRUE(b.IsActivated());
    const double t = b.GetActivationTime();
    Hover(0, 0);
    root.Update();
    EXPECT_NEAR(b.GetActivationTime(), t + 1, 1e-4);
    ClickOn(b);  // enters again and pushes again
    EXPECT_EQ(log.Count("push"), 2);
    EXPECT_EQ(port.CountSound(2), 1);
    EXPECT_EQ(port.CountSound(ControlSound::kFocus), 1);
}

TEST_F(MenuButtonTest, WithoutActivationPushesStillFireButNeverActivate) {
    auto& b = Make(0);
    b.DisableActivation();
    controltest::EventLog log;
    b.AddPushedEventHandler(&log);
    ClickOn(b);
    b.PerformPush();
    EXPECT_EQ(log.Count("push"), 2);
    EXPECT_EQ(port.CountSound(2), 2);
    EXPECT_EQ(port.CountSound(ControlSound::kFocus), 0);
    EXPECT_FALSE(b.IsActivated());
    EXPECT_EQ(b.GetActivationTime(), 0);

    auto& other = Make(0);
    other.PerformPush();
    EXPECT_TRUE(other.IsActivated());
}

// Remembers the sender of the last push.
struct Sender : IPushedEventHandler {
    GCButton* last = nullptr;
    void OnPushed(GCButton* sender) override { last = sender; }
};

class StageRowTest : public controltest::ControlTest {
  protected:
    CStageMetaInfoGridItem& Make(bool highlight) {
        return *root.AddControl(std::make_unique<CStageMetaInfoGridItem>(
            20, 100, "st0042", "森の冒険", "ななし", "12回", "3.5", highlight, &sender));
    }
    Sender sender;
    COriginalBaseForm root;
};

TEST_F(StageRowTest, HighlightedRowsAreGreenOthersBlueGrey) {
    auto& lit = Make(true);
    auto& plain = Make(false);
    for (int i = 0; i < 4; ++i) {
        const TextLook& a = lit.GetColumn(i)->GetLook();
        const TextLook& b = plain.GetColumn(i)->GetLook();
        EXPECT_EQ((std::vector<int>{a.red, a.green, a.blue}), (std::vector<int>{200, 240, 200}));
        EXPECT_EQ((std::vector<int>{b.red, b.green, b.blue}), (std::vector<int>{200, 200, 240}));
    }
    EXPECT_EQ(lit.GetColumn(3)->GetText(), "3.5");
}

TEST_F(StageRowTest, DeleteLinkTellsItsHandlerTheRowKey) {
    auto& row = Make(false);
    Click(root, 20 + 5, 100 + 5);
    ASSERT_EQ(sender.last, row.GetDeleteLink());
    auto* link = dynamic_cast<CStageMetaInfoGridItemDeleteLinkButton*>(sender.last);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->GetTag(), "st0042");
}

TEST_F(StageRowTest, HidingFreesTheFiveSpritesAndShowingRendersThemAgain) {
    auto& row = Make(false);
    DrawFrame(root);
    ASSERT_EQ(port.captures.size(), 5u);
    row.SetVisible(false);
    EXPECT_EQ(port.released.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(row.GetColumn(i)->HasSprite());
    DrawFrame(root);
    EXPECT_EQ(port.captures.size(), 5u);
    row.SetVisible(true);
    DrawFrame(root);
    EXPECT_EQ(port.captures.size(), 10u);
}

}  // namespace
