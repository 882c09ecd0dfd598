#include "tests/common/game_process.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/common/temp_folder.h"

extern char** environ;

namespace testsupport {

namespace {

// The child's environment as "NAME=value" lines.
std::vector<std::string> ChildEnvironment(const GameRun& run) {
    std::vector<std::string> vars;
    if (!run.emptyEnv)
        for (char** e = environ; *e; ++e) vars.emplace_back(*e);
    for (const auto& [name, value] : run.env) {
        const std::string prefix = name + "=";
        std::erase_if(vars, [&prefix](const std::string& v) { return v.starts_with(prefix); });
        if (value) vars.push_back(prefix + *value);
    }
    return vars;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

namespace {

// Forks and execs the game; the child's pid, or -1.
pid_t StartChild(const std::filesystem::path& game, const GameRun& run) {
    const std::string binary = (game / (run.executable.empty() ? kGameExecutable : run.executable)).string();
    // Everything the child needs is made here: between fork and exec it only calls the system.
    std::vector<std::string> args = {binary};
    args.insert(args.end(), run.args.begin(), run.args.end());
    std::vector<std::string> env = ChildEnvironment(run);
    const std::vector<char*> argv = Pointers(args), envp = Pointers(env);
    const std::string workDir = run.workDir.string();
    int outFd = -1;
    if (!run.output.empty()) {
        outFd = ::open(run.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (outFd < 0) return -1;
    }

    const pid_t child = ::fork();
    if (child == 0) {
        if (outFd >= 0 && (::dup2(outFd, 1) < 0 || ::dup2(outFd, 2) < 0)) ::_exit(127);
        if (!workDir.empty() && ::chdir(workDir.c_str()) != 0) ::_exit(125);
        if (run.user &&
            (::setgroups(0, nullptr) != 0 || ::setgid(*run.user) != 0 || ::setuid(*run.user) != 0))
            ::_exit(126);
        ::execve(binary.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    if (outFd >= 0) ::close(outFd);
    return child < 0 ? -1 : child;
}

// Waits for the child (without blocking when `block` is false); true once it has ended.
bool Reap(pid_t child, int& status, bool block) {
    int raw = 0;
    pid_t waited;
    while ((waited = ::waitpid(child, &raw, block ? 0 : WNOHANG)) < 0 && errno == EINTR) {}
    if (waited == 0) return false;
    status = waited == child && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return true;
}

}  // namespace

int RunGame(const std::filesystem::path& game, const GameRun& run) {
    const pid_t child = StartChild(game, run);
    if (child < 0) return -1;
    int status = -1;
    Reap(child, status, true);
    return status;
}

GameProcess::GameProcess(const std::filesystem::path& game, const GameRun& run)
    : pid_(StartChild(game, run)) {}

GameProcess::~GameProcess() {
    if (pid_ > 0 && !ended_) Kill();
}

bool GameProcess::WaitForFile(const std::filesystem::path& folder, const std::string& name,
                              int limitSeconds) {
    if (pid_ <= 0 || ended_) return false;
    const int fd = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (fd < 0) return false;
    bool found = false;
    if (::inotify_add_watch(fd, folder.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) >= 0) {
        found = std::filesystem::exists(folder / name);
        // Once a second the game is asked whether it still runs; the file's event ends the wait.
        for (int idle = 0; !found && idle < limitSeconds;) {
            pollfd p{fd, POLLIN, 0};
            const int ready = ::poll(&p, 1, 1000);
            if (ready <= 0) {
                if (Reap(pid_, status_, false)) {
                    ended_ = true;
                    break;
                }
                ++idle;
                continue;
            }
            alignas(inotify_event) char buffer[4096];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            for (ssize_t at = 0; at < n;) {
                const auto* ev = reinterpret_cast<const inotify_event*>(buffer + at);
                if (ev->len > 0 && name == ev->name) found = true;
                at += static_cast<ssize_t>(sizeof(inotify_event) + ev->len);
            }
            idle = 0;
        }
    }
    ::close(fd);
    return found;
}

void GameProcess::Kill() {
    if (pid_ <= 0 || ended_) return;
    ::kill(pid_, SIGKILL);
    Reap(pid_, status_, true);
    ended_ = true;
}

int GameProcess::Wait() {
    if (pid_ <= 0) return -1;
    if (!ended_) Reap(pid_, status_, true);
    ended_ = true;
    return status_;
}

StagePlayerRun RunStagePlayer(const std::filesystem::path& game, const std::filesystem::path& stage,
                              const std::vector<std::string>& args) {
    GameRun run;
    run.executable = "quor-playstage";
    if (!stage.empty()) run.args.push_back(stage.string());
    run.args.push_back("--headless");
    run.args.insert(run.args.end(), args.begin(), args.end());
    run.workDir = game;
    run.output = game / "out.txt";
    run.env = {{"SDL_AUDIODRIVER", "dummy"}};
    StagePlayerRun result;
    result.status = RunGame(game, run);
    std::ifstream in(run.output, std::ios::binary);
    result.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    result.json = LastJsonLine(result.output);
    return result;
}

std::string LastJsonLine(const std::string& output) {
    std::string json, line;
    std::istringstream in(output);
    while (std::getline(in, line))
        if (!line.empty() && line[0] == '{') json = line;
    return json;
}

double JsonNumber(const std::string& json, const std::string& name) {
    const size_t at = json.find("\"" + name + "\":");
    return at == std::string::npos ? std::nan("") : std::atof(json.c_str() + at + name.size() + 3);
}

}  // namespace testsupport
