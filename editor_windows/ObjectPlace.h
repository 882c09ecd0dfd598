#pragma once
// Where a placed object lies: the index of its area and its tile (map column and row). A dialog
// opened for one placed object keeps it unchanged, so that its caller knows which object the
// answer is for when the dialog has closed.
#include <cstdint>

class CObjectPlace {
  public:
    CObjectPlace(int32_t areaIndex, int32_t tileX, int32_t tileY)
        : areaIndex_(areaIndex), tileX_(tileX), tileY_(tileY) {}
    int32_t GetAreaIndex() const { return areaIndex_; }
    int32_t GetTileX() const { return tileX_; }
    int32_t GetTileY() const { return tileY_; }

  private:
    int32_t areaIndex_, tileX_, tileY_;
};
