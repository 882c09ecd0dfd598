// CEditorScreen: what a push, pull or mouse-over of one of the screen's controls does. The
// controls are told apart by the names they were entered under.
#include <cstdio>
#include <memory>
#include <string>

#include "controls/ButtonBases.h"
#include "editor/EditorScreen.h"
#include "editor_windows/AreaCopyWindows.h"
#include "editor_windows/ArtifactualMapChipPalletWindow.h"
#include "editor_windows/CharacterPalletWindow.h"
#include "editor_windows/EditorEndHiddenWindow.h"
#include "editor_windows/EventPalletWindow.h"
#include "editor_windows/FileOpenHiddenWindow.h"
#include "editor_windows/FileSaveHiddenWindow.h"
#include "editor_windows/InfomationWindow.h"
#include "editor_windows/ItemPalletWindow.h"
#include "editor_windows/NaturalMapChipPalletWindow.h"
#include "editor_windows/NewAreaFactoryWindow.h"
#include "editor_windows/NewStageCreateHiddenWindow.h"
#include "editor_windows/ObjectPalletWindow.h"
#include "editor_windows/SendStageHiddenWindow.h"
#include "editor_windows/StageConfigWindow.h"
#include "editor_windows/TestPlayHiddenWindow.h"
#include "editor_windows/TrapPalletWindow.h"
#include "foundation/ClientInfo.h"
#include "foundation/CreatorLevelTable.h"
#include "foundation/VersionNumber.h"
#include "stage/Stage.h"
#include "stage/StageChips.h"

using namespace Controls;

namespace {
constexpr int kPalletX = 128, kPalletY = 32;
const char kAreaTabPrefix[] = "AreaSelectTab";
}  // namespace

void CEditorScreen::OnPushed(GCButton* sender) {
    if (editor_->GetTool() == EditorTool_RectangleDrag) editor_->SetTool(EditorTool_Rectangle);
    // The first name (in the order the screen was built) whose control is the sender.
    static const char* const kNames[] = {
        "RenewButton",       "OpenButton",           "SaveButton",      "DrawButton",
        "RectangleButton",   "FillButton",           "editModeButton",  "UndoButton",
        "RedoButton",        "ConfigButton",         "TestPlayButton",  "SendStageButton",
        "InfomationButton",  "CloseButton",          "MapEraserButton", "ObjectEraserButton",
        "NaturalChipButton", "ArtificialChipButton", "EnemyChipButton", "ObjectChipButton",
        "TrapChipButton",    "EventChipButton",      "ItemChipButton",  "AreaAddButton",
        "AreaCopyButton",    "AreaDeleteButton"};
    for (const char* name : kNames) {
        const GCBase* control = GetControl(name);
        if (!control || control != sender) continue;
        const std::string n = name;
        if (n == "RenewButton" || n == "OpenButton" || n == "SaveButton") return OnFileButton(n);
        if (n.ends_with("ChipButton")) return OnChipButton(n);
        if (n.starts_with("Area")) return OnAreaButton(n);
        if (n == "ConfigButton" || n == "TestPlayButton" || n == "SendStageButton" ||
            n == "InfomationButton" || n == "CloseButton")
            return OnWindowButton(n);
        return OnToolButton(n);
    }
    for (int i = 0; i < 10; ++i) {
        const GCBase* tab = GetControl(kAreaTabPrefix + std::to_string(i));
        if (!tab || tab != sender) continue;
        // A tab selected to show the model's area switches nothing.
        if (!showingTabs_) editor_->SwitchToArea(i);
        return;
    }
}

void CEditorScreen::OnFileButton(const std::string& name) {
    const bool unsaved = editor_->GetCurrentFileName().empty();
    const int category = GetStage() ? GetStage()->GetCategory() : 1;
    const std::string stageName = editor_->GetStageName();
    const bool modified = editor_->IsModified();
    if (name == "RenewButton") {
        OpenWindow(
            std::make_unique<CNewStageCreateHiddenWindow>(modified, this, unsaved, category, stageName),
            EditorWindowKind::kNewStage);
    } else if (name == "OpenButton") {
        OpenWindow(std::make_unique<CFileOpenHiddenWindow>(modified, this, unsaved, category, stageName),
                   EditorWindowKind::kOpen);
    } else {
        OpenWindow(std::make_unique<CFileSaveHiddenWindow>(this, unsaved, category, stageName),
                   EditorWindowKind::kSave);
    }
}

void CEditorScreen::OnToolButton(const std::string& name) {
    if (name == "DrawButton") {
        editor_->SetTool(EditorTool_Pencil);
    } else if (name == "RectangleButton") {
        editor_->SetTool(EditorTool_Rectangle);
    } else if (name == "FillButton") {
        editor_->SetTool(EditorTool_Fill);
    } else if (name == "editModeButton") {
        if (editor_->IsObjectTool()) return;
        if (editor_->GetLastObjectTool() == EditorTool_ObjectEraser) {
            if (auto* eraser = GetControlAs<CToggleButtonBase>("ObjectEraserButton")) eraser->TurnOn();
        } else {
            editor_->SetTool(editor_->GetLastObjectTool());
        }
    } else if (name == "UndoButton") {
        if (editor_->CanUndo()) editor_->Undo();
    } else if (name == "RedoButton") {
        if (editor_->CanRedo()) editor_->Redo();
    } else if (name == "MapEraserButton") {
        editor_->SetCurrentChip(0);
        UpdateChipImage();
        if (editor_->IsObjectTool()) editor_->SetTool(editor_->GetLastMapTool());
    } else if (name == "ObjectEraserButton") {
        editor_->SetTool(EditorTool_ObjectEraser);
    }
}

void CEditorScreen::OnWindowButton(const std::string& name) {
    const bool unsaved = editor_->GetCurrentFileName().empty();
    const int category = GetStage() ? GetStage()->GetCategory() : 1;
    const std::string stageName = editor_->GetStageName();
    if (name == "ConfigButton") {
        OpenStageSettings();
    } else if (name == "TestPlayButton") {
        OpenWindow(std::make_unique<CTestPlayHiddenWindow>(editor_->IsModified(), this, unsaved, category,
                                                           stageName),
                   EditorWindowKind::kTestPlay);
    } else if (name == "SendStageButton") {
        OpenSendSequence();
    } else if (name == "InfomationButton") {
        OpenInformation();
    } else if (editor_->IsModified()) {
        OpenWindow(std::make_unique<CEditorEndHiddenWindow>(this, unsaved, category, stageName),
                   EditorWindowKind::kEndSequence);
    } else {
        ShowConfirm("エディタを終了します。\nよろしいですか？", EditorWindowKind::kCloseConfirm);
    }
}

void CEditorScreen::OpenStageSettings() {
    CStage* stage = GetStage();
    startPick_.returnArea = CurrentAreaIndex();
    startPick_.returnTool = editor_->GetTool();
    const bool hasArea = stage->GetCurrentArea() != nullptr;
    OpenWindow(
        std::make_unique<CStageConfigWindow>(
            80, 20, stage->GetAreaHeight(stage->GetStartArea()), stage->name, stage->GetStartArea(),
            stage->GetStartX(), stage->GetStartY(), hasArea ? stage->GetCurrentAreaMusic() : 0,
            hasArea ? stage->GetCurrentAreaBackGround() : 1, hasArea ? stage->GetCurrentAreaWeather() : 0),
        EditorWindowKind::kStageSettings);
}

void CEditorScreen::OpenSendSequence() {
    const CClientInfo* info = CClientInfo::GetInstance();
    if (!info->HasCreatorId()) {
        ShowAlert("先にクリエイター登録をしないと\n投稿はできません。");
        return;
    }
    const CStage* stage = GetStage();
    OpenWindow(std::make_unique<CSendStageHiddenWindow>(
                   editor_->IsModified(), this, editor_->GetCurrentFileName().empty(), stage->GetCategory(),
                   stage->name, stage->originalAuthor, info->GetCreatorName()),
               EditorWindowKind::kSend);
}

void CEditorScreen::OpenInformation() {
    const CClientInfo* info = CClientInfo::GetInstance();
    const bool registered = info->HasCreatorId();
    const std::string unregistered = "（未登録）";
    std::string level = unregistered;
    if (registered) level = std::to_string(GetCreatorLevel());
    const std::string file = editor_->GetCurrentFileName();
    OpenWindow(std::make_unique<CInfomationWindow>(120, 60, CVersionNumber::Application().ToString(),
                                                   registered ? info->GetCreatorName() : unregistered, level,
                                                   GetStage() ? GetStage()->name : "（なし）",
                                                   file.empty() ? "（未確定）" : file),
               EditorWindowKind::kInformation);
}

void CEditorScreen::OnChipButton(const std::string& name) {
    if (name == "NaturalChipButton") {
        OpenWindow(std::make_unique<CNaturalMapChipPalletWindow>(kPalletX, kPalletY),
                   EditorWindowKind::kNaturalChips);
    } else if (name == "ArtificialChipButton") {
        OpenWindow(std::make_unique<CArtifactualMapChipPalletWindow>(kPalletX, kPalletY),
                   EditorWindowKind::kArtificialChips);
    } else if (name == "EnemyChipButton") {
        OpenWindow(std::make_unique<CCharacterPalletWindow>(kPalletX, kPalletY,
                                                            editor_->GetEditMode() == EditorMode::kSingle),
                   EditorWindowKind::kCharacters);
    } else if (name == "ObjectChipButton") {
        OpenWindow(std::make_unique<CObjectPalletWindow>(kPalletX, kPalletY), EditorWindowKind::kObjects);
    } else if (name == "TrapChipButton") {
        OpenWindow(std::make_unique<CTrapPalletWindow>(kPalletX, kPalletY), EditorWindowKind::kTraps);
    } else if (name == "EventChipButton") {
        OpenWindow(std::make_unique<CEventPalletWindow>(kPalletX, kPalletY), EditorWindowKind::kEvents);
    } else {
        OpenWindow(std::make_unique<CItemPalletWindow>(kPalletX, kPalletY), EditorWindowKind::kItems);
    }
}

void CEditorScreen::OnAreaButton(const std::string& name) {
    CStage* stage = GetStage();
    if (name == "AreaAddButton") {
        if (stage->GetAreaCount() >= CStage::kMaxAreas) {
            ShowAlert("\nエリアの数が多すぎです！");
        } else {
            OpenWindow(std::make_unique<CNewAreaFactoryWindow>(stage, true), EditorWindowKind::kNewArea);
        }
    } else if (name == "AreaCopyButton") {
        OpenAreaCopy();
    } else if (stage->GetAreaCount() <= 1) {
        ShowAlert("\nこれ以上削除できません！");
    } else {
        ShowConfirm("現在のエリアを削除します。\nよろしいですか？", EditorWindowKind::kAreaDelete);
    }
}

void CEditorScreen::OpenAreaCopy() {
    const CStage* stage = GetStage();
    const int before = stage->TotalUnits();
    const int after = before + AreaClassUnits(stage->GetAreaClass(CurrentAreaIndex()));
    const int x = CentredWindowX(CAreaCopyConfirmWindow::kWidth);
    const int y = CentredWindowY(CAreaCopyConfirmWindow::kHeight);
    if (after > 10) {
        OpenWindow(std::make_unique<CAreaCopyAlertWindow>(x, y, before, after), EditorWindowKind::kCount);
    } else if (stage->GetAreaCount() >= CStage::kMaxAreas) {
        ShowAlert("\nエリアの数が多すぎです！");
    } else {
        OpenWindow(std::make_unique<CAreaCopyConfirmWindow>(x, y, before, after),
                   EditorWindowKind::kAreaCopy);
    }
}

void CEditorScreen::OnPulled(GCButton* sender) {
    if (sender && sender == GetControl("editModeButton") && editor_->IsObjectTool())
        editor_->SetTool(editor_->GetLastMapTool());
}

// The balloon beside the button under the mouse: above its middle, or below it at the top edge.
void CEditorScreen::OnFocused(GCButton* sender) {
    const auto* button = dynamic_cast<const COriginalBaseButton*>(sender);
    if (!button || button->GetHelpText().empty()) return;
    int x, y;
    button->GetAbsolutePosition(x, y);
    x += button->GetWidth() / 2;
    y += button->GetHeight() / 2;
    y += y > 40 ? -16 : 16;
    ShowHelp(button->GetHelpText(), x, y);
    focusedThisFrame_ = true;
}

// A balloon a button (or an object) put up in this same frame stays.
void CEditorScreen::OnUnFocused(GCButton*, int32_t) {
    if (!focusedThisFrame_) HideHelp();
}
