#pragma once
// The hazard kinds: firing batteries and burners, air gears, the iron ball, the switch bomb, the
// floating bomb and the devil house. Ten of them carry a timing A..D in a1, which the editor
// shows and lets the user shift; the live object gets it as its firing phase or start angle.
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

// Base of the ten kinds with a timing: a1 cut toward zero, 0 = A, 1 = B, 2 = C, any other = D.
class CStageAreaObject_TimingChangableBase : public CStageAreaObject {
 public:
  CStageAreaObject_TimingChangableBase(CStage* ownerStage, CStageArea* ownerArea,
                                       CStageAreaObjectTable* ownerTable, int tileX, int tileY);
  // The display name followed by " タイミング：Ａ" .. " タイミング：Ｄ".
  std::string GetInfoText() override;

 protected:
  // The timing 0..3 (3 for every value other than 0, 1 and 2).
  int GetTiming() const;
};

// True when the record carries a timing (null gives false).
bool IsTimingChangableAreaObject(const CStageAreaObject* object);

#define QUOR_TIMED_HAZARD_KIND(Cls)                                                   \
  class Cls : public CStageAreaObject_TimingChangableBase {                           \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
  }

QUOR_TIMED_HAZARD_KIND(CStageAreaObject_Battery001);
QUOR_TIMED_HAZARD_KIND(CStageAreaObject_Battery002);
QUOR_TIMED_HAZARD_KIND(CStageAreaObject_Battery003);
QUOR_TIMED_HAZARD_KIND(CStageAreaObject_Battery004);
QUOR_TIMED_HAZARD_KIND(CStageAreaObject_Burner001);
QUOR_TIMED_HAZARD_KIND(CStageAreaObject_Burner002);
QUOR_TIMED_HAZARD_KIND(CStageAreaObject_Burner003);
QUOR_TIMED_HAZARD_KIND(CStageAreaObject_Burner004);

#undef QUOR_TIMED_HAZARD_KIND

// The air gears turn from the start of the area: CreateStartObject builds them, CreateObject
// gives null. Their reach is marked by two red circles (radii 96 and 64).
#define QUOR_AIR_GEAR_KIND(Cls)                                                       \
  class Cls : public CStageAreaObject_TimingChangableBase {                           \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
    IBase* CreateStartObject(bool side) override;                                     \
    void DrawExtentFrame() override;                                                  \
    std::vector<ExtentStroke> GetExtentStrokes() const;                               \
  }

QUOR_AIR_GEAR_KIND(CStageAreaObject_AirGear001);
QUOR_AIR_GEAR_KIND(CStageAreaObject_AirGear002);

#undef QUOR_AIR_GEAR_KIND

#define QUOR_HAZARD_KIND(Cls)                                                         \
  class Cls : public CStageAreaObject {                                               \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
  }

#define QUOR_FRAMED_HAZARD_KIND(Cls)                                                  \
  class Cls : public CStageAreaObject {                                               \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
    void DrawExtentFrame() override;                                                  \
    std::vector<ExtentStroke> GetExtentStrokes() const;                               \
  }

// Reach: a red circle of radius 48 about the tile's centre.
QUOR_FRAMED_HAZARD_KIND(CStageAreaObject_IronBall001);
// Reach: a green rectangle a quarter tile wider than the tile on each side.
QUOR_FRAMED_HAZARD_KIND(CStageAreaObject_SwitchBomb001);
QUOR_HAZARD_KIND(CStageAreaObject_FloatingBomb001);
QUOR_HAZARD_KIND(CStageAreaObject_House001);

#undef QUOR_HAZARD_KIND
#undef QUOR_FRAMED_HAZARD_KIND
