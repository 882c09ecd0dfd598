#pragma once
// The item, key and flag kinds: eleven records that each put one pick-up into an area when the
// record's tile comes into view. Built like the enemy kinds, with icons on "StageObjects002".
#include "stage/AreaObjectKinds_Common.h"

#define QUOR_ITEM_KIND(Cls)                                                           \
  class Cls : public CStageAreaObject {                                               \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
  }

QUOR_ITEM_KIND(CStageAreaObject_Pokikki001);
QUOR_ITEM_KIND(CStageAreaObject_AirPokikki001);
QUOR_ITEM_KIND(CStageAreaObject_Umaibo001);
QUOR_ITEM_KIND(CStageAreaObject_IceBar001);
QUOR_ITEM_KIND(CStageAreaObject_1UP001);
QUOR_ITEM_KIND(CStageAreaObject_RedWhitePole001);
QUOR_ITEM_KIND(CStageAreaObject_WoodenMallet001);
QUOR_ITEM_KIND(CStageAreaObject_Propeller001);
QUOR_ITEM_KIND(CStageAreaObject_Hose001);
QUOR_ITEM_KIND(CStageAreaObject_Key001);
QUOR_ITEM_KIND(CStageAreaObject_Flag);

#undef QUOR_ITEM_KIND
