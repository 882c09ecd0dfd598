#pragma once
// The world of the block and hazard tests: the machinery world (a play scene whose area clock
// the test sets, the effects made recorded instead of built) with a hero the test places, the
// camera on the action, the sheets of these gimmicks, and stand-ins for the classes that the
// gimmicks make through the live-object creators (shots, items, the kid), each remembering its
// class and arguments.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Camera.h"
#include "play/EffectFactory.h"
#include "play/LiveObjectFactory.h"
#include "tests/gimmicks/switch_lift_env.h"
#include "tests/play/play_combat_env.h"

namespace gimmicktest {

// What a live-object creator made in place of a class not built here.
class StandIn : public playtest::Thing {
  public:
    StandIn(CStage* stage, double px, double py, std::string cls, LiveObjectArgs made)
        : Thing(stage, px, py, 4, 4, kCategoryDefault), liveClass(std::move(cls)), args(std::move(made)) {}
    std::string liveClass;
    LiveObjectArgs args;
};

using playtest::Target;

class HazardWorld : public MachineryWorld {
  protected:
    void SetUp() override {
        MachineryWorld::SetUp();
        if (HasFatalFailure()) return;
        // The sheets of these gimmicks and the editor's, behind the same plain picture; the
        // sprite manager reads the index again.
        std::string index;
        ASSERT_EQ(ReadEncodedFile("data\\bmp_index.dat", index), ReadStatus::Ok);
        for (const char* key : {"Object.Objects003", "Char.Enemy001_L", "Char.Enemy001_R",
                                "System.StageObjects001", "System.StageObjects002"})
            index += std::string(key) + ",img\\sheet.bmp,32,32\n";
        ASSERT_TRUE(WriteEncodedFile("data\\bmp_index.dat", index));
        CSpriteManager::DeleteInstance();
        ASSERT_NE(CSpriteManager::GetInstance(), nullptr);
        Look(320, 480);
        for (const char* cls : {"CBatteryShot", "CBurnerFire", "CKid002", "CPokikki", "CAirPokikki",
                                "CUmaibo", "CIceBar", "C1UP", "CKey", "CPowerUpBar"}) {
            const std::string name = cls;
            RegisterLiveObjectCreator(
                name, [name](CStage* owner, double px, double py, const LiveObjectArgs& a) {
                    return std::unique_ptr<IBase>(std::make_unique<StandIn>(owner, px, py, name, a));
                });
        }
    }
    void TearDown() override {
        ClearLiveObjectCreators();
        MachineryWorld::TearDown();
    }

    // Points the camera at a world point (the middle of the screen).
    static void Look(float px, float py) {
        CCamera::GetInstance()->SetTarget(px, py, 0);
        CCamera::GetInstance()->Update();
    }

    // A hero of 20 x 40 with its middle at (cx, cy), known to the scene.
    playtest::Thing* PlaceHero(double cx, double cy) {
        playtest::Thing* h = Spawn(cx - 10, cy - 20, 20, 40, kCategoryHero);
        h->UpdateCentre();
        clock.hero = h;
        return h;
    }

    template <class T, class... Args>
    T* Add(Args&&... args) {
        auto object = std::make_unique<T>(stage.get(), std::forward<Args>(args)...);
        T* raw = object.get();
        EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(object)));
        return raw;
    }

    std::vector<StandIn*> MadeAs(const std::string& cls) {
        std::vector<StandIn*> out;
        for (StandIn* s : All<StandIn>())
            if (s->liveClass == cls) out.push_back(s);
        return out;
    }

    // Advances the area clock with the frames, as the play scene does.
    void Play(int frames) {
        for (int i = 0; i < frames; ++i) {
            Frames(1);
            clock.clock += 1.0;
        }
    }
};

// An attack of the damage, with the flags listed.
inline AttackInfo Blow(int damage, std::initializer_list<int> flags = {}, double power = 0.0,
                       double angle = 0.0) {
    AttackInfo a;
    a.damage = damage;
    a.power = power;
    a.angle = angle;
    for (int f : flags) a.flags[f] = 1;
    return a;
}

}  // namespace gimmicktest
