#pragma once
// The chip grid of one area: one byte per 32 x 32 pixel tile, its chip sprites, the terrain
// queries of play and the run-length hex text (the map string) stored in .stg documents.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "stage/StageSprite.h"

class CSprite;
class CStageArea;

// The side of a map tile in pixels.
inline constexpr int kTilePixels = 32;

// Result of CStageMap::ResolveRectMove.
struct StageMapMoveResult {
    double x = 0.0;
    double y = 0.0;
    bool hitTop = false;
    bool hitBottom = false;
    bool hitLeft = false;
    bool hitRight = false;
};

// One chip to store at a cell (CStageMap::SetChips).
struct MapCellChange {
    int x = 0;
    int y = 0;
    uint8_t chip = 0;
};

class CStageMap {
  public:
    static constexpr int kMaxSide = 1000;

    // The row the player is shown for tile row y of a map `height` chips high: rows are counted
    // from the bottom row, which is 0. Files keep y itself.
    static constexpr int ShownRow(int height, int y) { return height - 1 - y; }

    CStageMap() = default;
    ~CStageMap();
    CStageMap(const CStageMap&) = delete;
    CStageMap& operator=(const CStageMap&) = delete;

    // A new map of an area class 0..8, all chips 0; null for any other class.
    static std::unique_ptr<CStageMap> Create(int areaClass);
    // A new map from the four map elements of an area document; null when the class has no map.
    // Throws CStageDataException SDE0003 (length), SDE0004 (checksum), SDE0002 (content).
    static std::unique_ptr<CStageMap> FromMapXml(const std::string& className, int mapStringLength,
                                                 int checkSum, const std::string& mapString);

    // Allocates and zeroes both grids; width and height 1..1000, else RAE0002.
    void Allocate(int width, int height);
    // Releases the sprites and frees both grids.
    void Clear();

    uint8_t GetChip(int x, int y) const;
    // The stored chips row by row: cell (x, y) at y * width + x.
    std::vector<uint8_t> GetChipsByRow() const;
    void SetChip(int x, int y, uint8_t chip);
    // SetChip of every change in order (cells outside the grid ignored), with each changed
    // cell's sprite rebuilt once; when most of the map changes, all sprites are rebuilt at once.
    void SetChips(const std::vector<MapCellChange>& changes);

    void CreateChipSprites();
    void ReleaseChipSprites();
    bool IsSpritesActive() const { return spritesActive; }

    void Draw(int left, int right, int top, int bottom, double time, bool animate);
    void DrawWithAlpha(int left, int right, int top, int bottom, double time, bool animate, float alpha);
    // The same as DrawWithAlpha.
    void DrawScaled(int left, int right, int top, int bottom, double time, bool animate, float alpha) {
        DrawWithAlpha(left, right, top, bottom, time, animate, alpha);
    }

    bool RectHitsBlockingChip(double x1, double y1, double x2, double y2) const;
    StageMapMoveResult ResolveRectMove(double newX, double newY, double width, double height, double prevX,
                                       double prevY) const;
    bool IsLineClear(int x1, int y1, int x2, int y2) const;

    std::string EncodeMapString() const;
    bool DecodeMapString(const std::string& text);
    std::string WriteXml() const;
    bool UsesUnboughtChips() const;

    // Length and checksum of a map string (bytes summed as signed 8-bit values).
    static long long MapStringCheckSum(const std::string& mapString);

    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    int GetAreaClass() const { return areaClass; }
    CStageArea* GetOwnerArea() const { return ownerArea; }
    void SetOwnerArea(CStageArea* area) { ownerArea = area; }
    // The sprite of cell (x, y), x from -2 to width + 1, y from -3 to height - 1; null outside.
    CSprite* GetCellSprite(int x, int y) const;

  private:
    bool InGrid(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t StoredChip(int x, int y) const { return chips[static_cast<size_t>(x) * height + y]; }
    OwnedSprite& CellSprite(int x, int y) {
        return sprites[static_cast<size_t>(x + 2) * (height + 3) + (y + 3)];
    }
    void BuildCellSprite(int x, int y);
    void RefreshCell(int x, int y);
    bool MoveBlocked(int fromX, int fromY, int toX, int toY, double w, double h, StageMapMoveResult& r) const;
    bool WalkPath(double fromX, double fromY, double toX, double toY, double w, double h, double& endX,
                  double& endY, StageMapMoveResult& hits) const;

    // Column x holds rows 0..height-1 contiguously.
    std::vector<uint8_t> chips;
    // (width + 4) columns of (height + 3) sprites; cell (x, y) at column x + 2, row y + 3.
    std::vector<OwnedSprite> sprites;
    CStageArea* ownerArea = nullptr;
    int width = 0;
    int height = 0;
    bool spritesActive = false;
    int areaClass = 0;
};
