#pragma once
// Shared pieces of the content generator: manifest lines, parameters, colours, file output.
#include <cstdint>
#include <map>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace gen {

inline constexpr double kPi = std::numbers::pi;

// A manifest mistake or an output failure; the message names the file and line.
struct GenError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// One manifest line: a word, positional values and name=value parameters.
// Quoted values ("...") may hold blanks; a '#' outside quotes starts a comment.
struct Line {
    std::string where;  // "file:line" for messages
    std::string word;
    std::vector<std::string> args;
    std::map<std::string, std::string> params;

    bool Has(const std::string& name) const { return params.count(name) != 0; }
    std::string Str(const std::string& name, const std::string& fallback = "") const;
    double Num(const std::string& name, double fallback) const;
    int Int(const std::string& name, int fallback) const;
    uint32_t Color(const std::string& name, uint32_t fallback) const;
    double ArgNum(size_t i) const;
    int ArgInt(size_t i) const { return static_cast<int>(ArgNum(i)); }
    [[noreturn]] void Fail(const std::string& message) const;
};

// Splits one text line; returns false for blank and comment-only lines.
bool ParseLine(const std::string& text, const std::string& where, Line& out);
// Reads a manifest file into its lines (blank and comment lines dropped).
std::vector<Line> ReadManifest(const std::string& path);

// Colours are 0xRRGGBB. "key" is the transparent colour (pure green), "none" is kNoColor.
constexpr uint32_t kKeyColor = 0x00FF00;
constexpr uint32_t kNoColor = 0xFFFFFFFFu;
bool ParseColor(const std::string& text, uint32_t& out);
uint32_t Mix(uint32_t a, uint32_t b, double t);  // t = 0 gives a, 1 gives b
uint32_t Shade(uint32_t c, double factor);       // factor > 1 lightens, < 1 darkens

// Little-endian numbers appended to a file image (BMP and WAV headers).
inline void Put16(std::string& s, uint16_t v) {
    s.push_back(char(v & 0xFF));
    s.push_back(char(v >> 8));
}
inline void Put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s.push_back(char((v >> (8 * i)) & 0xFF));
}

std::string ReadTextFile(const std::string& path);
// Writes through a temporary file renamed into place; creates missing folders.
void WriteFileAtomic(const std::string& path, const std::string& bytes);
// "a\b\c.bmp" -> "a/b/c.bmp"
std::string ToSlashes(std::string path);
std::string JoinPath(const std::string& dir, const std::string& rel);
std::vector<std::string> ListFiles(const std::string& dir, const std::string& extension);
// Stable 64-bit hash for caches and seeds.
uint64_t Hash64(const std::string& text, uint64_t seed = 1469598103934665603ull);

}  // namespace gen
