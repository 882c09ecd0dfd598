#include "gimmicks/EffectClasses.h"

#include <cmath>
#include <initializer_list>

#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"

namespace {

// Alphas of the last frame.
double HalfInTheLastTwoTicks(double life) { return life > 2.0 ? 1.0 : 0.5; }
double ThinsAfterTwenty(double life) { return life > 20.0 ? 1.0 : 0.5 + 0.025 * life; }
double FadesAfterTen(double life) { return life > 10.0 ? 1.0 : 0.1 * life; }
double ThinsAfterEight(double life) { return life > 8.0 ? 1.0 : 0.5 + 0.0625 * life; }
double FadesAllAlong(double life) { return 0.05 * life; }

EffectFrame E1(EffectCell c, double dx = 0, double dy = 0) { return {"Effect", "Effect001", c, dx, dy}; }
EffectFrame E2(EffectCell c, double dx = 0, double dy = 0) { return {"Effect", "Effect002", c, dx, dy}; }

// Frames in the order they play; frame i while life > thresholds[i] (>= when inclusive).
EffectLook Look(double life, std::initializer_list<EffectFrame> frames,
                std::initializer_list<double> thresholds = {}, bool inclusive = false) {
    EffectLook look;
    look.lifetime = life;
    look.frameCount = 0;
    for (const EffectFrame& f : frames) look.frames[look.frameCount++] = f;
    int i = 0;
    for (double t : thresholds) look.thresholds[i++] = t;
    look.inclusive = inclusive;
    return look;
}

EffectMotion Flying(double vy, double gravity) {
    EffectMotion m;
    m.kind = EffectMotion::kFlying;
    m.vy = vy;
    m.gravity = gravity;
    return m;
}

// Rising with a random sideways drift.
EffectMotion Drifting(int vxReach, double vy) {
    EffectMotion m = Flying(vy, 0.0);
    m.randomVx = true;
    m.vxLow = -vxReach;
    m.vxHigh = vxReach;
    return m;
}

EffectLook WithAlpha(EffectLook look, double (*alpha)(double)) {
    look.lastFrameAlpha = alpha;
    return look;
}

EffectLook Moving(EffectLook look, EffectMotion motion) {
    look.motion = motion;
    return look;
}

EffectLook Tilting(EffectLook look, double base, double perLife) {
    look.tiltBase = base;
    look.tiltPerLife = perLife;
    return look;
}

// Four frames over 16 ticks, the last two ticks at half alpha: the red and the blue blast.
EffectLook Blast(EffectCell a, EffectCell b, EffectCell c, EffectCell d) {
    return WithAlpha(Look(16, {E1(a), E1(b), E1(c), E1(d)}, {13, 7, 3}), HalfInTheLastTwoTicks);
}

// Three frames at whole ticks 8 and 4 (the guard ring, ice breaking, a shot breaking).
EffectLook ThreeStep(double life, EffectFrame a, EffectFrame b, EffectFrame c, bool halfAtEnd) {
    return WithAlpha(Look(life, {a, b, c}, {8, 4}, true), halfAtEnd ? HalfInTheLastTwoTicks : nullptr);
}

// Three frames at whole ticks 5 and 2 (the power hit, the slash).
EffectLook Spark(EffectCell a, EffectCell b, EffectCell c) {
    return Look(8, {E1(a), E1(b), E1(c)}, {5, 2}, true);
}

// A flame of four frames, a little larger than its cells, drifting up.
EffectLook Flame(EffectCell a, EffectCell b, EffectCell c, EffectCell d) {
    EffectLook look = Moving(Look(30, {E1(a), E1(b), E1(c), E1(d)}, {23, 13, 5}), Drifting(20, -70));
    look.scaleBase = 1.25;
    return look;
}

EffectLook Puff(EffectCell c) {
    return Moving(WithAlpha(Look(40, {E1(c)}), ThinsAfterTwenty), Drifting(15, -50));
}

// A splash of two frames that stays where the water struck, shown a little off the point.
EffectLook Splash(EffectCell a, EffectCell b, double dx, double dy) {
    return Moving(Look(10, {E1(a, dx, dy), E1(b, dx, dy)}, {5}), Flying(0, 0));
}

// The flame sword's trail: three 32 x 256 frames of a strip, tilted a quarter to one side.
EffectLook SwordTrail(const char* key, double tilt, bool growing) {
    const EffectFrame a{"Effect", key, {0, 0, 32, 256}}, b{"Effect", key, {32, 0, 64, 256}},
        c{"Effect", key, {64, 0, 96, 256}};
    return Tilting(growing ? Look(9, {a, b, c}, {7, 2}) : Look(9, {c, b, a}, {7, 2}), tilt, 0.0);
}

// A lightning bolt above the point for two ticks, then a spark on it.
EffectLook Thunder(EffectFrame bolt, EffectFrame spark) {
    bolt.dy = -24;
    return Look(3, {bolt, spark}, {1});
}

struct LookTable {
    EffectLook looks[41];
    LookTable() {
        for (auto& l : looks) l.frameCount = 0;  // kinds drawn by other classes
        looks[1] = Look(3, {E1({0, 0, 48, 48}), E1({48, 0, 96, 48})}, {1});
        looks[2] = Spark({48, 0, 96, 48}, {96, 0, 144, 48}, {144, 0, 192, 48});
        looks[3] = Spark({0, 48, 48, 96}, {48, 48, 96, 96}, {96, 48, 144, 96});
        looks[5] = Blast({144, 48, 192, 96}, {192, 48, 240, 96}, {0, 96, 48, 144}, {48, 96, 96, 144});
        looks[6] = Blast({96, 96, 144, 144}, {144, 96, 192, 144}, {192, 96, 240, 144}, {0, 144, 48, 192});
        looks[7] =
            ThreeStep(10, E1({48, 144, 96, 192}), E1({96, 144, 144, 192}), E1({144, 144, 192, 192}), true);
        looks[8] = Flame({224, 0, 240, 16}, {240, 0, 256, 16}, {224, 16, 240, 32}, {240, 16, 256, 32});
        looks[9] = Moving(
            WithAlpha(Look(40, {E1({224, 32, 240, 48}), E1({240, 32, 256, 48})}, {20}), ThinsAfterTwenty),
            Drifting(15, -50));
        looks[10] = Puff({192, 32, 208, 48});
        looks[11] = Puff({208, 32, 224, 48});
        EffectMotion scatter;
        scatter.kind = EffectMotion::kRandomDirection;
        scatter.speedLow = 60;
        scatter.speedHigh = 80;
        looks[12] = Moving(WithAlpha(Look(25, {E1({192, 144, 216, 168})}), FadesAfterTen), scatter);
        looks[13] =
            ThreeStep(12, E1({0, 192, 48, 240}), E1({48, 192, 96, 240}), E1({96, 192, 144, 240}), false);
        looks[14] =
            Flame({224, 144, 240, 160}, {240, 144, 256, 160}, {224, 160, 240, 176}, {240, 160, 256, 176});
        looks[16] = Moving(Look(40, {E1({144, 192, 184, 216})}), Flying(-200, 200));
        looks[17] = Splash({192, 224, 224, 240}, {192, 240, 224, 256}, 0, 8);
        looks[18] = Splash({192, 192, 224, 208}, {192, 208, 224, 224}, 0, -8);
        looks[19] = Splash({224, 192, 240, 224}, {240, 192, 256, 224}, 8, 0);
        looks[20] = Splash({224, 224, 240, 256}, {240, 224, 256, 256}, -8, 0);
        looks[21] = Moving(Look(40, {{"Object", "Objects001", {192, 32, 208, 64}}}), Flying(-200, 200));
        looks[21].blinks = true;
        looks[26] = Tilting(WithAlpha(Look(20, {E2({128, 0, 160, 32})}), ThinsAfterEight), 0.0, 0.2);
        looks[28] = Moving(Tilting(Look(90, {{"Char", "Enemy002_L", {200, 96, 240, 144}}}), 0.0, 0.2),
                           Flying(-180, 700));
        looks[29] = ThreeStep(10, E2({0, 48, 48, 96}), E2({48, 48, 96, 96}), E2({96, 48, 144, 96}), true);
        looks[31] = SwordTrail("Bar_Effect008_L", kPi / 4, false);
        looks[32] = SwordTrail("Bar_Effect008_R", -kPi / 4, false);
        looks[33] = SwordTrail("Bar_Effect008_L", kPi / 4, true);
        looks[34] = SwordTrail("Bar_Effect008_R", -kPi / 4, true);
        looks[35] = Thunder(E2({144, 48, 192, 144}), E1({48, 0, 96, 48}));
        looks[37] = Thunder(E2({192, 48, 240, 144}), E2({96, 96, 144, 144}));
        // Grows from 1.0 to 2.0 while it fades out.
        looks[39] = WithAlpha(Look(20, {{"Object", "Objects004", {0, 160, 64, 224}}}), FadesAllAlong);
        looks[39].scaleBase = 2.0;
        looks[39].scalePerLife = -0.05;
    }
};

const LookTable& Looks() {
    static const LookTable table;
    return table;
}

}  // namespace

const EffectLook* FindEffectLook(int kind) {
    if (kind < 1 || kind > 40) return nullptr;
    const EffectLook& look = Looks().looks[kind];
    return look.frameCount > 0 ? &look : nullptr;
}

namespace {
// A kind without a picture look shows nothing and ends at its first update.
const EffectLook& LookOrNothing(int kind) {
    static const EffectLook nothing = [] {
        EffectLook l;
        l.lifetime = 0.0;
        l.frameCount = 0;
        return l;
    }();
    const EffectLook* look = FindEffectLook(kind);
    return look ? *look : nothing;
}
}  // namespace

// ---- One picture at a time ----

CPictureEffect::CPictureEffect(CStage* ownerStage, double px, double py, int kind)
    : CPictureEffect(ownerStage, px, py, LookOrNothing(kind)) {}

CPictureEffect::CPictureEffect(CStage* ownerStage, double px, double py, const EffectLook& look)
    : IEffect(ownerStage, px, py, look.lifetime), look_(look) {
    for (int i = 0; i < look.frameCount; ++i) {
        const EffectFrame& f = look.frames[i];
        frames_[i] = MakeOwnSprite(f.group, f.key, f.cell);
        if (frames_[i]) frames_[i]->scaleX = frames_[i]->scaleY = static_cast<float>(look.scaleBase);
    }
    sprite = frames_[0];
    const EffectMotion& m = look.motion;
    if (m.kind == EffectMotion::kRandomDirection) {
        const double direction = RandomRange(0, 628) * 0.01;
        const double speed = RandomRange(m.speedLow, m.speedHigh);
        vx = speed * std::cos(direction);
        vy = speed * std::sin(direction);
    } else {
        if (m.randomVx) vx = RandomRange(m.vxLow, m.vxHigh);
        vy = m.vy;
        ay = m.gravity;
    }
}

void CPictureEffect::Update() {
    if (look_.motion.kind == EffectMotion::kStill)
        Age();
    else
        MoveAndAge();
}

int CPictureEffect::GetShownFrame() const {
    if (look_.frameCount == 0) return -1;
    if (look_.blinks && static_cast<int>(lifetime) % 4 >= 2) return -1;
    const int last = look_.frameCount - 1;
    for (int i = 0; i < last; ++i) {
        const double t = look_.thresholds[i];
        if (look_.inclusive ? lifetime >= t : lifetime > t) return i;
    }
    return last;
}

void CPictureEffect::Draw() {
    const int shown = GetShownFrame();
    if (shown < 0) return;
    CSprite* s = frames_[shown];
    if (!s) return;
    if (shown == look_.frameCount - 1 && look_.lastFrameAlpha)
        s->SetAlpha(static_cast<float>(look_.lastFrameAlpha(lifetime)));
    if (look_.scalePerLife != 0.0)
        s->scaleX = s->scaleY = static_cast<float>(look_.scaleBase + look_.scalePerLife * lifetime);
    s->angleZ = static_cast<float>(look_.tiltBase + look_.tiltPerLife * lifetime);
    const EffectFrame& f = look_.frames[shown];
    ShowAt(s, centerX + f.dx, centerY + f.dy);
}

// ---- Rings ----

CRingEffect::CRingEffect(CStage* ownerStage, double px, double py, int kind)
    : IEffect(ownerStage, px, py, 30.0), ringRadius(kind == kFastPair ? 40.0 : 20.0), kind_(kind) {
    if (kind == kSteppingRing) {
        const EffectCell twinkles[4] = {
            {192, 0, 208, 16}, {208, 0, 224, 16}, {192, 16, 208, 32}, {208, 16, 224, 32}};
        for (int k = 0; k < 8; ++k) MakeEffectSprite("Effect001", twinkles[k % 4]);
    } else {
        const EffectCell twinkle =
            kind == kTurningRing ? EffectCell{240, 48, 256, 64} : EffectCell{240, 64, 256, 80};
        for (int k = 0; k < (kind == kTurningRing ? 8 : 2); ++k) MakeEffectSprite("Effect001", twinkle);
    }
}

void CRingEffect::Update() {
    const double dt = GetFrameTime();
    ringSpeed -= dt * 330.0;
    if (ringSpeed < 0.0) ringSpeed = 0.0;
    ringRadius += dt * ringSpeed;
    if (kind_ == kTurningRing) turningAngle += dt * kPi;
    if (kind_ == kFastPair) turningAngle += dt * 3.0 * kPi;
    Age();
}

void CRingEffect::Draw() {
    const double r = ringRadius;
    const double alpha = FadeOutAlpha();
    for (int k = 0; k < spriteCount_; ++k) {
        if (!sprites_[k]) continue;
        sprites_[k]->SetAlpha(static_cast<float>(alpha));
        double dx, dy;
        if (kind_ == kSteppingRing) {
            // Eight points clockwise from the top; the ring steps one point back every two ticks.
            static const double kPoints[8][2] = {{0, -1}, {0.707, -0.707}, {1, 0},  {0.707, 0.707},
                                                 {0, 1},  {-0.707, 0.707}, {-1, 0}, {-0.707, -0.707}};
            const int phase = (static_cast<int>(lifetime) % 8) / 2;
            const int point = ((k + phase) % 8 + 8) % 8;
            dx = kPoints[point][0] * r;
            dy = kPoints[point][1] * r;
        } else {
            const double a = turningAngle + (kind_ == kTurningRing ? k * kPi / 4 : k * kPi);
            dx = r * std::cos(a);
            dy = r * std::sin(a);
        }
        PlaceAndDraw(sprites_[k].get(), centerX + dx, centerY + dy);
    }
}

// ---- Quarters ----

CQuarterEffect::CQuarterEffect(CStage* ownerStage, double px, double py, int kind)
    : IEffect(ownerStage, px, py, 20.0) {
    // The 32 x 32 picture in "Effect002" whose quarters fly.
    const int left = kind == kGold ? 176 : kind == kDark ? 208 : 96, top = 0;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col)
            MakeEffectSprite("Effect002",
                             {left + 16 * col, top + 16 * row, left + 16 * col + 16, top + 16 * row + 16});
}

void CQuarterEffect::Draw() {
    const double s = (20.0 - lifetime) * 3.0 + 8.0;
    const double alpha = FadeOutAlpha();
    for (int k = 0; k < spriteCount_; ++k) {
        if (!sprites_[k]) continue;
        sprites_[k]->SetAlpha(static_cast<float>(alpha));
        PlaceAndDraw(sprites_[k].get(), centerX + (k % 2 ? s : -s), centerY + (k / 2 ? s : -s));
    }
}

// ---- Two halves ----

CEffect_BreakBlock003::CEffect_BreakBlock003(CStage* ownerStage, double px, double py)
    : IEffect(ownerStage, px, py, 30.0) {
    MakeOwnSprite("Object", "Objects005", {0, 0, 32, 72});
    MakeOwnSprite("Object", "Objects005", {32, 0, 64, 72});
}

void CEffect_BreakBlock003::Draw() {
    const double t = 30.0 - lifetime;
    const double alpha = FadeOutAlpha();
    for (int k = 0; k < spriteCount_; ++k) {
        if (!sprites_[k]) continue;
        const double side = k == 0 ? -1.0 : 1.0;
        sprites_[k]->SetAlpha(static_cast<float>(alpha));
        sprites_[k]->angleZ = static_cast<float>(side * 0.07 * t);
        PlaceAndDraw(sprites_[k].get(), centerX + side * (1.8 * t + 16.0), centerY + 0.1 * t * t - 4.0);
    }
}
