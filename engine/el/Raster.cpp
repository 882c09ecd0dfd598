#include "engine/el/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSE2__) && defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define QUOR_HAVE_AVX2_PATH 1
#endif

namespace elRaster {
namespace {

// Triangles are clipped to a guard band this far around the viewport centre (in pixels), so the
// scan converter never sees huge coordinates.
constexpr float kGuardPixels = 4096.0f;
constexpr float kMinW = 1e-6f;
constexpr uint32_t kNoKey = 0xFFFFFFFFu;  // never equals a texel's 24 colour bits
int g_maxLanes = 16;                      // widest vector path allowed

inline int Div255(int x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// ---------------------------------------------------------------------------------------------
// Clipping in homogeneous space

struct ClipVertex {
    float x, y, z, w, u, v, r, g, b, a;
};

ClipVertex FromVertex(const Vertex& s) {
    return {s.x,
            s.y,
            s.z,
            s.w,
            s.u,
            s.v,
            float((s.color >> 16) & 0xFF),
            float((s.color >> 8) & 0xFF),
            float(s.color & 0xFF),
            float(s.color >> 24)};
}

ClipVertex Lerp(const ClipVertex& p, const ClipVertex& q, float t) {
    auto l = [t](float a, float b) { return a + (b - a) * t; };
    return {l(p.x, q.x), l(p.y, q.y), l(p.z, q.z), l(p.w, q.w), l(p.u, q.u),
            l(p.v, q.v), l(p.r, q.r), l(p.g, q.g), l(p.b, q.b), l(p.a, q.a)};
}

constexpr int kPlaneCount = 7;

float PlaneDistance(const ClipVertex& p, int plane, float gx, float gy) {
    switch (plane) {
        case 0:
            return p.w - kMinW;
        case 1:
            return p.z;
        case 2:
            return p.w - p.z;
        case 3:
            return p.x + gx * p.w;
        case 4:
            return gx * p.w - p.x;
        case 5:
            return p.y + gy * p.w;
        default:
            return gy * p.w - p.y;
    }
}

int OutCode(const ClipVertex& p, float gx, float gy) {
    int code = 0;
    for (int i = 0; i < kPlaneCount; ++i) {
        if (!(PlaneDistance(p, i, gx, gy) >= 0.0f)) code |= 1 << i;
    }
    return code;
}

int ClipAgainst(const ClipVertex* in, int n, ClipVertex* out, int plane, float gx, float gy) {
    int m = 0;
    for (int i = 0; i < n; ++i) {
        const ClipVertex& p = in[i];
        const ClipVertex& q = in[(i + 1) % n];
        float dp = PlaneDistance(p, plane, gx, gy);
        float dq = PlaneDistance(q, plane, gx, gy);
        if (dp >= 0.0f) out[m++] = p;
        if ((dp >= 0.0f) != (dq >= 0.0f)) out[m++] = Lerp(p, q, dp / (dp - dq));
    }
    return m;
}

// ---------------------------------------------------------------------------------------------
// Triangle set-up

struct ScreenVertex {
    double x, y;
    float z, rhw, u, v, r, g, b, a;
};

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

using SpanFn = void (*)(const Context&, int y, int xs, int xe);

inline int FloorToInt(float f) {
    f = std::clamp(f, -1073741824.0f, 1073741824.0f);
    const int i = int(f);
    return i - (f < float(i));
}
[[maybe_unused]] inline int32_t FloorToInt32(double f) {
    f = std::clamp(f, -2147483000.0, 2147483000.0);
    const int32_t i = int32_t(f);
    return i - (f < double(i));
}
inline int CeilToInt(double f) {
    f = std::clamp(f, -1073741824.0, 1073741824.0);
    const int i = int(f);
    return i + (f > double(i));
}

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

inline uint32_t PixelColor(const Context& c, double px, double py) {
    if (c.constColor) return c.color;
    auto ch = [&](const Plane& p) { return uint32_t(std::clamp(p.At(px, py), 0.0, 255.0) + 0.5); };
    uint32_t a = c.state->textureAlphaOnly ? 255u : ch(c.a);
    return (a << 24) | (ch(c.r) << 16) | (ch(c.g) << 8) | ch(c.b);
}

// ---------------------------------------------------------------------------------------------
// Four-pixel shading kernel

#if defined(__SSE2__)

// Lane masks for the first n of four pixels.
alignas(16) constexpr int32_t kLanes[4][4] = {{0, 0, 0, 0}, {-1, 0, 0, 0}, {-1, -1, 0, 0}, {-1, -1, -1, 0}};

inline __m128i Div255x8(__m128i x) {
    x = _mm_add_epi16(x, _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

template <int Mode>
inline __m128i Blend2(__m128i s, __m128i d) {
    if constexpr (Mode == 1) {
        return s;
    } else {
        const __m128i c255 = _mm_set1_epi16(255);
        __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(s, 0xFF), 0xFF);
        if constexpr (Mode == 2) {
            __m128i t = _mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, _mm_sub_epi16(c255, a)));
            return Div255x8(t);
        } else if constexpr (Mode == 3) {
            return _mm_min_epi16(_mm_add_epi16(d, Div255x8(_mm_mullo_epi16(s, a))), c255);
        } else if constexpr (Mode == 4) {
            return Div255x8(_mm_mullo_epi16(d, _mm_sub_epi16(c255, a)));
        } else if constexpr (Mode == 5) {
            return Div255x8(_mm_mullo_epi16(s, _mm_sub_epi16(c255, d)));
        } else {
            return _mm_min_epi16(
                _mm_add_epi16(Div255x8(_mm_mullo_epi16(s, d)), Div255x8(_mm_mullo_epi16(d, a))), c255);
        }
    }
}

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
    const __m128i zero = _mm_setzero_si128();
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst));
    __m128i slo = _mm_unpacklo_epi8(texel, zero);
    __m128i shi = _mm_unpackhi_epi8(texel, zero);
    if constexpr (Mod) {
        __m128i c16 = _mm_unpacklo_epi8(color, zero);
        __m128i c16h = _mm_unpackhi_epi8(color, zero);
        slo = Div255x8(_mm_mullo_epi16(slo, c16));
        shi = Div255x8(_mm_mullo_epi16(shi, c16h));
    }
    __m128i out;
    if constexpr (Mode == 1) {
        out = _mm_packus_epi16(slo, shi);
    } else {
        __m128i dlo = _mm_unpacklo_epi8(d, zero);
        __m128i dhi = _mm_unpackhi_epi8(d, zero);
        out = _mm_packus_epi16(Blend2<Mode>(slo, dlo), Blend2<Mode>(shi, dhi));
        // The blend modes keep the destination's alpha.
        live = _mm_and_si128(live, _mm_set1_epi32(0x00FFFFFF));
    }
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

// Affine, point-sampled span of a power-of-two texture in one colour: the sprite path.
template <int Mode, bool ZTest, bool Mod>
void SpanFast(const Context& c, int y, int xs, int xe) {
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
void SpanGeneric(const Context& c, int y, int xs, int xe) {
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
            if (c.affine) {
                u = float(c.u.At(px, py));
                v = float(c.v.At(px, py));
            } else {
                double q = c.rhw.At(px, py);
                if (q <= 0.0) q = 1e-30;
                u = float(c.u.At(px, py) / q);
                v = float(c.v.At(px, py) / q);
            }
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

#if defined(QUOR_HAVE_AVX2_PATH)
// The sprite span eight pixels at a time, for processors with AVX2 (chosen at run time).
#define QUOR_AVX2 __attribute__((target("avx2")))

// round(x / 255) for x up to 255 * 255: floor((x + 127) / 255) by a multiply-high.
QUOR_AVX2 inline __m256i Div255x16(__m256i x) {
    x = _mm256_add_epi16(x, _mm256_set1_epi16(127));
    return _mm256_srli_epi16(_mm256_mulhi_epu16(x, _mm256_set1_epi16(int16_t(0x8081))), 7);
}

// `a` holds each pixel's source alpha in all four of its words.
template <int Mode>
QUOR_AVX2 inline __m256i Blend4(__m256i s, __m256i d, __m256i a) {
    if constexpr (Mode == 1) {
        return s;
    } else {
        const __m256i c255 = _mm256_set1_epi16(255);
        if constexpr (Mode == 2) {
            return Div255x16(
                _mm256_add_epi16(_mm256_mullo_epi16(s, a), _mm256_mullo_epi16(d, _mm256_sub_epi16(c255, a))));
        } else if constexpr (Mode == 3) {
            return _mm256_min_epi16(_mm256_add_epi16(d, Div255x16(_mm256_mullo_epi16(s, a))), c255);
        } else if constexpr (Mode == 4) {
            return Div255x16(_mm256_mullo_epi16(d, _mm256_sub_epi16(c255, a)));
        } else if constexpr (Mode == 5) {
            return Div255x16(_mm256_mullo_epi16(s, _mm256_sub_epi16(c255, d)));
        } else {
            return _mm256_min_epi16(
                _mm256_add_epi16(Div255x16(_mm256_mullo_epi16(s, d)), Div255x16(_mm256_mullo_epi16(d, a))),
                c255);
        }
    }
}

QUOR_AVX2 inline __m256i AlphaWords(__m256i s) {
    return _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(s, 0xFF), 0xFF);
}

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
    const __m256i zero = _mm256_setzero_si256();
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(dst));
    __m256i out;
    if constexpr (Mod == 2) {
        // The modulated alpha of each pixel in the low word of its lane.
        const __m256i a32 = Div255x16(_mm256_mullo_epi16(_mm256_srli_epi32(texel, 24), color));
        if constexpr (Mode == 1) {
            out = _mm256_blendv_epi8(texel, _mm256_slli_epi32(a32, 24), _mm256_set1_epi32(int(0xFF000000u)));
        } else {
            const __m256i pickLo = _mm256_setr_epi8(0, -1, 0, -1, 0, -1, 0, -1, 4, -1, 4, -1, 4, -1, 4, -1, 0,
                                                    -1, 0, -1, 0, -1, 0, -1, 4, -1, 4, -1, 4, -1, 4, -1);
            const __m256i pickHi =
                _mm256_setr_epi8(8, -1, 8, -1, 8, -1, 8, -1, 12, -1, 12, -1, 12, -1, 12, -1, 8, -1, 8, -1, 8,
                                 -1, 8, -1, 12, -1, 12, -1, 12, -1, 12, -1);
            out = _mm256_packus_epi16(
                Blend4<Mode>(_mm256_unpacklo_epi8(texel, zero), _mm256_unpacklo_epi8(d, zero),
                             _mm256_shuffle_epi8(a32, pickLo)),
                Blend4<Mode>(_mm256_unpackhi_epi8(texel, zero), _mm256_unpackhi_epi8(d, zero),
                             _mm256_shuffle_epi8(a32, pickHi)));
        }
    } else {
        __m256i slo = _mm256_unpacklo_epi8(texel, zero);
        __m256i shi = _mm256_unpackhi_epi8(texel, zero);
        if constexpr (Mod == 1) {
            slo = Div255x16(_mm256_mullo_epi16(slo, _mm256_unpacklo_epi8(color, zero)));
            shi = Div255x16(_mm256_mullo_epi16(shi, _mm256_unpackhi_epi8(color, zero)));
        }
        if constexpr (Mode == 1) {
            out = _mm256_packus_epi16(slo, shi);
        } else {
            out = _mm256_packus_epi16(Blend4<Mode>(slo, _mm256_unpacklo_epi8(d, zero), AlphaWords(slo)),
                                      Blend4<Mode>(shi, _mm256_unpackhi_epi8(d, zero), AlphaWords(shi)));
        }
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
QUOR_AVX2 void SpanFastAvx2(const Context& c, int y, int xs, int xe) {
    plat::Surface& s = *c.target->surface;
    uint32_t* row = s.Row(y);
    float* zrow = ZTest ? c.target->zbuffer + size_t(y) * size_t(s.width) : nullptr;
    const double px = xs + 0.5, py = y + 0.5;
    // u and v at the first pixel in 16.16, both at once: FloorToInt32(plane.At(px, py) * 65536).
    __m128d uv = _mm_add_pd(
        _mm_add_pd(_mm_loadu_pd(c.step.uvc), _mm_mul_pd(_mm_loadu_pd(c.step.uvdx), _mm_set1_pd(px))),
        _mm_mul_pd(_mm_loadu_pd(c.step.uvdy), _mm_set1_pd(py)));
    uv = _mm_mul_pd(uv, _mm_set1_pd(65536.0));
    uv = _mm_floor_pd(_mm_min_pd(_mm_max_pd(uv, _mm_set1_pd(-2147483000.0)), _mm_set1_pd(2147483000.0)));
    const __m256i uvf = _mm256_castsi128_si256(_mm_cvttpd_epi32(uv));
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

#define QUOR_AVX2_ROW(M)                                                                        \
    {                                                                                           \
        {&SpanFastAvx2<M, false, 0>, &SpanFastAvx2<M, false, 1>, &SpanFastAvx2<M, false, 2>}, { \
            &SpanFastAvx2<M, true, 0>, &SpanFastAvx2<M, true, 1>, &SpanFastAvx2<M, true, 2>     \
        }                                                                                       \
    }

bool HasAvx2() {
    if (g_maxLanes < 8) return false;
    static const bool yes = [] {
        if (const char* off = std::getenv("QUOR_RASTER_NO_AVX2"); off && *off && *off != '0') return false;
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return yes;
}
// Sixteen pixels at a time, for processors with AVX-512 (byte and word instructions).
#define QUOR_AVX512 __attribute__((target("avx512f,avx512bw")))

QUOR_AVX512 inline __m512i Div255x32(__m512i x) {
    x = _mm512_add_epi16(x, _mm512_set1_epi16(127));
    return _mm512_srli_epi16(_mm512_mulhi_epu16(x, _mm512_set1_epi16(int16_t(0x8081))), 7);
}

template <int Mode>
QUOR_AVX512 inline __m512i Blend8(__m512i s, __m512i d) {
    if constexpr (Mode == 1) {
        return s;
    } else {
        const __m512i c255 = _mm512_set1_epi16(255);
        __m512i a = _mm512_shufflehi_epi16(_mm512_shufflelo_epi16(s, 0xFF), 0xFF);
        if constexpr (Mode == 2) {
            return Div255x32(
                _mm512_add_epi16(_mm512_mullo_epi16(s, a), _mm512_mullo_epi16(d, _mm512_sub_epi16(c255, a))));
        } else if constexpr (Mode == 3) {
            return _mm512_min_epi16(_mm512_add_epi16(d, Div255x32(_mm512_mullo_epi16(s, a))), c255);
        } else if constexpr (Mode == 4) {
            return Div255x32(_mm512_mullo_epi16(d, _mm512_sub_epi16(c255, a)));
        } else if constexpr (Mode == 5) {
            return Div255x32(_mm512_mullo_epi16(s, _mm512_sub_epi16(c255, d)));
        } else {
            return _mm512_min_epi16(
                _mm512_add_epi16(Div255x32(_mm512_mullo_epi16(s, d)), Div255x32(_mm512_mullo_epi16(d, a))),
                c255);
        }
    }
}

template <int Mode, bool ZTest, bool Mod>
QUOR_AVX512 void SpanFastAvx512(const Context& c, int y, int xs, int xe) {
    plat::Surface& s = *c.target->surface;
    uint32_t* row = s.Row(y);
    float* zrow = ZTest ? c.target->zbuffer + size_t(y) * size_t(s.width) : nullptr;
    const double px = xs + 0.5, py = y + 0.5;
    // u and v at the first pixel in 16.16, both at once: FloorToInt32(plane.At(px, py) * 65536).
    __m128d uv = _mm_add_pd(
        _mm_add_pd(_mm_loadu_pd(c.step.uvc), _mm_mul_pd(_mm_loadu_pd(c.step.uvdx), _mm_set1_pd(px))),
        _mm_mul_pd(_mm_loadu_pd(c.step.uvdy), _mm_set1_pd(py)));
    uv = _mm_mul_pd(uv, _mm_set1_pd(65536.0));
    uv = _mm_floor_pd(_mm_min_pd(_mm_max_pd(uv, _mm_set1_pd(-2147483000.0)), _mm_set1_pd(2147483000.0)));
    const __m128i uvf = _mm_cvttpd_epi32(uv);
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
        __m512i slo = _mm512_unpacklo_epi8(t, zero);
        __m512i shi = _mm512_unpackhi_epi8(t, zero);
        if constexpr (Mod) {
            slo = Div255x32(_mm512_mullo_epi16(slo, colorLo));
            shi = Div255x32(_mm512_mullo_epi16(shi, colorHi));
        }
        __m512i out;
        if constexpr (Mode == 1) {
            out = _mm512_packus_epi16(slo, shi);
        } else {
            out = _mm512_packus_epi16(Blend8<Mode>(slo, _mm512_unpacklo_epi8(d, zero)),
                                      Blend8<Mode>(shi, _mm512_unpackhi_epi8(d, zero)));
            out = _mm512_mask_blend_epi8(alphaBytes, out, d);
        }
        _mm512_mask_storeu_epi32(row + x, live, out);
    }
}

#define QUOR_AVX512_ROW(M)                                                     \
    {                                                                          \
        {&SpanFastAvx512<M, false, false>, &SpanFastAvx512<M, false, true>}, { \
            &SpanFastAvx512<M, true, false>, &SpanFastAvx512<M, true, true>    \
        }                                                                      \
    }

bool HasAvx512() {
    if (g_maxLanes < 16) return false;
    static const bool yes = [] {
        if (const char* off = std::getenv("QUOR_RASTER_NO_AVX512"); off && *off && *off != '0') return false;
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx512f") != 0 && __builtin_cpu_supports("avx512bw") != 0;
    }();
    return yes;
}
#endif

#define QUOR_FAST_ROW(M)                                           \
    {                                                              \
        {&SpanFast<M, false, false>, &SpanFast<M, false, true>}, { \
            &SpanFast<M, true, false>, &SpanFast<M, true, true>    \
        }                                                          \
    }

SpanFn PickFast(int mode, bool zTest, uint32_t color) {
    const bool modulate = color != 0xFFFFFFFFu;
#if defined(QUOR_HAVE_AVX2_PATH)
    if (HasAvx512()) {
        static constexpr SpanFn widest[6][2][2] = {QUOR_AVX512_ROW(1), QUOR_AVX512_ROW(2),
                                                   QUOR_AVX512_ROW(3), QUOR_AVX512_ROW(4),
                                                   QUOR_AVX512_ROW(5), QUOR_AVX512_ROW(6)};
        return widest[mode - 1][zTest ? 1 : 0][modulate ? 1 : 0];
    }
    if (HasAvx2()) {
        static constexpr SpanFn wide[6][2][3] = {QUOR_AVX2_ROW(1), QUOR_AVX2_ROW(2), QUOR_AVX2_ROW(3),
                                                 QUOR_AVX2_ROW(4), QUOR_AVX2_ROW(5), QUOR_AVX2_ROW(6)};
        const int mod = !modulate ? 0 : (color & 0x00FFFFFFu) == 0x00FFFFFFu ? 2 : 1;
        return wide[mode - 1][zTest ? 1 : 0][mod];
    }
#endif
    static constexpr SpanFn table[6][2][2] = {QUOR_FAST_ROW(1), QUOR_FAST_ROW(2), QUOR_FAST_ROW(3),
                                              QUOR_FAST_ROW(4), QUOR_FAST_ROW(5), QUOR_FAST_ROW(6)};
    return table[mode - 1][zTest ? 1 : 0][modulate ? 1 : 0];
}
#undef QUOR_FAST_ROW

SpanFn PickGeneric(int mode, bool zTest) {
    static constexpr SpanFn table[6][2] = {
        {&SpanGeneric<1, false>, &SpanGeneric<1, true>}, {&SpanGeneric<2, false>, &SpanGeneric<2, true>},
        {&SpanGeneric<3, false>, &SpanGeneric<3, true>}, {&SpanGeneric<4, false>, &SpanGeneric<4, true>},
        {&SpanGeneric<5, false>, &SpanGeneric<5, true>}, {&SpanGeneric<6, false>, &SpanGeneric<6, true>},
    };
    return table[mode - 1][zTest ? 1 : 0];
}

#else  // no SSE2: one pixel at a time

inline uint32_t Modulate(uint32_t t, uint32_t col) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        out |= uint32_t(Div255(int((t >> shift) & 0xFF) * int((col >> shift) & 0xFF))) << shift;
    }
    return out;
}

void SpanScalar(const Context& c, int y, int xs, int xe) {
    plat::Surface& s = *c.target->surface;
    uint32_t* row = s.Row(y);
    float* zrow =
        c.state->zEnable && c.target->zbuffer ? c.target->zbuffer + size_t(y) * size_t(s.width) : nullptr;
    const double py = y + 0.5;
    for (int x = xs; x < xe; ++x) {
        double px = x + 0.5;
        float u, v;
        if (c.affine) {
            u = float(c.u.At(px, py));
            v = float(c.v.At(px, py));
        } else {
            double q = c.rhw.At(px, py);
            if (q <= 0.0) q = 1e-30;
            u = float(c.u.At(px, py) / q);
            v = float(c.v.At(px, py) / q);
        }
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

SpanFn PickSpan(const Context& c) {
    const bool zTest = c.state->zEnable && c.target->zbuffer != nullptr;
#if defined(__SSE2__)
    if (c.textured && c.affine && c.pow2 && c.fixedOk && c.filter == Filter::Point && c.constColor) {
        return PickFast(c.mode, zTest, c.color);
    }
    return PickGeneric(c.mode, zTest);
#else
    (void)zTest;
    return &SpanScalar;
#endif
}

Plane MakePlane(const ScreenVertex& p0, const ScreenVertex& p1, const ScreenVertex& p2, double a0, double a1,
                double a2, double inv) {
    Plane pl;
    pl.dx = ((a1 - a0) * (p2.y - p0.y) - (a2 - a0) * (p1.y - p0.y)) * inv;
    pl.dy = ((a2 - a0) * (p1.x - p0.x) - (a1 - a0) * (p2.x - p0.x)) * inv;
    pl.c = a0 - pl.dx * p0.x - pl.dy * p0.y;
    return pl;
}

struct Setup {
    const State* state;
    const Target* target;
    const Texture* texture;
    int mode;
    uint32_t key;
};

void FillContext(Context& c, const Setup& su, const ScreenVertex& p0, const ScreenVertex& p1,
                 const ScreenVertex& p2, double area2) {
    const State& st = *su.state;
    c.state = su.state;
    c.target = su.target;
    c.mode = su.mode;
    c.key = su.key;
    const Texture* tx = su.texture;
    c.textured = tx && tx->pixels && tx->width > 0 && tx->height > 0;
    c.texels = c.textured ? tx->pixels : nullptr;
    c.texWidth = c.textured ? tx->width : 1;
    c.texHeight = c.textured ? tx->height : 1;
    c.pow2 = c.textured && (c.texWidth & (c.texWidth - 1)) == 0 && (c.texHeight & (c.texHeight - 1)) == 0 &&
             c.texWidth <= 16384 && c.texHeight <= 16384;
    c.wMask = c.texWidth - 1;
    c.hMask = c.texHeight - 1;
    c.wShift = 0;
    while ((1 << c.wShift) < c.texWidth) ++c.wShift;

    const double inv = 1.0 / area2;
    const double tw = c.texWidth, th = c.texHeight;
    // Constant w across the triangle (a square facing the camera) is textured exactly without
    // the per-pixel divide.
    const float rmax = std::max({p0.rhw, p1.rhw, p2.rhw});
    const float rmin = std::min({p0.rhw, p1.rhw, p2.rhw});
    c.affine = !st.perspective || (rmax - rmin) <= rmax * 1e-6f;
    c.z = MakePlane(p0, p1, p2, p0.z, p1.z, p2.z, inv);
    c.rhw = MakePlane(p0, p1, p2, p0.rhw, p1.rhw, p2.rhw, inv);
    if (c.affine) {
        c.u = MakePlane(p0, p1, p2, p0.u * tw, p1.u * tw, p2.u * tw, inv);
        c.v = MakePlane(p0, p1, p2, p0.v * th, p1.v * th, p2.v * th, inv);
    } else {
        c.u = MakePlane(p0, p1, p2, double(p0.u) * tw * p0.rhw, double(p1.u) * tw * p1.rhw,
                        double(p2.u) * tw * p2.rhw, inv);
        c.v = MakePlane(p0, p1, p2, double(p0.v) * th * p0.rhw, double(p1.v) * th * p1.rhw,
                        double(p2.v) * th * p2.rhw, inv);
    }
    // Texel coordinates too large for 16.16 fixed point take the general path.
    const float umax = std::max({std::fabs(p0.u), std::fabs(p1.u), std::fabs(p2.u)}) * float(tw);
    const float vmax = std::max({std::fabs(p0.v), std::fabs(p1.v), std::fabs(p2.v)}) * float(th);
    c.fixedOk = umax <= 16384.0f && vmax <= 16384.0f;
    if (c.affine && c.fixedOk) {
        const uint32_t du = uint32_t(FloorToInt32(c.u.dx * 65536.0 + 0.5));
        const uint32_t dv = uint32_t(FloorToInt32(c.v.dx * 65536.0 + 0.5));
        const float dz = float(c.z.dx);
        for (int k = 0; k <= 16; ++k) {
            c.step.u[k] = int32_t(du * uint32_t(k));
            c.step.v[k] = int32_t(dv * uint32_t(k));
            c.step.z[k] = dz * float(k);
        }
        c.step.uvc[0] = c.u.c, c.step.uvc[1] = c.v.c;
        c.step.uvdx[0] = c.u.dx, c.step.uvdx[1] = c.v.dx;
        c.step.uvdy[0] = c.u.dy, c.step.uvdy[1] = c.v.dy;
    }

    // Minification when one pixel covers more than one texel.
    const double texArea = std::fabs((double(p1.u) - p0.u) * tw * (double(p2.v) - p0.v) * th -
                                     (double(p2.u) - p0.u) * tw * (double(p1.v) - p0.v) * th);
    c.filter = texArea > std::fabs(area2) ? st.minFilter : st.magFilter;

    auto packed = [&](const ScreenVertex& p) {
        auto ch = [](float f) { return uint32_t(std::clamp(f, 0.0f, 255.0f) + 0.5f); };
        uint32_t a = st.textureAlphaOnly ? 255u : ch(p.a);
        return (a << 24) | (ch(p.r) << 16) | (ch(p.g) << 8) | ch(p.b);
    };
    const uint32_t c0 = packed(p0);
    c.constColor = c0 == packed(p1) && c0 == packed(p2);
    c.color = c0;
    if (!c.constColor) {
        c.r = MakePlane(p0, p1, p2, p0.r, p1.r, p2.r, inv);
        c.g = MakePlane(p0, p1, p2, p0.g, p1.g, p2.g, inv);
        c.b = MakePlane(p0, p1, p2, p0.b, p1.b, p2.b, inv);
        c.a = MakePlane(p0, p1, p2, p0.a, p1.a, p2.a, inv);
    }
}

// Fills a convex polygon (3 or 4 vertices) with one span per row. Each edge is evaluated as
// x = x0 + (y - y0) * slope from its upper end, the same way whichever polygon it belongs to,
// so polygons that share an edge neither overlap nor leave gaps along it.
void FillConvex(const Context& c, SpanFn span, const ScreenVertex* const* p, int n) {
    const Target& tg = *c.target;
    struct Edge {
        double x0, y0, y1, slope;
    } edges[4];
    int m = 0;
    double ymin = p[0]->y, ymax = p[0]->y;
    for (int i = 0; i < n; ++i) {
        const ScreenVertex* a = p[i];
        const ScreenVertex* b = p[(i + 1) % n];
        ymin = std::min(ymin, a->y);
        ymax = std::max(ymax, a->y);
        if (a->y == b->y) continue;
        if (b->y < a->y) std::swap(a, b);
        edges[m++] = {a->x, a->y, b->y, (b->x - a->x) / (b->y - a->y)};
    }
    const int ys = std::max(tg.clipTop, CeilToInt(ymin - 0.5));
    const int ye = std::min(tg.clipBottom, CeilToInt(ymax - 0.5));
    for (int y = ys; y < ye; ++y) {
        const double yc = y + 0.5;
        double xl = 0, xr = 0;
        bool any = false;
        for (int i = 0; i < m; ++i) {
            const Edge& e = edges[i];
            if (yc < e.y0 || yc >= e.y1) continue;
            const double x = e.x0 + (yc - e.y0) * e.slope;
            if (!any) {
                xl = xr = x;
                any = true;
            } else {
                xl = std::min(xl, x);
                xr = std::max(xr, x);
            }
        }
        if (!any) continue;
        const int xs = std::max(tg.clipLeft, CeilToInt(xl - 0.5));
        const int xe = std::min(tg.clipRight, CeilToInt(xr - 0.5));
        if (xs < xe) span(c, y, xs, xe);
    }
}

void FillTriangle(const Setup& su, const ScreenVertex& p0, const ScreenVertex& p1, const ScreenVertex& p2,
                  double area2) {
    Context c;
    FillContext(c, su, p0, p1, p2, area2);
    const ScreenVertex* v[3] = {&p0, &p1, &p2};
    FillConvex(c, PickSpan(c), v, 3);
}

// Wireframe and point fill: single pixels shaded with the triangle's attributes.
void PlotPixel(const Context& c, SpanFn span, int x, int y) {
    const Target& tg = *c.target;
    if (x < tg.clipLeft || x >= tg.clipRight || y < tg.clipTop || y >= tg.clipBottom) return;
    span(c, y, x, x + 1);
}

void PlotLine(const Context& c, SpanFn span, const ScreenVertex& a, const ScreenVertex& b) {
    int x0 = FloorToInt(float(a.x)), y0 = FloorToInt(float(a.y));
    const int x1 = FloorToInt(float(b.x)), y1 = FloorToInt(float(b.y));
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        PlotPixel(c, span, x0, y0);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void OutlineTriangle(const Setup& su, const ScreenVertex& p0, const ScreenVertex& p1, const ScreenVertex& p2,
                     double area2) {
    Context c;
    FillContext(c, su, p0, p1, p2, area2);
    const SpanFn span = PickSpan(c);
    if (su.state->fill == Fill::Points) {
        for (const ScreenVertex* p : {&p0, &p1, &p2}) {
            PlotPixel(c, span, FloorToInt(float(p->x)), FloorToInt(float(p->y)));
        }
        return;
    }
    PlotLine(c, span, p0, p1);
    PlotLine(c, span, p1, p2);
    PlotLine(c, span, p2, p0);
}

}  // namespace

int LimitVectorWidth(int lanes) {
    g_maxLanes = lanes;
#if defined(QUOR_HAVE_AVX2_PATH)
    if (HasAvx512()) return 16;
    if (HasAvx2()) return 8;
#endif
#if defined(__SSE2__)
    return 4;
#else
    return 1;
#endif
}

uint32_t BlendPixel(int mode, bool blending, uint32_t s, uint32_t d) {
    if (!blending || mode < 2 || mode > 6) return s;
    const int a = int(s >> 24);
    uint32_t out = d & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const int sc = int((s >> shift) & 0xFF), dc = int((d >> shift) & 0xFF);
        int r = 0;
        switch (mode) {
            case 2:
                r = Div255(sc * a + dc * (255 - a));
                break;
            case 3:
                r = std::min(255, dc + Div255(sc * a));
                break;
            case 4:
                r = Div255(dc * (255 - a));
                break;
            case 5:
                r = Div255(sc * (255 - dc));
                break;
            default:
                r = std::min(255, Div255(sc * dc) + Div255(dc * a));
                break;
        }
        out |= uint32_t(r) << shift;
    }
    return out;
}

namespace {

// The target cut to its surface; false when nothing can be drawn.
bool PrepareTarget(const Target& target, const Viewport& vp, Target& tg) {
    if (!target.surface || target.surface->Empty()) return false;
    tg = target;
    tg.clipLeft = std::max(tg.clipLeft, 0);
    tg.clipTop = std::max(tg.clipTop, 0);
    tg.clipRight = std::min(tg.clipRight, tg.surface->width);
    tg.clipBottom = std::min(tg.clipBottom, tg.surface->height);
    if (tg.clipLeft >= tg.clipRight || tg.clipTop >= tg.clipBottom) return false;
    return vp.width > 0.0f && vp.height > 0.0f;
}

bool Finite(const Vertex& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) && std::isfinite(p.w) &&
           std::isfinite(p.u) && std::isfinite(p.v);
}

Setup MakeSetup(const State& state, const Target& tg, const Texture* texture) {
    Setup su;
    su.state = &state;
    su.target = &tg;
    su.texture = texture;
    su.mode = state.blending && state.blendMode >= 2 && state.blendMode <= 6 ? state.blendMode : 1;
    su.key = state.colorKey && texture ? (texture->key & 0x00FFFFFFu) : kNoKey;
    return su;
}

}  // namespace

void DrawQuad(const Target& target, const Viewport& vp, const State& state, const Texture* texture,
              const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
    // The two triangles the quad stands for: (a, b, d) and (d, b, c).
    auto asTriangles = [&] {
        DrawTriangle(target, vp, state, texture, a, b, d);
        DrawTriangle(target, vp, state, texture, d, b, c);
    };
    Target tg;
    if (!PrepareTarget(target, vp, tg)) return;
    if (!Finite(a) || !Finite(b) || !Finite(c) || !Finite(d)) return;
    if (state.fill != Fill::Solid || a.color != b.color || a.color != c.color || a.color != d.color) {
        return asTriangles();
    }
    const float hw = vp.width * 0.5f, hh = vp.height * 0.5f;
    const float gx = std::max(1.0f, kGuardPixels / hw);
    const float gy = std::max(1.0f, kGuardPixels / hh);
    const Vertex* in[4] = {&a, &b, &c, &d};
    ScreenVertex sv[4];
    for (int i = 0; i < 4; ++i) {
        const ClipVertex p = FromVertex(*in[i]);
        if (OutCode(p, gx, gy) != 0) return asTriangles();
        const float rhw = 1.0f / p.w;
        sv[i] = {(double(p.x) * rhw + 1.0) * hw + vp.left,
                 (1.0 - double(p.y) * rhw) * hh + vp.top,
                 p.z * rhw,
                 rhw,
                 p.u,
                 p.v,
                 p.r,
                 p.g,
                 p.b,
                 p.a};
    }
    // Convex, with all corners turning the same way.
    double area2 = 0;
    for (int i = 0; i < 4; ++i) {
        const ScreenVertex& p = sv[i];
        const ScreenVertex& q = sv[(i + 1) % 4];
        const ScreenVertex& r = sv[(i + 2) % 4];
        const double turn = (q.x - p.x) * (r.y - p.y) - (r.x - p.x) * (q.y - p.y);
        if (i == 0) area2 = turn;
        if (turn == 0.0 || !std::isfinite(turn) || (turn > 0) != (area2 > 0)) return asTriangles();
    }
    if (state.cullCounterClockwise && area2 < 0.0) return;  // both halves face away
    const Setup su = MakeSetup(state, tg, texture);
    Context ctx;
    const double a2 = (sv[1].x - sv[0].x) * (sv[3].y - sv[0].y) - (sv[3].x - sv[0].x) * (sv[1].y - sv[0].y);
    FillContext(ctx, su, sv[0], sv[1], sv[3], a2);
    // One set of planes must fit the fourth corner too (a flat, evenly mapped quad).
    const ScreenVertex& q = sv[2];
    const double tw = ctx.texWidth, th = ctx.texHeight;
    if (!ctx.affine || std::fabs(ctx.u.At(q.x, q.y) - q.u * tw) > 1e-3 ||
        std::fabs(ctx.v.At(q.x, q.y) - q.v * th) > 1e-3 || std::fabs(ctx.z.At(q.x, q.y) - q.z) > 1e-6) {
        return asTriangles();
    }
    const ScreenVertex* poly[4] = {&sv[0], &sv[1], &sv[2], &sv[3]};
    FillConvex(ctx, PickSpan(ctx), poly, 4);
}

void DrawTriangle(const Target& target, const Viewport& vp, const State& state, const Texture* texture,
                  const Vertex& a, const Vertex& b, const Vertex& c) {
    Target tg;
    if (!PrepareTarget(target, vp, tg)) return;
    if (!Finite(a) || !Finite(b) || !Finite(c)) return;

    const float hw = vp.width * 0.5f, hh = vp.height * 0.5f;
    const float gx = std::max(1.0f, kGuardPixels / hw);
    const float gy = std::max(1.0f, kGuardPixels / hh);

    ClipVertex bufA[16], bufB[16];
    bufA[0] = FromVertex(a);
    bufA[1] = FromVertex(b);
    bufA[2] = FromVertex(c);
    if (!state.gouraud) {
        // Flat shading: the first vertex colours the whole triangle.
        for (int i = 1; i < 3; ++i) {
            bufA[i].r = bufA[0].r;
            bufA[i].g = bufA[0].g;
            bufA[i].b = bufA[0].b;
            bufA[i].a = bufA[0].a;
        }
    }
    int n = 3;
    const int c0 = OutCode(bufA[0], gx, gy), c1 = OutCode(bufA[1], gx, gy), c2 = OutCode(bufA[2], gx, gy);
    if (c0 & c1 & c2) return;
    ClipVertex* poly = bufA;
    if (c0 | c1 | c2) {
        ClipVertex* src = bufA;
        ClipVertex* dst = bufB;
        const int codes = c0 | c1 | c2;
        for (int plane = 0; plane < kPlaneCount && n >= 3; ++plane) {
            if (!(codes & (1 << plane))) continue;
            n = ClipAgainst(src, n, dst, plane, gx, gy);
            std::swap(src, dst);
        }
        poly = src;
        if (n < 3) return;
    }

    ScreenVertex sv[16];
    for (int i = 0; i < n; ++i) {
        const ClipVertex& p = poly[i];
        const float rhw = 1.0f / p.w;
        sv[i] = {(double(p.x) * rhw + 1.0) * hw + vp.left,
                 (1.0 - double(p.y) * rhw) * hh + vp.top,
                 p.z * rhw,
                 rhw,
                 p.u,
                 p.v,
                 p.r,
                 p.g,
                 p.b,
                 p.a};
    }

    const Setup su = MakeSetup(state, tg, texture);
    for (int i = 1; i + 1 < n; ++i) {
        const ScreenVertex& p0 = sv[0];
        const ScreenVertex& p1 = sv[i];
        const ScreenVertex& p2 = sv[i + 1];
        const double area2 = (p1.x - p0.x) * (p2.y - p0.y) - (p2.x - p0.x) * (p1.y - p0.y);
        if (area2 == 0.0 || !std::isfinite(area2)) continue;
        // With y growing downward a positive area is clockwise on screen.
        if (state.cullCounterClockwise && area2 < 0.0) continue;
        if (state.fill == Fill::Solid) {
            FillTriangle(su, p0, p1, p2, area2);
        } else {
            OutlineTriangle(su, p0, p1, p2, area2);
        }
    }
}

}  // namespace elRaster
