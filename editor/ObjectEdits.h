#pragma once
// The placed-object commands: set, delete, move and configure the object on a tile of the
// current area. Each needs the tile on the map of the area it works in.
#include <string>

#include "editor/Edit.h"

class CStageAreaObject;
class CStageAreaObjectTable;

// What the set and delete commands share: one object's kind, tile, attributes and text, and the
// two steps that put it on its tile and take it off again.
class CObjectPlacement : public IEdit {
  protected:
    CObjectPlacement(CStage* editedStage, CEditor* owningEditor, int tileX, int tileY, std::string kindKey,
                     double v1, double v2, double v3, double v4, std::string objectText)
        : IEdit(editedStage, owningEditor),
          x(tileX),
          y(tileY),
          key(std::move(kindKey)),
          a1(v1),
          a2(v2),
          a3(v3),
          a4(v4),
          text(std::move(objectText)) {}

    // The current area's table and the object on (x, y), or null.
    CStageAreaObjectTable* Table() const;
    CStageAreaObject* ObjectHere() const;
    // Brings the area to the front and puts the object on its tile; false when the tile is taken.
    bool PlaceAgain();
    // Brings the area to the front and takes the object off its tile; false when there is none.
    bool TakeOff();
    // The attribute part of the log texts: ", エリア:…, 座標：…, 属性値：…, 文字列：" + text.
    std::string LogTail() const;

    int area = 0;
    const int x, y;
    std::string key;
    double a1, a2, a3, a4;
    std::string text;
};

class CSetObject : public CObjectPlacement {
  public:
    CSetObject(int tileX, int tileY, const std::string& kindKey, CStage* editedStage, CEditor* owningEditor)
        : CObjectPlacement(editedStage, owningEditor, tileX, tileY, kindKey, 0, 0, 0, 0, std::string()) {}
    CSetObject(int tileX, int tileY, const std::string& kindKey, double v1, double v2, double v3, double v4,
               const std::string& objectText, CStage* editedStage, CEditor* owningEditor)
        : CObjectPlacement(editedStage, owningEditor, tileX, tileY, kindKey, v1, v2, v3, v4, objectText) {}

    bool Execute() override;
    bool Undo() override { return TakeOff(); }
    bool Redo() override { return PlaceAgain(); }
    std::string GetLogText() const override;
};

class CDeleteObject : public CObjectPlacement {
  public:
    // The kind, attributes and text are taken from the object when it is deleted.
    CDeleteObject(int tileX, int tileY, CStage* editedStage, CEditor* owningEditor)
        : CObjectPlacement(editedStage, owningEditor, tileX, tileY, std::string(), 0, 0, 0, 0,
                           std::string()) {}

    bool Execute() override;
    bool Undo() override { return PlaceAgain(); }
    bool Redo() override { return TakeOff(); }
    std::string GetLogText() const override;
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
        : IEdit(editedStage, owningEditor), x(tileX), y(tileY), newValues{v1, v2, v3, v4, objectText} {}

    bool Execute() override;
    bool Undo() override { return Apply(oldValues); }
    bool Redo() override { return Apply(newValues); }
    std::string GetLogText() const override;

  private:
    struct Values {
        double a1 = 0, a2 = 0, a3 = 0, a4 = 0;
        std::string text;
    };
    CStageAreaObject* ObjectHere() const;
    bool Apply(const Values& values);

    int area = 0;
    const int x, y;
    Values newValues;
    Values oldValues;
};
