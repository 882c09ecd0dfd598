// The generated game folder: every table decodes and fits, every indexed image exists at its
// size, every sound effect the engine loads and the 18 pieces of music are there, valid and distinct.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "engine/SoundEffects.h"
#include "engine/el/Wave.h"
#include "foundation/EncodedFile.h"
#include "foundation/TextConvert.h"
#include "foundation/XmlNode.h"
#include "tools/gen/Canvas.h"
#include "tools/gen/GenCommon.h"

namespace fs = std::filesystem;

namespace {

const std::string kGame = QUOR_GAME_DIR;

std::string Bytes(const std::string& rel) {
    std::ifstream in(fs::path(kGame) / gen::ToSlashes(rel), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class GeneratedFolder : public ::testing::Test {
  protected:
    void SetUp() override { SetGameFolder(kGame); }
    void TearDown() override { ResetGameFolder(); }

    std::vector<std::string> Table(const std::string& path, int fields, int lines) {
        std::string text;
        EXPECT_EQ(ReadEncodedFile(path, text), ReadStatus::Ok) << path;
        std::vector<std::string> table;
        EXPECT_TRUE(ParseCsvText(text, table, fields, lines)) << path;
        table.resize(static_cast<size_t>(fields) * lines);
        return table;
    }
    std::unique_ptr<CXmlNode> Document(const std::string& path) {
        std::string text;
        EXPECT_EQ(ReadEncodedFile(path, text), ReadStatus::Ok) << path;
        return std::make_unique<CXmlNode>("ROOT", 0, text);
    }
};

TEST_F(GeneratedFolder, ImageIndexNamesPicturesOfTheirSize) {
    std::vector<std::string> t = Table("data\\bmp_index.dat", 4, 512);
    std::set<std::string> keys;
    int rows = 0;
    for (int r = 0; r < 511; ++r) {
        const std::string& key = CsvCell(t, 512, 0, r);
        if (key.empty()) continue;
        ++rows;
        EXPECT_TRUE(keys.insert(key).second) << key;
        const std::string& path = CsvCell(t, 512, 1, r);
        gen::Canvas c;
        ASSERT_TRUE(gen::Canvas::DecodeBmp(Bytes(path), c)) << key << " " << path;
        int cw = StrToInt(CsvCell(t, 512, 2, r)), ch = StrToInt(CsvCell(t, 512, 3, r));
        EXPECT_LE(cw, c.Width()) << key;
        EXPECT_LE(ch, c.Height()) << key;
    }
    EXPECT_EQ(CsvCell(t, 512, 0, 511), "");  // the 512th row is never read
    for (const char* k :
         {"System.Mouse001", "System.System001", "System.System002", "System.System008", "System.System009",
          "System.StageObjects001", "System.StageObjects002", "System.StageObjects003", "System.Dark001",
          "System.Dark004", "Map.ChipSet001", "Map.ChipSet002", "Map.ChipSet003", "Map.ChipSet004",
          "Editer.BG_Preview001", "Editer.BG_Preview002", "Editer.BG_Preview003", "BackGround.BackGround001",
          "BackGround.BackGround010"})
        EXPECT_TRUE(keys.count(k)) << k;
    EXPECT_GE(rows, 29);
}

TEST_F(GeneratedFolder, PicturesHoldTheCellsTheGameCutsFromThem) {
    gen::Canvas sample, mouse, chips;
    ASSERT_TRUE(gen::Canvas::DecodeBmp(Bytes("system\\colorSample.bmp"), sample));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(sample.Get(x, y), gen::kKeyColor);  // the sprite background is transparent
    ASSERT_TRUE(gen::Canvas::DecodeBmp(Bytes("system\\Mouse001.bmp"), mouse));
    EXPECT_GE(mouse.Width(), 256);
    EXPECT_GE(mouse.Height(), 80);
    // Chip 0 is air: its cell stays transparent; every chip a pallet offers is drawn.
    ASSERT_TRUE(gen::Canvas::DecodeBmp(Bytes("map\\ChipSet001.bmp"), chips));
    auto drawn = [&](const gen::Canvas& c, int cell) {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (c.Get((cell % 8) * 32 + x, (cell / 8) * 32 + y) != gen::kKeyColor) return true;
        return false;
    };
    EXPECT_FALSE(drawn(chips, 0));
    for (int chip : {1,  2,  3,  4,  5,  6,  8,  15, 17, 24, 31, 35, 36, 37, 40, 42, 44, 45,
                     46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63})
        EXPECT_TRUE(drawn(chips, chip)) << chip;
    for (int set = 2; set <= 4; ++set) {
        gen::Canvas s;
        ASSERT_TRUE(gen::Canvas::DecodeBmp(Bytes("map\\ChipSet00" + std::to_string(set) + ".bmp"), s));
        for (int cell = 0; cell < 64; ++cell)
            EXPECT_TRUE(drawn(s, cell)) << "set " << set << " cell " << cell;
    }
}

TEST_F(GeneratedFolder, InterfaceSheetsFitTheWaysTheControlsCutThem) {
    std::map<std::string, gen::Canvas> sheets;
    for (const char* n : {"001", "002", "003", "004", "005", "006", "007", "008", "009", "010", "011"})
        ASSERT_TRUE(gen::Canvas::DecodeBmp(Bytes(std::string("editer\\Controls_") + n + ".bmp"),
                                           sheets["Controls_" + std::string(n)]))
            << n;
    struct Cell {
        const char* key;
        int l, t, r, b;
    };
    auto drawn = [&](const Cell& c) {
        for (int y = c.t; y < c.b; ++y)
            for (int x = c.l; x < c.r; ++x)
                if (sheets[c.key].Get(x, y) != gen::kKeyColor) return true;
        return false;
    };
    // A sample of every kind of cell the controls cut: skins, close buttons, arrows, grips, check
    // box, frames, mascot poses, bar cells, lights, pad buttons, tool icons, menu strips.
    for (const Cell& c :
         std::vector<Cell>{{"Controls_001", 120, 40, 160, 80},   {"Controls_001", 160, 0, 200, 40},
                           {"Controls_001", 176, 56, 192, 72},   {"Controls_001", 240, 72, 256, 88},
                           {"Controls_001", 184, 88, 208, 104},  {"Controls_001", 240, 88, 256, 112},
                           {"Controls_001", 208, 136, 232, 160}, {"Controls_001", 232, 136, 256, 160},
                           {"Controls_001", 80, 120, 160, 160},  {"Controls_001", 64, 200, 128, 240},
                           {"Controls_001", 216, 160, 256, 200}, {"Controls_001", 192, 200, 256, 232},
                           {"Controls_002", 200, 24, 232, 48},   {"Controls_002", 176, 48, 224, 72},
                           {"Controls_002", 176, 72, 224, 120},  {"Controls_002", 168, 184, 192, 208},
                           {"Controls_002", 160, 224, 176, 240}, {"Controls_002", 248, 224, 256, 256},
                           {"Controls_005", 120, 160, 144, 200}, {"Controls_005", 192, 112, 208, 128},
                           {"Controls_005", 0, 232, 160, 248},   {"Controls_006", 128, 96, 192, 144},
                           {"Controls_006", 48, 144, 72, 184},   {"Controls_006", 72, 224, 96, 248},
                           {"Controls_006", 64, 192, 192, 216},  {"Controls_009", 224, 80, 232, 88},
                           {"Controls_009", 144, 160, 256, 192}, {"Controls_010", 85, 213, 109, 237},
                           {"Controls_010", 237, 176, 256, 208}, {"Controls_011", 0, 200, 56, 256},
                           {"Controls_011", 200, 128, 240, 192}, {"Controls_011", 112, 192, 168, 256},
                           {"Controls_003", 40, 200, 80, 240},   {"Controls_004", 120, 120, 152, 160},
                           {"Controls_007", 0, 200, 144, 240},   {"Controls_008", 0, 120, 144, 160}})
        EXPECT_TRUE(drawn(c)) << c.key << " " << c.l << "," << c.t;
    // Open frames show their children: the middle of the 120 x 120 frame stays transparent.
    EXPECT_FALSE(drawn({"Controls_002", 8, 136, 112, 240}));
    // The window body's middle meets the inside the form fills with (205,165,106) without a seam.
    for (int y = 8; y < 112; ++y)
        for (int x = 8; x < 112; ++x) ASSERT_EQ(sheets["Controls_002"].Get(x, y), 0xCDA56Au) << x << "," << y;
    // Pieces laid side by side many times are the same in every column (rows, for vertical
    // pieces): the title strip, ribbon middles, frame edges, long button, grips, tracks, bands.
    auto columnsAlike = [&](const Cell& c) {
        for (int y = c.t; y < c.b; ++y)
            for (int x = c.l; x < c.r; ++x)
                if (sheets[c.key].Get(x, y) != sheets[c.key].Get(c.l, y)) return false;
        return true;
    };
    auto rowsAlike = [&](const Cell& c) {
        for (int y = c.t; y < c.b; ++y)
            for (int x = c.l; x < c.r; ++x)
                if (sheets[c.key].Get(x, y) != sheets[c.key].Get(x, c.t)) return false;
        return true;
    };
    for (const Cell& c : std::vector<Cell>{{"Controls_002", 160, 0, 200, 48},
                                           {"Controls_002", 128, 184, 136, 208},
                                           {"Controls_002", 152, 184, 160, 208},
                                           {"Controls_002", 176, 184, 184, 208},
                                           {"Controls_002", 40, 128, 80, 168},
                                           {"Controls_002", 40, 208, 80, 248},
                                           {"Controls_002", 40, 0, 80, 40},
                                           {"Controls_002", 128, 208, 136, 232},
                                           {"Controls_002", 240, 0, 248, 16},
                                           {"Controls_002", 200, 232, 208, 240},
                                           {"Controls_005", 176, 128, 224, 148},
                                           {"Controls_005", 176, 172, 224, 192},
                                           {"Controls_009", 192, 0, 224, 80}})
        EXPECT_TRUE(columnsAlike(c)) << c.key << " " << c.l << "," << c.t;
    for (const Cell& c : std::vector<Cell>{{"Controls_002", 0, 168, 40, 208},
                                           {"Controls_002", 80, 168, 120, 208},
                                           {"Controls_002", 232, 24, 248, 32},
                                           {"Controls_002", 0, 40, 40, 80}})
        EXPECT_TRUE(rowsAlike(c)) << c.key << " " << c.l << "," << c.t;
}

TEST_F(GeneratedFolder, UndoRedoSaveAndPostIconsStayOnTheirButtonsFace) {
    // A 40 x 40 button's face runs from 3 to 36 across and 3 to 33 down; an icon piece drawn
    // outside it lands on the outline or beside the button.
    struct Block {
        const char* sheet;
        int left, top;
    };
    for (const Block& b : {Block{"Controls_003", 80, 0}, Block{"Controls_003", 80, 80},
                           Block{"Controls_003", 160, 160}, Block{"Controls_004", 0, 160}}) {
        gen::Canvas sheet;
        ASSERT_TRUE(gen::Canvas::DecodeBmp(Bytes(std::string("editer\\") + b.sheet + ".bmp"), sheet));
        for (int piece = 0; piece < 4; ++piece) {
            const int px = b.left + 40 * (piece % 2), py = b.top + 40 * (piece / 2);
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 40; ++x) {
                    const bool onFace = x >= 3 && x <= 36 && y >= 3 && y <= 33;
                    if (onFace) continue;
                    ASSERT_EQ(sheet.Get(px + x, py + y), gen::kKeyColor)
                        << b.sheet << " piece at " << px << "," << py << ": " << x << "," << y;
                }
        }
    }
}

TEST_F(GeneratedFolder, StateFilesHoldEveryElementTheGameReads) {
    auto info = Document("network\\client_info_init.dat");
    for (const char* p : {"network.createrId", "network.createrName", "network.commonKey",
                          "network.ratingPointSum", "network.createrPoint", "network.accessFailCount",
                          "config.sendingPermission", "config.keyConfigMode", "config.musicVolume",
                          "config.soundEffectVolume", "lastBootUpDate", "boughtItems"})
        EXPECT_FALSE(info->GetXmlByPath(std::string("ROOT.clientInfo.") + p).empty()) << p;
    EXPECT_EQ(info->GetByPath("ROOT.clientInfo.network.createrId"), "");
    auto save = Document("data\\scenario_save_init.dat");
    EXPECT_EQ(SplitString(save->GetByPath("ROOT.savedata.panelsstring"), ':').size(), 217u);
    int x = StrToInt(save->GetByPath("ROOT.savedata.x")), y = StrToInt(save->GetByPath("ROOT.savedata.y"));
    EXPECT_TRUE(x >= 0 && x < 18 && y >= 0 && y < 12);
    EXPECT_EQ(save->GetByPath("ROOT.savedata.shownopening"), "0");
    EXPECT_EQ(save->GetByPath("ROOT.savedata.cleared"), "0");
    EXPECT_GT(StrToInt(save->GetByPath("ROOT.savedata.kisuu")), 0);
}

TEST_F(GeneratedFolder, DataTablesFitTheGamesReaders) {
    std::vector<std::string> shop = Table("data\\shop_info.dat", 7, 50);
    int items = 0;
    for (int l = 0; l < 50; ++l)
        if (!CsvCell(shop, 50, 0, l).empty()) {
            ++items;
            EXPECT_GT(StrToInt(CsvCell(shop, 50, 3, l)), 0) << CsvCell(shop, 50, 0, l);
        }
    EXPECT_GE(items, 30);

    std::vector<std::string> rel = Table("data\\obje_relation.dat", 32, 32);
    for (int x = 0; x < 30; ++x)
        for (int y = 0; y < 30; ++y) {
            int v = StrToInt(CsvCell(rel, 32, y, x));
            EXPECT_TRUE(v >= 0 && v <= 4) << x << "," << y;
        }
    EXPECT_EQ(StrToInt(CsvCell(rel, 32, 0, 24)), 4);  // items are touched by the hero
    EXPECT_EQ(StrToInt(CsvCell(rel, 32, 0, 2)), 2);   // enemies hit the hero

    std::vector<std::string> atk = Table("data\\attack_parameters.dat", 18, 256);
    std::set<std::string> names;
    for (int l = 1; l < 256; ++l) names.insert(CsvCell(atk, 256, 0, l));
    for (const char* n : {"HyperDash",
                          "RollingAttack",
                          "BangDownGround1",
                          "BangDownGround2",
                          "BangDownGround1_WoodenMallet",
                          "BangDownGround2_WoodenMallet",
                          "WoodenMallet_ShockWave",
                          "JabGround",
                          "JabGround_Broom",
                          "SwingAroundGround",
                          "SeqJabGround",
                          "FinishJabGround",
                          "PropellerSwingGround",
                          "RisingAttack",
                          "RisingRollingAttack",
                          "BangDownAir1",
                          "BangDownAir2",
                          "JabAir",
                          "PropellerSwingAir",
                          "BangDownAirDash1",
                          "BangDownAirDash2",
                          "JabAirDash",
                          "PropellerSwingAirDash",
                          "DivingAttack",
                          "DivingAttack_WoodenMallet",
                          "JabSquat",
                          "JabDash",
                          "JabHyperDash"})
        EXPECT_TRUE(names.count(n)) << n;
}

TEST_F(GeneratedFolder, FoldersTheGameWritesIntoExist) {
    for (const char* d : {"stage\\original", "stage\\downloaded", "stage\\scenario", "network", "log"})
        EXPECT_TRUE(DirExists(d)) << d;
}

TEST(GeneratedSounds, EveryEffectTheEngineLoadsIsADistinctPlayableWave) {
    std::set<std::string> paths;
    std::set<std::vector<float>> sounds;
    for (int slot = 0; slot < CSoundEffects::kFileCount; ++slot) {
        const std::string rel = CSoundEffects::FileOf(slot);
        ASSERT_FALSE(rel.empty()) << slot;
        EXPECT_TRUE(paths.insert(rel).second) << rel << " is named twice";
        const std::string bytes = Bytes(rel);
        el::WaveFile wave;
        ASSERT_TRUE(el::ParseWave(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), wave)) << rel;
        ASSERT_TRUE(el::WaveIsPlayable(wave)) << rel;
        const el::SampleData sound = el::ConvertWave(wave);
        // Long enough to be heard, and not silence.
        EXPECT_GE(sound.frames, static_cast<size_t>(sound.rate / 50)) << rel;
        float peak = 0.0f;
        for (float v : sound.samples) peak = std::max(peak, std::abs(v));
        EXPECT_GT(peak, 0.05f) << rel;
        EXPECT_TRUE(sounds.insert(sound.samples).second) << rel << " sounds like another effect";
    }
}

const char* const kMusicNames[] = {"opening",    "topmenu",  "stageselect", "editor",   "download",
                                   "evaluation", "stage001", "stage002",    "stage003", "stage004",
                                   "stage005",   "stage006", "stage007",    "stage008", "stage009",
                                   "boss001",    "boss002",  "ending"};

// A piece of the game's music decoded whole, as the game's player reads it.
struct Decoded {
    int channels = 0;
    double rate = 0;
    std::vector<float> samples;
    double Seconds() const { return samples.size() / rate; }
    double Loudness(double from, double to) const {
        size_t a = static_cast<size_t>(from * rate),
               b = std::min(samples.size(), static_cast<size_t>(to * rate));
        double sum = 0;
        for (size_t i = a; i < b; ++i) sum += samples[i] * samples[i];
        return b > a ? std::sqrt(sum / static_cast<double>(b - a)) : 0.0;
    }
};

Decoded DecodeMusic(const std::string& name) {
    Decoded d;
    std::string path = (fs::path(kGame) / "music" / (name + ".ogg")).string();
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) return d;
    d.channels = ov_info(&vf, -1)->channels;
    d.rate = static_cast<double>(ov_info(&vf, -1)->rate);
    for (;;) {
        float** pcm = nullptr;
        int section = 0;
        long n = ov_read_float(&vf, &pcm, 4096, &section);
        if (n <= 0) break;
        d.samples.insert(d.samples.end(), pcm[0], pcm[0] + n);
    }
    ov_clear(&vf);
    return d;
}

// The loudness, every 50 ms, of a piece's first 30 seconds, around its mean: two pieces alike
// rise and fall together.
std::vector<double> LoudnessShape(const Decoded& d) {
    std::vector<double> shape;
    for (double t = 0; t < 30; t += 0.05) shape.push_back(d.Loudness(t, t + 0.05));
    double mean = 0, spread = 0;
    for (double v : shape) mean += v / static_cast<double>(shape.size());
    for (double& v : shape) spread += (v - mean) * (v - mean);
    for (double& v : shape) v = (v - mean) / std::sqrt(spread);
    return shape;
}

}  // namespace

// Every piece is mono Ogg Vorbis at a level short of clipping. The loops last 60 to 120 s and run
// from their last sample into their first without a jump; the ending, played once, lasts as long
// as the staff roll scrolls (220 frames at 60 a second before it moves, then 7200 pixels at 68 a
// second: 109.55 s) and dies away rather than stopping. No two pieces are alike.
TEST(GeneratedMusic, PiecesLastAStageLoopCleanlyAndDiffer) {
    std::map<std::string, std::vector<double>> shapes;
    for (const char* n : kMusicNames) {
        SCOPED_TRACE(n);
        Decoded d = DecodeMusic(n);
        ASSERT_EQ(d.channels, 1);
        ASSERT_FALSE(d.samples.empty());
        float peak = 0;
        for (float f : d.samples) peak = std::max(peak, std::abs(f));
        EXPECT_GT(peak, 0.5f);
        EXPECT_LT(peak, 0.95f);
        EXPECT_GT(d.Loudness(0, d.Seconds()), 0.08);
        const std::vector<float>& s = d.samples;
        if (std::string(n) == "ending") {
            EXPECT_GE(d.Seconds(), 220.0 / 60 + 7200.0 / 68);
            EXPECT_LE(d.Seconds(), 150.0);
            double end = d.Seconds();
            EXPECT_GT(d.Loudness(end - 3, end - 2), d.Loudness(end - 2, end - 1));
            EXPECT_GT(d.Loudness(end - 2, end - 1), d.Loudness(end - 1, end));
            EXPECT_LT(d.Loudness(end - 0.05, end), 0.005);
        } else {
            EXPECT_GE(d.Seconds(), 60.0);
            EXPECT_LE(d.Seconds(), 120.0);
            float steepest = 0;  // the largest step between neighbouring samples on either side of the seam
            for (size_t i = 1; i < 256; ++i)
                steepest = std::max(
                    {steepest, std::abs(s[i] - s[i - 1]), std::abs(s[s.size() - i] - s[s.size() - i - 1])});
            EXPECT_LE(std::abs(s.back() - s.front()), steepest) << s.back() << " -> " << s.front();
            EXPECT_GT(d.Loudness(0, 0.05), 0.004);  // no silent gap on either side of the loop point
            EXPECT_GT(d.Loudness(d.Seconds() - 0.05, d.Seconds()), 0.004);
        }
        shapes[n] = LoudnessShape(d);
    }
    for (auto a = shapes.begin(); a != shapes.end(); ++a)
        for (auto b = std::next(a); b != shapes.end(); ++b) {
            double together = 0;
            for (size_t i = 0; i < a->second.size(); ++i) together += a->second[i] * b->second[i];
            EXPECT_LT(together, 0.5) << a->first << " and " << b->first << " rise and fall together";
        }
}
