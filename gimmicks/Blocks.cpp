#include "gimmicks/Blocks.h"

#include <cmath>
#include <memory>
#include <utility>

#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "foundation/WindowHelpers.h"
#include "gimmicks/Burst.h"
#include "gimmicks/GimmickSupport.h"
#include "play/LiveObjectFactory.h"
#include "play/ObjectRegistry.h"

namespace {

constexpr int kSplintersWood = 23;
constexpr int kSplintersStone = 24;
constexpr int kSplintersItemBox = 40;

}  // namespace

// ---- The base -------------------------------------------------------------------------------

CBlockBase::CBlockBase(CStage* ownerStage, double px, double py, double h) : IBase(ownerStage, px + 1.0, py) {
    width = 62.0;
    height = h;
    category = kCategoryBlock;
    ay = 400.0;
    // The block holds its own landing speed (Land), so the floor must not zero it.
    stopOnTouchBottom = false;
    removeWhenOffScreen = false;
    depth = 0.003;
    drawPriority = 20;
    UpdateCentre();
}

void CBlockBase::KeepImage(OwnedSprite image) {
    image_ = std::move(image);
    sprite = image_.get();
}

void CBlockBase::Update() {
    BeginFrame();
    Move();
    Land();
    EndFrame();
}

void CBlockBase::Draw() {
    imageX = centerX;
    imageY = centerY;
    DrawSprite();
}

void CBlockBase::Land() {
    const double pressing = 4.0 * GetFrameRate();
    if (!touchBottom || vy <= pressing) return;
    if (vy > 300.0) PlaySE(SoundId::kDown);
    vy = pressing;
}

int CBlockBase::Break(int effectKind) {
    EffectAtBoxCentre(effectKind, *this);
    PlaySE(SoundId::kShock5);
    Kill();
    OnBroken();
    ForgetPlacedObject(*this);
    return kHitDefeated;
}

// ---- Wooden blocks --------------------------------------------------------------------------

CWoodBlockBase::CWoodBlockBase(CStage* ownerStage, double px, double py, int kind)
    : CBlockBase(ownerStage, px, py, 64.0), effectKind_(kind) {}

void CWoodBlockBase::Update() {
    BeginFrame();
    Move();
    Land();
    shakeTime -= GetFrameTime() * 60.0;
    if (shakeTime < 0.0) shakeTime = 0.0;
    EndFrame();
}

bool CWoodBlockBase::BreaksAtOnce(const AttackInfo& attack) const {
    return attack.flags[kAttackPowerHit] != 0;
}

int CWoodBlockBase::ReceiveAttack(AttackInfo attack) {
    if (IsDead()) return kHitImmune;
    hitPoints -= attack.damage;
    if (BreaksAtOnce(attack)) hitPoints -= 9999;
    if (hitPoints > 0) {
        shakeTime = 8.0;
        return kHitHurt;
    }
    return Break(effectKind_);
}

double CWoodBlockBase::ShakenImageX() const {
    return centerX + 2.0 * static_cast<int>(std::sin(shakeTime) + 0.5);
}

void CWoodBlockBase::Draw() {
    imageX = ShakenImageX();
    imageY = centerY + drawOffsetY_;
    DrawSprite();
}

CWoodBlock001::CWoodBlock001(CStage* ownerStage, double px, double py)
    : CWoodBlockBase(ownerStage, px, py, kSplintersWood) {
    KeepImage(MakeObjectSprite("Objects001", 128, 48, 192, 112));
}

CWoodBlock002::CWoodBlock002(CStage* ownerStage, double px, double py, std::string contentKey)
    : CWoodBlockBase(ownerStage, px, py, kSplintersItemBox), content(std::move(contentKey)) {
    KeepImage(MakeObjectSprite("Objects005", 0, 0, 64, 72));
    drawOffsetY_ = -4.0;  // the box is taller than its body: its lid sticks up
}

void CWoodBlock002::DropContent() {
    PlaySE(SoundId::kItem2);
    const double px = (GetLeft() + GetRight()) * 0.5;
    const double py = (GetTop() + GetBottom()) * 0.5;
    // Most items jump out upward; the air snack and the extra life appear in place.
    const LiveObjectArgs jump = {0.0, -300.0};
    struct Content {
        const char* key;
        const char* liveClass;
        int weaponKind;  // the power-up bars' kind, else 0
    };
    static const Content kContents[] = {
        {"Pokikki001", "CPokikki", 0},
        {"AirPokikki001", "CAirPokikki", 0},
        {"Umaibo001", "CUmaibo", 0},
        {"IceBar001", "CIceBar", 0},
        {"1UP001", "C1UP", 0},
        {"Key", "CKey", 0},
        {"RedWhitePole", "CPowerUpBar", 2},
        {"WoodenMallet", "CPowerUpBar", 3},
        {"Propeller", "CPowerUpBar", 4},
        {"Hose", "CPowerUpBar", 5},
    };
    for (const Content& c : kContents) {
        if (content != c.key) continue;
        const std::string liveClass = c.liveClass;
        std::unique_ptr<IBase> item;
        if (liveClass == "CAirPokikki") {
            item = CreateLiveObject(liveClass, owner, px, py);
        } else if (liveClass == "C1UP") {
            item = CreateLiveObject(liveClass, owner, px - 16.0, py - 8.0, {false});  // facing left
        } else {
            LiveObjectArgs args = jump;
            if (c.weaponKind != 0) args.emplace_back(c.weaponKind);
            item = CreateLiveObject(liveClass, owner, px, py, args);
        }
        Registry().Add(std::move(item));
        return;
    }
}

CWoodBlock003::CWoodBlock003(CStage* ownerStage, double px, double py)
    : CWoodBlockBase(ownerStage, px, py, kSplintersWood) {
    KeepImage(MakeObjectSprite("Objects005", 0, 72, 64, 136));
}

bool CWoodBlock003::BreaksAtOnce(const AttackInfo& attack) const {
    return attack.flags[kAttackPowerHit] != 0 || attack.flags[kAttackRedBurst] != 0;
}

void CWoodBlock003::OnBroken() {
    const double cx = (GetLeft() + GetRight()) * 0.5;
    const double cy = (GetTop() + GetBottom()) * 0.5 - 5.0;
    Registry().Add(std::make_unique<CRedBurst>(owner, cx, cy, 56));
    PlaySE(SoundId::kBomb1);
}

CWoodBlock004::CWoodBlock004(CStage* ownerStage, double px, double py)
    : CWoodBlockBase(ownerStage, px, py, kSplintersWood), platePhase(RandomRange(0, 5)) {
    ay = 0.0;  // it floats where it was placed
    body_ = MakeObjectSprite("Objects001", 128, 48, 192, 112);
    plate_ = MakeObjectSprite("Objects005", 64, 136, 128, 144);
}

void CWoodBlock004::Draw() {
    imageX = ShakenImageX();
    imageY = centerY;
    DrawSpriteAt(body_.get(), imageX, imageY, 0.003);
    // Three frames on, three off, from a random start so that neighbours do not blink together.
    if (static_cast<int>(platePhase + age) % 6 < 3) DrawSpriteAt(plate_.get(), imageX, imageY + 36.0, -0.004);
}

// ---- Stone blocks ---------------------------------------------------------------------------

CStoneBlock001::CStoneBlock001(CStage* ownerStage, double px, double py)
    : CBlockBase(ownerStage, px, py, 64.0) {
    KeepImage(MakeObjectSprite("Objects002", 192, 112, 256, 176));
}

int CStoneBlock001::ReceiveAttack(AttackInfo attack) {
    if (IsDead()) return kHitImmune;
    if (attack.flags[kAttackPowerHit]) return Break(kSplintersStone);
    return kHitGuarded;
}

CStoneBlock002::CStoneBlock002(CStage* ownerStage, double px, double py)
    : CBlockBase(ownerStage, px, py, 64.0) {
    KeepImage(MakeObjectSprite("Objects002", 192, 176, 256, 240));
}

CSlidingStoneBase::CSlidingStoneBase(CStage* ownerStage, double px, double py, const Feel& feel)
    : CBlockBase(ownerStage, px, py, 80.0), feel_(feel) {
    // Walls must not zero the sideways speed: Update bounces off them instead.
    stopOnTouchLeft = stopOnTouchRight = false;
}

int CSlidingStoneBase::ReceiveAttack(AttackInfo attack) {
    double k = attack.power * feel_.knockFactor;
    if (k >= feel_.knockLimit) k = feel_.knockLimit;
    if (attack.flags[kAttackWater]) k *= feel_.waterFactor;
    vx = k * std::cos(attack.angle);
    ax = -vx * feel_.braking;
    return kHitHurt;
}

void CSlidingStoneBase::Update() {
    BeginFrame();
    Move();
    Land();
    if ((touchLeft && vx < 0.0) || (touchRight && vx > 0.0)) {
        vx *= -feel_.bounce;
        ax = -ax;  // the braking keeps pointing against the motion
    }
    // Once the braking has turned the motion round, the stone rests.
    if ((ax < 0.0 && vx < 0.0) || (ax > 0.0 && vx > 0.0)) vx = ax = 0.0;
    EndFrame();
}

CStoneBlock003::CStoneBlock003(CStage* ownerStage, double px, double py)
    : CSlidingStoneBase(ownerStage, px, py, {0.5, 120.0, 0.35, 1.0, 0.6}) {
    maxSpeedUp = 300.0;
    maxSpeedDown = 700.0;
    maxSpeedLeft = maxSpeedRight = 300.0;
    KeepImage(MakeObjectSprite("Objects002", 192, 176, 256, 256));
}

CStoneBlock004::CStoneBlock004(CStage* ownerStage, double px, double py)
    : CSlidingStoneBase(ownerStage, px, py, {0.55, 140.0, 0.7, 0.25, 0.8}) {
    maxSpeedUp = 300.0;
    maxSpeedDown = maxSpeedLeft = maxSpeedRight = 700.0;
    KeepImage(MakeObjectSprite("Objects005", 0, 136, 64, 216));
}
