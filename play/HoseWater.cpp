#include "play/HoseWater.h"

#include <cmath>
#include <numbers>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "play/EffectFactory.h"

double CHoseWater::AttackSpeedFor(double velocityX) {
    const double s = std::fabs(velocityX);
    if (s < 10.0) return 5.0;
    if (s <= 100.0) return 100.0;
    return 100.0 + std::trunc(s / 2.0);
}

CHoseWater::CHoseWater(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                       bool heroSide)
    : CWaterDropBase(ownerStage, px, py, kLifetime, heroSide, !heroSide, false) {
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
    SetSprite(MakeShotSprite(0, 0, 16, 16));
    UpdateCentre();
}

int CHoseWater::ReceiveAttack(AttackInfo incoming) {
    const int r = ReactToAttack(incoming);
    if (r == kHitDefeated) SplashSideways();
    return r;
}
