#include "gimmicks/GimmickSupport.h"

#include <cmath>
#include <numbers>

#include "engine/SpriteManager.h"
#include "play/Base.h"
#include "play/EffectFactory.h"
#include "play/HitEffect.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageSprite.h"

void SetUpHazard(IBase& object, int category, double depth, bool despawnOffScreen) {
    object.category = category;
    object.vx = object.vy = object.ax = object.ay = 0.0;
    object.depth = depth;
    object.drawPriority = 20;
    object.removeWhenOffScreen = despawnOffScreen;
}

void MakeCircle(IBase& object, double radius) {
    object.shapeType = kShapeCircle;
    object.radius = radius;
    object.width = object.height = 2.0 * radius;
    object.UpdateCentre();
}

void ForgetPlacedObject(const IBase& object) {
    if (!object.owner || object.areaObjectId < 0) return;
    if (CStageAreaObjectTable* table = object.owner->GetCurrentAreaObjects())
        table->SetSpawnFlag(object.areaObjectId, false);
}

void EffectAtBoxCentre(int effectKind, const IBase& object) {
    const int cx = static_cast<int>(object.GetLeft() + object.GetRight()) / 2;
    const int cy = static_cast<int>(object.GetTop() + object.GetBottom()) / 2;
    CreateEffect(effectKind, cx, cy, object.owner);
}

int DealContactSlash(IBase& hazard, IBase* victim, int damage, double power) {
    if (hazard.IsDead()) return kHitImmune;
    if (!victim) return kHitNoEffect;
    AttackInfo attack;
    attack.damage = damage;
    attack.power = power;
    attack.angle = hazard.centerX < victim->centerX ? -0.25 * std::numbers::pi : -0.75 * std::numbers::pi;
    attack.flags[kAttackSlash] = 1;
    const int result = victim->ReceiveAttack(attack);
    // A guarded touch shows nothing: the hazard only cuts.
    if (result == kHitDefeated || result == kHitHurt) ShowHitEffect(&hazard, victim, attack, result);
    return result;
}

OwnedSprite MakeObjectSprite(const char* key, int left, int top, int right, int bottom) {
    if (!stagesprite::CanCreate()) return nullptr;
    return CreateSprite("Object", key, 2, left, top, right, bottom);
}

void DrawSpriteAt(CSprite* sprite, double worldX, double worldY, double depth) {
    if (!sprite) return;
    sprite->x = static_cast<float>(worldX / 256.0);
    sprite->y = static_cast<float>(worldY / 256.0);
    sprite->z = static_cast<float>(depth);
    sprite->ApplyTransform();
    sprite->Draw();
}
