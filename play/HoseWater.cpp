#include "play/HoseWater.h"

#include <cmath>
#include <numbers>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "play/EffectFactory.h"

namespace {
constexpr int kSplashUp = 17, kSplashDown = 18, kSplashLeft = 19, kSplashRight = 20;
}  // namespace

double CHoseWater::AttackSpeedFor(double velocityX) {
    const double s = std::fabs(velocityX);
    if (s < 10.0) return 5.0;
    if (s <= 100.0) return 100.0;
    return 100.0 + std::trunc(s / 2.0);
}

CHoseWater::CHoseWater(CStage* owner, double px, double py, double velocityX, double velocityY, bool heroSide)
    : CShotBase(owner, px, py, kLifetime, heroSide, !heroSide, false) {
    AttackInfo a;
    a.damage = 2;
    a.power = AttackSpeedFor(velocityX);
    a.angle = velocityX >= 0 ? 0.0 : std::numbers::pi;
    a.flags[kAttackWater] = 1;
    SetAttackInfo(a);
    shapeType = kShapeRect;
    width = height = 8.0;
    vx = velocityX;
    vy = velocityY;
    ax = velocityX > 0 ? -80.0 : (velocityX < 0 ? 80.0 : 0.0);
    ay = 450.0;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 1000.0;
    SetSprite(CreateSprite("Object", "Objects002", 2, 0, 0, 16, 16));
    UpdateCentre();
}

void CHoseWater::Move() {
    BeginFrame();
    IBase::Move();
    // Braked past zero: from now on the drop falls straight down.
    if ((ax < 0 && vx < 0) || (ax > 0 && vx > 0)) vx = ax = 0.0;
    int kind = 0;
    double ex = 0, ey = 0;
    if (mapTop) {
        kind = kSplashUp;
        ex = centerX;
        ey = std::trunc(GetTop());
    } else if (mapBottom) {
        kind = kSplashDown;
        ex = centerX;
        ey = std::trunc(GetBottom());
    } else if (mapLeft) {
        kind = kSplashLeft;
        ex = std::trunc(GetLeft());
        ey = centerY;
    } else if (mapRight) {
        kind = kSplashRight;
        ex = std::trunc(GetRight());
        ey = centerY;
    }
    if (kind) {
        CreateEffect(kind, ex, ey, owner);
        PlaySE(SoundId::kWater2);
        Kill();
    }
    EndFrame();
}

void CHoseWater::SplashSideways() {
    CreateEffect(vx < 0 ? kSplashLeft : kSplashRight, std::trunc(GetLeft()), centerY, owner);
    PlaySE(SoundId::kWater2);
}

int CHoseWater::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r == kHitImmune) return r;
    SplashSideways();
    Kill();
    return r;
}

int CHoseWater::ReceiveAttack(AttackInfo incoming) {
    const int r = ReactToAttack(incoming);
    if (r == kHitDefeated) SplashSideways();
    return r;
}
