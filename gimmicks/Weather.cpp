#include "gimmicks/Weather.h"

#include <cmath>

#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"

namespace {
constexpr double kSwayPeriod = 12.0;  // frames before a new push (less the random head start)
}  // namespace

// ---- CWeatherBase -----------------------------------------------------------------------------

CWeatherBase::CWeatherBase(CStage* ownerStage, double px, double py, int frames)
    : IBase(ownerStage, px, py), duration(frames) {
    category = kCategoryEffect;
    ignoresMap = true;
    removeWhenOffScreen = false;
    drawPriority = 80;
    depth = -0.006;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 1000.0;
}

void CWeatherBase::Update() {
    if (IsDead()) return;
    Step();
    if (static_cast<double>(duration) < age) Kill();
}

void CWeatherBase::MakeImage(int left, int top, int right, int bottom) {
    image_ = CreateSprite("Effect", "Effect002", 2, left, top, right, bottom);
    sprite = image_.get();
}

void CWeatherBase::DrawAtCentre() {
    imageX = centerX;
    imageY = centerY;
    DrawSprite();
}

// ---- Rain -------------------------------------------------------------------------------------

CWeatherRain::CWeatherRain(CStage* o, double px, double py, double velX, double velY)
    : CWeatherBase(o, px, py, 80) {
    width = 2;
    height = 56;
    maxSpeedDown = 2000.0;
    vx = velX;
    vy = velY;
    MakeImage(0, 96, 8, 160);
}

void CWeatherRain::Step() {
    BeginFrame();
    Move();
    EndFrame();
}

void CWeatherRain::Draw() {
    if (sprite) {
        sprite->SetAlpha(0.5f);
        // The streak lies along its flight.
        sprite->angleZ = static_cast<float>(GetAngle(0, 0, vx, vy) - kPi / 2);
    }
    DrawAtCentre();
}

// ---- Snow -------------------------------------------------------------------------------------

CWeatherSnow::CWeatherSnow(CStage* o, double px, double py, double velX, double velY)
    : CWeatherBase(o, px, py, 600) {
    width = height = 16;
    vx = velX;
    vy = velY;
    MakeImage(8, 96, 24, 112);
    ax = RandomRange(-60, 60);
    ay = RandomRange(-60, 60);
    swayTimer = RandomRange(0, 4);
    const float scale = static_cast<float>(RandomRange(65, 80) * 0.01);
    if (sprite) sprite->scaleX = sprite->scaleY = scale;
}

void CWeatherSnow::Step() {
    BeginFrame();
    Move();
    swayTimer += GetFrameTime() * 60.0;
    if (swayTimer > kSwayPeriod) {
        swayTimer = RandomRange(0, 4);
        ax = RandomRange(-60, 60);
        ay = RandomRange(-60, 60);
    }
    EndFrame();
}

void CWeatherSnow::Draw() {
    if (sprite) sprite->SetAlpha(0.7f);
    DrawAtCentre();
}

// ---- Leaves -----------------------------------------------------------------------------------

void LeafTumble::Start() {
    flipSpeed = RandomRange(-10, 10) * kPi * 0.4;
    spinSpeed = RandomRange(-10, 10) * kPi * 0.2;
    flipPhase = RandomRange(-10, 10) * kPi * 0.1;
    spin = RandomRange(-10, 10) * kPi * 0.1;
    swayTimer = RandomRange(0, 4);
}

void LeafTumble::Advance(IBase& p) {
    const double dt = GetFrameTime();
    flipPhase += dt * flipSpeed;
    spin += dt * spinSpeed;
    swayTimer += dt * 60.0;
    if (swayTimer > kSwayPeriod) {
        swayTimer = RandomRange(0, 4);
        flipSpeed += RandomRange(-10, 10) * dt * 0.02;
        spinSpeed += RandomRange(-10, 10) * dt * 0.02;
        p.ax = RandomRange(-60, 60);
        p.ay = RandomRange(-20, 20);
    }
}

void LeafTumble::Apply(CSprite* s) const {
    if (!s) return;
    s->SetAlpha(0.7f);
    s->scaleX = static_cast<float>(std::fabs(std::sin(flipPhase)));
    s->angleZ = static_cast<float>(spin);
}

// The three leaf-like classes share the tumble; they differ in life, size, picture and how hard
// they are pushed at birth.
#define QUOR_LEAF_CLASS(Cls, frames, side, left, top, right, bottom, gravityRange)                          \
    Cls::Cls(CStage* o, double px, double py, double velX, double velY) : CWeatherBase(o, px, py, frames) { \
        width = height = side;                                                                              \
        vx = velX;                                                                                          \
        vy = velY;                                                                                          \
        MakeImage(left, top, right, bottom);                                                                \
        ax = RandomRange(-60, 60);                                                                          \
        ay = RandomRange(-(gravityRange), gravityRange);                                                    \
        tumble.Start();                                                                                     \
    }                                                                                                       \
    void Cls::Step() {                                                                                      \
        BeginFrame();                                                                                       \
        Move();                                                                                             \
        tumble.Advance(*this);                                                                              \
        EndFrame();                                                                                         \
    }                                                                                                       \
    void Cls::Draw() {                                                                                      \
        tumble.Apply(sprite);                                                                               \
        DrawAtCentre();                                                                                     \
    }

QUOR_LEAF_CLASS(CWeatherLeaf, 100, 16, 8, 112, 24, 128, 20)
QUOR_LEAF_CLASS(CWeatherSakura, 600, 16, 24, 96, 40, 112, 60)
QUOR_LEAF_CLASS(CWeatherMaple, 600, 24, 24, 112, 48, 136, 60)
#undef QUOR_LEAF_CLASS
