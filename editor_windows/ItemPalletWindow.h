#pragma once
// Stand-in for the item pallet: its first entries only, until the whole pallet comes. Opened
// from a wooden block's menu it also hands back the block's area and tile.
#include <cstdint>
#include <string>

#include "controls/Pallet.h"

namespace Controls {

class CItemPalletWindow : public CPalletWindowBase {
  public:
    CItemPalletWindow(int32_t x, int32_t y);
    CItemPalletWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX, int32_t tileY);
    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t index) override { return GetItemKeyAt(index); }
    int32_t GetAreaIndex() const { return areaIndex_; }
    int32_t GetTileX() const { return tileX_; }
    int32_t GetTileY() const { return tileY_; }

  private:
    int32_t areaIndex_ = 0, tileX_ = 0, tileY_ = 0;
};

}  // namespace Controls
