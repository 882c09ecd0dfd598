#include "enemies/Pukka001.h"

#include <cmath>

#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"

CPukka001::CPukka001(CStage* ownerStage, double px, double py)
    : IEnemy(ownerStage, px, py), sheet_("Char", "Enemy001_L", {{32, 0, 72, 40}, {32, 40, 104, 96}}) {
    shapeType = kShapeCircle;
    radius = 14.0;
    sprite = sheet_[0];
}

CPukka001::~CPukka001() = default;

void CPukka001::Act() {
    BeginFrame();
    bounceFrames -= GetFrameTime() * 60.0;
    if (bounceFrames < 0) bounceFrames = 0;
    EndFrame();
}

int CPukka001::Collide(IBase* other) {
    AttackInfo a;
    a.power = 700.0;
    a.angle = GetAngle(centerX, centerY, other->centerX, other->centerY);
    a.flags[kAttackBodyPush] = 1;
    bounceFrames = 20.0;
    return other->ReceiveAttack(a);
}

void CPukka001::Draw() {
    if (bounceFrames <= 0) {
        sprite = sheet_[0];
        imageX = centerX;
        imageY = centerY + 2.0 * std::sin(age / 60.0);
    } else {
        sprite = sheet_[1];
        const double k = 0.05 * bounceFrames;
        if (sprite) {
            sprite->scaleX = static_cast<float>(0.448 + 0.552 * k);
            sprite->scaleY = static_cast<float>(0.576 + 0.424 * k);
        }
        imageX = centerX;
        imageY = centerY;
    }
    DrawSprite();
}
