// CEditorScreen: the frame update and the tools in hand. Every change of the stage a tool makes
// is an edit command pushed to the model, but for the live preview of a pencil stroke and of an
// object drag, which the command records and which is pushed when the button is let go.
#include <algorithm>
#include <cstdio>
#include <numbers>

#include "controls/ControlPort.h"
#include "controls/ScrollBars.h"
#include "editor/EditorScreen.h"
#include "editor/MapEdits.h"
#include "editor/ObjectEdits.h"
#include "editor_windows/AreaSelectTabList.h"
#include "editor_windows/ChangeDoorMovePointWindow.h"
#include "editor_windows/EditerRootForm.h"
#include "editor_windows/EditorToolButtons.h"
#include "editor_windows/PopUpHelp.h"
#include "editor_windows/StageConfigWindow.h"
#include "editor_windows/ZoomControl.h"
#include "engine/Camera.h"
#include "engine/Mouse.h"
#include "engine/Music.h"
#include "engine/SoundIds.h"
#include "foundation/Geometry.h"
#include "stage/AreaObjectKinds_Blocks.h"
#include "stage/AreaObjectKinds_Events.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageCatalogues.h"
#include "stage/StageChips.h"
#include "stage/StageMap.h"

using namespace Controls;

CEditorScreen::FrameInput CEditorScreen::ReadInput() {
    FrameInput in;
    in.mouse = Port().Mouse();
    in.keys = keySource_ ? keySource_() : EditorKeys::FromInput();
    in.tx = editor_->ScreenToTileX(in.mouse.x, in.mouse.y);
    in.ty = editor_->ScreenToTileY(in.mouse.x, in.mouse.y);
    in.prevMouseX = prevMouseX_;
    in.prevMouseY = prevMouseY_;
    in.prevTx = editor_->ScreenToTileX(prevMouseX_, prevMouseY_);
    in.prevTy = editor_->ScreenToTileY(prevMouseX_, prevMouseY_);
    in.onMap = editor_->IsScreenPointOnMap(in.mouse.x, in.mouse.y);
    return in;
}

void CEditorScreen::Update() {
    focusedThisFrame_ = false;
    CMouse* cursor = CMouse::GetInstance();
    cursor->SetCursorKind(kCursorArrow);
    cursor->ClearCarriedImage();
    cursor->ShowBadge1(false);
    cursor->ShowBadge2(false);
    OpenPendingWindow();
    root_->Update();
    UpdateToolButtons();
    if (GetStage()) editor_->RememberScrollPosition();
    ApplyZoom();
    editor_->ApplyScrollBarsToCamera();
    CCamera::GetInstance()->Update();
    const FrameInput in = ReadInput();
    prevMouseX_ = in.mouse.x;
    prevMouseY_ = in.mouse.y;
    OpenObjectMenu(in);
    UpdateObjectHelp(in);
    if (popUpHelp_) popUpHelp_->Advance();
    if (cursor->GetCursorKind() == kCursorArrow) UpdateMouseCursor(in);
    if (!GetStage() || !IsRootActive()) return;
    ToolStep(in);
    UpdateFooter(in);
}

void CEditorScreen::OpenPendingWindow() {
    if (pending_ && IsRootActive()) root_->SetModalForm(std::move(pending_));
}

bool CEditorScreen::IsRootActive() const { return root_->GetState() == kStateActive; }

// The dial's angle, -pi/2 .. pi, zooms from 0.75 to 2.25 times the camera's base scale.
void CEditorScreen::ApplyZoom() {
    const auto* zoom = GetControlAs<CZoomControl>("ZoomControl");
    if (!zoom) return;
    const double a = zoom->angle;
    const float factor = float((a + std::numbers::pi * 0.5) / (std::numbers::pi * 1.5) * 1.5 + 0.75);
    CCamera* camera = CCamera::GetInstance();
    camera->SetZoomRate(camera->GetBaseScale() * factor, -1.0f);
}

void CEditorScreen::UpdateToolButtons() {
    editor_->RefreshAreaTabs();
    editor_->UpdateScrollBars();
    if (editor_->IsLockedTool()) return;
    if (auto* mode = GetControlAs<CToggleButtonBase>("editModeButton")) {
        if (editor_->IsObjectTool()) {
            mode->TurnOn();
        } else {
            mode->TurnOff();
        }
    }
    SetEnabled("UndoButton", editor_->CanUndo());
    SetEnabled("RedoButton", editor_->CanRedo());
    UpdateEraserButtons();
}

// An eraser that is on cannot be clicked off: it goes off with the chip or the tool.
void CEditorScreen::UpdateEraserButtons() {
    auto* mapEraser = GetControlAs<CToggleButtonBase>("MapEraserButton");
    auto* objectEraser = GetControlAs<CToggleButtonBase>("ObjectEraserButton");
    for (CToggleButtonBase* b : {mapEraser, objectEraser}) {
        if (!b) continue;
        if (b->IsDown()) {
            b->DisableClickToggle();
        } else {
            b->EnableClickToggle();
        }
    }
    if (mapEraser) {
        const bool erasing = editor_->GetCurrentChip() == 0 && !editor_->IsObjectTool();
        if (!mapEraser->IsDown() && erasing) {
            mapEraser->TurnOn();
        } else if (mapEraser->IsDown() && !erasing) {
            mapEraser->TurnOff();
        }
    }
    if (objectEraser && objectEraser->IsDown() && editor_->GetTool() != EditorTool_ObjectEraser)
        objectEraser->TurnOff();
}

void CEditorScreen::UpdateMouseCursor(const FrameInput& in) {
    CMouse* cursor = CMouse::GetInstance();
    const bool live = IsRootActive() && in.onMap;
    const EditorTool tool = editor_->GetTool();
    CursorKind kind = kCursorArrow;
    if (live) {
        const bool onObject = ObjectAt(in.tx, in.ty) != nullptr;
        switch (tool) {
            case EditorTool_Pencil:
            case EditorTool_PencilStroke:
                kind = kCursorPencil;
                break;
            case EditorTool_Rectangle:
            case EditorTool_RectangleDrag:
                kind = kCursorRectangle;
                break;
            case EditorTool_Fill:
                kind = kCursorFill;
                break;
            case EditorTool_ObjectPlace:
                kind = onObject ? kCursorGrab : kCursorPlace;
                break;
            case EditorTool_ObjectDrag:
                kind = kCursorDrag;
                break;
            case EditorTool_ObjectEraser:
                kind = kCursorErase;
                break;
            default:
                break;
        }
        const bool mapTool = tool <= EditorTool_Fill;
        if (mapTool && editor_->GetCurrentChip() != 0) {
            cursor->SetCarriedImage(chipImage_.group, chipImage_.key, chipImage_.left, chipImage_.top,
                                    chipImage_.right, chipImage_.bottom);
        } else if (tool == EditorTool_ObjectPlace && !onObject) {
            cursor->SetCarriedImage(objectImage_.group, objectImage_.key, objectImage_.left, objectImage_.top,
                                    objectImage_.right, objectImage_.bottom);
        }
        cursor->ShowBadge1(mapTool && editor_->GetCurrentChip() == 0);
    }
    cursor->SetCursorKind(kind);
    cursor->ShowBadge2(false);
}

// The chip's picture for the cursor: its group's first variant in the chip sheets.
void CEditorScreen::UpdateChipImage() {
    const int g = GetChipGroupBase(editor_->GetCurrentChip());
    static const char* const kSheets[] = {"ChipSet001", "ChipSet002", "ChipSet003", "ChipSet004"};
    const int c = g % 64;
    chipImage_.group = "Map";
    chipImage_.key = kSheets[g / 64];
    chipImage_.left = (c % 8) * 32;
    chipImage_.top = (c / 8) * 32;
    chipImage_.right = chipImage_.left + 32;
    chipImage_.bottom = chipImage_.top + 32;
}

void CEditorScreen::UpdateFooter(const FrameInput& in) {
    if (!in.onMap) return;
    char text[32];
    std::snprintf(text, sizeof text, "(%03d,%03d)", in.tx, CStageMap::ShownRow(CurrentAreaHeight(), in.ty));
    if (footerText_ == text) return;
    footerText_ = text;
    if (auto* footer = GetControlAs<CTextLabel>("FooterLabel")) footer->SetText(footerText_);
}

void CEditorScreen::ToolStep(const FrameInput& in) {
    switch (editor_->GetTool()) {
        case EditorTool_Pencil:
            return StepPencil(in);
        case EditorTool_PencilStroke:
            return StepStroke(in);
        case EditorTool_Rectangle:
            return StepRectangle(in);
        case EditorTool_RectangleDrag:
            return StepRectangleDrag(in);
        case EditorTool_Fill:
            return StepFill(in);
        case EditorTool_ObjectPlace:
            return StepObjectPlace(in);
        case EditorTool_ObjectDrag:
            return StepObjectDrag(in);
        case EditorTool_ObjectEraser:
            return StepObjectEraser(in);
        case EditorTool_PickStart:
            return StepPickStart(in);
        case EditorTool_PickDoor:
            return StepPickDoor(in);
        default:
            return;
    }
}

void CEditorScreen::PickChip(const FrameInput& in) {
    const CStageArea* area = GetStage()->GetCurrentArea();
    editor_->SetCurrentChip(area ? area->GetChip(in.tx, in.ty) : 0);
    UpdateChipImage();
    PlaySound(SoundId::kCancel);
}

void CEditorScreen::StepPencil(const FrameInput& in) {
    if (in.mouse.leftPressed && in.onMap) {
        stroke_ = std::make_unique<CDrawSequence>(GetStage(), editor_.get());
        stroke_->AddPoint(in.tx, in.ty, editor_->GetCurrentChip());
        strokeLastX_ = in.tx;
        strokeLastY_ = in.ty;
        editor_->SetTool(EditorTool_PencilStroke);
        PlaySound(SoundId::kOk2);
    } else if (in.mouse.rightPressed && in.onMap) {
        PickChip(in);
    } else if (!in.mouse.leftPressed && !in.mouse.rightPressed) {
        editor_->HandleUndoRedoKeys(in.keys);
    }
}

void CEditorScreen::StepStroke(const FrameInput& in) {
    if (!in.mouse.leftPressed && !in.mouse.leftHeld) {
        editor_->DoCommand(std::move(stroke_));
        strokeLastX_ = strokeLastY_ = -1;
        editor_->SetTool(EditorTool_Pencil);
        return;
    }
    if (in.tx == strokeLastX_ && in.ty == strokeLastY_) return;
    for (const GridPoint& cell : GetLineCells(strokeLastX_, strokeLastY_, in.tx, in.ty)) {
        if (editor_->IsTileInArea(cell.x, cell.y) && in.onMap)
            stroke_->AddPoint(cell.x, cell.y, editor_->GetCurrentChip());
    }
    strokeLastX_ = in.tx;
    strokeLastY_ = in.ty;
    PlaySound(SoundId::kOk4);
}

void CEditorScreen::StepRectangle(const FrameInput& in) {
    if (in.mouse.leftPressed && in.onMap) {
        rectFirstX_ = in.tx;
        rectFirstY_ = in.ty;
        editor_->SetTool(EditorTool_RectangleDrag);
        PlaySound(SoundId::kOk4);
    } else if (in.mouse.rightPressed && in.onMap) {
        PickChip(in);
    } else if (!in.mouse.leftPressed && !in.mouse.rightPressed) {
        editor_->HandleUndoRedoKeys(in.keys);
    }
}

namespace {
bool InView(int x, int y) {
    return x >= CEditor::kViewLeft && x <= CEditor::kViewRight && y >= CEditor::kViewTop &&
           y <= CEditor::kViewBottom;
}
}  // namespace

void CEditorScreen::StepRectangleDrag(const FrameInput& in) {
    if (in.mouse.leftPressed && InView(in.mouse.x, in.mouse.y)) {
        const int x2 = std::min(std::max(in.tx, 0), CurrentAreaWidth() - 1);
        const int y2 = std::min(std::max(in.ty, 0), CurrentAreaHeight() - 1);
        editor_->DoCommand(std::make_unique<CRectangleFill>(GetStage(), editor_.get(), rectFirstX_,
                                                            rectFirstY_, x2, y2, editor_->GetCurrentChip()));
        editor_->SetTool(EditorTool_Rectangle);
        PlaySound(SoundId::kOk2);
    } else if (in.mouse.rightPressed) {
        editor_->SetTool(EditorTool_Rectangle);
        PlaySound(SoundId::kCancel);
    }
}

void CEditorScreen::StepFill(const FrameInput& in) {
    if (in.mouse.leftPressed && in.onMap) {
        editor_->DoCommand(
            std::make_unique<CFill>(in.tx, in.ty, editor_->GetCurrentChip(), GetStage(), editor_.get()));
        PlaySound(SoundId::kOk2);
    } else if (in.mouse.rightPressed && in.onMap) {
        PickChip(in);
    } else if (!in.mouse.leftPressed && !in.mouse.rightPressed) {
        editor_->HandleUndoRedoKeys(in.keys);
    }
}

void CEditorScreen::StepObjectPlace(const FrameInput& in) {
    if (in.mouse.leftPressed) {
        if (in.onMap) PlaceObject(in.tx, in.ty);
        return;
    }
    if (in.onMap) editor_->HandleObjectClipboardKeys(in.tx, in.ty, in.keys);
    editor_->HandleUndoRedoKeys(in.keys);
}

// A push on an object starts dragging it; on an empty tile it places the current kind with the
// settings a new object of that kind starts with.
void CEditorScreen::PlaceObject(int tx, int ty) {
    CStageAreaObjectTable* table = CurrentObjects();
    if (!table) return;
    if (table->GetAt(tx, ty)) {
        dragFromX_ = dragToX_ = tx;
        dragFromY_ = dragToY_ = ty;
        editor_->SetTool(EditorTool_ObjectDrag);
        PlaySound(SoundId::kOk4);
        return;
    }
    if (table->GetCount() >= CEditor::kMaxObjectsPerArea) {
        ShowAlert(CEditor::kTooManyObjectsText);
        return;
    }
    PlaySound(SoundId::kOk2);
    CStage* stage = GetStage();
    const std::string& key = editor_->GetCurrentObjectKey();
    std::unique_ptr<CSetObject> command;
    const double here = stage->GetAreaAbsoluteNum(CurrentAreaIndex());
    if (IsDoorKey(key) && (key == "Warp001" || key == "InvisibleWarp001")) {
        // A warp starts out leading one tile to its left (to its right in the first column).
        command = std::make_unique<CSetObject>(tx, ty, key, here, tx == 0 ? 1 : tx - 1, ty, 0, "", stage,
                                               editor_.get());
    } else if (IsDoorKey(key)) {
        command = std::make_unique<CSetObject>(tx, ty, key, here, tx, ty, 0, "", stage, editor_.get());
    } else if (IsChangeMusicKey(key)) {
        command = std::make_unique<CSetObject>(tx, ty, key, 0, 0, 0, 0,
                                               MusicKey(stage->GetCurrentAreaMusic()), stage, editor_.get());
    } else if (IsChangeWeatherKey(key)) {
        command = std::make_unique<CSetObject>(
            tx, ty, key, 0, 0, 0, 0, WeatherKey(stage->GetCurrentAreaWeather()), stage, editor_.get());
    } else if (IsWoodBlock002Key(key)) {
        command = std::make_unique<CSetObject>(tx, ty, key, 0, 0, 0, 0, "Pokikki001", stage, editor_.get());
    } else {
        command = std::make_unique<CSetObject>(tx, ty, key, stage, editor_.get());
    }
    editor_->DoCommand(std::move(command));
}

void CEditorScreen::StepObjectDrag(const FrameInput& in) {
    const int mx = std::min(std::max(in.mouse.x, kViewLeft), kViewRight);
    const int my = std::min(std::max(in.mouse.y, kViewTop), kViewBottom);
    const int tx = std::min(std::max(editor_->ScreenToTileX(mx, my), 0), CurrentAreaWidth() - 1);
    const int ty = std::min(std::max(editor_->ScreenToTileY(mx, my), 0), CurrentAreaHeight() - 1);
    if (!in.mouse.leftPressed && !in.mouse.leftHeld) {
        if (dragFromX_ != dragToX_ || dragFromY_ != dragToY_) {
            editor_->DoCommand(std::make_unique<CMoveObject>(dragFromX_, dragFromY_, dragToX_, dragToY_,
                                                             GetStage(), editor_.get()));
        }
        editor_->SetTool(EditorTool_ObjectPlace);
        PlaySound(SoundId::kOk2);
        return;
    }
    CStageAreaObjectTable* table = CurrentObjects();
    // An occupied tile stops the object at its last free one.
    if ((tx != dragToX_ || ty != dragToY_) && table && !table->GetAt(tx, ty)) {
        if (table->Move(dragToX_, dragToY_, tx, ty)) {
            dragToX_ = tx;
            dragToY_ = ty;
        }
    }
}

void CEditorScreen::StepObjectEraser(const FrameInput& in) {
    if (in.mouse.leftPressed) {
        if (in.onMap && ObjectAt(in.tx, in.ty)) {
            editor_->DoCommand(std::make_unique<CDeleteObject>(in.tx, in.ty, GetStage(), editor_.get()));
            PlaySound(SoundId::kOk2);
        }
        return;
    }
    editor_->HandleUndoRedoKeys(in.keys);
}

void CEditorScreen::StepPickStart(const FrameInput& in) {
    if (in.mouse.leftPressed && in.onMap) {
        ReopenStageSettings(CurrentAreaIndex(), in.tx, in.ty);
        PlaySound(SoundId::kOk1);
    } else if (in.mouse.rightPressed) {
        ReopenStageSettings(startPick_.area, startPick_.x, startPick_.y);
        PlaySound(SoundId::kCancel);
    }
}

void CEditorScreen::StepPickDoor(const FrameInput& in) {
    if (in.mouse.leftPressed && in.onMap) {
        doorPick_.targetArea = CurrentAreaIndex();
        doorPick_.targetX = in.tx;
        doorPick_.targetY = in.ty;
        ReopenDoorDialog();
        PlaySound(SoundId::kOk1);
    } else if (in.mouse.rightPressed) {
        ReopenDoorDialog();
        PlaySound(SoundId::kCancel);
    }
}

// The settings window again, with the start point just picked (or the one it had).
void CEditorScreen::ReopenStageSettings(int area, int x, int y) {
    const StartPick& p = startPick_;
    auto window = std::make_unique<CStageConfigWindow>(80, 20, GetStage()->GetAreaHeight(area), p.name, area,
                                                       x, y, p.music, p.backGround, p.weather);
    if (auto* tabs = GetControlAs<CAreaSelectTabList>("AreaSelectTabList")) tabs->SelectTab(p.returnArea);
    editor_->SetTool(p.returnTool);
    OpenWindow(std::move(window), EditorWindowKind::kStageSettings);
}

void CEditorScreen::ReopenDoorDialog() {
    const DoorPick& d = doorPick_;
    const CStage* stage = GetStage();
    auto window = std::make_unique<CChangeDoorMovePointWindow>(
        160, 160, d.area, stage->GetAreaHeight(d.area), d.x, d.y, d.targetArea,
        stage->IsValidAreaIndex(d.targetArea) ? stage->GetAreaHeight(d.targetArea) : 0, d.targetX, d.targetY);
    if (auto* tabs = GetControlAs<CAreaSelectTabList>("AreaSelectTabList")) tabs->SelectTab(d.area);
    editor_->SetTool(d.returnTool);
    OpenWindow(std::move(window), EditorWindowKind::kDoor);
}
