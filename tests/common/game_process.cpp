#include "tests/common/game_process.h"

#include <fcntl.h>
#include <grp.h>
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

int RunGame(const std::filesystem::path& game, const GameRun& run) {
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
    if (child < 0) return -1;
    int status = 0;
    pid_t waited;
    while ((waited = ::waitpid(child, &status, 0)) < 0 && errno == EINTR) {}
    if (waited != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
