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

// A game started in the background, to be waited for or killed while it runs.
class GameProcess {
  public:
    // Starts the executable of the game folder `game` as RunGame would.
    GameProcess(const std::filesystem::path& game, const GameRun& run);
    // Kills the game if it still runs.
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // Blocks until a file named `name` is written (closed after writing, or moved) into `folder`
    // (which must exist), or the game has ended; true for the file. Gives up after
    // `limitSeconds` without a new file.
    bool WaitForFile(const std::filesystem::path& folder, const std::string& name, int limitSeconds = 600);
    // SIGKILL, then the wait for its end.
    void Kill();
    // Waits for the end: the exit status, -1 when it did not exit by itself.
    int Wait();

  private:
    pid_t pid_ = -1;
    int status_ = -1;
    bool ended_ = false;
};

// One run of the stage player (quor-playstage) of a game folder, headless, started in that folder.
struct StagePlayerRun {
    int status = -1;     // as RunGame gives it
    std::string json;    // the last JSON line it printed (empty: none)
    std::string output;  // everything it printed, for failure messages
};

// Plays `stage` (none: `args` name what to play, e.g. a recording) with the stage player of the
// game folder `game` (its output written there as out.txt), with the silent sound driver,
// `--headless` and then `args`.
StagePlayerRun RunStagePlayer(const std::filesystem::path& game, const std::filesystem::path& stage,
                              const std::vector<std::string>& args);

// The last JSON line in what the stage player printed (empty: none).
std::string LastJsonLine(const std::string& output);
// A number of the stage player's JSON line by its name; NaN when it is missing.
double JsonNumber(const std::string& json, const std::string& name);

}  // namespace testsupport
