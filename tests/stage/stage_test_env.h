#pragma once
// Shared set-up of the stage model tests: a temporary game folder with its own object-kind table
// and client info, test kinds in the factory list and a recording live-object creator.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "stage/LiveObjectSpec.h"
#include "stage/StageAreaObject.h"
#include "stage/StageObjectKindTable.h"
#include "tests/common/temp_folder.h"

namespace stagetest {

// A plain kind: creates the live class "CTestLive" at the tile's corner, passes facing = !side.
class CStageAreaObject_TestKind : public CStageAreaObject {
  public:
    CStageAreaObject_TestKind(CStage* s, CStageArea* a, CStageAreaObjectTable* t, int x, int y)
        : CStageAreaObject(s, a, t, x, y) {
        SetKindImage("StageObjects001", 64, 0, 96, 32);
        RefreshImages();
    }
    LiveObjectSpec GetObjectSpec(bool side) override {
        return LiveSpec("CTestLive", tileX * 32, tileY * 32 + 2, {!side});
    }
};

// A kind made at area entry.
class CStageAreaObject_TestStart : public CStageAreaObject {
  public:
    using CStageAreaObject::CStageAreaObject;
    LiveObjectSpec GetObjectSpec(bool) override { return {}; }
    LiveObjectSpec GetStartObjectSpec(bool) override {
        return LiveSpec("CTestStartLive", tileX * 32, tileY * 32 - 32, {GetText()});
    }
};

// A shop kind, locked while "TestLocked" is not bought.
class CStageAreaObject_TestLocked : public CStageAreaObject {
  public:
    using CStageAreaObject::CStageAreaObject;
    LiveObjectSpec GetObjectSpec(bool) override { return {}; }
    bool IsLocked() override { return !CClientInfo::GetInstance()->IsItemBought("TestLocked"); }
};

class CStageAreaObject_TestDoor : public CStageAreaObject_DoorBase {
  public:
    using CStageAreaObject_DoorBase::CStageAreaObject_DoorBase;
    LiveObjectSpec GetObjectSpec(bool) override { return {}; }
};

inline void RegisterTestKinds() {
    StageAreaObjectKindList& list = StageAreaObjectKindList::Instance();
    list.Add("TestKind", &MakeStageAreaObject<CStageAreaObject_TestKind>);
    list.Add("TestStart", &MakeStageAreaObject<CStageAreaObject_TestStart>);
    list.Add("TestLocked", &MakeStageAreaObject<CStageAreaObject_TestLocked>);
    list.Add("TestDoor", &MakeStageAreaObject<CStageAreaObject_TestDoor>);
}

inline const char* DefaultKindTable() {
    return ",,\n"
           "TestKind,テスト,説明\n"
           "TestStart,開始時,開始時に作る\n"
           "TestLocked,ショップ品,買うと使える\n"
           "TestDoor,テスト扉,扉\n"
           "Goal,ゴール,ここでクリア\n";
}

// The live object a record describes.
using LiveCall = LiveObjectSpec;

// `Base` is the fixture underneath: a plain test, or testsupport::HeadlessTest for the tests that
// draw on the headless screen.
template <class Base = ::testing::Test>
class StageTestOn : public Base {
  protected:
    void SetUp() override {
        Base::SetUp();
        if (::testing::Test::HasFatalFailure() || ::testing::Test::IsSkipped()) return;
        game = std::make_unique<testsupport::TempGameFolder>("quor-stage");
        folder = game->Path();
        std::filesystem::create_directories(folder / "data");
        std::filesystem::create_directories(folder / "network");
        std::filesystem::create_directories(folder / "stage" / "original");
        RegisterTestKinds();
        WriteKindTable(DefaultKindTable());
        SetBoughtItems("");
    }
    void TearDown() override {
        CClientInfo::DeleteInstance();
        Base::TearDown();
        game.reset();  // the folder outlives whatever the base fixture ends
    }
    void WriteKindTable(const std::string& text) {
        ASSERT_TRUE(WriteEncodedFile("data\\stage_objects.dat", text));
    }
    void SetBoughtItems(const std::string& items) {
        ASSERT_TRUE(WriteEncodedFile("network\\client_info.dat",
                                     "<clientInfo><boughtItems>" + items + "</boughtItems></clientInfo>"));
        CClientInfo::DeleteInstance();
    }

    std::unique_ptr<testsupport::TempGameFolder> game;
    std::filesystem::path folder;
};

using StageTest = StageTestOn<>;

}  // namespace stagetest
