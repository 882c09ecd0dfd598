// The hero's attacks: which attack a push starts for each weapon, the attack names and their hit
// phases, the hitbox shapes, the hose and the sounds that repeat while an attack runs.
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/AttackParameter.h"
#include "play/Hero.h"
#include "play/Hitboxes.h"
#include "play/HoseWater.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"

// ---- Choosing the attack ----

void CHero::StartAttack() {
    const bool up = KeyDown(kKeyUp), down = KeyDown(kKeyDown);
    // Combos out of a running attack.
    if (state == kHeroBangDownGround && weaponKind <= kWeaponLongBar) {
        PlaySE(SoundId::kAttack2);
        SetState(kHeroJabGround);
        return;
    }
    if (state == kHeroJabGround && weaponKind == kWeaponShortBar) {
        SetState(up ? kHeroRisingWindup : kHeroSwingWindup);
        return;
    }
    if (state == kHeroJabGround && weaponKind == kWeaponLongBar) {
        SetState(up ? kHeroRisingRollingWindup : kHeroSeqJabGround);
        return;
    }
    if (state == kHeroSeqJabGround && weaponKind == kWeaponLongBar) {
        SetState(kHeroFinishJabWindup);
        return;
    }
    if (!In(state, {kHeroStand, kHeroWalk, kHeroRun, kHeroHyperDash, kHeroHoverStill, kHeroHoverMove}))
        return;

    const bool dash = state == kHeroRun || state == kHeroHyperDash || dashJump;
    int next = -1;
    int sound = -1;
    if (onGround) {
        switch (weaponKind) {
            case kWeaponBroom:
            case kWeaponShortBar:
            case kWeaponLongBar:
                if (state == kHeroRun && std::fabs(vx) >= 360.0)
                    next = kHeroJabDash, sound = SoundId::kAttack2;
                else if (state == kHeroHyperDash)
                    next = kHeroJabHyperDash, sound = SoundId::kAttack2;
                else if (squatting)
                    next = kHeroJabSquat, sound = SoundId::kAttack2;
                else
                    next = kHeroBangDownGround, sound = SoundId::kAttack1;
                break;
            case kWeaponMallet:
                if (squatting)
                    next = kHeroJabSquat, sound = SoundId::kAttack2;
                else
                    next = kHeroBangDownGround, sound = SoundId::kAttack1;
                break;
            case kWeaponPropeller:
                if (squatting)
                    next = kHeroJabSquat, sound = SoundId::kAttack2;
                else
                    next = kHeroPropellerSwingGround;
                break;
            default:
                break;  // the hose sprays instead
        }
    } else {
        switch (weaponKind) {
            case kWeaponBroom:
            case kWeaponShortBar:
            case kWeaponLongBar:
                if (down)
                    next = kHeroDiveWindup, sound = SoundId::kAttack6;
                else
                    next = dash ? kHeroJabAirDash : kHeroJabAir, sound = SoundId::kAttack2;
                break;
            case kWeaponMallet:
                next = down ? kHeroDiveWindup : (dash ? kHeroBangDownAirDashWindup : kHeroBangDownAirWindup);
                sound = SoundId::kAttack6;
                break;
            case kWeaponPropeller:
                next = dash ? kHeroPropellerSwingAirDash : kHeroPropellerSwingAir;
                break;
            case kWeaponHose:
                if (down) next = kHeroDiveWindup;
                break;
            default:
                break;
        }
    }
    if (next < 0) return;
    if (sound >= 0) PlaySE(sound);
    SetState(next);
    if (In(next, {kHeroJabAir, kHeroPropellerSwingAir, kHeroJabAirDash, kHeroPropellerSwingAirDash,
                  kHeroDiveWindup, kHeroBangDownAirWindup, kHeroBangDownAirDashWindup}) &&
        !airJumpReady)
        airActionUsed = true;
}

// ---- Attack names and hit phases ----

std::string CHero::GetAttackName() const {
    const double sf = stateFrames;
    const bool first = !hitPhaseReady[0], second = !hitPhaseReady[1], third = !hitPhaseReady[2];
    const bool mallet = weaponKind == kWeaponMallet;
    switch (state) {
        case kHeroHyperDash:
            return "HyperDash";
        case kHeroRollingAttack:
            return "RollingAttack";
        case kHeroBangDownGround:
            if (mallet) {
                if (sf > 10 && second && third) return "WoodenMallet_ShockWave";
                if (sf > 8 && first && second) return "BangDownGround2_WoodenMallet";
                if (sf > 4 && first) return "BangDownGround1_WoodenMallet";
                return "";
            }
            if (sf > 8 && first && second) return "BangDownGround2";
            if (sf > 4 && first) return "BangDownGround1";
            return "";
        case kHeroJabGround:
            if (sf > 4 && first) return weaponKind == kWeaponBroom ? "JabGround_Broom" : "JabGround";
            return "";
        case kHeroSwingAroundGround:
            return "SwingAroundGround";
        case kHeroSeqJabGround:
            return "SeqJabGround";
        case kHeroFinishJabGround:
            return "FinishJabGround";
        case kHeroPropellerSwingGround:
            return "PropellerSwingGround";
        case kHeroRisingAttack:
            return "RisingAttack";
        case kHeroRisingRollingAttack:
            return "RisingRollingAttack";
        case kHeroBangDownAir:
        case kHeroBangDownAirDash: {
            const char* base = state == kHeroBangDownAir ? "BangDownAir" : "BangDownAirDash";
            if (sf > 4 && second) return std::string(base) + "2";
            if (sf > 2 && first) return std::string(base) + "1";
            return "";
        }
        case kHeroJabAir:
            return sf > 2 && first ? "JabAir" : "";
        case kHeroPropellerSwingAir:
            return "PropellerSwingAir";
        case kHeroJabAirDash:
            return sf > 2 && first ? "JabAirDash" : "";
        case kHeroPropellerSwingAirDash:
            return "PropellerSwingAirDash";
        case kHeroDivingAttack:
            return mallet ? "DivingAttack_WoodenMallet" : "DivingAttack";
        case kHeroJabSquat:
            return sf > 4 && first ? "JabSquat" : "";
        case kHeroJabDash:
            return "JabDash";
        case kHeroJabHyperDash:
            return "JabHyperDash";
        default:
            return "";
    }
}

void CHero::UpdateHitPhases() {
    const double sf = stateFrames;
    auto phase = [&](int i, double after, bool needsRest) {
        if (sf <= after || !hitPhaseReady[i] || (needsRest && hitStopFrames > 0)) return false;
        hitPhaseReady[i] = false;
        UpdateAttack();
        return true;
    };
    switch (state) {
        case kHeroBangDownGround:
            phase(0, 4, false);
            if (phase(1, 8, true) && weaponKind == kWeaponMallet) {
                Camera().Shake();
                PlaySE(SoundId::kAttack7);
            }
            if (weaponKind == kWeaponMallet) phase(2, 10, true);
            break;
        case kHeroJabGround:
        case kHeroJabSquat:
            phase(0, 4, false);
            break;
        case kHeroBangDownAir:
        case kHeroBangDownAirDash:
            phase(0, 2, false);
            phase(1, 4, false);
            break;
        case kHeroJabAir:
        case kHeroJabAirDash:
            phase(0, 2, false);
            break;
        default:
            break;
    }
}

// ---- Hitboxes ----

void CHero::UpdateAttack() {
    if (IBase* old = currentHitbox.Get()) RemoveChild(old);
    currentHitbox.Reset();
    const std::string name = GetAttackName();
    if (name.empty()) return;
    MakeHitbox(name);
    hitStopFrames = 2;
}

void CHero::MakeHitbox(const std::string& name) {
    const AttackParameter p = CAttackParameterTable::Get(name, facing);
    const AttackInfo& a = p.attack;
    const int reach = GetHeroBarLength(weaponKind);
    const bool right = facing == 1;
    const double lt = p.lifetime, rh = p.rehitInterval;
    const int aim = p.aimMode;
    auto rect = [&](double lx, double rx, double dy, int w, int h) -> std::unique_ptr<IBase> {
        return std::make_unique<CCollisionDetectionRectangle>(this, this, owner, right ? rx : lx, dy, w, h,
                                                              lt, rh, kSideHero, aim, a);
    };
    auto circle = [&](double lx, double rx, double dy, double r) -> std::unique_ptr<IBase> {
        return std::make_unique<CCollisionDetectionCircle>(this, this, owner, right ? rx : lx, dy, r, lt, rh,
                                                           kSideHero, aim, a);
    };
    const int r38 = static_cast<int>(reach * 0.38);
    std::unique_ptr<IBase> box;
    switch (state) {
        case kHeroHyperDash: {
            const int e = weaponKind == kWeaponMallet ? 8 : 0;
            const int s = weaponKind == kWeaponMallet ? 8 : (weaponKind == kWeaponPropeller ? 26 : 0);
            const int halfE = e / 2;  // whole pixels
            box = rect(4 + s - reach, 36 - s, 16 - halfE, reach - 20, 16 + e);
            break;
        }
        case kHeroRollingAttack:
        case kHeroRisingRollingAttack:
            box = circle(10.0, 10.0, 20.0, std::trunc(reach * (weaponKind == kWeaponPropeller ? 0.6 : 0.72)));
            break;
        case kHeroBangDownGround:
        case kHeroBangDownAir:
        case kHeroBangDownAirDash:
            if (name == "WoodenMallet_ShockWave") {
                box = rect(-74.0, 40.0, 30.0, 54, 16);
            } else if (name.back() == '1' || name == "BangDownGround1_WoodenMallet") {
                box = rect(6 - r38, 16.0, 40 - reach, r38, reach - 20);
            } else if (state == kHeroBangDownGround) {
                const double dx = right ? 16.0 : 6.0;
                if (right)
                    box = std::make_unique<CCollisionDetectionSectorUpRight>(
                        this, this, owner, dx, 22.0, reach - 20, lt, rh, kSideHero, aim, a);
                else
                    box = std::make_unique<CCollisionDetectionSectorUpLeft>(
                        this, this, owner, dx, 22.0, reach - 20, lt, rh, kSideHero, aim, a);
            } else {
                box = rect(-72.0, 44.0, -16.0, 48, 60);
            }
            break;
        case kHeroJabGround:
        case kHeroJabAir:
        case kHeroJabAirDash:
            box = rect(12 - reach, 28.0, 16.0, reach - 20, 16);
            break;
        case kHeroJabSquat:
            box = rect(12 - reach, 28.0, 6.0, reach - 20, 16);
            break;
        case kHeroSeqJabGround:
        case kHeroFinishJabGround:
        case kHeroJabDash:
        case kHeroJabHyperDash:
            box = rect(4 - reach, 36.0, 16.0, reach - 20, 16);
            break;
        case kHeroSwingAroundGround:
        case kHeroPropellerSwingGround:
        case kHeroPropellerSwingAir:
        case kHeroPropellerSwingAirDash: {
            const int circleRadius = reach / 2 + 6;  // whole pixels
            box = circle(-13.0, 35.0, 21.0, circleRadius);
            break;
        }
        case kHeroRisingAttack: {
            const int w = static_cast<int>(reach * 0.4);
            box = rect(-4 - w, 24.0, -32.0, w, static_cast<int>(reach * 0.7));
            break;
        }
        case kHeroDivingAttack:
            box = rect(-14.0, -6.0, reach - 60, 40, 64);
            break;
        default:
            return;
    }
    currentHitbox = box.get();
    AddChild(std::move(box));
    if (IPlaySceneServices* scene = GetSceneServices(owner)) scene->NotifyHeroAttackStarted();
}

// ---- The hose ----

void CHero::UpdateHose() {
    if (weaponKind != kWeaponHose || IsHeroHurtState(state)) {
        sprayFrames = shotTimer = 0;
        spraying = false;
        return;
    }
    if (!spraying) {
        if (attackPushed) {
            spraying = true;
            previousAimAngle = aimAngle;
        }
        return;
    }
    if (state == kHeroDiveWindup)
        sprayFrames = std::max(sprayFrames, 30.0);
    else if (state == kHeroDiveLanding)
        sprayFrames = std::max(sprayFrames, 180.0);
    else
        sprayFrames += lastFrames_;
    shotTimer += lastFrames_;
    if (sprayFrames < 200) {
        if (sprayFrames <= 30)
            pressure = sprayFrames / 30.0 * 350.0;
        else if (sprayFrames <= 160)
            pressure = 350.0;
        else
            pressure = (1.0 - (sprayFrames - 160.0) * 0.025) * 350.0;
        const double swing = std::fabs(aimAngle - previousAimAngle);
        if (swing > 0.1 * kPi && swing < kPi && pressure < 245.0) pressure = 244.999;
        if (shotTimer >= 2) FireHose();
    }
    // A spent spray stays spent: only a hurt or another weapon clears it for the next push.
    previousAimAngle = aimAngle;
}

void CHero::FireHose() {
    shotTimer = 0;
    PlaySE(SoundId::kWater1);
    const bool hover = state == kHeroHoverStill || state == kHeroHoverMove;
    auto shoot = [&](double angle) {
        pressure += RandomRange(-10, 10);
        double s = std::sin(angle);
        if (s > -0.001 && s < 0.001) s = 0.4;
        const double svx = pressure * std::cos(angle) + vx / 2.0;
        double svy = -(pressure * s);
        if (hover) svy /= 2.0;
        const double px = centerX + nozzleOffsetX - 4.0;
        const double py = centerY - (hover ? nozzleOffsetY / 2.0 : nozzleOffsetY) - 4.0;
        Registry().Add(std::make_unique<CHoseWater>(owner, px, py, svx, svy, true));
    };
    double angle = aimAngle;
    shoot(angle);
    if (hover || std::fabs(aimAngle - previousAimAngle) >= kPi) return;
    // A fast swing fills the arc it swept since the last shot.
    const double step = previousAimAngle > aimAngle ? 0.15 * kPi : -0.15 * kPi;
    for (;;) {
        angle += step;
        if ((step > 0 && angle > previousAimAngle) || (step < 0 && angle < previousAimAngle)) break;
        shoot(angle);
    }
}

void CHero::UpdatePeriodicSounds() {
    auto every = [&](double n) {
        const double now = stateFrames, before = stateFrames - lastFrames_;
        return std::floor(now / n) != std::floor(before / n);
    };
    const bool hovering = state == kHeroHoverStill || state == kHeroHoverMove;
    if (hovering && weaponKind != kWeaponPropeller && every(7)) PlaySE(SoundId::kAttack2);
    if (state == kHeroSeqJabGround && every(5)) PlaySE(SoundId::kAttack4);
    if (In(state, {kHeroPropellerSwingGround, kHeroPropellerSwingAir, kHeroPropellerSwingAirDash}) &&
        every(5))
        PlaySE(SoundId::kAttack9);
    if (hovering && weaponKind == kWeaponPropeller && every(4)) PlaySE(SoundId::kAttack9);
    if (state == kHeroRollingAttack && every(4)) PlaySE(SoundId::kAttack1);
}
