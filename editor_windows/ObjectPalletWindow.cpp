#include "editor_windows/ObjectPalletWindow.h"

namespace Controls {

namespace {

const PalletEntry kObjectEntries[] = {
    ObjectEntry(kIconSheet2(0, 32, 32, 64), kObjectSheet1(64, 128, 128, 192), "Goal"),
    ObjectEntry(kIconSheet2(32, 32, 64, 64), kObjectSheet1(192, 64, 224, 128), "Flag"),
    ObjectEntry(kIconSheet2(0, 0, 32, 32), kObjectSheet1(0, 0, 32, 48), "Door001"),
    ObjectEntry(kIconSheet2(32, 0, 64, 32), kObjectSheet1(32, 0, 64, 48), "Door002"),
    ObjectEntry(kIconSheet2(64, 0, 96, 32), kObjectSheet1(64, 0, 96, 48), "Door003"),
    ObjectEntry(kIconSheet2(96, 0, 128, 32), kObjectSheet1(96, 0, 128, 48), "Door004"),
    ObjectEntry(kIconSheet2(128, 0, 160, 32), kObjectSheet1(128, 0, 160, 48), "Door005"),
    ObjectEntry(kIconSheet2(160, 0, 192, 32), kObjectSheet1(160, 0, 192, 48), "KeyDoor001"),
    ObjectEntry(kIconSheet2(64, 32, 96, 64), kObjectSheet4(192, 0, 224, 48), "EnemyZeroDoor001",
                "EnemyZeroDoor001"),
    ObjectEntry(kIconSheet2(192, 0, 224, 32), kObjectSheet1(192, 0, 224, 32), "Warp001", "Warp001"),
    // Nothing to see: the preview covers no pixels.
    ObjectEntry(kIconSheet2(224, 0, 256, 32), kObjectSheet1(0, 0, 0, 0), "InvisibleWarp001",
                "InvisibleWarp001"),
    ObjectEntry(kIconSheet1(0, 128, 32, 160), {"System", "CharImage001", 40, 160, 80, 200}, "Oto001",
                "Oto001"),
    ObjectEntry(kIconSheet2(0, 64, 32, 96), kObjectSheet1(0, 48, 128, 64), "HorizontalLift001"),
    ObjectEntry(kIconSheet2(64, 64, 96, 96), kObjectSheet1(0, 48, 128, 64), "HorizontalLift002"),
    ObjectEntry(kIconSheet2(32, 64, 64, 96), kObjectSheet1(0, 48, 128, 64), "VerticalLift001"),
    ObjectEntry(kIconSheet2(96, 64, 128, 96), kObjectSheet1(0, 48, 128, 64), "VerticalLift002"),
    ObjectEntry(kIconSheet2(128, 64, 160, 96), kObjectSheet1(0, 64, 128, 80), "FallingLift001"),
    ObjectEntry(kIconSheet2(160, 64, 192, 96), kObjectSheet2(0, 128, 96, 152), "RightMoveLift001"),
    ObjectEntry(kIconSheet2(192, 64, 224, 96), kObjectSheet2(0, 152, 96, 176), "LeftMoveLift001"),
    ObjectEntry(kIconSheet2(224, 64, 256, 96), kObjectSheet2(96, 128, 192, 160), "RisingLift001"),
    ObjectEntry(kIconSheet2(128, 96, 160, 128), kObjectSheet5(64, 0, 176, 24), "CloudLift001"),
    ObjectEntry(kIconSheet3(128, 64, 160, 96), kObjectSheet5(0, 224, 128, 240), "WideLift001"),
    ObjectEntry(kIconSheet3(160, 64, 192, 96), kObjectSheet5(0, 224, 128, 240), "WideLift002"),
    ObjectEntry(kIconSheet3(192, 64, 224, 96), kObjectSheet5(0, 224, 128, 240), "WideLift003"),
    ObjectEntry(kIconSheet3(224, 64, 256, 96), kObjectSheet5(0, 224, 128, 240), "WideLift004"),
    ObjectEntry(kIconSheet2(0, 96, 32, 128), kObjectSheet1(0, 80, 128, 96), "CustomLift001", "CustomLift001"),
    ObjectEntry(kIconSheet2(96, 128, 128, 160), kObjectSheet2(0, 224, 32, 256), "Switch001"),
    ObjectEntry(kIconSheet2(192, 128, 224, 160), kObjectSheet4(0, 0, 32, 32), "Switch002"),
    ObjectEntry(kIconSheet2(32, 160, 64, 192), kObjectSheet4(0, 32, 32, 64), "Switch003"),
    ObjectEntry(kIconSheet2(128, 160, 160, 192), kObjectSheet4(0, 64, 32, 96), "Switch004", "Switch004"),
    ObjectEntry(kIconSheet2(224, 160, 256, 192), kObjectSheet4(0, 96, 32, 128), "Switch005"),
    ObjectEntry(kIconSheet2(128, 224, 160, 256), kObjectSheet4(0, 128, 32, 160), "Switch006"),
    ObjectEntry(kIconSheet2(0, 128, 32, 160), kObjectSheet1(128, 48, 192, 112), "WoodBlock001"),
    ObjectEntry(kIconSheet2(32, 128, 64, 160), kObjectSheet2(192, 112, 256, 176), "StoneBlock001"),
    ObjectEntry(kIconSheet2(64, 128, 96, 160), kObjectSheet2(192, 176, 256, 240), "StoneBlock002"),
    ObjectEntry(kIconSheet2(160, 96, 192, 128), kObjectSheet5(64, 72, 128, 144), "WoodBlock004"),
    ObjectEntry(kIconSheet2(32, 96, 64, 128), kObjectSheet5(0, 0, 64, 72), "WoodBlock002"),
    ObjectEntry(kIconSheet2(64, 96, 96, 128), kObjectSheet5(0, 72, 64, 136), "WoodBlock003"),
    ObjectEntry(kIconSheet2(224, 224, 256, 256), kObjectSheet2(192, 176, 256, 256), "StoneBlock003"),
    ObjectEntry(kIconSheet2(96, 96, 128, 128), kObjectSheet5(0, 136, 64, 216), "StoneBlock004"),
};

}  // namespace

CObjectPalletWindow::CObjectPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("オブジェクト選択", x, y) {
    AddPalletEntries(*this, kObjectEntries);
}

std::span<const PalletEntry> CObjectPalletWindow::Entries() { return kObjectEntries; }

}  // namespace Controls
