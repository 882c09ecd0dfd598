// The hero's frame: keys, facing and squat, jump, run meter, horizontal drive, gravity and the
// area bounds.
#include "play/Hero.h"

#include <algorithm>
#include <cmath>

#include "engine/InputManager.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/ClientInfo.h"
#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"
#include "play/SceneServices.h"
#include "stage/StageMap.h"

namespace {

constexpr double kStandHeight = 38.0;
constexpr double kSquatHeight = 24.0;

// One row of the drive table. A value >= 0 is an acceleration; kKeep leaves the previous frame's
// acceleration; kStop stops the hero (velocity and acceleration 0).
constexpr double kKeep = -1.0;
constexpr double kStop = -2.0;
struct DriveRow {
    double brakeGround, brakeAir, driveGround, driveAir;
    bool alwaysBrakes;
};

DriveRow DriveFor(int s) {
    switch (s) {
        case kHeroStand:
            return {1000, 400, kStop, kStop, false};
        case kHeroRunStop:
            return {1500, kKeep, kStop, kStop, false};
        case kHeroHyperDashStop:
            return {1000, kKeep, kStop, kStop, false};
        case kHeroRollLanding:
            return {700, kKeep, 0, 0, true};
        case kHeroHoverStill:
            return {kKeep, 400, kStop, kStop, false};
        case kHeroWallBounce:
            return {kKeep, 150, kStop, kStop, false};
        case kHeroRecoil:
            return {800, kKeep, 0, 0, true};
        case kHeroPushedBack:
            return {300, 150, kStop, kStop, false};
        case kHeroStompBounce:
            return {0, 0, 0, 0, true};
        case kHeroGetUp:
        case kHeroThawing:
            return {900, 300, 0, 0, true};
        case kHeroFrozen:
            return {400, 0, 0, 0, true};
        case kHeroWalk:
            return {2000, 800, 550, 350, false};
        case kHeroRun:
            return {2500, 800, 900, 900, false};
        case kHeroHyperDash:
            return {3000, 800, 1800, 1800, false};
        case kHeroHyperJump:
            return {700, 700, 700, 700, false};
        case kHeroRollingAttack:
            return {kKeep, 700, kKeep, 700, false};
        case kHeroHoverMove:
            return {kKeep, 400, kKeep, 200, false};
        case kHeroDivingAttack:
        case kHeroDiveWindup:
            return {2400, 2400, 0, 0, true};
        case kHeroRisingAttack:
        case kHeroRisingRollingAttack:
            return {150, 150, 0, 0, true};
        default:
            break;
    }
    if (CHero::Between(s, kHeroStagger, kHeroStaggerBlueBurning)) return {1300, kKeep, 0, 0, true};
    if (CHero::Between(s, kHeroBlown, kHeroBlownBlueBurning)) return {kKeep, 300, 0, 0, true};
    if (CHero::Between(s, kHeroDown, kHeroDownBlueBurning)) return {900, kKeep, 0, 0, true};
    if (CHero::Between(s, kHeroBangDownAir, kHeroPropellerSwingAirDash) ||
        CHero::Between(s, kHeroBangDownAirWindup, kHeroBangDownAirDashWindup))
        return {400, 400, 400, 400, false};
    // 27-39, 50-53, 58-60
    return {1200, 400, 0, 0, true};
}

}  // namespace

CHero::CHero(CStage* stageOwner, double px, double py, int weapon, int healthIn)
    : ICharacter(stageOwner, px, py), weaponKind(weapon), health(healthIn) {
    category = kCategoryHero;
    shapeType = kShapeRect;
    width = 20.0;
    height = kStandHeight;
    vy = 4.0 * GetFrameRate();
    ay = 1000.0;
    maxSpeedUp = 1000.0;
    maxSpeedDown = 700.0;
    maxSpeedLeft = maxSpeedRight = 180.0;
    speedLimitTarget[0] = maxSpeedUp;
    speedLimitTarget[1] = maxSpeedDown;
    speedLimitTarget[2] = maxSpeedLeft;
    speedLimitTarget[3] = maxSpeedRight;
    usesGroundFriction = true;
    // The scene keeps pointing at the hero: it never despawns, however far off the screen it is.
    removeWhenOffScreen = false;
    CreateEffectSprites();
    IBase::UpdateCentre();
    cameraX = centerX;
    cameraY = GetBottom() - 24.0;
    UpdateImage();  // drawable before its first update
}

CHero::~CHero() = default;

void CHero::Update() {
    if (dead) return;  // the scene flies the beaten hero with UpdateDefeated
    lastFrames_ = GetFrameTime() * 60.0;
    BeginFrame();
    ReadKeys();
    ShiftAfterImages();
    MoveSpeedLimits();
    UpdateFacingAndSquat();
    UpdateLedgeStop();
    CheckDamagingChips();
    IBase::Move();
    UpdateLanding();
    UpdateJump();
    UpdateRunMeter();
    stateFrames += lastFrames_;
    UpdateTransitions();
    UpdateDrive();
    UpdateGravity();
    UpdateAnimation();
    UpdateAttackBuffer();
    if (hitStopFrames > 0) --hitStopFrames;
    UpdateStatusEffects();
    UpdatePeriodicSounds();
    UpdateHose();
    trailVisible = In(state, {kHeroHyperDash, kHeroHyperDashStop, kHeroHyperJump, kHeroRollingAttack,
                              kHeroRollLanding, kHeroSeqJabGround, kHeroFinishJabWindup, kHeroFinishJabGround,
                              kHeroDivingAttack, kHeroDiveLanding, kHeroJabHyperDash});
    UpdateImage();
    EndFrame();
}

// ---- Keys ----

bool CHero::KeyDown(int key) const {
    const CInputManager* in = CInputManager::GetInstance();
    return in->IsPushed(key) || in->IsHeld(key);
}

bool CHero::ArrowsDown() const { return KeyDown(kKeyLeft) || KeyDown(kKeyRight); }

bool CHero::DoubleTapped(int key) const {
    const CInputManager* in = CInputManager::GetInstance();
    return in->IsPushed(key) && in->GetTimeSincePush(key) < 30.0;
}

void CHero::ReadKeys() {
    const CInputManager* in = CInputManager::GetInstance();
    const bool zAttacks = CClientInfo::GetInstance()->GetKeyConfigMode() == 1;
    const int attackKey = zAttacks ? kKeyZ : kKeyX;
    const int jumpKey = zAttacks ? kKeyX : kKeyZ;
    attackPushed = in->IsPushed(attackKey);
    attackHeld = in->IsHeld(attackKey);
    jumpPushed = in->IsPushed(jumpKey);
    jumpHeld = in->IsHeld(jumpKey);
    jumpReleasedFrames = in->GetIdleTime(jumpKey);
}

// ---- Speed limits, facing, squat, ledges ----

void CHero::MoveSpeedLimits() {
    const double dt = GetFrameTime();
    auto toward = [](double& v, double target, double step) {
        if (v < target)
            v = std::min(target, v + step);
        else if (v > target)
            v = std::max(target, v - step);
    };
    toward(maxSpeedUp, speedLimitTarget[0], std::fabs(ay) * dt);
    toward(maxSpeedDown, speedLimitTarget[1], std::fabs(ay) * dt);
    toward(maxSpeedLeft, speedLimitTarget[2], std::fabs(ax) * dt);
    toward(maxSpeedRight, speedLimitTarget[3], std::fabs(ax) * dt);
}

void CHero::UpdateFacingAndSquat() {
    if (In(state,
           {kHeroStand, kHeroWalk, kHeroHyperJump, kHeroRollingAttack, kHeroHoverStill, kHeroHoverMove})) {
        const bool left = KeyDown(kKeyLeft), right = KeyDown(kKeyRight);
        if (left && !right) facing = 0;
        if (right && !left) facing = 1;
    }
    const bool squatState =
        In(state, {kHeroRollLanding, kHeroRisingWindup, kHeroRisingRollingWindup, kHeroJabSquat});
    const bool mayDuck = Between(state, kHeroStand, kHeroHyperDashStop) || squatState;
    SetSquat(onGround && (squatState || (KeyDown(kKeyDown) && mayDuck)));
}

void CHero::SetSquat(bool on) {
    squatting = on;
    const double h = on ? kSquatHeight : kStandHeight;
    if (h == height) return;
    // The feet stay where they are.
    y += height - h;
    prevY += height - h;
    height = h;
}

void CHero::UpdateLedgeStop() {
    const bool stops = In(state, {kHeroRollingAttack, kHeroWallBounce, kHeroHoverStill, kHeroHoverMove,
                                  kHeroStompBounce, kHeroRisingRollingWindup}) ||
                       Between(state, kHeroThawing, kHeroRisingWindup) ||
                       Between(state, kHeroBangDownAir, kHeroJabSquat);
    if (onGround && stops && IsAtLedge(facing)) vx = 0;
}

// ---- Landing, jump, run meter ----

void CHero::UpdateLanding() {
    if (onGround && !wasOnGround) {
        hoverFrames = 0;
        airJumpReady = true;
        airActionUsed = false;
    }
    airFrames = onGround ? 0 : airFrames + lastFrames_;
}

void CHero::UpdateJump() {
    if (!jumpPushed || squatting ||
        !In(state, {kHeroStand, kHeroWalk, kHeroRun, kHeroRunStop, kHeroHyperDashStop, kHeroHoverStill,
                    kHeroHoverMove}))
        return;
    if (onGround) {
        PlaySE(SoundId::kJump1);
        const double speed = std::fabs(vx);
        SetUpwardSpeed(500.0 + (speed >= 180.0 ? 0.7 * (speed - 180.0) : 0.0));
    } else if (airJumpReady) {
        PlaySE(SoundId::kJump2);
        SetUpwardSpeed(460.0);
        airJumpReady = false;
    }
}

void CHero::UpdateRunMeter() {
    const double dt = GetFrameTime();
    if (state == kHeroWalk) {
        runMeter -= 40 * dt;
    } else if (state == kHeroRun) {
        const bool intoWall = (vx < 0 && touchLeft) || (vx > 0 && touchRight);
        if (onGround && vx != 0 && !intoWall)
            runMeter += (IsSlippery() && std::fabs(vx) < 100.0 ? 40 : 60) * dt;
        else
            runMeter -= 15 * dt;
    } else if (In(state, {kHeroHyperDash, kHeroHyperJump, kHeroRollingAttack})) {
        runMeter = 120;
    } else if (In(state, {kHeroHyperDashStop, kHeroPushedBack, kHeroFrozen}) ||
               Between(state, kHeroWallBounce, kHeroHoverMove) ||
               Between(state, kHeroDown, kHeroDownBlueBurning)) {
        runMeter -= 100 * dt;
    } else if (state != kHeroStompBounce) {
        runMeter -= 70 * dt;
    }
    runMeter = std::clamp(runMeter, 0.0, 120.0);
}

// ---- Drive and gravity ----

void CHero::UpdateDrive() {
    const DriveRow row = DriveFor(state);
    const bool left = KeyDown(kKeyLeft), right = KeyDown(kKeyRight);
    const bool against = (left != right) && ((left && vx > 0) || (right && vx < 0));
    const bool brakes = row.alwaysBrakes || (!left && !right) || against || squatting;
    double value = 0;
    if (brakes) {
        value = onGround ? row.brakeGround : row.brakeAir;
        if (onGround && squatting && In(state, {kHeroStand, kHeroRunStop, kHeroHyperDashStop})) value *= 1.5;
    } else {
        value = onGround ? row.driveGround : row.driveAir;
    }
    if (value == kStop) {
        vx = ax = 0;
        return;
    }
    if (value != kKeep) {
        double sign = 0;
        if (brakes)
            sign = vx >= 0 ? -1.0 : 1.0;
        else if (vx != 0)
            sign = vx > 0 ? 1.0 : -1.0;
        else
            sign = (left && !right) ? -1.0 : (right && !left ? 1.0 : (facing ? 1.0 : -1.0));
        ax = sign * value;
    }
    if (brakes &&
        !In(state,
            {kHeroWalk, kHeroRun, kHeroHyperDash, kHeroHyperJump, kHeroRollingAttack, kHeroHoverMove}) &&
        std::fabs(vx) < 50.0)
        vx = ax = 0;
}

void CHero::UpdateGravity() {
    if (state == kHeroRollingAttack) {
        ay = KeyDown(kKeyDown) ? 1600.0 : 800.0;
    } else if (state == kHeroWallBounce || (state == kHeroPushedBack && !onGround)) {
        ay = 400.0;
    } else if (state == kHeroStompBounce || state == kHeroDiveWindup) {
        // Braked to a hang in the air.
        if (std::fabs(vy) < 50.0)
            vy = ay = 0.0;
        else
            ay = vy > 0 ? -3000.0 : 3000.0;
    } else if (state == kHeroRisingAttack || state == kHeroRisingRollingAttack) {
        ay = 700.0;
    } else if ((state == kHeroHoverStill || state == kHeroHoverMove) && weaponKind == kWeaponPropeller &&
               hoverFrames <= 300) {
        ay = -400.0;
    } else if ((state == kHeroHoverStill || state == kHeroHoverMove) && weaponKind != kWeaponPropeller) {
        ay = 600.0;
    } else if (onGround) {
        ay = 1000.0;
    } else if (vy >= 0) {
        ay = vy < 85.0 ? 750.0 : (vy < 175.0 ? 1050.0 : 1300.0);
    } else if (!jumpPushed && !jumpHeld) {
        ay = 2500.0;  // the jump key let go while rising: a short hop
    } else {
        const double up = -vy;
        ay = up > 175.0 ? 750.0 : (up >= 85.0 ? 1200.0 : 1700.0);
    }
}

// ---- Small operations ----

void CHero::SetUpwardSpeed(double speed) {
    vy = -speed;
    airFrames = 0;
}

void CHero::ApplyWind(double wind) {
    if (!dead) x += wind * GetFrameTime();
}

void CHero::UpdateCentre() {
    if (!dead) {
        if (const CStageMap* map = GetCurrentMap()) {
            const double maxX = map->GetWidth() * 32.0 - width;
            if (x < 0) {
                x = 0;
                if (vx < 0) vx = 0;
            } else if (x > maxX) {
                x = maxX;
                if (vx > 0) vx = 0;
            }
            if (y > (map->GetHeight() + 1) * 32.0) {
                if (IPlaySceneServices* scene = GetSceneServices(owner)) scene->OnHeroFellOut();
            }
        }
    }
    IBase::UpdateCentre();
    if (afterImages_[0]) afterImages_[0]->SetPosition(centerX, centerY);
    cameraX = centerX;
    cameraY = GetBottom() - 24.0;
}
