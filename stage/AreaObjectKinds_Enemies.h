#pragma once
// The enemy and boss kinds: 45 records that each put one enemy or boss into an area. They have no
// data of their own; the live enemy appears when the record's tile comes into view, facing the
// hero's side (facing = the tile lies left of the hero). Twelve of them are shop parts.
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

#define QUOR_ENEMY_KIND(Cls)                                                          \
  class Cls : public CStageAreaObject {                                               \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
  }

// A shop part: locked while its item is not bought.
#define QUOR_SHOP_ENEMY_KIND(Cls)                                                     \
  class Cls : public CStageAreaObject {                                               \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
    bool IsLocked() override;                                                         \
  }

// The tornadoes also mark their range, three tiles either side of the tile's centre
// (horizontal for 001, vertical for 002).
#define QUOR_TORNADO_KIND(Cls)                                                        \
  class Cls : public CStageAreaObject {                                               \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
    void DrawExtentFrame() override;                                                  \
    std::vector<ExtentStroke> GetExtentStrokes() const;                               \
  }

QUOR_ENEMY_KIND(CStageAreaObject_Kid001);
QUOR_ENEMY_KIND(CStageAreaObject_Kid002);
QUOR_ENEMY_KIND(CStageAreaObject_Pukka001);
QUOR_ENEMY_KIND(CStageAreaObject_Chop001);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_Chop002);
QUOR_ENEMY_KIND(CStageAreaObject_Gun001);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_Gun002);
QUOR_ENEMY_KIND(CStageAreaObject_Moyashi001);
QUOR_ENEMY_KIND(CStageAreaObject_Moyashi002);
QUOR_ENEMY_KIND(CStageAreaObject_Flower001);
QUOR_ENEMY_KIND(CStageAreaObject_Flower002);
QUOR_ENEMY_KIND(CStageAreaObject_IceSculpture001);
QUOR_ENEMY_KIND(CStageAreaObject_Drill001);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_TonFar001);
QUOR_ENEMY_KIND(CStageAreaObject_Professor001);
QUOR_ENEMY_KIND(CStageAreaObject_Fish001);
QUOR_ENEMY_KIND(CStageAreaObject_Fish002);
QUOR_ENEMY_KIND(CStageAreaObject_Fish003);
QUOR_ENEMY_KIND(CStageAreaObject_Fish004);
QUOR_ENEMY_KIND(CStageAreaObject_Bat001);
QUOR_ENEMY_KIND(CStageAreaObject_Bat002);
QUOR_ENEMY_KIND(CStageAreaObject_Sphere001);
QUOR_ENEMY_KIND(CStageAreaObject_Sphere002);
QUOR_ENEMY_KIND(CStageAreaObject_Caterpillar001);
QUOR_ENEMY_KIND(CStageAreaObject_Caterpillar002);
QUOR_ENEMY_KIND(CStageAreaObject_Caterpillar003);
QUOR_ENEMY_KIND(CStageAreaObject_Megane001);
QUOR_ENEMY_KIND(CStageAreaObject_Megane002);
QUOR_TORNADO_KIND(CStageAreaObject_Tornado001);
QUOR_TORNADO_KIND(CStageAreaObject_Tornado002);
QUOR_ENEMY_KIND(CStageAreaObject_Ichigo001);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_OtoBall001);
QUOR_ENEMY_KIND(CStageAreaObject_Needle001);
QUOR_ENEMY_KIND(CStageAreaObject_Nageru001);
QUOR_ENEMY_KIND(CStageAreaObject_Nageru002);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_SkyMobile001);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_Magician001);
QUOR_ENEMY_KIND(CStageAreaObject_TestBoss001);
QUOR_ENEMY_KIND(CStageAreaObject_TestBoss002);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_BarMan001);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_BarMan002);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_BarMan003);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_BarMan004);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_BarMan005);
QUOR_SHOP_ENEMY_KIND(CStageAreaObject_DevilBar001);

#undef QUOR_ENEMY_KIND
#undef QUOR_SHOP_ENEMY_KIND
#undef QUOR_TORNADO_KIND
