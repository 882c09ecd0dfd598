#include "play/HitEffect.h"

#include "engine/Camera.h"
#include "engine/SoundEffects.h"
#include "engine/SoundIds.h"
#include "engine/el/DrawHelpers.h"
#include "engine/el/elDraw.h"
#include "foundation/Random.h"
#include "play/Base.h"
#include "play/EffectFactory.h"

namespace {

struct HitLook {
    int effectKind;
    int count;
    int sound;
};

// The first line that applies: guarded, then the kinds of attack, then the ordinary blow.
HitLook ChooseHitLook(const AttackInfo& attack, int result) {
    if (result == kHitGuarded) return {7, 1, SoundId::kGuard1};
    if (attack.flags[kAttackRedBurst]) return {5, 1, SoundId::kBomb2};
    if (attack.flags[kAttackBlueBurst]) return {6, 1, SoundId::kBomb2};
    if (attack.flags[kAttackIce]) return {12, 3, SoundId::kIce2};
    if (attack.flags[kAttackPowerHit]) return {2, 1, SoundId::kShock4};
    if (attack.flags[kAttackSlash]) return {3, 1, SoundId::kAttack10};
    return {1, 1, SoundId::kShock3};
}

bool g_debugDrawing = false;

}  // namespace

void ShowHitEffect(const IBase* attacker, const IBase* victim, const AttackInfo& attack, int result) {
    if (result != kHitDefeated && result != kHitHurt && result != kHitGuarded) return;
    const double rs = attacker->GetRadius(), ro = victim->GetRadius();
    const double f = rs + ro > 0.0 ? rs / (rs + ro) : 0.0;
    const int cx = static_cast<int>(attacker->centerX + f * (victim->centerX - attacker->centerX));
    const int cy = static_cast<int>(attacker->centerY + f * (victim->centerY - attacker->centerY));
    const HitLook look = ChooseHitLook(attack, result);
    for (int i = 0; i < look.count; ++i) {
        const int dy = RandomRange(-2, 2);
        const int dx = RandomRange(-2, 2);
        CreateEffect(look.effectKind, cx + dx, cy + dy, attacker->owner);
    }
    PlaySE(look.sound);
}

bool BeatsTheHero(const IBase* victim, int result) {
    return result == kHitDefeated && victim->category == kCategoryHero;
}

void SetDebugDrawing(bool on) { g_debugDrawing = on; }
bool IsDebugDrawing() { return g_debugDrawing; }

void DrawDebugBox(const IBase& object, DebugColour colour) {
    if (!g_debugDrawing || object.IsDead()) return;
    const CCamera* cam = &object.Camera();
    const auto sx = [&](double wx, double wy) {
        return static_cast<int>(cam->WorldToScreenX(static_cast<float>(wx), static_cast<float>(wy)));
    };
    const auto sy = [&](double wx, double wy) {
        return static_cast<int>(cam->WorldToScreenY(static_cast<float>(wx), static_cast<float>(wy)));
    };
    const double l = object.x, t = object.y, r = object.x + object.width, b = object.y + object.height;
    DrawRectOutline(sx(l, t), sy(l, t), sx(r, b), sy(r, b), colour.red, colour.green, colour.blue, 1);
}

void DrawDebugCircle(const IBase& object, double worldX, double worldY, double radius, uint32_t colorRef) {
    const CCamera* cam = &object.Camera();
    const float wx = static_cast<float>(worldX), wy = static_cast<float>(worldY);
    elDraw::DrawArc(static_cast<int>(cam->WorldToScreenX(wx, wy)),
                    static_cast<int>(cam->WorldToScreenY(wx, wy)), static_cast<int>(radius * cam->GetScale()),
                    colorRef, 1);
}
