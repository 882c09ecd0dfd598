#pragma once
// The fixture of the menu tests: the headless engine with one pad, a top menu at the root of its
// own scene chain, frames driven the way the shell drives them (input, then the chain's update),
// and a network library the test answers by hand.
#include <memory>
#include <string>

#include "../engine/engine_test_env.h"
#include "flow/ScenarioSaveData.h"
#include "flow/TopMenuRootForm.h"
#include "flow/TopMenuScene.h"
#include "online/NetWorkAccessor.h"
#include "tests/online/fake_library.h"

namespace flowtest {

class MenuTest : public enginetest::EngineTest {
  protected:
    int Joysticks() override { return 1; }

    void TearDown() override {
        menu.reset();
        CNetWorkAccessor::DeleteInstance();
        // The scenario mode, reached from the menu, reads the progress once per game.
        CScenarioSaveData::DeleteInstance();
        EngineTest::TearDown();
    }

    // The player's file: the shipped defaults, with a creator id when asked.
    void WriteClientInfo(bool creator) {
        std::string xml = enginetest::kClientInfoXml;
        if (creator) {
            xml.replace(xml.find("<createrId></createrId>"), 23, "<createrId>77</createrId>");
            xml.replace(xml.find("<createrName></createrName>"), 27, "<createrName>くおる</createrName>");
        }
        ASSERT_TRUE(WriteEncodedFile("network\\client_info.dat", xml));
        CClientInfo::DeleteInstance();
    }

    void StartMenu() {
        menu = std::make_unique<CTopMenuScene>(nullptr);
        menu->Start();
    }

    void Frame() {
        now += 16;
        elSystem::PollInput();
        CInputManager::GetInstance()->Update();
        menu->UpdateTop();
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) Frame();
    }
    // Runs frames until the menu takes input.
    void OpenMenu() {
        for (int i = 0; i < 100 && !(menu->IsOpened() && !menu->GetChild()); ++i) Frame();
        ASSERT_TRUE(menu->IsOpened());
    }
    // One frame with the key down, then it is let go.
    void Press(uint16_t key) {
        Headless().KeyDown(key);
        Frame();
        Headless().KeyUp(key);
    }
    // The left button goes down at (x, y) in one frame and up in the next.
    void Click(int x, int y) {
        Headless().MouseMoveTo(x, y);
        Headless().MouseButton(0, true);
        Frame();
        Headless().MouseButton(0, false);
        Frame();
    }
    // Frames until the menu has a child, at most `limit`; how many it took.
    int FramesUntilChild(int limit = 200) {
        int n = 0;
        while (!menu->GetChild() && n < limit) {
            Frame();
            ++n;
        }
        return n;
    }
    Controls::CTopMenuRootForm* Form() { return menu->GetRootForm(); }

    std::unique_ptr<CTopMenuScene> menu;
    // The online screens' requests go nowhere; the tests end them by hand.
    onlinetest::FakeLibrary lib;
};

}  // namespace flowtest
