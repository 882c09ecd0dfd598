// CEditorScreen: building the screen once (every named control, its place and its help text) and
// keeping the controls enabled as the stage and the tool allow.
#include <memory>
#include <string>

#include "controls/Buttons.h"
#include "controls/DisplayParts.h"
#include "controls/Forms.h"
#include "controls/ScrollBars.h"
#include "editor/EditorScreen.h"
#include "editor_windows/AreaSelectTabList.h"
#include "editor_windows/EditerRootForm.h"
#include "editor_windows/EditorToolButtons.h"
#include "editor_windows/ZoomControl.h"
#include "stage/Stage.h"

using namespace Controls;

namespace {
// The controls that work on a stage: disabled while there is none, or while a point is picked on
// the map (the picking tools add the three file buttons and the information button).
const char* const kStageButtons[] = {
    "SaveButton",       "DrawButton",         "RectangleButton",   "FillButton",           "editModeButton",
    "UndoButton",       "RedoButton",         "ConfigButton",      "TestPlayButton",       "SendStageButton",
    "MapEraserButton",  "ObjectEraserButton", "NaturalChipButton", "ArtificialChipButton", "EnemyChipButton",
    "ObjectChipButton", "TrapChipButton",     "EventChipButton",   "ItemChipButton"};
const char* const kChipButtons[] = {"NaturalChipButton", "ArtificialChipButton", "EnemyChipButton",
                                    "ObjectChipButton",  "TrapChipButton",       "EventChipButton",
                                    "ItemChipButton"};
const char* const kMapToolButtons[] = {"DrawButton", "RectangleButton", "FillButton"};
}  // namespace

void CEditorScreen::Subscribe(COriginalBaseButton* button, const std::string& help, bool pull) {
    button->AddPushedEventHandler(this);
    if (pull) {
        if (auto* toggle = dynamic_cast<CToggleButtonBase*>(button)) toggle->AddPulledEventHandler(this);
    }
    button->AddFocusedEventHandler(this);
    button->AddUnFocusedEventHandler(this);
    button->SetHelpText(help);
}

void CEditorScreen::BuildInterface() {
    root_ = std::make_unique<CEditerRootForm>(kViewLeft - kStrip, kViewTop, kViewRight, kViewBottom);
    BuildTopButtons();
    BuildSideButtons();
    BuildViewControls();
    // The pencil is the tool in hand; everything that needs a stage waits for one.
    if (auto* pencil = GetControlAs<CToggleButtonBase>("DrawButton")) pencil->TurnOn();
    for (const char* name : kStageButtons) SetEnabled(name, false);
    SetAreaPanelEnabled(false);
}

void CEditorScreen::BuildTopButtons() {
    auto* files =
        Name("FileButtonList", root_->AddControl(std::make_unique<CGeneralPurposeButtonList>(8, 4, 131, 40)));
    Subscribe(Name("RenewButton", files->AddControl(std::make_unique<CRenewStageButton>(0, 0))), "新規作成",
              false);
    Subscribe(Name("OpenButton", files->AddControl(std::make_unique<COpenStageButton>(43, 0))),
              "ステージを開く", false);
    Subscribe(Name("SaveButton", files->AddControl(std::make_unique<CSaveStageButton>(86, 0))),
              "ステージを保存する", false);

    auto* tools = Name("DrawButtonList",
                       root_->AddControl(std::make_unique<CExclusiveToggleButtonList>(140, 4, 131, 40)));
    Subscribe(Name("DrawButton", tools->AddButton(std::make_unique<CEditorDrawButton>(0, 0))),
              "えんぴつモード", false);
    Subscribe(Name("RectangleButton", tools->AddButton(std::make_unique<CEditorRectangleButton>(43, 0))),
              "範囲描画モード", false);
    Subscribe(Name("FillButton", tools->AddButton(std::make_unique<CEditorFillButton>(86, 0))),
              "塗りつぶしモード", false);

    Subscribe(Name("editModeButton", root_->AddControl(std::make_unique<CChangeEditModeButton>(272, 4))),
              "地形とオブジェクトの切り替え", true);

    auto* undo = Name("UndoButtonList",
                      root_->AddControl(std::make_unique<CGeneralPurposeButtonList>(318, 4, 91, 40)));
    Subscribe(Name("UndoButton", undo->AddControl(std::make_unique<CEditorUndoButton>(0, 0))), "やり直し",
              false);
    Subscribe(Name("RedoButton", undo->AddControl(std::make_unique<CEditorRedoButton>(43, 0))),
              "やり直しのやり直し", false);

    Subscribe(Name("ConfigButton", root_->AddControl(std::make_unique<CConfigButton>(407, 4))),
              "ステージの設定", false);

    auto* other = Name("OtherButtonList",
                       root_->AddControl(std::make_unique<CGeneralPurposeButtonList>(453, 4, 91, 40)));
    Subscribe(Name("TestPlayButton", other->AddControl(std::make_unique<CTestPlayButton>(0, 0))),
              "テストプレイ", false);
    Subscribe(Name("SendStageButton", other->AddControl(std::make_unique<CSendStageButton>(43, 0))),
              "投稿する", false);

    Subscribe(Name("InfomationButton", root_->AddControl(std::make_unique<CInfomationButton>(542, 4))),
              "インフォメーション", false);
    Subscribe(Name("CloseButton", root_->AddControl(std::make_unique<CBigCloseButton>(592, 4))), "終了する",
              false);
}

void CEditorScreen::BuildSideButtons() {
    auto* erasers = Name("EraserButtonList", root_->AddControl(std::make_unique<CGeneralPurposeButtonList>(
                                                 kViewRight + 26, kViewTop + 70, 68, 40)));
    Subscribe(Name("MapEraserButton", erasers->AddControl(std::make_unique<CEditorMapEraserButton>(0, 0))),
              "マップを消す", false);
    Subscribe(
        Name("ObjectEraserButton", erasers->AddControl(std::make_unique<CEditorObjectEraserButton>(36, 0))),
        "オブジェクトを消す", false);

    auto* chips =
        Name("ChipSelectButtonList", root_->AddControl(std::make_unique<CGeneralPurposeButtonList>(
                                         kViewRight + 28, kViewTop + 112, 64, kViewBottom - kViewTop - 80)));
    struct ChipButton {
        const char *name, *caption, *help;
    };
    const ChipButton chipButtons[] = {
        {"NaturalChipButton", "自然物", "岩や地面などの地形"},
        {"ArtificialChipButton", "人工物", "石のブロックなどの地形"},
        {"EnemyChipButton", "ｷｬﾗ", "様々なキャラクター"},
        {"ObjectChipButton", "ｵﾌﾞｼﾞｪ", "箱などの置物"},
        {"TrapChipButton", "ﾄﾗｯﾌﾟ", "砲台などのトラップ"},
        {"EventChipButton", "ｲﾍﾞﾝﾄ", "ステージを制御するイベント"},
        {"ItemChipButton", "ｱｲﾃﾑ", "様々なアイテム"},
    };
    int y = 0;
    for (const ChipButton& b : chipButtons) {
        Subscribe(Name(b.name, chips->AddControl(std::make_unique<CTextBrownPushButton>(0, y, b.caption))),
                  b.help, false);
        y += 42;
    }
}

void CEditorScreen::BuildViewControls() {
    Name("CenterBarX",
         root_->AddControl(std::make_unique<CBasicHorizontalScrollBar>(
             kViewLeft - kStrip, kViewBottom + 8, 0, 1, 0, 1, kViewRight - kViewLeft + kStrip)));
    Name("CenterBarY", root_->AddControl(std::make_unique<CBasicVerticalScrollBar>(
                           kViewRight + 8, kViewTop, 0, 1, 0, 1, kViewBottom - kViewTop)));
    Name("ZoomControl", root_->AddControl(std::make_unique<CZoomControl>(kViewRight + 28, kViewTop, 0.0)));

    auto* tabs =
        Name("AreaSelectTabList",
             root_->AddControl(std::make_unique<CAreaSelectTabList>(kViewLeft - kStrip + 2, kViewTop + 3)));
    const char* const tabHelp[] = {"エリア１を開く", "エリア２を開く",  "エリア３を開く", "エリア４を開く",
                                   "エリア５を開く", "エリア６を開く",  "エリア７を開く", "エリア８を開く",
                                   "エリア９を開く", "エリア１０を開く"};
    for (int i = 0; i < CAreaSelectTabList::kTabCount; ++i) {
        Subscribe(Name("AreaSelectTab" + std::to_string(i), tabs->GetTab(i)), tabHelp[i], true);
    }

    auto* panel =
        Name("AreaButtonArea",
             root_->AddControl(std::make_unique<CAreaButtonArea>(kViewLeft - kStrip, kViewBottom - 80)));
    Subscribe(Name("AreaAddButton", dynamic_cast<COriginalBaseButton*>(panel->GetFirstControl())),
              "新しいエリアを追加する", false);
    Subscribe(Name("AreaCopyButton", dynamic_cast<COriginalBaseButton*>(panel->GetSecondControl())),
              "現在のエリアをコピーする", false);
    Subscribe(Name("AreaDeleteButton", dynamic_cast<COriginalBaseButton*>(panel->GetThirdControl())),
              "現在のエリアを削除する", false);

    auto footer = std::make_unique<CSpriteTextLabel>("", kViewRight + 8, kViewBottom + 12, 631 - kViewRight,
                                                     14, 12, 45, 30, 8);
    footer->SetAlignment(1);
    Name("FooterLabel", root_->AddControl(std::move(footer)));
}

void CEditorScreen::SetEnabled(const std::string& name, bool enabled) {
    if (auto* button = GetControlAs<COriginalBaseButton>(name)) button->SetEnabled(enabled);
}

void CEditorScreen::SetAreaPanelEnabled(bool enabled) {
    if (auto* panel = GetControlAs<CAreaButtonArea>("AreaButtonArea")) panel->SetEnabled(enabled);
}

void CEditorScreen::SetStageControlsEnabled(bool enabled) {
    for (const char* name : kStageButtons) SetEnabled(name, enabled);
    SetAreaPanelEnabled(enabled);
}

void CEditorScreen::OnStageInstalled() {
    if (!root_) return;
    const bool hasStage = GetStage() && GetStage()->GetAreaCount() >= 1;
    SetStageControlsEnabled(hasStage);
    for (const char* name : {"RenewButton", "OpenButton", "InfomationButton"}) SetEnabled(name, true);
    if (hasStage && editor_->IsObjectTool()) {
        for (const char* name : kMapToolButtons) SetEnabled(name, false);
    }
}

void CEditorScreen::OnToolChanged() {
    if (!root_) return;
    if (editor_->IsLockedTool()) {
        for (const char* name : kStageButtons) SetEnabled(name, false);
        for (const char* name : {"RenewButton", "OpenButton", "InfomationButton"}) SetEnabled(name, false);
        SetAreaPanelEnabled(false);
        return;
    }
    for (const char* name :
         {"RenewButton", "OpenButton", "SaveButton", "editModeButton", "ConfigButton", "TestPlayButton",
          "SendStageButton", "InfomationButton", "MapEraserButton", "ObjectEraserButton"})
        SetEnabled(name, true);
    for (const char* name : kChipButtons) SetEnabled(name, true);
    SetAreaPanelEnabled(true);
    SetEnabled("UndoButton", editor_->CanUndo());
    SetEnabled("RedoButton", editor_->CanRedo());
    if (editor_->IsObjectTool()) {
        for (const char* name : kMapToolButtons) SetEnabled(name, false);
        return;
    }
    for (const char* name : kMapToolButtons) SetEnabled(name, true);
    const char* on = nullptr;
    if (editor_->GetTool() == EditorTool_Pencil) {
        on = "DrawButton";
    } else if (editor_->GetTool() == EditorTool_Rectangle) {
        on = "RectangleButton";
    } else if (editor_->GetTool() == EditorTool_Fill) {
        on = "FillButton";
    }
    if (auto* button = on ? GetControlAs<CToggleButtonBase>(on) : nullptr) button->TurnOn();
}
