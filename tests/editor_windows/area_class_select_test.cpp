// The area size window: the 10-unit limit (a sum of exactly 10 allowed), the alert and what
// Cancel gives after it, and the class information under the mouse with the bar's preview.
#include <memory>

#include "controls/Dialogs.h"
#include "editor_windows/AreaClassSelectWindow.h"
#include "stage/StageChips.h"
#include "tests/editor_windows/dialog_test.h"

using namespace Controls;

namespace {

class AreaClassSelect : public dialogtest::DialogTest {
  protected:
    CAreaClassSelectWindow* OpenWith(int usedUnits) {
        return window = Open(std::make_unique<CAreaClassSelectWindow>(60, 80, usedUnits));
    }
    void Push(int areaClass) { ClickButton(window->GetClassButton(areaClass)); }
    CAlertWindow* Alert() const { return dynamic_cast<CAlertWindow*>(window->GetModalForm()); }
    // The bar's cells drawn in the used, preview and over-limit looks.
    std::vector<int> BarLooks() {
        DrawFrame(screen);
        std::vector<int> looks(3, 0);
        for (const controltest::Blit& b : port.blits) {
            if (b.key != kSheet6 || b.top != 152) continue;
            if (b.left == 0) ++looks[0];
            if (b.left == 12) ++looks[1];
            if (b.left == 24) ++looks[2];
        }
        return looks;
    }
    void HoverOn(int areaClass) {
        GCBase* b = window->GetClassButton(areaClass);
        Hover(b->GetAbsoluteX() + 40, b->GetAbsoluteY() + 32);
        Frame(screen);
    }

    CAreaClassSelectWindow* window = nullptr;
};

TEST_F(AreaClassSelect, TheStageMayReachTenUnitsButNotPassThem) {
    struct Case {
        int used, pushed;
        bool accepted;
    } cases[] = {{9, AreaClass_OneRoom, true},
                 {0, AreaClass_BoxLong, true},
                 {9, AreaClass_Short, false},
                 {10, AreaClass_OneRoom, false}};
    for (const Case& c : cases) {
        log.events.clear();
        OpenWith(c.used);
        Push(c.pushed);
        EXPECT_EQ(log.Count("closed"), c.accepted ? 1 : 0) << c.used << " " << c.pushed;
        EXPECT_EQ(window->GetAreaClass(), c.accepted ? c.pushed : int(AreaClass_NoArea));
        EXPECT_EQ(Alert() != nullptr, !c.accepted);
    }
    // The last refusal's alert over the window, at its place plus (16, 32).
    ASSERT_NE(Alert(), nullptr);
    EXPECT_EQ(Alert()->GetTextLabel()->GetText(), "エリアコストが\n最大値を 超えてしまいます！");
    EXPECT_EQ(Alert()->GetX(), 60 + 16);
    EXPECT_EQ(Alert()->GetY(), 80 + 32);
    // Dismissed, then Cancel: no class, never the refused one, with the cancel sound.
    ClickButton(Alert()->GetOkButton());
    Frame(screen);
    port.sounds.clear();
    ClickButton(window->GetCancelButton());
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(window->GetAreaClass(), AreaClass_NoArea);
    EXPECT_EQ(port.CountSound(ControlSound::kCloseWindow), 1);
}

TEST_F(AreaClassSelect, TheMouseShowsTheClassAndPreviewsTheUnits) {
    OpenWith(4);
    EXPECT_EQ(BarLooks(), (std::vector<int>{4, 0, 0}));
    HoverOn(AreaClass_BoxLong);
    EXPECT_EQ(window->GetSizeLabel()->GetText(), "大きさ：240×90");
    EXPECT_EQ(window->GetCostLabel()->GetText(), "コスト ：10");
    // 14 units: four used, six more to the limit, four past it.
    EXPECT_EQ(BarLooks(), (std::vector<int>{4, 6, 4}));
    // Straight onto the next button: its information stays whichever event came first.
    HoverOn(AreaClass_Triathlon);
    EXPECT_EQ(window->GetSizeLabel()->GetText(), "大きさ：640×15");
    EXPECT_EQ(window->GetDescriptionLabel()->GetText(),
              "やり応え 満点の 長いエリア。\n長いぶん、作りがいもある。");
    EXPECT_EQ(BarLooks(), (std::vector<int>{4, 6, 2}));
    // Off the buttons: cleared.
    Hover(70, 300);
    Frame(screen);
    EXPECT_EQ(window->GetCostLabel()->GetText(), "");
    EXPECT_EQ(BarLooks(), (std::vector<int>{4, 0, 0}));
}

}  // namespace
