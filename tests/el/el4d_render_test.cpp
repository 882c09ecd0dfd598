// What the 3-D layer puts on the screen: blend modes, projection, Z order, colour key,
// filtering and clipping.
#include <algorithm>
#include <set>

#include "el4d_fixture.h"

namespace {

class El4DRender : public El4DTest {};

// Source (200, 100, 50) at alpha 0.5 over (40, 80, 120), worked out by hand per mode.
TEST_F(El4DRender, EachBlendModeGivesItsPixel) {
    const uint32_t dst = 0x285078;  // 40, 80, 120
    struct Case {
        int mode;
        uint32_t expect;
    } cases[] = {
        {1, 0xC86432},                          // opaque source
        {2, (120u << 16) | (90u << 8) | 85},    // s*a + d*(1-a)
        {3, (140u << 16) | (130u << 8) | 145},  // d + s*a
        {4, (20u << 16) | (40u << 8) | 60},     // d*(1-a)
        {5, (169u << 16) | (69u << 8) | 26},    // s*(1-d)
        {6, (51u << 16) | (71u << 8) | 84},     // s*d + d*a
    };
    int slot = MakeTexture(32, 32, 0xFFC86432u);
    int model = MakeSprite(slot);
    el4D::SetAlpha(model, 0.5f);
    for (const Case& c : cases) {
        Fill(0xFF000000u | dst);
        PlaceSprite(model, 320, 240);
        Draw(model, c.mode);
        EXPECT_TRUE(Near(Px(320, 240), c.expect, 1))
            << "mode " << c.mode << " got " << std::hex << Px(320, 240);
        EXPECT_EQ(Px(100, 100), dst) << "mode " << c.mode;
    }
}

TEST_F(El4DRender, BlendModeOutOfRangeChangesNothing) {
    el4D::SetBlendMode(3);
    el4D::SetBlendMode(0);
    EXPECT_EQ(el4D::GetBlendMode(), 3);
    el4D::SetBlendMode(7);
    EXPECT_EQ(el4D::GetBlendMode(), 3);

    int model = MakeSprite(MakeTexture(32, 32, 0xFF404040u));
    Fill(0xFF101010u);
    PlaceSprite(model, 320, 240);
    el4D::RenderModel(model);  // still additive
    EXPECT_EQ(Px(320, 240), 0x505050u);
}

TEST_F(El4DRender, SpriteFacingTheWhiteLightShowsItsTexelsAsTheyAre) {
    int model = MakeSprite(MakeTexture(32, 32, 0xFF8040C0u));
    PlaceSprite(model, 320, 240);
    Draw(model, 1);
    EXPECT_EQ(Px(320, 240), 0x8040C0u);

    // Half the light gives half the colour; a sprite turned away from it gets none.
    el4D::SetLightDiffuse(light, 0.5f, 0.5f, 0.5f);
    el4D::ApplyLight(light);
    Draw(model, 1);
    EXPECT_TRUE(Near(Px(320, 240), 0x402060u));
}

TEST_F(El4DRender, SpriteAtTheDefaultDistanceLandsWhereTheCameraSays) {
    const float camX = 1000, camY = 700;
    PlaceCamera(camX, camY);
    int model = MakeSprite(MakeTexture(64, 64, 0xFFFFFFFFu));
    const float wx = 1100, wy = 650;
    PlaceSprite(model, wx, wy);
    float x, y, depth, w;
    ASSERT_TRUE(el4D::ProjectModel(model, x, y, depth, w));
    // The camera's world-to-screen transform at scale 1: 320 + (px - camera x), 240 + (py - camera y).
    EXPECT_NEAR(x, 320 + (wx - camX), 0.01);
    EXPECT_NEAR(y, 240 + (wy - camY), 0.01);

    // The 64-pixel texture covers exactly 64 x 64 screen pixels around that point.
    Draw(model, 1);
    const int cx = int(std::lround(x)), cy = int(std::lround(y));
    EXPECT_EQ(Px(cx - 32, cy - 32), 0xFFFFFFu);
    EXPECT_EQ(Px(cx + 31, cy + 31), 0xFFFFFFu);
    EXPECT_EQ(Px(cx - 33, cy), 0u);
    EXPECT_EQ(Px(cx + 32, cy), 0u);
    EXPECT_EQ(Px(cx, cy - 33), 0u);
    EXPECT_EQ(Px(cx, cy + 32), 0u);
}

TEST_F(El4DRender, RotatedCameraAgreesWithTheCameraTransform) {
    const float camX = 500, camY = 400, rot = 0.6f;
    PlaceCamera(camX, camY, rot);
    int model = MakeSprite(MakeTexture(32, 32, 0xFFFFFFFFu));
    const float wx = 560, wy = 330;
    PlaceSprite(model, wx, wy);
    float x, y, depth, w;
    ASSERT_TRUE(el4D::ProjectModel(model, x, y, depth, w));
    // Screen = 320 - d cos(a - rot), 240 - d sin(a - rot), a the angle from the point to the camera.
    const double d = std::hypot(camX - wx, camY - wy);
    const double a = std::atan2(camY - wy, camX - wx);
    EXPECT_NEAR(x, 320 - d * std::cos(a - rot), 0.05);
    EXPECT_NEAR(y, 240 - d * std::sin(a - rot), 0.05);
}

TEST_F(El4DRender, SpriteBehindTheCameraIsNotProjectedNorDrawn) {
    int model = MakeSprite(MakeTexture(32, 32, 0xFFFFFFFFu));
    PlaceSprite(model, 320, 240, DefaultZoom() - 1.0f);
    float x, y, depth, w;
    EXPECT_FALSE(el4D::ProjectModel(model, x, y, depth, w));
    Draw(model, 1);
    EXPECT_TRUE(std::all_of(elDraw::BackBuffer().pixels.begin(), elDraw::BackBuffer().pixels.end(),
                            [](uint32_t p) { return p == 0xFF000000u; }));
}

TEST_F(El4DRender, ZBufferKeepsTheNearerSprite) {
    int nearSprite = MakeSprite(MakeTexture(32, 32, 0xFFFF0000u));
    int farSprite = MakeSprite(MakeTexture(32, 32, 0xFF0000FFu));
    el4D::Clear();
    PlaceSprite(nearSprite, 320, 240, 0.0f);
    Draw(nearSprite, 1);
    PlaceSprite(farSprite, 320, 240, 0.5f);
    Draw(farSprite, 1);
    EXPECT_EQ(Px(320, 240), 0xFF0000u);

    // At equal depth the later sprite wins (less or equal passes).
    PlaceSprite(farSprite, 320, 240, 0.0f);
    Draw(farSprite, 1);
    EXPECT_EQ(Px(320, 240), 0x0000FFu);

    // Without Z the order of drawing decides.
    el4D::SetZEnable(false);
    el4D::Clear();
    PlaceSprite(nearSprite, 320, 240, 0.0f);
    Draw(nearSprite, 1);
    PlaceSprite(farSprite, 320, 240, 0.5f);
    Draw(farSprite, 1);
    EXPECT_EQ(Px(320, 240), 0x0000FFu);
}

TEST_F(El4DRender, ClearFillsTheViewportWithTheClearColourAndResetsZ) {
    el4D::SetClearColor(0.0f, 0.5f, 1.0f);
    el4D::Clear();
    EXPECT_EQ(Px(0, 0), 0x007FFFu);
    EXPECT_EQ(Px(639, 479), 0x007FFFu);
    int model = MakeSprite(MakeTexture(32, 32, 0xFFFF0000u));
    PlaceSprite(model, 320, 240, 0.5f);
    Draw(model, 1);
    el4D::SetClearTarget(false);
    el4D::Clear();  // Z only: a farther sprite passes again
    EXPECT_EQ(Px(320, 240), 0xFF0000u);
    el4D::SetModelTexture(model, MakeTexture(32, 32, 0xFF00FF00u));
    PlaceSprite(model, 320, 240, 0.9f);
    Draw(model, 1);
    EXPECT_EQ(Px(320, 240), 0x00FF00u);
}

TEST_F(El4DRender, ColourKeyedTexelsLeaveScreenAndDepthAlone) {
    elDraw::SetColorKey(0x00FF00);  // pure green, as the sprite manager sets it
    int slot = MakeTexture(32, 32, 0xFF00FF00u);
    for (int y = 8; y < 24; ++y) {
        for (int x = 8; x < 24; ++x) Texel(slot, x, y) = 0xFFFF0000u;
    }
    int model = MakeSprite(slot);
    el4D::SetColorKeyEnable(true);
    Fill(0xFF202020u);
    el4D::Clear();
    el4D::SetClearTarget(false);
    Fill(0xFF202020u);
    PlaceSprite(model, 320, 240, 0.0f);
    Draw(model, 1);
    EXPECT_EQ(Px(320, 240), 0xFF0000u);  // texel (16, 16)
    EXPECT_EQ(Px(306, 226), 0x202020u);  // texel (2, 2): keyed

    // The keyed part wrote no depth: a farther sprite still shows there.
    int behind = MakeSprite(MakeTexture(64, 64, 0xFF0000FFu));  // farther, so drawn smaller
    PlaceSprite(behind, 320, 240, 0.5f);
    Draw(behind, 1);
    EXPECT_EQ(Px(306, 226), 0x0000FFu);
    EXPECT_EQ(Px(320, 240), 0xFF0000u);

    // With keying off the green is drawn.
    el4D::SetColorKeyEnable(false);
    PlaceSprite(model, 320, 240, 0.0f);
    Draw(model, 1);
    EXPECT_EQ(Px(306, 226), 0x00FF00u);
}

TEST_F(El4DRender, PointAndLinearFiltering) {
    // A 2 x 2 texture, left column black, right column white, magnified to 64 pixels.
    int slot = MakeTexture(2, 2, 0xFF000000u);
    Texel(slot, 1, 0) = Texel(slot, 1, 1) = 0xFFFFFFFFu;
    int model = el4D::Primitive::Square(1, 1, 64.0f / 256, 64.0f / 256, 1, 0);
    el4D::SetModelTexture(model, slot);
    PlaceSprite(model, 320, 240);

    el4D::SetFilter(1, 1);
    Draw(model, 1);
    EXPECT_EQ(Px(319, 240), 0u);
    EXPECT_EQ(Px(320, 240), 0xFFFFFFu);

    el4D::SetFilter(2, -1);  // -1 repeats the first
    Draw(model, 1);
    // Each texel spans 32 pixels: between the texel centres (304 and 336) the grey rises evenly.
    int prev = -1;
    for (int x = 304; x <= 336; x += 4) {
        int g = Channel(Px(x, 240), 8);
        EXPECT_GE(g, prev) << x;
        prev = g;
    }
    EXPECT_NEAR(Channel(Px(320, 240), 8), 128, 6);
    EXPECT_LT(Channel(Px(306, 240), 8), 40);
    EXPECT_GT(Channel(Px(334, 240), 8), 215);

    // Minification uses the first filter: a 64-texel checker drawn at 16 pixels stays pure.
    int checker = MakeTexture(64, 64, 0xFF000000u);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if ((x + y) % 2) Texel(checker, x, y) = 0xFFFFFFFFu;
        }
    }
    int small = el4D::Primitive::Square(1, 1, 16.0f / 256, 16.0f / 256, 1, 0);
    el4D::SetModelTexture(small, checker);
    PlaceSprite(small, 100, 100);
    el4D::SetFilter(1, 2);
    Draw(small, 1);
    std::set<uint32_t> seen;
    for (int y = 93; y < 107; ++y) {
        for (int x = 93; x < 107; ++x) seen.insert(Px(x, y));
    }
    for (uint32_t p : seen) EXPECT_TRUE(p == 0u || p == 0xFFFFFFu) << std::hex << p;
}

TEST_F(El4DRender, PerspectiveCorrectTexturing) {
    // A square turned about the vertical axis: its centre projects onto the texture's middle
    // column only when texturing is perspective-correct.
    int slot = MakeTexture(64, 64, 0xFF000000u);
    for (int y = 0; y < 64; ++y) Texel(slot, 32, y) = 0xFFFFFFFFu;
    int model = el4D::Primitive::Square(1, 1, 1.5f, 1.5f, 1, 0);
    el4D::SetModelTexture(model, slot);
    PlaceSprite(model, 320, 240, 0.5f, 0, 1, 1, 1.0f);
    float x, y, depth, w;
    ASSERT_TRUE(el4D::ProjectModel(model, x, y, depth, w));
    auto stripeColumn = [&] {
        for (int px = 0; px < 640; ++px) {
            if (Px(px, int(y)) != 0) return px;  // lit at an angle: grey, not white
        }
        return -1000;
    };
    Draw(model, 1);
    EXPECT_NEAR(stripeColumn(), x, 1.5);

    Fill(0xFF000000u);
    el4D::Clear();
    el4D::SetPerspectiveCorrection(false);
    PlaceSprite(model, 320, 240, 0.5f, 0, 1, 1, 1.0f);
    Draw(model, 1);
    EXPECT_GT(std::abs(stripeColumn() - x), 4.0);
}

TEST_F(El4DRender, DrawingStaysInsideTheViewportAndTheSurface) {
    int model = MakeSprite(MakeTexture(256, 256, 0xFFFFFFFFu));
    // Sprites hanging over every edge and corner of the screen, rotated.
    const float spots[][2] = {{0, 0}, {640, 0}, {0, 480}, {640, 480}, {320, -100}, {-100, 240}};
    for (const auto& s : spots) {
        PlaceSprite(model, s[0], s[1], 0, 0.3f, 2.0f, 2.0f);
        Draw(model, 1);
    }
    EXPECT_EQ(Px(0, 0), 0xFFFFFFu);
    EXPECT_EQ(Px(639, 479), 0xFFFFFFu);
    EXPECT_EQ(Px(320, 240), 0u);

    // A viewport smaller than the screen: nothing outside it changes, even for a huge sprite
    // and one that reaches behind the camera.
    Fill(0xFF000000u);
    el4D::SetViewport(100, 50, 300, 250);
    el4D::Clear();
    Fill(0xFF000000u);
    PlaceSprite(model, 320, 240, 0, 0.5f, 40.0f, 40.0f);
    Draw(model, 3);
    PlaceSprite(model, 320, 240, DefaultZoom() + 0.2f, 0.0f, 30.0f, 30.0f, 1.2f);
    Draw(model, 2);
    const plat::Surface& bb = elDraw::BackBuffer();
    for (int y = 0; y < bb.height; ++y) {
        for (int x = 0; x < bb.width; ++x) {
            const bool inside = x >= 100 && x < 300 && y >= 50 && y < 250;
            if (!inside) {
                ASSERT_EQ(Px(x, y), 0u) << x << "," << y;
            }
        }
    }
    EXPECT_NE(Px(200, 150), 0u);
}

TEST_F(El4DRender, WireframeAndPointShadeModes) {
    int model = MakeSprite(MakeTexture(64, 64, 0xFFFFFFFFu));
    PlaceSprite(model, 320, 240);
    auto lit = [&] {
        int n = 0;
        for (uint32_t p : elDraw::BackBuffer().pixels) n += (p & 0xFFFFFF) != 0;
        return n;
    };
    el4D::SetShadeMode(3);  // the edges of both triangles, the diagonal included
    Draw(model, 1);
    EXPECT_EQ(Px(320, 240), 0xFFFFFFu);  // on the diagonal
    EXPECT_EQ(Px(330, 230), 0u);         // inside, off the edges
    EXPECT_EQ(Px(288, 250), 0xFFFFFFu);  // left edge
    EXPECT_NEAR(lit(), 5 * 64, 8);

    Fill(0xFF000000u);
    el4D::Clear();
    el4D::SetShadeMode(4);  // the corners only
    Draw(model, 1);
    EXPECT_GE(lit(), 3);
    EXPECT_LE(lit(), 4);
    el4D::SetShadeMode(0);  // not a mode: points stay
    Fill(0xFF000000u);
    el4D::Clear();
    Draw(model, 1);
    EXPECT_LE(lit(), 4);
}

TEST_F(El4DRender, AlphaSourceAndTranslucency) {
    int slot = MakeTexture(32, 32, 0x80FFFFFFu);  // texel alpha one half
    int model = MakeSprite(slot);
    el4D::SetAlpha(model, 0.5f);
    PlaceSprite(model, 320, 240);
    Draw(model, 2);
    // texture alpha x diffuse alpha = one quarter
    EXPECT_NEAR(Channel(Px(320, 240), 0), 64, 2);
    Fill(0xFF000000u);
    el4D::SetAlphaSource(1);
    Draw(model, 2);
    EXPECT_NEAR(Channel(Px(320, 240), 0), 128, 2);
}

}  // namespace
