#include "bosses/BarManPink.h"

#include <cmath>

#include "bosses/BarManAttacks.h"
#include "engine/Camera.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "play/Hitboxes.h"
#include "play/SceneServices.h"

namespace {

constexpr int kWindRight = 3, kWindLeft = 4;

}  // namespace

CBarManPink::CBarManPink(CStage* ownerStage, double px, double py, int facingIn, int creator)
    : CBarManBase(ownerStage, px, py, facingIn, kBarManPink, creator) {
    vx = 0;
    vy = 4.0 * GetFrameRate();
    hitPoints = 250;
    SetPinkState(kPinkChoose);
}

void CBarManPink::StartStormWind() {
    if (IPlaySceneServices* scene = Scene()) {
        savedWeather = scene->GetWeather();
        scene->SetWeather(facing == 1 ? kWindRight : kWindLeft);
    }
}

void CBarManPink::RestoreWeather() {
    if (IPlaySceneServices* scene = Scene()) scene->SetWeather(savedWeather);
}

void CBarManPink::EndWind() {
    if (IBase* box = windBox.Get()) RemoveChild(box);
    windBox.Reset();
    if (pinkState == kPinkStorm) RestoreWeather();
}

void CBarManPink::SetPinkState(int s) {
    if (pinkState == kPinkStorm && s != kPinkStorm) RestoreWeather();
    pinkStateTime = 0;
    pinkState = s;
    const double f = FacingSign();
    double leftRight = 700;
    int guard = 0;
    auto brake = [&] {
        ax = -1600 * f;
        ay = 750;
    };
    switch (s) {
        case kPinkChoose:
            brake(), guard = 20;
            break;
        case kPinkFall:
            ax = -700 * f, ay = 750;
            break;
        case kPinkHighHop:
        case kPinkLowHop:
        case kPinkHighHopBack:
        case kPinkLowHopBack: {
            const bool back = s == kPinkHighHopBack || s == kPinkLowHopBack;
            const int n = back ? Roll(180, 250) : Roll(150, 220);
            const double dir = back ? -f : f;
            vx = n * dir, ax = 150 * dir;
            vy = s == kPinkHighHop || s == kPinkHighHopBack ? -700 : -450;
            ay = 1120, leftRight = n;
            PlaySE(SoundId::kJump4);
            break;
        }
        case kPinkSpin:
            PlaySE(SoundId::kJump2);
            break;
        case kPinkStarThrown:
            PlaySE(SoundId::kAttack4);
            break;
        case kPinkCrouchBigStar:
        case kPinkCrouchWind:
        case kPinkCrouchStorm:
            brake(), guard = 30;
            PlaySE(SoundId::kGun4);
            break;
        case kPinkBigStar:
            brake();
            PlaySE(SoundId::kDash2);
            break;
        case kPinkFollowThrough:
            brake();
            PlaySE(SoundId::kAttack3);
            break;
        case kPinkHighJump: {
            brake();
            const float onScreenY = Camera().WorldToScreenY(static_cast<float>(FrameStartCentreX()),
                                                            static_cast<float>(FrameStartCentreY()));
            vy = -(onScreenY + 100) * 1.6;
            PlaySE(SoundId::kJump4);
            break;
        }
        case kPinkHover:
            vx = ax = vy = 0, ay = 0;
            break;
        case kPinkBombFan:
        case kPinkBombFall:
            ax = vx <= 0 ? 500 : -500;
            if (s == kPinkBombFan) {
                vy = 0, ay = 0;
                PlaySE(SoundId::kJump2);
                PlaySE(SoundId::kThrow);
            } else {
                ay = 450;
            }
            break;
        default:  // 11, 17, 18, 20, 21
            brake();
            break;
    }
    maxSpeedUp = maxSpeedDown = 700;
    maxSpeedLeft = maxSpeedRight = leftRight;
    guardChance = guard;
    if (s == kPinkHover) choiceCount = 0;
    if (s == kPinkChoose) ++choiceCount;
    ThrowStates(s);
    soundTimer = shotTimer = 0;
    afterimageVisible = false;
    if (s == kPinkStorm) StartStormWind();

    if (IBase* box = windBox.Get()) RemoveChild(box);
    windBox.Reset();
    if (s == kPinkWind || s == kPinkStorm) {
        const bool right = facing == 1;
        AttackInfo a = BossAttack(1, 30.0, right ? -0.25 * kPi : -0.75 * kPi, {kAttackSlash});
        a.delay = 6;
        windBox = AddBossCircle(this, right ? width / 2 + 25 : width / 2 - 25, 20, 52,
                                CCollisionDetectionBase::kNeverExpires, kAimAtTarget, a, 3.0);
    }
}

void CBarManPink::ThrowStates(int s) {
    const double cx = FrameStartCentreX(), cy = FrameStartCentreY();
    const bool right = facing == 1;
    if (s == kPinkStarThrown) {
        IBase* hero = GetHero();
        const double a = hero ? GetAngle(cx, cy, hero->centerX, hero->centerY) : (right ? 0.0 : kPi);
        ThrowBossShot(*this, "CNinjaStar", cx, cy, {280 * std::cos(a), 280 * std::sin(a), false});
    } else if (s == kPinkBigStar) {
        ThrowBossShot(*this, "CBigNinjaStar", right ? cx + 36 : cx - 36, GetPreviousBottom() - 16,
                      {right ? 340.0 : -340.0, 60.0, false});
    } else if (s == kPinkBombFan) {
        // The fan leans toward the middle of the screen.
        const float sx = Camera().WorldToScreenX(static_cast<float>(cx), static_cast<float>(cy));
        const double base = sx < 160 ? 0 : sx < 480 ? -120 : -240;
        for (int i = 0; i < 3; ++i)
            ThrowBossShot(*this, "CPinkBomb", (GetLeft() + GetRight()) / 2, GetBottom() + 8,
                          {base + 120 * i, static_cast<double>(Roll(-50, 50)), false});
    }
}

void CBarManPink::StormStar() {
    CCamera* camera = &Camera();
    const double left = camera->ScreenToWorldX(0, 0), rightEdge = camera->ScreenToWorldX(640, 480);
    const double top = camera->ScreenToWorldY(0, 0), bottom = camera->ScreenToWorldY(640, 480);
    const bool right = facing == 1;
    const int svy = Roll(10, 30);
    const int sy = Roll(TruncToInt(top) + 32, TruncToInt(bottom) - 32);
    ThrowBossShot(*this, "CNinjaStar", right ? left - 16 : rightEdge + 16, sy,
                  {right ? 330.0 : -330.0, static_cast<double>(svy), false});
}

void CBarManPink::Choose(double dx, double dy) {
    const int r = Roll(0, 99);
    const bool low = hitPoints < kLowHitPoints;
    const double adx = std::fabs(dx);
    if (low && !stormDone) return SetPinkState(kPinkCrouchStorm);
    if (!highJumpDone || choiceCount >= 13) return SetPinkState(kPinkCrouchHigh);
    if (adx >= 288) {
        if (low && Roll(0, 99) < 20) return SetPinkState(kPinkCrouchStorm);
        if (dy > 96) return SetPinkState(kPinkLowHop);
        return SetPinkState(r < 50 ? kPinkCrouchBigStar : r < 80 ? kPinkHighHop : kPinkLowHop);
    }
    if (adx >= 128) {
        if (low && Roll(0, 99) < 15) return SetPinkState(kPinkCrouchStorm);
        if (dy > 96) return SetPinkState(r < 30 ? kPinkLowHop : kPinkLowHopBack);
        return SetPinkState(r < 35   ? kPinkCrouchBigStar
                            : r < 60 ? kPinkHighHop
                            : r < 70 ? kPinkLowHop
                            : r < 90 ? kPinkHighHopBack
                                     : kPinkLowHopBack);
    }
    if (dy > 96) return SetPinkState(kPinkLowHop);
    SetPinkState(r < 40 ? kPinkCrouchWind : r < 80 ? kPinkHighHop : kPinkLowHopBack);
}

void CBarManPink::UpdateAttack() {
    switch (pinkState) {
        case kPinkChoose:
        case kPinkFall:
            StepMoves();
            break;
        case kPinkHighHop:
        case kPinkLowHop:
        case kPinkHighHopBack:
        case kPinkLowHopBack:
        case kPinkSpin:
        case kPinkStarThrown:
            StepHops();
            break;
        case kPinkCrouchBigStar:
        case kPinkBigStar:
        case kPinkFollowThrough:
            StepBigStar();
            break;
        case kPinkCrouchHigh:
        case kPinkHighJump:
        case kPinkHover:
        case kPinkBombFan:
        case kPinkBombFall:
            StepBombRun();
            break;
        case kPinkCrouchWind:
        case kPinkWind:
        case kPinkWindRecover:
        case kPinkStormRecover:
            StepWind();
            break;
        case kPinkCrouchStorm:
        case kPinkStorm:
            StepStorm();
            break;
        default:
            break;
    }
    const double step = GetFrameTime() * 60.0;
    pinkStateTime += step;
    soundTimer += step;
    shotTimer += step;
}

// A whirring sound every few frames while the bar spins.
void CBarManPink::Whirr() {
    if (soundTimer > 4) {
        soundTimer = 0;
        PlaySE(SoundId::kAttack9);
    }
}

// Most states end when the boss leaves the ground or after their frames.
void CBarManPink::EndOnGround(double frames, int next) {
    BrakeStop();
    if (!onGround)
        SetPinkState(kPinkFall);
    else if (pinkStateTime > frames)
        SetPinkState(next);
}

// Choosing the next move, and falling.
void CBarManPink::StepMoves() {
    const double dx = GetDistanceXToHero();
    const double dy = GetDistanceYToHero();
    const double t = pinkStateTime;
    switch (pinkState) {
        case kPinkChoose:
        case kPinkFall:
            ShowStandPose();
            if (pinkState == kPinkChoose) FaceHero();
            BrakeStop();
            if (pinkState == kPinkFall) {
                if (onGround) SetPinkState(kPinkChoose);
            } else if (!onGround) {
                SetPinkState(kPinkFall);
            } else if (t > (hitPoints <= 90 ? 7 : 18)) {
                Choose(dx, dy);
            }
            break;
        default:
            break;
    }
}

// The hops, the spin at the top of a high one and the star it throws.
void CBarManPink::StepHops() {
    const double t = pinkStateTime;
    switch (pinkState) {
        case kPinkHighHop:
        case kPinkLowHop:
        case kPinkHighHopBack:
        case kPinkLowHopBack: {
            const bool back = pinkState == kPinkHighHopBack || pinkState == kPinkLowHopBack;
            ShowPose(1, back ? 5 : 1, back ? 1 : 2);
            const bool high = pinkState == kPinkHighHop || pinkState == kPinkHighHopBack;
            if (onGround && t > 8)
                SetPinkState(kPinkChoose);
            else if (high && vy > -150)
                SetPinkState(kPinkSpin);
            break;
        }
        case kPinkSpin:
            ShowPose(1, 4, 1, t * 0.5);
            if (onGround)
                SetPinkState(kPinkChoose);
            else if (t > 2 * kPi)
                SetPinkState(kPinkStarThrown);
            break;
        case kPinkStarThrown:
            ShowPose(1, 1, 2);
            if (onGround) SetPinkState(kPinkChoose);
            break;
        default:
            break;
    }
}

// The big star thrown from a crouch.
void CBarManPink::StepBigStar() {
    const double t = pinkStateTime;
    switch (pinkState) {
        case kPinkCrouchBigStar:
            ShowPose(1, 5, 4);
            EndOnGround(40, kPinkBigStar);
            break;
        case kPinkBigStar:
            ShowPose(2, 0, 5);
            EndOnGround(50, kPinkFollowThrough);
            break;
        case kPinkFollowThrough:
            ShowPose(2, 0, 4, 0, t);
            EndOnGround(20, kPinkChoose);
            break;
        default:
            break;
    }
}

// The high jump, the hover that drops bombs and the fan of bombs at its end.
void CBarManPink::StepBombRun() {
    const double t = pinkStateTime;
    switch (pinkState) {
        case kPinkCrouchHigh:
            ShowPose(1, 5, 3);
            EndOnGround(8, kPinkHighJump);
            break;
        case kPinkHighJump:
            ShowPose(1, 1, 2);
            BrakeStop();
            if (onGround && t > 8) {
                SetPinkState(kPinkChoose);
            } else if (vy > 0 && t > 8) {
                SetPinkState(kPinkHover);
                highJumpDone = true;
            }
            break;
        case kPinkHover: {
            const int m = TruncToInt(t) % 60;
            ShowPose(1, m < 8 ? 3 : (m >= 30 && m < 38) ? 5 : 4, 2, 0, t * 0.83);
            FaceHero();
            ax = 250 * FacingSign();
            Whirr();
            if (shotTimer > 40 && t < 220) {
                shotTimer = 0;
                PlaySE(SoundId::kThrow);
                ThrowBossShot(*this, "CPinkBomb", (GetLeft() + GetRight()) / 2, GetBottom() + 8,
                              {0.0, 0.0, false});
            }
            if (onGround && t > 8)
                SetPinkState(kPinkChoose);
            else if (t > 240)
                SetPinkState(kPinkBombFan);
            break;
        }
        case kPinkBombFan:
            ShowPose(1, 4, 1, t * 0.5);
            BrakeStop();
            if (onGround)
                SetPinkState(kPinkChoose);
            else if (t > 8 * kPi)
                SetPinkState(kPinkBombFall);
            break;
        case kPinkBombFall:
            ShowPose(1, 1, 2);
            BrakeStop();
            if (onGround) SetPinkState(kPinkChoose);
            break;
        default:
            break;
    }
}

// The wind, and the recovery from the wind or the storm.
void CBarManPink::StepWind() {
    const double t = pinkStateTime;
    switch (pinkState) {
        case kPinkCrouchWind:
            ShowPose(1, 5, 4);
            EndOnGround(40, kPinkWind);
            break;
        case kPinkWind:
            ShowPose(1, 5, 5, 0, t * 0.4);
            BrakeStop();
            Whirr();
            if (!onGround)
                SetPinkState(kPinkFall);
            else if (t > 60)
                SetPinkState(kPinkWindRecover);
            break;
        case kPinkWindRecover:
        case kPinkStormRecover:
            ShowPose(1, 5, 4);
            BrakeStop();
            if (!onGround)
                SetPinkState(kPinkFall);
            else if (t > (pinkState == kPinkWindRecover ? 20 : 45))
                BackToFree();
            break;
        default:
            break;
    }
}

// The star storm.
void CBarManPink::StepStorm() {
    const double t = pinkStateTime;
    switch (pinkState) {
        case kPinkCrouchStorm:
            ShowPose(1, 5, 4);
            BrakeStop();
            if (!onGround) {
                SetPinkState(kPinkFall);
            } else if (t > 40) {
                stormDone = true;
                SetPinkState(kPinkStorm);
            }
            break;
        case kPinkStorm:
            ShowPose(1, 5, 5, 0, t * 0.4);
            BrakeStop();
            Whirr();
            if (shotTimer > 18) {
                shotTimer = 0;
                StormStar();
            }
            if (!onGround)
                SetPinkState(kPinkFall);
            else if (t > 210)
                SetPinkState(kPinkStormRecover);
            break;
        default:
            break;
    }
}
