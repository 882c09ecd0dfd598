// quor-playstage: plays one stage file, windowed (keyboard or gamepad) or headless with scripted
// keys, and prints the outcome as one JSON line.
//
//   quor-playstage STAGE.stg [--mode 0|1|3] [--lives N] [--headless] [--frames N] [--seed N]
//                  [--hold FROM-TO:KEY]... [--key FRAME:KEY]... [--screenshot-every K --out DIR]
//                  [--trace K] [--record FILE | --replay FILE]
//
// KEY is one of Up Down Left Right Z X Space F1 F2; frames count from the first frame of play.
// --record FILE writes the keys the play saw (keyboard or gamepad) when it ends, one line per
// change, "FRAME KEY down|up", under a header naming the stage file as given, the mode, lives and
// seed (see Recording.h). --replay FILE plays that recording back headless: its stage (unless
// one is given), mode, lives and seed, exactly its key changes, a fixed 1/60 s frame, and stops
// a minute after the last change unless the play closes or --frames says otherwise.
// --trace K prints the outcome so far every K frames of play, one JSON line each, before the
// last: the way to find where a route goes wrong.
// --help or -h prints this usage and exits 0.
// Exit status: 0 after a clean run, 1 when the game or the stage failed or an output could not be
// written, 2 for bad arguments (frame numbers above ten million among them).
#include <cstdio>
#include <string>

#include "platform/backend.h"
#include "tools/playstage/PlayStage.h"

namespace {

const char kUsage[] =
    "usage: quor-playstage STAGE.stg [--mode 0|1|3] [--lives N] [--headless] [--frames N] [--seed N]\n"
    "                      [--hold FROM-TO:KEY]... [--key FRAME:KEY]... [--screenshot-every K --out DIR]\n"
    "                      [--trace K] [--record FILE | --replay FILE]\n"
    "       quor-playstage --help\n"
    "KEY: Up Down Left Right Z X Space F1 F2; frames count from the first frame of play.\n"
    "Exit status: 0 after a clean run, 1 when the game or the stage failed, 2 for bad arguments.\n";

}  // namespace

int main(int argc, char** argv) {
    PlayStageOptions options;
    std::string error;
    if (!ParsePlayStageArgs(argc, argv, options, error)) {
        std::fprintf(stderr, "quor-playstage: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!LoadPlayStageReplay(options, error)) {
        std::fprintf(stderr, "quor-playstage: %s\n", error.c_str());
        return 2;
    }
    options.headless = options.headless || plat::HeadlessRequested(argc, argv);
    PlayStageOutcome outcome;
    const int code = RunPlayStage(options, outcome);
    std::printf("%s\n", PlayStageOutcomeJson(outcome).c_str());
    return code;
}
