#pragma once
// The enemy and boss kinds: 45 records that each put one enemy or boss into an area. They have no
// data of their own; the live enemy appears when the record's tile comes into view, facing the
// hero's side (facing = the tile lies left of the hero). Twelve of them are shop parts. One class
// serves them all, each record built from its kind's row of the enemy table.
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

class StageAreaObjectKindList;

// What an enemy kind marks in the editor besides its icon: the tornadoes mark their range, three
// tiles either side of the tile's centre.
enum class EnemyExtent { kNone, kHorizontalRange, kVerticalRange };

// One enemy or boss kind: its icon cell on "StageObjects001", the live class it builds, the
// offset of the live object from the tile's top-left pixel and the arguments after the position:
// the facing flag (when the class takes one) and up to two whole numbers.
struct EnemyKindRow {
    const char* key;
    int left, top;
    const char* liveClass;
    int dx, dy;
    bool facing;
    int extraCount;
    int extra[2];
    const char* shopItem;  // null: not a shop part; else locked while the item is not bought
    EnemyExtent extent = EnemyExtent::kNone;
};

class CStageAreaObject_Enemy : public CStageAreaObject {
  public:
    CStageAreaObject_Enemy(const EnemyKindRow& kindRow, CStage* ownerStage, CStageArea* ownerArea,
                           CStageAreaObjectTable* ownerTable, int tileX, int tileY);
    LiveObjectSpec GetObjectSpec(bool side) override;
    bool IsLocked() override;
    void DrawExtentFrame() override;
    // The range marks of the tornadoes; none for the other kinds.
    std::vector<ExtentStroke> GetExtentStrokes() const;
    const EnemyKindRow& GetRow() const { return row; }

  private:
    const EnemyKindRow& row;
};

// Adds the enemy and boss kinds to the factory list, in table order.
void AddEnemyKinds(StageAreaObjectKindList& list);

// Appends the editor cells of the enemy and boss kinds, in factory order.
void AppendEnemyKindCells(std::vector<KindEditorCell>& out);
