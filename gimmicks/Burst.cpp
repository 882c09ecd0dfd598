#include "gimmicks/Burst.h"

#include <algorithm>

#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "gimmicks/GimmickSupport.h"
#include "play/HitEffect.h"

// ---- The base ----

CBurstBase::CBurstBase(CStage* ownerStage, double px, double py, int r, double life, double active,
                       double rehit)
    : IBase(ownerStage, px, py), lifetime(life), activeTime(active), rehitInterval(rehit) {
    shapeType = kShapeCircle;
    radius = r;
    width = height = 2.0 * r;
    category = kCategoryOtherAttack;
    ignoresMap = true;
    vx = vy = ax = ay = 0.0;
    depth = -0.005;
    drawPriority = 70;
    removeWhenOffScreen = true;
    // Enough for every target of a crowded explosion, so a hit frame does not allocate.
    hitTargets_.reserve(16);
}

void CBurstBase::Update() {
    BeginFrame();
    Move();
    if (lifetime != -1.0 && lifetime < age) {
        Kill();
        EndFrame();
        return;
    }
    rehitTimer += GetFrameTime() * 60.0;
    if (rehitTimer > rehitInterval) {
        rehitTimer = 0.0;
        hitTargets_.clear();
    }
    EndFrame();
}

int CBurstBase::Collide(IBase* other) {
    if (IsDead() || activeTime < age || !other) return kHitImmune;
    const ObjectHandle h(other);
    if (std::find(hitTargets_.begin(), hitTargets_.end(), h) != hitTargets_.end()) return kHitImmune;
    hitTargets_.push_back(h);
    // The victim is flung away from the middle of the explosion.
    attack.angle = GetAngle(centerX, centerY, other->centerX, other->centerY);
    const int result = other->ReceiveAttack(attack);
    if (!BeatsTheHero(other, result)) ShowHitEffect(this, other, attack, result);
    return result;
}

void CBurstBase::DrawDebug() {
    if (!IsDebugDrawing() || IsDead() || age > activeTime) return;
    DrawDebugCircle(*this, centerX, centerY, radius, 0xff00ff);
}

// ---- The red burst ----

AttackInfo CRedBurst::RedBurstAttack() {
    AttackInfo a;
    a.damage = 20;
    a.power = 320.0;
    a.delay = 4.0;
    a.flags[kAttackPowerHit] = 1;
    a.flags[kAttackRedBurst] = 1;
    return a;
}

CRedBurst::CRedBurst(CStage* ownerStage, double px, double py, int r)
    : CBurstBase(ownerStage, px, py, r, 30.0, 16.0, 8.0) {
    SetAttackInfo(RedBurstAttack());
    image_ = MakeObjectSprite("Objects002", 176, 0, 256, 80);
    sprite = image_.get();
}

void CRedBurst::Draw() {
    if (!sprite) return;
    imageX = centerX;
    imageY = centerY;
    double alpha = 1.0;
    if (age > activeTime) {
        alpha = (lifetime - age) / (lifetime - activeTime);
        if (alpha < 0.0) alpha = 0.0;
    }
    sprite->SetAlpha(static_cast<float>(alpha));
    // Grows from 30 % to full size in two frames, then pulses: two frames small, two large.
    double scale;
    if (age < 2.0)
        scale = (age * 0.5 * 0.7 + 0.3) * (radius * 0.025);
    else
        scale = (static_cast<int>(age) % 4 < 2 ? radius - 1.0 : radius + 2.0) * 0.025;
    sprite->scaleX = sprite->scaleY = static_cast<float>(scale);
    DrawSprite();
}
