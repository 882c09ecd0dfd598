#include "enemies/Sphere001.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "enemies/EnemyShotHelpers.h"
#include "enemies/FlyerHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/CommonShots.h"

namespace {

std::vector<SpriteCell> SphereCells(int variant) {
    const int r0 = variant == 0 ? 64 : 128;
    std::vector<SpriteCell> cells;
    for (int i = 0; i < 8; ++i) {
        const int l = 128 + 32 * (i % 4), t = r0 + 32 * (i / 4);
        cells.push_back({l, t, l + 32, t + 32});
    }
    const int charge = variant == 0 ? 64 : 96;
    cells.push_back({charge, 128, charge + 32, 160});
    cells.push_back({64, 160, 96, 192});
    return cells;
}

}  // namespace

CSphere001::CSphere001(CStage* ownerStage, double px, double py, int variantIn)
    : CPatternEnemy(ownerStage, px, py, 0, 1),
      variant(variantIn == 0 ? 0 : 1),
      sheet_("Char", "Enemy005_R", SphereCells(variant)) {
    shapeType = kShapeCircle;
    radius = 12.0;
    width = height = 24.0;
    ay = -50.0;
    stopOnTouchTop = stopOnTouchBottom = stopOnTouchLeft = stopOnTouchRight = false;
    targetAngle = aimAngle = GetAngleToHero();
    hoverY = py;
    SetState(kHover);
    stateFrames += RandomRange(60, 100);
}

CSphere001::~CSphere001() = default;

void CSphere001::SetState(int s) {
    EnterState(s);
    shotCount = 0;
    if (s == kHover) stateFrames += RandomRange(0, 160);
    const double top = s == kRecoil ? 500.0 : 40.0;
    SetSpeedLimits(*this, top, top);
}

void CSphere001::ReturnToHover() {
    SetState(kHover);
    ay = y >= hoverY ? -50.0 : 50.0;
}

void CSphere001::FireOnSchedule() {
    if (shotCount < 5 && (shotCount == 0 || stateFrames > 6.0 * shotCount)) Fire();
}

void CSphere001::Act() {
    BeginFrame();
    Move();
    targetAngle = GetAngleToHero();
    switch (state) {
        case kHover:
            if ((y < hoverY - kHoverBand && ay < 0) || (y > hoverY + kHoverBand && ay > 0)) ay = -ay;
            if (touchTop) {
                vy = std::fabs(vy);
                ay = std::fabs(ay);
            } else if (touchBottom) {
                vy = -std::fabs(vy);
                ay = -std::fabs(ay);
            }
            if (stateFrames > 320.0 && HasHero()) {
                SetState(kAim);
                if (ay != 0 && vy != 0 && (ay > 0) == (vy > 0)) ay = -ay;
            }
            break;
        case kAim:
            BrakeStopBoth(*this);
            if (stateFrames > 60.0) {
                aimAngle = GetAngleToHero();
                if (variant == 1) aimAngle += RandomRange(-23, 23) * 0.01;
                PlaySE(SoundId::kBeam);
                SetState(kBurst);
            }
            break;
        case kBurst:
            FireOnSchedule();
            if (variant == 1) {
                if (shotCount > 4 && stateFrames > 40.0) {
                    PlaySE(SoundId::kBeam);
                    SetState(kSecondBurst);
                    aimAngle = GetAngleToHero() + RandomRange(-23, 23) * 0.01;
                }
            } else if (stateFrames > 72.0) {
                ReturnToHover();
            }
            break;
        case kSecondBurst:
            FireOnSchedule();
            if (stateFrames > 72.0) ReturnToHover();
            break;
        case kRecoil:
            BrakeStopBoth(*this);
            if (stateFrames > 50.0) {
                SetState(kHover);
                hoverY = y;
                ay = -50.0;
            }
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

void CSphere001::Fire() {
    ++shotCount;
    const int cx = static_cast<int>(GetLeft() + GetRight()) / 2;
    const int cy = static_cast<int>(GetTop() + GetBottom()) / 2;
    auto launch = [&](EnemyShotKind kind, double a, double speed) {
        EnemyShotLaunch shot;
        shot.owner = owner;
        shot.x = cx + radius * std::cos(a);
        shot.y = cy + radius * std::sin(a);
        shot.vx = speed * std::cos(a);
        shot.vy = speed * std::sin(a);
        LaunchEnemyShot(kind, shot);
    };
    if (variant == 0) {
        launch(EnemyShotKind::kNormalBeam, aimAngle - 0.3, 240.0);
        launch(EnemyShotKind::kNormalBeam, aimAngle + 0.3, 240.0);
    } else {
        launch(EnemyShotKind::kIceBeam, aimAngle, 260.0);
    }
}

void CSphere001::Draw() {
    imageX = centerX;
    imageY = centerY;
    constexpr int kCharge = 8, kHurt = 9;
    int cell = LookDirection(targetAngle);
    if (isBlown || (state == kRecoil && stateFrames < 30.0 && static_cast<int>(stateFrames) % 4 < 2))
        cell = kHurt;
    else if (state == kAim &&
             ((stateFrames >= 20.0 && stateFrames < 25.0) || (stateFrames >= 30.0 && stateFrames < 35.0)))
        cell = kCharge;
    sprite = sheet_[cell];
    DrawSprite();
}

int CSphere001::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (IsBump(*this, r)) {
        SetState(kRecoil);
        RecoilAway(*this, *other, 300.0, 800.0);
    }
    return r;
}
