#include "foundation/TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace {

// iconv_open reports failure as (iconv_t)-1.
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)

// One converter per direction and thread, opened on first use and kept: opening one costs more
// than converting a short text. Both encodings are stateless, so a kept converter needs no reset
// between texts.
struct Converter {
    const char* to;
    const char* from;
    iconv_t cd = kNoConverter;
    Converter(const char* t, const char* f) : to(t), from(f) {}
    ~Converter() {
        if (cd != kNoConverter) iconv_close(cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t Get() {
        if (cd == kNoConverter) cd = iconv_open(to, from);
        return cd;
    }
};

Converter& ToCp932() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

Converter& ToUtf8() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

// The end of the run of ASCII bytes (below 0x80) that starts at `i`, eight bytes at a time.
size_t AsciiRunEnd(const char* s, size_t i, size_t n) {
    while (i + 8 <= n) {
        uint64_t w;
        std::memcpy(&w, s + i, 8);
        if (w & 0x8080808080808080ull) break;
        i += 8;
    }
    while (i < n && static_cast<unsigned char>(s[i]) < 0x80) ++i;
    return i;
}

// The bytes one character takes from its first byte: what a successful conversion consumes and
// what is skipped over when it fails. CP932 lead bytes take their next byte along, whatever it is.
size_t CharLength(unsigned char c, bool fromUtf8) {
    if (fromUtf8) {
        if (c >= 0xF0) return 4;
        if (c >= 0xE0) return 3;
        if (c >= 0xC0) return 2;
        return 1;
    }
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC) ? 2 : 1;
}

// Converts [src, src + srcLeft) with iconv, appending to `out`; on an unconvertible or invalid
// sequence appends `bad` and skips one input character.
void ConvertSpan(iconv_t cd, const char* in, size_t srcLeft, const char* bad, bool fromUtf8,
                 std::string& out) {
    char* src = const_cast<char*>(in);
    char buf[1024];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof(buf);
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: replace one character and go on.
            size_t skip = CharLength(static_cast<unsigned char>(*src), fromUtf8);
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
}

// ASCII is the same byte in UTF-8 and CP932 (0x5C and 0x7E included), so runs of it are copied
// as they stand and only the characters between them go through iconv. A run starts only where
// a character starts: the byte after a CP932 lead byte belongs to the lead byte even when it is
// below 0x80. Without a converter the text comes back unchanged.
std::string Convert(Converter& converter, const std::string& in, const char* bad, bool fromUtf8) {
    const char* s = in.data();
    const size_t n = in.size();
    size_t i = AsciiRunEnd(s, 0, n);
    if (i == n) return in;
    iconv_t cd = converter.Get();
    if (cd == kNoConverter) return in;
    std::string out;
    out.reserve(n + n / 2 + 4);
    out.append(s, i);
    while (i < n) {
        size_t j = i;
        while (j < n && static_cast<unsigned char>(s[j]) >= 0x80) {
            j += CharLength(static_cast<unsigned char>(s[j]), fromUtf8);
        }
        if (j > n) j = n;
        ConvertSpan(cd, s + i, j - i, bad, fromUtf8, out);
        i = AsciiRunEnd(s, j, n);
        out.append(s + j, i - j);
    }
    return out;
}

}  // namespace

std::string Utf8ToCp932(const std::string& utf8) { return Convert(ToCp932(), utf8, "?", true); }

std::string Cp932ToUtf8(const std::string& cp932) { return Convert(ToUtf8(), cp932, "\xEF\xBF\xBD", false); }

size_t Cp932Length(const std::string& utf8) {
    // ASCII needs no conversion; everything else is measured by converting.
    return AsciiRunEnd(utf8.data(), 0, utf8.size()) == utf8.size() ? utf8.size() : Utf8ToCp932(utf8).size();
}

std::string CutToCp932Bytes(const std::string& text, size_t bytes) {
    if (text.size() <= bytes) return text;  // never longer in CP932 than in UTF-8
    size_t used = 0, at = 0;
    while (at < text.size()) {
        size_t len = 1;
        const auto lead = static_cast<unsigned char>(text[at]);
        if (lead >= 0xf0) {
            len = 4;
        } else if (lead >= 0xe0) {
            len = 3;
        } else if (lead >= 0xc0) {
            len = 2;
        }
        const size_t width = Cp932Length(text.substr(at, len));
        if (used + width > bytes) break;
        used += width;
        at += len;
    }
    return text.substr(0, at);
}

bool Cp932ConversionWorks() {
    // "日本" in CP932 is 93 FA 96 7B.
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == kNoConverter) return false;
    iconv_close(cd);
    return Utf8ToCp932("\xE6\x97\xA5\xE6\x9C\xAC") == "\x93\xFA\x96\x7B";
}
