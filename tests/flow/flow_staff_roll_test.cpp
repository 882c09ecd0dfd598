// What the staff roll says and shows: its headings and credit lines in order, a part in the cast
// for every enemy and boss the editor places (once each), each member's picture the look of its
// kind as the character pallet shows it, and the names the pallet and the roll give the coloured
// variants agreeing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "editor_windows/CharacterPalletWindow.h"
#include "engine/el/elBmp.h"
#include "flow/ScenarioModeStaffRollScene.h"
#include "stage/KeyTextTable.h"
#include "tests/common/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Roll = CScenarioModeStaffRollScene;

std::vector<std::string> Words(const char* text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// The kinds of the character pallet that play no part: the test bosses.
const std::set<std::string> kNoPart = {"TestBoss001", "TestBoss002"};

std::map<std::string, Controls::PalletEntry> CharacterKinds() {
    std::map<std::string, Controls::PalletEntry> kinds;
    for (const Controls::PalletEntry& e : Controls::CCharacterPalletWindow::Entries())
        if (!kNoPart.contains(e.key)) kinds.emplace(e.key, e);
    return kinds;
}

TEST(StaffRollContent, TheHeadingsAndCreditLinesRollByInOrder) {
    const std::vector<std::pair<double, std::string>> expected = {
        {232, "- Quorvald -"},
        {712, "- staff -"},
        {952, "- メインプログラム -"},
        {976, "- グラフィック -"},
        {1000, "- サウンド -"},
        {1072, "クオルヴァルド せいさく チーム"},
        {1216, "- ネットワークプログラム -"},
        {1288, "クオルヴァルド ネットワーク はん"},
        {1432, "- スペシャルサンクス -"},
        {1504, "テストプレイヤーの みなさん"},
        {1528, "フリーソフトウェアの かいはつしゃの みなさん"},
        {1552, "フォントの せいさくしゃの みなさん"},
        {1576, "おうえんしてくれた かぞくと ともだち"},
        {1720, "- 投稿ステージの作成 -"},
        {1792, "数え切れない多くのみなさま"},
        {1840, "それから、あ・な・た"},
        {2320, "- 出演 -"},
    };
    const auto credits = Roll::Credits();
    ASSERT_EQ(credits.size(), expected.size());
    for (size_t i = 0; i < credits.size(); ++i) {
        EXPECT_EQ(credits[i].rollY, expected[i].first) << i;
        EXPECT_EQ(credits[i].text, expected[i].second) << i;
        // Headings are framed by dashes and set larger than the lines under them.
        const bool heading = std::string(credits[i].text).starts_with("- ");
        EXPECT_EQ(credits[i].size, heading ? 16 : 14) << credits[i].text;
    }
    // The cast follows its heading, and its last picture has gone by before the closing notice
    // (at 200 below the scroll limit) stands on the screen.
    const auto cast = Roll::Cast();
    ASSERT_EQ(cast.size(), 36u);
    EXPECT_GT(Roll::kCastTop, credits.back().rollY + 200);
    const Roll::CastMember& last = cast.back();
    EXPECT_LT(Roll::kCastTop + Roll::kCastStep * 35 + Roll::kCastPictureDrop + (last.bottom - last.top),
              200 - Roll::kScrollLimit - 480);
}

TEST(StaffRollContent, EveryEnemyAndBossOfTheEditorHasOnePartAndEveryMemberADifferentName) {
    const auto kinds = CharacterKinds();
    ASSERT_EQ(kinds.size(), 42u);  // 36 enemies and 6 bosses
    std::map<std::string, int> parts;
    std::set<std::string> names;
    for (const Roll::CastMember& m : Roll::Cast()) {
        EXPECT_TRUE(names.insert(m.name).second) << m.name;
        const auto played = Words(m.kinds);
        EXPECT_FALSE(played.empty()) << m.name;
        for (const std::string& k : played) {
            EXPECT_TRUE(kinds.contains(k)) << m.name << " plays " << k;
            ++parts[k];
        }
    }
    for (const auto& [key, entry] : kinds) EXPECT_EQ(parts[key], 1) << key;
}

// An enemy's picture is its kind's preview on the character pallet; a stick-man boss's is a piece
// of one of its own two pages (colour c has pages 2c + 1 and 2c + 2), the last boss's of its own.
TEST(StaffRollContent, EachPictureIsTheLookOfTheKindItsMemberPlays) {
    const auto kinds = CharacterKinds();
    for (const Roll::CastMember& m : Roll::Cast()) {
        const auto played = Words(m.kinds);
        ASSERT_FALSE(played.empty()) << m.name;
        ASSERT_TRUE(kinds.contains(played[0])) << m.name;
        const Controls::ImageClip& look = kinds.at(played[0]).preview;
        if (std::string(m.group) == "System") {
            EXPECT_EQ(look.key, m.key) << m.name;
            EXPECT_EQ((std::vector{look.left, look.top, look.right, look.bottom}),
                      (std::vector{m.left, m.top, m.right, m.bottom}))
                << m.name;
            continue;
        }
        ASSERT_EQ(std::string(m.group), "Char") << m.name;
        ASSERT_TRUE(look.key.starts_with("Boss")) << m.name;
        const int own = std::stoi(look.key.substr(4, 3)), shown = std::stoi(std::string(m.key).substr(4, 3));
        EXPECT_EQ((shown - 1) / 2, (own - 1) / 2) << m.name << " shows " << m.key << ", plays " << look.key;
        EXPECT_EQ(std::string(m.key).substr(7), "_L") << m.name;
    }
}

// The built pictures hold something in every member's rectangle (colour key 0x00FF00 elsewhere).
TEST(StaffRollContent, EveryPictureIsDrawnInTheBuiltSheets) {
    if (!testsupport::BuiltGameIsComplete())
        GTEST_SKIP() << "no built game folder at " << testsupport::BuiltGameFolder();
    for (const Roll::CastMember& m : Roll::Cast()) {
        const fs::path file = testsupport::BuiltGameFolder() /
                              (std::string(m.group) == "System" ? "system" : "char") /
                              (std::string(m.key) + ".bmp");
        std::ifstream in(file, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        plat::Surface sheet;
        ASSERT_TRUE(elDraw::DecodeBmp(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), sheet))
            << file;
        int drawn = 0;
        for (int y = m.top; y < m.bottom; ++y)
            for (int x = m.left; x < m.right; ++x) drawn += (sheet.Row(y)[x] & 0xFFFFFFu) != 0x00FF00u;
        EXPECT_GE(drawn * 100, (m.right - m.left) * (m.bottom - m.top) * 15) << m.name;
    }
}

// The coloured variants go by one name: the pallet calls the bats and spheres by their names in
// the cast, and the pallet's stick-man bosses wear the colours the cast names.
TEST(StaffRollContent, ThePalletAndTheCastNameTheColouredVariantsAlike) {
    if (!testsupport::BuiltGameIsComplete())
        GTEST_SKIP() << "no built game folder at " << testsupport::BuiltGameFolder();
    testsupport::TempGameFolder game{"quor-staff-roll"};
    game.MakeDir("data");
    fs::copy_file(testsupport::BuiltGameFolder() / "data/stage_objects.dat",
                  game.Full("data/stage_objects.dat"));
    CKeyTextTable table;
    table.Load("data\\stage_objects.dat", {"IFE0200", "cannot open", "IFE0201", "invalid"});
    const std::map<std::string, std::string> colours = {
        {"赤", "レッド"}, {"黄", "イエロー"}, {"青", "ブルー"}, {"緑", "グリーン"}, {"桃", "ピンク"}};
    int bosses = 0;
    for (const Roll::CastMember& m : Roll::Cast()) {
        const std::string kind = Words(m.kinds)[0];
        const KeyTextRow* row = table.Find(kind);
        ASSERT_NE(row, nullptr) << kind;
        if (kind.starts_with("Bat") || kind.starts_with("Sphere")) {
            EXPECT_EQ(row->name, m.name) << kind;
        }
        if (kind.starts_with("BarMan")) {
            ++bosses;
            const std::string colour = row->name.substr(row->name.size() - 3);  // one kanji in UTF-8
            ASSERT_TRUE(colours.contains(colour)) << row->name;
            EXPECT_TRUE(std::string(m.name).ends_with(colours.at(colour))) << m.name << " / " << row->name;
        }
    }
    EXPECT_EQ(bosses, 5);
}

}  // namespace
