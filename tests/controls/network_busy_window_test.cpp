// The network busy window: no way out while busy; an error window with "O K" after a failure.
#include <memory>

#include "controls/NetWorkBusyWindow.h"
#include "tests/controls/control_test.h"

using namespace Controls;
using controltest::EventLog;

namespace {

class BusyWindowTest : public controltest::ControlTest {
  protected:
    COriginalBaseForm root;
    EventLog log;
};

TEST_F(BusyWindowTest, CannotBeClosedUntilItTurnsIntoAnError) {
    auto window = std::make_unique<CNetWorkBusyWindow>("接続の準備をしています…");
    window->AddClosedEventHandler(&log);
    auto* busy = root.OpenModal(std::move(window));
    EXPECT_EQ(busy->GetX(), 120);
    EXPECT_FALSE(busy->GetCloseButton()->IsVisible());
    EXPECT_FALSE(busy->GetOkButton()->IsVisible());
    // Clicks where the hidden buttons lie do nothing.
    Click(root, 120 + 200, 120 + 164 + 20);
    Click(root, 120 + 400 - 32 + 8, 120 + 12 + 8);
    EXPECT_EQ(log.Count("closed"), 0);
    EXPECT_EQ(busy->GetState(), kStateActive);
    busy->SetMessage("接続中にエラーが発生しました！\n");
    busy->StopAnimation();
    busy->ShowButton();
    busy->SetTitle("エラー詳細");
    EXPECT_FALSE(busy->GetAnimation()->IsActive());
    Click(root, 120 + 200, 120 + 164 + 20);
    EXPECT_EQ(log.Count("closed"), 1);
    EXPECT_EQ(port.CountSound(ControlSound::kPush), 1);
}

}  // namespace
