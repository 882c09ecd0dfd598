// quor-datatool: the game's data files by hand.
//
//   quor-datatool decode <in.dat> <out.txt> [--utf8]
//       Decodes a stored data or state file. The output is the plain CP932 text the game
//       holds, or UTF-8 with --utf8.
//   quor-datatool encode <in.txt> <out.dat> [--from-utf8]
//       Encodes a plain CP932 text (UTF-8 with --from-utf8) the way the game stores it.
//
// "-" reads standard input or writes standard output. A file is replaced through a temporary
// file; a device or pipe is written directly.
//
// Exit status: 0 done, 1 the input is not an encoded text, 2 wrong arguments, 3 a file that
// cannot be read or written.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/Random.h"
#include "foundation/TextEncoding.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: quor-datatool decode <in.dat> <out.txt> [--utf8]\n"
                 "       quor-datatool encode <in.txt> <out.dat> [--from-utf8]\n");
    return 2;
}

bool ReadInput(const std::string& path, std::string& bytes) {
    if (path != "-") return ReadWholeFile(path, bytes);
    char buf[65536];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof(buf), stdin)) > 0) bytes.append(buf, got);
    return std::ferror(stdin) == 0;
}

bool WriteOutput(const std::string& path, const std::string& bytes) {
    std::FILE* f = nullptr;
    if (path == "-") {
        f = stdout;
    } else {
        std::error_code ec;
        const auto st = std::filesystem::status(path, ec);
        if (!std::filesystem::exists(st) || std::filesystem::is_regular_file(st)) {
            return WriteFileAtomic(path, bytes);
        }
        if (std::filesystem::is_directory(st)) return false;
        f = std::fopen(path.c_str(), "wb");
        if (!f) return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    if (f != stdout) ok = std::fclose(f) == 0 && ok;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string flag;
    std::vector<std::string> positional;
    for (const std::string& a : args) {
        if (a == "--utf8" || a == "--from-utf8") {
            if (!flag.empty()) return Usage();
            flag = a;
        } else if (a.size() > 1 && a[0] == '-') {  // "-" alone is standard input or output
            return Usage();
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 3) return Usage();
    const std::string& command = positional[0];
    const std::string& in = positional[1];
    const std::string& out = positional[2];
    if ((command == "decode" && flag == "--from-utf8") || (command == "encode" && flag == "--utf8")) {
        return Usage();
    }
    const bool utf8 = !flag.empty();

    std::string bytes;
    if (!ReadInput(in, bytes)) {
        std::fprintf(stderr, "quor-datatool: cannot read %s\n", in.c_str());
        return 3;
    }

    std::string result;
    if (command == "decode") {
        // The game reads in text mode: line ends after the encoded text are not part of it.
        while (!bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.pop_back();
        std::optional<std::string> plain = DecodeDataText(bytes);
        if (!plain) {
            std::fprintf(stderr, "quor-datatool: %s is not an encoded text\n", in.c_str());
            return 1;
        }
        result = utf8 ? Cp932ToUtf8(*plain) : *plain;
    } else if (command == "encode") {
        SeedRandom(static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count() ^
                                         std::chrono::system_clock::now().time_since_epoch().count()));
        result = EncodeDataText(utf8 ? Utf8ToCp932(bytes) : bytes);
    } else {
        return Usage();
    }

    if (!WriteOutput(out, result)) {
        std::fprintf(stderr, "quor-datatool: cannot write %s\n", out.c_str());
        return 3;
    }
    return 0;
}
