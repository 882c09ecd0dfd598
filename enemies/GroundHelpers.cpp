#include "enemies/GroundHelpers.h"

#include <numbers>

#include "play/HitEffect.h"

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
