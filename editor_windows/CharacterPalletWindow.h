#pragma once
// キャラクター選択: the pallet of enemies and bosses. A choice yields the object kind the editor
// places next. Eleven characters are shop items; the two test bosses are offered only where the
// scenario's own stages are edited.
#include <cstdint>
#include <span>
#include <string>

#include "controls/Pallet.h"
#include "editor_windows/PalletEntry.h"

namespace Controls {

class CCharacterPalletWindow : public CPalletWindowBase {
  public:
    CCharacterPalletWindow(int32_t x, int32_t y, bool withTestBosses);

    std::string GetDataFileName() override { return "data\\stage_objects.dat"; }
    std::string GetItemKey(int32_t index) override { return GetItemKeyAt(index); }

    // The whole table in grid order: the characters, then the two test bosses.
    static std::span<const PalletEntry> Entries();
    static constexpr int kTestBossCount = 2;
};

}  // namespace Controls
