#include "editor_windows/TrapPalletWindow.h"

namespace Controls {

namespace {

// The devil house's button lies right of the air gears' although it comes before them, and the
// two air gears share one preview.
const PalletEntry kTrapEntries[] = {
    ObjectEntry(kIconSheet1(0, 160, 32, 192), kObjectSheet3(0, 0, 32, 32), "Battery001"),
    ObjectEntry(kIconSheet1(32, 160, 64, 192), kObjectSheet3(32, 0, 64, 32), "Battery002"),
    ObjectEntry(kIconSheet1(64, 160, 96, 192), kObjectSheet3(64, 0, 96, 32), "Battery003"),
    ObjectEntry(kIconSheet1(96, 160, 128, 192), kObjectSheet3(96, 0, 128, 32), "Battery004"),
    ObjectEntry(kIconSheet1(128, 160, 160, 192), kObjectSheet3(128, 0, 160, 32), "Burner001"),
    ObjectEntry(kIconSheet1(160, 160, 192, 192), kObjectSheet3(160, 0, 192, 32), "Burner002"),
    ObjectEntry(kIconSheet1(192, 160, 224, 192), kObjectSheet3(192, 0, 224, 32), "Burner003"),
    ObjectEntry(kIconSheet1(224, 160, 256, 192), kObjectSheet3(224, 0, 256, 32), "Burner004"),
    ObjectEntry(kIconSheet1(0, 192, 32, 224), kObjectSheet3(0, 64, 96, 160), "IronBall001"),
    ObjectEntry(kIconSheet1(32, 192, 64, 224), kObjectSheet3(208, 96, 256, 128), "SwitchBomb001"),
    ObjectEntry(kIconSheet1(64, 192, 96, 224), kObjectSheet3(128, 64, 160, 96), "FloatingBomb001"),
    ObjectEntry(kIconSheet1(160, 192, 192, 224), kObjectSheet3(0, 176, 80, 256), "House001"),
    ObjectEntry(kIconSheet1(96, 192, 128, 224), kObjectSheet3(128, 96, 160, 128), "AirGear001"),
    ObjectEntry(kIconSheet1(128, 192, 160, 224), kObjectSheet3(128, 96, 160, 128), "AirGear002"),
};

}  // namespace

CTrapPalletWindow::CTrapPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("トラップ選択", x, y) {
    AddPalletEntries(*this, kTrapEntries);
}

std::span<const PalletEntry> CTrapPalletWindow::Entries() { return kTrapEntries; }

}  // namespace Controls
