#include "tools/gen/Stages.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <sstream>
#include <tuple>

#include "engine/Music.h"
#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/Random.h"
#include "stage/AreaObjectKinds_Blocks.h"
#include "stage/AreaObjectKinds_Events.h"
#include "stage/AreaObjectKinds_Hazards.h"
#include "stage/AreaObjectKinds_Lifts.h"
#include "stage/AreaObjectKinds_Switches.h"
#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageCatalogues.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"
#include "stage/StageObjectKindTable.h"
#include "tools/gen/GenCommon.h"

namespace fs = std::filesystem;

namespace gen {
namespace {

std::string Where(const std::string& name, int line) { return name + ":" + std::to_string(line); }

[[noreturn]] void Fail(const std::string& where, const std::string& message) {
    throw GenError(where + ": " + message);
}

// Stops on a setting the line's word does not know, so a misspelt name never passes unnoticed.
void AllowOnly(const Line& line, std::initializer_list<const char*> names) {
    for (const auto& entry : line.params) {
        bool known = false;
        for (const char* n : names) known = known || entry.first == n;
        if (!known) line.Fail("'" + line.word + "' has no setting " + entry.first);
    }
}

// A stage file stores names without their blanks: refuse them rather than change the name.
std::string NameValue(const Line& line, const char* setting) {
    std::string v = line.Str(setting);
    if (v.find_first_of(" \t") != std::string::npos)
        line.Fail(std::string(setting) + " must not hold blanks");
    return v;
}

// Keys of the catalogues: a key is known when it comes back from its own id.
bool IsMusicKeyText(const std::string& k) { return MusicKey(MusicIdFromKey(k)) == k; }
bool IsBackGroundKeyText(const std::string& k) { return BackGroundKey(BackGroundFromKey(k)) == k; }
bool IsWeatherKeyText(const std::string& k) { return WeatherKey(WeatherIdFromKey(k)) == k; }

// The catalogue key a setting gives (or the fallback); stops on an unknown one.
std::string CatalogueKey(const Line& line, const char* setting, const std::string& fallback,
                         bool (*known)(const std::string&)) {
    std::string key = line.Str(setting, fallback);
    if (!known(key)) line.Fail("unknown " + std::string(setting) + " " + key);
    return key;
}

// "legend <c> chip=<n> [auto=1] [object=<Key>] [start=1]". The character is taken as it stands,
// so '#' and '"' can stand for something too. A character given twice in one file is a mistake;
// the file may give one of the shared legend's characters a meaning of its own (`given` holds
// the file's characters).
void ReadLegendLine(const std::string& raw, const std::string& where, StageLegend& legend,
                    std::set<char>& given) {
    const bool shaped = raw.size() >= 9 && raw[6] == ' ' && raw[8] == ' ';
    const unsigned char c = shaped ? static_cast<unsigned char>(raw[7]) : 0;
    if (c < 0x21 || c > 0x7E)
        Fail(where, "a legend line is 'legend <printable ASCII character> chip=<n> ...'");
    Line line;
    ParseLine("legend " + raw.substr(9), where, line);
    AllowOnly(line, {"chip", "auto", "object", "start"});
    if (!line.args.empty()) line.Fail("legend settings are name=value");
    StageLegendEntry e;
    const int chip = line.Int("chip", 0);
    if (chip < 0 || chip > 255) line.Fail("chips are 0..255");
    e.chip = static_cast<uint8_t>(chip);
    e.autoTile = line.Int("auto", 0) != 0;
    e.kind = line.Str("object");
    e.start = line.Int("start", 0) != 0;
    if (!e.kind.empty() && !StageAreaObjectKindList::Instance().Find(e.kind))
        line.Fail("no object kind " + e.kind);
    if (e.start && !e.kind.empty()) line.Fail("the start holds no object");
    if (e.start && !IsPassableChip(e.chip)) line.Fail("the start must be on a chip the hero can stand in");
    if (!given.insert(static_cast<char>(c)).second)
        line.Fail("'" + std::string(1, static_cast<char>(c)) + "' is given twice");
    legend[static_cast<char>(c)] = e;
}

// One area as the file gives it, before it is built.
struct AreaDraft {
    int line = 0;  // the area line
    std::string name;
    int areaClass = 0;
    int music = 0;
    int backGround = 0;
    int weather = 0;
    int mapLine = 0;  // 0 until a map starts
    bool mapDone = false;
    std::vector<std::string> rows;
    std::vector<int> rowLines;
    std::vector<Line> settings;  // the area's "at" lines
};

AreaDraft ReadAreaLine(const Line& line) {
    AllowOnly(line, {"class", "name", "music", "background", "weather"});
    AreaDraft a;
    a.name = NameValue(line, "name");
    const std::string cls = line.Str("class");
    a.areaClass = AreaClassFromKey(cls);
    if (a.areaClass == AreaClass_NoArea) line.Fail("unknown area class '" + cls + "'");
    if (!line.Has("background")) line.Fail("an area needs background=");
    a.music = MusicIdFromKey(CatalogueKey(line, "music", "NoMusic", &IsMusicKeyText));
    a.backGround = BackGroundFromKey(CatalogueKey(line, "background", "", &IsBackGroundKeyText));
    a.weather = WeatherIdFromKey(CatalogueKey(line, "weather", "NoWeather", &IsWeatherKeyText));
    return a;
}

void ReadMapRow(const std::string& row, const std::string& where, const StageLegend& legend,
                AreaDraft& area) {
    const int width = AreaClassWidth(area.areaClass);
    if (static_cast<int>(row.size()) != width)
        Fail(where, "the row is " + std::to_string(row.size()) + " characters; a " +
                        AreaClassKey(area.areaClass) + " area is " + std::to_string(width) + " wide");
    for (size_t x = 0; x < row.size(); ++x) {
        if (!legend.count(row[x]))
            Fail(where, "unknown character '" + std::string(1, row[x]) + "' in column " + std::to_string(x));
    }
}

// The settings an "at" line may give, the kinds that take each and how it is stored.
struct Setting {
    const char* name;
    bool (*fits)(const CStageAreaObject*);
    bool required;  // a kind that takes it is of no use without it
    // Stores the value; returns what is wrong with it, or an empty text.
    std::string (*store)(CStageAreaObject*, const std::string&, const CStage&);
};

void SetA1(CStageAreaObject* o, double v) {
    o->SetAttributes(v, o->GetAttribute2(), o->GetAttribute3(), o->GetAttribute4());
}

// The index of the value in the list, as attribute 1; "" when it is one of them.
std::string StoreChoice(CStageAreaObject* o, const std::string& v,
                        std::initializer_list<const char*> choices) {
    int i = 0;
    std::string all;
    for (const char* c : choices) {
        if (v == c) {
            SetA1(o, i);
            return std::string();
        }
        all += (i++ ? "|" : "") + std::string(c);
    }
    return "is one of " + all;
}

// "<area>,<col>,<row>": the area counted from 1 in file order (as the editor shows it), the tile
// with rows from the top of the map.
std::string StoreTarget(CStageAreaObject* o, const std::string& v, const CStage& stage) {
    int area = 0, col = 0, row = 0;
    char tail = 0;
    if (std::sscanf(v.c_str(), "%d,%d,%d%c", &area, &col, &row, &tail) != 3) return "is <area>,<col>,<row>";
    const CStageArea* target = stage.GetArea(area - 1);
    if (!target)
        return "names area " + std::to_string(area) + "; the stage has " +
               std::to_string(stage.GetAreaCount());
    if (col < 0 || row < 0 || col >= target->GetWidth() || row >= target->GetHeight())
        return "names a tile outside area " + std::to_string(area);
    o->SetAttributes(target->absoluteAreaNum, col, row, o->GetAttribute4());
    return std::string();
}

std::string StoreText(CStageAreaObject* o, const std::string& v, bool valid, const char* what) {
    if (!valid) return std::string("is not ") + what;
    o->SetText(v);
    return std::string();
}

const Setting kSettings[] = {
    {"to", &IsDoorAreaObject, true, &StoreTarget},
    {"colour", &IsSwitchAreaObject, false,
     [](CStageAreaObject* o, const std::string& v, const CStage&) {
         return StoreChoice(o, v, {"red", "green", "blue"});
     }},
    {"timing", &IsTimingChangableAreaObject, false,
     [](CStageAreaObject* o, const std::string& v, const CStage&) {
         return StoreChoice(o, v, {"A", "B", "C", "D"});
     }},
    {"zoom", &IsZoomChangableAreaObject, false,
     [](CStageAreaObject* o, const std::string& v, const CStage&) {
         return StoreChoice(o, v, {"normal", "in", "out"});
     }},
    {"music", &IsMusicChangableAreaObject, true,
     [](CStageAreaObject* o, const std::string& v, const CStage&) {
         return StoreText(o, v, IsMusicKeyText(v), "a music key");
     }},
    {"weather", &IsWeatherChangableAreaObject, true,
     [](CStageAreaObject* o, const std::string& v, const CStage&) {
         return StoreText(o, v, IsWeatherKeyText(v), "a weather key");
     }},
    {"contents", &IsWoodBlock002AreaObject, true,
     [](CStageAreaObject* o, const std::string& v, const CStage&) {
         return StoreText(o, v, !BlockContentName(v).empty(), "an item a block can hold");
     }},
    {"route", &IsCustomLiftAreaObject, true,
     [](CStageAreaObject* o, const std::string& v, const CStage&) {
         return StoreText(o, v, !v.empty() && v.find_first_not_of("ABCDEFGHIJK") == std::string::npos,
                          "a route of the letters A..K");
     }},
};

std::string TileText(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

// Chips of the picture, auto-tiled where the legend asks; a neighbour outside the map is the
// nearest chip inside, as the map itself reads its edges.
void FillChips(const AreaDraft& draft, const StageLegend& legend, CStageMap& map) {
    const int w = map.GetWidth(), h = map.GetHeight();
    auto raw = [&](int x, int y) {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return legend.at(draft.rows[static_cast<size_t>(y)][static_cast<size_t>(x)]).chip;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const StageLegendEntry& e = legend.at(draft.rows[static_cast<size_t>(y)][static_cast<size_t>(x)]);
            uint8_t chip = e.chip;
            if (e.autoTile) {
                chip = AutoTileChip(chip, raw(x, y - 1), raw(x + 1, y), raw(x, y + 1), raw(x - 1, y),
                                    raw(x - 1, y - 1), raw(x + 1, y - 1), raw(x - 1, y + 1),
                                    raw(x + 1, y + 1), x, y);
            }
            map.SetChip(x, y, chip);
        }
    }
}

// The lines of a text, without their line ends ("\r\n" too).
std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string raw;
    while (std::getline(in, raw)) {
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        lines.push_back(raw);
    }
    return lines;
}

}  // namespace

StageLegend ReadStageLegend(const std::string& text, const std::string& name) {
    StageLegend legend;
    std::set<char> given;
    int n = 0;
    for (const std::string& raw : TextLines(text)) {
        ++n;
        if (raw.rfind("legend ", 0) == 0) {
            ReadLegendLine(raw, Where(name, n), legend, given);
            continue;
        }
        Line line;
        if (ParseLine(raw, Where(name, n), line)) line.Fail("only legend lines belong here");
    }
    return legend;
}

std::unique_ptr<CStage> CompileStageText(const std::string& text, const std::string& name,
                                         const StageLegend& shared) {
    StageLegend legend = shared;
    std::set<char> ownLegend;
    std::vector<AreaDraft> drafts;
    Line stageLine;
    bool haveStage = false;
    bool inMap = false;

    int n = 0;
    for (const std::string& raw : TextLines(text)) {
        ++n;
        const std::string where = Where(name, n);
        if (inMap) {
            AreaDraft& a = drafts.back();
            if (raw == "end") {
                inMap = false;
                a.mapDone = true;
                const int height = AreaClassHeight(a.areaClass);
                if (static_cast<int>(a.rows.size()) != height)
                    Fail(where, "the map has " + std::to_string(a.rows.size()) + " rows; a " +
                                    AreaClassKey(a.areaClass) + " area is " + std::to_string(height) +
                                    " high");
                continue;
            }
            ReadMapRow(raw, where, legend, a);
            a.rows.push_back(raw);
            a.rowLines.push_back(n);
            continue;
        }
        if (raw.rfind("legend ", 0) == 0) {
            if (!drafts.empty()) Fail(where, "legend lines come before the first area");
            ReadLegendLine(raw, where, legend, ownLegend);
            continue;
        }
        Line line;
        if (!ParseLine(raw, where, line)) continue;
        if (line.word == "stage") {
            if (haveStage || !drafts.empty()) line.Fail("one stage line, before the areas");
            AllowOnly(line, {"name", "id", "author", "category", "arrange"});
            stageLine = line;
            haveStage = true;
        } else if (line.word == "area") {
            if (!drafts.empty() && !drafts.back().mapDone) line.Fail("the area before has no map");
            drafts.push_back(ReadAreaLine(line));
            drafts.back().line = n;
        } else if (line.word == "map") {
            if (drafts.empty() || drafts.back().mapLine) line.Fail("a map belongs to an area line, once");
            drafts.back().mapLine = n;
            inMap = true;
        } else if (line.word == "at") {
            if (drafts.empty() || !drafts.back().mapDone) line.Fail("'at' lines follow their area's map");
            if (line.args.size() != 1) line.Fail("'at' takes one tile, <col>,<row>");
            drafts.back().settings.push_back(line);
        } else {
            line.Fail("unknown line '" + line.word + "'");
        }
    }
    if (inMap) Fail(Where(name, drafts.back().mapLine), "the map has no 'end' line");
    if (!haveStage) Fail(Where(name, 1), "the file has no stage line");
    if (drafts.empty()) stageLine.Fail("the stage has no area");
    if (!drafts.back().mapDone) Fail(Where(name, drafts.back().line), "the area has no map");
    if (drafts.size() > static_cast<size_t>(CStage::kMaxAreas))
        Fail(Where(name, drafts[CStage::kMaxAreas].line), "a stage holds at most 10 areas");
    int units = 0;
    for (const AreaDraft& d : drafts) units += AreaClassUnits(d.areaClass);
    if (units > 10) stageLine.Fail("the areas take " + std::to_string(units) + " units; a stage holds 10");

    auto stage = std::make_unique<CStage>(nullptr, 0, CVersionNumber::Application());
    stage->name = NameValue(stageLine, "name");
    stage->id = stageLine.Str("id");
    stage->originalAuthor = NameValue(stageLine, "author");
    const std::string category = stageLine.Str("category", "Local");
    stage->category = StageCategoryFromName(category);
    if (StageCategoryName(stage->category) != category) stageLine.Fail("unknown category " + category);
    stage->arrangementPermissionFlag = stageLine.Int("arrange", 1) != 0;

    // Where each object came from, for the messages about it.
    std::map<std::tuple<int, int, int>, std::string> placedAt;
    int starts = 0;
    for (size_t i = 0; i < drafts.size(); ++i) {
        const AreaDraft& d = drafts[i];
        std::unique_ptr<CStageMap> map = CStageMap::Create(d.areaClass);
        FillChips(d, legend, *map);
        auto area = std::make_unique<CStageArea>(stage.get(), std::move(map),
                                                 std::make_unique<CStageAreaObjectTable>(stage.get()), d.name,
                                                 d.music, d.backGround, d.weather, static_cast<int>(i));
        for (int y = 0; y < area->GetHeight(); ++y) {
            const std::string where = Where(name, d.rowLines[static_cast<size_t>(y)]);
            for (int x = 0; x < area->GetWidth(); ++x) {
                const StageLegendEntry& e = legend.at(d.rows[static_cast<size_t>(y)][static_cast<size_t>(x)]);
                if (e.start) {
                    if (starts++) Fail(where, "a second start at " + TileText(x, y));
                    stage->startArea = static_cast<int>(i);
                    stage->startX = x;
                    stage->startY = y;
                }
                if (e.kind.empty()) continue;
                CStageAreaObjectTable* objects = area->GetObjects();
                if (!objects->Add(e.kind, x, y)) {
                    Fail(where, objects->GetCount() >= CStageAreaObjectTable::kMaxObjects
                                    ? "an area holds at most 255 objects"
                                    : "data\\stage_objects.dat has no kind " + e.kind);
                }
                placedAt[{static_cast<int>(i), x, y}] = where;
            }
        }
        stage->AppendArea(std::move(area));
    }
    stage->maxAbsoluteAreaNum = static_cast<int>(drafts.size()) - 1;
    if (!starts) stageLine.Fail("the stage has no start (a legend character with start=1)");

    std::set<std::tuple<int, int, const Setting*>> given;
    for (size_t i = 0; i < drafts.size(); ++i) {
        CStageAreaObjectTable* objects = stage->GetArea(static_cast<int>(i))->GetObjects();
        for (const Line& line : drafts[i].settings) {
            int x = 0, y = 0;
            char tail = 0;
            if (std::sscanf(line.args[0].c_str(), "%d,%d%c", &x, &y, &tail) != 2)
                line.Fail("'at' takes one tile, <col>,<row>");
            CStageAreaObject* object = objects->GetAt(x, y);
            if (!object) line.Fail("no object at " + line.args[0]);
            for (const auto& [key, value] : line.params) {
                const Setting* s = nullptr;
                for (const Setting& candidate : kSettings) {
                    if (key == candidate.name) s = &candidate;
                }
                if (!s) line.Fail("no setting " + key);
                if (!s->fits(object)) line.Fail(object->GetKey() + " takes no " + key);
                const std::string wrong = s->store(object, value, *stage);
                if (!wrong.empty()) line.Fail(key + " " + wrong);
                given.insert({static_cast<int>(i), object->GetId(), s});
            }
        }
        for (int id = 1; id <= CStageAreaObjectTable::kMaxObjects; ++id) {
            CStageAreaObject* object = objects->GetById(id);
            if (!object) continue;
            for (const Setting& s : kSettings) {
                if (s.required && s.fits(object) && !given.count({static_cast<int>(i), id, &s})) {
                    Fail(placedAt[{static_cast<int>(i), object->GetTileX(), object->GetTileY()}],
                         object->GetKey() + " at " + TileText(object->GetTileX(), object->GetTileY()) +
                             " needs an 'at' line with " + s.name + "=");
                }
            }
        }
    }

    const std::vector<std::string> problems = stage->Validate(true);
    if (!problems.empty()) stageLine.Fail(problems.front());
    return stage;
}

std::vector<std::string> GenerateStages(const std::string& stagesDir, const std::string& gameDir) {
    std::vector<std::string> written;
    if (!fs::is_directory(stagesDir)) return written;
    const std::string legendPath = JoinPath(stagesDir, "legend.txt");
    StageLegend shared;
    for (const std::string& file : ListFiles(stagesDir, "")) {
        if (file != legendPath) throw GenError(file + ": stage files go into a folder of stages/");
        shared = ReadStageLegend(ReadTextFile(file), "stages/legend.txt");
    }
    std::vector<fs::path> folders;
    for (const auto& e : fs::directory_iterator(stagesDir)) {
        if (e.is_directory()) folders.push_back(e.path());
    }
    std::sort(folders.begin(), folders.end());

    const std::string game = fs::absolute(gameDir).string();
    const std::string previous = GetGameFolder();
    SetGameFolder(game);  // the kind table is read from the game folder
    try {
        for (const fs::path& folder : folders) {
            const std::string folderName = folder.filename().string();
            for (const std::string& file : ListFiles(folder.string(), ".txt")) {
                const std::string name = "stages/" + folderName + "/" + fs::path(file).filename().string();
                const std::string out =
                    "stage\\" + folderName + "\\" + fs::path(file).stem().string() + ".stg";
                try {
                    std::unique_ptr<CStage> stage = CompileStageText(ReadTextFile(file), name, shared);
                    fs::create_directories(fs::path(game) / "stage" / folderName);
                    // The file's own seed keeps the encoded bytes the same from build to build.
                    SeedRandom(static_cast<uint32_t>(Hash64(out)));
                    const std::string path = JoinPath(game, out);
                    if (!stage->SaveToFile(path)) throw GenError(name + ": cannot write " + path);
                    // The game must read back what was written.
                    CStage::LoadFromFile(nullptr, path, 0);
                } catch (const CQuorException& e) {
                    throw GenError(name + ": " + e.GetCode() + " " + e.GetMessage());
                }
                written.push_back(out);
            }
        }
    } catch (...) {
        SetGameFolder(previous);
        throw;
    }
    SetGameFolder(previous);
    return written;
}

}  // namespace gen
