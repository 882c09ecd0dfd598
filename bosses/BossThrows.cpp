#include "bosses/BossThrows.h"

#include <cmath>
#include <memory>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "gimmicks/Burst.h"
#include "play/EffectFactory.h"
#include "play/ObjectRegistry.h"

namespace {

// What every throw here shares: 900 frames, a circle of `radius` at (x, y), the velocity and an
// attack that knocks the target up and away from the flight.
void Launch(CShotBase& shot, double vx, double vy, double radius, double limit, int damage, double power,
            int flag) {
    shot.SetAttackInfo(ShotAttack(damage, power, ForwardUpAngle(vx), flag));
    MakeRoundShape(shot, radius);
    shot.vx = vx;
    shot.vy = vy;
    SetSpeedLimits(shot, limit, limit);
}

// Turns the spin on by `rate` radians a second, backwards when flying left.
void Spin(double* spin, double vx, double rate) { *spin += (vx < 0 ? -rate : rate) * GetFrameTime(); }

OwnedSprite Objects003(int left, int top, int right, int bottom) {
    return CreateSprite("Object", "Objects003", 2, left, top, right, bottom);
}

}  // namespace

void BurstRed(IBase& bomb, int radius) {
    if (bomb.IsDead()) return;
    const double cx = (bomb.GetLeft() + bomb.GetRight()) / 2.0, cy = (bomb.GetTop() + bomb.GetBottom()) / 2.0;
    bomb.Registry().Add(std::make_unique<CRedBurst>(bomb.owner, cx, cy, radius));
    PlaySE(SoundId::kBomb1);
    bomb.Kill();
}

// ---- CWallThroughNormalShot ----

CWallThroughNormalShot::CWallThroughNormalShot(CStage* ownerStage, double px, double py, double velocityX,
                                               double velocityY, bool heroSide)
    : CBreakingShot(ownerStage, px, py, 900, heroSide, !heroSide, true),
      frames_("Object", "Objects003", {{192, 64, 208, 80}, {192, 80, 208, 96}}) {
    Launch(*this, velocityX, velocityY, 4.0, 500.0, 10, 150.0, -1);
    ignoresMap = true;
    sprite = frames_[0];
}

void CWallThroughNormalShot::Move() {
    BeginFrame();
    IBase::Move();
    EndFrame();
}

void CWallThroughNormalShot::Draw() {
    sprite = frames_[static_cast<int>(age) % 6 < 3 ? 0 : 1];
    CShotBase::Draw();
}

// ---- CNinjaStar ----

CNinjaStar::CNinjaStar(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                       bool heroSide)
    : CShotBase(ownerStage, px, py, 900, heroSide, !heroSide, true) {
    Launch(*this, velocityX, velocityY, 12.0, 500.0, 10, 250.0, kAttackSlash);
    ignoresMap = true;
    SetSprite(Objects003(96, 160, 120, 184));
}

void CNinjaStar::Move() {
    BeginFrame();
    IBase::Move();
    Spin(&spin, vx, 20.0);
    EndFrame();
}

void CNinjaStar::Draw() {
    if (sprite) sprite->angleZ = static_cast<float>(spin);
    CShotBase::Draw();
}

int CNinjaStar::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune) {
        ShowEffect(kEffectSlash);
        PlaySE(SoundId::kAttack10);
        Kill();
    }
    return r;
}

int CNinjaStar::ReceiveAttack(AttackInfo incoming) { return BatBack(*this, incoming, 400.0); }

// ---- CBigNinjaStar ----

CBigNinjaStar::CBigNinjaStar(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                             bool heroSide)
    : CShotBase(ownerStage, px, py, 900, heroSide, !heroSide, true),
      sides_("Object", "Bar002", {{0, 128, 128, 224}, {128, 128, 256, 224}}) {
    Launch(*this, velocityX, velocityY, 48.0, 500.0, 15, 250.0, kAttackSlash);
    ay = -300.0;  // it rises ever faster
    ignoresMap = true;
    sprite = sides_[0];
}

void CBigNinjaStar::Move() {
    BeginFrame();
    IBase::Move();
    Spin(&spin, vx, 14.0);
    EndFrame();
}

void CBigNinjaStar::Draw() {
    sprite = sides_[vx < 0 ? 0 : 1];
    if (sprite) sprite->angleZ = static_cast<float>(spin);
    CShotBase::Draw();
}

int CBigNinjaStar::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune) {
        double px, py;
        ContactPoint(*this, *other, &px, &py);
        const int dy = RandomRange(-2, 2);
        const int dx = RandomRange(-2, 2);
        CreateEffect(kEffectSlash, std::trunc(px) + dx, std::trunc(py) + dy, owner);
        PlaySE(SoundId::kAttack10);
    }
    return r;
}

// ---- CPinkBomb ----

CPinkBomb::CPinkBomb(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                     bool heroSide)
    : CShotBase(ownerStage, px, py, 900, heroSide, !heroSide, false) {
    Launch(*this, velocityX, velocityY, 7.0, 600.0, 0, 0.0, -1);
    ay = 500.0;
    SetSprite(Objects003(120, 160, 136, 176));
}

void CPinkBomb::Explode() { BurstRed(*this, 32); }

void CPinkBomb::Move() {
    BeginFrame();
    IBase::Move();
    if (TouchesMap(*this)) Explode();
    EndFrame();
}

int CPinkBomb::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune) Explode();
    return r;
}

int CPinkBomb::ReceiveAttack(AttackInfo incoming) {
    if (incoming.flags[kAttackRedBurst]) {
        Explode();
        return kHitDefeated;
    }
    return BatBack(*this, incoming, 600.0);
}
