#include "enemies/EnemyShots.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "gimmicks/Burst.h"
#include "play/Characters.h"
#include "play/EffectFactory.h"
#include "play/ObjectRegistry.h"

namespace {

constexpr double kStraightUp = -0.5 * kPi;

OwnedSprite MakeShotSprite(const SpriteCell& c) { return ::MakeShotSprite(c.left, c.top, c.right, c.bottom); }

// Plain motion: begin, integrate, end.
void PlainMove(IBase& o) {
    o.BeginFrame();
    o.IBase::Move();
}

bool HasHeroIn(const IBase& o) { return o.GetHero() != nullptr; }

}  // namespace

void SteerAlong(IBase& o, double heading, double speed) {
    const double c = std::cos(heading), s = std::sin(heading);
    o.vx = speed * c;
    o.vy = speed * s;
    o.ax = o.ay = 0.0;
    o.maxSpeedUp = o.maxSpeedDown = speed * std::fabs(s);
    o.maxSpeedLeft = o.maxSpeedRight = speed * std::fabs(c);
}

void TurnToward(double targetAngle, double step, double* heading) {
    const double d = GetAngleDiff(targetAngle, *heading);
    if (d > 0) {
        *heading -= step;
        if (GetAngleDiff(targetAngle, *heading) < 0) *heading = targetAngle;
    } else if (d < 0) {
        *heading += step;
        if (GetAngleDiff(targetAngle, *heading) > 0) *heading = targetAngle;
    }
}

// ---- Thrown balls ----

// ---- The shared bases ----

int CFragileShot::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune) Break();
    return r;
}

int CFragileShot::ReceiveAttack(AttackInfo) {
    Break();
    return kHitDefeated;
}

CEffectShot::CEffectShot(CStage* ownerStage, double px, double py, int life, bool heroSide, bool fixedSide,
                         bool secondGroup, Looks looks)
    : CShotBase(ownerStage, px, py, life, heroSide, fixedSide, secondGroup), looks_(looks) {}

int CEffectShot::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune) {
        ShowEffect(looks_.hitEffect);
        PlaySE(looks_.hitSound);
    }
    return r;
}

int CEffectShot::ReceiveAttack(AttackInfo) {
    ShowEffect(looks_.breakEffect);
    PlaySE(looks_.breakSound);
    Kill();
    return kHitDefeated;
}

CThrownBall::CThrownBall(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                         bool heroSide, const Look& look)
    : CFragileShot(ownerStage, px, py, 900, heroSide, !heroSide, false),
      spinRate_(look.spinRate),
      batSpeed_(look.batSpeed) {
    SetAttackInfo(ShotAttack(look.damage, look.power, ForwardUpAngle(velocityX)));
    MakeRoundShape(*this, look.radius);
    vx = velocityX;
    vy = velocityY;
    ay = look.gravity;
    SetSpeedLimits(*this, 1000.0, 1000.0);
    SetSprite(MakeShotSprite(look.cell));
}

void CThrownBall::Break() {
    ShowEffect(kEffectBrownSmoke);
    PlaySE(SoundId::kShock1);
    Kill();
}

void CThrownBall::Move() {
    PlainMove(*this);
    spin += vx * GetFrameTime() * spinRate_;
    if (TouchesMap(*this)) Break();
    EndFrame();
}

void CThrownBall::Draw() {
    if (sprite) sprite->angleZ = static_cast<float>(spin);
    CShotBase::Draw();
}

int CThrownBall::ReceiveAttack(AttackInfo incoming) { return BatBack(*this, incoming, batSpeed_); }

CBaseball::CBaseball(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                     bool heroSide)
    : CThrownBall(ownerStage, px, py, velocityX, velocityY, heroSide,
                  {10, 240.0, 8.0, 450.0, 0.02, 600.0, {16, 0, 32, 16}}) {}

CVolleyball::CVolleyball(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                         bool heroSide)
    : CThrownBall(ownerStage, px, py, velocityX, velocityY, heroSide,
                  {10, 240.0, 12.0, 580.0, 0.02, 300.0, {96, 0, 128, 32}}) {}

// ---- CBomb001 ----

CBomb001::CBomb001(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                   bool heroSide)
    : CShotBase(ownerStage, px, py, 900, heroSide, !heroSide, false) {
    SetAttackInfo(ShotAttack(0, 0.0, ForwardUpAngle(velocityX)));
    MakeRoundShape(*this, 8.0);
    vx = velocityX;
    vy = velocityY;
    ay = 700.0;
    SetSpeedLimits(*this, 1000.0, 1000.0);
    SetSprite(MakeShotSprite({0, 16, 16, 32}));
}

void CBomb001::Explode() {
    if (IsDead()) return;
    Registry().Add(
        std::make_unique<CRedBurst>(owner, (GetLeft() + GetRight()) * 0.5, (GetTop() + GetBottom()) * 0.5));
    PlaySE(SoundId::kBomb1);
    Kill();
}

void CBomb001::Move() {
    PlainMove(*this);
    if (TouchesMap(*this)) Explode();
    EndFrame();
}

int CBomb001::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune) Explode();
    return r;
}

int CBomb001::ReceiveAttack(AttackInfo incoming) {
    if (incoming.flags[kAttackRedBurst]) {
        Explode();
        return kHitDefeated;
    }
    return BatBack(*this, incoming, 520.0);
}

// ---- CRollingRock ----

CRollingRock::CRollingRock(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                           bool heroSide)
    : CFragileShot(ownerStage, px, py, 900, heroSide, !heroSide, false) {
    SetAttackInfo(ShotAttack(20, 320.0, ForwardUpAngle(velocityX)));
    MakeRoundShape(*this, 14.0);
    vx = velocityX;
    vy = velocityY;
    ay = 780.0;
    SetSpeedLimits(*this, 1000.0, 1000.0);
    SetSprite(MakeShotSprite({128, 0, 160, 32}));
}

void CRollingRock::Break() {
    ShowEffect(kEffectBreakRock);
    PlaySE(SoundId::kShock5);
    Kill();
}

void CRollingRock::Move() {
    PlainMove(*this);
    spin += vx * GetFrameTime() * 0.038;
    if (onGround && !wasOnGround) PlaySE(SoundId::kShock4);
    if (touchTop) PlaySE(SoundId::kShock4);
    if (touchLeft || touchRight) Break();
    EndFrame();
}

void CRollingRock::Draw() {
    if (sprite) sprite->angleZ = static_cast<float>(spin);
    CShotBase::Draw();
}

// ---- CSnowStorm001 ----

CSnowStorm001::CSnowStorm001(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                             bool heroSide)
    : CShotBase(ownerStage, px, py, 60, heroSide, !heroSide, true) {
    SetAttackInfo(ShotAttack(2, 60.0, SteepForwardUpAngle(velocityX), kAttackIce, 10.0));
    MakeRoundShape(*this, 7.0);
    vx = velocityX;
    vy = velocityY;
    ax = -0.5 * velocityX;
    ay = -0.5 * velocityY;
    SetSpeedLimits(*this, 300.0, 300.0);
    ignoresMap = true;
    SetSprite(CreateSprite("Effect", "Effect001", 2, 192, 32, 208, 48));
}

void CSnowStorm001::Move() {
    PlainMove(*this);
    EndFrame();
}

void CSnowStorm001::Draw() {
    if (sprite) {
        const float s = static_cast<float>(age < 10 ? 0.4 + 0.06 * age : 1.0);
        sprite->scaleX = sprite->scaleY = s;
        sprite->SetAlpha(static_cast<float>(age > lifetime - 10 ? 0.5 + 0.03 * (lifetime - age) : 0.8));
    }
    CShotBase::Draw();
}

int CSnowStorm001::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r == kHitImmune) return r;
    if (other == GetHero() && r == kHitDefeated) return r;
    double cx, cy;
    ContactPoint(*this, *other, &cx, &cy);
    ShowIceSparks(owner, static_cast<int>(cx), static_cast<int>(cy));
    return r;
}

// ---- CMagicalBall ----

CMagicalBall::CMagicalBall(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                           bool heroSide)
    : CEffectShot(ownerStage, px, py, 900, heroSide, !heroSide, true,
                  {kEffectBrunt, SoundId::kMagic1, kEffectMagicBreak2, SoundId::kDeath2}) {
    SetAttackInfo(ShotAttack(15, 270.0, ForwardUpAngle(velocityX)));
    MakeRoundShape(*this, 14.0);
    vx = velocityX;
    vy = velocityY;
    ax = 2.2 * velocityX;
    ay = 2.2 * velocityY;
    SetSpeedLimits(*this, 2.5 * std::fabs(velocityY), 2.5 * std::fabs(velocityX));
    ignoresMap = true;
    SetSprite(MakeShotSprite({32, 0, 64, 32}));
}

void CMagicalBall::Move() {
    PlainMove(*this);
    spin += kPi * 5.0 * GetFrameTime();
    EndFrame();
}

void CMagicalBall::Draw() {
    if (sprite) {
        sprite->angleZ = static_cast<float>(spin);
        sprite->SetAlpha(0.8f);
    }
    CShotBase::Draw();
}

// ---- Beams ----

CBeamShot::CBeamShot(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                     bool heroSide, bool ice)
    : CShotBase(ownerStage, px, py, 900, heroSide, !heroSide, false), ice_(ice) {
    SetAttackInfo(ShotAttack(10, ice ? 150.0 : 200.0, SteepForwardUpAngle(velocityX), ice ? kAttackIce : -1));
    MakeRoundShape(*this, 4.0);
    vx = velocityX;
    vy = velocityY;
    SetSpeedLimits(*this, 1000.0, 1000.0);
    SetSprite(MakeShotSprite(ice ? SpriteCell{80, 0, 96, 16} : SpriteCell{64, 0, 80, 16}));
}

void CBeamShot::Move() {
    PlainMove(*this);
    if (TouchesMap(*this)) {
        ShowEffect(ice_ ? kEffectIceSmoke : kEffectSmoke);
        Kill();
    }
    EndFrame();
}

void CBeamShot::Draw() {
    if (sprite) sprite->SetAlpha(0.85f);
    CShotBase::Draw();
}

int CBeamShot::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r == kHitImmune) return r;
    if (ice_) {
        double ex, ey;
        GetEffectPoint(this, &ex, &ey);
        ShowIceSparks(owner, static_cast<int>(ex), static_cast<int>(ey));
    } else {
        ShowEffect(kEffectBrunt);
        PlaySE(SoundId::kMagic1);
    }
    return r;
}

CNormalBeam::CNormalBeam(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                         bool heroSide)
    : CBeamShot(ownerStage, px, py, velocityX, velocityY, heroSide, false) {}

CIceBeam::CIceBeam(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                   bool heroSide)
    : CBeamShot(ownerStage, px, py, velocityX, velocityY, heroSide, true) {}

// ---- CMissilry ----

namespace {
std::vector<SpriteCell> MissileCells(int direction) {
    const int l = direction == 0 ? 0 : 72;
    std::vector<SpriteCell> cells;
    cells.reserve(4);
    for (int row = 0; row < 4; ++row) cells.push_back({l, 32 + 16 * row, l + 72, 48 + 16 * row});
    return cells;
}
}  // namespace

CMissilry::CMissilry(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                     bool heroSide, int directionIn)
    : CFragileShot(ownerStage, px, py, 900, heroSide, !heroSide, false),
      direction(directionIn),
      cells_("Object", "Objects002", MissileCells(directionIn)) {
    SetAttackInfo(ShotAttack(15, 270.0, (direction == 1 ? -0.15 : -0.85) * kPi, kAttackRedBurst));
    width = 32.0;
    height = 8.0;
    vx = velocityX;
    vy = velocityY;
    ay = 180.0;
    SetSpeedLimits(*this, 200.0, 500.0);
    SetPhase(kPhaseDropped);
    phaseFrames += RandomRange(0, 5);
    sprite = cells_[0];
}

void CMissilry::SetPhase(Phase p) {
    phase = p;
    phaseFrames = 0.0;
}

void CMissilry::Move() {
    PlainMove(*this);
    if (TouchesMap(*this)) Kill();
    if (phase == kPhaseDropped) {
        if (phaseFrames > 50) {
            SetPhase(kPhaseIgnited);
            PlaySE(SoundId::kWind1);
            ax = direction == 0 ? -1200.0 : 1200.0;
            ay = -240.0;
        }
    } else if ((ay < 0 && vy < 0) || (ay > 0 && vy > 0)) {
        vy = ay = 0.0;
    }
    phaseFrames += GetFrameTime() * 60.0;
    EndFrame();
}

// Every end of a missile explodes at its nose, once.
void CMissilry::Kill() {
    if (IsDead()) return;
    const double ex = direction == 0 ? std::trunc(GetLeft() + 8.0) : std::trunc(GetRight() - 8.0);
    const int middle = static_cast<int>(GetTop() + GetBottom()) / 2;  // whole pixels
    CreateEffect(kEffectBurstRed, ex, middle, owner);
    PlaySE(SoundId::kBomb2);
    lifeState = kLifeDead;
}

void CMissilry::Draw() {
    int cell = 0;
    if (phase == kPhaseIgnited) cell = phaseFrames < 6 ? 1 : (static_cast<int>(phaseFrames) % 4 <= 1 ? 2 : 3);
    sprite = cells_[cell];
    imageX = centerX + (direction == 0 ? 20.0 : -20.0);
    imageY = centerY;
    DrawSprite();
}

// ---- CPatriot ----

CPatriot::CPatriot(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                   bool heroSide)
    : CFragileShot(ownerStage, px, py, 900, heroSide, !heroSide, true),
      cells_("Object", "Objects002", {{0, 96, 32, 128}, {32, 96, 64, 128}}) {
    SetAttackInfo(ShotAttack(10, 200.0, kStraightUp, kAttackRedBurst));
    width = height = 12.0;
    vx = velocityX;
    vy = velocityY;
    SetSpeedLimits(*this, 300.0, 300.0);
    ignoresMap = true;
    removeWhenOffScreen = false;
    UpdateCentre();
    heading = GetAngle(0, 0, velocityX, velocityY);
    speed = std::sqrt(velocityX * velocityX + velocityY * velocityY);
    targetAngle = HasHeroIn(*this) ? GetAngleToHero() : heading;
    sprite = cells_[0];
}

void CPatriot::Break() {
    ShowEffect(kEffectBurstRed);
    PlaySE(SoundId::kBomb2);
    Kill();
}

void CPatriot::Move() {
    PlainMove(*this);
    if (HasHeroIn(*this)) {
        targetAngle = GetAngleToHero();
        TurnToward(targetAngle, GetFrameTime() * kPi * 0.42, &heading);
    }
    SteerAlong(*this, heading, speed);
    if (age > 600) speed -= GetFrameTime() * 80.0;
    if (speed < 30.0)
        Break();
    else if (GetScreenDistance() > 128.0)
        Kill();
    EndFrame();
}

void CPatriot::Draw() {
    sprite = cells_[static_cast<int>(age) % 8 < 4 ? 0 : 1];
    if (sprite) sprite->angleZ = static_cast<float>(heading);
    CShotBase::Draw();
}

// ---- CGunWater ----

CGunWater::CGunWater(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                     bool heroSide)
    : CWaterDropBase(ownerStage, px, py, 120, heroSide, !heroSide, false) {
    SetAttackInfo(ShotAttack(10, 190.0, SteepForwardUpAngle(velocityX), kAttackWater));
    MakeRoundShape(*this, 6.0);
    vx = velocityX;
    vy = velocityY;
    ax = velocityX > 0 ? -45.0 : (velocityX < 0 ? 45.0 : 0.0);
    SetSpeedLimits(*this, 1000.0, 1000.0);
    SetSprite(MakeShotSprite({16, 16, 32, 32}));
}

void CGunWater::Draw() {
    if (sprite)
        sprite->SetAlpha(static_cast<float>(age > lifetime - 10 ? 0.5 + 0.05 * (lifetime - age) : 1.0));
    CShotBase::Draw();
}

int CGunWater::ReceiveAttack(AttackInfo) {
    SplashSideways();
    Kill();
    return kHitDefeated;
}

// ---- CMachineGunShot ----

CMachineGunShot::CMachineGunShot(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                                 bool heroSide)
    : CNormalShot(ownerStage, px, py, velocityX, velocityY, heroSide) {
    SetAttackInfo(ShotAttack(2, 100.0, ForwardUpAngle(velocityX), -1, 6.0));
    shapeType = kShapeRect;
    width = 16.0;
    height = 4.0;
    radius = 0.0;
    SetSpeedLimits(*this, 700.0, 700.0);
    SetSprite(MakeShotSprite(velocityX > 0 ? SpriteCell{80, 96, 96, 104} : SpriteCell{64, 96, 80, 104}));
}

void CMachineGunShot::Move() {
    PlainMove(*this);
    if (TouchesMap(*this)) {
        double ex, ey;
        GetEffectPoint(this, &ex, &ey);
        CreateEffect(kEffectSmoke, ex + (vx <= 0 ? -8.0 : 8.0), ey, owner);
        Kill();
    }
    EndFrame();
}

// ---- CPatriotMagicalBall ----

CPatriotMagicalBall::CPatriotMagicalBall(CStage* ownerStage, double px, double py, double velocityX,
                                         double velocityY, bool heroSide)
    : CEffectShot(ownerStage, px, py, 1200, heroSide, !heroSide, true,
                  {kEffectBrunt, SoundId::kMagic1, kEffectMagicBreak, SoundId::kDeath2}),
      images_("Object", "Objects002", std::vector<SpriteCell>(4, SpriteCell{96, 96, 128, 128})) {
    SetAttackInfo(ShotAttack(10, 200.0, kStraightUp));
    MakeRoundShape(*this, 13.0);
    vx = velocityX;
    vy = velocityY;
    ignoresMap = true;
    removeWhenOffScreen = false;
    UpdateCentre();
    for (int i = 0; i < kTrail; ++i) {
        trailX[i] = px;
        trailY[i] = py;
    }
    heading = GetAngle(0, 0, velocityX, velocityY);
    speed = std::sqrt(velocityX * velocityX + velocityY * velocityY);
    targetAngle = HasHeroIn(*this) ? GetAngleToHero() : heading;
    sprite = images_[0];
}

void CPatriotMagicalBall::Move() {
    PlainMove(*this);
    const double ft = GetFrameTime();
    turnRate = std::max(0.1, turnRate - ft * 0.08);
    speed = std::min(280.0, speed + ft * 80.0);
    if (HasHeroIn(*this)) {
        targetAngle = GetAngleToHero();
        TurnToward(targetAngle, ft * turnRate * kPi, &heading);
    }
    SteerAlong(*this, heading, speed);
    if (GetScreenDistance() > 192.0) Kill();
    for (int i = kTrail - 1; i > 0; --i) {
        trailX[i] = trailX[i - 1];
        trailY[i] = trailY[i - 1];
    }
    trailX[0] = x;
    trailY[0] = y;
    EndFrame();
}

void CPatriotMagicalBall::Draw() {
    static constexpr float kDepths[4] = {-0.002f, -0.0019f, -0.0018f, -0.0017f};
    for (int i = 0; i < 4; ++i) {
        CSprite* s = images_[i];
        if (!s) continue;
        s->x = static_cast<float>(trailX[2 * i] / 256.0);
        s->y = static_cast<float>(trailY[2 * i] / 256.0);
        s->z = kDepths[i];
        s->SetAlpha(0.85f - 0.2f * i);
        s->ApplyTransform();
        s->Draw();
    }
}
