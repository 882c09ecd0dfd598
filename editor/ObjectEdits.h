#pragma once
// The placed-object commands: set, delete, move and configure the object on a tile of the
// current area. Each needs the tile on the map of the area it works in.
#include <string>

#include "editor/Edit.h"
#include "editor/ObjectClipboard.h"

class CStageAreaObject;
class CStageAreaObjectTable;

// What the set and delete commands share: one object's tile, kind, attributes and text, and
// the two steps that put it on its tile and take it off again.
class CObjectPlacement : public IEdit {
  protected:
    CObjectPlacement(CStage* editedStage, CEditor* owningEditor, int tileX, int tileY,
                     PlacedObjectValues object)
        : IEdit(editedStage, owningEditor), x(tileX), y(tileY), values(std::move(object)) {}

    // The current area's table and the object on (x, y), or null.
    CStageAreaObjectTable* Table() const;
    CStageAreaObject* ObjectHere() const;
    // Brings the area to the front and puts the object on its tile; false when the tile is taken.
    bool PlaceAgain();
    // Brings the area to the front and takes the object off its tile; false when there is none.
    bool TakeOff();
    // The log text: the head, the key, then ", エリア:…, 座標：…, 属性値：…, 文字列：" and the text.
    std::string LogText(const char* head) const;

    int area = 0;
    const int x, y;
    PlacedObjectValues values;
};

class CSetObject : public CObjectPlacement {
  public:
    CSetObject(int tileX, int tileY, const std::string& kindKey, CStage* editedStage, CEditor* owningEditor)
        : CObjectPlacement(editedStage, owningEditor, tileX, tileY, {kindKey, 0, 0, 0, 0, std::string()}) {}
    CSetObject(int tileX, int tileY, const std::string& kindKey, double v1, double v2, double v3, double v4,
               const std::string& objectText, CStage* editedStage, CEditor* owningEditor)
        : CObjectPlacement(editedStage, owningEditor, tileX, tileY, {kindKey, v1, v2, v3, v4, objectText}) {}
    // A copy of a copied object.
    CSetObject(int tileX, int tileY, const PlacedObjectValues& object, CStage* editedStage,
               CEditor* owningEditor)
        : CObjectPlacement(editedStage, owningEditor, tileX, tileY, object) {}

    bool Execute() override;
    bool Undo() override { return TakeOff(); }
    bool Redo() override { return PlaceAgain(); }
    std::string GetLogText() const override { return LogText("[オブジェクト配置]  キー:"); }
};

class CDeleteObject : public CObjectPlacement {
  public:
    // The kind, attributes and text are taken from the object when it is deleted.
    CDeleteObject(int tileX, int tileY, CStage* editedStage, CEditor* owningEditor)
        : CObjectPlacement(editedStage, owningEditor, tileX, tileY, PlacedObjectValues()) {}

    bool Execute() override;
    bool Undo() override { return PlaceAgain(); }
    bool Redo() override { return TakeOff(); }
    std::string GetLogText() const override { return LogText("[オブジェクト削除]  キー:"); }
};

// An object dragged from one tile to another: moved live during the drag, pushed at the end.
class CMoveObject : public IEdit {
  public:
    CMoveObject(int fromTileX, int fromTileY, int toTileX, int toTileY, CStage* editedStage,
                CEditor* owningEditor)
        : IEdit(editedStage, owningEditor), fromX(fromTileX), fromY(fromTileY), toX(toTileX), toY(toTileY) {}

    bool Execute() override;
    bool Undo() override { return MoveBetween(toX, toY, fromX, fromY); }
    bool Redo() override { return MoveBetween(fromX, fromY, toX, toY); }
    std::string GetLogText() const override;

  private:
    bool MoveBetween(int sourceX, int sourceY, int destX, int destY);

    int area = 0;
    const int fromX, fromY, toX, toY;
};

// New attributes and text for the object on a tile.
class CConfigureObject : public IEdit {
  public:
    CConfigureObject(int tileX, int tileY, double v1, double v2, double v3, double v4,
                     const std::string& objectText, CStage* editedStage, CEditor* owningEditor)
        : IEdit(editedStage, owningEditor), x(tileX), y(tileY), newValues{std::string(), v1, v2, v3, v4,
                                                                          objectText} {}

    bool Execute() override;
    bool Undo() override { return Apply(oldValues); }
    bool Redo() override { return Apply(newValues); }
    std::string GetLogText() const override;

  private:
    CStageAreaObject* ObjectHere() const;
    // Sets the attributes and the text (the key is not used).
    bool Apply(const PlacedObjectValues& set);

    int area = 0;
    const int x, y;
    PlacedObjectValues newValues;
    PlacedObjectValues oldValues;
};
