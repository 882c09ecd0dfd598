#include "tools/gen/HeroShapes.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace gen {
namespace {

struct V {
    double x = 0, y = 0;
};
V operator+(V a, V b) { return {a.x + b.x, a.y + b.y}; }
V operator-(V a, V b) { return {a.x - b.x, a.y - b.y}; }
V operator*(V a, double k) { return {a.x * k, a.y * k}; }
double Dot(V a, V b) { return a.x * b.x + a.y * b.y; }
double Len(V a) { return std::hypot(a.x, a.y); }
V Turn(V a, double deg) {  // clockwise on screen (y down)
    double r = deg * kPi / 180, c = std::cos(r), s = std::sin(r);
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}

// ------------------------------------------------------------------ distance fields

using Field = std::function<double(V)>;

Field Circle(V c, double r) {
    return [=](V p) { return Len(p - c) - r; };
}
// A segment whose radius runs from ra at a to rb at b.
Field Capsule(V a, V b, double ra, double rb) {
    return [=](V p) {
        V ab = b - a;
        double l2 = std::max(1e-9, Dot(ab, ab));
        double t = std::clamp(Dot(p - a, ab) / l2, 0.0, 1.0);
        return Len(p - (a + ab * t)) - (ra + (rb - ra) * t);
    };
}
Field Ellipse(V c, double rx, double ry, double deg) {
    return [=](V p) {
        V q = Turn(p - c, -deg);
        double k = std::hypot(q.x / rx, q.y / ry);
        return (k - 1) * std::min(rx, ry);
    };
}
Field Polygon(std::vector<V> pts) {
    return [pts = std::move(pts)](V p) {
        double best = 1e9;
        bool inside = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            V a = pts[j], b = pts[i], ab = b - a;
            double t = std::clamp(Dot(p - a, ab) / std::max(1e-9, Dot(ab, ab)), 0.0, 1.0);
            best = std::min(best, Len(p - (a + ab * t)));
            if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) / (b.y - a.y) * (b.x - a.x))
                inside = !inside;
        }
        return inside ? -best : best;
    };
}
Field Both(const Field& a, const Field& b) {
    return [=](V p) { return std::max(a(p), b(p)); };
}
Field Either(const Field& a, const Field& b) {
    return [=](V p) { return std::min(a(p), b(p)); };
}

// ------------------------------------------------------------------ painter

// Paints fields into one box. Shapes are given in the box's own units; `unit` scales them to
// pixels, `mirror` flips the box left-right, `flipY` top-bottom, and `turn` / `shift` / `grow`
// place a whole figure (turned about `pivot`, grown about `foot`).
struct Painter {
    Painter(Canvas& canvas, Rect r) : c(canvas), box(r) {}
    Canvas& c;
    Rect box;
    double unit = 1;
    bool mirror = false, flipY = false;
    double turn = 0;
    V pivot, shift, foot;
    double grow = 1;
    double stroke = 1;  // outline width in pixels (a big portrait draws a bolder line)
    uint32_t outline = 0x2D1E08;
    uint32_t tint = kNoColor;
    double tintShare = 0, dim = 1;
    V light{-0.6, -0.8};  // towards the light, in shape units

    V ToShape(int px, int py) const {
        V p{(px - box.x + 0.5) / unit, (py - box.y + 0.5) / unit};
        if (mirror) p.x = box.w / unit - p.x;
        if (flipY) p.y = box.h / unit - p.y;
        p = p - shift;
        p = foot + (p - foot) * (1 / grow);
        return pivot + Turn(p - pivot, -turn);
    }
    V ToPixel(V s) const {
        V p = pivot + Turn(s - pivot, turn);
        p = foot + (p - foot) * grow;
        p = p + shift;
        if (flipY) p.y = box.h / unit - p.y;
        if (mirror) p.x = box.w / unit - p.x;
        return {box.x + p.x * unit, box.y + p.y * unit};
    }
    uint32_t Look(uint32_t col) const {
        if (col == kNoColor) return col;
        if (tint != kNoColor) col = Mix(col, tint, tintShare);
        return dim < 1 ? Shade(col, dim) : col;
    }
    // fill with a lit rim towards the light and a shaded rim away from it; `line` outlines it.
    void Part(const Field& f, uint32_t fill, bool line = true, bool shaded = true) const {
        const double px1 = stroke / (unit * grow);  // one stroke in shape units
        V lit = light * (1.6 * px1), dark = light * (-2.6 * px1);
        for (int py = box.y; py < box.Bottom(); ++py)
            for (int px = box.x; px < box.Right(); ++px) {
                V s = ToShape(px, py);
                double d = f(s);
                if (d <= 0) {
                    uint32_t col = fill;
                    if (shaded) {
                        bool nearLight = f(s + lit) > 0, nearDark = f(s + dark) > 0;
                        if (nearDark && !nearLight)
                            col = Shade(fill, 0.8);
                        else if (nearLight && !nearDark)
                            col = Shade(fill, 1.18);
                    }
                    c.Set(px, py, Look(col));
                } else if (line && d <= px1 * 1.05) {
                    c.Set(px, py, Look(outline));
                }
            }
    }
    void Dot(V s, uint32_t col) const {
        if (unit * grow >= 4) {  // a pixel would be lost in a big portrait
            Part(Circle(s, 0.4), col, false, false);
            return;
        }
        V p = ToPixel(s);
        int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y));
        if (x >= box.x && y >= box.y && x < box.Right() && y < box.Bottom()) c.Set(x, y, Look(col));
    }
};

// ------------------------------------------------------------------ the hero

enum Face { kCalm, kFierce, kShout, kHurt, kDizzy, kHappy, kStartled, kBack, kFront };

// One body frame, in the coordinates of a 40 x 40 cell with the hero facing left (front is
// towards smaller x); the ground is y = 38.9. Hands are where the held weapon is gripped.
struct Pose {
    V hip;
    double lean;     // degrees the torso tips forward
    double nod;      // degrees the head tips further
    V front, back;   // soles of the front and back foot
    V hand1, hand2;  // front and back hand
    Face face;
    double scarf;     // direction of the scarf's tail: degrees above straight back
    double turn = 0;  // the whole figure, degrees clockwise about the middle of the cell
    V shift{};
    double grow = 1;
    int special = 0;  // 1 frozen in ice, 2 seen from behind, 3 shadowed in a doorway
};

constexpr double G = 38.9;  // the ground
const std::map<std::string, Pose>& Poses() {
    static const std::map<std::string, Pose> poses = {
        // standing, walking, running, dashing
        {"stand", {{20, 31}, 3, 0, {17, G}, {23, G}, {10, 26}, {26, 22}, kCalm, 10}},
        {"walk1", {{20, 30.6}, 5, 0, {14, G}, {26, G - 1}, {10, 27}, {26, 23}, kCalm, 14}},
        {"walk2", {{20, 30.6}, 5, 0, {24, G}, {16, G - 1}, {10, 27}, {26, 23}, kCalm, 14}},
        {"run1", {{20, 31}, 12, 0, {17, G}, {25, G - 3}, {9, 27}, {25, 23}, kFierce, 20}},
        {"run2", {{20, 30}, 15, 0, {11, G - 2}, {29, G - 5}, {9, 26}, {25, 22}, kFierce, 28}},
        {"run3", {{20, 30.5}, 15, 0, {26, G - 3}, {13, G - 1}, {9, 26}, {25, 22}, kFierce, 24}},
        {"dash1", {{22, 30}, 25, -5, {12, G - 1}, {31, G - 5}, {13, 29}, {29, 25}, kFierce, 4}},
        {"dash2", {{22, 31}, 25, -5, {24, G}, {16, G - 3}, {13, 28}, {29, 24}, kFierce, 0}},
        {"dash3", {{22, 31}, 25, -5, {14, G}, {30, G - 3}, {13, 28}, {29, 24}, kFierce, 6}},
        {"skid", {{19.5, 31}, -16, 8, {12, G}, {25, G}, {18, 26}, {34, 22}, kStartled, 40}},
        {"ball", {{22.5, 30.5}, 22, 18, {13, 31.5}, {17, 34}, {12, 27.5}, {17, 29.5}, kShout, 60}},
        {"wallhit", {{17, 29}, -22, 4, {17, 35}, {27, 36}, {14, 11}, {29, 11}, kHurt, 50}},
        // in the air: rising, top, falling
        {"up", {{20, 30}, -4, 0, {17, G - 2}, {24, G - 4}, {10, 10}, {25, 10}, kStartled, -30}},
        {"top", {{20, 30}, 0, 0, {15, G - 2}, {25, G - 3}, {10, 11}, {25, 11}, kCalm, 10}},
        {"down", {{20, 29}, 4, 0, {15, G - 1.5}, {26, G - 2.5}, {10, 11}, {25, 11}, kStartled, 55}},
        // hovering under the spinning weapon
        {"hover1", {{20, 30}, 0, 0, {17, G - 1.5}, {23, G - 2.5}, {9, 9}, {24, 24}, kHappy, -20}},
        {"hover2", {{20, 30}, 0, 0, {16, G - 2.5}, {24, G - 1.5}, {9, 9}, {22, 23}, kHappy, -10}},
        {"hover3", {{20, 30.5}, 0, 0, {18, G}, {22, G}, {9, 9}, {20, 23}, kHappy, -25}},
        // hurt, blown away, knocked down, squatting
        {"hurt1", {{17, 31}, -18, -6, {17, G}, {25, G}, {15, 19}, {31, 25}, kHurt, 45}},
        {"hurt2", {{15.5, 31}, -25, -4, {16, G}, {26, G}, {17, 17}, {32, 27}, kHurt, 55}},
        {"blown", {{13.5, 29}, -35, 10, {14, 35}, {22, 37}, {9, 18}, {30, 16}, kHurt, 70}},
        {"lying1", {{20, 31}, 0, 0, {16, G}, {23, G - 2}, {13, 30}, {27, 30}, kDizzy, 0, 90, {0.5, 13}}},
        {"lying2",
         {{20, 31}, 0, -10, {17, G - 4}, {24, G - 1}, {12, 28}, {28, 31}, kDizzy, 0, 86, {0.5, 11}}},
        {"squat", {{20, 35}, 10, 0, {15, G}, {24, G}, {10, 30}, {26, 26}, kCalm, 6}},
        // the swing from overhead, the jab and the wind-up, on the ground
        {"raise", {{21, 31}, -8, -4, {15, G}, {25, G}, {16, 10}, {20, 26}, kFierce, 20}},
        {"strike", {{20, 31}, 6, 0, {14, G}, {25, G}, {7, 15}, {21, 24}, kShout, 20}},
        {"smash", {{22, 32}, 20, 5, {11, G}, {27, G}, {4.5, 24}, {19, 20}, kShout, 24}},
        {"jabready", {{20, 31}, 5, 0, {15, G}, {26, G}, {12, 28}, {28, 24}, kFierce, 16}},
        {"jab", {{21, 31.5}, 18, 0, {9, G}, {28, G}, {7, 28}, {23, 24}, kShout, 12}},
        {"windup", {{21, 31}, -10, 0, {14, G}, {26, G}, {20, 28}, {31, 18}, kFierce, 20}},
        // the same in the air
        {"airraise", {{21, 29}, -8, -4, {16, 36}, {25, 34}, {16, 10}, {20, 26}, kFierce, 40}},
        {"airstrike", {{20, 29}, 6, 0, {16, 36}, {26, 34}, {12, 15}, {26, 24}, kShout, 40}},
        {"airsmash", {{22, 29}, 20, 5, {14, 36}, {27, 33}, {5, 24}, {21, 20}, kShout, 40}},
        {"airjabready", {{20, 29}, 5, 0, {17, 36}, {27, 34}, {12, 28}, {28, 24}, kFierce, 30}},
        {"airjab", {{20, 29}, 16, 0, {21, 35}, {31, 33}, {7, 28}, {23, 24}, kShout, 10}},
        {"whirl", {{20, 31}, 10, 0, {12, G}, {28, G}, {4.5, 22}, {30, 27}, kFierce, 20}},
        // page two: the big jump, the rising strike, the air spin, landing
        {"spring", {{20, 33.5}, 12, 0, {15, G}, {25, G}, {13, 28}, {29, 12}, kFierce, 15}},
        {"soar", {{20, 28}, -5, -5, {18, G - 2}, {22, G - 3}, {16, 28}, {19, 7}, kHappy, -60}},
        {"uppercut", {{19.5, 28}, -10, -8, {15, 33}, {23, G - 1}, {9, 9}, {24, 24}, kShout, -40}},
        {"point", {{20, 31}, 5, 0, {15, G}, {26, G}, {4, 19}, {33, 19}, kFierce, 15}},
        {"airwhirl", {{20, 29}, 10, 0, {16, 36}, {27, 34}, {4.5, 22}, {30, 27}, kFierce, 35}},
        {"land", {{23.5, 34}, 25, 8, {12, G}, {27, G}, {5, 24}, {21, 20}, kFierce, 40}},
        // the flurry of jabs
        {"flurry1", {{20, 31}, 15, 0, {12, G}, {28, G}, {5, 19}, {30, 27}, kShout, 10}},
        {"flurry2", {{20, 31}, 15, 0, {12, G}, {28, G}, {6, 25}, {30, 27}, kShout, 14}},
        {"flurry3", {{20, 31}, 16, 0, {12, G}, {28, G}, {4.5, 23}, {30, 27}, kShout, 8}},
        {"flurry4", {{20, 31}, 16, 0, {12, G}, {28, G}, {4.5, 20}, {30, 27}, kShout, 12}},
        {"flurry0", {{20, 31}, 12, 0, {13, G}, {28, G}, {10, 22}, {30, 27}, kFierce, 16}},
        {"lunge", {{22.5, 32}, 26, 0, {8, G}, {30, G}, {4.5, 22}, {30, 27}, kShout, 2}},
        // diving down, landing from the dive, squatting jab, thrown back
        {"dive", {{21, 24}, -5, 10, {14, 30}, {28, 30}, {17, 28}, {20, 7}, kShout, 70}},
        {"diveland", {{22, 34.5}, 18, 10, {12, G}, {29, G}, {17, 30}, {20, 9}, kFierce, 20}},
        {"diverise", {{20, 32}, 8, 0, {13, G}, {27, G}, {9, 26}, {25, 10}, kCalm, 10}},
        {"squatready", {{20, 35}, 15, 0, {14, G}, {25, G}, {12, 30}, {28, 26}, kFierce, 8}},
        {"squatjab", {{22.5, 35}, 25, 0, {11, G}, {26, G}, {7, 30}, {23, 26}, kShout, 4}},
        {"recoil", {{17, 31}, -20, 0, {15, G}, {26, G}, {15, 12}, {31, 28}, kStartled, 40}},
        // an ordinary jump, beaten, frozen, looking up
        {"jump1", {{20, 29}, 0, -4, {15, 33}, {23, G - 2.5}, {10, 27}, {26, 23}, kHappy, -45}},
        {"jump2", {{20, 29}, 2, 0, {16, 35}, {25, 36}, {10, 26}, {26, 22}, kCalm, 10}},
        {"jump3", {{20, 29}, 4, 0, {17, G - 2}, {24, G - 3}, {10, 22}, {26, 18}, kStartled, 60}},
        {"beaten", {{20, 29.5}, 0, 15, {12, 36.5}, {29, 36.5}, {6, 14}, {34, 14}, kDizzy, 60}},
        {"frozen", {{20, 31}, 0, -6, {16, G}, {24, G}, {11, 23}, {29, 23}, kStartled, 10, 0, {}, 1, 1}},
        {"lookup", {{20, 31}, -6, -14, {17, G}, {23, G}, {11, 9}, {26, 24}, kHappy, 10}},
        // getting a new weapon, walking into a door
        {"hold", {{20, 31}, -3, -10, {16, G}, {24, G}, {11, 9}, {26, 24}, kHappy, 15}},
        {"cheer", {{20, 31}, 0, -6, {15, G}, {25, G}, {15, 26}, {32, 22}, kHappy, 20}},
        {"aircheer", {{20, 29}, 0, -6, {16, 36}, {25, 35}, {12, 26}, {29, 22}, kHappy, 30}},
        {"door1", {{20, 31}, 0, 0, {17, G}, {23, G - 1.5}, {13, 29}, {27, 28}, kBack, 0, 0, {}, 1, 2}},
        {"door2", {{20, 31}, 0, 0, {17, G - 1.5}, {23, G}, {13, 28}, {27, 29}, kBack, 0, 0, {}, 1, 2}},
        {"door3", {{20, 31}, 0, 0, {17.5, G}, {22.5, G}, {14, 29}, {26, 29}, kBack, 0, 0, {}, 0.82, 3}},
        {"door4", {{20, 31}, 0, 0, {18, G}, {22, G}, {14.5, 29}, {25.5, 29}, kBack, 0, 0, {}, 0.64, 4}},
        // spare poses for the empty cells: waving and a happy stand
        {"wave", {{20, 31}, 0, -5, {17, G}, {23, G}, {9, 8}, {27, 28}, kHappy, 10}},
        {"smile", {{20, 31}, 2, 0, {17, G}, {23, G}, {11, 28}, {27, 27}, kHappy, 10}},
        // the small figure of the world map: facing the viewer, stepping, and from behind
        {"front", {{20, 31}, 0, 0, {17.5, G}, {22.5, G}, {13.5, 30}, {26.5, 30}, kFront, 0}},
        {"front1", {{20, 31}, 0, 0, {17.5, G - 1.5}, {22.5, G}, {13.5, 29}, {26.5, 31}, kFront, 0}},
        {"front2", {{20, 31}, 0, 0, {17.5, G}, {22.5, G - 1.5}, {13.5, 31}, {26.5, 29}, kFront, 0}},
        {"back", {{20, 31}, 0, 0, {17, G}, {23, G}, {13, 29}, {27, 29}, kBack, 0, 0, {}, 1, 2}},
    };
    return poses;
}

struct Colours {
    uint32_t hat, band, hair, skin, cheek, tunic, belt, scarf, legs, boots, glove;
};

// Two-segment leg from the hip joint to the sole, the knee bending forwards; a leg seen from the
// front has its boot pointing at the viewer.
void Leg(const Painter& p, const Colours& k, V hipJoint, V sole, bool front = false) {
    V ankle = sole + V{0, -1.6};
    double d = Len(ankle - hipJoint), seg = 3.3;
    V knee = (hipJoint + ankle) * 0.5;
    if (d < 2 * seg) {
        V dir = (ankle - hipJoint) * (1 / std::max(d, 1e-6));
        V n{dir.y, -dir.x};
        if (n.x > 0) n = n * -1;
        knee = knee + n * std::sqrt(seg * seg - d * d / 4);
    }
    p.Part(Either(Capsule(hipJoint, knee, 1.9, 1.7), Capsule(knee, ankle, 1.7, 1.5)), k.legs);
    if (front)
        p.Part(Ellipse(sole + V{0, -1.9}, 2.5, 1.9, 0), k.boots);
    else
        p.Part(Ellipse(sole + V{-1.3, -1.9}, 3.3, 1.9, 0), k.boots);
}

// The face seen from the front: a fringe across the brow, hair at both sides, both eyes.
void FrontHead(const Painter& p, const Colours& k, V head, const std::function<V(double, double)>& at,
               double headTurn) {
    const uint32_t ink = 0x2D1E08;
    p.Part(Either(Circle(at(-6.2, 2.2), 2.1), Circle(at(6.2, 2.2), 2.1)), k.hair);
    p.Part(Circle(head, 7), k.skin);
    p.Part(Polygon({at(-7, -5.2), at(-7.2, -2), at(-5, -3.4), at(-3, -1.8), at(-1, -3.2), at(1, -1.8),
                    at(3, -3.2), at(5, -1.8), at(7.2, -2), at(7, -5.2)}),
           k.hair, false);
    p.Part(Either(Circle(at(-4.2, 3), 1.2), Circle(at(4.2, 3), 1.2)), k.cheek, false, false);
    for (V e : {at(-2.4, 0.8), at(2.4, 0.8)}) {
        p.Part(Ellipse(e, 1.05, 1.7, headTurn), ink, false, false);
        p.Dot(e + V{-0.2, -0.9}, 0xFFFFFF);
    }
    p.Part(Capsule(at(-1, 4), at(1, 4), 0.55, 0.55), ink, false, false);
}

void Arm(const Painter& p, const Colours& k, V shoulder, V hand) {
    p.Part(Capsule(shoulder, hand, 1.8, 1.5), k.tunic);
    p.Part(Circle(hand, 2.3), k.glove);
}

// Eyes, brows and mouth in the head's frame: `at(a, c)` is `a` towards the back and `c` down.
void FaceParts(const Painter& p, Face face, const std::function<V(double, double)>& at, double headTurn) {
    const uint32_t ink = 0x2D1E08;
    const V eyes[2] = {at(-4.1, 0.6), at(-0.3, 0.6)};
    auto line = [&](V a, V b) { p.Part(Capsule(a, b, 0.55, 0.55), ink, false, false); };
    switch (face) {
        case kHurt:
            for (V e : eyes) {
                line(e + V{-1.1, -1.3}, e + V{0.7, 0});
                line(e + V{0.7, 0}, e + V{-1.1, 1.3});
            }
            line(at(-4.2, 4.0), at(-2.2, 3.6));
            break;
        case kDizzy:
            for (V e : eyes) {
                line(e + V{-1.2, -1.2}, e + V{1.2, 1.2});
                line(e + V{-1.2, 1.2}, e + V{1.2, -1.2});
            }
            p.Part(Ellipse(at(-3.0, 4.0), 1.0, 1.2, headTurn), 0x802020, false, false);
            break;
        case kHappy:
            for (V e : eyes) {
                line(e + V{-1.3, 0.6}, e + V{0, -0.8});
                line(e + V{0, -0.8}, e + V{1.3, 0.6});
            }
            p.Part(Ellipse(at(-2.8, 3.8), 1.5, 1.1, headTurn), 0x902828, false, false);
            break;
        case kBack:
            break;
        default: {
            const double ry = face == kStartled ? 1.9 : 1.7, rx = face == kStartled ? 1.3 : 1.05;
            for (V e : eyes) {
                p.Part(Ellipse(e, rx, ry, headTurn), ink, false, false);
                p.Dot(e + V{-0.2, -0.9}, 0xFFFFFF);
            }
            if (face == kFierce || face == kShout) {
                line(at(-5.2, -2.6), at(-2.4, -1.6));
                line(at(-0.6, -1.7), at(1.6, -2.4));
            }
            if (face == kShout || face == kStartled)
                p.Part(Ellipse(at(-2.9, 4.0), 1.1, 1.3, headTurn), 0x902828, false, false);
            else
                line(at(-3.8, 3.8), at(-2.2, 4.1));
        }
    }
}

// The hat: a pointed, floppy cone over a wide brim, with a band and a pompom on its tip.
void Hat(const Painter& p, const Colours& k, const std::function<V(double, double)>& at, double headTurn) {
    p.Part(Ellipse(at(0.5, -4.6), 10.2, 2.4, headTurn), k.hat);
    Field cone = Polygon({at(-6, -5.4), at(-4.6, -9), at(-1.6, -11.8), at(2, -12.8), at(5.4, -12.4),
                          at(7.4, -10.6), at(4.8, -10.4), at(3.4, -8.6), at(5.6, -5.4)});
    p.Part(cone, k.hat);
    Field slab = Polygon({at(-8, -5.5), at(8, -5.5), at(8, -7.4), at(-8, -7.4)});
    p.Part(Both(cone, slab), k.band, false, false);
    p.Part(Circle(at(7.4, -10.6), 1.8), k.band);
}

void DrawHero(Canvas& canvas, const Line& op, const Pose& pose, bool right) {
    Colours k{op.Color("hat", 0x3C4CB8),
              op.Color("band", 0xF4C430),
              op.Color("hair", 0xA8582A),
              op.Color("skin", 0xFFD8B0),
              0xFF9C8C,
              op.Color("tunic", 0xE05A2A),
              op.Color("belt", 0x7A4A20),
              op.Color("scarf", 0xF6C83A),
              op.Color("legs", 0x5A3A28),
              op.Color("boots", 0x8A4418),
              op.Color("glove", 0xFFF6E6)};
    Rect box{op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)};
    Painter p(canvas, box);
    p.unit = box.w / 40.0;
    p.mirror = right;
    p.turn = pose.turn;
    p.pivot = {20, 20};
    p.shift = pose.shift;
    if (op.Int("portrait", 0) != 0) {
        // Head and shoulders fill the box: the 26-unit square from the hat's tip down.
        constexpr double kSide = 26, kLeft = 6.5, kTop = 0.5;
        p.unit = box.w / kSide;
        p.shift = p.shift + V{-kLeft, -kTop};
        p.stroke = std::max(1.0, box.w / 64.0);
    }
    p.stroke = op.Num("stroke", p.stroke);
    p.grow = pose.grow;
    p.foot = {20, G};
    if (pose.special == 3) p.dim = 0.55;
    if (pose.special == 4) p.dim = 0.32;

    if (pose.special == 1) {  // the block of ice behind the frozen hero
        Painter ice = p;
        ice.light = {-0.7, -0.7};
        ice.Part(Polygon({{6, 2.4}, {33, 1.8}, {35, 39}, {5, 39.4}}), 0xC8EEFF);
        p.tint = 0x9ADCFF;
        p.tintShare = 0.45;
    }

    const double lean = pose.lean;
    const V up = Turn({0, -1}, -lean), backDir = Turn({1, 0}, -lean);
    const V hip = pose.hip, neck = hip + up * 9.5;
    const double headTurn = -(lean + pose.nod);
    const V headUp = Turn({0, -1}, headTurn), headBack = Turn({1, 0}, headTurn);
    const V head = neck + headUp * 6.5;
    auto at = [&](double a, double c) { return head + headBack * a + headUp * (-c); };
    // An airborne figure whose hat would poke out of the top of the cell drops as far as its
    // feet allow; grounded frames keep their soles on the ground line.
    if (pose.turn == 0 && pose.grow == 1) {
        const double top = std::min(at(2, -12.8).y, at(7.4, -10.6).y - 1.8) - 1.2;
        const double room = G - std::max(pose.front.y, pose.back.y);
        if (top < 1) p.shift.y += std::min(1 - top, room);
    }
    const V shoulderF = neck + backDir * -2.4 + up * -1.6, shoulderB = neck + backDir * 2.4 + up * -1.6;
    const bool back = pose.face == kBack, front = pose.face == kFront;

    // behind the body: the far arm, the far leg, the scarf's tail, the hair at the back
    if (back)
        Arm(p, k, shoulderF, pose.hand1);
    else if (!front)
        Arm(p, k, shoulderB, pose.hand2);
    Leg(p, k, hip + backDir * 2.2, pose.back, front);
    Leg(p, k, hip + backDir * -2.2, pose.front, front);
    if (!back && !front) {
        V s0 = neck + backDir * 2.6;
        V d1 = Turn({1, 0}, -pose.scarf), s1 = s0 + d1 * 5.5, s2 = s1 + Turn(d1, 28) * 4.5;
        p.Part(Either(Capsule(s0, s1, 2.1, 1.7), Capsule(s1, s2, 1.7, 1.1)), k.scarf);
        p.Part(Circle(at(4.4, 4.6), 2.8), k.hair);
    }

    // the tunic with its belt, the collar of the scarf
    const V hem = hip + up * -2.6;
    Field tunic =
        Polygon({neck + backDir * -3.9 + up * 0.4, neck + backDir * 3.9 + up * 0.4, hem + backDir * 6.9,
                 hem + backDir * 3 + up * -0.8, hem + backDir * -3 + up * -0.8, hem + backDir * -6.9});
    p.Part(tunic, k.tunic);
    p.Part(Both(tunic, Capsule(hip + backDir * -8 + up * 1.2, hip + backDir * 8 + up * 1.2, 1.1, 1.1)),
           k.belt, false, false);
    p.Part(Ellipse(neck + up * 0.2, 4.6, 2.1, headTurn), k.scarf);

    // the head
    if (front) {
        FrontHead(p, k, head, at, headTurn);
    } else if (back) {
        p.Part(Circle(head, 7), k.hair);
        p.Part(Either(Circle(at(-2.5, 5.5), 2.2), Circle(at(2.5, 5.5), 2.2)), k.hair, false);
    } else {
        p.Part(Circle(head, 7), k.skin);
        // a bob of hair over the back of the head, a fringe under the brim
        p.Part(Both(Circle(head, 7.3), Polygon({at(2.4, -9), at(9, -9), at(9, 9), at(4.6, 9), at(3.2, 2.5)})),
               k.hair);
        p.Part(Polygon({at(-7.2, -4.4), at(-6.6, -2), at(-5.2, -3.2), at(-4, -1.6), at(-2.6, -3),
                        at(-1, -1.8), at(1.4, -3.2), at(2, -5.2), at(-6.8, -5.2)}),
               k.hair, false);
        p.Part(Circle(at(-1.4, 2.8), 1.2), k.cheek, false, false);
        FaceParts(p, pose.face, at, headTurn);
    }
    Hat(p, k, at, headTurn);

    // in front: the near arm (both hands show in front when seen from behind or from the front)
    if (back || front) Arm(p, k, shoulderB, pose.hand2);
    if (!back) Arm(p, k, shoulderF, pose.hand1);

    if (pose.special == 1) {  // the front faces of the ice: an outline and two glints
        Painter ice = p;
        ice.tint = kNoColor;
        Field block = Polygon({{6, 2.4}, {33, 1.8}, {35, 39}, {5, 39.4}});
        Field rim = Both(block, [block](V q) { return -block(q) - 1.2; });
        ice.Part(rim, 0xE8FAFF, true, false);
        ice.Part(Capsule({9, 9}, {13, 7}, 0.6, 0.6), 0xFFFFFF, false, false);
        ice.Part(Capsule({28, 33}, {31, 29}, 0.6, 0.6), 0xFFFFFF, false, false);
    }
}

// ------------------------------------------------------------------ weapons

// Stripes across a pole, `period` apart and slanted.
Field Stripes(double period, double width) {
    return [=](V q) {
        double u = (q.x + q.y * 0.7) / period;
        return (std::fabs(u - std::floor(u) - 0.5) - width / 2) * period;
    };
}

// A weapon laid along a 128 x 32 strip with its striking end on the left; `bold` thickens
// it for small pictures.
void Weapon(const Painter& p, const std::string& kind, double bold, const Line& op) {
    const double k = bold;
    const uint32_t wood = 0xC8884A;
    if (kind == "broom") {
        p.Part(Capsule({30, 16}, {122, 16}, 2.6 * k, 2.6 * k), wood);
        p.Part(Circle({122, 16}, 3.2 * k), 0x8A5228);
        Field head =
            Polygon({{36, 16 - 5 * k}, {36, 16 + 5 * k}, {5, 16 + 12 * k}, {1, 16}, {5, 16 - 12 * k}});
        p.Part(head, 0xF0C850);
        for (double y : {-7.0, -2.5, 2.5, 7.0})
            p.Part(Both(head, Capsule({34, 16 + y * k * 0.35}, {4, 16 + y * k}, 0.45 * k, 0.45 * k)),
                   0xB88A28, false, false);
        p.Part(Capsule({33, 16 - 5.6 * k}, {33, 16 + 5.6 * k}, 2.4 * k, 2.4 * k), 0xD03028);
    } else if (kind == "pole" || kind == "longpole") {
        const bool strong = kind == "longpole";
        const double r = (strong ? 5.0 : 4.2) * k;
        Field pole = Capsule({7, 16}, {121, 16}, r, r);
        p.Part(pole, 0xF8F4EC);
        p.Part(Both(pole, Stripes(strong ? 13 : 15, 0.5)), strong ? 0xD01818 : 0xE03A30, false);
        const uint32_t cap = strong ? 0xF0C020 : 0xA8A8B4;
        p.Part(Ellipse({7, 16}, 3.6, r + 0.8 * k, 0), cap);
        p.Part(Ellipse({121, 16}, 3.6, r + 0.8 * k, 0), cap);
        if (strong) p.Part(Ellipse({64, 16}, 2.6, r + 0.8 * k, 0), cap);
    } else if (kind == "mallet") {
        p.Part(Capsule({24, 16}, {122, 16}, 3 * k, 3 * k), wood);
        p.Part(Circle({122, 16}, 3.4 * k), 0x8A5228);
        const double m = k > 1.2 ? 1.4 : 1.0;  // a bigger head on the small item picture
        Field head =
            Polygon({{4, 16 - 11.5 * m}, {24, 16 - 11.5 * m}, {24, 16 + 11.5 * m}, {4, 16 + 11.5 * m}});
        Field round = [head](V q) { return head(q) - 2.5; };
        p.Part(round, 0xB07038);
        for (double y : {-8.0, 8.0})
            p.Part(Both(round, Capsule({0, 16 + y * m}, {28, 16 + y * m}, 1.6 * k, 1.6 * k)), 0x6C6C78,
                   false);
    } else if (kind == "propeller") {
        p.Part(Capsule({14, 16}, {123, 16}, 2.5 * k, 2.5 * k), 0xE8E4F0);
        p.Part(Capsule({96, 16}, {123, 16}, 3.2 * k, 3.2 * k), 0x3C4CB8);
        const double span = k;
        p.Part(Ellipse({11, 16 - 6.8 * span}, 3.6 * k, 6.8 * span, -8), 0xE84040);
        p.Part(Ellipse({11, 16 + 6.8 * span}, 3.6 * k, 6.8 * span, -8), 0xE84040);
        p.Part(Circle({11, 16}, 3.8 * k), 0xF4C430);
    } else if (kind == "hose") {
        const std::vector<V> path = {{19, 16}, {44, 13.5}, {70, 18.5}, {96, 13.5}, {121, 16.5}};
        Field tube = Circle(path[0], 0);
        for (size_t i = 0; i + 1 < path.size(); ++i) {
            V a{path[i].x, 16 + (path[i].y - 16) * k}, b{path[i + 1].x, 16 + (path[i + 1].y - 16) * k};
            tube = Either(tube, Capsule(a, b, 3.8 * k, 3.8 * k));
        }
        p.Part(tube, 0x44B04C);
        p.Part(Polygon({{3, 16 - 3.2 * k}, {20, 16 - 5.2 * k}, {20, 16 + 5.2 * k}, {3, 16 + 3.2 * k}}),
               0xE8B830);
        p.Part(Capsule({18, 16 - 5.4 * k}, {18, 16 + 5.4 * k}, 2 * k, 2 * k), 0xB08020);
    } else {
        op.Fail("unknown weapon kind '" + kind + "'");
    }
}

// ------------------------------------------------------------------ swing streaks

// Paints a streak whose `depth` is 0 on its bright spine and 1 at its edge (negative
// outside): white core, the body colour, a darker rim, hard against the key.
void Streak(const Painter& p, uint32_t body, const std::function<double(V)>& depth) {
    const uint32_t core = Mix(body, 0xFFFFFF, 0.85), rim = Shade(body, 0.55);
    for (int py = p.box.y; py < p.box.Bottom(); ++py)
        for (int px = p.box.x; px < p.box.Right(); ++px) {
            double d = depth(p.ToShape(px, py));
            if (d < 0 || d > 1) continue;
            uint32_t col = d < 0.35   ? Mix(core, body, d / 0.35 * 0.5)
                           : d < 0.75 ? Mix(Mix(core, body, 0.5), body, (d - 0.35) / 0.4)
                                      : Mix(body, rim, (d - 0.75) / 0.25);
            p.c.Set(px, py, col);
        }
}

double Wrap360(double a) {
    a = std::fmod(a, 360.0);
    return a < 0 ? a + 360 : a;
}

// An arc swept from `from` to `to` degrees (clockwise on screen, 0 pointing right) round the
// middle of the box; thickest just behind its head, thinning to its tail.
std::function<double(V)> Arc(V centre, double radius, double thick, double from, double to, double tail) {
    return [=](V q) {
        V d = q - centre;
        double span = to - from, sweep = std::fabs(span);
        double a = std::atan2(d.y, d.x) * 180 / kPi;
        double along = (span >= 0 ? Wrap360(a - from) : Wrap360(from - a)) / sweep;  // 0 tail .. 1 head
        if (along > 1) return -1.0;
        double grow = std::pow(std::sin(kPi / 2 * std::min(1.0, along / 0.85)), 0.7);
        if (along > 0.85) grow *= std::sqrt(std::max(0.0, 1 - (along - 0.85) / 0.15 * 0.6));
        double half = thick / 2 * (tail + (1 - tail) * grow);
        if (half < 0.4) return -1.0;
        return std::fabs(Len(d) - radius + half * 0.3) / half;
    };
}

void Swing(const Painter& p, const Line& op) {
    const std::string kind = op.Str("kind", "arc");
    const uint32_t body = op.Color("color", 0xA8E0FF);
    const double w = p.box.w / p.unit, h = p.box.h / p.unit;
    const V mid{w / 2, h / 2};
    if (kind == "arc" || kind == "ring") {
        V centre{op.Num("cx", 0.5) * w, op.Num("cy", 0.5) * h};
        double radius = op.Num("r", 0.4) * std::min(w, h), thick = op.Num("thick", 10);
        double from = op.Num("from", 0), to = op.Num("to", kind == "ring" ? 330 : 120);
        Streak(p, body, Arc(centre, radius, thick, from, to, op.Num("tail", 0.1)));
    } else if (kind == "disc") {
        // a weapon spun flat: a pale blurred disc and the weapon across it at `angle`
        const double rx = w / 2 - 2, ry = h / 2 - 4, turn = op.Num("angle", 0) * kPi / 180;
        Streak(p, body, [=](V q) {
            double e = std::hypot((q.x - mid.x) / rx, (q.y - mid.y) / ry);
            return e > 1 ? -1.0 : 0.15 + 0.85 * std::pow(e, 3);
        });
        V tip{std::cos(turn) * (rx - 3), std::sin(turn) * (ry - 2)};
        p.Part(Capsule(mid - tip, mid + tip, 3, 3), op.Color("bar", 0xC8884A));
    } else if (kind == "thrust") {
        // speed lines gathering into a bright point at the `dir` side of the box (the front)
        const std::string dir = op.Str("dir", "left");
        const bool upright = dir == "up" || dir == "down";
        const double bw = w, bh = h;
        auto toLine = [=](V q) {  // into a box whose point is on the left
            if (dir == "up") return V{q.y, q.x};
            if (dir == "down") return V{bh - q.y, q.x};
            return q;
        };
        const double boxW = upright ? bh : bw, boxH = upright ? bw : bh;
        const int n = op.Int("count", 5);
        std::vector<std::function<double(V)>> lines;
        for (int i = 0; i < n; ++i) {
            // parallel strokes, the middle one longest and thickest, their heads staggered
            const double centre =
                std::fabs(i - (n - 1) / 2.0) / std::max(1.0, (n - 1) / 2.0);  // 0 middle .. 1 edge
            const double y = boxH * (0.5 + (i - (n - 1) / 2.0) / std::max(1, n - 1) * op.Num("spread", 0.7));
            const double x0 = boxW * (0.04 + 0.22 * centre + 0.06 * (i % 2)),
                         len = boxW * (0.9 - 0.35 * centre) - x0 * 0.5;
            const double th = boxH * (0.16 - 0.07 * centre) * op.Num("size", 1.0);
            lines.push_back([=](V q) {
                double t = (q.x - x0) / len;  // 0 at the head .. 1 at the tail
                if (t < -0.2 || t > 1) return -1.0;
                double half = th / 2 * (t < 0 ? std::sqrt(std::max(0.0, 1 - t * t * 25)) : 1 - t * 0.85);
                double across = std::fabs(q.y - y) / std::max(half, 0.01);
                return half < 0.45 || across > 1 ? -1.0 : std::max(across, t * 0.6);
            });
        }
        Streak(p, body, [lines, toLine](V at) {
            V q = toLine(at);
            double best = -1;
            for (auto& f : lines) {
                double d = f(q);
                if (d >= 0 && (best < 0 || d < best)) best = d;
            }
            return best;
        });
    } else {
        op.Fail("unknown swing kind '" + kind + "'");
    }
}
}  // namespace

void DrawHeroShape(Canvas& canvas, const Line& op) {
    auto it = Poses().find(op.Str("pose", "stand"));
    if (it == Poses().end()) op.Fail("unknown hero pose '" + op.Str("pose") + "'");
    DrawHero(canvas, op, it->second, op.Str("face", "right") == "right");
}

void DrawWeaponShape(Canvas& canvas, const Line& op) {
    Rect box{op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)};
    Painter p(canvas, box);
    const double turn = op.Num("angle", 0);
    p.unit = op.Num("scale", box.w / 128.0);
    p.flipY = op.Int("flipv", 0) != 0;
    p.pivot = {64, 16};
    p.turn = turn;
    // `along` brings the point that many strip units nearer the striking end to the middle
    p.shift = V{box.w / p.unit / 2, box.h / p.unit / 2} - p.pivot - Turn({-op.Num("along", 0), 0}, turn);
    Weapon(p, op.Str("kind", "broom"), op.Num("bold", 1.0), op);
}

void DrawSwingShape(Canvas& canvas, const Line& op) {
    Rect box{op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)};
    Painter p(canvas, box);
    p.mirror = op.Str("face", "left") == "right";
    p.flipY = op.Int("flipv", 0) != 0;
    Swing(p, op);
}

}  // namespace gen
