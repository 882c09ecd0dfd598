#pragma once
// The span loops, one file per instruction set, as the dispatcher (RasterDispatch.cpp) picks
// them. The sprite loops take affine, point-sampled spans of a power-of-two texture in one
// colour; the general loop takes everything else.
#include <array>
#include <cstddef>
#include <utility>

#include "engine/el/RasterContext.h"

#if defined(__SSE2__) && defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
// The AVX2 and AVX-512 loops are compiled in, for processors that have them (checked at run time).
#define QUOR_HAVE_AVX2_PATH 1
#include <immintrin.h>
#endif

namespace elRaster::detail {

// The loops of one kind for every blend mode (1..6), without and with the Z test, in `Variants`
// more variants: `make` is a lambda template <int Mode, bool ZTest, int Variant> returning the loop.
template <int Variants, class Make, size_t... I>
constexpr std::array<SpanFn, sizeof...(I)> MakeSpanTable(Make make, std::index_sequence<I...>) {
    return {make.template
            operator()<int(I / (2 * Variants)) + 1, (I / Variants) % 2 != 0, int(I % Variants)>()...};
}
template <int Variants, class Make>
constexpr std::array<SpanFn, 12 * Variants> SpanTable(Make make) {
    return MakeSpanTable<Variants>(make, std::make_index_sequence<12 * Variants>());
}
template <int Variants>
SpanFn FromSpanTable(const std::array<SpanFn, 12 * Variants>& table, int mode, bool zTest, int variant) {
    return table[static_cast<size_t>((mode - 1) * 2 + (zTest ? 1 : 0)) * Variants +
                 static_cast<size_t>(variant)];
}

#if defined(__SSE2__)
// Four pixels at a time; `modulate` when the colour is not opaque white.
SpanFn PickSpriteSpanSse2(int mode, bool zTest, bool modulate);
SpanFn PickGeneralSpanSse2(int mode, bool zTest);
#else
// One pixel at a time, for every kind of span.
void SpanScalar(const Context& c, int y, int xs, int xe);
#endif

#if defined(QUOR_HAVE_AVX2_PATH)
// u and v at the pixel centre (px, py) in 16.16, both at once in the low two lanes:
// FloorToInt32(plane.At(px, py) * 65536). For the wide loops, whose processors all have SSE4.1.
__attribute__((target("sse4.1"))) inline __m128i FixedTexCoords(const Context& c, double px, double py) {
    __m128d uv = _mm_add_pd(
        _mm_add_pd(_mm_loadu_pd(c.step.uvc), _mm_mul_pd(_mm_loadu_pd(c.step.uvdx), _mm_set1_pd(px))),
        _mm_mul_pd(_mm_loadu_pd(c.step.uvdy), _mm_set1_pd(py)));
    uv = _mm_mul_pd(uv, _mm_set1_pd(65536.0));
    uv = _mm_floor_pd(_mm_min_pd(_mm_max_pd(uv, _mm_set1_pd(-2147483000.0)), _mm_set1_pd(2147483000.0)));
    return _mm_cvttpd_epi32(uv);
}

// Eight pixels at a time. `mod`: 0 no modulation, 1 by the colour, 2 by an alpha alone (a colour
// of white RGB, whose modulation leaves the texel's RGB as it is).
SpanFn PickSpriteSpanAvx2(int mode, bool zTest, int mod);
// Sixteen pixels at a time.
SpanFn PickSpriteSpanAvx512(int mode, bool zTest, bool modulate);
#endif

}  // namespace elRaster::detail
