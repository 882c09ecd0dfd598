#include "tests/common/read_only_place.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "tests/common/game_process.h"

namespace fs = std::filesystem;

namespace testsupport {

namespace {
// The unprivileged user ("nobody") the programs run as under root.
constexpr uid_t kRunner = 65534;
}  // namespace

ReadOnlyPlace::ReadOnlyPlace(const std::string& tag) : asRoot_(::geteuid() == 0), folder_(tag) {
    // The runner must reach what lies inside.
    fs::permissions(Root(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
    fs::create_directories(DataHome());
    fs::create_directories(Home());
    GiveToRunner(DataHome());
    GiveToRunner(Home());
}

ReadOnlyPlace::~ReadOnlyPlace() {
    std::error_code ec;
    for (const fs::path& folder : locked_) {
        fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add, ec);
        for (auto it = fs::recursive_directory_iterator(folder, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            if (it->is_directory(ec))
                fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
    }
}

void ReadOnlyPlace::GiveToRunner(const fs::path& path) const {
    if (asRoot_ && ::chown(path.c_str(), kRunner, kRunner) != 0)
        throw std::runtime_error("cannot give " + path.string() + " to the test's user");
}

void ReadOnlyPlace::Lock(const fs::path& folder) {
    const fs::perms w = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    locked_.push_back(folder);
    std::vector<fs::path> all = {folder};
    for (const auto& e : fs::recursive_directory_iterator(folder))
        if (!e.is_symlink()) all.push_back(e.path());
    for (const fs::path& path : all) fs::permissions(path, w, fs::perm_options::remove);
}

int ReadOnlyPlace::Run(const fs::path& dir, const std::string& exe, const std::vector<std::string>& args,
                       std::string& output) const {
    GameRun run;
    run.executable = exe;
    run.args = args;
    run.emptyEnv = true;
    run.env = {{"XDG_DATA_HOME", DataHome().string()},
               {"HOME", Home().string()},
               {"PATH", "/usr/bin:/bin"},
               {"SDL_AUDIODRIVER", "dummy"}};
    run.workDir = Root();
    run.output = Root() / "output.txt";
    if (asRoot_) run.user = kRunner;
    const int status = RunGame(dir, run);
    std::ifstream in(run.output, std::ios::binary);
    output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return status;
}

std::string ListTree(const fs::path& folder) {
    std::vector<std::string> lines;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        std::string line = fs::relative(e.path(), folder).generic_string();
        if (e.is_regular_file() && !e.is_symlink())
            line += " " + std::to_string(e.file_size()) + " " +
                    std::to_string(e.last_write_time().time_since_epoch().count());
        lines.push_back(line);
    }
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

}  // namespace testsupport
