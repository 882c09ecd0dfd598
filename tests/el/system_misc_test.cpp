#include <sys/wait.h>
#include <unistd.h>

#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"
#include "tests/common/headless_test.h"

namespace {

using testsupport::HeadlessTest;

class SystemMisc : public HeadlessTest {};

TEST_F(SystemMisc, ErrorShowsTheBoxAndSetsTheFlag) {
    EXPECT_FALSE(elSystem::GetErrorFlag());
    EXPECT_EQ(elSystem::Error("elSystem::Init", "DirectInputが使用できません"), 0);
    EXPECT_TRUE(elSystem::GetErrorFlag());
    EXPECT_EQ(LastMessage(), "エラー発生|elSystem::Init : DirectInputが使用できません");
    elSystem::Reset();
    EXPECT_FALSE(elSystem::GetErrorFlag());
}

TEST_F(SystemMisc, MessageBoxFormatsAndResetsTheFrameClock) {
    elSystem::SetFrameTime(0.5f);
    elSystem::MessageBox("Error Code:[%s] %d%%", "OTE0002", 5);
    EXPECT_EQ(LastMessage(), "メッセージ|Error Code:[OTE0002] 5%\r\n");
    EXPECT_EQ(elSystem::GetFrameTime(), 0.0f);
    EXPECT_FALSE(elSystem::GetErrorFlag());
}

TEST_F(SystemMisc, LowerLayersShowTheirMessagesThroughTheEngineBoxWhileItRuns) {
    Headless().MouseMoveTo(100, 100);
    elSystem::UpdateSystemCursor();
    ASSERT_FALSE(Headless().SystemCursorShown());
    elSystem::SetFrameTime(0.5f);
    ShowMessageText("保存しました");
    EXPECT_EQ(LastMessage(), "メッセージ|保存しました");
    EXPECT_TRUE(Headless().SystemCursorShown());
    EXPECT_EQ(elSystem::GetFrameTime(), 0.0f);  // the time the box was open is no frame

    elSystem::End();
    elSystem::SetFrameTime(0.5f);
    ShowMessageText("after the end");
    EXPECT_EQ(elSystem::GetFrameTime(), 0.5f);  // the platform's box again
}

TEST_F(SystemMisc, FrameClockAndBlink) {
    elSystem::Reset();  // tick 1000, blink on until 2000
    now = 1016;
    elSystem::AdvanceFrameClock();
    EXPECT_FLOAT_EQ(elSystem::GetFrameTime(), 0.016f);
    EXPECT_FLOAT_EQ(GetFrameTime(), 0.016f);  // the one frame time of the program
    EXPECT_EQ(elSystem::GetLastFrameTick(), 1016u);
    now = 1300;
    elSystem::ResetFrameClock();
    EXPECT_EQ(elSystem::GetFrameTime(), 0.0f);

    EXPECT_TRUE(elSystem::GetBlinkFlag());
    elSystem::UpdateBlink(1999);
    EXPECT_TRUE(elSystem::GetBlinkFlag());
    elSystem::UpdateBlink(2000);
    EXPECT_FALSE(elSystem::GetBlinkFlag());
    elSystem::UpdateBlink(2199);
    EXPECT_FALSE(elSystem::GetBlinkFlag());
    elSystem::UpdateBlink(2200);
    EXPECT_TRUE(elSystem::GetBlinkFlag());
    elSystem::UpdateBlink(3199);
    EXPECT_TRUE(elSystem::GetBlinkFlag());
}

TEST_F(SystemMisc, EndRunsOnceAndAsksTheWindowToClose) {
    EXPECT_EQ(elSystem::End(), 1);
    EXPECT_TRUE(elSystem::HasEnded());
    EXPECT_EQ(elSystem::GetClosingState(), 2);
    EXPECT_FALSE(elDraw::IsOpen());
    EXPECT_EQ(elDraw::GetObjectSlot(elDraw::kFontObject), nullptr);
    EXPECT_EQ(elSystem::End(), 1);
    std::vector<plat::WindowEvent> events;
    elSystem::PumpMessages(events);
    int closes = 0;
    for (auto& e : events) closes += e.kind == plat::WindowEventKind::Close;
    EXPECT_EQ(closes, 1);
}

TEST_F(SystemMisc, EndAfterTheCloseBoxPostsNoSecondClose) {
    elSystem::SetClosingState(2);
    elSystem::End();
    std::vector<plat::WindowEvent> events;
    elSystem::PumpMessages(events);
    for (auto& e : events) EXPECT_NE(e.kind, plat::WindowEventKind::Close);
}

TEST_F(SystemMisc, WindowMessagesKeepLastKeyAndClicks) {
    std::vector<plat::WindowEvent> events;
    Headless().KeyDown(plat::kKeyF12);
    Headless().MouseMoveTo(20, 30);
    Headless().MouseButton(0, true);
    elSystem::PumpMessages(events);
    EXPECT_EQ(elSystem::GetLastKey(), plat::kKeyF12);
    EXPECT_TRUE(elSystem::GetWindowMouse().leftClick);
    EXPECT_EQ(elSystem::GetWindowMouse().x, 20);
    Headless().KeyUp(plat::kKeyF12);
    elSystem::PumpMessages(events);
    EXPECT_EQ(elSystem::GetLastKey(), 0);
    elSystem::EndTurn();
    EXPECT_FALSE(elSystem::GetWindowMouse().leftClick);
    EXPECT_TRUE(elSystem::GetWindowMouse().leftDown);
    EXPECT_EQ(elSystem::GetWindowMouse().prevY, 30);
}

TEST_F(SystemMisc, SystemCursorHidesOverTheClientArea) {
    Headless().MouseMoveTo(639, 479);
    elSystem::UpdateSystemCursor();
    EXPECT_FALSE(Headless().SystemCursorShown());
    Headless().MouseMoveTo(640, 10);
    elSystem::UpdateSystemCursor();
    EXPECT_TRUE(Headless().SystemCursorShown());
}

TEST_F(SystemMisc, CursorClipImeAndKeyMode) {
    elSystem::ClipCursorToWindow();
    EXPECT_TRUE(elSystem::IsCursorClipped());
    Headless().MouseMoveTo(700, -5);
    int x = 0, y = 0;
    Headless().CursorPosition(x, y);
    EXPECT_EQ(x, 639);
    EXPECT_EQ(y, 0);
    elSystem::UnclipCursor();
    EXPECT_FALSE(elSystem::IsCursorClipped());
    elSystem::SetIme(false);
    EXPECT_FALSE(Headless().TextInputEnabled());
    elSystem::SetIme(true);
    EXPECT_TRUE(Headless().TextInputEnabled());
    EXPECT_EQ(elSystem::GetSystemKeyMode(), 0);  // set by the input start-up
}

TEST_F(SystemMisc, ExeDirectoryEndsWithASlash) {
    std::string dir = elSystem::GetExeDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    GameFolder();
    EXPECT_EQ(elSystem::GetExeDirectory(), GameFolder().string() + "/");
}

TEST_F(SystemMisc, SecondCopyIsRefusedWhileTheFirstRuns) {
    GameFolder();
    ASSERT_TRUE(elSystem::CheckSingleInstance("Quorvald"));
    EXPECT_TRUE(std::filesystem::exists(GameFolder() / "Quorvald:ElMutex.lock"));
    pid_t child = ::fork();
    if (child == 0) ::_exit(elSystem::CheckSingleInstance("Quorvald") ? 1 : 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // The end of the engine lets go of the lock.
    elSystem::End();
    child = ::fork();
    if (child == 0) ::_exit(elSystem::CheckSingleInstance("Quorvald") ? 0 : 1);
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
