// The whole game headless on the generated game folder: loading, the title and the top menu
// are drawn, Z passes the title, and the run ends cleanly with the log's markers.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "engine/GameShell.h"
#include "engine/InputManager.h"
#include "engine/Music.h"
#include "engine/el/elSystem.h"
#include "flow/GameSetup.h"
#include "foundation/EncodedFile.h"
#include "foundation/Log.h"
#include "foundation/TextEncoding.h"
#include "platform/backend.h"
#include "platform/headless.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "play/ObjectRelationTable.h"
#include "tests/common/temp_folder.h"

namespace fs = std::filesystem;

namespace {

int DistinctColours(const plat::Surface& s) {
    std::set<uint32_t> colours;
    for (uint32_t p : s.pixels) {
        colours.insert(p & 0xFFFFFF);
        if (colours.size() > 64) break;
    }
    return static_cast<int>(colours.size());
}

TEST(HeadlessRun, LoadingTitleAndTopMenuAreDrawnAndTheRunEndsCleanly) {
    if (!fs::exists(testsupport::BuiltGameFolder() / "data" / "bmp_index.dat"))
        GTEST_SKIP() << "no generated game folder at " << testsupport::BuiltGameFolder();

    // The run writes its log and saves: it plays on a copy of the game folder.
    testsupport::TempGameFolder copy("quor-run");
    const fs::path& dir = copy.Path();
    testsupport::CopyBuiltGame(dir);
    fs::create_directories(dir / "log");

    std::string index;
    ASSERT_EQ(ReadEncodedFile("data\\bmp_index.dat", index), ReadStatus::Ok);
    for (const char* key : {"System.Mouse001,", "System.System001,", "System.System008,", "System.System009,",
                            "Editer.Controls_009,"}) {
        if (index.find(key) == std::string::npos) GTEST_SKIP() << "the generated image index has no " << key;
    }

    plat::Surface loading, title, menu;
    std::string titleText;
    ShellOptions options;
    options.headless = true;
    options.frames = 450;
    options.fixedFrameTime = 1.0f / 60.0f;
    options.beforeFrame = [](int frame) {
        plat::HeadlessBackend* hb = plat::CurrentHeadless();
        if (!hb) return;
        if (frame == 1) hb->MouseMoveTo(600, 20);
        if (frame == 250) hb->KeyDown(plat::kKeyZ);
        if (frame == 252) hb->KeyUp(plat::kKeyZ);
    };
    int musicAt200 = -1, musicAt440 = -1;
    bool registryLoaded = false;
    options.afterFrame = [&](int frame) {
        plat::HeadlessBackend* hb = plat::CurrentHeadless();
        if (!hb) return;
        if (frame == 3) loading = hb->Frame();
        if (frame == 200) {
            registryLoaded =
                CObjectRegistry::HasInstance() && CObjectRelationTable::Get(2, 0) == kRelationHit;
            title = hb->Frame();
            musicAt200 = CMusicPlayer::GetInstance()->GetCurrentMusic();
        }
        if (frame == 440) {
            menu = hb->Frame();
            musicAt440 = CMusicPlayer::GetInstance()->GetCurrentMusic();
            titleText = hb->Title();
        }
    };
    // What the program does first: the engine globals zeroed, whatever ran before in this process.
    elSystem::Reset();
    InstallGameHooks();
    EXPECT_EQ(RunGame(options), 0);
    ClearLiveObjectCreators();  // the game's creators stay with this run

    std::string logBytes;
    ReadWholeFile(GetGamePath(CLog::GetInstance()->GetFilePath()), logBytes);
    const std::string log = Cp932ToUtf8(logBytes);
    plat::StopBackend();

    EXPECT_EQ(log.find("Error Code"), std::string::npos) << log;
    EXPECT_NE(log.find("========== GameStart =========="), std::string::npos);
    EXPECT_EQ(log.rfind("==========  GameEnd  ==========\n"), log.size() - 32);
    ASSERT_FALSE(loading.Empty());
    ASSERT_FALSE(title.Empty());
    ASSERT_FALSE(menu.Empty());
    EXPECT_GT(DistinctColours(loading), 3);  // emblem, dots, text on black
    EXPECT_GT(DistinctColours(title), 8);
    EXPECT_GT(DistinctColours(menu), 3);
    EXPECT_EQ(musicAt200, 1);  // "Opening"
    EXPECT_EQ(musicAt440, 2);  // "TopMenu"
    EXPECT_EQ(titleText, "Quorvald");
    EXPECT_TRUE(registryLoaded);  // the start made the object registry with the game's relations
    EXPECT_FALSE(CObjectRegistry::HasInstance());
}

}  // namespace
