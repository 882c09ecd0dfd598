#pragma once
// The world of the switch and lift tests: a scene whose area clock the test sets, a hero that the
// scene names, the effects that objects ask for, and a floor to stand on.
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "tests/gimmicks/gimmicks_world_env.h"

namespace gimmicktest {

// A fake play scene with an area clock.
using ClockScene = testsupport::FakeScene;

struct MadeEffect {
    int kind;
    double x, y;
};

class MachineryWorld : public GimmickWorld {
  protected:
    void SetUp() override {
        GimmickWorld::SetUp();
        if (HasFatalFailure()) return;
        stage->scene = &clock;
        Made().clear();
        SetEffectFactory(&Record);
    }
    void TearDown() override {
        stage->scene = &scene;
        GimmickWorld::TearDown();
    }

    static std::vector<MadeEffect>& Made() {
        static std::vector<MadeEffect> made;
        return made;
    }
    static void Record(int kind, double x, double y, CStage*) { Made().push_back({kind, x, y}); }

    // Makes and registers an object of the stage that stays wherever the test puts it, off the
    // screen too.
    template <class T, class... Args>
    T* Add(Args&&... args) {
        auto object = std::make_unique<T>(stage.get(), std::forward<Args>(args)...);
        T* raw = object.get();
        raw->removeWhenOffScreen = false;
        EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(object)));
        return raw;
    }
    // The scene's hero: a 16 x 24 body of category 0 at (x, y).
    playtest::Thing* Hero(double px, double py) {
        playtest::Thing* h = Spawn(px, py, 16, 24, kCategoryHero);
        clock.hero = h;
        return h;
    }

    ClockScene clock;
};

}  // namespace gimmicktest
