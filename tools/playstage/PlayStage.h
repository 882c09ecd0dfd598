#pragma once
// The stage player: starts the game's singletons from the game folder, plays one stage file in
// the play scene as the child of a small host scene, windowed or headless with scripted keys,
// and reports the outcome as one JSON line. quor-playstage is a thin main over it; replay tests
// run it in a process of their own.
#include <string>
#include <vector>

#include "engine/KeyScript.h"

// A key held over frames of play, both included.
using PlayStageKeyHold = KeyHold;

// The last frame of play a run, a key or a recorded change may name: larger numbers are refused
// as mistakes rather than wrapped round.
inline constexpr int kMaxPlayStageFrame = kMaxKeyScriptFrame;

struct PlayStageOptions {
    std::string stagePath;
    int mode = 3;
    int lives = 0;
    bool headless = false;
    int frames = -1;  // frames of play before the run stops (-1: until the scene closes)
    int seed = 1;
    std::vector<PlayStageKeyHold> holds;
    int screenshotEvery = 0;
    std::string outDir;
    int traceEvery = 0;      // prints the outcome so far every this many frames of play
    std::string recordPath;  // writes the keys of the play here at its end
    std::string replayPath;  // feeds the keys of this recording (and takes its settings)
    bool help = false;       // --help or -h: print the usage and play nothing
};

struct PlayStageOutcome {
    int result = 4;
    int state = -1;
    int frames = 0;
    int area = 0;
    double heroX = 0, heroY = 0;
    int health = 0;
    int lives = 0;
    int keys = 0;
    int misses = 0;
    int objects = 0;
    bool boss = false;  // a boss is in the world: its centre follows
    double bossX = 0, bossY = 0;
};

// Reads the command line; false with a message for bad arguments. --help or -h anywhere ends the
// reading with `help` set, whatever else is given.
bool ParsePlayStageArgs(int argc, const char* const* argv, PlayStageOptions& options, std::string& error);
// A whole decimal number that fits an int, nothing else on the text.
bool ParsePlayStageInt(const std::string& text, int& value);
// A frame number: a whole decimal number from 0 to kMaxPlayStageFrame.
bool ParsePlayStageFrame(const std::string& text, int& value);
// With a recording to replay: reads it and takes its stage (unless one was given), mode, lives,
// seed and keys, and plays headless; false with a message when it cannot be read.
bool LoadPlayStageReplay(PlayStageOptions& options, std::string& error);
// Runs the game with the stage; the exit status of the game's run (0 for a clean end).
int RunPlayStage(const PlayStageOptions& options, PlayStageOutcome& outcome);
std::string PlayStageOutcomeJson(const PlayStageOutcome& outcome);
