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

// A stagger that leaves the ground becomes the blown state of the same burn.
int BlownAfterStagger(int stagger) {
    switch (stagger) {
        case kHeroStaggerBurning:
            return kHeroBlownBurning;
        case kHeroStaggerBlueBurning:
            return kHeroBlownBlueBurning;
        default:
            return kHeroBlown;
    }
}

// A blown hero who lands lies down, still burning as he flew.
int DownAfterBlown(int blown) {
    switch (blown) {
        case kHeroBlownBurning:
            return kHeroDownBurning;
        case kHeroBlownBlueBurning:
            return kHeroDownBlueBurning;
        default:
            return kHeroDown;
    }
}

// A hero struck while lying down is blown again, with the same burn.
int BlownAgainFromDown(int down) {
    switch (down) {
        case kHeroDownBurning:
            return kHeroBlownBurning;
        case kHeroDownBlueBurning:
            return kHeroBlownBlueBurning;
        default:
            return kHeroBlown;
    }
}

// The rising attacks follow their windups.
int AttackAfterWindup(int windup) {
    return windup == kHeroRisingWindup ? kHeroRisingAttack : kHeroRisingRollingAttack;
}

}  // namespace

// ---- State change ----

void CHero::SetState(int n) {
    dashJump = (n == kHeroHoverStill || n == kHeroHoverMove) && state != kHeroHoverStill &&
               state != kHeroHoverMove &&
               In(state, {kHeroRun, kHeroHyperDash, kHeroRollingAttack, kHeroJabAirDash,
                          kHeroPropellerSwingAirDash, kHeroBangDownAirDashWindup});
    previousState = state;
    state = n;
    stateFrames = 0;
    attackPushCount = 0;
    for (bool& f : hitPhaseReady) f = true;
    if (!In(n, {kHeroRecoil, kHeroStagger, kHeroStaggerBurning, kHeroStaggerBlueBurning})) staggerDamage = 0;
    if (!Between(n, kHeroBlown, kHeroDownBlueBurning)) relaunchCount = 0;
    if (!In(n, {kHeroStaggerBurning, kHeroStaggerBlueBurning, kHeroBlownBurning, kHeroBlownBlueBurning,
                kHeroDownBurning, kHeroDownBlueBurning, kHeroThawing}))
        effectTimer = 0;
    EnterState();
}

void CHero::EnterState() {
    // Entry impulses.
    switch (state) {
        case kHeroStompBounce:
            vy = 0;
            break;
        case kHeroRisingAttack:
            SetUpwardSpeed(350.0);
            break;
        case kHeroRisingRollingAttack:
            SetUpwardSpeed(400.0);
            break;
        case kHeroDivingAttack:
            vy = 1200.0;
            break;
        case kHeroBangDownAirWindup:
        case kHeroBangDownAirDashWindup:
            SetUpwardSpeed(380.0);
            break;
        default:
            break;
    }
    double lunge = 0;
    if (In(state, {kHeroBangDownGround, kHeroJabGround, kHeroSeqJabGround})) lunge = 80.0;
    if (state == kHeroSwingAroundGround) lunge = 250.0;
    if (state == kHeroFinishJabGround) lunge = 350.0;
    if (state == kHeroRisingAttack || state == kHeroRisingRollingAttack) lunge = 120.0;
    if (lunge > 0) {
        const double dir = facing ? 1.0 : -1.0;
        if (vx * dir < lunge) vx = dir * lunge;
    }
    UpdateDrive();
    UpdateGravity();
    SetSpeedLimitTargets();
    if (IPlaySceneServices* scene = GetSceneServices(owner)) {
        if (In(state, {kHeroHyperDash, kHeroHyperJump, kHeroRollingAttack, kHeroJabHyperDash}))
            scene->SetZoomOverride(0, CCamera::GetInstance()->GetBaseScale() * 1.15f, 3.0f);
        else
            scene->ClearZoomOverride(0, 1.5f);
    }
    UpdateAttack();
}

void CHero::SetSpeedLimitTargets() {
    double up = 1000, down = 700, side = 180;
    if (state == kHeroRun || Between(state, kHeroBangDownGround, kHeroRisingRollingAttack) ||
        Between(state, kHeroBangDownAirDash, kHeroPropellerSwingAirDash) ||
        Between(state, kHeroAirAttackLanding, kHeroBangDownLanding) ||
        Between(state, kHeroBangDownAirDashWindup, kHeroJabDash)) {
        side = 360;
    } else if (In(state, {kHeroHyperDash, kHeroHyperJump, kHeroRollingAttack, kHeroJabHyperDash})) {
        side = 480;
    } else if (Between(state, kHeroDivingAttack, kHeroDiveLanding)) {
        down = 1200;
        side = 360;
        maxSpeedDown = 1200;
    } else if (state == kHeroHoverStill || state == kHeroHoverMove) {
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
    if (state != kHeroRun && state != kHeroRunStop && state != kHeroHyperDashStop) SetState(kHeroStand);
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
        case kHeroStand:
            if (arrows && !squatting) {
                // A double tap on the ground starts a run; otherwise the hero walks.
                if (!air && (DoubleTapped(kKeyLeft) || DoubleTapped(kKeyRight))) {
                    PlaySE(SoundId::kDash1);
                    endTo(kHeroRun);
                } else {
                    endTo(kHeroWalk);
                }
            } else {
                NeutralExit(kHeroHoverStill);
            }
            break;
        case kHeroWalk:
            if (!arrows || squatting)
                endTo(kHeroStand);
            else
                NeutralExit(kHeroHoverMove);
            break;
        case kHeroRun:
            if (!air && runMeter >= 120) {
                PlaySE(SoundId::kDash2);
                endTo(kHeroHyperDash);
            } else if (!squatting && facingArrow) {
                NeutralExit(kHeroHoverMove);
            } else {
                endTo(air ? kHeroStand : kHeroRunStop);
            }
            break;
        case kHeroRunStop:
            if (air || vx == 0 || sf > 35) endTo(kHeroStand);
            break;
        case kHeroHyperDash:
            if (jumpPushed) {
                airJumpReady = false;
                if (air) {
                    endTo(kHeroRollingAttack);
                    SetUpwardSpeed(710);
                } else {
                    PlaySE(SoundId::kJump2);
                    endTo(kHeroHyperJump);
                    SetUpwardSpeed(weaponKind == kWeaponLongBar ? 900 : 770);
                }
            } else if (squatting || !facingArrow) {
                runMeter *= 0.7;
                if (air) {
                    endTo(kHeroStand);
                } else {
                    PlaySE(SoundId::kBrake1);
                    endTo(kHeroHyperDashStop);
                }
            } else if (!touchLeft && !touchRight) {
                if (attack) {
                    if (air) {
                        airJumpReady = false;
                        endTo(kHeroRollingAttack);
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
                endTo(kHeroWallBounce);
            }
            break;
        case kHeroHyperDashStop:
            if (air || vx == 0 || sf > 60) endTo(kHeroStand);
            break;
        case kHeroHyperJump:
            if (!air && vy > 0) {
                endTo(arrows ? kHeroHyperDash : kHeroHyperDashStop);
            } else if (jumpPushed || (attackPushed && !KeyDown(kKeyDown))) {
                endTo(kHeroRollingAttack);
                SetUpwardSpeed(710);
            } else if (attackPushed) {
                endTo(kHeroDiveWindup);
            }
            break;
        case kHeroRollingAttack:
            if (!air) {
                endTo(kHeroRollLanding);
            } else if (!touchLeft && !touchRight) {
                if (touchTop && vy < 0) {
                    vy = -vy;
                    PlaySE(SoundId::kShock2);
                }
                if (vy > 0 && jumpPushed) {
                    airActionUsed = true;
                    runMeter *= 0.5;
                    endTo(kHeroHoverMove);
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
                endTo(kHeroWallBounce);
            }
            break;
        case kHeroWallBounce:
        case kHeroPushedBack:
            if ((state == kHeroWallBounce && !air) || vx == 0 || sf > 15) {
                airActionUsed = true;
                endTo(kHeroStand);
            }
            break;
        case kHeroRollLanding:
            if (air || (vx == 0 && sf > 10) || sf > 60) endTo(kHeroStand);
            break;
        case kHeroHoverStill:
        case kHeroHoverMove: {
            hoverFrames += lastFrames_;
            const bool jumpDown = jumpPushed || jumpHeld;
            const bool propellerSpent = weaponKind == kWeaponPropeller && hoverFrames > 300;
            if (state == kHeroHoverStill) {
                if (!air || !jumpDown || propellerSpent) {
                    walkCycle = 0;
                    endTo(kHeroStand);
                } else if (arrows) {
                    endTo(kHeroHoverMove);
                } else if (attack) {
                    StartAttack();
                }
            } else if (air && jumpDown && !propellerSpent) {
                if (!arrows)
                    endTo(kHeroHoverStill);
                else if (attack)
                    StartAttack();
            } else {
                walkCycle = 0;
                endTo(dashJump ? kHeroRun : kHeroWalk);
            }
            break;
        }
        case kHeroRecoil:
            if (air || sf > 16) endTo(kHeroStand);
            break;
        case kHeroStompBounce:
            if (sf > 5) {
                const int before = previousState;
                const bool jumpDown = jumpPushed || jumpHeld || jumpReleasedFrames <= 5;
                PlaySE(SoundId::kJump3);
                if (In(before, {kHeroHyperJump, kHeroHyperDash, kHeroRun}))
                    endTo(before);
                else
                    endTo(arrows ? kHeroWalk : kHeroStand);
                vx = bounceSpeedX;
                SetUpwardSpeed(340.0 * (jumpDown ? 1.5 : 1.0));
            }
            break;
        case kHeroStagger:
        case kHeroStaggerBurning:
        case kHeroStaggerBlueBurning:
            if (air)
                endTo(BlownAfterStagger(state));
            else if (sf > 16)
                endTo(kHeroStand);
            break;
        case kHeroBlown:
        case kHeroBlownBurning:
        case kHeroBlownBlueBurning:
            if (sf > 60) {
                endTo(kHeroGetUp);
            } else if (sf > 4 && !air) {
                PlaySE(SoundId::kDown);
                endTo(DownAfterBlown(state));
            }
            break;
        case kHeroDown:
        case kHeroDownBurning:
        case kHeroDownBlueBurning:
            if (air) {
                endTo(kHeroStand);
                invincibleFrames = kInvincibleAfterDown;
            } else if (sf > 20) {
                endTo(kHeroGetUp);
            }
            break;
        case kHeroGetUp:
            if (sf > 4) {
                endTo(kHeroStand);
                invincibleFrames = kInvincibleAfterDown;
            }
            break;
        case kHeroFrozen:
            // Mashing breaks the ice sooner.
            for (int k : {kKeyUp, kKeyDown, kKeyLeft, kKeyRight})
                if (in->IsPushed(k)) stateFrames += 2.5;
            if (attackPushed) stateFrames += 2.5;
            if (jumpPushed) stateFrames += 2.5;
            if (stateFrames > 100) {
                CreateEffect(kEffectIceBreak, centerX, centerY, owner);
                PlaySE(SoundId::kIce1);
                endTo(kHeroThawing);
            }
            break;
        case kHeroThawing:
            if (sf > 30) {
                endTo(kHeroStand);
                invincibleFrames = kInvincibleAfterDown;
            }
            break;
        case kHeroBangDownGround:
            if (sf > 22 || air)
                endTo(kHeroStand);
            else if (attack && sf > 14 && !hitPhaseReady[1] && hitStopFrames == 0)
                StartAttack();
            break;
        case kHeroJabGround:
            if (sf > 27 || air)
                endTo(kHeroStand);
            else if (attack && sf > 15)
                StartAttack();
            break;
        case kHeroSwingWindup:
            if (air) {
                endTo(kHeroStand);
            } else if (sf > 7) {
                PlaySE(SoundId::kAttack3);
                endTo(kHeroSwingAroundGround);
            }
            break;
        case kHeroSwingAroundGround: {
            const double end =
                attackPushCount == 0 ? 19 : (attackPushCount == 1 ? 26 : (attackPushCount == 2 ? 33 : 40));
            if (air || sf > end) endTo(kHeroStand);
            break;
        }
        case kHeroSeqJabGround:
            if (air || (attackPushCount == 0 && sf > 20))
                endTo(kHeroStand);
            else if (attack && sf > 27 + 7 * (std::min(attackPushCount, 4) - 1))
                StartAttack();
            break;
        case kHeroFinishJabWindup:
            if (air) {
                endTo(kHeroStand);
            } else if (sf > 7) {
                PlaySE(SoundId::kBomb1);
                endTo(kHeroFinishJabGround);
            }
            break;
        case kHeroFinishJabGround:
        case kHeroDiveLanding:
        case kHeroAirAttackLanding:
        case kHeroBangDownLanding:
        case kHeroJabSquat: {
            const double limit =
                state == kHeroFinishJabGround
                    ? 30
                    : (state == kHeroDiveLanding
                           ? 25
                           : (state == kHeroAirAttackLanding ? 3 : (state == kHeroBangDownLanding ? 9 : 27)));
            if (sf > limit || air) endTo(kHeroStand);
            break;
        }
        case kHeroPropellerSwingGround:
            if (!attackPushed && !attackHeld)
                endTo(kHeroStand);
            else if (air)
                endTo(kHeroPropellerSwingAir);
            break;
        case kHeroRisingWindup:
        case kHeroRisingRollingWindup:
            if (sf > 6) {
                PlaySE(state == kHeroRisingWindup ? SoundId::kAttack8 : SoundId::kAttack3);
                endTo(AttackAfterWindup(state));
            }
            break;
        case kHeroRisingAttack:
            if (vy > -80) endTo(kHeroRisingFall);
            break;
        case kHeroRisingRollingAttack:
            if ((!air && vy >= 0) || sf > 20) endTo(kHeroRisingFall);
            break;
        case kHeroBangDownAir:
        case kHeroBangDownAirDash:
            if (!air) {
                ShakeCamera();
                PlaySE(SoundId::kAttack7);
                endTo(kHeroBangDownLanding);
            }
            break;
        case kHeroJabAir:
        case kHeroJabAirDash:
            if (!air)
                endTo(kHeroAirAttackLanding);
            else if (sf > 16)
                endTo(arrows ? (state == kHeroJabAir ? kHeroWalk : kHeroRun) : kHeroStand);
            break;
        case kHeroPropellerSwingAir:
        case kHeroPropellerSwingAirDash:
            if (attackPushed || attackHeld) {
                if (!air) endTo(kHeroPropellerSwingGround);
            } else {
                endTo(arrows ? (state == kHeroPropellerSwingAir ? kHeroWalk : kHeroRun) : kHeroStand);
            }
            break;
        case kHeroDivingAttack:
            if (!air) {
                ShakeCamera();
                PlaySE(SoundId::kShock2);
                endTo(kHeroDiveLanding);
            }
            break;
        case kHeroDiveWindup:
            if (!air) {
                endTo(kHeroAirAttackLanding);
            } else if (sf > (weaponKind == kWeaponHose ? 70 : 20)) {
                PlaySE(SoundId::kAttack5);
                endTo(kHeroDivingAttack);
            }
            break;
        case kHeroRisingFall:
            if (!air)
                endTo(kHeroStand);
            else if (sf > 15)
                endTo(arrows ? kHeroWalk : kHeroStand);
            break;
        case kHeroBangDownAirWindup:
        case kHeroBangDownAirDashWindup:
            if (!air) {
                endTo(kHeroAirAttackLanding);
            } else if (sf > 14) {
                PlaySE(SoundId::kAttack1);
                endTo(state == kHeroBangDownAirWindup ? kHeroBangDownAir : kHeroBangDownAirDash);
            }
            break;
        case kHeroJabDash:
            if (sf > 30 || air || (vx == 0 && sf > 20)) endTo(kHeroStand);
            break;
        case kHeroJabHyperDash:
            if (sf > 40 || air || (vx == 0 && sf > 25)) endTo(kHeroStand);
            break;
        default:
            break;
    }
}

// ---- Per-frame status work ----

void CHero::UpdateAttackBuffer() {
    bool open = In(state, {kHeroStand, kHeroWalk, kHeroRun, kHeroHyperDash, kHeroHoverStill, kHeroHoverMove});
    if (state == kHeroBangDownGround || state == kHeroJabGround) open = stateFrames > 7;
    if (state == kHeroSwingAroundGround) open = stateFrames <= 35;
    if (state == kHeroSeqJabGround) open = stateFrames <= 45;
    attackBufferOpen = open;
    invincibleFrames = std::max(0.0, invincibleFrames - lastFrames_);
}

void CHero::UpdateStatusEffects() {
    effectTimer += lastFrames_;
    int kind = 0;
    double period = 1;
    if (state == kHeroStaggerBurning || state == kHeroBlownBurning) {
        kind = RandomChance(20) ? kEffectSmoke : kEffectSmallFire;
    } else if (state == kHeroStaggerBlueBurning || state == kHeroBlownBlueBurning) {
        kind = RandomChance(20) ? kEffectSmoke : kEffectSmallBlueFire;
    } else if (state == kHeroDownBurning || state == kHeroDownBlueBurning) {
        kind = kEffectSmoke;
        period = 3;
    } else if (state == kHeroThawing) {
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
    if (state == kHeroPushedBack || state == kHeroStompBounce || (!wasOnGround && airFrames < 8))
        return kHitNoEffect;
    bounceSpeedX = vx;
    bounceSpeedY = -340.0;
    if (!In(state, {kHeroBlown, kHeroBlownBurning, kHeroBlownBlueBurning, kHeroFrozen}))
        SetState(kHeroStompBounce);
    TakeHitMove();
    return kHitBounced;
}

int CHero::ReceivePush(AttackInfo info) {
    vx = info.power * std::cos(info.angle);
    vy = info.power * std::sin(info.angle);
    if (Between(state, kHeroDown, kHeroDownBlueBurning) && relaunchCount < 5) {
        const int kept = relaunchCount;
        SetState(BlownAgainFromDown(state));
        relaunchCount = kept + 1;
    } else if (!In(state, {kHeroBlown, kHeroBlownBurning, kHeroBlownBlueBurning, kHeroFrozen})) {
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
        SetState(info.flags[kAttackBlueBurst]
                     ? kHeroStaggerBlueBurning
                     : (info.flags[kAttackRedBurst] ? kHeroStaggerBurning : kHeroStagger));
    } else {
        vx = info.power * std::cos(info.angle);
        vy = info.power * std::sin(info.angle);
        facing = vx < 0 ? 1 : 0;
        if (info.flags[kAttackIce]) {
            PlaySE(SoundId::kIce1);
            SetState(kHeroFrozen);
        } else {
            SetState(info.flags[kAttackBlueBurst]
                         ? kHeroBlownBlueBurning
                         : (info.flags[kAttackRedBurst] ? kHeroBlownBurning : kHeroBlown));
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
        if (invincibleFrames > 0 || state == kHeroRollingAttack || Between(state, kHeroBlown, kHeroThawing))
            return kHitImmune;
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
    if (invincibleFrames > 0 || state == kHeroRollingAttack || Between(state, kHeroBlown, kHeroThawing))
        return;
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
