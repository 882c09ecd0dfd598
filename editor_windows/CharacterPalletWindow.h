#pragma once
// Stand-in for the キャラクター選択 pallet: its first entries only, until the whole pallet comes.
#include <cstdint>
#include <string>

#include "controls/Pallet.h"

namespace Controls {

class CCharacterPalletWindow : public CPalletWindowBase {
  public:
    CCharacterPalletWindow(int32_t x, int32_t y, bool singleEditMode);

    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t index) override { return GetItemKeyAt(index); }
};

}  // namespace Controls
