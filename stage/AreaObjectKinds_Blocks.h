#pragma once
// The block kinds: four wooden and four stone blocks, built when the hero enters the area. A block
// covers two tiles by two (the two tall stone blocks half a tile more), which the editor outlines.
// "WoodBlock002" holds an item, named by the content key in its text attribute.
#include <string>
#include <vector>

#include "stage/AreaObjectKinds_Common.h"

#define QUOR_BLOCK_KIND(Cls)                                                          \
  class Cls : public CStageAreaObject {                                               \
   public:                                                                            \
    Cls(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, \
        int tileX, int tileY);                                                        \
    IBase* CreateObject(bool side) override;                                          \
    IBase* CreateStartObject(bool side) override;                                     \
    void DrawExtentFrame() override;                                                  \
    std::vector<ExtentStroke> GetExtentStrokes() const;                               \
  }

QUOR_BLOCK_KIND(CStageAreaObject_WoodBlock001);
QUOR_BLOCK_KIND(CStageAreaObject_WoodBlock003);
QUOR_BLOCK_KIND(CStageAreaObject_WoodBlock004);
QUOR_BLOCK_KIND(CStageAreaObject_StoneBlock001);
QUOR_BLOCK_KIND(CStageAreaObject_StoneBlock002);
QUOR_BLOCK_KIND(CStageAreaObject_StoneBlock003);
QUOR_BLOCK_KIND(CStageAreaObject_StoneBlock004);

#undef QUOR_BLOCK_KIND

// The wooden block with an item inside.
class CStageAreaObject_WoodBlock002 : public CStageAreaObject {
 public:
  CStageAreaObject_WoodBlock002(CStage* ownerStage, CStageArea* ownerArea,
                                CStageAreaObjectTable* ownerTable, int tileX, int tileY);
  // The display name, a space and the name of the item inside (empty for an unknown key).
  std::string GetInfoText() override;
  IBase* CreateObject(bool side) override;
  IBase* CreateStartObject(bool side) override;
  void DrawExtentFrame() override;
  std::vector<ExtentStroke> GetExtentStrokes() const;
};

// The name the editor shows for a content key of "WoodBlock002"; empty for any other text.
std::string BlockContentName(const std::string& contentKey);

// True when the record is a "WoodBlock002" (null gives false).
bool IsWoodBlock002AreaObject(const CStageAreaObject* object);
// True exactly for the key "WoodBlock002".
bool IsWoodBlock002Key(const std::string& kindKey);
