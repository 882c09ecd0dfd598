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
    const float ring[][2] = {{10.3f, 7.6f},  {55.5f, 7.6f},  {90.2f, 7.6f},  {90.2f, 60.7f},
                             {90.2f, 93.1f}, {33.3f, 93.1f}, {10.3f, 93.1f}, {10.3f, 40.4f}};
    for (int i = 0; i < 8; ++i) {
        const auto& a = ring[i];
        const auto& b = ring[(i + 1) % 8];
        elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, At(cx, cy, 0, 0, col),
                               At(a[0], a[1], 0, 0, col), At(b[0], b[1], 0, 0, col));
    }
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool inside = x + 0.5f >= 10.3f && x + 0.5f < 90.2f && y + 0.5f >= 7.6f && y + 0.5f < 93.1f;
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
    elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, At(-500, -500), At(600, -500), At(50, 900));
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
    elRaster::DrawTriangle(c.target, c.viewport, st, nullptr, At(-500, -500), At(600, -500), At(50, 900));
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

TEST(El4DRaster, BlendModesGiveTheirNumbersOnOnePixelAndInTheSpanLoops) {
    // Source alpha 154 and RGB (200, 100, 50) onto (40, 80, 120), worked out by hand with
    // round(x / 255); the destination keeps its alpha.
    const uint32_t src = 0x9AC86432u, dst = 0xFF285078u;
    const uint32_t expected[7] = {0, src, 0xFF895C4Eu, 0xFFA18C96u, 0xFF102030u, 0xFFA9451Au, 0xFF374F60u};
    for (int mode = 1; mode <= 6; ++mode) {
        EXPECT_EQ(elRaster::BlendPixel(mode, true, src, dst), expected[mode]) << mode;
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
        EXPECT_EQ(c.surface.Row(10)[10], expected[mode]) << mode;
        EXPECT_EQ(c.surface.Row(10)[13], expected[mode]) << mode;
    }
    EXPECT_EQ(elRaster::BlendPixel(2, false, src, dst), src);
}

TEST(El4DRaster, QuadCoversExactlyWhatItsTwoTrianglesCover) {
    elRaster::State st;
    st.blendMode = 3;
    st.blending = true;
    st.zEnable = false;
    const uint32_t col = 0x40FFFFFFu;
    // A turned square and its neighbour sharing the edge b-c.
    const float ang = 0.37f;
    auto corner = [&](float x, float y) {
        const float cs = std::cos(ang), sn = std::sin(ang);
        return At(30.3f + x * cs - y * sn, 20.7f + x * sn + y * cs, 0, 0, col);
    };
    const Vertex a = corner(0, 0), b = corner(40, 0), c = corner(40, 40), d = corner(0, 40);
    const Vertex e = corner(80, 0), f = corner(80, 40);
    Canvas quads, tris;
    elRaster::DrawQuad(quads.target, quads.viewport, st, nullptr, a, b, c, d);
    elRaster::DrawQuad(quads.target, quads.viewport, st, nullptr, b, e, f, c);
    elRaster::DrawTriangle(tris.target, tris.viewport, st, nullptr, a, b, d);
    elRaster::DrawTriangle(tris.target, tris.viewport, st, nullptr, d, b, c);
    elRaster::DrawTriangle(tris.target, tris.viewport, st, nullptr, b, e, c);
    elRaster::DrawTriangle(tris.target, tris.viewport, st, nullptr, c, e, f);
    int covered = 0;
    for (int i = 0; i < 100 * 100; ++i) {
        ASSERT_EQ(quads.surface.pixels[size_t(i)], tris.surface.pixels[size_t(i)]) << i;
        const uint32_t p = quads.surface.pixels[size_t(i)] & 0xFFFFFF;
        ASSERT_TRUE(p == 0 || p == 0x404040u) << i;  // never twice
        covered += p != 0;
    }
    EXPECT_GT(covered, 2500);  // most of both squares lies on the canvas
}

uint32_t ModulateByHand(uint32_t t, uint32_t c) {
    uint32_t out = 0;
    for (int sh = 0; sh < 32; sh += 8) {
        const uint32_t x = ((t >> sh) & 0xFF) * ((c >> sh) & 0xFF);
        out |= ((x + 127) / 255) << sh;  // rounded
    }
    return out;
}

TEST(El4DRaster, EveryVectorWidthAgreesWithThePixelMaths) {
    // Random texels (some in the key colour) and a random destination, mapped 1:1 and wrapped
    // over a 37-pixel-wide quad so that every loop meets partial groups and row ends.
    uint32_t seed = 7;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    std::vector<uint32_t> texels(16 * 16);
    for (uint32_t& t : texels) t = next() % 5 == 0 ? 0xFF00FF00u : (next() & 0xFFFFFFFFu);
    elRaster::Texture tex{texels.data(), 16, 16, 0x00FF00};
    std::vector<uint32_t> background(100 * 100);
    for (uint32_t& p : background) p = next();

    for (int lanes : {16, 8, 4}) {
        const int used = elRaster::LimitVectorWidth(lanes);
        for (uint32_t color : {0xFFFFFFFFu, 0x80C0A0FFu}) {
            for (int mode = 1; mode <= 6; ++mode) {
                Canvas c;
                c.surface.pixels = background;
                elRaster::State st;
                st.blendMode = mode;
                st.blending = true;
                st.colorKey = true;
                st.minFilter = st.magFilter = elRaster::Filter::Point;
                // Quad from x 63 to 100 (the row end) and y 10 to 30.
                const float x0 = 63, x1 = 100, y0 = 10, y1 = 30;
                elRaster::DrawQuad(c.target, c.viewport, st, &tex, At(x0, y0, x0 / 16, y0 / 16, color),
                                   At(x1, y0, x1 / 16, y0 / 16, color), At(x1, y1, x1 / 16, y1 / 16, color),
                                   At(x0, y1, x0 / 16, y1 / 16, color));
                for (int y = 0; y < 100; ++y) {
                    for (int x = 0; x < 100; ++x) {
                        const uint32_t dst = background[size_t(y) * 100 + x];
                        uint32_t expect = dst;
                        if (x >= 63 && y >= 10 && y < 30) {
                            const uint32_t t = texels[size_t(y % 16) * 16 + (x % 16)];
                            if ((t & 0xFFFFFF) != 0x00FF00) {
                                expect = elRaster::BlendPixel(mode, true, ModulateByHand(t, color), dst);
                            }
                        }
                        ASSERT_EQ(c.surface.Row(y)[x], expect)
                            << "lanes " << used << " mode " << mode << " colour " << std::hex << color
                            << std::dec << " at " << x << "," << y;
                    }
                }
            }
        }
    }
    elRaster::LimitVectorWidth(16);
}

TEST(El4DRaster, TurnedScaledSpritesLookTheSameAtEveryVectorWidth) {
    // Turned, scaled and overlapping sprites with depth, in every blend mode, with a white
    // colour at half alpha (the sprites' usual colour) and with tinted ones: every vector width
    // must write the same pixels and depths.
    uint32_t seed = 11;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    auto unit = [&] { return float(next() >> 8) / float(1u << 24); };
    std::vector<uint32_t> texels(64 * 32);
    for (uint32_t& t : texels) t = next() % 6 == 0 ? 0xFFFF00FFu : (next() | 0x20000000u);
    elRaster::Texture tex{texels.data(), 64, 32, 0xFF00FF};
    std::vector<uint32_t> background(100 * 100);
    for (uint32_t& p : background) p = next();

    struct Sprite {
        float cx, cy, half, angle, z;
    };
    std::vector<Sprite> sprites(14);
    for (Sprite& sp : sprites)
        sp = {unit() * 120 - 10, unit() * 120 - 10, 6 + unit() * 30, unit() * 6.3f, unit()};

    auto render = [&](int lanes, uint32_t color, int mode, bool zOn, std::vector<float>& zOut) {
        elRaster::LimitVectorWidth(lanes);
        Canvas c;
        c.surface.pixels = background;
        elRaster::State st;
        st.blendMode = mode;
        st.blending = true;
        st.colorKey = true;
        st.zEnable = zOn;
        st.minFilter = st.magFilter = (mode % 2) ? elRaster::Filter::Point : elRaster::Filter::Linear;
        for (const Sprite& sp : sprites) {
            const float cs = std::cos(sp.angle) * sp.half, sn = std::sin(sp.angle) * sp.half;
            auto corner = [&](float x, float y, float u, float v) {
                Vertex vx = At(sp.cx + x * cs - y * sn, sp.cy + x * sn + y * cs, u, v, color);
                vx.z = sp.z;
                return vx;
            };
            elRaster::DrawQuad(c.target, c.viewport, st, &tex, corner(-1, -1, 0, 0), corner(1, -1, 1, 0),
                               corner(1, 1, 1, 1), corner(-1, 1, 0, 1));
        }
        zOut = c.z;
        return c.surface.pixels;
    };

    for (uint32_t color : {0x80FFFFFFu, 0xFFFFFFFFu, 0x60C08040u}) {
        for (int mode = 1; mode <= 6; ++mode) {
            for (bool zOn : {true, false}) {
                std::vector<float> zWide, zOther;
                const std::vector<uint32_t> wide = render(16, color, mode, zOn, zWide);
                for (int lanes : {8, 4}) {
                    const std::vector<uint32_t> other = render(lanes, color, mode, zOn, zOther);
                    for (size_t i = 0; i < wide.size(); ++i) {
                        ASSERT_EQ(wide[i], other[i])
                            << "lanes " << lanes << " mode " << mode << " colour " << std::hex << color
                            << std::dec << " z " << zOn << " at " << i % 100 << "," << i / 100;
                        ASSERT_EQ(zWide[i], zOther[i]) << "lanes " << lanes << " at " << i;
                    }
                }
                // The sprites did land: something changed.
                EXPECT_NE(wide, background);
            }
        }
    }
    elRaster::LimitVectorWidth(16);
}

}  // namespace
