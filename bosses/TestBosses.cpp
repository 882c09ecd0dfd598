#include "bosses/TestBosses.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"
#include "play/EffectFactory.h"
#include "play/SceneServices.h"

namespace {
constexpr int kBurstEffect = 4;
constexpr double kFlightFloor = 700.0;
}  // namespace

CTestBoss001::CTestBoss001(CStage* ownerStage, double px, double py, int facingIn)
    : CKid001(ownerStage, px, py, facingIn) {
    hitPoints = 140;
    vx = 0;
    vy = 4.0 * GetFrameRate();
    // A boss stays until its fight ends, wherever it is carried.
    removeWhenOffScreen = false;
    SetState(kTestBossEntrance);
}

void CTestBoss001::Act() {
    inEntrance = false;
    if (!registered) {
        registered = true;
        auto made = std::make_unique<CTestBossRole>(this);
        CTestBossRole* r = made.get();
        role = r;
        AddChild(std::move(made));
        if (IPlaySceneServices* scene = GetSceneServices(owner)) scene->RegisterBoss(r);
    }
    // The kid's frame: the move first, then its states, ours among them (ActOwnState).
    CKid001::Act();
}

void CTestBoss001::ActOwnState(double f) {
    switch (state) {
        case kTestBossEntrance:
            if (f > kEntranceFrames) SetState(kKidWalk);
            break;
        case kTestBossFlight:
            // The burst stands where the flight has carried the boss in this frame.
            if (f > 30) {
                CreateEffect(kBurstEffect, std::trunc((GetLeft() + GetRight()) / 2),
                             std::trunc((GetTop() + GetBottom()) / 2), owner);
                PlaySE(SoundId::kDeath2);
                SetState(kTestBossGone);
            }
            break;
        case kTestBossGone:
            if (f > 60) {
                if (IPlaySceneServices* scene = GetSceneServices(owner)) scene->OnBossDefeated();
                SetState(kTestBossRemoval);
            }
            break;
        case kTestBossRemoval:
            if (f > 10) Kill();
            break;
        default:
            break;
    }
}

bool CTestBoss001::EntranceStep() {
    inEntrance = true;
    BeginFrame();
    AdvanceStateClock();
    // Decided before the walk's state change clears the clock.
    const bool done = stateFrames >= kEntranceFrames;
    if (done) {
        SetState(kKidWalk);
        inEntrance = false;
    }
    EndFrame();
    return done;
}

int CTestBoss001::Collide(IBase* other) {
    if (InBossState()) return kHitImmune;
    return CKid001::Collide(other);
}

int CTestBoss001::ReceiveAttack(AttackInfo info) {
    if (InBossState()) return kHitImmune;
    if (clashGuard) return kHitNoEffect;
    hitPoints -= info.damage;
    if (hitPoints >= 1) {
        StartBlow(info, false);
        return kHitHurt;
    }
    SetState(kTestBossFlight);
    const double speed = std::max(info.power, kFlightFloor);
    vx = speed * std::cos(info.angle);
    vy = speed * std::sin(info.angle);
    ax = ay = 0;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 9999.0;
    ClearSpawnFlag();
    return kHitDefeated;
}

void CTestBoss001::Draw() {
    if (state == kTestBossGone || state == kTestBossRemoval) return;
    if (!inEntrance && !InBossState()) return CKid001::Draw();
    sprite = GetCellSprite(facing, state == kTestBossFlight ? 4 : 0);
    if (!sprite) return;
    sprite->scaleX = sprite->scaleY = 1.0f;
    imageX = centerX;
    imageY = centerY - 4;
    // Dropping in from 360 pixels above at 3 pixels a frame.
    if (inEntrance || state == kTestBossEntrance) imageY += 3 * std::trunc(stateFrames - kEntranceFrames);
    DrawSprite();
}

CTestBossRole::CTestBossRole(CTestBoss001* boss) : IBoss(boss->owner, boss->x, boss->y) {
    parent = boss;
    attachedToParent = true;
    shapeType = kShapeNone;
    category = kCategoryController;
}

CTestBoss001* CTestBossRole::Boss() const { return dynamic_cast<CTestBoss001*>(parent.Get()); }

bool CTestBossRole::EntranceStep() {
    CTestBoss001* boss = Boss();
    return !boss || boss->EntranceStep();
}

bool CTestBossRole::IsFinalBoss() {
    CTestBoss001* boss = Boss();
    return boss && boss->IsFinalBoss();
}
