#include <gtest/gtest.h>

#include "foundation/DateTime.h"
#include "foundation/EncodedFile.h"
#include "foundation/Log.h"
#include "foundation/TextEncoding.h"
#include "foundation/VersionNumber.h"
#include "tests/common/caught_code.h"
#include "tests/common/temp_folder.h"

namespace {

using testsupport::TempGameFolder;
SystemTime At(int y, int mo, int d, int h, int mi, int s, int ms = 0) {
    SystemTime t;
    t.year = static_cast<uint16_t>(y);
    t.month = static_cast<uint16_t>(mo);
    t.day = static_cast<uint16_t>(d);
    t.hour = static_cast<uint16_t>(h);
    t.minute = static_cast<uint16_t>(mi);
    t.second = static_cast<uint16_t>(s);
    t.milliseconds = static_cast<uint16_t>(ms);
    return t;
}
}  // namespace

TEST(DateTime, Texts) {
    const CDateTime t(At(2010, 1, 5, 9, 30, 5));
    EXPECT_EQ(t.FormatDateCompact(), "20100105");
    EXPECT_EQ(t.FormatDateSlash(), "2010/01/05");
    EXPECT_EQ(t.FormatDateJp(), "2010年01月05日");
    EXPECT_EQ(t.FormatTimeCompact(), "093005");
    EXPECT_EQ(t.FormatTime(), "09:30:05");
    EXPECT_EQ(t.FormatTimeJp(), "09時30分05秒");
    EXPECT_EQ(t.FormatStamp(), "20100105093005");
    EXPECT_EQ(t.FormatDateTime(), "2010/01/05 09:30:05");
    EXPECT_EQ(t.FormatDateTimeJp(), "2010年01月05日 09時30分05秒");
    EXPECT_EQ(t.GetHour(), 9);
    const CDateTime copy = t;
    EXPECT_EQ(copy.FormatStamp(), t.FormatStamp());
}

TEST(DateTime, IsEarlierToTheSecond) {
    const CDateTime a(At(2010, 11, 21, 9, 30, 5, 1));
    const CDateTime b(At(2010, 11, 21, 9, 30, 5, 999));
    EXPECT_FALSE(a.IsEarlier(b));
    EXPECT_FALSE(b.IsEarlier(a));
    EXPECT_TRUE(CDateTime(At(2009, 12, 31, 23, 59, 59)).IsEarlier(CDateTime(At(2010, 1, 1, 0, 0, 0))));
    EXPECT_FALSE(CDateTime(At(2010, 2, 1, 0, 0, 0)).IsEarlier(CDateTime(At(2010, 1, 31, 23, 0, 0))));
    EXPECT_TRUE(CDateTime(At(2010, 1, 1, 0, 0, 1)).IsEarlier(CDateTime(At(2010, 1, 1, 0, 0, 2))));
}

TEST(Log, DailyFileAndLineFormat) {
    TempGameFolder game;
    CDateTime::SetNowForTesting(At(2010, 11, 21, 9, 30, 5));
    CLog* log = CLog::GetInstance();
    EXPECT_EQ(log->GetFilePath(), "log\\log20101121.log");
    EXPECT_FALSE(DirExists("log"));
    log->Write("========== GameStart ==========");
    log->Write("日本語の行");
    CDateTime::SetNowForTesting(At(2010, 11, 22, 0, 0, 1));
    log->Write("next day");
    CDateTime::SetNowForTesting(std::nullopt);

    EXPECT_EQ(game.ReadRaw("log/log20101121.log"),
              Utf8ToCp932("[20101121 09:30:05] ========== GameStart ==========\n"
                          "[20101121 09:30:05] 日本語の行\n"));
    EXPECT_EQ(game.ReadRaw("log/log20101122.log"), "[20101122 00:00:01] next day\n");

    // The real clock names today's file.
    EXPECT_EQ(log->GetFilePath(), "log\\log" + CDateTime().FormatDateCompact() + ".log");
}

// A text from the server or a file name cannot break a log line or send escape codes to the
// terminal that shows the log: its control characters are written out.
TEST(Log, ControlCharactersAreEscapedAndAnEntryStaysOneLine) {
    TempGameFolder game;
    CDateTime::SetNowForTesting(At(2010, 11, 21, 9, 30, 5));
    CLog::GetInstance()->Write(
        "Error Code:[SDE0007] \nファイル\x1b[2Jx\r\ty\x7f\x01\xC2\x85\xC2\x9B\xC2\xA9.stg");
    CLog::GetInstance()->Write("next");
    CDateTime::SetNowForTesting(std::nullopt);
    EXPECT_EQ(game.ReadRaw("log/log20101121.log"),
              Utf8ToCp932("[20101121 09:30:05] Error Code:[SDE0007] \\nファイル\\x1b[2Jx\\r\\ty\\x7f\\x01"
                          "\\u0085\\u009b\xC2\xA9.stg\n"
                          "[20101121 09:30:05] next\n"));
}

TEST(Log, UnwritableLogIsSilent) {
    TempGameFolder game;
    game.WriteRaw("log", "a file where the folder should be");
    CLog::GetInstance()->Write("lost");  // no throw, no crash
    EXPECT_TRUE(FileExists("log"));
}

TEST(VersionNumber, TextAndComparison) {
    CVersionNumber v;
    v.Parse("1.2.3.4");
    EXPECT_EQ(v.GetMajor(), 1);
    EXPECT_EQ(v.GetRevision(), 4);
    EXPECT_EQ(v.ToString(), "1.2.3.4");
    v.Parse("1.2");
    EXPECT_EQ(v.ToString(), "1.2.2.2");
    v.Parse("");
    EXPECT_EQ(v.ToString(), "0.0.0.0");
    v.Parse("7");
    EXPECT_EQ(v.ToString(), "7.7.7.7");
    v.Parse("1..x.99999999999999999999");
    EXPECT_EQ(v.ToString(), "1.0.0.-1");
    EXPECT_EQ(CVersionNumber::Application().ToString(), "1.0.0.0");
    EXPECT_EQ(CVersionNumber().ToString(), "1.0.0.0");  // a version nobody set is the game's own

    EXPECT_TRUE(CVersionNumber(1, 0, 9, 9).IsAtLeast(CVersionNumber(1, 0, 0, 0)));
    EXPECT_FALSE(CVersionNumber(1, 0, 0, 0).IsAtLeast(CVersionNumber(1, 1, 0, 0)));
    EXPECT_TRUE(CVersionNumber(2, 0, 0, 0).IsAtLeast(CVersionNumber(1, 9, 0, 0)));
    EXPECT_TRUE(CVersionNumber(1, 0, 0, 0).IsAtLeast(CVersionNumber(1, 0, 5, 5)));
    EXPECT_FALSE(CVersionNumber(0, 9, 0, 0).IsAtLeast(CVersionNumber(1, 0, 0, 0)));
}
