#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/backend.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "platform/instance_lock.h"
#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/png.h"
#include "platform/surface.h"
#include "tests/common/temp_folder.h"

namespace fs = std::filesystem;

namespace {

TEST(InstanceLock, SecondHolderIsRefusedUntilTheFirstLetsGo) {
    testsupport::TempFolder folder("quor-lock");
    const fs::path& dir = folder.Path();
    std::string path = (dir / "Quorvald:ElMutex.lock").string();
    plat::InstanceLock first;
    ASSERT_TRUE(first.TryAcquire(path));
    EXPECT_TRUE(first.Held());

    // Another process cannot take it while we hold it.
    pid_t child = ::fork();
    if (child == 0) {
        plat::InstanceLock other;
        std::string error;
        bool got = other.TryAcquire(path, &error);
        ::_exit(got ? 1 : (error.empty() ? 0 : 2));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    // A second holder in this process is refused too, and succeeds after the release.
    plat::InstanceLock second;
    EXPECT_FALSE(second.TryAcquire(path));
    first.Release();
    EXPECT_TRUE(second.TryAcquire(path));
}

TEST(InstanceLock, UnwritableFolderReportsWhy) {
    plat::InstanceLock lock;
    std::string error;
    EXPECT_FALSE(lock.TryAcquire("/nonexistent-folder-quor/x.lock", &error));
    EXPECT_FALSE(error.empty());
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(Paths, UserDataFolderFollowsXdgThenHome) {
    ScopedEnv home("HOME", "/home/player/");
    {
        ScopedEnv xdg("XDG_DATA_HOME", "/data/xdg");
        EXPECT_EQ(plat::UserDataDir(), "/data/xdg/quorvald");
    }
    {
        ScopedEnv xdg("XDG_DATA_HOME", "relative/xdg");  // not absolute: ignored
        EXPECT_EQ(plat::UserDataDir(), "/home/player/.local/share/quorvald");
    }
    ScopedEnv xdg("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(plat::UserDataDir(), "/home/player/.local/share/quorvald");
}

TEST(Paths, WritableIsProbedAndLeavesNothingBehind) {
    testsupport::TempFolder folder("quor-probe");
    const fs::path& dir = folder.Path();
    EXPECT_TRUE(plat::IsFolderWritable(dir.string()));
    EXPECT_TRUE(fs::is_empty(dir));
    EXPECT_FALSE(plat::IsFolderWritable((dir / "missing").string()));
    std::ofstream((dir / "file").string()) << "x";
    EXPECT_FALSE(plat::IsFolderWritable((dir / "file").string()));  // a file is no folder
    EXPECT_TRUE(plat::SyncFolder(dir.string()));
    EXPECT_FALSE(plat::SyncFolder((dir / "missing").string()));
}

TEST(Png, RoundTripKeepsEveryPixel) {
    testsupport::TempFolder folder("quor-png");
    const fs::path& dir = folder.Path();
    plat::Surface s(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            s.Row(y)[x] = 0xFF000000u | uint32_t(x * 30) << 16 | uint32_t(y * 50) << 8 | 7;
    std::string path = (dir / "frame.png").string();
    ASSERT_TRUE(plat::WritePng(s, path));
    plat::Surface back;
    ASSERT_TRUE(plat::ReadPng(path, back));
    EXPECT_EQ(back.width, 7);
    EXPECT_EQ(back.height, 5);
    EXPECT_EQ(back.pixels, s.pixels);
    // No temporary file is left behind.
    int files = 0;
    for (auto& e : fs::directory_iterator(dir)) files += e.is_regular_file();
    EXPECT_EQ(files, 1);
    EXPECT_FALSE(plat::WritePng(s, (dir / "missing" / "x.png").string()));
    EXPECT_FALSE(plat::ReadPng((dir / "nothing.png").string(), back));
}

TEST(Joystick, AxisScalingAndDeadZone) {
    EXPECT_EQ(plat::ScaleJoystickAxis(32767, true), 1000);
    EXPECT_EQ(plat::ScaleJoystickAxis(-32768, true), -1000);
    EXPECT_EQ(plat::ScaleJoystickAxis(16000, true), 0);  // inside the inner half
    EXPECT_EQ(plat::ScaleJoystickAxis(-16383, true), 0);
    EXPECT_NEAR(plat::ScaleJoystickAxis(24575, true), 500, 1);  // three quarters of the travel
    EXPECT_NEAR(plat::ScaleJoystickAxis(16384, false), 500, 1);
    EXPECT_EQ(plat::ScaleJoystickAxis(0, false), 0);
}

TEST(InputBuffers, OnlyAcquiredDevicesBufferAndAtMost256) {
    plat::InputBuffers b;
    plat::DeviceRecord out[300];
    b.Push(plat::Device::Keyboard, 0, plat::kKeyZ, plat::kButtonDown);
    EXPECT_EQ(b.Read(plat::Device::Keyboard, 0, out, 300), -1);
    ASSERT_TRUE(b.Acquire(plat::Device::Keyboard, 0));
    EXPECT_EQ(b.Read(plat::Device::Keyboard, 0, out, 300), 0);  // the early record was lost
    for (int i = 0; i < 300; ++i) b.Push(plat::Device::Keyboard, 0, plat::kKeyX, uint32_t(i & 1) * 0x80);
    EXPECT_EQ(b.Read(plat::Device::Keyboard, 0, out, 100), 100);
    EXPECT_EQ(b.Read(plat::Device::Keyboard, 0, out, 300), 156);
    EXPECT_LT(out[0].sequence, out[1].sequence);
    b.SetBroken(2, true);
    EXPECT_FALSE(b.Acquire(plat::Device::Joystick, 2));
    EXPECT_FALSE(b.Acquire(plat::Device::Joystick, 16));
}

TEST(Backend, HeadlessIsChosenByFlagOrEnvironment) {
    const char* args[] = {"quorvald", "--headless"};
    EXPECT_TRUE(plat::HeadlessRequested(2, args));
    ::unsetenv("QUOR_HEADLESS");
    EXPECT_FALSE(plat::HeadlessRequested(1, args));
    ::setenv("QUOR_HEADLESS", "0", 1);
    EXPECT_FALSE(plat::HeadlessRequested(1, args));
    ::setenv("QUOR_HEADLESS", "1", 1);
    EXPECT_TRUE(plat::HeadlessRequested(1, args));
    ::unsetenv("QUOR_HEADLESS");
}

TEST(Backend, HeadlessKeepsFramesMessagesAndScriptedInput) {
    uint32_t now = 500;
    plat::SetClockSource([&] { return now; });
    plat::BackendOptions options;
    options.headless = true;
    options.title = "Quorvald";
    plat::Backend& b = plat::StartBackend(options);
    ASSERT_TRUE(b.IsHeadless());
    plat::HeadlessBackend* h = plat::CurrentHeadless();
    ASSERT_NE(h, nullptr);

    plat::ShowMessageBox("エラー発生", "elDraw::Screen : x");
    ASSERT_EQ(h->Messages().size(), 1u);
    EXPECT_EQ(h->Messages()[0].first, "エラー発生");

    plat::Surface frame(640, 480, 0xFF112233u);
    h->Present(frame);
    EXPECT_EQ(h->PresentCount(), 1);
    EXPECT_EQ(h->Frame().pixels, frame.pixels);

    std::vector<plat::WindowEvent> events;
    h->PumpEvents(events);
    ASSERT_EQ(events.size(), 1u);  // a new window has the focus
    EXPECT_EQ(events[0].kind, plat::WindowEventKind::Activate);

    ASSERT_TRUE(b.Acquire(plat::Device::Mouse, 0));
    h->MouseMoveTo(10, 20);
    now = 510;
    h->MouseMoveTo(10, 25);
    plat::DeviceRecord rec[8];
    ASSERT_EQ(b.ReadDeviceData(plat::Device::Mouse, 0, rec, 8), 3);
    EXPECT_EQ(rec[0].offset, plat::kMouseOffsetX);
    EXPECT_EQ(int32_t(rec[0].data), 10);
    EXPECT_EQ(rec[2].offset, plat::kMouseOffsetY);
    EXPECT_EQ(int32_t(rec[2].data), 5);
    EXPECT_EQ(rec[2].timeMs, 510u);
    int x = 0, y = 0;
    ASSERT_TRUE(b.CursorPosition(x, y));
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 25);

    b.RequestClose();
    events.clear();
    h->PumpEvents(events);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().kind, plat::WindowEventKind::Close);

    plat::StopBackend();
    EXPECT_EQ(plat::CurrentBackend(), nullptr);
    plat::SetClockSource(nullptr);
}

TEST(Clock, SourceCanBeReplaced) {
    plat::SetClockSource([] { return 42u; });
    EXPECT_EQ(plat::NowMs(), 42u);
    plat::SetClockSource(nullptr);
}

}  // namespace

namespace {

// SDL scan codes are USB usage numbers: A..Z 4..29, 1..0 30..39, F1..F12 58..69.
TEST(KeyMap, SdlKeysBecomeTheGamesScanCodes) {
    const uint16_t letters[26] = {
        plat::kKeyA, plat::kKeyB, plat::kKeyC, plat::kKeyD, plat::kKeyE, plat::kKeyF, plat::kKeyG,
        plat::kKeyH, plat::kKeyI, plat::kKeyJ, plat::kKeyK, plat::kKeyL, plat::kKeyM, plat::kKeyN,
        plat::kKeyO, plat::kKeyP, plat::kKeyQ, plat::kKeyR, plat::kKeyS, plat::kKeyT, plat::kKeyU,
        plat::kKeyV, plat::kKeyW, plat::kKeyX, plat::kKeyY, plat::kKeyZ};
    for (int i = 0; i < 26; ++i) EXPECT_EQ(plat::SdlScancodeToKey(4 + i), letters[i]) << char('A' + i);
    EXPECT_EQ(plat::kKeyZ, 0x2C);
    EXPECT_EQ(plat::kKeyX, 0x2D);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(plat::SdlScancodeToKey(30 + i), 2 + i);  // 1..9, 0
    for (int i = 0; i < 10; ++i) EXPECT_EQ(plat::SdlScancodeToKey(58 + i), plat::kKeyF1 + i);
    EXPECT_EQ(plat::SdlScancodeToKey(68), plat::kKeyF11);
    EXPECT_EQ(plat::SdlScancodeToKey(69), plat::kKeyF12);
    EXPECT_EQ(plat::SdlScancodeToKey(82), 200);  // up
    EXPECT_EQ(plat::SdlScancodeToKey(81), 208);  // down
    EXPECT_EQ(plat::SdlScancodeToKey(80), 203);  // left
    EXPECT_EQ(plat::SdlScancodeToKey(79), 205);  // right
    EXPECT_EQ(plat::SdlScancodeToKey(44), plat::kKeySpace);
    EXPECT_EQ(plat::SdlScancodeToKey(40), plat::kKeyReturn);
    EXPECT_EQ(plat::SdlScancodeToKey(42), plat::kKeyBack);
    EXPECT_EQ(plat::SdlScancodeToKey(76), plat::kKeyDelete);
    EXPECT_EQ(plat::SdlScancodeToKey(43), plat::kKeyTab);
    EXPECT_EQ(plat::SdlScancodeToKey(45), plat::kKeyMinus);
    EXPECT_EQ(plat::SdlScancodeToKey(225), plat::kKeyLShift);
    EXPECT_EQ(plat::SdlScancodeToKey(229), plat::kKeyRShift);
    EXPECT_EQ(plat::SdlScancodeToKey(224), plat::kKeyLControl);
    EXPECT_EQ(plat::SdlScancodeToKey(89), plat::kKeyNumpad1);
    EXPECT_EQ(plat::SdlScancodeToKey(98), plat::kKeyNumpad0);
    EXPECT_EQ(plat::SdlScancodeToKey(88), plat::kKeyNumpadEnter);
    EXPECT_EQ(plat::SdlScancodeToKey(0), 0);
    EXPECT_EQ(plat::SdlScancodeToKey(300), 0);
}

TEST(Surface, ColorRefRoundTrip) {
    EXPECT_EQ(plat::ColorRefToPixel(0x00112233u), 0xFF332211u);
    EXPECT_EQ(plat::PixelToColorRef(0xFF332211u), 0x00112233u);
}

}  // namespace
