// The real game driven like a player making a stage: from the menu into the editor (F3), a new
// stage named てすと of one room, a floor drawn with the rectangle tool, the hero's start picked on
// the map, a goal and a sunflower placed from their pallets; a test play walked to the goal and
// cleared; the stage saved and the editor left; the editor opened again from the menu, the saved
// stage opened from the file list and saved as a copy named てすとに. The two files are read back
// with the game's own reader: the copy is the saved stage under its new name.
#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/TextEncoding.h"
#include "game_copy_test.h"
#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"

namespace fs = std::filesystem;

namespace {

// Screen points of the editor (640 x 480) and of its windows.
struct Point {
    int x, y;
};
constexpr Point kNewButton{30, 24}, kOpenButton{71, 24}, kSaveButton{113, 24}, kRectangleTool{203, 24};
constexpr Point kSettingsButton{427, 24}, kTestPlayButton{473, 24}, kCloseButton{612, 24};
constexpr Point kObjectPallet{600, 303}, kCharacterPallet{600, 263};
constexpr Point kYes{270, 283}, kNo{370, 283}, kCloseYes{224, 291}, kSavedOk{320, 323};
// The on-screen keyboard: its O K and the kana used.
constexpr Point kKeyboardOk{270, 422}, kTe{437, 272}, kSu{457, 247}, kTo{437, 297}, kNi{417, 222};
// The area size window's one-room button and the new area's settings' O K.
constexpr Point kOneRoom{165, 212}, kAreaSettingsOk{270, 382};
// The stage settings window: O K and the start point's 変更 (then a click on the map).
constexpr Point kSettingsOk{210, 422}, kPickStart{365, 164};
constexpr Point kGoalInPallet{160, 95}, kSunflowerInPallet{160, 205};
// The kind of stage to open ("以前保存したステージ"), the first row of the file list, 開く.
constexpr Point kSavedStages{320, 209}, kFirstFile{250, 90}, kOpenFile{270, 422};
// The save method: "ステージのコピーを作成する".
constexpr Point kSaveCopy{320, 285};

// The new one-room area (15 rows) is shown with tiles of 25.6 pixels, column 0 at x 195 and
// row 12 centred at y 285.
Point Tile(int column, int row) { return {195 + column * 256 / 10 + 13, 285 + (row - 12) * 256 / 10}; }

class Script {
  public:
    Script& Click(int frame, Point p) { return Add("--click", frame, p); }
    Script& Mouse(int frame, Point p) { return Add("--mouse", frame, p); }
    Script& Key(int frame, const std::string& key) {
        args_.insert(args_.end(), {"--key", std::to_string(frame) + ":" + key});
        return *this;
    }
    // The key held from `from` to `to`: pressed again each time the last press lets it go.
    Script& Hold(int from, int to, const std::string& key) {
        for (int f = from; f <= to; f += 2) Key(f, key);
        return *this;
    }
    Script& Arg(const std::string& a) {
        args_.push_back(a);
        return *this;
    }
    const std::vector<std::string>& Args() const { return args_; }

  private:
    Script& Add(const char* what, int frame, Point p) {
        args_.insert(args_.end(),
                     {what, std::to_string(frame) + ":" + std::to_string(p.x) + "," + std::to_string(p.y)});
        return *this;
    }
    std::vector<std::string> args_;
};

class EditorRun : public apptest::GameCopyTest {
  protected:
    std::vector<fs::path> SavedStages() const {
        std::vector<fs::path> files;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(dir / "stage" / "original", ec))
            if (entry.path().extension() == ".stg") files.push_back(entry.path());
        std::sort(files.begin(), files.end());
        return files;
    }
    // Reads a stage file of the run with the game's own reader, which takes the object kinds from
    // a game folder of its own.
    std::unique_ptr<CStage> ReadStage(const fs::path& file) const {
        testsupport::PrepareStageReading(reader);
        const std::optional<std::string> text = DecodeFileText(ReadFile(file));
        if (!text) return nullptr;
        try {
            return CStage::ReadXml(nullptr, *text, 0);
        } catch (const CQuorException& e) {
            ADD_FAILURE() << file << ": " << FormatErrorReport(e);
            return nullptr;
        }
    }
    // The log is written in CP932.
    std::string LogText() const { return Cp932ToUtf8(Log()); }

    testsupport::TempGameFolder reader{"quor-editor-read"};
};

TEST_F(EditorRun, AStageMadeTestedSavedAndOpenedAgainIsTheSameStage) {
    Script s;
    s.Arg("--headless").Mouse(1, {400, 300}).Key(250, "Z").Key(360, "F3");
    // A new stage: yes, the title てすと on the keyboard, a one-room area as it comes.
    s.Click(440, kNewButton).Click(470, kYes);
    s.Click(520, kTe).Click(530, kSu).Click(540, kTo).Click(560, kKeyboardOk);
    s.Click(600, kOneRoom).Click(620, kAreaSettingsOk);
    // A floor of the chip in hand, rows 13 and 14 from column 0 to 12.
    s.Click(640, kRectangleTool).Click(660, Tile(0, 13)).Click(680, Tile(12, 14));
    // The hero starts on the floor at column 3.
    s.Click(700, kSettingsButton).Click(730, kPickStart).Click(760, Tile(3, 12)).Click(790, kSettingsOk);
    // The goal at column 6 and a sunflower at column 11.
    s.Click(820, kObjectPallet).Mouse(850, kGoalInPallet).Click(870, kGoalInPallet).Click(900, Tile(6, 12));
    s.Click(930, kCharacterPallet).Mouse(960, kSunflowerInPallet).Click(980, kSunflowerInPallet);
    s.Click(1010, Tile(11, 12));
    // Test play without saving first; walk right onto the goal and go in with up.
    s.Click(1040, kTestPlayButton).Click(1080, kNo).Click(1110, kYes);
    s.Hold(1140, 1178, "RIGHT").Key(1190, "UP");
    // Back in the editor: save (a new stage is saved at once), the notice, leave the editor.
    s.Click(1340, kSaveButton).Click(1370, kSavedOk).Click(1400, kCloseButton).Click(1430, kCloseYes);
    // Into the editor again; open the saved stage.
    s.Key(1560, "F3").Click(1640, kOpenButton).Click(1700, kSavedStages).Click(1760, kFirstFile);
    s.Click(1800, kOpenFile);
    // Save it as a copy named てすとに, the notice, leave the editor, close the window.
    s.Click(1860, kSaveButton).Click(1900, kSaveCopy).Click(1960, kNi).Click(1980, kKeyboardOk);
    s.Click(2020, kSavedOk).Click(2050, kCloseButton).Click(2080, kCloseYes);
    const fs::path shots = dir / "shots";
    s.Arg("--close").Arg("2160").Arg("--frames").Arg("2300");
    s.Arg("--screenshot-every").Arg("20").Arg("--out").Arg(shots.string());
    ASSERT_EQ(Run(s.Args()), 0) << LogText();

    const std::string log = LogText();
    EXPECT_EQ(log.find("Error Code"), std::string::npos) << log;
    EXPECT_NE(log.find("[テストプレイ終了] クリア"), std::string::npos) << log;
    EXPECT_NE(log.find("をエディットモードで開きました。"), std::string::npos) << log;
    // The run ended at the menu's close, not before.
    EXPECT_TRUE(fs::exists(shots / "frame_02140.png"));
    EXPECT_FALSE(fs::exists(shots / "frame_02180.png"));

    const std::vector<fs::path> files = SavedStages();
    ASSERT_EQ(files.size(), 2u) << log;
    const std::unique_ptr<CStage> saved = ReadStage(files[0]);
    const std::unique_ptr<CStage> copied = ReadStage(files[1]);
    ASSERT_TRUE(saved && copied);
    EXPECT_EQ(saved->name, "てすと");
    EXPECT_EQ(copied->name, "てすとに");
    ASSERT_EQ(saved->GetAreaCount(), 1);
    EXPECT_EQ(saved->startArea, 0);
    EXPECT_EQ(saved->startX, 3);
    EXPECT_EQ(saved->startY, 12);
    const CStageArea* area = saved->GetArea(0);
    for (int column = 0; column <= 12; ++column) {
        SCOPED_TRACE(column);
        EXPECT_NE(area->GetChip(column, 13), 0);
        EXPECT_NE(area->GetChip(column, 14), 0);
        EXPECT_EQ(area->GetChip(column, 12), 0);
    }
    EXPECT_EQ(area->GetChip(13, 13), 0);
    const CStageAreaObjectTable* objects = area->GetObjects();
    EXPECT_EQ(objects->GetCount(), 2);
    ASSERT_NE(objects->GetAt(6, 12), nullptr);
    EXPECT_EQ(objects->GetAt(6, 12)->GetKey(), "Goal");
    ASSERT_NE(objects->GetAt(11, 12), nullptr);
    EXPECT_EQ(objects->GetAt(11, 12)->GetKey(), "Flower002");
    // Opened again and saved as a copy, it is the same stage but for its name.
    copied->name = saved->name;
    EXPECT_EQ(copied->WriteXml(), saved->WriteXml());
}

}  // namespace
