#include "enemies/Fish001.h"

#include <cmath>
#include <memory>
#include <numbers>

#include "enemies/FlyerHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/EffectFactory.h"
#include "play/HitEffect.h"

CFish001::CFish001(CStage* ownerStage, double px, double py, int facingIn, double phaseIn)
    : CFish001(ownerStage, px, py, facingIn, phaseIn, nullptr, -1) {}

CFish001::CFish001(CStage* ownerStage, double px, double py, int facingIn, double phaseIn,
                   CFish_Controller001* controller, int index)
    : CPatternEnemy(ownerStage, px, py, RecordFacing(facingIn), 1),
      phase(phaseIn),
      schoolIndex(index),
      controller_(controller),
      left_("Char", "Enemy005_L", {{64, 64, 104, 96}, {64, 96, 104, 128}}),
      right_("Char", "Enemy005_R", {{64, 64, 104, 96}, {64, 96, 104, 128}}) {
    category = kCategoryFlyer;
    width = 32.0;
    height = 28.0;
    ignoresMap = true;
    y = startY + kBob * std::sin(phase);
}

CFish001::~CFish001() = default;

CFish_Controller001* CFish001::GetController() const {
    return dynamic_cast<CFish_Controller001*>(controller_.Get());
}

void CFish001::Act() {
    BeginFrame();
    const double dt = GetFrameTime();
    phase += dt * std::numbers::pi;
    x += (facing != 0 ? 1.0 : -1.0) * dt * kSwimSpeed;
    y = startY + kBob * std::sin(phase);
    EndFrame();
}

void CFish001::Draw() {
    const double s = std::sin(6.0 * phase);
    const CSpriteSheet& pair = facing != 0 ? right_ : left_;
    sprite = pair[isBlown || s >= 0 ? 0 : 1];
    if (!sprite) return;
    if (isBlown) {
        sprite->scaleY = 1.0f;
        sprite->angleZ = BlownSpin(*this);
    } else {
        sprite->scaleY = static_cast<float>(std::fabs(s));
        sprite->angleZ = 0.0f;
    }
    imageX = centerX + (facing == 0 ? 4.0 : -4.0);
    imageY = centerY;
    DrawSprite();
}

void CFish001::TellSchool() const {
    if (CFish_Controller001* school = GetController()) school->OnFishDefeated(schoolIndex);
}

int CFish001::Collide(IBase* other) {
    if (IsDead() || isBlown) return kHitImmune;
    AttackInfo bite;
    bite.damage = 10;
    bite.power = 130.0;
    bite.angle = GetAngle(centerX, centerY, other->centerX, other->centerY);
    bite.flags[kAttackSlash] = 1;
    bite.flags[kAttackFlag11] = 1;
    const int r = other->ReceiveAttack(bite);
    if (r == kHitDefeated || r == kHitHurt) {
        const double own = GetRadius(), theirs = other->GetRadius();
        const double t = own + theirs > 0 ? own / (own + theirs) : 0.5;
        const double px = centerX + (other->centerX - centerX) * t;
        const double py = centerY + (other->centerY - centerY) * t;
        const int ex = static_cast<int>(px) + RandomRange(-2, 2);
        const int ey = static_cast<int>(py) + RandomRange(-2, 2);
        CreateEffect(kEffectSlash, ex, ey, owner);
        PlaySE(SoundId::kAttack10);
    } else if (r == kHitBounced) {
        ClearSpawnFlag();
        TellSchool();
        double ex, ey;
        GetEffectPoint(this, &ex, &ey);
        CreateEffect(kEffectEnemyDeath, ex, ey, owner);
        PlaySE(SoundId::kDeath2);
        Kill();
    }
    return r;
}

int CFish001::ReceiveAttack(AttackInfo info) {
    StartDefeatBlow(info, kEffectEnemyDeath);
    ClearSpawnFlag();
    TellSchool();
    return kHitDefeated;
}

// ---- The school ----

CFish_Controller001::CFish_Controller001(CStage* ownerStage, double px, double py, int modeIn)
    : IBase(ownerStage, px, py), mode(modeIn) {
    category = kCategoryController;
    width = 16.0;
    height = 16.0;
    ignoresMap = true;
    depth = -0.004;
    drawPriority = 40;
    removeWhenOffScreen = false;
    const int facing = mode == 0 ? 0 : 1;
    const double trail = mode == 0 ? 50.0 : -50.0;
    for (int i = 0; i < 3; ++i)
        AddChild(std::make_unique<CFish001>(ownerStage, px + trail * i, py, facing, 0.3 * i, this, i));
}

void CFish_Controller001::Update() {
    BeginFrame();
    for (const auto& fish : GetChildren())
        if (fish && fish->GetScreenDistanceSelf() > kStrayDistance) InvokeKill(fish.get());
    if (GetChildren().empty() && GetPendingChildCount() == 0) Kill();
    EndFrame();
}

void CFish_Controller001::OnFishDefeated(int index) {
    if (index < 0 || index > 2) return;
    defeated[index] = true;
    if (defeated[0] && defeated[1] && defeated[2]) ClearSpawnFlagOf(*this);
}

void CFish_Controller001::DrawDebug() { DrawDebugBox(*this); }
