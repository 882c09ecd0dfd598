#include "enemies/Bat001.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "enemies/FlyerHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/CommonShots.h"
#include "play/EffectFactory.h"
#include "play/Hitboxes.h"

namespace {

std::vector<SpriteCell> BatBodyCells(int variant) {
    const int c0 = variant == 0 ? 104 : 176;
    std::vector<SpriteCell> cells;
    for (int i = 0; i < 9; ++i) {
        const int l = c0 + 24 * (i % 3), t = 64 + 24 * (i / 3);
        cells.push_back({l, t, l + 24, t + 24});
    }
    return cells;
}

std::vector<SpriteCell> BatWingCells(int variant) {
    const int rest = variant == 0 ? 64 : 112;
    return {{rest, 136, rest + 48, 184}, {160, 136, 208, 184}, {208, 136, 256, 184}};
}

}  // namespace

CBat001::CBat001(CStage* ownerStage, double px, double py, int variantIn)
    : CPatternEnemy(ownerStage, px, py, 0, 1),
      variant(variantIn == 0 ? 0 : 1),
      body_("Char", "Enemy005_L", BatBodyCells(variant)),
      wings_("Char", "Enemy005_L", BatWingCells(variant)) {
    category = kCategoryFlyer;
    shapeType = kShapeCircle;
    radius = 9.0;
    width = height = 18.0;
    ignoresMap = true;
    targetAngle = heading = GetAngleToHero();
    SetState(kHang);
}

CBat001::~CBat001() = default;

void CBat001::SetState(int s) {
    EnterState(s);
    if (s == kDash || s == kBackOff || s == kChase)
        CreateBite();
    else
        RemoveBite();
    const double top = (s == kHang || s == kCreep || s == kWindUp) ? 60.0 : 500.0;
    SetSpeedLimits(*this, top, top);
    if (s == kWindUp || s == kDash || s == kChase || s == kBrake) wingPhase = 0.0;
}

void CBat001::CreateBite() {
    RemoveBite();
    AttackInfo a;
    a.damage = 10;
    a.power = 100.0;
    a.flags[kAttackSlash] = 1;
    auto bite = std::make_unique<CCollisionDetectionCircle>(this, this, owner, 0.0, 0.0, 24.0,
                                                            CCollisionDetectionBase::kNeverExpires, 10.0,
                                                            kSideEnemy, kAimAtTarget, a);
    bite_ = bite.get();
    AddChild(std::move(bite));
}

void CBat001::RemoveBite() {
    if (IBase* bite = bite_.Get()) RemoveChild(bite);
    bite_.Reset();
}

void CBat001::TurnHeading() {
    const double rate = (variant == 0 ? 0.65 : 0.48) * std::numbers::pi;
    const double step = GetFrameTime() * rate;
    const double d = GetAngleDiff(targetAngle, heading);
    if (d > 0) {
        heading -= step;
        if (GetAngleDiff(targetAngle, heading) < 0) heading = targetAngle;
    } else if (d < 0) {
        heading += step;
        if (GetAngleDiff(targetAngle, heading) > 0) heading = targetAngle;
    }
}

void CBat001::FlyAlongHeading(int steps, double stepSpeed, double top) {
    const double c = std::cos(heading), s = std::sin(heading);
    vx = stepSpeed * steps * c;
    vy = stepSpeed * steps * s;
    ax = ay = 0.0;
    maxSpeedUp = maxSpeedDown = std::fabs(s) * top;
    maxSpeedLeft = maxSpeedRight = std::fabs(c) * top;
}

void CBat001::StartWindUp() {
    PlaySE(SoundId::kAttack10);
    SetState(kWindUp);
    ax = vx * -3.0;
    ay = vy * -3.0;
}

void CBat001::Act() {
    BeginFrame();
    Move();
    targetAngle = GetAngleToHero();
    TurnHeading();
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    const double f = stateFrames;
    switch (state) {
        case kHang:
            vx = vy = ax = ay = 0.0;
            heading = targetAngle;
            if (HasHero() && std::fabs(dx) < kWakeDistance && std::fabs(dy) < kWakeDistance) {
                if (variant == 0)
                    SetState(kCreep);
                else
                    StartWindUp();
            }
            break;
        case kCreep:
            if (f > 10.0 && (std::fabs(dx) + 16) * (std::fabs(dx) + 16) + dy * dy < 5776.0)
                StartWindUp();
            else
                FlyAlongHeading(std::min(static_cast<int>(f), 17), 3.0, 50.0);
            break;
        case kDodge:
        case kBrake:
            BrakeStopBoth(*this);
            if (f > 50.0) SetState(kHang);
            break;
        case kWindUp:
            BrakeStopBoth(*this);
            if (f > 30.0) {
                PlaySE(SoundId::kAttack6);
                if (variant == 0) {
                    SetState(kDash);
                    ax = ay = 0.0;
                    vx = 140.0 * std::cos(targetAngle);
                    vy = 140.0 * std::sin(targetAngle);
                } else {
                    SetState(kChase);
                }
            }
            break;
        case kDash:
            if (f > 12.0) {
                SetState(kBackOff);
                ax = ay = 0.0;
                vx *= -1.2;
                vy *= -1.2;
            }
            break;
        case kBackOff:
            if (f > 16.0) {
                SetState(kBrake);
                ax = vx * -2.5;
                ay = vy * -2.5;
            }
            break;
        case kChase:
            if (f > 240.0 && dx * dx + dy * dy > 9216.0) {
                SetState(kBrake);
                ax = vx * -2.0;
                ay = vy * -2.0;
            } else {
                FlyAlongHeading(std::min(static_cast<int>(f), 44), 5.0, 220.0);
            }
            break;
        default:
            break;
    }
    clashGuard = false;
    AdvanceStateClock();
    const double dt = GetFrameTime();
    switch (state) {
        case kWindUp:
        case kDash:
        case kBackOff:
        case kChase:
            wingPhase += dt * 60.0;
            break;
        case kDodge:
        case kBrake:
            wingPhase += dt * std::numbers::pi * std::max(4.0, 12.0 - stateFrames * 0.12);
            break;
        default:
            wingPhase += dt * std::numbers::pi * 4.0;
            break;
    }
    EndFrame();
}

void CBat001::Draw() {
    imageX = centerX;
    imageY = centerY;
    sprite = nullptr;
    CSprite* wing = nullptr;
    float sx = 1.0f, sy = 1.0f, spin = 0.0f;
    if (isBlown) {
        wing = wings_[0];
    } else if (state == kDash || state == kBackOff || state == kChase) {
        wing = wings_[2];
        spin = static_cast<float>(wingPhase * 0.5);
    } else if (state == kWindUp) {
        wing = wings_[1];
        double k = 1.0;
        if (wingPhase < 10)
            k = 0.8 + wingPhase * 0.03;
        else if (wingPhase < 25)
            k = 1.1 - (wingPhase - 10) / 15 * 0.1;
        sx = sy = static_cast<float>(k);
    } else {
        wing = wings_[0];
        const bool calm = state == kHang || state == kCreep;
        const double k = calm ? 0.08 : 0.14, m = calm ? 0.12 : 0.2;
        sx = static_cast<float>(1.0 - std::sin(wingPhase) * k);
        sy = static_cast<float>(1.0 + std::sin(wingPhase) * m);
    }
    if (wing) {
        wing->scaleX = sx;
        wing->scaleY = sy;
        wing->angleZ = spin;
    }
    DrawSpriteAt(wing, imageX, imageY, 0.0019);
    const bool neutral = isBlown || (state == kDodge && stateFrames < 30.0);
    DrawSpriteAt(body_[neutral ? 0 : 1 + LookDirection(targetAngle)], imageX, imageY, 0.0018);
}

int CBat001::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (IsBump(*this, r) && state != kDash && state != kBackOff && state != kChase) {
        SetState(kDodge);
        RecoilAway(*this, *other, 300.0, 800.0);
    }
    return r;
}

int CBat001::ReceiveAttack(AttackInfo info) {
    if (clashGuard) return kHitNoEffect;
    RemoveBite();
    return TakeHit(info, kEffectEnemyDeath);
}

void CBat001::OnHeroAttackStarted() {
    if (state != kCreep) return;
    const IBase* hero = GetHero();
    if (!hero) return;
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    const int looks = GetHeroFacing(*hero);
    const bool facesBat = (looks == 0 && dx > 0) || (looks == 1 && dx < 0);
    if (!facesBat || dx * dx + dy * dy >= 36864.0) return;
    SetState(kDodge);
    vx *= -0.4;
    vy *= -0.4;
    ax = vx * -1.5;
    ay = vy * -1.5;
}

void CBat001::OnAttackHit(int result, AttackInfo) {
    if (variant != 1 || (result != kHitDefeated && result != kHitHurt)) return;
    SetState(kBrake);
    vx = -vx;
    vy = -vy;
    ax = vx * -2.0;
    ay = vy * -2.0;
}

void CBat001::OnAttackClash(int, AttackInfo, AttackInfo theirs) {
    SetState(kDodge);
    vx = 300.0 * std::cos(theirs.angle);
    vy = 300.0 * std::sin(theirs.angle);
    ax = -800.0 * std::cos(theirs.angle);
    ay = -800.0 * std::sin(theirs.angle);
}
