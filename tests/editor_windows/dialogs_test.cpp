// The editor's dialogs: area copy question and warning, the file dialogs, the information and
// post confirmation windows.
#include <memory>
#include <string>
#include <vector>

#include "controls/Dialogs.h"
#include "editor_windows/AreaCopyWindows.h"
#include "editor_windows/InfomationWindow.h"
#include "editor_windows/StageFileDialogs.h"
#include "tests/editor_windows/editor_windows_test.h"

using namespace Controls;
using controltest::Blit;
using controltest::EventLog;

namespace {

class DialogTest : public editorwindowtest::EditorWindowTest {
  protected:
    // Opens the window over a root form with the log as its closed handler.
    template <class T>
    T* Open(std::unique_ptr<T> window) {
        window->AddClosedEventHandler(&log);
        return root.OpenModal(std::move(window));
    }
    // Clicks the middle of a button of the open window.
    void Push(COriginalBaseButton* button) {
        const int x = button->GetAbsoluteX() + button->GetWidth() / 2;
        const int y = button->GetAbsoluteY() + button->GetHeight() / 2;
        Click(root, x, y);
    }
    void PushCloseButton(CCloseableBeigeForm* window) { Push(window->GetCloseButton()); }

    COriginalBaseForm root;
    EventLog log;
};

TEST_F(DialogTest, AreaCopyQuestionAnswersYesOnlyForYes) {
    auto* yes = Open(std::make_unique<CAreaCopyConfirmWindow>(114, 108, 4, 6));
    EXPECT_EQ(yes->GetResult(), kResultNo);  // before any answer
    Push(yes->GetYesButton());
    EXPECT_EQ(yes->GetResult(), kResultYes);
    EXPECT_EQ(log.Count("closed"), 1);
    root.Update();
    auto* closed = Open(std::make_unique<CAreaCopyConfirmWindow>(114, 108, 4, 6));
    PushCloseButton(closed);
    EXPECT_EQ(closed->GetResult(), kResultNo);
    EXPECT_EQ(port.CountSound(4), 1);
    root.Update();
    auto* no = Open(std::make_unique<CAreaCopyConfirmWindow>(114, 108, 4, 6));
    Push(no->GetNoButton());
    EXPECT_EQ(no->GetResult(), kResultNo);
    EXPECT_EQ(port.CountSound(4), 2);  // "いいえ" sounds like cancelling
    EXPECT_EQ(log.Count("closed"), 3);
}

TEST_F(DialogTest, AreaCopyWarningShowsTheCostPastTheLimit) {
    auto* alert = Open(std::make_unique<CAreaCopyAlertWindow>(114, 108, 10, 11));
    root.Draw();
    // The second bar (y 108 + 176) draws eleven cells, the eleventh in the over-the-limit look.
    const int left = 114 + 160 - 60;
    EXPECT_TRUE(port.Drew({left + 12 * 9, 108 + 176, kSheet6, 0, 152, 12, 176}));
    EXPECT_TRUE(port.Drew({left + 12 * 10, 108 + 176, kSheet6, 24, 152, 36, 176}));
    EXPECT_FALSE(port.Drew({left + 12 * 11, 108 + 176, kSheet6, 36, 152, 48, 176}));
    // The captions between the bars.
    EXPECT_TRUE(port.Drew({114 + 148, 108 + 138, kSheet6, 104, 160, 128, 176}));
    Push(alert->GetOkButton());
    EXPECT_EQ(log.Count("closed"), 1);
}

TEST_F(DialogTest, ChoiceDialogsRecordTheirButtonAndCancelKeepsNothing) {
    auto* kind = Open(std::make_unique<COpenStageKindSelectWindow>(140, 60));
    Push(kind->GetKindButton(COpenStageKindSelectWindow::kDownloaded));
    EXPECT_EQ(kind->GetSelectedKind(), 1);
    root.Update();
    auto* cancelled = Open(std::make_unique<COpenStageKindSelectWindow>(140, 60));
    Push(cancelled->GetCancelButton());
    EXPECT_EQ(cancelled->GetSelectedKind(), -1);
    EXPECT_EQ(port.CountSound(4), 1);
    root.Update();
    auto* method = Open(std::make_unique<CSaveMethodSelectWindow>(160, 100));
    PushCloseButton(method);
    EXPECT_EQ(method->GetSelectedMethod(), -1);
    root.Update();
    auto* copy = Open(std::make_unique<CSaveMethodSelectWindow>(160, 100));
    Push(copy->GetCopyButton());
    EXPECT_EQ(copy->GetSelectedMethod(), 1);
    EXPECT_EQ(log.Count("closed"), 4);
}

TEST_F(DialogTest, SavedNoticeKeepsTheFileNameAndClosesOnOk) {
    auto* saved =
        Open(std::make_unique<CStageSavedWindow>(140, 120, "保存しました", "草原", "20240102030405.stg"));
    EXPECT_EQ(saved->GetText(), "20240102030405.stg");
    EXPECT_EQ(saved->GetOkButton()->GetX(), 140);
    EXPECT_EQ(saved->GetOkButton()->GetY(), 184);
    Push(saved->GetOkButton());
    EXPECT_EQ(log.Count("closed"), 1);
}

TEST_F(DialogTest, ErrorListListsEveryProblemAndOnlyOkCloses) {
    auto* errors = Open(std::make_unique<CErrorListWindow>(
        80, 100, "エラーがあるので保存できません！", std::vector<std::string>{"ゴールがありません", "Ｘ"}));
    ASSERT_EQ(errors->GetErrorList()->GetItemCount(), 2);
    EXPECT_EQ(errors->GetErrorList()->GetItemValue(0), "ゴールがありません");
    // Choosing a row changes nothing else.
    Click(root, 80 + 80 + 40, 100 + 128 + 10);
    EXPECT_EQ(log.Count("closed"), 0);
    Push(errors->GetOkButton());
    EXPECT_EQ(log.Count("closed"), 1);
    root.Update();
    auto* empty = Open(std::make_unique<CErrorListWindow>(80, 100, "", std::vector<std::string>{}));
    EXPECT_EQ(empty->GetErrorList()->GetItemCount(), 0);
}

TEST_F(DialogTest, SendConfirmationCountsOnlyYes) {
    auto* yes = Open(std::make_unique<CSendConfirmWindow>(120, 100, "草原", "もと", "わたし", true));
    EXPECT_EQ(yes->GetYesButton()->GetX(), 110);
    Push(yes->GetYesButton());
    EXPECT_EQ(yes->GetAnswer(), kResultYes);
    EXPECT_EQ(port.CountSound(3), 1);
    root.Update();
    auto* closed = Open(std::make_unique<CSendConfirmWindow>(120, 100, "", "", "", false));
    PushCloseButton(closed);
    EXPECT_EQ(closed->GetAnswer(), kResultNo);
}

TEST_F(DialogTest, InformationWindowShowsWhatItIsGiven) {
    auto* info = Open(std::make_unique<CInfomationWindow>(120, 60, "1.0.0.0", "（未登録）", "（未登録）",
                                                          "（なし）", "（未確定）"));
    root.Draw();
    const auto has = [&](const std::string& t) {
        return std::find(port.texts.begin(), port.texts.end(), t) != port.texts.end();
    };
    EXPECT_TRUE(has("エディタバージョン："));
    EXPECT_TRUE(has("1.0.0.0"));
    EXPECT_TRUE(has("（未確定）"));
    Push(info->GetOkButton());
    EXPECT_EQ(log.Count("closed"), 1);
}

}  // namespace
