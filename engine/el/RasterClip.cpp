#include "engine/el/RasterClip.h"

#include <algorithm>
#include <utility>

namespace elRaster::detail {
namespace {

// Triangles are clipped to a guard band this far around the viewport centre (in pixels).
constexpr float kGuardPixels = 4096.0f;
// Vertices closer to the eye than this w are cut off, so the divide by w stays finite.
constexpr float kMinW = 1e-6f;
constexpr int kPlaneCount = 7;

ClipVertex Lerp(const ClipVertex& p, const ClipVertex& q, float t) {
    auto l = [t](float a, float b) { return a + (b - a) * t; };
    return {l(p.x, q.x), l(p.y, q.y), l(p.z, q.z), l(p.w, q.w), l(p.u, q.u),
            l(p.v, q.v), l(p.r, q.r), l(p.g, q.g), l(p.b, q.b), l(p.a, q.a)};
}

}  // namespace

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

ClipSpace::ClipSpace(const Viewport& viewport)
    : viewport_(viewport), halfWidth_(viewport.width * 0.5f), halfHeight_(viewport.height * 0.5f) {
    guardX_ = std::max(1.0f, kGuardPixels / halfWidth_);
    guardY_ = std::max(1.0f, kGuardPixels / halfHeight_);
}

float ClipSpace::PlaneDistance(const ClipVertex& p, int plane) const {
    switch (plane) {
        case 0:
            return p.w - kMinW;
        case 1:
            return p.z;
        case 2:
            return p.w - p.z;
        case 3:
            return p.x + guardX_ * p.w;
        case 4:
            return guardX_ * p.w - p.x;
        case 5:
            return p.y + guardY_ * p.w;
        default:
            return guardY_ * p.w - p.y;
    }
}

int ClipSpace::OutCode(const ClipVertex& p) const {
    int code = 0;
    for (int i = 0; i < kPlaneCount; ++i) {
        if (!(PlaneDistance(p, i) >= 0.0f)) code |= 1 << i;
    }
    return code;
}

int ClipSpace::Clip(ClipVertex*& poly, ClipVertex* scratch, int n, int codes) const {
    ClipVertex* src = poly;
    ClipVertex* dst = scratch;
    for (int plane = 0; plane < kPlaneCount && n >= 3; ++plane) {
        if (!(codes & (1 << plane))) continue;
        int m = 0;
        for (int i = 0; i < n; ++i) {
            const ClipVertex& p = src[i];
            const ClipVertex& q = src[(i + 1) % n];
            const float dp = PlaneDistance(p, plane);
            const float dq = PlaneDistance(q, plane);
            if (dp >= 0.0f) dst[m++] = p;
            if ((dp >= 0.0f) != (dq >= 0.0f)) dst[m++] = Lerp(p, q, dp / (dp - dq));
        }
        n = m;
        std::swap(src, dst);
    }
    poly = src;
    return n;
}

ScreenVertex ClipSpace::ToScreen(const ClipVertex& p) const {
    const float rhw = 1.0f / p.w;
    return {(double(p.x) * rhw + 1.0) * halfWidth_ + viewport_.left,
            (1.0 - double(p.y) * rhw) * halfHeight_ + viewport_.top,
            p.z * rhw,
            rhw,
            p.u,
            p.v,
            p.r,
            p.g,
            p.b,
            p.a};
}

}  // namespace elRaster::detail
