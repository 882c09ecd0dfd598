#pragma once
// Shared set-up of the editor model tests: a game folder of the test's own with an object-kind
// table and the player's client info, stages built in memory, and a view that records what the
// model asks of the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "editor/Editor.h"
#include "editor/EditorView.h"
#include "foundation/ClientInfo.h"
#include "foundation/EncodedFile.h"
#include "foundation/VersionNumber.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"
#include "tests/common/temp_folder.h"

namespace editortest {

// The screen as the model sees it: scroll bars that clamp, tabs, alerts and sounds, recorded.
class FakeView : public IEditorView {
  public:
    void OnStageInstalled() override { ++stageInstalls; }
    void OnToolChanged() override { ++toolChanges; }
    void SetScrollRanges(int x0, int x1, int y0, int y1) override {
        minX = x0, maxX = x1, minY = y0, maxY = y1;
        SetScrollPosition(x, y);
    }
    void SetScrollPosition(int px, int py) override {
        x = std::max(minX, std::min(px, maxX));
        y = std::max(minY, std::min(py, maxY));
    }
    int GetScrollX() const override { return x; }
    int GetScrollY() const override { return y; }
    void ShowAreaTabs(int count, int current) override {
        tabCount = count;
        selectedTab = current;
    }
    void ShowAlert(const std::string& text) override { alerts.push_back(text); }
    void PlaySound(int slot) override { sounds.push_back(slot); }

    int stageInstalls = 0, toolChanges = 0;
    int minX = 0, maxX = 1, minY = 0, maxY = 1, x = 0, y = 0;
    int tabCount = 0, selectedTab = -1;
    std::vector<std::string> alerts;
    std::vector<int> sounds;
};

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        game = std::make_unique<testsupport::TempGameFolder>("quor-editor");
        game->MakeDir("data");
        game->MakeDir("network");
        ASSERT_TRUE(
            WriteEncodedFile("data\\stage_objects.dat",
                             ",,\nKid001,キッド,歩く\nPukka001,プッカ,跳ねる\nGoal,ゴール,ここでクリア\n"));
        SetCreator("", "");
    }
    void TearDown() override {
        CClientInfo::DeleteInstance();
        game.reset();
    }

    // The player's client info: a registered creator, or none with an empty id.
    void SetCreator(const std::string& id, const std::string& name) { game->WriteClientInfo(id, name); }

    // A stage of empty areas of the classes given; the start point at (sx, sy) of area 0.
    static std::unique_ptr<CStage> MakeStage(std::vector<int> classes, int sx = 1, int sy = 1) {
        auto stage = std::make_unique<CStage>(nullptr, 1, CVersionNumber::Application());
        stage->SetName("テスト");
        for (size_t i = 0; i < classes.size(); ++i) {
            stage->AppendArea(
                std::make_unique<CStageArea>(stage.get(), CStageMap::Create(classes[i]),
                                             std::make_unique<CStageAreaObjectTable>(stage.get()), "エリア",
                                             0, 1, 0, static_cast<int>(i)));
        }
        stage->maxAbsoluteAreaNum = static_cast<int>(classes.size()) - 1;
        stage->startX = sx;
        stage->startY = sy;
        stage->SetCurrentArea(0);
        return stage;
    }

    // An editor with the stage installed.
    std::unique_ptr<CEditor> MakeEditor(std::unique_ptr<CStage> stage,
                                        EditorMode editMode = EditorMode::kPlayer) {
        auto editor = std::make_unique<CEditor>(nullptr, editMode, &view);
        editor->SetStage(std::move(stage));
        return editor;
    }

    // The chips of the current area's grid, row by row.
    static std::vector<int> Grid(const CStage& stage) {
        std::vector<int> out;
        const CStageArea* area = stage.GetCurrentArea();
        for (int y = 0; y < area->GetHeight(); ++y) {
            for (int x = 0; x < area->GetWidth(); ++x) out.push_back(area->GetChip(x, y));
        }
        return out;
    }

    FakeView view;
    std::unique_ptr<testsupport::TempGameFolder> game;
};

}  // namespace editortest
