// The hero's states: the state change, the per-frame transitions, damage from attacks and from
// map chips, clashes, and the defeat flight.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "play/EffectFactory.h"
#include "play/Hero.h"
#include "play/SceneServices.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kInvincibleAfterDown = 80.0;
constexpr int kEffectSmallFire = 8, kEffectSmoke = 9, kEffectIceSmoke = 10, kEffectIceBreak = 13,
              kEffectSmallBlueFire = 14;

void ShakeCamera() { CCamera::GetInstance()->Shake(); }

// An attack that points up the screen.
bool FromAbove(double angle) { return angle >= -0.75 * kPi && angle <= -0.25 * kPi; }

}  // namespace

// ---- State change ----

void CHero::SetState(int n) {
    dashJump = (n == 10 || n == 11) && state != 10 && state != 11 && In(state, {2, 4, 7, 46, 47, 56});
    previousState = state;
    state = n;
    stateFrames = 0;
    attackPushCount = 0;
    for (bool& f : hitPhaseReady) f = true;
    if (!In(n, {12, 15, 16, 17})) staggerDamage = 0;
    if (!Between(n, 18, 23)) relaunchCount = 0;
    if (!In(n, {16, 17, 19, 20, 22, 23, 26})) effectTimer = 0;
    EnterState();
}

void CHero::EnterState() {
    // Entry impulses.
    switch (state) {
        case 14:
            vy = 0;
            break;
        case 37:
            SetUpwardSpeed(350.0);
            break;
        case 39:
            SetUpwardSpeed(400.0);
            break;
        case 48:
            vy = 1200.0;
            break;
        case 54:
        case 56:
            SetUpwardSpeed(380.0);
            break;
        default:
            break;
    }
    double lunge = 0;
    if (In(state, {27, 28, 31, 32})) lunge = 80.0;
    if (state == 30) lunge = 250.0;
    if (state == 34) lunge = 350.0;
    if (state == 37 || state == 39) lunge = 120.0;
    if (lunge > 0) {
        const double dir = facing ? 1.0 : -1.0;
        if (vx * dir < lunge) vx = dir * lunge;
    }
    UpdateDrive();
    UpdateGravity();
    SetSpeedLimitTargets();
    if (IPlaySceneServices* scene = GetSceneServices(owner)) {
        if (In(state, {4, 6, 7, 60}))
            scene->SetZoomOverride(0, CCamera::GetInstance()->GetBaseScale() * 1.15f, 3.0f);
        else
            scene->ClearZoomOverride(0, 1.5f);
    }
    UpdateAttack();
}

void CHero::SetSpeedLimitTargets() {
    double up = 1000, down = 700, side = 180;
    if (state == 2 || Between(state, 27, 39) || Between(state, 44, 47) || Between(state, 51, 53) ||
        Between(state, 56, 59)) {
        side = 360;
    } else if (In(state, {4, 6, 7, 60})) {
        side = 480;
    } else if (Between(state, 48, 50)) {
        down = 1200;
        side = 360;
        maxSpeedDown = 1200;
    } else if (state == 10 || state == 11) {
        if (weaponKind == kWeaponMallet) {
            down = side = 180;
            maxSpeedDown = 180;
        } else if (weaponKind == kWeaponPropeller) {
            up = 130;
            down = 75;
            side = 240;
            maxSpeedUp = 130;
            maxSpeedDown = 75;
        } else {
            down = 75;
            maxSpeedDown = 75;
        }
    }
    speedLimitTarget[0] = up;
    speedLimitTarget[1] = down;
    speedLimitTarget[2] = speedLimitTarget[3] = side;
}

void CHero::SetWeapon(int kind) {
    // In a run stop or a dash the hero keeps its motion; elsewhere it first stands, except in the
    // stop of a hyper dash.
    if (state != 2 && state != 3 && state != 5) SetState(kHeroStand);
    weaponKind = kind;
}

// ---- Transitions ----

bool CHero::NeutralExit(int hoverState) {
    const bool attack = attackPushCount >= 1;
    const bool falling = vy > 0;
    if (onGround || airJumpReady || !falling || (!jumpPushed && !jumpHeld) ||
        (weaponKind == kWeaponPropeller && hoverFrames > 300)) {
        if (attack) StartAttack();
        return true;
    }
    airActionUsed = true;
    SetState(hoverState);
    return true;
}

void CHero::UpdateTransitions() {
    if (attackBufferOpen && attackPushed) ++attackPushCount;
    UpdateHitPhases();
    const CInputManager* in = CInputManager::GetInstance();
    const bool arrows = ArrowsDown();
    const bool air = !onGround;
    const double sf = stateFrames;
    const bool attack = attackPushCount >= 1;
    const bool facingArrow = KeyDown(facing ? kKeyRight : kKeyLeft);
    auto endTo = [&](int n) { SetState(n); };
    switch (state) {
        case 0:
            if (arrows && !squatting) {
                // A double tap on the ground starts a run; otherwise the hero walks.
                if (!air && (DoubleTapped(kKeyLeft) || DoubleTapped(kKeyRight))) {
                    PlaySE(SoundId::kDash1);
                    endTo(2);
                } else {
                    endTo(1);
                }
            } else {
                NeutralExit(10);
            }
            break;
        case 1:
            if (!arrows || squatting)
                endTo(0);
            else
                NeutralExit(11);
            break;
        case 2:
            if (!air && runMeter >= 120) {
                PlaySE(SoundId::kDash2);
                endTo(4);
            } else if (!squatting && facingArrow) {
                NeutralExit(11);
            } else {
                endTo(air ? 0 : 3);
            }
            break;
        case 3:
            if (air || vx == 0 || sf > 35) endTo(0);
            break;
        case 4:
            if (jumpPushed) {
                airJumpReady = false;
                if (air) {
                    endTo(7);
                    SetUpwardSpeed(710);
                } else {
                    PlaySE(SoundId::kJump2);
                    endTo(6);
                    SetUpwardSpeed(weaponKind == kWeaponLongBar ? 900 : 770);
                }
            } else if (squatting || !facingArrow) {
                runMeter *= 0.7;
                if (air) {
                    endTo(0);
                } else {
                    PlaySE(SoundId::kBrake1);
                    endTo(5);
                }
            } else if (!touchLeft && !touchRight) {
                if (attack) {
                    if (air) {
                        airJumpReady = false;
                        endTo(7);
                        SetUpwardSpeed(710);
                    } else {
                        StartAttack();
                    }
                }
            } else {
                SetUpwardSpeed(220);
                facing = touchRight ? 1 : 0;
                if ((facing == 1 && vx > 0) || (facing == 0 && vx < 0)) vx *= -0.6;
                PlaySE(SoundId::kShock2);
                ShakeCamera();
                runMeter *= 0.7;
                endTo(8);
            }
            break;
        case 5:
            if (air || vx == 0 || sf > 60) endTo(0);
            break;
        case 6:
            if (!air && vy > 0) {
                endTo(arrows ? 4 : 5);
            } else if (jumpPushed || (attackPushed && !KeyDown(kKeyDown))) {
                endTo(7);
                SetUpwardSpeed(710);
            } else if (attackPushed) {
                endTo(49);
            }
            break;
        case 7:
            if (!air) {
                endTo(9);
            } else if (!touchLeft && !touchRight) {
                if (touchTop && vy < 0) {
                    vy = -vy;
                    PlaySE(SoundId::kShock2);
                }
                if (vy > 0 && jumpPushed) {
                    airActionUsed = true;
                    runMeter *= 0.5;
                    endTo(11);
                }
            } else {
                if (vy <= -150)
                    vy = std::max(vy, -360.0);
                else
                    SetUpwardSpeed(150);
                facing = touchRight ? 1 : 0;
                if ((facing == 1 && vx > 0) || (facing == 0 && vx < 0)) vx *= -0.6;
                PlaySE(SoundId::kShock2);
                ShakeCamera();
                runMeter *= 0.5;
                endTo(8);
            }
            break;
        case 8:
        case 13:
            if ((state == 8 && !air) || vx == 0 || sf > 15) {
                airActionUsed = true;
                endTo(0);
            }
            break;
        case 9:
            if (air || (vx == 0 && sf > 10) || sf > 60) endTo(0);
            break;
        case 10:
        case 11: {
            hoverFrames += lastFrames_;
            const bool jumpDown = jumpPushed || jumpHeld;
            const bool propellerSpent = weaponKind == kWeaponPropeller && hoverFrames > 300;
            if (state == 10) {
                if (!air || !jumpDown || propellerSpent) {
                    walkCycle = 0;
                    endTo(0);
                } else if (arrows) {
                    endTo(11);
                } else if (attack) {
                    StartAttack();
                }
            } else if (air && jumpDown && !propellerSpent) {
                if (!arrows)
                    endTo(10);
                else if (attack)
                    StartAttack();
            } else {
                walkCycle = 0;
                endTo(dashJump ? 2 : 1);
            }
            break;
        }
        case 12:
            if (air || sf > 16) endTo(0);
            break;
        case 14:
            if (sf > 5) {
                const int before = previousState;
                const bool jumpDown = jumpPushed || jumpHeld || jumpReleasedFrames <= 5;
                PlaySE(SoundId::kJump3);
                if (In(before, {6, 4, 2}))
                    endTo(before);
                else
                    endTo(arrows ? 1 : 0);
                vx = bounceSpeedX;
                SetUpwardSpeed(340.0 * (jumpDown ? 1.5 : 1.0));
            }
            break;
        case 15:
        case 16:
        case 17:
            if (air)
                endTo(state + 3);
            else if (sf > 16)
                endTo(0);
            break;
        case 18:
        case 19:
        case 20:
            if (sf > 60) {
                endTo(24);
            } else if (sf > 4 && !air) {
                PlaySE(SoundId::kDown);
                endTo(state + 3);
            }
            break;
        case 21:
        case 22:
        case 23:
            if (air) {
                endTo(0);
                invincibleFrames = kInvincibleAfterDown;
            } else if (sf > 20) {
                endTo(24);
            }
            break;
        case 24:
            if (sf > 4) {
                endTo(0);
                invincibleFrames = kInvincibleAfterDown;
            }
            break;
        case 25:
            // Mashing breaks the ice sooner.
            for (int k : {kKeyUp, kKeyDown, kKeyLeft, kKeyRight})
                if (in->IsPushed(k)) stateFrames += 2.5;
            if (attackPushed) stateFrames += 2.5;
            if (jumpPushed) stateFrames += 2.5;
            if (stateFrames > 100) {
                CreateEffect(kEffectIceBreak, centerX, centerY, owner);
                PlaySE(SoundId::kIce1);
                endTo(26);
            }
            break;
        case 26:
            if (sf > 30) {
                endTo(0);
                invincibleFrames = kInvincibleAfterDown;
            }
            break;
        case 27:
            if (sf > 22 || air)
                endTo(0);
            else if (attack && sf > 14 && !hitPhaseReady[1] && hitStopFrames == 0)
                StartAttack();
            break;
        case 28:
            if (sf > 27 || air)
                endTo(0);
            else if (attack && sf > 15)
                StartAttack();
            break;
        case 29:
            if (air) {
                endTo(0);
            } else if (sf > 7) {
                PlaySE(SoundId::kAttack3);
                endTo(30);
            }
            break;
        case 30: {
            const double end =
                attackPushCount == 0 ? 19 : (attackPushCount == 1 ? 26 : (attackPushCount == 2 ? 33 : 40));
            if (air || sf > end) endTo(0);
            break;
        }
        case 32:
            if (air || (attackPushCount == 0 && sf > 20))
                endTo(0);
            else if (attack && sf > 27 + 7 * (std::min(attackPushCount, 4) - 1))
                StartAttack();
            break;
        case 33:
            if (air) {
                endTo(0);
            } else if (sf > 7) {
                PlaySE(SoundId::kBomb1);
                endTo(34);
            }
            break;
        case 34:
        case 50:
        case 51:
        case 53:
        case 58: {
            const double limit =
                state == 34 ? 30 : (state == 50 ? 25 : (state == 51 ? 3 : (state == 53 ? 9 : 27)));
            if (sf > limit || air) endTo(0);
            break;
        }
        case 35:
            if (!attackPushed && !attackHeld)
                endTo(0);
            else if (air)
                endTo(43);
            break;
        case 36:
        case 38:
            if (sf > 6) {
                PlaySE(state == 36 ? SoundId::kAttack8 : SoundId::kAttack3);
                endTo(state + 1);
            }
            break;
        case 37:
            if (vy > -80) endTo(52);
            break;
        case 39:
            if ((!air && vy >= 0) || sf > 20) endTo(52);
            break;
        case 40:
        case 44:
            if (!air) {
                ShakeCamera();
                PlaySE(SoundId::kAttack7);
                endTo(53);
            }
            break;
        case 42:
        case 46:
            if (!air)
                endTo(51);
            else if (sf > 16)
                endTo(arrows ? (state == 42 ? 1 : 2) : 0);
            break;
        case 43:
        case 47:
            if (attackPushed || attackHeld) {
                if (!air) endTo(35);
            } else {
                endTo(arrows ? (state == 43 ? 1 : 2) : 0);
            }
            break;
        case 48:
            if (!air) {
                ShakeCamera();
                PlaySE(SoundId::kShock2);
                endTo(50);
            }
            break;
        case 49:
            if (!air) {
                endTo(51);
            } else if (sf > (weaponKind == kWeaponHose ? 70 : 20)) {
                PlaySE(SoundId::kAttack5);
                endTo(48);
            }
            break;
        case 52:
            if (!air)
                endTo(0);
            else if (sf > 15)
                endTo(arrows ? 1 : 0);
            break;
        case 54:
        case 56:
            if (!air) {
                endTo(51);
            } else if (sf > 14) {
                PlaySE(SoundId::kAttack1);
                endTo(state == 54 ? 40 : 44);
            }
            break;
        case 59:
            if (sf > 30 || air || (vx == 0 && sf > 20)) endTo(0);
            break;
        case 60:
            if (sf > 40 || air || (vx == 0 && sf > 25)) endTo(0);
            break;
        default:
            break;
    }
}

// ---- Per-frame status work ----

void CHero::UpdateAttackBuffer() {
    bool open = In(state, {0, 1, 2, 4, 10, 11});
    if (state == 27 || state == 28) open = stateFrames > 7;
    if (state == 30) open = stateFrames <= 35;
    if (state == 32) open = stateFrames <= 45;
    attackBufferOpen = open;
    invincibleFrames = std::max(0.0, invincibleFrames - lastFrames_);
}

void CHero::UpdateStatusEffects() {
    effectTimer += lastFrames_;
    int kind = 0;
    double period = 1;
    if (state == 16 || state == 19) {
        kind = RandomChance(20) ? kEffectSmoke : kEffectSmallFire;
    } else if (state == 17 || state == 20) {
        kind = RandomChance(20) ? kEffectSmoke : kEffectSmallBlueFire;
    } else if (state == 22 || state == 23) {
        kind = kEffectSmoke;
        period = 3;
    } else if (state == 26) {
        kind = kEffectIceSmoke;
        period = 3;
    }
    if (!kind || effectTimer <= period) return;
    effectTimer = 0;
    const int px = RandomRange(static_cast<int>(GetLeft()), static_cast<int>(GetRight()));
    const int py = RandomRange(static_cast<int>(GetTop()), static_cast<int>(GetBottom()));
    CreateEffect(kind, px, py, owner);
}

// ---- Damage ----

void CHero::TakeHitMove() {
    const double dt = GetFrameTime();
    x += vx * dt;
    y += vy * dt;
    ResolveMapCollision();
    IBase::UpdateCentre();
}

void CHero::RecoilFrom(int damage) {
    vx = facing ? -140.0 : 140.0;
    staggerDamage += damage;
    if (staggerDamage >= 20) {
        staggerDamage = 0;
        SetState(kHeroStagger);
    } else {
        PlaySE(SoundId::kGuard1);
        SetState(kHeroRecoil);
    }
    TakeHitMove();
}

int CHero::ReceiveStomp() {
    if (state == 13 || state == 14 || (!wasOnGround && airFrames < 8)) return kHitNoEffect;
    bounceSpeedX = vx;
    bounceSpeedY = -340.0;
    if (!In(state, {18, 19, 20, 25})) SetState(kHeroStompBounce);
    TakeHitMove();
    return kHitBounced;
}

int CHero::ReceivePush(AttackInfo info) {
    vx = info.power * std::cos(info.angle);
    vy = info.power * std::sin(info.angle);
    if (Between(state, 21, 23) && relaunchCount < 5) {
        const int kept = relaunchCount;
        SetState(state - 3);
        relaunchCount = kept + 1;
    } else if (!In(state, {18, 19, 20, 25})) {
        PlaySE(SoundId::kShock1);
        SetState(kHeroPushedBack);
    }
    TakeHitMove();
    return kHitPushed;
}

int CHero::ReceiveDamage(AttackInfo info) {
    int damage = info.damage;
    if (damage < 10 && !wasOnGround) damage = 10;  // no light hits in the air
    health = std::max(0, health - damage);
    if (health < 1) {
        if (IPlaySceneServices* scene = GetSceneServices(owner)) scene->OnHeroBeaten();
        dead = true;
        deathTimer = 0;
        vx = 0.7 * info.power * std::cos(info.angle);
        facing = vx < 0 ? 1 : 0;
        deathDirection = vx < 0 ? 1 : 2;
        return kHitDefeated;
    }
    staggerDamage += damage;
    ShakeCamera();
    if (staggerDamage < 10 && wasOnGround) {
        vx = 0.7 * info.power * std::cos(info.angle);
        facing = vx < 0 ? 1 : 0;
        SetState(info.flags[kAttackBlueBurst] ? 17 : (info.flags[kAttackRedBurst] ? 16 : 15));
    } else {
        vx = info.power * std::cos(info.angle);
        vy = info.power * std::sin(info.angle);
        facing = vx < 0 ? 1 : 0;
        if (info.flags[kAttackIce]) {
            PlaySE(SoundId::kIce1);
            SetState(kHeroFrozen);
        } else {
            SetState(info.flags[kAttackBlueBurst] ? 20 : (info.flags[kAttackRedBurst] ? 19 : 18));
        }
    }
    TakeHitMove();
    return kHitHurt;
}

int CHero::ReceiveAttack(AttackInfo info) {
    if (dead) return kHitImmune;
    const bool above = FromAbove(info.angle);
    const bool contact = info.flags[kAttackBodyContact] != 0;
    const bool push = info.flags[kAttackBodyPush] != 0;
    if (!contact && !push) {
        if (info.flags[kAttackFlag11] && above) return ReceiveStomp();
        if (info.damage == 0) return kHitNoEffect;
        if (invincibleFrames > 0 || state == 7 || Between(state, 18, 26)) return kHitImmune;
        if (state == kHeroRecoil) {
            facing = std::cos(info.angle) >= 0 ? 0 : 1;
            RecoilFrom(info.damage);
            return kHitNoEffect;
        }
        return ReceiveDamage(info);
    }
    if (push || !above) return ReceivePush(info);
    return ReceiveStomp();
}

void CHero::OnAttackClash(int result, AttackInfo, AttackInfo theirs) {
    if (result != kHitGuarded || !wasOnGround) return;
    RecoilFrom(theirs.damage);
}

void CHero::CheckDamagingChips() {
    if (invincibleFrames > 0 || state == 7 || Between(state, 18, 26)) return;
    const CStageMap* map = GetCurrentMap();
    if (!map) return;
    const double l = GetPreviousLeft(), r = GetPreviousRight(), t = GetPreviousTop(), b = GetPreviousBottom();
    const double m = (t + b) / 2;
    struct Side {
        bool touched;
        double points[3][2];
        int count;
        double angle;
    };
    const Side sides[4] = {
        {touchBottom, {{l, b + 1}, {r, b + 1}}, 2, vx >= 0 ? -0.75 * kPi : -0.25 * kPi},
        {touchTop, {{l, t - 1}, {r, t - 1}}, 2, vx >= 0 ? 0.75 * kPi : 0.25 * kPi},
        {touchLeft, {{l - 1, t}, {l - 1, m}, {l - 1, b}}, 3, -0.15 * kPi},
        {touchRight, {{r + 1, t}, {r + 1, m}, {r + 1, b}}, 3, -0.85 * kPi},
    };
    for (const Side& side : sides) {
        if (!side.touched) continue;
        for (int i = 0; i < side.count; ++i) {
            const int px = static_cast<int>(side.points[i][0]), py = static_cast<int>(side.points[i][1]);
            const int cx = px >= 0 ? px / 32 : (px - 31) / 32, cy = py >= 0 ? py / 32 : (py - 31) / 32;
            const int damage = GetChipDamage(map->GetChip(cx, cy));
            if (damage <= 0) continue;
            PlaySE(SoundId::kAttack10);
            AttackInfo a;
            a.damage = damage;
            a.power = 300.0;
            a.angle = side.angle;
            ReceiveAttack(a);
            return;
        }
    }
}

// ---- Defeat ----

void CHero::UpdateDefeated() {
    const double frames = GetFrameTime() * 60.0;
    deathTimer += frames;
    ShiftAfterImages();
    BeginFrame();
    if (deathTimer <= 48) {
        const CCamera* cam = CCamera::GetInstance();
        const float sl = cam->WorldToScreenX(static_cast<float>(GetLeft()), static_cast<float>(GetTop()));
        const float st = cam->WorldToScreenY(static_cast<float>(GetLeft()), static_cast<float>(GetTop()));
        const float sr = cam->WorldToScreenX(static_cast<float>(GetRight()), static_cast<float>(GetBottom()));
        const float sb = cam->WorldToScreenY(static_cast<float>(GetRight()), static_cast<float>(GetBottom()));
        const bool left = sl<0, right = sr> 640, top = st<0, bottom = sb> 480;
        int& d = deathDirection;
        if (left && top)
            d = 4;
        else if (right && top)
            d = 3;
        else if (left && bottom)
            d = 2;
        else if (right && bottom)
            d = 1;
        else if (left)
            d = d == 1 ? 2 : (d == 3 ? 4 : d);
        else if (top)
            d = d == 1 ? 3 : (d == 2 ? 4 : d);
        else if (right)
            d = d == 2 ? 1 : (d == 4 ? 3 : d);
        else if (bottom)
            d = d == 3 ? 1 : (d == 4 ? 2 : d);
    }
    const double dt = GetFrameTime();
    const double sx = (deathDirection == 1 || deathDirection == 3) ? -1.0 : 1.0;
    const double sy = (deathDirection == 1 || deathDirection == 2) ? -1.0 : 1.0;
    x += sx * 1200.0 * dt;
    y += sy * 1200.0 * dt;
    IBase::UpdateCentre();
    UpdateImage();
    EndFrame();
}
