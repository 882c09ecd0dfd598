#include "tests/play/play_stage_player.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "tests/common/game_process.h"

namespace playtest {

double Field(const std::string& json, const std::string& name) {
    const size_t at = json.find("\"" + name + "\":");
    return at == std::string::npos ? std::nan("") : std::atof(json.c_str() + at + name.size() + 3);
}

std::string PlayStageFile(const std::filesystem::path& game, const std::string& stage,
                          const std::vector<std::string>& args) {
    testsupport::GameRun run;
    run.executable = "quor-playstage";
    run.args = {stage, "--headless"};
    run.args.insert(run.args.end(), args.begin(), args.end());
    run.workDir = game;
    run.output = game / "out.txt";
    run.env = {{"SDL_AUDIODRIVER", "dummy"}};
    const int status = testsupport::RunGame(game, run);
    std::ifstream in(run.output);
    std::string line, last, all;
    while (std::getline(in, line)) {
        all += line + "\n";
        if (!line.empty() && line[0] == '{') last = line;
    }
    EXPECT_EQ(status, 0) << all;
    return last;
}

}  // namespace playtest
