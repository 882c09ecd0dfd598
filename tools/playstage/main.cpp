// quor-playstage: plays one stage file, windowed (keyboard or gamepad) or headless with scripted
// keys, and prints the outcome as one JSON line.
//
//   quor-playstage STAGE.stg [--mode 0|1|3] [--lives N] [--headless] [--frames N] [--seed N]
//                  [--hold FROM-TO:KEY]... [--key FRAME:KEY]... [--screenshot-every K --out DIR]
//
// KEY is one of Up Down Left Right Z X Space F1 F2; frames count from the first frame of play.
// Exit status: 0 after a clean run, 1 when the game or the stage failed, 2 for bad arguments.
#include <cstdio>
#include <string>

#include "platform/backend.h"
#include "tools/playstage/PlayStage.h"

int main(int argc, char** argv) {
    PlayStageOptions options;
    std::string error;
    if (!ParsePlayStageArgs(argc, argv, options, error)) {
        std::fprintf(
            stderr,
            "quor-playstage: %s\nusage: quor-playstage STAGE.stg [--mode 0|1|3] [--lives N] [--headless] "
            "[--frames N] [--seed N] [--hold FROM-TO:KEY]... [--key FRAME:KEY]... "
            "[--screenshot-every K --out DIR]\n",
            error.c_str());
        return 2;
    }
    options.headless = options.headless || plat::HeadlessRequested(argc, argv);
    PlayStageOutcome outcome;
    const int code = RunPlayStage(options, outcome);
    std::printf("%s\n", PlayStageOutcomeJson(outcome).c_str());
    return code;
}
