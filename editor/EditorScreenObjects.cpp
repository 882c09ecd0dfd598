// CEditorScreen: the two mouse aids of the object tools on the map: the object menu a right push
// opens (paste on an empty tile; settings, cut, copy and delete on an object) and the balloon
// that describes the object under the mouse.
#include <cstdio>
#include <memory>
#include <string>

#include "controls/Dialogs.h"
#include "editor/EditorScreen.h"
#include "editor_windows/PopUpHelp.h"
#include "engine/Camera.h"
#include "engine/SoundIds.h"
#include "stage/AreaObjectKinds_Blocks.h"
#include "stage/AreaObjectKinds_Events.h"
#include "stage/AreaObjectKinds_Hazards.h"
#include "stage/AreaObjectKinds_Lifts.h"
#include "stage/AreaObjectKinds_Switches.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageMap.h"

using namespace Controls;

namespace {
constexpr int kMenuWidth = 200;

// The entry that changes the object's own setting, by the first kind test that holds; null for
// kinds without one.
const char* SettingEntry(const CStageAreaObject* object) {
    struct Kind {
        bool (*test)(const CStageAreaObject*);
        const char* entry;
    };
    static const Kind kKinds[] = {
        {IsDoorAreaObject, "移動先を変更する"},
        {IsTimingChangableAreaObject, "タイミングをずらす"},
        {IsSwitchAreaObject, "色を変える"},
        {IsMusicChangableAreaObject, "音楽を変える"},
        {IsWeatherChangableAreaObject, "天気を変える"},
        {IsZoomChangableAreaObject, "ズーム率を変える"},
        {IsCustomLiftAreaObject, "動きを設定する"},
        {IsWoodBlock002AreaObject, "アイテムを変える"},
    };
    for (const Kind& k : kKinds) {
        if (k.test(object)) return k.entry;
    }
    return nullptr;
}

bool IsObjectEditingTool(EditorTool tool) {
    return tool == EditorTool_ObjectPlace || tool == EditorTool_ObjectEraser;
}
}  // namespace

void CEditorScreen::OpenObjectMenu(const FrameInput& in) {
    if (!in.mouse.rightPressed || !GetStage() || !IsRootActive() || !in.onMap) return;
    if (!IsObjectEditingTool(editor_->GetTool())) return;
    menuTileX_ = in.tx;
    menuTileY_ = in.ty;
    CStageAreaObject* object = ObjectAt(in.tx, in.ty);
    std::string title;
    if (object) {
        title = object->GetInfoText();
    } else {
        char text[48];
        std::snprintf(text, sizeof text, "座標 (%d,%d)", in.tx,
                      CStageMap::ShownRow(CurrentAreaHeight(), in.ty));
        title = text;
    }
    auto menu = std::make_unique<CBeigePopup>(0, 0, kMenuWidth, title);
    PlaySound(SoundId::kOk1);
    if (!object) {
        menu->AddItem("貼り付ける", !editor_->GetClipboard().IsEmpty());
    } else {
        if (const char* entry = SettingEntry(object)) menu->AddItem(entry, true);
        menu->AddItem("切り取る", true);
        menu->AddItem("コピーする", true);
        menu->AddItem("削除する", true);
    }
    // Beside the mouse, above or left of it where it would leave the screen.
    int x = in.mouse.x, y = in.mouse.y;
    if (x + menu->GetWidth() >= 640) x -= menu->GetWidth();
    if (y + menu->GetHeight() >= 480) y -= menu->GetHeight();
    menu->SetPosition(x, y);
    OpenWindow(std::move(menu), EditorWindowKind::kObjectMenu);
}

void CEditorScreen::UpdateObjectHelp(const FrameInput& in) {
    if (!GetStage()) return;
    if (!IsRootActive()) {
        HideHelp();
        return;
    }
    if (in.onMap) {
        CStageAreaObject* object = IsObjectEditingTool(editor_->GetTool()) ? ObjectAt(in.tx, in.ty) : nullptr;
        if (!object) {
            HideHelp();
            return;
        }
        if (popUpHelp_ && in.tx == in.prevTx && in.ty == in.prevTy) return;
        // At the tile's top-right corner.
        const CCamera* camera = CCamera::GetInstance();
        const float wx = float((in.tx + 1) * 32), wy = float(in.ty * 32);
        ShowHelp(object->GetInfoText(), int(camera->WorldToScreenX(wx, wy)),
                 int(camera->WorldToScreenY(wx, wy)));
        focusedThisFrame_ = true;
        PlaySound(SoundId::kOk4);
        return;
    }
    // Off the map the balloon belongs to a button, unless the mouse just left the map.
    if (editor_->IsScreenPointOnMap(in.prevMouseX, in.prevMouseY)) HideHelp();
}
