#include "enemies/Ichigo001.h"

#include <cmath>
#include <memory>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"
#include "play/Hitboxes.h"

namespace {

std::vector<SpriteCell> StrawberryCells() {
    std::vector<SpriteCell> cells;
    cells.reserve(9);
    for (int i = 0; i < 6; ++i) cells.push_back({40 * i, 128, 40 * i + 40, 168});
    for (int i = 0; i < 3; ++i) cells.push_back({40 * i, 168, 40 * i + 40, 208});
    return cells;
}

}  // namespace

CIchigo001::CIchigo001(CStage* ownerStage, double px, double py, int facingIn)
    : CFighterEnemy(ownerStage, px, py, facingIn, 25, kBerryRecoil),
      left_("Char", "Enemy006_L", StrawberryCells()),
      right_("Char", "Enemy006_R", StrawberryCells()) {
    width = 24.0;
    height = 28.0;
    vx = 0.0;
    vy = 4.0 * GetFrameRate();
    ax = 0.0;
    ay = kGravity;
    SetState(kBerryWait);
}

CIchigo001::~CIchigo001() = default;

void CIchigo001::SetState(int s) {
    EnterState(s);
    maxSpeedUp = maxSpeedDown = 600.0;
    maxSpeedLeft = maxSpeedRight = s == kBerryRecoil ? 600.0 : (s == kBerryLeap ? 100.0 : 50.0);
    stopOnTouchLeft = stopOnTouchRight = s != kBerryLeap;
    if (s != kBerryLeap) {
        attackShape_.Clear(this);
        return;
    }
    AttackInfo a;
    a.damage = 15;
    a.power = 100.0;
    attackShape_.Set(this, std::make_unique<CCollisionDetectionCircle>(
                               this, this, owner, width / 2, height / 2, 20.0,
                               CCollisionDetectionBase::kNeverExpires, 4.0, kSideEnemy, kAimAtTarget, a));
}

void CIchigo001::BackToWait() {
    SetState(kBerryWait);
    vx = ax = 0.0;
    ay = kGravity;
}

void CIchigo001::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    const double toward = FacingSign();
    switch (state) {
        case kBerryWait:
            facing = GetDistanceXToHero() >= 0.0 ? 1 : 0;
            BrakeStop();
            if (!onGround) {
                SetState(kBerryFall);
                ax = 0.0;
            } else if (f > 5.0) {
                SetState(kBerryHop1);
                vx = 50.0 * FacingSign();
                ax = 200.0 * FacingSign();
                SetUpwardSpeed(130.0);
                PlaySE(SoundId::kJump5);
            }
            break;
        case kBerryHop1:
            if (f > 4.0 && onGround) {
                SetState(kBerryHop2);
                SetUpwardSpeed(130.0);
                PlaySE(SoundId::kJump5);
            }
            break;
        case kBerryHop2:
            if (f > 4.0 && onGround) {
                SetState(kBerryLeap);
                vx = 100.0 * toward;
                SetUpwardSpeed(420.0);
                PlaySE(SoundId::kAttack6);
            }
            break;
        case kBerryLeap:
            if (touchLeft) {
                if (vx < 0) vx = -vx, facing = 1;
                if (ax < 0) ax = -ax;
            } else if (touchRight) {
                if (vx > 0) vx = -vx, facing = 0;
                if (ax > 0) ax = -ax;
            }
            if (f > 4.0 && onGround) {
                SetState(kBerryLand);
                ax = -350.0 * FacingSign();
            }
            break;
        case kBerryLand:
            BrakeStop();
            if (!onGround)
                SetState(kBerryFall);
            else if (f > 30.0)
                BackToWait();
            break;
        case kBerryFall:
            BrakeStop();
            if (onGround) BackToWait();
            break;
        case kBerryStomped:
        case kBerryRecoil:
            BrakeStop();
            if (f > 35.0) BackToWait();
            break;
        default:
            break;
    }
    clashGuard = false;
    AdvanceStateClock();
    EndFrame();
}

int CIchigo001::Collide(IBase* other) {
    if (state == kBerryLeap) return DeliverContactAttack(other);
    return ContactAndReact(other, kBerryStomped, 200.0, kBerryRecoil, 300.0);
}

void CIchigo001::OnBlowEnd() {
    SetState(onGround ? kBerryWait : kBerryFall);
    ax = 0.0;
    ay = kGravity;
}

int CIchigo001::ChooseCell(double* scale) const {
    *scale = 1.0;
    if (isBlown) return 8;
    switch (state) {
        case kBerryHop1:
            return vy > 0 ? 1 : 2;
        case kBerryHop2:
            return vy > 0 ? 3 : 4;
        case kBerryLeap:
            return 6;
        case kBerryLand:
            return 5;
        case kBerryFall:
        case kBerryRecoil:
            return 7;
        case kBerryStomped:
            *scale = StompWobble(stateFrames);
            return 0;
        default:
            return 0;
    }
}

void CIchigo001::Draw() {
    double s;
    const int cell = ChooseCell(&s);
    CSprite* picture = (facing == 1 ? right_ : left_)[cell];
    // The leap spins the picture about its middle, the way it faces.
    if (picture) picture->angleZ = cell == 6 ? static_cast<float>(stateFrames * 0.4 * FacingSign()) : 0.0f;
    DrawSquashed(picture, s, 0.0, cell == 6 ? 0.0 : 6.0);
}
