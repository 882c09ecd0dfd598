#pragma once
// The fixture of every test that needs a screen: a hand-driven clock, the headless engine with the
// screen open and the window active, and on request a temporary game folder of the test's own.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/EncodedFile.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "tests/common/headless_screen.h"
#include "tests/common/temp_folder.h"

namespace testsupport {

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SetClockSource([this] { return now; });
        StartHeadlessEngine(Joysticks());
        BeforeScreen();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(OpenHeadlessScreen());
        elSystem::Activate(true);
        Headless().ClearMessages();
    }

    void TearDown() override {
        StopHeadlessEngine();
        plat::SetClockSource(nullptr);
        game_.reset();
    }

    // The number of joysticks attached before the input starts.
    virtual int Joysticks() { return 0; }
    // Runs after the engine globals are zeroed and before the screen opens.
    virtual void BeforeScreen() {}

    plat::HeadlessBackend& Headless() { return *plat::CurrentHeadless(); }

    // The test's own game folder, made at the first call.
    TempGameFolder& Game() {
        if (!game_) game_ = std::make_unique<TempGameFolder>("quor-test");
        return *game_;
    }
    std::filesystem::path GameFolder() { return Game().Path(); }

    // The last message box so far, "title|text".
    std::string LastMessage() {
        auto& m = Headless().Messages();
        return m.empty() ? std::string() : m.back().first + "|" + m.back().second;
    }

    uint32_t now = 1000;

  private:
    std::unique_ptr<TempGameFolder> game_;
};

}  // namespace testsupport
