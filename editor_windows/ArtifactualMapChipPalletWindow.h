#pragma once
// Stand-in for the マップパーツ選択（人工物） pallet: its first entries only, until the whole pallet comes.
#include <cstdint>
#include <string>

#include "controls/Pallet.h"

namespace Controls {

class CArtifactualMapChipPalletWindow : public CPalletWindowBase {
  public:
    CArtifactualMapChipPalletWindow(int32_t x, int32_t y);

    std::string GetDataFileName() override { return "data\\mapchip_info.dat"; }
    int32_t GetItemId(int32_t index) override { return GetItemIdAt(index); }
};

}  // namespace Controls
