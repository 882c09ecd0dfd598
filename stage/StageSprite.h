#pragma once
// The few sprite services the stage model uses (map chips and object images), in one place.
#include <string>

#include "engine/SpriteManager.h"

namespace stagesprite {
// Sprite positions are in units of 256 pixels.
inline constexpr float kUnitsPerPixel = 1.0f / 256;

// While one lives, the thread it lives on makes no sprites: a stage read only to be checked (the
// sharing server checking an upload, off the game's thread) never touches the sprite manager.
class ScopedNoSprites {
  public:
    ScopedNoSprites();
    ~ScopedNoSprites();
    ScopedNoSprites(const ScopedNoSprites&) = delete;
    ScopedNoSprites& operator=(const ScopedNoSprites&) = delete;

  private:
    bool before_;
};

// True while sprites can be made (the sprite manager exists and this thread makes sprites).
bool CanCreate();
// A new sprite of a rectangle of an image (CreateSprite); null when no sprite can be made.
OwnedSprite Create(const std::string& group, const std::string& key, int blend, int left, int top, int right,
                   int bottom);
void SetPosition(CSprite* sprite, float x, float y, float z);
void SetAlpha(CSprite* sprite, float alpha);
void SetAngleZ(CSprite* sprite, float angle);
// Applies the transform and draws.
void Draw(CSprite* sprite);
// The camera's screen-to-world transform of a screen point.
void ScreenToWorld(float sx, float sy, float& wx, float& wy);
}  // namespace stagesprite
