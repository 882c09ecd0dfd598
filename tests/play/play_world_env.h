#pragma once
// A small world for the play core's tests: the headless engine with a fixed 1/60 s frame and a
// seeded generator, a relation table written for the test, a stage of one area whose chips the
// test sets, a fake play scene, and a plain live object whose behaviour the test scripts.
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../engine/engine_test_env.h"
#include "engine/Scene.h"
#include "play/Base.h"
#include "play/ObjectRegistry.h"
#include "play/ObjectRelationTable.h"
#include "play/SceneServices.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"
#include "tests/common/fake_scene.h"

namespace playtest {

// A play scene that answers the hero and records the keys it is told of.
using FakeScene = testsupport::FakeScene;

// A live object that runs the usual frame (BeginFrame, Move, EndFrame) around a scripted step
// and logs what the passes tell it.
class Thing : public IBase {
  public:
    Thing(CStage* stage, double px, double py, double w, double h, int cat) : IBase(stage, px, py) {
        width = w;
        height = h;
        category = cat;
        removeWhenOffScreen = false;  // tests place things anywhere on the map
    }
    Thing(CStage* stage, double dx, double dy, IBase* parentObject) : IBase(stage, dx, dy, parentObject) {
        removeWhenOffScreen = false;
    }
    ~Thing() override {
        if (destroyed) *destroyed = true;
    }
    void Update() override {
        BeginFrame();
        if (step) step(*this);
        Move();
        EndFrame();
        ++updates;
    }
    int Collide(IBase* other) override {
        hits.push_back(other);
        return collideAnswer;
    }
    void OnTouch(IBase* other) override { touches.push_back(other); }

    std::function<void(Thing&)> step;
    std::vector<IBase*> hits, touches;
    int collideAnswer = 2;
    int updates = 0;
    bool* destroyed = nullptr;
};

class WorldTest : public enginetest::EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (HasFatalFailure()) return;
        stage = std::make_unique<CStage>(&scene, 0, CVersionNumber());
        auto map = std::make_unique<CStageMap>();
        map->Allocate(60, 40);
        ASSERT_TRUE(stage->AppendArea(
            std::make_unique<CStageArea>(stage.get(), std::move(map), nullptr, "test", 0, 0, 0, 0)));
        stage->currentArea = 0;
        Relations({});
        CObjectRegistry::GetInstance()->Clear();
    }
    void TearDown() override {
        CObjectRegistry::DeleteInstance();
        CObjectRelationTable::Clear();
        stage.reset();
        EngineTest::TearDown();
    }

    // Writes a relation table with the given cells {x, y, value} and loads it.
    void Relations(const std::vector<std::array<int, 3>>& cells) {
        int rel[30][30] = {};
        for (const auto& c : cells) rel[c[0]][c[1]] = c[2];
        std::string text;
        for (int x = 0; x < 30; ++x) {
            for (int y = 0; y < 30; ++y) text += (y ? "," : "") + std::to_string(rel[x][y]);
            text += "\n";
        }
        ASSERT_TRUE(WriteEncodedFile("data\\obje_relation.dat", text));
        CObjectRelationTable::Load();
    }

    CStageMap& Map() { return *stage->GetArea(0)->GetMap(); }
    // Fills tiles [c0..c1] x [r0..r1] with a chip.
    void Fill(int c0, int r0, int c1, int r1, uint8_t chip) {
        for (int c = c0; c <= c1; ++c)
            for (int r = r0; r <= r1; ++r) Map().SetChip(c, r, chip);
    }
    Thing* Spawn(double px, double py, double w, double h, int cat) {
        Thing* t = testsupport::Register(std::make_unique<Thing>(stage.get(), px, py, w, h, cat));
        EXPECT_NE(t, nullptr);
        return t;
    }
    void Frames(int n, double wind = 0.0) {
        for (int i = 0; i < n; ++i) CObjectRegistry::GetInstance()->UpdateAll(wind);
    }

    FakeScene scene;
    std::unique_ptr<CStage> stage;
};

}  // namespace playtest
