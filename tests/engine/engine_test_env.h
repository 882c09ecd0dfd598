#pragma once
// The engine tests' fixture: the shared headless screen with a game folder laid out as the game's,
// fixed frame times, seeded random numbers and a music output that only records.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>
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
#include "tests/common/headless_test.h"

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

// Feeds the input manager one event per frame with the keys the test holds down.
class ScriptedKeys : public IInputEventSource {
  public:
    bool NextEvent(bool) override {
        if (served_) return false;
        served_ = true;
        return true;
    }
    void GetState(int code, uint32_t& word, float& age) override {
        age = 0;
        const int key = KeyOf(code);
        if (key < 0 && code >= 256) return;  // the mouse and the joystick stay still
        const bool wasDown = word == KeyState::kPushed || word == KeyState::kHeld;
        if (down.count(key) || codes.count(code))
            word = wasDown ? KeyState::kHeld : KeyState::kPushed;
        else
            word = wasDown ? KeyState::kReleased : KeyState::kNone;
    }
    void NextFrame() { served_ = false; }

    std::set<int> down;   // logical keys
    std::set<int> codes;  // further keys by scan code (SPACE, F1, F2)

  private:
    static int KeyOf(int code) {
        switch (code) {
            case InputCode::kUp:
                return kKeyUp;
            case InputCode::kDown:
                return kKeyDown;
            case InputCode::kLeft:
                return kKeyLeft;
            case InputCode::kRight:
                return kKeyRight;
            case InputCode::kZ:
                return kKeyZ;
            case InputCode::kX:
                return kKeyX;
            default:
                return -1;
        }
    }
    bool served_ = false;
};

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

class EngineTest : public testsupport::HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        if (HasFatalFailure()) return;
        SeedRandom(12345);
        SetFrame(1.0f / 60.0f);
        CMusicPlayer::SetOutputFactory([this] { return std::make_unique<FakeMusicOutput>(&music); });
    }

    void TearDown() override {
        if (GetSceneDirector()) GameEnd();
        DropEngineSingletons();
        HeadlessTest::TearDown();
    }

    // The game folder's layout and its first client info, in place before the screen opens.
    void BeforeScreen() override {
        dir = GameFolder();
        for (const char* sub : {"network", "data", "system", "sound", "music", "log"})
            std::filesystem::create_directories(dir / sub);
        ASSERT_TRUE(WriteEncodedFile("network\\client_info_init.dat", kClientInfoXml));
    }

    void WriteRaw(const std::string& rel, const std::string& bytes) { Game().WriteRaw(rel, bytes); }

    static void SetFrame(float seconds) {
        SetFrameTime(seconds);
        elSystem::SetFrameTime(seconds);
    }

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

    // The sound effects the build made, linked into the game folder and loaded, so that a test can
    // ask which of them play (the headless output never plays them out: a played effect stays on).
    CSoundEffects* LoadBuiltSoundEffects() {
        std::error_code ec;
        for (const auto& entry :
             std::filesystem::directory_iterator(testsupport::BuiltGameFolder() / "sound", ec))
            std::filesystem::create_directory_symlink(entry.path(), dir / "sound" / entry.path().filename(),
                                                      ec);
        CSoundEffects* se = CSoundEffects::GetInstance();
        while (!se->LoadNext().empty()) {}
        return se;
    }

    std::filesystem::path dir;
    FakeMusicOutput::Log music;
};

}  // namespace enginetest
