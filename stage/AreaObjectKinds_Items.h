#pragma once
// The item, key and flag kinds: eleven records that each put one pick-up into an area when the
// record's tile comes into view. Built like the enemy kinds, with icons on "StageObjects002".
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

QUOR_AREA_OBJECT_KIND(CStageAreaObject_Pokikki001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_AirPokikki001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Umaibo001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_IceBar001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_1UP001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_RedWhitePole001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_WoodenMallet001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Propeller001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Hose001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Key001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Flag, CStageAreaObject);

// Appends the editor cells of the item, key and flag kinds, in factory order.
void AppendItemKindCells(std::vector<KindEditorCell>& out);
