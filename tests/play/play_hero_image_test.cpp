// The hero's pictures: weapon lengths and bar sprites, the five-part figure, turning around, and
// a sheet of every body frame drawn through the real pictures (written out as a BMP when
// QUOR_HERO_SHEET names a folder, for looking at by eye).
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <numbers>

#include "engine/SceneLight.h"
#include "engine/el/el4D.h"
#include "tests/play/play_hero_env.h"

namespace playtest {
namespace {

class HeroPictures : public HeroTest {
  protected:
    // Draws the hero alone on a cleared screen with the camera on it; the back buffer's pixels.
    const plat::Surface& DrawHeroAlone() {
        CCamera::GetInstance()->SetTarget(static_cast<float>(hero->centerX),
                                          static_cast<float>(hero->centerY), 0);
        CCamera::GetInstance()->Update();
        CSceneLight::GetInstance();
        elDraw::ClearScreen();
        el4D::BeginScene();
        el4D::SetClearColor(0.0f, 0.0f, 0.0f);
        el4D::Clear();
        hero->Draw();
        el4D::EndScene();
        return elDraw::BackBuffer();
    }
    // Non-black pixels of the screen within `r` of its centre.
    static int InkNearCentre(const plat::Surface& s, int r) {
        int n = 0;
        for (int y = 240 - r; y < 240 + r; ++y)
            for (int x = 320 - r; x < 320 + r; ++x)
                if ((s.pixels[y * s.width + x] & 0xFFFFFF) != 0) ++n;
        return n;
    }
};

TEST_F(HeroPictures, EachWeaponHasItsLengthAndAnyOtherKindHasNoBar) {
    const int lengths[6] = {80, 96, 112, 88, 96, 64};
    for (int k = 0; k < 6; ++k) EXPECT_EQ(GetHeroBarLength(k), lengths[k]) << k;
    EXPECT_EQ(GetHeroBarLength(-1), 0);
    EXPECT_EQ(GetHeroBarLength(6), 0);
    EXPECT_EQ(GetLongestHeroBarLength(), 112);
    EXPECT_EQ(MakeHeroBarSprite(6), nullptr);
    EXPECT_EQ(MakeHeroBarSpriteRight(-1), nullptr);
    const OwnedSprite mallet = MakeHeroBarSpriteRight(kWeaponMallet);
    ASSERT_TRUE(mallet);
    EXPECT_FLOAT_EQ(mallet->scaleX, 88.0f / 128.0f);
    EXPECT_EQ(GetBarManBarLength(1), 122);
    EXPECT_EQ(GetBarManBarLength(5), 0);

    // A hero holding an unknown kind is drawn without a weapon.
    Hero(7);
    Frame();
    const plat::Surface& screen = DrawHeroAlone();
    EXPECT_GT(InkNearCentre(screen, 20), 50);
}

TEST_F(HeroPictures, AFigureSkipsAHiddenPartAndTurningAroundMirrorsTheWeapon) {
    CBarFigure figure(false);
    figure.SetParts(MakeHeroBarSprite(0), MakeHeroBarSprite(1), nullptr);
    figure.SetPartOffsets(2, 3, CBarFigure::kHidden, 0, 0, 0, 0, 0);
    figure.SetPosition(100, 50);
    double x = 0, y = 0;
    EXPECT_TRUE(figure.GetPartPosition(CBarFigure::kBody, &x, &y));
    EXPECT_EQ(x, 102);
    EXPECT_FALSE(figure.GetPartPosition(CBarFigure::kBar, &x, &y));
    EXPECT_FALSE(figure.GetPartPosition(CBarFigure::kHand1, &x, &y));  // no sprite

    Hero(kWeaponLongBar);
    hero->SetImage(1, 0, 0, 0, 0);
    const double rightX = hero->GetAfterImage(0)->GetOffset(CBarFigure::kBar)[0];
    hero->facing = 0;
    hero->SetImage(1, 0, 0, 0, 0);
    EXPECT_EQ(hero->GetAfterImage(0)->GetOffset(CBarFigure::kBar)[0], -rightX);
    EXPECT_GT(rightX, 0);  // held out in front
}

TEST_F(HeroPictures, EveryBodyFrameShowsTheHeroAndASheetOfThemCanBeWritten) {
    Hero(kWeaponBroom);
    const char* out = std::getenv("QUOR_HERO_SHEET");
    constexpr int kCell = 160;
    const int columns = 12, rows = 12;
    std::vector<uint32_t> sheet(static_cast<size_t>(columns * kCell * rows * kCell), 0x202830);
    for (int facing = 0; facing < 2; ++facing) {
        for (int i = 0; i < 72; ++i) {
            const int page = i / 36 + 1, column = i % 36 / 6, row = i % 6;
            hero->facing = facing;
            hero->age = 1;  // the spinning blur shows
            hero->SetImage(page, column, row, 0.0, 0.7);
            const plat::Surface& s = DrawHeroAlone();
            // (2, 2..4, 5) are frames no state shows; the sheet may leave them empty.
            const bool unused = page == 2 && row == 5 && column >= 2 && column <= 4;
            if (!unused) {
                EXPECT_GT(InkNearCentre(s, 20), 40) << page << "," << column << "," << row;
            }
            const int cell = facing * 72 + i;
            const int ox = cell % columns * kCell, oy = cell / columns * kCell;
            for (int y = 0; y < kCell; ++y)
                for (int x = 0; x < kCell; ++x) {
                    const uint32_t p =
                        s.pixels[(240 - kCell / 2 + y) * s.width + 320 - kCell / 2 + x] & 0xFFFFFF;
                    if (p) sheet[(oy + y) * columns * kCell + ox + x] = p;
                }
        }
    }
    if (out) {
        std::ofstream f(std::filesystem::path(out) / "hero_poses.bmp", std::ios::binary);
        f << bmptest::MakeBmp(columns * kCell, rows * kCell, sheet, bmptest::Options());
    }
}

// The body frame each state shows, worked for a dozen states at given moments.
TEST_F(HeroPictures, EachStateShowsItsBodyFrame) {
    Hero(kWeaponShortBar);
    struct Row {
        int state;
        double frames, vy, walk;
        bool ground;
        std::array<int, 3> frame;
    } rows[] = {
        {0, 0, 0, 20, true, {1, 1, 0}},     // standing, second quarter of the walk cycle
        {2, 0, 0, 50, true, {1, 5, 0}},     // running, last quarter
        {0, 0, -200, 0, false, {2, 0, 3}},  // rising fast
        {0, 0, 100, 0, false, {2, 1, 3}},   // slow either way
        {0, 0, 150, 0, false, {2, 2, 3}},   // falling at 150
        {6, 3, -300, 0, false, {2, 0, 0}},  // the first 6 frames of a jump
        {6, 10, 80, 0, false, {1, 2, 2}},   // then falling at 70 or more
        {15, 7, 0, 0, true, {1, 1, 3}},     // hurt: frames 6 to 10
        {21, 30, 0, 0, true, {1, 3, 3}},    // knocked down, after 24 frames
        {27, 6, 0, 0, true, {1, 1, 4}},
        {32, 10, 0, 0, true, {2, 3, 1}},  // the fifth 2.5-frame step: column 3
        {34, 30, 0, 0, true, {1, 5, 4}},  // after its 24 frames
        {50, 25, 0, 0, false, {2, 2, 2}},
        {60, 30, 0, 0, true, {2, 5, 1}},  // still within its 34 frames
        {99, 0, 0, 0, true, {1, 0, 0}},   // any other state
    };
    for (const Row& r : rows) {
        hero->state = r.state;
        hero->stateFrames = r.frames;
        hero->vy = r.vy;
        hero->walkCycle = r.walk;
        hero->onGround = r.ground;
        hero->squatting = false;
        hero->airJumpReady = true;
        hero->UpdateImage();
        EXPECT_EQ((std::array<int, 3>{hero->framePage, hero->frameColumn, hero->frameRow}), r.frame)
            << "state " << r.state << " at " << r.frames;
    }
}

// The trail of after-images shows in the fast states only: a dash leaves it, a walk does not.
TEST_F(HeroPictures, TheTrailFollowsOnlyTheFastStates) {
    Hero(kWeaponShortBar);
    int checked = 0;
    for (const auto& [state, trail] : {std::pair{4, true},
                                       {7, true},
                                       {32, true},
                                       {50, true},
                                       {0, false},
                                       {10, false},
                                       {27, false},
                                       {15, false}}) {
        hero->SetState(state);
        Frame();
        if (hero->state != state) continue;  // the state moved on by itself: nothing to see
        ++checked;
        EXPECT_EQ(hero->trailVisible, trail) << "state " << state;
    }
    EXPECT_GE(checked, 5);
}

// The power-up glow turns with the frame the scene passes, not the hero's own age, and blinks
// between bright and dim with the flag.
TEST_F(HeroPictures, ThePowerUpGlowTurnsWithThePosesFrameAndBlinks) {
    Hero(kWeaponShortBar);
    hero->age = 500.0;
    hero->DrawEffects(20, true);
    const CSprite* inner = hero->GetEffectSprite(0);
    const CSprite* next = hero->GetEffectSprite(1);
    ASSERT_NE(inner, nullptr);
    ASSERT_NE(next, nullptr);
    EXPECT_FLOAT_EQ(inner->angleZ, 1.0f);  // 20 x 0.05
    EXPECT_FLOAT_EQ(next->angleZ, -1.0f);  // the next layer turns the other way
    EXPECT_FLOAT_EQ(inner->alpha, 0.25f);
    EXPECT_FLOAT_EQ(next->alpha, 0.35f);
    hero->DrawEffects(44, false);
    EXPECT_FLOAT_EQ(inner->angleZ, 2.2f);
    EXPECT_FLOAT_EQ(inner->alpha, 0.125f);  // dim: half as strong
    EXPECT_FLOAT_EQ(next->alpha, 0.175f);
}

}  // namespace
}  // namespace playtest

namespace playtest {
namespace {

TEST_F(HeroPictures, TheScenesPosesStepThroughTheirFramesAndTheBeatenHeroTumbles) {
    Hero(kWeaponShortBar);
    auto frame = [&] { return std::array<int, 3>{hero->framePage, hero->frameColumn, hero->frameRow}; };
    hero->UpdateDoorPose(1.0);
    EXPECT_EQ(frame(), (std::array<int, 3>{2, 3, 4}));
    hero->UpdateDoorPose(3.0);
    EXPECT_EQ(frame(), (std::array<int, 3>{2, 4, 4}));
    hero->UpdateDoorPose(42.0);
    EXPECT_EQ(frame(), (std::array<int, 3>{2, 5, 4}));
    hero->UpdateDoorPose(44.0);
    EXPECT_EQ(frame(), (std::array<int, 3>{2, 5, 5}));
    hero->UpdatePowerUpPose(10.0);
    EXPECT_EQ(frame(), (std::array<int, 3>{2, 0, 4}));  // on the ground, spinning the new weapon
    hero->UpdatePowerUpPose(60.0);
    EXPECT_EQ(frame(), (std::array<int, 3>{2, 1, 4}));

    hero->ReceiveAttack(Attack(500));
    hero->UpdateDefeated();
    EXPECT_EQ(frame(), (std::array<int, 3>{2, 3, 3}));
}

}  // namespace
}  // namespace playtest
