#pragma once
// The lift kinds: round-trip lifts that move from the start of the area, lifts that fall, travel
// right, left or up, the cloud lift, the custom lift that follows a route typed in the editor and
// four wide lifts. In the editor each outlines its platform and, where it travels a fixed course,
// that course.
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

// The four round-trip lifts exist from the start of the area: CreateStartObject builds them and
// CreateObject gives null.
#define QUOR_ROUND_TRIP_LIFT_KIND(Cls)                                                \
  class Cls : public CStageAreaObject {                                               \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
    IBase* CreateStartObject(bool side) override;                                     \
    void DrawExtentFrame() override;                                                  \
    std::vector<ExtentStroke> GetExtentStrokes() const;                               \
  }

#define QUOR_LIFT_KIND(Cls)                                                           \
  class Cls : public CStageAreaObject {                                               \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
    void DrawExtentFrame() override;                                                  \
    std::vector<ExtentStroke> GetExtentStrokes() const;                               \
  }

QUOR_ROUND_TRIP_LIFT_KIND(CStageAreaObject_HorizontalLift001);
QUOR_ROUND_TRIP_LIFT_KIND(CStageAreaObject_HorizontalLift002);
QUOR_ROUND_TRIP_LIFT_KIND(CStageAreaObject_VerticalLift001);
QUOR_ROUND_TRIP_LIFT_KIND(CStageAreaObject_VerticalLift002);
QUOR_LIFT_KIND(CStageAreaObject_FallingLift001);
QUOR_LIFT_KIND(CStageAreaObject_RightMoveLift001);
QUOR_LIFT_KIND(CStageAreaObject_LeftMoveLift001);
QUOR_LIFT_KIND(CStageAreaObject_RisingLift001);
QUOR_LIFT_KIND(CStageAreaObject_CloudLift001);
QUOR_LIFT_KIND(CStageAreaObject_WideLift001);
QUOR_LIFT_KIND(CStageAreaObject_WideLift002);
QUOR_LIFT_KIND(CStageAreaObject_WideLift003);
QUOR_LIFT_KIND(CStageAreaObject_WideLift004);

#undef QUOR_ROUND_TRIP_LIFT_KIND
#undef QUOR_LIFT_KIND

// The custom lift: its text attribute is the route ("A".."K" commands) that the live lift
// carries out; a shop part.
class CStageAreaObject_CustomLift001 : public CStageAreaObject {
 public:
  CStageAreaObject_CustomLift001(CStage* ownerStage, CStageArea* ownerArea,
                                 CStageAreaObjectTable* ownerTable, int tileX, int tileY);
  IBase* CreateObject(bool side) override;
  void DrawExtentFrame() override;
  bool IsLocked() override;
  std::vector<ExtentStroke> GetExtentStrokes() const;
};

// True when the record is a custom lift (null gives false).
bool IsCustomLiftAreaObject(const CStageAreaObject* object);
