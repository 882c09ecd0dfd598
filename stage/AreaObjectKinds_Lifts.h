#pragma once
// The lift kinds: round-trip lifts that move from the start of the area, lifts that fall, travel
// right, left or up, the cloud lift, the custom lift that follows a route typed in the editor and
// four wide lifts. In the editor each outlines its platform and, where it travels a fixed course,
// that course.
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

// The four round-trip lifts exist from the start of the area: GetStartObjectSpec describes them
// and GetObjectSpec gives none.
QUOR_AREA_OBJECT_KIND(CStageAreaObject_HorizontalLift001, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_HorizontalLift002, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_VerticalLift001, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_VerticalLift002, CStageAreaObject,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_FallingLift001, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_RightMoveLift001, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_LeftMoveLift001, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_RisingLift001, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_CloudLift001, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_WideLift001, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_WideLift002, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_WideLift003, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_WideLift004, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);

// The custom lift: its text attribute is the route ("A".."K" commands) that the live lift
// carries out; a shop part.
QUOR_AREA_OBJECT_KIND(CStageAreaObject_CustomLift001, CStageAreaObject,
                      QUOR_KIND_EXTENT_FRAME QUOR_KIND_LOCKED);

// True when the record is a custom lift (null gives false).
bool IsCustomLiftAreaObject(const CStageAreaObject* object);

// Appends the editor cells of the lift kinds, in factory order.
void AppendLiftKindCells(std::vector<KindEditorCell>& out);
