#include "tests/common/temp_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "foundation/EncodedFile.h"

namespace testsupport {

TempFolder::TempFolder(const std::string& tag) {
    std::string pattern = (std::filesystem::temp_directory_path() / (tag + "-XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data())) {
        throw std::runtime_error("cannot make a temporary folder from " + pattern + ": " +
                                 std::strerror(errno));
    }
    path_ = name.data();
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempFolder::MakeDir(const std::string& rel) const { std::filesystem::create_directories(path_ / rel); }

void TempFolder::WriteRaw(const std::string& rel, const std::string& bytes) const {
    std::filesystem::create_directories((path_ / rel).parent_path());
    std::ofstream f(path_ / rel, std::ios::binary | std::ios::trunc);
    f << bytes;
}

std::string TempFolder::ReadRaw(const std::string& rel) const {
    std::ifstream f(path_ / rel, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

TempGameFolder::TempGameFolder(const std::string& tag) : TempFolder(tag) { SetGameFolder(Path().string()); }

TempGameFolder::~TempGameFolder() { ResetGameFolder(); }

void TempGameFolder::WriteEncoded(const std::string& rel, const std::string& utf8) const {
    WriteRaw(rel, EncodeFileText(utf8));
}

void TempGameFolder::MakeUnreadable(const std::string& rel) const {
    std::filesystem::create_directories(Full(rel).parent_path());
    // Reading this memory file from its start fails even for root.
    std::filesystem::create_symlink("/proc/self/mem", Full(rel));
}

std::filesystem::path BuiltGameFolder() { return QUOR_GAME_DIR; }

bool BuiltGameIsComplete() {
    const std::filesystem::path game = BuiltGameFolder();
    return std::filesystem::exists(game / kGameExecutable) &&
           std::filesystem::exists(game / "data/bmp_index.dat");
}

void CopyBuiltGame(const std::filesystem::path& to) {
    std::filesystem::create_directories(to);
    for (const auto& entry : std::filesystem::directory_iterator(BuiltGameFolder())) {
        const std::string name = entry.path().filename().string();
        // The lock is named after the window title: "<title>:ElMutex.lock".
        if (name == "log" || name == "screenshots" || name.ends_with(":ElMutex.lock")) continue;
        std::filesystem::copy(entry.path(), to / name, std::filesystem::copy_options::recursive);
    }
}

}  // namespace testsupport
