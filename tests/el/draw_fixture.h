#pragma once
// A headless engine for the system and draw tests: a hand-driven clock, the headless backend,
// the screen open and the window active.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/EncodedFile.h"
#include "platform/clock.h"
#include "platform/headless.h"

class ElTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SetClockSource([this] { return now; });
        plat::BackendOptions options;
        options.headless = true;
        plat::StartBackend(options);
        AddJoysticks();
        elSystem::Reset();
        ASSERT_TRUE(elDraw::Screen(640, 480, 1));
        elSystem::Activate(true);
        Headless().ClearMessages();
    }

    void TearDown() override {
        elSystem::End();
        plat::StopBackend();
        plat::SetClockSource(nullptr);
        if (!tempDir.empty()) {
            ResetGameFolder();
            std::filesystem::remove_all(tempDir);
        }
    }

    // Tests that need joysticks attach them before the input starts.
    virtual void AddJoysticks() {}

    plat::HeadlessBackend& Headless() { return *plat::CurrentHeadless(); }

    // A fresh game folder for files the test writes.
    std::filesystem::path GameFolder() {
        if (tempDir.empty()) {
            tempDir = std::filesystem::temp_directory_path() /
                      ("quor_el_" + std::to_string(::getpid()) + "_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
            std::filesystem::remove_all(tempDir);
            std::filesystem::create_directories(tempDir);
            SetGameFolder(tempDir.string());
        }
        return tempDir;
    }

    std::string LastMessage() {
        auto& m = Headless().Messages();
        return m.empty() ? std::string() : m.back().first + "|" + m.back().second;
    }

    uint32_t now = 1000;
    std::filesystem::path tempDir;
};
