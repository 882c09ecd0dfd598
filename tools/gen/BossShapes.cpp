#include "tools/gen/BossShapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace gen {
namespace {

struct Pt {
    double x, y;
};

// Faces a pose can wear.
enum BossFace { kBossCalm, kBossHurt, kBossKnockedOut };

// One stick-man pose in a 40 x 40 cell, facing left (forward is towards smaller x). The hands
// are where the figure's separate hand dots sit; a pose whose hands are not drawn apart
// (`fists`) draws them itself.
struct BossPose {
    Pt head, hip, foot1, foot2, hand1, hand2;
    bool fists;
    BossFace face;
};

// Pages 1 and 2, column by column, six rows each (row + 6 x column + 36 x (page - 1)).
// Foot 1 and hand 1 are the near limbs, drawn in front.
const std::array<BossPose, 72>& BossPoses() {
    static const std::array<BossPose, 72> p = {{
        // page 1, column 0: stand, dash, airborne, knocked, bar raised twice
        {{19, 7}, {20, 25}, {15, 38}, {26, 38}, {10, 26}, {26, 22}, false, kBossCalm},
        {{14, 10}, {21, 26}, {9, 37}, {33, 33}, {13, 29}, {29, 25}, false, kBossCalm},
        {{20, 8}, {21, 26}, {15, 36}, {28, 34}, {10, 10}, {25, 10}, false, kBossCalm},
        {{25, 9}, {20, 26}, {12, 35}, {27, 38}, {10, 10}, {27, 26}, false, kBossHurt},
        {{21, 7}, {20, 25}, {13, 38}, {26, 38}, {16, 10}, {20, 26}, false, kBossCalm},
        {{21, 7}, {20, 25}, {15, 38}, {25, 38}, {16, 10}, {20, 26}, false, kBossCalm},
        // column 1: step back, dash, airborne, knocked, swing halfway twice
        {{20, 7}, {21, 25}, {13, 38}, {28, 37}, {10, 27}, {26, 23}, false, kBossCalm},
        {{14, 10}, {21, 26}, {17, 38}, {27, 32}, {13, 28}, {29, 24}, false, kBossCalm},
        {{20, 8}, {21, 26}, {14, 34}, {27, 36}, {10, 11}, {25, 11}, false, kBossCalm},
        {{26, 10}, {20, 27}, {11, 37}, {28, 36}, {13, 8}, {27, 28}, false, kBossHurt},
        {{18, 7}, {20, 25}, {12, 38}, {27, 38}, {7, 15}, {21, 24}, false, kBossCalm},
        {{19, 7}, {20, 25}, {13, 38}, {27, 38}, {12, 15}, {26, 24}, false, kBossCalm},
        // column 2: step, dash, airborne, crouched guard, thrust twice
        {{20, 7}, {20, 25}, {17, 38}, {23, 38}, {10, 27}, {26, 23}, false, kBossCalm},
        {{14, 10}, {21, 26}, {12, 37}, {30, 35}, {13, 28}, {29, 24}, false, kBossCalm},
        {{20, 8}, {21, 26}, {16, 37}, {26, 35}, {10, 11}, {25, 11}, false, kBossCalm},
        {{21, 11}, {22, 28}, {14, 38}, {29, 38}, {9, 18}, {18, 26}, false, kBossCalm},
        {{15, 8}, {21, 25}, {9, 38}, {31, 37}, {3, 24}, {19, 20}, false, kBossCalm},
        {{16, 8}, {21, 25}, {10, 38}, {31, 37}, {5, 24}, {21, 20}, false, kBossCalm},
        // column 3: run, ready crouch, spinning overhead, arms folded, stand twice
        {{16, 8}, {21, 25}, {11, 35}, {30, 34}, {9, 27}, {25, 23}, false, kBossCalm},
        {{19, 11}, {22, 28}, {12, 38}, {30, 38}, {18, 26}, {34, 22}, false, kBossCalm},
        {{21, 8}, {21, 25}, {15, 38}, {27, 38}, {9, 9}, {24, 24}, false, kBossCalm},
        {{20, 7}, {20, 25}, {16, 38}, {25, 38}, {14, 19}, {26, 19}, true, kBossCalm},
        {{20, 7}, {20, 25}, {14, 38}, {26, 38}, {12, 28}, {28, 24}, false, kBossCalm},
        {{20, 7}, {20, 25}, {15, 38}, {27, 38}, {12, 28}, {28, 24}, false, kBossCalm},
        // column 4: run, tucked whirl, spinning overhead, cheering, stand twice
        {{16, 8}, {21, 24}, {18, 37}, {24, 32}, {9, 26}, {25, 22}, false, kBossCalm},
        {{17, 14}, {23, 25}, {14, 30}, {22, 33}, {12, 22}, {26, 19}, true, kBossCalm},
        {{21, 8}, {21, 25}, {15, 38}, {27, 38}, {9, 9}, {22, 23}, false, kBossCalm},
        {{20, 9}, {20, 26}, {14, 38}, {26, 38}, {11, 3}, {29, 3}, true, kBossCalm},
        {{18, 8}, {20, 25}, {11, 38}, {27, 38}, {7, 28}, {23, 24}, false, kBossCalm},
        {{18, 8}, {20, 25}, {12, 38}, {26, 38}, {7, 28}, {23, 24}, false, kBossCalm},
        // column 5: run, hop back, spinning overhead, crouch, wind-up, bar spun at the side
        {{16, 8}, {21, 25}, {27, 35}, {11, 33}, {9, 26}, {25, 22}, false, kBossCalm},
        {{21, 8}, {21, 25}, {14, 34}, {28, 31}, {14, 11}, {29, 11}, false, kBossCalm},
        {{21, 8}, {21, 25}, {15, 38}, {27, 38}, {9, 9}, {20, 23}, false, kBossCalm},
        {{18, 14}, {22, 29}, {12, 38}, {30, 38}, {10, 30}, {26, 26}, false, kBossCalm},
        {{17, 10}, {21, 27}, {10, 38}, {30, 38}, {20, 28}, {31, 18}, false, kBossCalm},
        {{20, 7}, {20, 25}, {13, 38}, {28, 38}, {3, 22}, {30, 27}, false, kBossCalm},
        // page 2, column 0: crouch to leap, thrust, plunge, hop, spin the bar, arms spread
        {{17, 12}, {21, 28}, {12, 38}, {29, 38}, {13, 28}, {29, 12}, false, kBossCalm},
        {{14, 8}, {21, 25}, {8, 38}, {33, 37}, {5, 19}, {30, 27}, false, kBossCalm},
        {{25, 10}, {21, 25}, {15, 33}, {28, 31}, {17, 28}, {20, 7}, false, kBossCalm},
        {{19, 7}, {21, 24}, {13, 33}, {28, 33}, {10, 27}, {26, 23}, false, kBossCalm},
        {{21, 8}, {21, 25}, {14, 38}, {28, 38}, {11, 9}, {26, 24}, false, kBossCalm},
        {{20, 7}, {20, 25}, {14, 38}, {27, 38}, {3, 22}, {30, 27}, false, kBossCalm},
        // column 1: leap, thrust, slam landing, stand twice, follow-through
        {{22, 8}, {21, 24}, {16, 37}, {27, 36}, {16, 28}, {19, 7}, false, kBossCalm},
        {{13, 11}, {21, 27}, {7, 38}, {34, 37}, {6, 25}, {30, 27}, false, kBossCalm},
        {{23, 13}, {22, 28}, {13, 38}, {31, 38}, {17, 30}, {20, 9}, false, kBossCalm},
        {{20, 7}, {20, 25}, {15, 38}, {26, 38}, {10, 27}, {26, 23}, false, kBossCalm},
        {{21, 8}, {21, 25}, {15, 38}, {28, 38}, {15, 26}, {32, 22}, false, kBossCalm},
        {{14, 9}, {21, 26}, {8, 38}, {32, 37}, {13, 26}, {34, 17}, false, kBossCalm},
        // column 2: high guard, thrust, rising from the slam, stand twice, arms folded
        {{21, 9}, {21, 26}, {14, 38}, {28, 38}, {9, 9}, {24, 24}, false, kBossCalm},
        {{13, 9}, {21, 25}, {7, 38}, {33, 37}, {3, 23}, {30, 27}, false, kBossCalm},
        {{20, 9}, {21, 26}, {13, 38}, {29, 38}, {9, 26}, {25, 10}, false, kBossCalm},
        {{20, 7}, {20, 25}, {14, 38}, {26, 38}, {10, 27}, {26, 23}, false, kBossCalm},
        {{20, 7}, {20, 25}, {14, 38}, {27, 38}, {12, 26}, {29, 22}, false, kBossCalm},
        {{20, 7}, {20, 25}, {16, 38}, {25, 38}, {14, 19}, {26, 19}, true, kBossCalm},
        // column 3: arms wide, thrust, crouch, beaten, aim, landing crouch
        {{19, 8}, {20, 25}, {13, 38}, {28, 38}, {4, 19}, {33, 19}, false, kBossCalm},
        {{13, 8}, {21, 25}, {7, 38}, {33, 37}, {3, 20}, {30, 27}, false, kBossCalm},
        {{19, 14}, {22, 29}, {12, 38}, {30, 38}, {12, 30}, {28, 26}, false, kBossCalm},
        {{20, 8}, {20, 25}, {11, 37}, {29, 37}, {6, 10}, {34, 10}, true, kBossKnockedOut},
        {{19, 7}, {21, 25}, {13, 38}, {28, 38}, {8, 16}, {23, 17}, false, kBossCalm},
        {{19, 14}, {22, 29}, {12, 38}, {30, 38}, {13, 27}, {28, 27}, true, kBossCalm},
        // column 4: spin at the side, jab, low crouch, pushed, recover, tucked flip
        {{20, 7}, {20, 25}, {13, 38}, {28, 38}, {3, 22}, {30, 27}, false, kBossCalm},
        {{15, 8}, {21, 25}, {9, 38}, {32, 37}, {10, 22}, {30, 27}, false, kBossCalm},
        {{16, 14}, {22, 29}, {11, 38}, {31, 38}, {7, 30}, {23, 26}, false, kBossCalm},
        {{23, 10}, {20, 26}, {12, 37}, {27, 38}, {15, 12}, {30, 12}, false, kBossHurt},
        {{19, 8}, {21, 25}, {13, 38}, {28, 38}, {9, 16}, {24, 17}, false, kBossCalm},
        {{17, 14}, {23, 25}, {14, 30}, {22, 33}, {12, 22}, {26, 19}, true, kBossCalm},
        // column 5: low hold, thrust, guard, bar raised to the sky, aim, arms folded
        {{17, 8}, {21, 25}, {10, 38}, {30, 38}, {5, 24}, {21, 20}, false, kBossCalm},
        {{13, 9}, {21, 25}, {7, 38}, {33, 37}, {3, 22}, {30, 27}, false, kBossCalm},
        {{22, 9}, {21, 26}, {13, 38}, {29, 38}, {15, 12}, {31, 28}, false, kBossCalm},
        {{21, 8}, {21, 25}, {14, 38}, {28, 38}, {11, 9}, {26, 24}, false, kBossCalm},
        {{19, 7}, {21, 25}, {12, 38}, {29, 38}, {8, 16}, {23, 17}, false, kBossCalm},
        {{20, 7}, {20, 25}, {16, 38}, {24, 38}, {14, 19}, {26, 19}, true, kBossCalm},
    }};
    return p;
}

// Fills every pixel whose centre lies within `r` of the segment a-b.
void Capsule(Canvas& c, Pt a, Pt b, double r, uint32_t col) {
    int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - r)),
        x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + r));
    int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - r)),
        y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + r));
    double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            double px = x + 0.5 - a.x, py = y + 0.5 - a.y;
            double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
            double ex = px - t * dx, ey = py - t * dy;
            if (ex * ex + ey * ey <= r * r) c.Set(x, y, col);
        }
}

void Disc(Canvas& c, Pt p, double r, uint32_t col) { Capsule(c, p, p, r, col); }

// The middle joint of a two-part limb from `root` to `end`, bent to the side `bend` points at.
Pt Joint(Pt root, Pt end, double part, Pt bend) {
    double dx = end.x - root.x, dy = end.y - root.y, d = std::hypot(dx, dy);
    Pt mid{(root.x + end.x) / 2, (root.y + end.y) / 2};
    if (d >= 2 * part || d < 1e-6) return mid;
    double h = std::sqrt(part * part - d * d / 4);
    Pt n{-dy / d, dx / d};
    if (n.x * bend.x + n.y * bend.y < 0) n = {-n.x, -n.y};
    return {mid.x + n.x * h, mid.y + n.y * h};
}

struct Limb {
    Pt a, m, b;
};

// The figure's parts in cell pixels, scaled to the drawing box.
struct Figure {
    Pt head, neck, hip;
    Limb arm1, arm2, leg1, leg2;
    double headR, limbR;
};

Figure Build(const BossPose& p, const Rect& box, bool forwardRight) {
    const double s = box.w / 40.0;
    auto at = [&](Pt q) {
        double x = forwardRight ? 40 - q.x : q.x;
        return Pt{box.x + x * s, box.y + q.y * s};
    };
    Figure f;
    f.headR = 6.0 * s;
    f.limbR = 1.6 * s;
    f.head = at(p.head);
    f.hip = at(p.hip);
    double dx = f.hip.x - f.head.x, dy = f.hip.y - f.head.y, d = std::max(1e-6, std::hypot(dx, dy));
    f.neck = {f.head.x + dx / d * f.headR * 0.9, f.head.y + dy / d * f.headR * 0.9};
    Pt shoulder{f.neck.x + (f.hip.x - f.neck.x) * 0.22, f.neck.y + (f.hip.y - f.neck.y) * 0.22};
    const double forward = forwardRight ? 1.0 : -1.0, part = 8.5 * s;
    auto arm = [&](Pt hand) {
        Pt h = at(hand);
        // Elbows hang down, unless the hand is raised above the shoulder: then they point outwards.
        Pt bend = h.y < shoulder.y - 3 * s ? Pt{h.x < shoulder.x ? -1.0 : 1.0, 0.3} : Pt{0, 1};
        return Limb{shoulder, Joint(shoulder, h, part, bend), h};
    };
    auto leg = [&](Pt foot) {
        Pt ft = at(foot);
        return Limb{f.hip, Joint(f.hip, ft, part, Pt{forward, 0.2}), ft};
    };
    f.arm1 = arm(p.hand1);
    f.arm2 = arm(p.hand2);
    f.leg1 = leg(p.foot1);
    f.leg2 = leg(p.foot2);
    return f;
}

void DrawLimb(Canvas& c, const Limb& l, double r, uint32_t col) {
    Capsule(c, l.a, l.m, r, col);
    Capsule(c, l.m, l.b, r, col);
}

// Headgear that tells the five apart even in silhouette: a band with flying tails, spiky hair,
// a visor, a peaked cap, a bow with a ponytail.
void DrawHat(Canvas& c, const std::string& hat, const Figure& f, bool forwardRight, uint32_t accent,
             uint32_t line, bool outlinePass) {
    const double r = f.headR, fw = forwardRight ? 1.0 : -1.0, o = outlinePass ? 1.0 : 0.0;
    const uint32_t col = outlinePass ? line : accent;
    const Pt h = f.head;
    if (hat == "band") {
        Pt back{h.x - fw * r * 0.8, h.y - r * 0.35};
        Capsule(c, {h.x - fw * r * 0.95, h.y - r * 0.45}, back, r * 0.2 + o, col);
        Capsule(c, back, {back.x - fw * r * 1.1, back.y - r * 0.25}, r * 0.17 + o, col);
        Capsule(c, back, {back.x - fw * r * 0.95, back.y + r * 0.45}, r * 0.17 + o, col);
    } else if (hat == "spikes") {
        for (int i = 0; i < 3; ++i) {
            double a = (-100 - fw * (25.0 * i - 5)) * kPi / 180;
            Pt base{h.x + std::cos(a) * r * 0.6, h.y + std::sin(a) * r * 0.6};
            Pt tip{h.x + std::cos(a) * r * 1.55, h.y + std::sin(a) * r * 1.55};
            std::vector<double> tri = {base.x - r * 0.45, base.y, tip.x, tip.y, base.x + r * 0.45, base.y};
            if (outlinePass)
                c.FramePolygon(tri, col, 2);
            else
                c.FillPolygon(tri, col);
        }
    } else if (hat == "visor") {
        Capsule(c, {h.x + fw * r * 0.95, h.y - r * 0.2}, {h.x - fw * r * 0.2, h.y - r * 0.2}, r * 0.32 + o,
                col);
    } else if (hat == "cap") {
        const double rr = r + 0.6 + o;
        for (int y = static_cast<int>(h.y - rr) - 1; y <= static_cast<int>(h.y); ++y)
            for (int x = static_cast<int>(h.x - rr) - 1; x <= static_cast<int>(h.x + rr) + 1; ++x) {
                double ux = x + 0.5 - h.x, uy = y + 0.5 - h.y;
                if (uy < -r * 0.2 + o && ux * ux + uy * uy <= rr * rr) c.Set(x, y, col);
            }
        Capsule(c, {h.x + fw * r * 0.4, h.y - r * 0.2}, {h.x + fw * r * 1.5, h.y - r * 0.05}, r * 0.18 + o,
                col);
    } else if (hat == "bow") {
        Pt knot{h.x - fw * r * 0.85, h.y - r * 0.6};
        Capsule(c, knot, {knot.x - fw * r * 0.3, knot.y + r * 1.3}, r * 0.28 + o, col);
        Disc(c, {knot.x - r * 0.45, knot.y - r * 0.3}, r * 0.38 + o, col);
        Disc(c, {knot.x + r * 0.45, knot.y - r * 0.3}, r * 0.38 + o, col);
    }
}

void DrawFace(Canvas& c, const Figure& f, BossFace face, bool forwardRight, uint32_t line) {
    const double r = f.headR, fw = forwardRight ? 1.0 : -1.0;
    Pt eye{f.head.x + fw * r * 0.42, f.head.y - r * 0.05};
    auto px = [](double v) { return static_cast<int>(std::floor(v)); };
    switch (face) {
        case kBossCalm:
            c.FillRect({px(eye.x - r * 0.2), px(eye.y - r * 0.3), std::max(2, px(r * 0.4)),
                        std::max(3, px(r * 0.6))},
                       0xFFFFFF);
            c.FillRect({px(eye.x + (forwardRight ? 0.0 : -r * 0.2)), px(eye.y - r * 0.1),
                        std::max(1, px(r * 0.2)), std::max(2, px(r * 0.35))},
                       line);
            // a fierce brow
            c.Line(eye.x - fw * r * 0.35, eye.y - r * 0.55, eye.x + fw * r * 0.35, eye.y - r * 0.35, line,
                   std::max(1, px(r / 6)));
            break;
        case kBossHurt:
            c.Line(eye.x - r * 0.3, eye.y - r * 0.3, eye.x + r * 0.3, eye.y, line, std::max(1, px(r / 6)));
            c.Line(eye.x + r * 0.3, eye.y, eye.x - r * 0.3, eye.y + r * 0.3, line, std::max(1, px(r / 6)));
            break;
        case kBossKnockedOut:
            c.Line(eye.x - r * 0.3, eye.y - r * 0.3, eye.x + r * 0.3, eye.y + r * 0.3, line,
                   std::max(1, px(r / 6)));
            c.Line(eye.x + r * 0.3, eye.y - r * 0.3, eye.x - r * 0.3, eye.y + r * 0.3, line,
                   std::max(1, px(r / 6)));
            break;
    }
}

}  // namespace

void DrawBarMan(Canvas& c, const Line& op) {
    Rect box{op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)};
    const int page = op.Int("page", 1), column = op.Int("column", 0), row = op.Int("row", 0);
    if (page < 1 || page > 2 || column < 0 || column > 5 || row < 0 || row > 5)
        op.Fail("barman pose needs page 1-2, column 0-5, row 0-5");
    const BossPose& pose = BossPoses()[row + 6 * column + 36 * (page - 1)];
    const bool right = op.Str("face", "left") == "right";
    const uint32_t body = op.Color("body", 0xE03030), line = op.Color("line", 0x2D1E08);
    const uint32_t accent = op.Color("accent", 0xFFFFFF), glove = op.Color("glove", 0xFFF4E0);
    const std::string hat = op.Str("hat", "");
    const Figure f = Build(pose, box, right);
    const double o = std::max(1.0, box.w / 40.0);  // outline width
    c.SetClip(box);
    // One dark silhouette first, so every part is ringed but joints run together.
    for (const Limb* l : {&f.arm2, &f.leg2, &f.leg1, &f.arm1}) DrawLimb(c, *l, f.limbR + o, line);
    Capsule(c, f.neck, f.hip, f.limbR * 1.25 + o, line);
    Disc(c, f.head, f.headR + o, line);
    DrawHat(c, hat, f, right, accent, line, true);
    if (pose.fists)
        for (Pt h : {f.arm1.b, f.arm2.b}) Disc(c, h, f.limbR * 1.9 + o, line);
    // The far limbs a shade darker, then the body, the near limbs and the head.
    const uint32_t far = Shade(body, 0.72);
    DrawLimb(c, f.leg2, f.limbR, far);
    DrawLimb(c, f.arm2, f.limbR, far);
    if (pose.fists) Disc(c, f.arm2.b, f.limbR * 1.9, Shade(glove, 0.85));
    Capsule(c, f.neck, f.hip, f.limbR * 1.25, body);
    DrawLimb(c, f.leg1, f.limbR, body);
    Disc(c, f.head, f.headR, body);
    // a soft light on the upper front of the head
    Disc(c, {f.head.x + (right ? 1 : -1) * f.headR * 0.3, f.head.y - f.headR * 0.35}, f.headR * 0.45,
         Shade(body, 1.25));
    DrawHat(c, hat, f, right, accent, line, false);
    DrawFace(c, f, pose.face, right, line);
    DrawLimb(c, f.arm1, f.limbR, body);
    if (pose.fists) Disc(c, f.arm1.b, f.limbR * 1.9, glove);
    c.ClearClip();
}

// The weapon strips: each bar lies along the strip's middle from its left edge (the striking end,
// pointing forward for a figure facing left) to its length.
void DrawBarManBar(Canvas& c, const Line& op) {
    Rect box{op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)};
    const int kind = op.Int("kind", 0);
    const uint32_t line = op.Color("line", 0x2D1E08);
    const double cy = box.y + box.h / 2.0;
    auto P = [&](double x, double y) { return Pt{box.x + x, cy + y}; };
    auto poly = [&](std::vector<double> xy, uint32_t fill) {
        for (size_t i = 0; i + 1 < xy.size(); i += 2) {
            Pt q = P(xy[i], xy[i + 1]);
            xy[i] = q.x;
            xy[i + 1] = q.y;
        }
        c.FillPolygon(xy, fill);
        c.FramePolygon(xy, line, 1);
    };
    // A round-ended rod from x0 to x1 with a lit upper half.
    auto rod = [&](double x0, double x1, double r, uint32_t col) {
        Capsule(c, P(x0, 0), P(x1, 0), r + 1, line);
        Capsule(c, P(x0, 0), P(x1, 0), r, col);
        Capsule(c, P(x0, -r * 0.35), P(x1, -r * 0.35), std::max(0.6, r * 0.35), Shade(col, 1.3));
    };
    auto band = [&](double x, double w, double r, uint32_t col) {
        c.FillRect({static_cast<int>(box.x + x), static_cast<int>(cy - r), static_cast<int>(w),
                    static_cast<int>(2 * r + 1)},
                   line);
        c.FillRect({static_cast<int>(box.x + x + 1), static_cast<int>(cy - r + 1), static_cast<int>(w - 2),
                    static_cast<int>(2 * r - 1)},
                   col);
    };
    c.SetClip(box);
    switch (kind) {
        case 0: {  // red: a lacquered staff, gold caps, flame-tipped head
            rod(3, 113, 3.2, 0xD02828);
            band(2, 7, 4.2, 0xF0C040);
            band(107, 7, 4.2, 0xF0C040);
            for (int i = 0; i < 4; ++i) band(86 + 5 * i, 3, 3.6, 0x7A1010);
            poly({9, -4, 15, -8, 14, -3, 22, -6, 18, 0, 9, 0}, 0xFF9030);
            break;
        }
        case 1: {  // yellow: the longest pole, a lightning stripe and steel tips
            rod(2, 120, 2.8, 0xF0C820);
            for (int i = 0; i < 9; ++i) {
                double x = 14 + 10 * i;
                Capsule(c, P(x, -2.2), P(x + 5, 2.2), 0.9, 0x3A2A08);
            }
            band(1, 9, 3.6, 0xC8D0D8);
            band(111, 9, 3.6, 0xC8D0D8);
            break;
        }
        case 2: {  // blue: a rifle staff, barrel forward, a sight on top, grip behind
            rod(4, 84, 3.4, 0x3068D8);
            band(0, 16, 2.6, 0x50585F);
            band(14, 4, 4.6, 0x1C2E70);
            poly({30, -4, 34, -9, 40, -9, 42, -4}, 0x9FD8FF);
            for (int i = 0; i < 3; ++i) band(68 + 5 * i, 3, 3.8, 0x1C2E70);
            poly({58, 3, 62, 11, 67, 11, 66, 3}, 0x2850B0);
            break;
        }
        case 3: {  // green: a wooden club, thick at its head, a leaf-green grip
            poly({2, -6, 40, -4.5, 86, -2.5, 86, 2.5, 40, 4.5, 2, 6}, 0x9A6A34);
            Capsule(c, P(4, -3), P(60, -2), 0.8, 0xC8965A);
            for (int i = 0; i < 3; ++i) Disc(c, P(10 + 11 * i, 1.5 - i), 1.2, 0x5A3A18);
            for (int i = 0; i < 4; ++i) band(62 + 6 * i, 5, 3.2, i % 2 ? 0x2E9A3A : 0x50C058);
            break;
        }
        case 4: {  // pink: a big four-bladed throwing star, spun round its hollow hub
            // Centred in the strip, so that thrown it turns on the spot; the blades point along
            // the diagonals and leave the figure behind it visible through the gaps and the hub.
            auto starAt = [&](double tip, double waist, double shift) {
                std::vector<double> xy;
                for (int i = 0; i < 8; ++i) {
                    double a = (i * 45 + 45) * kPi / 180, r = i % 2 == 0 ? tip : waist;
                    Pt q = P(64 + std::cos(a) * r + shift, std::sin(a) * r + shift);
                    xy.push_back(q.x);
                    xy.push_back(q.y);
                }
                return xy;
            };
            std::vector<double> blades = starAt(45, 12, 0);
            c.FillPolygon(blades, 0xF070B0);
            c.FillPolygon(starAt(30, 8, -1.5), 0xFFB8DC);
            c.FramePolygon(blades, line, 1);
            const Pt m = P(64, 0);
            Disc(c, m, 13, line);
            Disc(c, m, 11.5, 0xFFE0F0);
            Disc(c, m, 9.5, line);
            Disc(c, m, 8.5, kKeyColor);
            break;
        }
        default:
            op.Fail("barmanbar kind must be 0-4");
    }
    c.ClearClip();
}

void FlipBox(Canvas& c, const Line& op) {
    Rect r{op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)};
    const bool vertical = op.Str("dir", "h") == "v";
    Canvas copy(r.w, r.h, kKeyColor);
    copy.Blit(c, r, 0, 0);
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x)
            c.Set(r.x + x, r.y + y, vertical ? copy.Get(x, r.h - 1 - y) : copy.Get(r.w - 1 - x, y));
}

void TintBox(Canvas& c, const Line& op) {
    Rect r{op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)};
    const uint32_t to = op.Color("color", 0xFFFFFF);
    const double amount = std::clamp(op.Num("amount", 0.7), 0.0, 1.0);
    // With `ramp` every pixel takes its brightness from dark (rim) through mid to light (core):
    // the same picture in another set of colours.
    const bool ramp = op.Has("ramp") || op.Has("core");
    const double gamma = op.Num("gamma", 1.0);
    const uint32_t core = op.Color("core", 0xFFFFFF), mid = op.Color("ramp", 0x808080),
                   rim = op.Color("rim", 0);
    for (int y = r.y; y < r.Bottom(); ++y)
        for (int x = r.x; x < r.Right(); ++x) {
            uint32_t p = c.Get(x, y);
            if (p == kKeyColor || p == kNoColor) continue;
            if (!ramp) {
                c.Set(x, y, Mix(p, to, amount));
                continue;
            }
            double l = std::pow((0.3 * (p >> 16 & 0xFF) + 0.55 * (p >> 8 & 0xFF) + 0.15 * (p & 0xFF)) / 255.0,
                                gamma);
            c.Set(x, y, l < 0.5 ? Mix(rim, mid, l / 0.5) : Mix(mid, core, (l - 0.5) / 0.5));
        }
}

}  // namespace gen
