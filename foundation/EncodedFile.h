#pragma once
// The one layer through which the game's files are read and written.
//
// Every path the game names is relative to the game folder and may use "\" as separator
// ("data\shop_info.dat"); it becomes "/" here. A path that holds a "/" (an absolute path, a file
// the player named) is a Linux path and is used as it is, so a "\" in a Linux file name stays
// part of the name. Tests and tools point the game folder elsewhere with SetGameFolder.
//
// A game folder the game can write to is a portable copy: every file is read from and written to
// it. One it cannot write to is an installed copy: the files the game writes (state, logs,
// stages, screenshots, the single-instance lock) go to the user data folder
// ("$XDG_DATA_HOME/quorvald", "~/.local/share/quorvald" by default) under the same relative
// paths, and every read looks there first, then in the game folder. GetWritePath and GetReadPath
// are the one place that decides; every reader and writer goes through them.
//
// Files on disk are CP932 (Shift_JIS); text inside the game is UTF-8. Data and state files are
// stored through the game's own 16-symbol text encoding (EncodeDataText). Every whole-file write
// goes to a temporary file that is flushed to disk and renamed into place, so a crash, a power
// cut or a full disk never leaves a half-written file; only the log is appended.
#include <optional>
#include <string>
#include <vector>

// ---- Game folder and paths ----------------------------------------------------------------

// The folder the game's relative paths start from. Defaults to the executable's folder when that
// holds the game's "data" folder (a portable copy), else to the data folder of an install beside
// the executable's bin folder ("<prefix>/share/quorvald" for "<prefix>/bin/quorvald") when that
// holds it, else the executable's folder. Setting it decides again whether the copy is portable
// or installed.
void SetGameFolder(const std::string& folder);
// Back to the default above.
void ResetGameFolder();
std::string GetGameFolder();
// The full path of a path relative to the game folder, "\" turned into "/". An absolute path
// ("/...") is used as it is.
std::string GetGamePath(const std::string& relativePath);
// The path of a file (a name found on disk or given by the player) in a folder: folder + "\" +
// name, or, when the name holds a "\" or the folder a "/", the Linux path folder + "/" + name, so
// that the name reaches the disk whole.
std::string JoinGamePath(const std::string& folder, const std::string& fileName);
// The file name at the end of a path: after the last "/" of a Linux path (one that holds a "/"),
// after the last "\" of one of the game's own.
std::string GamePathFileName(const std::string& path);

// Makes the copy an installed one that writes to `folder` whatever the game folder allows
// (tests); SetGameFolder and ResetGameFolder go back to probing.
void UseUserDataFolder(const std::string& folder);
// True when the game folder cannot be written to and the user data folder takes the writes.
bool IsInstalledCopy();
// The folder the game writes to: the game folder, or the user data folder of an installed copy.
std::string GetWriteFolder();
// The full path to write a game-relative path to. In an installed copy the missing folders on
// the way are created in the user data folder. An absolute path is used as it is.
std::string GetWritePath(const std::string& relativePath);
// The full path to read a game-relative path from: in an installed copy the user data folder's
// entry when it exists there, else the game folder's. An absolute path is used as it is.
std::string GetReadPath(const std::string& relativePath);
// Every folder a game-relative folder is read from, the one read first first.
std::vector<std::string> GetReadFolders(const std::string& relativeFolder);

// A whole-file write goes first to a temporary file of its own in the target's folder:
// "." + "qv" + process id + "-" + a number counted per process + kTempFileSuffix
// (".qv4711-3.quorvald-partial"). The name is short whatever the target's length, and no two
// writes share it, not even two processes or threads writing the same file at once.
inline constexpr const char kTempFileSuffix[] = ".quorvald-partial";
// True for the name (no folder) of such a temporary file, or of one an older version made
// (target name + kTempFileSuffix): what is left of a killed save, never a file of the game.
// Everything that lists a folder skips these.
bool IsTempFileName(const std::string& fileName);
// Removes the temporary files that a save killed half-way left in the write folder and the
// folders below it (files whose names IsTempFileName takes, nothing else). Run once at start,
// while this copy holds the single-instance lock, before the state files are read.
void RemoveLeftoverTempFiles();

// ---- Encoding -----------------------------------------------------------------------------

// The 16-character key: the symbol for the 4-bit value i is key[i].
const std::string& GetEncodingKey();

// Encodes bytes: two symbols for a random offset k (0..255), then two symbols per byte
// ((byte + k) mod 256, high 4 bits first). Every call draws a new k from RandomRange.
std::string EncodeDataText(const std::string& plain);
// The bytes of an encoded text, or nothing when the text is not one: fewer than two symbols,
// an odd count of symbols, or a symbol outside the key.
std::optional<std::string> DecodeDataText(const std::string& encoded);

// The whole stored form of a UTF-8 text: converted to CP932, then encoded.
std::string EncodeFileText(const std::string& utf8);
// The reverse: decoded, then converted from CP932 to UTF-8; nothing when not an encoded text
// or when the decoded text holds a zero byte.
std::optional<std::string> DecodeFileText(const std::string& stored);

// ---- Whole files --------------------------------------------------------------------------

enum class ReadStatus {
    Ok,          // read whole (and decoded)
    CannotRead,  // missing, a folder, or unreadable: the caller's "を開けません。" error
    Malformed,  // read, but not an encoded text: the caller's "が不正です。" / "壊れています" error
};

// Reads a whole file (found by GetReadPath) into `text` (UTF-8). "\r\n" on disk reads as
// "\n". With `decode` the stored text is decoded (line ends at its very end are ignored) and
// converted from CP932; without, it is only converted. Never cut at any size. `text` is left
// untouched unless the result is Ok.
ReadStatus ReadEncodedFile(const std::string& path, std::string& text, bool decode = true);

// Writes a UTF-8 text to a file (at GetWritePath), converted to CP932 and, with
// `encode`, encoded. Without `append` the file is replaced atomically (temporary file renamed
// into place); with `append` the text is added to the end (the log). False on any failure; a
// failed replace leaves the old file as it was.
bool WriteEncodedFile(const std::string& path, const std::string& text, bool append = false,
                      bool encode = true);

// Byte-level helpers on full paths (no game folder, no conversion), shared by every layer
// that writes files.
// Reads a whole file; false when it cannot be read (then `bytes` is untouched).
bool ReadWholeFile(const std::string& fullPath, std::string& bytes);
// Writes `bytes` to a new temporary file in fullPath's folder (see kTempFileSuffix), flushes it to
// disk and closes it, renames it over fullPath and flushes the folder, so that after a power cut
// either the old or the new file stands, and writers of the same file at once each leave one
// whole version. False (and the temporary file removed, the old file untouched) on any failure,
// and when fullPath names something other than a file.
bool WriteFileAtomic(const std::string& fullPath, const std::string& bytes);
// Tests: every WriteFileAtomic to `fullPath` fails from now on as on a full disk (its temporary
// file cannot be made), until another path is given; an empty path ends it.
void FailWritesForTesting(const std::string& fullPath);
// Appends `bytes` to fullPath, creating it when missing. False on failure.
bool AppendToFile(const std::string& fullPath, const std::string& bytes);

// ---- Tests and folders (paths relative to the game folder) ----------------------------------

// True when the path (as GetReadPath finds it) names an existing file that is not a folder.
bool FileExists(const std::string& path);
// True when the path (as GetReadPath finds it) names an existing folder.
bool DirExists(const std::string& path);
// Creates one folder where the game writes; false when it exists already there or its parent
// is missing (an installed copy creates the parents in the user data folder).
bool CreateFolder(const std::string& path);

// Puts a damaged file out of the game's way without losing it: it is renamed, in the folder
// where the game writes it, to its own name + ".damaged-" + the date and time
// ("network\history.dat.damaged-20240607-093005", then "-2", "-3"... should that name be taken).
// A file found only in the game folder of an installed copy is copied there instead. Nothing is
// overwritten or deleted. The new path (relative, with "\"), or empty when it could not be done.
std::string SetAsideDamagedFile(const std::string& path);

// ---- Comma-separated tables ---------------------------------------------------------------

// Splits a text into lines ("\n"; "\r" dropped; scanning stops at a zero byte) and each line
// into fields (","; no quoting, no trimming) into a table of `fields` x `lines` cells laid out
// field by field: cell (f, l) is table[f * lines + l]. The table is enlarged to fields x lines
// cells when smaller; cells no line reaches keep what they held. The whole text is read.
// False when fields or lines is below 1, or a line does not fit (a line index >= lines, a field
// index >= fields); cells filled before the failure stay filled.
bool ParseCsvText(const std::string& text, std::vector<std::string>& table, int fields, int lines);

// Cell (f, l) of a table laid out as ParseCsvText fills it.
inline std::string& CsvCell(std::vector<std::string>& table, int lines, int field, int line) {
    return table[static_cast<size_t>(field) * static_cast<size_t>(lines) + static_cast<size_t>(line)];
}
