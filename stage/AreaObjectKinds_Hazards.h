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

QUOR_AREA_OBJECT_KIND(CStageAreaObject_Battery001, CStageAreaObject_TimingChangableBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Battery002, CStageAreaObject_TimingChangableBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Battery003, CStageAreaObject_TimingChangableBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Battery004, CStageAreaObject_TimingChangableBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Burner001, CStageAreaObject_TimingChangableBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Burner002, CStageAreaObject_TimingChangableBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Burner003, CStageAreaObject_TimingChangableBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Burner004, CStageAreaObject_TimingChangableBase);

// The air gears turn from the start of the area: GetStartObjectSpec describes them, GetObjectSpec
// gives none. Their reach is marked by two red circles (radii 96 and 64).
QUOR_AREA_OBJECT_KIND(CStageAreaObject_AirGear001, CStageAreaObject_TimingChangableBase,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_AirGear002, CStageAreaObject_TimingChangableBase,
                      QUOR_KIND_START_OBJECT QUOR_KIND_EXTENT_FRAME);

// Reach: a red circle of radius 48 about the tile's centre.
QUOR_AREA_OBJECT_KIND(CStageAreaObject_IronBall001, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
// Reach: a green rectangle a quarter tile wider than the tile on each side.
QUOR_AREA_OBJECT_KIND(CStageAreaObject_SwitchBomb001, CStageAreaObject, QUOR_KIND_EXTENT_FRAME);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_FloatingBomb001, CStageAreaObject);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_House001, CStageAreaObject);

// Appends the editor cells of the hazard kinds, in factory order.
void AppendHazardKindCells(std::vector<KindEditorCell>& out);
