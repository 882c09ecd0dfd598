#include "foundation/TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>

namespace {

// Converts with iconv; on an unconvertible or invalid sequence writes `bad` and skips one
// input character (one UTF-8 sequence or one CP932 character).
std::string Convert(const char* to, const char* from, const std::string& in, const std::string& bad,
                    bool fromUtf8) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return in;
    std::string out;
    out.reserve(in.size() * 2 + 4);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof(buf);
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: replace one character and go on.
            size_t skip = 1;
            unsigned char c = static_cast<unsigned char>(*src);
            if (fromUtf8) {
                if (c >= 0xF0) skip = 4;
                else if (c >= 0xE0) skip = 3;
                else if (c >= 0xC0) skip = 2;
            } else if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
                skip = 2;
            }
            if (skip > srcLeft) skip = srcLeft;
            src += skip;
            srcLeft -= skip;
            out += bad;
        }
    }
    char* dst = buf;
    size_t dstLeft = sizeof(buf);
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf, static_cast<size_t>(dst - buf));
    iconv_close(cd);
    return out;
}

}  // namespace

std::string Utf8ToCp932(const std::string& utf8) {
    return Convert("CP932", "UTF-8", utf8, "?", true);
}

std::string Cp932ToUtf8(const std::string& cp932) {
    return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD", false);
}

size_t Cp932Length(const std::string& utf8) {
    // ASCII needs no conversion; everything else is measured by converting.
    bool ascii = true;
    for (unsigned char c : utf8) {
        if (c >= 0x80) { ascii = false; break; }
    }
    return ascii ? utf8.size() : Utf8ToCp932(utf8).size();
}

bool Cp932ConversionWorks() {
    // "日本" in CP932 is 93 FA 96 7B.
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    iconv_close(cd);
    return Utf8ToCp932("\xE6\x97\xA5\xE6\x9C\xAC") == "\x93\xFA\x96\x7B";
}
