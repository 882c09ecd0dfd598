// The generator's own pieces: manifest lines, tables, pictures, notes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "foundation/EncodedFile.h"
#include "tests/common/temp_folder.h"
#include "tools/gen/Audio.h"
#include "tools/gen/Canvas.h"
#include "tools/gen/DataFiles.h"
#include "tools/gen/GenCommon.h"
#include "tools/gen/Images.h"
#include "tools/gen/Shapes.h"

namespace fs = std::filesystem;
using namespace gen;

namespace {

// A scratch folder of the test's own.
struct TempDir : testsupport::TempFolder {
    TempDir() : TempFolder("quor-gen") {}
    const fs::path& path = Path();
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(path / name, std::ios::binary) << text;
        return (path / name).string();
    }
};

}  // namespace

TEST(GenManifest, LinesSplitIntoWordValuesAndParameters) {
    Line l;
    ASSERT_TRUE(ParseLine("text 1 2 30 40 \"two words\" size=12 notes=\"C5 E5\" # comment", "t:1", l));
    EXPECT_EQ(l.word, "text");
    ASSERT_EQ(l.args.size(), 5u);
    EXPECT_EQ(l.args[4], "two words");
    EXPECT_EQ(l.Int("size", 0), 12);
    EXPECT_EQ(l.Str("notes"), "C5 E5");
    // A quoted value holding '=' stays a value, not a parameter.
    ASSERT_TRUE(ParseLine("text 0 0 1 1 \"a=b\"", "t:2", l));
    EXPECT_EQ(l.args.back(), "a=b");
    EXPECT_FALSE(ParseLine("   # only a comment", "t:3", l));
    EXPECT_THROW(ParseLine("text \"open", "t:4", l), GenError);
    ASSERT_TRUE(ParseLine("rect 0 0 4 4 fill=purple", "t:5", l));
    EXPECT_THROW(l.Color("fill", 0), GenError);
}

TEST(GenManifest, ColoursParse) {
    uint32_t c = 0;
    EXPECT_TRUE(ParseColor("#102030", c));
    EXPECT_EQ(c, 0x102030u);
    EXPECT_TRUE(ParseColor("#abc", c));
    EXPECT_EQ(c, 0xAABBCCu);
    EXPECT_TRUE(ParseColor("key", c));
    EXPECT_EQ(c, kKeyColor);
    EXPECT_FALSE(ParseColor("#12345", c));
}

TEST(GenManifest, GridRepeatsAWordWithSubstitutions) {
    TempDir dir;
    dir.Write("a.txt",
              "image System.Test 64x32 cell=32x32\n"
              "grid 2 1 32 0 fill 0 0 32 32 color=$[#ff0000,#0000ff]\n"
              "image System.Other 8x8 path=system\\other.bmp\n");
    std::vector<ImageDef> defs = ReadImageManifests(dir.path.string());
    ASSERT_EQ(defs.size(), 2u);
    EXPECT_EQ(defs[0].path, "system\\Test.bmp");
    EXPECT_EQ(defs[0].cellW, 32);
    ASSERT_EQ(defs[0].ops.size(), 2u);
    EXPECT_EQ(defs[0].ops[1].args[0], "32");
    Canvas c = BuildImage(defs[0], defs);
    EXPECT_EQ(c.Get(5, 5), 0xFF0000u);
    EXPECT_EQ(c.Get(40, 5), 0x0000FFu);
    EXPECT_EQ(BuildImageIndex(defs),
              "System.Test,system\\Test.bmp,32,32\nSystem.Other,system\\other.bmp,0,0\n");
}

TEST(GenManifest, MirroredImagesFlipEachCell) {
    TempDir dir;
    dir.Write("a.txt",
              "image Char.A_R 64x32 cell=32x32\n"
              "fill 0 0 8 32 color=#ff0000\n"
              "image Char.A_L 64x32 cell=32x32 mirror=Char.A_R\n");
    auto defs = ReadImageManifests(dir.path.string());
    Canvas left = BuildImage(defs[1], defs);
    EXPECT_EQ(left.Get(31, 0), 0xFF0000u);
    EXPECT_EQ(left.Get(0, 0), kKeyColor);
    EXPECT_EQ(left.Get(63, 0), kKeyColor);
}

TEST(GenManifest, BadManifestsAreRefusedWithTheirPlace) {
    TempDir dir;
    dir.Write("bad.txt", "image System.X 8x8\nsquiggle 0 0 8 8\n");
    auto defs = ReadImageManifests(dir.path.string());
    try {
        BuildImage(defs[0], defs);
        FAIL() << "unknown word accepted";
    } catch (const GenError& e) {
        EXPECT_NE(std::string(e.what()).find("bad.txt:2"), std::string::npos);
    }
    TempDir two;
    two.Write("a.txt", "image System.X 8x8\nimage System.X 8x8 path=system\\y.bmp\n");
    EXPECT_THROW(BuildImageIndex(ReadImageManifests(two.path.string())), GenError);
    TempDir nokey;
    nokey.Write("a.txt", "image NoDot 8x8\n");
    EXPECT_THROW(ReadImageManifests(nokey.path.string()), GenError);
}

TEST(GenManifest, PlaceholdersGiveWayToTheRealPicture) {
    TempDir dir;
    dir.Write("a_stand.txt",
              "image Char.E_R 8x8 placeholder=1\nfill 0 0 8 8 color=#0000ff\n"
              "image Char.E_L 8x8 placeholder=1 mirror=Char.E_R\n"
              "image Char.F 8x8 placeholder=1\n");
    dir.Write("b_real.txt", "image Char.E_R 8x8\nfill 0 0 2 8 color=#ff0000\n");
    auto defs = ReadImageManifests(dir.path.string());
    ASSERT_EQ(defs.size(), 3u);  // E_L and F stand in, E_R is the real one
    EXPECT_EQ(BuildImageIndex(defs),
              "Char.E_L,char\\E_L.bmp,0,0\nChar.F,char\\F.bmp,0,0\nChar.E_R,char\\E_R.bmp,0,0\n");
    Canvas left = BuildImage(defs[0], defs);
    EXPECT_EQ(left.Get(7, 0), 0xFF0000u);  // mirrored from the real picture, not the stand-in
    dir.Write("c_again.txt", "image Char.E_R 8x8\n");
    EXPECT_THROW(ReadImageManifests(dir.path.string()), GenError);
}

TEST(GenManifest, EveryWordDrawsWithDefaults) {
    for (const std::string& word : ShapeWords()) {
        Canvas c(64, 64, kKeyColor);
        Line l;
        std::string text = word + " 0 0 64 64";
        if (word == "text") text += " \"あA\"";
        if (word == "copy") text += " 0 0";
        if (word == "line") text = "line 0 0 63 63";
        if (word == "poly") text = "poly 0 0 63 0 32 63 fill=#ffffff";
        ASSERT_TRUE(ParseLine(text, "t:1", l));
        EXPECT_NO_THROW(DrawShape(c, l)) << word;
    }
}

TEST(GenCanvas, BmpRoundTripKeepsEveryPixel) {
    Canvas c(5, 3, kKeyColor);  // an odd width needs row padding
    c.Set(0, 0, 0x123456);
    c.Set(4, 2, 0xABCDEF);
    std::string bmp = c.EncodeBmp();
    EXPECT_EQ(bmp.size(), 54u + 16u * 3u);
    Canvas back;
    ASSERT_TRUE(Canvas::DecodeBmp(bmp, back));
    EXPECT_EQ(back.Width(), 5);
    EXPECT_EQ(back.Height(), 3);
    EXPECT_EQ(back.Get(0, 0), 0x123456u);
    EXPECT_EQ(back.Get(4, 2), 0xABCDEFu);
    EXPECT_EQ(back.Get(2, 1), kKeyColor);
    EXPECT_FALSE(Canvas::DecodeBmp(bmp.substr(0, 60), back));
}

TEST(GenTables, DirectivesCommentsAndShapeChecks) {
    TempDir dir;
    std::string path = dir.Write("things.csv", "#@ path=data\\other.dat table=2x3\n# a comment\na,b\nc\n\n");
    TableFile t = ReadTableFile(path);
    EXPECT_EQ(t.outPath, "data\\other.dat");
    EXPECT_EQ(t.text, "a,b\nc\n");
    std::string tooWide = dir.Write("wide.csv", "#@ table=2x3\na,b,c\n");
    EXPECT_THROW(ReadTableFile(tooWide), GenError);
    std::string xml =
        dir.Write("doc.xml", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<a>\n  <b>x y</b>\n</a>\n");
    EXPECT_EQ(ReadTableFile(xml).text, "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<a><b>x y</b></a>");
    EXPECT_EQ(ReadTableFile(xml).outPath, "data\\doc.dat");
}

TEST(GenTables, WrittenTablesDecodeToTheirText) {
    TempDir dir;
    WriteDataFile(dir.path.string(), "data\\t.dat", "鍵,かぎ\n", 32768);
    std::string stored;
    std::ifstream(dir.path / "data" / "t.dat", std::ios::binary) >> stored;
    auto plain = DecodeFileText(stored);
    ASSERT_TRUE(plain.has_value());
    EXPECT_EQ(*plain, "鍵,かぎ\n");
    // Text the game's files cannot carry is refused rather than silently turned into '?'.
    EXPECT_THROW(WriteDataFile(dir.path.string(), "data\\u.dat", "emoji \xF0\x9F\x98\x80\n", 32768),
                 GenError);
}

TEST(GenAudio, NotesAndWaves) {
    double hz = 0;
    ASSERT_TRUE(NoteFrequency("A4", hz));
    EXPECT_NEAR(hz, 440.0, 1e-9);
    ASSERT_TRUE(NoteFrequency("C#5", hz));
    EXPECT_NEAR(hz, 554.365, 0.01);
    EXPECT_FALSE(NoteFrequency("H2", hz));
    EXPECT_FALSE(NoteFrequency("C", hz));
    std::string wav = EncodeWav(std::vector<float>(100, 0.5f));
    EXPECT_EQ(wav.size(), 44u + 200u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
}

TEST(GenAudio, PiecesLastTheirBarsAndRefuseBadSettings) {
    Line p;
    ASSERT_TRUE(ParseLine("piece music\\x.ogg tempo=120 bars=4 beats=4 drums=rock seed=3", "m:1", p));
    std::vector<float> s = ComposePiece(p);
    EXPECT_EQ(s.size(), static_cast<size_t>(8.0 * kSampleRate));
    float peak = 0;
    for (float f : s) peak = std::max(peak, std::abs(f));
    EXPECT_GT(peak, 0.05f);
    ASSERT_TRUE(ParseLine("piece music\\x.ogg tempo=120 bars=4 mode=bluesy", "m:2", p));
    EXPECT_THROW(ComposePiece(p), GenError);
    ASSERT_TRUE(ParseLine("piece music\\x.ogg tempo=60 bars=40", "m:3", p));
    EXPECT_THROW(ComposePiece(p), GenError);  // 160 s is no short loop
}

// Every setting value music.txt's header lists composes, in 4/4 and 3/4, and a name no table
// knows is refused with its place rather than played as something else.
TEST(GenAudio, EveryListedStyleComposesAndUnknownOnesAreRefused) {
    std::map<std::string, std::vector<std::string>> listed;
    std::istringstream header(ReadTextFile(std::string(QUOR_GEN_SOURCE_DIR) + "/music.txt"));
    std::string line, word;
    while (std::getline(header, line) && line.rfind('#', 0) == 0) {
        std::istringstream words(line);
        while (words >> word) {
            size_t eq = word.find('=');
            if (eq == std::string::npos || word.find('|') == std::string::npos ||
                word.find('<') != std::string::npos)
                continue;
            std::istringstream values(word.substr(eq + 1));
            std::string v;
            while (std::getline(values, v, '|')) listed[word.substr(0, eq)].push_back(v);
        }
    }
    for (const char* setting : {"mode", "bassstyle", "padstyle", "drums"})
        ASSERT_GE(listed[setting].size(), 4u) << setting << " is not listed in music.txt";
    for (auto& [setting, values] : listed)
        for (const std::string& v : values)
            for (const char* beats : {"4", "3"}) {
                Line p;
                ASSERT_TRUE(ParseLine("piece music\\x.ogg tempo=120 bars=4 beats=" + std::string(beats) +
                                          " " + setting + "=" + v,
                                      "m:1", p));
                EXPECT_NO_THROW(ComposePiece(p)) << setting << "=" << v;
            }
    for (const char* bad :
         {"bassstyle=funk", "padstyle=swell", "drums=disco", "lead=kazoo", "form=", "prog=\"I IV H\""}) {
        Line p;
        ASSERT_TRUE(ParseLine(std::string("piece music\\x.ogg tempo=120 bars=4 ") + bad, "m:7", p));
        try {
            ComposePiece(p);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const GenError& e) {
            EXPECT_NE(std::string(e.what()).find("m:7"), std::string::npos) << e.what();
        }
    }
}

// An instrument set to "none" stays silent whatever would play it: a given melody, the bass.
TEST(GenAudio, SilentInstrumentsPlayNothing) {
    Line p;
    ASSERT_TRUE(
        ParseLine("piece music\\x.ogg tempo=120 bars=4 lead=none bass=none pad=none drums=none "
                  "harmony=1 harmonywave=none melody=\"C5:2 E5:2\"",
                  "m:1", p));
    std::vector<float> s = ComposePiece(p);
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(
        *std::max_element(s.begin(), s.end(), [](float a, float b) { return std::abs(a) < std::abs(b); }),
        0.0f);
}

// The game's pieces are songs: a theme, at least two contrasting sections (another melody or
// key, a break) and a varied repeat.
TEST(GenAudio, TheGamesPiecesHaveContrastAndAVariedRepeat) {
    int pieces = 0;
    for (const Line& l : ReadManifest(std::string(QUOR_GEN_SOURCE_DIR) + "/music.txt")) {
        if (l.word != "piece") continue;
        ++pieces;
        std::set<char> letters;
        bool variant = false;
        std::istringstream song(l.Str("song"));
        for (std::string name; song >> name;) {
            letters.insert(name[0]);
            variant = variant || name.size() > 1;
        }
        EXPECT_GE(letters.size(), 3u) << l.args[0];
        EXPECT_TRUE(variant) << l.args[0];
    }
    EXPECT_EQ(pieces, 18);
}

namespace {

// A piece line and its section lines, as music.txt gives them.
std::vector<Line> MusicLines(const std::vector<std::string>& texts) {
    std::vector<Line> lines(texts.size());
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_TRUE(ParseLine(texts[i], "m:" + std::to_string(i + 1), lines[i])) << texts[i];
    return lines;
}

std::vector<float> ComposeSong(const std::vector<std::string>& texts) {
    std::vector<Line> lines = MusicLines(texts);
    return ComposePiece(lines[0], std::vector<Line>(lines.begin() + 1, lines.end()));
}

// The samples [from, to) seconds of a piece.
std::vector<float> Stretch(const std::vector<float>& s, double from, double to) {
    return {s.begin() + std::lround(from * kSampleRate), s.begin() + std::lround(to * kSampleRate)};
}

}  // namespace

// Sections play one after the other for their own bars; a variant ("A2") plays its letter's
// melody again, another letter has a melody of its own, and a loop closes without a jump.
TEST(GenAudio, SongsLayTheirSectionsEndToEnd) {
    const std::string piece = "piece music\\x.ogg tempo=120 bars=2 bass=none pad=none echo=0 seed=9 song=";
    std::vector<float> s = ComposeSong({piece + "\"A B A2\"", "section B bars=4", "section A2 leadvol=0.3"});
    EXPECT_EQ(s.size(), static_cast<size_t>(16.0 * kSampleRate));  // 2 + 4 + 2 bars of 2 s
    s = ComposeSong({piece + "\"A A2\"", "section A2 leadvol=0.28"});
    EXPECT_EQ(Stretch(s, 0, 4), Stretch(s, 4, 8));
    s = ComposeSong({piece + "\"A B\""});
    EXPECT_NE(Stretch(s, 0, 4), Stretch(s, 4, 8));
    // The loop's end runs on into its start as smoothly as the music runs anywhere near it.
    float steepest = 0;
    for (size_t i = 1; i < 512; ++i)
        steepest =
            std::max({steepest, std::abs(s[i] - s[i - 1]), std::abs(s[s.size() - i] - s[s.size() - i - 1])});
    EXPECT_LE(std::abs(s.front() - s.back()), steepest);
    // A varied repeat keeps the rhythm and turns some notes in two: not the same samples.
    s = ComposeSong({piece + "\"A A2\"", "section A2 vary=0.6"});
    EXPECT_NE(Stretch(s, 0, 4), Stretch(s, 4, 8));
    // Two bars slowing steadily to 0.7 of the tempo take 4 s / 0.3 x ln(1 / 0.7) = 4.7557 s.
    s = ComposeSong({piece + "\"A B\"", "section B rit=0.3"});
    EXPECT_NEAR(static_cast<double>(s.size()), (4.0 + 4.7557) * kSampleRate, 2);
}

TEST(GenAudio, SongMistakesAreRefusedWithTheirLine) {
    const std::string piece = "piece music\\x.ogg tempo=120 bars=2 song=";
    const std::vector<std::vector<std::string>> bad = {
        {piece + "\"A A2\""},                                         // a variant with no line of its own
        {piece + "\"A B\"", "section C bars=2"},                      // a section the song never plays
        {piece + "\"A b\""},                                          // not a section name
        {piece + "\"A B\"", "section B rit=0.9"},                     // slowing down to a crawl
        {piece + "\"A B\"", "section B bars=4", "section B bars=2"},  // one section given twice
        {"piece music\\x.ogg tempo=120 bars=40 song=\"A A2\"", "section A2 vary=0.2"},  // 160 s loop
    };
    for (const auto& texts : bad) {
        try {
            ComposeSong(texts);
            ADD_FAILURE() << texts.back() << " was accepted";
        } catch (const GenError& e) {
            EXPECT_NE(std::string(e.what()).find("m:"), std::string::npos) << e.what();
        }
    }
}

// A piece played once ends on its final chord, which dies away to silence over the coda.
TEST(GenAudio, APiecePlayedOnceEndsOnItsChord) {
    std::vector<float> s =
        ComposeSong({"piece music\\x.ogg tempo=120 bars=4 loop=0 coda=3 drums=soft seed=4"});
    ASSERT_EQ(s.size(), static_cast<size_t>(11.0 * kSampleRate));
    auto loudness = [&](double from, double to) {
        double sum = 0;
        for (float f : Stretch(s, from, to)) sum += f * f;
        return std::sqrt(sum / ((to - from) * kSampleRate));
    };
    EXPECT_GT(loudness(8, 8.5), 0.05);                   // the chord struck
    EXPECT_GT(loudness(8, 9), 2 * loudness(9.5, 10.5));  // dying away
    EXPECT_LT(loudness(10.9, 11), 0.002);                // and gone
    EXPECT_EQ(s.back(), 0.0f);
}
