#pragma once
// マップパーツ選択（自然物）: the pallet of grounds, pass-through panels, bushes, a flower and a
// mushroom. A choice yields the chip number that the editor's map tools then paint.
#include <cstdint>
#include <span>
#include <string>

#include "controls/Pallet.h"
#include "editor_windows/PalletEntry.h"

namespace Controls {

class CNaturalMapChipPalletWindow : public CPalletWindowBase {
  public:
    CNaturalMapChipPalletWindow(int32_t x, int32_t y);

    std::string GetDataFileName() override { return "data\\mapchip_info.dat"; }
    int32_t GetItemId(int32_t index) override { return GetItemIdAt(index); }

    // The whole table, shop entries included, in grid order.
    static std::span<const PalletEntry> Entries();
};

}  // namespace Controls
