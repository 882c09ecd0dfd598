#pragma once
// Data tables and state files: UTF-8 text in tools/gen/tables -> CP932, encoded, in the game folder.
#include <string>
#include <vector>

namespace gen {

// Converts a UTF-8 text to CP932, encodes it as the game stores its files and writes it to the
// game-relative path (backslashes allowed). Prints a warning when the stored text is longer than
// the buffer (in characters) through which the game reads that file.
void WriteDataFile(const std::string& gameDir, const std::string& relPath, const std::string& utf8,
                   int bufferLimit, bool encode = true);

struct TableFile {
    std::string source;   // file in tables/
    std::string outPath;  // game-relative path, backslashes
    std::string text;     // UTF-8 text as stored (before conversion and encoding)
    bool encode = true;
    int buffer = 32768;         // the game reader's buffer, for the size warning
    int fields = 0, lines = 0;  // when set, the text must fit a table of that shape
};

// Reads one table file: "#@ name=value" lines at its top set path, encode, buffer and table;
// in .csv files every other line starting with '#' is a comment.
TableFile ReadTableFile(const std::string& path);
// Writes every table of the folder; returns the game-relative paths written.
std::vector<std::string> GenerateTables(const std::string& tablesDir, const std::string& gameDir);
// Creates the empty folders the game writes into.
std::vector<std::string> CreateGameFolders(const std::string& gameDir);

}  // namespace gen
