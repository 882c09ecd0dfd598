#pragma once
// The fixture of the tests that run the game executable the way a player or a script runs it: on
// a copy of the built game folder, in a process of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"

namespace apptest {

namespace fs = std::filesystem;

class GameCopyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testsupport::BuiltGameIsComplete())
            GTEST_SKIP() << "no built game folder at " << testsupport::BuiltGameFolder();
        testsupport::CopyBuiltGame(dir);
    }

    // Runs the copied game with `args` and returns its exit status (-1: it did not exit).
    // Without a display the child sees none at all.
    int Run(const std::vector<std::string>& args, bool display = true) {
        testsupport::GameRun run;
        run.args = args;
        run.output = dir / "output.txt";
        run.env = {{"QUOR_HEADLESS", std::nullopt}};
        if (!display) {
            run.env.push_back({"DISPLAY", std::nullopt});
            run.env.push_back({"WAYLAND_DISPLAY", std::nullopt});
            run.env.push_back({"SDL_VIDEODRIVER", "x11"});
        }
        return testsupport::RunGame(dir, run);
    }

    // The arguments of a command line without quoting.
    static std::vector<std::string> Words(const std::string& line) {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string w; in >> w;) words.push_back(w);
        return words;
    }
    static std::string ReadFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Every log file of the copy, one after the other.
    std::string Log() const {
        std::string text;
        if (!fs::exists(dir / "log")) return text;
        for (const auto& entry : fs::directory_iterator(dir / "log")) text += ReadFile(entry.path());
        return text;
    }

    testsupport::TempFolder copy{"quor-app"};
    const fs::path& dir = copy.Path();
};

}  // namespace apptest
