#pragma once
// The area commands (add an area, delete one) and the start-point change. A stage keeps up to
// 10 areas in slots filled from slot 0 without gaps; adding or deleting one moves the current
// area, the start point and the editor's remembered views along with the slots.
#include <string>

#include "editor/Edit.h"

// Adds an area built from its XML text at the end.
class CAddArea : public IEdit {
  public:
    // `areaXml` is an area's element text (as CStage::WriteAreaXml writes it).
    CAddArea(CStage* editedStage, CEditor* owningEditor, const std::string& areaXml);

    bool Execute() override { return Add(); }
    bool Undo() override;
    bool Redo() override { return Add(); }
    std::string GetLogText() const override;

  private:
    bool Add();

    std::string areaText;
};

// Deletes area `index`, keeping its text so that undo can put it back.
class CDeleteArea : public IEdit {
  public:
    CDeleteArea(CStage* editedStage, CEditor* owningEditor, int areaIndex);

    bool Execute() override;
    bool Undo() override;
    bool Redo() override { return Execute(); }
    std::string GetLogText() const override;

  private:
    // Empty when the index named no area when the command was made.
    std::string areaText;
    const int index;
    // The start point lay in the deleted area.
    bool hadStart = false;
    int startX = 0;
    int startY = 0;
};

class CChangeStartPoint : public IEdit {
  public:
    CChangeStartPoint(CStage* editedStage, CEditor* owningEditor, int area, int x, int y);

    bool Execute() override { return Apply(newArea, newX, newY); }
    bool Undo() override { return ApplyAndShow(oldArea, oldX, oldY); }
    bool Redo() override { return ApplyAndShow(newArea, newX, newY); }
    std::string GetLogText() const override;

  private:
    // Sets the start point; false unless the area exists and the cell lies on its map.
    bool Apply(int area, int x, int y);
    bool ApplyAndShow(int area, int x, int y);

    int oldArea = 0, oldX = 0, oldY = 0;
    const int newArea, newX, newY;
};
