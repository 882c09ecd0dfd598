#pragma once
// A place to run the game the way an installed copy runs: the folders it reads from cannot be
// written, and the player's data home ($XDG_DATA_HOME) and home are folders of their own. Root
// ignores permission bits, so under root the programs run as an unprivileged user who owns only
// the data home and the home.
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/temp_folder.h"

namespace testsupport {

class ReadOnlyPlace {
  public:
    // A unique temporary folder holding "xdg" and "home"; put the copy under Root().
    explicit ReadOnlyPlace(const std::string& tag);
    // Writable again, so that everything can be removed.
    ~ReadOnlyPlace();
    ReadOnlyPlace(const ReadOnlyPlace&) = delete;
    ReadOnlyPlace& operator=(const ReadOnlyPlace&) = delete;

    const std::filesystem::path& Root() const { return folder_.Path(); }
    std::filesystem::path DataHome() const { return Root() / "xdg"; }
    std::filesystem::path Home() const { return Root() / "home"; }
    // True when the programs run as another user (this process is root).
    bool AsOtherUser() const { return asRoot_; }
    // Gives a folder made here, or a file in it, to the user the programs run as.
    void GiveToRunner(const std::filesystem::path& path) const;

    // Takes write permission away from `folder` and everything below it.
    void Lock(const std::filesystem::path& folder);

    // Runs the program `exe` of the folder `dir` with `args`, started in Root(), with nothing of
    // this process's environment but the data home, the home, PATH and the silent audio driver.
    // Its exit status (-1: it did not exit by itself); everything it printed goes to `output`.
    int Run(const std::filesystem::path& dir, const std::string& exe, const std::vector<std::string>& args,
            std::string& output) const;

  private:
    const bool asRoot_;
    TempFolder folder_;
    std::vector<std::filesystem::path> locked_;
};

// Every path below `folder` with its size and modification time, one line each, sorted: two
// listings differ when anything below was made, removed or written.
std::string ListTree(const std::filesystem::path& folder);

}  // namespace testsupport
