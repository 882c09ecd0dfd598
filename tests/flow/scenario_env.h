#pragma once
// The scenario mode's test world: the built game folder read as an installed copy whose writes
// (the progress file, the client info, the log) go to the test's own folder, keys held by the
// test, a fixed 1/60 s frame, and a stage host that records what the map manager asks of it.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "../engine/engine_test_env.h"
#include "flow/ScenarioMap.h"
#include "flow/ScenarioMapManager.h"
#include "flow/ScenarioSaveData.h"
#include "foundation/XmlNode.h"
#include "play/StageScene.h"

namespace scenariotest {

using namespace enginetest;

// Plays nothing: keeps the stage asked for and reports the result the test sets.
class FakeStageHost : public IScenarioStageHost {
  public:
    void StartStage(const std::string& path, int l) override {
        started.push_back(path);
        startLives = l;
        result = kResultNone;
    }
    int GetStageResult() const override { return result; }
    int GetLives() const override { return lives; }

    std::vector<std::string> started;
    int startLives = -1;
    int result = kResultNone;
    int lives = 0;
};

// The panel text with the given pieces, every other cell empty.
inline std::string PanelText(const std::map<std::pair<int, int>, std::string>& pieces) {
    std::string text;
    for (int y = 0; y < CScenarioMap::kRows; ++y) {
        for (int x = 0; x < CScenarioMap::kColumns; ++x) {
            const auto it = pieces.find({x, y});
            if (it != pieces.end()) text += it->second;
            text += ':';
        }
    }
    return text;
}

// A progress file as the game writes it.
inline std::string SaveText(int x, int y, int lives, int keys, const std::string& panels,
                            bool shownOpening = true) {
    return GetXmlHeader() + "<savedata><x>" + std::to_string(x) + "</x><y>" + std::to_string(y) +
           "</y><kisuu>" + std::to_string(lives) + "</kisuu><keynum>" + std::to_string(keys) +
           "</keynum><panelsstring>" + panels + "</panelsstring><shownopening>" + (shownOpening ? "1" : "0") +
           "</shownopening><cleared>0</cleared></savedata>";
}

class ScenarioTest : public EngineTest {
  protected:
    void SetUp() override {
        if (!testsupport::BuiltGameIsComplete()) GTEST_SKIP() << "the game folder is not built";
        EngineTest::SetUp();
        if (HasFatalFailure()) return;
        // Pictures and tables from the build, everything written into the test's folder.
        SetGameFolder(testsupport::BuiltGameFolder().string());
        UseUserDataFolder(dir.string());
        CInputManager::SetEventSource(&keys);
    }
    void TearDown() override {
        manager.reset();
        CScenarioSaveData::DeleteInstance();
        CInputManager::SetEventSource(nullptr);
        EngineTest::TearDown();
    }

    // Writes the progress file and loads it.
    void Save(int x, int y, int lives, int keyCount, const std::map<std::pair<int, int>, std::string>& pieces,
              bool shownOpening = true) {
        ASSERT_TRUE(WriteEncodedFile("data\\scenario_save.dat",
                                     SaveText(x, y, lives, keyCount, PanelText(pieces), shownOpening)));
        CScenarioSaveData::GetInstance()->Load();
    }
    // A map of the test's own: the sea around, `fill` inside, and the given cells.
    void Map(const std::map<std::pair<int, int>, std::string>& cells, const std::string& fill = "c") {
        ASSERT_TRUE(WriteEncodedFile("data\\scenario_map.dat", MapText(cells, fill)));
    }
    static std::string MapText(const std::map<std::pair<int, int>, std::string>& cells,
                               const std::string& fill) {
        std::string text;
        for (int y = 0; y < CScenarioMap::kRows; ++y) {
            for (int x = 0; x < CScenarioMap::kColumns; ++x) {
                const auto it = cells.find({x, y});
                const bool border =
                    x == 0 || y == 0 || x == CScenarioMap::kColumns - 1 || y == CScenarioMap::kRows - 1;
                text += it != cells.end() ? it->second : border ? "a" : fill;
                text += x + 1 < CScenarioMap::kColumns ? "," : "\n";
            }
        }
        return text;
    }
    void StartManager() { manager = std::make_unique<CScenarioMapManager>(&host); }

    // One frame of input: the logical keys held in it. Every frame takes `frameTime`, as the game
    // loop measures it anew each frame (a message box sets it back to 0).
    void Input(std::set<int> down = {}) {
        SetFrame(frameTime);
        keys.down = std::move(down);
        keys.NextFrame();
        CInputManager::GetInstance()->Update();
    }
    // `n` frames of the manager with the keys held throughout.
    void Frames(int n, const std::set<int>& down = {}) {
        for (int i = 0; i < n; ++i) {
            Input(down);
            manager->Update();
        }
    }
    // A push: the key down for one frame, then `wait` frames without keys.
    void Push(int key, int wait = 0) {
        Frames(1, {key});
        Frames(wait);
    }
    CScenarioMapPanelBase* Panel(int x, int y) { return manager->GetMap().GetPanel(x, y); }
    CScenarioSaveData* SaveData() { return CScenarioSaveData::GetInstance(); }
    // Today's log, where this installed copy writes it.
    std::string LogText() {
        std::string bytes;
        ReadWholeFile(GetReadPath(CLogPath()), bytes);
        return Cp932ToUtf8(bytes);
    }
    // The progress file as it stands on disk.
    std::string SavedText() {
        std::string text;
        ReadEncodedFile("data\\scenario_save.dat", text);
        return text;
    }

    float frameTime = 1.0f / 60.0f;
    ScriptedKeys keys;
    FakeStageHost host;
    std::unique_ptr<CScenarioMapManager> manager;
};

}  // namespace scenariotest
