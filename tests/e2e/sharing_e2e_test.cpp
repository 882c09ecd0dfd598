// Two players share a stage through a real quorvald-server on loopback, each driving the real
// game headless by clicks and keys from a game folder of his own. The first registers as a
// creator and posts a stage; the second finds it among the newest and by the creator's name,
// downloads it and plays it to its goal; after the next day's automatic connections the first
// sees the download and the rating on his account screen and deletes the stage; the second no
// longer finds it.
//
// Where nginx is installed, the players reach the server through the example reverse-proxy
// configuration (dist/quorvald-server.nginx.conf), and the server believes the proxy's forwarded
// address.
//
// QUOR_E2E_SHOTS=<folder> keeps every run's screenshots there, one folder per run.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "foundation/EncodedFile.h"
#include "foundation/TextEncoding.h"
#include "online/QVNet.h"
#include "online/StageMetaInfo.h"
#include "platform/png.h"
#include "stage/Stage.h"
#include "stage/StageSprite.h"
#include "tests/common/game_process.h"
#include "tests/common/temp_folder.h"
#include "tests/e2e/nginx_front.h"
#include "tests/server/server_env.h"
#include "tools/gen/Stages.h"

namespace {

namespace fs = std::filesystem;

// The stage the first player makes: a short field whose goal lies right under the start.
const char kStagePicture[] =
    "stage name=はじめての投稿 author=くおる\n"
    "area class=OneRoom background=GrassDayTime music=Stage001\n"
    "map\n"
    "....................\n"
    "....................\n"
    "....................\n"
    "....................\n"
    "....................\n"
    "....................\n"
    "....................\n"
    "....................\n"
    "....................\n"
    "....................\n"
    "....................\n"
    "..@.................\n"
    "..G.................\n"
    "####################\n"
    "####################\n"
    "end\n";

// Where things are on the 640 x 480 screen.
struct Point {
    int x, y;
};
constexpr Point kConfigEntry{480, 448}, kConfigOn{138, 354}, kConfigOk{240, 444};
constexpr Point kYes{270, 283}, kMessageOk{320, 283}, kKeyboardOk{270, 423};
// The creator's name typed on the keyboard's kana page: く, お, る.
constexpr Point kNameKeys[] = {{477, 248}, {498, 298}, {327, 248}};
constexpr Point kByDifficultyLength{190, 60}, kDifficultyLengthSearch{514, 62};
constexpr Point kByCreatorName{450, 60}, kTypeName{494, 44}, kSearch{514, 92};
constexpr Point kFoundFirstCard{170, 190};
constexpr Point kPointsOk{320, 364}, kFirstRowDelete{95, 172};
const char kCreatorName[] = "くおる";

// The stage cards' title band, at rest.
constexpr uint32_t kCardBand = 0xFF2D6E8Cu;
// On the account screen: the first row's text, and the line that says there are no stages.
constexpr uint32_t kFirstRowText = 0xFFC8F0C8u, kNoStagesText = 0xFFC8C8F0u;

// The scripted input of one run.
class Script {
  public:
    Script& Key(int frame, const std::string& key) { return Add("--key", std::to_string(frame) + ":" + key); }
    Script& Click(int frame, Point p) {
        return Add("--click", std::to_string(frame) + ":" + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    // Title, then the settings: the daily automatic connection switched on.
    Script& PastTitleWithAutoConnection() {
        return Key(250, "Z").Click(360, kConfigEntry).Click(440, kConfigOn).Click(460, kConfigOk);
    }
    Script& TypeName(int frame) {
        for (const Point& p : kNameKeys) Click(frame, p), frame += 10;
        return Click(frame + 10, kKeyboardOk);
    }
    const std::vector<std::string>& Args() const { return args_; }

  private:
    Script& Add(const char* option, const std::string& value) {
        args_.push_back(option);
        args_.push_back(value);
        return *this;
    }
    std::vector<std::string> args_;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A time zone in which the local hour is about noon now, so the daily connection (from 06:00)
// runs whenever the test does.
std::string NoonTimeZone() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    const int ahead = 12 - utc.tm_hour;  // local = UTC + ahead
    return "QVT" + std::string(ahead >= 0 ? "-" : "+") + std::to_string(ahead >= 0 ? ahead : -ahead);
}

class Player {
  public:
    Player(const fs::path& root, const std::string& name) : dir_(root / name), name_(name) {
        testsupport::CopyBuiltGame(dir_);
    }

    // Runs the game for `frames` frames with the script, a screenshot every 10 frames.
    int Run(const Script& script, int frames, const std::string& server) {
        ++runs_;
        shots_ = dir_.parent_path() / (name_ + "-shots-" + std::to_string(runs_));
        testsupport::GameRun run;
        run.args = {"--headless", "--frames", std::to_string(frames), "--screenshot-every",
                    "10",         "--out",    shots_.string()};
        run.args.insert(run.args.end(), script.Args().begin(), script.Args().end());
        run.env = {{"QUORVALD_SERVER", server}, {"TZ", NoonTimeZone()}, {"QUOR_HEADLESS", std::nullopt}};
        run.output = dir_ / "output.txt";
        const int status = testsupport::RunGame(dir_, run);
        if (const char* keep = std::getenv("QUOR_E2E_SHOTS")) {
            std::error_code ec;
            fs::copy(shots_, fs::path(keep) / shots_.filename(), fs::copy_options::recursive, ec);
        }
        return status;
    }

    // Every log line so far, as UTF-8.
    std::string Log() const {
        std::string text;
        if (fs::exists(dir_ / "log"))
            for (const auto& e : fs::directory_iterator(dir_ / "log")) text += ReadFile(e.path());
        return Cp932ToUtf8(text);
    }
    std::string Settings() const {
        return DecodeFileText(ReadFile(dir_ / "network" / "client_info.dat")).value_or("");
    }
    std::string Setting(const std::string& name) const {
        std::smatch m;
        const std::string text = Settings();
        return std::regex_search(text, m, std::regex("<" + name + ">([^<]*)</" + name + ">")) ? m[1].str()
                                                                                              : "?";
    }
    // The next day comes: the daily connection runs at the next menu.
    void NextDay() {
        std::string text = Settings();
        text = std::regex_replace(text, std::regex("<lastBootUpDate>[^<]*</lastBootUpDate>"),
                                  "<lastBootUpDate>20000101</lastBootUpDate>");
        std::ofstream(dir_ / "network" / "client_info.dat", std::ios::binary) << EncodeFileText(text);
    }
    // The screenshot of a frame of the last run.
    plat::Surface Shot(int frame) const {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%05d.png", frame);
        plat::Surface s;
        EXPECT_TRUE(plat::ReadPng((shots_ / name).string(), s)) << shots_ / name;
        return s;
    }
    const fs::path& Dir() const { return dir_; }

  private:
    fs::path dir_;
    std::string name_;
    fs::path shots_;
    int runs_ = 0;
};

bool HasCardAt(const plat::Surface& s, int x, int y) { return s.Contains(x, y) && s.Row(y)[x] == kCardBand; }

// Whether a pixel of `color` lies in the rows `top` .. `bottom` - 1 between x 80 and 560.
bool HasColorInRows(const plat::Surface& s, uint32_t color, int top, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = 80; x < 560; ++x)
            if (s.Contains(x, y) && s.Row(y)[x] == color) return true;
    return false;
}

// The stage as the editor would write it.
std::string MakeStageText() {
    testsupport::TempGameFolder kinds("quor-e2e-kinds");
    testsupport::PrepareStageReading(kinds);
    std::string legend;
    std::ifstream in(std::string(QUOR_GEN_SOURCE_DIR) + "/stages/legend.txt");
    legend.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const auto stage =
        gen::CompileStageText(kStagePicture, "e2e", gen::ReadStageLegend(legend, "legend.txt"));
    return stage->WriteXml();
}

// What the second player's own client sees among the newest stages.
std::string NewestStages() {
    char reply[4096] = {};
    QVNet::Request r = QVNet::Begin_GetNewStage(4, reply, sizeof reply, nullptr);
    EXPECT_TRUE(QVNet::WaitForEnd(r.get(), std::chrono::seconds(20)));
    EXPECT_EQ(r->GetState(), QVNet::kStateDone);
    return Cp932ToUtf8(reply);
}

// The first player's posted stages as his account screen asks for them.
CStageMetaInfoList CreatorStages(const std::string& creatorId) {
    char reply[4096] = {};
    QVNet::Request r = QVNet::Begin_GetStage(std::stoi(creatorId), 0, 0, reply, sizeof reply, nullptr);
    EXPECT_TRUE(QVNet::WaitForEnd(r.get(), std::chrono::seconds(20)));
    EXPECT_EQ(r->GetState(), QVNet::kStateDone);
    return CStageMetaInfoList(Cp932ToUtf8(reply));
}

TEST(SharingEndToEnd, TwoPlayersShareAStageThroughTheServer) {
    if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the built game is incomplete";
    const auto started = std::chrono::steady_clock::now();
    testsupport::TempFolder root("quor-e2e");
    const std::string nginx = e2etest::FindNginx();
    servertest::ServerProcess server(root, "server", (root.Path() / "stages.db").string(),
                                     nginx.empty() ? "" : "--trusted-proxy 127.0.0.1");
    ASSERT_GT(server.Port(), 0);
    std::unique_ptr<e2etest::NginxFront> front;
    if (!nginx.empty()) {
        front = std::make_unique<e2etest::NginxFront>(nginx, root.Path() / "nginx", server.Port());
        ASSERT_TRUE(front->Ready()) << front->ErrorLog();
    }
    const int port = front ? front->Port() : server.Port();
    const std::string url = "http://127.0.0.1:" + std::to_string(port);
    std::printf("sharing end to end: %s\n", front ? "through nginx" : "straight to the server");
    QVNet::SetServerAddress(url);
    Player first(root.Path(), "first"), second(root.Path(), "second");

    // The first player switches the daily connection on and registers as a creator.
    {
        Script s;
        s.PastTitleWithAutoConnection().Key(540, "F4").Click(620, kYes).TypeName(650).Click(720, kYes);
        s.Click(760, kMessageOk);
        ASSERT_EQ(first.Run(s, 820, url), 0) << first.Log();
    }
    const std::string log1 = first.Log();
    EXPECT_NE(log1.find(" [クリエイター情報登録終了]"), std::string::npos) << log1;
    EXPECT_EQ(first.Setting("createrName"), kCreatorName);
    EXPECT_EQ(first.Setting("createrPoint"), "50");
    EXPECT_EQ(first.Setting("sendingPermission"), "true");
    const std::string creatorId = first.Setting("createrId"), key = first.Setting("commonKey");
    ASSERT_FALSE(creatorId.empty());

    // He posts the stage he made, as the editor posts it: through the game's network library.
    const std::string stage = Utf8ToCp932(MakeStageText());
    int stageId = 0;
    QVNet::Request post = QVNet::Begin_RegisterStage(std::stoi(creatorId), key.c_str(), "GrassDayTime",
                                                     unsigned(stage.size()), stage.c_str(), stageId, nullptr);
    ASSERT_TRUE(QVNet::WaitForEnd(post.get(), std::chrono::seconds(20)));
    ASSERT_EQ(post->GetState(), QVNet::kStateDone) << post->GetErrorCode() << " " << post->GetErrorDetail();
    post.reset();
    ASSERT_GT(stageId, 0);
    const std::string stageFile = std::to_string(stageId) + ".stg";

    // The second player finds it among the newest and by the creator's name, downloads it over a
    // damaged file of the same name and plays it to its goal: the intro skipped, the hero enters
    // the goal under him, and votes 100.
    fs::create_directories(second.Dir() / "stage" / "downloaded");
    std::ofstream(second.Dir() / "stage" / "downloaded" / stageFile, std::ios::binary) << "\x01 damaged";
    {
        Script s;
        s.PastTitleWithAutoConnection().Key(540, "F2").Click(640, kByCreatorName).Click(670, kTypeName);
        s.TypeName(700).Click(770, kSearch).Click(820, kFoundFirstCard).Click(850, kYes);
        s.Key(900, "Z").Key(960, "UP").Key(1130, "RIGHT").Key(1150, "RIGHT").Key(1180, "Z");
        ASSERT_EQ(second.Run(s, 1300, url), 0) << second.Log();
        EXPECT_TRUE(HasCardAt(second.Shot(620), 40, 195));  // the newest stages
        EXPECT_TRUE(HasCardAt(second.Shot(800), 40, 140));  // found by name
    }
    const std::string log2 = second.Log();
    EXPECT_NE(log2.find(" [ステージ情報検索（新着順検索）終了]"), std::string::npos) << log2;
    EXPECT_NE(log2.find(" [ステージ情報検索（クリエイター名検索）開始  クリエイター名:[くおる]]"),
              std::string::npos)
        << log2;
    EXPECT_NE(log2.find("ファイル" + stageFile + "を保存しました。"), std::string::npos) << log2;
    std::unique_ptr<CStage> downloaded;
    {
        stagesprite::ScopedNoSprites noSprites;
        SetGameFolder(second.Dir().string());
        downloaded = CStage::LoadFromFile(nullptr, "stage\\downloaded\\" + stageFile, 1);
        ResetGameFolder();
    }
    ASSERT_NE(downloaded, nullptr);
    EXPECT_EQ(downloaded->name, "はじめての投稿");
    const std::string history =
        DecodeFileText(ReadFile(second.Dir() / "network" / "history.dat")).value_or("");
    EXPECT_NE(history.find(std::to_string(stageId)), std::string::npos) << history;

    // The next day the second player's game sends its play history; then he finds the stage,
    // rated now, by difficulty and length.
    second.NextDay();
    {
        Script s;
        s.Key(250, "Z").Key(360, "F2").Click(440, kByDifficultyLength).Click(480, kDifficultyLengthSearch);
        ASSERT_EQ(second.Run(s, 560, url), 0);
        EXPECT_TRUE(HasCardAt(second.Shot(540), 40, 140));
    }
    EXPECT_NE(second.Log().find(" [ステージプレイ履歴送信終了]"), std::string::npos) << second.Log();
    EXPECT_NE(second.Log().find(" [ステージ情報検索（難しさ・長さ検索）終了]"), std::string::npos)
        << second.Log();

    // The first player's game asks for his appraisal: a vote of 100 is 5 rating points, and 30 %
    // of them one creator point. His account screen shows the download and the rating; he
    // deletes the stage.
    const CStageMetaInfoList posted = CreatorStages(creatorId);
    ASSERT_EQ(posted.Records.size(), 1u);
    EXPECT_EQ(posted.Records[0].DownloadCount, 1);
    EXPECT_EQ(posted.Records[0].Rating, "100.00");
    first.NextDay();
    {
        Script s;
        s.Key(250, "Z").Click(400, kPointsOk).Key(460, "F4").Click(600, kFirstRowDelete).Click(630, kYes);
        s.Click(660, kMessageOk);
        ASSERT_EQ(first.Run(s, 720, url), 0) << first.Log();
    }
    // His stage in the table, then an empty table.
    EXPECT_TRUE(HasColorInRows(first.Shot(590), kFirstRowText, 164, 180));
    EXPECT_FALSE(HasColorInRows(first.Shot(590), kNoStagesText, 160, 400));
    EXPECT_FALSE(HasColorInRows(first.Shot(710), kFirstRowText, 164, 180));
    EXPECT_TRUE(HasColorInRows(first.Shot(710), kNoStagesText, 260, 290));
    EXPECT_NE(first.Log().find(" [獲得評価取得終了]"), std::string::npos) << first.Log();
    EXPECT_EQ(first.Setting("ratingPointSum"), "5");
    EXPECT_EQ(first.Setting("createrPoint"), "51");
    EXPECT_NE(first.Log().find(" [ステージデータ削除開始  削除ステージID:[" + std::to_string(stageId) + "]]"),
              std::string::npos)
        << first.Log();

    // It is gone for the second player: his own client and his game's newest stages.
    EXPECT_EQ(NewestStages().substr(0, 4), "0\n0\n");
    ASSERT_EQ(second.Run(Script().Key(250, "Z").Key(360, "F2"), 480, url), 0);
    EXPECT_FALSE(HasCardAt(second.Shot(480), 40, 195));
    QVNet::SetServerAddress("");

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    RecordProperty("seconds", std::to_string(seconds));
    std::printf("sharing end to end: %.1f s\n", seconds);
}

}  // namespace
