#include "enemies/Drill.h"

#include <cmath>
#include <numbers>

#include "engine/SpriteManager.h"
#include "foundation/WindowHelpers.h"
#include "play/Hitboxes.h"

namespace {

constexpr int kEffectEnemyDeath = 4;
const std::vector<SpriteCell> kDrillCells = {
    {80, 112, 144, 144}, {80, 144, 144, 176}, {80, 176, 144, 208}, {80, 208, 144, 240}};

}  // namespace

CDrill001::CDrill001(CStage* owner, double px, double py, int facingIn)
    : CPatternEnemy(owner, px, py, facingIn, 30),
      left_("Char", "Enemy003_L", kDrillCells),
      right_("Char", "Enemy003_R", kDrillCells) {
    width = 36.0;
    height = 28.0;
    vx = 50.0 * FacingSign();
    vy = 4.0 * GetFrameRate();
    SetState(kDrillDrive);
    ResetDrillHitbox();
}

CDrill001::~CDrill001() = default;

void CDrill001::SetState(int s) {
    EnterState(s);
    maxSpeedUp = maxSpeedDown = 400.0;
    maxSpeedLeft = maxSpeedRight = s == kDrillRecoil ? 400.0 : 50.0;
    ax = s == kDrillDrive ? 300.0 * FacingSign() : 0.0;
    ay = kGravity;
    if (s == kDrillFall) vx = 0.0;
    if (s == kDrillStomped) {
        if (wasOnGround)
            vx = 0.0;
        else if (vy < 100.0)
            vy = 100.0;
    }
}

void CDrill001::ResetDrillHitbox() {
    AttackInfo a;
    a.damage = 1;
    a.power = 100.0;
    a.angle = facing == 0 ? std::numbers::pi : 0.0;
    a.flags[kAttackSlash] = 1;
    drill_.Set(this, new CCollisionDetectionRectangle(this, this, owner, facing == 0 ? -24.0 : width, 4.0, 24,
                                                      16, CCollisionDetectionBase::kNeverExpires, 3.0,
                                                      kSideEnemy, kAimKeep, a));
}

void CDrill001::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    switch (state) {
        case kDrillDrive: {
            const int was = facing;
            TurnAtWalls();
            if (facing != was) ResetDrillHitbox();
            if (!onGround) SetState(kDrillFall);
            break;
        }
        case kDrillStomped:
            if (f > 40) SetState(kDrillDrive);
            break;
        case kDrillRecoil:
            if (f > 40)
                SetState(kDrillDrive);
            else
                BrakeStop();
            break;
        case kDrillFall:
            if (onGround) SetState(kDrillDrive);
            break;
        default:
            break;
    }
    clashGuard = false;
    AdvanceStateClock();
    // Left behind: gone, but its tile brings it back fresh.
    if (GetScreenDistance() > 64.0) Kill();
    EndFrame();
}

int CDrill001::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (isBlown) return r;
    if (r == kHitBounced) {
        SetState(kDrillStomped);
    } else if (r == kHitPushed) {
        SetState(kDrillRecoil);
        RecoilFrom(other, 200.0, 900.0, kGravity);
    }
    return r;
}

int CDrill001::ReceiveAttack(AttackInfo info) {
    if (clashGuard) return kHitNoEffect;
    return TakeHit(info, kEffectEnemyDeath);
}

void CDrill001::OnAttackClash(int, AttackInfo, AttackInfo theirs) {
    SetState(kDrillRecoil);
    const double s = std::cos(theirs.angle) < 0 ? -1.0 : 1.0;
    vx = 200.0 * s;
    ax = -900.0 * s;
}

void CDrill001::Draw() {
    const int n = static_cast<int>(age) % 24;
    sprite = (facing == 1 ? right_ : left_)[n / 6];
    if (!sprite) return;
    const double s = state == kDrillStomped ? StompWobble(stateFrames) : 1.0;
    sprite->scaleX = static_cast<float>(s);
    sprite->scaleY = static_cast<float>(1.0 / s);
    imageX = centerX + 10.0 * FacingSign();
    const double h = sprite->height;
    imageY = centerY - 2.0 + std::trunc((h - h / s) * 0.5);
    DrawSprite();
}
