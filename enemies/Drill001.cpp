#include "enemies/Drill001.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "engine/SpriteManager.h"
#include "foundation/WindowHelpers.h"
#include "play/Hitboxes.h"

namespace {

const std::vector<SpriteCell> kDrillCells = {
    {80, 112, 144, 144}, {80, 144, 144, 176}, {80, 176, 144, 208}, {80, 208, 144, 240}};

}  // namespace

CDrill001::CDrill001(CStage* ownerStage, double px, double py, int facingIn)
    : CFighterEnemy(ownerStage, px, py, facingIn, 30, kDrillRecoil),
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
    drill_.Set(this, std::make_unique<CCollisionDetectionRectangle>(
                         this, this, owner, facing == 0 ? -24.0 : width, 4.0, 24, 16,
                         CCollisionDetectionBase::kNeverExpires, 3.0, kSideEnemy, kAimKeep, a));
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
    return ContactAndReact(other, kDrillStomped, kNoFallFloor, kDrillRecoil, kGravity);
}

void CDrill001::Draw() {
    const int n = static_cast<int>(age) % 24;
    const double s = state == kDrillStomped ? StompWobble(stateFrames) : 1.0;
    DrawSquashed((facing == 1 ? right_ : left_)[n / 6], s, 10.0 * FacingSign(), 2.0);
}
