#include "enemies/Needle001.h"

#include <algorithm>
#include <cmath>

#include "enemies/GroundHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "play/EffectFactory.h"
#include "play/HitEffect.h"

namespace {

const std::vector<SpriteCell> kNeedleCells = {
    {0, 192, 48, 224}, {48, 192, 96, 224}, {96, 192, 136, 232}, {136, 192, 184, 224}, {184, 192, 232, 224}};

}  // namespace

CNeedle001::CNeedle001(CStage* ownerStage, double px, double py, int facingIn)
    : CPatternEnemy(ownerStage, px, py, facingIn, 0),
      left_("Char", "Enemy007_L", kNeedleCells),
      right_("Char", "Enemy007_R", kNeedleCells) {
    width = 48.0;
    height = 28.0;
    vx = 60.0 * FacingSign();
    ax = kWalkAccel * FacingSign();
    vy = 4.0 * GetFrameRate();
    ay = 350.0;
    SetState(kNeedleWalk);
}

CNeedle001::~CNeedle001() = default;

void CNeedle001::SetState(int s) {
    EnterState(s);
    maxSpeedUp = maxSpeedDown = 500.0;
    const bool ball = s == kNeedleBall;
    maxSpeedLeft = maxSpeedRight = ball ? 500.0 : 60.0;
    stopOnTouchTop = stopOnTouchBottom = stopOnTouchLeft = stopOnTouchRight = !ball;

    const bool flat = s == kNeedleWalk || s == kNeedleBack;
    const int w0 = static_cast<int>(width), h0 = static_cast<int>(height);
    width = flat ? 48.0 : 36.0;
    height = flat ? 28.0 : 36.0;
    double dx;
    if (w0 < static_cast<int>(width))
        dx = facing == 1 ? 0.0 : w0 - width;
    else
        dx = (w0 - width) * 0.5;
    const double dy = h0 - height;
    x += dx;
    y += dy;
    prevX += dx;
    prevY += dy;
    UpdateCentre();

    if (flat) rollAngle = 0.0;
    rollFrames = 0.0;
    category = ball ? kCategoryMusicBall : kCategoryEnemy;
    if (ball || s == kNeedleHop) PlaySE(SoundId::kItem2);
}

void CNeedle001::Turn(int toFacing) {
    vx = 0.0;
    facing = toFacing;
    ax = kWalkAccel * FacingSign();
}

void CNeedle001::BounceOffWall() {
    rollFrames = 0.0;
    vx *= -0.7;
    ax = -ax;
}

void CNeedle001::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    const double dt = GetFrameTime();
    switch (state) {
        case kNeedleWalk:
            if (onGround) {
                if (IsAtLedge(facing)) {
                    Turn(1 - facing);
                } else if (touchLeft) {
                    if (facing == 0) Turn(1);  // a wall on the left stops only a walk to the left
                } else if (touchRight && facing == 1) {
                    Turn(0);
                }
            } else {
                SetState(kNeedleBall);
                ax = vx < 0 ? 50.0 : (vx > 0 ? -50.0 : 0.0);  // it brakes in the air
            }
            break;
        case kNeedleBall:
            if (touchTop && vy < 0) {
                rollFrames = 0.0;
                vy *= -0.7;
            }
            if (touchBottom && vy > 0) {
                if (vy <= kHardLanding || wasOnGround) {
                    vy = 4.0 * GetFrameRate();
                } else {
                    SetState(kNeedleBack);
                    vx = ax = 0.0;
                    vy = 4.0 * GetFrameRate();
                    PlaySE(SoundId::kAttack10);
                }
            }
            // Each wall on its own: squeezed between two, the ball bounces off both.
            if (touchLeft && vx < 0) BounceOffWall();
            if (touchRight && vx > 0) BounceOffWall();
            BrakeStop();
            if (state != kNeedleBack && onGround) {
                rollFrames += dt * 60.0;
                if (rollFrames > kRollFrames) {
                    vx = ax = 0.0;
                    SetUpwardSpeed(130.0);
                    SetState(kNeedleHop);
                }
            }
            rollAngle += dt * vx * 0.038;
            break;
        case kNeedleHop:
            rollAngle += 15.0 * dt * FacingSign();
            if (f > 4.0 && onGround) {
                SetState(kNeedleWalk);
                facing = GetDistanceXToHero() >= 0.0 ? 1 : 0;
                ax = kWalkAccel * FacingSign();
            }
            break;
        case kNeedleBack:
            if (!onGround) {
                SetState(kNeedleBall);
                vx = ax = 0.0;
            }
            break;
        default:
            break;
    }
    AdvanceStateClock();
    spineWindowFrames += dt * 60.0;
    if (spineWindowFrames > kSpineWindow) {
        spineWindowFrames = 0.0;
        spineTargets.clear();
    }
    EndFrame();
}

void CNeedle001::Destroy() {
    if (IsDead()) return;
    ClearSpawnFlag();
    CreateEffect(kEffectEnemyDeath, std::trunc((GetLeft() + GetRight()) * 0.5),
                 std::trunc((GetTop() + GetBottom()) * 0.5), owner);
    PlaySE(SoundId::kDeath2);
    Kill();
}

int CNeedle001::Collide(IBase* other) {
    if (IsDead()) return kHitImmune;
    if (state == kNeedleBack) {
        const int r = DeliverContactAttack(other);  // the toucher only gets the harmless push
        Destroy();
        return r;
    }
    if (std::find(spineTargets.begin(), spineTargets.end(), ObjectHandle(other)) != spineTargets.end())
        return kHitImmune;
    spineTargets.emplace_back(other);
    const double a = GetAngle(centerX, centerY, other->centerX, other->centerY);
    AttackInfo spines;
    spines.damage = 10;
    spines.power = 300.0;
    spines.angle = a;
    spines.flags[kAttackSlash] = 1;
    const int r = other->ReceiveAttack(spines);
    if (r == kHitDefeated || r == kHitHurt) {
        ShowHitEffect(this, other, spines, r);
        SetState(kNeedleBall);
        vx = -150.0 * std::cos(a);  // it bounces back off its victim
        vy = -150.0 * std::sin(a);
        ax = -0.5 * vx;
    }
    return r;
}

int CNeedle001::ReceiveAttack(AttackInfo info) {
    if (IsDead()) return kHitImmune;
    if (info.flags[kAttackWater]) return kHitNoEffect;
    if (state != kNeedleBack && !info.flags[kAttackPowerHit]) {
        SetState(kNeedleBall);
        const double a = LaunchAngle(info);
        vx = 200.0 * std::cos(a);
        vy = 200.0 * std::sin(a);
        ax = -0.35 * vx;
        return kHitHurt;
    }
    Destroy();
    return kHitDefeated;
}

void CNeedle001::Draw() {
    int frame = 2;
    if (state == kNeedleWalk) frame = static_cast<int>(stateFrames) % 20 < 10 ? 0 : 1;
    if (state == kNeedleBack) frame = static_cast<int>(stateFrames) % 8 < 4 ? 3 : 4;
    sprite = (facing == 1 ? right_ : left_)[frame];
    if (!sprite) return;
    sprite->angleZ = static_cast<float>(rollAngle);
    imageX = centerX;
    imageY = frame == 2 ? centerY : centerY - 2.0;
    if (state == kNeedleBall && rollFrames > 250.0)
        imageX += std::sin(rollFrames * 0.5) - 0.5;  // about to uncurl
    DrawSprite();
}
