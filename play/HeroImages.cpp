// The hero's pictures: animation phases, the body frame of each state, where the weapon sits in
// every frame, the swing streaks, the after-image trail and the glow the scene shows.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "play/Hero.h"

// The frame and turns of the hero's picture in one frame.
struct HeroPose {
    // A cell of the hero sheet.
    struct Frame {
        int page, column, row;
    };
    Frame f{1, 0, 0};
    double body = 0, weapon = 0;
};

namespace {

using Frame = HeroPose::Frame;

constexpr int H = CBarFigure::kHidden;

// Weapon codes in place of an angle.
constexpr double kTurnWithFrameAngle = -127;  // the weapon angle passed with the frame
constexpr double kFollowBody = -123;          // centred on the body, turned with it
constexpr double kSpinningBlur = -126;        // a spinning blur instead of the weapon

// One body frame: the gloves in pixels of the left-facing cell as the hero sheet places them
// (the front glove grips the weapon; no glove: the weapon is not shown), whether the figure's two
// hand parts are hidden, and the weapon's angle or code.
struct FrameRow {
    bool hasGloves;
    double gripX, gripY, backX, backY;
    bool handsHidden;
    double weapon;
};

// Indexed by (page - 1) x 36 + column x 6 + row.
constexpr FrameRow kFrames[72] = {
    // page 1, column 0
    {true, 10, 26, 26, 22, false, 0},
    {true, 13, 29, 29, 25, false, 0},
    {true, 10, 10, 25, 10, false, 0},
    {true, 15, 19, 31, 25, false, -0.16},
    {true, 16, 10, 20, 26, false, kPi / 2},
    {true, 16, 10, 20, 26, false, kPi / 2},
    // page 1, column 1
    {true, 10, 27, 26, 23, false, 0},
    {true, 13, 28, 29, 24, false, 0},
    {true, 10, 11, 25, 11, false, 0},
    {true, 17, 17, 32, 27, false, -0.16},
    {true, 7, 15, 21, 24, false, kPi / 4},
    {true, 12, 15, 26, 24, false, kPi / 4},
    // page 1, column 2
    {true, 10, 27, 26, 23, false, 0},
    {true, 13, 28, 29, 24, false, 0},
    {true, 10, 11, 25, 11, false, 0},
    {true, 9, 18, 30, 16, false, 0},
    {true, 4.5, 24, 19, 20, false, 0},
    {true, 5, 24, 21, 20, false, 0},
    // page 1, column 3
    {true, 9, 27, 25, 23, false, 0},
    {true, 18, 26, 34, 22, false, 0},
    {true, 9, 9, 24, 24, false, kSpinningBlur},
    {false, 0, 0, 0, 0, true, 0},
    {true, 12, 28, 28, 24, false, 0},
    {true, 12, 28, 28, 24, false, 0},
    // page 1, column 4
    {true, 9, 26, 25, 22, false, 0},
    {false, 0, 0, 0, 0, true, kFollowBody},
    {true, 9, 9, 22, 23, false, kSpinningBlur},
    {false, 0, 0, 0, 0, true, 0},
    {true, 7, 28, 23, 24, false, 0},
    {true, 7, 28, 23, 24, false, 0},
    // page 1, column 5
    {true, 9, 26, 25, 22, false, 0},
    {true, 14, 11, 29, 11, false, 0},
    {true, 9, 9, 20, 23, false, kSpinningBlur},
    {true, 10, 30, 26, 26, false, 0},
    {true, 20, 28, 31, 18, false, 0},
    {true, 4.5, 22, 30, 27, false, kTurnWithFrameAngle},
    // page 2, column 0
    {true, 13, 28, 29, 12, false, -kPi / 4},
    {true, 5, 19, 30, 27, false, 0},
    {true, 17, 28, 20, 7, false, -kPi / 2},
    {true, 10, 27, 26, 23, false, 0},
    {true, 11, 9, 26, 24, false, kSpinningBlur},
    {true, 11, 28, 27, 27, true, 0},
    // page 2, column 1
    {true, 16, 28, 19, 7, false, -kPi / 2},
    {true, 6, 25, 30, 27, false, 0},
    {true, 17, 30, 20, 9, false, -kPi / 2},
    {true, 10, 26, 26, 22, false, 0},
    {true, 15, 26, 32, 22, false, 0},
    {true, 9, 8, 27, 28, true, 0},
    // page 2, column 2
    {true, 9, 9, 24, 24, false, kPi / 4},
    {true, 4.5, 23, 30, 27, false, 0},
    {true, 9, 26, 25, 10, false, -kPi / 4},
    {true, 10, 22, 26, 18, false, 0},
    {true, 12, 26, 29, 22, false, 0},
    {false, 0, 0, 0, 0, true, 0},
    // page 2, column 3
    {true, 4, 19, 33, 19, false, -kPi / 4},
    {true, 4.5, 20, 30, 27, false, 0},
    {true, 12, 30, 28, 26, false, 0},
    {false, 0, 0, 0, 0, true, 0},
    {false, 0, 0, 0, 0, true, 0},
    {false, 0, 0, 0, 0, true, 0},
    // page 2, column 4
    {true, 4.5, 22, 30, 27, false, kTurnWithFrameAngle},
    {true, 10, 22, 30, 27, false, 0},
    {true, 7, 30, 23, 26, false, 0},
    {true, 11, 23, 29, 23, true, 0},
    {false, 0, 0, 0, 0, true, 0},
    {false, 0, 0, 0, 0, true, 0},
    // page 2, column 5
    {true, 5, 24, 21, 20, false, 0},
    {true, 4.5, 22, 30, 27, false, 0},
    {true, 15, 12, 31, 28, false, kPi / 4},
    {true, 11, 9, 26, 24, true, 0},
    {false, 0, 0, 0, 0, true, 0},
    {false, 0, 0, 0, 0, true, 0},
};

// How far the handle reaches behind the gripping hand.
constexpr double kHandleBehindGrip = 10.0;

Frame Cycle4(double phase, Frame a, Frame b, Frame c, Frame d) {
    const double m = std::fmod(phase, 60.0);
    return m < 15 ? a : (m < 30 ? b : (m < 45 ? c : d));
}

Frame ByVerticalSpeed(double vy, Frame fast, Frame slow, Frame falling) {
    if (vy < -150) return fast;
    if (vy >= 150) return falling;
    return slow;
}

// Where each attack shows its swing streak: the streak image (0 cycles 1..4 every frame), the
// frames it shows in (after fromFrame, up to toFrame), whether it waits for the second hit, and
// its centre ahead of the hero in reaches and above the hero's centre in pixels.
struct StreakRow {
    int state, streak;
    double fromFrame, toFrame;
    bool afterSecondHit;
    double along, up;
};
constexpr double kAlways = 1e9;
constexpr StreakRow kStreaks[] = {
    {kHeroHyperDash, 0, -1, kAlways, false, -0.275, 0},
    {kHeroRollingAttack, 2, -1, kAlways, false, 0, 0},
    {kHeroRisingRollingAttack, 2, -1, kAlways, false, 0, 0},
    {kHeroBangDownGround, 1, -1, 16, true, 0.3, 12},
    {kHeroJabGround, 3, 2, 14, false, 0.55, 0},
    {kHeroJabAir, 3, 2, 14, false, 0.55, 0},
    {kHeroJabAirDash, 3, 2, 14, false, 0.55, 0},
    {kHeroJabSquat, 3, 2, 14, false, 0.55, -8},
    {kHeroJabDash, 3, 2, 14, false, 0.55, 0},
    {kHeroJabHyperDash, 3, 2, 14, false, 0.55, 0},
    {kHeroFinishJabGround, 3, 2, 14, false, 0.55, 0},
    {kHeroBangDownAir, 1, -1, kAlways, true, 0.35, -10},
    {kHeroBangDownAirDash, 1, -1, kAlways, true, 0.35, -10},
    {kHeroSwingAroundGround, 4, -1, kAlways, false, 0.3, 0},
    {kHeroPropellerSwingGround, 4, -1, kAlways, false, 0.3, 0},
    {kHeroPropellerSwingAir, 4, -1, kAlways, false, 0.3, 0},
    {kHeroPropellerSwingAirDash, 4, -1, kAlways, false, 0.3, 0},
};

// A sprite's rotation for a counter-clockwise turn of `turn` radians on the screen (the 3-D
// layer turns a positive angle clockwise).
float ScreenTurn(double turn) { return static_cast<float>(-turn); }

}  // namespace

// ---- Animation phases ----

void CHero::UpdateAnimation() {
    const double dt = GetFrameTime();
    if (onGround) {
        const bool slip = IsSlippery() && std::fabs(vx) < 100.0;
        if (state == kHeroStand && vx != 0 && !IsSlippery())
            walkCycle += 75 * dt;
        else if (state == kHeroWalk)
            walkCycle += (slip ? 200 : 100) * dt;
        else if (state == kHeroRun)
            walkCycle += (slip ? 250 : 150) * dt;
        else if (state == kHeroHyperDash)
            walkCycle += 250 * dt;
        else
            walkCycle = 0;
        spinAngle = 0;
    } else {
        walkCycle = (state == kHeroHoverStill || state == kHeroHoverMove) ? walkCycle + 30 * dt : 0;
        if (state == kHeroRollingAttack) {
            spinAngle += 18 * kPi * dt;
        } else if (state == kHeroRisingRollingAttack || (state == kHeroDiveWindup && stateFrames <= 10)) {
            spinAngle -= 12 * kPi * dt;
        } else if (state >= kHeroBangDownAirWindup && state <= kHeroBangDownAirDashWindup) {
            spinAngle += 8 * kPi * dt;
        } else if (airJumpReady || airActionUsed) {
            spinAngle = 0;
        } else {
            // Two somersaults after a double jump.
            spinAngle += (spinAngle < 2 * kPi ? 7.5 : 5.0) * kPi * dt;
            if (spinAngle > 4 * kPi) {
                spinAngle = 0;
                airActionUsed = true;
            }
        }
    }
    if (state == kHeroHoverStill || state == kHeroHoverMove) {
        double rate = 12;
        if (weaponKind == kWeaponMallet) rate = 8;
        if (weaponKind == kWeaponPropeller) rate = hoverFrames > 240 ? 4 + (300 - hoverFrames) * 0.2 : 16;
        weaponSpin += rate * kPi * dt;
    } else if (state == kHeroSwingAroundGround) {
        weaponSpin += (stateFrames <= 20 ? 15 - stateFrames * 0.4 : 7) * kPi * dt;
    } else if (In(state, {kHeroPropellerSwingGround, kHeroPropellerSwingAir, kHeroPropellerSwingAirDash})) {
        weaponSpin += 12 * kPi * dt;
    } else {
        weaponSpin = 0;
    }
}

// ---- Frame choice ----

void CHero::UpdateImage() {
    if (dead) {
        SetImage(2, 3, 3, deathTimer * 0.35, 0);
        return;
    }
    HeroPose p;
    if (!MovePose(p) && !HurtPose(p)) AttackPose(p);
    SetImage(p.f.page, p.f.column, p.f.row, p.body, p.weapon);
}

// Standing, walking, running, dashing, jumping and hovering. Leaves the pose alone and answers false in any
// other state.
bool CHero::MovePose(HeroPose& p) const {
    const double sf = stateFrames;
    const bool ground = onGround;
    const bool afterDoubleJump = !airJumpReady && !airActionUsed && spinAngle != 0;
    switch (state) {
        case kHeroStand:
        case kHeroWalk:
        case kHeroRun:
            if (squatting) {
                p.f = {1, 5, 3};
            } else if (ground) {
                p.f = state == kHeroRun ? Cycle4(walkCycle, {1, 3, 0}, {1, 4, 0}, {1, 3, 0}, {1, 5, 0})
                                        : Cycle4(walkCycle, {1, 0, 0}, {1, 1, 0}, {1, 0, 0}, {1, 2, 0});
            } else if (afterDoubleJump) {
                p.f = {1, 4, 1};
                p.body = spinAngle;
            } else {
                p.f = ByVerticalSpeed(vy, {2, 0, 3}, {2, 1, 3}, {2, 2, 3});
            }
            break;
        case kHeroRunStop:
        case kHeroHyperDashStop:
            p.f = squatting ? Frame{1, 5, 3} : Frame{1, 3, 1};
            break;
        case kHeroHyperDash:
            p.f = ground ? Cycle4(walkCycle, {1, 0, 1}, {1, 1, 1}, {1, 0, 1}, {1, 2, 1}) : Frame{1, 1, 1};
            break;
        case kHeroHyperJump:
            if (sf <= 6 || (vy >= -70 && vy < 70))
                p.f = {2, 0, 0};
            else
                p.f = vy < -70 ? Frame{2, 1, 0} : Frame{1, 2, 2};
            break;
        case kHeroRollingAttack:
        case kHeroRisingRollingAttack:
        case kHeroBangDownAirWindup:
        case kHeroBangDownAirDashWindup:
            p.f = {1, 4, 1};
            p.body = spinAngle;
            break;
        case kHeroWallBounce:
            p.f = {1, 5, 1};
            break;
        case kHeroRollLanding:
        case kHeroGetUp:
        case kHeroRisingWindup:
        case kHeroRisingRollingWindup:
        case kHeroAirAttackLanding:
            p.f = {1, 5, 3};
            break;
        case kHeroHoverStill:
        case kHeroHoverMove: {
            const double m = std::fmod(walkCycle, 60.0);
            p.f = m < 8 ? Frame{1, 4, 2}
                        : (m < 30 ? Frame{1, 5, 2} : (m < 38 ? Frame{1, 4, 2} : Frame{1, 3, 2}));
            p.weapon = weaponSpin;
            break;
        }
        default:
            return false;
    }
    return true;
}

// Hurt, blown, down and frozen. Leaves the pose alone and answers false in any other state.
bool CHero::HurtPose(HeroPose& p) const {
    const double sf = stateFrames;
    switch (state) {
        case kHeroRecoil:
            p.f = {2, 5, 2};
            break;
        case kHeroPushedBack:
        case kHeroRisingFall:
            p.f = ByVerticalSpeed(vy, {1, 0, 2}, {1, 1, 2}, {1, 2, 2});
            break;
        case kHeroStompBounce:
            p.f = {2, 0, 3};
            break;
        case kHeroStagger:
        case kHeroStaggerBurning:
        case kHeroStaggerBlueBurning:
            p.f = (sf <= 5 || sf > 10) ? Frame{1, 0, 3} : Frame{1, 1, 3};
            break;
        case kHeroBlown:
        case kHeroBlownBurning:
        case kHeroBlownBlueBurning:
            p.f = {1, 2, 3};
            break;
        case kHeroDown:
        case kHeroDownBurning:
        case kHeroDownBlueBurning:
            p.f = (sf <= 8 || sf > 24) ? Frame{1, 3, 3} : Frame{1, 4, 3};
            break;
        case kHeroFrozen:
            p.f = {2, 4, 3};
            break;
        case kHeroThawing:
            p.f = sf <= 6 ? Frame{1, 1, 3} : Frame{1, 5, 3};
            break;
        default:
            return false;
    }
    return true;
}

// The attacks. Leaves the pose alone and answers false in any other state.
bool CHero::AttackPose(HeroPose& p) const {
    const double sf = stateFrames;
    switch (state) {
        case kHeroBangDownGround:
            p.f = sf <= 4 ? Frame{1, 0, 4} : (sf <= 8 ? Frame{1, 1, 4} : Frame{1, 2, 4});
            break;
        case kHeroJabGround:
        case kHeroJabSquat: {
            const int page = state == kHeroJabGround ? 1 : 2, col = 3, row = state == kHeroJabGround ? 4 : 2;
            p.f = {page, sf <= 4 || sf > 16 ? col : col + 1, row};
            break;
        }
        case kHeroSwingWindup:
        case kHeroFinishJabWindup:
            p.f = {1, 5, 4};
            break;
        case kHeroSwingAroundGround:
        case kHeroPropellerSwingGround:
            p.f = {1, 5, 5};
            p.weapon = weaponSpin;
            break;
        case kHeroSeqJabGround: {
            static constexpr int kColumns[8] = {0, 4, 1, 4, 3, 4, 2, 4};
            const int step = static_cast<int>(std::fmod(sf, 50.0) / 2.5) % 8;
            p.f = {2, kColumns[step], 1};
            break;
        }
        case kHeroFinishJabGround:
        case kHeroJabDash:
        case kHeroJabHyperDash:
            p.f = sf <= (state == kHeroJabHyperDash ? 34 : 24) ? Frame{2, 5, 1} : Frame{1, 5, 4};
            break;
        case kHeroRisingAttack:
            p.f = {2, 2, 0};
            break;
        case kHeroBangDownAir:
        case kHeroBangDownAirDash:
            p.f = sf <= 2 ? Frame{1, 0, 5} : (sf <= 4 ? Frame{1, 1, 5} : Frame{1, 2, 5});
            break;
        case kHeroJabAir:
        case kHeroJabAirDash:
            p.f = (sf <= 2 || sf > 12) ? Frame{1, 3, 5} : Frame{1, 4, 5};
            break;
        case kHeroPropellerSwingAir:
        case kHeroPropellerSwingAirDash:
            p.f = {2, 4, 0};
            p.weapon = weaponSpin;
            break;
        case kHeroDivingAttack:
            p.f = {2, 0, 2};
            break;
        case kHeroDiveWindup:
            if (sf <= 10) {
                p.f = {1, 4, 1};
                p.body = spinAngle;
            } else {
                p.f = {2, 0, 2};
            }
            break;
        case kHeroDiveLanding:
            p.f = sf <= 20 ? Frame{2, 1, 2} : Frame{2, 2, 2};
            break;
        case kHeroBangDownLanding:
            p.f = {2, 5, 0};
            break;
        default:
            return false;
    }
    return true;
}

// ---- Building the figure ----

void CHero::SetImage(int page, int column, int row, double bodyAngle, double weaponAngle) {
    if (page < 1 || page > 2 || column < 0 || column > 5 || row < 0 || row > 5) return;
    framePage = page;
    frameColumn = column;
    frameRow = row;
    const bool right = facing == 1;
    const double side = right ? -1.0 : 1.0;  // the table is drawn facing left
    const FrameRow& fr = kFrames[(page - 1) * 36 + column * 6 + row];
    char key[16];
    std::snprintf(key, sizeof key, "Quor%03d_%s", page, right ? "R" : "L");
    OwnedSprite body = CreateSprite("Char", key, 2, 40 * column, 40 * row, 40 * column + 40, 40 * row + 40);
    if (body) body->angleZ = ScreenTurn(right ? -bodyAngle : bodyAngle);

    // The cell stands on the hero's feet, squatting or not.
    const int bodyY = static_cast<int>(std::lround(height / 2.0 - 19.0));
    const int length = GetHeroBarLength(weaponKind);

    // The weapon's tip direction (counter-clockwise from the right, y up).
    double drawn = 0;
    const double w = fr.weapon;
    if (w == kTurnWithFrameAngle)
        drawn = right ? weaponAngle : -weaponAngle;
    else if (w == kFollowBody)
        drawn = right ? bodyAngle + 0.75 * kPi : -(bodyAngle - 0.25 * kPi);
    else if (w != kSpinningBlur)
        drawn = right ? kPi - w : w;
    const double tip = -drawn - kPi;

    // Cell pixel x covers x..x + 1; the cell is centred on the hero.
    const bool gripHidden = !fr.hasGloves;
    const double gripX = gripHidden ? 0.0 : (fr.gripX + 0.5 - 20.0) * side;
    const double gripY = gripHidden ? 0.0 : fr.gripY + 0.5 - 20.0;

    OwnedSprite bar;
    int barX = H, barY = H;
    if (w == kSpinningBlur) {
        // A spinning blur, shown three frames in four.
        if (length > 0 && static_cast<int>(age) % 4 != 3) {
            const int j = static_cast<int>(std::fmod(std::fabs(weaponSpin + age), 8.0));
            const int left = (j / 4) * 128, top = (j % 4) * 64;
            bar = CreateSprite("Effect", right ? "Bar_Effect002_R" : "Bar_Effect002_L", 2, left, top,
                               left + 128, top + 64);
            if (bar) bar->scaleX = bar->scaleY = static_cast<float>(length / 128.0);
            barX = static_cast<int>(std::lround(gripX));
            barY = static_cast<int>(std::lround(gripY));
        }
    } else if (length > 0 && (!gripHidden || w == kFollowBody)) {
        bar = right ? MakeHeroBarSpriteRight(weaponKind) : MakeHeroBarSprite(weaponKind);
        // Both columns hold the weapon striking end to the left (the right column upside down),
        // so a half turn brings a right-facing weapon's end round to the front.
        if (bar) bar->angleZ = ScreenTurn(tip - kPi);
        const double reach = w == kFollowBody ? 0.0 : length / 2.0 - kHandleBehindGrip;
        barX = static_cast<int>(std::lround(gripX + reach * std::cos(tip)));
        barY = static_cast<int>(std::lround(gripY - reach * std::sin(tip)));
    }

    auto figure = std::make_unique<CBarFigure>(false);
    figure->SetParts(std::move(body), std::move(bar), nullptr);
    const bool handsShown = fr.hasGloves && !fr.handsHidden;
    const int h1x = handsShown ? static_cast<int>(std::lround(gripX)) : H;
    const int h1y = handsShown ? static_cast<int>(std::lround(gripY)) : H;
    const int h2x = handsShown ? static_cast<int>(std::lround((fr.backX + 0.5 - 20.0) * side)) : H;
    const int h2y = handsShown ? static_cast<int>(std::lround(fr.backY + 0.5 - 20.0)) : H;
    figure->SetPartOffsets(0, bodyY, barX, barY, h1x, h1y, h2x, h2y);
    figure->SetPartOrder(page == 1 && column == 4 && row == 1);
    figure->SetPosition(centerX, centerY);
    afterImages_[0] = std::move(figure);

    if (weaponKind == kWeaponHose) {
        // The spinning frames draw a blur, not the weapon: the hose aims along the angle the frame
        // passes (the spin), so a hovering hero sprays all around.
        aimAngle = w == kSpinningBlur ? weaponAngle : tip;
        nozzleOffsetX = gripX + 36.0 * std::cos(aimAngle);
        nozzleOffsetY = -(gripY + bodyY) + 36.0 * std::sin(aimAngle) - 2.0;
    }
    if (!dead) SetBarEffectImages();
}

void CHero::SetBarEffectImages() {
    CBarFigure* figure = afterImages_[0].get();
    const int length = GetHeroBarLength(weaponKind);
    if (!figure || length <= 0) return;
    const bool right = facing == 1;
    const double side = right ? 1.0 : -1.0;  // toward the swing
    int streak = 0;
    double along = 0, up = 0;
    for (const StreakRow& r : kStreaks) {
        if (r.state != state || stateFrames <= r.fromFrame || stateFrames > r.toFrame) continue;
        if (r.afterSecondHit && hitPhaseReady[1]) continue;
        streak = r.streak ? r.streak : static_cast<int>(stateFrames) % 4 + 1;
        along = r.along;
        up = r.up;
        break;
    }
    if (streak == 0) return;
    char key[24];
    std::snprintf(key, sizeof key, "Bar_Effect%03d_%s", streak, right ? "R" : "L");
    OwnedSprite s = CreateSprite("Effect", key, 2, 0, 0, 96, 96);
    if (!s) return;
    s->scaleX = s->scaleY = static_cast<float>(static_cast<double>(length) / GetLongestHeroBarLength());
    figure->SetPart(CBarFigure::kEffect, std::move(s));
    figure->SetEffectOffset(static_cast<int>(side * along * length), static_cast<int>(-up));
}

// ---- After-images and drawing ----

void CHero::ShiftAfterImages() {
    for (int i = kAfterImageCount - 1; i > 0; --i) afterImages_[i] = std::move(afterImages_[i - 1]);
}

void CHero::Draw() {
    imageX = centerX;
    imageY = centerY;
    if (afterImages_[0]) afterImages_[0]->SetPosition(centerX, centerY);
    if (trailVisible) {
        for (int i = 8; i >= 2; i -= 2)
            if (afterImages_[i])
                afterImages_[i]->Draw(depth + i * 0.0004, static_cast<float>((10 - i) / 10.0 * 0.6));
    }
    if (afterImages_[0]) afterImages_[0]->Draw(depth, 1.0f);
}

void CHero::CreateEffectSprites() {
    for (auto& s : effectSprites_) s = CreateSprite("Effect", "Effect001", 2, 0, 0, 48, 48);
}

void CHero::DrawEffects(int t, bool bright) {
    static constexpr float kGlowScale[4] = {1.6f, 1.25f, 0.95f, 0.7f};
    for (int i = 0; i < 4; ++i) {
        CSprite* s = effectSprites_[i].get();
        if (!s) continue;
        s->x = static_cast<float>(centerX / 256.0);
        s->y = static_cast<float>(centerY / 256.0);
        s->z = static_cast<float>(depth + 0.0005);
        // The layers turn with the pose's time, against each other; the glow blinks between its
        // bright and its dim look.
        s->scaleX = s->scaleY = kGlowScale[i];
        s->angleZ = static_cast<float>(t * 0.05 * (i % 2 ? -1 : 1));
        s->SetAlpha((0.25f + 0.1f * i) * (bright ? 1.0f : 0.5f));
        s->ApplyTransform();
        s->Draw();
    }
}

const CSprite* CHero::GetEffectSprite(int i) const {
    return i >= 0 && i < kEffectSpriteCount ? effectSprites_[i].get() : nullptr;
}

void CHero::DrawEffectRing(double t) {
    const double ringRadius = t * t * 0.02 + 32.0;
    const float alpha = t > 30 ? static_cast<float>(std::max(0.0, 1.0 - (t - 30.0) / 30.0)) : 1.0f;
    for (int k = 0; k < 8; ++k) {
        CSprite* s = effectSprites_[4 + k].get();
        if (!s) continue;
        const double a = k * 0.25 * kPi + t * 0.2;
        s->x = static_cast<float>((centerX + ringRadius * std::cos(a)) / 256.0);
        s->y = static_cast<float>((centerY + ringRadius * std::sin(a)) / 256.0);
        s->z = static_cast<float>(depth - 0.0005);
        s->SetAlpha(alpha);
        s->ApplyTransform();
        s->Draw();
    }
}

// ---- Poses the scene runs ----

void CHero::UpdatePowerUpPose(double t) {
    ShiftAfterImages();
    constexpr double kSpinTime = 40.0;
    if (t < kSpinTime) {
        powerUpSounded_ = false;
        weaponSpin = kPi * t * 0.5;
        if (onGround)
            SetImage(2, 0, 4, 0, weaponSpin);
        else
            SetImage(1, 4, 2, 0, weaponSpin);
    } else {
        if (!powerUpSounded_) PlaySE(SoundId::kFlash1);
        powerUpSounded_ = true;
        if (onGround)
            SetImage(2, 1, 4, 0, 0);
        else
            SetImage(2, 2, 4, 0, 0);
    }
}

void CHero::UpdateDoorPose(double t) {
    ShiftAfterImages();
    if (t >= 44)
        SetImage(2, 5, 5, 0, 0);
    else if (t >= 40)
        SetImage(2, 5, 4, 0, 0);
    else if (static_cast<int>(t / 2) % 2 == 0)
        SetImage(2, 3, 4, 0, 0);
    else
        SetImage(2, 4, 4, 0, 0);
}
