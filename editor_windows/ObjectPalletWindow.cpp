#include "editor_windows/ObjectPalletWindow.h"

namespace Controls {

namespace {

// A button on one of the kinds' icon sheets (group "System").
ImageClip Icon(const char* sheet, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return {"System", sheet, left, top, right, bottom};
}
ImageClip Icon2(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return Icon("StageObjects002", left, top, right, bottom);
}
// A preview on one of the objects' sheets (group "Object").
ImageClip Look(const char* sheet, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return {"Object", sheet, left, top, right, bottom};
}

const PalletEntry kEntries[] = {
    ObjectEntry(Icon2(0, 32, 32, 64), Look("Objects001", 64, 128, 128, 192), "Goal"),
    ObjectEntry(Icon2(32, 32, 64, 64), Look("Objects001", 192, 64, 224, 128), "Flag"),
    ObjectEntry(Icon2(0, 0, 32, 32), Look("Objects001", 0, 0, 32, 48), "Door001"),
    ObjectEntry(Icon2(32, 0, 64, 32), Look("Objects001", 32, 0, 64, 48), "Door002"),
    ObjectEntry(Icon2(64, 0, 96, 32), Look("Objects001", 64, 0, 96, 48), "Door003"),
    ObjectEntry(Icon2(96, 0, 128, 32), Look("Objects001", 96, 0, 128, 48), "Door004"),
    ObjectEntry(Icon2(128, 0, 160, 32), Look("Objects001", 128, 0, 160, 48), "Door005"),
    ObjectEntry(Icon2(160, 0, 192, 32), Look("Objects001", 160, 0, 192, 48), "KeyDoor001"),
    ObjectEntry(Icon2(64, 32, 96, 64), Look("Objects004", 192, 0, 224, 48), "EnemyZeroDoor001",
                "EnemyZeroDoor001"),
    ObjectEntry(Icon2(192, 0, 224, 32), Look("Objects001", 192, 0, 224, 32), "Warp001", "Warp001"),
    // Nothing to see: the preview covers no pixels.
    ObjectEntry(Icon2(224, 0, 256, 32), Look("Objects001", 0, 0, 0, 0), "InvisibleWarp001",
                "InvisibleWarp001"),
    ObjectEntry(Icon("StageObjects001", 0, 128, 32, 160), {"System", "CharImage001", 40, 160, 80, 200},
                "Oto001", "Oto001"),
    ObjectEntry(Icon2(0, 64, 32, 96), Look("Objects001", 0, 48, 128, 64), "HorizontalLift001"),
    ObjectEntry(Icon2(64, 64, 96, 96), Look("Objects001", 0, 48, 128, 64), "HorizontalLift002"),
    ObjectEntry(Icon2(32, 64, 64, 96), Look("Objects001", 0, 48, 128, 64), "VerticalLift001"),
    ObjectEntry(Icon2(96, 64, 128, 96), Look("Objects001", 0, 48, 128, 64), "VerticalLift002"),
    ObjectEntry(Icon2(128, 64, 160, 96), Look("Objects001", 0, 64, 128, 80), "FallingLift001"),
    ObjectEntry(Icon2(160, 64, 192, 96), Look("Objects002", 0, 128, 96, 152), "RightMoveLift001"),
    ObjectEntry(Icon2(192, 64, 224, 96), Look("Objects002", 0, 152, 96, 176), "LeftMoveLift001"),
    ObjectEntry(Icon2(224, 64, 256, 96), Look("Objects002", 96, 128, 192, 160), "RisingLift001"),
    ObjectEntry(Icon2(128, 96, 160, 128), Look("Objects005", 64, 0, 176, 24), "CloudLift001"),
    ObjectEntry(Icon("StageObjects003", 128, 64, 160, 96), Look("Objects005", 0, 224, 128, 240),
                "WideLift001"),
    ObjectEntry(Icon("StageObjects003", 160, 64, 192, 96), Look("Objects005", 0, 224, 128, 240),
                "WideLift002"),
    ObjectEntry(Icon("StageObjects003", 192, 64, 224, 96), Look("Objects005", 0, 224, 128, 240),
                "WideLift003"),
    ObjectEntry(Icon("StageObjects003", 224, 64, 256, 96), Look("Objects005", 0, 224, 128, 240),
                "WideLift004"),
    ObjectEntry(Icon2(0, 96, 32, 128), Look("Objects001", 0, 80, 128, 96), "CustomLift001", "CustomLift001"),
    ObjectEntry(Icon2(96, 128, 128, 160), Look("Objects002", 0, 224, 32, 256), "Switch001"),
    ObjectEntry(Icon2(192, 128, 224, 160), Look("Objects004", 0, 0, 32, 32), "Switch002"),
    ObjectEntry(Icon2(32, 160, 64, 192), Look("Objects004", 0, 32, 32, 64), "Switch003"),
    ObjectEntry(Icon2(128, 160, 160, 192), Look("Objects004", 0, 64, 32, 96), "Switch004", "Switch004"),
    ObjectEntry(Icon2(224, 160, 256, 192), Look("Objects004", 0, 96, 32, 128), "Switch005"),
    ObjectEntry(Icon2(128, 224, 160, 256), Look("Objects004", 0, 128, 32, 160), "Switch006"),
    ObjectEntry(Icon2(0, 128, 32, 160), Look("Objects001", 128, 48, 192, 112), "WoodBlock001"),
    ObjectEntry(Icon2(32, 128, 64, 160), Look("Objects002", 192, 112, 256, 176), "StoneBlock001"),
    ObjectEntry(Icon2(64, 128, 96, 160), Look("Objects002", 192, 176, 256, 240), "StoneBlock002"),
    ObjectEntry(Icon2(160, 96, 192, 128), Look("Objects005", 64, 72, 128, 144), "WoodBlock004"),
    ObjectEntry(Icon2(32, 96, 64, 128), Look("Objects005", 0, 0, 64, 72), "WoodBlock002"),
    ObjectEntry(Icon2(64, 96, 96, 128), Look("Objects005", 0, 72, 64, 136), "WoodBlock003"),
    ObjectEntry(Icon2(224, 224, 256, 256), Look("Objects002", 192, 176, 256, 256), "StoneBlock003"),
    ObjectEntry(Icon2(96, 96, 128, 128), Look("Objects005", 0, 136, 64, 216), "StoneBlock004"),
};

}  // namespace

CObjectPalletWindow::CObjectPalletWindow(int32_t x, int32_t y) : CPalletWindowBase("オブジェクト選択", x, y) {
    AddPalletEntries(*this, kEntries);
}

std::span<const PalletEntry> CObjectPalletWindow::Entries() { return kEntries; }

}  // namespace Controls
