// Stage events: which crossings of the line enter and leave them, and what the music, weather
// and zoom events change and put back.
#include <gtest/gtest.h>

#include "engine/Camera.h"
#include "engine/Music.h"
#include "gimmicks/StageEvents.h"
#include "tests/gimmicks/gimmicks_play_env.h"

namespace gimmicktest {
namespace {

class Events : public PlayWorld {
  protected:
    void SetUp() override {
        PlayWorld::SetUp();
        if (HasFatalFailure()) return;
        hero = PlaceHero(200, 200);
    }
    // Puts the hero's centre at (cx, cy) and runs one frame.
    void HeroAt(double cx, double cy) {
        MoveCentreTo(hero, cx, cy);
        Frames(1);
    }
    FakeHero* hero = nullptr;
};

TEST_F(Events, ARightwardLineIsEnteredAndLeftOnlyByCrossingIt) {
    // Tile (10, 5): the line is x = 336.
    auto* e = Make<CChangeWeatherEvent>("CChangeWeatherEvent", 320, 160, {CEventBase::kToRight, 1});
    HeroAt(335.9, 200);
    HeroAt(336.4, 500);  // any height
    EXPECT_TRUE(e->entered);
    EXPECT_EQ(play.weather, 1);
    HeroAt(337.0, 200);  // further right: nothing
    EXPECT_TRUE(e->entered);
    HeroAt(336.4, 200);
    HeroAt(335.9, 200);
    EXPECT_FALSE(e->entered);
    EXPECT_EQ(play.weather, 0);
}

TEST_F(Events, StandingOnTheLineIsNotYetACrossing) {
    auto* e = Make<CChangeWeatherEvent>("CChangeWeatherEvent", 320, 160, {CEventBase::kToRight, 2});
    HeroAt(330, 200);
    HeroAt(336, 200);
    EXPECT_FALSE(e->entered);
    HeroAt(336.5, 200);
    EXPECT_TRUE(e->entered);
}

TEST_F(Events, TheFirstUpdateNeverFiresAndTheWrongWayDoesNothing) {
    // The hero starts right of a leftward line: no entry in the first update...
    auto* left = Make<CChangeWeatherEvent>("CChangeWeatherEvent", 320, 160, {CEventBase::kToLeft, 3});
    HeroAt(100, 200);
    EXPECT_FALSE(left->entered);
    // ... nor by crossing it rightward; only a leftward crossing enters.
    HeroAt(400, 200);
    EXPECT_FALSE(left->entered);
    HeroAt(300, 200);
    EXPECT_TRUE(left->entered);
    EXPECT_EQ(play.weather, 3);
}

TEST_F(Events, UpAndDownLinesWatchTheHeroesHeight) {
    // Tile (10, 5): the line is y = 176.
    auto* up = Make<CChangeWeatherEvent>("CChangeWeatherEvent", 320, 160, {CEventBase::kToUp, 2});
    auto* down = Make<CChangeWeatherEvent>("CChangeWeatherEvent", 320, 320, {CEventBase::kToDown, 1});
    HeroAt(600, 200);
    HeroAt(100, 170);  // crossing upward far from the tile
    EXPECT_TRUE(up->entered);
    HeroAt(100, 350);  // back down: leaves the up line, enters the down line at y = 336
    EXPECT_FALSE(up->entered);
    EXPECT_TRUE(down->entered);
}

TEST_F(Events, WeatherEventsCrossedInTurnAreUndoneInReverse) {
    play.weather = 1;
    auto* a = Make<CChangeWeatherEvent>("CChangeWeatherEvent", 320, 160, {CEventBase::kToRight, 2});
    auto* b = Make<CChangeWeatherEvent>("CChangeWeatherEvent", 480, 160, {CEventBase::kToRight, 6});
    HeroAt(300, 200);
    HeroAt(400, 200);
    EXPECT_EQ(play.weather, 2);
    HeroAt(520, 200);
    EXPECT_EQ(play.weather, 6);
    HeroAt(400, 200);
    EXPECT_EQ(play.weather, 2);
    HeroAt(300, 200);
    EXPECT_EQ(play.weather, 1);
    EXPECT_FALSE(a->entered || b->entered);
}

TEST_F(Events, ZoomEventsUseChannelTwoAndPutBackWhatWasThere) {
    const float base = CCamera::GetInstance()->GetBaseScale();
    Make<CChangeZoomRateEvent>("CChangeZoomRateEvent", 320, 160, {CEventBase::kToRight, 2});
    HeroAt(300, 200);
    HeroAt(400, 200);
    EXPECT_TRUE(play.zoom[2].active);
    EXPECT_FLOAT_EQ(play.zoom[2].rate, base * 1.15f);
    EXPECT_FLOAT_EQ(play.zoom[2].time, 3.0f);
    HeroAt(300, 200);  // channel 2 was off before: cleared again
    EXPECT_FALSE(play.zoom[2].active);
    EXPECT_FLOAT_EQ(play.zoom[2].time, 1.5f);

    // A restoring event over an active zoom clears it and, when left, sets it back.
    CObjectRegistry::GetInstance()->Clear();
    hero = PlaceHero(460, 200);
    play.zoom[2] = {true, 0.5f, 0.0f};
    Make<CChangeZoomRateEvent>("CChangeZoomRateEvent", 480, 160, {CEventBase::kToRight, 0});
    Frames(1);
    HeroAt(520, 200);
    EXPECT_FALSE(play.zoom[2].active);
    HeroAt(460, 200);
    EXPECT_TRUE(play.zoom[2].active);
    EXPECT_FLOAT_EQ(play.zoom[2].rate, 0.5f);
    EXPECT_FLOAT_EQ(play.zoom[2].time, 3.0f);

    CObjectRegistry::GetInstance()->Clear();
    hero = PlaceHero(600, 200);
    Make<CChangeZoomRateEvent>("CChangeZoomRateEvent", 640, 160, {CEventBase::kToRight, 1});
    Frames(1);
    HeroAt(700, 200);
    EXPECT_FLOAT_EQ(play.zoom[2].rate, base * 0.85f);
}

TEST_F(Events, AMusicEventRemembersThePieceItReplaced) {
    PlayMusic(MusicId::kStage3);
    Make<CChangeMusicEvent>("CChangeMusicEvent", 320, 160, {CEventBase::kToRight, MusicId::kBoss1});
    HeroAt(300, 200);
    HeroAt(400, 200);
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kBoss1);
    HeroAt(300, 200);
    EXPECT_EQ(CMusicPlayer::GetInstance()->GetCurrentMusic(), MusicId::kStage3);
}

TEST_F(Events, AnEventCannotBeKilledAndDrawsNothing) {
    auto* e = Make<CChangeWeatherEvent>("CChangeWeatherEvent", 320, 160, {CEventBase::kToRight, 1});
    e->Kill();
    EXPECT_FALSE(e->IsDead());
    EXPECT_EQ(e->sprite, nullptr);
}

}  // namespace
}  // namespace gimmicktest
