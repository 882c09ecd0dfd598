#include "play/Shots.h"

#include <algorithm>
#include <numbers>
#include <utility>

#include "engine/SoundEffects.h"
#include "engine/SpriteManager.h"
#include "play/Characters.h"
#include "play/EffectFactory.h"

// ---- CShotBase ----

int CShotBase::CategoryOf(bool heroSide, bool fixedSide, bool secondGroup) {
    int c = !heroSide ? 11 : (fixedSide ? 12 : 10);
    return secondGroup ? c + 3 : c;
}

CShotBase::CShotBase(CStage* ownerStage, double px, double py, int lifetimeIn, bool heroSide, bool fixedSide,
                     bool secondGroup)
    : IBase(ownerStage, px, py), lifetime(lifetimeIn) {
    depth = -0.002;
    drawPriority = 50;
    removeWhenOffScreen = true;
    category = CategoryOf(heroSide, fixedSide, secondGroup);
}

CShotBase::~CShotBase() { sprite = nullptr; }

void CShotBase::SetSprite(OwnedSprite s) {
    ownSprite_ = std::move(s);
    sprite = ownSprite_.get();
}

void CShotBase::Update() {
    if (IsDead()) return;
    Move();
    // A shot whose age equals its lifetime still lives that frame.
    if (static_cast<double>(lifetime) < age) Kill();
}

void CShotBase::Draw() {
    imageX = centerX;
    imageY = centerY;
    DrawSprite();
}

void CShotBase::Reflect() {
    PlaySE(SoundId::kFlash1);
    vx = -vx;
    vy = -vy;
    attack.angle = std::numbers::pi - attack.angle;
    switch (category) {
        case 10:
            category = 11;
            break;
        case 11:
            category = 10;
            break;
        case 13:
            category = 14;
            break;
        case 14:
            category = 13;
            break;
        default:
            break;
    }
}

int CShotBase::DeliverAttackOnce(IBase* other) {
    if (IsDead()) return kHitImmune;
    const ObjectHandle h(other);
    if (std::find(hitTargets.begin(), hitTargets.end(), h) != hitTargets.end()) return kHitImmune;
    hitTargets.push_back(h);
    return other->ReceiveAttack(attack);
}

int CShotBase::ReactToAttack(AttackInfo incoming) {
    if (incoming.flags[kAttackReflectsShots]) {
        Reflect();
        return kHitHurt;
    }
    if (incoming.damage > 0) {
        Kill();
        return kHitDefeated;
    }
    return kHitNoEffect;
}

void CShotBase::ShowEffect(int kind) const {
    double ex, ey;
    GetEffectPoint(this, &ex, &ey);
    CreateEffect(kind, ex, ey, owner);
}

// ---- CNormalShot ----

CNormalShot::CNormalShot(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                         bool heroSide)
    : CBreakingShot(ownerStage, px, py, 900, heroSide, !heroSide, false) {
    AttackInfo a;
    a.damage = 10;
    a.power = 150.0;
    // Up and away in the direction of flight.
    a.angle = (velocityX < 0 ? -0.85 : -0.15) * std::numbers::pi;
    SetAttackInfo(a);
    shapeType = kShapeCircle;
    width = height = 8.0;
    radius = 4.0;
    vx = velocityX;
    vy = velocityY;
    ax = ay = 0;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 500.0;
    SetSprite(CreateSprite("Object", "Objects002", 2, 64, 16, 80, 32));
}

void CNormalShot::Move() {
    BeginFrame();
    IBase::Move();
    if (touchTop || touchBottom || touchLeft || touchRight) {
        ShowEffect(kEffectShotBreak);
        Kill();
    }
    EndFrame();
}

int CBreakingShot::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r == kHitImmune) return r;
    const bool stopped = r == kHitNoEffect || r == kHitGuarded;
    ShowEffect(stopped ? kEffectShotBreak : kEffectBrunt);
    PlaySE(stopped ? SoundId::kGuard1 : SoundId::kShock3);
    Kill();
    return r;
}

int CBreakingShot::ReceiveAttack(AttackInfo) {
    ShowEffect(kEffectBrunt);
    PlaySE(SoundId::kShock3);
    Kill();
    return kHitDefeated;
}
