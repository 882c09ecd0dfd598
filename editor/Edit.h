#pragma once
// An undoable change to the edited stage. The editor builds one, hands it to its undo ring
// (CEditor::DoCommand), which executes it once and keeps it; the ring later undoes and redoes it.
// Every failure is a false result with the stage left as it was at the failing check.
#include <cstdint>
#include <string>

class CEditor;
class CStage;

class IEdit {
  public:
    // Neither is owned. Without a stage every operation fails; without an editor the map, object
    // and start-point commands still work (they switch the stage's current area themselves).
    IEdit(CStage* editedStage, CEditor* owningEditor) : stage(editedStage), editor(owningEditor) {}
    virtual ~IEdit() = default;
    IEdit(const IEdit&) = delete;
    IEdit& operator=(const IEdit&) = delete;

    // Applies the change the first time (or, for changes made live while dragging, confirms it).
    virtual bool Execute() = 0;
    virtual bool Undo() = 0;
    virtual bool Redo() = 0;
    // One line describing the change.
    virtual std::string GetLogText() const = 0;

  protected:
    // The chip writer of the map commands: the chip auto-tiled into the current area, its eight
    // neighbours re-tiled.
    void PutChip(int x, int y, uint8_t chip);
    // Scrolls the editor's view so that the cell can be seen (nothing without an editor).
    void ScrollToTargetCell(int x, int y);
    // Makes the recorded area the current one, through the editor when there is one.
    void BringAreaToFront(int area);
    // A stage with at least one area.
    bool HasArea() const;
    // (x, y) lies in the map of the stage's current area.
    bool InBounds(int x, int y) const;
    int CurrentAreaIndex() const;

    CStage* const stage;
    CEditor* const editor;
};

// printf formatting into a std::string, for the log texts.
std::string FormatEditText(const char* format, ...) __attribute__((format(printf, 1, 2)));
