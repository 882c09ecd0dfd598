#include "gimmicks/IronBallAndBombs.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/Camera.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "gimmicks/Burst.h"
#include "gimmicks/GimmickSupport.h"
#include "play/HitEffect.h"
#include "play/ObjectRegistry.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

// ---- Iron ball ------------------------------------------------------------------------------

CIronBall::CIronBall(CStage* ownerStage, double px, double py)
    : IBase(ownerStage, px, py), homeX(px), homeY(py), anchorX(px), anchorY(py) {
    SetUpHazard(*this, kCategoryIronBall, 0.0029, false);
    maxSpeedUp = 200.0;
    maxSpeedDown = 1000.0;
    maxSpeedLeft = maxSpeedRight = 200.0;
    MakeCircle(*this, 47.0);
    hitTargets_.reserve(8);
    ball_ = MakeObjectSprite("Objects003", 0, 64, 96, 160);
    sprite = ball_.get();
    for (OwnedSprite& link : links_) link = MakeObjectSprite("Objects003", 96, 64, 112, 80);
    FindAnchor();
    SetState(kWaiting);
}

void CIronBall::FindAnchor() {
    // The chain hangs from the last free tile below the first solid one above the ball, searching
    // at most 12 tiles up.
    anchorX = x;
    anchorY = y - 72.0;
    const CStageMap* map = GetCurrentMap();
    for (int i = 0; i < 12; ++i) {
        if (anchorY <= 0.0) {
            anchorY = 8.0;
            return;
        }
        if (map && !IsPassableChip(map->GetChip(static_cast<int>(x) / 32, static_cast<int>(anchorY) / 32))) {
            anchorY += 32.0;
            return;
        }
        anchorY -= 32.0;
    }
}

void CIronBall::SetState(State s) {
    state = s;
    stateTime = 0.0;
}

void CIronBall::Update() {
    BeginFrame();
    Move();
    rehitTimer += GetFrameTime() * 60.0;
    if (rehitTimer > rehitInterval) {
        rehitTimer = 0.0;
        hitTargets_.clear();
    }
    switch (state) {
        case kWaiting:
            UpdateWaiting();
            break;
        case kFalling:
            UpdateFalling();
            break;
        case kResting:
            UpdateResting();
            break;
        case kReturning:
            UpdateReturning();
            break;
    }
    stateTime += GetFrameTime() * 60.0;
    EndFrame();
}

void CIronBall::UpdateWaiting() {
    vx = vy = ax = ay = 0.0;
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    if (std::fabs(dx) < 96.0 && 0.0 < dy && dy < 400.0) SetState(kFalling);
}

void CIronBall::UpdateFalling() {
    ax = 0.0;
    ay = 850.0;
    if (!onGround && y - homeY < 320.0) return;
    SetState(kResting);
    if (onGround) {
        PlaySE(SoundId::kShock2);
        Camera().Shake();
        vy = 4.0 * GetFrameRate();  // keeps the ball pressed on the ground
    } else {
        vy = 0.0;  // the chain is at its end: the ball hangs
        ay = 0.0;
    }
}

void CIronBall::UpdateResting() {
    ax = ay = 0.0;
    if (stateTime <= 40.0) {
        if (!onGround && y - homeY < 320.0) SetState(kFalling);  // the ground went away
    } else {
        SetState(kReturning);
    }
}

void CIronBall::UpdateReturning() {
    const double speed = std::min(stateTime * 3.5, 200.0);
    const double a = GetAngle(x, y, homeX, homeY);
    vx = speed * std::cos(a);
    vy = speed * std::sin(a);
    ax = ay = 0.0;
    if (stateTime > 300.0 && (touchTop || touchBottom || touchLeft || touchRight)) {
        // Stuck on the way up: it waits where it is.
        SetState(kWaiting);
        homeX = x;
        homeY = y;
    } else if (GetDistance(x, y, homeX, homeY) < 4.0) {
        SetState(kWaiting);
        x = homeX;
        y = homeY;
    }
}

int CIronBall::Collide(IBase* other) {
    if (!other) return kHitNoEffect;
    const ObjectHandle h(other);
    if (std::find(hitTargets_.begin(), hitTargets_.end(), h) != hitTargets_.end()) return kHitImmune;
    hitTargets_.push_back(h);
    // The victim is flung away sideways and a little upward.
    const double a = GetAngle(other->centerX, other->centerY, centerX, centerY);
    AttackInfo attack;
    const bool falling = state == kFalling;
    attack.damage = falling ? 30 : 15;
    attack.power = falling ? 1000.0 : 700.0;
    attack.angle = std::cos(a) < 0.0 ? -0.05 * kPi : -0.95 * kPi;
    attack.flags[kAttackPowerHit] = 1;
    const int result = other->ReceiveAttack(attack);
    ShowHitEffect(this, other, attack, result);
    return result;
}

void CIronBall::Draw() {
    imageX = centerX;
    imageY = centerY;
    DrawSprite();
    // The chain runs from the anchor to 40 pixels above the ball's middle.
    const double endX = x, endY = y - 40.0;
    for (int k = 0; k < 8; ++k) {
        const double t = k / 7.0;
        DrawSpriteAt(links_[k].get(), anchorX + (endX - anchorX) * t, anchorY + (endY - anchorY) * t, 0.003);
    }
}

// ---- Bombs ---------------------------------------------------------------------------------

CBombBase::CBombBase(CStage* ownerStage, double px, double py, int cat, double fuseFrames, int burstRadius)
    : IBase(ownerStage, px, py), fuse(fuseFrames), burstRadius_(burstRadius) {
    SetUpHazard(*this, cat, 0.003, true);
}

void CBombBase::Update() {
    BeginFrame();
    if (!lit && CatchesFire()) lit = true;
    if (lit) {
        fuse -= GetFrameTime() * 60.0;
        if (fuse <= 0.0) Explode();
    }
    EndFrame();
}

int CBombBase::ReceiveAttack(AttackInfo attack) {
    if (IsDead()) return kHitImmune;
    if (!attack.flags[kAttackRedBurst]) return kHitNoEffect;  // weapons do nothing to it
    Explode();
    return kHitDefeated;
}

void CBombBase::Explode() {
    if (IsDead()) return;
    const double cx = (GetLeft() + GetRight()) / 2;
    const double cy = (GetTop() + GetBottom()) / 2;
    Registry().Add(std::make_unique<CRedBurst>(owner, cx, cy, burstRadius_));
    PlaySE(SoundId::kBomb1);
    Kill();
    OnExploded();
}

// ---- Switch bomb ----------------------------------------------------------------------------

CSwitchBomb::CSwitchBomb(CStage* ownerStage, double px, double py)
    : CBombBase(ownerStage, px, py, kCategoryBlock, 180.0, 40) {
    width = 48.0;
    height = 30.0;
    UpdateCentre();
    for (int k = 0; k < 5; ++k)
        images_[k] = MakeObjectSprite("Objects003", 208, 64 + 32 * k, 256, 96 + 32 * k);
}

bool CSwitchBomb::CatchesFire() {
    if (riders.empty()) return false;
    PlaySE(SoundId::kSwitch);  // the fuse catches
    return true;
}

int CSwitchBomb::GetImageIndex() const {
    if (!lit) return kUnlit;
    if (fuse > 120.0) return kLongFuse;
    if (fuse > 60.0) return kShortFuse;
    return static_cast<int>(fuse) % 4 < 2 ? kBlinkA : kBlinkB;
}

void CSwitchBomb::Draw() {
    sprite = images_[GetImageIndex()].get();
    imageX = centerX;
    imageY = centerY - 1.0;
    DrawSprite();
}

// ---- Floating bomb --------------------------------------------------------------------------

CFloatingBomb::CFloatingBomb(CStage* ownerStage, double px, double py)
    : CBombBase(ownerStage, px, py, kCategoryEnemy, 60.0, 48) {
    MakeCircle(*this, 16.0);
    images_[0] = MakeObjectSprite("Objects003", 128, 64, 160, 96);
    images_[1] = MakeObjectSprite("Objects003", 160, 64, 192, 96);
}

bool CFloatingBomb::CatchesFire() {
    if (!GetHero()) return false;  // nobody to wait for
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    return dx * dx + dy * dy < 6400.0;  // silently: the blink is the warning
}

void CFloatingBomb::OnExploded() { ForgetPlacedObject(*this); }

int CFloatingBomb::GetImageIndex() const {
    if (!lit) return kDark;
    return static_cast<int>(fuse) % 4 < 2 ? kDark : kBright;
}

void CFloatingBomb::Draw() {
    sprite = images_[GetImageIndex()].get();
    imageX = centerX;
    imageY = centerY + 2.0 * std::sin(age * 0.05);  // a slow bob
    DrawSprite();
}

int CFloatingBomb::Collide(IBase* other) { return DealContactSlash(*this, other, 10, 200.0); }
