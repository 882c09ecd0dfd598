#pragma once
// One placed object of an area: the stored, editable record of an enemy, gimmick, item, door,
// lift, block, switch or stage event on one tile. Every object kind derives a class
// CStageAreaObject_<Kind>; the kind factory (StageObjectKindTable.h) makes them.
#include <string>

#include "stage/LiveObjectSpec.h"
#include "stage/StageSprite.h"

class CSprite;
class CStage;
class CStageArea;
class CStageAreaObjectTable;

class CStageAreaObject {
  public:
    CStageAreaObject(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable, int tileX,
                     int tileY);
    CStageAreaObject(const CStageAreaObject&) = delete;
    CStageAreaObject& operator=(const CStageAreaObject&) = delete;

    // The ten virtual operations, in slot order.
    virtual ~CStageAreaObject();
    // The text the editor shows for the object; the base gives the display name.
    virtual std::string GetInfoText();
    // The live object the spawner makes when the tile comes into view, or none. side: the tile's
    // left edge is at or right of the hero's x.
    virtual LiveObjectSpec GetObjectSpec(bool side) = 0;
    // The live object made when the area is entered, or none (base).
    virtual LiveObjectSpec GetStartObjectSpec(bool side);
    // Normal editor drawing: backdrop (alpha 0.5), kind image (alpha 1.0), problem marker.
    virtual void DrawEditorImage();
    // Dimmed editor drawing: kind image (alpha 0.5), problem marker.
    virtual void DrawEditorOverlay();
    // Frame of the tiles a multi-tile object covers; the base draws nothing.
    virtual void DrawExtentFrame();
    // A non-empty text is a problem listed by the stage check; the base gives an empty text.
    virtual std::string GetProblemText();
    // True for shop kinds the player has not bought; the base gives false.
    virtual bool IsLocked();
    // Places the three images on the object's tile.
    virtual void RefreshImages();

    std::string GetKey() const { return key; }
    void SetKey(const std::string& k) { key = k; }
    void SetName(const std::string& n) { name = n; }
    const std::string& GetName() const { return name; }
    void SetExtraText(const std::string& t) { extraText = t; }
    const std::string& GetExtraText() const { return extraText; }
    double GetAttribute1() const { return a1; }
    double GetAttribute2() const { return a2; }
    double GetAttribute3() const { return a3; }
    double GetAttribute4() const { return a4; }
    // Sets all four attributes; the images are not refreshed.
    void SetAttributes(double v1, double v2, double v3, double v4);
    std::string GetText() const { return text; }
    // Sets the text attribute. ':' and '|' cannot be stored in the objects text and are replaced
    // by their full-width forms '：' and '｜'.
    void SetText(const std::string& t);
    int GetId() const { return id; }
    void SetId(int newId) { id = newId; }
    int GetTileX() const { return tileX; }
    int GetTileY() const { return tileY; }
    // Stores the tile and refreshes the images.
    void SetPosition(int x, int y);
    CStage* GetOwnerStage() const { return ownerStage; }
    CStageArea* GetOwnerArea() const { return ownerArea; }
    CStageAreaObjectTable* GetOwnerTable() const { return ownerTable; }
    // The table hands its area to its records when the area takes it over.
    void SetOwnerArea(CStageArea* area) { ownerArea = area; }
    // The object's record of the objects text: key:x:y| or key:x:y:a1:a2:a3:a4:text|.
    std::string ToText() const;

    // An attribute cut toward zero to an int; NaN gives 0 and values beyond the int range are held
    // at its ends (a stage file may hold any number).
    static int CutToInt(double v);

    // Read access to the images (for the editor and tests); may be null.
    CSprite* GetKindImage() const { return kindImage.get(); }
    CSprite* GetTileBackdrop() const { return tileBackdrop.get(); }
    CSprite* GetProblemMarker() const { return problemMarker.get(); }

  protected:
    // Helpers for the kinds.
    // Makes the kind image from a cell of an editor image ("StageObjects001".."003") of the group
    // "System", placement value 2; replaces an image made before.
    void SetKindImage(const std::string& imageKey, int left, int top, int right, int bottom);
    // The live object of the class at (x, y) in world pixels (integers, passed on as doubles), with
    // the given arguments after the position.
    static LiveObjectSpec LiveSpec(const std::string& className, int x, int y, LiveObjectArgs args = {});
    // The editor drawing with the image shown for the kind (may be null): the backdrop when asked,
    // the image at the alpha, then the problem marker when the record has a problem.
    void DrawEditorImages(CSprite* image, float alpha, bool withBackdrop);

    OwnedSprite kindImage;      // the kind's own editor icon; set by the kind's constructor
    OwnedSprite tileBackdrop;   // "StageObjects001" cell (0, 0), alpha 0.5
    OwnedSprite problemMarker;  // "StageObjects001" cell (32, 0)
    std::string key;            // kind key, column 1 of the kind's row
    std::string name;           // display name, column 2
    std::string extraText;      // column 3, stored only
    CStage* ownerStage = nullptr;
    CStageArea* ownerArea = nullptr;
    CStageAreaObjectTable* ownerTable = nullptr;
    int id = 0;     // 1..255 once the table has set it
    int tileX = 0;  // tile column
    int tileY = 0;  // tile row, from the top of the area
    double a1 = 0.0, a2 = 0.0, a3 = 0.0, a4 = 0.0;
    std::string text;
};

// Base of the door and warp kinds: a1 is the absolute number of the target area, a2 and a3 the
// target tile column and row (each cut toward zero).
class CStageAreaObject_DoorBase : public CStageAreaObject {
  public:
    CStageAreaObject_DoorBase(CStage* ownerStage, CStageArea* ownerArea, CStageAreaObjectTable* ownerTable,
                              int tileX, int tileY);
    ~CStageAreaObject_DoorBase() override;
    std::string GetInfoText() override;
    std::string GetProblemText() override;

    // Slot 0..9 of the target area in the owner stage, or -1 when it no longer exists.
    int FindTargetAreaSlot() const;
};
