#pragma once
// Stand-in for the トラップ選択 pallet: its first entries only, until the whole pallet comes.
#include <cstdint>
#include <string>

#include "controls/Pallet.h"

namespace Controls {

class CTrapPalletWindow : public CPalletWindowBase {
  public:
    CTrapPalletWindow(int32_t x, int32_t y);

    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t index) override { return GetItemKeyAt(index); }
};

}  // namespace Controls
