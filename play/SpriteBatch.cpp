#include "play/SpriteBatch.h"

#include "engine/Camera.h"
#include "engine/SpriteManager.h"

CSpriteBatch::Layer::~Layer() { delete sprite; }

CSpriteBatch::CSpriteBatch() { ClearAndMark(); }

CSpriteBatch::~CSpriteBatch() { FreeAll(); }

void CSpriteBatch::AddLayer(const std::string& group, const std::string& key, int mode, int left, int top,
                            int right, int bottom, float x, float y, float factorX, float factorY) {
    if (count_ >= kSlotCount) return;
    // The sprite first: an unknown image key throws before anything is allocated here.
    CSprite* sprite = CreateSprite(group, key, mode, left, top, right, bottom);
    Layer* layer = new Layer();
    layer->sprite = sprite;
    layer->x = x;
    layer->y = y;
    layer->factorX = factorX;
    layer->factorY = factorY;
    slots_[count_++] = layer;
}

void CSpriteBatch::DrawLayers() {
    CCamera* cam = CCamera::GetInstance();
    for (int i = 0; i < count_; ++i) {
        Layer* l = slots_[i];
        if (!l || !l->sprite) continue;
        l->sprite->x = (cam->GetX() * l->factorX + l->x) / 256.0f;
        l->sprite->y = (cam->GetY() * l->factorY + l->y) / 256.0f;
        l->sprite->z = 0.005f;
        l->sprite->ApplyTransform();
        l->sprite->Draw();
    }
}

void CSpriteBatch::FreeAll() {
    for (int i = 0; i < count_; ++i) {
        delete slots_[i];
        slots_[i] = nullptr;
    }
    count_ = 0;
}

void CSpriteBatch::ClearAndMark() {
    backGroundId_ = 1;
    FreeAll();
}
