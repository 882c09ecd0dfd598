#include "enemies/Megane001.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"
#include "play/EffectFactory.h"
#include "play/Hitboxes.h"

namespace {

const CMegane001::Timing kTimings[2] = {{35, 30, 40, 30}, {40, 25, 50, 25}};

std::vector<SpriteCell> FighterCells(int variant) {
    std::vector<SpriteCell> cells;
    cells.reserve(10);
    const int top = variant == 0 ? 0 : 96;
    for (int i = 0; i < 6; ++i) cells.push_back({40 * i, top, 40 * i + 40, top + 48});
    const int w = variant == 0 ? 64 : 40;
    for (int i = 0; i < 4; ++i) cells.push_back({w * i, top + 48, w * i + w, top + 96});
    return cells;
}

const std::vector<SpriteCell> kSwingCells = {{0, 192, 96, 224}, {96, 192, 192, 224}, {0, 224, 96, 256}};

}  // namespace

CMegane001::CMegane001(CStage* ownerStage, double px, double py, int facingIn, int variantIn)
    : CFighterEnemy(ownerStage, px, py, facingIn, 30, kHopRecoil),
      variant(variantIn == 1 ? 1 : 0),
      jumpStartX(px),
      timing(kTimings[variantIn == 1 ? 1 : 0]),
      left_("Char", "Enemy007_L", FighterCells(variant)),
      right_("Char", "Enemy007_R", FighterCells(variant)),
      swingLeft_("Effect", "Bar_Effect003_L", kSwingCells),
      swingRight_("Effect", "Bar_Effect003_R", kSwingCells) {
    width = 20.0;
    height = 36.0;
    ay = kGravity;
    vy = 8.0 * GetFrameRate();
    ScaleSheet(swingLeft_, 0.5f);
    ScaleSheet(swingRight_, 0.5f);
    SetState(kHopWalk);
}

CMegane001::~CMegane001() = default;

void CMegane001::SetState(int s) {
    EnterState(s);
    maxSpeedUp = maxSpeedDown = 500.0;
    maxSpeedLeft = maxSpeedRight = s >= kHopRecoil ? 500.0 : 165.0;
    if (variant == 0 && s == kHopWindUp) {
        const double fx = facing == 0 ? x - 16.0 : x + width + 16.0;
        CreateEffect(kEffectFlash, std::trunc(fx), std::trunc(y + 10.0), owner);
        PlaySE(SoundId::kFlash2);
    }
}

bool CMegane001::ShouldJump() const {
    if (!onGround) return false;
    if (touchLeft || touchRight || IsAtLedge(facing)) return true;
    if (!HasHero()) return false;
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    const double nearY = variant == 0 ? 32 : 64, farY = variant == 0 ? 128 : 192;
    const double nearX = variant == 0 ? 32 : 64, farX = variant == 0 ? 192 : 224;
    const double ahead = dx * FacingSign();
    return -farY < dy && dy < -nearY && nearX < ahead && ahead < farX;
}

bool CMegane001::IsHeroInAttackRange() const {
    if (!HasHero() || !IsHeroInSight()) return false;
    const double dy = GetDistanceYToHero(), ahead = GetDistanceXToHero() * FacingSign();
    if (variant == 1) return -160 < dy && dy < 96 && 64 < ahead && ahead < 160;
    if (!onGround) return -64 < dy && dy < 64 && 0 < ahead && ahead < 96;
    return -32 < dy && dy < 32 && 0 < ahead && ahead < 80;
}

void CMegane001::GroundBrake() {
    if (vx < -50.0)
        ax = 700.0;
    else if (vx > 50.0)
        ax = -700.0;
    else
        vx = ax = 0.0;
}

void CMegane001::Jump(double speed) {
    SetUpwardSpeed(speed);
    PlaySE(SoundId::kJump4);
    jumpStartX = x;
}

void CMegane001::HopAway(double speed, double lift) {
    SetState(kHopAway);
    const bool heroRight = GetDistanceXToHero() >= 0;
    vx = heroRight ? -speed : speed;
    facing = heroRight ? 1 : 0;
    ax = 0.0;
    SetUpwardSpeed(lift);
    PlaySE(SoundId::kJump4);
}

void CMegane001::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    switch (state) {
        case kHopWalk:
            if (!onGround) {
                turnFrames = 10.0;
                if (IsHeroInAttackRange()) SetState(kHopWindUp);
            } else if (!wasOnGround) {
                if (std::fabs(jumpStartX - x) < 4.0) facing = 1 - facing;  // the jump got nowhere
            } else if (ShouldJump()) {
                Jump(touchLeft || touchRight ? 470.0 : 320.0);
            } else if (variant == 1 && HasHero() && std::fabs(GetDistanceXToHero()) < 64.0) {
                HopAway(200.0, 150.0);
            } else if (IsHeroInAttackRange()) {
                SetState(kHopWindUp);
            } else {
                turnFrames += GetFrameTime() * 60.0;
                if (turnFrames > 20.0) {
                    turnFrames = 0.0;
                    FaceHero();
                }
            }
            if (state == kHopWalk) {
                // It turns round quickly and then runs at up to 165.
                ay = kGravity;
                const bool backward = vx * FacingSign() <= 0;
                const double push = onGround ? (backward ? 700.0 : 250.0) : (backward ? 350.0 : 125.0);
                ax = push * FacingSign();
            }
            break;
        case kHopStomped:
            if (f <= 30.0) {
                if (onGround)
                    GroundBrake();
                else
                    BrakeStop();
                ay = kGravity;
            } else {
                SetState(kHopWalk);
                FaceHero();
            }
            break;
        case kHopRecoil:
            if (f <= 33.0) {
                BrakeStop();
            } else {
                SetState(kHopWalk);
                FaceHero();
            }
            break;
        case kHopWindUp:
            if (!onGround) {
                ax = 0.0;
                if (f > timing.windUpAir) {
                    SetState(kHopRecover);
                    Attack();
                }
            } else {
                GroundBrake();
                if (f > timing.windUpGround) {
                    SetState(kHopRecover);
                    if (variant == 0) {
                        vx = 200.0 * FacingSign();  // the swing lunges
                        ax = -700.0 * FacingSign();
                    } else {
                        ax = 0.0;
                    }
                    Attack();
                }
            }
            break;
        case kHopRecover:
            if (!onGround) {
                ax = 0.0;
                if (f > timing.recoverAir) SetState(kHopWalk);
            } else {
                GroundBrake();
                if (f > timing.recoverGround) {
                    if (variant == 0)
                        HopAway(170.0, 140.0);
                    else
                        SetState(IsHeroInAttackRange() ? kHopWindUp : kHopWalk);
                }
            }
            break;
        case kHopAway:
            ax = 0.0;
            if (f > 4.0 && onGround) SetState(kHopWalk);
            break;
        default:
            break;
    }
    clashGuard = false;
    AdvanceStateClock();
    EndFrame();
}

void CMegane001::Attack() {
    PlaySE(variant == 0 ? SoundId::kAttack2 : SoundId::kThrow);
    const double s = FacingSign();
    if (variant == 1) {
        FireEnemyShot("CBaseball", owner, facing == 1 ? GetRight() + 10.0 : GetLeft() - 10.0, GetTop(),
                      220.0 * s, onGround ? -220.0 : -300.0);
        return;
    }
    AttackInfo a;
    a.damage = 15;
    a.power = 220.0;
    a.angle = facing == 1 ? -0.25 * std::numbers::pi : -0.75 * std::numbers::pi;
    double dx, dy;
    if (facing == 0) {
        dx = onGround ? -46.0 : -42.0;
    } else {
        dx = width + (onGround ? 14.0 : 10.0);
    }
    dy = onGround ? 21.0 : 19.0;
    swing_.Set(this, std::make_unique<CCollisionDetectionRectangle>(this, this, owner, dx, dy, 32, 6, 6.0,
                                                                    9999.0, kSideEnemy, kAimKeep, a));
}

int CMegane001::Collide(IBase* other) {
    return ContactAndReact(other, kHopStomped, 150.0, kHopRecoil, 300.0);
}

void CMegane001::OnHeroAttackStarted() {
    if (state == kHopWalk && onGround) Jump(320.0);  // it jumps the hero's swing
}

void CMegane001::OnBlowEnd() {
    SetState(kHopWalk);
    FaceHero();
}

void CMegane001::Draw() {
    const double k = state == kHopStomped ? StompWobble(stateFrames) : 1.0;
    int cell;
    if (isBlown) {
        cell = 5;
    } else {
        switch (state) {
            case kHopWalk:
                if (!onGround) {
                    cell = 3;
                } else if (vx * FacingSign() < 0) {
                    cell = 4;
                } else {
                    const int n = static_cast<int>(stateFrames) % 40;
                    cell = n < 10 ? 0 : (n < 20 ? 1 : (n < 30 ? 0 : 2));
                }
                break;
            case kHopRecoil:
                cell = stateFrames < 24.0 ? 4 : 0;
                break;
            case kHopWindUp:
                cell = onGround ? 6 : 8;
                break;
            case kHopRecover:
                cell = onGround ? 7 : 9;
                break;
            case kHopAway:
                cell = 4;
                break;
            default:
                cell = 0;
                break;
        }
    }
    // The wide bar cells sit further forward.
    DrawSquashed((facing == 1 ? right_ : left_)[cell], k,
                 variant == 0 && cell >= 6 ? 20.0 * FacingSign() : 0.0, 6.0);
    if (!sprite) return;

    if (variant != 0 || state != kHopRecover || stateFrames > 9.0 || isBlown) return;
    CSprite* swing =
        (facing == 1 ? swingRight_ : swingLeft_)[stateFrames <= 3.0 ? 0 : (stateFrames <= 6.0 ? 1 : 2)];
    if (!swing) return;
    const double ownDepth = depth, ownX = imageX, ownY = imageY;
    sprite = swing;
    imageX = ownX + (onGround ? 16.0 : 12.0) * FacingSign();
    imageY = ownY + (onGround ? 10.0 : 8.0);
    depth = -0.0003;
    DrawSprite();
    depth = ownDepth;
    imageX = ownX;
    imageY = ownY;
}
