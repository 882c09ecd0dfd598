#include "tools/gen/EnemyShapes.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace gen {
namespace {

constexpr uint32_t kInk = 0x2D1E08;
constexpr uint32_t kWhite = 0xFFFFFF;

// Draws in a cell with design coordinates: scaled by `s`, moved by (ox, oy) pixels and leaned by
// `ang` radians about the pivot (px, py) (positive leans the top forward, to the left).
struct Pen {
    Canvas& c;
    Rect cell;
    double s = 1.0, ox = 0, oy = 0;
    double ang = 0, px = 0, py = 0;

    void Map(double x, double y, double& tx, double& ty) const {
        double dx = x - px, dy = y - py, ca = std::cos(ang), sa = std::sin(ang);
        tx = cell.x + ox + (dx * ca + dy * sa + px) * s;
        ty = cell.y + oy + (-dx * sa + dy * ca + py) * s;
    }
    double Outline() const { return std::max(1.0, 0.6 + 0.5 * s); }

    // A shaded ellipse (light from the upper left) with the dark outline; `flat` skips the
    // shading, `ring` = false leaves the outline off.
    void Ball(double cx, double cy, double rx, double ry, uint32_t col, bool flat = false,
              bool ring = true) const {
        double tx, ty;
        Map(cx, cy, tx, ty);
        double ax = std::max(0.6, rx * s), ay = std::max(0.6, ry * s), o = ring ? Outline() : 0.0;
        for (int y = static_cast<int>(std::floor(ty - ay)) - 1; y <= static_cast<int>(std::ceil(ty + ay)) + 1;
             ++y)
            for (int x = static_cast<int>(std::floor(tx - ax)) - 1;
                 x <= static_cast<int>(std::ceil(tx + ax)) + 1; ++x) {
                double u = (x + 0.5 - tx) / ax, v = (y + 0.5 - ty) / ay;
                if (u * u + v * v > 1.0) continue;
                double iu = (x + 0.5 - tx) / std::max(0.3, ax - o),
                       iv = (y + 0.5 - ty) / std::max(0.3, ay - o);
                if (o > 0 && iu * iu + iv * iv > 1.0) {
                    c.Set(x, y, kInk);
                    continue;
                }
                uint32_t k = col;
                if (!flat) {
                    double light = -0.55 * u - 0.8 * v;
                    if ((u + 0.38) * (u + 0.38) + (v + 0.42) * (v + 0.42) < 0.04 && ax > 4)
                        k = Mix(col, kWhite, 0.6);
                    else if (light > 0.4)
                        k = Shade(col, 1.14);
                    else if (light < -0.45)
                        k = Shade(col, 0.8);
                }
                c.Set(x, y, k);
            }
    }
    void Fill(double cx, double cy, double rx, double ry, uint32_t col) const {
        Ball(cx, cy, rx, ry, col, true, false);
    }
    void Poly(std::initializer_list<double> pts, uint32_t col, bool ring = true) const {
        std::vector<double> p;
        for (auto it = pts.begin(); it != pts.end(); it += 2) {
            double x, y;
            Map(*it, *(it + 1), x, y);
            p.push_back(x);
            p.push_back(y);
        }
        c.FillPolygon(p, col);
        if (ring) c.FramePolygon(p, kInk, 1);
    }
    void Ink(double x1, double y1, double x2, double y2, double w = 1, uint32_t col = kInk) const {
        double a, b, d, e;
        Map(x1, y1, a, b);
        Map(x2, y2, d, e);
        c.Line(a, b, d, e, col, std::max(1, static_cast<int>(std::lround(w * s))));
    }
    // A rounded stroke with an outline, for arms, legs, stems and sticks.
    void Limb(double x1, double y1, double x2, double y2, double w, uint32_t col) const {
        double a, b, d, e;
        Map(x1, y1, a, b);
        Map(x2, y2, d, e);
        int iw = std::max(1, static_cast<int>(std::lround(w * s)));
        c.Line(a, b, d, e, kInk, iw + 2);
        c.Line(a, b, d, e, col, iw);
    }
    // An eye looking along (lx, ly) (-1..1 each).
    void Eye(double cx, double cy, double r, double lx = -1, double ly = 0, uint32_t pupil = kInk) const {
        Ball(cx, cy, r * 0.85, r, kWhite, true);
        double pr = std::max(0.7, r * 0.5);
        Fill(cx + lx * r * 0.35, cy + ly * r * 0.35 + r * 0.1, pr * 0.85, pr, pupil);
        if (r * s >= 3) Fill(cx + lx * r * 0.35 - pr * 0.35, cy + ly * r * 0.35 - pr * 0.3, 0.5, 0.5, kWhite);
    }
    void CrossEye(double cx, double cy, double r) const {
        Ink(cx - r, cy - r, cx + r, cy + r, 1.2);
        Ink(cx - r, cy + r, cx + r, cy - r, 1.2);
    }
    // Angry brows over two eyes at x1 < x2.
    void Brows(double x1, double x2, double y, double r) const {
        Ink(x1 - r, y - 1.2, x1 + r, y + 0.3, 1.2);
        Ink(x2 - r, y + 0.3, x2 + r, y - 1.2, 1.2);
    }
};

// Lightens every drawn pixel of the cell (a creature flashing while it is hit or alert).
void Whiten(Canvas& c, const Rect& r, double t) {
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right(); ++x) {
            uint32_t k = c.Get(x, y);
            if (k != kKeyColor) c.Set(x, y, Mix(k, kWhite, k == kInk ? t * 0.5 : t));
        }
}

// Darkens every drawn pixel of the cell (a wreck).
void Darken(Canvas& c, const Rect& r, double t) {
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right(); ++x) {
            uint32_t k = c.Get(x, y);
            if (k != kKeyColor) c.Set(x, y, Shade(k, t));
        }
}

// A 3 x 5 digit, `px` pixels to a dot, centred on (cx, cy).
void Digit(Pen p, int d, double cx, double cy, double px, uint32_t col) {
    static const char* kDigits[10] = {
        "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
        "111100111001111", "111100111101111", "111001010010010", "111101111101111", "111101111001111"};
    const char* g = kDigits[std::clamp(d, 0, 9)];
    for (int i = 0; i < 15; ++i)
        if (g[i] == '1') {
            double x = cx + (i % 3 - 1.5) * px, y = cy + (i / 3 - 2.5) * px;
            p.Poly({x, y, x + px, y, x + px, y + px, x, y + px}, col, false);
        }
}

struct Colors {
    uint32_t body, second, skin, dark;
};

// ---------------------------------------------------------------- walking kids (Enemy001)
// A horned-beanie kid; design box 32 x 40 with the feet on row 39.
void Kid(Pen p, int pose, const Colors& k, bool big) {
    struct P {
        double bob, lean, fb, ff, tuck;
        int arms, eyes;
    };
    static const P kPoses[8] = {{0, 0, 3, -3, 0, 0, 0},      {-1, 0.06, 6, -2, 0, 0, 0},
                                {-1, 0.06, -1, -6, 0, 5, 0}, {-2, 0, 3, -4, 4, 1, 0},
                                {0, -0.35, 3, -3, 0, 3, 1},  {2, 0, 5, -5, 0, 3, 2},
                                {0, 0.42, 8, -4, 0, 2, 0},   {1, 0.62, 11, -6, 0, 4, 0}};
    const P& q = kPoses[std::clamp(pose, 0, 7)];
    p.px = 16;
    p.py = 39;
    p.ang = q.lean;
    double b = q.bob;
    static const double kHands[6][4] = {{21, 31, 10, 31}, {23, 17, 8, 18}, {10, 26, 4, 27},
                                        {26, 24, 5, 23},  {6, 25, -1, 26}, {20, 30, 11, 28}};
    const double* h = kHands[q.arms];
    p.Limb(18, 31 + b, 17 + q.fb, 36 - q.tuck, 2, Shade(k.body, 0.55));
    p.Limb(14, 31 + b, 15 + q.ff, 36 - q.tuck, 2, Shade(k.body, 0.55));
    p.Ball(16 + q.fb, 37 - q.tuck, 4, 2.6, k.dark);
    p.Limb(18, 25 + b, h[0], h[1] + b, 2.2, k.body);
    p.Ball(h[0], h[1] + b, 2.6, 2.6, k.skin);
    p.Ball(16, 28 + b, 7.5, 7, k.body);
    p.Fill(14.5, 30.5 + b, 4, 3, Shade(k.body, 1.3));
    p.Ball(15, 15 + b, 9, 8.5, k.skin);
    // beanie with two little horns and a bobble
    p.Poly({9, 6 + b, 6, 0 + b, 12, 4 + b}, 0xF8E8C8);
    p.Poly({21, 6 + b, 25, 1 + b, 19, 4 + b}, 0xF8E8C8);
    p.Poly({5.5, 13 + b, 7, 7 + b, 11, 4 + b, 19, 4 + b, 23.5, 7.5 + b, 24.5, 13 + b, 15, 11 + b}, k.second);
    p.Ink(6.5, 11.5 + b, 24, 11.8 + b, 1, Shade(k.second, 0.7));
    if (q.eyes == 1) {
        p.CrossEye(10.5, 16 + b, 1.8);
        p.CrossEye(16.5, 16 + b, 1.8);
        p.Ball(13, 21 + b, 2, 1.6, 0x802020);
    } else if (q.eyes == 2) {
        p.Ink(8.5, 15 + b, 12, 16.5 + b, 1.2);
        p.Ink(14.5, 16.5 + b, 18, 15 + b, 1.2);
        p.Ink(11, 20.5 + b, 15, 20.5 + b);
    } else {
        p.Eye(10.5, 16 + b, 2.5);
        p.Eye(16.5, 16 + b, 2.5);
        p.Brows(10.5, 16.5, 13.2 + b, 2.2);
        p.Ink(11, 20.5 + b, 14.5, 20 + b);
    }
    if (big) {  // a plaster on the cheek
        p.Poly({19, 18 + b, 22.5, 17 + b, 23, 19 + b, 19.5, 20 + b}, 0xF4E0B0);
    }
    p.Ball(16 + q.ff, 37 - q.tuck, 4, 2.6, k.dark);
    p.Limb(13, 25 + b, h[2], h[3] + b, 2.2, k.body);
    p.Ball(h[2], h[3] + b, 2.6, 2.6, k.skin);
}

// A hovering puffball: pose 0 the idle cell, 1 the wide squashed cell.
void Pukka(Pen p, int pose) {
    const uint32_t pink = 0xF27BB0, tuft = 0xFFC0DC;
    if (pose == 0) {
        p.Poly({6, 20, 1, 13, 8, 15}, 0xC85090);
        p.Poly({34, 20, 39, 13, 32, 15}, 0xC85090);
        p.Ball(20, 22, 15, 14, pink);
        p.Ball(16, 8, 4, 3.5, tuft);
        p.Ball(22, 7, 4, 4, tuft);
        p.Eye(14, 20, 3.6);
        p.Eye(23, 20, 3.6);
        p.Brows(14, 23, 16, 3);
        p.Fill(10, 27, 2.5, 1.5, 0xFF9AC8);
        p.Fill(27, 27, 2.5, 1.5, 0xFF9AC8);
        p.Ink(16, 29, 18, 28);
        p.Ink(18, 28, 20, 29);
        p.Ink(20, 29, 22, 28);
    } else {
        p.Ball(36, 32, 34, 21, pink);
        p.Ball(30, 13, 6, 3.5, tuft);
        p.Ball(40, 12, 6, 3.5, tuft);
        p.Ink(20, 25, 27, 28, 1.5);
        p.Ink(20, 31, 27, 28, 1.5);
        p.Ink(46, 25, 39, 28, 1.5);
        p.Ink(46, 31, 39, 28, 1.5);
        p.Ball(33, 39, 7, 4, 0x801838);
        p.Fill(14, 36, 4, 2, 0xFF9AC8);
        p.Fill(56, 36, 4, 2, 0xFF9AC8);
    }
}

// A bean sprout: variant 0 rooted, variant 1 a blue walker; pose 0/1 sway.
void Moyashi(Pen p, int pose, int variant) {
    double sw = pose == 0 ? -1.5 : 1.5;
    uint32_t stem = variant ? 0xD8E8FF : 0xF4F0DC, bean = variant ? 0x8FB4F0 : 0xF6E27A,
             leaf = variant ? 0x40B0B0 : 0x58C040;
    if (variant) {
        p.Ball(8 + sw, 30, 3, 1.8, 0x2C4C90);
        p.Ball(16 - sw, 30, 3, 1.8, 0x2C4C90);
    } else {
        p.Ink(12, 31, 9, 31);
        p.Ink(12, 31, 15, 31);
    }
    p.Limb(12, 29, 12 + sw * 0.5, 21, 2.4, stem);
    p.Limb(12 + sw * 0.5, 21, 12 + sw, 14, 2.4, stem);
    p.Poly({12 + sw, 6, 4 + sw * 2, 3 - sw, 8 + sw, 7}, leaf);
    p.Poly({12 + sw, 6, 20 + sw * 2, 3 + sw, 16 + sw, 7}, leaf);
    p.Ball(12 + sw, 11, 6.5, 5.5, bean);
    p.Eye(9.5 + sw, 11, 1.7);
    p.Eye(13.5 + sw, 11, 1.7);
    p.Ink(8 + sw, 8.5, 10.5 + sw, 9.2);
    p.Ink(12.5 + sw, 9.2, 15 + sw, 8.5);
}

// ---------------------------------------------------------------- bar fighter and gunner (Enemy002)
// A round masked fighter with floating hands (drawn apart); box 40 x 48, feet on row 47.
void Fighter(Pen p, int pose) {
    struct P {
        double bob, lean, sq, fb, ff, tuck;
        int eyes;
    };
    static const P kPoses[23] = {
        {0, 0, 1, 5, -5, 0, 0},       {1, 0.1, 0.95, 6, -5, 0, 0},  {3, 0.15, 0.88, 7, -6, 0, 0},
        {0, 0.3, 1, 8, -6, 0, 0},     {0, -0.1, 1, 5, -4, 0, 0},    {-2, -0.25, 1, 6, -3, 3, 0},
        {-1, 0, 1, 4, -4, 5, 0},      {-2, 0.2, 1.03, 8, -8, 2, 0}, {0, -0.2, 1, 5, -5, 0, 0},
        {1, 0.35, 0.97, 9, -7, 0, 0}, {3, 0.2, 0.88, 7, -7, 0, 0},  {2, 0.45, 0.92, 12, -7, 0, 0},
        {-1, 0.2, 1, 7, -6, 1, 0},    {0, 0.2, 1, 1, -1, 0, 0},     {-1, 0.2, 1, -4, 5, 1, 0},
        {0, -0.15, 1, 5, -4, 0, 2},   {0, -0.3, 1, 6, -3, 0, 1},    {0, -0.45, 1, 5, -5, 3, 1},
        {1, 0, 0.97, 5, -5, 0, 0},    {-1, 0, 1.03, 5, -5, 0, 3},   {0, 0.1, 1, 7, -6, 0, 0},
        {0, -0.15, 1, 6, -4, 0, 2},   {-1, 0, 1, 4, -4, 4, 0}};
    const P& q = kPoses[std::clamp(pose, 0, 22)];
    const uint32_t gi = 0x3D5AA8, band = 0xE03030, skin = 0xF6C89A, boot = 0x3A2A20;
    p.px = 20;
    p.py = 46;
    p.ang = q.lean;
    double b = q.bob, cy = 28 + b + (1 - q.sq) * 10, ry = 13 * q.sq;
    p.Ball(20 + q.fb, 45 - q.tuck, 5, 3, boot);
    // headband tails fly behind
    p.Poly({28, cy - 9, 36, cy - 13, 35, cy - 8}, band);
    p.Poly({28, cy - 8, 35, cy - 5, 33, cy - 9}, Shade(band, 0.8));
    p.Ball(20, cy, 11, ry, gi);
    p.Fill(16, cy - 4, 7, 5, skin);
    p.Poly({9.5, cy - 10, 30.5, cy - 10, 30.5, cy - 7, 9.2, cy - 7}, band);
    p.Ink(9.6, cy + 5, 30.5, cy + 5, 2, 0x202020);
    if (q.eyes == 1) {
        p.CrossEye(12.5, cy - 4, 1.6);
        p.CrossEye(18.5, cy - 4, 1.6);
    } else if (q.eyes == 2) {
        p.Ink(10.5, cy - 3, 14, cy - 4.5, 1.2);
        p.Ink(17, cy - 4.5, 20.5, cy - 3, 1.2);
    } else {
        double r = q.eyes == 3 ? 2.6 : 2.2;
        p.Eye(12.5, cy - 4, r);
        p.Eye(18.5, cy - 4, r);
        if (q.eyes == 0) p.Brows(12.5, 18.5, cy - 6.3, 2);
    }
    p.Ball(20 + q.ff, 45 - q.tuck, 5, 3, boot);
}

// The fighter's bar (variant 0 wood, 1 a long iron bar), laid along the cell's middle row.
void Bar(Pen p, int variant) {
    if (variant == 0) {
        p.Limb(26, 16, 102, 16, 5, 0xB0723A);
        p.Ink(28, 15, 100, 15, 1, 0xD8A060);
        p.Ball(25, 16, 3.2, 3.6, 0x9098A8);
        p.Ball(103, 16, 3.2, 3.6, 0x9098A8);
        for (int i = 0; i < 3; ++i) p.Ink(58 + 4 * i, 13.5, 58 + 4 * i, 18.5, 1.5, 0xE03030);
    } else {
        p.Limb(8, 16, 120, 16, 6, 0x8A96A8);
        p.Ink(10, 14.5, 118, 14.5, 1, 0xC8D0DC);
        p.Ball(7, 16, 4, 4.5, 0x505868);
        p.Ball(121, 16, 4, 4.5, 0x505868);
        for (int i = 0; i < 4; ++i) p.Ink(56 + 5 * i, 13, 56 + 5 * i, 19, 2, 0xE03030);
    }
}

// The gunner's gun pointing left (variant 0 a pop gun, 1 a heavy cannon).
void Gun(Pen p, int variant) {
    if (variant == 0) {
        p.Poly({30, 12, 44, 12, 50, 22, 43, 23, 38, 16, 30, 16}, 0x7A4A2A);
        p.Poly({8, 7, 34, 7, 34, 16, 8, 16}, 0x6C7890);
        p.Ink(9, 9, 33, 9, 1, 0xA8B4C8);
        p.Ball(7, 11.5, 3, 5, 0x404858);
        p.Poly({22, 4, 26, 4, 26, 7, 22, 7}, 0x404858);
    } else {
        p.Poly({32, 14, 44, 14, 52, 23, 44, 23, 38, 18, 32, 18}, 0x5A3A20);
        p.Poly({6, 4, 42, 5, 42, 17, 6, 18}, 0x3E7A48);
        p.Ink(8, 7, 40, 7.5, 1, 0x70B070);
        p.Ball(5, 11, 4, 7.5, 0x2A3A2A);
        p.Fill(5, 11, 2, 4, 0x101010);
        p.Ink(24, 5, 24, 17, 2, 0xE0C040);
    }
}

// A white glove fist.
void Hand(const Pen& p) {
    p.Ball(8, 8, 6, 5.5, 0xF6F2E8);
    p.Ink(4, 6, 4, 10);
    p.Ink(7, 5.5, 7, 10.5);
}

// ---------------------------------------------------------------- ice sculpture, drill (Enemy003)
void IceSculpture(Pen p, int pose) {
    const uint32_t ice = 0xBFE8FF, deep = 0x7CC0F0, pale = 0xE8F8FF;
    p.Poly({4, 55, 28, 55, 25, 48, 7, 48}, 0x90A8C8);
    p.Poly({7, 48, 5, 36, 10, 26, 22, 26, 27, 36, 25, 48}, ice);
    p.Poly({10, 26, 16, 34, 22, 26}, pale, false);
    p.Poly({7, 48, 16, 40, 25, 48}, deep, false);
    p.Ink(16, 34, 16, 48, 1, pale);
    bool puff = pose == 1;
    double hr = puff ? 12.5 : 10;
    p.Poly({8, 9, 10, 1, 13, 7}, pale);
    p.Poly({22, 8, 24, 0, 19, 6}, pale);
    p.Ball(16, 16, hr, puff ? 11.5 : 10, ice);
    p.Fill(12, 11, 3, 2, pale);
    p.Eye(11.5, 15, 2.2, -1, 0, 0x1850A0);
    p.Eye(17.5, 15, 2.2, -1, 0, 0x1850A0);
    p.Brows(11.5, 17.5, 12.5, 2);
    if (puff) {
        p.Fill(7, 20, 3.5, 2.5, 0x9CD8FF);
        p.Fill(22, 20, 3.5, 2.5, 0x9CD8FF);
        p.Ball(10, 21, 1.6, 1.6, 0x1850A0);
    } else {
        p.Ball(12, 21, 2.2, 1.8, 0x1850A0);
    }
}

void Drill(Pen p, int frame) {
    const uint32_t steel = 0xB8C0CC, mole = 0x8A5A3A;
    p.Ball(46, 26, 14, 4.5, 0x404048);
    for (int i = 0; i < 4; ++i) p.Ball(36 + 7 * i, 26, 2.5, 2.5, 0x909098);
    p.Ball(44, 15, 15, 10, mole);
    p.Fill(40, 19, 7, 4, 0xC89870);
    p.Poly({3, 15, 27, 4, 27, 26}, steel);
    for (int i = 0; i < 4; ++i) {
        double x = 8 + i * 5 + frame * 1.25;
        double h = (x - 3) / 24 * 11;
        p.Ink(x, 15 - h, x + 3, 15 + h, 1.2, 0x6A7488);
    }
    p.Ball(29, 15, 3, 8, 0xE0A030);
    p.Ink(33, 10, 56, 8, 2, 0x5A3A24);
    p.Ball(36, 10, 3.6, 3.6, 0xA0D8F0, true);
    p.Fill(35.3, 10.3, 1.3, 1.6, kInk);
    p.Ball(57, 8, 2.5, 3, mole);
}

// ---------------------------------------------------------------- heavy baton fighter
struct BrutePose {
    double bx, feet, lean, crouch, stride, front, back;  // arm angles: 0 forward, pi/2 down
    int eyes;                                            // 0 shades, 1 crossed, 2 shades raised
};

void Brute(Pen p, const BrutePose& q) {
    const uint32_t jacket = 0x5A3FA0, pants = 0x2C2840, skin = 0xF0BC8C, hair = 0x1C1820, wood = 0x7A4A22;
    p.px = q.bx;
    p.py = q.feet;
    p.ang = q.lean;
    double f = q.feet, x = q.bx, h = 1 - q.crouch * 0.25;
    double hip = f - 22 * h, chest = f - 36 * h, head = f - 58 * h;
    auto arm = [&](double sx, double sy, double a, uint32_t col) {
        double ex = sx - std::cos(a) * 17, ey = sy + std::sin(a) * 17;
        p.Limb(sx, sy, ex, ey, 6, col);
        double tx = -std::sin(a), ty = -std::cos(a);  // along the forearm, toward the elbow
        p.Limb(ex - tx * 14, ey - ty * 14, ex + tx * 6, ey + ty * 6, 3, wood);
        p.Ball(ex, ey, 4.2, 4.2, skin);
    };
    arm(x + 7, chest - 4, q.back, Shade(jacket, 0.8));
    p.Limb(x + 4, hip, x + 4 + q.stride * 8, f - 3, 6, pants);
    p.Ball(x + 2 + q.stride * 8, f - 2, 6, 3, 0x302018);
    p.Limb(x - 4, hip, x - 4 - q.stride * 8, f - 3, 6, pants);
    p.Ball(x - 7 - q.stride * 8, f - 2, 6, 3, 0x302018);
    p.Ball(x, chest, 15, 17 * h, jacket);
    p.Poly({x - 6, chest - 15 * h, x + 3, chest - 15 * h, x - 2, chest - 2}, kWhite);
    p.Ink(x - 13, hip + 2, x + 13, hip + 2, 2, 0xE0C040);
    p.Ball(x - 2, head, 10, 10, skin);
    // a jutting pompadour
    p.Poly({x - 18, head - 9, x - 10, head - 16, x + 6, head - 15, x + 10, head - 7, x + 8, head - 3, x - 8,
            head - 7},
           hair);
    p.Ink(x - 14, head - 11, x + 4, head - 13, 1, 0x504858);
    if (q.eyes == 1) {
        p.CrossEye(x - 7, head + 1, 2);
        p.CrossEye(x + 1, head + 1, 2);
        p.Ball(x - 4, head + 7, 2.5, 2, 0x802020);
    } else {
        double r = q.eyes == 2 ? -1.5 : 0;
        p.Poly({x - 12, head - 1 + r, x + 5, head - 1 + r, x + 4, head + 3 + r, x - 2, head + 3 + r, x - 4,
                head + 1 + r, x - 6, head + 3 + r, x - 11, head + 3 + r},
               0x181820);
        p.Ink(x - 10, head + r, x - 8, head + r, 1, 0x8090B0);
        p.Ink(x - 9, head + 7, x - 3, head + 6, 1.2);
    }
    arm(x - 6, chest - 4, q.front, jacket);
}

void TonFar(Canvas& c, const Rect& r, int pose, int) {
    Pen p{c, r};
    const double kPi2 = kPi / 2;
    static const BrutePose kPoses[10] = {{26, 111, 0, 0, 0.2, kPi2 + 0.3, kPi2 + 0.5, 0},
                                         {26, 111, 0, 0.04, 0.2, kPi2 + 0.2, kPi2 + 0.4, 0},
                                         {26, 111, -0.05, 0, 0.2, 0.4, 2.6, 2},
                                         {91, 79, 0.08, 0, 0.7, kPi2 - 0.2, kPi2 + 0.6, 0},
                                         {91, 79, 0.08, 0, -0.7, kPi2 + 0.5, kPi2 - 0.3, 0},
                                         {75, 79, -0.2, 0.1, 0.6, -2.3, 2.4, 0},
                                         {99, 79, 0.35, 0.1, 1.0, 0.25, 2.4, 0},
                                         {86, 79, -0.3, 0, -0.4, -1.2, 2.0, 1},
                                         {91, 63, -0.1, 0.2, 0.9, 2.8, 2.6, 0},
                                         {103, 63, 0.45, 0.2, 1.2, 0.7, 2.6, 0}};
    if (pose < 10) {
        Brute(p, kPoses[pose]);
        return;
    }
    // 10, 11: flat on its back, a foot twitching
    const uint32_t jacket = 0x5A3FA0, skin = 0xF0BC8C;
    double lift = pose == 11 ? 4 : 0;
    p.Limb(46, 24, 64, 22 - lift, 6, 0x2C2840);
    p.Ball(66, 20 - lift, 3, 5, 0x302018);
    p.Limb(46, 26, 66, 27, 6, 0x2C2840);
    p.Ball(36, 22, 17, 9, jacket);
    p.Ball(14, 21, 9, 9, skin);
    p.Poly({4, 12, 10, 8, 20, 10, 22, 14, 8, 18}, 0x1C1820);
    p.CrossEye(11, 21, 1.8);
    p.CrossEye(17, 21, 1.8);
    p.Limb(30, 16, 26, 5, 4, jacket);
    p.Ball(26, 5, 3.5, 3.5, skin);
}

// ---------------------------------------------------------------- spell-caster (Enemy005)
// pose 0-2 standing looking down, level, up; 3-5 casting likewise; 6 knocked.
void Professor(Pen p, int pose) {
    const uint32_t robe = 0x7048B0, skin = 0xF6D0A8, beard = 0xF4F4F0, hat = 0x2A2440;
    int look = pose == 6 ? 0 : (pose % 3 == 0 ? 1 : pose % 3 == 2 ? -1 : 0);  // 1 down, -1 up
    bool cast = pose >= 3 && pose <= 5;
    p.px = 16;
    p.py = 47;
    p.ang = pose == 6 ? -0.35 : 0;
    double hy = 17 + look * 0.8;
    p.Poly({6, 47, 9, 28, 23, 28, 27, 47}, robe);
    p.Poly({9, 47, 16, 40, 23, 47}, Shade(robe, 0.75), false);
    for (int i = 0; i < 3; ++i) p.Fill(12 + 4 * i, 42, 0.8, 0.8, 0xF0D040);
    if (cast) {
        p.Limb(11, 30, 6, 20, 3, robe);
        p.Limb(21, 30, 26, 20, 3, robe);
        p.Ball(6, 19, 2.5, 2.5, skin);
        p.Ball(26, 19, 2.5, 2.5, skin);
    } else {
        p.Limb(12, 31, 9, 38, 3, robe);
        p.Ball(9, 39, 2.5, 2.5, skin);
    }
    p.Ball(16, hy, 8, 8, skin);
    p.Poly({9, hy + 2, 23, hy + 2, 20, hy + 12 - look, 16, hy + 15 - look, 12, hy + 12 - look}, beard);
    p.Ball(11.5, hy - 0.5 + look, 2.8, 2.6, 0xDDF0FF, true);
    p.Ball(18, hy - 0.5 + look, 2.8, 2.6, 0xDDF0FF, true);
    if (pose == 6) {
        p.CrossEye(11.5, hy - 0.5, 1.3);
        p.CrossEye(18, hy - 0.5, 1.3);
    } else {
        p.Fill(11 - 0.5, hy - 0.3 + look * 1.2, 1, 1.1, kInk);
        p.Fill(17.5 - 0.5, hy - 0.3 + look * 1.2, 1, 1.1, kInk);
    }
    p.Poly({2, hy - 8, 16, hy - 12, 30, hy - 8, 16, hy - 4}, hat);
    p.Poly({10, hy - 7, 22, hy - 7, 21, hy - 4, 11, hy - 4}, hat);
    p.Ink(16, hy - 8, 27, hy - 6, 1, 0xF0C020);
    p.Ball(27, hy - 5, 1.3, 2, 0xF0C020);
}

// ---------------------------------------------------------------- fish
void FlyingFish(Pen p, int frame) {
    const uint32_t blue = 0x4AA8E8, fin = 0x9AD8FF;
    p.Poly({30, 16, 39, 7, 37, 16, 39, 25}, 0x3080C8);
    if (frame == 0) p.Poly({16, 14, 24, 1, 30, 4, 24, 14}, fin);
    p.Ball(19, 16, 14, 8, blue);
    p.Fill(18, 20, 10, 3, 0xDFF4FF);
    p.Poly({14, 9, 18, 3, 24, 8}, 0x3080C8);
    if (frame == 1) p.Poly({16, 18, 24, 31, 30, 28, 24, 18}, fin);
    p.Eye(10, 13, 3);
    p.Ink(6, 10, 11, 11, 1.2);
    p.Ink(5, 19, 9, 18);
}

void NeedleFish(const Pen& p) {
    p.Poly({50, 8, 62, 1, 59, 8, 62, 15}, 0x4880A0);
    p.Ball(34, 8, 19, 5.5, 0x8FC4DC);
    p.Fill(34, 10.5, 14, 1.5, 0xE8F6FF);
    p.Poly({1, 8, 17, 5.5, 17, 10.5}, 0x5A7080);
    p.Poly({30, 3, 38, 0, 40, 4}, 0x4880A0, false);
    p.Eye(20, 7, 2.2);
}

// Pose 0 swim, 1 after the throw, 2 and 3 the wind-up.
void ThrowFish(Pen p, int pose) {
    const uint32_t orange = 0xF0A040;
    double puff = pose == 2 ? 1.5 : pose == 3 ? 3 : 0;
    p.Poly({46, 16, 62, 5, 58, 16, 62, 27}, 0xD07020);
    p.Poly({28, 4 - puff, 38, 1 - puff, 40, 6 - puff}, 0xD07020);
    p.Ball(33, 16, 16 + puff, 12 + puff, orange);
    for (int i = 0; i < 5; ++i) p.Fill(26 + 5 * i, 24 + puff * 0.5 - (i % 2), 1, 1, 0xF8E0A0);
    p.Poly({36, 18, 44, 24, 40, 15}, 0xF8C070);
    p.Eye(24 - puff * 0.5, 12, 3.2);
    p.Ink(20 - puff * 0.5, 8, 26 - puff * 0.5, 9.5, 1.3);
    if (pose == 1) {
        p.Ball(17 - puff, 18, 3.5, 4, 0x801818);
    } else if (pose == 0) {
        p.Ink(17, 18, 20, 19, 1.2);
    } else {
        p.Ball(17 - puff, 18, 1.8, 1.8, 0x801818);
        p.Fill(24, 20, 3, 2, 0xFFB080);
    }
}

// ---------------------------------------------------------------- bat (Enemy005_L)
const double kLook9[9][2] = {{0, 0}, {0, -1},     {0.8, -0.8}, {1, 0},      {0.8, 0.8},
                             {0, 1}, {-0.8, 0.8}, {-1, 0},     {-0.8, -0.8}};

// The red spinning bat (variant 0) and the green one (variant 1).
void BatBody(Pen p, int dir, int variant) {
    uint32_t fur = variant ? 0x3FA04A : 0xC84848;
    p.Poly({5, 8, 6, 0, 11, 5}, fur);
    p.Poly({19, 8, 18, 0, 13, 5}, fur);
    p.Ball(12, 13, 9.5, 9, fur);
    p.Fill(12, 16, 5, 3.5, Shade(fur, 1.35));
    dir = std::clamp(dir, 0, 8);  // nine looks: ahead and the eight directions
    double lx = kLook9[dir][0], ly = kLook9[dir][1];
    p.Eye(9 + lx * 0.8, 11 + ly * 0.8, 3, lx, ly, 0xC01818);
    p.Eye(15 + lx * 0.8, 11 + ly * 0.8, 3, lx, ly, 0xC01818);
    p.Poly({9.5, 17, 11, 17, 10.2, 19.5}, kWhite, false);
    p.Poly({13, 17, 14.5, 17, 13.8, 19.5}, kWhite, false);
}

// 0 resting wings (red), 1 resting (green), 2 wind-up, 3 the whirling attack blades (the last two
// shared by both bats, in a dark grey that goes with either).
void BatWings(Pen p, int pose) {
    uint32_t wing = pose == 1 ? 0x246A30 : pose == 0 ? 0x8A2C3C : 0x3A3A40;
    uint32_t skin = Shade(wing, 1.5);
    if (pose <= 1) {
        p.Poly({24, 20, 10, 10, 1, 18, 5, 24, 9, 22, 12, 28, 16, 25, 20, 30, 24, 27}, wing);
        p.Poly({24, 20, 38, 10, 47, 18, 43, 24, 39, 22, 36, 28, 32, 25, 28, 30, 24, 27}, wing);
        p.Ink(24, 21, 5, 20, 1, skin);
        p.Ink(24, 21, 43, 20, 1, skin);
    } else if (pose == 2) {
        p.Poly({22, 26, 12, 2, 6, 8, 8, 14, 12, 16, 13, 22, 17, 24}, wing);
        p.Poly({26, 26, 36, 2, 42, 8, 40, 14, 36, 16, 35, 22, 31, 24}, wing);
        p.Ink(22, 25, 11, 5, 1, skin);
        p.Ink(26, 25, 37, 5, 1, skin);
    } else {
        for (int i = 0; i < 4; ++i) {
            double a = i * kPi / 2, ca = std::cos(a), sa = std::sin(a);
            auto X = [&](double u, double v) { return 24 + u * ca - v * sa; };
            auto Y = [&](double u, double v) { return 24 + u * sa + v * ca; };
            p.Poly({X(4, -2), Y(4, -2), X(23, -7), Y(23, -7), X(20, 2), Y(20, 2), X(6, 4), Y(6, 4)}, wing);
            p.Ink(X(6, 0), Y(6, 0), X(21, -4), Y(21, -4), 1, skin);
        }
    }
}

// ---------------------------------------------------------------- floating turret (Enemy005_R)
const double kLook8[8][2] = {{0, -1}, {0.71, -0.71}, {1, 0},  {0.71, 0.71},
                             {0, 1},  {-0.71, 0.71}, {-1, 0}, {-0.71, -0.71}};

// The yellow sphere (variant 0) and the white one (variant 1): pose 0-7 looking up, then
// clockwise; 8 charging; 9 hurt.
void Sphere(Pen p, int pose, int variant) {
    uint32_t shell = variant ? 0xE4E8F0 : 0xE8C030;
    p.Ink(16, 4, 16, 1, 1.5);
    p.Ball(16, 1.5, 1.5, 1.5, 0xF04040, true);
    p.Ball(16, 16, 12.5, 12.5, shell);
    p.Ink(5, 20, 27, 20, 1, Shade(shell, 0.7));
    p.Fill(8, 23, 1, 1, Shade(shell, 0.6));
    p.Fill(24, 23, 1, 1, Shade(shell, 0.6));
    if (pose < 8) {
        double lx = kLook8[pose][0], ly = kLook8[pose][1];
        p.Ball(16 + lx * 4.5, 15 + ly * 4.5, 5.5, 5.5, 0xFFFFF0, true);
        p.Fill(16 + lx * 6.5, 15 + ly * 6.5, 2.6, 2.6, 0xD02020);
        p.Fill(16 + lx * 6.5 - 0.8, 15 + ly * 6.5 - 0.8, 0.7, 0.7, kWhite);
    } else if (pose == 8) {
        for (int i = 0; i < 8; ++i) {
            double a = i * kPi / 4;
            p.Ink(16 + std::cos(a) * 7, 15 + std::sin(a) * 7, 16 + std::cos(a) * 10, 15 + std::sin(a) * 10,
                  1.2, 0xFFE040);
        }
        p.Ball(16, 15, 6, 6, 0xFFF8A0, true);
        p.Fill(16, 15, 3, 3, kWhite);
    } else {
        p.Ink(11, 12, 15, 15, 1.5);
        p.Ink(11, 18, 15, 15, 1.5);
        p.Ink(21, 12, 17, 15, 1.5);
        p.Ink(21, 18, 17, 15, 1.5);
        p.Fill(25, 8, 1.5, 2.2, 0x80C8FF);
    }
}

// The blue boss's rolling drone: pose 0-7 cannon up, then clockwise; 8 firing; 9 blinking.
void Drone(Pen p, int pose) {
    const uint32_t blue = 0x3A70D0;
    double lx = 0, ly = -1;
    if (pose < 8) {
        lx = kLook8[pose][0];
        ly = kLook8[pose][1];
    }
    if (pose < 8) p.Limb(16 + lx * 6, 16 + ly * 6, 16 + lx * 13, 16 + ly * 13, 4, 0x4A5060);
    if (pose < 8) p.Ball(16 + lx * 13, 16 + ly * 13, 2.8, 2.8, 0x303840);
    p.Ball(16, 16, 10, 10, blue);
    p.Ink(7, 16, 25, 16, 1, 0xA8C8FF);
    if (pose == 9) {
        p.Ink(12, 16, 20, 16, 1.5);
    } else {
        p.Ball(16, 16, 3.5, 3.5, 0x60F0FF, true);
        p.Fill(15, 15, 1, 1, kWhite);
    }
    if (pose == 8) {
        for (int i = 0; i < 8; ++i) {
            double a = i * kPi / 4 + 0.39;
            p.Poly({16 + std::cos(a - 0.2) * 11, 16 + std::sin(a - 0.2) * 11, 16 + std::cos(a) * 15.5,
                    16 + std::sin(a) * 15.5, 16 + std::cos(a + 0.2) * 11, 16 + std::sin(a + 0.2) * 11},
                   0xFFD040);
        }
    }
}

// ---------------------------------------------------------------- Enemy006: caterpillar, tornado,
// strawberry, note ball
// variant: the walk phase, plus 2 for the right-facing cell (drawn, turned round, and the count
// drawn again so that it still reads the right way).
void Caterpillar(Canvas& c, const Rect& r, int frame, int variant) {
    Pen p{c, r};
    int phase = variant % 2;
    const uint32_t green = 0x7CC84A, bomb = frame == 8 ? 0xFF5030 : 0x3A3A48;
    double w = phase ? 1.5 : -1.5;
    for (int i = 0; i < 3; ++i) {
        double fx = 10 + 9 * i + (i % 2 ? w : -w);
        p.Ball(fx, 30, 2, 1.5, 0x305020);
    }
    p.Ball(31, 24, 5.5, 5, green);
    p.Ball(22, 23, 6, 6, green);
    p.Ball(25, 12, 8.5, 8.5, bomb);
    p.Limb(31, 6, 35, 2, 1.6, 0xC8A070);
    if (frame > 0) {
        p.Ball(36, 2, 2.5, 2.5, 0xFFD040, true, false);
        p.Fill(36, 2, 1, 1, kWhite);
    }
    if (frame >= 1 && frame <= 7) Digit(p, frame, 25.5, 12.5, 1.6, kWhite);
    if (frame == 8) p.Fill(22, 9, 3, 2, 0xFFE0C0);
    p.Ball(10, 20, 7.5, 7.5, frame == 8 ? 0xB0F080 : green);
    p.Ink(7, 13, 5, 8, 1.2);
    p.Ink(11, 13, 13, 8, 1.2);
    p.Fill(5, 8, 1.2, 1.2, 0xF04040);
    p.Fill(13, 8, 1.2, 1.2, 0xF04040);
    p.Eye(7, 19, 2.2);
    p.Eye(12, 19, 2.2);
    p.Brows(7, 12, 16.5, 1.8);
    p.Ink(7, 24, 10, 24);
    if (variant >= 2) {
        Canvas copy = c;
        c.Blit(copy, r, r.x, r.y, true);
        if (frame >= 1 && frame <= 7) {
            p.Ball(r.w - 25, 12, 5, 5.5, bomb, true, false);
            Digit(p, frame, r.w - 25.5, 12.5, 1.6, kWhite);
        }
    }
}

void Tornado(Pen p, int frame) {
    const uint32_t air = 0xCFE4F0, band = 0x8AB4D0;
    for (int i = 0; i < 6; ++i) {
        double y = 6 + i * 4.2, hw = 13 - i * 1.8, dx = std::sin(frame * kPi / 2 + i) * 1.5;
        p.Ball(16 + dx, y, hw, 3, (i + frame) % 2 ? air : Mix(air, band, 0.5));
    }
    for (int i = 0; i < 3; ++i) {
        double a = frame * kPi / 2 + i * 2.1;
        p.Ball(16 + std::cos(a) * 13, 14 + std::sin(a) * 4, 1.6, 1.6, 0x8A6A40);
    }
    p.Eye(12, 9, 2.2);
    p.Eye(18, 9, 2.2);
    p.Brows(12, 18, 6.5, 1.8);
}

// 0 stand, 1 and 3 falling, 2 and 4 rising, 5 striking, 6 rolled up, 7 dizzy, 8 knocked.
void Strawberry(Pen p, int pose) {
    const uint32_t red = 0xE83848, leaf = 0x48B040, seed = 0xF8E070;
    if (pose == 6) {
        p.Ball(20, 20, 14, 14, red);
        for (int i = 0; i < 10; ++i) {
            double a = i * 0.63;
            p.Fill(20 + std::cos(a) * 8, 20 + std::sin(a) * 8, 0.9, 1.2, seed);
        }
        p.Poly({20, 6, 14, 2, 18, 9, 26, 3}, leaf);
        p.Ink(12, 22, 18, 22, 1.2);
        return;
    }
    double up = (pose == 2 || pose == 4) ? -2 : 0, tall = (pose == 2 || pose == 4) ? 1.08 : 1.0;
    p.px = 20;
    p.py = 39;
    p.ang = pose == 8 ? -0.4 : pose == 5 ? 0.25 : 0;
    bool armsUp = pose == 1 || pose == 3 || pose == 7;
    p.Ball(15, 37 + up, 3.5, 2.2, 0x2A6A20);
    p.Ball(25, 37 + up, 3.5, 2.2, 0x2A6A20);
    p.Limb(28, 22 + up, armsUp ? 34 : 33, armsUp ? 12 + up : 27 + up, 1.6, leaf);
    p.Poly({8, 18 + up, 32, 18 + up, 28, 31 * tall + up, 20, 37 + up, 12, 31 * tall + up}, red);
    p.Ball(20, 21 + up, 12.5, 11 * tall, red);
    for (int i = 0; i < 7; ++i) p.Fill(12 + (i * 37 % 17), 23 + up + (i * 13 % 9), 0.8, 1.1, seed);
    p.Poly(
        {8, 12 + up, 14, 8 + up, 20, 6 + up, 26, 8 + up, 32, 12 + up, 24, 13 + up, 20, 11 + up, 16, 13 + up},
        leaf);
    p.Limb(20, 7 + up, 21, 2 + up, 1.4, 0x3A8A30);
    if (pose == 8) {
        p.CrossEye(14, 20 + up, 1.8);
        p.CrossEye(21, 20 + up, 1.8);
    } else if (pose == 7) {
        p.Ink(12, 19 + up, 16, 21 + up, 1.2);
        p.Ink(12, 21 + up, 16, 19 + up, 1.2);
        p.Eye(21, 20 + up, 2.3);
    } else {
        p.Eye(14, 20 + up, 2.4);
        p.Eye(21, 20 + up, 2.4);
        p.Brows(14, 21, 17 + up, 2);
    }
    p.Ink(15, 26 + up, 19, 25.5 + up, 1.2);
    double hx = armsUp ? 3 : pose == 5 ? 1 : 4, hy = armsUp ? 14 : pose == 5 ? 24 : 29;
    p.Limb(9, 25 + up, hx, hy + up, 1.6, leaf);
}

void NoteBall(Pen p, int pose) {
    static const uint32_t kDisc[5] = {0xE84040, 0xF4C020, 0x40C060, 0x4080E8, 0xA050D0};
    if (pose == 0) {
        p.Ball(20, 20, 18.5, 18.5, 0xF8F4E8);
        for (int i = 0; i < 12; ++i) {
            double a = i * kPi / 6;
            p.Fill(20 + std::cos(a) * 14.5, 20 + std::sin(a) * 14.5, 1, 1, 0xB0A890);
        }
        p.Eye(15, 7, 1.8, -0.5, 0);
        p.Eye(25, 7, 1.8, -0.5, 0);
        return;
    }
    uint32_t col = kDisc[std::clamp(pose - 1, 0, 4)];
    p.Ball(20, 20, 11, 11, col);
    p.Fill(18, 24, 3, 2.3, kWhite);
    p.Ink(20.5, 24, 20.5, 14, 1.3, kWhite);
    p.Poly({20, 13, 25, 15, 25, 18, 21, 16}, kWhite, false);
}

// ---------------------------------------------------------------- Enemy007: bespectacled fighter, spiny
// creature variant 0 swings a bar (cells 6-9 are 64 wide), variant 1 fights with kicks.
void Megane(Pen p, int pose, int variant) {
    const uint32_t suit = variant ? 0xE07830 : 0x40A060, skin = 0xF6C89A, hair = 0x4A2A18;
    bool wide = variant == 0 && pose >= 6;
    p.ox = wide ? 32 - 6 : 0;
    struct P {
        double bob, lean, fb, ff, tuck;
    };
    static const P kPoses[10] = {{0, 0, 4, -4, 0},     {-1, 0.05, 7, -2, 0}, {-1, 0.05, -1, -6, 0},
                                 {-2, 0, 3, -4, 4},    {0, -0.2, 5, -2, 0},  {0, -0.5, 4, -4, 3},
                                 {2, -0.15, 6, -6, 0}, {1, 0.3, 8, -7, 0},   {-2, -0.15, 4, -4, 4},
                                 {-2, 0.3, 6, -8, 3}};
    const P& q = kPoses[std::clamp(pose, 0, 9)];
    p.px = 20;
    p.py = 47;
    p.ang = q.lean;
    double b = q.bob;
    p.Ball(20 + q.fb, 45 - q.tuck, 4.5, 2.8, 0x303040);
    bool kick = variant == 1 && (pose == 7 || pose == 9);
    p.Ball(20, 33 + b, 9, 10, suit);
    p.Fill(17, 35 + b, 5, 5, Shade(suit, 1.3));
    p.Ball(19, 17 + b, 9.5, 9, skin);
    p.Poly({9, 16 + b, 10, 9 + b, 16, 7 + b, 24, 7 + b, 29, 11 + b, 29, 17 + b, 22, 12 + b, 12, 12 + b},
           hair);
    p.Ball(13, 18 + b, 3.4, 3.4, 0xE0F4FF, true);
    p.Ball(21, 18 + b, 3.4, 3.4, 0xE0F4FF, true);
    p.Ink(16.4, 18 + b, 17.6, 18 + b);
    if (pose == 5) {
        p.CrossEye(13, 18 + b, 1.4);
        p.CrossEye(21, 18 + b, 1.4);
    } else {
        p.Fill(12.2, 18.4 + b, 1, 1.2, kInk);
        p.Fill(20.2, 18.4 + b, 1, 1.2, kInk);
        p.Ink(10.5, 13.8 + b, 15, 15 + b, 1.2);
        p.Ink(19, 15 + b, 23.5, 13.8 + b, 1.2);
    }
    p.Ink(15, 23 + b, 19, 23 + b);
    if (kick) {
        p.Limb(18, 38 + b, 7, 31 + b, 3, Shade(suit, 0.7));
        p.Ball(4.5, 30 + b, 3.4, 2.8, 0x303040);
    } else {
        p.Ball(20 + q.ff, 45 - q.tuck, 4.5, 2.8, 0x303040);
    }
    // arms and, for variant 0, the bar
    double hx = 10, hy = 33 + b;
    if (pose == 6 || pose == 8) {
        hx = 28;
        hy = 22 + b;
    } else if (pose == 7 || pose == 9) {
        hx = variant ? 8 : 6;
        hy = 30 + b;
    }
    if (wide) {
        if (pose == 6 || pose == 8)
            p.Limb(hx, hy, hx + 4, hy - 20, 3, 0xB0723A);
        else
            p.Limb(hx, hy, hx - 30, hy + 2, 3, 0xB0723A);
    }
    p.Limb(18, 29 + b, hx, hy, 2.4, suit);
    p.Ball(hx, hy, 2.8, 2.8, skin);
}

// 0 and 1 walking, 2 the rolled ball (40 x 40), 3 and 4 dashing.
void Needle(Pen p, int pose) {
    const uint32_t fur = 0xB07A48, spine = 0x5A3A28, face = 0xF0D0A0;
    if (pose == 2) {
        for (int i = 0; i < 14; ++i) {
            double a = i * kPi / 7;
            p.Poly({20 + std::cos(a - 0.2) * 11, 20 + std::sin(a - 0.2) * 11, 20 + std::cos(a) * 19.5,
                    20 + std::sin(a) * 19.5, 20 + std::cos(a + 0.2) * 11, 20 + std::sin(a + 0.2) * 11},
                   spine);
        }
        p.Ball(20, 20, 13, 13, fur);
        p.Fill(17, 17, 5, 4, Shade(fur, 1.25));
        return;
    }
    bool dash = pose >= 3;
    double step = (pose == 1 || pose == 4) ? 3 : -3;
    p.Ball(16 + step, 29, 3, 2, 0x3A2418);
    p.Ball(34 - step, 29, 3, 2, 0x3A2418);
    for (int i = 0; i < 7; ++i) {
        double x = 14 + i * 4.8, lean = dash ? 9 : 5;
        p.Poly({x - 4, 16, x + lean, dash ? 7.0 : 2.0, x + 3, 17}, spine);
    }
    p.Ball(27, 19, 16, 9.5, fur);
    p.Poly({14, 14, 2, 21, 14, 25}, face);
    p.Ball(2.5, 21, 1.8, 1.6, kInk);
    p.Eye(13, 17, 2.3);
    p.Ink(10, 14, 15, 15.5, 1.2);
}

// ---------------------------------------------------------------- Enemy008: thrower, flying machine
// 0/1 idle, 2 wind-up, 3 throw, 4 air, 5 wind-up in the air, 6 throw in the air, 7 knocked.
void Thrower(Pen p, int pose, int kind) {
    uint32_t fur = kind ? 0x8890B8 : 0xA0683A, face = kind ? 0xDCE4F8 : 0xF0C898;
    bool air = pose >= 4 && pose <= 6;
    double b = pose == 1 ? 1 : air ? -2 : 0;
    p.px = 20;
    p.py = 39;
    p.ang = pose == 7 ? -0.45 : pose == 3 || pose == 6 ? 0.2 : 0;
    p.Limb(27, 31 + b, 35, 27 + b, 2, fur);
    p.Limb(35, 27 + b, 35, 21 + b, 2, fur);
    p.Ball(15, 37 - (air ? 3 : 0), 3.5, 2.2, Shade(fur, 0.6));
    p.Ball(24, 37 - (air ? 3 : 0), 3.5, 2.2, Shade(fur, 0.6));
    bool windUp = pose == 2 || pose == 5;
    if (windUp) {  // the arm goes up behind the head; the ball is drawn over it apart
        p.Limb(22, 25 + b, 26, 4 + b, 2.4, fur);
        p.Ball(26, 4 + b, 2.6, 2.6, face);
    }
    p.Ball(20, 28 + b, 8.5, 8, fur);
    p.Fill(18.5, 30 + b, 5, 4.5, face);
    p.Ball(27, 11 + b, 3.5, 3.5, fur);
    p.Ball(18, 15 + b, 9, 8.5, fur);
    p.Fill(15.5, 17 + b, 6.5, 5.5, face);
    if (pose == 7) {
        p.CrossEye(13, 15 + b, 1.6);
        p.CrossEye(19, 15 + b, 1.6);
        p.Ball(15, 21 + b, 2, 1.6, 0x802020);
    } else {
        p.Eye(13, 15 + b, 2.4);
        p.Eye(19, 15 + b, 2.4);
        p.Brows(13, 19, 12.2 + b, 2);
        p.Ink(12.5, 20.5 + b, 17, 21 + b, 1.2);
    }
    if (windUp) return;
    double hx = 10, hy = 30 + b;
    if (pose == 3 || pose == 6) {
        hx = 4;
        hy = 24 + b;
    } else if (pose == 7) {
        hx = 6;
        hy = 20 + b;
    }
    p.Limb(15, 25 + b, hx, hy, 2.4, fur);
    p.Ball(hx, hy, 2.6, 2.6, face);
}

// 1 flying, 3 flashing when hit, 0 and 2 the wreck going down.
void SkyMobile(Canvas& c, const Rect& r, int pose, int) {
    Pen p{c, r};
    bool wreck = pose == 0 || pose == 2;
    p.px = 52;
    p.py = 40;
    p.ang = wreck ? -0.18 : 0;
    const uint32_t hull = 0xE8A030, trim = 0xC04030;
    p.Limb(52, 10, 52, 4, 2, 0x505060);
    p.Ink(24, 4, 80, 4, 2, wreck ? 0x505060 : 0x808898);
    p.Ball(52, 4, 3, 2, 0x505060);
    p.Ball(94, 36, 8, 11, 0x808898);
    p.Ink(94, 24, 94, 48, 2, 0xC0C8D8);
    p.Ball(54, 38, 40, 15, hull);
    p.Ink(16, 42, 92, 42, 3, trim);
    p.Ball(10, 38, 5, 5, 0x808898);
    p.Limb(40, 52, 30, 60, 3, 0x505060);
    p.Ball(29, 60, 3, 2.5, 0x303038);
    p.Ball(44, 22, 14, 11, 0xBFE6F8, true);
    // the pilot is one of the masked fighters (its falling pose is the fighter's knocked cell)
    p.Ball(44, 25, 7, 7, 0x3D5AA8);
    p.Fill(42, 25, 4.5, 3, 0xF6C89A);
    p.Poly({37, 19.5, 51, 19.5, 51, 22, 37, 22}, 0xE03030);
    p.Eye(40.5, 25, 1.8, -1, 0);
    p.Eye(44.5, 25, 1.8, -1, 0);
    p.Ink(38, 13, 48, 12, 1, kWhite);
    for (int i = 0; i < 3; ++i) p.Fill(64 + 8 * i, 34, 2, 2, 0x3A3A48);
    if (wreck) {
        p.Ink(58, 28, 66, 38, 1.5);
        p.Ink(66, 38, 62, 46, 1.5);
        p.Ball(78, 22, 7, 6, 0x605858);
        p.Ball(86, 14, 5, 4.5, 0x807878);
        if (pose == 2) {
            p.Poly({66, 30, 70, 16, 74, 26, 78, 12, 80, 30}, 0xF07020);
            p.Poly({70, 30, 73, 22, 76, 30}, 0xFFE060, false);
        }
    }
    if (pose == 3) Whiten(c, r, 0.65);
    if (pose == 0) Darken(c, r, 0.8);
}

// ---------------------------------------------------------------- Enemy009: magician and the blue machines
// 0 still, 1/2 swooping, 3/4 hovering, 5 casting, 6 leaving, 7 knocked.
void Magician(Pen p, int pose) {
    const uint32_t cloak = 0x5030A0, hat = 0x3A2A80, skin = 0xC8E8A0;
    double flap = pose % 2 ? 2 : -2;
    p.px = 20;
    p.py = 30;
    p.ang = (pose == 1 || pose == 2) ? 0.3 : pose == 7 ? -0.6 : pose == 6 ? -0.1 : 0;
    p.Poly({12, 22, 28, 22, 32 + flap, 40, 26, 36, 20, 46 + flap, 14, 37, 8 - flap, 42}, cloak);
    p.Poly({16, 24, 24, 24, 22, 34, 18, 34}, Shade(cloak, 1.4), false);
    p.Ball(19, 19, 7.5, 7, skin);
    p.Poly({9, 14, 31, 14, 28, 11, 12, 11}, hat);
    p.Poly({13, 12, 27, 12, 25, 2, 30 + flap, -1}, hat);
    p.Fill(21, 8, 1.2, 1.2, 0xF0D040);
    if (pose == 7) {
        p.CrossEye(15, 19, 1.5);
        p.CrossEye(21, 19, 1.5);
    } else {
        p.Ball(15, 19, 1.8, 1.8, 0xFFE040, true);
        p.Ball(21, 19, 1.8, 1.8, 0xFFE040, true);
        p.Fill(14.6, 19, 0.6, 0.8, kInk);
        p.Fill(20.6, 19, 0.6, 0.8, kInk);
    }
    p.Ink(15, 23.5, 19, 24);
    static const double kHand[8][2] = {{17, 35}, {12, 28}, {12, 28}, {21, 28},
                                       {21, 28}, {17, 28}, {17, 28}, {22, 36}};
    const double* h = kHand[std::clamp(pose, 0, 7)];
    p.Limb(18, 26, h[0], h[1], 2.2, cloak);
    p.Ball(h[0], h[1], 2.3, 2.3, skin);
}

// A magic staff across the cell: 0 lit, 1 dimmed, 2 trailing sparks.
void Staff(Pen p, int pose) {
    p.Limb(20, 16, 86, 16, 3, 0x7A4A22);
    p.Ink(22, 15, 84, 15, 1, 0xB07840);
    uint32_t gem = pose == 1 ? 0x806898 : 0xE070F0;
    p.Poly({12, 16, 20, 9, 22, 16, 20, 23}, 0xB0B8C8);
    p.Ball(12, 16, 6, 6, gem);
    if (pose == 2)
        for (int i = 0; i < 4; ++i) p.Fill(40 + 12 * i, 22 - (i % 2) * 10, 1.5, 1.5, 0xFFE880);
    if (pose == 0)
        for (int i = 0; i < 4; ++i)
            p.Ink(12 + std::cos(i * kPi / 2) * 8, 16 + std::sin(i * kPi / 2) * 8,
                  12 + std::cos(i * kPi / 2) * 11, 16 + std::sin(i * kPi / 2) * 11, 1, 0xFFE0FF);
}

void PenStar(const Pen& p, double cx, double cy, double r, uint32_t col) {
    p.Poly({cx,
            cy - r,
            cx + r * 0.3,
            cy - r * 0.3,
            cx + r,
            cy - r * 0.2,
            cx + r * 0.45,
            cy + r * 0.25,
            cx + r * 0.6,
            cy + r,
            cx,
            cy + r * 0.55,
            cx - r * 0.6,
            cy + r,
            cx - r * 0.45,
            cy + r * 0.25,
            cx - r,
            cy - r * 0.2,
            cx - r * 0.3,
            cy - r * 0.3},
           col);
}

// 0 anchor spark, 1 ring particle, 2 magic ball, 3 and 4 the dizzy stars.
void MagicBits(Pen p, int pose) {
    if (pose == 0) {
        PenStar(p, 8, 8, 7, 0xFFE040);
    } else if (pose == 1) {
        p.Ball(8, 8, 5.5, 5.5, 0xE070F0);
        p.Fill(7, 7, 2, 2, kWhite);
    } else if (pose == 2) {
        p.Ball(16, 16, 14, 14, 0xB050E0);
        p.Fill(16, 16, 8, 8, 0xE8A0FF);
        p.Fill(13, 12, 3, 3, kWhite);
    } else {
        double a0 = pose == 3 ? 0 : kPi / 3;
        for (int i = 0; i < 3; ++i) {
            double a = a0 + i * 2 * kPi / 3;
            PenStar(p, 24 + std::cos(a) * 14, 24 + std::sin(a) * 6, 5.5, i % 2 ? 0xFFF0A0 : 0xFFD040);
        }
    }
}

// The blue boss's small machines: 0-2 the walker standing, hopping, firing; 3 the spinner; 4 the bomb.
void BlueMachine(Pen p, int pose) {
    const uint32_t blue = 0x3A70D0, steel = 0x606878;
    if (pose <= 2) {
        double up = pose == 1 ? -4 : 0;
        p.Limb(14, 28 + up, 12, 37 + up * 0.3, 2.5, steel);
        p.Limb(26, 28 + up, 28, 37 + up * 0.3, 2.5, steel);
        p.Ball(11, 37 + up * 0.3, 4, 2, 0x303840);
        p.Ball(29, 37 + up * 0.3, 4, 2, 0x303840);
        p.Ink(20, 10 + up, 20, 4 + up, 1.5, steel);
        p.Ball(20, 3.5 + up, 2, 2, 0xF04040, true);
        p.Limb(10, 20 + up, 2, 20 + up, 4, steel);
        p.Poly({8, 10 + up, 32, 10 + up, 32, 30 + up, 8, 30 + up}, blue);
        p.Ink(9, 12 + up, 31, 12 + up, 1, 0x90B8FF);
        p.Ball(16, 19 + up, 4.5, 4.5, 0x60F0FF, true);
        p.Fill(15, 18 + up, 1.5, 1.5, kWhite);
        if (pose == 2) PenStar(p, 3, 20, 5, 0xFFD040);
    } else if (pose == 3) {
        p.Ball(20, 24, 17, 5, steel);
        p.Ball(20, 20, 11, 9, blue);
        p.Ball(20, 20, 4, 4, 0x60F0FF, true);
        p.Limb(20, 11, 20, 5, 2, steel);
        p.Ink(6, 3, 34, 7, 2, 0xA0A8B8);
    } else {
        p.Ball(16, 18, 12, 12, blue);
        p.Poly({12, 4, 20, 4, 20, 8, 12, 8}, steel);
        p.Fill(12, 14, 3, 3, 0xA8C8FF);
        p.Ink(8, 20, 24, 20, 1.5, 0x1C3880);
    }
}

// ---------------------------------------------------------------- flowers
// variant 0 the pink flower, 1 the sunflower; pose 0 standing, 1 wind-up, 2 throw; 3-5 the same, flashing.
void Flower(Canvas& c, const Rect& r, int pose, int variant) {
    Pen p{c, r};
    int q = pose % 3;
    p.px = 20;
    p.py = 39;
    p.ang = q == 1 ? -0.25 : q == 2 ? 0.3 : 0;
    uint32_t petal = variant ? 0xF8C828 : 0xF07AB0, heart = variant ? 0x8A5A28 : 0xFFE080;
    p.Limb(20, 38, 20, 22, 2.4, 0x48A040);
    p.Poly({20, 33, 28, 26, 33, 30, 26, 34}, 0x58C048);
    p.Poly({20, 31, 12, 25, 7, 29, 14, 33}, 0x58C048);
    p.Poly({13, 39, 27, 39, 25, 34, 15, 34}, 0x8A5A30);
    int n = variant ? 10 : 6;
    double pr = variant ? 4 : 5.5, rr = variant ? 10.5 : 9;
    for (int i = 0; i < n; ++i) {
        double a = i * 2 * kPi / n;
        p.Ball(20 + std::cos(a) * rr, 14 + std::sin(a) * rr, pr, pr, petal);
    }
    p.Ball(20, 14, 7.5, 7.5, heart);
    uint32_t eye = variant ? 0xFFF0C0 : kInk;
    if (q == 2) {
        p.Ink(15, 12, 18, 13.5, 1.4, eye);
        p.Ink(22, 13.5, 25, 12, 1.4, eye);
        p.Ball(19, 17.5, 2.5, 2, 0x801818);
    } else {
        p.Fill(16.5, 13, 1.1, 1.5, eye);
        p.Fill(22, 13, 1.1, 1.5, eye);
        p.Ink(15, 10.5, 18, 11.5, 1, eye);
        p.Ink(21, 11.5, 24, 10.5, 1, eye);
        p.Ink(18, 17.5, 21, 17.5, 1, eye);
    }
    if (pose >= 3) Whiten(c, r, 0.55);
}

void KidCell(Canvas& c, const Rect& r, int pose, int variant) {
    Pen p{c, r};
    if (variant == 0) {
        Colors k{0xE4572E, 0x7048C0, 0xF6C89A, 0x5A3A20};
        p.ox = pose >= 6 ? 7 : 0;
        Kid(p, pose, k, false);
    } else {
        Colors k{0x2F9E5A, 0xC03040, 0xF0BC8C, 0x3A2A20};
        p.s = 1.5;
        p.ox = pose >= 6 ? 12 : 8;
        p.oy = 64 - 40 * 1.5;
        Kid(p, pose, k, true);
    }
}

using CellFn = void (*)(Canvas&, const Rect&, int pose, int variant);

template <void (*F)(Pen, int)>
void Posed(Canvas& c, const Rect& r, int pose, int) {
    F(Pen{c, r}, pose);
}
template <void (*F)(Pen, int, int)>
void PosedVariant(Canvas& c, const Rect& r, int pose, int variant) {
    F(Pen{c, r}, pose, variant);
}
void BarCell(Canvas& c, const Rect& r, int, int variant) { Bar(Pen{c, r}, variant); }
void GunCell(Canvas& c, const Rect& r, int, int variant) { Gun(Pen{c, r}, variant); }
void HandCell(Canvas& c, const Rect& r, int, int) { Hand(Pen{c, r}); }
void NeedleFishCell(Canvas& c, const Rect& r, int, int) { NeedleFish(Pen{c, r}); }

const std::map<std::string, CellFn>& EnemyKinds() {
    static const std::map<std::string, CellFn> t = {
        {"kid", KidCell},
        {"pukka", Posed<Pukka>},
        {"moyashi", PosedVariant<Moyashi>},
        {"fighter", Posed<Fighter>},
        {"bar", BarCell},
        {"gun", GunCell},
        {"hand", HandCell},
        {"icesculpture", Posed<IceSculpture>},
        {"drill", Posed<Drill>},
        {"tonfar", TonFar},
        {"professor", Posed<Professor>},
        {"flyingfish", Posed<FlyingFish>},
        {"needlefish", NeedleFishCell},
        {"throwfish", Posed<ThrowFish>},
        {"batbody", PosedVariant<BatBody>},
        {"batwings", Posed<BatWings>},
        {"sphere", PosedVariant<Sphere>},
        {"drone", Posed<Drone>},
        {"caterpillar", Caterpillar},
        {"tornado", Posed<Tornado>},
        {"strawberry", Posed<Strawberry>},
        {"noteball", Posed<NoteBall>},
        {"megane", PosedVariant<Megane>},
        {"needle", Posed<Needle>},
        {"thrower", PosedVariant<Thrower>},
        {"skymobile", SkyMobile},
        {"magician", Posed<Magician>},
        {"staff", Posed<Staff>},
        {"magic", Posed<MagicBits>},
        {"bluemachine", Posed<BlueMachine>},
        {"flower", Flower},
    };
    return t;
}

}  // namespace

void DrawEnemyShape(Canvas& canvas, const Line& op) {
    Rect r{op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)};
    std::string kind = op.Str("kind", "kid");
    auto it = EnemyKinds().find(kind);
    if (it == EnemyKinds().end()) op.Fail("unknown enemy kind '" + kind + "'");
    canvas.SetClip(r);
    it->second(canvas, r, op.Int("pose", 0), op.Int("variant", 0));
}

}  // namespace gen
