#pragma once
// アイテム選択: the pallet of snacks, the extra life, the key and the weapons. From the editor's
// tool bar a choice yields the object kind placed next; from a wooden block's menu (the second
// constructor, without the key) it yields what the block holds, and the pallet remembers which
// block that is.
#include <cstdint>
#include <span>
#include <string>

#include "controls/Pallet.h"
#include "editor_windows/PalletEntry.h"

namespace Controls {

class CItemPalletWindow : public CPalletWindowBase {
  public:
    // Every item; area and tile 0.
    CItemPalletWindow(int32_t x, int32_t y);
    // Every item but the key, for the block at (tileX, tileY) of area areaIndex.
    CItemPalletWindow(int32_t x, int32_t y, int32_t areaIndex, int32_t tileX, int32_t tileY);

    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t index) override { return GetItemKeyAt(index); }

    int32_t GetAreaIndex() const { return areaIndex_; }
    int32_t GetTileX() const { return tileX_; }
    int32_t GetTileY() const { return tileY_; }

    // Adds the table in grid order; the key only withKey.
    void AddItemEntries(bool withKey);

    // The whole table in grid order, the key included.
    static std::span<const PalletEntry> Entries();
    static constexpr const char* kKeyItem = "Key";

  private:
    int32_t areaIndex_ = 0;
    int32_t tileX_ = 0;
    int32_t tileY_ = 0;
};

}  // namespace Controls
