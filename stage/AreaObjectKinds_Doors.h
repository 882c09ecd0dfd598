#pragma once
// The door, warp and goal kinds. A door or warp record holds its destination in a1 (the target
// area's absolute number), a2 and a3 (the target tile column and row) and hands it to its live
// door or warp; the goal uses no attribute.
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

// Shop parts (QUOR_KIND_LOCKED) are locked while their item is not bought.
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Door001, CStageAreaObject_DoorBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Door002, CStageAreaObject_DoorBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Door003, CStageAreaObject_DoorBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Door004, CStageAreaObject_DoorBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Door005, CStageAreaObject_DoorBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_KeyDoor001, CStageAreaObject_DoorBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_EnemyZeroDoor001, CStageAreaObject_DoorBase, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Warp001, CStageAreaObject_DoorBase, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_InvisibleWarp001, CStageAreaObject_DoorBase, QUOR_KIND_LOCKED);

// The goal of a stage.
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Goal, CStageAreaObject);

// Appends the editor cells of the goal, then the door and warp kinds, in factory order.
void AppendDoorKindCells(std::vector<KindEditorCell>& out);
