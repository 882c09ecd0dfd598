#include "enemies/FlyerHelpers.h"

#include "play/Hero.h"

#include <algorithm>
#include <cmath>

#include "engine/SpriteManager.h"
#include "foundation/Geometry.h"
#include "foundation/Random.h"
#include "play/Characters.h"
#include "play/HitEffect.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"

void RecoilAway(IBase& self, const IBase& other, double speed, double brake) {
    const double a = GetAngle(other.centerX, other.centerY, self.centerX, self.centerY);
    self.vx = speed * std::cos(a);
    self.vy = speed * std::sin(a);
    self.ax = -brake * std::cos(a);
    self.ay = -brake * std::sin(a);
}

bool IsBump(const IEnemy& self, int r) { return !self.isBlown && (r == kHitBounced || r == kHitPushed); }

void BrakeStopVertical(IBase& self) {
    if ((self.ay < 0 && self.vy < 0) || (self.ay > 0 && self.vy > 0)) self.vy = self.ay = 0;
}

void BrakeStopBoth(IBase& self) {
    if ((self.ax < 0 && self.vx < 0) || (self.ax > 0 && self.vx > 0)) self.vx = self.ax = 0;
    BrakeStopVertical(self);
}

float BlownSpin(const IEnemy& self) { return static_cast<float>(self.age * (self.vx < 0 ? 0.4 : -0.4)); }

int LookDirection(double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    if (c < -0.55) return s < -0.55 ? 7 : (s < 0.55 ? 6 : 5);
    if (c < 0.55) return s < 0.0 ? 0 : 4;
    return s < -0.55 ? 1 : (s < 0.55 ? 2 : 3);
}

void ClearSpawnFlagOf(const IBase& object) {
    CStage* owner = object.owner;
    if (!owner || object.areaObjectId < 0 || object.areaObjectId >= CStageAreaObjectTable::kSlots) return;
    if (!owner->IsValidAreaIndex(owner->currentArea)) return;
    if (CStageAreaObjectTable* table = owner->GetCurrentAreaObjects())
        table->SetSpawnFlag(object.areaObjectId, false);
}

int GetHeroFacing(const IBase& hero) {
    if (const auto* real = dynamic_cast<const CHero*>(&hero)) return real->facing == 1 ? 1 : 0;
    return hero.vx < 0 ? 0 : 1;
}

int RecordFacing(int facing) { return facing != 0 ? 1 : 0; }
