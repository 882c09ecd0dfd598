// Where the blocks and hazards put their pictures: the shaken crate, the box's lid, the fixture
// drawn toward its muzzle with the open or closed picture, the spinning gear, the bomb's fuse
// pictures, and the house's door squeezed upward while it opens.
#include <cmath>
#include <numbers>

#include "engine/SpriteManager.h"
#include "gimmicks/Batteries.h"
#include "gimmicks/Blocks.h"
#include "gimmicks/GearAndHouse.h"
#include "gimmicks/IronBallAndBombs.h"
#include "tests/gimmicks/gimmicks_hazard_env.h"

using namespace gimmicktest;

namespace {

class Pictures : public HazardWorld {
  protected:
    // Draws the object and gives the world point its own sprite went to.
    static std::pair<double, double> DrawnAt(IBase* o) {
        o->Draw();
        if (!o->sprite) return {NAN, NAN};
        return {o->sprite->x * 256.0, o->sprite->y * 256.0};
    }
};

TEST_F(Pictures, AStruckCrateJumpsTwoPixelsRightWhileItShakes) {
    auto* crate = Add<CWoodBlock001>(64.0, 300.0);
    auto at = DrawnAt(crate);
    EXPECT_NEAR(at.first, crate->centerX, 0.01);
    crate->ReceiveAttack(Blow(1));  // shake 8: sin 8 is above one half
    at = DrawnAt(crate);
    EXPECT_NEAR(at.first, crate->centerX + 2.0, 0.01);
    crate->shakeTime = 4.0;  // sin 4 is below zero
    EXPECT_NEAR(DrawnAt(crate).first, crate->centerX, 0.01);
    auto* box = Add<CWoodBlock002>(192.0, 300.0, std::string());
    EXPECT_NEAR(DrawnAt(box).second, box->centerY - 4.0, 0.01);  // its lid sticks up
}

TEST_F(Pictures, AFixtureIsDrawnTowardItsMuzzleOpenOrClosed) {
    const double shiftX[4] = {0, 4, 0, -4}, shiftY[4] = {-4, 0, 4, 0};
    for (int d = 0; d < 4; ++d) {
        auto* b = Add<CNormalBattery>(100.0 + 40 * d, 300.0, d, 0);
        const auto at = DrawnAt(b);
        EXPECT_NEAR(at.first, b->centerX + shiftX[d], 0.01);
        EXPECT_NEAR(at.second, b->centerY + shiftY[d], 0.01);
    }
    auto* burner = Add<CBurner>(300.0, 300.0, 0, 0);
    burner->Draw();
    CSprite* open = burner->sprite;
    burner->imageIndex = 1;
    burner->Draw();
    EXPECT_NE(burner->sprite, open);
}

TEST_F(Pictures, GearsSpinTheWayTheyCircle) {
    auto* ccw = Add<CAirGear>(300.0, 400.0, 0, 0.0);
    auto* cw = Add<CAirGear>(300.0, 400.0, 1, 0.0);
    Frames(10);
    ccw->Draw();
    cw->Draw();
    EXPECT_NEAR(ccw->sprite->angleZ, std::numbers::pi * ccw->age * -0.03, 1e-4);
    EXPECT_NEAR(cw->sprite->angleZ, -ccw->sprite->angleZ, 1e-5);
}

TEST_F(Pictures, TheSwitchBombShowsItsFuseAndBlinksInTheLastSecond) {
    auto* bomb = Add<CSwitchBomb>(300.0, 400.0);
    const struct {
        bool lit;
        double fuse;
        int image;
    } cases[] = {{false, 180, 0}, {true, 180, 1}, {true, 120.5, 1}, {true, 120, 2}, {true, 60.5, 2},
                 {true, 60, 3},   {true, 59, 4},  {true, 57.9, 3},  {true, 1.5, 3}, {true, 3.2, 4}};
    for (const auto& c : cases) {
        bomb->lit = c.lit;
        bomb->fuse = c.fuse;
        EXPECT_EQ(bomb->GetImageIndex(), c.image) << c.fuse;
    }
    EXPECT_NEAR(DrawnAt(bomb).second, bomb->centerY - 1.0, 0.01);
}

TEST_F(Pictures, TheHouseDoorShrinksUpwardAsItOpensAndGrowsBackAsItCloses) {
    auto* house = Add<CDevilHouse>(300.0, 400.0);
    EXPECT_EQ(house->GetDoorScale(), 1.0);
    house->SetState(CDevilHouse::kOpening);
    house->stateTime = 15.0;
    EXPECT_DOUBLE_EQ(house->GetDoorScale(), 0.5);
    house->stateTime = 29.0;
    EXPECT_DOUBLE_EQ(house->GetDoorScale(), 0.1);
    house->SetState(CDevilHouse::kClosing);
    EXPECT_DOUBLE_EQ(house->GetDoorScale(), 0.1);
    house->stateTime = 24.0;
    EXPECT_DOUBLE_EQ(house->GetDoorScale(), 0.8);
}

}  // namespace
