// The error texts and the stage list replies.
#include <gtest/gtest.h>

#include "online/NetWorkAccessor.h"
#include "online/StageMetaInfo.h"

namespace {

std::string Text(int code, const std::string& detail) {
    return CNetWorkAccessor::FormatErrorText(code, detail);
}

TEST(ErrorTexts, EveryCodeAndItsDetails) {
    EXPECT_EQ(Text(0, "x"), "[EC_OK]\nエラーは特にありませんでした。");
    EXPECT_EQ(Text(1, "点検中です"), "[EC_MAINTENANCE]\n点検中です");
    EXPECT_EQ(Text(1, ""), "[EC_MAINTENANCE]\n");
    EXPECT_EQ(Text(2, "3"), "[EC_RESTRICTED]\n投稿回数オーバーです！\n1日あたり3回しか投稿できません。");
    EXPECT_EQ(CNetWorkAccessor::FormatErrorText(2, "3", NetWorkOperation::RegisterStage), Text(2, "3"));
    EXPECT_EQ(Text(3, "whatever"), "[EC_AU_ERROR]\n認証エラーが発生しました。");
    EXPECT_EQ(Text(4, "23505"),
              "[EC_DB_ERROR]\nその名前は既に使っている人がいます。他の名前を入力してください。");
    EXPECT_EQ(Text(4, "08000"), "[EC_DB_ERROR]\nデータベースに接続できませんでした。");
    EXPECT_EQ(Text(4, "999"), "[EC_DB_ERROR]\n未知のデータベースエラーが発生しました。(999)");
    EXPECT_EQ(Text(5, "12002"), "[EC_NW_ERROR]\n接続がタイムアウトしました。(12002)");
    EXPECT_EQ(Text(5, "404"), "[EC_NW_ERROR]\n接続先が見付かりません。(404 Not Found)");
    // A blank after the number is another detail.
    EXPECT_EQ(Text(5, "403 "), "[EC_NW_ERROR]\n未知のネットワークエラーが発生しました。(403 )");
    EXPECT_EQ(Text(6, "P003"), "[EC_PM_ERROR]\nステージ情報が存在しません。");
    EXPECT_EQ(Text(6, "P9"), "[EC_PM_ERROR]\n未知の入力パラメータエラーが発生しました。(P9)");
    EXPECT_EQ(Text(7, "S003"), Text(7, "S001"));
    EXPECT_EQ(Text(7, "S002"), "[EC_ST_ERROR]\nステージ名が付いていません。");
    EXPECT_EQ(Text(8, "x"), "[EC_OT_ERROR]\nエラーが発生しました。");
    EXPECT_EQ(Text(9, ""), "[EC_UNEXPECTED]\n原因不明のエラーが発生しました。");
    EXPECT_EQ(Text(-1, ""), Text(9, ""));
}

std::string Record(const std::string& id, const std::string& d, const std::string& l, const std::string& r) {
    return id + "\nname" + id + "\nthird\nauthor\n120\n7\nBackGround002\n" + d + "\n" + l + "\n" + r +
           "\n2010/11/21 09:30:05\ntwelfth-and-more\n";
}

TEST(StageLists, ShortAndEmptyReplies) {
    for (const char* reply : {"", "5\n", "3\n0\n"}) {
        CStageMetaInfoList list(reply);
        EXPECT_EQ(list.Count, 0) << reply;
        EXPECT_TRUE(list.Records.empty()) << reply;
    }
    EXPECT_EQ(CStageMetaInfoList("5\n").TotalCount, 0);
    EXPECT_EQ(CStageMetaInfoList("3\n0\n").TotalCount, 3);
}

TEST(StageLists, RecordsInFieldOrder) {
    CStageMetaInfoList list("10\n2\n" + Record("11", "50", "40", "70") + Record("12", "50", "", "70"));
    ASSERT_EQ(list.Records.size(), 2u);
    EXPECT_EQ(list.TotalCount, 10);
    const CStageMetaInfo& a = list.Records[0];
    EXPECT_EQ(a.GetKey(), "11");
    EXPECT_EQ(a.GetStageName(), "name11");
    EXPECT_EQ(a.GetThirdText(), "third");
    EXPECT_EQ(a.GetOriginalAuthorName(), "author");
    EXPECT_EQ(a.GetDataSize(), 120);
    EXPECT_EQ(a.DownloadCount, 7);
    EXPECT_EQ(a.GetBackGroundKey(), "BackGround002");
    EXPECT_EQ(a.GetPostedDate(), "2010/11/21");
    EXPECT_EQ(a.TwelfthText, "twelfth-an");
    EXPECT_TRUE(a.HasRatings);
    EXPECT_FALSE(list.Records[1].HasRatings);
}

TEST(StageLists, OnlyRecordsThatAreThereAreBuilt) {
    // Two announced, one whole record and the first line of the second: no card without a stage.
    CStageMetaInfoList list("10\n2\n" + Record("11", "1", "2", "3") + "12");
    ASSERT_EQ(list.Records.size(), 1u);
    EXPECT_EQ(list.Records[0].GetKey(), "11");
    EXPECT_EQ(list.Count, 1);
    // A count far beyond the text builds nothing that is not there, not even from the empty line
    // after the last line feed.
    CStageMetaInfoList huge("10\n2000000000\n" + Record("11", "1", "2", "3"));
    EXPECT_EQ(huge.Records.size(), 1u);
    EXPECT_EQ(huge.Count, 1);
    EXPECT_FALSE(CStageMetaInfoList::IsTrueReply("10\n2\n" + Record("11", "1", "2", "3")));
    EXPECT_TRUE(CStageMetaInfoList::IsTrueReply("10\n1\n" + Record("11", "1", "2", "3")));
}

// Figures no server sends: the record is not built and the reply is not true.
TEST(StageLists, FiguresOutOfTheirRangeAreRefused) {
    const std::string good = Record("11", "57", "99.9", "100");
    auto with = [&](const std::string& from, const std::string& to) {
        std::string r = good;
        r.replace(r.find(from), from.size(), to);
        return r;
    };
    EXPECT_TRUE(CStageMetaInfoList::IsTrueReply("1\n1\n" + good));
    for (const std::string& bad :
         {with("\n100\n", "\nnan\n"), with("\n100\n", "\ninf\n"), with("\n100\n", "\n1e30\n"),
          with("\n100\n", "\n100.5\n"), with("\n57\n", "\n-1\n"), with("\n57\n", "\n0x20\n"),
          with("\n99.9\n", "\n.5\n"), with("\n7\n", "\n-1\n"), with("\n7\n", "\n2147483648\n"),
          with("\n120\n", "\n0\n"), with("\n120\n", "\n99999999\n"), with("11\n", "0\n")}) {
        EXPECT_FALSE(CStageMetaInfoList::IsTrueReply("1\n1\n" + bad)) << bad;
        EXPECT_TRUE(CStageMetaInfoList("1\n1\n" + bad).Records.empty()) << bad;
    }
    // Totals and counts: whole, from 0, the count at most the total.
    for (const char* bad : {"", "5\n", "-1\n0\n", "0\n1\n", "x\n0\n", "1\n0\n\n"})
        EXPECT_FALSE(CStageMetaInfoList::IsTrueReply(bad)) << bad;
    EXPECT_TRUE(CStageMetaInfoList::IsTrueReply("3\n0\n"));
    EXPECT_TRUE(CStageMetaInfoList::IsTrueReply("3\n0"));
}

TEST(StageLists, RemoveDropsEveryRecordOfTheId) {
    CStageMetaInfoList list("3\n3\n" + Record("5", "", "", "") + Record("6", "", "", "") +
                            Record("5", "", "", ""));
    list.Remove("7");
    EXPECT_EQ(list.Count, 3);
    list.Remove("5");
    EXPECT_EQ(list.Count, 1);
    ASSERT_EQ(list.Records.size(), 1u);
    EXPECT_EQ(list.Records[0].GetKey(), "6");
    EXPECT_EQ(list.TotalCount, 3);
}

}  // namespace
