#include "bosses/BarManBlue.h"

#include <cmath>
#include <memory>

#include "bosses/BarManAttacks.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "gimmicks/ParticleEffects.h"
#include "play/EffectFactory.h"
#include "play/LiveObjectFactory.h"

CBarManBlue::CBarManBlue(CStage* ownerStage, double px, double py, int facingIn, int creator)
    : CBarManBase(ownerStage, px, py, facingIn, kBarManBlue, creator) {
    hitPoints = 270;
    guardChance = 5;
    vx = 0;
    vy = 4.0 * GetFrameRate();
    SetBlueState(kBlueChoose);
}

int CBarManBlue::CountChildren() const {
    return static_cast<int>(GetChildren().size() + GetPendingChildCount());
}

void CBarManBlue::SetBlueState(int s) {
    blueStateTime = 0;
    blueState = s;
    afterimageVisible = false;
    chargeShown = false;
    const double f = FacingSign();
    switch (s) {
        case kBlueAim:
            PlaySE(SoundId::kGun4);
            [[fallthrough]];
        case kBlueChoose:
        case kBlueFalling:
        case kBlueRecover:
            ax = -700 * f;
            ay = 750;
            maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 700;
            break;
        case kBlueHop:
        case kBlueHopBack:
        case kBlueLongHop: {
            PlaySE(SoundId::kJump4);
            const double speed = s == kBlueHop ? 130 : s == kBlueHopBack ? 140 : 240;
            const double dir = s == kBlueHopBack ? -f : f;
            vx = ax = speed * dir;
            vy = s == kBlueHop ? -360 : s == kBlueHopBack ? -370 : -530;
            ay = 750;
            maxSpeedUp = maxSpeedDown = 1000;
            maxSpeedLeft = maxSpeedRight = speed;
            break;
        }
        default:
            break;
    }
}

void CBarManBlue::DropCharge() {
    if (IBase* glow = chargeEffect.Get()) RemoveChild(glow);
    chargeEffect.Reset();
}

void CBarManBlue::FireShot() {
    const bool right = facing == 1;
    const double sx = right ? prevX + width + 73 : prevX - 73 - 16;
    const double sy = prevY + 10;
    switch (shotKind) {
        case kBlueSniper:
            PlaySE(SoundId::kGun2);
            CreateEffect(1, TruncToInt(MuzzleX()), TruncToInt(MuzzleY()), owner);
            ThrowBossShot(*this, "CSniperShot", sx, sy, {right ? 1500.0 : -1500.0, 0.0, false});
            break;
        case kBlueBreak:
            PlaySE(SoundId::kShock5B);
            CreateEffect(1, TruncToInt(MuzzleX()), TruncToInt(MuzzleY()), owner);
            ThrowBossShot(*this, "CBreakShot_Mother", sx, sy, {right ? 250.0 : -250.0, 0.0, false});
            break;
        default:
            PlaySE(SoundId::kGun3);
            ThrowBossShot(*this, "CWaveShot", sx, sy, {facing, false, 0.0});
            ThrowBossShot(*this, "CWaveShot", sx, sy, {facing, false, kPi});
            break;
    }
}

void CBarManBlue::LaunchMachine() {
    machineTimer = 0;
    int kind = 3;
    if (hitPoints >= kLowHitPoints || Roll(0, 99) >= 25) kind = Roll(1, 4);
    PlaySE(SoundId::kJump2);
    const bool right = facing == 1;
    const double px = right ? GetRight() + 8 : GetLeft() - 8;
    const double py = GetTop() - 8;
    double mvx = 130 * FacingSign() + Roll(-20, 20);
    double mvy = Roll(-20, 20) - 200;
    // Which machine, where it appears and how it flies; then the one machine is made.
    const char* name = "CBlueMachine004";
    double mx = px, my = py;
    LiveObjectArgs args;
    switch (kind) {
        case 1:
            name = "CBlueMachine001";
            mx = px - 12, my = py - 20;
            args = {mvx, mvy};
            break;
        case 2:
            name = "CBlueMachine002";
            args = {mvx, mvy};
            break;
        case 3:
            mvx += Roll(-80, 80);
            mvy += Roll(-80, 80);
            name = "CBlueMachine003";
            args = {mvx, mvy};
            break;
        default:
            mvy -= Roll(0, 120);
            args = {0.0, mvy};
            break;
    }
    std::unique_ptr<IBase> machine(CreateLiveObject(name, owner, mx, my, args));
    if (machine) AddChild(std::move(machine));
}

void CBarManBlue::Choose(double dx, double dy) {
    const int r = Roll(0, 99);
    const double adx = std::fabs(dx), ady = std::fabs(dy);
    if (hitPoints < kLowHitPoints && !lowHpWaveUsed) {
        shotKind = kBlueWave;
        lowHpWaveUsed = true;
        return SetBlueState(kBlueAim);
    }
    if (adx > 160 && ((ady <= 64 && r < 90) || (ady > 64 && ady <= 128 && r < 50))) {
        if (hitPoints >= 180)
            shotKind = kBlueSniper;
        else if (hitPoints >= kLowHitPoints)
            shotKind = Roll(0, 1);
        else
            shotKind = Roll(0, 2);
        return SetBlueState(kBlueAim);
    }
    if (adx < 120) return SetBlueState(r < 85 ? kBlueLongHop : kBlueHopBack);
    if (adx < 240) return SetBlueState(r >= 80 ? kBlueHop : kBlueHopBack);
    SetBlueState(r < 70 ? kBlueHop : kBlueHopBack);
}

void CBarManBlue::UpdateAttack() {
    const double dx = GetDistanceXToHero();
    const double dy = GetDistanceYToHero();
    const double t = blueStateTime;
    switch (blueState) {
        case kBlueChoose:
            ShowStandPose();
            FaceHero();
            BrakeStop();
            if (machineTimer > 320 && CountChildren() <= (hitPoints < kLowHitPoints ? 3 : 2)) LaunchMachine();
            if (!onGround)
                SetBlueState(kBlueFalling);
            else if (t > 30)
                Choose(dx, dy);
            break;
        case kBlueFalling:
            ShowStandPose();
            BrakeStop();
            if (onGround) SetBlueState(kBlueChoose);
            break;
        case kBlueHop:
        case kBlueLongHop:
        case kBlueHopBack:
            if (blueState == kBlueHopBack)
                ShowPose(1, 5, 1);
            else
                ShowPose(1, 1, 2);
            if (t > 8 && onGround) SetBlueState(kBlueChoose);
            break;
        case kBlueAim:
            if (t < 5)
                ShowPose(2, 2, 0);
            else
                ShowPose(2, 3, 4);
            BrakeStop();
            if (!onGround) {
                DropCharge();
                SetBlueState(kBlueFalling);
            } else if (shotKind != kBlueWave) {
                if (t > 40) {
                    FireShot();
                    SetBlueState(kBlueRecover);
                }
            } else if (t > 120) {
                FireShot();
                SetBlueState(kBlueRecover);
            } else if (t > 40 && !chargeShown) {
                chargeShown = true;
                PlaySE(SoundId::kMagic3);
                auto glow = std::make_unique<CEffect_WaveShotCharge>(owner, MuzzleX(), MuzzleY());
                chargeEffect = glow.get();
                AddChild(std::move(glow));
            }
            break;
        case kBlueRecover:
            if (t < 4)
                ShowPose(2, 4, 4);
            else
                ShowPose(2, 3, 4);
            BrakeStop();
            if (!onGround)
                SetBlueState(kBlueFalling);
            else if (t > 40)
                SetBlueState(kBlueChoose);
            break;
        default:
            break;
    }
    const double step = GetFrameTime();
    blueStateTime += step * 60.0;
    machineTimer += step * 60.0;
    if (hitPoints < kLowHitPoints) machineTimer += step * 100.0;
}

void CBarManBlue::OnEnterState(int state) {
    if (state != kBarManDefeat) return DropCharge();
    // Beaten: every machine (and the glow) bursts.
    auto burst = [this](IBase* child) {
        CreateEffect(4, TruncToInt((child->GetLeft() + child->GetRight()) / 2),
                     TruncToInt((child->GetTop() + child->GetBottom()) / 2), owner);
        RemoveChild(child);
    };
    for (const auto& c : GetChildren()) burst(c.get());
    for (const auto& c : GetPendingChildren()) burst(c.get());
    chargeEffect.Reset();
}

void CBarManBlue::OnBlowRecovered() {
    BackToFree();
    machineTimer += 120;
}
