#pragma once
// オブジェクト選択: the pallet of the goal and the flag, doors, warps, lifts, switches and blocks,
// and the note ball. A choice yields the object kind the editor places next. Six entries are
// shop items.
#include <cstdint>
#include <span>
#include <string>

#include "controls/Pallet.h"
#include "editor_windows/PalletEntry.h"

namespace Controls {

class CObjectPalletWindow : public CPalletWindowBase {
  public:
    CObjectPalletWindow(int32_t x, int32_t y);

    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t index) override { return GetItemKeyAt(index); }

    // The whole table, shop entries included, in grid order.
    static std::span<const PalletEntry> Entries();
};

}  // namespace Controls
