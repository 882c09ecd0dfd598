#include "tools/gen/ObjectShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>

namespace gen {
namespace {

constexpr uint32_t kOutline = 0x2D1E08;

// Wood grain: long streaks along x, a little wavy, 0..1.
double Grain(int x, int y, int seed) {
    double wave = std::sin(x * 0.11 + seed * 1.7) * 1.6 + std::sin(x * 0.037 + y * 0.5 + seed) * 0.8;
    double v = std::sin((y + wave) * 1.9 + seed * 0.9);
    return 0.5 + 0.5 * v;
}

// A small stable speckle, 0..1, for stone and metal texture.
double Speckle(int x, int y, int seed) {
    const int32_t v[3] = {x, y, seed};
    return (Hash64(std::string(reinterpret_cast<const char*>(v), sizeof v)) & 0xFFFF) / 65535.0;
}

// Fills r with base, light along the top and left edges and dark along the bottom and right.
void Bevel(Canvas& c, const Rect& r, uint32_t base, int depth) {
    c.FillRect(r, base);
    for (int i = 0; i < depth; ++i) {
        c.FillRect({r.x + i, r.y + i, r.w - 2 * i, 1}, Shade(base, 1.35 - 0.1 * i));
        c.FillRect({r.x + i, r.y + i, 1, r.h - 2 * i}, Shade(base, 1.2 - 0.05 * i));
        c.FillRect({r.x + i, r.Bottom() - 1 - i, r.w - 2 * i, 1}, Shade(base, 0.62 + 0.1 * i));
        c.FillRect({r.Right() - 1 - i, r.y + i, 1, r.h - 2 * i}, Shade(base, 0.72 + 0.08 * i));
    }
}

void Boards(Canvas& c, const Rect& r, uint32_t col, int boardH, int seed, bool vertical) {
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right(); ++x) {
            int along = vertical ? y : x, across = vertical ? x : y;
            int start = vertical ? r.x : r.y;
            int board = (across - start) / boardH, in = (across - start) % boardH;
            uint32_t b = Shade(col, 0.94 + 0.08 * ((board * 5 + seed) % 3) / 2.0);
            double g = Grain(along, across * 3 + board * 7, seed + board);
            uint32_t px = g > 0.86 ? Shade(b, 0.8) : g < 0.12 ? Shade(b, 1.08) : b;
            if (in == 0) px = Shade(col, 1.22);
            if (in == boardH - 1) px = Shade(col, 0.55);
            c.Set(x, y, px);
        }
}

void Nail(Canvas& c, int x, int y) {
    c.FillRect({x, y, 2, 2}, 0x5A4C3C);
    c.Set(x, y, 0xC8C0B0);
}

// A wooden crate: boards inside a bevelled rail frame, a diagonal brace and nails.
void Crate(Canvas& c, const Rect& r, const Line& op) {
    uint32_t col = op.Color("color", 0xC8884A), line = op.Color("line", kOutline);
    uint32_t rail = op.Color("rail", Shade(col, 1.08));
    int seed = op.Int("seed", 1), rw = op.Int("frame", std::max(3, std::min(r.w, r.h) / 8));
    c.FillRect(r, line);
    Rect in = r.Inset(1);
    Boards(c, in, Shade(col, 0.92), op.Int("board", std::max(4, in.h / 5)), seed, false);
    if (op.Int("brace", 1) != 0) {
        double x1 = in.x + rw, y1 = in.Bottom() - rw - 1, x2 = in.Right() - rw - 1, y2 = in.y + rw;
        c.Line(x1, y1, x2, y2, line, rw + 2);
        c.Line(x1, y1, x2, y2, rail, rw);
        c.Line(x1, y1 - rw / 2.0 + 1, x2 - rw / 2.0 + 1, y2, Shade(rail, 1.25), 1);
    }
    Rect sides[] = {{in.x, in.y, in.w, rw},
                    {in.x, in.Bottom() - rw, in.w, rw},
                    {in.x, in.y, rw, in.h},
                    {in.Right() - rw, in.y, rw, in.h}};
    for (const Rect& s : sides) Bevel(c, s, rail, 1);
    Rect inner{in.x + rw, in.y + rw, in.w - 2 * rw, in.h - 2 * rw};
    c.FrameRect({inner.x - 1, inner.y - 1, inner.w + 2, inner.h + 2}, Shade(col, 0.45));
    int n = std::max(1, rw / 2 - 1);
    Nail(c, in.x + n, in.y + n);
    Nail(c, in.Right() - n - 2, in.y + n);
    Nail(c, in.x + n, in.Bottom() - n - 2);
    Nail(c, in.Right() - n - 2, in.Bottom() - n - 2);
}

// Stone bricks in staggered rows, each bevelled and speckled; `shine` adds icy glints and
// `crack` a few cracks across the face.
void Stone(Canvas& c, const Rect& r, const Line& op) {
    uint32_t col = op.Color("color", 0xA8A298), line = op.Color("line", kOutline);
    uint32_t mortar = op.Color("mortar", Shade(col, 0.52));
    int rows = std::max(1, op.Int("rows", 2)), cols = std::max(1, op.Int("cols", 2)),
        seed = op.Int("seed", 1);
    c.FillRect(r, line);
    Rect in = r.Inset(1);
    c.FillRect(in, mortar);
    for (int row = 0; row < rows; ++row) {
        int y0 = in.y + in.h * row / rows, y1 = in.y + in.h * (row + 1) / rows;
        int shift = (row % 2) ? in.w / (2 * cols) : 0;
        for (int k = -1; k <= cols; ++k) {
            int x0 = in.x + shift + in.w * k / cols, x1 = in.x + shift + in.w * (k + 1) / cols;
            x0 = std::max(x0, in.x);
            x1 = std::min(x1, in.Right());
            if (x1 - x0 < 3) continue;
            Rect b{x0 + (x0 > in.x ? 1 : 0), y0 + (row > 0 ? 1 : 0), x1 - x0 - (x0 > in.x ? 1 : 0),
                   y1 - y0 - (row > 0 ? 1 : 0)};
            uint32_t tone = Shade(col, 0.93 + 0.12 * Speckle(row, k + 5, seed));
            Bevel(c, b, tone, 2);
            for (int y = b.y + 2; y < b.Bottom() - 2; ++y)
                for (int x = b.x + 2; x < b.Right() - 2; ++x) {
                    double s = Speckle(x, y, seed);
                    if (s < 0.1)
                        c.Set(x, y, Shade(tone, 0.84));
                    else if (s > 0.95)
                        c.Set(x, y, Shade(tone, 1.12));
                }
        }
    }
    if (op.Int("shine", 0) != 0) {
        for (int i = 0; i < 3; ++i) {
            int x = in.x + in.w * (2 + 3 * i) / 12, y = in.y + in.h / 8 + i * in.h / 3;
            c.Line(x, y + 6, x + 6, y, 0xFFFFFF, 2);
            c.Line(x + 5, y + 8, x + 9, y + 4, 0xFFFFFF, 1);
        }
    }
    for (int i = 0; i < op.Int("crack", 0); ++i) {
        double x = in.x + in.w * (0.25 + 0.5 * Speckle(i, 1, seed)), y = in.y;
        while (y < in.y + in.h * 0.6) {
            double nx = x + (Speckle(int(y), i, seed) - 0.5) * 8, ny = y + 4 + 4 * Speckle(i, int(y), seed);
            c.Line(x, y, nx, ny, Shade(mortar, 0.6), 1);
            x = nx;
            y = ny;
        }
    }
}

// A lift plank: rounded ends, a lit top and shaded underside, bolts, optional hazard stripes.
void Plank(Canvas& c, const Rect& r, const Line& op) {
    uint32_t col = op.Color("color", 0xC89050), line = op.Color("line", kOutline);
    uint32_t stripe = op.Color("stripe", kNoColor);
    int rad = op.Int("r", std::min(4, r.h / 2));
    c.FillRound(r, rad, line);
    Rect in = r.Inset(1);
    c.SetClip(in);
    if (op.Int("wood", 1) != 0)
        Boards(c, in, col, std::max(3, in.h), op.Int("seed", 1), false);
    else
        c.Gradient(in, Shade(col, 1.15), Shade(col, 0.8), false);
    if (stripe != kNoColor)
        for (int x = in.x - in.h; x < in.Right(); x += 12)
            c.FillPolygon({double(x), double(in.Bottom()), x + 6.0, double(in.Bottom()), x + 6.0 + in.h,
                           double(in.y), x + 0.0 + in.h, double(in.y)},
                          stripe);
    c.ClearClip();
    c.FillRect({in.x + 1, in.y, in.w - 2, 1}, Shade(col, 1.4));
    c.FillRect({in.x + 1, in.Bottom() - 1, in.w - 2, 1}, Shade(col, 0.55));
    // Round the corners against the key again: the plank was filled as a rectangle.
    for (int dy = 0; dy < rad; ++dy)
        for (int dx = 0; dx < rad; ++dx) {
            double ex = rad - dx - 0.5, ey = rad - dy - 0.5;
            if (ex * ex + ey * ey <= rad * rad) continue;
            c.Set(r.x + dx, r.y + dy, kKeyColor);
            c.Set(r.Right() - 1 - dx, r.y + dy, kKeyColor);
            c.Set(r.x + dx, r.Bottom() - 1 - dy, kKeyColor);
            c.Set(r.Right() - 1 - dx, r.Bottom() - 1 - dy, kKeyColor);
        }
    int bolts = op.Int("bolts", 2);
    for (int i = 0; i < bolts; ++i) {
        int bx = bolts == 1 ? r.x + r.w / 2 - 1 : r.x + 4 + (r.w - 10) * i / (bolts - 1);
        Nail(c, bx, r.y + r.h / 2 - 1);
    }
}

// Riveted metal: a vertical sheen, a dark outline and rivets in the corners.
void Metal(Canvas& c, const Rect& r, const Line& op) {
    uint32_t col = op.Color("color", 0x8890A0), line = op.Color("line", kOutline);
    int rad = op.Int("r", 2);
    c.FillRound(r, rad, line);
    Rect in = r.Inset(1);
    c.FillRound(in, std::max(0, rad - 1), col);
    for (int y = in.y; y < in.Bottom(); ++y) {
        double t = double(y - in.y) / std::max(1, in.h - 1);
        uint32_t band = t < 0.3 ? Shade(col, 1.3 - t) : Shade(col, 1.05 - 0.35 * t);
        for (int x = in.x; x < in.Right(); ++x)
            if (c.Get(x, y) == col) c.Set(x, y, Speckle(x, y, 3) < 0.06 ? Shade(band, 0.92) : band);
    }
    if (op.Int("rivets", 1) != 0 && in.w >= 10 && in.h >= 10) {
        for (int x : {in.x + 2, in.Right() - 4})
            for (int y : {in.y + 2, in.Bottom() - 4}) {
                c.FillRect({x, y, 2, 2}, Shade(col, 0.55));
                c.Set(x, y, Shade(col, 1.6));
            }
    }
}

}  // namespace

void DrawObjectShape(Canvas& canvas, const Line& op) {
    using Fn = void (*)(Canvas&, const Rect&, const Line&);
    static const std::map<std::string, Fn> kinds = {
        {"crate", Crate}, {"stone", Stone}, {"plank", Plank}, {"metal", Metal}};
    const std::string kind = op.Str("kind", "crate");
    auto it = kinds.find(kind);
    if (it == kinds.end()) op.Fail("unknown obj kind '" + kind + "'");
    Rect r{op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)};
    // Nothing outside the box: neighbouring cells of a sheet stay clean.
    canvas.SetClip(r);
    it->second(canvas, r, op);
    canvas.ClearClip();
}

void DrawTurnedCopy(Canvas& canvas, const Line& op) {
    const int sx = op.ArgInt(0), sy = op.ArgInt(1), w = op.ArgInt(2), h = op.ArgInt(3);
    // Without a target the square turns in place.
    const int dx = op.args.size() >= 6 ? op.ArgInt(4) : sx, dy = op.args.size() >= 6 ? op.ArgInt(5) : sy;
    const int quarter = ((op.Int("quarter", 1) % 4) + 4) % 4;
    if (quarter % 2 == 1 && w != h) op.Fail("turn by an odd number of quarters needs a square");
    const Canvas src = canvas;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int tx = x, ty = y;
            if (quarter == 1) tx = h - 1 - y, ty = x;
            if (quarter == 2) tx = w - 1 - x, ty = h - 1 - y;
            if (quarter == 3) tx = y, ty = w - 1 - x;
            canvas.Set(dx + tx, dy + ty, src.Get(sx + x, sy + y));
        }
}

}  // namespace gen
