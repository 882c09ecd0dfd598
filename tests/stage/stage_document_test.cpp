#include <atomic>
#include <climits>
#include <memory>
#include <thread>
#include "tests/common/caught_code.h"

#include "foundation/FileList.h"
#include "foundation/QuorException.h"
#include "foundation/VersionNumber.h"
#include "foundation/XmlNode.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageFileEntry.h"
#include "stage/StageMap.h"
#include "stage_test_env.h"

using stagetest::StageTest;
using StageDocument = StageTest;

namespace {
std::unique_ptr<CStageArea> NewArea(CStage* stage, int cls, const std::string& name, int music, int bg,
                                    int weather, int abs) {
    return std::make_unique<CStageArea>(stage, CStageMap::Create(cls),
                                        std::make_unique<CStageAreaObjectTable>(stage), name, music, bg,
                                        weather, abs);
}

// A stage of three areas with chips, objects and every header field set.
std::unique_ptr<CStage> SampleStage() {
    auto stage = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
    stage->SetName("テストステージ");
    stage->SetId("1234");
    stage->SetOriginalAuthor("作者");
    stage->SetArrangedAuthors("A,B,C");
    stage->arrangementPermissionFlag = false;
    stage->category = 0;
    stage->AppendArea(NewArea(stage.get(), 0, "最初", 7, 2, 1, 0));
    stage->AppendArea(NewArea(stage.get(), 1, "二番目", 0, 14, 3, 4));
    stage->AppendArea(NewArea(stage.get(), 5, "縦", 8, 12, 7, 2));
    stage->maxAbsoluteAreaNum = 4;
    stage->startArea = 1;
    stage->startX = 150;
    stage->startY = 14;
    for (int x = 0; x < 160; ++x) stage->GetArea(1)->SetChip(x, 14, static_cast<uint8_t>(64 + x % 16));
    stage->GetArea(2)->SetChip(3, 100, 40);
    stage->GetArea(1)->GetObjects()->Add("TestKind", 10, 13);
    stage->GetArea(1)->GetObjects()->Add("TestDoor", 11, 13, 2.0, 3.0, 5.0, 0.0, "");
    stage->GetArea(1)->GetObjects()->Add("Goal", 159, 13);
    stage->GetArea(0)->GetObjects()->Add("TestStart", 1, 2, 0.25, 0, 0, -7, "ABC");
    return stage;
}

std::string Replace(std::string s, const std::string& from, const std::string& to) {
    const size_t p = s.find(from);
    if (p != std::string::npos) s.replace(p, from.size(), to);
    return s;
}
}  // namespace

TEST_F(StageDocument, WriteFormat) {
    CStage stage(nullptr, 1, CVersionNumber(0, 9, 0, 0));
    stage.AppendArea(NewArea(&stage, 0, "a", 0, 1, 0, 0));
    stage.maxAbsoluteAreaNum = 0;
    EXPECT_EQ(stage.WriteXml(),
              "<stage>\n"
              "  <version>1.0.0.0</version>\n"
              "  <name></name>\n"
              "  <id></id>\n"
              "  <originalAuthor></originalAuthor>\n"
              "  <arrangedAuthors></arrangedAuthors>\n"
              "  <arrangementPermissionFlag>true</arrangementPermissionFlag>\n"
              "  <category>Local</category>\n"
              "  <maxAbsoluteAreaNum>0</maxAbsoluteAreaNum>\n"
              "  <areaCount>1</areaCount>\n"
              "  <startArea>0</startArea>\n"
              "  <startX>0</startX>\n"
              "  <startY>0</startY>\n"
              "  <areas>\n"
              "    <area00>\n"
              "      <name>a</name>\n"
              "      <music>0</music>\n"
              "      <backGround>2</backGround>\n"
              "      <weather>0</weather>\n"
              "      <absoluteAreaNum>0</absoluteAreaNum>\n"
              "      <map>\n"
              "        <className>OneRoom</className>\n"
              "        <mapStringLength>8</mapStringLength>\n"
              "        <checkSum>546</checkSum>\n"
              "        <mapString>00ff002d</mapString>\n"
              "      </map>\n"
              "      <objects></objects>\n"
              "    </area00>\n"
              "  </areas>\n"
              "</stage>\n");
}

TEST_F(StageDocument, RoundTripOfEveryField) {
    auto stage = SampleStage();
    std::unique_ptr<CStage> copy = CStage::ReadXml(nullptr, stage->WriteXml(), 0);
    EXPECT_EQ(copy->WriteXml(), stage->WriteXml());
    EXPECT_EQ(copy->name, "テストステージ");
    EXPECT_EQ(copy->id, "1234");
    EXPECT_EQ(copy->originalAuthor, "作者");
    EXPECT_EQ(copy->GetLatestArranger(), "C");
    EXPECT_FALSE(copy->arrangementPermissionFlag);
    EXPECT_EQ(copy->category, 0);
    EXPECT_EQ(copy->maxAbsoluteAreaNum, 4);
    EXPECT_EQ(copy->GetAreaCount(), 3);
    EXPECT_EQ(copy->startArea, 1);
    EXPECT_EQ(copy->startX, 150);
    EXPECT_EQ(copy->startY, 14);
    EXPECT_EQ(copy->currentArea, 1);
    EXPECT_TRUE(copy->GetArea(1)->spritesActive);
    EXPECT_FALSE(copy->GetArea(0)->spritesActive);
    EXPECT_EQ(copy->openMode, 0);
    const CStageArea* a = copy->GetArea(2);
    EXPECT_EQ(a->name, "縦");
    EXPECT_EQ(a->music, 8);
    EXPECT_EQ(a->backGround, 12);
    EXPECT_EQ(a->weather, 7);
    EXPECT_EQ(a->absoluteAreaNum, 2);
    EXPECT_EQ(a->GetChip(3, 100), 40);
    EXPECT_EQ(copy->GetAreaClass(2), 5);
    EXPECT_EQ(copy->TotalUnits(), 5);
    EXPECT_EQ(copy->GetArea(1)->GetObjects()->GetCount(), 3);
    EXPECT_EQ(copy->GetArea(0)->GetObjects()->GetAt(1, 2)->GetText(), "ABC");
    EXPECT_DOUBLE_EQ(copy->GetArea(0)->GetObjects()->GetAt(1, 2)->GetAttribute4(), -7.0);
    EXPECT_EQ(copy->GetArea(1)->GetObjects()->GetAt(11, 13)->GetOwnerArea(), copy->GetArea(1));
    EXPECT_TRUE(copy->Validate(true).empty());
    // The file form survives a save and a load byte for byte.
    ASSERT_TRUE(stage->SaveToFile("stage\\original\\sample.stg"));
    std::unique_ptr<CStage> loaded = CStage::LoadFromFile(nullptr, "stage\\original\\sample.stg", 0);
    EXPECT_EQ(loaded->WriteFileText(), stage->WriteFileText());
    for (const auto& e : std::filesystem::directory_iterator(folder / "stage" / "original"))
        EXPECT_FALSE(IsTempFileName(e.path().filename().string())) << e.path();
}

TEST_F(StageDocument, WhitespaceAndUnsafeCharactersInValues) {
    CStage stage(nullptr, 1, CVersionNumber::Application());
    stage.AppendArea(NewArea(&stage, 0, "a b", 0, 1, 0, 0));
    stage.SetName("my <stage> 1");
    std::unique_ptr<CStage> copy = stage.CopyTo(nullptr, 0);
    EXPECT_EQ(copy->name, "mystage1");
    EXPECT_EQ(copy->GetArea(0)->name, "ab");
}

TEST_F(StageDocument, HeaderFieldsReadStrictly) {
    auto stage = SampleStage();
    std::string text = stage->WriteXml();
    text = Replace(text, "<arrangementPermissionFlag>false", "<arrangementPermissionFlag>TRUE");
    text = Replace(text, "<category>Scenario", "<category>local");
    std::unique_ptr<CStage> copy = CStage::ReadXml(nullptr, text, 0);
    EXPECT_FALSE(copy->arrangementPermissionFlag);
    EXPECT_EQ(copy->category, 2);
}

TEST_F(StageDocument, Versions) {
    auto stage = SampleStage();
    const std::string text = stage->WriteXml();
    for (const char* ok : {"1.0.9.9", "0.9.0.0"}) {
        std::unique_ptr<CStage> s = CStage::ReadXml(nullptr, Replace(text, "1.0.0.0", ok), 0);
        EXPECT_EQ(s->version.ToString(), ok);
    }
    std::unique_ptr<CStage> none =
        CStage::ReadXml(nullptr, Replace(text, "<version>1.0.0.0</version>", ""), 0);
    EXPECT_EQ(none->version.ToString(), "0.0.0.0");
    try {
        CStage::ReadXml(nullptr, Replace(text, "1.0.0.0", "1.1.0.0"), 0);
        FAIL();
    } catch (const CStageDataException& e) {
        EXPECT_EQ(e.GetCode(), "SDE0001");
        EXPECT_EQ(e.GetMessage(),
                  "ステージデータのバージョン(1.1.0.0)が、現在のアプリケーションのバージョン(1.0.0.0)"
                  "よりも新しいため、読み取りできません。");
    }
    EXPECT_EQ(CaughtCode([&] { CStage::ReadXml(nullptr, Replace(text, "1.0.0.0", "2.0.0.0"), 0); }),
              "SDE0001");
}

TEST_F(StageDocument, StructureFailures) {
    auto stage = SampleStage();
    const std::string text = stage->WriteXml();
    const int before = CStage::GetLiveCount();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Replace(text, "<areaCount>3", "<areaCount>0"), "SDE0006"},
        {Replace(text, "<areaCount>3", "<areaCount>11"), "SDE0006"},
        {Replace(text, "<areaCount>3", "<areaCount>4"), "SDE0006"},
        {Replace(Replace(text, "<area01>", "<area05>"), "</area01>", "</area05>"), "SDE0006"},
        {Replace(text, "<startX>150", "<startX>160"), "SDE0006"},
        {Replace(text, "<startY>14", "<startY>-1"), "SDE0006"},
        {Replace(text, "<startArea>1", "<startArea>3"), "SDE0006"},
        {Replace(text, "<className>Short", "<className>NoArea"), "SDE0006"},
        {Replace(text, "<className>Short", "<className>Shorter"), "SDE0006"},
        {Replace(text, "<mapString>00ff", "<mapString>00fe"), "SDE0004"},
        {Replace(text, "<mapString>00ff", "<mapString>00f"), "SDE0003"},
        {Replace(text, "TestKind:10:13|", "TestKind:10:13:1|"), "SDE0005"},
        {Replace(text, "TestDoor:11:13:2.000000", "TestDoor:11:13:nan"), "SDE0005"},
        {Replace(text, "TestDoor:11:13:2.000000", "TestDoor:11:13:1e308"), "SDE0005"},
        {Replace(text, "TestKind:10:13|", "TestKind:160:13|"), "SDE0005"},  // off the map
        {Replace(text, "TestKind:10:13|", "TestKind:10:-1|"), "SDE0005"},
        {Replace(text, "<name>", "<name"), "SDE0006"},
        {text.substr(0, text.size() / 2), "SDE0006"},
        {"", "SDE0006"},
    };
    for (const auto& [input, code] : cases) {
        const std::string& bad = input;  // a lambda may not capture a structured binding
        EXPECT_EQ(CaughtCode([&] { CStage::ReadXml(nullptr, bad, 0); }), code) << bad.substr(0, 400);
        EXPECT_EQ(CStage::GetLiveCount(), before);
        // The same through a real stage file, as the game stores it.
        ASSERT_TRUE(WriteEncodedFile("stage\\original\\bad.stg", GetXmlHeader() + StripXmlWhitespace(bad)));
        EXPECT_EQ(CaughtCode([&] { CStage::LoadFromFile(nullptr, "stage\\original\\bad.stg", 1); }), code);
        EXPECT_EQ(CStage::GetLiveCount(), before);
    }
    EXPECT_EQ(CaughtCode([&] { CStage::LoadFromFile(nullptr, "stage\\original\\none.stg", 0); }), "SDE0007");
    // An area's own error reaches the caller with its code and message.
    try {
        CStage::ReadXml(nullptr, Replace(text, "TestKind:10:13|", "Unknown:10:13|"), 0);
        FAIL();
    } catch (const CQuorException& e) {
        EXPECT_EQ(e.GetCode(), "SDE0005");
        EXPECT_EQ(e.GetMessage(), "マップのオブジェクトを解析できません。");
    }
    // A map string whose content does not fill the grid, with length and checksum right.
    const std::string shortMap = "00ff002c";
    std::string bad = Replace(text, "<mapStringLength>8</mapStringLength>\n        <checkSum>546",
                              "<mapStringLength>8</mapStringLength>\n        <checkSum>545");
    bad = Replace(bad, "<mapString>00ff002d", "<mapString>" + shortMap);
    EXPECT_EQ(CaughtCode([&] { CStage::ReadXml(nullptr, bad, 0); }), "SDE0002");
    // A character that is no hexadecimal digit, with the checksum made to match ('-' counts 3
    // less than '0').
    bad = Replace(text, "<mapStringLength>8</mapStringLength>\n        <checkSum>546",
                  "<mapStringLength>8</mapStringLength>\n        <checkSum>543");
    bad = Replace(bad, "<mapString>00ff002d", "<mapString>-0ff002d");
    EXPECT_EQ(CaughtCode([&] { CStage::ReadXml(nullptr, bad, 0); }), "SDE0002");
}

TEST_F(StageDocument, DeeplyNestedTextIsRefusedQuickly) {
    std::string deep;
    for (int i = 0; i < 40000; ++i) deep += "<a" + std::to_string(i) + ">";
    deep += "x";
    for (int i = 39999; i >= 0; --i) deep += "</a" + std::to_string(i) + ">";
    EXPECT_EQ(CaughtCode([&] { CStage::ReadXml(nullptr, "<stage>" + deep + "</stage>", 0); }), "SDE0006");
    EXPECT_EQ(CaughtCode([&] { CStageArea::ReadXml(nullptr, "<area00>" + deep + "</area00>"); }), "SDE0006");
}

TEST_F(StageDocument, AreaCountTen) {
    CStage stage(nullptr, 1, CVersionNumber::Application());
    for (int i = 0; i < 10; ++i) stage.AppendArea(NewArea(&stage, 0, "x", 0, 1, 0, i));
    EXPECT_FALSE(stage.AppendArea(NewArea(&stage, 0, "y", 0, 1, 0, 10)));
    std::unique_ptr<CStage> copy = CStage::ReadXml(nullptr, stage.WriteXml(), 0);
    EXPECT_EQ(copy->GetAreaCount(), 10);
}

// A stage owns its areas alone: a copy shares nothing with it, a deleted area takes its map and
// objects with it, and an area the stage refuses is kept nowhere.
TEST_F(StageDocument, AreasBelongToTheirStageAlone) {
    const int stagesBefore = CStage::GetLiveCount();
    const int tablesBefore = CStageAreaObjectTable::GetLiveTableCount();
    auto stage = SampleStage();
    std::unique_ptr<CStage> copy = stage->CopyTo(nullptr, 0);
    stage.reset();
    EXPECT_EQ(CStageAreaObjectTable::GetLiveTableCount(), tablesBefore + 3);
    const auto* door =
        dynamic_cast<const CStageAreaObject_DoorBase*>(copy->GetArea(1)->GetObjects()->GetAt(11, 13));
    ASSERT_NE(door, nullptr);
    EXPECT_EQ(door->GetOwnerStage(), copy.get());
    EXPECT_EQ(door->GetOwnerArea(), copy->GetArea(1));
    EXPECT_EQ(door->FindTargetAreaSlot(), 2);

    // Deleting the first area moves the others down; their records keep their areas.
    ASSERT_TRUE(copy->RemoveArea(0));
    EXPECT_EQ(CStageAreaObjectTable::GetLiveTableCount(), tablesBefore + 2);
    EXPECT_EQ(copy->GetAreaCount(), 2);
    EXPECT_EQ(copy->GetArea(2), nullptr);
    EXPECT_EQ(door->GetOwnerArea(), copy->GetArea(0));
    EXPECT_EQ(door->FindTargetAreaSlot(), 1);
    EXPECT_FALSE(copy->RemoveArea(2));
    // An area put back in front moves them up again.
    ASSERT_TRUE(copy->InsertArea(0, NewArea(copy.get(), 0, "戻す", 0, 1, 0, 0)));
    EXPECT_EQ(copy->GetArea(0)->name, "戻す");
    EXPECT_EQ(door->GetOwnerArea(), copy->GetArea(1));
    EXPECT_EQ(door->FindTargetAreaSlot(), 2);
    EXPECT_FALSE(copy->InsertArea(5, NewArea(copy.get(), 0, "隙間", 0, 1, 0, 9)));
    EXPECT_FALSE(copy->AppendArea(nullptr));
    EXPECT_EQ(CStageAreaObjectTable::GetLiveTableCount(), tablesBefore + 3);

    for (int i = 0; i < 7; ++i) ASSERT_TRUE(copy->AppendArea(NewArea(copy.get(), 0, "x", 0, 1, 0, 10 + i)));
    EXPECT_FALSE(copy->AppendArea(NewArea(copy.get(), 0, "y", 0, 1, 0, 20)));
    EXPECT_EQ(CStageAreaObjectTable::GetLiveTableCount(), tablesBefore + 10);
    copy.reset();
    EXPECT_EQ(CStageAreaObjectTable::GetLiveTableCount(), tablesBefore);
    EXPECT_EQ(CStage::GetLiveCount(), stagesBefore);
}

TEST_F(StageDocument, UnboughtPartsOnlyForEditing) {
    auto stage = SampleStage();
    stage->GetArea(0)->music = 1;  // "Opening" is sold in the shop
    const std::string text = stage->WriteXml();
    std::unique_ptr<CStage> play = CStage::ReadXml(nullptr, text, 0);
    try {
        CStage::ReadXml(nullptr, text, 1);
        FAIL();
    } catch (const CStageDataException& e) {
        EXPECT_EQ(e.GetCode(), "SDE0010");
        EXPECT_EQ(e.GetMessage(), "未購入パーツを使っています。");
    }
    SetBoughtItems("Opening");
    std::unique_ptr<CStage> edit = CStage::ReadXml(nullptr, text, 1);
    edit->GetArea(2)->SetChip(0, 0, 57);
    EXPECT_TRUE(edit->UsesUnboughtParts());
    edit->GetArea(2)->SetChip(0, 0, 0);
    edit->GetArea(0)->GetObjects()->Add("TestLocked", 5, 5);
    EXPECT_TRUE(edit->UsesUnboughtParts());
    SetBoughtItems("Opening,TestLocked");
    EXPECT_FALSE(edit->UsesUnboughtParts());
}

TEST_F(StageDocument, AreaCopyAndCurrentAreaServices) {
    auto stage = SampleStage();
    const std::string content = stage->WriteAreaXml(2);
    EXPECT_EQ(stage->WriteAreaXml(3), "");
    std::unique_ptr<CStageArea> area =
        CStageArea::ReadXmlAt(stage.get(), "<TEMPAREA>" + content + "</TEMPAREA>", 7);
    EXPECT_EQ(area->absoluteAreaNum, 7);
    EXPECT_EQ(area->name, "縦");
    EXPECT_EQ(area->GetChip(3, 100), 40);
    EXPECT_EQ(stage->NextAbsoluteAreaNum(), 5);
    EXPECT_EQ(CaughtCode([&] { CStageArea::ReadXml(stage.get(), "no tags"); }), "SDE0006");

    stage->SetCurrentArea(0);
    stage->SetChipInCurrentArea(2, 2, 40);
    EXPECT_EQ(stage->GetChipInCurrentArea(2, 2), 40);
    const std::string map = stage->EncodeCurrentAreaMap();
    EXPECT_FALSE(stage->DecodeCurrentAreaMap("00ff"));
    EXPECT_EQ(stage->GetChipInCurrentArea(2, 2), 40);
    EXPECT_TRUE(stage->DecodeCurrentAreaMap("00ff002d"));
    EXPECT_EQ(stage->GetChipInCurrentArea(2, 2), 0);
    EXPECT_TRUE(stage->DecodeCurrentAreaMap(map));
    EXPECT_FALSE(stage->IsLineClear(0, 80, 639, 80));
    EXPECT_EQ(stage->GetCurrentAreaObjects(), stage->GetArea(0)->GetObjects());
    stage->currentArea = 9;
    EXPECT_EQ(stage->GetCurrentAreaObjects(), nullptr);
    EXPECT_EQ(stage->EncodeCurrentAreaMap(), "");
    EXPECT_FALSE(stage->IsLineClear(0, 0, 1, 1));
    EXPECT_EQ(stage->GetAreaClass(9), 9);
}

TEST_F(StageDocument, FileEntriesAndPreviews) {
    auto stage = SampleStage();
    stage->category = 1;
    ASSERT_TRUE(stage->SaveToFile("stage\\original\\local.stg"));
    stage->category = 2;
    ASSERT_TRUE(stage->SaveToFile("stage\\original\\down.stg"));
    ASSERT_TRUE(WriteEncodedFile("stage\\original\\broken.stg", stage->WriteFileText().substr(0, 900)));
    ASSERT_TRUE(WriteEncodedFile("stage\\original\\plain.stg", "hello", false, false));

    const int live = StageFileEntry::GetLiveCount();
    {
        StageFileEntry entry(std::make_unique<CFileEntry>("local.stg", "stage\\original", std::nullopt));
        EXPECT_EQ(entry.name, "テストステージ");
        EXPECT_EQ(entry.arrangedAuthors, "A,B,C");
        EXPECT_FALSE(entry.arrangementPermissionFlag);
        EXPECT_EQ(entry.category, 1);
        std::unique_ptr<StageFileEntry> dup = entry.Duplicate();
        EXPECT_EQ(dup->originalAuthor, "作者");
        EXPECT_NE(dup->GetFile(), entry.GetFile());
        EXPECT_EQ(dup->GetFile()->GetFullPath(), entry.GetFile()->GetFullPath());
        EXPECT_EQ(StageFileEntry::GetLiveCount(), live + 2);
    }
    EXPECT_EQ(StageFileEntry::GetLiveCount(), live);
    {
        // A stage the player named with a "\\" (a plain character on Linux) reads as itself.
        stage->category = 1;
        ASSERT_TRUE(stage->SaveToFile(JoinGamePath("stage\\original", "a\\b.stg")));
        StageFileEntry entry(std::make_unique<CFileEntry>("a\\b.stg", "stage\\original", std::nullopt));
        EXPECT_EQ(entry.name, "テストステージ");
        EXPECT_FALSE(DirExists("stage\\original\\a"));
    }
    const std::vector<std::pair<std::string, std::string>> bad = {{"down.stg", "SDE0008"},
                                                                  {"missing.stg", "SDE0007"},
                                                                  {"broken.stg", "SDE0006"},
                                                                  {"plain.stg", "SDE0006"}};
    for (const auto& [file, code] : bad) {
        auto f = std::make_unique<CFileEntry>(file, "stage\\original", std::nullopt);
        try {
            StageFileEntry entry(std::move(f));
            FAIL() << file;
        } catch (const CStageDataException& e) {
            EXPECT_EQ(e.GetCode(), code) << file;
            if (code == "SDE0007") {
                EXPECT_EQ(e.GetMessage(), "ファイルstage\\original\\missing.stgを開けません。");
            }
        }
        EXPECT_NE(f, nullptr) << file;  // the caller keeps the file entry on failure
        EXPECT_EQ(StageFileEntry::GetLiveCount(), live);
    }

    auto withBg = SampleStage();
    withBg->GetArea(0)->backGround = 5;
    StagePreviewInfo p = StagePreviewInfo::FromStage(withBg.get());
    EXPECT_EQ(p.GetField0(), 0);
    EXPECT_EQ(p.GetField3(), 5);
    EXPECT_EQ(p.GetBackGroundKey(), "GrassAutumn");
    CStage empty(nullptr, 1, CVersionNumber::Application());
    EXPECT_EQ(StagePreviewInfo::FromStage(&empty).GetField3(), 1);
    EXPECT_EQ(StagePreviewInfo::FromStage(nullptr).GetField3(), 1);
    EXPECT_EQ(StagePreviewInfo::FromBackGroundKey("Pole").GetField3(), 20);
    int four[4] = {0, 0, 0, 0};
    const int src[4] = {1, 2, 3, 4};
    CopyFourInts(four, src);
    EXPECT_EQ(four[3], 4);
}

TEST_F(StageDocument, LargeStageSavedReadsBackWhole) {
    // Ten units in one area, a varied map and 255 objects with texts: far beyond 262144 bytes.
    CStage stage(nullptr, 1, CVersionNumber::Application());
    stage.AppendArea(NewArea(&stage, 8, "big", 0, 1, 0, 0));
    CStageArea* area = stage.GetArea(0);
    for (int x = 0; x < 240; ++x) {
        for (int y = 0; y < 90; ++y) area->SetChip(x, y, static_cast<uint8_t>((x * 31 + y * 17) % 256));
    }
    for (int i = 0; i < 255; ++i) {
        ASSERT_TRUE(area->GetObjects()->Add("TestKind", i % 240, i / 240, i, -i, 0.5, 1e6,
                                            std::string(200, 'a' + i % 26)));
    }
    ASSERT_TRUE(stage.SaveToFile("stage\\original\\big.stg"));
    EXPECT_GT(std::filesystem::file_size(folder / "stage" / "original" / "big.stg"), 262144u);
    std::unique_ptr<CStage> back = CStage::LoadFromFile(nullptr, "stage\\original\\big.stg", 0);
    EXPECT_EQ(back->WriteFileText(), stage.WriteFileText());
}

// A new area's absolute number never repeats one that an area of the stage already has, even
// when the stage file states too low a highest number, and the count never overflows.
TEST_F(StageDocument, NewAbsoluteAreaNumbersStayUnique) {
    CStage stage(nullptr, 1, CVersionNumber::Application());
    for (int absoluteAreaNum : {0, 1, 3})
        ASSERT_TRUE(stage.AppendArea(NewArea(&stage, 0, "a", 0, 1, 0, absoluteAreaNum)));
    stage.maxAbsoluteAreaNum = 3;  // as the game writes it
    EXPECT_EQ(stage.NextAbsoluteAreaNum(), 4);
    EXPECT_EQ(stage.maxAbsoluteAreaNum, 4);

    stage.maxAbsoluteAreaNum = -1;  // a file that understates it
    EXPECT_EQ(stage.NextAbsoluteAreaNum(), 2);
    EXPECT_EQ(stage.NextAbsoluteAreaNum(), 4);

    stage.maxAbsoluteAreaNum = INT_MAX;
    EXPECT_EQ(stage.NextAbsoluteAreaNum(), INT_MIN);
}

// Stages are read on several threads at once (the sharing server checks uploads while the game
// reads its own): every read gives what a read alone gives, and the shared kind table goes with
// the last object table, whichever thread drops it.
TEST_F(StageDocument, StagesAreReadOnSeveralThreadsAtOnce) {
    const std::string text = SampleStage()->WriteFileText();
    const int tablesBefore = CStageAreaObjectTable::GetLiveTableCount();
    std::atomic<int> wrong{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 6; ++t) {
        readers.emplace_back([&] {
            for (int i = 0; i < 20; ++i) {
                std::unique_ptr<CStage> read = CStage::ReadXml(nullptr, text, 0);
                if (!read || read->WriteFileText() != text) ++wrong;
            }
        });
    }
    for (std::thread& t : readers) t.join();
    EXPECT_EQ(wrong.load(), 0);
    EXPECT_EQ(CStageAreaObjectTable::GetLiveTableCount(), tablesBefore);
    if (tablesBefore == 0) {
        EXPECT_EQ(CStageAreaObjectTable::GetKindTable(), nullptr);
    }
}
