#include "enemies/TonFar001.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "play/EffectFactory.h"
#include "play/Hitboxes.h"

namespace {

struct Pose {
    const char* leftKey;
    const char* rightKey;
    SpriteCell cell;
    int dx, dy;  // from the base point, facing right (mirrored facing left)
};

// The lying poses come from the left-facing sheet in both facings.
const Pose kPoses[12] = {
    {"Enemy003_L", "Enemy003_R", {192, 0, 256, 112}, -6, -24},
    {"Enemy003_L", "Enemy003_R", {192, 112, 256, 224}, -6, -24},
    {"Enemy003_L", "Enemy003_R", {128, 0, 192, 112}, -6, -24},
    {"Enemy004_L", "Enemy004_R", {0, 0, 128, 80}, 27, -8},
    {"Enemy004_L", "Enemy004_R", {0, 80, 128, 160}, 27, -8},
    {"Enemy004_L", "Enemy004_R", {0, 160, 128, 240}, 11, -8},
    {"Enemy004_L", "Enemy004_R", {128, 0, 256, 80}, 35, -8},
    {"Enemy004_L", "Enemy004_R", {128, 80, 256, 160}, 27, -8},
    {"Enemy005_L", "Enemy005_R", {0, 0, 128, 64}, 27, -4},
    {"Enemy005_L", "Enemy005_R", {128, 0, 256, 64}, 39, -4},
    {"Enemy004_L", "Enemy004_L", {128, 160, 200, 192}, 0, 16},
    {"Enemy004_L", "Enemy004_L", {128, 200, 200, 232}, 0, 16},
};

std::vector<SpriteCell> SpinCells() {
    std::vector<SpriteCell> cells;
    cells.reserve(8);
    for (int k = 0; k < 8; ++k)
        cells.push_back({128 * (k / 4), 64 * (k % 4), 128 * (k / 4) + 128, 64 * (k % 4) + 64});
    return cells;
}

const std::vector<SpriteCell> kSlashCells = {{0, 192, 96, 224}, {96, 192, 192, 224}, {0, 224, 96, 256}};

}  // namespace

CTonFar001::CTonFar001(CStage* ownerStage, double px, double py, int facingIn)
    : CGroundEnemy(ownerStage, px, py, facingIn, 100),
      spin_("Effect", "Bar_Effect002_L", SpinCells()),
      slashLeft_("Effect", "Bar_Effect003_L", kSlashCells),
      slashRight_("Effect", "Bar_Effect003_R", kSlashCells) {
    width = 36.0;
    height = 64.0;
    vx = ax = 0.0;
    vy = 4.0 * GetFrameRate();
    ay = kGravity;
    maxSpeedUp = 300.0;
    maxSpeedDown = 700.0;
    maxSpeedLeft = maxSpeedRight = 80.0;
    SetState(kBatonWait);
    for (const Pose& p : kPoses) {
        bodyLeft_.emplace_back("Char", p.leftKey, std::vector<SpriteCell>{p.cell});
        bodyRight_.emplace_back("Char", p.rightKey, std::vector<SpriteCell>{p.cell});
    }
}

CTonFar001::~CTonFar001() = default;

void CTonFar001::SetState(int s) {
    EnterState(s);
    walkFrames = 0.0;
    // Crouched it is 56 tall, otherwise 64; the bottom stays put.
    const bool crouched = s == kBatonCrouch || s == kBatonLowSwing;
    const double h = crouched ? std::min(height, 56.0) : std::max(height, 64.0);
    y += height - h;
    prevY += height - h;
    height = h;

    const double toward = FacingSign();
    maxSpeedLeft = maxSpeedRight = 80.0;
    switch (s) {
        case kBatonWalk:
            vx = 0.0;
            ax = 300.0 * toward;
            break;
        case kBatonWindUp:
        case kBatonCrouch:
            ax = vx >= 0 ? -300.0 : 300.0;
            break;
        case kBatonHighSwing:
            maxSpeedLeft = maxSpeedRight = 120.0;
            vx = 120.0 * toward;
            ax = -300.0 * toward;
            break;
        case kBatonLowSwing:
            vx = 80.0 * toward;
            ax = -300.0 * toward;
            break;
        case kBatonHopBack:
            maxSpeedLeft = maxSpeedRight = 170.0;
            vx = -170.0 * toward;
            ax = 0.0;
            SetUpwardSpeed(130.0);
            break;
        case kBatonDefeated:
            break;
        default:
            vx = ax = 0.0;
            break;
    }
}

void CTonFar001::MoveSlowed() { Move(slowFrames > 0 ? kSlow : 1.0); }

double CTonFar001::Step() const { return GetFrameTime() * (slowFrames > 0 ? 20.0 : 60.0); }

void CTonFar001::Act() {
    BeginFrame();
    MoveSlowed();
    const double f = stateFrames;
    switch (state) {
        case kBatonWait:
            FaceHero();
            if (!onGround) {
                SetState(kBatonFirstFall);
            } else if (IsHeroInView()) {
                PlaySE(SoundId::kAttack3);
                SetState(kBatonNotice);
            }
            break;
        case kBatonNotice:
            FaceHero();
            if (!onGround)
                SetState(kBatonFall);
            else if (f > 16)
                SetState(kBatonWalk);
            break;
        case kBatonWalk:
            FaceHero();
            if (!onGround) {
                SetState(kBatonFall);
                break;
            }
            walkFrames += Step();
            if (walkFrames > 60.0 || (touchLeft && ax < 0) || (touchRight && ax > 0)) {
                walkFrames = 0.0;
                ax = -ax;  // it paces back and forth
            }
            if (f > 30 && IsHeroInReach()) {
                PlaySE(SoundId::kCharge);
                SetState(GetDistanceYToHero() <= 20.0 ? kBatonWindUp : kBatonCrouch);
            }
            break;
        case kBatonFirstFall:
        case kBatonFall:
            FaceHero();
            if (onGround) SetState(state == kBatonFirstFall ? kBatonWait : kBatonWalk);
            break;
        case kBatonWindUp:
        case kBatonCrouch:
            BrakeStop();
            if (!onGround) {
                SetState(kBatonFall);
            } else if (f > 50) {
                PlaySE(SoundId::kBomb1);
                const bool high = state == kBatonWindUp;
                SetState(high ? kBatonHighSwing : kBatonLowSwing);
                Swing(high);
            }
            break;
        case kBatonHighSwing:
        case kBatonLowSwing:
            BrakeStop();
            if (IsAtLedge(facing)) vx = ax = 0.0;  // it stops at a ledge rather than lunge off
            if (!onGround) {
                SetState(kBatonFall);
            } else if (f > 40) {
                FaceHero();
                PlaySE(SoundId::kJump4);
                SetState(kBatonHopBack);
            }
            break;
        case kBatonHopBack:
            if (onGround && f > 10) SetState(kBatonWalk);
            break;
        case kBatonDefeated:
            if (onGround && f > 10) {
                PlaySE(SoundId::kDown);
                SetState(kBatonDown);
            } else {
                BrakeStop();
            }
            break;
        case kBatonDown:
            if (f > 72) {
                CreateEffect(kEffectEnemyDeath, std::trunc((GetLeft() + GetRight()) * 0.5),
                             std::trunc((GetTop() + GetBottom()) * 0.5), owner);
                PlaySE(SoundId::kDeath2);
                Kill();
            }
            break;
        default:
            break;
    }
    const double dt60 = GetFrameTime() * 60.0;
    stateFrames += Step();
    if (slowFrames > 0) slowFrames = std::max(0.0, slowFrames - dt60);
    if (wobbleFrames > 0) {
        const double w = wobbleFrames;
        scaleX = 1.0 + 0.004 * w * std::cos(0.4 * w);
        scaleY = 1.0 + 0.004 * w * std::sin(0.4 * w);
        wobbleFrames = std::max(0.0, w - dt60);
    } else {
        scaleX = scaleY = 1.0;
    }
    if (shakeFrames > 0) shakeFrames = std::max(0.0, shakeFrames - dt60);
    EndFrame();
}

void CTonFar001::Swing(bool high) {
    AttackInfo a;
    a.damage = 20;
    a.power = high ? 500.0 : 400.0;
    const double up = high ? 0.25 : 0.35;  // of a half turn above the level
    a.angle = facing == 1 ? -up * std::numbers::pi : -(1.0 - up) * std::numbers::pi;
    const double dx = facing == 1 ? (high ? 54.0 : 58.0) : (high ? -82.0 : -86.0);
    AddChild(std::make_unique<CCollisionDetectionRectangle>(this, this, owner, dx, high ? 30.0 : 36.0, 64, 8,
                                                            4.0, 9999.0, kSideEnemy, kAimKeep, a));
}

int CTonFar001::Collide(IBase* other) {
    if (IsDead() || state == kBatonDefeated || state == kBatonDown) return kHitImmune;
    AttackInfo a;
    a.power = 700.0;
    a.angle = GetAngle(centerX, centerY, other->centerX, other->centerY);
    a.flags[kAttackBodyPush] = 1;
    const int r = other->ReceiveAttack(a);
    wobbleFrames = 30.0;
    return r;
}

int CTonFar001::ReceiveAttack(AttackInfo info) {
    if (state == kBatonDefeated || state == kBatonDown || hitPoints <= 0) return kHitImmune;
    hitPoints -= info.damage;
    PlaySE(SoundId::kDamage);
    if (hitPoints > 0) {
        shakeFrames = 5.0;
        slowFrames = info.delay + 2.0;
        if (state == kBatonWait) {
            PlaySE(SoundId::kAttack3);
            SetState(kBatonNotice);
        }
        return kHitHurt;
    }
    SetState(kBatonDefeated);
    // It flies with the blow, looking back at the attacker.
    const bool leftward = std::cos(info.angle) < 0;
    vx = leftward ? -240.0 : 240.0;
    facing = leftward ? 1 : 0;
    SetUpwardSpeed(190.0);
    ax = 0.0;
    ay = 900.0;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 9999.0;
    ClearSpawnFlag();
    return kHitDefeated;
}

void CTonFar001::Draw() {
    const double f = stateFrames;
    const int n = static_cast<int>(f);
    switch (state) {
        case kBatonWait:
            DrawPose(n % 30 >= 15 ? 1 : 0, 0.0);
            break;
        case kBatonNotice:
            DrawPose(2, f);
            break;
        case kBatonWalk:
            DrawPose(n % 30 >= 15 ? 4 : 3, 0.0);
            break;
        case kBatonFirstFall:
            DrawPose(0, 0.0);
            break;
        case kBatonWindUp:
            DrawPose(5, 0.0);
            break;
        case kBatonHighSwing:
            DrawPose(6, f);
            break;
        case kBatonCrouch:
            DrawPose(8, 0.0);
            break;
        case kBatonLowSwing:
            DrawPose(9, f);
            break;
        case kBatonDefeated:
            DrawPose(7, 0.0);
            break;
        case kBatonDown:
            DrawPose(n % 24 < 12 ? 10 : 11, 0.0);
            break;
        default:  // falling, hopping back
            DrawPose(3, 0.0);
            break;
    }
}

void CTonFar001::DrawPose(int pose, double t) {
    const double side = FacingSign();
    double bx = centerX;
    const double by = centerY - std::trunc((height - height / scaleY) * 0.5);
    bx += std::sin(3.0 * shakeFrames) * 0.7 * shakeFrames * side;
    if (pose == 5 || pose == 8) {  // the wind-ups tremble
        const int n = static_cast<int>(stateFrames) % 4;
        if (n == 0) bx -= 1.0;
        if (n == 2) bx += 1.0;
    }
    const double ownDepth = depth;
    sprite = (facing == 1 ? bodyRight_ : bodyLeft_)[pose][0];
    if (sprite) {
        sprite->scaleX = static_cast<float>(scaleX);
        sprite->scaleY = static_cast<float>(scaleY);
        depth = 0.002;
        imageX = bx + kPoses[pose].dx * side;
        imageY = by + kPoses[pose].dy;
        DrawSprite();
    }

    sprite = nullptr;
    if (pose == 2) {
        const int c = static_cast<int>(t) % 8;
        sprite = spin_[facing == 1 ? 7 - c : c];
        imageX = bx - 19.0 * side;
        imageY = by - 44.0;
    } else if ((pose == 6 || pose == 9) && t <= 9.0) {
        const int c = t <= 3.0 ? 0 : (t <= 6.0 ? 1 : 2);
        sprite = (facing == 1 ? slashRight_ : slashLeft_)[c];
        imageX = bx + (pose == 6 ? 55.0 : 59.0) * side;
        imageY = by + (pose == 6 ? 0.0 : 10.0);
    }
    if (sprite) {
        depth = -0.0003;
        DrawSprite();
    }
    depth = ownDepth;
    sprite = nullptr;
}
