#pragma once
// Per-pixel texture sampling and colour interpolation for the general span loops (perspective,
// linear filtering, Gouraud colour, any texture size).
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "engine/el/RasterContext.h"

namespace elRaster::detail {
// Local to each span file, as the compiler then inlines them into every loop that uses them.
namespace {

inline int WrapOrClamp(int i, int size, int mask, bool pow2) {
    if (pow2) return i & mask;
    return std::clamp(i, 0, size - 1);
}

// One filtered texel; `keyed` when the pixel is to be dropped by the colour key.
inline uint32_t Sample(const Context& c, float u, float v, bool& keyed) {
    keyed = false;
    if (!c.textured) return 0xFFFFFFFFu;
    if (c.filter == Filter::Point) {
        int ix = WrapOrClamp(FloorToInt(u), c.texWidth, c.wMask, c.pow2);
        int iy = WrapOrClamp(FloorToInt(v), c.texHeight, c.hMask, c.pow2);
        uint32_t t = c.texels[size_t(iy) * c.texWidth + ix];
        keyed = (t & 0x00FFFFFFu) == c.key;
        return t;
    }
    float fx = u - 0.5f, fy = v - 0.5f;
    int x0 = FloorToInt(fx), y0 = FloorToInt(fy);
    int wx = std::clamp(int((fx - float(x0)) * 256.0f), 0, 256);
    int wy = std::clamp(int((fy - float(y0)) * 256.0f), 0, 256);
    int xa = WrapOrClamp(x0, c.texWidth, c.wMask, c.pow2);
    int xb = WrapOrClamp(x0 + 1, c.texWidth, c.wMask, c.pow2);
    int ya = WrapOrClamp(y0, c.texHeight, c.hMask, c.pow2);
    int yb = WrapOrClamp(y0 + 1, c.texHeight, c.hMask, c.pow2);
    uint32_t t[4] = {c.texels[size_t(ya) * c.texWidth + xa], c.texels[size_t(ya) * c.texWidth + xb],
                     c.texels[size_t(yb) * c.texWidth + xa], c.texels[size_t(yb) * c.texWidth + xb]};
    int live = 0;
    for (uint32_t& k : t) {
        // A keyed texel takes part in the filter as transparent black.
        if ((k & 0x00FFFFFFu) == c.key)
            k = 0;
        else
            ++live;
    }
    if (live == 0) {
        keyed = true;
        return 0;
    }
    const int w[4] = {(256 - wx) * (256 - wy), wx * (256 - wy), (256 - wx) * wy, wx * wy};
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t sum = 0;
        for (int i = 0; i < 4; ++i) sum += ((t[i] >> shift) & 0xFF) * uint32_t(w[i]);
        out |= ((sum + 32768) >> 16) << shift;
    }
    return out;
}

// The texture coordinates of the pixel centre (px, py), divided by w when in perspective.
inline void TexCoords(const Context& c, double px, double py, float& u, float& v) {
    if (c.affine) {
        u = float(c.u.At(px, py));
        v = float(c.v.At(px, py));
    } else {
        double q = c.rhw.At(px, py);
        if (q <= 0.0) q = 1e-30;
        u = float(c.u.At(px, py) / q);
        v = float(c.v.At(px, py) / q);
    }
}

inline uint32_t PixelColor(const Context& c, double px, double py) {
    if (c.constColor) return c.color;
    auto ch = [&](const Plane& p) { return uint32_t(std::clamp(p.At(px, py), 0.0, 255.0) + 0.5); };
    uint32_t a = c.state->textureAlphaOnly ? 255u : ch(c.a);
    return (a << 24) | (ch(c.r) << 16) | (ch(c.g) << 8) | ch(c.b);
}

}  // namespace
}  // namespace elRaster::detail
