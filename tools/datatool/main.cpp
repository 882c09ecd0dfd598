// quor-datatool: the game's data files by hand.
//
//   quor-datatool decode <in.dat> <out.txt> [--utf8]
//       Decodes a stored data or state file. The output is the plain CP932 text the game
//       holds, or UTF-8 with --utf8.
//   quor-datatool encode <in.txt> <out.dat> [--from-utf8]
//       Encodes a plain CP932 text (UTF-8 with --from-utf8) the way the game stores it.
//
// Exit status: 0 done, 1 the input is not an encoded text, 2 wrong arguments, 3 a file that
// cannot be read or written.
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/Helpers.h"
#include "foundation/TextEncoding.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: quor-datatool decode <in.dat> <out.txt> [--utf8]\n"
                 "       quor-datatool encode <in.txt> <out.dat> [--from-utf8]\n");
    return 2;
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
        } else if (a.size() > 1 && a[0] == '-') {
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
    if (!ReadWholeFile(in, bytes)) {
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
        SeedRandom(static_cast<uint32_t>(
            std::chrono::steady_clock::now().time_since_epoch().count() ^
            std::chrono::system_clock::now().time_since_epoch().count()));
        result = EncodeDataText(utf8 ? Utf8ToCp932(bytes) : bytes);
    } else {
        return Usage();
    }

    if (!WriteFileAtomic(out, result)) {
        std::fprintf(stderr, "quor-datatool: cannot write %s\n", out.c_str());
        return 3;
    }
    return 0;
}
