#include "play/SpriteBatch.h"

#include <utility>

#include "engine/Camera.h"

CSpriteBatch::CSpriteBatch() { ClearAndMark(); }

void CSpriteBatch::AddLayer(const std::string& group, const std::string& key, int mode, int left, int top,
                            int right, int bottom, float x, float y, float factorX, float factorY) {
    if (GetCount() >= kSlotCount) return;
    // The sprite first: an unknown image key throws before a slot is taken.
    OwnedSprite sprite = CreateSprite(group, key, mode, left, top, right, bottom);
    layers_.push_back(Layer{std::move(sprite), x, y, factorX, factorY});
}

void CSpriteBatch::DrawLayers() {
    CCamera* cam = CCamera::GetInstance();
    for (Layer& l : layers_) {
        CSprite* s = l.sprite.get();
        if (!s) continue;
        s->x = (cam->GetX() * l.factorX + l.x) / 256.0f;
        s->y = (cam->GetY() * l.factorY + l.y) / 256.0f;
        s->z = 0.005f;
        s->ApplyTransform();
        s->Draw();
    }
}

void CSpriteBatch::FreeAll() {
    // Every sprite leaves with its layer; the capacity stays for the next area.
    layers_.clear();
}

void CSpriteBatch::ClearAndMark() {
    backGroundId_ = 1;
    FreeAll();
}
