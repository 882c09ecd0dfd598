// The whole scenario played by the game itself, headless, the way a player goes: the title, the
// menu, the story, the world map walked cell by cell, every stage by its recorded route, the
// treasures, the keys and doors, the warps, the last boss, the staff roll and back to the menu.
// Then a run killed at random moments and started again keeps every progress it had saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/EncodedFile.h"
#include "platform/png.h"
#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// What the hero does at the end of a step: play the stage on his cell, take the treasure on it,
// or unlock the door in front of him. Each of them saves the progress.
enum class Act { Stage, Treasure, Door };

// One step of the way, from one save to the next: the cells to walk (U D L R; W takes the warp
// the hero stands on), the act and the cell it changes.
struct Step {
    const char* moves;
    Act act;
    int x, y;
    const char* stage;  // the stage's route in tests/replays/scenario
};

constexpr Step kWay[] = {
    {"R", Act::Stage, 2, 1, "stage001"},        {"R", Act::Stage, 3, 1, "stage002"},
    {"R", Act::Treasure, 4, 1, nullptr},        {"R", Act::Stage, 5, 1, "stage003"},
    {"LD", Act::Stage, 4, 2, "stage004"},       {"R", Act::Stage, 5, 2, "stage005"},
    {"R", Act::Stage, 6, 2, "boss001"},         {"R", Act::Stage, 7, 2, "stage007"},
    {"LD", Act::Stage, 6, 3, "stage008"},       {"R", Act::Stage, 7, 3, "stage009"},
    {"LD", Act::Stage, 6, 4, "stage010"},       {"R", Act::Stage, 7, 4, "stage011"},
    {"R", Act::Treasure, 8, 4, nullptr},        {"LLLLWD", Act::Stage, 10, 5, "stage012"},
    {"UWRRRD", Act::Stage, 7, 5, "boss002"},    {"D", Act::Stage, 7, 6, "stage014"},
    {"D", Act::Treasure, 7, 7, nullptr},        {"UL", Act::Stage, 6, 6, "stage015"},
    {"RR", Act::Stage, 8, 6, "stage016"},       {"DWR", Act::Stage, 2, 9, "stage017"},
    {"R", Act::Stage, 3, 9, "stage018"},        {"R", Act::Stage, 4, 9, "stage019"},
    {"R", Act::Stage, 5, 9, "boss003"},         {"R", Act::Stage, 6, 9, "stage021"},
    {"D", Act::Treasure, 6, 10, nullptr},       {"ULLLLLWULUUUULLLULLD", Act::Door, 2, 2, nullptr},
    {"DD", Act::Stage, 2, 3, "stage022"},       {"D", Act::Stage, 2, 4, "stage023"},
    {"L", Act::Treasure, 1, 4, nullptr},        {"RDRD", Act::Stage, 3, 6, "stage025"},
    {"R", Act::Stage, 4, 6, "stage024"},        {"LL", Act::Stage, 2, 6, "boss004"},
    {"UUUUURRDRRRR", Act::Door, 8, 2, nullptr}, {"RR", Act::Stage, 9, 2, "stage027"},
    {"R", Act::Stage, 10, 2, "stage028"},       {"U", Act::Treasure, 10, 1, nullptr},
    {"DR", Act::Stage, 11, 2, "stage029"},      {"RR", Act::Stage, 13, 2, "stage030"},
    {"R", Act::Stage, 14, 2, "stage031"},       {"R", Act::Stage, 15, 2, "stage032"},
    {"D", Act::Stage, 15, 3, "stage034"},       {"R", Act::Treasure, 16, 3, nullptr},
    {"LL", Act::Treasure, 14, 3, nullptr},      {"L", Act::Stage, 13, 3, "stage033"},
    {"D", Act::Stage, 13, 4, "stage035"},       {"L", Act::Treasure, 12, 4, nullptr},
    {"RR", Act::Stage, 14, 4, "stage036"},      {"R", Act::Stage, 15, 4, "stage037"},
    {"LD", Act::Stage, 14, 5, "boss005"},       {"D", Act::Stage, 14, 6, "stage039"},
    {"L", Act::Stage, 13, 6, "stage040"},       {"RRR", Act::Stage, 16, 6, "stage041"},
    {"LLLLWL", Act::Door, 11, 10, nullptr},     {"LL", Act::Treasure, 10, 10, nullptr},
    {"U", Act::Treasure, 10, 9, nullptr},       {"L", Act::Treasure, 9, 9, nullptr},
    {"D", Act::Stage, 9, 10, "stage048"},       {"RRRU", Act::Stage, 12, 9, "stage042"},
    {"U", Act::Stage, 12, 8, "stage043"},       {"R", Act::Stage, 13, 8, "stage044"},
    {"R", Act::Stage, 14, 8, "stage045"},       {"RRD", Act::Stage, 16, 9, "stage046"},
    {"D", Act::Stage, 16, 10, "boss099"},
};
constexpr int kSteps = static_cast<int>(std::size(kWay));

// Frames of the run's start: the title passes with Z, Z in the menu opens the scenario, and Z
// closes the story on a first visit; the map takes keys once its fade is over.
constexpr int kTitleZ = 250, kMenuZ = 380, kStoryZ = 500, kMapFrom = 580;
// Frames after a tap on the map: a cell takes 20; a warp 130; a treasure's window opens after 30.
constexpr int kCellWait = 26, kWarpWait = 140, kWindowWait = 40;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Builds a key script for the game: one section per stretch between plays.
class ScriptWriter {
  public:
    explicit ScriptWriter(int from) : t_(from) {}
    void Tap(const char* key, int wait) {
        text_ += std::to_string(t_) + " " + key + " down\n" + std::to_string(t_ + 2) + " " + key + " up\n";
        t_ += 2 + wait;
    }
    void Walk(const std::string& moves) {
        for (char m : moves) {
            if (m == 'W') {
                Tap("Z", kWarpWait);
            } else {
                const char* key = m == 'U' ? "Up" : m == 'D' ? "Down" : m == 'L' ? "Left" : "Right";
                Tap(key, kCellWait);
            }
        }
    }
    // The play of a stage by its route, then back on the map.
    void Play(const std::string& route) {
        Tap("Z", 10);
        text_ += "@play\n";
        std::istringstream lines(ReadText(fs::path(QUOR_REPLAY_DIR) / "scenario" / (route + ".txt")));
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) text_ += line + "\n";
        text_ += "@after-play\n";
        t_ = 10;
    }
    void Take(const Step& step) {
        Walk(step.moves);
        switch (step.act) {
            case Act::Stage:
                Play(step.stage);
                break;
            case Act::Treasure:
                Tap("Z", kWindowWait);
                Tap("Z", 10);
                break;
            case Act::Door:
                Tap("Z", 10);
                break;
        }
    }
    void Line(const std::string& line) { text_ += line + "\n"; }
    int Now() const { return t_; }
    const std::string& Text() const { return text_; }

  private:
    int t_;
    std::string text_ = "# the scenario, step by step\n";
};

// The progress file as pieces: position, flags and the panel text.
struct Progress {
    bool exists = false;
    int x = -1, y = -1, keys = -1;
    bool cleared = false, shownOpening = false;
    std::vector<std::string> panels;

    std::string Piece(int cx, int cy) const {
        const size_t i = static_cast<size_t>(cy) * 18 + static_cast<size_t>(cx);
        return i < panels.size() ? panels[i] : std::string();
    }
    // How many steps from the first are done, their cells saved as changed.
    int StepsDone() const {
        int done = 0;
        while (done < kSteps && Piece(kWay[done].x, kWay[done].y) == "2") ++done;
        return done;
    }
};

std::string Element(const std::string& xml, const std::string& name) {
    const size_t from = xml.find("<" + name + ">"), to = xml.find("</" + name + ">");
    if (from == std::string::npos || to == std::string::npos) return "?";
    return xml.substr(from + name.size() + 2, to - from - name.size() - 2);
}

class ScenarioRun : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the game folder is not built";
        testsupport::CopyBuiltGame(game.Path());
        fs::create_directories(shots);
    }

    testsupport::GameRun Run(const std::string& script, const std::string& name, int frames, int every) {
        const fs::path keys = game.Path() / (name + ".keys");
        std::ofstream(keys) << script;
        testsupport::GameRun run;
        run.args = {"--headless",           "--keys-file",        keys.string(),         "--frames",
                    std::to_string(frames), "--screenshot-every", std::to_string(every), "--out",
                    shots.string()};
        run.workDir = game.Path();
        run.output = game.Path() / (name + ".out");
        run.env = {{"SDL_AUDIODRIVER", "dummy"}};
        return run;
    }

    // The script from a game start to the end of step `last`, beginning at step `first` (the
    // hero standing where step `first - 1` left him); the story is closed when it will show.
    std::string Script(int first, int last, bool storyShows, ScriptWriter* out = nullptr) {
        ScriptWriter w(kTitleZ);
        w.Tap("Z", kMenuZ - kTitleZ - 2);
        w.Tap("Z", kStoryZ - kMenuZ - 2);
        if (storyShows) w.Tap("Z", kMapFrom - kStoryZ - 2);
        for (int i = first; i <= last; ++i) w.Take(kWay[i]);
        if (out) *out = w;
        return w.Text();
    }

    Progress ReadProgress() const {
        Progress p;
        std::string xml;
        const std::string stored = ReadText(game.Path() / "data" / "scenario_save.dat");
        if (stored.empty()) return p;
        const auto text = DecodeFileText(stored);
        EXPECT_TRUE(text.has_value()) << "the progress file is damaged";
        if (!text) return p;
        xml = *text;
        p.exists = true;
        p.x = std::atoi(Element(xml, "x").c_str());
        p.y = std::atoi(Element(xml, "y").c_str());
        p.keys = std::atoi(Element(xml, "keynum").c_str());
        p.cleared = Element(xml, "cleared") == "1";
        p.shownOpening = Element(xml, "shownopening") == "1";
        std::istringstream pieces(Element(xml, "panelsstring"));
        for (std::string piece; std::getline(pieces, piece, ':');) p.panels.push_back(piece);
        while (p.panels.size() < 217) p.panels.emplace_back();
        return p;
    }

    std::string Log() const {
        std::string all;
        for (const auto& entry : fs::directory_iterator(game.Path() / "log")) all += ReadText(entry.path());
        return all;
    }

    testsupport::TempFolder game{"quor-scenario-run"};
    fs::path shots = game.Path() / "shots";
};

bool ShowsColour(const fs::path& png, int x, int y, uint32_t rgb) {
    plat::Surface s;
    if (!plat::ReadPng(png.string(), s)) return false;
    return (s.pixels[static_cast<size_t>(y) * static_cast<size_t>(s.width) + static_cast<size_t>(x)] &
            0xFFFFFF) == rgb;
}

TEST_F(ScenarioRun, TheWholeScenarioFromTheMenuToTheStaffRollAndBack) {
    ScriptWriter w(0);
    std::string script = Script(0, kSteps - 1, true, &w);
    // After the last boss: the mode ends, the staff roll rolls; X leaves it once it takes keys,
    // and the window closes on the menu.
    script += std::to_string(w.Now() + 7400) + " X down\n" + std::to_string(w.Now() + 7402) + " X up\n";
    script += std::to_string(w.Now() + 8000) + " close\n";
    const auto started = std::chrono::steady_clock::now();
    const int status = testsupport::RunGame(game.Path(), Run(script, "whole", 400000, 250));
    const auto minutes =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count() / 60;
    std::printf("the whole scenario played in %.1f minutes\n", minutes);
    ASSERT_EQ(status, 0) << ReadText(game.Path() / "whole.out");
    EXPECT_EQ(Log().find("Error Code"), std::string::npos) << Log();

    const Progress p = ReadProgress();
    ASSERT_TRUE(p.exists);
    EXPECT_EQ(p.StepsDone(), kSteps) << "stuck after step " << p.StepsDone();
    EXPECT_TRUE(p.cleared);
    EXPECT_EQ(p.keys, 0);
    EXPECT_EQ(p.x, 16);
    EXPECT_EQ(p.y, 10);
    const std::string client =
        DecodeFileText(ReadText(game.Path() / "network" / "client_info.dat")).value_or("");
    for (const char* prize : {"TonFar001", "Magician001", "SkyMobile001", "Warp001", "EnemyZeroDoor001",
                              "CustomLift001", "Stage008", "Boss001", "Fish"})
        EXPECT_NE(client.find(prize), std::string::npos) << prize;

    // The staff roll showed (its sand colour beside the frame), and the run ended on the menu.
    std::vector<fs::path> frames;
    for (const auto& entry : fs::directory_iterator(shots)) frames.push_back(entry.path());
    // In frame order: the names grow a digit past frame 99999.
    std::sort(frames.begin(), frames.end(), [](const fs::path& a, const fs::path& b) {
        const std::string x = a.filename().string(), y = b.filename().string();
        return x.size() != y.size() ? x.size() < y.size() : x < y;
    });
    ASSERT_FALSE(frames.empty());
    int rolled = 0;
    for (size_t i = frames.size() > 40 ? frames.size() - 40 : 0; i < frames.size(); ++i)
        rolled += ShowsColour(frames[i], 4, 240, 0xCDA56A);
    EXPECT_GT(rolled, 20);
    EXPECT_FALSE(ShowsColour(frames.back(), 4, 240, 0xCDA56A));
}

// Kills the game at random frames of the first lands' steps, starts it again from where the
// progress file says, and checks that no save made before a kill is lost.
TEST_F(ScenarioRun, KilledAtRandomMomentsTheGameKeepsItsProgress) {
    constexpr int kLastStep = 12;  // the first two lands and their treasures
    // QUOR_SEED replays a run (scripts/test.sh sets it); otherwise a fresh seed, printed.
    const char* given = std::getenv("QUOR_SEED");
    const unsigned seed = given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10))
                                : static_cast<unsigned>(std::random_device{}());
    std::printf("kill seed %u (QUOR_SEED=%u replays it)\n", seed, seed);
    std::mt19937 random(seed);
    int first = 0;
    bool storyShows = true;
    int previousDone = 0;
    for (int kill = 0; kill < 4; ++kill) {
        SCOPED_TRACE("kill " + std::to_string(kill) + ", seed " + std::to_string(seed));
        fs::remove_all(shots);
        fs::create_directories(shots);
        const int every = 50;
        const int at = every * std::uniform_int_distribution<int>(kMapFrom / every + 2, 9000 / every)(random);
        char name[32];
        std::snprintf(name, sizeof name, "frame_%05d.png", at);
        testsupport::GameProcess process(game.Path(),
                                         Run(Script(first, kLastStep, storyShows), "killed", 100000, every));
        ASSERT_TRUE(process.Started());
        const bool reached = process.WaitForFile(shots, name);
        const Progress before = ReadProgress();
        process.Kill();
        ASSERT_TRUE(reached) << "the game ended before frame " << at << ": "
                             << ReadText(game.Path() / "killed.out");
        // The file is whole and holds at least what was saved before the kill.
        const Progress after = ReadProgress();
        EXPECT_GE(after.StepsDone(), before.StepsDone());
        EXPECT_GE(after.StepsDone(), previousDone);
        if (after.exists) {
            EXPECT_FALSE(after.panels.empty());
            EXPECT_TRUE(after.shownOpening);
        }
        for (int i = after.StepsDone(); i < kSteps; ++i)
            EXPECT_NE(after.Piece(kWay[i].x, kWay[i].y), "2") << "step " << i << " done out of turn";
        previousDone = after.StepsDone();
        first = after.StepsDone();
        storyShows = !after.exists || !after.shownOpening;
        std::printf("killed at frame %d with %d steps saved\n", at, first);
        if (first > kLastStep) break;
    }
    // The last start plays the rest of the stretch to its end.
    if (first <= kLastStep) {
        ScriptWriter w(0);
        const std::string script =
            Script(first, kLastStep, storyShows, &w) + std::to_string(w.Now() + 60) + " close\n";
        ASSERT_EQ(testsupport::RunGame(game.Path(), Run(script, "last", 100000, 1000)), 0)
            << ReadText(game.Path() / "last.out");
    }
    const Progress done = ReadProgress();
    EXPECT_EQ(done.StepsDone(), kLastStep + 1);
    EXPECT_EQ(done.x, kWay[kLastStep].x);
    EXPECT_EQ(done.y, kWay[kLastStep].y);
    EXPECT_EQ(Log().find("Error Code"), std::string::npos) << Log();
}

}  // namespace
