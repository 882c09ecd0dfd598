#pragma once
// The gimmick world with a play scene that remembers what the objects asked of it, a hero that
// the items and doors recognise, the Up key pushed on demand, and the real placed-object records
// of the stage model behind the live classes.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/InputManager.h"
#include "gimmicks/GimmickKinds.h"
#include "play/HeroVitals.h"
#include "play/LiveObjectFactory.h"
#include "stage/StageAreaObject.h"
#include "stage/StageObjectKindTable.h"
#include "tests/gimmicks/gimmicks_world_env.h"

namespace gimmicktest {

// A play scene that records the services asked of it.
class RecordingScene : public playtest::FakeScene {
  public:
    struct Warp {
        int area, x, y;
        bool animate;
    };
    std::vector<Warp> warps;
    bool warpAccepted = true;
    int goals = 0, lives = 3, keyCount = 0, hints = 0, area = 0, weather = 0;
    std::vector<std::pair<int, int>> openedDoors;  // (area, id)
    std::vector<int> weaponChanges;
    std::vector<int> checkpoint;  // area, x, y
    struct Zoom {
        bool active = false;
        float rate = 0, time = 0;
    } zoom[3];

    void OnGoalReached() override { ++goals; }
    void AddLife() override {
        if (lives < 99) ++lives;
    }
    int GetKeyCount() override { return keyCount; }
    void SetKeyCount(int n) override { keyCount = n; }
    int GetCurrentAreaIndex() override { return area; }
    void AddOpenedKeyDoor(int a, int id) override { openedDoors.emplace_back(a, id); }
    bool IsKeyDoorOpened(int a, int id) override {
        for (const auto& d : openedDoors)
            if (d.first == a && d.second == id) return true;
        return false;
    }
    void SetCheckpoint(int a, int x, int y) override { checkpoint = {a, x, y}; }
    bool RequestWarp(int a, int x, int y, bool animate) override {
        warps.push_back({a, x, y, animate});
        return warpAccepted;
    }
    void RequestWeaponChange(int kind) override { weaponChanges.push_back(kind); }
    void SetZoomOverride(int c, float rate, float time) override { zoom[c] = {true, rate, time}; }
    void ClearZoomOverride(int c, float time) override { zoom[c] = {false, zoom[c].rate, time}; }
    bool IsZoomOverrideActive(int c) override { return zoom[c].active; }
    float GetZoomOverrideRate(int c) override { return zoom[c].rate; }
    void SetWeather(int id) override { weather = id; }
    int GetWeather() override { return weather; }
    void ShowDoorHint() override { ++hints; }
};

// The hero as the gimmicks see him: a 32 x 48 box with a weapon and health.
class FakeHero : public playtest::Thing, public IHeroVitals {
  public:
    FakeHero(CStage* stage, double px, double py) : Thing(stage, px, py, 32, 48, kCategoryHero) {
        ignoresMap = true;
    }
    HeroWeaponRecord GetWeapon() const override { return {weapon, health}; }
    void SetHealth(int h) override { health = h; }
    int weapon = 0, health = 50;
};

class PlayWorld : public GimmickWorld {
  protected:
    void SetUp() override {
        GimmickWorld::SetUp();
        if (HasFatalFailure()) return;
        stage->scene = &play;
        // Doors and items are touched by the hero; events are not touched at all.
        Relations({{kCategoryDoor, kCategoryHero, 4},
                   {kCategoryHero, kCategoryDoor, 4},
                   {kCategoryItem, kCategoryHero, 4},
                   {kCategoryHero, kCategoryItem, 4}});
        RegisterGimmickKinds();
        // The view covers x 160..800, y 60..540: doors and items placed there stay alive.
        CCamera::GetInstance()->SetTarget(480, 300, 0);
        CCamera::GetInstance()->Update();
    }
    void TearDown() override {
        CObjectRegistry::SetEnemyCounter(nullptr);
        ClearLiveObjectCreators();
        stage->scene = &scene;
        GimmickWorld::TearDown();
    }

    // The hero with its centre at (cx, cy), known to the scene.
    FakeHero* PlaceHero(double cx, double cy) {
        auto hero = std::make_unique<FakeHero>(stage.get(), cx - 16, cy - 24);
        FakeHero* h = hero.get();
        EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(hero)));
        play.hero = h;
        return h;
    }
    static void MoveCentreTo(IBase* o, double cx, double cy) {
        o->x = cx - o->width / 2;
        o->y = cy - o->height / 2;
    }
    // Makes a live object by its class name, as a record would, and registers it.
    template <class T>
    T* Make(const char* cls, double px, double py, const LiveObjectArgs& args = {}) {
        std::unique_ptr<IBase> made = CreateLiveObject(cls, stage.get(), px, py, args);
        auto* o = dynamic_cast<T*>(made.get());
        EXPECT_NE(o, nullptr) << cls;
        if (o) {
            EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
        }
        return o;
    }
    // One frame with Up pushed in it; the input update after the frame lets it go.
    void FrameWithUp() {
        SetUpKey(KeyState::kPushed);
        Frames(1);
        SetUpKey(KeyState::kNone);
    }
    // One input update whose only event puts the Up key in the state.
    static void SetUpKey(uint32_t upState) {
        struct Source : IInputEventSource {
            uint32_t up = 0;
            int step = 0;
            bool NextEvent(bool) override { return step++ < 1; }
            void GetState(int code, uint32_t& state, float& age) override {
                age = 0;
                if (code == InputCode::kUp) state = up;
            }
        } source;
        source.up = upState;
        CInputManager::SetEventSource(&source);
        CInputManager::GetInstance()->Update();
        CInputManager::SetEventSource(nullptr);
    }

    RecordingScene play;
};

// A second area (number 1, current) whose object table holds real placed-object records.
class PlacedWorld : public PlayWorld {
  protected:
    void SetUp() override {
        PlayWorld::SetUp();
        if (HasFatalFailure()) return;
        std::string kinds = ",,\n";
        for (const char* key : kPlacedKinds) kinds += std::string(key) + "," + key + ",x\n";
        ASSERT_TRUE(WriteEncodedFile("data\\stage_objects.dat", kinds));
        auto map = std::make_unique<CStageMap>();
        map->Allocate(60, 40);
        ASSERT_TRUE(stage->AppendArea(std::make_unique<CStageArea>(
            stage.get(), std::move(map), std::make_unique<CStageAreaObjectTable>(stage.get()), "placed", 0, 0,
            0, 1)));
        stage->currentArea = 1;
        table = stage->GetCurrentAreaObjects();
        ASSERT_NE(table, nullptr);
    }
    // The live object of the record at the tile, made and registered as the spawner does (the
    // start object first).
    IBase* SpawnRecord(int tx, int ty) {
        CStageAreaObject* record = table->GetAt(tx, ty);
        if (!record) return nullptr;
        LiveObjectSpec spec = record->GetStartObjectSpec(false);
        if (spec.IsNone()) spec = record->GetObjectSpec(false);
        std::unique_ptr<IBase> made = CreateLiveObject(spec, record->GetOwnerStage());
        if (!made) return nullptr;
        made->SetAreaObjectId(record->GetId());
        IBase* o = made.get();
        EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
        return o;
    }

    static constexpr const char* kPlacedKinds[] = {"Door001",
                                                   "Door002",
                                                   "Door003",
                                                   "Door004",
                                                   "Door005",
                                                   "KeyDoor001",
                                                   "EnemyZeroDoor001",
                                                   "Warp001",
                                                   "InvisibleWarp001",
                                                   "Goal",
                                                   "Pokikki001",
                                                   "AirPokikki001",
                                                   "Umaibo001",
                                                   "IceBar001",
                                                   "1UP001",
                                                   "RedWhitePole",
                                                   "WoodenMallet",
                                                   "Propeller",
                                                   "Hose",
                                                   "Key",
                                                   "Flag",
                                                   "ChangeMusicToLeft",
                                                   "ChangeWeatherToUp",
                                                   "ChangeZoomToDown"};
    CStageAreaObjectTable* table = nullptr;
};

}  // namespace gimmicktest
