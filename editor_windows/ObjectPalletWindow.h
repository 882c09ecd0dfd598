#pragma once
// Stand-in for the オブジェクト選択 pallet: its first entries only, until the whole pallet comes.
#include <cstdint>
#include <string>

#include "controls/Pallet.h"

namespace Controls {

class CObjectPalletWindow : public CPalletWindowBase {
  public:
    CObjectPalletWindow(int32_t x, int32_t y);

    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t index) override { return GetItemKeyAt(index); }
};

}  // namespace Controls
