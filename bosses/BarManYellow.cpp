#include "bosses/BarManYellow.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "bosses/BarManAttacks.h"
#include "engine/Camera.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "play/Hitboxes.h"
#include "play/SceneServices.h"

namespace {

// Frame i of a four-frame cycle of `span` frames each, for clocks that may start below zero.
int CycleIndex(double t, int span) {
    const int n = 4 * span;
    return ((TruncToInt(t) % n + n) % n) / span;
}

// The dash sequence: four dashes across the screen, each followed by a pause, then the last dash.
constexpr YellowState kDashSequence[] = {kYellowDash1,  kYellowPause1, kYellowDash2,
                                         kYellowPause2, kYellowDash3,  kYellowPause3,
                                         kYellowDash4,  kYellowPause4, kYellowLastDash};

// The state after `s` in the dash sequence.
YellowState NextInDashSequence(int s) {
    for (size_t i = 0; i + 1 < std::size(kDashSequence); ++i)
        if (kDashSequence[i] == s) return kDashSequence[i + 1];
    return kYellowLastDash;
}

}  // namespace

CBarManYellow::CBarManYellow(CStage* ownerStage, double px, double py, int facingIn, int creator)
    : CBarManBase(ownerStage, px, py, facingIn, kBarManYellow, creator) {
    vx = 0;
    vy = 4.0 * GetFrameRate();
    hitPoints = 225;
    SetYellowState(kYellowDecide);
    markerA = CreateSprite("Object", "Objects003", 2, 160, 96, 192, 128);
    markerB = CreateSprite("Object", "Objects003", 2, 160, 128, 192, 160);
}

CBarManYellow::~CBarManYellow() = default;

void CBarManYellow::SetYellowState(int s) {
    yellowStateTime = 0;
    yellowState = s;
    const bool pause = s == kYellowPause1 || s == kYellowPause2 || s == kYellowPause3 || s == kYellowPause4;
    const bool dash = s == kYellowDash1 || s == kYellowDash2 || s == kYellowDash3 || s == kYellowDash4 ||
                      s == kYellowLastDash;
    if (pause) yellowStateTime = Roll(-15, 15);
    SetYellowMotion(s, pause, dash);

    afterimageVisible = s == kYellowRush || s == kYellowRushFast || s == kYellowStop ||
                        (s >= kYellowDash1 && s <= kYellowLanding) || s == kYellowStrikes ||
                        s == kYellowStrikesEnd;
    thunderCount = strikeCount = 0;
    yellowOnce = false;
    if (s == kYellowLanding) decideCount = 0;
    if (s == kYellowDecide) ++decideCount;

    if (IPlaySceneServices* scene = Scene()) {
        if (s == kYellowDashCall) scene->SetZoomOverride(1, Camera().GetBaseScale() * 1.15f, 3.0f);
        if (s == kYellowLanding) scene->ClearZoomOverride(1, 1.5f);
    }

    if (IBase* old = stateHitbox.Get()) RemoveChild(old);
    stateHitbox.Reset();
    const bool right = facing == 1;
    if (dash || s == kYellowDash1) {
        const AttackInfo a = BossAttack(10, 450.0, right ? -kPi / 4 : -3 * kPi / 4, {kAttackSlash});
        stateHitbox = AddBossRectangle(this, right ? width / 2 + 52 : width / 2 - 100, height / 2 - 4, 48, 20,
                                       CCollisionDetectionBase::kNeverExpires, kAimKeep, a);
    } else if (s == kYellowSlam || s == kYellowFallingSlam) {
        const AttackInfo a = BossAttack(15, 450.0, kPi / 2, {kAttackSlash});
        stateHitbox = AddBossRectangle(this, -8, height / 2 + 72, TruncToInt(width + 16), 48,
                                       CCollisionDetectionBase::kNeverExpires, kAimKeep, a);
    }
}

void CBarManYellow::SetYellowMotion(int s, bool pause, bool dash) {
    const double f = FacingSign();
    double limits[4] = {700, 700, 700, 700};
    int guard = 0;
    ay = 750.0;
    switch (s) {
        case kYellowDecide:
        case kYellowLightning:
            ax = -700 * f, guard = 15;
            break;
        case kYellowAirborne:
            ax = -700 * f;
            break;
        case kYellowRun:
            ax = 2500 * f, limits[2] = limits[3] = 160, guard = 15;
            break;
        case kYellowBackOff:
            ax = -3200 * f, limits[2] = limits[3] = 130, guard = 30;
            break;
        case kYellowReady:
        case kYellowReadyFast:
            ax = -3000 * f, guard = 5;
            break;
        case kYellowRush:
            vx = 600 * f, ax = 0;
            for (double& l : limits) l = 600;
            PlaySE(SoundId::kDash2);
            break;
        case kYellowRushFast:
            vx = 700 * f, ax = 0;
            PlaySE(SoundId::kDash2);
            break;
        case kYellowStop:
            ax = -3000 * f;
            break;
        case kYellowDashCall:
            ax = -700 * f, guard = 50;
            PlaySE(SoundId::kAttack3);
            break;
        case kYellowDash1:
            vy = 0, ax = 1500 * f, ay = 0;
            limits[0] = limits[1] = 0, limits[2] = limits[3] = 1800;
            PlaySE(SoundId::kDash2);
            break;
        case kYellowStrikes:
        case kYellowStrikesEnd:
            ax = -2800 * f;
            break;
        case kYellowStorm:
            ax = -700 * f, guard = 20;
            break;
        case kYellowBackHop:
            vx = -200 * f, vy = -170, ax = 0;
            PlaySE(SoundId::kJump2);
            break;
        case kYellowRushToStrike:
            vx = 500 * f, ax = 0;
            break;
        case kYellowCrouch:
            ax = -1000 * f, guard = 15;
            break;
        case kYellowLeap:
            vy = -1800, ax = -6000 * f, ay = 1200;
            for (double& l : limits) l = 1800;
            PlaySE(SoundId::kJump2);
            break;
        case kYellowSlam:
            vy = 2000, ax = -6000 * f, ay = 0;
            for (double& l : limits) l = 2000;
            PlaySE(SoundId::kAttack5);
            break;
        case kYellowLanding:
            vy = 4.0 * GetFrameRate(), ax = -6000 * f;
            for (double& l : limits) l = 2000;
            PlaySE(SoundId::kShock2);
            Camera().Shake();
            break;
        case kYellowJumpAtHero: {
            IBase* hero = GetHero();
            const double tx = hero ? hero->centerX : MidX();
            const double ty = hero ? hero->centerY - 80 : MidY();
            vx = CalcLandingSpeedX(MidX(), MidY(), tx, ty, -1400.0, 2400.0, 300.0);
            vy = -1400, ax = 0, ay = 2400;
            limits[0] = limits[1] = 1400, limits[2] = limits[3] = 300;
            PlaySE(SoundId::kJump2);
            break;
        }
        case kYellowFallingSlam:
            ax = 0, ay = 2400;
            limits[0] = limits[1] = 1400, limits[2] = limits[3] = 300;
            break;
        case kYellowSlamLanding:
            ax = vx >= 0 ? -3000 : 3000;
            break;
        default:
            if (pause) {
                vx = vy = ax = ay = 0;
                limits[0] = limits[1] = 200, limits[2] = limits[3] = 1800;
                PlaySE(GetDistanceXToHero() > 0 ? SoundId::kBrake2 : SoundId::kBrake3);
            } else if (dash) {  // the dashes after the first: straight from the screen's edge
                vx = 1800 * f, vy = 0, ax = 0, ay = 0;
                limits[0] = limits[1] = 0, limits[2] = limits[3] = 1800;
                if (IBase* hero = GetHero()) y = hero->GetPreviousTop();
                PlaySE(SoundId::kDash2);
            }
            break;
    }
    maxSpeedUp = limits[0], maxSpeedDown = limits[1], maxSpeedLeft = limits[2], maxSpeedRight = limits[3];
    guardChance = guard;
}

void CBarManYellow::RaisePillars() {
    const double py = GetPreviousBottom() - 16;
    ThrowBossShot(*this, "CShockWave", GetLeft() - 16, py, {5, 0, 96, 0});
    ThrowBossShot(*this, "CShockWave", GetRight(), py, {5, 1, 96, 0});
    PlaySE(SoundId::kFire);
}

void CBarManYellow::CallBolt(double px) {
    PlaySE(SoundId::kThunder);
    ++thunderCount;
    IBase* hero = GetHero();
    const int foot = hero ? TruncToInt(hero->GetPreviousBottom() - 4) : 0;
    const double screenTop = Camera().ScreenToWorldY(0, 0);
    ThrowBossShot(*this, "CThunder", px, TruncToInt(screenTop - 1200), {0, foot});
}

void CBarManYellow::LeaveMostlyDeciding(int percent) {
    if (Roll(0, 99) < percent) {
        SetYellowState(kYellowDecide);
    } else {
        FaceHero();
        SetYellowState(kYellowBackHop);
    }
}

void CBarManYellow::Decide(double dx) {
    const int r = Roll(0, 99);
    const bool low = hitPoints <= kLowHitPoints;
    if (!openingDone) {
        openingDone = true;
        return SetYellowState(kYellowDashCall);
    }
    if (low && !lowHpStormDone) {
        lowHpStormDone = true;
        return SetYellowState(kYellowStorm);
    }
    if (decideCount > kDecisionsPerSequence) return SetYellowState(kYellowDashCall);
    if (GetScreenDistanceSelf() > 16) return SetYellowState(kYellowRun);
    const double adx = std::fabs(dx);
    if (adx < 128)
        return SetYellowState(r < 35   ? kYellowBackOff
                              : r < 70 ? kYellowReadyFast
                              : r < 95 ? kYellowBackHop
                                       : kYellowCrouch);
    if (adx < 288) {
        if (low && Roll(0, 99) < 15) return SetYellowState(kYellowStorm);
        return SetYellowState(r < 25   ? kYellowRun
                              : r < 55 ? kYellowReady
                              : r < 75 ? kYellowBackHop
                              : r < 85 ? kYellowCrouch
                                       : kYellowLightning);
    }
    if (low && Roll(0, 99) < 35) return SetYellowState(kYellowStorm);
    SetYellowState(r < 20          ? kYellowRun
                   : r < 45        ? kYellowBackHop
                   : r < 65        ? kYellowCrouch
                   : low && r < 90 ? kYellowBackHop
                                   : kYellowLightning);
}

void CBarManYellow::UpdateAttack() {
    switch (yellowState) {
        case kYellowDecide:
        case kYellowAirborne:
        case kYellowRun:
        case kYellowBackOff:
            StepMoves();
            break;
        case kYellowReady:
        case kYellowReadyFast:
        case kYellowRush:
        case kYellowRushFast:
        case kYellowStop:
            StepRush();
            break;
        case kYellowDashCall:
        case kYellowDash1:
        case kYellowDash2:
        case kYellowDash3:
        case kYellowDash4:
        case kYellowPause1:
        case kYellowPause2:
        case kYellowPause3:
        case kYellowPause4:
        case kYellowLastDash:
        case kYellowLeap:
        case kYellowSlam:
        case kYellowLanding:
            StepDashSequence();
            break;
        case kYellowLightning:
        case kYellowStorm:
            StepThunder();
            break;
        case kYellowBackHop:
        case kYellowRushToStrike:
        case kYellowStrikes:
        case kYellowStrikesEnd:
            StepStrikes();
            break;
        case kYellowCrouch:
        case kYellowJumpAtHero:
        case kYellowFallingSlam:
        case kYellowSlamLanding:
            StepJumps();
            break;
        default:
            break;
    }
    yellowStateTime += GetFrameTime() * 60.0;
}

// The pose of a dash, cycling every three frames.
void CBarManYellow::ShowDashPose() {
    static const int kColumns[4] = {0, 1, 0, 2};
    ShowPose(1, kColumns[CycleIndex(yellowStateTime, 3)], 1);
}

// Deciding, running in and backing off.
void CBarManYellow::StepMoves() {
    const double dx = GetDistanceXToHero();
    const double t = yellowStateTime;
    const bool wall = touchLeft || touchRight;
    const bool right = facing == 1;
    switch (yellowState) {
        case kYellowDecide:
        case kYellowAirborne:
            ShowStandPose();
            if (yellowState == kYellowAirborne) {
                BrakeStop();
                if (onGround) SetYellowState(kYellowDecide);
                break;
            }
            FaceHero();
            if (BrakeOnGround()) Decide(dx);
            break;
        case kYellowRun: {
            static const int kColumns[4] = {3, 4, 3, 5};
            ShowPose(1, kColumns[CycleIndex(t, 4)], 0);
            const bool near = right ? dx < 128 : dx > -128;
            if (StillOnGround() && (near || t > 60 || wall)) LeaveMostlyDeciding(90);
            break;
        }
        case kYellowBackOff: {
            static const int kColumns[4] = {0, 1, 0, 2};
            ShowPose(1, kColumns[CycleIndex(t, 6)], 0);
            const bool farAhead = right ? dx > 192 : dx < -192;
            const bool behind = right ? dx < 0 : dx > 0;
            if (StillOnGround() && t > 15 && (farAhead || behind || t > 60 || wall)) LeaveMostlyDeciding(90);
            break;
        }
        default:
            break;
    }
}

// The rush: ready, rush and stop.
void CBarManYellow::StepRush() {
    const double t = yellowStateTime;
    const bool wall = touchLeft || touchRight;
    switch (yellowState) {
        case kYellowReady:
        case kYellowReadyFast:
            ShowPose(1, 3, 1);
            FaceHero();
            if (BrakeOnGround() && t > 6)
                SetYellowState(yellowState == kYellowReady ? kYellowRush : kYellowRushFast);
            break;
        case kYellowRush:
        case kYellowRushFast:
            if (yellowState == kYellowRush)
                ShowPose(2, 0, 3);
            else
                ShowPose(1, 5, 1);
            if (t > 10 || wall) SetYellowState(kYellowStop);
            break;
        case kYellowStop:
            ShowPose(1, 3, 1);
            FaceHero();
            if (BrakeOnGround() && t > 15) LeaveMostlyDeciding(84);
            break;
        default:
            break;
    }
}

// The dash sequence: the call, four dashes with pauses, the last dash, the leap and the slam.
void CBarManYellow::StepDashSequence() {
    const double dx = GetDistanceXToHero();
    const double t = yellowStateTime;
    const bool wall = touchLeft || touchRight;
    switch (yellowState) {
        case kYellowDashCall:
            if (t < 30)
                ShowPose(2, 0, 4, 0, t);
            else
                ShowPose(2, 1, 4);
            FaceHero();
            if (BrakeOnGround() && t > 50) SetYellowState(kYellowDash1);
            break;
        case kYellowDash1:
        case kYellowDash2:
        case kYellowDash3:
        case kYellowDash4:
            ShowDashPose();
            if (wall || (dx < -900 && vx > 0) || (dx > 900 && vx < 0)) {
                FaceHero();
                SetYellowState(NextInDashSequence(yellowState));
            }
            break;
        case kYellowPause1:
        case kYellowPause2:
        case kYellowPause3:
        case kYellowPause4:
            ShowPose(1, 3, 1);
            if (t > 36) SetYellowState(NextInDashSequence(yellowState));
            break;
        case kYellowLastDash:
            ShowDashPose();
            if (wall || (vx > 0 && dx < 400) || (vx < 0 && dx > -400)) {
                FaceHero();
                SetYellowState(kYellowLeap);
            }
            break;
        case kYellowLeap:
            if (t < 5)
                ShowPose(2, 0, 0);
            else
                ShowPose(2, 1, 0);
            if (t < 24)
                BrakeStop();
            else
                ax = (1200 + 60 * (t - 30)) * (dx < 0 ? -1.0 : 1.0);
            if (vy >= 0) SetYellowState(kYellowSlam);
            break;
        case kYellowSlam:
            ShowPose(2, 0, 2);
            BrakeStop();
            if (onGround) SetYellowState(kYellowLanding);
            break;
        case kYellowLanding:
            if (t < 60)
                ShowPose(2, 1, 2);
            else if (t < 65)
                ShowPose(2, 2, 2);
            else
                ShowPose(1, 0, 0);
            BrakeStop();
            if (!yellowOnce) {
                yellowOnce = true;
                RaisePillars();
            }
            if (t > 70) SetYellowState(kYellowDecide);
            break;
        default:
            break;
    }
}

// The lightning: three bolts at the hero, or the storm of eight.
void CBarManYellow::StepThunder() {
    const double t = yellowStateTime;
    IBase* hero = GetHero();
    const double heroX = hero ? hero->centerX : centerX;
    switch (yellowState) {
        case kYellowLightning:
            ShowPose(2, 5, 3);
            FaceHero();
            if (!BrakeOnGround()) break;
            if (t > 120) {
                SetYellowState(kYellowDecide);
            } else if (thunderCount < 3 && t > 30 && TruncToInt(t - 30) / 6 >= thunderCount) {
                if (thunderCount == 0)
                    CallBolt(heroX - 12);
                else if (thunderCount == 1)
                    CallBolt(Roll(TruncToInt(heroX - 128), TruncToInt(heroX - 64)));
                else
                    CallBolt(Roll(TruncToInt(heroX + 40), TruncToInt(heroX + 104)));
            }
            break;
        case kYellowStorm:
            ShowPose(2, 5, 3);
            FaceHero();
            if (!BrakeOnGround()) break;
            if (t > 250)
                SetYellowState(kYellowDecide);
            else if (thunderCount < 8 && t > 40 && TruncToInt(t - 40) / 25 >= thunderCount)
                CallBolt(Roll(TruncToInt(heroX - 96), TruncToInt(heroX + 72)));
            break;
        default:
            break;
    }
}

// The back hop, the rush to the hero and the burst of strikes.
void CBarManYellow::StepStrikes() {
    const double dx = GetDistanceXToHero();
    const double t = yellowStateTime;
    const bool wall = touchLeft || touchRight;
    const bool right = facing == 1;
    switch (yellowState) {
        case kYellowBackHop:
            if (t < 6 * kPi)
                ShowPose(1, 4, 1, -t / 3.0);
            else
                ShowPose(1, 1, 2);
            if (onGround && t > 8) {
                if (Roll(0, 100) < 75) {
                    SetYellowState(kYellowRushToStrike);
                } else {
                    jumpsLeft = 0;
                    SetYellowState(kYellowJumpAtHero);
                }
            }
            break;
        case kYellowRushToStrike:
            ShowDashPose();
            if (!StillOnGround()) break;
            if (wall || (vx > 0 && dx < 148) || (vx < 0 && dx > -148)) {
                FaceHero();
                SetYellowState(kYellowStrikes);
            }
            break;
        case kYellowStrikes: {
            static const int kColumns[8] = {0, 4, 1, 4, 2, 4, 3, 4};
            ShowPose(2, t < 24 ? kColumns[std::max(0, TruncToInt(t) / 3)] : 5, 1);
            if (!BrakeOnGround()) break;
            if (t > 30) {
                SetYellowState(kYellowStrikesEnd);
            } else if (TruncToInt(t) / 6 >= strikeCount) {
                ++strikeCount;
                PlaySE(SoundId::kAttack4);
                const AttackInfo a = BossAttack(4, 100.0, right ? -kPi / 4 : -3 * kPi / 4, {kAttackSlash});
                AddBossRectangle(this, right ? width / 2 + 72 : width / 2 - 120, height / 2 - 4, 48, 20, 2,
                                 kAimKeep, a);
            }
            break;
        }
        case kYellowStrikesEnd:
            ShowPose(2, 5, 1);
            if (BrakeOnGround() && t > 30) BackToFree();
            break;
        default:
            break;
    }
}

// The chain of jumps at the hero, each ending in a slam.
void CBarManYellow::StepJumps() {
    const double t = yellowStateTime;
    switch (yellowState) {
        case kYellowCrouch:
            ShowPose(1, 5, 3);
            FaceHero();
            if (!BrakeOnGround()) break;
            if (t > 8) {
                jumpsLeft = Roll(3, 5);
                SetYellowState(kYellowJumpAtHero);
            }
            break;
        case kYellowJumpAtHero:
            ShowPose(1, 1, 2);
            if (t > 8 && vy > 0) SetYellowState(kYellowFallingSlam);
            break;
        case kYellowFallingSlam:
            ShowPose(2, 0, 2);
            if (onGround) {
                PlaySE(SoundId::kShock2);
                Camera().Shake();
                FaceHero();
                SetYellowState(kYellowSlamLanding);
            }
            break;
        case kYellowSlamLanding:
            if (t < 30)
                ShowPose(2, 1, 2);
            else if (t < 35)
                ShowPose(2, 2, 2);
            else
                ShowPose(1, 0, 0);
            BrakeStop();
            if (!onGround) {
                SetYellowState(kYellowAirborne);
                break;
            }
            if (!yellowOnce) {
                yellowOnce = true;
                RaisePillars();
            }
            if (t > 40) {
                FaceHero();
                if (--jumpsLeft > 0)
                    SetYellowState(kYellowJumpAtHero);
                else
                    BackToFree();
            }
            break;
        default:
            break;
    }
}

bool CBarManYellow::IsAttackImmune() { return IsDashing() || yellowState == kYellowFallingSlam; }

bool CBarManYellow::IsContactHarmless() {
    const int s = yellowState;
    return s == kYellowRush || s == kYellowRushFast || s == kYellowStop ||
           (s >= kYellowDash1 && s <= kYellowLanding) || s == kYellowJumpAtHero || s == kYellowFallingSlam ||
           s == kYellowSlamLanding;
}

bool CBarManYellow::IsClashProof() {
    return (yellowState >= kYellowDash1 && yellowState <= kYellowLanding) ||
           yellowState == kYellowFallingSlam;
}

int CBarManYellow::GetBarEffectKind() {
    switch (yellowState) {
        case kYellowDash1:
        case kYellowDash2:
        case kYellowDash3:
        case kYellowDash4:
        case kYellowLastDash:
            return 10;
        case kYellowSlam:
        case kYellowFallingSlam:
            return 9;
        case kYellowStrikes:
            return 7;
        default:
            return 0;
    }
}

double CBarManYellow::GetBarEffectTime() {
    if (yellowState == kYellowStrikes && yellowStateTime < 24) return TruncToInt(yellowStateTime) % 6;
    return yellowStateTime;
}

void CBarManYellow::DrawOverlay() {
    const double t = yellowStateTime;
    IBase* hero = GetHero();
    if (yellowState != kYellowLeap || t < 32 || !hero) return;
    CSprite* s = TruncToInt(t) % 8 < 4 ? markerA.get() : markerB.get();
    if (!s) return;
    s->x = static_cast<float>(centerX / 256.0);
    s->y = static_cast<float>(hero->centerY / 256.0);
    s->z = -0.004f;
    s->ApplyTransform();
    s->Draw();
}
