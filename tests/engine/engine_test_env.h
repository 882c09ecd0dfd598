#pragma once
// A headless engine and a temporary game folder for the engine tests: the headless backend, the
// screen open, the window active, a hand-driven clock, fixed frame times and seeded random
// numbers. Files are written into the folder as the game stores them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/Camera.h"
#include "engine/GameHooks.h"
#include "engine/GameShell.h"
#include "engine/GameState.h"
#include "engine/InputManager.h"
#include "engine/Mouse.h"
#include "engine/Music.h"
#include "engine/SceneLight.h"
#include "engine/SoundEffects.h"
#include "engine/SpriteManager.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/ClientInfo.h"
#include "foundation/CreatorLevelTable.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/Log.h"
#include "foundation/PlayHistory.h"
#include "foundation/QuorException.h"
#include "foundation/Random.h"
#include "foundation/TextEncoding.h"
#include "platform/clock.h"
#include "platform/headless.h"
#include "tests/common/bmp_writer.h"

namespace enginetest {

// A music output that only remembers what it was told.
class FakeMusicOutput : public IMusicOutput {
  public:
    struct Log {
        std::vector<std::string> opened;
        int plays = 0, stops = 0;
        int loops = -1;
        float volume = 1.0f;
        bool playing = false;
        bool released = false;
    };
    explicit FakeMusicOutput(Log* log) : log_(log) {}
    void Open(const std::string& path) override { log_->opened.push_back(path); }
    void Play() override {
        ++log_->plays;
        log_->playing = true;
    }
    void Stop() override {
        ++log_->stops;
        log_->playing = false;
    }
    void SetLoopCount(int loops) override { log_->loops = loops; }
    void SetVolume(float v) override { log_->volume = v; }
    float GetVolume() override { return log_->volume; }
    void Release() override { log_->released = true; }
    int IsPlaying() override { return log_->playing ? 1 : 0; }

  private:
    Log* log_;
};

using bmptest::MakeBmp;

inline const char* kClientInfoXml =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<clientInfo><network><createrId></createrId>"
    "<createrName></createrName><commonKey></commonKey><ratingPointSum>0</ratingPointSum>"
    "<createrPoint>0</createrPoint><accessFailCount>0</accessFailCount></network><config>"
    "<sendingPermission>0</sendingPermission><keyConfigMode>1</keyConfigMode><musicVolume>80</musicVolume>"
    "<soundEffectVolume>100</soundEffectVolume></config><lastBootUpDate></lastBootUpDate>"
    "<boughtItems></boughtItems></clientInfo>";

// Every engine singleton deleted, the hooks emptied.
inline void DropEngineSingletons() {
    CSpriteManager::DeleteInstance();
    CMusicPlayer::DeleteInstance();
    CMusicPlayer::SetOutputFactory(nullptr);
    CSoundEffects::DeleteInstance();
    CInputManager::DeleteInstance();
    CInputManager::SetEventSource(nullptr);
    CMouse::DeleteInstance();
    CCamera::DeleteInstance();
    CSceneLight::DeleteInstance();
    CClientInfo::DeleteInstance();
    CCreatorLevelTable::DeleteInstance();
    CPlayHistory::DeleteInstance();
    ClearGameHooks();
    game::SetExitFlag(false);
}

class EngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SetClockSource([this] { return now; });
        plat::BackendOptions options;
        options.headless = true;
        plat::StartBackend(options);
        elSystem::Reset();
        MakeFolder();
        ASSERT_TRUE(elDraw::Screen(640, 480, 1));
        elSystem::Activate(true);
        plat::CurrentHeadless()->ClearMessages();
        SeedRandom(12345);
        SetFrame(1.0f / 60.0f);
        CMusicPlayer::SetOutputFactory([this] { return std::make_unique<FakeMusicOutput>(&music); });
    }

    void TearDown() override {
        if (GetSceneDirector()) GameEnd();
        DropEngineSingletons();
        elSystem::End();
        plat::StopBackend();
        plat::SetClockSource(nullptr);
        ResetGameFolder();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    void MakeFolder() {
        dir = std::filesystem::temp_directory_path() /
              ("quor_engine_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        for (const char* sub : {"network", "data", "system", "sound", "music", "log"})
            std::filesystem::create_directories(dir / sub);
        SetGameFolder(dir.string());
        ASSERT_TRUE(WriteEncodedFile("network\\client_info_init.dat", kClientInfoXml));
    }

    void WriteRaw(const std::string& rel, const std::string& bytes) {
        std::filesystem::path p = dir / rel;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream f(p, std::ios::binary | std::ios::trunc);
        f << bytes;
    }

    static void SetFrame(float seconds) {
        SetFrameTime(seconds);
        elSystem::SetFrameTime(seconds);
    }

    plat::HeadlessBackend& Headless() { return *plat::CurrentHeadless(); }

    // Messages of the engine's message boxes so far, "title|text".
    std::vector<std::string> Messages() {
        std::vector<std::string> out;
        for (const auto& m : Headless().Messages()) out.push_back(m.first + "|" + m.second);
        return out;
    }

    // The whole text of today's log.
    std::string LogText() {
        std::string bytes;
        ReadWholeFile(GetGamePath(CLogPath()), bytes);
        return Cp932ToUtf8(bytes);
    }
    static std::string CLogPath() { return CLog::GetInstance()->GetFilePath(); }

    uint32_t now = 1000;
    std::filesystem::path dir;
    FakeMusicOutput::Log music;
};

}  // namespace enginetest
