// The busy window's light as the player sees it: drawn by the engine into the frame, running while
// the request waits and standing still, still lit, where it was once the request has failed.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "controls/NetWorkBusyWindow.h"
#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/FrameTime.h"
#include "online/NetWorkAccessor.h"
#include "tests/common/headless_test.h"
#include "tests/online/fake_library.h"

namespace {

class BusyLight : public testsupport::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        if (!testsupport::LinkBuiltPictures(GameFolder())) GTEST_SKIP() << "the game folder is not built";
        SetFrameTime(1.0f / 60.0f);
    }
    void TearDown() override {
        CNetWorkAccessor::DeleteInstance();
        CSpriteManager::DeleteInstance();
        HeadlessTest::TearDown();
    }

    // One frame as the scene director draws it: cleared, then the accessor's window on top; the
    // pixels of the light's 192 x 24 cells.
    std::vector<uint32_t> DrawLight(CNetWorkAccessor* net) {
        elDraw::ClearScreen();
        net->Draw();
        EXPECT_FALSE(elSystem::GetErrorFlag());
        int32_t x = 0, y = 0;
        net->GetWindow()->GetAnimation()->GetAbsolutePosition(x, y);
        const plat::Surface& frame = elDraw::BackBuffer();
        std::vector<uint32_t> cells;
        for (int row = y; row < y + 24; ++row)
            cells.insert(cells.end(), frame.Row(row) + x, frame.Row(row) + x + 192);
        return cells;
    }
    // The window's plain beige where no light is: the cells drawn with the light hidden.
    std::vector<uint32_t> DrawWithoutLight(CNetWorkAccessor* net) {
        net->GetWindow()->GetAnimation()->SetVisible(false);
        std::vector<uint32_t> cells = DrawLight(net);
        net->GetWindow()->GetAnimation()->SetVisible(true);
        return cells;
    }

    onlinetest::FakeLibrary lib;
};

TEST_F(BusyLight, StandsStillAndLitAfterAFailure) {
    CNetWorkAccessor* net = CNetWorkAccessor::GetInstance();
    net->Start(NetWorkOperation::CheckServer);
    lib.Last()->state = QVNet::kStateRunning;
    const std::vector<uint32_t> blank = DrawWithoutLight(net);
    const std::vector<uint32_t> first = DrawLight(net);
    for (int frame = 0; frame < 20; ++frame) net->Poll();
    const std::vector<uint32_t> running = DrawLight(net);
    ASSERT_NE(running, first) << "the light runs while the request waits";

    lib.Fail(QVNet::EC_NW_ERROR, "12029");
    net->Poll();
    const std::vector<uint32_t> failed = DrawLight(net);
    EXPECT_EQ(failed, running) << "the light stands where it was";
    EXPECT_NE(failed, blank) << "the light is still drawn";
    for (int frame = 0; frame < 20; ++frame) net->Poll();
    EXPECT_EQ(DrawLight(net), running);
}

}  // namespace
