#pragma once
// The game executable run the way a player or a script runs it: in a process of its own, with
// its own arguments and environment, its output in a file, and its exit status returned.
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct GameRun {
    std::vector<std::string> args;
    // The program of the game folder to run (empty: the game itself).
    std::string executable;
    // Changes to the environment, in order: a value sets the variable, nullopt removes it.
    std::vector<std::pair<std::string, std::optional<std::string>>> env;
    // Starts from an empty environment instead of this process's.
    bool emptyEnv = false;
    // The folder the game starts in (empty: this process's).
    std::filesystem::path workDir;
    // The file its standard output and error go to, both (empty: this process's).
    std::filesystem::path output;
    // Run by root: the game runs as this user, in the group of the same number, without
    // supplementary groups.
    std::optional<uid_t> user;
};

// Runs the executable of the game folder `game` and waits for it. Its exit status, or -1 when
// it could not be started or did not exit by itself. A child that could not get ready exits
// 125 (start folder), 126 (user) or 127 (the executable itself).
int RunGame(const std::filesystem::path& game, const GameRun& run);

}  // namespace testsupport
