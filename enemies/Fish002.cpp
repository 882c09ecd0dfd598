#include "enemies/Fish002.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "enemies/FlyerHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "play/EffectFactory.h"
#include "play/Hitboxes.h"

CFish002::CFish002(CStage* ownerStage, double px, double py, int facingIn)
    : CPatternEnemy(ownerStage, px, py, RecordFacing(facingIn), 1),
      left_("Char", "Enemy005_L", {{64, 192, 128, 208}}),
      right_("Char", "Enemy005_R", {{64, 192, 128, 208}}) {
    category = kCategoryFlyer;
    ignoresMap = true;
    width = 60.0;
    height = 12.0;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = 300.0;
    Surge();
    AttackInfo a;
    a.damage = 10;
    a.power = 130.0;
    a.angle = facing == 0 ? std::numbers::pi : 0.0;
    auto snout = std::make_unique<CCollisionDetectionRectangle>(
        this, this, ownerStage, facing == 0 ? -4.0 : width - 4.0, 2.0, 8, 8,
        CCollisionDetectionBase::kNeverExpires, 10.0, kSideEnemy, kAimKeep, a);
    snout_ = snout.get();
    AddChild(std::move(snout));
}

CFish002::~CFish002() = default;

// Back to the first surge: full speed forward, the water slowing it.
void CFish002::Surge() {
    SetState(kSurge);
    vx = 120.0 * FacingSign();
    ax = -30.0 * FacingSign();
}

void CFish002::Act() {
    BeginFrame();
    Move();
    switch (state) {
        case kSurge:
            if (std::fabs(vx) < 80.0) SetState(kGlide);
            break;
        case kGlide:
            if (stateFrames > 40.0) {
                SetState(kSurge);
                vx = 120.0 * FacingSign();
            }
            break;
        case kRecoil:
            BrakeStopBoth(*this);
            if (stateFrames > 50.0) Surge();
            break;
        default:
            break;
    }
    AdvanceStateClock();
    if (GetScreenDistance() > 64.0) Kill();
    EndFrame();
}

void CFish002::Draw() {
    sprite = (facing != 0 ? right_ : left_)[0];
    if (!sprite) return;
    float sx = 1.0f, sy = 1.0f, spin = 0.0f;
    if (isBlown) {
        spin = BlownSpin(*this);
    } else if (state == kSurge && stateFrames < 10.0) {
        sx = sy = static_cast<float>(0.9 + stateFrames * 0.01);
    } else if (state == kGlide) {
        sx = static_cast<float>(1.0 - stateFrames * 0.0025);
        sy = static_cast<float>(1.0 + stateFrames * 0.0025);
    }
    sprite->scaleX = sx;
    sprite->scaleY = sy;
    sprite->angleZ = spin;
    imageX = centerX;
    imageY = centerY;
    DrawSprite();
}

int CFish002::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (IsBump(*this, r)) {
        SetState(kRecoil);
        RecoilAway(*this, *other, 300.0, 800.0);
    }
    return r;
}

void CFish002::OnAttackHit(int result, AttackInfo) {
    if (result != kHitDefeated && result != kHitHurt) return;
    SetState(kRecoil);
    vx = -200.0 * FacingSign();
    ax = 650.0 * FacingSign();
}

int CFish002::ReceiveAttack(AttackInfo info) {
    StartDefeatBlow(info, kEffectEnemyDeath);
    if (IBase* snout = snout_.Get()) RemoveChild(snout);
    snout_.Reset();
    ClearSpawnFlag();
    return kHitDefeated;
}
