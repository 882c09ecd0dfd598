#include "play/CommonShots.h"

#include <algorithm>
#include <cmath>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/Characters.h"
#include "play/EffectFactory.h"

namespace {

int TruncMid(double a, double b) { return static_cast<int>(a + b) / 2; }

}  // namespace

AttackInfo ShotAttack(int damage, double power, double angle, int flag, double delay) {
    AttackInfo a;
    a.damage = damage;
    a.power = power;
    a.angle = angle;
    a.delay = delay;
    if (flag >= 0) a.flags[flag] = 1;
    return a;
}

void MakeRoundShape(IBase& shot, double r) {
    shot.shapeType = kShapeCircle;
    shot.width = shot.height = 2 * r;
    shot.radius = r;
}

void SetSpeedLimits(IBase& shot, double upDown, double leftRight) {
    shot.maxSpeedUp = shot.maxSpeedDown = upDown;
    shot.maxSpeedLeft = shot.maxSpeedRight = leftRight;
}

bool TouchesMap(const IBase& shot) {
    return shot.touchTop || shot.touchBottom || shot.touchLeft || shot.touchRight;
}

OwnedSprite MakeShotSprite(int left, int top, int right, int bottom) {
    return CreateSprite("Object", "Objects002", 2, left, top, right, bottom);
}

double ForwardUpAngle(double vx) { return (vx < 0 ? -0.85 : -0.15) * kPi; }
double SteepForwardUpAngle(double vx) { return (vx < 0 ? -0.75 : -0.25) * kPi; }

int BatBack(CShotBase& shot, const AttackInfo& incoming, double speed) {
    shot.Reflect();
    double a = incoming.angle;
    if (incoming.flags[kAttackReflectable]) a += std::cos(a) >= 0 ? -kPi / 2 : kPi / 2;
    shot.vx = speed * std::cos(a);
    shot.vy = speed * std::sin(a);
    return kHitHurt;
}

void ContactPoint(const IBase& self, const IBase& other, double* x, double* y) {
    const double rs = self.GetRadius(), ro = other.GetRadius();
    const double k = rs + ro > 0 ? rs / (rs + ro) : 0.0;
    *x = self.centerX + (other.centerX - self.centerX) * k;
    *y = self.centerY + (other.centerY - self.centerY) * k;
}

void ShowIceSparks(CStage* owner, int x, int y) {
    for (int i = 0; i < 3; ++i) {
        const int dy = RandomRange(-2, 2);
        const int dx = RandomRange(-2, 2);
        CreateEffect(kEffectRandomIce, x + dx, y + dy, owner);
    }
    PlaySE(SoundId::kIce2);
}

// ---- CWaterDropBase ----

void CWaterDropBase::Move() {
    BeginFrame();
    IBase::Move();
    if ((ax < 0 && vx < 0) || (ax > 0 && vx > 0)) vx = ax = 0;
    int kind = 0;
    double ex = 0, ey = 0;
    if (mapTop) {
        kind = kEffectWaterUp;
        ex = TruncMid(GetLeft(), GetRight());
        ey = std::trunc(GetTop());
    } else if (mapBottom) {
        kind = kEffectWaterDown;
        ex = TruncMid(GetLeft(), GetRight());
        ey = std::trunc(GetBottom());
    } else if (mapLeft) {
        kind = kEffectWaterLeft;
        ex = std::trunc(GetLeft());
        ey = TruncMid(GetTop(), GetBottom());
    } else if (mapRight) {
        kind = kEffectWaterRight;
        ex = std::trunc(GetRight());
        ey = TruncMid(GetTop(), GetBottom());
    }
    if (kind) {
        CreateEffect(kind, ex, ey, owner);
        PlaySE(SoundId::kWater2);
        Kill();
    }
    EndFrame();
}

void CWaterDropBase::SplashSideways() {
    CreateEffect(vx < 0 ? kEffectWaterLeft : kEffectWaterRight, std::trunc(GetLeft()),
                 TruncMid(GetTop(), GetBottom()), owner);
    PlaySE(SoundId::kWater2);
}

int CWaterDropBase::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r == kHitImmune) return r;
    SplashSideways();
    Kill();
    return r;
}

// ---- CBatteryShot ----

CBatteryShot::CBatteryShot(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                           bool heroSide)
    : CShotBase(ownerStage, px, py, 900, heroSide, !heroSide, false) {
    SetAttackInfo(ShotAttack(20, 250.0, ForwardUpAngle(velocityX)));
    MakeRoundShape(*this, 7.0);
    vx = velocityX;
    vy = velocityY;
    SetSpeedLimits(*this, 500.0, 500.0);
    SetSprite(MakeShotSprite(80, 16, 96, 32));
}

void CBatteryShot::Burst() {
    ShowEffect(kEffectBurstRed);
    PlaySE(SoundId::kBomb2);
    Kill();
}

void CBatteryShot::Move() {
    BeginFrame();
    IBase::Move();
    if (TouchesMap(*this)) Burst();
    EndFrame();
}

int CBatteryShot::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune) Burst();
    return r;
}

int CBatteryShot::ReceiveAttack(AttackInfo incoming) { return BatBack(*this, incoming, 400.0); }

// ---- CBurnerFire ----

CBurnerFire::CBurnerFire(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                         bool heroSide)
    : CShotBase(ownerStage, px, py, 28, heroSide, !heroSide, true) {
    SetAttackInfo(ShotAttack(2, 60.0, SteepForwardUpAngle(velocityX), kAttackRedBurst, 10.0));
    width = 18.0;
    height = 24.0;
    vx = velocityX;
    vy = velocityY;
    SetSpeedLimits(*this, 500.0, 500.0);
    ignoresMap = true;
    SetSprite(MakeShotSprite(128, 96, 152, 128));
}

void CBurnerFire::Move() {
    BeginFrame();
    IBase::Move();
    EndFrame();
}

double CBurnerFire::ScaleAt(double a) {
    double s;
    if (a < 6)
        s = 0.4 + 0.6 * a / 6.0;
    else if (a < 24)
        s = 1.0;
    else
        s = 0.4 + 0.6 * (30.0 - a) / 6.0;
    return std::max(s, 0.1);
}

void CBurnerFire::Draw() {
    if (!sprite) return;
    sprite->scaleX = sprite->scaleY = static_cast<float>(ScaleAt(age));
    imageX = centerX;
    imageY = centerY - 4.0;
    DrawSprite();
}

int CBurnerFire::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r == kHitImmune) return r;
    if (other == GetHero() && r == kHitDefeated) return r;
    double cx, cy;
    ContactPoint(*this, *other, &cx, &cy);
    const int dy = RandomRange(-2, 2);
    const int dx = RandomRange(-2, 2);
    CreateEffect(kEffectBurstRed, static_cast<int>(cx) + dx, static_cast<int>(cy) + dy, owner);
    PlaySE(SoundId::kBomb2);
    return r;
}
