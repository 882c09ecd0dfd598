// The sixteen-pixel sprite loops, for processors with AVX-512 byte and word instructions (chosen
// at run time).
#include "engine/el/RasterSpans.h"

#if defined(QUOR_HAVE_AVX2_PATH)

#include <immintrin.h>

#define QUOR_AVX512 __attribute__((target("avx512f,avx512bw")))
#define QUOR_RASTER_TARGET QUOR_AVX512
#define QUOR_RASTER_ISA avx512

namespace elRaster::detail {
namespace {

struct Avx512Lanes {
    using Words = __m512i;
    QUOR_AVX512 static Words Set(int v) { return _mm512_set1_epi16(int16_t(v)); }
    QUOR_AVX512 static Words Add(Words a, Words b) { return _mm512_add_epi16(a, b); }
    QUOR_AVX512 static Words Sub(Words a, Words b) { return _mm512_sub_epi16(a, b); }
    QUOR_AVX512 static Words MulLo(Words a, Words b) { return _mm512_mullo_epi16(a, b); }
    QUOR_AVX512 static Words MulHi(Words a, Words b) { return _mm512_mulhi_epu16(a, b); }
    QUOR_AVX512 static Words Min(Words a, Words b) { return _mm512_min_epi16(a, b); }
    QUOR_AVX512 static Words ShiftRight7(Words a) { return _mm512_srli_epi16(a, 7); }
    QUOR_AVX512 static Words UnpackLo(Words p) { return _mm512_unpacklo_epi8(p, _mm512_setzero_si512()); }
    QUOR_AVX512 static Words UnpackHi(Words p) { return _mm512_unpackhi_epi8(p, _mm512_setzero_si512()); }
    QUOR_AVX512 static Words Pack(Words lo, Words hi) { return _mm512_packus_epi16(lo, hi); }
    QUOR_AVX512 static Words AlphaWords(Words s) {
        return _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(s, 0xFF), 0xFF);
    }
};

}  // namespace
}  // namespace elRaster::detail

#include "engine/el/RasterShade.inl"

namespace elRaster::detail {
namespace {

template <int Mode, bool ZTest, bool Mod>
QUOR_AVX512 void SpanSpriteAvx512(const Context& c, int y, int xs, int xe) {
    plat::Surface& s = *c.target->surface;
    uint32_t* row = s.Row(y);
    float* zrow = ZTest ? c.target->zbuffer + size_t(y) * size_t(s.width) : nullptr;
    const double px = xs + 0.5, py = y + 0.5;
    const __m128i uvf = FixedTexCoords(c, px, py);
    __m512 z16 = _mm512_add_ps(_mm512_set1_ps(float(c.z.At(px, py))), _mm512_loadu_ps(c.step.z));
    const __m512 dz16 = _mm512_set1_ps(c.step.z[16]);
    __m512i u16 = _mm512_add_epi32(_mm512_set1_epi32(_mm_cvtsi128_si32(uvf)), _mm512_loadu_si512(c.step.u));
    __m512i v16 =
        _mm512_add_epi32(_mm512_set1_epi32(_mm_extract_epi32(uvf, 1)), _mm512_loadu_si512(c.step.v));
    const __m512i du16 = _mm512_set1_epi32(c.step.u[16]), dv16 = _mm512_set1_epi32(c.step.v[16]);
    const __m512i key = _mm512_set1_epi32(int(c.key));
    const __m512i rgb = _mm512_set1_epi32(0x00FFFFFF);
    // Row offsets straight from v: ((v >> 16) & hMask) << wShift == (v >> (16 - wShift)) & (hMask << wShift).
    const __m512i wm = _mm512_set1_epi32(c.wMask), hm = _mm512_set1_epi32(c.hMask << c.wShift);
    const __m128i vs = _mm_cvtsi32_si128(16 - c.wShift);
    const __m512i zero = _mm512_setzero_si512();
    const __m512i colorLo = _mm512_unpacklo_epi8(_mm512_set1_epi32(int(c.color)), zero);
    const __m512i colorHi = _mm512_unpackhi_epi8(_mm512_set1_epi32(int(c.color)), zero);
    const __mmask64 alphaBytes = 0x8888888888888888ull;
    const int* tex = reinterpret_cast<const int*>(c.texels);
    for (int x = xs; x < xe; x += 16) {
        // Lanes past the span are masked off for every load and store.
        const int n = xe - x;
        const __mmask16 inSpan = n >= 16 ? __mmask16(0xFFFF) : __mmask16((1u << n) - 1);
        // (The zero-masked shifts say the same as the plain ones without GCC's false warning.)
        const __m512i idx = _mm512_or_si512(_mm512_and_si512(_mm512_maskz_srai_epi32(0xFFFF, u16, 16), wm),
                                            _mm512_and_si512(_mm512_maskz_sra_epi32(0xFFFF, v16, vs), hm));
        u16 = _mm512_add_epi32(u16, du16);
        v16 = _mm512_add_epi32(v16, dv16);
        const __m512i t = _mm512_mask_i32gather_epi32(zero, inSpan, idx, tex, 4);
        __mmask16 live = _mm512_mask_cmpneq_epi32_mask(inSpan, _mm512_and_si512(t, rgb), key);
        if constexpr (ZTest) {
            const __m512 zb = _mm512_maskz_loadu_ps(live, zrow + x);
            live = _mm512_mask_cmp_ps_mask(live, z16, zb, _CMP_LE_OQ);
            _mm512_mask_storeu_ps(zrow + x, live, z16);
        }
        z16 = _mm512_add_ps(z16, dz16);
        const __m512i d = _mm512_maskz_loadu_epi32(live, row + x);
        __m512i out = avx512::ShadeTexels<Avx512Lanes, Mode, Mod>(t, colorLo, colorHi, d);
        // The blend modes keep the destination's alpha.
        if constexpr (Mode != 1) out = _mm512_mask_blend_epi8(alphaBytes, out, d);
        _mm512_mask_storeu_epi32(row + x, live, out);
    }
}

}  // namespace

SpanFn PickSpriteSpanAvx512(int mode, bool zTest, bool modulate) {
    static constexpr auto table = SpanTable<2>(
        []<int Mode, bool ZTest, int Mod>() -> SpanFn { return &SpanSpriteAvx512<Mode, ZTest, Mod != 0>; });
    return FromSpanTable<2>(table, mode, zTest, modulate ? 1 : 0);
}

}  // namespace elRaster::detail

#endif
