#include "enemies/Nageru001.h"

#include <cmath>

#include "enemies/GroundHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"

namespace {

std::vector<SpriteCell> ThrowerCells(int kind) {
    std::vector<SpriteCell> cells;
    for (int i = 0; i < 8; ++i) {
        if (kind == 0)
            cells.push_back(i < 6 ? SpriteCell{40 * i, 0, 40 * i + 40, 40}
                                  : SpriteCell{40 * (i - 6), 40, 40 * (i - 6) + 40, 80});
        else
            cells.push_back(i < 4 ? SpriteCell{80 + 40 * i, 40, 120 + 40 * i, 80}
                                  : SpriteCell{40 * (i - 4), 80, 40 * (i - 4) + 40, 120});
    }
    return cells;
}

}  // namespace

CNageru001::CNageru001(CStage* ownerStage, double px, double py, int facingIn, int kindIn)
    : CGroundEnemy(ownerStage, px, py, facingIn, 10),
      kind(kindIn),
      left_("Char", "Enemy008_L", ThrowerCells(kindIn)),
      right_("Char", "Enemy008_R", ThrowerCells(kindIn)),
      held_("Object", "Objects002", {{128, 0, 160, 32}}) {
    width = 24.0;
    height = 36.0;
    vx = ax = 0.0;
    vy = 4.0 * GetFrameRate();
    ay = kGravity;
    SetState(kThrowWait);
}

CNageru001::~CNageru001() = default;

void CNageru001::SetState(int s) {
    EnterState(s);
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 500.0;
    ax = 0.0;
    ay = kGravity;
}

bool CNageru001::IsHeroInThrowRange() const {
    if (!HasHero()) return false;
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    const bool ahead = facing == 1 ? (0.0 <= dx && dx <= 224.0) : (-224.0 <= dx && dx <= 0.0);
    return ahead && dy >= -192.0;
}

void CNageru001::Act() {
    BeginFrame();
    Move();
    const double f = stateFrames;
    switch (state) {
        case kThrowWait:
            facing = GetDistanceXToHero() >= 0.0 ? 1 : 0;
            if (f > (kind == 0 ? 45.0 : 65.0) && IsHeroInThrowRange()) {
                if (onGround && (GetDistanceYToHero() < -128.0 || std::fabs(GetDistanceXToHero()) > 144.0)) {
                    PlaySE(SoundId::kJump4);
                    SetUpwardSpeed(250.0);  // jumps to throw over or far
                }
                SetState(kThrowWindUp);
            }
            break;
        case kThrowWindUp:
            if (f > 25.0) Throw();
            break;
        case kThrowDone:
            if (f > 50.0) SetState(kThrowWait);
            break;
        case kThrowStomped:
            if (f > 40.0) SetState(kThrowWait);
            break;
        case kThrowRecoil:
            if (f <= 30.0)
                BrakeStop();
            else
                SetState(kThrowWait);
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

void CNageru001::Throw() {
    const double cx = (GetLeft() + GetRight()) * 0.5, cy = (GetTop() + GetBottom()) * 0.5;
    const double s = FacingSign();
    if (kind == 0)
        FireEnemyShot("CVolleyball", owner, cx + 14 * s, cy - 23, 200.0 * s, -250.0);
    else
        FireEnemyShot("CRollingRock", owner, cx + 14 * s, cy - 23, 140.0 * s, -250.0);
    PlaySE(SoundId::kThrow);
    SetState(kThrowDone);
}

int CNageru001::Collide(IBase* other) {
    return ContactAndReact(other, kThrowStomped, 100.0, kThrowRecoil, 300.0);
}

int CNageru001::ChooseCell(double* scale) const {
    *scale = 1.0;
    if (isBlown) return 7;
    switch (state) {
        case kThrowWait:
            if (!onGround) return 4;
            return static_cast<int>(stateFrames) % 16 < 8 ? 0 : 1;
        case kThrowWindUp:
            return onGround ? 2 : 5;
        case kThrowDone:
            return onGround ? 3 : 6;
        case kThrowStomped:
            *scale = StompWobble(stateFrames);
            return 0;
        default:
            return 7;
    }
}

void CNageru001::Draw() {
    double s;
    const int cell = ChooseCell(&s);
    DrawSquashed((facing == 1 ? right_ : left_)[cell], s, 0.0, 2.0);
    CSprite* ball = held_[0];
    if (state != kThrowWindUp || isBlown || !ball) return;
    double hx = imageX + (onGround ? 14.0 : 15.0) * FacingSign();
    double hy = imageY - 23.0;
    if (stateFrames < 20.0 && onGround)
        hy -= 15.0 - (stateFrames - 10.0) * (stateFrames - 10.0) * 0.15;  // swung up
    ball->x = static_cast<float>(hx / 256.0);
    ball->y = static_cast<float>(hy / 256.0);
    ball->z = -0.002f;
    ball->ApplyTransform();
    ball->Draw();
}
