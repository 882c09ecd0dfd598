#include "enemies/Fish.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "enemies/EnemyShotHelpers.h"
#include "enemies/FlyerHelpers.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/EffectFactory.h"
#include "play/HitEffect.h"
#include "play/Hitboxes.h"

namespace {

constexpr int kEffectSlash = 3;
constexpr int kEffectEnemyDeath = 4;

int Side(int facing) { return facing != 0 ? 1 : 0; }

}  // namespace

// ---- The small fish ----

CFish001::CFish001(CStage* ownerStage, double px, double py, int facingIn, double phaseIn)
    : CFish001(ownerStage, px, py, facingIn, phaseIn, nullptr, -1) {}

CFish001::CFish001(CStage* ownerStage, double px, double py, int facingIn, double phaseIn,
                   CFish_Controller001* controller, int index)
    : CPatternEnemy(ownerStage, px, py, Side(facingIn), 1),
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

// ---- The long fish ----

CFish002::CFish002(CStage* ownerStage, double px, double py, int facingIn)
    : CPatternEnemy(ownerStage, px, py, Side(facingIn), 1),
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

// ---- The dropping fish ----

CFish003::CFish003(CStage* ownerStage, double px, double py, int facingIn)
    : CPatternEnemy(ownerStage, px, py, Side(facingIn), 1),
      left_("Char", "Enemy005_L",
            {{128, 192, 192, 224}, {192, 192, 256, 224}, {128, 224, 192, 256}, {192, 224, 256, 256}}),
      right_("Char", "Enemy005_R",
             {{128, 192, 192, 224}, {192, 192, 256, 224}, {128, 224, 192, 256}, {192, 224, 256, 256}}) {
    category = kCategoryFlyer;
    ignoresMap = true;
    width = 36.0;
    height = 22.0;
    vx = 100.0 * FacingSign();
    ax = 150.0 * FacingSign();
    SetState(kApproach);
}

CFish003::~CFish003() = default;

void CFish003::SetState(int s) {
    EnterState(s);
    const double limit = (s == kRecoil || s == kRecoilThrown) ? 300.0 : 100.0;
    maxSpeedUp = maxSpeedDown = maxSpeedLeft = maxSpeedRight = limit;
}

void CFish003::SwimOn() { ax = 150.0 * FacingSign(); }

void CFish003::Act() {
    BeginFrame();
    Move();
    switch (state) {
        case kApproach:
            if (IsHeroInThrowRange()) {
                SetState(kWindUp);
                ax = -150.0 * FacingSign();
            }
            break;
        case kWindUp:
            if (stateFrames <= 40.0) {
                BrakeStop();
            } else {
                EnemyShotLaunch ball;
                ball.owner = owner;
                ball.x = facing == 0 ? GetLeft() - 9.0 : GetRight() + 9.0;
                ball.y = GetTop() + 5.0;
                ball.vx = facing == 0 ? -1.0 : 1.0;
                LaunchEnemyShot(EnemyShotKind::kBaseball, ball);
                PlaySE(SoundId::kThrow);
                SetState(kThrown);
                SwimOn();
            }
            break;
        case kRecoil:
        case kRecoilThrown:
            BrakeStopBoth(*this);
            if (stateFrames > 50.0) {
                SetState(state == kRecoil ? kApproach : kThrown);
                SwimOn();
            }
            break;
        default:
            break;
    }
    AdvanceStateClock();
    EndFrame();
}

bool CFish003::IsHeroInThrowRange() const {
    const IBase* hero = GetHero();
    if (!hero) return false;
    const double dx = GetDistanceXToHero(), dy = GetDistanceYToHero();
    if (dy < 0) return false;
    if ((facing == 0 && dx > 0) || (facing != 0 && dx < 0)) return false;
    const double v = std::clamp(vx, -50.0, 50.0);
    const double h = hero->GetVelocityX();
    if (h * v > 0 && ((v > 0 && h > v) || (v < 0 && h < v))) return false;
    double closing = std::fabs(v - h);
    if (closing == 0) closing = 0.001;
    const double t = std::fabs(dx) / closing;
    const double limit = (std::sqrt(std::max(0.0, dy / 225.0)) + 0.66) * 0.66;
    return t < limit;
}

void CFish003::Draw() {
    int cell = 0;
    if (state == kThrown || state == kRecoilThrown)
        cell = 1;
    else if (state == kWindUp)
        cell = static_cast<int>(stateFrames) % 4 < 2 ? 2 : 3;
    sprite = (facing != 0 ? right_ : left_)[cell];
    if (!sprite) return;
    if (isBlown) {
        sprite->angleZ = BlownSpin(*this);
    } else {
        sprite->angleZ = 0.0f;
        if (state != kWindUp) {
            const double k = 1.0 + 0.05 * std::sin(std::numbers::pi * age / 30.0);
            sprite->scaleX = static_cast<float>(k);
            sprite->scaleY = static_cast<float>(1.0 / k);
        }
    }
    imageX = centerX + (facing == 0 ? -6.0 : 6.0);
    imageY = centerY;
    DrawSprite();
}

int CFish003::Collide(IBase* other) {
    const int r = DeliverContactAttack(other);
    if (IsBump(*this, r)) {
        SetState(state == kThrown || state == kRecoilThrown ? kRecoilThrown : kRecoil);
        RecoilAway(*this, *other, 300.0, 800.0);
    }
    return r;
}

int CFish003::ReceiveAttack(AttackInfo info) {
    StartDefeatBlow(info, kEffectEnemyDeath);
    ClearSpawnFlag();
    return kHitDefeated;
}

void CFish_Controller001::DrawDebug() { DrawDebugBox(*this); }
