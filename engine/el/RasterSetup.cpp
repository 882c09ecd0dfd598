// Triangle set-up: the target cut to its surface, and each triangle's attributes as planes over
// the screen with the choices the span loops need (addressing, filter, fixed-point steps).
#include <algorithm>
#include <cmath>

#include "engine/el/RasterContext.h"

namespace elRaster::detail {
namespace {

Plane MakePlane(const ScreenVertex& p0, const ScreenVertex& p1, const ScreenVertex& p2, double a0, double a1,
                double a2, double inv) {
    Plane pl;
    pl.dx = ((a1 - a0) * (p2.y - p0.y) - (a2 - a0) * (p1.y - p0.y)) * inv;
    pl.dy = ((a2 - a0) * (p1.x - p0.x) - (a1 - a0) * (p2.x - p0.x)) * inv;
    pl.c = a0 - pl.dx * p0.x - pl.dy * p0.y;
    return pl;
}

}  // namespace

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

Setup MakeSetup(const State& state, const Target& tg, const Texture* texture) {
    Setup su;
    su.state = &state;
    su.target = &tg;
    su.texture = texture;
    su.mode = state.blending && state.blendMode >= 2 && state.blendMode <= 6 ? state.blendMode : 1;
    su.key = state.colorKey && texture ? (texture->key & 0x00FFFFFFu) : kNoKey;
    return su;
}

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

}  // namespace elRaster::detail
