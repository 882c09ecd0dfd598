#pragma once
// The shop tests' fixture: the headless engine with a game folder of the test's own, a shop
// table and a client info written per test, a music output that only records, and the widget
// library's recording port, which feeds the scripted mouse and records what is drawn and played.
#include <string>

#include "../controls/control_test.h"
#include "../engine/engine_test_env.h"
#include "foundation/ClientInfo.h"
#include "online/ModeSceneHost.h"
#include "online/ShopItemTable.h"

namespace shoptest {

// The hosting scene as the shop form sees it.
struct FakeHost : IModeSceneHost {
    int closed = 0;
    void CloseScene() override { ++closed; }
};

// Three items: a tune to listen to, a map part and a boss two levels up.
inline const char* kThreeItems =
    "Opening,オープニングカーニバル,音楽,10,にぎやかな曲。,Opening,1\n"
    "Ground008,マグマの大地,マップパーツ,25,熱い大地。,,1\n"
    "BarMan001,ボウマン赤,ボス,60,赤いボス。,,3\n";

// A registered creator's client info: creator points, rating points (the level), bought items.
inline std::string CreatorClientInfo(int points, int ratingPoints, const std::string& bought) {
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<clientInfo><network><createrId>7</createrId>"
           "<createrName>テスト</createrName><commonKey>k</commonKey><ratingPointSum>" +
           std::to_string(ratingPoints) + "</ratingPointSum><createrPoint>" + std::to_string(points) +
           "</createrPoint><accessFailCount>0</accessFailCount></network><config>"
           "<sendingPermission>false</sendingPermission><keyConfigMode>0</keyConfigMode>"
           "<musicVolume>80</musicVolume><soundEffectVolume>80</soundEffectVolume></config>"
           "<lastBootUpDate></lastBootUpDate><boughtItems>" +
           bought + "</boughtItems></clientInfo>";
}

class ShopTest : public enginetest::EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (HasFatalFailure()) return;
        Controls::SetPort(&port);
    }
    void TearDown() override {
        CShopItemTable::DeleteInstance();
        EngineTest::TearDown();
    }
    // The recording port goes only after the test's widgets are gone.
    ~ShopTest() override { Controls::SetPort(nullptr); }

    void WriteShop(const std::string& table) {
        ASSERT_TRUE(WriteEncodedFile("data\\shop_info.dat", table));
        CShopItemTable::DeleteInstance();
        CShopItemTable::GetInstance();
    }
    void WritePlayer(int points, int ratingPoints, const std::string& bought = "") {
        const std::string xml = CreatorClientInfo(points, ratingPoints, bought);
        ASSERT_TRUE(WriteEncodedFile("network\\client_info.dat", xml));
        CClientInfo::DeleteInstance();
        CClientInfo::GetInstance();
    }
    // The player's file as it stands on disk, decoded.
    std::string StoredClientInfo() {
        std::string text;
        EXPECT_EQ(ReadEncodedFile("network\\client_info.dat", text), ReadStatus::Ok);
        return text;
    }

    // One frame of a widget tree with the mouse of `Hover`, `Press` or `Release`.
    void Hover(int x, int y) { SetMouse(x, y, false, false, false); }
    void SetMouse(int x, int y, bool pressed, bool released, bool held) {
        port.mouse = {};
        port.mouse.x = x, port.mouse.y = y;
        port.mouse.leftPressed = pressed, port.mouse.leftReleased = released, port.mouse.leftHeld = held;
    }
    // Press and release at (x, y), one frame each, then the mouse rests there.
    void Click(Controls::GCBase& root, int x, int y) {
        SetMouse(x, y, true, false, false);
        root.Update();
        SetMouse(x, y, false, true, false);
        root.Update();
        Hover(x, y);
    }
    void Frames(Controls::GCBase& root, int n) {
        for (int i = 0; i < n; ++i) root.Update();
    }

    controltest::RecordingPort port;
    FakeHost host;
};

}  // namespace shoptest
