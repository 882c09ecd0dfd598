#include "tests/common/temp_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "foundation/ClientInfo.h"
#include "foundation/DateTime.h"
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

void TempGameFolder::WriteClientInfo(const std::string& creatorId, const std::string& creatorName) const {
    WriteEncoded("network/client_info.dat",
                 "<clientInfo><network><createrId>" + creatorId + "</createrId><createrName>" + creatorName +
                     "</createrName></network><boughtItems></boughtItems></clientInfo>");
    CClientInfo::DeleteInstance();
}

std::filesystem::path BuiltGameFolder() { return QUOR_GAME_DIR; }

std::string PrepareStageReading(const TempGameFolder& game, const std::string& sample) {
    game.MakeDir("data");
    std::filesystem::copy_file(BuiltGameFolder() / "data" / "stage_objects.dat",
                               game.Full("data/stage_objects.dat"),
                               std::filesystem::copy_options::overwrite_existing);
    std::string stage;
    if (ReadEncodedFile((BuiltGameFolder() / "stage" / "sample" / sample).string(), stage) != ReadStatus::Ok)
        return {};
    return stage;
}

bool BuiltGameIsComplete() {
    const std::filesystem::path game = BuiltGameFolder();
    return std::filesystem::exists(game / kGameExecutable) &&
           std::filesystem::exists(game / "data/bmp_index.dat");
}

void StopTheClock() { CDateTime::SetNowForTesting(SystemTime{2010, 11, 0, 21, 9, 30, 5, 0}); }

void CopyBuiltGame(const std::filesystem::path& to) {
    namespace fs = std::filesystem;
    // What the game writes while it runs is the player's, not the build's: a game started by hand
    // from the build folder must not change what the tests start from.
    const fs::path from = BuiltGameFolder();
    auto written = [](const fs::path& rel) {
        const std::string top = rel.begin()->string();
        const std::string path = rel.generic_string();
        const bool initialState = path.ends_with("_init.dat");  // shipped defaults beside the state
        return top == "log" || top == "screenshots" || (top == "network" && !initialState) ||
               path == "data/scenario_save.dat" || path.starts_with("stage/original/") ||
               path.starts_with("stage/downloaded/") || path.ends_with(":ElMutex.lock") ||
               path.ends_with(".quorvald-partial");
    };
    fs::create_directories(to);
    for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path rel = fs::relative(it->path(), from);
        const std::string top = rel.begin()->string();
        if (top == "log" || top == "screenshots") {
            it.disable_recursion_pending();  // made by the game when it first writes there
        } else if (it->is_directory()) {
            fs::create_directories(to / rel);
        } else if (!written(rel)) {
            fs::copy_file(it->path(), to / rel, fs::copy_options::overwrite_existing);
        }
    }
    // The stage player the copy runs: the one QUOR_STAGE_PLAYER names (CI replays the routes with
    // another compiler's build of play too), else, in a build of the tests that reads another
    // build's game folder (the sanitizer build), its own, so that the replays run play as this
    // build compiled it.
    fs::path player = fs::path(QUOR_OWN_GAME_DIR) / "quor-playstage";
    std::error_code ec;
    const char* named = std::getenv("QUOR_STAGE_PLAYER");
    if (named != nullptr && *named != '\0') {
        player = named;
        if (!fs::exists(player))
            throw std::runtime_error("QUOR_STAGE_PLAYER names no file: " + player.string());
    } else if (fs::equivalent(QUOR_OWN_GAME_DIR, from, ec) || !fs::exists(player)) {
        return;
    }
    fs::copy_file(player, to / "quor-playstage", fs::copy_options::overwrite_existing);
}

bool LinkBuiltPictures(const std::filesystem::path& to) {
    namespace fs = std::filesystem;
    const fs::path from = BuiltGameFolder();
    if (!fs::exists(from / "data/bmp_index.dat")) return false;
    std::error_code ec;
    fs::create_directories(to / "data", ec);
    fs::copy_file(from / "data/bmp_index.dat", to / "data/bmp_index.dat",
                  fs::copy_options::overwrite_existing, ec);
    if (ec) return false;
    for (const char* folder : {"system", "map", "bg", "char", "object", "effect", "editer"}) {
        if (!fs::exists(to / folder)) fs::create_directory_symlink(from / folder, to / folder, ec);
    }
    return true;
}

bool CopyBuiltEditorTables(const std::filesystem::path& to) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(to / "data", ec);
    for (const char* table : {"stage_objects.dat", "mapchip_info.dat"}) {
        fs::copy_file(BuiltGameFolder() / "data" / table, to / "data" / table,
                      fs::copy_options::overwrite_existing, ec);
        if (ec) return false;
    }
    return true;
}

}  // namespace testsupport
