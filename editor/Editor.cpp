#include "editor/Editor.h"

#include "editor/EditorView.h"
#include "editor/ObjectEdits.h"
#include "engine/Camera.h"
#include "engine/InputManager.h"
#include "engine/SoundIds.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"

namespace {

// The view of a model without a screen.
class CNoEditorView : public IEditorView {
  public:
    void OnStageInstalled() override {}
    void OnToolChanged() override {}
    void SetScrollRanges(int, int, int, int) override {}
    void SetScrollPosition(int, int) override {}
    int GetScrollX() const override { return 0; }
    int GetScrollY() const override { return 0; }
    void ShowAreaTabs(int, int) override {}
    void ShowAlert(const std::string&) override {}
    void PlaySound(int) override {}
};

bool IsObjectToolNumber(EditorTool tool) {
    return tool >= EditorTool_ObjectPlace && tool <= EditorTool_ObjectEraser;
}
bool IsLockedToolNumber(EditorTool tool) { return tool >= EditorTool_PickStart && tool <= EditorTool_Locked; }

}  // namespace

EditorKeys EditorKeys::FromInput() {
    const CInputManager* input = CInputManager::GetInstance();
    EditorKeys keys;
    keys.control = input->IsControlDown();
    keys.shift = input->IsShiftDown();
    keys.z = input->IsLetterPushed('Z');
    keys.c = input->IsLetterPushed('C');
    keys.x = input->IsLetterPushed('X');
    keys.v = input->IsLetterPushed('V');
    return keys;
}

CEditor::CEditor(IScene* ownerScene, EditorMode mode, IEditorView* screen)
    : owner(ownerScene), view(screen), editMode(mode) {
    CCamera* camera = CCamera::GetInstance();
    camera->SetZoomRate(1.25f * camera->GetBaseScale(), -1.0f);
    camera->SetTarget(320.0f, 240.0f, -1.0f);
}

CEditor::~CEditor() { CCamera::GetInstance()->ResetZoomRate(-1.0f); }

IEditorView& CEditor::View() const {
    static CNoEditorView none;
    return view ? *view : none;
}

int CEditor::GetSavedScrollX(int area) const { return area >= 0 && area < 10 ? savedScrollX[area] : 0; }
int CEditor::GetSavedScrollY(int area) const { return area >= 0 && area < 10 ? savedScrollY[area] : 0; }

// ---- Commands and the undo ring -------------------------------------------------------------

bool CEditor::DoCommand(std::unique_ptr<IEdit> command) {
    if (!command || !command->Execute()) return false;
    undoRing.Push(std::move(command));
    modified = true;
    return true;
}

bool CEditor::Undo() {
    IEdit* command = undoRing.StepBack();
    if (!command) return false;
    modified = true;
    return command->Undo();
}

bool CEditor::Redo() {
    IEdit* command = undoRing.StepForward();
    if (!command) return false;
    modified = true;
    return command->Redo();
}

void CEditor::HandleUndoRedoKeys(const EditorKeys& keys) {
    if (!keys.control || !keys.z) return;
    if (keys.shift ? !CanRedo() : !CanUndo()) return;
    if (keys.shift) {
        Redo();
    } else {
        Undo();
    }
    View().PlaySound(SoundId::kOk1);
}

// ---- The copied object ----------------------------------------------------------------------

CStageAreaObjectTable* CEditor::CurrentObjects() const {
    return stage ? stage->GetCurrentAreaObjects() : nullptr;
}

bool CEditor::CopyObjectAt(int x, int y) {
    CStageAreaObjectTable* table = CurrentObjects();
    const CStageAreaObject* object = table ? table->GetAt(x, y) : nullptr;
    if (!object) return false;
    clipboard.CopyFrom(object);
    return true;
}

bool CEditor::CutObjectAt(int x, int y) {
    return CopyObjectAt(x, y) && DoCommand(std::make_unique<CDeleteObject>(x, y, stage.get(), this));
}

bool CEditor::PasteObjectAt(int x, int y) {
    CStageAreaObjectTable* table = CurrentObjects();
    if (!table || table->GetAt(x, y)) return false;
    if (table->GetCount() >= kMaxObjectsPerArea) {
        View().ShowAlert(kTooManyObjectsText);
        return false;
    }
    if (clipboard.IsEmpty()) return false;
    return DoCommand(std::make_unique<CSetObject>(
        x, y, clipboard.GetKey(), clipboard.GetAttribute1(), clipboard.GetAttribute2(),
        clipboard.GetAttribute3(), clipboard.GetAttribute4(), clipboard.GetText(), stage.get(), this));
}

void CEditor::HandleObjectClipboardKeys(int x, int y, const EditorKeys& keys) {
    CStageAreaObjectTable* table = CurrentObjects();
    if (!keys.control || !table) return;
    const bool onObject = table->GetAt(x, y) != nullptr;
    if (keys.c) {
        if (!onObject) return;
        View().PlaySound(SoundId::kOk1);
        CopyObjectAt(x, y);
    } else if (keys.v) {
        if (!onObject && table->GetCount() < kMaxObjectsPerArea && !clipboard.IsEmpty()) {
            View().PlaySound(SoundId::kOk2);
        }
        PasteObjectAt(x, y);
    } else if (keys.x) {
        if (!onObject) return;
        View().PlaySound(SoundId::kOk1);
        CutObjectAt(x, y);
    }
}

// ---- Tools ----------------------------------------------------------------------------------

bool CEditor::IsObjectTool() const { return IsObjectToolNumber(tool); }
bool CEditor::IsLockedTool() const { return IsLockedToolNumber(tool); }

void CEditor::SetTool(EditorTool newTool) {
    if (!IsLockedTool()) {
        const bool toObject = IsObjectToolNumber(newTool), toLocked = IsLockedToolNumber(newTool);
        if (IsObjectTool() && !toObject && !toLocked) lastObjectTool = tool;
        if (!IsObjectTool() && toObject) lastMapTool = tool;
    }
    tool = newTool;
    View().OnToolChanged();
}
