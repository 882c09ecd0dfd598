#pragma once
// What the rasteriser's stages hand each other: triangles in screen space, their attributes as
// planes over the screen, and the per-triangle context the span loops read. The stages are
// clipping (RasterClip), set-up (RasterSetup), the span loops (RasterSpans*) and the choice of
// loop (RasterDispatch); Raster.cpp scan-converts and drives them.
#include <algorithm>
#include <cstdint>

#include "engine/el/Raster.h"

namespace elRaster::detail {

constexpr uint32_t kNoKey = 0xFFFFFFFFu;  // never equals a texel's 24 colour bits

struct ScreenVertex {
    double x, y;
    float z, rhw, u, v, r, g, b, a;
};

// An attribute as a linear function of the screen position.
struct Plane {
    double c = 0, dx = 0, dy = 0;
    double At(double x, double y) const { return c + dx * x + dy * y; }
};

struct Context {
    const State* state;
    const Target* target;
    int mode;      // effective blend mode: 1 when blending is off
    uint32_t key;  // kNoKey when keying is off
    bool textured;
    const uint32_t* texels;
    int texWidth, texHeight;
    bool pow2;     // wrap addressing; otherwise clamp
    bool fixedOk;  // texel coordinates fit 16.16 fixed point
    int wMask, hMask, wShift;
    Filter filter;
    bool affine;
    bool constColor;
    uint32_t color;  // constant modulation colour (alpha 255 when alpha comes from the texture)
    Plane z, rhw, u, v, r, g, b, a;
    // The sprite loops' per-pixel steps: lane k of u and v (16.16) and z is k steps along x.
    struct {
        int32_t u[17], v[17];
        float z[17];
        double uvc[2], uvdx[2], uvdy[2];  // the u and v planes side by side
    } step;
};

// Shades the pixels [xs, xe) of row y.
using SpanFn = void (*)(const Context&, int y, int xs, int xe);

// What every triangle of one draw call shares.
struct Setup {
    const State* state;
    const Target* target;
    const Texture* texture;
    int mode;
    uint32_t key;
};

// The target cut to its surface; false when nothing can be drawn.
bool PrepareTarget(const Target& target, const Viewport& viewport, Target& prepared);
Setup MakeSetup(const State& state, const Target& prepared, const Texture* texture);
// The context of the triangle p0-p1-p2, whose doubled signed area is `area2`.
void FillContext(Context& c, const Setup& su, const ScreenVertex& p0, const ScreenVertex& p1,
                 const ScreenVertex& p2, double area2);
// The span loop for a triangle: the widest the processor and LimitVectorWidth allow.
SpanFn PickSpan(const Context& c);

inline int FloorToInt(float f) {
    f = std::clamp(f, -1073741824.0f, 1073741824.0f);
    const int i = int(f);
    return i - (f < float(i));
}
inline int32_t FloorToInt32(double f) {
    f = std::clamp(f, -2147483000.0, 2147483000.0);
    const int32_t i = int32_t(f);
    return i - (f < double(i));
}
inline int CeilToInt(double f) {
    f = std::clamp(f, -1073741824.0, 1073741824.0);
    const int i = int(f);
    return i + (f > double(i));
}

}  // namespace elRaster::detail
