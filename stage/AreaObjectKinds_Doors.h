#pragma once
// The door, warp and goal kinds. A door or warp record holds its destination in a1 (the target
// area's absolute number), a2 and a3 (the target tile column and row) and hands it to its live
// door or warp; the goal uses no attribute.
#include "stage/AreaObjectKinds_Common.h"

#define QUOR_DOOR_KIND(Cls)                                                           \
  class Cls : public CStageAreaObject_DoorBase {                                      \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
  }

// A shop part: locked while its item is not bought.
#define QUOR_SHOP_DOOR_KIND(Cls)                                                      \
  class Cls : public CStageAreaObject_DoorBase {                                      \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
    bool IsLocked() override;                                                         \
  }

QUOR_DOOR_KIND(CStageAreaObject_Door001);
QUOR_DOOR_KIND(CStageAreaObject_Door002);
QUOR_DOOR_KIND(CStageAreaObject_Door003);
QUOR_DOOR_KIND(CStageAreaObject_Door004);
QUOR_DOOR_KIND(CStageAreaObject_Door005);
QUOR_DOOR_KIND(CStageAreaObject_KeyDoor001);
QUOR_SHOP_DOOR_KIND(CStageAreaObject_EnemyZeroDoor001);
QUOR_SHOP_DOOR_KIND(CStageAreaObject_Warp001);
QUOR_SHOP_DOOR_KIND(CStageAreaObject_InvisibleWarp001);

#undef QUOR_DOOR_KIND
#undef QUOR_SHOP_DOOR_KIND

// The goal of a stage.
class CStageAreaObject_Goal : public CStageAreaObject {
 public:
  CStageAreaObject_Goal(CStage* ownerStage, CStageArea* ownerArea,
                        CStageAreaObjectTable* ownerTable, int tileX, int tileY);
  IBase* CreateObject(bool side) override;
};
