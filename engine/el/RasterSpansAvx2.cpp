// The eight-pixel sprite loops, for processors with AVX2 (chosen at run time).
#include "engine/el/RasterSpans.h"

#if defined(QUOR_HAVE_AVX2_PATH)

#include <immintrin.h>

#include <algorithm>
#include <cstring>

#define QUOR_AVX2 __attribute__((target("avx2")))
#define QUOR_RASTER_TARGET QUOR_AVX2
#define QUOR_RASTER_ISA avx2

namespace elRaster::detail {
namespace {

struct Avx2Lanes {
    using Words = __m256i;
    QUOR_AVX2 static Words Set(int v) { return _mm256_set1_epi16(int16_t(v)); }
    QUOR_AVX2 static Words Add(Words a, Words b) { return _mm256_add_epi16(a, b); }
    QUOR_AVX2 static Words Sub(Words a, Words b) { return _mm256_sub_epi16(a, b); }
    QUOR_AVX2 static Words MulLo(Words a, Words b) { return _mm256_mullo_epi16(a, b); }
    QUOR_AVX2 static Words MulHi(Words a, Words b) { return _mm256_mulhi_epu16(a, b); }
    QUOR_AVX2 static Words Min(Words a, Words b) { return _mm256_min_epi16(a, b); }
    QUOR_AVX2 static Words ShiftRight7(Words a) { return _mm256_srli_epi16(a, 7); }
    QUOR_AVX2 static Words UnpackLo(Words p) { return _mm256_unpacklo_epi8(p, _mm256_setzero_si256()); }
    QUOR_AVX2 static Words UnpackHi(Words p) { return _mm256_unpackhi_epi8(p, _mm256_setzero_si256()); }
    QUOR_AVX2 static Words Pack(Words lo, Words hi) { return _mm256_packus_epi16(lo, hi); }
    QUOR_AVX2 static Words AlphaWords(Words s) {
        return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s, 0xFF), 0xFF);
    }
};

}  // namespace
}  // namespace elRaster::detail

#include "engine/el/RasterShade.inl"

namespace elRaster::detail {
namespace {

// Mod: 0 no modulation, 1 by the colour, 2 by an alpha alone (a colour of white RGB, whose
// modulation leaves the texel's RGB as it is); `color` then holds that alpha in every pixel.
template <int Mode, bool ZTest, int Mod>
QUOR_AVX2 inline void Shade8(uint32_t* dst, float* zp, __m256 z8, __m256i texel, __m256i color,
                             __m256i live) {
    __m256 zb = _mm256_setzero_ps();
    if constexpr (ZTest) {
        zb = _mm256_loadu_ps(zp);
        live = _mm256_and_si256(live, _mm256_castps_si256(_mm256_cmp_ps(z8, zb, _CMP_LE_OQ)));
    }
    if constexpr (ZTest) _mm256_storeu_ps(zp, _mm256_blendv_ps(zb, z8, _mm256_castsi256_ps(live)));
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst));
    __m256i out;
    if constexpr (Mod == 2) {
        // The modulated alpha of each pixel in the low word of its lane.
        const __m256i a32 = avx2::Div255<Avx2Lanes>(_mm256_mullo_epi16(_mm256_srli_epi32(texel, 24), color));
        if constexpr (Mode == 1) {
            out = _mm256_blendv_epi8(texel, _mm256_slli_epi32(a32, 24), _mm256_set1_epi32(int(0xFF000000u)));
        } else {
            const __m256i pickLo = _mm256_setr_epi8(0, -1, 0, -1, 0, -1, 0, -1, 4, -1, 4, -1, 4, -1, 4, -1, 0,
                                                    -1, 0, -1, 0, -1, 0, -1, 4, -1, 4, -1, 4, -1, 4, -1);
            const __m256i pickHi =
                _mm256_setr_epi8(8, -1, 8, -1, 8, -1, 8, -1, 12, -1, 12, -1, 12, -1, 12, -1, 8, -1, 8, -1, 8,
                                 -1, 8, -1, 12, -1, 12, -1, 12, -1, 12, -1);
            out = _mm256_packus_epi16(
                avx2::Blend<Avx2Lanes, Mode>(Avx2Lanes::UnpackLo(texel), Avx2Lanes::UnpackLo(d),
                                             _mm256_shuffle_epi8(a32, pickLo)),
                avx2::Blend<Avx2Lanes, Mode>(Avx2Lanes::UnpackHi(texel), Avx2Lanes::UnpackHi(d),
                                             _mm256_shuffle_epi8(a32, pickHi)));
        }
    } else {
        out = avx2::ShadeTexels<Avx2Lanes, Mode, Mod == 1>(texel, Avx2Lanes::UnpackLo(color),
                                                           Avx2Lanes::UnpackHi(color), d);
    }
    // The blend modes keep the destination's alpha.
    if constexpr (Mode != 1) live = _mm256_and_si256(live, _mm256_set1_epi32(0x00FFFFFF));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst), _mm256_blendv_epi8(d, out, live));
}

// Four texels by plain loads: on the processors measured, eight of these beat one gather.
QUOR_AVX2 inline __m128i Fetch4(const int* tex, __m128i idx) {
    const uint64_t a = uint64_t(_mm_cvtsi128_si64(idx)), b = uint64_t(_mm_extract_epi64(idx, 1));
    __m128i t = _mm_cvtsi32_si128(tex[uint32_t(a)]);
    t = _mm_insert_epi32(t, tex[a >> 32], 1);
    t = _mm_insert_epi32(t, tex[uint32_t(b)], 2);
    return _mm_insert_epi32(t, tex[b >> 32], 3);
}

template <int Mode, bool ZTest, int Mod>
QUOR_AVX2 void SpanSpriteAvx2(const Context& c, int y, int xs, int xe) {
    plat::Surface& s = *c.target->surface;
    uint32_t* row = s.Row(y);
    float* zrow = ZTest ? c.target->zbuffer + size_t(y) * size_t(s.width) : nullptr;
    const double px = xs + 0.5, py = y + 0.5;
    const __m256i uvf = _mm256_castsi128_si256(FixedTexCoords(c, px, py));
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    __m256 z8 = _mm256_add_ps(_mm256_set1_ps(float(c.z.At(px, py))), _mm256_loadu_ps(c.step.z));
    const __m256 dz8 = _mm256_set1_ps(c.step.z[8]);
    __m256i u8 = _mm256_add_epi32(_mm256_broadcastd_epi32(_mm256_castsi256_si128(uvf)),
                                  _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c.step.u)));
    __m256i v8 = _mm256_add_epi32(_mm256_permutevar8x32_epi32(uvf, _mm256_set1_epi32(1)),
                                  _mm256_loadu_si256(reinterpret_cast<const __m256i*>(c.step.v)));
    const __m256i du8 = _mm256_set1_epi32(c.step.u[8]), dv8 = _mm256_set1_epi32(c.step.v[8]);
    const __m256i key = _mm256_set1_epi32(int(c.key));
    const __m256i rgb = _mm256_set1_epi32(0x00FFFFFF);
    const __m256i ones = _mm256_set1_epi32(-1);
    const __m256i color = _mm256_set1_epi32(Mod == 2 ? int(c.color >> 24) : int(c.color));
    // Row offsets straight from v: ((v >> 16) & hMask) << wShift == (v >> (16 - wShift)) & (hMask << wShift).
    const __m256i wm = _mm256_set1_epi32(c.wMask), hm = _mm256_set1_epi32(c.hMask << c.wShift);
    const __m128i vs = _mm_cvtsi32_si128(16 - c.wShift);
    const int* tex = reinterpret_cast<const int*>(c.texels);
    // Lanes at or past the span's end are masked off without a branch.
    const __m256i xend = _mm256_set1_epi32(xe), eight = _mm256_set1_epi32(8);
    __m256i xv = _mm256_add_epi32(_mm256_set1_epi32(xs), lane);
    // Pixels past the span but inside the row may be loaded and stored back unchanged.
    const int wide = std::min(xe, s.width - 7);
    int x = xs;
    auto fetch8 = [&]() QUOR_AVX2 {
        const __m256i iu = _mm256_and_si256(_mm256_srai_epi32(u8, 16), wm);
        const __m256i iv = _mm256_and_si256(_mm256_sra_epi32(v8, vs), hm);
        u8 = _mm256_add_epi32(u8, du8);
        v8 = _mm256_add_epi32(v8, dv8);
        const __m256i idx = _mm256_or_si256(iu, iv);
        return _mm256_setr_m128i(Fetch4(tex, _mm256_castsi256_si128(idx)),
                                 Fetch4(tex, _mm256_extracti128_si256(idx, 1)));
    };
    for (; x < wide; x += 8) {
        const __m256i t = fetch8();
        const __m256i live = _mm256_andnot_si256(_mm256_cmpeq_epi32(_mm256_and_si256(t, rgb), key),
                                                 _mm256_cmpgt_epi32(xend, xv));
        xv = _mm256_add_epi32(xv, eight);
        // Branch-free: lanes that are keyed, off the span or behind keep their pixel and depth.
        Shade8<Mode, ZTest, Mod>(row + x, ZTest ? zrow + x : nullptr, z8, t, color, live);
        z8 = _mm256_add_ps(z8, dz8);
    }
    if (x < xe) {
        // At the right edge of the surface: through a small buffer.
        const int n = xe - x;
        alignas(32) uint32_t d[8] = {};
        alignas(32) float z[8] = {};
        std::memcpy(d, row + x, sizeof(uint32_t) * size_t(n));
        if constexpr (ZTest) std::memcpy(z, zrow + x, sizeof(float) * size_t(n));
        const __m256i t = fetch8();
        __m256i live = _mm256_xor_si256(_mm256_cmpeq_epi32(_mm256_and_si256(t, rgb), key), ones);
        live = _mm256_and_si256(live, _mm256_cmpgt_epi32(_mm256_set1_epi32(n), lane));
        Shade8<Mode, ZTest, Mod>(d, z, z8, t, color, live);
        std::memcpy(row + x, d, sizeof(uint32_t) * size_t(n));
        if constexpr (ZTest) std::memcpy(zrow + x, z, sizeof(float) * size_t(n));
    }
}

}  // namespace

SpanFn PickSpriteSpanAvx2(int mode, bool zTest, int mod) {
    static constexpr auto table = SpanTable<3>(
        []<int Mode, bool ZTest, int Mod>() -> SpanFn { return &SpanSpriteAvx2<Mode, ZTest, Mod>; });
    return FromSpanTable<3>(table, mode, zTest, mod);
}

}  // namespace elRaster::detail

#endif
