// The last fight: the controller's phases, the two forms and the references between them.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <typeinfo>
#include <utility>

#include "bosses/DevilBar.h"
#include "bosses/LastBoss.h"
#include "bosses/LastBossShots.h"
#include "bosses/NunoOtoko.h"
#include "engine/el/elDraw.h"
#include "foundation/Geometry.h"
#include "play/HitEffect.h"
#include "play/Hitboxes.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"
#include "tests/bosses/last_boss_env.h"

namespace {

using lastbosstest::LastBossWorld;

class LastBoss : public LastBossWorld {
  protected:
    CLastBoss_Controller* PlaceController(double px = 600, double py = 150) {
        auto made = std::make_unique<CLastBoss_Controller>(stage.get(), px, py, false);
        CLastBoss_Controller* c = made.get();
        EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
        return c;
    }
    // A form on its own, without a controller.
    template <class T>
    T* PlaceForm(double px, double py) {
        std::unique_ptr<T> made;
        if constexpr (std::is_same_v<T, CNunoOtoko>)
            made = std::make_unique<T>(stage.get(), px, py, false, nullptr);
        else
            made = std::make_unique<T>(stage.get(), px, py, nullptr);
        T* form = made.get();
        EXPECT_TRUE(CObjectRegistry::GetInstance()->Add(std::move(made)));
        return form;
    }
    // Runs frames, drawing now and then, until the condition holds; false after `limit` frames.
    template <class F>
    bool RunUntil(F done, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            Frames(1);
            if (i % 16 == 0) CObjectRegistry::GetInstance()->DrawAll();
        }
        return done();
    }
    void FillRegistry() {
        while (CObjectRegistry::GetInstance()->GetObjectCount() < CObjectRegistry::kMaxObjects)
            Spawn(0, 0, 4, 4, kCategoryDefault)->removeWhenOffScreen = false;
    }
};

TEST_F(LastBoss, TheFightGoesThroughItsPhasesInOrderToTheFinalClear) {
    PlaceHero(420, 300);
    CLastBoss_Controller* lastBoss = PlaceController();
    lastBoss->SetAreaObjectId(5);
    Table().SetSpawnFlag(5, true);
    EXPECT_EQ(lastBoss->GetNunoOtoko(), nullptr);  // not before the registry runs the controller

    Frames(1);
    ASSERT_EQ(this->boss.bosses.size(), 1u);
    EXPECT_EQ(this->boss.bosses[0], lastBoss);
    CNunoOtoko* first = lastBoss->GetNunoOtoko();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(lastBoss->IsFinalBoss());

    // The scene's entrance: only the first form moves, and it cannot be hurt.
    EXPECT_EQ(first->ReceiveAttack(Blow(10)), kHitImmune);
    int steps = 0;
    while (!lastBoss->EntranceStep() && steps < 400) ++steps;
    EXPECT_NEAR(steps, 161, 1);
    EXPECT_EQ(lastBoss->phase, CLastBoss_Controller::kPhaseFirstForm);
    EXPECT_EQ(first->state, kNunoTrack);

    // Hits in a row while it reels: 140 points, ten at a time; the last one beats it.
    int result = kHitImmune;
    for (int i = 0; i < 100 && first->hitPoints > 0; ++i) {
        result = first->ReceiveAttack(Blow(10));
        if (result == kHitImmune) Frames(1);
    }
    EXPECT_EQ(first->hitPoints, 0);
    EXPECT_EQ(result, kHitDefeated);
    EXPECT_EQ(first->state, kNunoDefeat);
    CDevilBar* second = lastBoss->GetDevilBar();
    ASSERT_NE(second, nullptr);
    EXPECT_NEAR(second->centerX, first->centerX, 4.0);

    // A second call makes no second form; finishing now is too early.
    lastBoss->SpawnDevilBar();
    EXPECT_EQ(lastBoss->GetDevilBar(), second);
    lastBoss->FinishFight();
    EXPECT_EQ(lastBoss->phase, CLastBoss_Controller::kPhaseFirstForm);
    EXPECT_EQ(this->boss.defeats, 0);

    // The first form explodes for 180 frames, then the controller removes it.
    ASSERT_TRUE(RunUntil([&] { return lastBoss->phase == CLastBoss_Controller::kPhaseSecondForm; }, 200));
    Frames(1);
    EXPECT_EQ(lastBoss->GetNunoOtoko(), nullptr);
    EXPECT_TRUE(All<CNunoOtoko>().empty());

    // The second form drops in, rests on the floor, glides and roars, then fights.
    ASSERT_TRUE(RunUntil([&] { return second->state == kDevilHover; }, 900));
    EXPECT_NEAR(second->groundY, lastbosstest::kFloorTop, 1.0);
    EXPECT_EQ(second->ReceiveAttack(Blow(50)), kHitGuarded);
    for (int i = 0; i < 4000 && second->hitPoints > 0; ++i) {
        if (second->state >= kDevilHover && second->state <= kDevilRise)
            second->ReceiveAttack(PiercingBlow(10));
        Frames(1);
    }
    ASSERT_LE(second->hitPoints, 0);
    EXPECT_EQ(this->boss.musicStops, 1);
    EXPECT_EQ(this->boss.heroTimerResets, 1);

    // 420 frames of explosions, the drop and 270 frames of rolling: then the final clear.
    const ObjectHandle controller(lastBoss);
    ASSERT_TRUE(RunUntil([&] { return this->boss.defeats > 0; }, 1200));
    EXPECT_EQ(this->boss.defeats, 1);
    EXPECT_FALSE(Table().CanSpawn(5));
    Frames(2);
    EXPECT_FALSE(controller);
    EXPECT_TRUE(All<CDevilBar>().empty());
}

TEST_F(LastBoss, WithoutTheScenesEntranceTheRegistryPlaysItAndTheFightGoesOn) {
    // A scene that runs no entrance (test play) never calls EntranceStep.
    CLastBoss_Controller* lastBoss = PlaceController();
    Frames(2);
    CNunoOtoko* first = lastBoss->GetNunoOtoko();
    ASSERT_NE(first, nullptr);
    Frames(150);
    EXPECT_EQ(lastBoss->phase, CLastBoss_Controller::kPhaseEntrance);
    Frames(15);
    EXPECT_EQ(lastBoss->phase, CLastBoss_Controller::kPhaseFirstForm);
    EXPECT_EQ(first->state, kNunoTrack);
    EXPECT_EQ(lastBoss->Collide(first), kHitImmune);
    EXPECT_EQ(lastBoss->ReceiveAttack(PiercingBlow(99)), kHitImmune);
}

TEST_F(LastBoss, AControllerTheRegistryRefusesLeavesNothingBehind) {
    FillRegistry();
    const int live = IBase::GetLiveCount();
    EXPECT_FALSE(CObjectRegistry::GetInstance()->Add(
        std::make_unique<CLastBoss_Controller>(stage.get(), 600, 150, true)));
    EXPECT_EQ(IBase::GetLiveCount(), live);
}

TEST_F(LastBoss, AFormThatIsRefusedOrRemovedIsAbsent) {
    CLastBoss_Controller* lastBoss = PlaceController();
    FillRegistry();
    Frames(1);  // the first form finds the registry full
    EXPECT_EQ(lastBoss->GetNunoOtoko(), nullptr);
    EXPECT_FALSE(lastBoss->EntranceStep());
    CObjectRegistry::GetInstance()->Clear();

    lastBoss = PlaceController();
    Frames(1);
    CNunoOtoko* first = lastBoss->GetNunoOtoko();
    ASSERT_NE(first, nullptr);
    InvokeKill(first);
    Frames(1);
    EXPECT_EQ(lastBoss->GetNunoOtoko(), nullptr);
    EXPECT_FALSE(lastBoss->EntranceStep());
    lastBoss->OnNunoOtokoEntered();
    lastBoss->SpawnDevilBar();
    EXPECT_EQ(lastBoss->GetDevilBar(), nullptr);
    lastBoss->RemoveNunoOtoko();
    EXPECT_EQ(lastBoss->phase, CLastBoss_Controller::kPhaseFirstForm);
}

TEST_F(LastBoss, BarriersThatExpireAreForgottenAndTheirBurstsPassTheForm) {
    PlaceHero(300, 300);
    auto* form = PlaceForm<CNunoOtoko>(700, 150);
    form->SetState(kNunoBarrier);
    Frames(17);
    EXPECT_EQ(form->state, kNunoBarrierHeld);
    CNunoOtokoBarrier* orb = form->GetBarrier(0);
    ASSERT_NE(orb, nullptr);
    ASSERT_NE(form->GetBarrier(1), nullptr);
    EXPECT_EQ(form->ReceiveAttack(orb->GetAttackInfo()), kHitImmune);
    EXPECT_EQ(form->hitPoints, CNunoOtoko::kHitPoints);

    Frames(155);  // they live 150 frames; the form holds its pose for 180
    EXPECT_EQ(form->state, kNunoBarrierHeld);
    EXPECT_EQ(form->GetBarrier(0), nullptr);
    EXPECT_EQ(form->GetBarrier(1), nullptr);
    Frames(30);
    EXPECT_EQ(form->state, kNunoVanish);
}

TEST_F(LastBoss, TheTeleportGivesUpAfterTenTriesAndKeepsTheLast) {
    // Zoomed in three times, every try of the small screen lands within 96 pixels of the hero.
    CCamera* cam = CCamera::GetInstance();
    cam->SetZoomRate(cam->GetBaseScale() / 3.0f, 0);
    PlaceHero(lastbosstest::kScreenCentreX, lastbosstest::kScreenCentreY);
    const IBase* hero = boss.hero.Get();
    auto* form = PlaceForm<CNunoOtoko>(400, 100);
    form->SetState(kNunoVanish);
    SeedRandom(11);
    Frames(22);
    EXPECT_EQ(form->state, kNunoAppear);

    // The same ten tries, drawn from the same seed.
    const lastboss::ScreenRect sr = lastboss::GetScreenRect(*form);
    SeedRandom(11);
    double px = 0, py = 0;
    for (int i = 0; i < 10; ++i) {
        px = RandomRange(static_cast<int>(sr.left) + 96,
                         static_cast<int>(static_cast<int>(sr.right) - 96 - 20.0));
        if (RandomRange(0, 99) < 20)
            py = hero->y - 20.0;
        else
            py = RandomRange(static_cast<int>(sr.top) + 128,
                             static_cast<int>(static_cast<int>(sr.bottom) - 96 - 44.0));
        EXPECT_LE(GetDistance(hero->centerX, hero->centerY, px, py), 96.0);
    }
    EXPECT_DOUBLE_EQ(form->x, px);
    EXPECT_DOUBLE_EQ(form->y, py);
}

TEST_F(LastBoss, TheFirstFormVanishesOnTouchAndEndsItsTintOnEveryHit) {
    PlaceHero(300, 300);
    auto* form = PlaceForm<CNunoOtoko>(700, 150);
    form->SetState(kNunoBombRain);
    Frames(25);
    EXPECT_EQ(boss.fadeBegins, 1);
    EXPECT_EQ(boss.fadeR, 160);
    EXPECT_EQ(form->ReceiveAttack(Blow(10)), kHitHurt);
    EXPECT_EQ(boss.fadeEnds, 1);
    EXPECT_EQ(form->state, kNunoHurt);
    Frames(60);  // hurt, then vanished and back
    form->SetState(kNunoIdle);
    EXPECT_EQ(form->Collide(boss.hero.Get()), kHitImmune);
    EXPECT_EQ(form->state, kNunoVanish);
    EXPECT_EQ(form->Collide(boss.hero.Get()), kHitImmune);
    EXPECT_EQ(form->state, kNunoVanish);
}

TEST_F(LastBoss, TheBombRainComesOnceWhenTheFirstFormIsLow) {
    PlaceHero(300, 300);
    auto* form = PlaceForm<CNunoOtoko>(700, 150);
    form->hitPoints = 50;
    form->SetState(kNunoIdle);
    Frames(17);
    EXPECT_EQ(form->state, kNunoBombRain);
    EXPECT_TRUE(form->rainDone);
    Frames(60);
    EXPECT_EQ(All<CLightBeforeBomb>().size(), 6u);
}

TEST_F(LastBoss, TheSecondFormsGuardAndTintFollowItsHitPoints) {
    auto* form = PlaceForm<CDevilBar>(700, 150);
    EXPECT_EQ(form->ReceiveAttack(PiercingBlow(10)), kHitImmune);  // still dropping in
    form->SetState(kDevilHover);
    EXPECT_EQ(form->ReceiveAttack(PiercingBlow(10)), kHitHurt);  // above 80 nothing is guarded
    AttackInfo burst = PiercingBlow(10);
    burst.flags[kAttackRedBurst] = 1;
    EXPECT_EQ(form->ReceiveAttack(burst), kHitNoEffect);
    EXPECT_EQ(form->ReceiveAttack(Blow(10)), kHitGuarded);

    // The tint starts only when a hit leaves exactly 30.
    form->hitPoints = 45;
    form->guardCount = 2;  // no guard chance left
    EXPECT_EQ(form->ReceiveAttack(PiercingBlow(20)), kHitHurt);
    EXPECT_EQ(boss.fadeBegins, 0);
    form->hitPoints = 45;
    form->guardCount = 2;
    EXPECT_EQ(form->ReceiveAttack(PiercingBlow(15)), kHitHurt);
    EXPECT_EQ(boss.fadeBegins, 1);
    EXPECT_EQ(boss.fadeG, 60);

    // A guard turns into a recoil with a push-back ring, during which every blow is guarded.
    form->hitPoints = 60;
    form->guardCount = 0;
    SeedRandom(3);
    int guarded = 0;
    for (int i = 0; i < 40 && guarded == 0; ++i) {
        form->guardCount = 0;
        if (form->ReceiveAttack(PiercingBlow(0)) == kHitImmune) ++guarded;
    }
    ASSERT_EQ(guarded, 1);
    EXPECT_EQ(form->state, kDevilRecoil);
    EXPECT_EQ(form->guardCount, 1);
    EXPECT_NE(form->guardRing.Get(), nullptr);
    EXPECT_EQ(form->ReceiveAttack(PiercingBlow(10)), kHitGuarded);
}

TEST_F(LastBoss, TheSecondFormLeapsWhenTheHeroIsBelowAndDivesWithTwoShockWaves) {
    struct Wave {
        double x, y;
        int count, direction, height;
    };
    std::vector<Wave> waves;
    RegisterLiveObjectCreator("CShockWave", [&](CStage*, double px, double py, const LiveObjectArgs& a) {
        waves.push_back({px, py, LiveArg(a, 0, 0), LiveArg(a, 1, -1), LiveArg(a, 2, 0)});
        return std::unique_ptr<IBase>();
    });
    auto* form = PlaceForm<CDevilBar>(624, 200);
    form->SetState(kDevilHover);
    form->groundY = lastbosstest::kFloorTop;
    form->leapCooldown = 100;
    PlaceHero(form->centerX + 4, 300);
    Frames(2);
    EXPECT_EQ(form->state, kDevilHover);  // too soon after the last leap
    form->leapCooldown = 211;
    Frames(1);
    EXPECT_EQ(form->state, kDevilLeap);
    ASSERT_TRUE(RunUntil([&] { return form->state == kDevilDive; }, 30));
    EXPECT_NE(form->stompBox.Get(), nullptr);
    ASSERT_TRUE(RunUntil([&] { return form->state == kDevilLanded; }, 60));
    EXPECT_EQ(form->stompBox.Get(), nullptr);
    EXPECT_LE(form->GetBottom(), lastbosstest::kFloorTop + 1);
    ASSERT_EQ(waves.size(), 2u);
    EXPECT_EQ(waves[0].direction, 0);
    EXPECT_EQ(waves[1].direction, 1);
    EXPECT_EQ(waves[0].count, 20);
    EXPECT_EQ(waves[1].height, 64);
    EXPECT_DOUBLE_EQ(waves[0].y, lastbosstest::kFloorTop - 16);
    EXPECT_TRUE(RunUntil([&] { return form->state == kDevilHover; }, 200));
}

TEST_F(LastBoss, AfterTwoAttacksInARowTheSecondFormAlwaysThrowsTheBigBall) {
    PlaceHero(300, 300);
    auto* form = PlaceForm<CDevilBar>(624, 200);
    form->SetState(kDevilHover);
    form->groundY = lastbosstest::kFloorTop;
    form->hitPoints = 60;
    form->firstSweepDone = true;
    for (int seed = 1; seed <= 8; ++seed) {
        SeedRandom(seed);
        form->SetState(kDevilHover);
        form->attackCount = 2;
        ASSERT_TRUE(RunUntil([&] { return form->state != kDevilHover; }, 200));
        EXPECT_EQ(form->state, kDevilDarkBall);
        EXPECT_EQ(form->attackCount, 0);
    }
}

}  // namespace

namespace {

// The colours on the screen, black left out.
std::set<uint32_t> Ink() {
    std::set<uint32_t> colours;
    for (uint32_t p : elDraw::BackBuffer().pixels)
        if (p & 0xFFFFFF) colours.insert(p & 0xFFFFFF);
    return colours;
}

// With debug drawing on, the controller and the bomb's warning light show the shared magenta
// outline, the two forms their cyan one; with it off nothing is drawn.
TEST_F(LastBoss, DebugOutlinesAreMagentaForTheControllerAndTheLightCyanForTheForms) {
    const uint32_t magenta = 0xFF00FF, cyan = 0x00FFFF;
    CLastBoss_Controller controller(stage.get(), 600, 150, false);
    CNunoOtoko first(stage.get(), 600, 150, false, nullptr);
    CDevilBar second(stage.get(), 600, 150, nullptr);
    CLightBeforeBomb light(stage.get(), 600, 150, 1);
    const std::pair<IBase*, uint32_t> cases[] = {
        {&controller, magenta}, {&first, cyan}, {&second, cyan}, {&light, magenta}};
    for (const auto& [object, colour] : cases) {
        elDraw::ClearScreen();
        object->DrawDebug();
        EXPECT_TRUE(Ink().empty()) << "debug drawing is off";
        SetDebugDrawing(true);
        object->DrawDebug();
        SetDebugDrawing(false);
        EXPECT_EQ(Ink(), std::set<uint32_t>{colour}) << typeid(*object).name();
    }
}

}  // namespace
