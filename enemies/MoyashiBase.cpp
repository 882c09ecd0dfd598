#include "enemies/MoyashiBase.h"

#include <cmath>

#include "enemies/GroundHelpers.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "play/EffectFactory.h"

CMoyashiBase::CMoyashiBase(CStage* ownerStage, double px, double py, int facingIn, const Look& look)
    : CPatternEnemy(ownerStage, px, py, facingIn, 0),
      look_(look),
      left_("Char", "Enemy001_L", {look.cells[0], look.cells[1]}),
      right_("Char", "Enemy001_R", {look.cells[0], look.cells[1]}) {
    shapeType = kShapeCircle;
    radius = 12.0;
    ay = 400.0;
    stateFrames = RandomRange(0, 7);  // neighbours do not sway in step
}

CMoyashiBase::~CMoyashiBase() = default;

void CMoyashiBase::Act() {
    BeginFrame();
    Move();
    stateFrames += GetFrameTime() * 60.0;
    facing = GetDistanceXToHero() >= 0.0 ? 1 : 0;
    Creep();
    if (isWithering && stateFrames >= kWitherFrames) {
        const int middle = static_cast<int>(GetLeft() + GetRight()) / 2;  // whole pixels
        CreateEffect(kEffectSmoke, middle, std::trunc(GetBottom()), owner);
        Kill();
    }
    EndFrame();
}

void CMoyashiBase::Draw() {
    const int n = static_cast<int>(stateFrames) % 8;
    sprite = (facing == 0 ? left_ : right_)[n < 4 ? 0 : 1];
    if (!sprite) return;
    double s = 1.0;
    if (isWithering) {
        s = 1.0 - stateFrames / kWitherFrames;
        if (s <= 0.01) s = 0.01;
    }
    sprite->scaleX = sprite->scaleY = static_cast<float>(s);
    imageX = centerX;
    imageY = centerY + (1.0 - s) * radius - 4.0;  // the shrinking picture keeps its foot down
    DrawSprite();
}

int CMoyashiBase::Collide(IBase* other) {
    if (isWithering) return kHitImmune;
    return ThrowUpAndAway(this, other, 20, 220.0, look_.burstFlag);
}

int CMoyashiBase::ReceiveAttack(AttackInfo info) {
    if (!info.flags[kAttackWater] || isWithering) return kHitNoEffect;
    stateFrames = 0.0;
    isWithering = true;
    ClearSpawnFlag();
    return kHitDefeated;
}
