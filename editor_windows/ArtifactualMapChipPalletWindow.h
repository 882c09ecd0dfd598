#pragma once
// マップパーツ選択（人工物）: the pallet of blocks, conveyors, coloured switch blocks, spikes, a
// fence and the man-made ground and panels. A choice yields the chip number that the editor's map
// tools then paint.
#include <cstdint>
#include <span>
#include <string>

#include "controls/Pallet.h"
#include "editor_windows/PalletEntry.h"

namespace Controls {

class CArtifactualMapChipPalletWindow : public CPalletWindowBase {
  public:
    CArtifactualMapChipPalletWindow(int32_t x, int32_t y);

    std::string GetDataFileName() override { return "data\\mapchip_info.dat"; }
    int32_t GetItemId(int32_t index) override { return GetItemIdAt(index); }

    // The whole table, shop entries included, in grid order.
    static std::span<const PalletEntry> Entries();
};

}  // namespace Controls
