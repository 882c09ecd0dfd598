#include "editor_windows/ObjectPalletWindow.h"

namespace Controls {

namespace {

// Buttons on the kinds' icon sheets (group "System"), previews on the objects' sheets ("Object").
const Sheet Icon1{"System", "StageObjects001"};
const Sheet Icon2{"System", "StageObjects002"};
const Sheet Icon3{"System", "StageObjects003"};
const Sheet Objects1{"Object", "Objects001"};
const Sheet Objects2{"Object", "Objects002"};
const Sheet Objects4{"Object", "Objects004"};
const Sheet Objects5{"Object", "Objects005"};

const PalletEntry kEntries[] = {
    ObjectEntry(Icon2(0, 32, 32, 64), Objects1(64, 128, 128, 192), "Goal"),
    ObjectEntry(Icon2(32, 32, 64, 64), Objects1(192, 64, 224, 128), "Flag"),
    ObjectEntry(Icon2(0, 0, 32, 32), Objects1(0, 0, 32, 48), "Door001"),
    ObjectEntry(Icon2(32, 0, 64, 32), Objects1(32, 0, 64, 48), "Door002"),
    ObjectEntry(Icon2(64, 0, 96, 32), Objects1(64, 0, 96, 48), "Door003"),
    ObjectEntry(Icon2(96, 0, 128, 32), Objects1(96, 0, 128, 48), "Door004"),
    ObjectEntry(Icon2(128, 0, 160, 32), Objects1(128, 0, 160, 48), "Door005"),
    ObjectEntry(Icon2(160, 0, 192, 32), Objects1(160, 0, 192, 48), "KeyDoor001"),
    ObjectEntry(Icon2(64, 32, 96, 64), Objects4(192, 0, 224, 48), "EnemyZeroDoor001", "EnemyZeroDoor001"),
    ObjectEntry(Icon2(192, 0, 224, 32), Objects1(192, 0, 224, 32), "Warp001", "Warp001"),
    // Nothing to see: the preview covers no pixels.
    ObjectEntry(Icon2(224, 0, 256, 32), Objects1(0, 0, 0, 0), "InvisibleWarp001", "InvisibleWarp001"),
    ObjectEntry(Icon1(0, 128, 32, 160), {"System", "CharImage001", 40, 160, 80, 200}, "Oto001", "Oto001"),
    ObjectEntry(Icon2(0, 64, 32, 96), Objects1(0, 48, 128, 64), "HorizontalLift001"),
    ObjectEntry(Icon2(64, 64, 96, 96), Objects1(0, 48, 128, 64), "HorizontalLift002"),
    ObjectEntry(Icon2(32, 64, 64, 96), Objects1(0, 48, 128, 64), "VerticalLift001"),
    ObjectEntry(Icon2(96, 64, 128, 96), Objects1(0, 48, 128, 64), "VerticalLift002"),
    ObjectEntry(Icon2(128, 64, 160, 96), Objects1(0, 64, 128, 80), "FallingLift001"),
    ObjectEntry(Icon2(160, 64, 192, 96), Objects2(0, 128, 96, 152), "RightMoveLift001"),
    ObjectEntry(Icon2(192, 64, 224, 96), Objects2(0, 152, 96, 176), "LeftMoveLift001"),
    ObjectEntry(Icon2(224, 64, 256, 96), Objects2(96, 128, 192, 160), "RisingLift001"),
    ObjectEntry(Icon2(128, 96, 160, 128), Objects5(64, 0, 176, 24), "CloudLift001"),
    ObjectEntry(Icon3(128, 64, 160, 96), Objects5(0, 224, 128, 240), "WideLift001"),
    ObjectEntry(Icon3(160, 64, 192, 96), Objects5(0, 224, 128, 240), "WideLift002"),
    ObjectEntry(Icon3(192, 64, 224, 96), Objects5(0, 224, 128, 240), "WideLift003"),
    ObjectEntry(Icon3(224, 64, 256, 96), Objects5(0, 224, 128, 240), "WideLift004"),
    ObjectEntry(Icon2(0, 96, 32, 128), Objects1(0, 80, 128, 96), "CustomLift001", "CustomLift001"),
    ObjectEntry(Icon2(96, 128, 128, 160), Objects2(0, 224, 32, 256), "Switch001"),
    ObjectEntry(Icon2(192, 128, 224, 160), Objects4(0, 0, 32, 32), "Switch002"),
    ObjectEntry(Icon2(32, 160, 64, 192), Objects4(0, 32, 32, 64), "Switch003"),
    ObjectEntry(Icon2(128, 160, 160, 192), Objects4(0, 64, 32, 96), "Switch004", "Switch004"),
    ObjectEntry(Icon2(224, 160, 256, 192), Objects4(0, 96, 32, 128), "Switch005"),
    ObjectEntry(Icon2(128, 224, 160, 256), Objects4(0, 128, 32, 160), "Switch006"),
    ObjectEntry(Icon2(0, 128, 32, 160), Objects1(128, 48, 192, 112), "WoodBlock001"),
    ObjectEntry(Icon2(32, 128, 64, 160), Objects2(192, 112, 256, 176), "StoneBlock001"),
    ObjectEntry(Icon2(64, 128, 96, 160), Objects2(192, 176, 256, 240), "StoneBlock002"),
    ObjectEntry(Icon2(160, 96, 192, 128), Objects5(64, 72, 128, 144), "WoodBlock004"),
    ObjectEntry(Icon2(32, 96, 64, 128), Objects5(0, 0, 64, 72), "WoodBlock002"),
    ObjectEntry(Icon2(64, 96, 96, 128), Objects5(0, 72, 64, 136), "WoodBlock003"),
    ObjectEntry(Icon2(224, 224, 256, 256), Objects2(192, 176, 256, 256), "StoneBlock003"),
    ObjectEntry(Icon2(96, 96, 128, 128), Objects5(0, 136, 64, 216), "StoneBlock004"),
};

}  // namespace

CObjectPalletWindow::CObjectPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("オブジェクト選択", x, y) {
    AddPalletEntries(*this, kEntries);
}

std::span<const PalletEntry> CObjectPalletWindow::Entries() { return kEntries; }

}  // namespace Controls
