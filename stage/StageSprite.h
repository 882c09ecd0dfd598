#pragma once
// The few sprite services the stage model uses (map chips and object images), in one place.
#include <string>

class CSprite;

namespace stagesprite {
// A new sprite of a rectangle of an image (CreateSprite); null when no sprite can be made.
CSprite* Create(const std::string& group, const std::string& key, int blend, int left, int top, int right,
                int bottom);
// Deletes the sprite and nulls the pointer.
void Destroy(CSprite*& sprite);
void SetPosition(CSprite* sprite, float x, float y, float z);
void SetAlpha(CSprite* sprite, float alpha);
void SetAngleZ(CSprite* sprite, float angle);
// Applies the transform and draws.
void Draw(CSprite* sprite);
// The camera's screen-to-world transform of a screen point.
void ScreenToWorld(float sx, float sy, float& wx, float& wy);
}  // namespace stagesprite
