// The hero's states: the state change, the per-frame transitions, damage from attacks and from
// map chips, clashes, and the defeat flight.
#include <algorithm>
#include <cmath>

#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/EffectFactory.h"
#include "play/Hero.h"
#include "play/SceneServices.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

namespace {

constexpr double kInvincibleAfterDown = 80.0;

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
            scene->SetZoomOverride(0, Camera().GetBaseScale() * 1.15f, 3.0f);
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
    const TransitionInput now{ArrowsDown(), !onGround, attackPushCount >= 1,
                              KeyDown(facing ? kKeyRight : kKeyLeft), stateFrames};
    switch (state) {
        case kHeroStand:
        case kHeroWalk:
        case kHeroRun:
        case kHeroRunStop:
        case kHeroHyperDashStop:
            StepMovingTransitions(now);
            break;
        case kHeroHyperDash:
        case kHeroHyperJump:
        case kHeroRollingAttack:
        case kHeroWallBounce:
        case kHeroPushedBack:
        case kHeroRollLanding:
            StepDashTransitions(now);
            break;
        case kHeroHoverStill:
        case kHeroHoverMove:
            StepHoverTransitions(now);
            break;
        case kHeroRecoil:
        case kHeroStompBounce:
        case kHeroStagger:
        case kHeroStaggerBurning:
        case kHeroStaggerBlueBurning:
        case kHeroBlown:
        case kHeroBlownBurning:
        case kHeroBlownBlueBurning:
        case kHeroDown:
        case kHeroDownBurning:
        case kHeroDownBlueBurning:
        case kHeroGetUp:
        case kHeroFrozen:
        case kHeroThawing:
            StepHurtTransitions(now);
            break;
        case kHeroBangDownGround:
        case kHeroJabGround:
        case kHeroSwingWindup:
        case kHeroSwingAroundGround:
        case kHeroSeqJabGround:
        case kHeroFinishJabWindup:
        case kHeroFinishJabGround:
        case kHeroDiveLanding:
        case kHeroAirAttackLanding:
        case kHeroBangDownLanding:
        case kHeroJabSquat:
        case kHeroPropellerSwingGround:
        case kHeroRisingWindup:
        case kHeroRisingRollingWindup:
        case kHeroJabDash:
        case kHeroJabHyperDash:
            StepGroundAttackTransitions(now);
            break;
        case kHeroRisingAttack:
        case kHeroRisingRollingAttack:
        case kHeroBangDownAir:
        case kHeroBangDownAirDash:
        case kHeroJabAir:
        case kHeroJabAirDash:
        case kHeroPropellerSwingAir:
        case kHeroPropellerSwingAirDash:
        case kHeroDivingAttack:
        case kHeroDiveWindup:
        case kHeroRisingFall:
        case kHeroBangDownAirWindup:
        case kHeroBangDownAirDashWindup:
            StepAirAttackTransitions(now);
            break;
        default:
            break;
    }
}

// The hero stands, walks, runs or stops.
void CHero::StepMovingTransitions(const TransitionInput& now) {
    switch (state) {
        case kHeroStand:
            if (now.arrows && !squatting) {
                // A double tap on the ground starts a run; otherwise the hero walks.
                if (!now.air && (DoubleTapped(kKeyLeft) || DoubleTapped(kKeyRight))) {
                    PlaySE(SoundId::kDash1);
                    SetState(kHeroRun);
                } else {
                    SetState(kHeroWalk);
                }
            } else {
                NeutralExit(kHeroHoverStill);
            }
            break;
        case kHeroWalk:
            if (!now.arrows || squatting)
                SetState(kHeroStand);
            else
                NeutralExit(kHeroHoverMove);
            break;
        case kHeroRun:
            if (!now.air && runMeter >= 120) {
                PlaySE(SoundId::kDash2);
                SetState(kHeroHyperDash);
            } else if (!squatting && now.facingArrow) {
                NeutralExit(kHeroHoverMove);
            } else {
                SetState(now.air ? kHeroStand : kHeroRunStop);
            }
            break;
        case kHeroRunStop:
            if (now.air || vx == 0 || now.sf > 35) SetState(kHeroStand);
            break;
        case kHeroHyperDashStop:
            if (now.air || vx == 0 || now.sf > 60) SetState(kHeroStand);
            break;
        default:
            break;
    }
}

// The hyper dash, its jump, the rolling attack, and what follows them.
void CHero::StepDashTransitions(const TransitionInput& now) {
    switch (state) {
        case kHeroHyperDash:
            if (jumpPushed) {
                airJumpReady = false;
                if (now.air) {
                    SetState(kHeroRollingAttack);
                    SetUpwardSpeed(710);
                } else {
                    PlaySE(SoundId::kJump2);
                    SetState(kHeroHyperJump);
                    SetUpwardSpeed(weaponKind == kWeaponLongBar ? 900 : 770);
                }
            } else if (squatting || !now.facingArrow) {
                runMeter *= 0.7;
                if (now.air) {
                    SetState(kHeroStand);
                } else {
                    PlaySE(SoundId::kBrake1);
                    SetState(kHeroHyperDashStop);
                }
            } else if (!touchLeft && !touchRight) {
                if (now.attack) {
                    if (now.air) {
                        airJumpReady = false;
                        SetState(kHeroRollingAttack);
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
                Camera().Shake();
                runMeter *= 0.7;
                SetState(kHeroWallBounce);
            }
            break;
        case kHeroHyperJump:
            if (!now.air && vy > 0) {
                SetState(now.arrows ? kHeroHyperDash : kHeroHyperDashStop);
            } else if (jumpPushed || (attackPushed && !KeyDown(kKeyDown))) {
                SetState(kHeroRollingAttack);
                SetUpwardSpeed(710);
            } else if (attackPushed) {
                SetState(kHeroDiveWindup);
            }
            break;
        case kHeroRollingAttack:
            if (!now.air) {
                SetState(kHeroRollLanding);
            } else if (!touchLeft && !touchRight) {
                if (touchTop && vy < 0) {
                    vy = -vy;
                    PlaySE(SoundId::kShock2);
                }
                if (vy > 0 && jumpPushed) {
                    airActionUsed = true;
                    runMeter *= 0.5;
                    SetState(kHeroHoverMove);
                }
            } else {
                if (vy <= -150)
                    vy = std::max(vy, -360.0);
                else
                    SetUpwardSpeed(150);
                facing = touchRight ? 1 : 0;
                if ((facing == 1 && vx > 0) || (facing == 0 && vx < 0)) vx *= -0.6;
                PlaySE(SoundId::kShock2);
                Camera().Shake();
                runMeter *= 0.5;
                SetState(kHeroWallBounce);
            }
            break;
        case kHeroWallBounce:
        case kHeroPushedBack:
            if ((state == kHeroWallBounce && !now.air) || vx == 0 || now.sf > 15) {
                airActionUsed = true;
                SetState(kHeroStand);
            }
            break;
        case kHeroRollLanding:
            if (now.air || (vx == 0 && now.sf > 10) || now.sf > 60) SetState(kHeroStand);
            break;
        default:
            break;
    }
}

// Hovering in the air.
void CHero::StepHoverTransitions(const TransitionInput& now) {
    switch (state) {
        case kHeroHoverStill:
        case kHeroHoverMove: {
            hoverFrames += lastFrames_;
            const bool jumpDown = jumpPushed || jumpHeld;
            const bool propellerSpent = weaponKind == kWeaponPropeller && hoverFrames > 300;
            if (state == kHeroHoverStill) {
                if (!now.air || !jumpDown || propellerSpent) {
                    walkCycle = 0;
                    SetState(kHeroStand);
                } else if (now.arrows) {
                    SetState(kHeroHoverMove);
                } else if (now.attack) {
                    StartAttack();
                }
            } else if (now.air && jumpDown && !propellerSpent) {
                if (!now.arrows)
                    SetState(kHeroHoverStill);
                else if (now.attack)
                    StartAttack();
            } else {
                walkCycle = 0;
                SetState(dashJump ? kHeroRun : kHeroWalk);
            }
            break;
        }
        default:
            break;
    }
}

// Recoil, stomps, staggers, flights, downs and ice.
void CHero::StepHurtTransitions(const TransitionInput& now) {
    switch (state) {
        case kHeroRecoil:
            if (now.air || now.sf > 16) SetState(kHeroStand);
            break;
        case kHeroStompBounce:
            if (now.sf > 5) {
                const int before = previousState;
                const bool jumpDown = jumpPushed || jumpHeld || jumpReleasedFrames <= 5;
                PlaySE(SoundId::kJump3);
                if (In(before, {kHeroHyperJump, kHeroHyperDash, kHeroRun}))
                    SetState(before);
                else
                    SetState(now.arrows ? kHeroWalk : kHeroStand);
                vx = bounceSpeedX;
                SetUpwardSpeed(340.0 * (jumpDown ? 1.5 : 1.0));
            }
            break;
        case kHeroStagger:
        case kHeroStaggerBurning:
        case kHeroStaggerBlueBurning:
            if (now.air)
                SetState(BlownAfterStagger(state));
            else if (now.sf > 16)
                SetState(kHeroStand);
            break;
        case kHeroBlown:
        case kHeroBlownBurning:
        case kHeroBlownBlueBurning:
            if (now.sf > 60) {
                SetState(kHeroGetUp);
            } else if (now.sf > 4 && !now.air) {
                PlaySE(SoundId::kDown);
                SetState(DownAfterBlown(state));
            }
            break;
        case kHeroDown:
        case kHeroDownBurning:
        case kHeroDownBlueBurning:
            if (now.air) {
                SetState(kHeroStand);
                invincibleFrames = kInvincibleAfterDown;
            } else if (now.sf > 20) {
                SetState(kHeroGetUp);
            }
            break;
        case kHeroGetUp:
            if (now.sf > 4) {
                SetState(kHeroStand);
                invincibleFrames = kInvincibleAfterDown;
            }
            break;
        case kHeroFrozen:
            // Mashing breaks the ice sooner.
            for (int k : {kKeyUp, kKeyDown, kKeyLeft, kKeyRight})
                if (CInputManager::GetInstance()->IsPushed(k)) stateFrames += 2.5;
            if (attackPushed) stateFrames += 2.5;
            if (jumpPushed) stateFrames += 2.5;
            if (stateFrames > 100) {
                CreateEffect(kEffectIceBreak, centerX, centerY, owner);
                PlaySE(SoundId::kIce1);
                SetState(kHeroThawing);
            }
            break;
        case kHeroThawing:
            if (now.sf > 30) {
                SetState(kHeroStand);
                invincibleFrames = kInvincibleAfterDown;
            }
            break;
        default:
            break;
    }
}

// The attacks on the ground, their windups and their ends.
void CHero::StepGroundAttackTransitions(const TransitionInput& now) {
    switch (state) {
        case kHeroBangDownGround:
            if (now.sf > 22 || now.air)
                SetState(kHeroStand);
            else if (now.attack && now.sf > 14 && !hitPhaseReady[1] && hitStopFrames == 0)
                StartAttack();
            break;
        case kHeroJabGround:
            if (now.sf > 27 || now.air)
                SetState(kHeroStand);
            else if (now.attack && now.sf > 15)
                StartAttack();
            break;
        case kHeroSwingWindup:
            if (now.air) {
                SetState(kHeroStand);
            } else if (now.sf > 7) {
                PlaySE(SoundId::kAttack3);
                SetState(kHeroSwingAroundGround);
            }
            break;
        case kHeroSwingAroundGround: {
            const double end =
                attackPushCount == 0 ? 19 : (attackPushCount == 1 ? 26 : (attackPushCount == 2 ? 33 : 40));
            if (now.air || now.sf > end) SetState(kHeroStand);
            break;
        }
        case kHeroSeqJabGround:
            if (now.air || (attackPushCount == 0 && now.sf > 20))
                SetState(kHeroStand);
            else if (now.attack && now.sf > 27 + 7 * (std::min(attackPushCount, 4) - 1))
                StartAttack();
            break;
        case kHeroFinishJabWindup:
            if (now.air) {
                SetState(kHeroStand);
            } else if (now.sf > 7) {
                PlaySE(SoundId::kBomb1);
                SetState(kHeroFinishJabGround);
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
            if (now.sf > limit || now.air) SetState(kHeroStand);
            break;
        }
        case kHeroPropellerSwingGround:
            if (!attackPushed && !attackHeld)
                SetState(kHeroStand);
            else if (now.air)
                SetState(kHeroPropellerSwingAir);
            break;
        case kHeroRisingWindup:
        case kHeroRisingRollingWindup:
            if (now.sf > 6) {
                PlaySE(state == kHeroRisingWindup ? SoundId::kAttack8 : SoundId::kAttack3);
                SetState(AttackAfterWindup(state));
            }
            break;
        case kHeroJabDash:
            if (now.sf > 30 || now.air || (vx == 0 && now.sf > 20)) SetState(kHeroStand);
            break;
        case kHeroJabHyperDash:
            if (now.sf > 40 || now.air || (vx == 0 && now.sf > 25)) SetState(kHeroStand);
            break;
        default:
            break;
    }
}

// The attacks in the air, the rising attacks and the dive.
void CHero::StepAirAttackTransitions(const TransitionInput& now) {
    switch (state) {
        case kHeroRisingAttack:
            if (vy > -80) SetState(kHeroRisingFall);
            break;
        case kHeroRisingRollingAttack:
            if ((!now.air && vy >= 0) || now.sf > 20) SetState(kHeroRisingFall);
            break;
        case kHeroBangDownAir:
        case kHeroBangDownAirDash:
            if (!now.air) {
                Camera().Shake();
                PlaySE(SoundId::kAttack7);
                SetState(kHeroBangDownLanding);
            }
            break;
        case kHeroJabAir:
        case kHeroJabAirDash:
            if (!now.air)
                SetState(kHeroAirAttackLanding);
            else if (now.sf > 16)
                SetState(now.arrows ? (state == kHeroJabAir ? kHeroWalk : kHeroRun) : kHeroStand);
            break;
        case kHeroPropellerSwingAir:
        case kHeroPropellerSwingAirDash:
            if (attackPushed || attackHeld) {
                if (!now.air) SetState(kHeroPropellerSwingGround);
            } else {
                SetState(now.arrows ? (state == kHeroPropellerSwingAir ? kHeroWalk : kHeroRun) : kHeroStand);
            }
            break;
        case kHeroDivingAttack:
            if (!now.air) {
                Camera().Shake();
                PlaySE(SoundId::kShock2);
                SetState(kHeroDiveLanding);
            }
            break;
        case kHeroDiveWindup:
            if (!now.air) {
                SetState(kHeroAirAttackLanding);
            } else if (now.sf > (weaponKind == kWeaponHose ? 70 : 20)) {
                PlaySE(SoundId::kAttack5);
                SetState(kHeroDivingAttack);
            }
            break;
        case kHeroRisingFall:
            if (!now.air)
                SetState(kHeroStand);
            else if (now.sf > 15)
                SetState(now.arrows ? kHeroWalk : kHeroStand);
            break;
        case kHeroBangDownAirWindup:
        case kHeroBangDownAirDashWindup:
            if (!now.air) {
                SetState(kHeroAirAttackLanding);
            } else if (now.sf > 14) {
                PlaySE(SoundId::kAttack1);
                SetState(state == kHeroBangDownAirWindup ? kHeroBangDownAir : kHeroBangDownAirDash);
            }
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
    Camera().Shake();
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
        const CCamera* cam = &Camera();
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
