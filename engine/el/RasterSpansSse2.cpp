// The four-pixel span loops (SSE2, every x86-64 processor has it).
#include "engine/el/RasterSpans.h"

#if defined(__SSE2__)

#include <emmintrin.h>

#include <algorithm>
#include <cstring>

#include "engine/el/RasterSample.h"

#define QUOR_RASTER_TARGET
#define QUOR_RASTER_ISA sse2

namespace elRaster::detail {
namespace {

struct Sse2Lanes {
    using Words = __m128i;
    static Words Set(int v) { return _mm_set1_epi16(int16_t(v)); }
    static Words Add(Words a, Words b) { return _mm_add_epi16(a, b); }
    static Words Sub(Words a, Words b) { return _mm_sub_epi16(a, b); }
    static Words MulLo(Words a, Words b) { return _mm_mullo_epi16(a, b); }
    static Words MulHi(Words a, Words b) { return _mm_mulhi_epu16(a, b); }
    static Words Min(Words a, Words b) { return _mm_min_epi16(a, b); }
    static Words ShiftRight7(Words a) { return _mm_srli_epi16(a, 7); }
    static Words UnpackLo(Words p) { return _mm_unpacklo_epi8(p, _mm_setzero_si128()); }
    static Words UnpackHi(Words p) { return _mm_unpackhi_epi8(p, _mm_setzero_si128()); }
    static Words Pack(Words lo, Words hi) { return _mm_packus_epi16(lo, hi); }
    static Words AlphaWords(Words s) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF); }
};

}  // namespace
}  // namespace elRaster::detail

#include "engine/el/RasterShade.inl"

namespace elRaster::detail {
namespace {

// Lane masks for the first n of four pixels.
alignas(16) constexpr int32_t kLanes[4][4] = {{0, 0, 0, 0}, {-1, 0, 0, 0}, {-1, -1, 0, 0}, {-1, -1, -1, 0}};

// Shades up to four pixels: `live` marks the lanes to draw (inside the span, not keyed).
// Branch-free, a group with no live lane stores its pixels and depths back unchanged.
template <int Mode, bool ZTest, bool Mod, bool BranchFree = false>
inline void Shade4(uint32_t* dst, float* zp, __m128 z4, __m128i texel, __m128i color, __m128i live) {
    __m128 zb = _mm_setzero_ps();
    if constexpr (ZTest) {
        zb = _mm_loadu_ps(zp);
        live = _mm_and_si128(live, _mm_castps_si128(_mm_cmple_ps(z4, zb)));
    }
    if (!BranchFree && _mm_movemask_epi8(live) == 0) return;
    if constexpr (ZTest) {
        __m128 m = _mm_castsi128_ps(live);
        _mm_storeu_ps(zp, _mm_or_ps(_mm_and_ps(m, z4), _mm_andnot_ps(m, zb)));
    }
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
    __m128i out = sse2::ShadeTexels<Sse2Lanes, Mode, Mod>(texel, Sse2Lanes::UnpackLo(color),
                                                          Sse2Lanes::UnpackHi(color), d);
    // The blend modes keep the destination's alpha.
    if constexpr (Mode != 1) live = _mm_and_si128(live, _mm_set1_epi32(0x00FFFFFF));
    out = _mm_or_si128(_mm_and_si128(live, out), _mm_andnot_si128(live, d));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), out);
}

// The last one to three pixels of a span go through a small buffer so that no load or store
// passes the end of the row.
template <int Mode, bool ZTest, bool Mod>
inline void ShadeTail(uint32_t* dst, float* zp, int n, __m128 z4, __m128i texel, __m128i color,
                      __m128i live) {
    alignas(16) uint32_t d[4] = {};
    alignas(16) float z[4] = {};
    std::memcpy(d, dst, sizeof(uint32_t) * size_t(n));
    if constexpr (ZTest) std::memcpy(z, zp, sizeof(float) * size_t(n));
    live = _mm_and_si128(live, _mm_load_si128(reinterpret_cast<const __m128i*>(kLanes[n])));
    Shade4<Mode, ZTest, Mod>(d, z, z4, texel, color, live);
    std::memcpy(dst, d, sizeof(uint32_t) * size_t(n));
    if constexpr (ZTest) std::memcpy(zp, z, sizeof(float) * size_t(n));
}

template <int Mode, bool ZTest, bool Mod>
void SpanSprite(const Context& c, int y, int xs, int xe) {
    plat::Surface& s = *c.target->surface;
    uint32_t* row = s.Row(y);
    float* zrow = ZTest ? c.target->zbuffer + size_t(y) * size_t(s.width) : nullptr;
    const double px = xs + 0.5, py = y + 0.5;
    const int32_t uf = FloorToInt32(c.u.At(px, py) * 65536.0);
    const int32_t vf = FloorToInt32(c.v.At(px, py) * 65536.0);
    const float z0 = float(c.z.At(px, py));
    __m128 z4 = _mm_add_ps(_mm_set1_ps(z0), _mm_loadu_ps(c.step.z));
    const __m128 dz4 = _mm_set1_ps(c.step.z[4]);
    const __m128i key = _mm_set1_epi32(int(c.key));
    const __m128i rgb = _mm_set1_epi32(0x00FFFFFF);
    const __m128i ones = _mm_set1_epi32(-1);
    const __m128i color = _mm_set1_epi32(int(c.color));
    // Row offsets straight from v: ((v >> 16) & hMask) << wShift == (v >> (16 - wShift)) & (hMask << wShift).
    const __m128i wm = _mm_set1_epi32(c.wMask), hm = _mm_set1_epi32(c.hMask << c.wShift);
    const __m128i vs = _mm_cvtsi32_si128(16 - c.wShift);
    __m128i u4 =
        _mm_add_epi32(_mm_set1_epi32(uf), _mm_loadu_si128(reinterpret_cast<const __m128i*>(c.step.u)));
    __m128i v4 =
        _mm_add_epi32(_mm_set1_epi32(vf), _mm_loadu_si128(reinterpret_cast<const __m128i*>(c.step.v)));
    const __m128i du4 = _mm_set1_epi32(c.step.u[4]), dv4 = _mm_set1_epi32(c.step.v[4]);
    const uint32_t* tex = c.texels;
    // Pixels past the span but inside the row may be loaded and stored back unchanged.
    const int wide = std::min(xe, s.width - 3);
    const __m128i xend = _mm_set1_epi32(xe), four = _mm_set1_epi32(4);
    __m128i xv = _mm_add_epi32(_mm_set1_epi32(xs), _mm_setr_epi32(0, 1, 2, 3));
    alignas(16) int32_t idx[4];
    auto fetch4 = [&]() {
        __m128i iu = _mm_and_si128(_mm_srai_epi32(u4, 16), wm);
        __m128i iv = _mm_and_si128(_mm_sra_epi32(v4, vs), hm);
        _mm_store_si128(reinterpret_cast<__m128i*>(idx), _mm_or_si128(iu, iv));
        u4 = _mm_add_epi32(u4, du4);
        v4 = _mm_add_epi32(v4, dv4);
        return _mm_set_epi32(int(tex[idx[3]]), int(tex[idx[2]]), int(tex[idx[1]]), int(tex[idx[0]]));
    };
    int x = xs;
    for (; x < wide; x += 4) {
        __m128i t = fetch4();
        // Keyed lanes and lanes at or past the span's end are masked off without a branch.
        const __m128i live =
            _mm_andnot_si128(_mm_cmpeq_epi32(_mm_and_si128(t, rgb), key), _mm_cmpgt_epi32(xend, xv));
        xv = _mm_add_epi32(xv, four);
        Shade4<Mode, ZTest, Mod, true>(row + x, ZTest ? zrow + x : nullptr, z4, t, color, live);
        z4 = _mm_add_ps(z4, dz4);
    }
    if (x < xe) {
        __m128i t = fetch4();
        __m128i live = _mm_xor_si128(_mm_cmpeq_epi32(_mm_and_si128(t, rgb), key), ones);
        ShadeTail<Mode, ZTest, Mod>(row + x, zrow ? zrow + x : nullptr, xe - x, z4, t, color, live);
    }
}

// Everything else: perspective, linear filtering, Gouraud colour, any texture.
template <int Mode, bool ZTest>
void SpanGeneral(const Context& c, int y, int xs, int xe) {
    plat::Surface& s = *c.target->surface;
    uint32_t* row = s.Row(y);
    float* zrow = ZTest ? c.target->zbuffer + size_t(y) * size_t(s.width) : nullptr;
    const double py = y + 0.5;
    for (int x = xs; x < xe; x += 4) {
        int n = std::min(4, xe - x);
        alignas(16) uint32_t tt[4] = {}, cc[4] = {};
        alignas(16) int32_t ll[4] = {};
        alignas(16) float zz[4] = {};
        for (int k = 0; k < n; ++k) {
            double px = x + k + 0.5;
            float u, v;
            TexCoords(c, px, py, u, v);
            bool keyed;
            tt[k] = Sample(c, u, v, keyed);
            ll[k] = keyed ? 0 : -1;
            cc[k] = PixelColor(c, px, py);
            zz[k] = float(c.z.At(px, py));
        }
        __m128i t = _mm_load_si128(reinterpret_cast<const __m128i*>(tt));
        __m128i col = _mm_load_si128(reinterpret_cast<const __m128i*>(cc));
        __m128i live = _mm_load_si128(reinterpret_cast<const __m128i*>(ll));
        __m128 z4 = _mm_load_ps(zz);
        if (n == 4) {
            Shade4<Mode, ZTest, true>(row + x, zrow ? zrow + x : nullptr, z4, t, col, live);
        } else {
            ShadeTail<Mode, ZTest, true>(row + x, zrow ? zrow + x : nullptr, n, z4, t, col, live);
        }
    }
}

}  // namespace

SpanFn PickSpriteSpanSse2(int mode, bool zTest, bool modulate) {
    static constexpr auto table = SpanTable<2>(
        []<int Mode, bool ZTest, int Mod>() -> SpanFn { return &SpanSprite<Mode, ZTest, Mod != 0>; });
    return FromSpanTable<2>(table, mode, zTest, modulate ? 1 : 0);
}

SpanFn PickGeneralSpanSse2(int mode, bool zTest) {
    static constexpr auto table =
        SpanTable<1>([]<int Mode, bool ZTest, int>() -> SpanFn { return &SpanGeneral<Mode, ZTest>; });
    return FromSpanTable<1>(table, mode, zTest, 0);
}

}  // namespace elRaster::detail

#endif
