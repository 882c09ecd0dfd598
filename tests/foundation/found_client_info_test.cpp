#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "foundation/ClientInfo.h"
#include "foundation/CreatorLevelTable.h"
#include "foundation/DateTime.h"
#include "foundation/EncodedFile.h"
#include "foundation/XmlNode.h"
#include "tests/common/caught_code.h"
#include "tests/common/temp_folder.h"

namespace {

using testsupport::TempGameFolder;

// The initial file as the game ships it (every element present).
const char kInitXml[] =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
    "<clientInfo>\n"
    "  <network>\n"
    "    <createrId></createrId>\n"
    "    <createrName></createrName>\n"
    "    <commonKey></commonKey>\n"
    "    <ratingPointSum>0</ratingPointSum>\n"
    "    <createrPoint>0</createrPoint>\n"
    "    <accessFailCount>0</accessFailCount>\n"
    "  </network>\n"
    "  <config>\n"
    "    <sendingPermission>false</sendingPermission>\n"
    "    <keyConfigMode>0</keyConfigMode>\n"
    "    <musicVolume>80</musicVolume>\n"
    "    <soundEffectVolume>70</soundEffectVolume>\n"
    "  </config>\n"
    "  <lastBootUpDate></lastBootUpDate>\n"
    "  <boughtItems></boughtItems>\n"
    "</clientInfo>\n";

class ClientInfoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CClientInfo::DeleteInstance();
        game.WriteEncoded("network/client_info_init.dat", kInitXml);
    }
    void TearDown() override {
        CClientInfo::DeleteInstance();
        CDateTime::SetNowForTesting(std::nullopt);
    }
    // The player's file as stored, decoded.
    std::string Stored(const std::string& rel = "network/client_info.dat") {
        return DecodeFileText(game.ReadRaw(rel)).value_or("<not encoded>");
    }
    std::string LoadCode() {
        return CaughtCode([] { CClientInfo::GetInstance(); });
    }
    // What damaged player's files were set aside, oldest name first, and removes them.
    std::vector<std::string> TakeSetAside() {
        std::vector<std::string> names, kept;
        for (const auto& e : std::filesystem::directory_iterator(game.Full("network")))
            if (e.path().filename().string().starts_with("client_info.dat.damaged-"))
                names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;
        });
        for (const std::string& n : names) {
            // The unreadable file a test makes is a link that is moved as it stands.
            const bool link = std::filesystem::is_symlink(game.Full("network/" + n));
            kept.push_back(link ? "<link>" : game.ReadRaw("network/" + n));
            std::filesystem::remove(game.Full("network/" + n));
        }
        return kept;
    }
    TempGameFolder game;
};

TEST_F(ClientInfoTest, FirstStartTakesTheInitialFileAndWritesThePlayersFile) {
    CClientInfo* ci = CClientInfo::GetInstance();
    // Written at once: the next start reads it, not the backup the exit writes.
    EXPECT_EQ(Stored(),
              GetXmlHeader() + StripXmlWhitespace(std::string(kInitXml).substr(GetXmlHeader().size())));
    EXPECT_FALSE(ci->TakeLoadNotice());
    EXPECT_FALSE(ci->HasCreatorId());
    EXPECT_EQ(ci->GetCreatorName(), "未登録");
    EXPECT_EQ(ci->GetMusicVolume(), 80);
    EXPECT_EQ(ci->GetSoundEffectVolume(), 70);
    EXPECT_FALSE(ci->GetSendingPermission());
    EXPECT_EQ(GetCreatorLevel(), 1);

    ci->SetLastBootUpDate("20101121");
    const std::string stored = Stored();
    EXPECT_EQ(stored.rfind(GetXmlHeader(), 0), 0u);
    EXPECT_EQ(stored.find('\n', GetXmlHeader().size()), std::string::npos);  // one line after the header
    EXPECT_NE(
        stored.find("<lastBootUpDate>20101121</lastBootUpDate><boughtItems></boughtItems></clientInfo>"),
        std::string::npos);

    // Every later load reads the player's file.
    CClientInfo::DeleteInstance();
    EXPECT_EQ(CClientInfo::GetInstance()->GetLastBootUpDate(), "20101121");
}

// A first start that ends before anything is set (at the title, or before the day's first
// visit of the menu is recorded) leaves the defaults as the player's file beside the day's
// backup, so the next start reads them without a word about a restored backup.
TEST_F(ClientInfoTest, AFirstStartLeftBeforeAnySetterLeavesThePlayersFile) {
    CDateTime::SetNowForTesting(SystemTime{2010, 11, 0, 21, 9, 30, 5, 0});
    CClientInfo::GetInstance()->Release();
    CClientInfo::DeleteInstance();
    EXPECT_EQ(Stored("network/client_info_bk20101121.dat"), Stored());
    EXPECT_NE(Stored().find("<musicVolume>80</musicVolume>"), std::string::npos);
    CClientInfo* ci = CClientInfo::GetInstance();
    EXPECT_FALSE(ci->TakeLoadNotice());
    EXPECT_EQ(ci->GetMusicVolume(), 80);
}

TEST_F(ClientInfoTest, SettersCapsAndRegistration) {
    CClientInfo* ci = CClientInfo::GetInstance();
    ci->SetCreatorInfo("123", "くおる", "KEY");
    EXPECT_TRUE(ci->HasCreatorId());
    EXPECT_EQ(ci->GetCreatorName(), "くおる");
    EXPECT_EQ(ci->GetCommonKey(), "KEY");
    EXPECT_EQ(ci->GetCreatorPoint(), 50);
    EXPECT_EQ(ci->GetRatingPointSum(), 0);
    EXPECT_TRUE(FileExists("network\\client_info_bk" + CDateTime().FormatDateCompact() + ".dat"));

    ci->SetCreatorPoint(100000);
    EXPECT_EQ(ci->GetCreatorPoint(), 99999);
    ci->SetCreatorPoint(-5);
    EXPECT_EQ(ci->GetCreatorPoint(), -5);
    ci->SetCreatorPoint(0);
    ci->AddCreatorPointsFromRating(10);
    EXPECT_EQ(ci->GetCreatorPoint(), 3);
    ci->AddCreatorPointsFromRating(-10);
    EXPECT_EQ(ci->GetCreatorPoint(), 0);
    ci->SetCreatorPoint(99998);
    ci->AddCreatorPointsFromRating(100);
    EXPECT_EQ(ci->GetCreatorPoint(), 99999);

    ci->AddRatingPoints(60);
    ci->AddRatingPoints(2147483647);  // no overflow: held at the largest int
    EXPECT_EQ(ci->GetRatingPointSum(), 2147483647);
    EXPECT_EQ(GetCreatorLevel(), 100);

    ci->SetSendingPermission(true);
    ci->SetKeyConfigMode(1);
    ci->SetAccessFailCount(3);
    ci->SetMusicVolume(55);
    ci->SetSoundEffectVolume(44);
    CClientInfo::DeleteInstance();
    ci = CClientInfo::GetInstance();
    EXPECT_TRUE(ci->GetSendingPermission());
    EXPECT_EQ(ci->GetKeyConfigMode(), 1);
    EXPECT_EQ(ci->GetAccessFailCount(), 3);
    EXPECT_EQ(ci->GetMusicVolume(), 55);
    EXPECT_EQ(ci->GetSoundEffectVolume(), 44);

    ci->ClearCreatorInfo();
    EXPECT_FALSE(ci->HasCreatorId());
    EXPECT_EQ(ci->GetCreatorName(), "未登録");
    EXPECT_EQ(ci->GetCreatorPoint(), 0);
}

TEST_F(ClientInfoTest, NameWithoutIdAndTypedTextThatCouldBreakTheDocument) {
    CClientInfo* ci = CClientInfo::GetInstance();
    ci->SetCreatorInfo("", "名前", "");
    EXPECT_EQ(ci->GetCreatorName(), "未登録");  // whatever createrName holds

    ci->SetCreatorInfo("7", "a<b>c</createrName>d", "k");
    ci->SetCreatorInfo("7", "a b", "k");
    EXPECT_EQ(ci->GetCreatorName(), "a b");  // memory keeps the blank until the next load
    CClientInfo::DeleteInstance();
    ci = CClientInfo::GetInstance();  // still readable
    EXPECT_EQ(ci->GetCreatorName(), "ab");
    ci->SetCreatorInfo("7", "x</createrName><createrId>9", "k");
    CClientInfo::DeleteInstance();
    EXPECT_EQ(CClientInfo::GetInstance()->GetCreatorId(), "7");
}

TEST_F(ClientInfoTest, BoughtItems) {
    CClientInfo* ci = CClientInfo::GetInstance();
    EXPECT_TRUE(ci->IsItemBought(""));  // an empty list splits into one empty name
    ci->AddBoughtItem("Music05");
    ci->AddBoughtItem("Kid002");
    EXPECT_NE(Stored().find("<boughtItems>Music05,Kid002</boughtItems>"), std::string::npos);
    EXPECT_TRUE(ci->IsItemBought("Kid002"));
    EXPECT_FALSE(ci->IsItemBought("kid002"));
    EXPECT_FALSE(ci->IsItemBought("Kid00"));
    EXPECT_FALSE(ci->IsItemBought(""));

    // An owned name writes nothing.
    game.WriteRaw("network/client_info.dat", "sentinel");
    ci->AddBoughtItem("Music05");
    EXPECT_EQ(game.ReadRaw("network/client_info.dat"), "sentinel");

    // Empty pieces are dropped at the next save.
    CClientInfo::DeleteInstance();
    std::string doc = kInitXml;
    doc.replace(doc.find("<boughtItems></boughtItems>"), 27, "<boughtItems>A,,B,</boughtItems>");
    game.WriteEncoded("network/client_info.dat", doc);
    ci = CClientInfo::GetInstance();
    EXPECT_TRUE(ci->IsItemBought(""));
    ci->AddBoughtItem("C");
    EXPECT_NE(Stored().find("<boughtItems>A,B,C</boughtItems>"), std::string::npos);
}

TEST_F(ClientInfoTest, BackupAndRelease) {
    CDateTime::SetNowForTesting(SystemTime{2010, 11, 0, 21, 9, 30, 5, 0});
    CClientInfo* ci = CClientInfo::GetInstance();
    ci->AddBoughtItem("Rain");
    ci->Release();
    EXPECT_FALSE(ci->HasDocument());
    EXPECT_EQ(Stored("network/client_info_bk20101121.dat"), Stored());
    // Without a document everything answers its default and writes nothing.
    EXPECT_EQ(ci->GetCreatorName(), "未登録");
    EXPECT_EQ(ci->GetMusicVolume(), 0);
    EXPECT_FALSE(ci->IsItemBought(""));
    ci->SetMusicVolume(10);
    ci->Save();
    ci->WriteBackup();
    ci->Initialize();
    EXPECT_TRUE(ci->IsItemBought("Rain"));
}

TEST_F(ClientInfoTest, ALostOrDamagedFileComesBackFromTheNewestGoodBackup) {
    // Backups of three days: the 20th, the 21st (the player's last good state) and the 22nd,
    // damaged; a file of another name is no backup.
    CClientInfo* ci = CClientInfo::GetInstance();
    CDateTime::SetNowForTesting(SystemTime{2010, 11, 6, 20, 9, 0, 0, 0});
    ci->AddBoughtItem("Old");
    ci->WriteBackup();
    CDateTime::SetNowForTesting(SystemTime{2010, 11, 0, 21, 9, 0, 0, 0});
    ci->AddBoughtItem("Rain");
    ci->Release();
    game.WriteRaw("network/client_info_bk20101122.dat", "damaged");
    game.WriteEncoded("network/client_info_bk2099.dat", kInitXml);
    CDateTime::SetNowForTesting(SystemTime{2010, 11, 2, 23, 9, 0, 0, 0});

    for (const char* damage : {"", "missing", "unreadable"}) {
        SCOPED_TRACE(damage);
        CClientInfo::DeleteInstance();
        std::filesystem::remove(game.Full("network/client_info.dat"));
        if (std::string(damage) == "") game.WriteRaw("network/client_info.dat", "garbage");
        if (std::string(damage) == "unreadable") game.MakeUnreadable("network/client_info.dat");
        ci = CClientInfo::GetInstance();
        EXPECT_TRUE(ci->IsItemBought("Rain"));
        const auto notice = ci->TakeLoadNotice();
        ASSERT_TRUE(notice);
        EXPECT_EQ(notice->code, "DEF0204");
        EXPECT_EQ(notice->message, "設定をバックアップから\n復元しました。");
        EXPECT_FALSE(ci->TakeLoadNotice());  // shown once
        // The restored state is the player's file again at once.
        EXPECT_NE(Stored().find("<boughtItems>Old,Rain</boughtItems>"), std::string::npos);
        // A file that was there is kept aside, not overwritten.
        if (std::string(damage) == "") {
            EXPECT_EQ(TakeSetAside(), std::vector<std::string>{"garbage"});
        } else {
            // Nothing to set aside when missing; the unreadable link is moved aside as it was.
            EXPECT_EQ(TakeSetAside(), std::string(damage) == "missing" ? std::vector<std::string>{}
                                                                       : std::vector<std::string>{"<link>"});
        }
    }

    // A good file is read as it stands.
    CClientInfo::DeleteInstance();
    EXPECT_FALSE(CClientInfo::GetInstance()->TakeLoadNotice());

    // With no good backup left, a missing file starts from the defaults without a word (the first
    // start of all), a damaged one with DEF0205, set aside; the exit never replaces the day's
    // backup by the defaults.
    for (const char* day : {"20", "21"})
        game.WriteRaw(std::string("network/client_info_bk201011") + day + ".dat", "x");
    CClientInfo::DeleteInstance();
    std::filesystem::remove(game.Full("network/client_info.dat"));
    ci = CClientInfo::GetInstance();
    EXPECT_FALSE(ci->IsItemBought("Rain"));
    EXPECT_FALSE(ci->TakeLoadNotice());
    CClientInfo::DeleteInstance();
    game.WriteRaw("network/client_info.dat", "garbage2");
    ci = CClientInfo::GetInstance();
    EXPECT_EQ(ci->TakeLoadNotice().value_or(StringPair{}).code, "DEF0205");
    EXPECT_EQ(TakeSetAside(), std::vector<std::string>{"garbage2"});
    EXPECT_NE(Stored().find("<musicVolume>80</musicVolume>"), std::string::npos);  // the defaults
    CDateTime::SetNowForTesting(SystemTime{2010, 11, 1, 22, 9, 0, 0, 0});
    ci->Release();
    EXPECT_EQ(game.ReadRaw("network/client_info_bk20101122.dat"), "damaged");
}

TEST_F(ClientInfoTest, MissingElementsReadEmptyAndAreAddedSoThatWritesAreKept) {
    game.WriteEncoded("network/client_info.dat",
                      "<clientInfo><config><musicVolume>9</musicVolume></config></clientInfo>");
    CClientInfo* ci = CClientInfo::GetInstance();
    EXPECT_EQ(ci->GetMusicVolume(), 9);
    EXPECT_EQ(ci->GetKeyConfigMode(), 0);
    EXPECT_FALSE(ci->TakeLoadNotice());
    ci->SetKeyConfigMode(2);
    ci->BuyItem("Rain", 0);
    CClientInfo::DeleteInstance();
    ci = CClientInfo::GetInstance();
    EXPECT_EQ(ci->GetMusicVolume(), 9);
    EXPECT_EQ(ci->GetKeyConfigMode(), 2);
    EXPECT_TRUE(ci->IsItemBought("Rain"));
}

TEST_F(ClientInfoTest, AValueElementHoldingElementsOrRepeatedIsDamagedAndABoughtItemIsNeverLost) {
    // The file the fuzzer found: bought items holding an element. Taken, it lost every purchase
    // (the points went 50, 40, 30 for one item bought twice); now it is damaged and set aside.
    CDateTime::SetNowForTesting(SystemTime{2010, 11, 0, 21, 9, 30, 5, 0});
    const std::pair<std::string, std::string> shapes[] = {
        {"<boughtItems></boughtItems>", "<boughtItems><b>1</b></boughtItems>"},
        {"<createrPoint>0</createrPoint>", "<createrPoint><p>50</p></createrPoint>"},
        {"<boughtItems></boughtItems>", "<boughtItems>A</boughtItems><boughtItems>B</boughtItems>"},
        {"<config>", "<config></config><config>"},
    };
    for (const auto& [from, to] : shapes) {
        SCOPED_TRACE(to);
        std::string doc = kInitXml;
        doc.replace(doc.find(from), from.size(), to);
        game.WriteEncoded("network/client_info.dat", doc);
        CClientInfo::DeleteInstance();
        CClientInfo* ci = CClientInfo::GetInstance();
        EXPECT_EQ(ci->TakeLoadNotice().value_or(StringPair{}).code, "DEF0205");
        const std::vector<std::string> aside = TakeSetAside();
        ASSERT_EQ(aside.size(), 1u);
        EXPECT_EQ(DecodeFileText(aside[0]), doc);
        ci->SetCreatorPoint(50);
        ci->BuyItem("Spring", 10);
        CClientInfo::DeleteInstance();
        ci = CClientInfo::GetInstance();
        EXPECT_TRUE(ci->IsItemBought("Spring"));
        EXPECT_EQ(ci->GetCreatorPoint(), 40);
    }
}

TEST_F(ClientInfoTest, LoadErrors) {
    // Neither file: DEF0200.
    std::filesystem::remove(game.Full("network/client_info_init.dat"));
    EXPECT_EQ(LoadCode(), "DEF0200");
    game.MakeUnreadable("network/client_info.dat");
    EXPECT_EQ(LoadCode(), "DEF0200");
    std::filesystem::remove(game.Full("network/client_info.dat"));

    // A broken initial file: DEF0201 as well.
    game.WriteEncoded("network/client_info_init.dat", "<clientInfo>");
    EXPECT_EQ(LoadCode(), "DEF0201");
    game.WriteEncoded("network/client_info_init.dat", kInitXml);

    // A damaged player file without a backup: the defaults, DEF0205, the file set aside as it was.
    CDateTime::SetNowForTesting(SystemTime{2010, 11, 0, 21, 9, 30, 5, 0});
    const std::string good = EncodeFileText(kInitXml);
    const std::pair<const char*, std::string> broken[] = {
        {"not XML", EncodeFileText("<clientInfo><network></clientInfo>")},
        {"empty file", ""},
        {"odd cut", good.substr(0, good.size() - 1)},
        {"cut mid-document", good.substr(0, good.size() / 2 & ~static_cast<size_t>(1))},
        {"cut after the header", good.substr(0, 2 + 2 * GetXmlHeader().size())},
        {"only the offset", good.substr(0, 2)},
        {"plain text", kInitXml},
    };
    for (const auto& [what, bytes] : broken) {
        CClientInfo::DeleteInstance();
        game.WriteRaw("network/client_info.dat", bytes);
        CClientInfo* ci = CClientInfo::GetInstance();
        EXPECT_EQ(ci->GetSoundEffectVolume(), 70) << what;
        EXPECT_EQ(ci->TakeLoadNotice().value_or(StringPair{}).code, "DEF0205") << what;
        EXPECT_NE(Stored().find("<soundEffectVolume>70</soundEffectVolume>"), std::string::npos) << what;
    }
    // Every damaged file of the same second is kept beside the others, none over another.
    std::vector<std::string> expected;
    for (const auto& [what, bytes] : broken) expected.push_back(bytes);
    EXPECT_EQ(TakeSetAside(), expected);
}

TEST_F(ClientInfoTest, SaveErrors) {
    CClientInfo* ci = CClientInfo::GetInstance();
    FailWritesForTesting(game.Full("network/client_info.dat").string());
    try {
        ci->SetMusicVolume(33);
        FAIL();
    } catch (const CDataFileException& e) {
        EXPECT_EQ(e.GetCode(), "DEF0202");
        EXPECT_EQ(e.GetMessage(), "client_info.dat を保存できません。");
    }
    EXPECT_EQ(ci->GetMusicVolume(), 33);  // memory keeps the change
    CDateTime::SetNowForTesting(SystemTime{2010, 11, 0, 21, 9, 30, 5, 0});
    FailWritesForTesting(game.Full("network/client_info_bk20101121.dat").string());
    try {
        ci->WriteBackup();
        FAIL();
    } catch (const CDataFileException& e) {
        EXPECT_EQ(e.GetCode(), "DEF0203");
        EXPECT_EQ(e.GetMessage(), "network\\client_info_bk20101121.dat を保存できません。");
    }
    FailWritesForTesting("");
}

}  // namespace
