// The CP932 conversions at the file, log and network edges. They copy ASCII runs themselves and
// keep their converters open; whatever the text, they must give what one plain iconv pass over
// the whole text gives.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <string>
#include <thread>
#include <vector>

#include "foundation/Random.h"
#include "foundation/TextEncoding.h"

namespace {

// The plain conversion: a fresh converter, the whole text in one go, `bad` for each character
// that fails (skipping one UTF-8 sequence or one CP932 character by its first byte).
std::string PlainIconv(const char* to, const char* from, const std::string& in, const std::string& bad,
                       bool fromUtf8) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return in;
    std::string out;
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buf[64];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof(buf);
        const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, static_cast<size_t>(dst - buf));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            const unsigned char c = static_cast<unsigned char>(*src);
            size_t skip = 1;
            if (fromUtf8) {
                skip = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
            } else if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
                skip = 2;
            }
            skip = std::min(skip, srcLeft);
            src += skip;
            srcLeft -= skip;
            out += bad;
        }
    }
    iconv_close(cd);
    return out;
}

std::string PlainToCp932(const std::string& s) { return PlainIconv("CP932", "UTF-8", s, "?", true); }
std::string PlainToUtf8(const std::string& s) {
    return PlainIconv("UTF-8", "CP932", s, "\xEF\xBF\xBD", false);
}

void ExpectSameBothWays(const std::string& s) {
    ASSERT_EQ(Cp932ToUtf8(s), PlainToUtf8(s)) << testing::PrintToString(s);
    ASSERT_EQ(Utf8ToCp932(s), PlainToCp932(s)) << testing::PrintToString(s);
}

}  // namespace

TEST(TextEncoding, Cp932RoundTripAndLength) {
    ASSERT_TRUE(Cp932ConversionWorks());
    const std::string text = "ステージ1";
    EXPECT_EQ(Cp932Length(text), 9u);
    EXPECT_EQ(Cp932ToUtf8(Utf8ToCp932(text)), text);
    EXPECT_EQ(Utf8ToCp932("\xF0\x9F\x98\x80"
                          "a"),
              "?a");  // no CP932 form
}

TEST(TextEncoding, AsciiIsItsOwnCp932) {
    std::string ascii;
    for (int c = 0; c < 0x80; ++c) ascii += static_cast<char>(c);
    EXPECT_EQ(PlainToUtf8(ascii), ascii);  // 0x5C stays a backslash, 0x7E a tilde
    EXPECT_EQ(PlainToCp932(ascii), ascii);
    EXPECT_EQ(Cp932ToUtf8(ascii), ascii);
    EXPECT_EQ(Utf8ToCp932(ascii), ascii);
    EXPECT_EQ(Cp932Length(ascii), ascii.size());
}

TEST(TextEncoding, EveryBytePairInAsciiContext) {
    // A lead byte takes the next byte along even when that one is ASCII ("\x81\x5C" is one
    // character, "\x81 " one bad one), and a truncated character at the very end is bad too.
    for (int a = 0x80; a < 0x100; ++a) {
        for (int b = 0; b < 0x100; ++b) {
            const std::string pair{static_cast<char>(a), static_cast<char>(b)};
            ExpectSameBothWays("ab" + pair + "cdefghij\\~");
            ExpectSameBothWays(pair);
        }
        ExpectSameBothWays(std::string("abcdefgh") + static_cast<char>(a));
    }
}

TEST(TextEncoding, RandomMixedText) {
    const std::vector<std::string> pieces = {"a",
                                             "stage01",
                                             " ",
                                             "\n",
                                             "\\",
                                             "~",
                                             "<map>",
                                             "\x81",
                                             "\x82\xA0",
                                             "\x83\x5C",
                                             "\x93\xFA",
                                             "\xB1",
                                             "\xFF",
                                             "\x80",
                                             "\xE6\x97\xA5",
                                             "\xE3\x81",
                                             "\xC3",
                                             "\xF0\x9F\x98\x80",
                                             "\xED\xA0\x80",
                                             "\xEF\xBF\xBD",
                                             "ステージ",
                                             "①",
                                             "¥",
                                             "abcdefghijklmnopqrstuvwxyz0123456789"};
    SeedRandom(7);
    for (int i = 0; i < 4000; ++i) {
        std::string s;
        const int n = RandomRange(0, 40);
        for (int k = 0; k < n; ++k)
            s += pieces[static_cast<size_t>(RandomRange(0, static_cast<int>(pieces.size()) - 1))];
        ExpectSameBothWays(s);
        ASSERT_EQ(Cp932Length(s), PlainToCp932(s).size());
    }
}

TEST(TextEncoding, ConvertersAreKeptPerThread) {
    const std::string utf8 = "ステージ1\\名前~";
    const std::string cp932 = Utf8ToCp932(utf8);
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                if (Utf8ToCp932(utf8) != cp932 || Cp932ToUtf8(cp932) != utf8)
                    ++failures[static_cast<size_t>(t)];
            }
        });
    }
    for (std::thread& th : threads) th.join();
    for (int f : failures) EXPECT_EQ(f, 0);
}
