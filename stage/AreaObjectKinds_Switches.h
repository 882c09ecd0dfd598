#pragma once
// The switch kinds: push, timer, change, devil, spring and force switches in red, green or blue.
// The colour is a1 cut toward zero (0 red, 1 green, anything else blue); the record keeps one
// editor image per colour and shows the one of its colour.
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

class CStageAreaObject_SwitchBase : public CStageAreaObject {
  public:
    CStageAreaObject_SwitchBase(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable,
                                int tileX, int tileY);
    ~CStageAreaObject_SwitchBase() override;
    // The display name followed by " (赤)", " (緑)" or " (青)".
    std::string GetInfoText() override;
    void DrawEditorImage() override;
    void DrawEditorOverlay() override;
    void RefreshImages() override;

    // The colour 0 red, 1 green, 2 blue (a1 cut toward zero; every other value is blue).
    int GetColor() const;
    // The editor image of a colour 0..2 (null for other values or when none was made).
    CSprite* GetColorImage(int color) const;

  protected:
    // Makes the three colour images from their cells on "StageObjects002".
    void MakeColorImages(const int cells[3][2]);

    OwnedSprite redImage;
    OwnedSprite greenImage;
    OwnedSprite blueImage;
};

// True when the record is a switch (null gives false).
bool IsSwitchAreaObject(const CStageAreaObject* object);

QUOR_AREA_OBJECT_KIND(CStageAreaObject_Switch001, CStageAreaObject_SwitchBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Switch002, CStageAreaObject_SwitchBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Switch003, CStageAreaObject_SwitchBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Switch005, CStageAreaObject_SwitchBase);
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Switch006, CStageAreaObject_SwitchBase);

// The devil switch, a shop part.
QUOR_AREA_OBJECT_KIND(CStageAreaObject_Switch004, CStageAreaObject_SwitchBase, QUOR_KIND_LOCKED);

// Appends the editor cells of the switch kinds (red, green, blue each), in factory order.
void AppendSwitchKindCells(std::vector<KindEditorCell>& out);
