// The download screen's forms: the newest stages once a visit, the download question, a saved
// stage played, a stage that cannot be read never played, and the two searches with their
// further records.
#include <gtest/gtest.h>

#include <filesystem>

#include "controls/KeyboardWindow.h"
#include "online/DownLoadForms.h"
#include "online/DownLoadSearchForms.h"
#include "online/StageMetaInfoButton.h"
#include "online/StageMetaInfoButtonList.h"
#include "tests/online/online_forms_env.h"

namespace {

using namespace Controls;
using onlinetest::ListReply;

class DownLoad : public onlinetest::OnlineFormTest {
  protected:
    static CStageMetaInfoButton* Card(CDownLoadListForm& form, int32_t index) {
        return dynamic_cast<CStageMetaInfoButton*>(
            form.GetStageList()->GetPageArea()->GetControls().At(index));
    }
    // Pushes the card and answers "はい"; the download request is the last call.
    void Download(CDownLoadListForm& form, int32_t index) {
        form.OnPushed(Card(form, index));
        Yes(form.GetModalForm());
    }
};

TEST_F(DownLoad, TheTopFormAsksOnceAVisitAndKeepsWhatItGot) {
    CDownLoadTopRootForm top(&scene, "");
    ASSERT_EQ(lib.calls.size(), 1u);
    EXPECT_EQ(lib.calls[0].name, "GetNewStage");
    EXPECT_EQ(lib.calls[0].args[0], "4");
    Answer(ListReply(4));
    EXPECT_EQ(top.GetStageList()->GetRecordCount(), 4);
    EXPECT_EQ(top.GetStageList()->GetPagingRow(), nullptr);
    EXPECT_FALSE(Card(top, 0)->ShowsRatings());
    // Back from a search form: the same stages without a request.
    std::string kept;
    KeepDownLoadListText(top, kept);
    CDownLoadTopRootForm again(&scene, kept);
    EXPECT_EQ(lib.calls.size(), 1u);
    EXPECT_EQ(Card(again, 3)->GetStageName(), "ステージ4");
    // Reload asks again; a failure leaves an empty list and nothing to keep.
    again.OnPushed(again.GetReloadButton());
    ASSERT_EQ(lib.calls.size(), 2u);
    FailAndClose();
    EXPECT_EQ(again.GetStageList()->GetRecordCount(), 0);
    EXPECT_EQ(again.GetListText(), "");

    again.OnPushed(again.GetDifficultyLengthButton());
    EXPECT_EQ(scene.form, DownLoadFormId::DifficultyLength);
    again.OnPushed(again.GetCreatorNameButton());
    EXPECT_EQ(scene.form, DownLoadFormId::CreatorName);
    // Leaving asks first.
    again.OnPushed(again.GetCloseButton());
    No(again.GetModalForm());
    EXPECT_EQ(scene.closed, 0);
    again.Update();
    again.OnPushed(again.GetCloseButton());
    Yes(again.GetModalForm());
    EXPECT_EQ(scene.closed, 1);
}

// The sample stage with its id element holding `id`, or without the element when `id` is null.
std::string WithStageId(const std::string& text, const char* id) {
    const size_t open = text.find("<id>");
    const size_t close = text.find("</id>", open);
    if (open == std::string::npos || close == std::string::npos) return {};
    if (!id) return text.substr(0, open) + text.substr(close + 5);
    return text.substr(0, open + 4) + id + text.substr(close);
}

// The stage is played, and its plays are recorded, under the id the list gave it: the text the
// server sent may name another stage, or none.
TEST_F(DownLoad, ADownloadedStageIsSavedAndPlayedUnderTheListsId) {
    const std::string otherId = WithStageId(stageText, "99"), noId = WithStageId(stageText, nullptr);
    ASSERT_FALSE(otherId.empty());
    const int size = int(Utf8ToCp932(otherId).size()) + 1;
    CDownLoadTopRootForm top(&scene, ListReply(2, 7, true, -1, size));
    top.OnPushed(Card(top, 0));
    EXPECT_EQ(TextOf(top.GetModalForm()), "ステージ7\nをダウンロードします。\nよろしいですか？");
    No(top.GetModalForm());
    EXPECT_TRUE(lib.calls.empty());
    top.Update();
    Download(top, 0);
    ASSERT_EQ(lib.calls.size(), 1u);
    EXPECT_EQ(lib.calls[0].name, "DownloadStage");
    EXPECT_EQ(lib.calls[0].args, (std::vector<std::string>{"7", std::to_string(size), "buffer"}));
    Answer(otherId);
    // The stage read when it was checked is the one played; the file holds the text as it came.
    ASSERT_NE(scene.played, nullptr);
    EXPECT_EQ(scene.played->name, "扉とワープ");
    EXPECT_EQ(scene.played->id, "7");
    std::string saved;
    ASSERT_EQ(ReadEncodedFile("stage\\downloaded\\7.stg", saved), ReadStatus::Ok);
    EXPECT_EQ(saved, otherId);
    EXPECT_TRUE(std::filesystem::exists(game.Full("stage/downloaded/7.stg")));
    top.Update();
    EXPECT_EQ(top.GetModalForm(), nullptr);

    Download(top, 1);
    Answer(noId);
    ASSERT_NE(scene.played, nullptr);
    EXPECT_EQ(scene.played->id, "8");
    ASSERT_EQ(ReadEncodedFile("stage\\downloaded\\8.stg", saved), ReadStatus::Ok);
    EXPECT_EQ(saved, noId);
}

TEST_F(DownLoad, AStageThatCannotBeReadIsNeverPlayedNorSaved) {
    // A damaged file lies in the download folder under the same id.
    game.WriteRaw("stage/downloaded/7.stg", "\x01\x02 damaged");
    CDownLoadTopRootForm top(&scene, ListReply(2, 7, true, -1, int(Utf8ToCp932(stageText).size()) + 1));
    Download(top, 0);
    Answer("<stage><name>壊れた");
    EXPECT_EQ(scene.played, nullptr);
    EXPECT_EQ(top.GetDialog(), CDownLoadListForm::Dialog::DownloadAlert);
    EXPECT_NE(dynamic_cast<CAlertWindow*>(top.GetModalForm()), nullptr);
    EXPECT_EQ(TextOf(top.GetModalForm()), "ステージデータを\n開けませんでした…。");
    EXPECT_EQ(game.ReadRaw("stage/downloaded/7.stg"), "\x01\x02 damaged");
    // A stage of a newer version asks for an upgrade.
    top.Update();
    top.GetModalForm()->Close();
    top.Update();
    Download(top, 1);
    std::string newer = stageText;
    newer.replace(newer.find("<version>1.0.0.0</version>"), 26, "<version>9.0.0.0</version>");
    Answer(newer);
    EXPECT_EQ(TextOf(top.GetModalForm()),
              "互換性がないステージです。\nQuorvaldを最新版に\nアップグレードして下さい。");
    EXPECT_FALSE(std::filesystem::exists(game.Full("stage/downloaded/8.stg")));
    EXPECT_NE(LogText().find("互換性がないステージです。Quorvaldを最新版にアップグレードして下さい。"),
              std::string::npos);
    // A failed download was shown by the accessor: nothing more happens.
    top.Update();
    top.GetModalForm()->Close();
    top.Update();
    Download(top, 1);
    FailAndClose();
    top.Update();
    EXPECT_EQ(top.GetModalForm(), nullptr);
    EXPECT_EQ(scene.played, nullptr);
}

TEST_F(DownLoad, TheDifficultyAndLengthSearchFetchesSixtyAtATime) {
    CDownLoadDifficultyLengthSearchRootForm form(&scene);
    EXPECT_TRUE(lib.calls.empty());
    form.OnPushed(form.GetSearchButton());
    ASSERT_EQ(lib.calls.size(), 1u);
    EXPECT_EQ(lib.calls[0].name, "SearchStageByDL");
    EXPECT_EQ(lib.calls[0].args, (std::vector<std::string>{"50", "50", "0", "60"}));
    Answer(ListReply(60, 1, true, 75));
    CStageMetaInfoButtonList* list = form.GetStageList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetY(), 112);
    EXPECT_EQ(list->GetPageArea()->GetControls().Count(), 6);
    EXPECT_TRUE(Card(form, 0)->ShowsRatings());
    // "..." on page 10 asks for the next 60 with the same terms, even after the bars moved.
    list->SetPage(10);
    form.GetDifficultyBar()->SetValue(90);
    list->OnPushed(list->GetMoreButton());
    EXPECT_EQ(lib.calls.at(1).args, (std::vector<std::string>{"50", "50", "60", "60"}));
    Answer(ListReply(15, 61));
    form.Update();
    EXPECT_EQ(form.GetStageList(), list);
    EXPECT_EQ(list->GetCurrentPage(), 13);
    // A new search starts again from the first record and replaces the grid; a failed one keeps it.
    form.OnPushed(form.GetSearchButton());
    EXPECT_EQ(lib.calls.at(2).args, (std::vector<std::string>{"90", "50", "0", "60"}));
    FailAndClose();
    EXPECT_EQ(form.GetStageList(), list);
    form.OnPushed(form.GetSearchButton());
    Answer(ListReply(0));
    EXPECT_EQ(form.GetStageList()->GetRecordCount(), 0);
    form.OnPushed(form.GetCloseButton());
    EXPECT_EQ(scene.form, DownLoadFormId::Top);
}

TEST_F(DownLoad, TheCreatorNameSearchNeedsANameAndSendsItAsTyped) {
    CDownLoadCreatorNameSearchRootForm form(&scene);
    form.OnPushed(form.GetSearchButton());
    EXPECT_TRUE(lib.calls.empty());
    EXPECT_EQ(TextOf(form.GetModalForm()), "先にクリエイター名を\n入力してください！");
    form.Update();
    form.GetModalForm()->Close();
    form.Update();

    form.OnPushed(form.GetInputButton());
    auto* keyboard = Modal<CVirtualKeyBoard>(form);
    ASSERT_NE(keyboard, nullptr);
    keyboard->GetInputArea()->SetText("くお");
    keyboard->OnButtonPushed(keyboard->GetOkButton());
    EXPECT_EQ(form.GetNameField()->GetText(), "くお");
    // A cancelled keyboard leaves the name.
    form.Update();
    form.OnPushed(form.GetInputButton());
    Modal<CVirtualKeyBoard>(form)->OnButtonPushed(Modal<CVirtualKeyBoard>(form)->GetCancelButton());
    EXPECT_EQ(form.GetNameField()->GetText(), "くお");
    EXPECT_TRUE(lib.calls.empty());

    form.OnPushed(form.GetSearchButton());
    ASSERT_EQ(lib.calls.size(), 1u);
    EXPECT_EQ(lib.calls[0].name, "SearchStage");
    EXPECT_EQ(lib.calls[0].args, (std::vector<std::string>{Utf8ToCp932("くお"), "0", "60"}));
    Answer(ListReply(2, 30));
    Download(form, 1);
    EXPECT_EQ(lib.calls.at(1).args.at(0), "31");
    EXPECT_EQ(form.GetRequest(), CDownLoadListForm::Request::Download);
}

}  // namespace
