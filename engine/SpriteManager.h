#pragma once
// All images of the game are BMP files listed in "data\bmp_index.dat" under compound keys
// (group "." key). The sprite manager reads the index at start, loads images on demand or group
// by group, hands out the engine object slot of an image for 2-D blits (FindImage) and builds
// sprites for game objects (CreateSprite): textured squares of the 3-D layer whose texture
// holds one rectangle of an image. Textures with their squares are pooled by image and
// rectangle, so that every sprite of the same rectangle shares one model.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "foundation/Singleton.h"

// A textured square of a game object. It does not own its model.
class CSprite;
// The one owner of a sprite: whoever makes a sprite holds it in an OwnedSprite (alone, in an
// array or in a vector). Every other pointer to it (an object's `sprite` among them) only borrows.
using OwnedSprite = std::unique_ptr<CSprite>;

class CSprite {
  public:
    CSprite(int model, int blendMode);

    // Stores alpha clamped to 0..1 and passes it to the model.
    void SetAlpha(float alpha);
    // Pushes the sprite's state to its model and projects it to the screen.
    void ApplyTransform();
    // Draws the sprite when its bounding circle can be on the screen.
    void Draw();
    // The bounding-circle test of Draw on the last projected position.
    bool IsOnScreen() const;

    float x = 0, y = 0, z = 0;                 // 3-D units (world pixels / 256, y downward)
    float angleX = 0, angleY = 0, angleZ = 0;  // radians
    float scaleX = 1, scaleY = 1, depthScale = 1;
    float screenX = 0, screenY = 0;  // after the last ApplyTransform
    uint16_t width = 0, height = 0;  // texture size in pixels
    float alpha = 1;
    int model = 0;  // the pooled model's number, 0 = none
    int blendMode = 1;
};

// Made on first use, when it also initialises itself (colour sample, engine settings, the index)
// unless the game is already on its way out; deleting it releases everything (Release).
class CSpriteManager : public CSingleton<CSpriteManager> {
  public:
    static constexpr int kImageCount = 512;  // ids 1..511
    static constexpr int kPoolSize = 4096;   // pool indices 1..4095

    // The engine object slot of an image, loading the BMP now when it isn't loaded.
    int FindImage(const std::string& group, const std::string& key);
    // A new sprite over the pooled model of that rectangle of the image.
    OwnedSprite CreateSprite(const std::string& group, const std::string& key, int blendMode, int left,
                             int top, int right, int bottom);

    // Group loading for the loading scene.
    void BeginLoadGroup(const std::string& group);
    std::string LoadNextImage(const std::string& group);
    int GetLoadPercent() const;

    // Pooled models and loaded images released; the index stays.
    void Reset();
    // The reset, then every image record and the colour sample released.
    void Release();

    // Inspection (tests, diagnostics).
    int GetImageId(const std::string& compoundKey) const;
    std::string GetImagePath(int id) const;
    int GetImageSlot(int id) const;
    int GetCellWidth(int id) const;
    int GetCellHeight(int id) const;
    int GetImageCount() const { return static_cast<int>(keys_.size()); }
    int GetPoolUsed() const;
    int GetPoolIndex(const std::string& modelKey) const;
    int GetPoolModel(int poolIndex) const;
    int GetColorSampleSlot() const { return colorSample_; }

    // The side of the square texture for a w x h rectangle: 32, 64, 128 or 256.
    static int TextureSizeFor(int w, int h);
    // The model key of a rectangle of an image.
    static std::string MakeModelKey(const std::string& group, const std::string& key, int left, int top,
                                    int right, int bottom);

  private:
    friend class CSingleton<CSpriteManager>;
    CSpriteManager() = default;
    ~CSpriteManager() { Release(); }
    void OnInstanceCreated();
    void Initialise();
    int LookUp(const std::string& group, const std::string& key);
    void PreBuildCells(const std::string& compoundKey, int id);

    struct ImageRecord {
        bool used = false;
        int slot = 0;
        std::string path;
        int cellWidth = 0;
        int cellHeight = 0;
    };
    struct PoolEntry {
        bool assigned = false;  // handed out through the model map
        int model = 0;
        int texture = 0;
    };

    std::map<std::string, int> keys_;
    ImageRecord images_[kImageCount];
    std::map<std::string, int> modelMap_;
    PoolEntry pool_[kPoolSize];
    int colorSample_ = 0;

    std::string loadGroup_;
    std::map<std::string, int>::const_iterator loadPos_;
    bool loadPosValid_ = false;
    int loaded_ = 0;
    int total_ = 0;
};

// The engine object slot of an image for elDraw::PutObject.
int FindImage(const std::string& group, const std::string& key);
// A new sprite over the pooled model of that rectangle of the image; null when the manager can
// make none.
OwnedSprite CreateSprite(const std::string& group, const std::string& key, int blendMode, int left, int top,
                         int right, int bottom);
