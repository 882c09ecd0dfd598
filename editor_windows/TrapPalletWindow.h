#pragma once
// トラップ選択: the pallet of batteries, burners, the iron ball, bombs, air gears and the devil
// house. A choice yields the object kind the editor places next; every trap is always offered.
#include <cstdint>
#include <span>
#include <string>

#include "controls/Pallet.h"
#include "editor_windows/PalletEntry.h"

namespace Controls {

class CTrapPalletWindow : public CPalletWindowBase {
  public:
    CTrapPalletWindow(int32_t x, int32_t y);

    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t index) override { return GetItemKeyAt(index); }

    // The whole table in grid order.
    static std::span<const PalletEntry> Entries();
};

}  // namespace Controls
