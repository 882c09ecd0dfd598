#pragma once
// The sprites a gimmick cuts from the "Object" group in its constructor and frees with itself.
#include <memory>
#include <vector>

#include "engine/SpriteManager.h"

class COwnedSprites {
  public:
    // A sprite of the cell (left, top)-(right, bottom) of the image, blend mode 2; owned here.
    CSprite* Make(const char* group, const char* key, int left, int top, int right, int bottom) {
        CSprite* s = CSpriteManager::GetInstance()->CreateSprite(group, key, 2, left, top, right, bottom);
        if (s) sprites_.emplace_back(s);
        return s;
    }
    CSprite* MakeObject(const char* key, int left, int top, int right, int bottom) {
        return Make("Object", key, left, top, right, bottom);
    }

  private:
    std::vector<std::unique_ptr<CSprite>> sprites_;
};
