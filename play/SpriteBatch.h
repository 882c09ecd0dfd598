#pragma once
// The store of the play scene's background layers: up to 4000 sprites of image cells, each with
// a world offset and parallax factors, rebuilt for every area.
#include <string>
#include <vector>

#include "engine/SpriteManager.h"
#include "foundation/Singleton.h"

// Deleting the store frees every layer.
class CSpriteBatch : public CSingleton<CSpriteBatch> {
  public:
    static constexpr int kSlotCount = 4000;

    // Adds a layer of one image cell; dropped when the store is full.
    void AddLayer(const std::string& group, const std::string& key, int mode, int left, int top, int right,
                  int bottom, float x, float y, float factorX, float factorY);
    // Draws every layer in slot order about the camera.
    void DrawLayers();
    void FreeAll();
    void Clear() { FreeAll(); }
    void ClearAndMark();
    void Reset() { ClearAndMark(); }

    int GetCount() const { return static_cast<int>(layers_.size()); }
    int GetBackGroundId() const { return backGroundId_; }
    void SetBackGroundId(int id) { backGroundId_ = id; }

    struct Layer {
        OwnedSprite sprite;
        float x = 0, y = 0;
        float factorX = 0, factorY = 0;
    };
    // Valid until the next layer is added or the store is cleared.
    const Layer* GetLayer(int i) const { return i >= 0 && i < GetCount() ? &layers_[i] : nullptr; }

  private:
    friend class CSingleton<CSpriteBatch>;
    CSpriteBatch();
    ~CSpriteBatch() = default;
    int backGroundId_ = 0;
    std::vector<Layer> layers_;  // in slot order
};
