#include "tools/gen/SceneShapes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace gen {
namespace {

// The body texture repeats every 64 pixels both ways, so a band's deep ground, the fill cell cut
// below it and the fill cell stacked under itself all meet without a seam.
constexpr int kTile = 64;
// Depth of the band drawn with features; everything deeper is plain textured ground.
constexpr int kBandDepth = 128;

int Wrap(int v, int m) { return ((v % m) + m) % m; }

// Stable value in 0..1 for an integer pair and a seed.
double Dice(int a, int b, int seed) {
    uint32_t h = static_cast<uint32_t>(a) * 374761393u + static_cast<uint32_t>(b) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

// Value noise on a lattice of `cell` pixels that wraps every kTile pixels.
double TileNoise(int x, int y, int cell, int seed) {
    const int n = kTile / cell;
    double fx = double(Wrap(x, kTile)) / cell, fy = double(Wrap(y, kTile)) / cell;
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    double tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto at = [&](int i, int j) { return Dice(Wrap(i, n), Wrap(j, n), seed); };
    double a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

struct Band {
    std::string kind;
    int period = 384, seed = 2;
    double base = 40, amp = 10;  // surface depth and its swing, from the band's top
    int peaks = 6;               // peaks or cloud puffs per period
    uint32_t body = 0x58A848, top = kNoColor, light = kNoColor, line = kNoColor;
    uint32_t speck = kNoColor, strata = kNoColor, far = kNoColor, farDeco = kNoColor;
    uint32_t dots = kNoColor, dots2 = kNoColor, tufts = kNoColor;
    int band = 4;
    double near = 0;    // depth of a nearer, darker ridge overlapping the front ground (0: none)
    bool firs = false;  // pointed firs on the far ridge instead of round crowns
};

// The ground's own look at a point: mottled body colour with a few specks.
// Depth of the nearer ridge at band column u; it stays above kBandDepth so the deep ground below
// it is the same everywhere.
double NearSurface(const Band& b, double u) {
    const double t = u / b.period * 2 * kPi;
    return b.near + 7 * std::sin(t * 2 + 2.1 * b.seed) + 4 * std::sin(t * 5 + b.seed);
}

uint32_t Ground(const Band& b, int u, int v) {
    double n = TileNoise(u, v, 32, b.seed) * 0.5 + TileNoise(u, v, 8, b.seed + 1) * 0.5;
    uint32_t c = Shade(b.body, 0.95 + 0.1 * n);
    if (b.speck != kNoColor && Dice(Wrap(u, kTile), Wrap(v, kTile), b.seed + 5) > 0.965) c = b.speck;
    if (b.strata != kNoColor) {  // wavy layers of rock, broken here and there
        int w = v + int(std::lround(3 * std::sin(u * 2 * kPi / kTile)));
        if (Wrap(w, 16) == 0 && Dice(Wrap(u / 8, kTile / 8), Wrap(v, kTile), b.seed + 9) < 0.7) c = b.strata;
    }
    if (b.near > 0 && v >= NearSurface(b, u)) c = Shade(c, 0.88);
    return c;
}

// Surface depth of the front ground at band column u (0 <= u < period).
double Surface(const Band& b, double u) {
    const double t = u / b.period * 2 * kPi;
    const double roll = std::sin(t * 2 + b.seed) * 0.6 + std::sin(t * 3 + 1.7 * b.seed) * 0.4;
    if (b.kind == "peaks") {
        double s = u / (double(b.period) / b.peaks);
        double tri = std::abs(s - std::floor(s) - 0.5) * 2;  // 1 in the valleys, 0 at the tips;
        // every valley lies at the same depth, so peaks of different heights still meet
        double tall = 0.55 + 0.45 * Dice(Wrap(int(std::floor(s)), b.peaks), 1, b.seed);
        const double crag = 0.06 * b.amp * (std::sin(t * 13 + b.seed) + 0.6 * std::sin(t * 29 + 2 * b.seed));
        return b.base + b.amp - 2 * b.amp * (1 - tri) * tall + 0.25 * b.amp * roll + crag;
    }
    if (b.kind == "puffs") {
        double best = 1e9;
        for (int i = 0; i < b.peaks; ++i) {
            double cu = (i + 0.5 + 0.3 * (Dice(i, 2, b.seed) - 0.5)) * b.period / b.peaks;
            double r = double(b.period) / b.peaks * (0.55 + 0.25 * Dice(i, 3, b.seed));
            double du = std::remainder(u - cu, double(b.period));
            if (std::abs(du) >= r) continue;
            double top =
                b.base + b.amp * (Dice(i, 4, b.seed) - 0.5) + r * 0.55 - std::sqrt(r * r - du * du) * 0.55;
            best = std::min(best, top);
        }
        return std::min(best, b.base + b.amp * 0.5 + 6);
    }
    return b.base + b.amp * roll;
}

// The far ridge behind the front ground: gentler, with different waves.
double FarSurface(const Band& b, double u) {
    if (b.kind == "peaks") return Surface(b, u + 0.5 * b.period / b.peaks) - 0.6 * b.amp;
    const double t = u / b.period * 2 * kPi;
    return b.base - b.amp * 0.8 - 10 + 9 * std::sin(t * 3 + 0.5 * b.seed) + 5 * std::sin(t * 5 + b.seed);
}

// Draws `fn(dx)` at dx = -period, 0, +period so that features near the ends wrap round.
template <class F>
void Wrapped(const Band& b, F fn) {
    for (int k = -1; k <= 1; ++k) fn(k * b.period);
}

// One period of the band, kBandDepth deep, with its ridge, ground and little things on top.
Canvas RenderBand(const Band& b) {
    Canvas s(b.period, kBandDepth, kKeyColor);
    if (b.far != kNoColor) {
        for (int u = 0; u < b.period; ++u)
            for (int v = std::max(0, int(FarSurface(b, u))); v < kBandDepth; ++v)
                s.Set(u, v, Mix(b.far, Shade(b.far, 0.92), std::min(1.0, (v - FarSurface(b, u)) / 30)));
        if (b.farDeco != kNoColor)  // round crowns or pointed firs standing on the ridge
            for (int i = 0; i < b.period / 16; ++i) {
                if (Dice(i, 7, b.seed) > 0.45) continue;
                int u = i * 16 + int(Dice(i, 8, b.seed) * 10);
                int foot = int(FarSurface(b, u)) + 3, size = 8 + int(Dice(i, 9, b.seed) * 8);
                Wrapped(b, [&](int dx) {
                    if (b.firs) {
                        s.FillPolygon({double(u + dx - size / 2), double(foot), double(u + dx + size / 2),
                                       double(foot), double(u + dx), double(foot - size * 2)},
                                      b.farDeco);
                    } else {
                        s.FillRect({u + dx, foot - size / 2, 2, size / 2}, Shade(b.farDeco, 0.7));
                        s.FillEllipse({u + dx - size / 2, foot - size - size / 3, size + 1, size}, b.farDeco);
                    }
                });
            }
    }
    const uint32_t top = b.top != kNoColor ? b.top : Shade(b.body, 1.2);
    const uint32_t light = b.light != kNoColor ? b.light : Mix(top, b.body, 0.5);
    for (int u = 0; u < b.period; ++u) {
        const double sv = Surface(b, u + 0.5);
        const int y0 = std::clamp(int(std::lround(sv)), 0, kBandDepth);
        // Peaks are lit from the left: their left flanks brighten, their right flanks darken.
        double flank = 0;
        if (b.kind == "peaks")
            flank = std::clamp((Surface(b, u - 1.5) - Surface(b, u + 2.5)) / 4.0, -1.0, 1.0);
        const int nearTop = b.near > 0 ? int(std::lround(NearSurface(b, u + 0.5))) : kBandDepth;
        for (int v = y0; v < kBandDepth; ++v) {
            int d = v - y0;
            uint32_t c = Ground(b, u, v);
            if (d < 40 && flank != 0) c = Shade(c, 1.0 + 0.14 * flank * (1.0 - d / 40.0));
            if (d < 14) c = Mix(light, c, d / 14.0);
            if (v >= nearTop && v < nearTop + 2) c = Mix(light, c, 0.4);
            if (d < b.band) c = top;
            s.Set(u, v, c);
        }
        if (b.line != kNoColor && y0 > 0) s.Set(u, y0 - 1, b.line);
    }
    // Little things on the surface: grass tufts, then flowers (or stones, crystals) in two colours.
    for (int i = 0; i < b.period / 8; ++i) {
        const int u = i * 8 + int(Dice(i, 10, b.seed) * 6);
        const int sv = int(std::lround(Surface(b, u + 0.5)));
        const double roll = Dice(i, 11, b.seed);
        Wrapped(b, [&](int dx) {
            int x = u + dx;
            if (b.tufts != kNoColor && roll < 0.35) {
                s.Line(x, sv, x - 1, sv - 3, b.tufts);
                s.Line(x + 1, sv, x + 1, sv - 4, b.tufts);
                s.Line(x + 2, sv, x + 3, sv - 3, b.tufts);
            }
            uint32_t dot = roll > 0.8 ? b.dots : (roll > 0.65 ? b.dots2 : kNoColor);
            if (dot == kNoColor) return;
            int y = sv + b.band + 2 + int(Dice(i, 12, b.seed) * 10);
            if (b.kind == "spires") {  // a crystal
                int h = 6 + int(Dice(i, 13, b.seed) * 8);
                s.FillPolygon({double(x - 3), double(sv + 2), double(x + 3), double(sv + 2), double(x + 1),
                               double(sv - h), double(x - 1), double(sv - h)},
                              dot);
                s.Line(x - 1, sv + 1, x - 1, sv - h + 2, Shade(dot, 1.4));
                return;
            }
            s.FillRect({x - 1, y, 3, 1}, dot);
            s.FillRect({x, y - 1, 1, 3}, dot);
            s.Set(x, y, Shade(dot, dot > 0xE0E0E0 ? 0.8 : 1.6));
        });
    }
    return s;
}

// One window of the endless band: `w` x `h` pixels from column `phase` and depth `depth`, drawn
// at (x, y); the sky stays untouched.
void DrawWindow(Canvas& c, const Band& b, const Canvas& strip, Rect at, int phase, int depth) {
    for (int y = 0; y < at.h; ++y)
        for (int x = 0; x < at.w; ++x) {
            int u = Wrap(phase + x, b.period), v = depth + y;
            uint32_t col = v < kBandDepth ? (v >= 0 ? strip.Get(u, v) : kKeyColor) : Ground(b, u, v);
            if (col != kKeyColor) c.Set(at.x + x, at.y + y, col);
        }
}

// Reads "x,y" (the `deep=` cell of a layout).
void CellParam(const Line& op, int& x, int& y) {
    const std::string text = op.Str("deep");
    if (std::sscanf(text.c_str(), "%d,%d", &x, &y) != 2) op.Fail("landscape layout needs deep=<x>,<y>");
}

}  // namespace

// landscape x y w h phase= depth= period= kind=hills|peaks|puffs|spires base= amp= peaks=
//   color= top= light= line= band= speck= strata= far= fardeco= farkind=round|fir dots= dots2= tufts=
//   near= seed= [layout=band6|band2 deep=<x>,<y>]
// Draws the window (phase, depth, w, h) of the endless band. With a layout it lays out a whole
// band instead, in 64 x 64 cells from (x, y): `band6` six columns (the top row at (x, y) ..
// (x + 192, y) and then (x, y + 128), (x + 64, y + 128), the second row 64 below each), `band2`
// two columns ((x, y), (x + 64, y) over (x, y + 64), (x + 64, y + 64)); both put the deep
// ground cell at `deep`.
void DrawLandscape(Canvas& c, const Line& op) {
    Band b;
    b.kind = op.Str("kind", "hills");
    if (b.kind != "hills" && b.kind != "peaks" && b.kind != "puffs" && b.kind != "spires")
        op.Fail("unknown landscape kind '" + b.kind + "'");
    b.period = op.Int("period", 384);
    if (b.period < kTile || b.period % kTile != 0) op.Fail("landscape period must be a multiple of 64");
    b.seed = op.Int("seed", 2);
    b.base = op.Num("base", 40);
    b.amp = op.Num("amp", 10);
    b.peaks = std::max(1, op.Int("peaks", 6));
    b.body = op.Color("color", 0x58A848);
    b.top = op.Color("top", kNoColor);
    b.light = op.Color("light", kNoColor);
    b.line = op.Color("line", kNoColor);
    b.band = op.Int("band", 4);
    b.near = op.Num("near", 0);
    if (b.near < 0 || b.near > kBandDepth - 12) op.Fail("landscape near must lie between 0 and 116");
    b.speck = op.Color("speck", kNoColor);
    b.strata = op.Color("strata", kNoColor);
    b.far = op.Color("far", kNoColor);
    b.farDeco = op.Color("fardeco", kNoColor);
    b.firs = op.Str("farkind", "round") == "fir";
    b.dots = op.Color("dots", kNoColor);
    b.dots2 = op.Color("dots2", kNoColor);
    b.tufts = op.Color("tufts", kNoColor);
    const Canvas strip = RenderBand(b);
    const int x0 = op.ArgInt(0), y0 = op.ArgInt(1);
    const std::string layout = op.Str("layout", "");
    if (layout.empty()) {
        DrawWindow(c, b, strip, {x0, y0, op.ArgInt(2), op.ArgInt(3)}, op.Int("phase", 0), op.Int("depth", 0));
        return;
    }
    if (layout != "band6" && layout != "band2") op.Fail("unknown landscape layout '" + layout + "'");
    const int columns = layout == "band6" ? 6 : 2;
    if (b.period != columns * kTile)
        op.Fail("landscape layout " + layout + " needs period=" + std::to_string(columns * kTile));
    for (int m = 0; m < columns; ++m) {
        const int x = x0 + kTile * (m % 4), y = y0 + (m < 4 ? 0 : 2 * kTile);
        DrawWindow(c, b, strip, {x, y, kTile, kTile}, m * kTile, 0);
        DrawWindow(c, b, strip, {x, y + kTile, kTile, kTile}, m * kTile, kTile);
    }
    int fx = 0, fy = 0;
    CellParam(op, fx, fy);
    DrawWindow(c, b, strip, {fx, fy, kTile, kTile}, 0, 2 * kTile);
}

// darkness x y w h cx= cy= r= soft= color=
// Fills the box with `color` outside the circle of radius r round (cx, cy) (picture coordinates),
// ordered-dithered over `soft` pixels at the rim so the light fades instead of ending in a line.
void DrawDarkness(Canvas& c, const Line& op) {
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const int x0 = op.ArgInt(0), y0 = op.ArgInt(1), w = op.ArgInt(2), h = op.ArgInt(3);
    const double cx = op.Num("cx", x0 + w / 2.0), cy = op.Num("cy", y0 + h / 2.0);
    const double r = op.Num("r", std::min(w, h) / 2.0), soft = std::max(1.0, op.Num("soft", 24));
    const uint32_t col = op.Color("color", 0x000000);
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            double t = (d - r) / soft;
            if (t >= 1.0 || (t > 0 && t * 16 > kBayer[Wrap(y, 4)][Wrap(x, 4)] + 0.5)) c.Set(x, y, col);
        }
}

}  // namespace gen
