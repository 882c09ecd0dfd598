#pragma once
// イベント選択: the pallet of the lines that change the music, the weather or the zoom when the
// hero crosses them, four directions each. Each kind is one shop item that opens its four
// entries; with none bought the grid is empty. A choice yields the object kind.
#include <cstdint>
#include <span>
#include <string>

#include "controls/Pallet.h"
#include "editor_windows/PalletEntry.h"

namespace Controls {

class CEventPalletWindow : public CPalletWindowBase {
  public:
    CEventPalletWindow(int32_t x, int32_t y);

    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t index) override { return GetItemKeyAt(index); }

    // The whole table, in grid order: music, weather, zoom, each left, right, up, down.
    static std::span<const PalletEntry> Entries();
};

}  // namespace Controls
