#include "play/Characters.h"

#include <cmath>

#include "engine/SoundEffects.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "play/EffectFactory.h"

void GetEffectPoint(const IBase* object, double* x, double* y) {
    *x = static_cast<double>(static_cast<int>((object->GetLeft() + object->GetRight()) * 0.5));
    *y = static_cast<double>(static_cast<int>((object->GetTop() + object->GetBottom()) * 0.5));
}

// ---- ICharacter ----

namespace {
void SetUpCharacter(IBase* o) {
    o->solidTop = o->solidBottom = o->solidLeft = o->solidRight = false;
    o->drawPriority = 30;
}

void SetUpEnemy(IBase* o) {
    o->category = kCategoryEnemy;
    o->drawPriority = 40;
    o->depth = 0.002;
    o->removeWhenOffScreen = true;
}
}  // namespace

ICharacter::ICharacter(CStage* ownerStage, double px, double py) : IBase(ownerStage, px, py) {
    SetUpCharacter(this);
}

ICharacter::ICharacter(CStage* ownerStage, double dx, double dy, IBase* parentObject)
    : IBase(ownerStage, dx, dy, parentObject) {
    SetUpCharacter(this);
}

// ---- IEnemy ----

IEnemy::IEnemy(CStage* ownerStage, double px, double py) : ICharacter(ownerStage, px, py) {
    SetUpEnemy(this);
}

IEnemy::IEnemy(CStage* ownerStage, double dx, double dy, IBase* parentObject)
    : ICharacter(ownerStage, dx, dy, parentObject) {
    SetUpEnemy(this);
}

void IEnemy::Update() {
    if (isBlown)
        UpdateBlown();
    else
        Act();
}

void IEnemy::StartBlow(AttackInfo attack, bool brake) {
    brakeVertical = brake;
    // During a blow the max speeds are the blow's own 9999; the enemy's are already saved.
    if (!isBlown) {
        savedMaxSpeeds[0] = maxSpeedUp;
        savedMaxSpeeds[1] = maxSpeedDown;
        savedMaxSpeeds[2] = maxSpeedLeft;
        savedMaxSpeeds[3] = maxSpeedRight;
    }
    blowDelay = attack.delay;
    blowSpeed = attack.power;
    blowAngle = attack.angle;
    blowTimer = 0;
    vx = vy = ax = ay = 0;
    flightVx_ = flightVy_ = 0;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 9999.0;
    isBlown = true;
}

void IEnemy::StartDefeatBlow(AttackInfo attack, int effect) {
    defeatEffect = effect;
    isDefeated = true;
    if (attack.power < kDefeatPowerFloor) attack.power = kDefeatPowerFloor;
    StartBlow(attack, false);
}

void IEnemy::ResetBlowState() {
    blowDelay = blowTimer = blowSpeed = blowAngle = 0;
    isBlown = brakeVertical = isDefeated = false;
    defeatEffect = 0;
    for (double& s : savedMaxSpeeds) s = 0;
}

void IEnemy::UpdateBlown() {
    const double d = GetFrameTime() * 60.0;
    BeginFrame();
    const bool flying = blowDelay < 0;
    if (!flying) {
        blowDelay -= d;
        if (blowDelay < 0) {
            const double c = std::cos(blowAngle), s = std::sin(blowAngle);
            vx = blowSpeed * c;
            vy = blowSpeed * s;
            // Braking against the launch; vertically only when asked or when flung upward.
            const double k = blowSpeed + 150.0;
            ax = k * c * -3.0;
            if (brakeVertical || s < 0) ay = k * s * -3.0;
            blowDelay = -1.0;
            blowTimer = isDefeated ? 12.0 : 20.0;
        }
    } else {
        blowTimer -= d;
        if (blowTimer <= 0) {
            if (isDefeated) {
                double ex, ey;
                GetEffectPoint(this, &ex, &ey);
                CreateEffect(defeatEffect, ex, ey, owner);
                PlaySE(SoundId::kDeath2);
                Kill();
            } else {
                maxSpeedUp = savedMaxSpeeds[0];
                maxSpeedDown = savedMaxSpeeds[1];
                maxSpeedLeft = savedMaxSpeeds[2];
                maxSpeedRight = savedMaxSpeeds[3];
                blowTimer = ax = ay = 0;
                isBlown = false;
                OnBlowEnd();
            }
        } else {
            // The brake stops the motion rather than turning it round.
            if ((ax > 0 && vx > 0) || (ax < 0 && vx < 0)) ax = vx = 0;
            if (brakeVertical && ((ay > 0 && vy > 0) || (ay < 0 && vy < 0))) ay = vy = 0;
        }
    }
    // A defeat flight into a wall, ceiling or floor ends in the next frame. The speed that counts
    // is the one the flight struck with: the map's contact has already stopped the velocity.
    const double hitVx = flightVx_, hitVy = flightVy_;
    if (isDefeated && ((hitVx < -200.0 && touchLeft) || (hitVx > 200.0 && touchRight) ||
                       (hitVy < -200.0 && touchTop) || (hitVy > 300.0 && touchBottom)))
        blowTimer = 0;
    Move();
    flightVx_ = vx;
    flightVy_ = vy;
    BlowHook();
    EndFrame();
}

int IEnemy::DeliverContactAttack(IBase* other) {
    if (IsDead()) return kHitImmune;
    AttackInfo contact;
    contact.power = kContactPower;
    contact.angle = GetAngle(centerX, centerY, other->centerX, other->centerY);
    contact.flags[kAttackBodyContact] = 1;
    return other->ReceiveAttack(contact);
}

// ---- IBoss ----

IBoss::IBoss(CStage* ownerStage, double px, double py) : IEnemy(ownerStage, px, py) {
    removeWhenOffScreen = false;
}
