#include "bosses/LastBossShots.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "enemies/EnemyShots.h"
#include "engine/Camera.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "gimmicks/Burst.h"
#include "play/CommonShots.h"
#include "play/EffectFactory.h"
#include "play/ObjectRegistry.h"

namespace {

constexpr double kUp = -0.5 * kPi;

constexpr SpriteCell kDarkCell{0, 160, 64, 224};
constexpr SpriteCell kIceCell{64, 160, 128, 224};

// Up and away from the thrower: a quarter turn up, toward where the shot flies.
double AwayUpAngle(double vx) { return vx < 0 ? -0.75 * kPi : -0.25 * kPi; }

CSpriteSheet LastBossSheet(const std::vector<SpriteCell>& cells) {
    return CSpriteSheet("Object", "Objects004", cells);
}

double Speed(double vx, double vy) { return std::sqrt(vx * vx + vy * vy); }

}  // namespace

void HomeToward(IBase& shot, double target, double step, double speed, double* heading) {
    TurnToward(target, step, heading);
    const double c = std::cos(*heading), s = std::sin(*heading);
    shot.vx = speed * c;
    shot.vy = speed * s;
    shot.ax = shot.ay = 0.0;
    SetSpeedLimits(shot, speed * std::fabs(s), speed * std::fabs(c));
}

// ---- The trail ----

CTrailShot::CTrailShot(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                       bool heroSide, int life, SpriteCell cell, double firstAlpha, double scale)
    : CShotBase(ownerStage, px, py, life, heroSide, !heroSide, true),
      images_(LastBossSheet({cell, cell, cell, cell})),
      firstAlpha_(firstAlpha),
      scale_(scale) {
    vx = velocityX;
    vy = velocityY;
    ignoresMap = true;
    std::fill(std::begin(trailX), std::end(trailX), px);
    std::fill(std::begin(trailY), std::end(trailY), py);
}

void CTrailShot::StepTrail() {
    std::copy_backward(std::begin(trailX), std::end(trailX) - 1, std::end(trailX));
    std::copy_backward(std::begin(trailY), std::end(trailY) - 1, std::end(trailY));
    trailX[0] = x;
    trailY[0] = y;
}

void CTrailShot::Draw() {
    static constexpr float kDepths[4] = {-0.002f, -0.0019f, -0.0018f, -0.0017f};
    for (int i = 0; i < 4; ++i) {
        CSprite* s = images_[i];
        if (!s) continue;
        s->x = static_cast<float>(trailX[2 * i] / 256.0);
        s->y = static_cast<float>(trailY[2 * i] / 256.0);
        s->z = kDepths[i];
        s->scaleX = s->scaleY = static_cast<float>(scale_);
        s->SetAlpha(static_cast<float>(firstAlpha_ - 0.2 * i));
        s->ApplyTransform();
        s->Draw();
    }
}

// ---- The small dark ball ----

CSmallDarkBall::CSmallDarkBall(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                               bool heroSide)
    : CTrailShot(ownerStage, px, py, velocityX, velocityY, heroSide, 180, kDarkCell, 0.8, 0.375) {
    SetAttackInfo(ShotAttack(10, 200.0, AwayUpAngle(velocityX)));
    MakeRoundShape(*this, 12.0);
    ax = 2.0 * velocityX;
    SetSpeedLimits(*this, 650.0, 650.0);
    UpdateCentre();
}

void CSmallDarkBall::Move() {
    BeginFrame();
    IBase::Move();
    StepTrail();
    EndFrame();
}

int CSmallDarkBall::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune && r != kHitNoEffect && r != kHitGuarded) {
        ShowEffect(kEffectBrunt);
        PlaySE(SoundId::kMagic1);
    }
    return r;
}

int CSmallDarkBall::ReceiveAttack(AttackInfo) {
    ShowEffect(kEffectDarkBreak1);
    PlaySE(SoundId::kGun3);
    Kill();
    return kHitDefeated;
}

// ---- The big dark ball ----

CBigDarkBall::CBigDarkBall(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                           bool heroSide, IBase* firer)
    : CTrailShot(ownerStage, px, py, velocityX, velocityY, heroSide, 1200, kDarkCell, 0.8, 1.0),
      bossForm(firer),
      heading(GetAngle(0, 0, velocityX, velocityY)),
      speed(Speed(velocityX, velocityY)) {
    AttackInfo a = ShotAttack(10, 300.0, AwayUpAngle(velocityX));
    // The last flag byte: what gets a blow past the second form's guard.
    a.extra = 1;
    SetAttackInfo(a);
    MakeRoundShape(*this, 32.0);
    SetSpeedLimits(*this, 650.0, 650.0);
    UpdateCentre();
}

void CBigDarkBall::Move() {
    BeginFrame();
    IBase::Move();
    const bool enemySide = category == 11 || category == 14;
    const IBase* target = enemySide ? GetHero() : bossForm.Get();
    if (target && CObjectRegistry::Contains(ObjectHandle(target)))
        HomeToward(*this, GetAngle(centerX, centerY, target->centerX, target->centerY),
                   GetFrameTime() * turnRate * kPi, speed, &heading);
    if (GetScreenDistance() > 256.0) {
        Kill();
    } else if (age > 900) {
        ShowEffect(kEffectDarkBreak1);
        Kill();
    }
    StepTrail();
    EndFrame();
}

int CBigDarkBall::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune) {
        ShowEffect(kEffectDarkBreak2);
        PlaySE(SoundId::kGun3);
        Kill();
    }
    return r;
}

int CBigDarkBall::ReceiveAttack(AttackInfo incoming) {
    if (incoming.flags[kAttackRedBurst]) return kHitImmune;
    Reflect();
    double a = incoming.angle;
    if (incoming.flags[kAttackReflectable]) a += std::cos(a) >= 0 ? -0.5 * kPi : 0.5 * kPi;
    speed = std::min(speed + 50.0, 500.0);
    turnRate = std::max(turnRate - 0.02, 0.0);
    vx = speed * std::cos(a);
    vy = speed * std::sin(a);
    heading = GetAngle(0, 0, vx, vy);
    hitTargets.clear();
    return kHitHurt;
}

// ---- The ice ball ----

CPatriotIceBall::CPatriotIceBall(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                                 bool heroSide)
    : CTrailShot(ownerStage, px, py, velocityX, velocityY, heroSide, 1200, kIceCell, 0.85, 0.4),
      heading(GetAngle(0, 0, velocityX, velocityY)),
      speed(Speed(velocityX, velocityY)) {
    SetAttackInfo(ShotAttack(10, 200.0, kUp, kAttackIce));
    MakeRoundShape(*this, 13.0);
    SetSpeedLimits(*this, 500.0, 500.0);
    removeWhenOffScreen = false;
    UpdateCentre();
    targetAngle = GetHero() ? GetAngleToHero() : heading;
}

void CPatriotIceBall::Move() {
    BeginFrame();
    IBase::Move();
    if (GetHero()) targetAngle = GetAngleToHero();
    HomeToward(*this, targetAngle, GetFrameTime() * turnRate * kPi, speed, &heading);
    if (GetScreenDistance() > 192.0) {
        Kill();
    } else if (age > 900) {
        ShowEffect(kEffectIceSmoke);
        Kill();
    }
    StepTrail();
    EndFrame();
}

void CPatriotIceBall::Shatter(int sound) {
    const int cx = static_cast<int>(GetLeft() + GetRight()) / 2;
    const int cy = static_cast<int>(GetTop() + GetBottom()) / 2;
    for (int i = 0; i < 3; ++i) {
        const int dy = RandomRange(-2, 2);
        const int dx = RandomRange(-2, 2);
        CreateEffect(kEffectRandomIce, cx + dx, cy + dy, owner);
    }
    PlaySE(sound);
    Kill();
}

int CPatriotIceBall::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune) Shatter(SoundId::kIce2);
    return r;
}

int CPatriotIceBall::ReceiveAttack(AttackInfo) {
    Shatter(SoundId::kIce1);
    return kHitDefeated;
}

// ---- The moon cutter ----

CMoonCutter::CMoonCutter(CStage* ownerStage, double px, double py, double velocityX, double velocityY,
                         bool heroSide, bool forward)
    : CEffectShot(ownerStage, px, py, 1200, heroSide, !heroSide, true,
                  {kEffectSlash, SoundId::kAttack10, kEffectMagicBreak2, SoundId::kDeath2}),
      heading(GetAngle(0, 0, velocityX, velocityY)),
      speed(Speed(velocityX, velocityY)),
      spinForward(forward) {
    SetAttackInfo(ShotAttack(10, 200.0, kUp, kAttackSlash));
    MakeRoundShape(*this, 16.0);
    vx = velocityX;
    vy = velocityY;
    SetSpeedLimits(*this, 700.0, 700.0);
    ignoresMap = true;
    removeWhenOffScreen = false;
    UpdateCentre();
    targetAngle = GetHero() ? GetAngleToHero() : heading;
    SetSprite(CreateSprite("Object", "Objects004", 2, 32, 224, 64, 256));
}

void CMoonCutter::Move() {
    BeginFrame();
    IBase::Move();
    if (GetHero()) targetAngle = GetAngleToHero();
    const double ft = GetFrameTime();
    if (age < 20) {
        speed = std::max(speed - 220.0 * ft, 40.0);
    } else if (age < 60) {
        speed = std::max(speed - 350.0 * ft, 30.0);
        turnRate = std::min(turnRate + 4.0 * ft, 1.5);
    } else if (age < 110) {
        speed = std::min(speed + 500.0 * ft, 350.0);
        turnRate = std::max(turnRate - 6.0 * ft, 0.1);
    } else {
        speed = std::min(speed + 500.0 * ft, 450.0);
        turnRate = std::max(turnRate - 25.0 * ft, 0.1);
    }
    HomeToward(*this, targetAngle, ft * turnRate * kPi, speed, &heading);
    if (GetScreenDistance() > 384.0) Kill();
    spin += (1000.0 - std::fabs(speed)) * ft * 0.04;
    EndFrame();
}

void CMoonCutter::Draw() {
    if (!sprite) return;
    imageX = centerX;
    imageY = centerY;
    sprite->angleZ = static_cast<float>(spinForward ? spin : -spin);
    sprite->SetAlpha(0.85f);
    DrawSprite();
}

// ---- The dark thunder ----

CDarkThunder::CDarkThunder(CStage* ownerStage, double px, double py, bool heroSide, int groundLine)
    : CShotBase(ownerStage, px, py, 600, heroSide, !heroSide, false),
      markY(groundLine),
      images_(LastBossSheet({{128, 160, 152, 248},
                             {152, 160, 176, 248},
                             {128, 160, 152, 248},
                             {152, 160, 176, 248},
                             {128, 248, 160, 256}})) {
    SetAttackInfo(ShotAttack(10, 100.0, kUp));
    width = 24.0;
    height = 88.0;
    vy = 1500.0;
    SetSpeedLimits(*this, 1500.0, 1500.0);
    removeWhenOffScreen = false;
    for (int i : {2, 3})
        if (CSprite* s = images_[i]) s->scaleX = s->scaleY = 1.2f;
    UpdateCentre();
}

void CDarkThunder::Move() {
    BeginFrame();
    IBase::Move();
    if (TouchesMap(*this)) {
        const int middle = static_cast<int>(GetLeft() + GetRight()) / 2;  // whole pixels
        CreateEffect(kEffectDarkThunderBrunt, middle, static_cast<int>(GetBottom()), owner);
        PlaySE(SoundId::kBomb2);
        Camera().Shake();
        Kill();
    }
    EndFrame();
}

void CDarkThunder::Draw() {
    auto place = [](CSprite* s, double px, double py, double z, double alpha) {
        if (!s) return;
        s->x = static_cast<float>(px / 256.0);
        s->y = static_cast<float>(py / 256.0);
        s->z = static_cast<float>(z);
        s->SetAlpha(static_cast<float>(alpha));
        s->ApplyTransform();
        s->Draw();
    };
    const bool first = static_cast<int>(age) % 4 < 2;
    place(images_[first ? 0 : 1], centerX, centerY, depth, 1.0);
    place(images_[first ? 2 : 3], centerX, centerY, -0.004, 0.35);
    place(images_[4], centerX, markY, -0.004, (std::sin(age) + 1.0) / 2.0);
}

int CDarkThunder::Collide(IBase* other) {
    const int r = DeliverAttackOnce(other);
    if (r != kHitImmune && r != kHitNoEffect && r != kHitGuarded) PlaySE(SoundId::kMagic1);
    return r;
}

// ---- The light before the bomb ----

CLightBeforeBomb::CLightBeforeBomb(CStage* ownerStage, double px, double py, int side)
    : IBase(ownerStage, px, py),
      fromLeft(side),
      images_(LastBossSheet({{192, 128, 256, 192}, {192, 192, 256, 256}})) {
    width = height = 16.0;
    category = kCategoryController;
    ignoresMap = true;
    removeWhenOffScreen = false;
    depth = -0.004;
    drawPriority = 40;
    UpdateCentre();
    double ex, ey;
    GetEffectPoint(this, &ex, &ey);
    CreateEffect(kEffectFlash, ex, ey, ownerStage);
}

void CLightBeforeBomb::Update() {
    BeginFrame();
    if (age > kBurstAge) {
        if (!IsDead()) {
            Registry().Add(std::make_unique<CRedBurst>(owner, centerX, centerY));
            PlaySE(SoundId::kBomb1);
            Camera().Shake();
            Kill();
        }
    } else if (age > 47 && !warned) {
        warned = true;
        PlaySE(SoundId::kFall1B);
    }
    EndFrame();
}

void CLightBeforeBomb::Draw() {
    if (age <= 37) return;
    const double d = (30.0 - (age - 37.0)) * 15.0;
    CSprite* s = images_[fromLeft ? 1 : 0];
    if (!s) return;
    s->x = static_cast<float>((fromLeft ? centerX - 16 - d : centerX + 16 + d) / 256.0);
    s->y = static_cast<float>((centerY - 16 - d) / 256.0);
    s->z = static_cast<float>(depth);
    s->ApplyTransform();
    s->Draw();
}
