// The download screen's stage grid: the paging row at its edges, further records, the star rows
// and the held card.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "controls/StageRow.h"
#include "online/DownLoadForms.h"
#include "online/StageMetaInfoButton.h"
#include "online/StageMetaInfoButtonList.h"
#include "tests/online/online_forms_env.h"

namespace {

using namespace Controls;
using onlinetest::ListReply;

struct Owner : IDownLoadRootForm {
    Owner() : IDownLoadRootForm(nullptr) {}
    void RequestMoreStages(int32_t start, int32_t end) override { asked.push_back({start, end}); }
    std::vector<std::pair<int32_t, int32_t>> asked;
};

class StageList : public controltest::ControlTest {
  protected:
    CStageMetaInfoButtonList& Make(int records, int perPage, bool paging, bool ratings = true) {
        return *owner.AddControl(std::make_unique<CStageMetaInfoButtonList>(
            30, 112, perPage, 10, std::make_unique<CStageMetaInfoList>(ListReply(records)), &owner, &cards,
            paging, ratings));
    }
    // The labels of the paging row's entries, "<" and ">" for the arrows, the current page in [].
    static std::vector<std::string> Row(const CStageMetaInfoButtonList& list) {
        std::vector<std::string> out;
        GCBase::ControlCollection& row = list.GetPagingRow()->GetControls();
        for (int32_t i = 0; i < row.Count(); ++i) {
            GCBase* c = row.At(i);
            if (c == list.GetPreviousButton()) {
                out.push_back("<");
            } else if (c == list.GetNextButton()) {
                out.push_back(">");
            } else if (auto* link = dynamic_cast<CPagingButton*>(c)) {
                out.push_back(link->IsEnabled() ? link->GetText() : "[" + link->GetText() + "]");
            }
        }
        return out;
    }
    static std::vector<std::string> Cards(const CStageMetaInfoButtonList& list) {
        std::vector<std::string> ids;
        GCBase::ControlCollection& area = list.GetPageArea()->GetControls();
        for (int32_t i = 0; i < area.Count(); ++i)
            ids.push_back(dynamic_cast<CStageMetaInfoButton*>(area.At(i))->GetStageId());
        return ids;
    }

    Owner owner;
    controltest::EventLog cards;
};

TEST_F(StageList, WithoutRecordsTheRowHoldsOnlyTheArrowsAndTheMoreEntry) {
    CStageMetaInfoButtonList& list = Make(0, 6, true);
    EXPECT_EQ(list.GetHeight(), 420);
    EXPECT_EQ(list.GetControls().At(0), list.GetPageArea());
    EXPECT_EQ(list.GetControls().At(1), list.GetPagingRow());
    EXPECT_EQ(list.GetPageArea()->GetControls().Count(), 0);
    EXPECT_EQ(Row(list), (std::vector<std::string>{"...", "<", ">"}));
    EXPECT_EQ(list.GetMoreButton()->GetX(), 24);
    EXPECT_EQ(list.GetNextButton()->GetX(), 56);
    // "..." asks for the first 60 records again.
    list.OnPushed(list.GetMoreButton());
    EXPECT_EQ(owner.asked, (std::vector<std::pair<int32_t, int32_t>>{{0, 60}}));
    list.OnPushed(list.GetNextButton());
    owner.Update();
    EXPECT_EQ(list.GetCurrentPage(), 1);
}

TEST_F(StageList, SixtyRecordsPageOneAndPageTen) {
    CStageMetaInfoButtonList& list = Make(60, 6, true);
    EXPECT_EQ(Row(list),
              (std::vector<std::string>{"[１]", "２", "３", "４", "５", "６", "７", "８", "９", "<", ">"}));
    EXPECT_EQ(list.GetMoreButton(), nullptr);
    EXPECT_EQ(Cards(list), (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    // Two cards a row, 292 and 106 apart, under the 20-pixel row.
    auto* sixth = dynamic_cast<CStageMetaInfoButton*>(list.GetPageArea()->GetControls().At(5));
    EXPECT_EQ(sixth->GetX(), 292);
    EXPECT_EQ(sixth->GetY(), 212);
    EXPECT_EQ(list.GetPageArea()->GetY(), 20);

    // Previous on page 1 changes nothing; a page link turns the page at the next update only.
    list.OnPushed(list.GetPreviousButton());
    EXPECT_EQ(list.GetPendingPage(), -1);
    GCBase* lastLink = list.GetPagingRow()->GetControls().At(8);
    list.OnPushed(dynamic_cast<GCButton*>(lastLink));
    EXPECT_EQ(list.GetCurrentPage(), 1);
    owner.Update();
    EXPECT_EQ(list.GetCurrentPage(), 9);

    list.SetPage(10);
    EXPECT_EQ(Row(list),
              (std::vector<std::string>{"３", "４", "５", "６", "７", "８", "９", "[10]", "...", "<", ">"}));
    EXPECT_EQ(Cards(list), (std::vector<std::string>{"55", "56", "57", "58", "59", "60"}));
    // Next on the last page changes nothing.
    list.OnPushed(list.GetNextButton());
    owner.Update();
    EXPECT_EQ(list.GetCurrentPage(), 10);
    list.OnPushed(list.GetMoreButton());
    EXPECT_EQ(owner.asked, (std::vector<std::pair<int32_t, int32_t>>{{60, 120}}));

    // Further records land behind the others; the list turns to their last page.
    list.AddList(std::make_unique<CStageMetaInfoList>(ListReply(3, 61)), true);
    EXPECT_EQ(list.GetRecordCount(), 63);
    EXPECT_EQ(list.GetRecordAt(62).GetKey(), "63");
    EXPECT_EQ(list.GetRecordAt(63).GetKey(), "");
    owner.Update();
    EXPECT_EQ(list.GetCurrentPage(), 11);
    EXPECT_EQ(Cards(list), (std::vector<std::string>{"61", "62", "63"}));
}

TEST_F(StageList, StarsAreTheTensOfTheRatingAndOnlyForRatedRecords) {
    // The replies' 57, 99.9 and 100.
    CStageMetaInfoButtonList& list = Make(2, 4, false);
    EXPECT_EQ(list.GetHeight(), 276);
    EXPECT_EQ(list.GetPagingRow(), nullptr);
    auto* card = dynamic_cast<CStageMetaInfoButton*>(list.GetPageArea()->GetControls().At(0));
    ASSERT_TRUE(card->ShowsRatings());
    EXPECT_EQ(card->GetStars(0)->GetFilledCount(), 5);
    EXPECT_EQ(card->GetStars(1)->GetFilledCount(), 9);
    EXPECT_EQ(card->GetStars(2)->GetFilledCount(), 10);
    EXPECT_EQ(StarCount(0.0), 0);
    // Whatever reaches the row, the cast sees only 0 .. 10 stars.
    EXPECT_EQ(StarCount(std::nan("")), 0);
    EXPECT_EQ(StarCount(-1.0), 0);
    EXPECT_EQ(StarCount(1e30), 10);
    EXPECT_EQ(StarCount(std::numeric_limits<double>::infinity()), 10);

    // A list without ratings, and a record without them, show no star rows.
    CStageMetaInfoButtonList& plain = Make(1, 4, false, false);
    EXPECT_FALSE(
        dynamic_cast<CStageMetaInfoButton*>(plain.GetPageArea()->GetControls().At(0))->ShowsRatings());
    CStageMetaInfoButton unrated(0, 0, "9", "名前", "2010/11/21", "だれか", 10, 0.5, 0.5, 0.5, 2, false);
    EXPECT_EQ(unrated.GetStars(0), nullptr);

    // Three lit stars then seven empty ones; the lit ones flash together for 12 frames of 40.
    CStarGraph stars(0, 0, 3);
    DrawFrame(stars);
    EXPECT_TRUE(port.Drew({20, 0, "Controls_009", 232, 80, 240, 88}));
    EXPECT_TRUE(port.Drew({30, 0, "Controls_009", 248, 80, 256, 88}));
    for (int i = 0; i < 12; ++i) DrawFrame(stars);
    EXPECT_TRUE(port.Drew({0, 0, "Controls_009", 224, 80, 232, 88}));
}

TEST_F(StageList, AHeldCardSinksItsContentsNotItsFace) {
    COriginalBaseForm root(0, 0, 640, 480);
    auto* card = root.AddControl(std::make_unique<CStageMetaInfoButton>(
        30, 40, "7", "名前", "2010/11/21", "だれか", 120, 0.5, 0.5, 0.5, 2, true));
    card->AddPushedEventHandler(&cards);
    Press(100, 80);
    root.Update();
    EXPECT_EQ(card->GetX(), 32);
    DrawFrame(root);
    // The face's first piece is the held face's, where the card rests.
    EXPECT_EQ(port.blits.at(0), (controltest::Blit{30, 40, "Controls_009", 48, 128, 64, 136}));
    // Let go outside: no push, back home.
    Release(600, 470);
    root.Update();
    EXPECT_EQ(card->GetX(), 30);
    EXPECT_EQ(cards.Count("push"), 0);
    // 18 columns by 13 rows of pieces; the last row is the face's bottom row.
    DrawFrame(root);
    EXPECT_TRUE(port.Drew({30 + 272, 40 + 96, "Controls_009", 32, 184, 48, 192}));
    EXPECT_TRUE(port.Drew({30 + 16, 40 + 64, "Controls_009", 16, 160, 32, 168}));
}

}  // namespace
