// The stick-man figure: golden poses from the table (bar ends, angles, hands), the spinning
// disc's frames, the bars, the bar effects' windows, and the figure a boss builds.
#include <gtest/gtest.h>

#include <cmath>

#include "bosses/BarManPoses.h"
#include "bosses/BarManRed.h"
#include "foundation/Geometry.h"
#include "play/BarFigure.h"
#include "tests/bosses/stickman_env.h"

using namespace stickmantest;

namespace {

BarManFigureLayout Layout(int colour, int page, int column, int row, bool right, double angle = 0,
                          double spin = 0) {
    BarManFigureLayout l;
    EXPECT_TRUE(LayoutBarManPose(colour, page, column, row, right, angle, spin, &l));
    return l;
}

TEST(BarManBars, LengthsAndStripsOnlyForTheFiveKinds) {
    EXPECT_EQ(GetBarManBarLength(5), 0);
    EXPECT_EQ(GetBarManBarLength(-1), 0);
    EXPECT_EQ(GetLongestBarManBarLength(), 122);
    EXPECT_EQ(MakeBarManBarSprite(5), nullptr);
    EXPECT_EQ(MakeBarManBarSpriteRight(-1), nullptr);
}

TEST(BarManPoses, TheTableHoldsTwoPagesOfSixBySixAndNothingElse) {
    EXPECT_EQ(FindBarManPose(0, 0, 0), nullptr);
    EXPECT_EQ(FindBarManPose(3, 0, 0), nullptr);
    EXPECT_EQ(FindBarManPose(1, 6, 0), nullptr);
    EXPECT_EQ(FindBarManPose(2, 0, -1), nullptr);
    // Corners of the table and a row from each page's middle.
    EXPECT_EQ(FindBarManPose(1, 0, 0)->hand1Y, 26);
    EXPECT_EQ(FindBarManPose(2, 5, 3)->barY, -24);
    EXPECT_EQ(FindBarManPose(1, 3, 2)->hold, kBarDisc);
    EXPECT_DOUBLE_EQ(FindBarManPose(2, 1, 5)->barAngle, 3 * kPi / 4);
    EXPECT_EQ(FindBarManPose(2, 5, 5)->hand1X, kPoseHidden);
}

TEST(BarManPoses, AHandHeldBarSitsFromTheFirstHandAndSlidesAlongItself) {
    // Red, standing, facing left: the bar starts 30 left of hand 1 and 2 above it, and the short
    // red bar slides 2 pixels back along its angle of 0.
    BarManFigureLayout l = Layout(kBarManRed, 1, 0, 0, false);
    EXPECT_EQ(l.barX, -42);
    EXPECT_EQ(l.barY, 4);
    EXPECT_DOUBLE_EQ(l.barTurn, 0.0);
    EXPECT_EQ(l.hand1X, -10);
    EXPECT_EQ(l.hand2X, 6);
    EXPECT_EQ(l.hand2Y, 2);
    EXPECT_EQ(l.bodyImage, 1);
    EXPECT_EQ(l.bodyShift, 0);

    // An eighth turn (pose 1,1,4): the slide runs diagonally.
    l = Layout(kBarManRed, 1, 1, 4, false);
    EXPECT_EQ(l.barX, -37);
    EXPECT_EQ(l.barY, -32);
    // Facing right the bar turns to pi - angle and everything mirrors.
    l = Layout(kBarManRed, 1, 1, 4, true);
    EXPECT_DOUBLE_EQ(l.barTurn, 3 * kPi / 4);
    EXPECT_EQ(l.barX, 37);
    EXPECT_EQ(l.barY, -32);
    EXPECT_EQ(l.hand1X, 13);
    EXPECT_EQ(l.bodyImage, 1);

    // Yellow's long bar at an eighth (pose 2,2,0): slid 3 pixels further out.
    l = Layout(kBarManYellow, 2, 2, 0, false);
    EXPECT_EQ(l.barX, -27);
    EXPECT_EQ(l.barY, -27);
    EXPECT_EQ(l.bodyImage, 4);
}

TEST(BarManPoses, ABarTurnedWithTheBodyIsCentredByItsRotationAndDrawnInFront) {
    // Pose 1,4,1 facing left at body angle 0: pi/4, half length (64 - 116) / 2 - 8 = -34.
    BarManFigureLayout l = Layout(kBarManRed, 1, 4, 1, false);
    EXPECT_DOUBLE_EQ(l.barTurn, kPi / 4);
    EXPECT_EQ(l.barX, -24);
    EXPECT_EQ(l.barY, -24);
    EXPECT_TRUE(l.barInFront);
    EXPECT_EQ(l.hand1X, kPoseHidden);
    // Facing right at angle 1: 1 + 3 pi / 4; the body turns the other way round.
    l = Layout(kBarManGreen, 1, 4, 1, true, 1.0);
    EXPECT_DOUBLE_EQ(l.barTurn, 1.0 + 3 * kPi / 4);
    EXPECT_DOUBLE_EQ(l.bodyTurn, 1.0);
    EXPECT_DOUBLE_EQ(Layout(kBarManGreen, 1, 4, 1, false, 1.0).bodyTurn, -1.0);
}

TEST(BarManPoses, ASpinningBarTurnsWithTheClockWithoutSliding) {
    BarManFigureLayout l = Layout(kBarManBlue, 1, 5, 5, false, 0, 2.5);
    EXPECT_DOUBLE_EQ(l.barTurn, -2.5);
    EXPECT_EQ(l.barX, -16);
    EXPECT_EQ(l.barY, 0);
    EXPECT_DOUBLE_EQ(Layout(kBarManBlue, 1, 5, 5, true, 0, 2.5).barTurn, 2.5);
}

TEST(BarManPoses, TheDiscShowsOneOfEightFramesByTheSpinClock) {
    EXPECT_EQ(GetBarManDiscFrame(0.0), 1);
    EXPECT_EQ(GetBarManDiscFrame(0.8), 2);
    EXPECT_EQ(GetBarManDiscFrame(6.3), 1);  // 6300 wraps to 18
    EXPECT_EQ(GetBarManDiscFrame(6.281), 8);
    EXPECT_EQ(GetBarManDiscFrame(-3.0), 1);                              // never a frame outside 1..8
    BarManFigureLayout l = Layout(kBarManPink, 2, 0, 4, false, 0, 3.2);  // frame 5: right half
    EXPECT_TRUE(l.disc);
    EXPECT_EQ(l.discFrame, 5);
    EXPECT_EQ(l.discCell, (std::array<int, 4>{128, 0, 256, 64}));
    EXPECT_EQ(l.barX, -10);  // no slide for a disc
    EXPECT_EQ(l.barY, -13);
}

TEST(BarManPoses, ForwardShiftedCellsStandEightPixelsAhead) {
    EXPECT_EQ(Layout(kBarManRed, 1, 0, 1, true).bodyShift, 8);
    EXPECT_EQ(Layout(kBarManRed, 1, 0, 1, false).bodyShift, -8);
    EXPECT_EQ(Layout(kBarManRed, 2, 3, 4, false).bodyShift, -8);  // row 4, columns 3 to 5
    EXPECT_EQ(Layout(kBarManRed, 2, 2, 4, false).bodyShift, 0);
    EXPECT_EQ(Layout(kBarManRed, 2, 2, 1, false).bodyShift, -8);  // every column of row 1
    EXPECT_EQ(Layout(kBarManRed, 1, 2, 2, false).bodyShift, 0);
}

TEST(BarManEffects, EachKindShowsOnlyInItsWindows) {
    BarEffectChoice c;
    EXPECT_FALSE(ChooseBarEffect(1, 3.9, 1, false, 0, 0, 0, &c));
    ASSERT_TRUE(ChooseBarEffect(1, 4.0, 1, false, 0, 0, 0, &c));
    EXPECT_EQ(c.image, 1);
    EXPECT_EQ(c.offsetX, -46);  // yellow's bar is the longest: h = 0
    EXPECT_FALSE(ChooseBarEffect(1, 15.0, 1, false, 0, 0, 0, &c));
    EXPECT_FALSE(ChooseBarEffect(0, 5.0, 1, false, 0, 0, 0, &c));
    EXPECT_FALSE(ChooseBarEffect(12, 5.0, 1, false, 0, 0, 0, &c));

    // Kind 3 holds on after 7 frames, blinking between two cells every two frames.
    ASSERT_TRUE(ChooseBarEffect(3, 100.0, 2, true, 0, 0, 0, &c));
    EXPECT_EQ(c.cell, (std::array<int, 4>{224, 0, 256, 128}));
    EXPECT_EQ(c.offsetX, 52);  // 70 less half the difference of the bar lengths (18), mirrored
    ASSERT_TRUE(ChooseBarEffect(3, 102.0, 2, true, 0, 0, 0, &c));
    EXPECT_EQ(c.cell, (std::array<int, 4>{224, 128, 256, 256}));
    EXPECT_NEAR(c.scaleX, 0.881148, 1e-6);

    // Kind 5's trail runs back along the bar; the red bar's scale counts 40 more pixels.
    ASSERT_TRUE(ChooseBarEffect(5, 12.5, 0, false, 0, -40, 7, &c));
    EXPECT_EQ(c.offsetX, -93);  // 8.5 frames into the trail, 0.8075 of the bar's 116 back
    EXPECT_EQ(c.offsetY, 7);
    EXPECT_DOUBLE_EQ(c.alpha, 0.6);
    EXPECT_NEAR(c.scaleX, 1.278689, 1e-6);

    // Kind 8 fades in over 5 frames and out after 14.
    ASSERT_TRUE(ChooseBarEffect(8, 2.5, 1, false, 0, 0, 0, &c));
    EXPECT_DOUBLE_EQ(c.alpha, 0.5);
    ASSERT_TRUE(ChooseBarEffect(8, 17.0, 1, true, kPi, 0, 0, &c));
    EXPECT_DOUBLE_EQ(c.alpha, 0.5);
    EXPECT_DOUBLE_EQ(c.turn, 3 * kPi / 4);
}

TEST(BarManEffects, RedTakesItsFireSheetsAndSharesTheFourth) {
    EXPECT_EQ(GetBarEffectSheet(kBarManRed, 1), 5);
    EXPECT_EQ(GetBarEffectSheet(kBarManRed, 3), 7);
    EXPECT_EQ(GetBarEffectSheet(kBarManRed, 4), 4);
    EXPECT_EQ(GetBarEffectSheet(kBarManPink, 2), 2);
}

class BarManFigure : public StickManWorld {};

TEST_F(BarManFigure, AShiftedPoseMovesShownPartsAndKeepsHiddenOnesHidden) {
    CBarManRed boss(stage.get(), 100, 200, 1, 1);
    boss.ShowPoseShifted(2, 0, 5, 0, 0, 12);  // bar hidden, hands shown
    CBarFigure* f = boss.GetFigure(0);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->GetOffset(CBarFigure::kBar)[0], CBarFigure::kHidden);
    double x, y;
    EXPECT_FALSE(f->GetPartPosition(CBarFigure::kBar, &x, &y));
    EXPECT_EQ(f->GetOffset(CBarFigure::kHand1)[0], 29);
    EXPECT_EQ(f->GetOffset(CBarFigure::kBody)[0], 20);  // a forward-standing cell, shifted 12

    // The title pose hides bar and hands and never carries an effect.
    boss.ShowPose(2, 5, 5);
    f = boss.GetFigure(0);
    EXPECT_FALSE(f->GetPartPosition(CBarFigure::kBar, &x, &y));
    EXPECT_FALSE(f->GetPartPosition(CBarFigure::kHand1, &x, &y));
    EXPECT_FALSE(f->GetPartPosition(CBarFigure::kHand2, &x, &y));
    EXPECT_TRUE(f->GetPartPosition(CBarFigure::kBody, &x, &y));
    EXPECT_EQ(f->GetPart(CBarFigure::kEffect), nullptr);
}

TEST_F(BarManFigure, TheBarEffectIsAttachedOnlyInTheFreeStateAndWhileNotBlown) {
    CBarManRed boss(stage.get(), 100, 200, 0, 1);
    boss.SetRedState(kRedUpperStrike);
    boss.redStateTime = 5;  // kind 1 shows from 4 frames on
    boss.ShowPose(1, 0, 4);
    EXPECT_EQ(boss.GetFigure(0)->GetPart(CBarFigure::kEffect), nullptr);  // still in the intro
    boss.SetState(kBarManFree);
    boss.ShowPose(1, 0, 4);
    EXPECT_NE(boss.GetFigure(0)->GetPart(CBarFigure::kEffect), nullptr);
    boss.isBlown = true;
    boss.ShowPose(1, 0, 4);
    EXPECT_EQ(boss.GetFigure(0)->GetPart(CBarFigure::kEffect), nullptr);
}

TEST_F(BarManFigure, TheTrailKeepsTenFiguresAndOnlyTheNewestFollowsTheBoss) {
    CBarManRed* boss = FreeBossOnFloor<CBarManRed>(300, 0);
    PlaceBossHero(900, kFloorTop - 10);
    Frames(12);
    for (int i = 0; i < CBarManBase::kTrail; ++i) EXPECT_NE(boss->GetFigure(i), nullptr) << i;
    CBarFigure* oldest = boss->GetFigure(9);
    const double keptX = oldest->baseX;
    boss->x += 50;
    boss->UpdateCentre();
    EXPECT_DOUBLE_EQ(boss->GetFigure(0)->baseX, boss->centerX);
    EXPECT_DOUBLE_EQ(oldest->baseX, keptX);
}

}  // namespace
