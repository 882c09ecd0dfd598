#include "editor_windows/ArtifactualMapChipPalletWindow.h"

#include "editor_windows/StandInPalletEntries.h"

namespace Controls {

namespace {
const StandInPalletEntry kEntries[] = {
    {{"Map", "ChipSet003", 32, 128, 64, 160}, {"Map", "ChipSet003", 32, 128, 64, 160}, "Ground007", 0, 160},
    {{"Map", "ChipSet004", 64, 160, 96, 192},
     {"Map", "ChipSet004", 64, 160, 96, 192},
     "ThroughPanel012",
     1,
     234},
};
}  // namespace

CArtifactualMapChipPalletWindow::CArtifactualMapChipPalletWindow(int32_t x, int32_t y)
    : CPalletWindowBase("マップパーツ選択（人工物）", x, y) {
    AddStandInEntries(*this, kEntries);
}

}  // namespace Controls
