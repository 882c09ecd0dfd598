// Creator registration and the creator's account screen, over a library the test answers.
#include <gtest/gtest.h>

#include "controls/KeyboardWindow.h"
#include "controls/NetWorkBusyWindow.h"
#include "controls/StageRow.h"
#include "online/AdminCreatorForm.h"
#include "online/RegisterCreatorForm.h"
#include "tests/online/online_forms_env.h"

namespace {

using namespace Controls;
using onlinetest::ListReply;

class Creator : public onlinetest::OnlineFormTest {
  protected:
    // Types `name` on the open keyboard and accepts it.
    static void Type(GCForm& form, const std::string& name) {
        auto* keyboard = Modal<CVirtualKeyBoard>(form);
        ASSERT_NE(keyboard, nullptr);
        EXPECT_EQ(keyboard->GetInputText(), "");
        keyboard->GetInputArea()->SetText(name);
        keyboard->OnButtonPushed(keyboard->GetOkButton());
        form.Update();
    }
};

TEST_F(Creator, NoToTheFirstQuestionLeavesEverythingAlone) {
    CRegisterCreatorSceneRootForm form(&scene);
    EXPECT_EQ(TextOf(form.GetModalForm()), "クリエイター登録をします。\nよろしいですか？");
    No(form.GetModalForm());
    EXPECT_EQ(scene.closed, 1);
    EXPECT_TRUE(lib.calls.empty());
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorId(), "5");
}

TEST_F(Creator, RegistrationAsksAgainAfterNoAndAfterAFailure) {
    CRegisterCreatorSceneRootForm form(&scene);
    Yes(form.GetModalForm());
    form.Update();
    Type(form, "くおる");
    EXPECT_EQ(TextOf(form.GetModalForm()), "「くおる」\nという名前で登録します。\nよろしいですか？");
    // "いいえ": an empty keyboard again.
    No(form.GetModalForm());
    form.Update();
    Type(form, "たろう");
    Yes(form.GetModalForm());
    ASSERT_EQ(lib.calls.size(), 1u);
    EXPECT_EQ(lib.calls[0].name, "RegisterCreator");
    EXPECT_EQ(lib.calls[0].args[0], Utf8ToCp932("たろう"));
    // The name is taken: the keyboard opens again, empty, and nothing is stored.
    FailAndClose();
    form.Update();
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorId(), "5");
    Type(form, "はなこ");
    Yes(form.GetModalForm());
    ASSERT_EQ(lib.calls.size(), 2u);
    EXPECT_EQ(lib.calls[1].args[0], Utf8ToCp932("はなこ"));
    *lib.outId = 12;
    Answer("0123456789abcdef0123456789abcdef");
    CClientInfo* info = CClientInfo::GetInstance();
    EXPECT_EQ(info->GetCreatorId(), "12");
    EXPECT_EQ(info->GetCreatorName(), "はなこ");
    EXPECT_EQ(info->GetCommonKey(), "0123456789abcdef0123456789abcdef");
    EXPECT_EQ(info->GetCreatorPoint(), 50);
    EXPECT_EQ(info->GetRatingPointSum(), 0);
    form.Update();
    EXPECT_EQ(TextOf(form.GetModalForm()), "クリエイター\n「はなこ」\nを登録しました！");
    EXPECT_EQ(scene.closed, 0);
    form.GetModalForm()->Close();
    EXPECT_EQ(scene.closed, 1);
}

// The server's daily limit of new creators from one address: the error window says that no
// more can be registered from here today, not the posting limit; closed, it leaves nothing stored.
TEST_F(Creator, TheDailyRegistrationLimitSaysSoAndStoresNothing) {
    CRegisterCreatorSceneRootForm form(&scene);
    Yes(form.GetModalForm());
    form.Update();
    Type(form, "たろう");
    Yes(form.GetModalForm());
    ASSERT_EQ(lib.calls.size(), 1u);
    lib.Fail(QVNet::EC_RESTRICTED, "10");
    Net()->Poll();
    ASSERT_NE(Net()->GetWindow(), nullptr);
    const std::string text =
        "[EC_RESTRICTED]"
        "\n今日はこの回線からこれ以上\nクリエイターを登録できません。\n明日また試してください。";
    EXPECT_EQ(Net()->GetWindow()->GetMessageLabel()->GetText(), "接続中にエラーが発生しました！\n" + text);
    EXPECT_NE(LogText().find("クリエイターを登録できません。"), std::string::npos);
    Net()->OnWindowClosed();
    Net()->Poll();
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorId(), "5");
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorName(), "くおる");
    // The player may leave from the keyboard.
    form.Update();
    ASSERT_NE(Modal<CVirtualKeyBoard>(form), nullptr);
    EXPECT_EQ(scene.closed, 0);
}

class Account : public Creator {
  protected:
    // The account screen with the stages of `reply` loaded.
    void Load(CAdminCreatorSceneRootForm& form, const std::string& reply) {
        ASSERT_EQ(lib.calls.at(0).name, "GetStage");
        EXPECT_EQ(lib.calls[0].args[0], "5");
        Answer(reply);
        form.Update();
        ASSERT_TRUE(form.IsLoaded());
    }
    static std::vector<std::string> Figures(CAdminCreatorSceneRootForm& form) {
        std::vector<std::string> out;
        for (int32_t row = 0; row < 5; ++row) out.push_back(form.GetInfoWindow()->GetValue(row));
        return out;
    }
    static CStageMetaInfoGridItem* Row(CAdminCreatorSceneRootForm& form, int32_t index) {
        return dynamic_cast<CStageMetaInfoGridItem*>(
            form.GetGrid()->GetPanel()->GetPart()->GetControls().At(0)->GetControls().At(index));
    }
};

TEST_F(Account, AFailedFetchGoesBackToTheMenuWithoutDrawing) {
    CAdminCreatorSceneRootForm form(&scene);
    FailAndClose();
    EXPECT_EQ(scene.closed, 1);
    EXPECT_FALSE(form.IsLoaded());
    DrawFrame(form);
    EXPECT_TRUE(port.rects.empty());
}

TEST_F(Account, NoStagesReadsZeroZeroAndDashes) {
    CAdminCreatorSceneRootForm form(&scene);
    Load(form, "0\n0\n");
    EXPECT_EQ(form.GetGrid()->GetRowCount(), 0);
    EXPECT_TRUE(form.GetGrid()->GetEmptyLabel()->IsVisible());
    EXPECT_EQ(Figures(form),
              (std::vector<std::string>{"0", "0", "--", std::to_string(GetCreatorLevel()), "77"}));
}

TEST_F(Account, DownloadsAddUpBeyondThirtyTwoBits) {
    CAdminCreatorSceneRootForm form(&scene);
    std::string reply = ListReply(2, 40);
    reply.replace(reply.find("\n100\n0\n"), 7, "\n100\n2147483647\n");
    reply.replace(reply.find("\n101\n1\n"), 7, "\n101\n2147483647\n");
    Load(form, reply);
    EXPECT_EQ(Figures(form)[1], "4294967294");
}

TEST_F(Account, DeletingTheLastStageEmptiesTheTable) {
    CAdminCreatorSceneRootForm form(&scene);
    // Two stages rated 100 with 0 and 1 downloads, and one without ratings.
    const std::string rated = ListReply(2, 40), unrated = ListReply(1, 42, false);
    Load(form, "3\n3\n" + rated.substr(4) + unrated.substr(4));
    EXPECT_EQ(Figures(form)[0], "3");
    EXPECT_EQ(Figures(form)[1], "1");
    EXPECT_EQ(Figures(form)[2], "100.00");
    EXPECT_EQ(Row(form, 0)->GetColumn(3)->GetText(), "100.00");
    EXPECT_EQ(Row(form, 2)->GetColumn(3)->GetText(), "--");
    EXPECT_EQ(Row(form, 0)->GetColumn(1)->GetText(), "2010/11/21");
    EXPECT_EQ(CAdminCreatorSceneRootForm::FormatRating("60"), " 60.00");

    for (const char* id : {"40", "41", "42"}) {
        SCOPED_TRACE(id);
        form.OnPushed(Row(form, 0)->GetDeleteLink());
        auto* worker = Modal<CDeleteStageHiddenWindow>(form);
        ASSERT_NE(worker, nullptr);
        EXPECT_EQ(TextOf(worker->GetModalForm()),
                  "投稿したステージを\nサーバから削除します。\nよろしいですか？");
        Yes(worker->GetModalForm());
        EXPECT_EQ(lib.calls.back().name, "DeleteStage");
        EXPECT_EQ(lib.calls.back().args, (std::vector<std::string>{"5", "0123abcd", id}));
        Answer("");
        form.Update();
        EXPECT_EQ(TextOf(worker->GetModalForm()), "削除しました。");
        worker->GetModalForm()->Close();
        form.Update();
        EXPECT_EQ(form.GetModalForm(), nullptr);
    }
    EXPECT_EQ(form.GetGrid()->GetRowCount(), 0);
    EXPECT_TRUE(form.GetGrid()->GetEmptyLabel()->IsVisible());
    EXPECT_EQ(Figures(form)[0], "0");
    EXPECT_EQ(Figures(form)[2], "--");
}

TEST_F(Account, TheCreatorGoesOnlyAfterThreeYeses) {
    CAdminCreatorSceneRootForm form(&scene);
    Load(form, ListReply(1, 40));
    // "いいえ" to the second question: nothing sent, nothing changed.
    form.OnPushed(form.GetDeleteCreatorButton());
    auto* worker = Modal<CDeleteCreatorHiddenWindow>(form);
    ASSERT_NE(worker, nullptr);
    Yes(worker->GetModalForm());
    form.Update();
    EXPECT_EQ(TextOf(worker->GetModalForm()),
              "一度削除した情報は、\n二度と元には戻りません！\nそれでもよろしいですか？");
    No(worker->GetModalForm());
    form.Update();
    EXPECT_EQ(form.GetModalForm(), nullptr);
    EXPECT_EQ(lib.calls.size(), 1u);

    form.OnPushed(form.GetDeleteCreatorButton());
    worker = Modal<CDeleteCreatorHiddenWindow>(form);
    for (int question = 0; question < 3; ++question) {
        EXPECT_EQ(lib.calls.size(), 1u);
        Yes(worker->GetModalForm());
        form.Update();
    }
    ASSERT_EQ(lib.calls.size(), 2u);
    EXPECT_EQ(lib.calls[1].name, "DeleteCreator");
    EXPECT_EQ(lib.calls[1].args, (std::vector<std::string>{"5", "0123abcd"}));
    Answer("");
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorId(), "");
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorPoint(), 0);
    form.Update();
    EXPECT_EQ(TextOf(worker->GetModalForm()), "消しちゃいました…。");
    EXPECT_EQ(scene.closed, 0);
    worker->GetModalForm()->Close();
    EXPECT_EQ(scene.closed, 1);
}

TEST_F(Account, TheEditorAndTheMenuAreReachedAfterAQuestion) {
    CAdminCreatorSceneRootForm form(&scene);
    Load(form, "0\n0\n");
    form.OnPushed(form.GetEditorButton());
    EXPECT_EQ(TextOf(form.GetModalForm()), "エディタを開きます。\nよろしいですか？");
    Yes(form.GetModalForm());
    EXPECT_EQ(scene.toEditor, 1);
    form.Update();
    form.OnPushed(form.GetCloseButton());
    No(form.GetModalForm());
    EXPECT_EQ(scene.closed, 0);
    form.Update();
    form.OnPushed(form.GetCloseButton());
    Yes(form.GetModalForm());
    EXPECT_EQ(scene.closed, 1);
}

}  // namespace
