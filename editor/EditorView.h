#pragma once
// What the editor's model asks of the screen that shows it: the controls that follow the
// stage and the tool, the two scroll bars that hold the view position, the area tabs, alerts and
// sounds. The editor screen implements it; a model without a screen uses none (every call then
// does nothing and the scroll position reads 0).
#include <string>

class IEditorView {
  public:
    virtual ~IEditorView() = default;

    // A stage was installed, or the editor was left without one (CEditor::GetStage tells which).
    // With a stage every control that works on it is enabled, the map tools only while no object
    // tool is active; without one only new, open, information and close stay enabled.
    virtual void OnStageInstalled() = 0;
    // The tool changed (CEditor::GetTool): the tool buttons and the enabled controls follow it.
    virtual void OnToolChanged() = 0;

    // The scroll bars hold the tile column and row shown at the view's centre. New ranges keep
    // the values inside them; a value set outside its range is held at the range's end.
    virtual void SetScrollRanges(int minX, int maxX, int minY, int maxY) = 0;
    virtual void SetScrollPosition(int x, int y) = 0;
    virtual int GetScrollX() const = 0;
    virtual int GetScrollY() const = 0;

    // The area tabs: tabs 0 .. count - 1 enabled, the others disabled, tab `current` selected.
    // Showing the selection never switches the area again.
    virtual void ShowAreaTabs(int count, int current) = 0;

    // An alert window with the text, opened as soon as no other window is open.
    virtual void ShowAlert(const std::string& text) = 0;
    // A sound effect slot (SoundId).
    virtual void PlaySound(int slot) = 0;
};
