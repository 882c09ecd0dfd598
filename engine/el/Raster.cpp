// The rasteriser's entry points and scan conversion: triangles and quads are clipped, set up
// and cut into spans, which the span loops shade.
#include "engine/el/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/el/RasterClip.h"
#include "engine/el/RasterContext.h"

namespace elRaster {

// The stages: clipping, set-up and the span loops.
using namespace detail;

namespace {

// Twice the signed area of the triangle p-q-r; positive when it turns clockwise on screen (y grows
// downward).
double DoubledArea(const ScreenVertex& p, const ScreenVertex& q, const ScreenVertex& r) {
    return (q.x - p.x) * (r.y - p.y) - (r.x - p.x) * (q.y - p.y);
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

bool Finite(const Vertex& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z) && std::isfinite(p.w) &&
           std::isfinite(p.u) && std::isfinite(p.v);
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
    const ClipSpace space(vp);
    const Vertex* in[4] = {&a, &b, &c, &d};
    ScreenVertex sv[4];
    for (int i = 0; i < 4; ++i) {
        const ClipVertex p = FromVertex(*in[i]);
        if (space.OutCode(p) != 0) return asTriangles();
        sv[i] = space.ToScreen(p);
    }
    // Convex, with all corners turning the same way.
    double area2 = 0;
    for (int i = 0; i < 4; ++i) {
        const double turn = DoubledArea(sv[i], sv[(i + 1) % 4], sv[(i + 2) % 4]);
        if (i == 0) area2 = turn;
        if (turn == 0.0 || !std::isfinite(turn) || (turn > 0) != (area2 > 0)) return asTriangles();
    }
    if (state.cullCounterClockwise && area2 < 0.0) return;  // both halves face away
    const Setup su = MakeSetup(state, tg, texture);
    Context ctx;
    FillContext(ctx, su, sv[0], sv[1], sv[3], DoubledArea(sv[0], sv[1], sv[3]));
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

    const ClipSpace space(vp);
    ClipVertex bufA[kMaxClipVertices], bufB[kMaxClipVertices];
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
    const int c0 = space.OutCode(bufA[0]), c1 = space.OutCode(bufA[1]), c2 = space.OutCode(bufA[2]);
    if (c0 & c1 & c2) return;
    ClipVertex* poly = bufA;
    const int n = space.Clip(poly, bufB, 3, c0 | c1 | c2);
    if (n < 3) return;

    ScreenVertex sv[kMaxClipVertices];
    for (int i = 0; i < n; ++i) sv[i] = space.ToScreen(poly[i]);

    const Setup su = MakeSetup(state, tg, texture);
    for (int i = 1; i + 1 < n; ++i) {
        const ScreenVertex& p0 = sv[0];
        const ScreenVertex& p1 = sv[i];
        const ScreenVertex& p2 = sv[i + 1];
        const double area2 = DoubledArea(p0, p1, p2);
        if (area2 == 0.0 || !std::isfinite(area2)) continue;
        if (state.cullCounterClockwise && area2 < 0.0) continue;
        if (state.fill == Fill::Solid) {
            FillTriangle(su, p0, p1, p2, area2);
        } else {
            OutlineTriangle(su, p0, p1, p2, area2);
        }
    }
}

}  // namespace elRaster
