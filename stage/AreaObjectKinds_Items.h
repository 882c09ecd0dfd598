#pragma once
// The item, key and flag kinds: eleven records that each put one pick-up into an area when the
// record's tile comes into view. Built like the enemy kinds (one class, one row per kind), with
// icons on "StageObjects002".
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

class StageAreaObjectKindList;

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

class CStageAreaObject_Item : public CStageAreaObject {
  public:
    CStageAreaObject_Item(const ItemKindRow& kindRow, CStage* ownerStage, CStageArea* ownerArea,
                          CStageAreaObjectTable* ownerTable, int tileX, int tileY);
    LiveObjectSpec GetObjectSpec(bool side) override;
    const ItemKindRow& GetRow() const { return row; }

  private:
    const ItemKindRow& row;
};

// Adds the item, key and flag kinds to the factory list, in table order.
void AddItemKinds(StageAreaObjectKindList& list);

// Appends the editor cells of the item, key and flag kinds, in factory order.
void AppendItemKindCells(std::vector<KindEditorCell>& out);
