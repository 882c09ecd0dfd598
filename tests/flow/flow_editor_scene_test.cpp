// The editor scene: a test play runs on a copy of the edited stage without spare lives, a retry
// starts the next one at once, a close asked for during a test play follows it, and a stage that
// cannot be copied is shown to the player while the edited stage and the editor stay.
#include <filesystem>
#include <memory>
#include <string>

#include "controls/Dialogs.h"
#include "editor/EditorScreen.h"
#include "engine/Music.h"
#include "flow/EditorScene.h"
#include "tests/play/play_scene_env.h"

namespace {

using playtest::HostScene;

class EditorSceneTest : public playtest::SceneTest {
  protected:
    void SetUp() override {
        SceneTest::SetUp();
        if (HasFatalFailure()) return;
        std::error_code ec;
        std::filesystem::copy_file(testsupport::BuiltGameFolder() / "data" / "mapchip_info.dat",
                                   dir / "data" / "mapchip_info.dat", ec);
        host = std::make_unique<HostScene>();
        editor = host->AdoptChild(std::make_unique<CEditorScene>(host.get()));
        Screen().GetEditor().SetStage(MakeStage());
        edited = Screen().GetStage();
        editedText = edited->WriteXml();
    }

    CEditorScreen& Screen() { return *editor->GetScreen(); }
    CStageScene* Playing() const { return dynamic_cast<CStageScene*>(editor->GetChild()); }
    bool MusicAsked(int id) const {
        const CMusicPlayer* player = CMusicPlayer::GetInstance();
        return player->GetPendingMusic() == id ||
               (player->GetPendingMusic() <= 0 && player->GetCurrentMusic() == id);
    }

    CEditorScene* editor = nullptr;  // owned by the host
    CStage* edited = nullptr;
    std::string editedText;
};

TEST_F(EditorSceneTest, TestPlayRunsOnACopyWithoutSpareLivesAndLeavesTheEditedStageAlone) {
    EXPECT_EQ(host->GetTopScene()->GetCaption(), "試験 （エディットモード）");
    editor->RequestTestPlay();
    Step();
    CStageScene* play = Playing();
    ASSERT_NE(play, nullptr);
    EXPECT_FALSE(editor->IsTestPlayRequested());
    EXPECT_EQ(play->GetPlayMode(), kPlayTest);
    EXPECT_EQ(play->GetLives(), 0);
    EXPECT_NE(play->GetStage(), edited);
    EXPECT_EQ(host->GetTopScene()->GetCaption(), "試験");
    // The hero walks in the copy; one miss ends the test play.
    Steps(40, {InputCode::kRight});
    ASSERT_NE(play->GetHeroObject(), nullptr);
    EXPECT_GT(play->GetHeroObject()->x, kStartX * 32.0);
    play->OnHeroBeaten();
    for (int i = 0; i < 200 && editor->GetChild(); ++i) Step();
    EXPECT_EQ(editor->GetChild(), nullptr);
    EXPECT_EQ(Screen().GetStage(), edited);
    EXPECT_EQ(edited->WriteXml(), editedText);
    EXPECT_TRUE(MusicAsked(MusicId::kEditor));
    EXPECT_EQ(host->GetTopScene()->GetCaption(), "試験 （エディットモード）");
}

TEST_F(EditorSceneTest, RetryOnThePausePanelStartsTheNextTestPlayInTheNextFrame) {
    editor->RequestTestPlay();
    Step();
    Steps(30, {InputCode::kRight});
    const double walked = Playing()->GetHeroObject()->x;
    Push(InputCode::kSpace);
    // F2 closes the play in its frame; the frame after removes it and starts the next one.
    Step({InputCode::kF1 + 1});
    EXPECT_TRUE(Playing()->IsClosed());
    EXPECT_TRUE(editor->IsTestPlayRequested());
    Step();
    CStageScene* again = Playing();
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->IsClosed());
    EXPECT_EQ(again->GetPlayMode(), kPlayTest);
    EXPECT_LT(again->GetHeroObject()->x, walked);
    EXPECT_EQ(edited->WriteXml(), editedText);
}

TEST_F(EditorSceneTest, ACloseAskedWithATestPlayFollowsTheTestPlay) {
    editor->RequestTestPlay();
    editor->RequestClose();
    Step();
    ASSERT_NE(Playing(), nullptr);
    EXPECT_FALSE(editor->IsClosed());
    Push(InputCode::kSpace);
    Step({InputCode::kF1});  // the pause panel's way out of the test play
    EXPECT_TRUE(Playing()->IsClosed());
    Step();
    EXPECT_TRUE(editor->IsClosed());
}

TEST_F(EditorSceneTest, AStageTheCopyCannotReadIsShownAndEditingGoesOn) {
    // A stage without areas: its text does not read back as a stage (SDE0006).
    Screen().GetEditor().SetStage(std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application()));
    edited = Screen().GetStage();
    editedText = edited->WriteXml();
    editor->RequestTestPlay();
    Step();
    EXPECT_EQ(editor->GetChild(), nullptr);
    EXPECT_FALSE(editor->IsClosed());
    EXPECT_EQ(Screen().GetStage(), edited);
    EXPECT_EQ(edited->WriteXml(), editedText);
    auto* alert = dynamic_cast<Controls::CAlertWindow*>(Screen().GetOpenWindow());
    ASSERT_NE(alert, nullptr);
    EXPECT_NE(alert->GetTextLabel()->GetText().find("SDE0006"), std::string::npos)
        << alert->GetTextLabel()->GetText();
    // The editor goes on with its frames.
    Step();
    EXPECT_FALSE(editor->IsClosed());
}

}  // namespace
