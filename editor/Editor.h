#pragma once
// The stage editor's model: the edited stage, the undo ring of edit commands, the copied object,
// the tool, and what ties the edited area to the screen (tile and screen coordinates through the
// camera, the view position remembered per area, the area tabs), plus installing, opening,
// checking and saving stages. The screen on top of it (IEditorView) shows it and feeds it input.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editor/Edit.h"
#include "editor/ObjectClipboard.h"
#include "editor/RingStack.h"

class CStage;
class CStageAreaObjectTable;
class IEditorView;
class IScene;

// The editor's tools; the values are the tool numbers.
enum EditorTool : int {
    EditorTool_Pencil = 0,
    EditorTool_PencilStroke = 1,  // a pencil stroke in progress
    EditorTool_Rectangle = 2,
    EditorTool_RectangleDrag = 3,  // the first corner chosen
    EditorTool_Fill = 4,
    EditorTool_ObjectPlace = 5,
    EditorTool_ObjectDrag = 6,
    EditorTool_ObjectEraser = 7,
    EditorTool_PickStart = 8,  // picking the start point for the stage settings
    EditorTool_PickDoor = 9,   // picking a door's destination
    EditorTool_Locked = 10,
};

// The editor's modes; the values are the mode numbers.
enum class EditorMode {
    kPlayer = 0,  // the player's own stages
    kSingle = 1,  // the single edit mode of the scenario stages
};

// The keys of one frame that the editor reacts to (pressed in this frame, modifiers held).
struct EditorKeys {
    bool control = false;
    bool shift = false;
    bool z = false;
    bool c = false;
    bool x = false;
    bool v = false;

    // This frame's keys from the input manager.
    static EditorKeys FromInput();
};

// What a successful save reports, for the saved-notice window.
struct StageSavedNotice {
    std::string message;
    std::string stageName;
    std::string fileName;
};

class CEditor {
  public:
    static constexpr int kUndoCapacity = 64;
    static constexpr int kMaxObjectsPerArea = 255;
    static constexpr int kTileSize = 32;
    static constexpr const char* kTooManyObjectsText = "オブジェクトが多すぎです！\n(255個まで)";

    // `owner` is the scene stages are read for; EditorMode::kSingle is the single edit mode (the
    // scenario stages). The view (not owned) may be null or set later. Zooms the camera to 1.25
    // of its base rate, centred on (320, 240).
    CEditor(IScene* ownerScene, EditorMode mode, IEditorView* screen = nullptr);
    // Puts the camera's zoom back.
    ~CEditor();
    CEditor(const CEditor&) = delete;
    CEditor& operator=(const CEditor&) = delete;

    void SetView(IEditorView* screen) { view = screen; }

    // ---- State --------------------------------------------------------------------------
    CStage* GetStage() const { return stage.get(); }
    EditorMode GetEditMode() const { return editMode; }
    EditorTool GetTool() const { return tool; }
    EditorTool GetLastMapTool() const { return lastMapTool; }
    EditorTool GetLastObjectTool() const { return lastObjectTool; }
    uint8_t GetCurrentChip() const { return currentChip; }
    void SetCurrentChip(uint8_t chip) { currentChip = chip; }
    const std::string& GetCurrentObjectKey() const { return currentObjectKey; }
    void SetCurrentObjectKey(const std::string& key) { currentObjectKey = key; }
    const std::string& GetCurrentFileName() const { return currentFileName; }
    bool IsModified() const { return modified; }
    void SetModified() { modified = true; }
    int GetSavedScrollX(int area) const;
    int GetSavedScrollY(int area) const;

    // ---- Commands and the undo ring -----------------------------------------------------
    // Executes the command and keeps it for undo; the stage is then modified. A command that
    // cannot be executed is deleted at once, leaves the ring and the modified flag as they were,
    // and gives false.
    bool DoCommand(std::unique_ptr<IEdit> command);
    // Steps the ring back or forward; a step taken changes the stage, which is then modified.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return undoRing.CanUndo(); }
    bool CanRedo() const { return undoRing.CanRedo(); }
    // Ctrl+Z undoes, Ctrl+Shift+Z redoes, each with sound 0 when there is something to do.
    void HandleUndoRedoKeys(const EditorKeys& keys);

    // ---- The copied object --------------------------------------------------------------
    const ObjectClipboard& GetClipboard() const { return clipboard; }
    // Copies the object on the tile of the current area; false when there is none.
    bool CopyObjectAt(int x, int y);
    // Copies the object on the tile, then deletes it as a command; false when there is none.
    bool CutObjectAt(int x, int y);
    // Places a copy of the copied object on the empty tile as a command. An area holding 255
    // objects gets the alert "オブジェクトが多すぎです！\n(255個まで)" instead; false when nothing
    // was placed.
    bool PasteObjectAt(int x, int y);
    // Ctrl+C, Ctrl+V and Ctrl+X on the tile under the mouse (the first that applies).
    void HandleObjectClipboardKeys(int x, int y, const EditorKeys& keys);

    // ---- Stages and files ---------------------------------------------------------------
    // Installs a stage (null leaves the editor without one): nothing to undo, nothing copied,
    // not modified; the start area shown at the start point.
    void SetStage(std::unique_ptr<CStage> newStage);
    // Builds a stage from its text and installs it as a new, never saved stage. A text that
    // cannot be read keeps the edited stage and shows the error's coded alert; false then.
    bool InstallNewStage(const std::string& stageXml);
    // Writes the stage under "stage\original\" (single edit mode: "stage\scenario\") + name,
    // replacing a file of that name whole. Throws CStageDataException SDE0009 without a stage or
    // when it cannot be written (the old file then stays as it was).
    StageSavedNotice SaveStage(const std::string& fileName, bool overwrite);
    // Saves as a new file named by the local date and time, "yyyymmddhhmmss.stg"; a name already
    // taken is passed over by counting the time on a second at a time.
    StageSavedNotice SaveUnderNewFileName();
    // Renames the stage, then saves it as a new file.
    StageSavedNotice SaveAsNew(const std::string& stageName);
    StageSavedNotice SaveToCurrentFile();
    // Reads a stage file whole and installs it without its stage id. Throws CStageDataException
    // SDE0007 (cannot be read), SDE0006 (not a stage) or the reader's own errors, keeping the
    // edited stage. With keepFileName the file is the one later saves overwrite.
    void OpenStage(const std::string& path, bool keepFileName);
    // The problems that keep the stage from being saved, tested, or posted; empty without a stage.
    std::vector<std::string> CheckStage() const;
    // Stamps the registered creator as the latest arranger (once) and, when there is none yet,
    // as the original author.
    void UpdateAuthors();
    // The window title: "Quorvald - " + stage name + " （エディットモード）", or "Quorvald".
    void UpdateTitle();
    std::string GetCaption() const;
    std::string GetStageName() const;

    // ---- Tools --------------------------------------------------------------------------
    // Remembers the last map and object tools when switching between the two kinds.
    void SetTool(EditorTool newTool);
    bool IsObjectTool() const;
    bool IsLockedTool() const;

    // ---- Area view: tiles, screen and scrolling -------------------------------------------
    // The screen rectangle of the edit view and the width of the area-tab strip left of it.
    static constexpr int kViewLeft = 30, kViewTop = 48, kViewRight = 540, kViewBottom = 448;
    static constexpr int kTabStripWidth = 22;
    bool IsTileInArea(int x, int y) const;
    bool IsScreenPointOnTile(int sx, int sy) const;
    // Inside the view (edges included) and on a tile of the current area.
    bool IsScreenPointOnMap(int sx, int sy) const;
    // The tile under a screen point (0 without a stage or area).
    int ScreenToTileX(int sx, int sy) const;
    int ScreenToTileY(int sx, int sy) const;
    static int GetViewCenterX() { return (kViewLeft + kViewRight) / 2; }
    static int GetViewCenterY() { return (kViewTop + kViewBottom) / 2; }
    // Moves the camera so the scroll bars' tile is at the view's centre.
    void ApplyScrollBarsToCamera();
    void CenterCameraOnTile(int tx, int ty);
    void SetScrollPosition(int x, int y);
    // The scroll ranges of the current area: columns 4 .. width - 5, rows 3 .. height - 4.
    void UpdateScrollBars();
    // Scrolls to the cell unless it is already well inside the view.
    void ScrollToCell(int x, int y);
    // The frame's scroll bar values become the current area's remembered view.
    void RememberScrollPosition();

    // ---- Areas ----------------------------------------------------------------------------
    // Shows area i (its tab selected, its remembered view restored).
    void SelectArea(int area);
    // The area tab pushed: switches to area i unless it is current or missing.
    void SwitchToArea(int area);
    // An area was put into slot `area`: the remembered views move up with the slots after it.
    void OnAreaAdded(int area, int width, int height);
    // The area of slot `area` was removed: the remembered views move down.
    void OnAreaRemoved(int area);
    void RefreshAreaTabs();

  private:
    IEditorView& View() const;
    CStageAreaObjectTable* CurrentObjects() const;
    // "stage\original\", or "stage\scenario\" in single edit mode.
    std::string StageFolder() const;

    IScene* owner = nullptr;
    IEditorView* view = nullptr;
    const EditorMode editMode;
    EditorTool tool = EditorTool_Pencil;
    EditorTool lastMapTool = EditorTool_Pencil;
    EditorTool lastObjectTool = EditorTool_ObjectPlace;
    uint8_t currentChip = 64;
    std::string currentObjectKey = "Kid001";
    int savedScrollX[10] = {};
    int savedScrollY[10] = {};
    std::unique_ptr<CStage> stage;
    RingStack undoRing{kUndoCapacity};
    ObjectClipboard clipboard;
    std::string currentFileName;
    bool modified = false;
};
