#include "tools/gen/GenCommon.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace gen {

std::string Line::Str(const std::string& name, const std::string& fallback) const {
    auto it = params.find(name);
    return it == params.end() ? fallback : it->second;
}

static bool ToNumber(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

// The named parameter read by `parse`, or the fallback when the line does not give it.
template <typename T, typename Parse>
static T ParamOr(const Line& line, const std::string& name, T fallback, const char* what, Parse parse) {
    auto it = line.params.find(name);
    if (it == line.params.end()) return fallback;
    T v{};
    if (!parse(it->second, v)) line.Fail("parameter " + name + " is not a " + what + ": " + it->second);
    return v;
}

double Line::Num(const std::string& name, double fallback) const {
    return ParamOr(*this, name, fallback, "number", ToNumber);
}

int Line::Int(const std::string& name, int fallback) const { return static_cast<int>(Num(name, fallback)); }

uint32_t Line::Color(const std::string& name, uint32_t fallback) const {
    return ParamOr(*this, name, fallback, "colour", ParseColor);
}

double Line::ArgNum(size_t i) const {
    if (i >= args.size()) Fail("'" + word + "' needs at least " + std::to_string(i + 1) + " values");
    double v = 0;
    if (!ToNumber(args[i], v)) Fail("'" + args[i] + "' is not a number");
    return v;
}

void Line::Fail(const std::string& message) const { throw GenError(where + ": " + message); }

bool ParseLine(const std::string& text, const std::string& where, Line& out) {
    out = Line{};
    out.where = where;
    struct Token {
        std::string text;
        bool quotedStart;  // "..." as a whole: never a name=value
    };
    std::vector<Token> tokens;
    Token cur;
    bool inToken = false, quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"')
                quoted = false;
            else
                cur.text += c;
            continue;
        }
        if (c == '"') {
            if (!inToken) cur.quotedStart = true;
            quoted = true;
            inToken = true;
            continue;
        }
        if (c == '#' && !inToken) break;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (inToken) tokens.push_back(cur);
            cur = Token{};
            inToken = false;
            continue;
        }
        cur.text += c;
        inToken = true;
    }
    if (quoted) throw GenError(where + ": unclosed quote");
    if (inToken) tokens.push_back(cur);
    if (tokens.empty()) return false;
    out.word = tokens[0].text;
    for (size_t i = 1; i < tokens.size(); ++i) {
        const std::string& t = tokens[i].text;
        size_t eq = t.find('=');
        bool named = !tokens[i].quotedStart && eq != std::string::npos && eq > 0 &&
                     std::all_of(t.begin(), t.begin() + static_cast<long>(eq), [](char ch) {
                         return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_';
                     });
        if (named)
            out.params[t.substr(0, eq)] = t.substr(eq + 1);
        else
            out.args.push_back(t);
    }
    return true;
}

std::vector<Line> ReadManifest(const std::string& path) {
    std::string text = ReadTextFile(path);
    std::vector<Line> lines;
    std::istringstream in(text);
    std::string raw;
    int n = 0;
    std::string name = fs::path(path).filename().string();
    while (std::getline(in, raw)) {
        ++n;
        Line line;
        if (ParseLine(raw, name + ":" + std::to_string(n), line)) lines.push_back(std::move(line));
    }
    return lines;
}

bool ParseColor(const std::string& text, uint32_t& out) {
    if (text == "key") {
        out = kKeyColor;
        return true;
    }
    if (text == "none") {
        out = kNoColor;
        return true;
    }
    if (text.size() == 7 && text[0] == '#') {
        char* end = nullptr;
        unsigned long v = std::strtoul(text.c_str() + 1, &end, 16);
        if (*end) return false;
        out = static_cast<uint32_t>(v);
        return true;
    }
    if (text.size() == 4 && text[0] == '#') {
        std::string full = "#";
        for (int i = 1; i < 4; ++i) full += std::string(2, text[i]);
        return ParseColor(full, out);
    }
    return false;
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    uint32_t r = 0;
    for (int s = 0; s < 24; s += 8) {
        double ca = (a >> s) & 0xFF, cb = (b >> s) & 0xFF;
        r |= static_cast<uint32_t>(ca + (cb - ca) * t + 0.5) << s;
    }
    return r;
}

uint32_t Shade(uint32_t c, double factor) {
    return factor >= 1.0 ? Mix(c, 0xFFFFFF, factor - 1.0) : Mix(0x000000, c, factor);
}

std::string ReadTextFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw GenError("cannot read " + path);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFileAtomic(const std::string& path, const std::string& bytes) {
    fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) throw GenError("cannot write " + tmp);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw GenError("cannot write " + tmp);
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) throw GenError("cannot rename " + tmp + " to " + path + ": " + ec.message());
}

std::string ToSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string JoinPath(const std::string& dir, const std::string& rel) {
    return (fs::path(dir) / ToSlashes(rel)).string();
}

std::vector<std::string> ListFiles(const std::string& dir, const std::string& extension) {
    std::vector<std::string> out;
    if (!fs::is_directory(dir)) return out;
    for (const auto& e : fs::directory_iterator(dir)) {
        if (!e.is_regular_file()) continue;
        std::string name = e.path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        if (extension.empty() || e.path().extension() == extension) out.push_back(e.path().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

uint64_t Hash64(const std::string& text, uint64_t seed) {
    uint64_t h = seed;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace gen
