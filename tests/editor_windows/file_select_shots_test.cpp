// The file select window drawn by the engine with the game's own pictures: good rows, the
// reasons of damaged files, a chosen row with its particulars and a row under the mouse, on the
// first page of two. Nothing raises the engine's error; the frame is written as a PNG into the
// test's folder (and into $QUOR_SHOTS when set, to be looked at).
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "controls/ControlPort.h"
#include "editor_windows/FileSelectPanel.h"
#include "editor_windows/FileSelectWindow.h"
#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "platform/png.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"
#include "tests/common/headless_test.h"

namespace {

namespace fs = std::filesystem;

class FileSelectShots : public testsupport::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        const fs::path built = testsupport::BuiltGameFolder();
        if (!fs::exists(built / "data/bmp_index.dat")) GTEST_SKIP() << "the game folder is not built";
        Game().MakeDir("data");
        Game().MakeDir("stage/downloaded");
        // The reader asks the player's file which parts are bought.
        Game().WriteClientInfo("", "");
        for (const char* table : {"bmp_index.dat", "stage_objects.dat"})
            fs::copy_file(built / "data" / table, GameFolder() / "data" / table);
        for (const char* folder : {"system", "editer"})
            fs::create_directory_symlink(built / folder, GameFolder() / folder);
        SetFrameTime(1.0f / 60.0f);
        Controls::SetPort(&port);
    }
    void TearDown() override {
        root.SetModalForm(nullptr);
        Controls::SetPort(nullptr);
        CClientInfo::DeleteInstance();
        CSpriteManager::DeleteInstance();
        HeadlessTest::TearDown();
    }

    void WriteStage(const std::string& file, const std::string& name, const std::string& authors, int age) {
        CStage stage(nullptr, 1, CVersionNumber::Application());
        stage.SetName(name);
        stage.SetOriginalAuthor("はじめのひと");
        stage.SetArrangedAuthors(authors);
        stage.AppendArea(std::make_unique<CStageArea>(&stage, CStageMap::Create(AreaClass_OneRoom),
                                                      std::make_unique<CStageAreaObjectTable>(&stage),
                                                      "エリア", 0, 1, 0, 0));
        ASSERT_TRUE(stage.SaveToFile("stage\\downloaded\\" + file));
        Age(file, age);
    }
    void Age(const std::string& file, int age) {
        fs::last_write_time(GameFolder() / "stage/downloaded" / file,
                            fs::file_time_type::clock::now() - std::chrono::minutes(age));
    }
    void Mouse(int x, int y, bool press, bool release) {
        port.mouse = {};
        port.mouse.x = x, port.mouse.y = y;
        port.mouse.leftPressed = press, port.mouse.leftReleased = release;
        root.Update();
    }

    Controls::ScriptedMousePort port;
    Controls::COriginalBaseForm root;
};

TEST_F(FileSelectShots, AListOfGoodAndDamagedStages) {
    const char* names[] = {"はじめての草原", "つらら洞くつ", "空中さんぽ", "ボスの館",
                           "みずうみ",       "夜の森",       "かけっこ",   "さいごの塔"};
    for (int i = 0; i < 8; ++i)
        WriteStage(std::to_string(100 + i) + ".stg", names[i], i % 2 ? "はじめのひと,アレンジした人" : "",
                   i * 7);
    Game().WriteRaw("stage/downloaded/bad.stg", "this is not a stage");
    Age("bad.stg", 10);
    Game().WriteRaw("stage/downloaded/cut.stg", Game().ReadRaw("stage/downloaded/101.stg").substr(0, 300));
    Age("cut.stg", 20);
    Game().MakeUnreadable("stage/downloaded/locked.stg");
    WriteStage("200.stg", "つぎのページ", "", 500);

    auto* w = root.OpenModal(
        std::make_unique<CFileSelectWindow>("ダウンロードしたステージを開く", "stage\\downloaded", "*.stg"));
    Mouse(0, 0, false, false);
    ASSERT_EQ(w->GetPanel()->GetPageCount(), 2);
    // The second stage, arranged by someone, is chosen.
    CFileInfoItem* chosen = nullptr;
    for (int i = 0; i < w->GetPanel()->GetFileCount() && !chosen; ++i) {
        CFileInfoItem* row = w->GetPanel()->GetRow(i);
        if (row && row->GetNameLabel()->GetText() == names[1]) chosen = row;
    }
    ASSERT_NE(chosen, nullptr);
    const int cx = chosen->GetAbsoluteX() + 100, cy = chosen->GetAbsoluteY() + 8;
    Mouse(cx, cy, true, false);
    Mouse(cx, cy, false, true);
    CFileInfoItem* hovered = w->GetPanel()->GetRow(4);
    Mouse(hovered->GetAbsoluteX() + 150, hovered->GetAbsoluteY() + 8, false, false);
    Mouse(hovered->GetAbsoluteX() + 150, hovered->GetAbsoluteY() + 8, false, false);
    ASSERT_EQ(w->GetDetailText(CFileSelectWindow::kAuthor), "アレンジした人");

    elDraw::ClearScreen();
    elDraw::DrawRect(0, 0, 640, 480, 0x808080, 0x808080, 1);
    root.Draw();
    ASSERT_FALSE(elSystem::GetErrorFlag());
    const std::string file = "file_select.png";
    ASSERT_TRUE(plat::WritePng(elDraw::BackBuffer(), (GameFolder() / file).string()));
    if (const char* out = std::getenv("QUOR_SHOTS"))
        plat::WritePng(elDraw::BackBuffer(), (fs::path(out) / file).string());
}

}  // namespace
