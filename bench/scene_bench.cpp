// A busy area of play, one whole frame: the play scene's update (the hero, 200 walking enemy
// stand-ins, 100 gimmicks: lifts carrying walkers, switches they press, batteries and burners
// firing, rain, the spawner, the camera) and its drawing into the 640x480 frame (the full
// parallax background, the map, every object's sprite, the status display), headless.
#include <benchmark/benchmark.h>

#include <memory>

#include "engine/SpriteManager.h"
#include "engine/el/el4D.h"
#include "engine/el/elDraw.h"
#include "engine/el/elSystem.h"
#include "foundation/EncodedFile.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "gimmicks/Batteries.h"
#include "gimmicks/GimmickKinds.h"
#include "gimmicks/Lifts.h"
#include "gimmicks/Switches.h"
#include "play/AttackParameter.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "play/SpriteBatch.h"
#include "play/StageScene.h"
#include "stage/Stage.h"
#include "stage/StageMap.h"
#include "tests/common/headless_screen.h"

namespace {

// A body with one picture that walks, turns at walls and falls.
class Walker : public IBase {
  public:
    Walker(CStage* s, double px, double py, int cat, const char* group, const char* key, int w, int h)
        : IBase(s, px, py), image_(CreateSprite(group, key, 2, 0, 0, w, h)) {
        sprite = image_.get();
        width = w;
        height = h;
        category = cat;
        removeWhenOffScreen = false;
        ay = 600;
        vx = RandomRange(0, 1) ? 70 : -70;
    }
    void Update() override {
        BeginFrame();
        if (touchLeft || touchRight) vx = -vx;
        Move();
        EndFrame();
    }
    void Draw() override {
        if (!sprite) return;
        sprite->x = static_cast<float>(centerX / 256.0);
        sprite->y = static_cast<float>(centerY / 256.0);
        sprite->z = 0.002f;
        sprite->ApplyTransform();
        sprite->Draw();
    }
    OwnedSprite image_;
};

// A rain drop: falls through everything and goes when it leaves the screen below.
class Drop : public Walker {
  public:
    Drop(CStage* s, double px, double py, double speedX, double speedY)
        : Walker(s, px, py, kCategoryEffect, "Effect", "Effect001", 4, 16) {
        ignoresMap = true;
        removeWhenOffScreen = true;
        ay = 0;
        vx = speedX;
        vy = speedY;
    }
};

struct Busy {
    Busy() {
        SetGameFolder(QUOR_GAME_DIR);
        testsupport::OpenHeadlessScreenOnce();
        SetFrameTime(1.0f / 60.0f);
        elSystem::SetFrameTime(1.0f / 60.0f);
        SeedRandom(7);
        CSpriteManager* sprites = CSpriteManager::GetInstance();
        for (const char* group : {"System", "BackGround", "Char", "Object", "Effect"}) {
            sprites->BeginLoadGroup(group);
            while (sprites->GetLoadPercent() < 100) sprites->LoadNextImage(group);
        }
        CAttackParameterTable::GetInstance();
        CObjectRegistry::GetInstance();
        // The gimmicks' own creators, so that batteries and burners fire their real shots.
        RegisterGimmickKinds();
        RegisterLiveObjectCreator("CWeatherRain", [](CStage* s, double x, double y, const LiveObjectArgs& a) {
            return std::unique_ptr<IBase>(
                std::make_unique<Drop>(s, x, y, std::get<int>(a.at(0)), std::get<int>(a.at(1))));
        });

        auto stage = std::make_unique<CStage>(nullptr, 0, CVersionNumber());
        stage->SetName("busy");
        auto area = std::make_unique<CStageArea>(stage.get(), CStageMap::Create(1),
                                                 std::make_unique<CStageAreaObjectTable>(stage.get()), "a", 7,
                                                 1, 1, 0);
        for (int c = 0; c < 160; ++c) {
            area->SetChip(c, 13, 40);
            area->SetChip(c, 14, 40);
            if (c % 9 < 4) area->SetChip(c, 9, 41);
            if (c % 25 == 0) area->SetChip(c, 12, 40);
        }
        stage->AppendArea(std::move(area));
        stage->startX = 10;
        stage->startY = 12;
        host = std::make_unique<CBlankScene>();
        scene = host->AdoptChild(std::make_unique<CStageScene>(host.get(), std::move(stage), kPlayTest, 0));
        // Two hundred enemies about the hero: the ones on screen and the ones just beyond it.
        for (int i = 0; i < 200; ++i)
            CObjectRegistry::GetInstance()->Add(std::make_unique<Walker>(scene->GetStage(), 40 + i * 7.0,
                                                                         300 - (i % 4) * 40, kCategoryEnemy,
                                                                         "Object", "Objects001", 28, 28));
        AddGimmicks();
        for (int i = 0; i < 120; ++i) Frame();  // rain and shots at their steady count
    }
    ~Busy() {
        host.reset();
        ClearLiveObjectCreators();
        CSpriteBatch::DeleteInstance();
        CObjectRegistry::DeleteInstance();
        CAttackParameterTable::DeleteInstance();
    }
    // A hundred gimmicks over the first two screens: 40 swinging lifts each carrying a walker,
    // 30 switches of every press kind and colour on the floor the walkers cross, and 30 batteries
    // and burners of every direction and timing.
    void AddGimmicks() {
        CStage* s = scene->GetStage();
        CObjectRegistry* reg = CObjectRegistry::GetInstance();
        const double floor = 13 * 32.0;
        for (int i = 0; i < 40; ++i) {
            const double x = 48 + i * 24.0, y = 96 + (i % 5) * 40.0;
            reg->Add(std::make_unique<CRoundTripLift>(s, x, y, i % 2 == 0, i * 0.4));
            reg->Add(
                std::make_unique<Walker>(s, x + 16, y - 20, kCategoryEnemy, "Object", "Objects001", 28, 28));
        }
        for (int i = 0; i < 30; ++i) {
            const double x = 40 + i * 32.0, y = floor - 16;
            const int colour = i % 3;
            switch (i % 5) {
                case 0:
                    reg->Add(std::make_unique<CPushSwitch>(s, x, y, colour));
                    break;
                case 1:
                    reg->Add(std::make_unique<CTimerSwitch>(s, x, y, colour));
                    break;
                case 2:
                    reg->Add(std::make_unique<CChangeSwitch>(s, x, y, colour));
                    break;
                case 3:
                    reg->Add(std::make_unique<CSpringSwitch>(s, x, y, colour));
                    break;
                default:
                    reg->Add(std::make_unique<CForceSwitch>(s, x, y, colour));
                    break;
            }
        }
        for (int i = 0; i < 30; ++i) {
            const double x = 60 + i * 30.0, y = 40 + (i % 3) * 36.0;
            if (i % 3 == 2)
                reg->Add(std::make_unique<CBurner>(s, x, y, i % 4, i % 4));
            else
                reg->Add(std::make_unique<CNormalBattery>(s, x, y, i % 4, i % 4));
        }
    }

    // One frame as the scene director runs it, without the present.
    void Frame() {
        scene->Update();
        elDraw::ClearScreen();
        el4D::BeginScene();
        el4D::Clear();
        scene->Draw();
        el4D::EndScene();
        scene->DrawOverlay();
    }

    std::unique_ptr<CBlankScene> host;
    CStageScene* scene = nullptr;
};

void BM_BusyAreaFrame(benchmark::State& state) {
    Busy busy;
    for (auto _ : state) busy.Frame();
    state.counters["objects"] = CObjectRegistry::GetInstance()->Count();
    state.counters["layers"] = CSpriteBatch::GetInstance()->GetCount();
}
BENCHMARK(BM_BusyAreaFrame)->Unit(benchmark::kMillisecond);

}  // namespace
