#include "enemies/IceSculpture001.h"

#include <cmath>

#include "enemies/GroundHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "foundation/WindowHelpers.h"
#include "play/EffectFactory.h"

namespace {

const std::vector<SpriteCell> kSculptureCells = {{80, 0, 112, 56}, {80, 56, 112, 112}};

}  // namespace

CIceSculpture001::CIceSculpture001(CStage* ownerStage, double px, double py, int facingIn)
    : CGroundEnemy(ownerStage, px, py, facingIn, 1),
      left_("Char", "Enemy003_L", kSculptureCells),
      right_("Char", "Enemy003_R", kSculptureCells) {
    width = 18.0;
    height = 50.0;
    vx = 100.0 * FacingSign();
    vy = 4.0 * GetFrameRate();
    ay = kGravity;
    maxSpeedUp = 300.0;
    maxSpeedDown = 800.0;
    maxSpeedLeft = maxSpeedRight = 200.0;
    // Map contacts leave its speed alone: Act bounces it.
    stopOnTouchTop = stopOnTouchBottom = stopOnTouchLeft = stopOnTouchRight = false;
    SetState(kIceApproach);
}

CIceSculpture001::~CIceSculpture001() = default;

void CIceSculpture001::SetState(int s) {
    EnterState(s);
    puffCount = 0;
    puffFrames = 0.0;
    switch (s) {
        case kIceApproach:
            ax = 240.0 * FacingSign();
            break;
        case kIceBrake:
        case kIceBlow:
            ax = vx >= 0 ? -kBrake : kBrake;
            if (s == kIceBlow) PlaySE(SoundId::kIce4);
            break;
        case kIceBackOff:
            facing = GetDistanceXToHero() >= 0.0 ? 1 : 0;
            vx = -200.0 * FacingSign();  // slides back from the hero, braking to rest after 100
            ax = 200.0 * FacingSign();
            break;
        default:
            break;
    }
}

double CIceSculpture001::BrakeReach() const {
    const double speed = std::fabs(vx);
    const double t = speed / kBrake;
    const double stop = speed * t - 0.5 * kBrake * t * t;
    double lead = 0.0;
    if (const IBase* hero = GetHero()) {
        lead = hero->vx * (t + 1.2);
        lead = hero->vx * vx > 0 ? 0.0 : std::fabs(lead);
    }
    return lead + stop + 80.0;
}

void CIceSculpture001::Act() {
    BeginFrame();
    Move();
    const double settle = 4.0 * GetFrameRate();
    if (touchLeft) {
        if (vx < -100.0) PlaySE(SoundId::kIce3);
        if (vx < 0) vx = -vx;
    }
    if (touchRight) {
        if (vx > 100.0) PlaySE(SoundId::kIce3);
        if (vx > 0) vx = -vx;
    }
    if (touchTop) {
        if (vy < -100.0) PlaySE(SoundId::kIce3);
        if (vy < 0) vy = -vy;
    }
    if (touchBottom) {
        if (vy > kShatterSpeed) {
            Shatter();
        } else if (vy > settle) {
            if (vy > 350.0) PlaySE(SoundId::kIce3);
            vy = settle;
        }
    }
    const double f = stateFrames;
    switch (state) {
        case kIceApproach:
            facing = GetDistanceXToHero() >= 0.0 ? 1 : 0;
            ax = 240.0 * FacingSign();
            if (f > 10.0 && IsHeroInSight() && std::fabs(GetDistanceXToHero()) < BrakeReach() &&
                std::fabs(GetDistanceYToHero()) < 128.0)
                SetState(kIceBrake);
            break;
        case kIceBrake:
            BrakeStop();
            if (f > 72) SetState(kIceBlow);
            break;
        case kIceBlow:
            BrakeStop();
            if (f > 120) {
                SetState(kIceBackOff);
            } else if (puffCount < kMaxPuffs) {
                puffFrames += GetFrameTime() * 60.0;
                if (puffFrames > 4.0) BlowPuff();
            }
            break;
        case kIceBackOff:
            BrakeStop();
            if (f > 45) SetState(kIceApproach);
            break;
        case kIceRecoil:
            BrakeStop();
            if (f > 40) SetState(kIceApproach);
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

void CIceSculpture001::BlowPuff() {
    puffFrames = 0.0;
    ++puffCount;
    const double px = facing == 1 ? GetRight() - 2.0 : GetLeft() + 2.0;
    const double pvx = RandomRange(90, 150) * FacingSign();
    FireEnemyShot("CSnowStorm001", owner, px, GetTop() + 6.0, pvx, RandomRange(40, 80));
}

void CIceSculpture001::Kill() {
    if (IsDead()) return;
    CreateEffect(kEffectIceBreak, std::trunc((GetLeft() + GetRight()) * 0.5),
                 std::trunc((GetTop() + GetBottom()) * 0.5), owner);
    PlaySE(SoundId::kIce1);
    lifeState = kLifeDead;
}

void CIceSculpture001::Shatter() {
    if (IsDead()) return;
    Kill();
    ClearSpawnFlag();
}

int CIceSculpture001::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (isBlown) return r;
    if (r == kHitBounced) {
        Shatter();
    } else if (r == kHitPushed) {
        SetState(kIceRecoil);
        PlaySE(SoundId::kIce3);
        RecoilFrom(other, 200.0, 900.0, 300.0);
    }
    return r;
}

int CIceSculpture001::ReceiveAttack(AttackInfo info) {
    if (info.flags[kAttackWater] || info.flags[kAttackIce]) return kHitNoEffect;
    if (IsDead()) return kHitImmune;
    Shatter();
    return kHitDefeated;
}

void CIceSculpture001::Draw() {
    const double f = stateFrames;
    const bool puffedUp = state == kIceBrake && ((f >= 20 && f < 25) || (f >= 30 && f < 35));
    sprite = (facing == 1 ? right_ : left_)[puffedUp ? 1 : 0];
    imageX = centerX;
    imageY = centerY - 3.0;
    DrawSprite();
}
