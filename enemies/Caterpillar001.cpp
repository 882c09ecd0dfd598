#include "enemies/Caterpillar001.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "enemies/GroundHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/WindowHelpers.h"
#include "gimmicks/Burst.h"
#include "play/ObjectRegistry.h"

namespace {

std::vector<SpriteCell> BombCells() {
    std::vector<SpriteCell> cells;
    for (int f = 0; f < 9; ++f)
        for (int phase = 0; phase < 2; ++phase) {
            const int left = 40 * (f % 6), top = 32 * (f / 6) + 64 * phase;
            cells.push_back({left, top, left + 40, top + 32});
        }
    return cells;
}

}  // namespace

CCaterpillar001::CCaterpillar001(CStage* ownerStage, double px, double py, int facingIn, int fuseSeconds)
    : CGroundEnemy(ownerStage, px, py, facingIn, 0),
      fuse(60.0 * fuseSeconds),
      left_("Char", "Enemy006_L", BombCells()),
      right_("Char", "Enemy006_R", BombCells()) {
    width = 24.0;
    height = 30.0;
    vy = 4.0 * GetFrameRate();
    ay = kGravity;
    maxSpeedUp = 300.0;
    maxSpeedDown = 800.0;
    maxSpeedLeft = maxSpeedRight = 250.0;
    SetState(kBombWait);
}

CCaterpillar001::~CCaterpillar001() = default;

void CCaterpillar001::SetState(int s) {
    EnterState(s);
    if (s == kBombKnocked) {
        maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 800.0;
    } else {
        maxSpeedUp = 300.0;
        maxSpeedDown = 800.0;
        maxSpeedLeft = maxSpeedRight = 200.0;
    }
}

void CCaterpillar001::Act() {
    BeginFrame();
    Move();
    switch (state) {
        case kBombWait:
            facing = GetDistanceXToHero() >= 0.0 ? 1 : 0;
            BrakeStop();
            ay = kGravity;
            if (IsHeroInReach()) SetState(kBombChase);
            break;
        case kBombChase:
            facing = GetDistanceXToHero() >= 0.0 ? 1 : 0;
            ax = 400.0 * FacingSign();
            ay = kGravity;
            break;
        case kBombKnocked:
            if (stateFrames <= 15.0)
                BrakeStop();
            else
                SetState(kBombChase);
            break;
        default:
            break;
    }
    AdvanceStateClock();
    if (state != kBombWait) {
        fuse -= GetFrameTime() * 60.0;
        if (fuse <= 0.0) {
            fuse = 0.0;
            Explode();
        }
    }
    EndFrame();
}

void CCaterpillar001::Explode() {
    if (IsDead()) return;
    Registry().Add(std::make_unique<CRedBurst>(owner, (GetLeft() + GetRight()) * 0.5,
                                               (GetTop() + GetBottom()) * 0.5 - 5.0, kBurstRadius));
    PlaySE(SoundId::kBomb1);
    Kill();
    ClearSpawnFlag();
}

int CCaterpillar001::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (!isBlown && (r == kHitBounced || r == kHitPushed)) {
        SetState(kBombKnocked);
        RecoilFrom(other, 200.0, 900.0, kGravity);
    }
    return r;
}

int CCaterpillar001::ReceiveAttack(AttackInfo info) {
    if (info.flags[kAttackRedBurst]) {
        Explode();
        return kHitDefeated;
    }
    SetState(kBombKnocked);
    const double p = 0.8 * std::max(info.power, 300.0);
    RecoilAlong(this, info.angle, p, 4.0 * p, kGravity);
    return kHitGuarded;
}

int CCaterpillar001::ChooseFrame() const {
    if (state == kBombWait) return 0;
    if (fuse > 60.0) return std::min(7, 1 + static_cast<int>(fuse / 60.0));
    return static_cast<int>(age) % 4 >= 2 ? 8 : 1;
}

void CCaterpillar001::Draw() {
    imageX = centerX - 2.0 * FacingSign();
    imageY = centerY - 1.0;
    const int phase = static_cast<int>(age) % 12 >= 6 ? 1 : 0;
    sprite = (facing == 1 ? right_ : left_)[ChooseFrame() * 2 + phase];
    DrawSprite();
}
