#pragma once
// The stage editor a player sees and uses with the mouse and keys: the editor's model (CEditor)
// shown through the root form with its tool bar, area tabs, scroll bars, zoom dial and footer;
// the tool in hand turning mouse work on the map into edit commands; the object menu and the
// help balloon; and every window the editor opens, whose answer it carries out when the window
// closes. The editor scene owns one, updates it once a frame and draws it in both passes.
//
// The buttons carry no logic: the screen listens to every control of its root form and tells
// them apart by the names it gave them (GetControl). At most one window is open at a time, as
// the root form's modal form; a window opened while another closes waits as the pending window.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/Dialogs.h"
#include "controls/DisplayParts.h"
#include "controls/Widget.h"
#include "editor/Editor.h"
#include "editor/EditorView.h"
#include "editor/StagePostService.h"
#include "editor_windows/EditorWindowHost.h"

class CDrawSequence;
class CPopUpHelp;
class CStageAreaObject;
class CStageAreaObjectTable;
class IEditorOwner;
class IScene;
namespace Controls {
class CEditerRootForm;
}

// The kinds of window the editor opens; each has a closed-event adapter of its own, and the
// adapter, not the window's class, tells which kind closed.
enum class EditorWindowKind {
    kCloseConfirm,
    kEndSequence,
    kNewStage,
    kOpen,
    kSave,
    kNewArea,
    kAreaCopy,
    kAreaDelete,
    kStageSettings,
    kTestPlay,
    kSend,
    kInformation,
    kObjectMenu,
    kDoor,
    kBattery,
    kSwitch,
    kObjectMusic,
    kObjectWeather,
    kZoomRate,
    kCustomLift,
    kObjectItem,
    kNaturalChips,
    kArtificialChips,
    kCharacters,
    kObjects,
    kTraps,
    kEvents,
    kItems,
    kCount
};

class CEditorScreen : public IEditorView,
                      public IEditorWindowHost,
                      public IStagePostListener,
                      public Controls::IPushedEventHandler,
                      public Controls::IPulledEventHandler,
                      public Controls::IFocusedEventHandler,
                      public Controls::IUnFocusedEventHandler {
  public:
    // The screen rectangle of the edit view, the tab strip left of it, and a 320 x 160 window
    // centred over both (x 114, y 168).
    static constexpr int kViewLeft = CEditor::kViewLeft, kViewTop = CEditor::kViewTop;
    static constexpr int kViewRight = CEditor::kViewRight, kViewBottom = CEditor::kViewBottom;
    static constexpr int kStrip = CEditor::kTabStripWidth;
    static int CentredWindowX(int width) {
        return kViewLeft + (kViewRight - kViewLeft + kStrip - width) / 2 - kStrip;
    }
    static int CentredWindowY(int height) { return kViewTop + (kViewBottom - kViewTop - height) / 2; }

    // `scene` is the scene stages are read for, `owner` hears the close and test-play requests
    // (either may be null).
    CEditorScreen(IScene* scene, IEditorOwner* owner, EditorMode editMode);
    ~CEditorScreen() override;
    CEditorScreen(const CEditorScreen&) = delete;
    CEditorScreen& operator=(const CEditorScreen&) = delete;

    // ---- The frame --------------------------------------------------------------------------
    void Update();
    // The 3-D pass: the current area's chips and placed objects.
    void Draw();
    // The 2-D pass: margins, start ring, the frame under the mouse, hints, the controls, the
    // balloon and the single-edit-mode banner.
    void DrawOverlay();

    CEditor& GetEditor() { return *editor_; }
    const CEditor& GetEditor() const { return *editor_; }
    CStage* GetStage() const { return editor_->GetStage(); }
    std::string GetCaption() const { return editor_->GetCaption(); }
    // Where the frame's keys come from (the input manager unless replaced; tests script them).
    void SetKeySource(std::function<EditorKeys()> source) { keySource_ = std::move(source); }

    // ---- The screen -------------------------------------------------------------------------
    Controls::CEditerRootForm* GetRootForm() const { return root_.get(); }
    // The control entered under the name; null for a name never entered (or forgotten). A lookup
    // never enters a name.
    Controls::GCBase* GetControl(const std::string& name) const {
        const auto it = controlsByName_.find(name);
        return it == controlsByName_.end() ? nullptr : it->second;
    }
    template <class T>
    T* GetControlAs(const std::string& name) const {
        return dynamic_cast<T*>(GetControl(name));
    }
    // The name no longer leads to its control (the control stays where it is).
    void ForgetControl(const std::string& name) { controlsByName_.erase(name); }
    CPopUpHelp* GetPopUpHelp() const { return popUpHelp_.get(); }
    Controls::GCForm* GetPendingWindow() const { return pending_.get(); }
    // The form now in front: the pending window, else the root form's modal form.
    Controls::GCForm* GetOpenWindow() const;
    // The tile and rectangle corner the tools keep.
    int GetRectFirstX() const { return rectFirstX_; }
    int GetRectFirstY() const { return rectFirstY_; }
    int GetDragToX() const { return dragToX_; }
    int GetDragToY() const { return dragToY_; }
    int GetMenuTileX() const { return menuTileX_; }
    int GetMenuTileY() const { return menuTileY_; }
    const Controls::ImageClip& GetChipImage() const { return chipImage_; }
    const Controls::ImageClip& GetObjectImage() const { return objectImage_; }

    // ---- Windows ----------------------------------------------------------------------------
    // Opens the window with the adapter of its kind (none for kCount): in front when no other
    // window is open, else as the pending window.
    template <class W>
    W* OpenWindow(std::unique_ptr<W> window, EditorWindowKind kind) {
        W* raw = window.get();
        OpenForm(std::move(window), kind);
        return raw;
    }
    void ShowMessage(const std::string& text);
    void ShowConfirm(const std::string& text, EditorWindowKind kind);
    void ShowHelp(const std::string& text, int x, int y);
    void HideHelp();
    // Adds an area read from its text as an undoable edit, after the last one (the new-area
    // factory's and the copy's answer). A text that cannot be read is logged and shown, and the
    // stage stays as it was.
    bool AddArea(const std::string& areaXml);
    // A window of this kind closed: its answer is carried out.
    void OnWindowClosed(EditorWindowKind kind, Controls::GCForm* sender);

    // ---- IEditorView ------------------------------------------------------------------------
    void OnStageInstalled() override;
    void OnToolChanged() override;
    void SetScrollRanges(int minX, int maxX, int minY, int maxY) override;
    void SetScrollPosition(int x, int y) override;
    int GetScrollX() const override;
    int GetScrollY() const override;
    void ShowAreaTabs(int count, int current) override;
    void ShowAlert(const std::string& text) override;
    void PlaySound(int slot) override;

    // ---- The controls' events -----------------------------------------------------------------
    void OnPushed(Controls::GCButton* sender) override;
    void OnPulled(Controls::GCButton* sender) override;
    void OnFocused(Controls::GCButton* sender) override;
    void OnUnFocused(Controls::GCButton* sender, int32_t flag) override;

    // ---- IEditorWindowHost ----------------------------------------------------------------------
    std::vector<std::string> CheckStage() override { return editor_->CheckStage(); }
    std::string GetStageName() override { return editor_->GetStageName(); }
    void OpenStage(const std::string& path, bool keepFileName) override {
        editor_->OpenStage(path, keepFileName);
    }
    std::unique_ptr<Controls::CStageSavedWindow> SaveUnderNewFileName() override;
    std::unique_ptr<Controls::CStageSavedWindow> SaveToCurrentFile() override;
    std::unique_ptr<Controls::CStageSavedWindow> SaveAsNew(const std::string& name) override;

    // ---- Posting ------------------------------------------------------------------------------
    void OnStagePosted(bool succeeded, const std::string& stageId) override;

  private:
    // The mouse cursor's kinds over the map; the values are the cursor numbers.
    enum CursorKind : int {
        kCursorArrow = 0,
        kCursorPencil = 1,
        kCursorRectangle = 2,
        kCursorFill = 3,
        kCursorPlace = 4,
        kCursorGrab = 5,
        kCursorDrag = 6,
        kCursorErase = 8
    };

    class ClosedAdapter : public Controls::IClosedEventHandler {
      public:
        ClosedAdapter() = default;
        ClosedAdapter(CEditorScreen* screen, EditorWindowKind kind) : screen_(screen), kind_(kind) {}
        void OnClosed(Controls::GCForm* sender) override { screen_->OnWindowClosed(kind_, sender); }

      private:
        CEditorScreen* screen_ = nullptr;
        EditorWindowKind kind_ = EditorWindowKind::kCount;
    };

    // The mouse and keys of one frame, with the tiles under the mouse now and a frame ago.
    struct FrameInput {
        Controls::MouseInput mouse;
        EditorKeys keys;
        int tx = 0, ty = 0;
        int prevMouseX = 0, prevMouseY = 0, prevTx = 0, prevTy = 0;
        bool onMap = false;
    };

    // Interface build.
    void BuildInterface();
    void BuildTopButtons();
    void BuildSideButtons();
    void BuildViewControls();
    template <class T>
    T* Name(const std::string& name, T* control) {
        controlsByName_[name] = control;
        return control;
    }
    void Subscribe(Controls::COriginalBaseButton* button, const std::string& help, bool pull);
    void SetEnabled(const std::string& name, bool enabled);
    void SetAreaPanelEnabled(bool enabled);
    void SetStageControlsEnabled(bool enabled);

    // Frame update.
    void OpenPendingWindow();
    void ApplyZoom();
    void UpdateToolButtons();
    void UpdateEraserButtons();
    void UpdateMouseCursor(const FrameInput& in);
    void UpdateChipImage();
    void UpdateFooter(const FrameInput& in);
    void ToolStep(const FrameInput& in);
    void StepPencil(const FrameInput& in);
    void StepStroke(const FrameInput& in);
    void StepRectangle(const FrameInput& in);
    void StepRectangleDrag(const FrameInput& in);
    void StepFill(const FrameInput& in);
    void StepObjectPlace(const FrameInput& in);
    void StepObjectDrag(const FrameInput& in);
    void StepObjectEraser(const FrameInput& in);
    void StepPickStart(const FrameInput& in);
    void StepPickDoor(const FrameInput& in);
    void PickChip(const FrameInput& in);
    void PlaceObject(int tx, int ty);
    void ReopenStageSettings(int area, int x, int y);
    void ReopenDoorDialog();

    // Object menu and balloon.
    void OpenObjectMenu(const FrameInput& in);
    void UpdateObjectHelp(const FrameInput& in);
    CStageAreaObject* ObjectAt(int x, int y) const;

    // Drawing.
    void DrawMargins();
    void DrawPointerFrame(const FrameInput& in);
    void DrawPickingHint();
    void DrawTileFrame(int x1, int y1, int x2, int y2, uint32_t outer, uint32_t inner);
    void DrawTileCircle(int x, int y, int radius, int width, uint32_t color);
    void DrawStartMarker();
    void DrawHoveredObjectExtent(const FrameInput& in);

    // Dispatch of the pushed control.
    void OnFileButton(const std::string& name);
    void OnToolButton(const std::string& name);
    void OnWindowButton(const std::string& name);
    void OnChipButton(const std::string& name);
    void OnAreaButton(const std::string& name);
    void OpenStageSettings();
    void OpenSendSequence();
    void OpenInformation();
    void OpenAreaCopy();

    // Window results.
    void OnPalletClosed(EditorWindowKind kind, Controls::GCForm* sender);
    void OnStageSettingsClosed(Controls::GCForm* sender);
    void OnObjectMenuClosed(Controls::GCForm* sender);
    void OnPropertyDialogClosed(EditorWindowKind kind, Controls::GCForm* sender);
    void OnDoorDialogClosed(Controls::GCForm* sender);
    void CopyCurrentArea();
    void StartPost(bool arrangementAllowed);
    void ConfigureObject(int x, int y, double a1, const std::string& text);

    void OpenForm(std::unique_ptr<Controls::GCForm> window, EditorWindowKind kind);
    FrameInput ReadInput();
    CStageAreaObjectTable* CurrentObjects() const;
    int CurrentAreaIndex() const;
    int CurrentAreaHeight() const;
    int CurrentAreaWidth() const;
    bool IsRootActive() const;
    std::unique_ptr<Controls::CStageSavedWindow> MakeSavedWindow(const StageSavedNotice& notice) const;

    IEditorOwner* owner_;
    std::unique_ptr<CEditor> editor_;
    std::unique_ptr<Controls::CEditerRootForm> root_;
    std::map<std::string, Controls::GCBase*> controlsByName_;
    std::array<ClosedAdapter, size_t(EditorWindowKind::kCount)> adapters_;
    std::unique_ptr<Controls::GCForm> pending_;
    std::unique_ptr<CPopUpHelp> popUpHelp_;
    std::function<EditorKeys()> keySource_;
    bool focusedThisFrame_ = false;
    bool pointerOverlayShown_ = true;
    bool showingTabs_ = false;  // the tabs follow the model; their pushes switch nothing
    bool postListening_ = false;
    int prevMouseX_ = 0, prevMouseY_ = 0;
    std::string footerText_;

    // Tool state.
    std::unique_ptr<CDrawSequence> stroke_;
    int strokeLastX_ = -1, strokeLastY_ = -1;
    int rectFirstX_ = 0, rectFirstY_ = 0;
    int dragFromX_ = 0, dragFromY_ = 0, dragToX_ = 0, dragToY_ = 0;
    int menuTileX_ = 0, menuTileY_ = 0;
    Controls::ImageClip chipImage_;
    Controls::ImageClip objectImage_{"System", "StageObjects001", 64, 0, 96, 32};

    // The stage settings kept while the start point is picked on the map.
    struct StartPick {
        std::string name;
        int area = 0, x = 0, y = 0, music = 0, backGround = 1, weather = 0;
        int returnArea = 0;
        EditorTool returnTool = EditorTool_Pencil;
    } startPick_;
    // The door whose destination is being chosen, and the destination.
    struct DoorPick {
        int area = 0, x = 0, y = 0;
        int targetArea = -1, targetX = 0, targetY = 0;
        EditorTool returnTool = EditorTool_Pencil;
    } doorPick_;
};
