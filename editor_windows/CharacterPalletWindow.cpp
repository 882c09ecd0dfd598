#include "editor_windows/CharacterPalletWindow.h"

namespace Controls {

namespace {

// A boss's preview: the top-left corner of its own sheet.
ImageClip Boss(const char* sheet, int32_t right, int32_t bottom) {
    return {"Char", sheet, 0, 0, right, bottom};
}

const PalletEntry kCharacterEntries[] = {
    ObjectEntry(kIconSheet1(64, 0, 96, 32), kCharacterSheet(0, 0, 32, 40), "Kid001"),
    ObjectEntry(kIconSheet1(96, 0, 128, 32), kCharacterSheet(40, 200, 72, 240), "Kid002"),
    ObjectEntry(kIconSheet1(0, 32, 32, 64), kCharacterSheet(96, 0, 120, 32), "Moyashi001"),
    ObjectEntry(kIconSheet1(32, 32, 64, 64), kCharacterSheet(120, 0, 144, 32), "Moyashi002"),
    ObjectEntry(kIconSheet1(224, 96, 256, 128), kCharacterSheet(0, 160, 40, 192), "Ichigo001"),
    ObjectEntry(kIconSheet1(32, 128, 64, 160), kCharacterSheet(168, 160, 216, 192), "Needle001"),
    ObjectEntry(kIconSheet1(160, 32, 192, 64), kCharacterSheet(0, 48, 64, 80), "Drill001"),
    ObjectEntry(kIconSheet1(128, 32, 160, 64), kCharacterSheet(224, 0, 256, 56), "IceSculpture001"),
    ObjectEntry(kIconSheet1(192, 32, 224, 64), kCharacterSheet(64, 48, 128, 128), "TonFar001", "TonFar001"),
    ObjectEntry(kIconSheet1(192, 64, 224, 96), kCharacterSheet(216, 120, 256, 152), "Caterpillar001"),
    ObjectEntry(kIconSheet1(224, 64, 256, 96), kCharacterSheet(216, 152, 256, 184), "Caterpillar002"),
    ObjectEntry(kIconSheet1(0, 96, 32, 128), kCharacterSheet(216, 184, 256, 216), "Caterpillar003"),
    ObjectEntry(kIconSheet1(96, 96, 128, 128), kCharacterSheet(0, 112, 32, 160), "Megane001"),
    ObjectEntry(kIconSheet1(128, 96, 160, 128), kCharacterSheet(32, 112, 64, 160), "Megane002"),
    ObjectEntry(kIconSheet1(192, 0, 224, 32), kCharacterSheet(64, 0, 96, 48), "Chop001"),
    ObjectEntry(kIconSheet1(224, 0, 256, 32), kCharacterSheet(64, 0, 96, 48), "Chop002", "Chop002"),
    ObjectEntry(kIconSheet1(160, 128, 192, 160), kCharacterSheet(64, 0, 96, 48), "Gun001"),
    ObjectEntry(kIconSheet1(192, 128, 224, 160), kCharacterSheet(64, 0, 96, 48), "Gun002", "Gun002"),
    ObjectEntry(kIconSheet1(64, 128, 96, 160), kCharacterSheet(96, 128, 128, 168), "Nageru001"),
    ObjectEntry(kIconSheet1(96, 128, 128, 160), kCharacterSheet(224, 216, 256, 256), "Nageru002"),
    ObjectEntry(kIconSheet1(64, 32, 96, 64), kCharacterSheet(144, 0, 184, 32), "Flower001"),
    ObjectEntry(kIconSheet1(96, 32, 128, 64), kCharacterSheet(184, 0, 224, 32), "Flower002"),
    ObjectEntry(kIconSheet1(224, 32, 256, 64), kCharacterSheet(128, 32, 160, 80), "Professor001"),
    ObjectEntry(kIconSheet1(224, 128, 256, 160), kCharacterSheet(0, 192, 32, 240), "Magician001",
                "Magician001"),
    ObjectEntry(kIconSheet1(0, 64, 32, 96), kCharacterSheet(160, 32, 200, 64), "Fish001"),
    ObjectEntry(kIconSheet1(32, 64, 64, 96), kCharacterSheet(160, 64, 216, 112), "Fish002"),
    ObjectEntry(kIconSheet1(32, 96, 64, 128), kCharacterSheet(128, 112, 192, 128), "Fish003"),
    ObjectEntry(kIconSheet1(64, 96, 96, 128), kCharacterSheet(128, 128, 192, 160), "Fish004"),
    ObjectEntry(kIconSheet1(64, 64, 96, 96), kCharacterSheet(0, 80, 32, 112), "Bat001"),
    ObjectEntry(kIconSheet1(96, 64, 128, 96), kCharacterSheet(32, 80, 64, 112), "Bat002"),
    ObjectEntry(kIconSheet1(160, 96, 192, 128), kCharacterSheet(64, 128, 96, 160), "Tornado001"),
    ObjectEntry(kIconSheet1(192, 96, 224, 128), kCharacterSheet(64, 128, 96, 160), "Tornado002"),
    ObjectEntry(kIconSheet1(128, 64, 160, 96), kCharacterSheet(224, 56, 256, 88), "Sphere001"),
    ObjectEntry(kIconSheet1(160, 64, 192, 96), kCharacterSheet(224, 88, 256, 120), "Sphere002"),
    ObjectEntry(kIconSheet1(160, 0, 192, 32), kCharacterSheet(32, 0, 64, 32), "Pukka001"),
    ObjectEntry(kIconSheet1(128, 128, 160, 160), kCharacterSheet(112, 192, 216, 256), "SkyMobile001",
                "SkyMobile001"),
    ObjectEntry(kIconSheet1(192, 192, 224, 224), Boss("Boss001_L", 40, 40), "BarMan001", "BarMan001"),
    ObjectEntry(kIconSheet1(224, 192, 256, 224), Boss("Boss003_L", 40, 40), "BarMan002", "BarMan002"),
    ObjectEntry(kIconSheet1(0, 224, 32, 256), Boss("Boss005_L", 40, 40), "BarMan003", "BarMan003"),
    ObjectEntry(kIconSheet1(32, 224, 64, 256), Boss("Boss007_L", 40, 40), "BarMan004", "BarMan004"),
    ObjectEntry(kIconSheet1(64, 224, 96, 256), Boss("Boss009_L", 40, 40), "BarMan005", "BarMan005"),
    ObjectEntry(kIconSheet1(96, 224, 128, 256), Boss("Boss011_L", 48, 64), "DevilBar001", "DevilBar001"),
    // The test bosses wear the kid's looks; only their texts tell them apart.
    ObjectEntry(kIconSheet1(64, 0, 96, 32), kCharacterSheet(0, 0, 32, 40), "TestBoss001"),
    ObjectEntry(kIconSheet1(64, 0, 96, 32), kCharacterSheet(0, 0, 32, 40), "TestBoss002"),
};

}  // namespace

CCharacterPalletWindow::CCharacterPalletWindow(int32_t x, int32_t y, bool withTestBosses)
    : CPalletWindowBase("キャラクター選択", x, y) {
    const std::span<const PalletEntry> all = kCharacterEntries;
    AddPalletEntries(*this, all.first(all.size() - kTestBossCount));
    if (withTestBosses) AddPalletEntries(*this, all.last(kTestBossCount));
}

std::span<const PalletEntry> CCharacterPalletWindow::Entries() { return kCharacterEntries; }

}  // namespace Controls
