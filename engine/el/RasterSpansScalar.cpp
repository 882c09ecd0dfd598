// One pixel at a time: the blend of a single pixel, and the span loop for processors without
// SSE2.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "engine/el/RasterSample.h"
#include "engine/el/RasterSpans.h"

#define QUOR_RASTER_TARGET
#define QUOR_RASTER_ISA scalar

namespace elRaster::detail {
namespace {

// One channel of one pixel per word.
struct ScalarLanes {
    using Words = int;
    static int Set(int v) { return v; }
    static int Add(int a, int b) { return a + b; }
    static int Sub(int a, int b) { return a - b; }
    static int MulLo(int a, int b) { return a * b; }
    static int MulHi(int a, int b) { return int((uint32_t(a) * uint32_t(b)) >> 16); }
    static int Min(int a, int b) { return std::min(a, b); }
    static int ShiftRight7(int a) { return a >> 7; }
};

}  // namespace
}  // namespace elRaster::detail

#include "engine/el/RasterShade.inl"

namespace elRaster::detail {
namespace {

template <int Mode>
uint32_t BlendChannels(uint32_t s, uint32_t d) {
    const int a = int(s >> 24);
    uint32_t out = d & 0xFF000000u;  // the blend modes keep the destination's alpha
    for (int shift = 0; shift < 24; shift += 8) {
        const int sc = int((s >> shift) & 0xFF), dc = int((d >> shift) & 0xFF);
        out |= uint32_t(scalar::Blend<ScalarLanes, Mode>(sc, dc, a)) << shift;
    }
    return out;
}

}  // namespace

#if !defined(__SSE2__)

namespace {

uint32_t Modulate(uint32_t t, uint32_t col) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int x = int((t >> shift) & 0xFF) * int((col >> shift) & 0xFF);
        out |= uint32_t(scalar::Div255<ScalarLanes>(x)) << shift;
    }
    return out;
}

}  // namespace

void SpanScalar(const Context& c, int y, int xs, int xe) {
    plat::Surface& s = *c.target->surface;
    uint32_t* row = s.Row(y);
    float* zrow =
        c.state->zEnable && c.target->zbuffer ? c.target->zbuffer + size_t(y) * size_t(s.width) : nullptr;
    const double py = y + 0.5;
    for (int x = xs; x < xe; ++x) {
        double px = x + 0.5;
        float u, v;
        TexCoords(c, px, py, u, v);
        bool keyed;
        uint32_t t = Sample(c, u, v, keyed);
        if (keyed) continue;
        float z = float(c.z.At(px, py));
        if (zrow) {
            if (!(z <= zrow[x])) continue;
            zrow[x] = z;
        }
        row[x] = BlendPixel(c.mode, true, Modulate(t, PixelColor(c, px, py)), row[x]);
    }
}

#endif

}  // namespace elRaster::detail

namespace elRaster {

uint32_t BlendPixel(int mode, bool blending, uint32_t s, uint32_t d) {
    if (!blending) return s;
    switch (mode) {
        case 2:
            return detail::BlendChannels<2>(s, d);
        case 3:
            return detail::BlendChannels<3>(s, d);
        case 4:
            return detail::BlendChannels<4>(s, d);
        case 5:
            return detail::BlendChannels<5>(s, d);
        case 6:
            return detail::BlendChannels<6>(s, d);
        default:
            return s;
    }
}

}  // namespace elRaster
