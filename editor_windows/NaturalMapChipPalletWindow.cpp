#include "editor_windows/NaturalMapChipPalletWindow.h"

namespace Controls {

namespace {

// The grounds show the cell right of their chip's: the piece whose top is open to the sky.
const PalletEntry kNaturalChipEntries[] = {
    MapChipEntry("ChipSet002", 32, 0, 64, 32, "Ground001", 0, 64),
    MapChipEntry("ChipSet002", 32, 64, 64, 96, "Ground002", 0, 80),
    MapChipEntry("ChipSet002", 32, 128, 64, 160, "Ground003", 0, 96),
    MapChipEntry("ChipSet002", 32, 192, 64, 224, "Ground004", 0, 112),
    MapChipEntry("ChipSet003", 32, 64, 64, 96, "Ground006", 0, 144),
    MapChipEntry("ChipSet003", 32, 0, 64, 32, "Ground005", 0, 128),
    MapChipEntry("ChipSet004", 32, 0, 64, 32, "Ground009", 0, 192),
    MapChipEntry("ChipSet004", 32, 64, 64, 96, "Ground010", 0, 208),
    MapChipEntry("ChipSet003", 32, 192, 64, 224, "Ground008", 0, 176, "Ground008"),
    MapChipEntry("ChipSet001", 160, 96, 192, 128, "ThroughPanel006", 1, 29),
    MapChipEntry("ChipSet001", 192, 96, 224, 128, "ThroughPanel007", 1, 30),
    MapChipEntry("ChipSet001", 224, 96, 256, 128, "ThroughPanel008", 1, 31),
    MapChipEntry("ChipSet001", 96, 128, 128, 160, "ThroughPanel009", 1, 35),
    MapChipEntry("ChipSet001", 128, 128, 160, 160, "ThroughPanel010", 1, 36),
    MapChipEntry("ChipSet001", 160, 128, 192, 160, "ThroughPanel011", 1, 37),
    MapChipEntry("ChipSet001", 0, 32, 32, 64, "Bush001", 2, 8),
    MapChipEntry("ChipSet001", 32, 32, 64, 64, "Bush002", 2, 9),
    MapChipEntry("ChipSet001", 64, 32, 96, 64, "Bush003", 2, 10),
    MapChipEntry("ChipSet001", 96, 32, 128, 64, "Bush004", 2, 11),
    MapChipEntry("ChipSet001", 128, 32, 160, 64, "Bush005", 2, 12),
    MapChipEntry("ChipSet001", 160, 32, 192, 64, "Bush006", 2, 13),
    MapChipEntry("ChipSet001", 192, 32, 224, 64, "Bush007", 2, 14),
    MapChipEntry("ChipSet001", 224, 32, 256, 64, "Bush008", 2, 15),
    MapChipEntry("ChipSet001", 160, 0, 192, 32, "Flower001", 2, 5),
    MapChipEntry("ChipSet001", 192, 0, 224, 32, "Mushroom001", 2, 6),
};

}  // namespace

CNaturalMapChipPalletWindow::CNaturalMapChipPalletWindow(int32_t x, int32_t y)
    : CPalletWindowBase("マップパーツ選択（自然物）", x, y) {
    AddPalletEntries(*this, kNaturalChipEntries);
}

std::span<const PalletEntry> CNaturalMapChipPalletWindow::Entries() { return kNaturalChipEntries; }

}  // namespace Controls
