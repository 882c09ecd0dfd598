// The custom lift's route editor: where a command goes, what "１件削除" takes, the 128-command
// limit (and a longer route from a file), commands it does not know, and what the caller gets.
#include <memory>
#include <string>
#include <vector>

#include "editor_windows/CustomLiftConfigWindow.h"
#include "tests/editor_windows/dialog_test.h"

using namespace Controls;

namespace {

// Direction buttons by their place in the window's list.
enum { kUp = 0, kUpLeft, kLeft, kDownLeft, kDown, kDownRight, kRight, kUpRight };

class CustomLiftConfig : public dialogtest::DialogTest {
  protected:
    CCustomLiftConfigWindow* OpenWith(const std::string& route) {
        return window = Open(std::make_unique<CCustomLiftConfigWindow>(100, 40, 0, 3, 4, route));
    }
    void Direction(int i) { ClickButton(window->GetDirectionButton(i)); }
    void Select(int row) { ClickRow(window->GetCommandList(), row); }
    std::vector<std::string> Shown() { return Rows(window->GetCommandList()); }

    CCustomLiftConfigWindow* window = nullptr;
};

TEST_F(CustomLiftConfig, CommandsGoAfterTheHighlightedOneOrAtTheEnd) {
    OpenWith("");
    EXPECT_EQ(Shown(), (std::vector<std::string>{"（最初に戻る）"}));
    Select(0);  // the closing row
    Direction(kLeft);
    EXPECT_EQ(window->GetCommandString(), "A");
    // Nothing highlighted after a change: the end.
    Direction(kDown);
    ClickButton(window->GetSpeedUpButton());
    EXPECT_EQ(window->GetCommandString(), "ADJ");
    // After the first: between it and the second.
    Select(0);
    ClickButton(window->GetStopButton());
    EXPECT_EQ(window->GetCommandString(), "AIDJ");
    EXPECT_EQ(Shown(),
              (std::vector<std::string>{"左へ", "一時停止", "下へ", "スピードアップ", "（最初に戻る）"}));
    // The last command highlighted: the end too.
    Select(3);
    Direction(kUpRight);
    EXPECT_EQ(window->GetCommandString(), "AIDJF");
}

TEST_F(CustomLiftConfig, EachArrowAddsItsOwnLetterTheLowerDiagonalsGAndH) {
    OpenWith("");
    for (int i : {kDownLeft, kDownRight, kUp, kDown, kLeft, kRight, kUpLeft, kUpRight}) Direction(i);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"左下へ", "右下へ", "上へ", "下へ", "左へ", "右へ", "左上へ",
                                                 "右上へ", "（最初に戻る）"}));
    ClickButton(window->GetOkButton());
    EXPECT_TRUE(window->IsApplied());
    EXPECT_EQ(window->GetCommandString(), "GHCDABEF");
}

TEST_F(CustomLiftConfig, DeleteTakesTheHighlightedCommandOrTheLast) {
    OpenWith("CEAGDHBF");
    Select(1);
    ClickButton(window->GetDeleteButton());
    EXPECT_EQ(window->GetCommandString(), "CAGDHBF");
    ClickButton(window->GetDeleteButton());  // nothing highlighted
    EXPECT_EQ(window->GetCommandString(), "CAGDHB");
    Select(6);  // the closing row
    ClickButton(window->GetDeleteButton());
    EXPECT_EQ(window->GetCommandString(), "CAGDH");

    // Letters the lift does not know show as errors and stay unless deleted.
    OpenWith("AxK");
    EXPECT_EQ(Shown(), (std::vector<std::string>{"左へ", "！エラー！", "スピードダウン", "（最初に戻る）"}));
    Direction(kUp);
    EXPECT_EQ(window->GetCommandString(), "AxKC");
    Select(1);
    ClickButton(window->GetDeleteButton());
    EXPECT_EQ(window->GetCommandString(), "AKC");
    OpenWith("");
    ClickButton(window->GetDeleteButton());
    EXPECT_EQ(window->GetCommandString(), "");
}

TEST_F(CustomLiftConfig, NoMoreThan128Commands) {
    for (size_t length : {size_t(128), size_t(130)}) {
        const std::string route(length, 'B');
        OpenWith(route);
        EXPECT_EQ(window->GetCommandList()->GetItemCount(), int(length) + 1);
        ClickButton(window->GetSpeedDownButton());
        auto* alert = dynamic_cast<CAlertWindow*>(window->GetModalForm());
        ASSERT_NE(alert, nullptr) << length;
        EXPECT_EQ(alert->GetTextLabel()->GetText(), "これ以上増やせません…");
        EXPECT_EQ(window->GetCommandString(), route);
        ClickButton(alert->GetOkButton());
        Frame(screen);
        ASSERT_EQ(window->GetModalForm(), nullptr);
        // Deleting still works; adding comes back once the route is shorter than 128.
        for (size_t n = length; n >= 128; --n) ClickButton(window->GetDeleteButton());
        EXPECT_EQ(window->GetCommandString().size(), 127u);
        Direction(kRight);
        EXPECT_EQ(window->GetCommandString(), std::string(128, 'B'));
    }
}

TEST_F(CustomLiftConfig, OnlyOkHandsTheRouteBack) {
    OpenWith("AB");
    Direction(kDownLeft);
    ClickButton(window->GetCancelButton());
    EXPECT_FALSE(window->IsApplied());
    OpenWith("AB");
    Direction(kDownRight);
    ClickClose(window);
    EXPECT_FALSE(window->IsApplied());
    OpenWith("AB");
    Direction(kUpLeft);
    ClickButton(window->GetOkButton());
    EXPECT_TRUE(window->IsApplied());
    EXPECT_EQ(window->GetCommandString(), "ABE");
    EXPECT_EQ(window->GetTileX(), 3);
    EXPECT_EQ(window->GetTileY(), 4);
    EXPECT_EQ(log.Count("closed"), 3);
}

}  // namespace
