#include "gimmicks/Items.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/SoundEffects.h"
#include "foundation/CreatorLevelTable.h"
#include "foundation/FrameTime.h"
#include "foundation/Random.h"
#include "gimmicks/GimmickSupport.h"
#include "play/EffectFactory.h"
#include "play/HeroVitals.h"
#include "play/SceneServices.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"

namespace {
constexpr char kItemSheet[] = "Objects001";
constexpr double kThrownGravity = 550.0;
constexpr double kGlowDepth = -0.004;
// Effects of taking.
constexpr int kHealEffect = 15, kLifeEffect = 16, kKeyEffect = 21, kFlagEffect = 22;
}  // namespace

// ---- CItem ------------------------------------------------------------------------------------

CItem::CItem(CStage* ownerStage, double px, double py) : IBase(ownerStage, px, py) {
    category = kCategoryItem;
    drawPriority = 60;
    depth = 0.0025;
    removeWhenOffScreen = true;
}

IHeroVitals* CItem::AsHero(IBase* other) { return dynamic_cast<IHeroVitals*>(other); }

double CItem::HeroCentreX(const IBase* hero) {
    return std::trunc((hero->GetLeft() + hero->GetRight()) * 0.5);
}
double CItem::HeroCentreY(const IBase* hero) {
    return std::trunc((hero->GetTop() + hero->GetBottom()) * 0.5);
}
double CItem::AboveHeroY(const IBase* hero) { return std::trunc(hero->GetTop()) - 24.0; }

IPlaySceneServices* CItem::Services() const { return GetSceneServices(owner); }

void CItem::Heal(IHeroVitals* hero, int amount) {
    hero->SetHealth(std::min(hero->GetWeapon().health + amount, kMaxHealth));
}

void CItem::FinishTaking() {
    Kill();
    if (areaObjectId == -1 || !owner || !owner->GetCurrentArea()) return;
    if (CStageAreaObjectTable* table = owner->GetCurrentAreaObjects())
        table->SetSpawnFlag(areaObjectId, false);
}

void CItem::PlaceAndDraw(CSprite* s, double z, double angle) {
    if (!s) return;
    s->angleZ = static_cast<float>(angle);
    s->x = static_cast<float>(imageX / 256.0);
    s->y = static_cast<float>(imageY / 256.0);
    s->z = static_cast<float>(z);
    s->ApplyTransform();
    s->Draw();
}

// ---- Thrown items -----------------------------------------------------------------------------

CThrownItem::CThrownItem(CStage* o, double px, double py, double velX, double velY, double r, double glowBase)
    : CItem(o, px, py), glowBase_(glowBase) {
    shapeType = kShapeCircle;
    radius = r;
    width = height = 2 * r;
    vx = velX;
    vy = velY;
    ay = kThrownGravity;
    stopOnTouchTop = stopOnTouchBottom = stopOnTouchLeft = stopOnTouchRight = false;
    if (vx != 0.0 || vy != 0.0) {
        motionState = kThrown;
        onGround = false;
    }
}

void CThrownItem::Reflect() {
    if (touchTop && vy < 0) vy = -vy;
    if (touchLeft && vx < 0) vx = -vx;
    if (touchRight && vx > 0) vx = -vx;
}

void CThrownItem::Update() {
    BeginFrame();
    switch (motionState) {
        case kResting:
            if (onGround) {
                if (vy > kHardLanding) {
                    SetUpwardSpeed(vy * 0.8);
                    motionState = kBouncing;
                    PlaySE(SoundId::kItem2);
                } else {
                    vx = vy = 0;
                }
            }
            break;
        case kThrown:
            if (onGround) {
                SetUpwardSpeed(vy * 0.8);
                motionState = kBouncing;
                PlaySE(SoundId::kItem2);
            }
            Reflect();
            break;
        default:
            if (onGround) {
                vx = vy = 0;
                motionState = kResting;
            } else {
                Reflect();
            }
            break;
    }
    const double turn = GetFrameTime() * std::numbers::pi * 10.0;
    if (motionState == kResting)
        spinAngle = 0;
    else
        spinAngle += vx >= 0 ? turn : -turn;
    Move();
    EndFrame();
}

void CThrownItem::DrawSpinningWithGlow(CSprite* item) {
    imageX = centerX;
    imageY = centerY;
    PlaceAndDraw(item, depth, spinAngle);
    if (!glow_) return;
    const double wave = std::sin(age * 0.06);
    glow_->SetAlpha(static_cast<float>(wave * 0.2 + 0.25));
    glow_->scaleX = glow_->scaleY = static_cast<float>(wave * 0.07 + glowBase_);
    PlaceAndDraw(glow_.get(), kGlowDepth, glow_->angleZ);
}

void CThrownItem::Draw() { DrawSpinningWithGlow(item_.get()); }

// ---- Snacks -----------------------------------------------------------------------------------

CSnack::CSnack(CStage* o, double px, double py, double velX, double velY, double r, double glowBase, int heal)
    : CThrownItem(o, px, py, velX, velY, r, glowBase), heal_(heal) {
    glow_ = MakeObjectSprite(kItemSheet, 224, 128, 256, 160);
}

void CSnack::OnTouch(IBase* other) {
    IHeroVitals* hero = AsHero(other);
    if (!hero) return;
    Heal(hero, heal_);
    CreateEffect(kHealEffect, HeroCentreX(other), HeroCentreY(other), owner);
    PlaySE(SoundId::kItem1);
    FinishTaking();
}

CPokikki::CPokikki(CStage* o, double px, double py, double velX, double velY)
    : CSnack(o, px, py, velX, velY, 13, 1.0, 1) {
    item_ = MakeObjectSprite(kItemSheet, 128, 128, 144, 160);
    sprite = item_.get();
}

CUmaibo::CUmaibo(CStage* o, double px, double py, double velX, double velY)
    : CSnack(o, px, py, velX, velY, 14, 1.1, 10) {
    const int flavour = RandomRange(1, 4);  // four flavours side by side on the sheet
    const int left = 144 + 16 * (flavour - 1);
    item_ = MakeObjectSprite(kItemSheet, left, 128, left + 16, 160);
    sprite = item_.get();
}

CIceBar::CIceBar(CStage* o, double px, double py, double velX, double velY)
    : CSnack(o, px, py, velX, velY, 16, 1.2, 40) {
    item_ = MakeObjectSprite(kItemSheet, 208, 128, 224, 160);
    sprite = item_.get();
}

// ---- Floating stick ---------------------------------------------------------------------------

CAirPokikki::CAirPokikki(CStage* o, double px, double py) : CItem(o, px, py) {
    shapeType = kShapeCircle;
    radius = 13;
    width = height = 26;
    item_ = MakeObjectSprite(kItemSheet, 128, 128, 144, 160);
    sprite = item_.get();
}

void CAirPokikki::Update() {
    BeginFrame();
    EndFrame();
}

void CAirPokikki::Draw() {
    imageX = centerX;
    imageY = centerY;
    PlaceAndDraw(item_.get(), depth,
                 CCreatorLevelTable::GetInstance()->GetTicks() * std::numbers::pi * 0.067);
}

void CAirPokikki::OnTouch(IBase* other) {
    IHeroVitals* hero = AsHero(other);
    if (!hero) return;
    Heal(hero, 1);
    CreateEffect(kHealEffect, HeroCentreX(other), HeroCentreY(other), owner);
    PlaySE(SoundId::kItem1);
    FinishTaking();
}

// ---- Extra life -------------------------------------------------------------------------------

C1UP::C1UP(CStage* o, double px, double py, int face) : CItem(o, px, py), facing(face) {
    width = 32;
    height = 16;
    vy = kBobSpeed;
    ay = -kBobSpeed;
    conveyorFactor = 0.0;
    stopOnTouchTop = stopOnTouchBottom = stopOnTouchLeft = stopOnTouchRight = false;
    frames_[0] = MakeObjectSprite(kItemSheet, 128, 160, 176, 176);
    frames_[1] = MakeObjectSprite(kItemSheet, 128, 176, 176, 192);
    frames_[2] = MakeObjectSprite(kItemSheet, 176, 160, 224, 176);
    frames_[3] = MakeObjectSprite(kItemSheet, 176, 176, 224, 192);
    sprite = frames_[facing == kFacingRight ? kRightFrames : kLeftFrames].get();
}

void C1UP::Update() {
    BeginFrame();
    Move();
    // It swings about its start and turns back at once at a ceiling or a floor.
    if (touchTop && vy < 0) {
        vy = kBobSpeed;
        ay = -kBobSpeed;
    } else if (touchBottom && vy > 0) {
        vy = -kBobSpeed;
        ay = kBobSpeed;
    }
    if (vy > kBobSpeed)
        ay = -kBobSpeed;
    else if (vy < -kBobSpeed)
        ay = kBobSpeed;
    facing = GetDistanceXToHero() >= 0 ? kFacingRight : kFacingLeft;
    EndFrame();
}

void C1UP::Draw() {
    imageX = centerX;
    imageY = centerY;
    const bool second = static_cast<int>(std::trunc(age)) % 20 >= 10;
    sprite = frames_[(facing == kFacingRight ? kRightFrames : kLeftFrames) + (second ? 1 : 0)].get();
    PlaceAndDraw(sprite, depth, sprite ? sprite->angleZ : 0.0);
}

void C1UP::OnTouch(IBase* other) {
    if (!AsHero(other)) return;
    if (IPlaySceneServices* s = Services()) s->AddLife();
    CreateEffect(kLifeEffect, HeroCentreX(other), AboveHeroY(other), owner);
    PlaySE(SoundId::kCap);
    FinishTaking();
}

// ---- Weapons ----------------------------------------------------------------------------------

CPowerUpBar::CPowerUpBar(CStage* o, double px, double py, double velX, double velY, int weapon)
    : CThrownItem(o, px, py, velX, velY, 16, 1.2), kind(weapon) {
    for (int i = 0; i < 5; ++i) bars_[i] = MakeObjectSprite("Bar001", 32 * i, 192, 32 * i + 32, 224);
    glow_ = MakeObjectSprite(kItemSheet, 224, 160, 256, 192);
    sprite = bars_[0].get();
}

int CPowerUpBar::WeaponGiven(int barKind, int held) {
    if (barKind >= kWeaponMallet && barKind <= kWeaponHose) return barKind;
    return held == kWeaponPole || held == kWeaponStrongPole ? kWeaponStrongPole : kWeaponPole;
}

void CPowerUpBar::Draw() {
    if (taken) return;
    CSprite* bar = nullptr;
    if (kind >= kWeaponMallet && kind <= kWeaponHose) {
        bar = bars_[kind - 1].get();
    } else {
        const auto* hero = dynamic_cast<const IHeroVitals*>(GetHero());
        const int held = hero ? hero->GetWeapon().weaponKind : kWeaponStart;
        bar = bars_[held == kWeaponPole || held == kWeaponStrongPole ? 1 : 0].get();
    }
    sprite = bar;
    DrawSpinningWithGlow(bar);
}

void CPowerUpBar::OnTouch(IBase* other) {
    IHeroVitals* hero = AsHero(other);
    IPlaySceneServices* s = Services();
    if (!hero || !s) return;
    s->RequestWeaponChange(WeaponGiven(kind, hero->GetWeapon().weaponKind));
    taken = true;
    PlaySE(SoundId::kAttack3);
    FinishTaking();
}

// ---- Key --------------------------------------------------------------------------------------

CKey::CKey(CStage* o, double px, double py, double velX, double velY)
    : CThrownItem(o, px, py, velX, velY, 13, 1.0) {
    item_ = MakeObjectSprite(kItemSheet, 192, 32, 208, 64);
    glow_ = MakeObjectSprite(kItemSheet, 224, 128, 256, 160);
    sprite = item_.get();
}

void CKey::OnTouch(IBase* other) {
    if (!AsHero(other)) return;
    IPlaySceneServices* s = Services();
    if (s) s->SetKeyCount(s->GetKeyCount() + 1);
    CreateEffect(kKeyEffect, HeroCentreX(other), AboveHeroY(other), owner);
    PlaySE(SoundId::kItem1);
    FinishTaking();
    // Taken keys stay taken for the whole play, lost lives included.
    if (s && areaObjectId != -1) s->AddCollectedKey(s->GetCurrentAreaIndex(), areaObjectId);
}

// ---- Checkpoint flag --------------------------------------------------------------------------

CStageFlag::CStageFlag(CStage* o, double px, double py) : CItem(o, px, py) {
    width = 8;
    height = 56;
    ignoresMap = true;
    waves_[0] = MakeObjectSprite(kItemSheet, 192, 64, 224, 128);
    waves_[1] = MakeObjectSprite(kItemSheet, 224, 64, 256, 128);
    sprite = waves_[0].get();
}

void CStageFlag::Update() {
    BeginFrame();
    EndFrame();
}

void CStageFlag::Draw() {
    imageX = centerX - 8.0;
    imageY = centerY - 4.0;
    sprite = waves_[static_cast<int>(std::trunc(age)) % 12 >= 6 ? 1 : 0].get();
    DrawSprite();
}

void CStageFlag::OnTouch(IBase* other) {
    if (!AsHero(other)) return;
    if (IPlaySceneServices* s = Services()) {
        // The flag's own tile: its pole stands on the bottom of the tile and reaches 24 pixels
        // into the one above.
        s->SetCheckpoint(s->GetCurrentAreaIndex(), static_cast<int>(std::trunc(x * 0.03125)),
                         static_cast<int>(std::trunc(y * 0.03125 + 1.0)));
    }
    CreateEffect(kFlagEffect, HeroCentreX(other), HeroCentreY(other), owner);
    PlaySE(SoundId::kThrow);
    FinishTaking();
}
