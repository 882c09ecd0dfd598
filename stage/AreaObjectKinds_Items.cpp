#include "stage/AreaObjectKinds_Items.h"

namespace {

const char kItemImage[] = "StageObjects002";

// The item, key and flag kinds in factory order, one row each.
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

CStageAreaObject_Item::CStageAreaObject_Item(const ItemKindRow& kindRow, CStage* stage, CStageArea* area,
                                             CStageAreaObjectTable* table, int x, int y)
    : CStageAreaObject(stage, area, table, x, y), row(kindRow) {
    SetKindImage(kItemImage, row.left, row.top, row.left + 32, row.top + 32);
    RefreshImages();
}

LiveObjectSpec CStageAreaObject_Item::GetObjectSpec(bool side) {
    return LiveSpec(row.liveClass, TilePixel(tileX, row.dx), TilePixel(tileY, row.dy), ItemArgs(row, side));
}

void AddItemKinds(StageAreaObjectKindList& list) { AddRowKinds<CStageAreaObject_Item>(list, kItemKinds); }

void AppendItemKindCells(std::vector<KindEditorCell>& out) { AppendRowCells(out, kItemImage, kItemKinds); }
