#include "bosses/BarManGreen.h"

#include <cmath>

#include "bosses/BarManAttacks.h"
#include "engine/Camera.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "play/Hitboxes.h"

namespace {

int WalkColumn(double t, int span, const int (&columns)[4]) {
    const int n = 4 * span;
    return columns[((TruncToInt(t) % n + n) % n) / span];
}

}  // namespace

CBarManGreen::CBarManGreen(CStage* ownerStage, double px, double py, int facingIn, int creator)
    : CBarManBase(ownerStage, px, py, facingIn, kBarManGreen, creator) {
    vx = 0;
    vy = 4.0 * GetFrameRate();
    hitPoints = 250;
    SetGreenState(kGreenChoose);
}

void CBarManGreen::DropAttackBox() {
    if (IBase* box = attackBox.Get()) RemoveChild(box);
    attackBox.Reset();
}

void CBarManGreen::SetGreenState(int s) {
    greenStateTime = 0;
    greenState = s;
    const double f = FacingSign();
    const double against = vx >= 0 ? -2000 : 2000;
    double upDown = 700, leftRight = 700;
    int guard = 0;
    ay = 750;
    switch (s) {
        case kGreenChoose:
            ax = -700 * f, guard = 15;
            break;
        case kGreenFall:
            ax = -700 * f;
            break;
        case kGreenWalk:
            ax = 1400 * f, leftRight = 150, guard = 15;
            break;
        case kGreenWalkBack:
            ax = -1400 * f, leftRight = 70, guard = 25;
            break;
        case kGreenWallHop:
            vx = 140 * f, ax = 200 * f, vy = -470, leftRight = 140;
            PlaySE(SoundId::kJump4);
            break;
        case kGreenCrouch:
        case kGreenBigCrouch:
            ax = against;
            break;
        case kGreenLeap: {
            const double tx = GetHero() ? GetHero()->centerX + (facing == 1 ? -72 : 72) : centerX;
            const double ty = GetHero() ? GetHero()->centerY : centerY;
            leftRight = 200;
            vx = CalcLandingSpeedX((GetLeft() + GetRight()) / 2, (GetTop() + GetBottom()) / 2, tx, ty, -520,
                                   900, leftRight);
            ax = 0, vy = -520, ay = 900;
            PlaySE(SoundId::kJump4);
            break;
        }
        case kGreenSpin:
            ay = 900;
            PlaySE(SoundId::kJump2);
            break;
        case kGreenDive:
            ay = 900;
            break;
        case kGreenDiveLanding:
            ax = -900 * f;
            PlaySE(SoundId::kAttack7);
            Camera().Shake();
            break;
        case kGreenShortHop:
            ax = -700 * f, vy = -330;
            break;
        case kGreenStamp:
            ax = -700 * f;
            PlaySE(SoundId::kShock2);
            Camera().Shake();
            break;
        case kGreenWindUp:
            ax = against;
            PlaySE(SoundId::kCharge);
            break;
        case kGreenSwing:
            ax = against;
            PlaySE(SoundId::kAttack1);
            break;
        case kGreenWave:
        case kGreenBigLanding:
            if (s == kGreenWave) ax = against;
            PlaySE(SoundId::kAttack7);
            PlaySE(SoundId::kFire);
            Camera().Shake();
            break;
        case kGreenBigJump:
            vx = 0, ax = 0, vy = -700, ay = 1200, leftRight = 200;
            PlaySE(SoundId::kJump4);
            break;
        case kGreenLongSpin:
            ay = 300;
            PlaySE(SoundId::kJump2);
            break;
        case kGreenBigDive:
            ay = 1500, upDown = 900;
            break;
        default:
            break;
    }
    maxSpeedUp = maxSpeedDown = upDown;
    maxSpeedLeft = maxSpeedRight = leftRight;
    guardChance = guard;

    if (s == kGreenStamp) DropRocks();
    if (s == kGreenWave) SendWave(10, 80);
    if (s == kGreenBigLanding) SendWave(15, 220);

    DropAttackBox();
    afterimageVisible = false;
    const bool right = facing == 1;
    if (IsDiving()) {
        const AttackInfo a = BossAttack(15, 650.0, right ? -0.1 * kPi : -0.9 * kPi, {kAttackPowerHit});
        attackBox = AddBossRectangle(this, right ? width / 2 + 26 : width / 2 - 74, height / 2 - 22, 48, 48,
                                     CCollisionDetectionBase::kNeverExpires, kAimKeep, a);
    } else if (s == kGreenSwing) {
        const AttackInfo a =
            BossAttack(20, 650.0, right ? -0.15 * kPi : -0.85 * kPi, {kAttackReflectable, kAttackPowerHit});
        AddBossQuarter(this, right, width / 2, 26, 80, 4, a);
    }
}

void CBarManGreen::DropRocks() {
    CCamera* camera = &Camera();
    const double left = camera->ScreenToWorldX(0, 0);
    const double rightEdge = camera->ScreenToWorldX(640, 0);
    const double top = camera->ScreenToWorldY(0, 0);
    // Three overlapping bands of the visible width: left, middle, right.
    const int bands[3][2] = {{80, 400}, {240, 240}, {400, 80}};
    for (const auto& b : bands) {
        const int rvy = Roll(30, 150);
        const int rvx = Roll(-10, 10);
        const int rx = Roll(TruncToInt(left) + b[0], TruncToInt(rightEdge) - b[1]);
        ThrowBossShot(*this, "CFallingRock", rx, top - 24,
                      {static_cast<double>(rvx), static_cast<double>(rvy), false});
    }
}

void CBarManGreen::SendWave(int count, int maxHeight) {
    const bool right = facing == 1;
    ThrowBossShot(*this, "CShockWave", right ? GetRight() + 48 : GetLeft() - 64, GetPreviousBottom() - 16,
                  {count, right ? 1 : 0, maxHeight, 0});
}

void CBarManGreen::Choose(double dx) {
    const int r = Roll(0, 99);
    const bool low = hitPoints < kLowHitPoints;
    const double adx = std::fabs(dx);
    if (low && !bigDiveDone) return SetGreenState(kGreenBigCrouch);
    if (adx >= 288) {
        if (low && Roll(0, 99) < 35) return SetGreenState(kGreenBigCrouch);
        return SetGreenState(r < 30 ? kGreenWalk : r < 55 ? kGreenCrouch : kGreenShortHop);
    }
    if (adx >= 128) {
        if (low && Roll(0, 99) < 25) return SetGreenState(kGreenBigCrouch);
        return SetGreenState(r < 40   ? kGreenWalk
                             : r < 70 ? kGreenCrouch
                             : r < 80 ? kGreenShortHop
                                      : kGreenWindUp);
    }
    SetGreenState(r < 40 ? kGreenWalkBack : r < 60 ? kGreenCrouch : kGreenWindUp);
}

void CBarManGreen::UpdateAttack() {
    const double dx = GetDistanceXToHero();
    const double t = greenStateTime;
    const bool right = facing == 1;
    switch (greenState) {
        case kGreenChoose:
        case kGreenFall:
            ShowStandPose();
            if (greenState == kGreenChoose) FaceHero();
            BrakeStop();
            if (greenState == kGreenFall) {
                if (onGround) SetGreenState(kGreenChoose);
            } else if (!onGround) {
                SetGreenState(kGreenFall);
            } else {
                Choose(dx);
            }
            break;
        case kGreenWalk:
            ShowPose(1, WalkColumn(t, 4, {3, 4, 3, 5}), 0);
            if (!StillOnGround()) break;
            if (right ? touchRight : touchLeft)
                SetGreenState(kGreenWallHop);
            else if ((right ? dx < 112 : dx > -112) || t > 60)
                SetGreenState(kGreenChoose);
            break;
        case kGreenWalkBack: {
            ShowPose(1, WalkColumn(t, 6, {0, 1, 0, 2}), 0);
            const bool farAhead = right ? dx > 168 : dx < -168;
            const bool behind = right ? dx < 0 : dx > 0;
            if (StillOnGround() && t > 15 && (farAhead || behind || t > 60 || touchLeft || touchRight))
                SetGreenState(kGreenChoose);
            break;
        }
        case kGreenWallHop:
            ShowPose(2, 0, 3);
            if (onGround && t > 8) SetGreenState(kGreenChoose);
            break;
        case kGreenCrouch:
        case kGreenBigCrouch:
            ShowPose(1, 5, 3);
            if (!BrakeOnGround()) break;
            if (t > 8) {
                FaceHero();
                SetGreenState(greenState == kGreenCrouch ? kGreenLeap : kGreenBigJump);
            }
            break;
        case kGreenLeap:
        case kGreenBigJump:
            ShowPose(2, 1, 3);
            if (onGround && t > 8)
                SetGreenState(kGreenChoose);
            else if (vy > -150)
                SetGreenState(greenState == kGreenLeap ? kGreenSpin : kGreenLongSpin);
            break;
        case kGreenSpin:
        case kGreenLongSpin:
            ShowPose(1, 4, 1, t * 0.5);
            if (onGround)
                SetGreenState(kGreenChoose);
            else if (t > (greenState == kGreenSpin ? 8 : 16) * kPi)
                SetGreenState(greenState == kGreenSpin ? kGreenDive : kGreenBigDive);
            break;
        case kGreenDive:
        case kGreenBigDive:
            ShowPose(1, t < 2 ? 0 : t < 7 ? 1 : 2, 5);
            if (onGround) {
                if (t < 7) {
                    SetGreenState(kGreenChoose);
                } else if (greenState == kGreenDive) {
                    SetGreenState(kGreenDiveLanding);
                } else {
                    bigDiveDone = true;
                    SetGreenState(kGreenBigLanding);
                }
            }
            break;
        case kGreenDiveLanding:
        case kGreenBigLanding:
            ShowPose(1, 2, 4);
            if (BrakeOnGround() && t > (greenState == kGreenDiveLanding ? 35 : 60)) BackToFree();
            break;
        case kGreenShortHop:
            ShowPose(1, 1, 2);
            BrakeStop();
            if (onGround && t > 8) SetGreenState(kGreenStamp);
            break;
        case kGreenStamp:
            ShowPose(1, 2, 4);
            if (!BrakeOnGround()) break;
            if (t > 80) {
                FaceHero();
                if (hitPoints < kLowHitPoints && Roll(0, 99) < 30)
                    SetGreenState(kGreenShortHop);
                else
                    BackToFree();
            }
            break;
        case kGreenWindUp: {
            static const int kShake[4] = {0, 1, 0, -1};
            ShowPoseShifted(1, 0, 4, 0, 0, kShake[(TruncToInt(t) % 8 + 8) % 8 / 2]);
            if (BrakeOnGround() && t > 55) SetGreenState(kGreenSwing);
            break;
        }
        case kGreenSwing:
            ShowPose(1, 1, 4);
            if (BrakeOnGround() && t > 4) SetGreenState(kGreenWave);
            break;
        case kGreenWave:
            ShowPose(1, 2, 4);
            if (!BrakeOnGround()) break;
            if (t > 60) {
                FaceHero();
                if (hitPoints <= 80 && Roll(0, 99) <= 29)
                    SetGreenState(kGreenWindUp);
                else
                    BackToFree();
            }
            break;
        default:
            break;
    }
    greenStateTime += GetFrameTime() * 60.0;
}

int CBarManGreen::GetBarEffectKind() {
    switch (greenState) {
        case kGreenDive:
        case kGreenBigDive:
            return 3;
        case kGreenDiveLanding:
        case kGreenBigLanding:
            return 4;
        case kGreenSwing:
        case kGreenWave:
            return 2;
        default:
            return 0;
    }
}
