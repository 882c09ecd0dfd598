#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "foundation/QuorException.h"

TEST(QuorException, SubclassCaughtAsBaseKeepsTextsAndRethrowAsBaseLosesClass) {
    bool stageHandlerTookIt = false;
    std::string code, message;
    try {
        try {
            throw CStageDataException("SDE0006", "ステージの構造が不正です。");
        } catch (const CQuorException& e) {
            code = e.GetCode();
            message = e.GetMessage();
            throw e;  // a plain CQuorException copy from here on
        }
    } catch (const CStageDataException&) {
        stageHandlerTookIt = true;
    } catch (const CQuorException& e) {
        EXPECT_EQ(e.GetCode(), "SDE0006");
    }
    EXPECT_FALSE(stageHandlerTookIt);
    EXPECT_EQ(code, "SDE0006");
    EXPECT_EQ(message, "ステージの構造が不正です。");

    // A subclass handler lets every other class pass.
    bool passed = false;
    try {
        try {
            throw CDataFileException("DEF0102", "history.dat を保存できません。");
        } catch (const CInitFileException&) {
            FAIL();
        }
    } catch (const CDataFileException&) {
        passed = true;
    }
    EXPECT_TRUE(passed);
}

TEST(QuorException, ReportText) {
    EXPECT_EQ(FormatErrorReport(COtherException("OTE0001", "XMLの構造が不正です。")),
              "Error Code:[OTE0001] \nXMLの構造が不正です。");
    StringPair empty;
    EXPECT_TRUE(empty.code.empty());
    EXPECT_TRUE(empty.message.empty());
}

// One handler of std::exception takes the game's errors and the library's, and still tells them
// apart by their report and their code.
TEST(QuorException, OneHandlerTakesEveryErrorAndTellsThemApart) {
    auto caught = [](auto thrower) {
        try {
            thrower();
        } catch (const std::exception& e) {
            return GetErrorCode(e) + "|" + e.what() + "|" + FormatErrorReport(e);
        }
        return std::string("not caught");
    };
    EXPECT_EQ(caught([] { ThrowQuorError("SDE0009"); }),
              "SDE0009|ステージファイルを保存できません。|Error Code:[SDE0009] "
              "\nステージファイルを保存できません。");
    EXPECT_EQ(caught([] { throw std::out_of_range("vector"); }), "|vector|Error: vector");
}

TEST(QuorException, CodeTableIsWellFormedAndThrowsTheRightClass) {
    int count = 0;
    const QuorErrorDef* table = GetQuorErrorTable(count);
    ASSERT_EQ(count, 45);
    std::set<std::string> seen;
    for (int i = 0; i < count; ++i) {
        const std::string code = table[i].code;
        ASSERT_EQ(code.size(), 7u) << code;
        for (int k = 0; k < 3; ++k) EXPECT_TRUE(std::isupper(static_cast<unsigned char>(code[k]))) << code;
        for (int k = 3; k < 7; ++k) EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(code[k]))) << code;
        EXPECT_TRUE(seen.insert(code).second) << code;
    }
    auto thrownAs = [](const char* code) -> std::string {
        try {
            ThrowQuorError(code);
        } catch (const CInitFileException&) {
            return "init";
        } catch (const CDataFileException&) {
            return "data";
        } catch (const COtherException&) {
            return "other";
        } catch (const CStageDataException&) {
            return "stage";
        } catch (const CResourceAccessException&) {
            return "resource";
        } catch (const CDllException&) {
            return "dll";
        } catch (const CQuorException&) {
            return "base";
        }
        return "";
    };
    // The history file fails with DEF codes of two classes.
    EXPECT_EQ(thrownAs("DEF0100"), "init");
    EXPECT_EQ(thrownAs("DEF0102"), "data");
    EXPECT_EQ(thrownAs("DEF0301"), "data");
    EXPECT_EQ(thrownAs("OTE0002"), "other");
    EXPECT_EQ(thrownAs("SDE0010"), "stage");
    EXPECT_EQ(thrownAs("RAE0003"), "resource");
    EXPECT_EQ(thrownAs("DLE0001"), "dll");
    EXPECT_EQ(thrownAs("XYZ9999"), "base");

    ASSERT_NE(FindQuorError("SDE0008"), nullptr);
    EXPECT_STREQ(FindQuorError("SDE0008")->message, "アレンジ禁止のステージです");
    EXPECT_STREQ(FindQuorError("OTE0002")->message, "Sorry, this software is Japanese only.");
}

TEST(QuorException, BuiltMessages) {
    EXPECT_EQ(MakeBackupSaveErrorMessage("network\\client_info_bk20101121.dat"),
              "network\\client_info_bk20101121.dat を保存できません。");
    EXPECT_EQ(MakeStageOpenErrorMessage("stage\\original\\a.stg"),
              "ファイルstage\\original\\a.stgを開けません。");
    EXPECT_EQ(
        MakeStageVersionErrorMessage("1.1.0.0", "1.0.0.0"),
        "ステージデータのバージョン(1.1.0.0)が、現在のアプリケーションのバージョン(1.0.0.0)よりも新しいため、"
        "読み取りできません。");
    try {
        ThrowQuorError("SDE0007", MakeStageOpenErrorMessage("x.stg"));
        FAIL();
    } catch (const CStageDataException& e) {
        EXPECT_EQ(e.GetCode(), "SDE0007");
        EXPECT_EQ(e.GetMessage(), "ファイルx.stgを開けません。");
    }
}
