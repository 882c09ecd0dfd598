#include "enemies/PatternEnemy.h"

#include <cmath>

#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "foundation/Geometry.h"
#include "foundation/WindowHelpers.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"

// ---- CSpriteSheet ----

CSpriteSheet::CSpriteSheet(const char* group, const char* key, const std::vector<SpriteCell>& cells) {
    sprites_.reserve(cells.size());
    for (const SpriteCell& c : cells)
        sprites_.push_back(CreateSprite(group, key, 2, c.left, c.top, c.right, c.bottom));
}

CSpriteSheet::~CSpriteSheet() = default;
CSpriteSheet::CSpriteSheet(CSpriteSheet&&) noexcept = default;
CSpriteSheet& CSpriteSheet::operator=(CSpriteSheet&&) noexcept = default;

// ---- CPatternEnemy ----

CPatternEnemy::CPatternEnemy(CStage* ownerStage, double px, double py, int facingIn, int hp)
    : IEnemy(ownerStage, px, py), hitPoints(hp), facing(facingIn == 1 ? 1 : 0) {}

CPatternEnemy::~CPatternEnemy() = default;

void CPatternEnemy::BrakeStop() {
    if ((ax < 0 && vx < 0) || (ax > 0 && vx > 0)) vx = ax = 0;
}

double CPatternEnemy::GetLiftRise() const {
    const IBase* ridden = riddenObject.Get();
    if (!ridden) return 0.0;
    const double rise = ridden->GetPreviousTop() - ridden->GetTop();
    return rise > 0 ? rise : 0.0;
}

void CPatternEnemy::TurnAtWalls() {
    if (touchLeft) {
        facing = 1;
        vx = std::fabs(vx);
        ax = std::fabs(ax);
    } else if (touchRight) {
        facing = 0;
        vx = -std::fabs(vx);
        ax = -std::fabs(ax);
    }
}

bool CPatternEnemy::IsHeroInFront(double yWindow, double xWindow) const {
    const IBase* hero = GetHero();
    if (!hero) return false;
    if (std::fabs(hero->centerY - centerY) >= yWindow) return false;
    const double dx = hero->centerX - centerX;
    return facing == 0 ? (-xWindow < dx && dx < 0) : (0 < dx && dx < xWindow);
}

void CPatternEnemy::FaceHero() {
    const IBase* hero = GetHero();
    if (hero) facing = hero->centerX - centerX >= 0 ? 1 : 0;
}

int CPatternEnemy::TakeHit(const AttackInfo& attack, int effectKind) {
    hitPoints -= attack.damage;
    if (hitPoints > 0) {
        StartBlow(attack, false);
        return kHitHurt;
    }
    StartDefeatBlow(attack, effectKind);
    ClearSpawnFlag();
    return kHitDefeated;
}

void ClearPlacedSpawnFlag(const IBase* o) {
    CStage* owner = o->owner;
    if (!owner || o->areaObjectId < 0 || o->areaObjectId >= CStageAreaObjectTable::kSlots) return;
    if (!owner->IsValidAreaIndex(owner->currentArea)) return;
    if (CStageAreaObjectTable* table = owner->GetCurrentAreaObjects())
        table->SetSpawnFlag(o->areaObjectId, false);
}

void CPatternEnemy::RecoilFrom(const IBase* other, double speed, double brake, double gravity) {
    const double a = GetAngle(other->centerX, other->centerY, centerX, centerY);
    if (wasOnGround) {
        const double s = std::cos(a) >= 0 ? 1.0 : -1.0;
        vx = speed * s;
        vy = 4.0 * GetFrameRate();
        ax = -brake * s;
    } else {
        vx = speed * std::cos(a);
        vy = speed * std::sin(a);
        ax = -brake * std::cos(a);
    }
    ay = gravity;
}

void CPatternEnemy::AdvanceStateClock() { stateFrames += GetFrameTime() * 60.0; }
