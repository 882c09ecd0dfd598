// The widget tree: modal forms and their life, state propagation, re-entrant opening and closing,
// visibility, positions and the draggable leaf.
#include <memory>

#include "controls/Buttons.h"
#include "controls/Dialogs.h"
#include "controls/Forms.h"
#include "tests/controls/control_test.h"

using namespace Controls;
using controltest::EventLog;
using controltest::Plain;

namespace {

class WidgetTreeTest : public controltest::ControlTest {
  protected:
    WidgetTreeTest() {
        button = root.AddControl(std::make_unique<Plain<CBasicPushButton>>(20, 20));
        button->AddPushedEventHandler(&log);
    }
    COriginalBaseForm root;
    Plain<CBasicPushButton>* button;
    EventLog log;
};

// A screen owner that opens a second dialog from the first one's closed handler.
struct Replacer : IClosedEventHandler {
    GCForm* root = nullptr;
    void OnClosed(GCForm*) override { root->SetModalForm(std::make_unique<CMessageWindow>("second")); }
};

TEST_F(WidgetTreeTest, ModalFormBlocksTheFormAndOnlyItsOwnButtonsReact) {
    auto* dialog = root.OpenModal(std::make_unique<CMessageWindow>("hello"));
    EXPECT_EQ(root.GetState(), kStateBlocked);
    EXPECT_EQ(button->GetState(), kStateBlocked);
    EXPECT_EQ(dialog->GetState(), kStateActive);
    Click(root, 25, 25);
    EXPECT_TRUE(log.events.empty());

    EventLog closed;
    dialog->AddClosedEventHandler(&closed);
    const int okX = dialog->GetOkButton()->GetAbsoluteX() + 5,
              okY = dialog->GetOkButton()->GetAbsoluteY() + 5;
    Click(root, okX, okY);
    EXPECT_EQ(closed.Count("closed"), 1);
    EXPECT_EQ(dialog->GetState(), kStateClosed);
    // Drawn once more in the frame it closed in.
    DrawFrame(root);
    EXPECT_TRUE(port.Drew({160, 160, "Controls_002", 0, 0, 40, 40}));

    // The next update deletes it, and a button under the mouse reacts in that same update.
    const int live = GCBase::GetLiveCount();
    Press(25, 25);
    root.Update();
    EXPECT_EQ(root.GetModalForm(), nullptr);
    EXPECT_LT(GCBase::GetLiveCount(), live);
    EXPECT_EQ(button->GetState(), kStateActive);
    EXPECT_TRUE(button->IsDown());
}

TEST_F(WidgetTreeTest, ReplacingTheModalFormFromItsOwnHandlerKeepsTheRunningOneAlive) {
    const int before = GCBase::GetLiveCount();
    int messageWidgets;
    {
        CMessageWindow probe("probe");
        messageWidgets = GCBase::GetLiveCount() - before;
    }
    auto* first = root.OpenModal(std::make_unique<CConfirmWindow>("first?"));
    Replacer replacer;
    replacer.root = &root;
    first->AddClosedEventHandler(&replacer);
    const int yesX = first->GetYesButton()->GetAbsoluteX() + 5,
              yesY = first->GetYesButton()->GetAbsoluteY() + 5;
    Click(root, yesX, yesY);  // closes the first, whose handler opens the second
    ASSERT_NE(root.GetModalForm(), nullptr);
    EXPECT_NE(root.GetModalForm(), first);
    EXPECT_EQ(first->GetResult(), kResultYes);  // the first is still alive to be read
    EXPECT_GT(GCBase::GetLiveCount(), before + messageWidgets);
    root.Update();  // the safe point: only the second is left
    EXPECT_EQ(GCBase::GetLiveCount(), before + messageWidgets);
    EXPECT_EQ(root.GetState(), kStateBlocked);
}

TEST_F(WidgetTreeTest, OpeningOverAnOpenModalDeletesTheOldOneAtOnceWithoutClosedEvents) {
    auto* first = root.OpenModal(std::make_unique<CMessageWindow>("one"));
    first->AddClosedEventHandler(&log);
    const int live = GCBase::GetLiveCount();
    root.SetModalForm(std::make_unique<CFreeContainer>(0, 0, 80, 80));
    EXPECT_LT(GCBase::GetLiveCount(), live);
    EXPECT_EQ(log.Count("closed"), 0);
}

TEST_F(WidgetTreeTest, ClosingADialogOnADialogReactivatesTheFirstAndAllItsChildren) {
    auto* first = root.OpenModal(std::make_unique<CMessageWindow>("one"));
    auto* child = first->AddControl(std::make_unique<CFreeContainer>(0, 0, 80, 80));
    child->SetState(kStateClosed);
    auto* second = first->OpenModal(std::make_unique<CMessageWindow>("two"));
    EXPECT_EQ(first->GetState(), kStateBlocked);
    EXPECT_EQ(first->GetOkButton()->GetState(), kStateBlocked);
    second->Close();
    Hover(0, 0);
    root.Update();
    EXPECT_EQ(first->GetModalForm(), nullptr);
    EXPECT_EQ(first->GetState(), kStateActive);
    EXPECT_EQ(child->GetState(), kStateActive);
    EXPECT_EQ(root.GetState(), kStateBlocked);
}

TEST_F(WidgetTreeTest, ChildrenTakeTheStateOfTheFormTheyJoin) {
    COriginalBaseForm blocked;
    blocked.SetModalForm(std::make_unique<COriginalBaseForm>(0, 0, 10, 10));
    EXPECT_EQ(blocked.AddControl(std::make_unique<Plain<CBasicPushButton>>(0, 0))->GetState(), kStateBlocked);
    EXPECT_EQ(root.AddControl(std::make_unique<Plain<CBasicPushButton>>(0, 0))->GetState(), kStateActive);
}

TEST_F(WidgetTreeTest, StateListenersHearOnlyChangesAndOnceForEachSubscription) {
    struct Counter : IStateChangedEventHandler {
        int calls = 0;
        void OnStateChanged(int32_t) override { ++calls; }
    } counter;
    button->AddStateChangedEventHandler(&counter);
    button->AddStateChangedEventHandler(&counter);
    button->SetState(kStateActive);
    EXPECT_EQ(counter.calls, 0);
    root.SetState(kStateBlocked);
    EXPECT_EQ(counter.calls, 2);
}

TEST_F(WidgetTreeTest, HiddenFormIsNeitherUpdatedNorDrawnNorIsItsModal) {
    auto* panel = root.AddControl(std::make_unique<CFreeContainer>(100, 100, 80, 80));
    auto* inner = panel->AddControl(std::make_unique<Plain<CBasicPushButton>>(0, 0));
    panel->SetModalForm(std::make_unique<CMessageWindow>("x"));
    panel->SetVisible(false);
    DrawFrame(root);
    for (const auto& b : port.blits) EXPECT_LT(b.y, 100) << b.key;
    Press(inner->GetAbsoluteX() + 1, inner->GetAbsoluteY() + 1);
    panel->SetModalForm(nullptr);
    root.Update();
    EXPECT_FALSE(inner->IsDown());
}

TEST_F(WidgetTreeTest, AbsolutePositionSumsTheParentsButAModalFormStandsAlone) {
    auto* a = root.AddControl(std::make_unique<COriginalBaseForm>(10, 20, 100, 100));
    root.SetPosition(1, 2);
    auto* b = a->AddControl(std::make_unique<COriginalBaseForm>(100, 200, 50, 50));
    auto* c = b->AddControl(std::make_unique<Plain<CBasicPushButton>>(1000, 2000));
    EXPECT_EQ(c->GetAbsoluteX(), 1111);
    EXPECT_EQ(c->GetAbsoluteY(), 2222);
    auto* modal = b->OpenModal(std::make_unique<COriginalBaseForm>(7, 8, 10, 10));
    EXPECT_EQ(modal->GetAbsoluteX(), 7);
    EXPECT_EQ(modal->GetAbsoluteY(), 8);
}

TEST_F(WidgetTreeTest, RemovedChildLeavesTheCollectionAndTheOthersMoveUp) {
    auto* second = root.AddControl(std::make_unique<Plain<CBasicPushButton>>(0, 0));
    std::unique_ptr<GCBase> taken = root.GetControls().Remove(button);
    ASSERT_EQ(taken.get(), button);
    EXPECT_EQ(taken->GetParent(), nullptr);
    EXPECT_EQ(root.GetFirstControl(), second);
    EXPECT_EQ(root.GetSecondControl(), nullptr);
}

class DragPart : public GCMovablePart {
  public:
    DragPart() : GCMovablePart(0, 0, 50, 20) {}
};

TEST_F(WidgetTreeTest, MovablePartStopsAtItsBoundsAndReportsOnlyTheRelease) {
    auto* part = root.AddControl(std::make_unique<DragPart>());
    root.SetPosition(100, 100);
    part->AddMovedEventHandler(&log);
    part->BeginDrag(105, 105);
    part->DragTo(500, 90);
    EXPECT_EQ(part->GetX(), 50);
    EXPECT_EQ(part->GetY(), 0);
    part->DragTo(120, 115);
    EXPECT_EQ(part->GetX(), 15);
    EXPECT_EQ(part->GetY(), 10);
    EXPECT_EQ(log.Count("moved"), 0);
    part->EndDrag();
    part->EndDrag();
    EXPECT_EQ(log.Count("moved"), 1);
}

}  // namespace
