#pragma once
// The play scene's test world: the hero's world (attack table, pictures, frame time, seeded
// numbers), stages built in the test from areas of a rock floor, stand-ins for the goal, the key
// and the flag that ask the scene's services as the real ones do, keys held by scan code (Z, X and the arrows
// through the hero's keys), and a host scene that hears the play scene close.
#include <memory>
#include <set>
#include <string>

#include "play/Hero.h"
#include "play/LiveObjectFactory.h"
#include "play/SpriteBatch.h"
#include "play/StageScene.h"
#include "stage/StageChips.h"
#include "tests/play/play_hero_env.h"

namespace playtest {

// The parent of the play scene: keeps the result it was told.
class HostScene : public IScene {
  public:
    HostScene() : IScene(nullptr) {}
    void Start() override {}
    void Update() override {}
    void Draw() override {}
    void DrawOverlay() override {}
    void OnChildClosed(IScene* child) override {
        if (auto* play = dynamic_cast<CStageScene*>(child)) {
            closedResult = play->GetResult();
            ++closes;
        }
    }
    int closedResult = -1;
    int closes = 0;
};

// A placed object that acts once the hero's centre is inside its 32 x 32 box.
class Touchable : public IBase {
  public:
    Touchable(CStage* stage, double px, double py) : IBase(stage, px, py) {
        width = height = 32;
        removeWhenOffScreen = false;
        UpdateCentre();
    }
    void Update() override {
        IPlaySceneServices* scene = GetSceneServices(owner);
        IBase* h = scene ? scene->GetHero() : nullptr;
        if (!h || IsDead()) return;
        if (h->centerX >= x && h->centerX <= x + width && h->centerY >= y && h->centerY <= y + height)
            Touched(*scene);
    }
    void Draw() override {}
    virtual void Touched(IPlaySceneServices& scene) = 0;
};

class StandInGoal : public Touchable {
  public:
    using Touchable::Touchable;
    void Touched(IPlaySceneServices& scene) override { scene.OnGoalReached(); }
};

class StandInKey : public Touchable {
  public:
    using Touchable::Touchable;
    void Touched(IPlaySceneServices& scene) override {
        scene.SetKeyCount(scene.GetKeyCount() + 1);
        if (areaObjectId > 0) scene.AddCollectedKey(scene.GetCurrentAreaIndex(), areaObjectId);
        Kill();
    }
};

class StandInFlag : public Touchable {
  public:
    using Touchable::Touchable;
    void Touched(IPlaySceneServices& scene) override {
        scene.SetCheckpoint(scene.GetCurrentAreaIndex(), static_cast<int>(x / 32),
                            static_cast<int>(y / 32) + 1);
    }
};

class SceneTest : public HeroTest {
  protected:
    static constexpr int kFloor = 13;  // the floor row of every area
    static constexpr int kStartX = 3, kStartY = 12;

    void SetUp() override {
        HeroTest::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(WriteEncodedFile("data\\stage_objects.dat", ",,\nGoal,ゴール,x\nKey,鍵,x\nFlag,旗,x\n"));
        RegisterLiveObjectCreator("CNormalGoal", [](CStage* s, double px, double py, const LiveObjectArgs&) {
            return std::unique_ptr<IBase>(std::make_unique<StandInGoal>(s, px, py));
        });
        RegisterLiveObjectCreator("CKey", [](CStage* s, double px, double py, const LiveObjectArgs&) {
            return std::unique_ptr<IBase>(std::make_unique<StandInKey>(s, px - 16, py - 16));
        });
        RegisterLiveObjectCreator("CStageFlag", [](CStage* s, double px, double py, const LiveObjectArgs&) {
            return std::unique_ptr<IBase>(std::make_unique<StandInFlag>(s, px - 16, py));
        });
        // The backgrounds and the map chips as the build drew them, only linked.
        const std::filesystem::path built = testsupport::BuiltGameFolder();
        std::error_code ec;
        for (const char* folder : {"bg", "map", "editer"})
            if (!std::filesystem::exists(dir / folder))
                std::filesystem::create_directory_symlink(built / folder, dir / folder, ec);
        // The engine's fixture has made the system folder: its pictures are linked one by one.
        for (const auto& entry : std::filesystem::directory_iterator(built / "system", ec))
            std::filesystem::create_symlink(entry.path(), dir / "system" / entry.path().filename(), ec);
    }
    void TearDown() override {
        host.reset();  // the play scene first: it clears the registry
        ClearLiveObjectCreators();
        CSpriteBatch::DeleteInstance();
        SwitchColorStates::Reset();
        HeroTest::TearDown();
    }

    // A stage of `areas` Short areas (160 x 15 tiles), each with a rock floor and area number
    // 10 + slot; the hero starts on the floor of area 0.
    std::unique_ptr<CStage> MakeStage(int areas = 1, int backGround = 1, int weather = 0) {
        auto s = std::make_unique<CStage>(nullptr, 0, CVersionNumber::Application());
        s->SetName("試験");
        s->SetId("77");
        for (int i = 0; i < areas; ++i) {
            auto area = std::make_unique<CStageArea>(s.get(), CStageMap::Create(1),
                                                     std::make_unique<CStageAreaObjectTable>(s.get()), "a",
                                                     7 + i, backGround, weather, 10 + i);
            for (int c = 0; c < 160; ++c) area->SetChip(c, kFloor, 40);
            EXPECT_TRUE(s->AppendArea(std::move(area)));
        }
        s->maxAbsoluteAreaNum = 10 + areas - 1;
        s->startArea = 0;
        s->startX = kStartX;
        s->startY = kStartY;
        return s;
    }
    CStageAreaObjectTable& Objects(CStage& s, int area = 0) { return *s.GetArea(area)->GetObjects(); }

    // Pushes a play scene for the stage on a fresh host.
    CStageScene* Play(std::unique_ptr<CStage> s, int mode, int lives) {
        host = std::make_unique<HostScene>();
        scene = host->AdoptChild(std::make_unique<CStageScene>(host.get(), std::move(s), mode, lives));
        return scene;
    }
    bool Closed() const { return host->closes > 0; }

    // One frame of the game with these scan codes held.
    void Step(std::initializer_list<int> held = {}) {
        keys.codes = held;
        keys.NextFrame();
        CInputManager::GetInstance()->Update();
        host->UpdateTop();
    }
    void Steps(int n, std::initializer_list<int> held = {}) {
        for (int i = 0; i < n && !Closed(); ++i) Step(held);
    }
    // Frames until the scene reaches `state` (at most `limit`), -1 when it never does.
    int StepsUntil(int state, int limit, std::initializer_list<int> held = {}) {
        for (int i = 1; i <= limit && !Closed(); ++i) {
            Step(held);
            if (scene->GetState() == state) return i;
        }
        return -1;
    }
    // Pushes a key for one frame and lets it go.
    void Push(int code) {
        Step({code});
        Step();
    }

    std::unique_ptr<HostScene> host;
    CStageScene* scene = nullptr;  // owned by the host
};

}  // namespace playtest
