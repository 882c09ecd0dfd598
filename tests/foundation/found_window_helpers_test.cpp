// The message box and frame rate that the layers below the engine use.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"
#include "platform/backend.h"
#include "platform/messagebox.h"

TEST(WindowHelpers, MessageTextGoesToThePlatformBoxUntilAPresenterIsSet) {
    std::string title, text;
    plat::SetMessageBoxHandler([&](const std::string& t, const std::string& m) {
        title = t;
        text = m;
    });
    ShowMessageText("100%s done");
    EXPECT_EQ(title, "メッセージ");
    EXPECT_EQ(text, "100%s done");

    std::string presented;
    SetMessageTextPresenter([&](const std::string& m) { presented = m; });
    title.clear();
    ShowMessageBox("保存しました");
    EXPECT_EQ(presented, "保存しました");
    EXPECT_TRUE(title.empty());  // the presenter replaced the platform box

    SetMessageTextPresenter(nullptr);
    ShowMessageText("again");
    EXPECT_EQ(text, "again");
    plat::SetMessageBoxHandler(nullptr);
}

TEST(WindowHelpers, MainWindowTitleGoesToTheWindowWhenThereIsOne) {
    SetMainWindowTitle("no window yet");  // nothing runs: no effect, no crash
    plat::BackendOptions options;
    options.headless = true;
    plat::Backend& b = plat::StartBackend(options);
    SetMainWindowTitle("Quorvald - エディタ");
    EXPECT_EQ(b.Title(), "Quorvald - エディタ");
    plat::StopBackend();
}

TEST(WindowHelpers, FrameRateIsTheInverseFrameTime) {
    SetFrameTime(0.02f);
    EXPECT_NEAR(GetFrameRate(), 50.0, 1e-3);
    // A zero frame time must not make the landing cap (4 x the rate) infinite.
    SetFrameTime(0.0f);
    EXPECT_EQ(GetFrameRate(), 60.0);
}
