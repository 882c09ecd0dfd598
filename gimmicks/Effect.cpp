#include "gimmicks/Effect.h"

#include "engine/SpriteManager.h"
#include "foundation/FrameTime.h"
#include "gimmicks/GimmickSupport.h"

IEffect::IEffect(CStage* ownerStage, double px, double py, double life) : IBase(ownerStage, px, py) {
    lifetime = life;
    category = kCategoryEffect;
    ignoresMap = true;
    removeWhenOffScreen = false;
    drawPriority = 70;
    depth = kEffectDepth;
    // A zero-sized rectangle: the centre is the point the effect was made at, also before the
    // registry computes it.
    centerX = px;
    centerY = py;
}

void IEffect::Update() { Age(); }

void IEffect::FollowTarget(IBase* target) {
    target_ = target;
    if (target) {
        targetX_ = target->x;
        targetY_ = target->y;
    }
}

void IEffect::Age() {
    if (!target_.IsEmpty()) {
        IBase* t = target_.Get();
        if (!t || t->IsDead()) {
            target_.Reset();
            if (!IsDead()) Kill();
            return;
        }
        x += t->x - targetX_;
        y += t->y - targetY_;
        centerX += t->x - targetX_;
        centerY += t->y - targetY_;
        targetX_ = t->x;
        targetY_ = t->y;
    }
    lifetime -= GetFrameTime() * 60.0;
    if (lifetime <= 0.0 && !IsDead()) Kill();
}

void IEffect::MoveAndAge() {
    BeginFrame();
    Move();
    Age();
    EndFrame();
}

CSprite* IEffect::MakeOwnSprite(const char* group, const char* key, EffectCell c) {
    if (spriteCount_ >= kMaxSprites) return nullptr;
    OwnedSprite& s = sprites_[spriteCount_++];
    s = CreateSprite(group, key, 2, c.left, c.top, c.right, c.bottom);
    return s.get();
}

void IEffect::ShowAt(CSprite* s, double worldX, double worldY) {
    sprite = s;
    imageX = worldX;
    imageY = worldY;
    DrawSprite();
}

void IEffect::PlaceAndDraw(CSprite* s, double worldX, double worldY, double spriteDepth) {
    DrawSpriteAt(s, worldX, worldY, spriteDepth);
}
