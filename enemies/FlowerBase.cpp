#include "enemies/FlowerBase.h"

#include <cmath>

#include "enemies/GroundHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "play/EffectFactory.h"

CFlowerBase::CFlowerBase(CStage* ownerStage, double px, double py, const Kind& k)
    : CGroundEnemy(ownerStage, px, py, 0, 1),
      kind(k),
      sheet_("Char", "Enemy010", std::vector<SpriteCell>(std::begin(k.cells), std::end(k.cells))) {
    width = 24.0;
    height = 28.0;
    vx = 0.0;
    vy = 4.0 * GetFrameRate();
    ay = 300.0;
    maxSpeedDown = 200.0;
}

CFlowerBase::~CFlowerBase() = default;

void CFlowerBase::SetState(int s) {
    EnterState(s);
    ay = 300.0;
}

void CFlowerBase::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    switch (state) {
        case kFlowerStand:
            stretch = 1.0 + 0.05 * std::sin(0.1 * f);
            if (!onGround)
                SetState(kFlowerAir);
            else if (alertFrames > 0.0 ||
                     (f > kind.lookAfter && IsHeroInSight() && std::fabs(GetDistanceXToHero()) < 256.0 &&
                      std::fabs(GetDistanceYToHero()) < 192.0))
                SetState(kFlowerWindUp);
            else
                Stop();
            break;
        case kFlowerStomped:
        case kFlowerRecoiled:
            if (f < 30) {
                const double phase = state == kFlowerRecoiled ? 0.5 * kPi : 0.0;
                stretch = 1.0 + (0.2 - 0.0066 * f) * std::sin(phase + 0.4 * f);
            } else {
                stretch = 1.0;
            }
            if (f > 40)
                SetState(onGround ? kFlowerStand : kFlowerAir);
            else
                BrakeStop();
            break;
        case kFlowerAir:
            stretch = 1.0 + 0.1 * std::sin(0.2 * f);
            if (onGround)
                SetState(kFlowerStand);
            else
                BrakeStop();
            break;
        case kFlowerWindUp:
            stretch = 1.0 + 0.2 * std::sin(kPi * f / 30.0);
            if (!onGround)
                SetState(kFlowerAir);
            else if (f > 45)
                SetState(kFlowerThrow);
            else
                Stop();
            break;
        case kFlowerThrow:
            stretch = 0.8;
            Throw();
            PlaySE(SoundId::kThrow);
            SetState(kFlowerAfterThrow);
            break;
        case kFlowerAfterThrow:
            stretch = 0.8 + 0.2 * std::sin(kPi * f / (2.0 * kind.afterThrow));
            if (!onGround)
                SetState(kFlowerAir);
            else if (alertFrames > 0.0 && f > 15)
                SetState(kFlowerWindUp);
            else if (f <= kind.afterThrow)
                Stop();
            else
                SetState(kFlowerStand);
            break;
        default:
            break;
    }
    AdvanceStateClock();
    alertFrames = std::max(0.0, alertFrames - GetFrameTime() * 60.0);
    EndFrame();
}

void CFlowerBase::Throw() {
    const double sx = (GetLeft() + GetRight()) * 0.5, sy = GetTop() - 16.0;
    const IBase* hero = GetHero();
    if (!hero) return;  // nobody to aim at
    const double svx =
        CalcLandingSpeedX(sx, sy, hero->centerX, hero->centerY, kind.launchVy, kind.gravity, kind.maxSpeed);
    FireEnemyShot(kind.shot, owner, sx, sy, svx, kind.launchVy);
}

int CFlowerBase::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (isBlown) return r;
    if (r == kHitBounced) {
        SetState(kFlowerStomped);
    } else if (r == kHitPushed) {
        SetState(kFlowerRecoiled);
        if (!wasOnGround) {  // rooted on the ground, thrown off in the air
            const double a = GetAngle(other->centerX, other->centerY, centerX, centerY);
            vx = 200.0 * std::cos(a);
            vy = 200.0 * std::sin(a);
            ax = -900.0 * std::cos(a);
            ay = 300.0;
        }
    }
    return r;
}

int CFlowerBase::ReceiveAttack(AttackInfo info) {
    if (info.flags[kind.harmlessFlag]) {
        if (kind.provokedByWater) alertFrames = 30.0;
        return kHitNoEffect;
    }
    if (hitPoints - info.damage <= 0) stretch = 1.0;
    return TakeHit(info, kEffectEnemyDeath);
}

int CFlowerBase::ChooseCell() const {
    if (isBlown) return 0;
    const double f = stateFrames;
    int cell = 0;
    if (state == kFlowerWindUp)
        cell = f < 30 ? 0 : (f < 40 ? 1 : 2);
    else if (state == kFlowerThrow || state == kFlowerAfterThrow)
        cell = f < 10 ? 2 : 0;
    const bool flashing = kind.provokedByWater && alertFrames > 0.0 && static_cast<int>(age) % 4 <= 1;
    return flashing ? cell + 3 : cell;
}

void CFlowerBase::Draw() { DrawSquashed(sheet_[static_cast<size_t>(ChooseCell())], stretch, 0.0, 6.0); }
