// The rasteriser on its own: shared edges, clip rectangles, degenerate input and the blend maths.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/el/Raster.h"

namespace {

using elRaster::Vertex;

// Clip-space vertex for a screen position on a 100 x 100 viewport at w = 1.
Vertex At(float sx, float sy, float u = 0, float v = 0, uint32_t color = 0xFFFFFFFFu) {
    return {sx / 50.0f - 1.0f, 1.0f - sy / 50.0f, 0.5f, 1.0f, u, v, color};
}

struct Canvas {
    plat::Surface surface{100, 100, 0xFF000000u};
    std::vector<float> z = std::vector<float>(100 * 100, 1.0f);
    elRaster::Target target;
    elRaster::Viewport viewport{0, 0, 100, 100};
    Canvas() {
        target.surface = &surface;
        target.zbuffer = z.data();
        target.clipRight = 100;
        target.clipBottom = 100;
    }
};

TEST(El4DRaster, SharedEdgesAreDrawnExactlyOnce) {
    // Additive quarter-bright white: a pixel drawn twice would show 128, a gap 0.
    Canvas c;
    elRaster::State st;
    st.blendMode = 3;
    st.blending = true;
    st.zEnable = false;
    const uint32_t col = 0x40FFFFFFu;
    // A fan of triangles around an off-grid centre, covering (10.3, 7.6)-(90.2, 93.1).
    const float cx = 47.37f, cy = 51.11f;
    const float ring[][2] = {{10.3f, 7.6f}, {55.5f, 7.6f}, {90.2f, 7.6f}, {90.2f, 60.7f},
                             {90.2f, 93.1f}, {33.3f, 93.1f}, {10.3f, 93.1f}, {10.3f, 40.4f}};
    for (int i = 0; i < 8; ++i) {
        const auto& a = ring[i];
        const auto& b = ring[(i + 1) % 8];
        elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, At(cx, cy, 0, 0, col),
                               At(a[0], a[1], 0, 0, col), At(b[0], b[1], 0, 0, col));
    }
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool inside = x + 0.5f >= 10.3f && x + 0.5f < 90.2f && y + 0.5f >= 7.6f &&
                                y + 0.5f < 93.1f;
            const uint32_t expect = inside ? 0x404040u : 0u;
            ASSERT_EQ(c.surface.Row(y)[x] & 0xFFFFFFu, expect) << x << "," << y;
        }
    }
}

TEST(El4DRaster, ClipRectangleBoundsEveryWrite) {
    Canvas c;
    c.target.clipLeft = 20;
    c.target.clipTop = 30;
    c.target.clipRight = 60;
    c.target.clipBottom = 70;
    elRaster::State st;
    st.cullCounterClockwise = false;
    // Far larger than the surface, and with a vertex behind the eye.
    elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, At(-5000, -3000), At(9000, 50),
                           {0.2f, -0.3f, 0.5f, -2.0f, 0, 0, 0xFFFFFFFFu});
    elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, At(-500, -500), At(600, -500),
                           At(50, 900));
    int drawn = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool lit = (c.surface.Row(y)[x] & 0xFFFFFF) != 0;
            const bool inside = x >= 20 && x < 60 && y >= 30 && y < 70;
            if (!inside) {
                ASSERT_FALSE(lit) << x << "," << y;
            }
            drawn += lit;
        }
    }
    EXPECT_EQ(drawn, 40 * 40);
    // A clip rectangle larger than the surface is cut to it.
    c.target.clipLeft = -50;
    c.target.clipTop = -50;
    c.target.clipRight = 500;
    c.target.clipBottom = 500;
    elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, At(-500, -500), At(600, -500),
                           At(50, 900));
    EXPECT_EQ(c.surface.Row(99)[99], 0xFFFFFFFFu);
}

TEST(El4DRaster, DegenerateAndNonFiniteInputDrawsNothing) {
    Canvas c;
    elRaster::State st;
    const float nan = std::nanf("");
    elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, At(10, 10), At(50, 50), At(90, 90));
    elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, At(10, 10), At(nan, 50), At(90, 10));
    // Wholly behind the eye.
    const Vertex behind[3] = {{-0.5f, -0.5f, 0.5f, -1.0f, 0, 0, 0xFFFFFFFFu},
                              {0.5f, -0.5f, 0.5f, -1.0f, 0, 0, 0xFFFFFFFFu},
                              {-0.5f, 0.5f, 0.5f, -1.0f, 0, 0, 0xFFFFFFFFu}};
    elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, behind[0], behind[1], behind[2]);
    for (uint32_t p : c.surface.pixels) ASSERT_EQ(p, 0xFF000000u);
}

TEST(El4DRaster, CounterClockwiseTrianglesAreCulled) {
    Canvas c;
    elRaster::State st;
    // Clockwise on screen (y down): drawn.
    elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, At(10, 10), At(90, 10), At(10, 90));
    EXPECT_EQ(c.surface.Row(20)[20], 0xFFFFFFFFu);
    Canvas d;
    elRaster::DrawTriangle(d.target, d.viewport, st, nullptr, At(10, 10), At(10, 90), At(90, 10));
    EXPECT_EQ(d.surface.Row(20)[20], 0xFF000000u);
}

TEST(El4DRaster, SinglePixelBlendMatchesTheSpanLoops) {
    // The one-pixel helper and the four-pixel loops agree on every mode.
    const uint32_t src = 0x9AC86432u, dst = 0xFF285078u;
    for (int mode = 1; mode <= 6; ++mode) {
        Canvas c;
        for (uint32_t& p : c.surface.pixels) p = dst;
        std::vector<uint32_t> texels(4, src);
        elRaster::Texture tex{texels.data(), 2, 2, 0};
        elRaster::State st;
        st.blendMode = mode;
        st.blending = true;
        st.minFilter = st.magFilter = elRaster::Filter::Point;
        elRaster::DrawTriangle(c.target, c.viewport, st, &tex, At(0, 0, 0, 0), At(100, 0, 1, 0),
                               At(0, 100, 0, 1));
        EXPECT_EQ(c.surface.Row(10)[10], elRaster::BlendPixel(mode, true, src, dst)) << mode;
        EXPECT_EQ(c.surface.Row(10)[13], elRaster::BlendPixel(mode, true, src, dst)) << mode;
    }
    EXPECT_EQ(elRaster::BlendPixel(2, false, src, dst), src);
}

}  // namespace
