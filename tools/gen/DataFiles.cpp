#include "tools/gen/DataFiles.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "foundation/EncodedFile.h"
#include "foundation/Random.h"
#include "foundation/TextEncoding.h"
#include "tools/gen/GenCommon.h"

namespace fs = std::filesystem;

namespace gen {
namespace {

struct Known {
    int buffer;
    int fields;
    int lines;
};

// The buffers and table shapes with which the game reads its data files.
const std::map<std::string, Known>& KnownFiles() {
    static const std::map<std::string, Known> k = {
        {"data\\bmp_index.dat", {16384, 4, 512}},         {"data\\stage_objects.dat", {32768, 3, 1024}},
        {"data\\mapchip_info.dat", {32768, 3, 1024}},     {"data\\attack_parameters.dat", {16384, 18, 256}},
        {"data\\obje_relation.dat", {8192, 32, 32}},      {"data\\shop_info.dat", {32768, 7, 50}},
        {"data\\scenario_map.dat", {16384, 18, 12}},      {"data\\scenario_save_init.dat", {16384, 0, 0}},
        {"network\\client_info_init.dat", {32768, 0, 0}},
    };
    return k;
}

std::string StripXmlSpace(const std::string& xml) {
    // Whitespace between tags goes, as the game itself stores its XML files.
    std::string out;
    size_t i = 0;
    size_t firstLineEnd = xml.find('\n');
    if (xml.rfind("<?xml", 0) == 0 && firstLineEnd != std::string::npos) {
        std::string decl = xml.substr(0, firstLineEnd);
        while (!decl.empty() && (decl.back() == '\r' || decl.back() == ' ')) decl.pop_back();
        out = decl + "\n";
        i = firstLineEnd + 1;
    }
    std::string pending;
    bool afterTag = true;
    for (; i < xml.size(); ++i) {
        char c = xml[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            pending += c;
            continue;
        }
        if (c == '<' || afterTag) pending.clear();
        out += pending;
        pending.clear();
        out += c;
        afterTag = c == '>';
    }
    return out;
}

// The "#@ name=value ..." directives of one line at the top of a table file.
void ReadDirectives(const std::string& line, const std::string& where, TableFile& t, bool& shapeGiven) {
    std::istringstream dir(line.substr(2));
    std::string item;
    while (dir >> item) {
        size_t eq = item.find('=');
        if (eq == std::string::npos || eq == 0) throw GenError(where + ": directives are name=value");
        std::string k = item.substr(0, eq), v = item.substr(eq + 1);
        if (k == "path") {
            t.outPath = v;
        } else if (k == "encode") {
            t.encode = v != "0";
        } else if (k == "buffer") {
            t.buffer = std::atoi(v.c_str());
        } else if (k == "table") {
            size_t x = v.find('x');
            if (x == std::string::npos) throw GenError(where + ": table=FIELDSxLINES");
            t.fields = std::atoi(v.substr(0, x).c_str());
            t.lines = std::atoi(v.substr(x + 1).c_str());
            shapeGiven = true;
        } else {
            throw GenError(where + ": unknown directive " + k);
        }
    }
}

// A file the game knows is read through its buffer and, unless the file gives one, split into
// its shape; stage files get a buffer big enough for any stage.
void ApplyKnownFile(TableFile& t, bool shapeGiven) {
    auto known = KnownFiles().find(t.outPath);
    if (known != KnownFiles().end()) {
        t.buffer = known->second.buffer;
        if (!shapeGiven) {
            t.fields = known->second.fields;
            t.lines = known->second.lines;
        }
    } else if (t.outPath.rfind("stage\\", 0) == 0) {
        t.buffer = 262144;
    }
}

// The body lines as the game stores them: XML without the whitespace between tags, CSV without
// trailing empty rows, other text without trailing blank lines.
std::string StoredText(std::vector<std::string> body, bool csv, bool xml) {
    while (!body.empty() && body.back().empty() && !csv) body.pop_back();
    std::string text;
    for (const std::string& l : body) text += l + "\n";
    if (xml) text = StripXmlSpace(text);
    if (csv) {
        // Trailing blank lines would only count as empty rows.
        while (text.size() >= 2 && text.compare(text.size() - 2, 2, "\n\n") == 0) text.pop_back();
    }
    return text;
}

}  // namespace

void WriteDataFile(const std::string& gameDir, const std::string& relPath, const std::string& utf8,
                   int bufferLimit, bool encode) {
    if (Cp932ToUtf8(Utf8ToCp932(utf8)) != utf8)
        throw GenError(relPath + ": holds characters that Shift_JIS (CP932) cannot store");
    // A fixed seed per file keeps the output the same from build to build.
    SeedRandom(static_cast<uint32_t>(Hash64(relPath)));
    std::string stored = encode ? EncodeFileText(utf8) : Utf8ToCp932(utf8);
    if (bufferLimit > 0 && static_cast<int>(stored.size()) > bufferLimit - 1)
        std::fprintf(stderr, "quor-gen: warning: %s is %zu characters; the game's reader holds %d\n",
                     relPath.c_str(), stored.size(), bufferLimit - 1);
    WriteFileAtomic(JoinPath(gameDir, relPath), stored);
}

TableFile ReadTableFile(const std::string& path) {
    TableFile t;
    t.source = path;
    fs::path p(path);
    bool csv = p.extension() == ".csv";
    bool xml = p.extension() == ".xml";
    t.outPath = "data\\" + p.stem().string() + ".dat";
    std::string raw = ReadTextFile(path);
    if (raw.rfind("\xEF\xBB\xBF", 0) == 0) raw.erase(0, 3);  // a byte-order mark is no content

    std::istringstream in(raw);
    std::string line;
    std::vector<std::string> body;
    bool header = true, shapeGiven = false;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (header && line.rfind("#@", 0) == 0) {
            ReadDirectives(line, p.filename().string() + ":" + std::to_string(n), t, shapeGiven);
            continue;
        }
        header = false;
        if (csv && !line.empty() && line[0] == '#') continue;
        body.push_back(line);
    }
    if (t.outPath.find('/') != std::string::npos) throw GenError(path + ": output paths use backslashes");
    ApplyKnownFile(t, shapeGiven);
    t.text = StoredText(std::move(body), csv, xml);
    if (t.fields > 0 && t.lines > 0) {
        std::vector<std::string> table;
        if (!ParseCsvText(t.text, table, t.fields, t.lines))
            throw GenError(path + ": does not fit a table of " + std::to_string(t.fields) + " fields x " +
                           std::to_string(t.lines) + " lines");
    }
    return t;
}

std::vector<std::string> GenerateTables(const std::string& tablesDir, const std::string& gameDir) {
    std::vector<std::string> written;
    std::map<std::string, std::string> sources;
    for (const std::string& file : ListFiles(tablesDir, "")) {
        std::string ext = fs::path(file).extension().string();
        if (ext == ".md" || file.back() == '~') continue;
        TableFile t = ReadTableFile(file);
        auto [it, fresh] = sources.emplace(t.outPath, file);
        if (!fresh) throw GenError(file + ": " + t.outPath + " is also made by " + it->second);
        WriteDataFile(gameDir, t.outPath, t.text, t.buffer, t.encode);
        written.push_back(t.outPath);
    }
    return written;
}

std::vector<std::string> CreateGameFolders(const std::string& gameDir) {
    std::vector<std::string> made = {"stage\\original", "stage\\downloaded", "stage\\scenario", "network",
                                     "log"};
    for (const std::string& d : made) fs::create_directories(JoinPath(gameDir, d));
    return made;
}

}  // namespace gen
