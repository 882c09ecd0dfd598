// The button bases: push, push-on-press, toggle and hold-repeat, hover events, disabling and
// blocking, and the one-of-n group.
#include <memory>
#include <vector>

#include "controls/Buttons.h"
#include "controls/Forms.h"
#include "tests/controls/control_test.h"

using namespace Controls;
using controltest::EventLog;
using controltest::Plain;

namespace {

class ButtonTest : public controltest::ControlTest {
  protected:
    template <class T>
    T* Add(std::unique_ptr<T> b) {
        T* raw = root.AddControl(std::move(b));
        raw->AddPushedEventHandler(&log);
        raw->AddFocusedEventHandler(&log);
        raw->AddUnFocusedEventHandler(&log);
        return raw;
    }
    COriginalBaseForm root;
    EventLog log;
};

TEST_F(ButtonTest, PushFiresOnReleaseInsideEvenAfterLeavingAndComingBack) {
    auto* b = Add(std::make_unique<Plain<CBasicPushButton>>(100, 100));
    Press(110, 110);
    root.Update();
    EXPECT_TRUE(b->IsDown());
    Hold(300, 300);
    root.Update();
    EXPECT_TRUE(b->IsDown());  // still armed outside while held
    Hold(120, 120);
    root.Update();
    Release(120, 120);
    root.Update();
    EXPECT_EQ(log.Count("push"), 1);
    EXPECT_EQ(port.CountSound(ControlSound::kPush), 1);
    EXPECT_EQ(log.Count("focus"), 2);
    EXPECT_EQ(log.Count("unfocus"), 1);
}

TEST_F(ButtonTest, PushReleasedOutsideDisarmsWithoutFiring) {
    auto* b = Add(std::make_unique<Plain<CBasicPushButton>>(100, 100));
    Press(110, 110);
    root.Update();
    Release(300, 300);
    root.Update();
    EXPECT_FALSE(b->IsDown());
    Hover(110, 110);
    root.Update();
    EXPECT_EQ(log.Count("push"), 0);
}

TEST_F(ButtonTest, RightAndBottomEdgesCountAsInside) {
    auto* b = Add(std::make_unique<Plain<CBasicPushButton>>(100, 100));
    Hover(140, 140);
    root.Update();
    EXPECT_TRUE(b->IsHovered());
    Hover(141, 140);
    root.Update();
    EXPECT_FALSE(b->IsHovered());
}

TEST_F(ButtonTest, DisabledWhileArmedAndHoveredLosesBothAndLeavesOnce) {
    auto* b = Add(std::make_unique<Plain<CBasicPushButton>>(100, 100));
    Press(110, 110);
    root.Update();
    b->SetEnabled(false);
    Release(110, 110);
    root.Update();
    root.Update();
    EXPECT_FALSE(b->IsDown());
    EXPECT_FALSE(b->IsHovered());
    EXPECT_EQ(log.Count("unfocus"), 1);
    EXPECT_EQ(log.Count("push"), 0);
    Press(110, 110);
    root.Update();
    EXPECT_FALSE(b->IsDown());
}

TEST_F(ButtonTest, ModalOverAHoveredButtonSendsOneLeaveAndLosesNoPush) {
    auto* b = Add(std::make_unique<Plain<CBasicPushButton>>(100, 100));
    Hover(110, 110);
    root.Update();
    root.SetModalForm(std::make_unique<COriginalBaseForm>(400, 400, 10, 10));
    root.Update();
    root.Update();
    EXPECT_EQ(log.Count("unfocus"), 1);
    root.SetModalForm(nullptr);
    Click(root, 110, 110);
    EXPECT_EQ(log.Count("push"), 1);
    EXPECT_FALSE(b->IsDown());
}

TEST_F(ButtonTest, PushImmediateFiresOnThePress) {
    auto* link = Add(std::make_unique<CFreeTextLinkButton>(0, 0, "link", 12));
    Press(2, 2);
    root.Update();
    EXPECT_EQ(log.Count("push"), 1);
    EXPECT_TRUE(link->IsDown());
    Release(2, 2);
    root.Update();
    EXPECT_EQ(log.Count("push"), 1);
    EXPECT_FALSE(link->IsDown());
}

TEST_F(ButtonTest, ToggleSwitchesOnThePressAndClickingOffFiresPullOnly) {
    auto* t = Add(std::make_unique<Plain<CBasicToggleButton>>(0, 0));
    t->AddPulledEventHandler(&log);
    Click(root, 5, 5);
    EXPECT_TRUE(t->IsDown());
    Click(root, 5, 5);
    EXPECT_FALSE(t->IsDown());
    EXPECT_EQ(log.Count("push"), 1);
    EXPECT_EQ(log.Count("pull"), 1);
    t->DisableClickToggle();
    Click(root, 5, 5);
    EXPECT_FALSE(t->IsDown());
    t->TurnOn();
    t->TurnOn();
    EXPECT_EQ(log.Count("push"), 2);
    // A blocked toggle stays on.
    root.SetModalForm(std::make_unique<COriginalBaseForm>(400, 400, 10, 10));
    root.Update();
    EXPECT_TRUE(t->IsDown());
}

class HoldTest : public ButtonTest {
  protected:
    std::vector<int> PushFrames(int frames) {
        std::vector<int> at;
        Press(5, 5);
        root.Update();
        if (log.Count("push") == 1) at.push_back(0);
        for (int f = 1; f <= frames; ++f) {
            const int before = log.Count("push");
            Hold(300, 300);  // the mouse may wander while the button is held
            root.Update();
            if (log.Count("push") > before) at.push_back(f);
        }
        return at;
    }
};

TEST_F(HoldTest, HeldButtonRepeatsAfterTheFirstDelayAtShrinkingIntervals) {
    Add(std::make_unique<CScrollBarUpButton>(0, 0));
    const std::vector<int> at = PushFrames(180);
    ASSERT_GE(at.size(), 4u);
    EXPECT_EQ(at[0], 0);
    EXPECT_EQ(at[1], 27);
    EXPECT_EQ(at[2] - at[1], 11);  // 10.8 frames, the countdown runs out in the 11th
    for (size_t i = 3; i < at.size(); ++i) EXPECT_LE(at[i] - at[i - 1], at[i - 1] - at[i - 2]);
    EXPECT_EQ(at.back() - at[at.size() - 2], 5);  // 4.8 frames near the end of the ramp
}

TEST_F(HoldTest, ReleaseReturnsToRestAndTheNextPressStartsOver) {
    auto* b = Add(std::make_unique<CScrollBarUpButton>(0, 0));
    PushFrames(40);
    Release(5, 5);
    root.Update();
    EXPECT_FALSE(b->IsDown());
    log.events.clear();
    const std::vector<int> at = PushFrames(30);
    ASSERT_EQ(at.size(), 2u);
    EXPECT_EQ(at[1], 27);
}

class ExclusiveTest : public ButtonTest {
  protected:
    ExclusiveTest() {
        list = root.AddControl(std::make_unique<CExclusiveToggleButtonList>(0, 0, 200, 40));
        for (int i = 0; i < 3; ++i) {
            auto* b = list->AddButton(std::make_unique<Plain<CBasicToggleButton>>(50 * i, 0));
            b->AddPushedEventHandler(&logs[i]);
            b->AddPulledEventHandler(&logs[i]);
        }
    }
    CExclusiveToggleButtonList* list;
    EventLog logs[3];
};

TEST_F(ExclusiveTest, ChoosingAnotherButtonSwitchesTheFirstOffAndTheChosenCannotBeClickedOff) {
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    EXPECT_EQ(list->GetButton(-1), nullptr);
    EXPECT_EQ(list->GetButton(3), nullptr);
    list->GetButton(0)->TurnOn();
    EXPECT_EQ(list->GetSelectedIndex(), 0);
    Click(root, 105, 5);
    EXPECT_EQ(list->GetSelectedIndex(), 2);
    EXPECT_EQ(logs[0].Count("pull"), 1);
    EXPECT_EQ(logs[2].Count("push"), 1);
    Click(root, 105, 5);
    EXPECT_EQ(list->GetSelectedIndex(), 2);
    EXPECT_EQ(logs[2].Count("pull"), 0);
    EXPECT_TRUE(list->GetButton(0)->IsClickToggle());
}

TEST_F(ButtonTest, CloseButtonClosesItsWindowWithTheCloseSound) {
    struct Window : CCloseableBeigeForm {
        Window() : CCloseableBeigeForm("t", 0, 0, 160, 80) {}
        void OnButtonPushed(GCButton*) override {}
    };
    auto* w = root.OpenModal(std::make_unique<Window>());
    w->AddClosedEventHandler(&log);
    Click(root, 130, 15);
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(port.CountSound(ControlSound::kCloseWindow), 1);
    EXPECT_EQ(port.CountSound(ControlSound::kPush), 0);
}

}  // namespace
