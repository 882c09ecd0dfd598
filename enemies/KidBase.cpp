#include "enemies/KidBase.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "foundation/WindowHelpers.h"
#include "play/EffectFactory.h"
#include "play/Hitboxes.h"

namespace {

constexpr double kGravity = 350.0;
constexpr double kFallSpeed = 400.0;

}  // namespace

CKidBase::CKidBase(CStage* ownerStage, double px, double py, int facingIn, const KidTuning& t)
    : CPatternEnemy(ownerStage, px, py, facingIn, 20), tuning(t) {
    width = 20.0;
    height = 30.0;
    vx = facing == 1 ? 80.0 : -80.0;
    vy = 4.0 * GetFrameRate();
    SetState(kKidWalk);
    const std::vector<SpriteCell> cells(std::begin(t.cells), std::end(t.cells));
    left_ = CSpriteSheet("Char", "Enemy001_L", cells);
    right_ = CSpriteSheet("Char", "Enemy001_R", cells);
}

CKidBase::~CKidBase() = default;

void CKidBase::SetState(int s) {
    EnterState(s);
    waitFrames = RandomRange(150, 800);
    attackSpawned = false;

    maxSpeedUp = maxSpeedDown = kFallSpeed;
    switch (s) {
        case kKidRecoil:
            maxSpeedLeft = maxSpeedRight = 400.0;
            break;
        case kKidHop1:
        case kKidHop2:
            maxSpeedLeft = maxSpeedRight = tuning.hopBackSpeed;
            break;
        case kKidLunge:
            maxSpeedLeft = maxSpeedRight = tuning.lungeSpeed;
            break;
        default:
            maxSpeedLeft = maxSpeedRight = tuning.walkSpeed;
            break;
    }

    const double toward = FacingSign();
    switch (s) {
        case kKidWalk:
            ax = 300.0 * toward;
            break;
        case kKidLookAround:
            ax = -600.0 * toward;
            break;
        case kKidBrake:
            ax = -1000.0 * toward;
            break;
        case kKidLunge:
            ax = -tuning.lungeBrake * toward;
            break;
        default:
            ax = 0;
            break;
    }
    ay = kGravity;

    switch (s) {
        case kKidFall:
            vx = 0;
            break;
        case kKidLedge:
            if (onGround) vx = 0;
            break;
        case kKidStomped:
            if (wasOnGround) vx = 0;
            break;
        case kKidHop1:
        case kKidHop2:
            vx = -tuning.hopBackSpeed * toward;
            break;
        case kKidLunge:
            vx = tuning.lungeSpeed * toward;
            break;
        default:
            break;
    }

    const double rise = GetLiftRise();
    if (s == kKidStomped && !wasOnGround && vy < 100.0) vy = 100.0;
    if (s == kKidHop1 || s == kKidHop2) SetUpwardSpeed(tuning.hopUpSpeed + rise);
    if (s == kKidLunge) SetUpwardSpeed(tuning.lungeUpSpeed + rise);
}

void CKidBase::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    switch (state) {
        case kKidWalk:
            TurnAtWalls();
            if (onGround) {
                if (f > 0 && IsAtLedge(facing))
                    SetState(kKidLedge);
                else if (f > waitFrames && static_cast<int>(f) % 30 >= 25)
                    SetState(kKidLookAround);
            }
            break;
        case kKidLookAround: {
            BrakeStop();
            if (!onGround) {
                SetState(kKidFall);
                break;
            }
            const double step = tuning.lookTurnStep;
            if (f > tuning.lookEnd) {
                SetState(kKidWalk);
            } else if (f > step) {
                // Right, left, right, left, right: one turn per step of the clock.
                const int turn = static_cast<int>(std::ceil(f / step)) - 2;  // 0 for (step, 2 step]
                const int want = turn % 2 == 0 ? 1 : 0;
                if (facing != want) {
                    facing = want;
                    if (RandomChance(20.0)) SetState(kKidWalk);
                }
            }
            break;
        }
        case kKidLedge:
            if (!onGround) {
                SetState(kKidFall);
            } else if (f > tuning.ledgeWait) {
                facing = 1 - facing;
                SetState(kKidWalk);
            }
            break;
        case kKidStomped:
            if (f > 40) {
                if (onGround && RandomChance(50.0))
                    SetState(kKidLookAround);
                else
                    SetState(kKidWalk);
            }
            break;
        case kKidRecoil:
            if (f > 40)
                SetState(kKidWalk);
            else
                BrakeStop();
            break;
        case kKidFall:
            if (onGround) SetState(kKidWalk);
            break;
        case kKidBrake:
            BrakeStop();
            if (!onGround) {
                SetState(kKidFall);
            } else if (f > 6) {
                SetState(kKidHop1);
                PlaySE(SoundId::kStep);
            }
            break;
        case kKidHop1:
            if (f > 3 && onGround) {
                SetState(kKidHop2);
                PlaySE(SoundId::kStep);
            }
            break;
        case kKidHop2:
            if (f > 3 && onGround) {
                SetState(kKidLunge);
                PlaySE(SoundId::kAttack2);
            }
            break;
        case kKidLunge:
            BrakeStop();
            if (f > tuning.lungeEnd) {
                SetState(kKidWalk);
            } else if (f >= 6 && !attackSpawned) {
                attackSpawned = true;
                SpawnLungeAttack();
            }
            break;
        default:
            ActOwnState(f);
            break;
    }
    if ((state == kKidWalk || state == kKidLookAround || state == kKidLedge) && onGround &&
        IsHeroInFront(tuning.sightHeight, tuning.sightReach))
        SetState(kKidBrake);
    clashGuard = false;
    AdvanceStateClock();
    EndFrame();
}

void CKidBase::SpawnLungeAttack() {
    AttackInfo a;
    a.damage = 10;
    a.power = 200.0;
    a.delay = 0.0;
    a.flags[kAttackReflectable] = 1;
    if (tuning.slashHit) a.flags[kAttackSlash] = 1;
    a.angle = facing == 0 ? std::numbers::pi : 0.0;
    std::unique_ptr<IBase> hitbox;
    if (facing == 0)
        hitbox = std::make_unique<CCollisionDetectionSectorUpLeft>(this, this, owner, 2.0, 20.0,
                                                                   tuning.hitboxRadius, tuning.hitboxLife,
                                                                   9999.0, kSideEnemy, kAimKeep, a);
    else
        hitbox = std::make_unique<CCollisionDetectionSectorUpRight>(this, this, owner, 18.0, 20.0,
                                                                    tuning.hitboxRadius, tuning.hitboxLife,
                                                                    9999.0, kSideEnemy, kAimKeep, a);
    AddChild(std::move(hitbox));
}

int CKidBase::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (isBlown) return r;
    if (r == kHitBounced) {
        SetState(kKidStomped);
    } else if (r == kHitPushed) {
        SetState(kKidRecoil);
        RecoilFrom(other, 200.0, 900.0, 300.0);
    }
    return r;
}

int CKidBase::ReceiveAttack(AttackInfo info) {
    if (clashGuard) return kHitNoEffect;
    return TakeHit(info, kEffectEnemyDeath);
}

void CKidBase::OnAttackClash(int, AttackInfo, AttackInfo theirs) {
    SetState(kKidRecoil);
    const double s = std::cos(theirs.angle) >= 0 ? 1.0 : -1.0;
    vx = 200.0 * s;
    ax = -900.0 * s;
}

void CKidBase::OnBlowEnd() { SetState(onGround ? kKidWalk : kKidFall); }

int CKidBase::ChooseCell(double* scale, int* bob) const {
    *scale = 1.0;
    *bob = 0;
    if (isBlown) return 4;
    const int footing = onGround ? 0 : 3;
    const int n = static_cast<int>(stateFrames) % 60;
    switch (state) {
        case kKidWalk:
            if (!onGround) return 3;
            if ((n >= 0 && n <= 4) || (n >= 20 && n <= 24) || (n >= 30 && n <= 34) || (n >= 50 && n <= 54))
                *bob = -1;
            else if ((n >= 5 && n <= 19) || (n >= 35 && n <= 49))
                *bob = -2;
            if (n < 25) return 1;
            if (n < 30) return 0;
            if (n < 55) return 2;
            return 0;
        case kKidStomped:
            if (stateFrames < 30) {
                const double f = stateFrames;
                *scale = 1.0 + (0.2 - 0.0066 * f) * std::sin(0.4 * f);
            }
            return footing;
        case kKidRecoil:
            return vx != 0 ? 4 : footing;
        case kKidHop1:
        case kKidHop2:
            return 5;
        case kKidLunge:
            return stateFrames < 6 ? 2 : (stateFrames < 12 ? 6 : 7);
        default:
            return footing;
    }
}

void CKidBase::Draw() {
    double s;
    int b;
    const int cell = ChooseCell(&s, &b);
    sprite = (facing == 0 ? left_ : right_)[cell];
    if (!sprite) return;
    sprite->scaleX = static_cast<float>(s);
    sprite->scaleY = static_cast<float>(1.0 / s);
    double shift = tuning.imageShiftX + (cell >= 6 ? tuning.imageShiftLunge : 0.0);
    imageX = centerX + shift * FacingSign();
    const double h = sprite->height;
    imageY = centerY - tuning.imageLift + b + std::trunc((h - h / s) * 0.5);
    DrawSprite();
}
