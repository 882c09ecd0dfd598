#include "play/Hitboxes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/Camera.h"
#include "engine/SoundEffects.h"
#include "engine/SpriteManager.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/Characters.h"
#include "play/EffectFactory.h"
#include "play/HitEffect.h"

namespace {
int CategoryOfSide(int side) {
    if (side == kSideHero) return kCategoryHeroAttack;
    if (side == kSideEnemy) return kCategoryEnemyAttack;
    return kCategoryOtherAttack;
}

}  // namespace

// ---- CCollisionDetectionBase ----

CCollisionDetectionBase::CCollisionDetectionBase(IAttackable* attackerIn, IBase* parentObject,
                                                 CStage* ownerStage, double dx, double dy, double lifetimeIn,
                                                 double rehitIn, int side, int aimModeIn, AttackInfo attackIn)
    : IBase(ownerStage, dx, dy, parentObject),
      aimMode(aimModeIn),
      attack(attackIn),
      lifetime(lifetimeIn),
      rehitInterval(rehitIn),
      attacker_(attackerIn),
      attackerObject_(dynamic_cast<IBase*>(attackerIn)) {
    if (!parentObject) {
        x = startX = dx;
        y = startY = dy;
    }
    category = CategoryOfSide(side);
    depth = 0.003;
    drawPriority = 5;
    removeWhenOffScreen = false;
    attachedToParent = true;
    ignoresMap = true;
    vx = vy = ax = ay = 0;
}

CCollisionDetectionBase::~CCollisionDetectionBase() = default;

IAttackable* CCollisionDetectionBase::GetAttacker() const {
    if (attackerObject_.IsEmpty()) return attacker_;
    return attackerObject_.Get() ? attacker_ : nullptr;
}

bool CCollisionDetectionBase::AgeAndRehit() {
    if (lifetime != kNeverExpires && lifetime < age) {
        Kill();
        return true;
    }
    rehitTimer += GetFrameTime() * 60.0;
    if (rehitTimer > rehitInterval) {
        rehitTimer = 0;
        hitTargets.clear();
    }
    return false;
}

void CCollisionDetectionBase::Update() {
    BeginFrame();
    Move();
    if (!GetAttacker()) Kill();  // nobody left to tell of a hit
    AgeAndRehit();
    EndFrame();
}

bool CCollisionDetectionBase::AlreadyHit(const IBase* other) const {
    const ObjectHandle h(other);
    return std::find(hitTargets.begin(), hitTargets.end(), h) != hitTargets.end();
}

int CCollisionDetectionBase::Collide(IBase* other) {
    IAttackable* who = GetAttacker();
    if (IsDead() || !who || AlreadyHit(other)) return kHitImmune;
    hitTargets.emplace_back(other);

    if (aimMode >= kAimAtTarget && aimMode <= kAimAtTargetMinusEighth) {
        const double a = GetAngle(centerX, centerY, other->centerX, other->centerY);
        const double turn = aimMode == kAimAtTargetPlusEighth    ? std::numbers::pi / 4
                            : aimMode == kAimAtTargetMinusEighth ? -std::numbers::pi / 4
                                                                 : 0.0;
        attack.angle = a + turn;
    }

    const int r = other->ReceiveAttack(attack);
    // The target's answer may have ended the attacker (a clash that kills it); ask again.
    if (IAttackable* told = GetAttacker()) {
        if (auto* theirs = dynamic_cast<CCollisionDetectionBase*>(other)) {
            told->OnAttackClash(r, attack, theirs->attack);
            told->AfterAttackClash();
        } else {
            told->OnAttackHit(r, attack);
        }
    }
    if (!BeatsTheHero(other, r)) ShowHitEffect(this, other, attack, r);
    return r;
}

int CCollisionDetectionBase::ReceiveAttack(AttackInfo) {
    if (IsDead()) return kHitImmune;
    if (IAttackable* who = GetAttacker()) who->AfterAttackClash();
    return kHitGuarded;
}

void CCollisionDetectionBase::DrawDebug() {
    if (!IsDebugDrawing() || IsDead()) return;
    const CCamera* cam = &Camera();
    const float scale = cam->GetScale();
    const int sx = static_cast<int>(cam->WorldToScreenX(static_cast<float>(x), static_cast<float>(y)));
    const int sy = static_cast<int>(cam->WorldToScreenY(static_cast<float>(x), static_cast<float>(y)));
    const int r = static_cast<int>(radius * scale);
    const int red = category == kCategoryHeroAttack ? 0 : 255;
    const int blue = category == kCategoryEnemyAttack ? 0 : 255;
    const uint32_t color = static_cast<uint32_t>(red | blue << 16);
    switch (shapeType) {
        case kShapeCircle:
            elDraw::DrawArc(sx, sy, r, color, 1);
            break;
        case kShapeRect:
            DrawRectOutline(sx, sy, sx + static_cast<int>(width * scale),
                            sy + static_cast<int>(height * scale), red, 0, blue, 1);
            break;
        case kShapeQuarterUpLeft:
        case kShapeQuarterUpRight: {
            elDraw::DrawArc(sx, sy, r, 0xFFFFFF, 1);
            const int side = shapeType == kShapeQuarterUpLeft ? -r : r;
            elDraw::DrawLine(sx, sy, sx + side, sy, color, 1);
            elDraw::DrawLine(sx, sy, sx, sy - r, color, 1);
            break;
        }
        default:
            break;
    }
}

// ---- The shapes ----

CCollisionDetectionRectangle::CCollisionDetectionRectangle(IAttackable* attacker, IBase* parentObject,
                                                           CStage* ownerStage, double dx, double dy, int w,
                                                           int h, double lifetimeIn, double rehitIntervalIn,
                                                           int side, int aimModeIn, AttackInfo attackIn)
    : CCollisionDetectionBase(attacker, parentObject, ownerStage, dx, dy, lifetimeIn, rehitIntervalIn, side,
                              aimModeIn, attackIn) {
    shapeType = kShapeRect;
    width = w;
    height = h;
}

// ---- CNunoOtokoBarrier ----

CNunoOtokoBarrier::CNunoOtokoBarrier(IAttackable* attacker, IBase* parentObject, CStage* ownerStage,
                                     double dx, double dy, double r, double lifetimeIn,
                                     double rehitIntervalIn, int side, int aimModeIn, AttackInfo attackIn,
                                     double start, bool turnsClockwise)
    : CCollisionDetectionCircle(attacker, parentObject, ownerStage, dx, dy, r, lifetimeIn, rehitIntervalIn,
                                side, aimModeIn, attackIn),
      startAngle(std::trunc(start)),
      clockwise(turnsClockwise) {
    std::fill(std::begin(trailX), std::end(trailX), x);
    std::fill(std::begin(trailY), std::end(trailY), y);
    for (auto& s : sprites_) s = CreateSprite("Object", "Objects004", 2, 0, 224, 32, 256);
}

CNunoOtokoBarrier::~CNunoOtokoBarrier() = default;

double CNunoOtokoBarrier::OrbitRadius(double age) { return std::min(age * 1.8 + 16.0, 96.0); }

void CNunoOtokoBarrier::Update() {
    BeginFrame();
    Move();
    IBase* p = parent.Get();
    if (!p || !GetAttacker()) {
        // The orbit has no centre any more.
        Kill();
        EndFrame();
        return;
    }
    double angle = startAngle + age * 0.21;
    if (!clockwise) angle = -angle;
    const double rr = OrbitRadius(age);
    const double tx = p->centerX + rr * std::cos(angle);
    const double ty = p->centerY + rr * std::sin(angle);
    // The velocity that reaches the point in one frame. A frame of no time gives none: a speed
    // made up for it would fling the barrier far past the point on the next real frame.
    const double dt = GetFrameTime();
    vx = dt > 0 ? (tx - (x + width / 2)) / dt : 0.0;
    vy = dt > 0 ? (ty - (y + height / 2)) / dt : 0.0;
    ax = ay = 0;
    maxSpeedUp = maxSpeedDown = std::fabs(vy);
    maxSpeedLeft = maxSpeedRight = std::fabs(vx);
    AgeAndRehit();
    std::copy_backward(std::begin(trailX), std::end(trailX) - 1, std::end(trailX));
    std::copy_backward(std::begin(trailY), std::end(trailY) - 1, std::end(trailY));
    trailX[0] = x;
    trailY[0] = y;
    EndFrame();
}

void CNunoOtokoBarrier::Draw() {
    const double fade = age > lifetime - 20.0 ? 1.0 - (lifetime - age) * 0.05 : 0.0;
    for (int i = 0; i < 4; ++i) {
        CSprite* s = sprites_[i].get();
        if (!s) continue;
        s->x = static_cast<float>(trailX[2 * i] / 256.0);
        s->y = static_cast<float>(trailY[2 * i] / 256.0);
        s->z = static_cast<float>(spriteDepths_[i]);
        s->SetAlpha(static_cast<float>(0.95 - 0.2 * i - fade));
        s->ApplyTransform();
        s->Draw();
    }
}
