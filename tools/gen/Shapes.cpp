#include "tools/gen/Shapes.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>

#include "tools/gen/BossShapes.h"
#include "tools/gen/EffectShapes.h"
#include "tools/gen/EnemyShapes.h"
#include "tools/gen/HeroShapes.h"
#include "tools/gen/ObjectShapes.h"
#include "tools/gen/SceneShapes.h"
#include "tools/gen/TextRender.h"

namespace gen {
namespace {

Rect BoxOf(const Line& op) { return {op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)}; }

// Deterministic noise in 0..1 for textures.
double Noise(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 65535.0;
}

int Dir(const std::string& s) {  // 0 right, 1 down, 2 left, 3 up
    if (s == "down") return 1;
    if (s == "left") return 2;
    if (s == "up") return 3;
    return 0;
}

// Rotates a point given for the "right" direction inside the box to direction d.
void Orient(const Rect& r, int d, double& x, double& y) {
    double cx = r.x + r.w / 2.0, cy = r.y + r.h / 2.0;
    double u = (x - cx) / (r.w / 2.0), v = (y - cy) / (r.h / 2.0);
    double nu = u, nv = v;
    if (d == 1) {
        nu = -v;
        nv = u;
    }
    if (d == 2) {
        nu = -u;
        nv = v;
    }
    if (d == 3) {
        nu = v;
        nv = -u;
    }
    x = cx + nu * r.w / 2.0;
    y = cy + nv * r.h / 2.0;
}

std::vector<double> Shape(const Rect& r, int d, std::initializer_list<double> unit) {
    // unit: pairs in 0..1 of the box, for direction "right"
    std::vector<double> out;
    auto it = unit.begin();
    while (it != unit.end()) {
        double x = r.x + *it++ * r.w;
        double y = r.y + *it++ * r.h;
        Orient(r, d, x, y);
        out.push_back(x);
        out.push_back(y);
    }
    return out;
}

void Poly(Canvas& c, const std::vector<double>& p, uint32_t fill, uint32_t line, int width = 1) {
    if (fill != kNoColor) c.FillPolygon(p, fill);
    if (line != kNoColor) c.FramePolygon(p, line, width);
}

void Ellipse(Canvas& c, const Rect& r, uint32_t fill, uint32_t line, int width = 1) {
    if (fill != kNoColor) c.FillEllipse(r, fill);
    if (line != kNoColor) c.FrameEllipse(r, line, width);
}

Rect Scaled(const Rect& r, double fx, double fy, double fw, double fh) {
    return {r.x + static_cast<int>(std::lround(r.w * fx)), r.y + static_cast<int>(std::lround(r.h * fy)),
            std::max(1, static_cast<int>(std::lround(r.w * fw))),
            std::max(1, static_cast<int>(std::lround(r.h * fh)))};
}

// ---------------------------------------------------------------- basic words
void OpFill(Canvas& c, const Line& op) {
    c.FillRect(BoxOf(op), op.Color("color", op.Color("fill", kKeyColor)));
}

void OpRect(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    uint32_t fill = op.Color("fill", kNoColor), line = op.Color("line", kNoColor);
    if (fill != kNoColor) c.FillRect(r, fill);
    if (line != kNoColor) c.FrameRect(r, line, op.Int("width", 1));
}

void OpRound(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    int rad = op.Int("r", std::min(r.w, r.h) / 4);
    uint32_t fill = op.Color("fill", kNoColor), line = op.Color("line", kNoColor);
    int width = op.Int("width", 1);
    if (line != kNoColor) {
        c.FillRound(r, rad, line);
        if (fill != kNoColor) c.FillRound(r.Inset(width), std::max(0, rad - width), fill);
    } else if (fill != kNoColor) {
        c.FillRound(r, rad, fill);
    }
}

void OpEllipse(Canvas& c, const Line& op) {
    Ellipse(c, BoxOf(op), op.Color("fill", kNoColor), op.Color("line", kNoColor), op.Int("width", 1));
}

void OpLine(Canvas& c, const Line& op) {
    c.Line(op.ArgNum(0), op.ArgNum(1), op.ArgNum(2), op.ArgNum(3), op.Color("color", 0x000000),
           op.Int("width", 1));
}

void OpPoly(Canvas& c, const Line& op) {
    std::vector<double> p;
    for (size_t i = 0; i < op.args.size(); ++i) p.push_back(op.ArgNum(i));
    if (p.size() < 6 || p.size() % 2) op.Fail("poly needs at least three x y pairs");
    Poly(c, p, op.Color("fill", kNoColor), op.Color("line", kNoColor), op.Int("width", 1));
}

void OpGradient(Canvas& c, const Line& op) {
    c.Gradient(BoxOf(op), op.Color("from", 0xFFFFFF), op.Color("to", 0x000000), op.Str("dir", "v") == "h");
}

void OpText(Canvas& c, const Line& op) {
    if (op.args.size() < 5) op.Fail("text needs x y w h \"text\"");
    TextStyle s;
    s.size = op.Int("size", 16);
    s.color = op.Color("color", 0xFFFFFF);
    s.outline = op.Color("outline", kNoColor);
    std::string a = op.Str("align", "center");
    s.align = a == "left" ? 0 : a == "right" ? 2 : 1;
    std::string v = op.Str("valign", "middle");
    s.valign = v == "top" ? 0 : v == "bottom" ? 2 : 1;
    s.bold = op.Int("bold", 0) != 0;
    s.mincho = op.Str("font", "gothic") == "mincho";
    s.shrink = op.Int("shrink", 1) != 0;
    Rect box = BoxOf(op);
    if (op.Has("boxw")) {
        // Lay the text out in a wider box that starts `shift` pixels to the left and keep only
        // this rectangle of it: one long logo can so be cut into rows of a picture.
        c.SetClip(box);
        box = {box.x - op.Int("shift", 0), box.y, op.Int("boxw", box.w), box.h};
    }
    if (op.Int("shadow", 0)) {
        TextStyle sh = s;
        sh.color = op.Color("shadowcolor", 0x000000);
        sh.outline = op.Color("shadowcolor", 0x000000);
        int d = op.Int("shadow", 0);
        DrawText(c, {box.x + d, box.y + d, box.w, box.h}, op.args[4], sh);
    }
    DrawText(c, box, op.args[4], s);
}

void OpArrow(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    int d = Dir(op.Str("dir", "right"));
    auto p = Shape(r, d, {0.1, 0.35, 0.55, 0.35, 0.55, 0.1, 0.95, 0.5, 0.55, 0.9, 0.55, 0.65, 0.1, 0.65});
    Poly(c, p, op.Color("fill", 0xFFFFFF), op.Color("line", 0x000000));
}

void OpCursor(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    uint32_t fill = op.Color("fill", 0xFFFFFF), line = op.Color("line", 0x000000);
    std::string kind = op.Str("kind", "arrow");
    double x = r.x, y = r.y, s = std::min(r.w, r.h) / 32.0;
    auto P = [&](std::initializer_list<double> pts) {
        std::vector<double> v;
        bool odd = false;
        for (double t : pts) {
            v.push_back((odd ? y : x) + t * s);
            odd = !odd;
        }
        return v;
    };
    if (kind == "arrow") {
        Poly(c, P({1, 1, 1, 21, 6, 16, 10, 25, 14, 23, 10, 15, 17, 15}), fill, line);
    } else if (kind == "hand") {
        Poly(c, P({8,  12, 8,  3,  11, 1,  13, 3,  13, 10, 17, 9, 21,
                   10, 24, 12, 24, 22, 20, 27, 11, 27, 5,  20, 4, 15}),
             fill, line);
    } else if (kind == "pen") {
        Poly(c, P({1, 1, 7, 3, 24, 20, 20, 24, 3, 7}), fill, line);
        Poly(c, P({1, 1, 7, 3, 3, 7}), line, line);
    } else if (kind == "cross") {
        c.Line(x + 1 * s, y + 12 * s, x + 23 * s, y + 12 * s, line, 3);
        c.Line(x + 12 * s, y + 1 * s, x + 12 * s, y + 23 * s, line, 3);
        c.Line(x + 2 * s, y + 12 * s, x + 22 * s, y + 12 * s, fill, 1);
        c.Line(x + 12 * s, y + 2 * s, x + 12 * s, y + 22 * s, fill, 1);
    } else if (kind == "move") {
        for (int d = 0; d < 4; ++d) {
            Rect a{static_cast<int>(x + 6 * s), static_cast<int>(y + 6 * s), static_cast<int>(16 * s),
                   static_cast<int>(16 * s)};
            Poly(c, Shape(a, d, {0.55, 0.3, 1.0, 0.5, 0.55, 0.7}), fill, line);
        }
        c.FillRect({static_cast<int>(x + 10 * s), static_cast<int>(y + 13 * s), static_cast<int>(8 * s),
                    static_cast<int>(2 * s)},
                   line);
        c.FillRect({static_cast<int>(x + 13 * s), static_cast<int>(y + 10 * s), static_cast<int>(2 * s),
                    static_cast<int>(8 * s)},
                   line);
    } else if (kind == "eraser") {
        Poly(c, P({2, 16, 14, 4, 24, 14, 12, 26}), fill, line);
        Poly(c, P({2, 16, 8, 10, 18, 20, 12, 26}), op.Color("accent", 0xE06080), line);
    } else if (kind == "bucket") {
        Poly(c, P({4, 12, 14, 2, 24, 12, 14, 22}), fill, line);
        Ellipse(c,
                {static_cast<int>(x + 20 * s), static_cast<int>(y + 16 * s), static_cast<int>(6 * s),
                 static_cast<int>(9 * s)},
                op.Color("accent", 0x3080F0), line);
    } else if (kind == "pick") {
        Poly(c, P({2, 26, 4, 20, 18, 6, 22, 10, 8, 24}), fill, line);
        Ellipse(c,
                {static_cast<int>(x + 17 * s), static_cast<int>(y + 1 * s), static_cast<int>(10 * s),
                 static_cast<int>(10 * s)},
                op.Color("accent", 0x606060), line);
    } else if (kind == "wait") {
        Ellipse(c,
                {static_cast<int>(x + 2 * s), static_cast<int>(y + 2 * s), static_cast<int>(22 * s),
                 static_cast<int>(22 * s)},
                fill, line, 2);
        c.Line(x + 13 * s, y + 13 * s, x + 13 * s, y + 6 * s, line, 2);
        c.Line(x + 13 * s, y + 13 * s, x + 19 * s, y + 13 * s, line, 2);
    } else if (kind == "select") {
        for (int i = 0; i < 24; i += 4) {
            c.Line(x + (2 + i) * s, y + 2 * s, x + (4 + i) * s, y + 2 * s, line);
            c.Line(x + (2 + i) * s, y + 24 * s, x + (4 + i) * s, y + 24 * s, line);
            c.Line(x + 2 * s, y + (2 + i) * s, x + 2 * s, y + (4 + i) * s, line);
            c.Line(x + 24 * s, y + (2 + i) * s, x + 24 * s, y + (4 + i) * s, line);
        }
        Poly(c, P({10, 10, 10, 24, 14, 20, 17, 27, 20, 26, 17, 19, 22, 19}), fill, line);
    } else {
        op.Fail("unknown cursor kind " + kind);
    }
}

// ---------------------------------------------------------------- creatures and things
void Eye(Canvas& c, int cx, int cy, int rad, uint32_t white, int look) {
    Ellipse(c, {cx - rad, cy - rad, 2 * rad + 1, 2 * rad + 1}, white, 0x000000);
    int p = std::max(1, rad / 2);
    c.FillRect({cx + look * (rad - p) / 2 - p / 2, cy - p / 2, std::max(1, p), std::max(1, p + 1)}, 0x000000);
}

// A creature's colours and pose, read once from its line.
struct Creature {
    const Line& op;
    std::string kind;
    Rect r;
    uint32_t body, line, belly, eye;
    int face, frame;  // face -1 left, 1 right; odd frames step or flap
    double bob;       // odd frames lift the body a little
    int er;           // eye radius
};

// A round body with eyes; kid: feet and a cap, spiky: spikes, ball: no belly.
void RoundCreature(Canvas& c, const Creature& k) {
    const auto& [op, kind, r, body, line, belly, eye, face, frame, bob, er] = k;
    Rect b = Scaled(r, 0.12, 0.18 + bob, 0.76, 0.7);
    if (kind == "spiky") {
        b = Scaled(r, 0.2, 0.26 + bob, 0.6, 0.56);
        for (int i = 0; i < 8; ++i) {
            double a = i * kPi / 4 + frame * 0.2;
            double cx = b.x + b.w / 2.0, cy = b.y + b.h / 2.0;
            double rx = b.w * 0.82, ry = b.h * 0.82;
            Poly(c,
                 {cx + std::cos(a - 0.3) * b.w * 0.4, cy + std::sin(a - 0.3) * b.h * 0.4,
                  cx + std::cos(a) * rx, cy + std::sin(a) * ry, cx + std::cos(a + 0.3) * b.w * 0.4,
                  cy + std::sin(a + 0.3) * b.h * 0.4},
                 line, kNoColor);
        }
    }
    if (kind == "kid") {  // feet
        int fy = r.y + static_cast<int>(r.h * 0.84);
        int step = (frame % 2) ? 2 : -2;
        c.FillEllipse({r.x + r.w / 4 + step - 2, fy, r.w / 4, r.h / 7}, line);
        c.FillEllipse({r.x + r.w / 2 - step, fy, r.w / 4, r.h / 7}, line);
    }
    Ellipse(c, b, body, line);
    if (kind != "ball") c.FillEllipse(Scaled(b, 0.25, 0.55, 0.5, 0.35), belly);
    Eye(c, b.x + b.w / 2 + face * b.w / 6, b.y + b.h / 3, er, eye, face);
    if (kind == "kid") {  // cap
        Poly(c,
             {double(b.x + b.w * 0.15), double(b.y + b.h * 0.25), double(b.x + b.w * 0.5),
              double(b.y - b.h * 0.12), double(b.x + b.w * 0.85), double(b.y + b.h * 0.25)},
             op.Color("accent", 0x3050D0), line);
    }
}

// A head on a torso on two legs, an arm towards the facing side.
void StandingCreature(Canvas& c, const Creature& k) {
    const auto& [op, kind, r, body, line, belly, eye, face, frame, bob, er] = k;
    Rect head = Scaled(r, 0.3, 0.05 + bob, 0.4, 0.32);
    Rect torso = Scaled(r, 0.28, 0.36 + bob, 0.44, 0.38);
    int legY = torso.Bottom(), legH = r.Bottom() - legY - 1;
    int sw = (frame % 2) ? r.w / 8 : 0;
    c.Line(torso.x + torso.w * 0.3, legY, torso.x + torso.w * 0.3 - sw, legY + legH, line,
           std::max(2, r.w / 10));
    c.Line(torso.x + torso.w * 0.7, legY, torso.x + torso.w * 0.7 + sw, legY + legH, line,
           std::max(2, r.w / 10));
    if (kind == "robot") {
        c.FillRect(torso, body);
        c.FrameRect(torso, line);
        c.FillRect(head, Shade(body, 1.3));
        c.FrameRect(head, line);
    } else {
        c.FillRound(torso, torso.w / 3, body);
        Ellipse(c, head, op.Color("skin", 0xF8D0A0), line);
    }
    // arm holding something towards the facing side
    double ax = torso.x + torso.w / 2.0, ay = torso.y + torso.h * 0.3;
    c.Line(ax, ay, ax + face * r.w * 0.38, ay + r.h * 0.08, line, std::max(2, r.w / 12));
    if (kind == "stick")
        c.Line(ax + face * r.w * 0.38, ay - r.h * 0.3, ax + face * r.w * 0.38, ay + r.h * 0.35,
               op.Color("accent", 0x805020), 2);
    Eye(c, head.x + head.w / 2 + face * head.w / 5, head.y + head.h / 2, std::max(1, er - 1), eye, face);
}

// A body between two wings that flap with the frame.
void FlyingCreature(Canvas& c, const Creature& k) {
    const auto& [op, kind, r, body, line, belly, eye, face, frame, bob, er] = k;
    Rect b = Scaled(r, 0.32, 0.3, 0.36, 0.4);
    double wy = (frame % 2) ? 0.05 : 0.45;
    uint32_t wing = op.Color("wing", Shade(body, 0.75));
    Poly(c,
         {double(b.x + 2), double(b.y + b.h / 2), double(r.x + 1), r.y + r.h * wy, double(r.x + r.w * 0.12),
          r.y + r.h * 0.7},
         wing, line);
    Poly(c,
         {double(b.Right() - 2), double(b.y + b.h / 2), double(r.Right() - 1), r.y + r.h * wy,
          double(r.Right() - r.w * 0.12), r.y + r.h * 0.7},
         wing, line);
    Ellipse(c, b, body, line);
    Eye(c, b.x + b.w / 2 + face * b.w / 5, b.y + b.h / 3, std::max(1, er - 1), eye, face);
    if (kind == "bird")
        Poly(c,
             {double(b.x + b.w / 2 + face * b.w / 2), double(b.y + b.h / 2 - 2),
              double(b.x + b.w / 2 + face * (b.w / 2 + 5)), double(b.y + b.h / 2),
              double(b.x + b.w / 2 + face * b.w / 2), double(b.y + b.h / 2 + 2)},
             0xF0B020, line);
}

void Fish(Canvas& c, const Creature& k) {
    const auto& [op, kind, r, body, line, belly, eye, face, frame, bob, er] = k;
    Rect b = Scaled(r, 0.15, 0.25 + bob, 0.65, 0.5);
    double tx = face > 0 ? b.x + 1 : b.Right() - 1;
    double tw = r.w * 0.18 * -face;
    Poly(c, {tx, double(b.y + b.h / 2), tx + tw, double(b.y), tx + tw, double(b.Bottom())}, Shade(body, 0.8),
         line);
    Ellipse(c, b, body, line);
    Eye(c, b.x + b.w / 2 + face * b.w / 4, b.y + b.h / 3, std::max(1, er - 1), eye, face);
}

// A stem with a flower head or a face.
void Plant(Canvas& c, const Creature& k) {
    const auto& [op, kind, r, body, line, belly, eye, face, frame, bob, er] = k;
    int stemX = r.x + r.w / 2;
    c.Line(stemX, r.y + r.h * 0.45, stemX, r.Bottom() - 1, 0x30A030, std::max(2, r.w / 12));
    c.FillEllipse({stemX - r.w / 3, r.y + static_cast<int>(r.h * 0.65), r.w / 3, r.h / 6}, 0x40C040);
    if (kind == "flower") {
        Rect head = Scaled(r, 0.2, 0.05 + bob, 0.6, 0.5);
        for (int i = 0; i < 6; ++i) {
            double a = i * kPi / 3;
            int px = head.x + head.w / 2 + static_cast<int>(std::cos(a) * head.w * 0.32);
            int py = head.y + head.h / 2 + static_cast<int>(std::sin(a) * head.h * 0.32);
            c.FillEllipse({px - head.w / 5, py - head.h / 5, head.w * 2 / 5, head.h * 2 / 5}, body);
        }
        Ellipse(c, Scaled(head, 0.3, 0.3, 0.4, 0.4), op.Color("center", 0xF8E040), line);
    } else {
        Rect head = Scaled(r, 0.3, 0.15 + bob, 0.4, 0.35);
        Ellipse(c, head, body, line);
        Eye(c, head.x + head.w / 2 + face * head.w / 5, head.y + head.h / 2, std::max(1, er - 1), eye, face);
    }
}

void Ghost(Canvas& c, const Creature& k) {
    const auto& [op, kind, r, body, line, belly, eye, face, frame, bob, er] = k;
    Rect b = Scaled(r, 0.15, 0.1 + bob, 0.7, 0.8);
    c.FillRound({b.x, b.y, b.w, b.h}, b.w / 2, body);
    for (int i = 0; i < 3; ++i)
        c.FillEllipse({b.x + i * b.w / 3, b.Bottom() - b.h / 6, b.w / 3, b.h / 5}, kKeyColor);
    Eye(c, b.x + b.w / 2 + face * b.w / 6, b.y + b.h / 3, er, eye, face);
}

void Worm(Canvas& c, const Creature& k) {
    const auto& [op, kind, r, body, line, belly, eye, face, frame, bob, er] = k;
    for (int i = 3; i >= 0; --i) {
        int seg = r.w / 4;
        int sx = face > 0 ? r.x + i * seg : r.Right() - (i + 1) * seg;
        int sy = r.y + r.h / 3 + (((i + frame) % 2) ? 2 : 0);
        Ellipse(c, {sx, sy, seg + 2, r.h / 2}, i == 3 ? body : Shade(body, 0.85), line);
    }
    int hx = face > 0 ? r.Right() - r.w / 8 : r.x + r.w / 8;
    Eye(c, hx, r.y + r.h / 2, std::max(1, er - 1), eye, face);
}

void OpCreature(Canvas& c, const Line& op) {
    static const std::map<std::string, void (*)(Canvas&, const Creature&)> kinds = {
        {"round", RoundCreature},
        {"kid", RoundCreature},
        {"ball", RoundCreature},
        {"spiky", RoundCreature},
        {"tall", StandingCreature},
        {"stick", StandingCreature},
        {"robot", StandingCreature},
        {"bat", FlyingCreature},
        {"bird", FlyingCreature},
        {"fish", Fish},
        {"flower", Plant},
        {"sprout", Plant},
        {"ghost", Ghost},
        {"worm", Worm}};
    Rect r = BoxOf(op);
    uint32_t body = op.Color("body", 0xE05050);
    int frame = op.Int("frame", 0);
    Creature k{op,
               op.Str("kind", "round"),
               r,
               body,
               op.Color("line", Shade(body, 0.45)),
               op.Color("belly", Shade(body, 1.5)),
               op.Color("eye", 0xFFFFFF),
               op.Str("face", "right") == "left" ? -1 : 1,
               frame,
               (frame % 2) ? 0.04 : 0.0,
               std::max(2, std::min(r.w, r.h) / 9)};
    auto it = kinds.find(k.kind);
    if (it == kinds.end()) op.Fail("unknown creature kind " + k.kind);
    it->second(c, k);
}

void Planks(Canvas& c, const Rect& r, uint32_t base, bool vertical) {
    c.FillRect(r, base);
    int n = std::max(2, (vertical ? r.w : r.h) / 8);
    for (int i = 1; i < n; ++i) {
        if (vertical)
            c.Line(r.x + i * r.w / n, r.y, r.x + i * r.w / n, r.Bottom() - 1, Shade(base, 0.7));
        else
            c.Line(r.x, r.y + i * r.h / n, r.Right() - 1, r.y + i * r.h / n, Shade(base, 0.7));
    }
}

void OpDoor(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    std::string kind = op.Str("kind", "wood");
    uint32_t col = op.Color("color", 0xA06030);
    uint32_t line = op.Color("line", Shade(col, 0.4));
    Rect d = Scaled(r, 0.15, 0.08, 0.7, 0.92);
    if (kind == "cave") {
        c.FillRound({d.x, d.y, d.w, d.h + d.w / 2}, d.w / 2, line);
        c.FillRound(Rect{d.x, d.y, d.w, d.h + d.w / 2}.Inset(2), d.w / 2 - 2, op.Color("inside", 0x201008));
        c.FillRect({r.x, r.Bottom() - 1, r.w, 1}, line);
        return;
    }
    if (kind == "warp") {
        for (int i = 0; i < 4; ++i)
            Ellipse(c, Scaled(r, 0.1 + i * 0.1, 0.1 + i * 0.1, 0.8 - i * 0.2, 0.8 - i * 0.2), kNoColor,
                    Mix(col, 0xFFFFFF, i * 0.25), 2);
        return;
    }
    if (kind == "shutter") {
        Planks(c, d, col, false);
    } else {
        c.FillRound({d.x, d.y, d.w, d.h}, d.w / 3, col);
        Planks(c, Scaled(d, 0.1, 0.15, 0.8, 0.85), Shade(col, 0.9), true);
    }
    c.FrameRect(d, line);
    c.FillEllipse({d.Right() - d.w / 4 - 1, d.y + d.h / 2, std::max(2, d.w / 8), std::max(2, d.w / 8)},
                  op.Color("knob", 0xF0D040));
    if (kind == "key") {
        Rect k = Scaled(d, 0.3, 0.3, 0.4, 0.3);
        c.FillEllipse({k.x + k.w / 4, k.y, k.w / 2, k.h / 2}, 0x202020);
        c.FillRect({k.x + k.w / 2 - 1, k.y + k.h / 3, 3, k.h * 2 / 3}, 0x202020);
    } else if (kind == "enemy") {
        Rect k = Scaled(d, 0.2, 0.25, 0.6, 0.35);
        TextStyle s;
        s.size = std::max(6, k.h);
        s.color = 0xFFFFFF;
        s.outline = 0x800000;
        DrawText(c, k, "0", s);
    }
}

void OpLift(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    uint32_t col = op.Color("color", 0xC08040);
    uint32_t line = op.Color("line", Shade(col, 0.45));
    std::string kind = op.Str("kind", "plain");
    int h = op.Int("thick", std::max(6, r.h / 3));
    Rect plank{r.x, r.y + (r.h - h) / 2, r.w, h};
    if (kind == "cloud") {
        for (int i = 0; i < 3; ++i)
            c.FillEllipse({r.x + i * r.w / 4, plank.y - h / 2, r.w / 2, h * 2}, 0xFFFFFF);
        c.FrameRect(plank, 0xC0C8D8);
        return;
    }
    c.FillRect(plank, col);
    c.FillRect({plank.x, plank.y, plank.w, std::max(1, h / 4)}, Shade(col, 1.35));
    c.FrameRect(plank, line);
    for (int x = plank.x + 4; x + 2 < plank.Right(); x += 10)
        c.FillRect({x, plank.y + h / 2 - 1, 2, 2}, line);
    std::string arrows = op.Str("arrows", "");
    for (char a : arrows) {
        int d = a == 'r' ? 0 : a == 'd' ? 1 : a == 'l' ? 2 : 3;
        Rect ar{r.x + r.w / 2 - 5, plank.y + (plank.h - 10) / 2, 10, 10};
        if (a == 'l') ar.x = r.x + 2;
        if (a == 'r') ar.x = r.Right() - 12;
        Poly(c, Shape(ar, d, {0.1, 0.1, 0.9, 0.5, 0.1, 0.9}), 0xFFFFFF, line);
    }
}

void OpBlock(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    c.SetClip(r);  // the outline stays inside the box
    std::string kind = op.Str("kind", "wood");
    uint32_t col = op.Color("color", kind == "stone" ? 0x9098A0 : kind == "ice" ? 0xA8E0F8 : 0xC08850);
    uint32_t line = op.Color("line", Shade(col, 0.45));
    if (kind == "wood") {
        Planks(c, r, col, false);
        c.Line(r.x, r.y, r.Right() - 1, r.Bottom() - 1, Shade(col, 0.6), 2);
        c.Line(r.Right() - 1, r.y, r.x, r.Bottom() - 1, Shade(col, 0.6), 2);
    } else if (kind == "stone") {
        c.FillRect(r, col);
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x)
                if (Noise(x, y, 7) < 0.12) c.Set(x, y, Shade(col, 0.8));
        c.Line(r.x, r.y + r.h / 2, r.Right() - 1, r.y + r.h / 2, line);
        c.Line(r.x + r.w / 2, r.y, r.x + r.w / 2, r.y + r.h / 2, line);
    } else if (kind == "ice") {
        c.FillRect(r, col);
        c.Line(r.x + r.w * 0.2, r.y + r.h * 0.2, r.x + r.w * 0.45, r.y + r.h * 0.45, 0xFFFFFF, 2);
    } else {
        c.FillRect(r, col);
    }
    c.FillRect({r.x, r.y, r.w, 2}, Shade(col, 1.3));
    c.FrameRect(r, line);
    std::string mark = op.Str("mark", "");
    if (!mark.empty()) {
        TextStyle s;
        s.size = std::max(7, std::min(r.w, r.h) / 2);
        s.color = op.Color("markcolor", 0xFFFFFF);
        s.outline = 0x000000;
        s.bold = true;
        DrawText(c, r, mark, s);
    }
}

void OpSwitch(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    uint32_t col = op.Color("color", 0xE03030);
    bool pressed = op.Int("pressed", 0) != 0;
    std::string kind = op.Str("kind", "push");
    uint32_t base = op.Color("base", 0x808890);
    Rect foot = Scaled(r, 0.1, 0.75, 0.8, 0.25);
    c.FillRect(foot, base);
    c.FrameRect(foot, Shade(base, 0.5));
    double top = pressed ? 0.62 : 0.38;
    Rect button = Scaled(r, 0.2, top, 0.6, 0.75 - top + 0.02);
    if (kind == "spring" && !pressed) {
        for (int i = 0; i < 3; ++i)
            c.Line(r.x + r.w * 0.3, r.y + r.h * (0.72 - i * 0.1), r.x + r.w * 0.7,
                   r.y + r.h * (0.67 - i * 0.1), 0x404040, 2);
        button = Scaled(r, 0.2, 0.2, 0.6, 0.2);
    }
    c.FillRound(button, std::max(1, button.h / 2), col);
    c.FillRect({button.x + 2, button.y + 1, std::max(1, button.w - 4), std::max(1, button.h / 3)},
               Shade(col, 1.4));
    std::string mark = kind == "timer"    ? "T"
                       : kind == "toggle" ? "↔"
                       : kind == "devil"  ? "!"
                       : kind == "force"  ? "F"
                                          : "";
    if (!mark.empty()) {
        TextStyle s;
        s.size = std::max(7, r.h / 3);
        s.color = 0xFFFFFF;
        s.outline = 0x000000;
        DrawText(c, Scaled(r, 0.1, 0.0, 0.8, 0.4), mark, s);
    }
}

void Star(Canvas& c, const Rect& r, uint32_t fill, uint32_t line) {
    std::vector<double> p;
    for (int i = 0; i < 10; ++i) {
        double a = -kPi / 2 + i * kPi / 5;
        double rad = (i % 2) ? 0.22 : 0.5;
        p.push_back(r.x + r.w / 2.0 + std::cos(a) * r.w * rad);
        p.push_back(r.y + r.h / 2.0 + std::sin(a) * r.h * rad);
    }
    Poly(c, p, fill, line);
}

void Heart(Canvas& c, const Rect& r, uint32_t fill, uint32_t line) {
    std::vector<double> p;
    for (int i = 0; i < 40; ++i) {
        double t = i * 2 * kPi / 40;
        double x = 16 * std::pow(std::sin(t), 3);
        double y = -(13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t));
        p.push_back(r.x + r.w / 2.0 + x / 34.0 * r.w);
        p.push_back(r.y + r.h * 0.45 + y / 34.0 * r.h);
    }
    Poly(c, p, fill, line);
}

void Key(Canvas& c, const Rect& r, uint32_t fill, uint32_t line) {
    Rect ring = Scaled(r, 0.1, 0.25, 0.4, 0.5);
    Ellipse(c, ring, fill, line, 1);
    c.FillEllipse(ring.Inset(std::max(2, ring.w / 4)), kKeyColor);
    Rect shaft = Scaled(r, 0.45, 0.43, 0.5, 0.14);
    c.FillRect(shaft, fill);
    c.FrameRect(shaft, line);
    c.FillRect(Scaled(r, 0.75, 0.55, 0.08, 0.16), fill);
    c.FillRect(Scaled(r, 0.87, 0.55, 0.08, 0.2), fill);
}

void Coin(Canvas& c, const Rect& r, uint32_t fill, uint32_t line) {
    Ellipse(c, r, fill, line, 1);
    Ellipse(c, r.Inset(std::max(2, r.w / 6)), kNoColor, Shade(fill, 0.75), 1);
}

void Gear(Canvas& c, const Rect& r, uint32_t fill, uint32_t line) {
    double cx = r.x + r.w / 2.0, cy = r.y + r.h / 2.0;
    std::vector<double> p;
    for (int i = 0; i < 32; ++i) {
        double a = i * 2 * kPi / 32;
        double rad = ((i / 2) % 2) ? 0.5 : 0.38;
        p.push_back(cx + std::cos(a) * r.w * rad);
        p.push_back(cy + std::sin(a) * r.h * rad);
    }
    Poly(c, p, fill, line);
    c.FillEllipse(Scaled(r, 0.38, 0.38, 0.24, 0.24), line);
}

void Bomb(Canvas& c, const Rect& r, uint32_t fill, uint32_t line) {
    Ellipse(c, Scaled(r, 0.1, 0.25, 0.75, 0.75), fill, line);
    c.FillEllipse(Scaled(r, 0.25, 0.38, 0.15, 0.15), 0xFFFFFF);
    c.Line(r.x + r.w * 0.62, r.y + r.h * 0.3, r.x + r.w * 0.78, r.y + r.h * 0.1, 0x806040, 2);
    Star(c, Scaled(r, 0.68, 0.0, 0.3, 0.25), 0xFFA020, kNoColor);
}

void Flag(Canvas& c, const Rect& r, uint32_t fill, uint32_t line) {
    c.FillRect(Scaled(r, 0.2, 0.05, 0.08, 0.92), 0x806040);
    Poly(c,
         {r.x + r.w * 0.28, r.y + r.h * 0.08, r.x + r.w * 0.92, r.y + r.h * 0.25, r.x + r.w * 0.28,
          r.y + r.h * 0.45},
         fill, line);
    c.FillEllipse(Scaled(r, 0.16, 0.0, 0.16, 0.1), 0xF0D040);
}

void Note(Canvas& c, const Rect& r, uint32_t fill, uint32_t line) {
    (void)line;
    c.FillEllipse(Scaled(r, 0.1, 0.65, 0.35, 0.25), fill);
    c.FillEllipse(Scaled(r, 0.55, 0.55, 0.35, 0.25), fill);
    c.FillRect(Scaled(r, 0.38, 0.12, 0.07, 0.65), fill);
    c.FillRect(Scaled(r, 0.83, 0.05, 0.07, 0.62), fill);
    c.FillPolygon({r.x + r.w * 0.38, r.y + r.h * 0.12, r.x + r.w * 0.9, r.y + r.h * 0.05, r.x + r.w * 0.9,
                   r.y + r.h * 0.2, r.x + r.w * 0.38, r.y + r.h * 0.27},
                  fill);
}

void Cloud(Canvas& c, const Rect& r, uint32_t fill, uint32_t line) {
    Rect parts[] = {Scaled(r, 0.0, 0.35, 0.45, 0.55), Scaled(r, 0.2, 0.1, 0.45, 0.7),
                    Scaled(r, 0.45, 0.25, 0.55, 0.65)};
    if (line != kNoColor)
        for (auto& p : parts) c.FillEllipse({p.x - 1, p.y - 1, p.w + 2, p.h + 2}, line);
    for (auto& p : parts) c.FillEllipse(p, fill);
}

void Tree(Canvas& c, const Rect& r, uint32_t fill, uint32_t line) {
    c.FillRect(Scaled(r, 0.42, 0.55, 0.16, 0.45), 0x805030);
    Ellipse(c, Scaled(r, 0.1, 0.0, 0.8, 0.65), fill, line);
    c.FillEllipse(Scaled(r, 0.25, 0.12, 0.25, 0.2), Shade(fill, 1.25));
}

void Spike(Canvas& c, const Rect& r, uint32_t fill, uint32_t line, int d, int n) {
    for (int i = 0; i < n; ++i) {
        double a = double(i) / n, b = double(i + 1) / n, m = (a + b) / 2;
        std::vector<double> q;
        if (d == 3)
            q = {r.x + a * r.w, double(r.Bottom()), r.x + m * r.w,
                 double(r.y),   r.x + b * r.w,      double(r.Bottom())};
        else if (d == 1)
            q = {r.x + a * r.w, double(r.y), r.x + m * r.w, double(r.Bottom()), r.x + b * r.w, double(r.y)};
        else if (d == 0)
            q = {double(r.x), r.y + a * r.h, double(r.Right()), r.y + m * r.h, double(r.x), r.y + b * r.h};
        else
            q = {double(r.Right()), r.y + a * r.h,     double(r.x),
                 r.y + m * r.h,     double(r.Right()), r.y + b * r.h};
        Poly(c, q, fill, line);
    }
}

using SymbolFn = std::function<void(Canvas&, const Rect&, uint32_t, uint32_t)>;

void OpSymbol(Canvas& c, const Line& op) {
    static const std::map<std::string, std::pair<uint32_t, SymbolFn>> symbols = {
        {"star", {0xF8D820, Star}},
        {"heart", {0xF04060, Heart}},
        {"key", {0xF0C020, Key}},
        {"coin", {0xF0C020, Coin}},
        {"gear", {0xA0A0A8, Gear}},
        {"bomb", {0x303038, Bomb}},
        {"flag", {0xE03030, Flag}},
        {"note", {0x202020, Note}},
        {"cloud", {0xFFFFFF, Cloud}},
        {"tree", {0x40A040, Tree}},
        {"ball",
         {0xE0E0E0,
          [](Canvas& cv, const Rect& r, uint32_t f, uint32_t l) {
              Ellipse(cv, r, f, l);
              cv.FillEllipse(Scaled(r, 0.2, 0.15, 0.25, 0.25), Shade(f, 1.4));
          }}},
    };
    auto it = symbols.find(op.word);
    Rect r = BoxOf(op);
    uint32_t fill = op.Color("fill", it->second.first);
    uint32_t line = op.Color("line", Shade(fill == kNoColor ? 0x808080 : fill, 0.45));
    it->second.second(c, r, fill, line);
}

void OpSpike(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    c.SetClip(r);  // the outline of the outer points stays inside the box
    uint32_t fill = op.Color("fill", 0xD0D0D8);
    Spike(c, r, fill, op.Color("line", Shade(fill, 0.4)), Dir(op.Str("dir", "up")), op.Int("count", 3));
}

// ---------------------------------------------------------------- terrain
void Texture(Canvas& c, const Rect& r, const std::string& pattern, uint32_t base, int seed) {
    c.FillRect(r, base);
    if (pattern == "plain") return;
    uint32_t dark = Shade(base, 0.78), light = Shade(base, 1.18);
    if (pattern == "dirt" || pattern == "ground" || pattern == "sand" || pattern == "snow") {
        double density = pattern == "snow" ? 0.04 : pattern == "sand" ? 0.18 : 0.1;
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x) {
                double n = Noise(x & 31, y & 31, seed);
                if (n < density)
                    c.Set(x, y, dark);
                else if (n > 1 - density / 2)
                    c.Set(x, y, light);
            }
    } else if (pattern == "brick") {
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x) {
                int ly = (y - r.y) % 16, row = (y - r.y) / 16;
                int lx = (x - r.x + (row % 2) * 8) % 16;
                if (ly == 15 || lx == 15)
                    c.Set(x, y, dark);
                else if (ly == 0 || lx == 0)
                    c.Set(x, y, light);
            }
    } else if (pattern == "stone") {
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x) {
                int lx = (x - r.x) % 16, ly = (y - r.y) % 16;
                bool seam = lx == 15 || ly == 15 || (ly == 7 && lx < 8) || (lx == 7 && ly > 7);
                if (seam)
                    c.Set(x, y, dark);
                else if (Noise(x & 31, y & 31, seed) < 0.06)
                    c.Set(x, y, light);
            }
    } else if (pattern == "ice") {
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x) {
                int d = ((x - r.x) + (y - r.y)) % 16;
                if (d == 0 || d == 1) c.Set(x, y, light);
                if (Noise(x & 31, y & 31, seed) < 0.03) c.Set(x, y, 0xFFFFFF);
            }
    } else if (pattern == "wood") {
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x) {
                if ((x - r.x) % 8 == 7)
                    c.Set(x, y, dark);
                else if (Noise(x & 31, (y & 31) / 4, seed) < 0.15)
                    c.Set(x, y, Shade(base, 0.9));
            }
    } else if (pattern == "metal") {
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x) {
                int lx = (x - r.x) % 16, ly = (y - r.y) % 16;
                if (lx == 15 || ly == 15)
                    c.Set(x, y, dark);
                else if ((lx == 3 || lx == 12) && (ly == 3 || ly == 12))
                    c.Set(x, y, light);
            }
    } else if (pattern == "checker") {
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x)
                if ((((x - r.x) / 8) + ((y - r.y) / 8)) % 2) c.Set(x, y, dark);
    } else if (pattern == "leaf") {
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x) {
                double n = Noise(x & 31, y & 31, seed);
                if (n < 0.2)
                    c.Set(x, y, dark);
                else if (n > 0.9)
                    c.Set(x, y, light);
            }
    } else if (pattern == "cloud") {
        for (int y = r.y; y < r.Bottom(); ++y)
            for (int x = r.x; x < r.Right(); ++x)
                if (Noise(x & 31, y & 31, seed) < 0.05) c.Set(x, y, Shade(base, 0.92));
    } else {
        throw GenError("unknown pattern " + pattern);
    }
}

// One terrain tile: textured body, outlined on the open sides, with a surface band on top.
void Terrain(Canvas& c, const Rect& r, const Line& op, const std::string& edges, const std::string& corners) {
    uint32_t base = op.Color("base", 0xA07040);
    uint32_t top = op.Color("top", kNoColor);
    uint32_t line = op.Color("line", Shade(base, 0.5));
    std::string pattern = op.Str("pattern", "dirt");
    int seed = op.Int("seed", 1);
    bool round = op.Int("round", 1) != 0;
    Texture(c, r, pattern, base, seed);
    auto has = [&](char e) { return edges.find(e) != std::string::npos; };
    int band = op.Int("band", std::max(4, r.h / 5));
    if (has('u') && top != kNoColor) {
        c.FillRect({r.x, r.y, r.w, band}, top);
        c.FillRect({r.x, r.y, r.w, 1}, Shade(top, 1.3));
        for (int x = r.x; x < r.Right(); x += 4)
            c.FillRect({x + 1, r.y + band, 2, 2}, top);  // drips of the surface
        c.FillRect({r.x, r.y + band, r.w, 1}, Shade(top, 0.7));
    }
    int w = op.Int("edge", 2);
    if (has('u')) c.FillRect({r.x, r.y, r.w, w}, top != kNoColor ? Shade(top, 0.6) : line);
    if (has('d')) c.FillRect({r.x, r.Bottom() - w, r.w, w}, line);
    if (has('l')) c.FillRect({r.x, r.y, w, r.h}, line);
    if (has('r')) c.FillRect({r.Right() - w, r.y, w, r.h}, line);
    if (round) {  // cut the outer corners a little
        auto cut = [&](int x, int y) { c.Set(x, y, kKeyColor); };
        if (has('u') && has('l')) {
            cut(r.x, r.y);
            cut(r.x + 1, r.y);
            cut(r.x, r.y + 1);
        }
        if (has('u') && has('r')) {
            cut(r.Right() - 1, r.y);
            cut(r.Right() - 2, r.y);
            cut(r.Right() - 1, r.y + 1);
        }
        if (has('d') && has('l')) {
            cut(r.x, r.Bottom() - 1);
            cut(r.x + 1, r.Bottom() - 1);
            cut(r.x, r.Bottom() - 2);
        }
        if (has('d') && has('r')) {
            cut(r.Right() - 1, r.Bottom() - 1);
            cut(r.Right() - 2, r.Bottom() - 1);
            cut(r.Right() - 1, r.Bottom() - 2);
        }
    }
    // inner corners: a small notch of the outline where a diagonal neighbour is missing
    if (corners.find("ul") != std::string::npos)
        c.FillRect({r.x, r.y, w * 2, w * 2}, top != kNoColor ? top : line);
    if (corners.find("ur") != std::string::npos)
        c.FillRect({r.Right() - 2 * w, r.y, w * 2, w * 2}, top != kNoColor ? top : line);
    if (op.Int("deco", 0)) {
        uint32_t dc = op.Color("decocolor", Shade(base, 1.35));
        c.FillEllipse(Scaled(r, 0.3, 0.35, 0.4, 0.3), dc);
    }
}

void OpTerrain(Canvas& c, const Line& op) {
    Terrain(c, BoxOf(op), op, op.Str("edges", ""), op.Str("corners", ""));
}

// Sixteen auto-tile variants of a ground group in the order of the map-chip rules, eight to a row.
void OpGroundSet(Canvas& c, const Line& op) {
    static const char* kEdges[16] = {"",   "u",  "r",  "d",   "l",   "ul",  "ur",  "dl",
                                     "dr", "ud", "lr", "ulr", "udr", "dlr", "udl", "udlr"};
    int x = op.ArgInt(0), y = op.ArgInt(1), cell = op.Int("cell", 32);
    for (int k = 0; k < 16; ++k)
        Terrain(c, {x + (k % 8) * cell, y + (k / 8) * cell, cell, cell}, op, kEdges[k], "");
}

// The one-way platform terrain family: its chips lie in rows 4..7 of the fourth chip sheet;
// offset 0 draws the first family (228, 229, 232..235, 240..243, 248..251), 4 the second.
void OpPlatformSet(Canvas& c, const Line& op) {
    int x = op.ArgInt(0), y = op.ArgInt(1), cell = op.Int("cell", 32), off = op.Int("offset", 0);
    struct PlatformChip {
        int col, row;
        const char* edges;
        const char* corners;
    };
    const PlatformChip vs[] = {{off / 2, 0, "", "ur"}, {off / 2 + 1, 0, "", "ul"},  // 228/229 or 230/231
                               {off, 1, "ulr", ""},    {off + 1, 1, "ul", ""},     {off + 2, 1, "u", ""},
                               {off + 3, 1, "ur", ""}, {off, 2, "lr", ""},         {off + 1, 2, "l", ""},
                               {off + 2, 2, "", ""},   {off + 3, 2, "r", ""},      {off, 3, "dlr", ""},
                               {off + 1, 3, "dl", ""}, {off + 2, 3, "d", ""},      {off + 3, 3, "dr", ""}};
    for (const PlatformChip& v : vs) {
        Rect r{x + v.col * cell, y + v.row * cell, cell, cell};
        if (v.row == 0)
            r.x = x + (4 + v.col) * cell;  // the inner corners sit in columns 4..7 of the first row
        Terrain(c, r, op, v.edges, v.corners);
    }
}

void OpBush(Canvas& c, const Line& op) {
    Rect r = BoxOf(op).Inset(1);  // the lumps' outline stays inside the box
    uint32_t col = op.Color("color", 0x30A040);
    uint32_t line = op.Color("line", Shade(col, 0.5));
    int n = op.Int("lumps", 3);
    for (int i = 0; i < n; ++i) {
        Rect p = Scaled(r, double(i) / (n + 1) * 0.9, 0.3 + 0.15 * (i % 2), 0.9 / (n + 1) * 2,
                        0.7 - 0.15 * (i % 2));
        c.FillEllipse({p.x - 1, p.y - 1, p.w + 2, p.h + 2}, line);
    }
    for (int i = 0; i < n; ++i) {
        Rect p = Scaled(r, double(i) / (n + 1) * 0.9, 0.3 + 0.15 * (i % 2), 0.9 / (n + 1) * 2,
                        0.7 - 0.15 * (i % 2));
        c.FillEllipse(p, col);
        c.FillEllipse(Scaled(p, 0.25, 0.15, 0.3, 0.25), Shade(col, 1.3));
    }
    uint32_t berry = op.Color("berry", kNoColor);
    if (berry != kNoColor)
        for (int i = 0; i < 3; ++i)
            c.FillEllipse(Scaled(r, 0.2 + 0.25 * i, 0.5 + 0.1 * (i % 2), 0.12, 0.12), berry);
}

void OpFence(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    uint32_t col = op.Color("color", 0xE0D0B0);
    uint32_t line = op.Color("line", Shade(col, 0.5));
    std::string ends = op.Str("ends", "lr");
    c.FillRect(Scaled(r, 0.0, 0.35, 1.0, 0.12), col);
    c.FillRect(Scaled(r, 0.0, 0.65, 1.0, 0.12), col);
    for (double px : {0.15, 0.6}) {
        Rect post = Scaled(r, px, 0.15, 0.2, 0.85);
        c.FillRect(post, col);
        c.FrameRect(post, line);
    }
    if (ends.find('l') != std::string::npos) c.FillRect({r.x, r.y + r.h / 4, 2, r.h * 3 / 4}, line);
    if (ends.find('r') != std::string::npos) c.FillRect({r.Right() - 2, r.y + r.h / 4, 2, r.h * 3 / 4}, line);
}

void OpMushroom(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    uint32_t col = op.Color("color", 0xE03030);
    c.FillRect(Scaled(r, 0.38, 0.45, 0.24, 0.55), 0xF0E8D0);
    Ellipse(c, Scaled(r, 0.1, 0.12, 0.8, 0.5), col, Shade(col, 0.5));
    c.FillRect(Scaled(r, 0.1, 0.45, 0.8, 0.12), kKeyColor);
    c.FillEllipse(Scaled(r, 0.3, 0.2, 0.15, 0.12), 0xFFFFFF);
    c.FillEllipse(Scaled(r, 0.6, 0.28, 0.12, 0.1), 0xFFFFFF);
}

void OpConveyor(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    uint32_t col = op.Color("color", 0x707880);
    Ellipse(c, r.Inset(1), col, Shade(col, 0.45), 2);
    int d = Dir(op.Str("dir", "right"));
    int n = op.Int("arrows", 1);
    for (int i = 0; i < n; ++i) {
        Rect a = Scaled(r, 0.25 + (n > 1 ? (i - 0.5) * 0.25 : 0), 0.3, 0.5, 0.4);
        Poly(c, Shape(a, d, {0.1, 0.0, 0.9, 0.5, 0.1, 1.0}), op.Color("arrow", 0xF0E040), 0x202020);
    }
}

// A switch block of the map: solid look or the dashed outline of its passable state.
void OpSwitchBlock(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    uint32_t col = op.Color("color", 0xE03030);
    if (op.Int("solid", 1)) {
        c.FillRect(r, col);
        c.FillRect({r.x, r.y, r.w, 3}, Shade(col, 1.4));
        c.FillRect({r.x, r.y, 3, r.h}, Shade(col, 1.2));
        c.FrameRect(r, Shade(col, 0.45), 2);
        if (op.Str("mark", "star") == "ring") {
            Ellipse(c, Scaled(r, 0.25, 0.25, 0.5, 0.5), kNoColor, Shade(col, 1.6), 3);
        } else {
            Star(c, Scaled(r, 0.22, 0.22, 0.56, 0.56), Shade(col, 1.6), Shade(col, 0.5));
        }
    } else {
        for (int i = 0; i < r.w; ++i)
            if ((i / 4) % 2 == 0) {
                c.Set(r.x + i, r.y, col);
                c.Set(r.x + i, r.Bottom() - 1, col);
                c.Set(r.x + i, r.y + 1, col);
                c.Set(r.x + i, r.Bottom() - 2, col);
            }
        for (int i = 0; i < r.h; ++i)
            if ((i / 4) % 2 == 0) {
                c.Set(r.x, r.y + i, col);
                c.Set(r.Right() - 1, r.y + i, col);
                c.Set(r.x + 1, r.y + i, col);
                c.Set(r.Right() - 2, r.y + i, col);
            }
        Star(c, Scaled(r, 0.3, 0.3, 0.4, 0.4), kNoColor, col);
    }
}

// Copy of a rectangle of the same picture: copy sx sy w h dx dy [flip=1]
void OpCopy(Canvas& c, const Line& op) {
    c.Blit(c, {op.ArgInt(0), op.ArgInt(1), op.ArgInt(2), op.ArgInt(3)}, op.ArgInt(4), op.ArgInt(5),
           op.Int("flip", 0) != 0, op.Int("skipkey", 0) != 0);
}

// A sky-and-ground landscape preview or band: sky gradient, optional hills, ground strip, stars.
void OpScene(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    c.SetClip(r);  // hills reach out of the box
    uint32_t sky = op.Color("sky", 0x7DBFDA), sky2 = op.Color("sky2", Shade(sky, 1.3));
    c.Gradient(r, sky, sky2, false);
    int seed = op.Int("seed", 3);
    if (op.Int("stars", 0)) {
        for (int i = 0; i < r.w * r.h / 120; ++i) {
            int x = r.x + static_cast<int>(Noise(i, 1, seed) * r.w),
                y = r.y + static_cast<int>(Noise(i, 2, seed) * r.h * 0.6);
            c.Set(x, y, 0xFFFFF0);
        }
    }
    uint32_t cloud = op.Color("clouds", kNoColor);
    if (cloud != kNoColor)
        for (int i = 0; i < 3; ++i)
            Cloud(c,
                  {r.x + static_cast<int>(Noise(i, 3, seed) * r.w * 0.8),
                   r.y + static_cast<int>(r.h * (0.08 + 0.12 * i)), r.w / 4, r.h / 6},
                  cloud, kNoColor);
    uint32_t hills = op.Color("hills", kNoColor);
    int groundY = r.y + static_cast<int>(r.h * op.Num("ground", 0.75));
    if (hills != kNoColor) {
        for (int i = 0; i < 3; ++i) {
            int hw = r.w / 2;
            int hx = r.x + i * r.w / 3 - r.w / 8;
            c.FillEllipse({hx, groundY - r.h / 4, hw, r.h / 2}, i % 2 ? Shade(hills, 0.85) : hills);
        }
    }
    uint32_t trees = op.Color("trees", kNoColor);
    if (trees != kNoColor)
        for (int x = r.x; x < r.Right(); x += std::max(8, r.w / 8))
            Tree(c, {x, groundY - r.h / 4, std::max(8, r.w / 8), r.h / 4 + 2}, trees, Shade(trees, 0.5));
    uint32_t ground = op.Color("groundcolor", kNoColor);
    if (ground != kNoColor) {
        c.FillRect({r.x, groundY, r.w, r.Bottom() - groundY}, ground);
        uint32_t top = op.Color("top", kNoColor);
        if (top != kNoColor) c.FillRect({r.x, groundY, r.w, std::max(2, r.h / 16)}, top);
    }
    uint32_t flakes = op.Color("flakes", kNoColor);
    if (flakes != kNoColor)
        for (int i = 0; i < r.w * r.h / 150; ++i)
            c.FillRect({r.x + static_cast<int>(Noise(i, 5, seed) * r.w),
                        r.y + static_cast<int>(Noise(i, 6, seed) * r.h), 2, 2},
                       flakes);
}

// The top of a landscape band: below a smooth skyline filled with a texture. The skyline repeats
// every `period` pixels; `phase` is where this rectangle starts in it, so cells drawn with
// phases 0, 64, 128, ... join up when laid side by side.
void OpSkyline(Canvas& c, const Line& op) {
    Rect r = BoxOf(op);
    double period = op.Num("period", 384), phase = op.Num("phase", 0);
    double base = op.Num("base", r.h * 0.55), amp = op.Num("amp", r.h * 0.25);
    int seed = op.Int("seed", 2);
    uint32_t col = op.Color("color", 0x50A040), top = op.Color("top", kNoColor);
    std::string pattern = op.Str("pattern", "plain");
    bool peaks = op.Int("peaks", 0) != 0;
    Canvas tex(r.w, r.h, col);
    Texture(tex, {0, 0, r.w, r.h}, pattern, col, seed);
    for (int x = 0; x < r.w; ++x) {
        double u = (x + phase) / period * 2 * kPi;
        double f = std::sin(u * 2 + seed) * 0.6 + std::sin(u * 3 + 1.7 * seed) * 0.4;
        if (peaks)
            f = 1.0 - 2.0 * std::abs(std::fmod((x + phase) / (period / 6) + 10.5, 1.0) - 0.5) * 2.0 +
                0.25 * f;
        int h = static_cast<int>(base + amp * f);
        int y0 = std::clamp(r.h - h, 0, r.h);
        for (int y = y0; y < r.h; ++y) c.Set(r.x + x, r.y + y, tex.Get(x, y));
        if (top != kNoColor)
            for (int y = y0; y < std::min(r.h, y0 + op.Int("band", 4)); ++y) c.Set(r.x + x, r.y + y, top);
    }
}

const std::map<std::string, void (*)(Canvas&, const Line&)>& Table() {
    static const std::map<std::string, void (*)(Canvas&, const Line&)> t = {
        {"fill", OpFill},
        {"rect", OpRect},
        {"round", OpRound},
        {"ellipse", OpEllipse},
        {"line", OpLine},
        {"poly", OpPoly},
        {"gradient", OpGradient},
        {"text", OpText},
        {"arrow", OpArrow},
        {"cursor", OpCursor},
        {"creature", OpCreature},
        {"door", OpDoor},
        {"lift", OpLift},
        {"block", OpBlock},
        {"switch", OpSwitch},
        {"spike", OpSpike},
        {"star", OpSymbol},
        {"heart", OpSymbol},
        {"key", OpSymbol},
        {"coin", OpSymbol},
        {"gear", OpSymbol},
        {"bomb", OpSymbol},
        {"flag", OpSymbol},
        {"note", OpSymbol},
        {"cloud", OpSymbol},
        {"tree", OpSymbol},
        {"ball", OpSymbol},
        {"terrain", OpTerrain},
        {"groundset", OpGroundSet},
        {"platformset", OpPlatformSet},
        {"bush", OpBush},
        {"fence", OpFence},
        {"mushroom", OpMushroom},
        {"conveyor", OpConveyor},
        {"switchblock", OpSwitchBlock},
        {"copy", OpCopy},
        {"scene", OpScene},
        {"skyline", OpSkyline},
        {"fx", DrawEffectShape},
        {"obj", DrawObjectShape},
        {"turn", DrawTurnedCopy},
        {"landscape", DrawLandscape},
        {"darkness", DrawDarkness},
        {"hero", DrawHeroShape},
        {"weapon", DrawWeaponShape},
        {"swing", DrawSwingShape},
        {"enemy", DrawEnemyShape},
        {"barman", DrawBarMan},
        {"barmanbar", DrawBarManBar},
        {"flipbox", FlipBox},
        {"tint", TintBox},
    };
    return t;
}

}  // namespace

void DrawShape(Canvas& canvas, const Line& op) {
    auto it = Table().find(op.word);
    if (it == Table().end()) op.Fail("unknown drawing word '" + op.word + "'");
    try {
        it->second(canvas, op);
    } catch (const GenError& e) {
        std::string m = e.what();
        if (m.rfind(op.where, 0) == 0) throw;
        op.Fail(m);
    }
}

const std::vector<std::string>& ShapeWords() {
    static std::vector<std::string> words = [] {
        std::vector<std::string> w;
        for (auto& kv : Table()) w.push_back(kv.first);
        return w;
    }();
    return words;
}

}  // namespace gen
