#include "editor_windows/TrapPalletWindow.h"

namespace Controls {

namespace {

const Sheet Icon{"System", "StageObjects001"};
const Sheet Look{"Object", "Objects003"};

// The devil house's button lies right of the air gears' although it comes before them, and the
// two air gears share one preview.
const PalletEntry kEntries[] = {
    ObjectEntry(Icon(0, 160, 32, 192), Look(0, 0, 32, 32), "Battery001"),
    ObjectEntry(Icon(32, 160, 64, 192), Look(32, 0, 64, 32), "Battery002"),
    ObjectEntry(Icon(64, 160, 96, 192), Look(64, 0, 96, 32), "Battery003"),
    ObjectEntry(Icon(96, 160, 128, 192), Look(96, 0, 128, 32), "Battery004"),
    ObjectEntry(Icon(128, 160, 160, 192), Look(128, 0, 160, 32), "Burner001"),
    ObjectEntry(Icon(160, 160, 192, 192), Look(160, 0, 192, 32), "Burner002"),
    ObjectEntry(Icon(192, 160, 224, 192), Look(192, 0, 224, 32), "Burner003"),
    ObjectEntry(Icon(224, 160, 256, 192), Look(224, 0, 256, 32), "Burner004"),
    ObjectEntry(Icon(0, 192, 32, 224), Look(0, 64, 96, 160), "IronBall001"),
    ObjectEntry(Icon(32, 192, 64, 224), Look(208, 96, 256, 128), "SwitchBomb001"),
    ObjectEntry(Icon(64, 192, 96, 224), Look(128, 64, 160, 96), "FloatingBomb001"),
    ObjectEntry(Icon(160, 192, 192, 224), Look(0, 176, 80, 256), "House001"),
    ObjectEntry(Icon(96, 192, 128, 224), Look(128, 96, 160, 128), "AirGear001"),
    ObjectEntry(Icon(128, 192, 160, 224), Look(128, 96, 160, 128), "AirGear002"),
};

}  // namespace

CTrapPalletWindow::CTrapPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("トラップ選択", x, y) {
    AddPalletEntries(*this, kEntries);
}

std::span<const PalletEntry> CTrapPalletWindow::Entries() { return kEntries; }

}  // namespace Controls
