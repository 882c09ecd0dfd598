// The hero's attacks: which attack a push starts for each weapon, the attack names and their hit
// phases, the hitbox shapes, the hose and the sounds that repeat while an attack runs.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "play/AttackParameter.h"
#include "play/Hero.h"
#include "play/Hitboxes.h"
#include "play/HoseWater.h"
#include "play/ObjectRegistry.h"
#include "play/SceneServices.h"

namespace {

constexpr double kPi = std::numbers::pi;

}  // namespace

// ---- Choosing the attack ----

void CHero::StartAttack() {
    const bool up = KeyDown(kKeyUp), down = KeyDown(kKeyDown);
    // Combos out of a running attack.
    if (state == 27 && weaponKind <= kWeaponLongBar) {
        PlaySE(SoundId::kAttack2);
        SetState(28);
        return;
    }
    if (state == 28 && weaponKind == kWeaponShortBar) {
        SetState(up ? 36 : 29);
        return;
    }
    if (state == 28 && weaponKind == kWeaponLongBar) {
        SetState(up ? 38 : 32);
        return;
    }
    if (state == 32 && weaponKind == kWeaponLongBar) {
        SetState(33);
        return;
    }
    if (!In(state, {0, 1, 2, 4, 10, 11})) return;

    const bool dash = state == 2 || state == 4 || dashJump;
    int next = -1;
    int sound = -1;
    if (onGround) {
        switch (weaponKind) {
            case kWeaponBroom:
            case kWeaponShortBar:
            case kWeaponLongBar:
                if (state == 2 && std::fabs(vx) >= 360.0)
                    next = 59, sound = SoundId::kAttack2;
                else if (state == 4)
                    next = 60, sound = SoundId::kAttack2;
                else if (squatting)
                    next = 58, sound = SoundId::kAttack2;
                else
                    next = 27, sound = SoundId::kAttack1;
                break;
            case kWeaponMallet:
                if (squatting)
                    next = 58, sound = SoundId::kAttack2;
                else
                    next = 27, sound = SoundId::kAttack1;
                break;
            case kWeaponPropeller:
                if (squatting)
                    next = 58, sound = SoundId::kAttack2;
                else
                    next = 35;
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
                    next = 49, sound = SoundId::kAttack6;
                else
                    next = dash ? 46 : 42, sound = SoundId::kAttack2;
                break;
            case kWeaponMallet:
                next = down ? 49 : (dash ? 56 : 54);
                sound = SoundId::kAttack6;
                break;
            case kWeaponPropeller:
                next = dash ? 47 : 43;
                break;
            case kWeaponHose:
                if (down) next = 49;
                break;
            default:
                break;
        }
    }
    if (next < 0) return;
    if (sound >= 0) PlaySE(sound);
    SetState(next);
    if (In(next, {42, 43, 46, 47, 49, 54, 56}) && !airJumpReady) airActionUsed = true;
}

// ---- Attack names and hit phases ----

std::string CHero::GetAttackName() const {
    const double sf = stateFrames;
    const bool first = !hitPhaseReady[0], second = !hitPhaseReady[1], third = !hitPhaseReady[2];
    const bool mallet = weaponKind == kWeaponMallet;
    switch (state) {
        case 4:
            return "HyperDash";
        case 7:
            return "RollingAttack";
        case 27:
            if (mallet) {
                if (sf > 10 && second && third) return "WoodenMallet_ShockWave";
                if (sf > 8 && first && second) return "BangDownGround2_WoodenMallet";
                if (sf > 4 && first) return "BangDownGround1_WoodenMallet";
                return "";
            }
            if (sf > 8 && first && second) return "BangDownGround2";
            if (sf > 4 && first) return "BangDownGround1";
            return "";
        case 28:
            if (sf > 4 && first) return weaponKind == kWeaponBroom ? "JabGround_Broom" : "JabGround";
            return "";
        case 30:
            return "SwingAroundGround";
        case 32:
            return "SeqJabGround";
        case 34:
            return "FinishJabGround";
        case 35:
            return "PropellerSwingGround";
        case 37:
            return "RisingAttack";
        case 39:
            return "RisingRollingAttack";
        case 40:
        case 44: {
            const char* base = state == 40 ? "BangDownAir" : "BangDownAirDash";
            if (sf > 4 && second) return std::string(base) + "2";
            if (sf > 2 && first) return std::string(base) + "1";
            return "";
        }
        case 42:
            return sf > 2 && first ? "JabAir" : "";
        case 43:
            return "PropellerSwingAir";
        case 46:
            return sf > 2 && first ? "JabAirDash" : "";
        case 47:
            return "PropellerSwingAirDash";
        case 48:
            return mallet ? "DivingAttack_WoodenMallet" : "DivingAttack";
        case 58:
            return sf > 4 && first ? "JabSquat" : "";
        case 59:
            return "JabDash";
        case 60:
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
        case 27:
            phase(0, 4, false);
            if (phase(1, 8, true) && weaponKind == kWeaponMallet) {
                CCamera::GetInstance()->Shake();
                PlaySE(SoundId::kAttack7);
            }
            if (weaponKind == kWeaponMallet) phase(2, 10, true);
            break;
        case 28:
        case 58:
            phase(0, 4, false);
            break;
        case 40:
        case 44:
            phase(0, 2, false);
            phase(1, 4, false);
            break;
        case 42:
        case 46:
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
    auto rect = [&](double lx, double rx, double dy, int w, int h) -> IBase* {
        return new CCollisionDetectionRectangle(this, this, owner, right ? rx : lx, dy, w, h, lt, rh,
                                                kSideHero, aim, a);
    };
    auto circle = [&](double lx, double rx, double dy, double r) -> IBase* {
        return new CCollisionDetectionCircle(this, this, owner, right ? rx : lx, dy, r, lt, rh, kSideHero,
                                             aim, a);
    };
    const int r38 = static_cast<int>(reach * 0.38);
    IBase* box = nullptr;
    switch (state) {
        case 4: {
            const int e = weaponKind == kWeaponMallet ? 8 : 0;
            const int s = weaponKind == kWeaponMallet ? 8 : (weaponKind == kWeaponPropeller ? 26 : 0);
            const int halfE = e / 2;  // whole pixels
            box = rect(4 + s - reach, 36 - s, 16 - halfE, reach - 20, 16 + e);
            break;
        }
        case 7:
        case 39:
            box = circle(10.0, 10.0, 20.0, std::trunc(reach * (weaponKind == kWeaponPropeller ? 0.6 : 0.72)));
            break;
        case 27:
        case 40:
        case 44:
            if (name == "WoodenMallet_ShockWave") {
                box = rect(-74.0, 40.0, 30.0, 54, 16);
            } else if (name.back() == '1' || name == "BangDownGround1_WoodenMallet") {
                box = rect(6 - r38, 16.0, 40 - reach, r38, reach - 20);
            } else if (state == 27) {
                const double dx = right ? 16.0 : 6.0;
                if (right)
                    box = new CCollisionDetectionSectorUpRight(this, this, owner, dx, 22.0, reach - 20, lt,
                                                               rh, kSideHero, aim, a);
                else
                    box = new CCollisionDetectionSectorUpLeft(this, this, owner, dx, 22.0, reach - 20, lt, rh,
                                                              kSideHero, aim, a);
            } else {
                box = rect(-72.0, 44.0, -16.0, 48, 60);
            }
            break;
        case 28:
        case 42:
        case 46:
            box = rect(12 - reach, 28.0, 16.0, reach - 20, 16);
            break;
        case 58:
            box = rect(12 - reach, 28.0, 6.0, reach - 20, 16);
            break;
        case 32:
        case 34:
        case 59:
        case 60:
            box = rect(4 - reach, 36.0, 16.0, reach - 20, 16);
            break;
        case 30:
        case 35:
        case 43:
        case 47: {
            const int radius = reach / 2 + 6;  // whole pixels
            box = circle(-13.0, 35.0, 21.0, radius);
            break;
        }
        case 37: {
            const int w = static_cast<int>(reach * 0.4);
            box = rect(-4 - w, 24.0, -32.0, w, static_cast<int>(reach * 0.7));
            break;
        }
        case 48:
            box = rect(-14.0, -6.0, reach - 60, 40, 64);
            break;
        default:
            return;
    }
    currentHitbox = box;
    AddChild(box);
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
    if (state == 49)
        sprayFrames = std::max(sprayFrames, 30.0);
    else if (state == 50)
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
    const bool hover = state == 10 || state == 11;
    auto shoot = [&](double angle) {
        pressure += RandomRange(-10, 10);
        double s = std::sin(angle);
        if (s > -0.001 && s < 0.001) s = 0.4;
        const double svx = pressure * std::cos(angle) + vx / 2.0;
        double svy = -(pressure * s);
        if (hover) svy /= 2.0;
        const double px = centerX + nozzleOffsetX - 4.0;
        const double py = centerY - (hover ? nozzleOffsetY / 2.0 : nozzleOffsetY) - 4.0;
        CObjectRegistry::GetInstance()->Add(new CHoseWater(owner, px, py, svx, svy, true));
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
    const bool hovering = state == 10 || state == 11;
    if (hovering && weaponKind != kWeaponPropeller && every(7)) PlaySE(SoundId::kAttack2);
    if (state == 32 && every(5)) PlaySE(SoundId::kAttack4);
    if (In(state, {35, 43, 47}) && every(5)) PlaySE(SoundId::kAttack9);
    if (hovering && weaponKind == kWeaponPropeller && every(4)) PlaySE(SoundId::kAttack9);
    if (state == 7 && every(4)) PlaySE(SoundId::kAttack1);
}
