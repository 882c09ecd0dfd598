#include "enemies/GroundHelpers.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/SpriteManager.h"
#include "foundation/WindowHelpers.h"
#include "play/HitEffect.h"
#include "play/ObjectRegistry.h"

int ThrowUpAndAway(IBase* self, IBase* other, int damage, double power, int flag) {
    if (self->lifeState == kLifeDead) return kHitImmune;
    AttackInfo a;
    a.damage = damage;
    a.power = power;
    a.angle = self->centerX < other->centerX ? -0.25 * std::numbers::pi : -0.75 * std::numbers::pi;
    a.flags[flag] = 1;
    const int r = other->ReceiveAttack(a);
    if (r == kHitDefeated || r == kHitHurt) ShowHitEffect(self, other, a, r);
    return r;
}

double StompWobble(double f) { return f < 30.0 ? 1.0 + (0.2 - 0.0066 * f) * std::sin(0.4 * f) : 1.0; }

void CKeptChild::Set(IBase* holder, std::unique_ptr<IBase> child) {
    Clear(holder);
    IBase* kept = child.get();
    if (holder->AddChild(std::move(child))) handle_ = kept;
}

void CKeptChild::Clear(IBase* holder) {
    holder->RemoveChild(handle_.Get());
    handle_.Reset();
}

void RecoilAlong(IBase* self, double angle, double speed, double brake, double gravity) {
    const double c = std::cos(angle);
    if (self->wasOnGround) {
        const double s = c >= 0 ? 1.0 : -1.0;
        self->vx = speed * s;
        self->vy = 4.0 * GetFrameRate();
        self->ax = -brake * s;
    } else {
        self->vx = speed * c;
        self->vy = speed * std::sin(angle);
        self->ax = -brake * c;
    }
    self->ay = gravity;
}

double LaunchAngle(const AttackInfo& attack) {
    const double a = attack.angle;
    if (!attack.flags[kAttackReflectable]) return a;
    return std::cos(a) < 0 ? a + std::numbers::pi / 2 : a - std::numbers::pi / 2;
}

void ScaleSheet(const CSpriteSheet& sheet, float scale) {
    for (size_t i = 0; i < sheet.size(); ++i)
        if (CSprite* cell = sheet[i]) cell->scaleX = cell->scaleY = scale;
}
