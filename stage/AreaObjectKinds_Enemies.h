#pragma once
// The enemy and boss kinds: 45 records that each put one enemy or boss into an area. They have no
// data of their own; the live enemy appears when the record's tile comes into view, facing the
// hero's side (facing = the tile lies left of the hero). Twelve of them are shop parts.
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

// Shop parts (QUOR_KIND_LOCKED) are locked while their item is not bought.
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Kid001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Kid002, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Pukka001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Chop001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Chop002, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Gun001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Gun002, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Moyashi001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Moyashi002, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Flower001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Flower002, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_IceSculpture001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Drill001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_TonFar001, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Professor001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Fish001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Fish002, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Fish003, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Fish004, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Bat001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Bat002, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Sphere001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Sphere002, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Caterpillar001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Caterpillar002, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Caterpillar003, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Megane001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Megane002, CStageAreaObject);
// The tornadoes also mark their range, three tiles either side of the tile's centre
// (horizontal for 001, vertical for 002).
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Tornado001, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Tornado002, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Ichigo001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_OtoBall001, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Needle001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Nageru001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Nageru002, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_SkyMobile001, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Magician001, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_TestBoss001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_TestBoss002, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_BarMan001, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_BarMan002, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_BarMan003, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_BarMan004, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_BarMan005, CStageAreaObject, QUOR_KIND_LOCKED);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_DevilBar001, CStageAreaObject, QUOR_KIND_LOCKED);

// Appends the editor cells of the enemy and boss kinds, in factory order.
void AppendEnemyKindCells(std::vector<KindEditorCell>& out);
