// Scrolling lists and paged lists at their edges: the row window and its clamps, the bar that
// appears only when rows overflow, the framed text list, and paging with no items, one page, full
// pages, a partial last page, every page reached by the arrows, the kept selection and the
// degenerate page sizes.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "controls/Panels.h"
#include "tests/controls/control_test.h"

using namespace Controls;

namespace {

class PanelTest : public controltest::ControlTest {
  protected:
    // The rows shown, as their visible flags.
    static std::vector<bool> Shown(CRowScrollablePart& part, int rows) {
        std::vector<bool> out;
        for (int i = 0; i < rows; ++i)
            out.push_back(part.GetFirstControl()->GetControls().At(i)->IsVisible());
        return out;
    }
    COriginalBaseForm root;
};

TEST_F(PanelTest, ScrollPositionIsClampedAndShowsExactlyTheWindowOfRows) {
    auto* part = root.AddControl(std::make_unique<CFreeVerticalScrollablePart>(0, 0, 100, 60, 5, 3, 20));
    EXPECT_EQ(part->GetScrollPosition(), 0);  // nothing to scroll yet
    for (int i = 0; i < 5; ++i) part->AddRow(std::make_unique<COriginalBasePart>(0, 20 * i, 100, 20));
    EXPECT_EQ(part->GetMaxScrollPosition(), 2);
    part->SetScrollPosition(-3);
    EXPECT_EQ(part->GetScrollPosition(), 0);
    EXPECT_EQ(Shown(*part, 5), (std::vector<bool>{true, true, true, false, false}));
    part->SetScrollPosition(9);
    EXPECT_EQ(part->GetScrollPosition(), 2);
    EXPECT_EQ(part->GetFirstControl()->GetY(), -40);
    EXPECT_EQ(Shown(*part, 5), (std::vector<bool>{false, false, true, true, true}));
}

TEST_F(PanelTest, BarAppearsWithTheRowThatOverflowsAndScrollsByWholeRows) {
    auto* panel = root.AddControl(std::make_unique<CFreeVerticalScrollablePanel>(0, 0, 200, 200, 0, 4, 20));
    auto* bar = panel->GetScrollBar();
    auto add = [&] {
        const int n = panel->GetItemCount();
        panel->AddItem(std::make_unique<COriginalBasePart>(0, 20 * n, 184, 20));
    };
    for (int i = 0; i < 4; ++i) add();
    EXPECT_FALSE(bar->IsReady());
    Click(root, 190, 195);  // the down arrow's place: an inert bar ignores it
    root.Update();
    EXPECT_EQ(panel->GetPart()->GetScrollPosition(), 0);
    EXPECT_EQ(bar->GetValue(), 0);

    add();
    EXPECT_TRUE(bar->IsReady());
    EXPECT_EQ(bar->GetMaximum(), 1);
    for (int i = 0; i < 5; ++i) add();
    EXPECT_EQ(bar->GetMaximum(), 6);
    EXPECT_EQ(bar->GetGrip()->GetLength(), 66);  // 40 % of the 166-pixel track

    Press(190, 195);  // one arrow step
    root.Update();
    Release(190, 195);
    root.Update();
    EXPECT_EQ(panel->GetPart()->GetScrollPosition(), 1);

    bar->SetValue(6);
    root.Update();
    EXPECT_EQ(panel->GetPart()->GetScrollPosition(), 6);
    EXPECT_EQ(Shown(*panel->GetPart(), 10),
              (std::vector<bool>{false, false, false, false, false, false, true, true, true, true}));
}

TEST_F(PanelTest, TextListKeepsValuesBesideRowsAndFramesOnlyTheListArea) {
    auto* list = root.AddControl(std::make_unique<CExclusiveTextPanel>(10, 20, 216, 100));
    list->AddItem("一つ目", "a");
    list->AddItem("二つ目", "b");
    EXPECT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->GetItemText(1), "二つ目");
    EXPECT_EQ(list->GetItemValue(1), "b");
    EXPECT_EQ(list->GetItemValue(-1), "");
    EXPECT_EQ(list->GetItemText(2), "");
    EXPECT_EQ(list->GetSelectedIndex(), -1);
    auto* second = dynamic_cast<COriginalBaseButton*>(list->GetList()->GetButton(1));
    // The rows lie inside the frame's 6-pixel border: 4 whole rows in the 88 pixels between, and
    // none reaches under the frame or the bar.
    EXPECT_EQ(second->GetWidth(), 216 - 16 - 12);
    int32_t rx, ry;
    second->GetAbsolutePosition(rx, ry);
    EXPECT_EQ(rx, 10 + 6);
    EXPECT_EQ(ry, 20 + 6 + 20);
    EXPECT_EQ(list->GetList()->GetVisibleRows(), 4);
    EXPECT_LE(6 + 4 * 20, 100 - 6);
    Click(root, 50, 20 + 6 + 25);
    EXPECT_EQ(list->GetSelectedIndex(), 1);

    DrawFrame(root);
    // The right corners stand 56 pixels in from the panel's right edge; the bar's strip is outside.
    EXPECT_TRUE(port.Drew({10 + 216 - 56, 20, kSheet2, 80, 128, 120, 168}));
    EXPECT_TRUE(port.Drew({10 + 216 - 56, 20 + 100 - 40, kSheet2, 80, 208, 120, 248}));
    list->SetFrameVisible(false);
    DrawFrame(root);
    EXPECT_FALSE(port.Drew({10, 20, kSheet2, 0, 128, 40, 168}));
}

// A paged list of numbered rows that remembers which items it was asked for.
class NumberedPages : public IPagingScrollablePanelBase {
  public:
    NumberedPages(int count, int perPage, int buttons)
        : IPagingScrollablePanelBase(0, 0, 200, 140, 20, count, perPage, buttons) {}
    std::unique_ptr<CToggleButtonBase> CreateItem(int32_t index) override {
        created.push_back(index);
        return std::make_unique<CSelectableTextItem>(0, 0, 183, std::to_string(index));
    }
    std::vector<int> created;
};

class PagingTest : public PanelTest {
  protected:
    NumberedPages& Make(int count, int perPage, int buttons) {
        pages = root.AddControl(std::make_unique<NumberedPages>(count, perPage, buttons));
        root.Update();
        return *pages;
    }
    // The item numbers of the rows on the current page.
    std::vector<int> Rows() const {
        std::vector<int> out;
        auto* list = pages->GetList();
        for (int i = 0; i < list->GetButtonCount(); ++i)
            out.push_back(std::stoi(list->GetButton(i)->GetText()));
        return out;
    }
    // The page links of the strip: their numbers, and the label of each.
    std::vector<CPagingButton*> Links() const {
        std::vector<CPagingButton*> out;
        auto& strip = pages->GetStrip()->GetControls();
        for (int i = 0; i < strip.Count(); ++i)
            if (auto* b = dynamic_cast<CPagingButton*>(strip.At(i))) out.push_back(b);
        return out;
    }
    std::vector<int> LinkPages() const {
        std::vector<int> out;
        for (auto* b : Links()) out.push_back(b->GetPageNumber());
        return out;
    }
    // Clicks a strip button; the page changes at the following update.
    void PressOn(GCBase* button) {
        Click(root, button->GetAbsoluteX() + 2, button->GetAbsoluteY() + 2);
        Hover(300, 300);
        root.Update();
    }
    void PressLink(int page) {
        for (auto* b : Links())
            if (b->GetPageNumber() == page) return PressOn(b);
        ADD_FAILURE() << "no link to page " << page;
    }
    NumberedPages* pages = nullptr;
};

TEST_F(PagingTest, NoItemsGiveNoRowsNoLinksAndInertArrows) {
    auto& p = Make(0, 5, 3);
    EXPECT_TRUE(p.IsBuilt());
    EXPECT_TRUE(p.created.empty());
    EXPECT_TRUE(Links().empty());
    EXPECT_EQ(p.GetRightButton()->GetX(), 24);
    PressOn(p.GetRightButton());
    PressOn(p.GetLeftButton());
    EXPECT_EQ(p.GetCurrentPage(), 1);
    EXPECT_TRUE(p.created.empty());
}

TEST_F(PagingTest, OnePageShowsItsItemsAndOneDisabledLink) {
    auto& p = Make(3, 5, 3);
    EXPECT_EQ(Rows(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(pages->GetList()->GetButton(2)->GetY(), 40);
    ASSERT_EQ(LinkPages(), (std::vector<int>{1}));
    EXPECT_FALSE(Links()[0]->IsEnabled());
    EXPECT_EQ(Links()[0]->GetText(), "１");
    PressOn(p.GetRightButton());
    EXPECT_EQ(p.GetCurrentPage(), 1);
}

TEST_F(PagingTest, ExactlyFullPagesEndOnAFullPage) {
    auto& p = Make(10, 5, 3);
    EXPECT_EQ(p.GetPageCount(), 2);
    PressOn(p.GetRightButton());
    EXPECT_EQ(p.GetCurrentPage(), 2);
    EXPECT_EQ(Rows(), (std::vector<int>{5, 6, 7, 8, 9}));
    PressOn(p.GetRightButton());
    EXPECT_EQ(p.GetCurrentPage(), 2);
}

TEST_F(PagingTest, ArrowsReachEveryPageOnceAndTheLastPageIsPartial) {
    auto& p = Make(23, 5, 3);
    std::set<int> seen(p.created.begin(), p.created.end());
    std::vector<int> visited{p.GetCurrentPage()};
    for (int i = 0; i < 6; ++i) {
        PressOn(p.GetRightButton());
        if (p.GetCurrentPage() != visited.back()) {
            visited.push_back(p.GetCurrentPage());
            for (int r : Rows()) EXPECT_TRUE(seen.insert(r).second) << r;
        }
    }
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(seen.size(), 23u);
    EXPECT_EQ(Rows(), (std::vector<int>{20, 21, 22}));
    for (int i = 0; i < 6; ++i) PressOn(p.GetLeftButton());
    EXPECT_EQ(p.GetCurrentPage(), 1);
    EXPECT_EQ(Rows(), (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(PagingTest, LinkWindowFollowsThePageWithinTheList) {
    auto& p = Make(23, 5, 3);
    EXPECT_EQ(LinkPages(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(p.GetRightButton()->GetX(), 24 * 4);
    PressLink(3);
    EXPECT_EQ(LinkPages(), (std::vector<int>{2, 3, 4}));
    PressLink(4);
    PressLink(5);
    EXPECT_EQ(LinkPages(), (std::vector<int>{3, 4, 5}));
    EXPECT_FALSE(Links()[2]->IsEnabled());
    EXPECT_TRUE(Links()[1]->IsEnabled());
}

TEST_F(PagingTest, PagesFromTenOnAreLabelledInDigits) {
    auto& p = Make(60, 5, 3);
    p.GoToPage(8);
    EXPECT_EQ(Links()[0]->GetText(), "７");
    p.GoToPage(12);
    std::vector<std::string> labels;
    for (auto* b : Links()) labels.push_back(b->GetText());
    EXPECT_EQ(labels, (std::vector<std::string>{"10", "11", "12"}));
}

TEST_F(PagingTest, SelectionCountsOverAllPagesAndComesBackWithItsPage) {
    auto& p = Make(23, 5, 3);
    PressLink(3);
    Click(root, 50, 20 + 2 * 20 + 5);  // the third row of page 3
    root.Update();
    EXPECT_EQ(p.GetSelectedIndex(), 12);
    PressLink(2);
    PressLink(1);
    EXPECT_EQ(p.GetList()->GetSelectedIndex(), -1);
    EXPECT_EQ(p.GetSelectedIndex(), 12);
    PressLink(3);
    EXPECT_EQ(p.GetList()->GetSelectedIndex(), 2);
    EXPECT_EQ(p.GetSelectedIndex(), 12);
}

TEST_F(PagingTest, PageSizeOfZeroOrLessPutsEveryItemOnOnePage) {
    for (int perPage : {0, -4}) {
        auto& p = Make(7, perPage, 3);
        EXPECT_EQ(p.GetPageCount(), 1);
        EXPECT_EQ(Rows(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(LinkPages(), (std::vector<int>{1}));
        (void)root.GetControls().Remove(pages);
    }
    auto& empty = Make(0, 0, 3);
    EXPECT_EQ(empty.GetPageCount(), 0);
    EXPECT_TRUE(Rows().empty());
}

TEST_F(PagingTest, PagesOutsideTheListAreNeverBuilt) {
    auto& p = Make(23, 5, 3);
    p.GoToPage(9);
    EXPECT_EQ(p.GetCurrentPage(), 5);
    p.GoToPage(-2);
    EXPECT_EQ(p.GetCurrentPage(), 1);
    for (int i : p.created) {
        EXPECT_GE(i, 0);
        EXPECT_LT(i, 23);
    }
}

}  // namespace
