// The choice of span loop: the sprite loops on the widest vectors the processor offers (and
// LimitVectorWidth allows), the general loop for everything else.
#include <cstdlib>

#include "engine/el/RasterSpans.h"

namespace elRaster::detail {
namespace {

int g_maxLanes = 16;  // widest vector path allowed

#if defined(QUOR_HAVE_AVX2_PATH)
// False when the environment variable is set to anything but "0": a way to compare the loops on
// one machine.
bool NotTurnedOff(const char* variable) {
    const char* off = std::getenv(variable);
    return !(off && *off && *off != '0');
}

bool HasAvx2() {
    if (g_maxLanes < 8) return false;
    static const bool yes = [] {
        if (!NotTurnedOff("QUOR_RASTER_NO_AVX2")) return false;
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return yes;
}

bool HasAvx512() {
    if (g_maxLanes < 16) return false;
    static const bool yes = [] {
        if (!NotTurnedOff("QUOR_RASTER_NO_AVX512")) return false;
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0;
    }();
    return yes;
}
#endif

#if defined(__SSE2__)
SpanFn PickSpriteSpan(int mode, bool zTest, uint32_t color) {
    const bool modulate = color != 0xFFFFFFFFu;
#if defined(QUOR_HAVE_AVX2_PATH)
    if (HasAvx512()) return PickSpriteSpanAvx512(mode, zTest, modulate);
    if (HasAvx2()) {
        const int mod = !modulate ? 0 : (color & 0x00FFFFFFu) == 0x00FFFFFFu ? 2 : 1;
        return PickSpriteSpanAvx2(mode, zTest, mod);
    }
#endif
    return PickSpriteSpanSse2(mode, zTest, modulate);
}
#endif

}  // namespace

SpanFn PickSpan(const Context& c) {
#if defined(__SSE2__)
    const bool zTest = c.state->zEnable && c.target->zbuffer != nullptr;
    if (c.textured && c.affine && c.pow2 && c.fixedOk && c.filter == Filter::Point && c.constColor) {
        return PickSpriteSpan(c.mode, zTest, c.color);
    }
    return PickGeneralSpanSse2(c.mode, zTest);
#else
    (void)c;
    return &SpanScalar;
#endif
}

}  // namespace elRaster::detail

namespace elRaster {

int LimitVectorWidth(int lanes) {
    detail::g_maxLanes = lanes;
#if defined(QUOR_HAVE_AVX2_PATH)
    if (detail::HasAvx512()) return 16;
    if (detail::HasAvx2()) return 8;
#endif
#if defined(__SSE2__)
    return 4;
#else
    return 1;
#endif
}

}  // namespace elRaster
