#pragma once
// Temporary folders for tests, fuzz targets and benchmarks. Every folder is made fresh by mkdtemp
// under the system's temporary folder, so two runs of the same program at once (even with equal
// process ids in two containers) never share one, and it is removed with all it holds at the end.
#include <filesystem>
#include <string>

namespace testsupport {

class TempFolder {
  public:
    // `tag` starts the folder's name, so a left-over folder tells who made it.
    explicit TempFolder(const std::string& tag = "quor");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path Full(const std::string& rel) const { return path_ / rel; }

    void MakeDir(const std::string& rel) const;
    // Writes bytes as they stand (no encoding, no conversion), making the folders on the way.
    void WriteRaw(const std::string& rel, const std::string& bytes) const;
    std::string ReadRaw(const std::string& rel) const;

  private:
    std::filesystem::path path_;
};

// A temporary folder the file layer takes as the game folder while it lives.
class TempGameFolder : public TempFolder {
  public:
    explicit TempGameFolder(const std::string& tag = "quor-game");
    ~TempGameFolder();

    // Writes a UTF-8 text as the game stores its data files.
    void WriteEncoded(const std::string& rel, const std::string& utf8) const;
    // Makes `rel` a file that exists but cannot be read.
    void MakeUnreadable(const std::string& rel) const;
    // The player's file "network\client_info.dat" with a creator id and name (empty: not
    // registered) and nothing bought; the client info read before is dropped.
    void WriteClientInfo(const std::string& creatorId, const std::string& creatorName) const;
};

// The game executable's file name in a game folder.
inline constexpr char kGameExecutable[] = "quorvald";
// The game folder this build made: the executable beside its generated data and media.
std::filesystem::path BuiltGameFolder();
// True when the built game folder holds the executable and the generated data.
bool BuiltGameIsComplete();
// Stops the game's clock at one moment (2010/11/21 09:30:05) for the rest of the process: a fuzz
// run then takes the same way through dates and the names made of them, whenever it runs.
void StopTheClock();
// Gives `game` the built game's stage object kinds ("data\stage_objects.dat"), all the stage
// reader needs of the game's data; returns the text of a built sample stage (UTF-8), or empty
// when the build has none.
std::string PrepareStageReading(const TempGameFolder& game, const std::string& sample = "sample01.stg");
// Copies the built game folder into `to` (made when missing), leaving out what a game run by hand
// from the build folder wrote there: log, screenshots, player state, player stages, the lock. The
// stage player in the copy is the one QUOR_STAGE_PLAYER names when it is set, else, in a build
// whose tests read another build's game folder, that build's own.
void CopyBuiltGame(const std::filesystem::path& to);
// Gives the game folder `to` the built game's pictures: the image index copied and the picture
// folders linked (not copied: they are only read). False when the game is not built.
bool LinkBuiltPictures(const std::filesystem::path& to);
// Gives the game folder `to` the built game's names and descriptions of map chips and stage
// objects, which the editor and its pallets show. False when they are not built.
bool CopyBuiltEditorTables(const std::filesystem::path& to);

}  // namespace testsupport
