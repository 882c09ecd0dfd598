// The real game refused a creator by the daily limit of its own server: ten creators came from
// this address today, the eleventh is refused, and the player reads why.
#include <ctime>

#include "foundation/EncodedFile.h"
#include "foundation/TextEncoding.h"
#include "game_copy_test.h"
#include "server/StageStore.h"

namespace fs = std::filesystem;

namespace {

class RegistrationRun : public apptest::GameCopyTest {};

TEST_F(RegistrationRun, TheDailyLimitOfNewCreatorsIsSaidAndNothingIsKept) {
    // The game's own server keeps its stages in network\server\stages.db; ten creators came from
    // 127.0.0.1 today, as many as it takes from one address in a day.
    fs::create_directories(dir / "network" / "server");
    {
        const auto store = qvserver::OpenStageStore((dir / "network" / "server" / "stages.db").string(), 1);
        const int64_t now = std::time(nullptr);
        for (int i = 0; i < 10; ++i)
            ASSERT_TRUE(store->AddCreator("p" + std::to_string(i), {"00", "00"}, "127.0.0.1", {now, now, 0}));
    }
    // Past the title, F4 opens the registration; yes, く お る on the keyboard, O K, yes. The
    // refusal's window is up from about frame 590.
    ASSERT_EQ(Run(Words("--headless --mouse 1:400,300 --key 250:Z --key 400:F4 --click 480:270,283 "
                        "--click 510:477,248 --click 520:498,298 --click 530:327,248 --click 550:270,423 "
                        "--click 580:270,283 --frames 620 --screenshot-every 620 --out " +
                        (dir / "shots").string())),
              0)
        << Log();
    const std::string log = Cp932ToUtf8(Log());
    EXPECT_NE(log.find("[EC_RESTRICTED]\\n今日はこの回線からこれ以上\\nクリエイターを登録できません。"),
              std::string::npos)
        << log;
    EXPECT_EQ(log.find("投稿回数オーバー"), std::string::npos) << log;
    const std::string settings = DecodeFileText(ReadFile(dir / "network" / "client_info.dat")).value_or("");
    EXPECT_NE(settings.find("<createrId></createrId>"), std::string::npos) << settings;
    EXPECT_TRUE(fs::exists(dir / "shots" / "frame_00620.png"));
}

}  // namespace
