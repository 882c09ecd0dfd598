// What the display parts, skins and forms draw: cached labels, ribbons, bars, mascots, skinned
// and framed buttons, the beige window and the framed container.
#include <memory>
#include <utility>

#include "controls/Buttons.h"
#include "controls/DisplayParts.h"
#include "controls/Forms.h"
#include "tests/controls/control_test.h"

using namespace Controls;
using controltest::Blit;
using controltest::Plain;

namespace {

class DisplayTest : public controltest::ControlTest {
  protected:
    COriginalBaseForm root;
};

TEST_F(DisplayTest, CachedLabelDrawsItsTextOnlyWhenItChanges) {
    auto* label = root.AddControl(std::make_unique<CSpriteTextLabel>("", 10, 20, 100, 16));
    DrawFrame(root);
    EXPECT_EQ(port.texts.size(), 1u);  // an empty text still renders once and is cached
    ASSERT_EQ(port.captures.size(), 1u);
    EXPECT_EQ(port.captures[0], (std::vector<int>{10, 20, 110, 36}));
    DrawFrame(root);
    DrawFrame(root);
    EXPECT_EQ(port.texts.size(), 0u);
    EXPECT_EQ(port.surfaces.size(), 1u);

    label->SetText("同じ");
    label->SetText("同じ");
    DrawFrame(root);
    EXPECT_EQ(port.texts.size(), 1u);
    EXPECT_EQ(port.released.size(), 1u);
    DrawFrame(root);
    EXPECT_EQ(port.texts.size(), 0u);

    label->SetVisible(false);
    EXPECT_EQ(port.released.size(), 2u);
    EXPECT_FALSE(label->HasSprite());
    label->SetVisible(true);
    DrawFrame(root);
    EXPECT_EQ(port.texts.size(), 1u);
}

TEST_F(DisplayTest, CachedLabelKeepsOnlyItsOnScreenPartAndSkipsCachingWhenWhollyOff) {
    auto* label = root.AddControl(std::make_unique<CSpriteTextLabel>("x", -30, -5, 100, 16));
    DrawFrame(root);
    ASSERT_EQ(port.captures.size(), 1u);
    EXPECT_EQ(port.captures[0], (std::vector<int>{0, 0, 70, 11}));
    label->SetPosition(700, 10);
    label->Invalidate();
    DrawFrame(root);
    EXPECT_EQ(port.captures.size(), 1u);  // no empty surface asked for
    EXPECT_FALSE(label->HasSprite());
}

TEST_F(DisplayTest, RibbonPiecesFillItsWidth) {
    root.AddControl(std::make_unique<CCaptionRibon>("a", 0, 0, 40, 1));
    DrawFrame(root);
    const int b = 24 * 6;
    EXPECT_TRUE(port.Drew({0, 0, "Controls_002", b, 184, b + 8, 208}));
    for (int x : {8, 16, 24}) EXPECT_TRUE(port.Drew({x, 0, "Controls_002", b + 8, 184, b + 16, 208})) << x;
    EXPECT_TRUE(port.Drew({32, 0, "Controls_002", b + 16, 184, b + 24, 208}));
    EXPECT_EQ(port.blits.size(), 5u);
}

// The sheet holds three ribbons (styles 0 to 2, from x = 120, 144 and 168); any other style is
// the nearest of them, never a piece of the picture beside them.
TEST_F(DisplayTest, RibbonStylesOutsideTheThreeAreClamped) {
    for (const auto& [style, left] : {std::pair{-4, 120}, {0, 120}, {2, 168}, {3, 168}, {99, 168}}) {
        port.blits.clear();
        CCaptionRibon ribbon("a", 0, 0, 40, style);
        ribbon.Draw();
        EXPECT_TRUE(port.Drew({0, 0, "Controls_002", left, 184, left + 8, 208})) << style;
        for (const Blit& b : port.blits) EXPECT_LE(b.right, 192) << style;
    }
}

TEST_F(DisplayTest, BarGraphDrawsUpToTheLargestThresholdAndMarksAFullBar) {
    auto* bar = root.AddControl(std::make_unique<CHorizontalBarGraph>(0, 0, 3, 5, 10, 14));
    DrawFrame(root);
    int kinds[4] = {};
    for (const Blit& b : port.blits) kinds[b.left / 12]++;
    EXPECT_EQ(kinds[0], 3);
    EXPECT_EQ(kinds[1], 2);
    EXPECT_EQ(kinds[3], 5);
    EXPECT_EQ(port.blits.size(), 10u);
    bar->SetThresholds(16, 16, 16);
    DrawFrame(root);
    EXPECT_EQ(port.blits.size(), 15u);
    EXPECT_TRUE(port.Drew({12 * 14 - 14, -8, "Controls_006", 48, 144, 72, 184}));
}

TEST_F(DisplayTest, BobbingMascotIsHitWhereItIsDrawnAndSwingsFasterWhenClicked) {
    auto* cap = root.AddControl(std::make_unique<CCapImageNormal>(100, 100));
    for (int i = 0; i < 60; ++i) root.Update();  // swung down by now
    const int bob = int(cap->GetBob());
    ASSERT_GT(bob, 15);
    Press(120, 102);  // where it stood, not where it is
    root.Update();
    EXPECT_EQ(port.CountSound(ControlSound::kCapClick), 0);
    Press(120, 100 + int(cap->GetBob()) + 4);
    root.Update();
    EXPECT_EQ(port.CountSound(ControlSound::kCapClick), 1);
}

TEST_F(DisplayTest, BlockedActivityLightStandsStill) {
    auto* light = root.AddControl(std::make_unique<CNetWorkAnimation>(0, 0));
    root.Update();
    const double phase = light->GetPhase();
    EXPECT_GT(phase, 0);
    root.SetModalForm(std::make_unique<COriginalBaseForm>(0, 0, 1, 1));
    root.Update();
    EXPECT_EQ(light->GetPhase(), phase);
}

TEST_F(DisplayTest, JumpingMascotRestartsItsJumpOnEveryClick) {
    auto* chao = root.AddControl(std::make_unique<CChaoImageNormal>(0, 0));
    Click(root, 5, 5);
    for (int i = 0; i < 10; ++i) root.Update();
    Click(root, 5, 5);
    EXPECT_NEAR(chao->GetJump(), 29, 1e-3);
    EXPECT_EQ(port.CountSound(ControlSound::kChaoClick), 2);
}

TEST_F(DisplayTest, ButtonsMadeOneAfterAnotherLookDifferentAndAPressedOneSinks) {
    auto* a = root.AddControl(std::make_unique<Plain<CBasicPushButton>>(0, 0));
    auto* b = root.AddControl(std::make_unique<Plain<CBasicPushButton>>(40, 0));
    DrawFrame(root);
    ASSERT_EQ(port.blits.size(), 2u);
    EXPECT_NE(port.blits[0].left, port.blits[1].left);
    Press(45, 5);
    root.Update();
    DrawFrame(root);
    const int v = b->GetId() % 4;
    EXPECT_TRUE(port.Drew({40, 0, "Controls_001", 40 * v, 40, 40 * v + 40, 80}));
    a->SetEnabled(false);
    DrawFrame(root);
    EXPECT_TRUE(port.Drew({0, 0, "Controls_001", 160, 0, 200, 40}));
}

TEST_F(DisplayTest, LongTextButtonTilesItsMiddleAndClampsANarrowWidth) {
    auto* wide = root.AddControl(std::make_unique<CLongTextPushButton>(0, 0, 200, "長い"));
    DrawFrame(root);
    for (int x : {16, 64, 112}) EXPECT_TRUE(port.Drew({x, 0, "Controls_005", 176, 128, 224, 148})) << x;
    EXPECT_TRUE(port.Drew({160, 0, "Controls_005", 200, 128, 240, 148}));
    wide->SetVisible(false);
    auto* narrow = root.AddControl(std::make_unique<CLongTextPushButton>(0, 100, 4, "x"));
    EXPECT_EQ(narrow->GetWidth(), CLongTextPushButton::kMinWidth);
    DrawFrame(root);
    for (const Blit& b : port.blits) EXPECT_LE(b.left, b.right);
}

TEST_F(DisplayTest, TextLinkIsSizedByItsShiftJisBytesAndUnderlinedUnderTheMouse) {
    auto* link = root.AddControl(std::make_unique<CFreeTextLinkButton>(0, 0, "ＡＢＣＤＥ", 12));
    EXPECT_EQ(link->GetWidth(), 60);
    EXPECT_EQ(link->GetHeight(), 12);
    Hover(5, 5);
    root.Update();
    EXPECT_EQ(link->GetLabel()->GetLook().green, 230);
    DrawFrame(root);
    ASSERT_EQ(port.lines.size(), 1u);
    EXPECT_EQ(port.lines[0][1], 12);
}

TEST_F(DisplayTest, ClickAreaReactsOnExactlyItsPicture) {
    auto* area =
        root.AddControl(std::make_unique<CFreeImageClickArea>(0, 0, ImageClip{"Editer", "k", 0, 0, 32, 32}));
    EXPECT_EQ(area->GetWidth(), 31);
    Hover(31, 31);
    root.Update();
    EXPECT_TRUE(area->IsHovered());
    Hover(32, 31);
    root.Update();
    EXPECT_FALSE(area->IsHovered());
}

TEST_F(DisplayTest, LiftButtonOfAnUnknownDirectionKeepsItsSizeAndDrawsNothing) {
    auto* lift = root.AddControl(std::make_unique<CCustomLiftDirectionButton>(0, 0, 8));
    EXPECT_EQ(lift->GetWidth(), 40);
    DrawFrame(root);
    EXPECT_TRUE(port.blits.empty());
}

TEST_F(DisplayTest, BeigeWindowRoundsItsSizeAndFillsOnlyALargeInside) {
    struct Window : CPlainBeigeForm {
        Window(int w, int h) : CPlainBeigeForm("t", 0, 0, w, h) {}
    };
    auto* w = root.AddControl(std::make_unique<Window>(250, 130));
    EXPECT_EQ(w->GetWidth(), 280);
    EXPECT_EQ(w->GetHeight(), 160);
    DrawFrame(root);
    ASSERT_EQ(port.rects.size(), 1u);
    EXPECT_EQ(port.rects[0], (std::vector<int>{40, 40, 240, 120, int(PackColor(205, 165, 106))}));
    EXPECT_TRUE(port.Drew({240, 120, "Controls_002", 80, 80, 128, 128}));
    w->SetVisible(false);
    root.AddControl(std::make_unique<Window>(80, 80));
    DrawFrame(root);
    EXPECT_TRUE(port.rects.empty());
}

TEST_F(DisplayTest, BlockedWindowShowsADimTitle) {
    struct Window : CPlainBeigeForm {
        Window() : CPlainBeigeForm("t", 0, 0, 120, 80) {}
    };
    auto* w = root.AddControl(std::make_unique<Window>());
    w->SetModalForm(std::make_unique<COriginalBaseForm>(0, 0, 1, 1));
    DrawFrame(root);
    EXPECT_TRUE(port.Drew({8, 8, "Controls_002", 128, 24, 160, 48}));
    auto* title = static_cast<CSpriteTextLabel*>(w->GetFirstControl());
    EXPECT_EQ(title->GetLook().red, 64);
    w->SetModalForm(nullptr);
    DrawFrame(root);
    EXPECT_TRUE(port.Drew({8, 8, "Controls_002", 128, 0, 160, 24}));
    EXPECT_EQ(title->GetLook().red, 255);
}

TEST_F(DisplayTest, MovableWindowIsDraggedByItsStripButNotItsCloseCorner) {
    struct Window : CPlainBeigeForm {
        Window() : CPlainBeigeForm("t", 100, 100, 160, 80) {}
    };
    auto* w = root.OpenModal(std::make_unique<Window>());
    Press(100 + 140, 110);  // the close-button corner
    root.Update();
    EXPECT_FALSE(w->IsDragging());
    Release(240, 110);
    root.Update();
    Press(110, 110);
    root.Update();
    Hold(900, -50);
    root.Update();
    EXPECT_EQ(w->GetX(), 640 - 160);
    EXPECT_EQ(w->GetY(), 0);
    Release(900, -50);
    root.Update();
    EXPECT_FALSE(w->IsDragging());
}

TEST_F(DisplayTest, FramedContainerEdgesEndInARemainderPiece) {
    root.AddControl(std::make_unique<CFreeContainer>(0, 0, 210, 120));
    DrawFrame(root);
    for (int x : {40, 80, 120}) EXPECT_TRUE(port.Drew({x, 0, "Controls_002", 40, 128, 80, 168})) << x;
    EXPECT_TRUE(port.Drew({160, 0, "Controls_002", 40, 128, 50, 168}));
    EXPECT_TRUE(port.Drew({170, 0, "Controls_002", 80, 128, 120, 168}));
}

}  // namespace

namespace {

TEST_F(DisplayTest, RotatableHandleTurnsSmoothlyAcrossPiAndStopsAtItsLimits) {
    auto* dial = root.AddControl(std::make_unique<CRotatablePart>(0, 0, 3.0, 4.0, 2.0, 100, 100, 50, 8));
    Press(50, 107);  // on the handle
    root.Update();
    ASSERT_TRUE(dial->IsDragging());
    EXPECT_EQ(port.CountSound(ControlSound::kPush), 1);
    Hold(50, 93);  // just past pi, where the plain angle jumps to about -3.0
    root.Update();
    EXPECT_NEAR(dial->angle, 3.28, 0.02);
    Hold(79, 54);  // about -2.0, a turn on past the maximum
    root.Update();
    EXPECT_DOUBLE_EQ(dial->angle, 4.0);
    Release(79, 54);
    root.Update();
    EXPECT_FALSE(dial->IsDragging());
}

}  // namespace
