#include "foundation/EncodedFile.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "foundation/DateTime.h"
#include "foundation/Random.h"
#include "foundation/TextEncoding.h"
#include "platform/paths.h"

namespace fs = std::filesystem;

// ---- Game folder and paths ----------------------------------------------------------------

namespace {
std::optional<std::string> g_gameFolder;
// Whether the copy is installed, and its user data folder, once decided.
bool g_decided = false;
std::optional<std::string> g_userFolder;

// The game names its own files relative to the game folder with "\" between the folders
// ("data\shop_info.dat"); those become "/". A path that already holds a "/" (an absolute one, or
// one JoinGamePath made) is a Linux path and stays as it is: a "\" in it belongs to a file name.
std::string ToSlashes(const std::string& path) {
    if (path.find('/') != std::string::npos) return path;
    std::string p = path;
    for (char& c : p) {
        if (c == '\\') c = '/';
    }
    return p;
}

std::string JoinPath(std::string folder, const std::string& slashed) {
    if (folder.empty()) return slashed;
    if (folder.back() != '/') folder += '/';
    return folder + slashed;
}

bool IsAbsolute(const std::string& slashed) { return !slashed.empty() && slashed.front() == '/'; }

// The executable's folder when it holds the game's data (a portable copy, the build's game
// folder); otherwise the data folder an install put beside the executable's bin folder
// (QUOR_DATA_FROM_BIN, "../share/quorvald" by default) when that holds it.
std::string DefaultGameFolder() {
    std::string exe = plat::ExecutableDir();
    std::error_code ec;
    if (fs::is_directory(JoinPath(exe, "data"), ec)) return exe;
#ifdef QUOR_DATA_FROM_BIN
    const fs::path installed = (fs::path(exe) / QUOR_DATA_FROM_BIN).lexically_normal();
    if (fs::is_directory(installed / "data", ec)) return installed.string();
#endif
    return exe;
}

// The user data folder of an installed copy; nothing for a portable one.
const std::optional<std::string>& UserFolder() {
    if (!g_decided) {
        g_decided = true;
        g_userFolder.reset();
        if (!plat::IsFolderWritable(GetGameFolder())) {
            const std::string user = plat::UserDataDir();
            if (!user.empty()) g_userFolder = user;
        }
    }
    return g_userFolder;
}
}  // namespace

void SetGameFolder(const std::string& folder) {
    g_gameFolder = folder;
    g_decided = false;
}

void ResetGameFolder() {
    g_gameFolder.reset();
    g_decided = false;
}

std::string GetGameFolder() {
    if (!g_gameFolder) g_gameFolder = DefaultGameFolder();
    return *g_gameFolder;
}

std::string GetGamePath(const std::string& relativePath) {
    const std::string p = ToSlashes(relativePath);
    return IsAbsolute(p) ? p : JoinPath(GetGameFolder(), p);
}

std::string JoinGamePath(const std::string& folder, const std::string& fileName) {
    // The game's own form while it can say the path; a Linux path once the folder is one or the
    // name holds a "\".
    if (folder.find('/') == std::string::npos && fileName.find('\\') == std::string::npos) {
        return folder + "\\" + fileName;
    }
    return (folder.empty() ? std::string(".") : ToSlashes(folder)) + "/" + fileName;
}

std::string GamePathFileName(const std::string& path) {
    const size_t cut = path.find_last_of(path.find('/') != std::string::npos ? '/' : '\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void UseUserDataFolder(const std::string& folder) {
    g_decided = true;
    g_userFolder = folder;
}

bool IsInstalledCopy() { return UserFolder().has_value(); }

std::string GetWriteFolder() { return IsInstalledCopy() ? *UserFolder() : GetGameFolder(); }

std::string GetWritePath(const std::string& relativePath) {
    const std::string p = ToSlashes(relativePath);
    if (IsAbsolute(p) || !IsInstalledCopy()) return GetGamePath(p);
    std::string full = JoinPath(*UserFolder(), p);
    std::error_code ec;
    const fs::path parent = fs::path(full).parent_path();
    if (!parent.empty()) fs::create_directories(parent, ec);
    return full;
}

std::string GetReadPath(const std::string& relativePath) {
    const std::string p = ToSlashes(relativePath);
    if (IsAbsolute(p) || !IsInstalledCopy()) return GetGamePath(p);
    std::string mine = JoinPath(*UserFolder(), p);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(mine, ec))) return mine;
    return GetGamePath(p);
}

std::vector<std::string> GetReadFolders(const std::string& relativeFolder) {
    const std::string p = ToSlashes(relativeFolder);
    std::vector<std::string> folders;
    if (!IsAbsolute(p) && IsInstalledCopy()) folders.push_back(JoinPath(*UserFolder(), p));
    folders.push_back(GetGamePath(p));
    return folders;
}

bool IsTempFileName(const std::string& fileName) {
    const std::string_view suffix = kTempFileSuffix;
    return fileName.size() > suffix.size() && fileName.ends_with(suffix);
}

void RemoveLeftoverTempFiles() {
    std::error_code ec;
    fs::recursive_directory_iterator it(GetWriteFolder(), fs::directory_options::skip_permission_denied, ec);
    std::vector<fs::path> leftovers;
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code ec2;
        if (IsTempFileName(it->path().filename().string()) && it->is_regular_file(ec2) &&
            !it->is_symlink(ec2)) {
            leftovers.push_back(it->path());
        }
    }
    for (const fs::path& path : leftovers) fs::remove(path, ec);
}

// ---- Encoding -----------------------------------------------------------------------------

namespace {

const std::string& Key() {
    static const std::string key = "Wn4TzQ8cLm2RvK7d";
    return key;
}

// Symbol -> 4-bit value, -1 for a character outside the key.
struct SymbolTable {
    int value[256];
    SymbolTable() {
        for (int& v : value) v = -1;
        for (size_t i = 0; i < Key().size(); ++i)
            value[static_cast<unsigned char>(Key()[i])] = static_cast<int>(i);
    }
};

const SymbolTable& Symbols() {
    static const SymbolTable table;
    return table;
}

}  // namespace

const std::string& GetEncodingKey() { return Key(); }

std::string EncodeDataText(const std::string& plain) {
    const std::string& key = Key();
    const int k = RandomRange(0, 255) & 0xFF;
    std::string out;
    out.reserve(2 + plain.size() * 2);
    out += key[static_cast<size_t>(k / 16)];
    out += key[static_cast<size_t>(k % 16)];
    for (unsigned char c : plain) {
        const int b = (c + k) % 256;
        out += key[static_cast<size_t>(b / 16)];
        out += key[static_cast<size_t>(b % 16)];
    }
    return out;
}

std::optional<std::string> DecodeDataText(const std::string& encoded) {
    const size_t n = encoded.size();
    if (n < 2 || n % 2 != 0) return std::nullopt;
    const SymbolTable& sym = Symbols();
    auto at = [&](size_t i) { return sym.value[static_cast<unsigned char>(encoded[i])]; };
    const int h0 = at(0), l0 = at(1);
    if (h0 < 0 || l0 < 0) return std::nullopt;
    const int k = h0 * 16 + l0;
    std::string out;
    out.resize((n - 2) / 2);
    for (size_t i = 2, o = 0; i < n; i += 2, ++o) {
        const int h = at(i), l = at(i + 1);
        if (h < 0 || l < 0) return std::nullopt;
        out[o] = static_cast<char>(((h * 16 + l - k) % 256 + 256) % 256);
    }
    return out;
}

std::string EncodeFileText(const std::string& utf8) { return EncodeDataText(Utf8ToCp932(utf8)); }

std::optional<std::string> DecodeFileText(const std::string& stored) {
    std::optional<std::string> plain = DecodeDataText(stored);
    if (!plain || plain->find('\0') != std::string::npos) return std::nullopt;
    return Cp932ToUtf8(*plain);
}

// ---- Whole files --------------------------------------------------------------------------

bool ReadWholeFile(const std::string& fullPath, std::string& bytes) {
    std::error_code ec;
    if (!fs::is_regular_file(fullPath, ec)) return false;
    std::FILE* f = std::fopen(fullPath.c_str(), "rb");
    if (!f) return false;
    std::string data;
    char buf[65536];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof(buf), f)) > 0) data.append(buf, got);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) return false;
    bytes.swap(data);
    return true;
}

namespace {

std::atomic<unsigned long long> g_tempFileNumber{0};
std::string g_failingWritePath;

// A new temporary file in the folder of `fullPath`, opened for writing; its path goes to `tmp`.
// Null when none can be made. A name left by a killed process that had the same id is passed by.
std::FILE* OpenNewTempFile(const std::string& fullPath, std::string& tmp) {
    if (!g_failingWritePath.empty() &&
        fs::path(fullPath).lexically_normal() == fs::path(g_failingWritePath).lexically_normal())
        return nullptr;
    const std::string folder = fs::path(fullPath).parent_path().string();
    for (int attempt = 0; attempt < 100; ++attempt) {
        tmp = folder.empty() ? std::string() : folder + "/";
        tmp += ".qv";
        tmp += std::to_string(::getpid());
        tmp += '-';
        tmp += std::to_string(g_tempFileNumber++);
        tmp += kTempFileSuffix;
        // "x": created here or not at all, never another writer's file.
        if (std::FILE* f = std::fopen(tmp.c_str(), "wbx")) return f;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

}  // namespace

void FailWritesForTesting(const std::string& fullPath) { g_failingWritePath = fullPath; }

bool WriteFileAtomic(const std::string& fullPath, const std::string& bytes) {
    // Only a file is ever replaced: never a folder, a device or a pipe.
    std::error_code ec;
    const fs::file_status st = fs::status(fullPath, ec);
    if (fs::exists(st) && !fs::is_regular_file(st)) return false;
    std::string tmp;
    std::FILE* f = OpenNewTempFile(fullPath, tmp);
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    // On disk before the rename: a power cut then leaves the old file or the new one whole.
    ok = ok && ::fsync(::fileno(f)) == 0;
    ok = std::fclose(f) == 0 && ok;
    if (ok) ok = std::rename(tmp.c_str(), fullPath.c_str()) == 0;
    if (!ok) {
        std::remove(tmp.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder's entries.
    const std::string folder = fs::path(fullPath).parent_path().string();
    plat::SyncFolder(folder.empty() ? "." : folder);
    return true;
}

bool AppendToFile(const std::string& fullPath, const std::string& bytes) {
    std::FILE* f = std::fopen(fullPath.c_str(), "ab");
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

namespace {
// Text-mode reading: "\r\n" on disk arrives as "\n".
std::string FromTextMode(const std::string& raw) {
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        out += raw[i];
    }
    return out;
}
}  // namespace

ReadStatus ReadEncodedFile(const std::string& path, std::string& text, bool decode) {
    std::string raw;
    if (!ReadWholeFile(GetReadPath(path), raw)) return ReadStatus::CannotRead;
    raw = FromTextMode(raw);
    if (!decode) {
        text = Cp932ToUtf8(raw);
        return ReadStatus::Ok;
    }
    // A line end after the encoded text (a file touched by an editor) is not part of it.
    while (!raw.empty() && raw.back() == '\n') raw.pop_back();
    std::optional<std::string> utf8 = DecodeFileText(raw);
    if (!utf8) return ReadStatus::Malformed;
    text = std::move(*utf8);
    return ReadStatus::Ok;
}

bool WriteEncodedFile(const std::string& path, const std::string& text, bool append, bool encode) {
    const std::string cp932 = Utf8ToCp932(text);
    const std::string bytes = encode ? EncodeDataText(cp932) : cp932;
    const std::string full = GetWritePath(path);
    return append ? AppendToFile(full, bytes) : WriteFileAtomic(full, bytes);
}

// ---- Tests and folders --------------------------------------------------------------------

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(GetReadPath(path), ec);
}

bool DirExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(GetReadPath(path), ec);
}

bool CreateFolder(const std::string& path) {
    std::error_code ec;
    return fs::create_directory(GetWritePath(path), ec) && !ec;
}

std::string SetAsideDamagedFile(const std::string& path) {
    const std::string from = GetReadPath(path);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(from, ec))) return std::string();
    const CDateTime now;
    const std::string base = path + ".damaged-" + now.FormatDateCompact() + "-" + now.FormatTimeCompact();
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = n == 1 ? base : base + "-" + std::to_string(n);
        const std::string to = GetWritePath(aside);
        if (fs::exists(fs::symlink_status(to, ec))) continue;  // never over another file
        if (from == GetWritePath(path)) {
            fs::rename(from, to, ec);
            return ec ? std::string() : aside;
        }
        std::string bytes;
        return ReadWholeFile(from, bytes) && WriteFileAtomic(to, bytes) ? aside : std::string();
    }
    return std::string();
}

// ---- Comma-separated tables ---------------------------------------------------------------

namespace {

bool SplitLine(const std::string& line, std::vector<std::string>& table, int fields, int lines, long long l) {
    if (l >= lines) return false;
    long long f = 0;
    size_t start = 0;
    for (;;) {
        const size_t comma = line.find(',', start);
        const size_t end = comma == std::string::npos ? line.size() : comma;
        if (f >= fields) return false;
        table[static_cast<size_t>(f) * static_cast<size_t>(lines) + static_cast<size_t>(l)] =
            line.substr(start, end - start);
        if (comma == std::string::npos) return true;
        ++f;
        start = comma + 1;
    }
}

}  // namespace

bool ParseCsvText(const std::string& text, std::vector<std::string>& table, int fields, int lines) {
    if (fields < 1 || lines < 1) return false;
    const size_t cells = static_cast<size_t>(fields) * static_cast<size_t>(lines);
    if (table.size() < cells) table.resize(cells);
    std::string line;
    long long l = 0;
    for (char c : text) {
        if (c == '\0') break;
        if (c == '\r') continue;
        if (c == '\n') {
            if (!SplitLine(line, table, fields, lines, l)) return false;
            ++l;
            line.clear();
            continue;
        }
        line += c;
    }
    if (!line.empty() && !SplitLine(line, table, fields, lines, l)) return false;
    return true;
}
