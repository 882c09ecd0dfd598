#include "tools/gen/EffectShapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <vector>

namespace gen {
namespace {

// Stable pseudo-random value in 0..1 for an integer pair and a seed.
double Hash01(int a, int b, int seed) {
    uint32_t h = static_cast<uint32_t>(a) * 0x9E3779B1u ^ static_cast<uint32_t>(b) * 0x85EBCA77u ^
                 static_cast<uint32_t>(seed) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

// Smooth value noise in 0..1 with features about `scale` pixels wide.
double ValueNoise(double x, double y, double scale, int seed) {
    x /= scale;
    y /= scale;
    int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    double fx = x - ix, fy = y - iy;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    double a = Hash01(ix, iy, seed), b = Hash01(ix + 1, iy, seed);
    double c = Hash01(ix, iy + 1, seed), d = Hash01(ix + 1, iy + 1, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

double WrapAngle(double a) {
    while (a > kPi) a -= 2 * kPi;
    while (a < -kPi) a += 2 * kPi;
    return a;
}

// What every kind shares: the box, the colours and the common parameters.
struct Fx {
    Rect box;
    double cx = 0, cy = 0;  // centre of the box
    double r = 0;           // half the shorter side, times size
    uint32_t core = 0xFFFFFF, body = 0xFFC040, rim = 0x803000;
    double coreWidth = 0.35;  // share of the depth shown in the core colour
    int seed = 1;
    int count = 0;
    double angle = 0;   // radians, clockwise on screen
    double hollow = 0;  // share of the radius left empty in the middle
    double thick = 0;   // pixels
    double spread = 0;  // 0..1
    const Line* op = nullptr;
};

// Depth 0 (the core) .. 1 (the outer edge) to colour.
uint32_t Ramp(const Fx& f, double d) {
    d = std::clamp(d, 0.0, 1.0);
    if (d < f.coreWidth) return Mix(f.core, f.body, d / f.coreWidth * 0.35);
    double mid = f.coreWidth + (1.0 - f.coreWidth) * 0.45;
    if (d < mid) return Mix(Mix(f.core, f.body, 0.35), f.body, (d - f.coreWidth) / (mid - f.coreWidth));
    return Mix(f.body, f.rim, (d - mid) / (1.0 - mid));
}

// A shape gives the depth of a point (pixels from the box centre, y downward) or a negative
// value outside it.
using DepthFn = std::function<double(double x, double y)>;

// Covers the box with 4 x 4 samples per pixel; `breakUp` knocks out noisy holes so that a
// fading frame crumbles.
void Paint(Canvas& c, const Fx& f, const DepthFn& depth) {
    const double breakUp = f.op->Num("break", 0.0);
    const double breakScale = f.op->Num("grain", 3.0);
    for (int py = f.box.y; py < f.box.Bottom(); ++py)
        for (int px = f.box.x; px < f.box.Right(); ++px) {
            if (breakUp > 0 && ValueNoise(px, py, breakScale, f.seed + 77) < breakUp) continue;
            int inside = 0;
            double sum[3] = {0, 0, 0};
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx) {
                    double x = px + (sx + 0.5) / 4.0 - f.cx, y = py + (sy + 0.5) / 4.0 - f.cy;
                    double d = depth(x, y);
                    if (d < 0) continue;
                    uint32_t col = Ramp(f, d);
                    for (int k = 0; k < 3; ++k) sum[k] += (col >> (8 * k)) & 0xFF;
                    ++inside;
                }
            if (inside == 0) continue;
            uint32_t col = 0;
            for (int k = 0; k < 3; ++k) col |= static_cast<uint32_t>(sum[k] / inside + 0.5) << (8 * k);
            c.Blend(px, py, col, inside / 16.0);
        }
}

// Coordinates turned into the shape's own frame (the shape points along +x at angle 0).
void Unturn(const Fx& f, double& x, double& y) {
    double ca = std::cos(-f.angle), sa = std::sin(-f.angle);
    double nx = x * ca - y * sa, ny = x * sa + y * ca;
    x = nx;
    y = ny;
}

bool InHollow(const Fx& f, double rho) { return rho < f.hollow * f.r; }

// ---------------------------------------------------------------- kinds

// A star of sharp rays, long and short in turn, round a bright middle: the hit spark.
void Spark(Canvas& c, Fx& f) {
    const int n = f.count > 0 ? f.count : 8;
    const double shortRay = f.op->Num("short", 0.55), middle = f.op->Num("middle", 0.3);
    std::vector<double> at(n), len(n);
    for (int i = 0; i < n; ++i) {
        at[i] = f.angle + 2 * kPi * i / n + (Hash01(i, 1, f.seed) - 0.5) * 0.5 * kPi / n;
        len[i] = f.r * ((i % 2) ? shortRay : 1.0) * (0.8 + 0.2 * Hash01(i, 2, f.seed));
    }
    const double inner = f.r * middle, halfWidth = kPi / n * 0.9;
    Paint(c, f, [&](double x, double y) {
        double rho = std::hypot(x, y), th = std::atan2(y, x);
        if (InHollow(f, rho)) return -1.0;
        double reach = inner;
        for (int i = 0; i < n; ++i) {
            double k = 1.0 - std::fabs(WrapAngle(th - at[i])) / halfWidth;
            if (k > 0) reach = std::max(reach, inner + (len[i] - inner) * std::pow(k, 1.8));
        }
        return rho <= reach ? rho / reach : -1.0;
    });
}

// A lumpy ball of fire with a mottled inside: the body of an explosion.
void Blast(Canvas& c, Fx& f) {
    const int lumps = f.count > 0 ? f.count : 7;
    const double lumpy = f.op->Num("lumpy", 0.25), mottle = f.op->Num("mottle", 0.25);
    std::array<double, 3> phase{};
    for (int i = 0; i < 3; ++i) phase[i] = Hash01(i, 3, f.seed) * 2 * kPi;
    Paint(c, f, [&](double x, double y) {
        double rho = std::hypot(x, y), th = std::atan2(y, x);
        if (InHollow(f, rho)) return -1.0;
        double w = 0.55 * std::sin(lumps * th + phase[0]) + 0.3 * std::sin((lumps + 3) * th + phase[1]) +
                   0.15 * std::sin((2 * lumps + 1) * th + phase[2]);
        double reach = f.r * (1.0 - lumpy * 0.5 + lumpy * 0.5 * w);
        if (rho > reach) return -1.0;
        double n = ValueNoise(x + f.cx, y + f.cy, std::max(2.0, f.r / 4), f.seed);
        return std::clamp(rho / reach + mottle * (n - 0.5) * 2, 0.0, 1.0);
    });
}

// A band round the centre, brightest along its middle line; `count` cuts it into arcs.
void Ring(Canvas& c, Fx& f) {
    const double thick = f.thick > 0 ? f.thick : std::max(2.0, f.r * 0.25);
    const double mid = f.r - thick / 2, gap = f.op->Num("gap", 0.3);
    Paint(c, f, [&](double x, double y) {
        double rho = std::hypot(x, y);
        double d = std::fabs(rho - mid) / (thick / 2);
        if (d > 1) return -1.0;
        if (f.count > 0) {
            double t = (WrapAngle(std::atan2(y, x) - f.angle) + kPi) / (2 * kPi) * f.count;
            double part = t - std::floor(t);
            if (part < gap) return -1.0;
            // arcs taper towards their ends
            double along = (part - gap) / (1 - gap);
            double taper = std::sin(kPi * along);
            if (d > std::pow(taper, 0.5)) return -1.0;
        }
        return d;
    });
}

// A four-pointed twinkle (eight-pointed with points=8).
void Sparkle(Canvas& c, Fx& f) {
    const double p = f.op->Num("sharp", 0.55);
    const bool eight = f.op->Int("points", 4) == 8;
    auto astroid = [&](double x, double y, double rad) {
        return std::pow(std::fabs(x) / rad, p) + std::pow(std::fabs(y) / rad, p);
    };
    Paint(c, f, [&](double x, double y) {
        Unturn(f, x, y);
        double d = astroid(x, y, f.r);
        if (eight) {
            double u = (x + y) * 0.70710678, v = (x - y) * 0.70710678;
            d = std::min(d, astroid(u, v, f.r * 0.6));
        }
        return d <= 1 ? d : -1.0;
    });
}

// A crescent cut along an arc, thickest near its head, fading towards its tail.
void Slash(Canvas& c, Fx& f) {
    const double span = f.op->Num("span", 150) * kPi / 180, thick = f.thick > 0 ? f.thick : f.r * 0.35;
    const double mid = f.r - thick / 2;
    Paint(c, f, [&](double x, double y) {
        double rho = std::hypot(x, y);
        double t = WrapAngle(std::atan2(y, x) - f.angle) / (span / 2);
        if (std::fabs(t) > 1) return -1.0;
        double along = (t + 1) / 2;  // 0 tail .. 1 head
        double half = thick / 2 * std::pow(std::sin(kPi * std::pow(along, 0.6)), 0.8);
        if (half <= 0.2) return -1.0;
        double across = (rho - mid + half * 0.35) / half;  // sharp on the inside, soft outside
        if (across < -0.65 || across > 1) return -1.0;
        return std::clamp(std::fabs(across) * 0.75 + (1 - along) * 0.45, 0.0, 1.0);
    });
}

// Round puffs lit from the upper left; later puffs lie over earlier ones.
void Smoke(Canvas& c, Fx& f) {
    const int n = f.count > 0 ? f.count : 5;
    struct Puff {
        double x, y, r;
    };
    std::vector<Puff> puffs;
    for (int i = 0; i < n; ++i) {
        double a = Hash01(i, 4, f.seed) * 2 * kPi, dist = (i == 0 ? 0.0 : 0.45 + 0.55 * Hash01(i, 5, f.seed));
        double pr =
            f.r * (0.38 + 0.2 * Hash01(i, 6, f.seed)) * (i == 0 ? 1.25 : 1.0) * f.op->Num("puff", 1.0);
        double reach = f.r * f.spread;
        puffs.push_back({std::cos(a) * dist * reach, std::sin(a) * dist * reach, pr});
    }
    // keep every puff inside the box
    for (Puff& p : puffs) {
        double lim = f.r - p.r;
        double d = std::hypot(p.x, p.y);
        if (d > lim && d > 0) {
            p.x *= std::max(0.0, lim) / d;
            p.y *= std::max(0.0, lim) / d;
        }
    }
    Paint(c, f, [&](double x, double y) {
        for (int i = n - 1; i >= 0; --i) {
            double u = (x - puffs[i].x) / puffs[i].r, v = (y - puffs[i].y) / puffs[i].r;
            double dist = std::hypot(u, v);
            if (dist > 1) continue;
            return std::clamp(0.45 + 0.4 * (u + v) * 0.70710678 + 0.35 * dist * dist - 0.2, 0.0, 1.0);
        }
        return -1.0;
    });
}

// A flame licking upwards: round at the bottom, a wavering point at the top.
void Flame(Canvas& c, Fx& f) {
    const double wave = f.op->Num("wave", 0.15), phase = Hash01(0, 7, f.seed) * 2 * kPi;
    Paint(c, f, [&](double x, double y) {
        double u = x / f.r, v = y / f.r;                  // -1..1, v downward
        double rise = std::clamp((1 - v) / 2, 0.0, 1.0);  // 0 bottom .. 1 top
        u -= wave * std::sin(v * 4 + phase) * rise;
        double half;
        const double bottomR = 0.58, bottomY = 0.38;
        if (v >= bottomY) {
            double dy = v - bottomY;
            if (dy > bottomR) return -1.0;
            half = std::sqrt(bottomR * bottomR - dy * dy);
        } else {
            double k = (v + 1) / (bottomY + 1);  // 0 at the tip
            if (k <= 0) return -1.0;
            half = bottomR * std::pow(k, 0.9);
        }
        if (std::fabs(u) > half) return -1.0;
        double inCore = std::hypot(u / std::max(half, 0.05) * 0.8, (v - 0.3) / 1.4);
        return std::clamp(inCore, 0.0, 1.0);
    });
}

// One faceted crystal: a long diamond, its upper facet lit.
double CrystalDepth(double x, double y, double len, double wid) {
    double s = std::fabs(x) / len + std::fabs(y) / wid;
    if (s > 1) return -1.0;
    if (s > 0.8) return 1.0;
    return y < 0 ? 0.1 + 0.3 * s : 0.55 + 0.25 * s;
}

// Crystals pointing outwards from the centre: one (count=1, spread=0) or a cluster of shards.
void Shards(Canvas& c, Fx& f) {
    const int n = f.count > 0 ? f.count : 6;
    struct Shard {
        double x, y, a, len, wid;
    };
    std::vector<Shard> shards;
    for (int i = 0; i < n; ++i) {
        double a = f.angle + 2 * kPi * i / n + (Hash01(i, 8, f.seed) - 0.5) * 1.2 * kPi / n;
        double dist = f.r * f.spread * (0.6 + 0.4 * Hash01(i, 9, f.seed));
        double len = f.r * (n == 1 ? 1.0 : 0.35 + 0.25 * Hash01(i, 10, f.seed)) * (1 - 0.5 * f.spread) *
                     f.op->Num("len", 1.0);
        shards.push_back({std::cos(a) * dist, std::sin(a) * dist, a, len, len * f.op->Num("slim", 0.4)});
    }
    Paint(c, f, [&](double x, double y) {
        for (const Shard& s : shards) {
            double dx = x - s.x, dy = y - s.y;
            double ca = std::cos(-s.a), sa = std::sin(-s.a);
            double d = CrystalDepth(dx * ca - dy * sa, dx * sa + dy * ca, s.len, s.wid);
            if (d >= 0) return d;
        }
        return -1.0;
    });
}

// An irregular broken piece, lit on its upper-left edge: `pattern=wood` adds grain,
// `pattern=stone` speckles.
void Chunk(Canvas& c, Fx& f) {
    const int n = f.count > 0 ? f.count : 6;
    const std::string pattern = f.op->Str("pattern", "plain");
    std::vector<double> at(n), rad(n);
    for (int i = 0; i < n; ++i) {
        at[i] = f.angle + 2 * kPi * (i + 0.3 * (Hash01(i, 11, f.seed) - 0.5)) / n;
        rad[i] = f.r * (0.72 + 0.28 * Hash01(i, 12, f.seed));
    }
    auto reachAt = [&](double th) {
        // straight edges between the corners: the ray meets the chord of its two neighbours
        for (int i = 0; i < n; ++i) {
            int j = (i + 1) % n;
            double a0 = at[i], a1 = at[j] + (j == 0 ? 2 * kPi : 0);
            double t = th;
            while (t < a0) t += 2 * kPi;
            if (t > a1) continue;
            double x0 = std::cos(a0) * rad[i], y0 = std::sin(a0) * rad[i];
            double x1 = std::cos(a1) * rad[j], y1 = std::sin(a1) * rad[j];
            double dx = std::cos(t), dy = std::sin(t);
            double ex = x1 - x0, ey = y1 - y0;
            double den = dx * ey - dy * ex;
            if (std::fabs(den) < 1e-9) return std::min(rad[i], rad[j]);
            return (x0 * ey - y0 * ex) / den;
        }
        return f.r;
    };
    Paint(c, f, [&](double x, double y) {
        double rho = std::hypot(x, y), th = std::atan2(y, x);
        double reach = reachAt(th);
        if (rho > reach) return -1.0;
        double edge = reach - rho;
        if (edge < 1.2) return 1.0;
        if (edge < 3.0) return std::cos(th + 0.75 * kPi) > 0.2 ? 0.05 : 0.85;  // lit or shaded bevel
        double d = 0.55;
        if (pattern == "wood") {
            double gy = -x * std::sin(f.angle) + y * std::cos(f.angle);
            d += 0.18 * std::sin(gy * 1.7 + 3 * ValueNoise(x + f.cx, y + f.cy, 5, f.seed));
        } else if (pattern == "stone") {
            double s = ValueNoise(x + f.cx, y + f.cy, 1.6, f.seed);
            d += s > 0.78 ? 0.3 : s < 0.2 ? -0.25 : 0.0;
        }
        return d;
    });
}

double SegmentDistance(double px, double py, double x0, double y0, double x1, double y1) {
    double ex = x1 - x0, ey = y1 - y0;
    double t = std::clamp(((px - x0) * ex + (py - y0) * ey) / std::max(1e-9, ex * ex + ey * ey), 0.0, 1.0);
    return std::hypot(px - x0 - t * ex, py - y0 - t * ey);
}

// A zig-zag lightning stroke from the top of the box to the bottom, with two forks.
void Bolt(Canvas& c, Fx& f) {
    const int n = f.count > 0 ? f.count : 7;
    const double halfW = f.box.w / 2.0, halfH = f.box.h / 2.0;
    const double thick = f.thick > 0 ? f.thick : std::max(3.0, f.box.w / 6.0);
    struct Seg {
        double x0, y0, x1, y1, w;
    };
    std::vector<Seg> segs;
    std::vector<double> xs(n + 1), ys(n + 1);
    for (int i = 0; i <= n; ++i) {
        ys[i] = -halfH + 2 * halfH * i / n;
        double jitter = (i == 0 || i == n) ? 0.0 : (Hash01(i, 13, f.seed) - 0.5) * 2;
        xs[i] = jitter * (halfW - thick) * 0.75 * (i % 2 ? 1 : -1) * (jitter < 0 ? -1 : 1);
    }
    segs.reserve(segs.size() + static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) segs.push_back({xs[i], ys[i], xs[i + 1], ys[i + 1], thick / 2});
    for (int k = 0; k < 2; ++k) {
        int i = 1 + static_cast<int>(Hash01(k, 14, f.seed) * (n - 2));
        double side = k == 0 ? 1 : -1;
        double ex = xs[i] + side * (halfW - thick * 0.6) * 0.9 - xs[i] * 0.5;
        segs.push_back({xs[i], ys[i], ex, ys[i] + halfH * 0.35, thick * 0.3});
    }
    Paint(c, f, [&](double x, double y) {
        double best = 2.0;
        for (const Seg& s : segs) best = std::min(best, SegmentDistance(x, y, s.x0, s.y0, s.x1, s.y1) / s.w);
        return best <= 1 ? best : -1.0;
    });
}

// Drops of water flying out in a fan from the middle of one side of the box towards the
// other (`dir`); `spread` pushes them further out.
void Drops(Canvas& c, Fx& f) {
    const int n = f.count > 0 ? f.count : 4;
    const std::string dir = f.op->Str("dir", "right");
    double ang = dir == "down" ? kPi / 2 : dir == "left" ? kPi : dir == "up" ? -kPi / 2 : 0.0;
    const double along = (dir == "up" || dir == "down") ? f.box.h : f.box.w;
    const double across = (dir == "up" || dir == "down") ? f.box.w : f.box.h;
    const double fan = f.op->Num("fan", 140) * kPi / 180;
    struct Drop {
        double x, y, a, r;
    };
    std::vector<Drop> drops;
    const double ox = -std::cos(ang) * along / 2, oy = -std::sin(ang) * along / 2;
    for (int i = 0; i < n; ++i) {
        double a = ang + (n == 1 ? 0.0 : fan * (double(i) / (n - 1) - 0.5));
        a += (Hash01(i, 15, f.seed) - 0.5) * 0.25;
        double dr =
            std::min(along, across) * 0.17 * (1.0 - 0.3 * f.spread) * (0.85 + 0.3 * Hash01(i, 16, f.seed));
        // out along the flight line and sideways across the box, further as `spread` grows
        double reach = (0.62 + 0.33 * f.spread) * (0.85 + 0.15 * Hash01(i, 17, f.seed));
        double fwd = std::cos(a - ang) * along * reach, side = std::sin(a - ang) * across * 0.5 * reach;
        double x = ox + fwd * std::cos(ang) - side * std::sin(ang);
        double y = oy + fwd * std::sin(ang) + side * std::cos(ang);
        // keep the whole drop in the box
        x = std::clamp(x, -f.box.w / 2.0 + dr + 0.5, f.box.w / 2.0 - dr - 0.5);
        y = std::clamp(y, -f.box.h / 2.0 + dr + 0.5, f.box.h / 2.0 - dr - 0.5);
        drops.push_back({x, y, a, dr});
    }
    Paint(c, f, [&](double x, double y) {
        for (const Drop& d : drops) {
            double dx = x - d.x, dy = y - d.y;
            double u = dx * std::cos(d.a) + dy * std::sin(d.a), w = -dx * std::sin(d.a) + dy * std::cos(d.a);
            double head = std::hypot(u, w) / d.r;
            if (head <= 1) return std::clamp(std::hypot(u / d.r - 0.35, w / d.r + 0.35) * 0.8, 0.0, 1.0);
            double tail = d.r * 2.2;  // a pointed tail trails behind the head
            if (u < 0 && u > -tail && std::fabs(w) <= d.r * (1 + u / tail)) return 0.75;
        }
        return -1.0;
    });
}

// A glowing ball, brightest in the middle (hollow= turns it into a soft ring).
void Orb(Canvas& c, Fx& f) {
    Paint(c, f, [&](double x, double y) {
        double rho = std::hypot(x, y);
        if (rho > f.r || InHollow(f, rho)) return -1.0;
        return rho / f.r;
    });
}

// A tall blade of flame filling the box from top to bottom, ragged at its edges.
void Blade(Canvas& c, Fx& f) {
    const double halfW = f.box.w / 2.0 * f.op->Num("size", 1.0), halfH = f.box.h / 2.0;
    Paint(c, f, [&](double x, double y) {
        double t = (y + halfH) / (2 * halfH);  // 0 top .. 1 bottom
        if (t <= 0 || t >= 1) return -1.0;
        double profile = std::pow(std::sin(kPi * t), 0.45);
        double side = x < 0 ? 0 : 1;
        double rag = 0.7 + 0.3 * ValueNoise(side * 50, y, 5, f.seed);
        double w = (halfW - 1) * profile * rag;
        if (w <= 0.3 || std::fabs(x) > w) return -1.0;
        return std::clamp(std::fabs(x) / w * 0.9 + 0.1 * ValueNoise(x, y, 3, f.seed + 5), 0.0, 1.0);
    });
}

using KindFn = void (*)(Canvas&, Fx&);

const std::map<std::string, KindFn>& EffectKinds() {
    static const std::map<std::string, KindFn> k = {
        {"spark", Spark}, {"blast", Blast}, {"ring", Ring},     {"sparkle", Sparkle}, {"slash", Slash},
        {"smoke", Smoke}, {"flame", Flame}, {"shards", Shards}, {"chunk", Chunk},     {"bolt", Bolt},
        {"drops", Drops}, {"orb", Orb},     {"blade", Blade},
    };
    return k;
}

}  // namespace

void DrawEffectShape(Canvas& canvas, const Line& op) {
    const std::string kind = op.Str("kind", "spark");
    auto it = EffectKinds().find(kind);
    if (it == EffectKinds().end()) op.Fail("unknown fx kind '" + kind + "'");
    Fx f;
    f.op = &op;
    f.box = {op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)};
    f.cx = f.box.x + f.box.w / 2.0 + op.Num("dx", 0.0);
    f.cy = f.box.y + f.box.h / 2.0 + op.Num("dy", 0.0);
    f.r = std::min(f.box.w, f.box.h) / 2.0 * op.Num("size", 1.0);
    f.core = op.Color("core", 0xFFFFFF);
    f.body = op.Color("color", 0xFFC040);
    f.rim = op.Color("rim", Shade(f.body, 0.45));
    f.coreWidth = std::clamp(op.Num("glow", 0.35), 0.01, 0.95);
    f.seed = op.Int("seed", 1);
    f.count = op.Int("count", 0);
    f.angle = op.Num("angle", 0.0) * kPi / 180;
    f.hollow = op.Num("hollow", 0.0);
    f.thick = op.Num("thick", 0.0);
    f.spread = std::clamp(op.Num("spread", 0.0), 0.0, 1.0);
    // Nothing outside the box: neighbouring cells of a sheet stay clean.
    canvas.SetClip(f.box);
    it->second(canvas, f);
    canvas.ClearClip();
}

}  // namespace gen
