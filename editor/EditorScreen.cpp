// CEditorScreen: construction and destruction, what the model asks of the screen (scroll bars,
// tabs, alerts, sounds), the windows and the help balloon.
#include "editor/EditorScreen.h"

#include <algorithm>

#include "controls/ControlPort.h"
#include "controls/ScrollBars.h"
#include "editor/MapEdits.h"
#include "editor_windows/AreaSelectTabList.h"
#include "editor_windows/EditerRootForm.h"
#include "editor_windows/PopUpHelp.h"
#include "engine/Mouse.h"
#include "stage/Stage.h"
#include "stage/StageAreaObjectTable.h"

using namespace Controls;

namespace {
constexpr int kMessageWidth = CMessageWindowBase::kWidth, kMessageHeight = CMessageWindowBase::kHeight;
}  // namespace

CEditorScreen::CEditorScreen(IScene* scene, IEditorOwner* owner, EditorMode editMode) : owner_(owner) {
    editor_ = std::make_unique<CEditor>(scene, editMode, this);
    for (size_t i = 0; i < adapters_.size(); ++i) adapters_[i] = ClosedAdapter(this, EditorWindowKind(i));
    UpdateChipImage();
    BuildInterface();
}

CEditorScreen::~CEditorScreen() {
    if (postListening_) {
        if (IStagePostService* service = GetStagePostService()) service->RemoveListener(this);
    }
    // The model goes first: it must not call back into a screen whose controls are gone.
    editor_->SetView(nullptr);
    stroke_.reset();
    pending_.reset();
    popUpHelp_.reset();
    root_.reset();
    editor_.reset();
    CMouse* cursor = CMouse::GetInstance();
    cursor->SetCursorKind(kCursorArrow);
    cursor->ClearCarriedImage();
    cursor->ShowBadge1(false);
    cursor->ShowBadge2(false);
}

GCForm* CEditorScreen::GetOpenWindow() const { return pending_ ? pending_.get() : root_->GetModalForm(); }

CStageAreaObjectTable* CEditorScreen::CurrentObjects() const {
    return GetStage() ? GetStage()->GetCurrentAreaObjects() : nullptr;
}

CStageAreaObject* CEditorScreen::ObjectAt(int x, int y) const {
    const CStageAreaObjectTable* table = CurrentObjects();
    return table ? table->GetAt(x, y) : nullptr;
}

int CEditorScreen::CurrentAreaIndex() const { return GetStage() ? GetStage()->GetCurrentAreaIndex() : 0; }
int CEditorScreen::CurrentAreaWidth() const {
    return GetStage() ? GetStage()->GetAreaWidth(CurrentAreaIndex()) : 0;
}
int CEditorScreen::CurrentAreaHeight() const {
    return GetStage() ? GetStage()->GetAreaHeight(CurrentAreaIndex()) : 0;
}

// ---- What the model asks of the screen -------------------------------------------------------

void CEditorScreen::SetScrollRanges(int minX, int maxX, int minY, int maxY) {
    auto set = [](CScrollBarBase* bar, int lo, int hi) {
        if (!bar || (bar->GetMinimum() == lo && bar->GetMaximum() == hi)) return;
        // Through an open range, so that neither end is held back by the other's old value.
        bar->SetMinimum(0);
        bar->SetMaximum(hi);
        bar->SetMinimum(lo);
    };
    set(GetControlAs<CScrollBarBase>("CenterBarX"), minX, maxX);
    set(GetControlAs<CScrollBarBase>("CenterBarY"), minY, maxY);
}

void CEditorScreen::SetScrollPosition(int x, int y) {
    if (auto* bar = GetControlAs<CScrollBarBase>("CenterBarX")) bar->SetValue(x);
    if (auto* bar = GetControlAs<CScrollBarBase>("CenterBarY")) bar->SetValue(y);
}

int CEditorScreen::GetScrollX() const {
    const auto* bar = GetControlAs<const CScrollBarBase>("CenterBarX");
    return bar ? bar->GetValue() : 0;
}

int CEditorScreen::GetScrollY() const {
    const auto* bar = GetControlAs<const CScrollBarBase>("CenterBarY");
    return bar ? bar->GetValue() : 0;
}

void CEditorScreen::ShowAreaTabs(int count, int current) {
    auto* tabs = GetControlAs<CAreaSelectTabList>("AreaSelectTabList");
    if (!tabs) return;
    // The tabs only show what the model already did: their pushes switch nothing now.
    showingTabs_ = true;
    tabs->EnableTabsUpTo(count - 1);
    if (tabs->GetSelectedIndex() != current) tabs->SelectTab(current);
    showingTabs_ = false;
}

void CEditorScreen::ShowAlert(const std::string& text) {
    OpenWindow(
        std::make_unique<CAlertWindow>(text, CentredWindowX(kMessageWidth), CentredWindowY(kMessageHeight)),
        EditorWindowKind::kCount);
}

void CEditorScreen::ShowMessage(const std::string& text) {
    OpenWindow(
        std::make_unique<CMessageWindow>(text, CentredWindowX(kMessageWidth), CentredWindowY(kMessageHeight)),
        EditorWindowKind::kCount);
}

void CEditorScreen::ShowConfirm(const std::string& text, EditorWindowKind kind) {
    OpenWindow(
        std::make_unique<CConfirmWindow>(text, CentredWindowX(kMessageWidth), CentredWindowY(kMessageHeight)),
        kind);
}

void CEditorScreen::PlaySound(int slot) { Port().PlaySound(slot); }

// ---- Windows ------------------------------------------------------------------------------------

void CEditorScreen::OpenForm(std::unique_ptr<GCForm> window, EditorWindowKind kind) {
    if (kind != EditorWindowKind::kCount) window->AddClosedEventHandler(&adapters_[size_t(kind)]);
    // A window closing is still the root form's modal form until the root form's next update:
    // the new one waits until then.
    if (IsRootActive() && !pending_) {
        root_->SetModalForm(std::move(window));
    } else {
        pending_ = std::move(window);
    }
}

void CEditorScreen::ShowHelp(const std::string& text, int x, int y) {
    popUpHelp_ = std::make_unique<CPopUpHelp>(text, x, y);
}

void CEditorScreen::HideHelp() { popUpHelp_.reset(); }

// ---- The saves the file windows ask for --------------------------------------------------------

std::unique_ptr<CStageSavedWindow> CEditorScreen::MakeSavedWindow(const StageSavedNotice& notice) const {
    return std::make_unique<CStageSavedWindow>(140, 120, notice.message, notice.stageName, notice.fileName);
}

std::unique_ptr<CStageSavedWindow> CEditorScreen::SaveUnderNewFileName() {
    return MakeSavedWindow(editor_->SaveUnderNewFileName());
}

std::unique_ptr<CStageSavedWindow> CEditorScreen::SaveToCurrentFile() {
    return MakeSavedWindow(editor_->SaveToCurrentFile());
}

std::unique_ptr<CStageSavedWindow> CEditorScreen::SaveAsNew(const std::string& name) {
    return MakeSavedWindow(editor_->SaveAsNew(name));
}
