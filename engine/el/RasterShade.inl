// The blend modes and the texel shading, written once over a "lanes" type and compiled for each
// instruction set. An includer defines QUOR_RASTER_TARGET (the function attribute of its
// instruction set, or nothing), QUOR_RASTER_ISA (the name of the namespace its copy lives in) and
// a lanes type V of 16-bit words (one pixel's channel each, or
// a vector of them) with these static functions:
//   Set(int) Add Sub MulLo MulHi (unsigned high half) Min ShiftRight7
// and, for the vector types, the pixel layout:
//   UnpackLo UnpackHi (bytes of 32-bit pixels to words) Pack (back, saturating) AlphaWords (each
//   pixel's alpha word copied to its four words).
// Each instruction set keeps its own copy in its own namespace (elRaster::detail::avx2, ...),
// so the copies may meet in one translation unit.
#if !defined(QUOR_RASTER_TARGET) || !defined(QUOR_RASTER_ISA)
#error "define QUOR_RASTER_TARGET and QUOR_RASTER_ISA before including RasterShade.inl"
#endif

namespace elRaster::detail::QUOR_RASTER_ISA {
namespace {

// round(x / 255) for x up to 255 * 255: floor((x + 127) / 255) by a multiply-high.
template <class V>
QUOR_RASTER_TARGET inline typename V::Words Div255(typename V::Words x) {
    return V::ShiftRight7(V::MulHi(V::Add(x, V::Set(127)), V::Set(0x8081)));
}

// Blend mode `Mode` (1 opaque .. 6 multiply) of source words onto destination words; `a` holds
// the source alpha in every word of its pixel.
template <class V, int Mode>
QUOR_RASTER_TARGET inline typename V::Words Blend(typename V::Words s, typename V::Words d,
                                                  typename V::Words a) {
    if constexpr (Mode == 1) {
        return s;
    } else {
        const typename V::Words c255 = V::Set(255);
        if constexpr (Mode == 2) {  // source over destination by alpha
            return Div255<V>(V::Add(V::MulLo(s, a), V::MulLo(d, V::Sub(c255, a))));
        } else if constexpr (Mode == 3) {  // added by alpha
            return V::Min(V::Add(d, Div255<V>(V::MulLo(s, a))), c255);
        } else if constexpr (Mode == 4) {  // destination darkened by the alpha
            return Div255<V>(V::MulLo(d, V::Sub(c255, a)));
        } else if constexpr (Mode == 5) {  // source times the inverted destination
            return Div255<V>(V::MulLo(s, V::Sub(c255, d)));
        } else {  // multiply, plus the destination by alpha
            return V::Min(V::Add(Div255<V>(V::MulLo(s, d)), Div255<V>(V::MulLo(d, a))), c255);
        }
    }
}

// Texels modulated (with Mod) by a colour given as its low and high words, then blended onto
// the destination pixels; every lane is computed, the caller keeps the ones to draw.
template <class V, int Mode, bool Mod>
QUOR_RASTER_TARGET inline typename V::Words ShadeTexels(typename V::Words texel, typename V::Words colorLo,
                                                        typename V::Words colorHi, typename V::Words dst) {
    typename V::Words slo = V::UnpackLo(texel);
    typename V::Words shi = V::UnpackHi(texel);
    if constexpr (Mod) {
        slo = Div255<V>(V::MulLo(slo, colorLo));
        shi = Div255<V>(V::MulLo(shi, colorHi));
    }
    if constexpr (Mode == 1) {
        return V::Pack(slo, shi);
    } else {
        return V::Pack(Blend<V, Mode>(slo, V::UnpackLo(dst), V::AlphaWords(slo)),
                       Blend<V, Mode>(shi, V::UnpackHi(dst), V::AlphaWords(shi)));
    }
}

}  // namespace
}  // namespace elRaster::detail::QUOR_RASTER_ISA

#undef QUOR_RASTER_TARGET
#undef QUOR_RASTER_ISA
