#pragma once
// The block kinds: four wooden and four stone blocks, built when the hero enters the area. A block
// covers two tiles by two (the two tall stone blocks half a tile more), which the editor outlines.
// "WoodBlock002" holds an item, named by the content key in its text attribute.
#include <string>
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

QUOR_AREA_OBJECT_KIND(CStageAreaObject_WoodBlock001, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_WoodBlock003, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_WoodBlock004, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_StoneBlock001, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_StoneBlock002, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_StoneBlock003, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_StoneBlock004, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);

// The wooden block with an item inside.
QUOR_AREA_OBJECT_KIND(CStageAreaObject_WoodBlock002, CStageAreaObject,
                      // The display name, a space and the name of the item inside (empty for an unknown key).
                      std::string GetInfoText() override;
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);

// The name the editor shows for a content key of "WoodBlock002"; empty for any other text.
std::string BlockContentName(const std::string& contentKey);

// True when the record is a "WoodBlock002" (null gives false).
bool IsWoodBlock002AreaObject(const CStageAreaObject* object);
// True exactly for the key "WoodBlock002".
bool IsWoodBlock002Key(const std::string& kindKey);

// Appends the editor cells of the block kinds, in factory order.
void AppendBlockKindCells(std::vector<KindEditorCell>& out);
