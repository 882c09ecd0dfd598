#pragma once
// The few sprite services the stage model uses (map chips and object images), in one place.
#include <memory>
#include <string>

class CSprite;

namespace stagesprite {
// Deletes a sprite; lets the stage model own sprites without seeing the sprite class.
struct Deleter {
    void operator()(CSprite* sprite) const;
};
using Owned = std::unique_ptr<CSprite, Deleter>;

// True while sprites can be made (the sprite manager exists).
bool CanCreate();
// A new sprite of a rectangle of an image (CreateSprite); null when no sprite can be made.
Owned Create(const std::string& group, const std::string& key, int blend, int left, int top, int right,
             int bottom);
void SetPosition(CSprite* sprite, float x, float y, float z);
void SetAlpha(CSprite* sprite, float alpha);
void SetAngleZ(CSprite* sprite, float angle);
// Applies the transform and draws.
void Draw(CSprite* sprite);
// The camera's screen-to-world transform of a screen point.
void ScreenToWorld(float sx, float sy, float& wx, float& wy);
}  // namespace stagesprite
