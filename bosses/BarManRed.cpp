#include "bosses/BarManRed.h"

#include <cmath>

#include "bosses/BarManAttacks.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "play/EffectFactory.h"
#include "play/Hitboxes.h"

namespace {

// A cycle of four poses of column `columns[i]` on page 1 and row `row`, each for `span` frames.
void Cycle(CBarManBase* b, double t, int span, const int (&columns)[4], int row) {
    const int n = 4 * span;
    const int i = ((static_cast<int>(std::trunc(t)) % n + n) % n) / span;
    b->ShowPose(1, columns[i], row);
}

}  // namespace

CBarManRed::CBarManRed(CStage* ownerStage, double px, double py, int facingIn, int creator)
    : CBarManBase(ownerStage, px, py, facingIn, kBarManRed, creator) {
    vx = 0;
    vy = 4.0 * GetFrameRate();
    hitPoints = 300;
    SetRedState(kRedDecide);
}

void CBarManRed::SetRedState(int s) {
    redStateTime = 0;
    redState = s;
    const double f = FacingSign();
    // Most states brake toward rest under gravity with 700 limits and no guard.
    double limits[4] = {700, 700, 700, 700};
    int guard = 0;
    ay = 750.0;
    switch (s) {
        case kRedDecide:
        case kRedBrace:
        case kRedFire:
            ax = -700 * f, guard = 25;
            break;
        case kRedAirborne:
            ax = -700 * f;
            break;
        case kRedRun:
            ax = 1400 * f, limits[2] = limits[3] = 200, guard = 25;
            break;
        case kRedBackOff:
            ax = -1400 * f, limits[2] = limits[3] = 80, guard = 40;
            break;
        case kRedHop:
            vx = 130 * f, vy = -400, ax = 0;
            PlaySE(SoundId::kJump4);
            break;
        case kRedBackHop:
            vx = -180 * f, vy = -260, ax = 0;
            PlaySE(SoundId::kJump4);
            break;
        case kRedWallHop:
            vx = 150 * f, vy = -550, ax = 300 * f, limits[2] = limits[3] = 150;
            PlaySE(SoundId::kJump4);
            break;
        case kRedReadySwing:
        case kRedReadyDash:
        case kRedCrouch:
            ax = -700 * f, guard = 15;
            break;
        case kRedSwing:
            vx = 500 * f, ax = -1500 * f;
            PlaySE(SoundId::kAttack9);
            break;
        case kRedDash:
            vx = 500 * f, ax = 0;
            break;
        case kRedDashSwing:
            ax = -1200 * f;
            PlaySE(SoundId::kAttack9);
            break;
        case kRedUpperStrike:
            ax = -1200 * f;
            PlaySE(SoundId::kAttack1);
            break;
        case kRedWhirl:
            vx = 110 * f, vy = -320, ax = 0;
            PlaySE(SoundId::kAttack3);
            break;
        case kRedFall:
            ax = 0;
            break;
        case kRedLanding:
            ax = -1500 * f;
            break;
        case kRedHover:
            ax = -3 * vx, ay = -3 * vy;
            PlaySE(SoundId::kAttack3);
            break;
        case kRedDive:
            vx = 700 * f, vy = 700, ax = 0, ay = 0;
            PlaySE(SoundId::kAttack9);
            PlaySE(SoundId::kBomb1);
            break;
        case kRedDiveLanding:
            ax = -2.2 * vx;
            break;
        case kRedCharge:
            vx = 1200 * f, ax = 0;
            for (double& l : limits) l = 1200;
            PlaySE(SoundId::kDash2);
            break;
        case kRedChargeStop:
            vx = vy = ax = 0;
            for (double& l : limits) l = 1200;
            guard = 25;
            break;
        case kRedLunge:
            vx = 1800 * f, ax = 0;
            for (double& l : limits) l = 1800;
            PlaySE(SoundId::kAttack9);
            PlaySE(SoundId::kBomb1);
            break;
        case kRedBrake:
            ax = -10000 * f;
            for (double& l : limits) l = 1800;
            break;
        default:
            break;
    }
    maxSpeedUp = limits[0], maxSpeedDown = limits[1], maxSpeedLeft = limits[2], maxSpeedRight = limits[3];
    guardChance = guard;
    afterimageVisible =
        s == kRedDiveLanding || s == kRedCharge || s == kRedChargeStop || s == kRedLunge || s == kRedBrake;
    redOnce = false;
}

void CBarManRed::MakeStrike(Strike which) {
    const bool right = facing == 1;
    const double w = width, h = height;
    const int mx = MidX(), my = MidY();
    switch (which) {
        case kSwing:
        case kDashSwing:
        case kLunge: {
            const int damage = which == kSwing ? 10 : 15;
            const double power = which == kLunge ? 1000.0 : 350.0;
            const AttackInfo a =
                BossAttack(damage, power, right ? -3 * kPi / 4 : -kPi / 4, {kAttackRedBurst});
            AddBossRectangle(this, right ? w / 2 : w / 2 - 96, h / 2 - 80, 96, 112, 6, kAimKeep, a);
            const int reach = which == kLunge ? 96 : 48;
            CreateEffect(right ? 32 : 31, right ? mx + reach : mx - reach, my, owner);
            break;
        }
        case kUpper: {
            const AttackInfo a = BossAttack(10, 300.0, right ? -0.15 * kPi : -0.85 * kPi,
                                            {kAttackReflectable, kAttackRedBurst});
            AddBossQuarter(this, right, w / 2, 26, 112, 4, a);
            break;
        }
        case kWhirlBox:
            AddBossCircle(this, w / 2, h / 2, 96, 4 * kPi, kAimAtTarget,
                          BossAttack(10, 400.0, 0, {kAttackRedBurst}));
            break;
        case kDiveBox: {
            const AttackInfo a = BossAttack(15, 350.0, right ? -3 * kPi / 4 : -kPi / 4, {kAttackRedBurst});
            AddBossRectangle(this, w / 2 - 32, h / 2 - 32, 64, 64, 11, kAimKeep, a);
            CreateEffect(right ? 34 : 33, right ? mx + 64 : mx - 64, my + 64, owner);
            break;
        }
    }
}

void CBarManRed::Decide(double dx, double dy) {
    const int r = Roll(0, 99);
    if (hitPoints <= kLowHitPoints && !lowHpDashUsed) return SetRedState(kRedBrace);
    const double adx = std::fabs(dx);
    if (adx < 144) {
        if (HeroAbove(dy)) return SetRedState(kRedCrouch);
        return SetRedState(r < 40 ? kRedBackOff : r < 75 ? kRedReadySwing : kRedBackHop);
    }
    if (adx < 288) {
        if (hitPoints <= kLowHitPoints && Roll(0, 99) < 40) return SetRedState(kRedBrace);
        return SetRedState(r < 15 ? kRedUpperStrike : r < 75 ? kRedRun : kRedHop);
    }
    if (hitPoints <= kLowHitPoints && Roll(0, 99) < 25) return SetRedState(kRedBrace);
    SetRedState(r < 30 ? kRedFire : r < 60 ? kRedReadyDash : kRedRun);
}

void CBarManRed::UpdateAttack() {
    switch (redState) {
        case kRedDecide:
        case kRedAirborne:
        case kRedRun:
        case kRedBackOff:
        case kRedHop:
        case kRedWallHop:
        case kRedBackHop:
            StepMoves();
            break;
        case kRedReadySwing:
        case kRedSwing:
        case kRedDashSwing:
        case kRedReadyDash:
        case kRedDash:
            StepSwings();
            break;
        case kRedUpperStrike:
        case kRedCrouch:
        case kRedWhirl:
        case kRedFall:
        case kRedLanding:
            StepUpperStrikes();
            break;
        case kRedHover:
        case kRedDive:
        case kRedDiveLanding:
            StepDive();
            break;
        case kRedBrace:
        case kRedCharge:
        case kRedChargeStop:
        case kRedLunge:
        case kRedBrake:
            StepCharge();
            break;
        case kRedFire:
            StepFire();
            break;
        default:
            break;
    }
    redStateTime += GetFrameTime() * 60.0;
}

// Deciding, running, backing off and hopping.
void CBarManRed::StepMoves() {
    const double dx = GetDistanceXToHero();
    const double dy = GetDistanceYToHero();
    const double t = redStateTime;
    const bool wall = touchLeft || touchRight;
    switch (redState) {
        case kRedDecide:
            ShowStandPose();
            FaceHero();
            if (BrakeOnGround()) Decide(dx, dy);
            break;
        case kRedAirborne:
            ShowStandPose();
            BrakeStop();
            if (onGround) SetRedState(kRedDecide);
            break;
        case kRedRun:
            Cycle(this, t, 4, {3, 4, 3, 5}, 0);
            if (!onGround)
                SetRedState(kRedAirborne);
            else if (WallAhead())
                SetRedState(kRedWallHop);
            else if (HeroCloseAhead(dx))
                SetRedState(HeroAbove(dy) ? kRedCrouch : kRedDecide);
            else if (t > 60)
                SetRedState(kRedDecide);
            break;
        case kRedBackOff:
            Cycle(this, t, 6, {0, 1, 0, 2}, 0);
            if (!StillOnGround()) break;
            if (HeroCloseAhead(dx) && HeroAbove(dy)) {
                SetRedState(kRedCrouch);
            } else if (t > 15) {
                const bool farAhead = facing == 1 ? dx > 192 : dx < -192;
                const bool behind = facing == 1 ? dx < 0 : dx > 0;
                if (farAhead || behind || t > 60 || wall) SetRedState(kRedDecide);
            }
            break;
        case kRedHop:
        case kRedWallHop: {
            ShowPose(2, 0, 3);
            const bool near = facing == 1 ? dx < 160 : dx > -160;
            if (onGround && t > 8)
                SetRedState(kRedDecide);
            else if (redState == kRedHop && WallAhead())
                SetRedState(kRedWallHop);
            else if (near && dy > 64 && dy < 192 && vy > 0)
                SetRedState(kRedHover);
            break;
        }
        case kRedBackHop:
            ShowPose(1, 5, 1);
            if (onGround && t > 8) SetRedState(kRedDecide);
            break;
        default:
            break;
    }
}

// The swing where it stands and the dash that ends in a swing.
void CBarManRed::StepSwings() {
    const double dx = GetDistanceXToHero();
    const double t = redStateTime;
    const bool wall = touchLeft || touchRight;
    switch (redState) {
        case kRedReadySwing:
            ShowPose(1, 5, 4);
            if (BrakeOnGround() && t > 27) {
                SetRedState(kRedSwing);
                MakeStrike(kSwing);
            }
            break;
        case kRedSwing:
        case kRedDashSwing:
            ShowPose(2, 1, 5);
            if (BrakeOnGround() && t > 60) BackToFree();
            break;
        case kRedReadyDash:
            ShowPose(1, 5, 4);
            FaceHero();
            if (BrakeOnGround() && t > 25) SetRedState(kRedDash);
            break;
        case kRedDash: {
            Cycle(this, t, 3, {0, 1, 0, 2}, 1);
            const bool reached = (vx < 0 && dx > -80) || (vx > 0 && dx < 80);
            if (!StillOnGround()) break;
            if (t > 120) {
                SetRedState(kRedDecide);
            } else if ((!wall && reached) || wall) {
                SetRedState(kRedDashSwing);
                MakeStrike(kDashSwing);
            }
            break;
        }
        default:
            break;
    }
}

// The upper strike, and the whirl up at a hero above with its fall.
void CBarManRed::StepUpperStrikes() {
    const double t = redStateTime;
    switch (redState) {
        case kRedUpperStrike:
            ShowPose(1, t <= 4 ? 0 : t <= 8 ? 1 : 2, 4);
            if (!redOnce && t > 4) {
                redOnce = true;
                MakeStrike(kUpper);
            }
            if (BrakeOnGround() && t > 40) SetRedState(kRedDecide);
            break;
        case kRedCrouch:
            ShowPose(1, 5, 3);
            if (BrakeOnGround() && t > 15) {
                SetRedState(kRedWhirl);
                MakeStrike(kWhirlBox);
            }
            break;
        case kRedWhirl:
            ShowPose(1, 4, 1, -0.5 * t);
            if (t > 8 && onGround)
                StartJump();
            else if (t > 4 * kPi)
                SetRedState(kRedFall);
            break;
        case kRedFall:
            ShowPose(1, 1, 2);
            if (onGround) SetRedState(kRedLanding);
            break;
        case kRedLanding:
            ShowPose(1, 3, 1);
            if (BrakeOnGround() && t > 20) BackToFree();
            break;
        default:
            break;
    }
}

// The hover over the hero and the dive onto him.
void CBarManRed::StepDive() {
    const double dx = GetDistanceXToHero();
    const double t = redStateTime;
    switch (redState) {
        case kRedHover:
            if (t < 20)
                ShowPose(1, 4, 1, 0.6 * t);
            else
                ShowPose(1, 1, 2);
            BrakeStop();
            if ((ay < 0 && vy < 0) || (ay > 0 && vy > 0)) ay = vy = 0;
            if (onGround) {
                SetRedState(kRedDecide);
            } else if (t > 35) {
                SetRedState(kRedDive);
                MakeStrike(kDiveBox);
            }
            break;
        case kRedDive:
            ShowPose(2, 5, 5);
            if (onGround) SetRedState(kRedDiveLanding);
            break;
        case kRedDiveLanding:
            ShowPose(2, 1, 5);
            if (StillOnGround() && t > 50) {
                if (std::fabs(dx) >= 128) {
                    SetRedState(kRedDecide);
                } else {
                    FaceHero();
                    StartJump();
                }
            }
            break;
        default:
            break;
    }
}

// The braced charge, the lunge at its end and the brake.
void CBarManRed::StepCharge() {
    const double dx = GetDistanceXToHero();
    const double t = redStateTime;
    const bool wall = touchLeft || touchRight;
    switch (redState) {
        case kRedBrace:
            ShowPose(1, 5, 4);
            FaceHero();
            if (BrakeOnGround() && t > 20) SetRedState(kRedCharge);
            break;
        case kRedCharge:
            ShowPose(1, 5, 4);
            FaceHero();
            if (t > 100)
                SetRedState(kRedDecide);
            else if (wall || (vx < 0 && dx > 48) || (vx > 0 && dx < -48))
                SetRedState(kRedChargeStop);
            break;
        case kRedChargeStop:
            ShowPose(1, 5, 4);
            FaceHero();
            if (StillOnGround() && t > 25) {
                const int r = Roll(0, 99);
                if (r < 30 && hitPoints <= 40) {
                    SetRedState(kRedCharge);
                } else {
                    lowHpDashUsed = true;
                    SetRedState(kRedLunge);
                    MakeStrike(kLunge);
                }
            }
            break;
        case kRedLunge:
            ShowPose(2, 1, 5);
            if (wall || (vx < 0 && dx > 96) || (vx > 0 && dx < -96)) SetRedState(kRedBrake);
            break;
        case kRedBrake:
            ShowPose(2, 1, 5);
            if (BrakeOnGround() && t > 60) BackToFree();
            break;
        default:
            break;
    }
}

// The fire frame thrown along the ground.
void CBarManRed::StepFire() {
    const double t = redStateTime;
    switch (redState) {
        case kRedFire:
            if (t <= 20)
                ShowPose(2, 1, 5);
            else
                ShowPose(1, 5, 4);
            BrakeStop();
            if (!redOnce && t > 20) {
                redOnce = true;
                PlaySE(SoundId::kFire);
                const bool right = facing == 1;
                ThrowBossShot(*this, "CGrandFrame", right ? prevX + width : prevX - 32, prevY + height - 24,
                              {right ? 170.0 : -170.0, 0});
            }
            if (StillOnGround() && t > 75) {
                const int r = Roll(0, 99);
                SetRedState(r < 60 ? kRedDecide : r < 80 ? kRedFire : kRedReadyDash);
            }
            break;
        default:
            break;
    }
}

bool CBarManRed::IsAttackImmune() {
    return redState == kRedDive || redState == kRedCharge || redState == kRedChargeStop ||
           redState == kRedLunge;
}

bool CBarManRed::IsContactHarmless() {
    switch (redState) {
        case kRedSwing:
        case kRedDashSwing:
        case kRedWhirl:
        case kRedDive:
        case kRedDiveLanding:
        case kRedCharge:
        case kRedChargeStop:
        case kRedLunge:
            return true;
        default:
            return false;
    }
}

int CBarManRed::GetBarEffectKind() {
    if (redState == kRedUpperStrike) return 1;
    if (redState == kRedWhirl) return 8;
    return 0;
}
