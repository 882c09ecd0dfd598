#include "editor_windows/ArtifactualMapChipPalletWindow.h"

namespace Controls {

namespace {

// A block whose preview is the pair it makes with a second block beside it.
PalletEntry Block(int32_t left, int32_t top, int32_t right, int32_t bottom, const ImageClip& pair,
                  const char* key, int32_t chip) {
    return {{"Map", "ChipSet001", left, top, right, bottom}, pair, key, 0, chip, nullptr};
}

const PalletEntry kArtifactualChipEntries[] = {
    MapChipEntry("ChipSet003", 32, 128, 64, 160, "Ground007", 0, 160),
    MapChipEntry("ChipSet004", 64, 160, 96, 192, "ThroughPanel012", 1, 234),
    MapChipEntry("ChipSet004", 192, 160, 224, 192, "ThroughPanel013", 1, 238),
    Block(0, 160, 32, 192, {"Map", "ChipSet001", 0, 192, 64, 224}, "Block001", 40),
    Block(64, 160, 96, 192, {"Map", "ChipSet001", 64, 192, 128, 224}, "Block002", 42),
    MapChipEntry("ChipSet001", 128, 160, 160, 192, "Block003", 0, 44),
    MapChipEntry("ChipSet001", 128, 192, 160, 224, "Block004", 0, 52),
    MapChipEntry("ChipSet001", 160, 192, 192, 224, "Block005", 0, 53),
    MapChipEntry("ChipSet001", 160, 160, 192, 192, "Block006", 0, 45),
    MapChipEntry("ChipSet001", 0, 96, 32, 128, "ThroughPanel001", 1, 24),
    MapChipEntry("ChipSet001", 32, 96, 64, 128, "ThroughPanel002", 1, 25),
    MapChipEntry("ChipSet001", 64, 96, 96, 128, "ThroughPanel003", 1, 26),
    MapChipEntry("ChipSet001", 96, 96, 128, 128, "ThroughPanel004", 1, 27),
    MapChipEntry("ChipSet001", 128, 96, 160, 128, "ThroughPanel005", 1, 28),
    MapChipEntry("ChipSet004", 0, 128, 32, 160, "RoundBlock001_L", 0, 224),
    MapChipEntry("ChipSet004", 32, 128, 64, 160, "RoundBlock001_R", 0, 225),
    // One purchase, asked about once, opens both fast conveyors.
    MapChipEntry("ChipSet004", 64, 128, 96, 160, "RoundBlock002_L", 0, 226, "RoundBlock002"),
    MapChipEntry("ChipSet004", 96, 128, 128, 160, "RoundBlock002_R", 0, 227, "RoundBlock002"),
    MapChipEntry("ChipSet001", 64, 224, 96, 256, "RedBlock001", 3, 58),
    MapChipEntry("ChipSet001", 96, 224, 128, 256, "RedBlock002", 3, 59),
    MapChipEntry("ChipSet001", 128, 224, 160, 256, "GreenBlock001", 3, 60),
    MapChipEntry("ChipSet001", 160, 224, 192, 256, "GreenBlock002", 3, 61),
    MapChipEntry("ChipSet001", 192, 224, 224, 256, "BlueBlock001", 3, 62),
    MapChipEntry("ChipSet001", 224, 224, 256, 256, "BlueBlock002", 3, 63),
    MapChipEntry("ChipSet001", 0, 224, 32, 256, "Needle001", 0, 56),
    MapChipEntry("ChipSet001", 32, 224, 64, 256, "Needle002", 0, 57, "Needle002"),
    MapChipEntry("ChipSet001", 32, 64, 64, 96, "Fence001", 2, 17),
};

}  // namespace

CArtifactualMapChipPalletWindow::CArtifactualMapChipPalletWindow(int32_t x, int32_t y)
    : CPalletWindowBase("マップパーツ選択（人工物）", x, y) {
    AddPalletEntries(*this, kArtifactualChipEntries);
}

std::span<const PalletEntry> CArtifactualMapChipPalletWindow::Entries() { return kArtifactualChipEntries; }

}  // namespace Controls
