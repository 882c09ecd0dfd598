// Every ground enemy through the creator table: built from a placed record's arguments,
// updated, drawn, struck and destroyed, with a stage and without an owner (as the load-time
// preloader builds them), and counted or not by the doors.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "enemies/Caterpillar001.h"
#include "enemies/EnemyKinds.h"
#include "enemies/Nageru001.h"
#include "tests/enemies/ground_env.h"

using namespace enemytest;

namespace {

class GroundKinds : public GroundWorld {};

struct Kind {
    const char* liveClass;
    LiveObjectArgs args;
    bool counted;
};

const std::vector<Kind>& Kinds() {
    // clang-format off
    static const std::vector<Kind> kinds = {
        {"CMoyashi001", {}, true},
        {"CMoyashi002", {}, true},
        {"CFlower001", {}, true},
        {"CFlower002", {}, true},
        {"CTornado001", {true, 1}, false},
        {"CIchigo001", {false}, true},
        {"COtoBall001", {true}, false},
        {"CCaterpillar001", {true, 5}, true},
        {"CNeedle001", {false}, true},
        {"CNageru001", {true, 1}, true},
        {"CIceSculpture001", {false}, true},
        {"CDrill001", {true}, true},
        {"CTonFar001", {false}, true},
        {"CMegane001", {true, 1}, true},
        {"CGun001", {true, 1}, true},
        {"CChop001", {false, 1}, true},
        {"CProfessor001", {true}, true},
    };
    // clang-format on
    return kinds;
}

TEST_F(GroundKinds, EveryClassIsBuiltUpdatedDrawnStruckAndDestroyedEvenWithoutAnOwner) {
    RegisterEnemyKinds();
    for (CStage* owner : {static_cast<CStage*>(nullptr), stage.get()}) {
        for (const Kind& k : Kinds()) {
            SCOPED_TRACE(k.liveClass);
            std::unique_ptr<IBase> held = CreateLiveObject(k.liveClass, owner, 64, 100, k.args);
            IBase* o = held.get();
            ASSERT_NE(o, nullptr);
            ASSERT_NE(dynamic_cast<IEnemy*>(o), nullptr);
            for (int i = 0; i < 3; ++i) {
                o->Update();
                o->Draw();
            }
            o->ReceiveAttack(Attack(999));
            o->Update();
            o->Draw();
        }
    }
}

// What a fresh enemy, as placed, answers to a blow of 10 carrying each flag (-1: none). Codes:
// 0 beaten or destroyed, 1 knocked, 2 no effect, 3 knocked back but guarded, 6 untouchable.
TEST_F(GroundKinds, EachClassAnswersEachAttackFlagByItsOwnRule) {
    RegisterEnemyKinds();
    const auto noneBut = [](int flag, int on, int otherwise) {
        return [=](int f) { return f == flag ? on : otherwise; };
    };
    const struct {
        const char* liveClass;
        LiveObjectArgs args;
        std::function<int(int)> answer;
    } rows[] = {
        {"CMoyashi001", {}, noneBut(kAttackWater, kHitDefeated, kHitNoEffect)},
        {"CMoyashi002", {}, noneBut(kAttackWater, kHitDefeated, kHitNoEffect)},
        {"CFlower001", {}, noneBut(kAttackWater, kHitNoEffect, kHitDefeated)},
        {"CFlower002", {}, noneBut(kAttackRedBurst, kHitNoEffect, kHitDefeated)},
        {"CTornado001", {true, 0}, [](int) { return kHitNoEffect; }},
        {"CIchigo001", {true}, [](int) { return kHitHurt; }},
        {"COtoBall001", {true}, [](int) { return kHitHurt; }},
        {"CCaterpillar001", {true, 3}, noneBut(kAttackRedBurst, kHitDefeated, kHitGuarded)},
        {"CNeedle001",
         {true},
         [](int f) {
             return f == kAttackWater ? kHitNoEffect : (f == kAttackPowerHit ? kHitDefeated : kHitHurt);
         }},
        {"CNageru001", {true, 0}, [](int) { return kHitDefeated; }},
        {"CIceSculpture001",
         {true},
         [](int f) { return f == kAttackIce || f == kAttackWater ? kHitNoEffect : kHitDefeated; }},
        {"CDrill001", {true}, [](int) { return kHitHurt; }},
        {"CTonFar001", {true}, [](int) { return kHitHurt; }},
        {"CMegane001", {true, 0}, [](int) { return kHitHurt; }},
        {"CGun001", {true, 0}, [](int) { return kHitDefeated; }},
        {"CChop001", {true, 0}, [](int) { return kHitHurt; }},
        {"CProfessor001", {true}, [](int) { return kHitImmune; }},  // hidden at first
    };
    for (const auto& row : rows) {
        for (int flag = -1; flag < 12; ++flag) {
            SCOPED_TRACE(std::string(row.liveClass) + " flag " + std::to_string(flag));
            std::unique_ptr<IBase> o = CreateLiveObject(row.liveClass, stage.get(), 64, 100, row.args);
            ASSERT_NE(o, nullptr);
            EXPECT_EQ(o->ReceiveAttack(Attack(10, flag)), row.answer(flag));
        }
    }
}

TEST_F(GroundKinds, ThePlacedArgumentsReachTheObjects) {
    RegisterEnemyKinds();
    std::unique_ptr<IBase> bomb = CreateLiveObject("CCaterpillar001", stage.get(), 64, 100, {false, 3});
    EXPECT_EQ(static_cast<CCaterpillar001*>(bomb.get())->fuse, 180.0);
    EXPECT_EQ(static_cast<CCaterpillar001*>(bomb.get())->facing, 0);
    std::unique_ptr<IBase> rock = CreateLiveObject("CNageru001", stage.get(), 64, 100, {true, 1});
    EXPECT_EQ(static_cast<CNageru001*>(rock.get())->kind, 1);
    EXPECT_EQ(static_cast<CNageru001*>(rock.get())->facing, 1);
    std::unique_ptr<IBase> needle = CreateLiveObject("CNeedle001", stage.get(), 64, 100, {true});
    EXPECT_EQ(needle->vx, 60.0);
}

TEST_F(GroundKinds, OnlyTheWhirlwindAndTheNoteBallKeepNoDoorShut) {
    RegisterEnemyKinds();
    int expected = 0;
    for (const Kind& k : Kinds()) {
        std::unique_ptr<IBase> o(CreateLiveObject(k.liveClass, stage.get(), 64 + 64 * expected, 100, k.args));
        o->removeWhenOffScreen = false;
        ASSERT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(o)));
        expected += k.counted ? 1 : 0;
    }
    EXPECT_EQ(CObjectRegistry::GetInstance()->CountEnemies(), expected);
}

}  // namespace
