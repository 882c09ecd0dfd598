#include "stage/AreaObjectKinds_Items.h"

#include <cstring>

namespace {

const char kItemImage[] = "StageObjects002";

// One item kind: its icon cell, the live class, the offset from the tile's top-left pixel and the
// arguments after the position: an initial velocity of 0.0, 0.0 (items that take one), the facing
// flag (the extra life only) and the weapon item kind 2..5 (power-ups only).
struct ItemKindRow {
    const char* key;
    int left, top;
    const char* liveClass;
    int dx, dy;
    bool velocity;
    bool facing;
    int weaponKind;  // 0: none
};

const ItemKindRow kItemKinds[] = {
    {"Pokikki001", 0, 192, "CPokikki", 16, 16, true, false, 0},
    {"AirPokikki001", 32, 192, "CAirPokikki", 16, 16, false, false, 0},
    {"Umaibo001", 64, 192, "CUmaibo", 16, 16, true, false, 0},
    {"IceBar001", 96, 192, "CIceBar", 16, 16, true, false, 0},
    {"1UP001", 128, 192, "C1UP", 0, 8, false, true, 0},
    {"RedWhitePole", 160, 192, "CPowerUpBar", 16, 16, true, false, 2},
    {"WoodenMallet", 192, 192, "CPowerUpBar", 16, 16, true, false, 3},
    {"Propeller", 224, 192, "CPowerUpBar", 16, 16, true, false, 4},
    {"Hose", 0, 224, "CPowerUpBar", 16, 16, true, false, 5},
    {"Key", 32, 224, "CKey", 16, 16, true, false, 0},
    {"Flag", 32, 32, "CStageFlag", 16, -24, false, false, 0},
};

const ItemKindRow& FindItemRow(const char* key) { return FindKindRow(kItemKinds, key); }

LiveObjectArgs ItemArgs(const ItemKindRow& row, bool side) {
    LiveObjectArgs args;
    if (row.velocity) {
        args.emplace_back(0.0);
        args.emplace_back(0.0);
    }
    if (row.facing) args.emplace_back(!side);
    if (row.weaponKind != 0) args.emplace_back(row.weaponKind);
    return args;
}

}  // namespace

void AppendItemKindCells(std::vector<KindEditorCell>& out) {
    for (const ItemKindRow& row : kItemKinds) {
        out.push_back({row.key, kItemImage, row.left, row.top, row.left + 32, row.top + 32});
    }
}

#define QUOR_ITEM_KIND_BODY(Cls, kindKey)                                                  \
    Cls::Cls(CStage* stage, CStageArea* area, CStageAreaObjectTable* table, int x, int y)  \
        : CStageAreaObject(stage, area, table, x, y) {                                     \
        static const ItemKindRow& row = FindItemRow(kindKey);                              \
        SetKindImage(kItemImage, row.left, row.top, row.left + 32, row.top + 32);          \
        RefreshImages();                                                                   \
    }                                                                                      \
    LiveObjectSpec Cls::GetObjectSpec(bool side) {                                         \
        static const ItemKindRow& row = FindItemRow(kindKey);                              \
        return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), \
                        ItemArgs(row, side));                                              \
    }

QUOR_ITEM_KIND_BODY(CStageAreaObject_Pokikki001, "Pokikki001")
QUOR_ITEM_KIND_BODY(CStageAreaObject_AirPokikki001, "AirPokikki001")
QUOR_ITEM_KIND_BODY(CStageAreaObject_Umaibo001, "Umaibo001")
QUOR_ITEM_KIND_BODY(CStageAreaObject_IceBar001, "IceBar001")
QUOR_ITEM_KIND_BODY(CStageAreaObject_1UP001, "1UP001")
QUOR_ITEM_KIND_BODY(CStageAreaObject_RedWhitePole001, "RedWhitePole")
QUOR_ITEM_KIND_BODY(CStageAreaObject_WoodenMallet001, "WoodenMallet")
QUOR_ITEM_KIND_BODY(CStageAreaObject_Propeller001, "Propeller")
QUOR_ITEM_KIND_BODY(CStageAreaObject_Hose001, "Hose")
QUOR_ITEM_KIND_BODY(CStageAreaObject_Key001, "Key")
QUOR_ITEM_KIND_BODY(CStageAreaObject_Flag, "Flag")
