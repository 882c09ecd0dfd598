#include "foundation/TextConvert.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

int ClampToInt(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

namespace {
int ConvertInt(const std::string& text, int base) {
    if (text.empty()) return 0;
    if (text.size() >= 20) return -1;
    errno = 0;
    const long long v = std::strtoll(text.c_str(), nullptr, base);
    return ClampToInt(v);
}
}  // namespace

int StrToInt(const std::string& text) { return ConvertInt(text, 10); }
int HexStrToInt(const std::string& text) { return ConvertInt(text, 16); }

double StrToDouble(const std::string& text) {
    if (text.empty()) return 0.0;
    if (text.size() >= 64) return -1.0;
    return std::strtod(text.c_str(), nullptr);
}

std::string IntToString(int value) {
    char buf[16];
    std::snprintf(buf, sizeof(buf), "%d", value);
    return buf;
}

std::vector<std::string> SplitString(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        const size_t pos = text.find(separator, start);
        if (pos == std::string::npos) break;
        pieces.push_back(text.substr(start, pos - start));
        start = pos + 1;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::optional<int32_t> ParseWholeInt32(const std::string& text) {
    size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
    if (text.size() == i || text.size() - i > 10) return std::nullopt;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
        v = v * 10 + (text[i] - '0');
    }
    if (text[0] == '-') v = -v;
    if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(v);
}
