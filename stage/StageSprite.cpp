#include "stage/StageSprite.h"

#include "engine/Camera.h"
#include "engine/SpriteManager.h"

namespace stagesprite {

// Sprites exist only while the sprite manager does (the game creates it at start); tools and
// tests that work on stage data alone make none.
namespace {
thread_local bool t_noSprites = false;
}  // namespace

ScopedNoSprites::ScopedNoSprites() : before_(t_noSprites) { t_noSprites = true; }
ScopedNoSprites::~ScopedNoSprites() { t_noSprites = before_; }

bool CanCreate() { return !t_noSprites && CSpriteManager::HasInstance(); }

OwnedSprite Create(const std::string& group, const std::string& key, int blend, int left, int top, int right,
                   int bottom) {
    if (!CanCreate()) return nullptr;
    return CreateSprite(group, key, blend, left, top, right, bottom);
}

void SetPosition(CSprite* sprite, float x, float y, float z) {
    if (!sprite) return;
    sprite->x = x;
    sprite->y = y;
    sprite->z = z;
}

void SetAlpha(CSprite* sprite, float alpha) {
    if (sprite) sprite->SetAlpha(alpha);
}

void SetAngleZ(CSprite* sprite, float angle) {
    if (sprite) sprite->angleZ = angle;
}

void Draw(CSprite* sprite) {
    if (!sprite) return;
    sprite->ApplyTransform();
    sprite->Draw();
}

void ScreenToWorld(float sx, float sy, float& wx, float& wy) {
    const CCamera* camera = CCamera::GetInstance();
    wx = camera->ScreenToWorldX(sx, sy);
    wy = camera->ScreenToWorldY(sx, sy);
}

}  // namespace stagesprite
