// CEditorScreen: what the editor does when one of its windows closes. The windows change nothing
// themselves; their answer becomes an edit command, a new tool, a request to the editor scene, a
// post, or the next window.
#include <memory>
#include <string>

#include "controls/Dialogs.h"
#include "controls/Pallet.h"
#include "editor/AreaEdits.h"
#include "editor/EditorOwner.h"
#include "editor/EditorScreen.h"
#include "editor/ObjectEdits.h"
#include "editor_windows/AreaCopyWindows.h"
#include "editor_windows/ChangeBatteryTimingWindow.h"
#include "editor_windows/ChangeDoorMovePointWindow.h"
#include "editor_windows/ChangeSwitchColorWindow.h"
#include "editor_windows/ChangeZoomRateWindow.h"
#include "editor_windows/CustomLiftConfigWindow.h"
#include "editor_windows/EditorEndHiddenWindow.h"
#include "editor_windows/ItemPalletWindow.h"
#include "editor_windows/MusicSelectWindow.h"
#include "editor_windows/NewAreaFactoryWindow.h"
#include "editor_windows/NewStageCreateHiddenWindow.h"
#include "editor_windows/PropertyChoiceWindowBase.h"
#include "editor_windows/SendStageHiddenWindow.h"
#include "editor_windows/StageConfigWindow.h"
#include "editor_windows/TestPlayHiddenWindow.h"
#include "editor_windows/WeatherSelectWindow.h"
#include "engine/Music.h"
#include "foundation/ClientInfo.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "stage/AreaObjectKinds_Blocks.h"
#include "stage/AreaObjectKinds_Events.h"
#include "stage/AreaObjectKinds_Hazards.h"
#include "stage/AreaObjectKinds_Lifts.h"
#include "stage/AreaObjectKinds_Switches.h"
#include "stage/Stage.h"
#include "stage/StageAreaObject.h"
#include "stage/StageAreaObjectTable.h"
#include "stage/StageCatalogues.h"
#include "stage/StageChips.h"
#include "stage/StageFileEntry.h"

using namespace Controls;

namespace {
template <class W>
const W* As(GCForm* sender) {
    return dynamic_cast<const W*>(sender);
}
}  // namespace

void CEditorScreen::OnWindowClosed(EditorWindowKind kind, GCForm* sender) {
    using K = EditorWindowKind;
    switch (kind) {
        case K::kCloseConfirm:
            if (const auto* w = As<CConfirmWindow>(sender); w && w->GetResult() == kResultYes && owner_)
                owner_->RequestClose();
            return;
        case K::kEndSequence:
            if (const auto* w = As<CEditorEndHiddenWindow>(sender); w && w->IsEndConfirmed() && owner_)
                owner_->RequestClose();
            return;
        case K::kNewStage:
            if (const auto* w = As<CNewStageCreateHiddenWindow>(sender); w && !w->GetStageXml().empty())
                editor_->InstallNewStage(w->GetStageXml());
            return;
        case K::kOpen:
        case K::kSave:
        case K::kInformation:
            return;  // those windows did their work themselves
        case K::kNewArea:
            if (const auto* w = As<CNewAreaFactoryWindow>(sender); w && !w->GetAreaXmlText().empty())
                AddArea(w->GetAreaXmlText());
            return;
        case K::kAreaCopy:
            if (const auto* w = As<CAreaCopyConfirmWindow>(sender); w && w->GetResult() == kResultYes)
                CopyCurrentArea();
            return;
        case K::kAreaDelete:
            if (const auto* w = As<CConfirmWindow>(sender); w && w->GetResult() == kResultYes)
                editor_->DoCommand(
                    std::make_unique<CDeleteArea>(GetStage(), editor_.get(), CurrentAreaIndex()));
            return;
        case K::kStageSettings:
            return OnStageSettingsClosed(sender);
        case K::kTestPlay:
            if (const auto* w = As<CTestPlayHiddenWindow>(sender); w && w->IsStartConfirmed() && owner_)
                owner_->RequestTestPlay();
            return;
        case K::kSend:
            if (const auto* w = As<CSendStageHiddenWindow>(sender); w && w->IsSendConfirmed())
                StartPost(w->IsArrangementAllowed());
            return;
        case K::kObjectMenu:
            return OnObjectMenuClosed(sender);
        case K::kDoor:
            return OnDoorDialogClosed(sender);
        case K::kBattery:
        case K::kSwitch:
        case K::kObjectMusic:
        case K::kObjectWeather:
        case K::kZoomRate:
        case K::kCustomLift:
        case K::kObjectItem:
            return OnPropertyDialogClosed(kind, sender);
        default:
            return OnPalletClosed(kind, sender);
    }
}

void CEditorScreen::OnPalletClosed(EditorWindowKind kind, GCForm* sender) {
    const auto* pallet = As<CPalletWindowBase>(sender);
    if (!pallet) return;
    if (kind == EditorWindowKind::kNaturalChips || kind == EditorWindowKind::kArtificialChips) {
        const int id = pallet->GetSelectedItemId();
        if (id == -1) return;
        editor_->SetCurrentChip(uint8_t(id));
        UpdateChipImage();
        if (editor_->IsObjectTool()) editor_->SetTool(editor_->GetLastMapTool());
        return;
    }
    const std::string key = pallet->GetSelectedItemKey();
    if (key.empty()) return;
    editor_->SetCurrentObjectKey(key);
    objectImage_ = pallet->GetSelectedImageClip();
    editor_->SetTool(EditorTool_ObjectPlace);
}

// The copy is an ordinary added area that keeps everything of the current one but takes the
// stage's next absolute number, so doors that lead into the original still do.
void CEditorScreen::CopyCurrentArea() {
    CStage* stage = GetStage();
    const std::string text = "<TEMPAREA>" + stage->WriteAreaXml(CurrentAreaIndex()) + "</TEMPAREA>";
    const int number = stage->NextAbsoluteAreaNum();
    std::string copy;
    try {
        const std::unique_ptr<CStageArea> area = CStageArea::ReadXmlAt(stage, text, number);
        if (!area) return;
        copy = area->WriteXml();
    } catch (const CQuorException& e) {
        ShowAlert(FormatErrorReport(e));
        return;
    }
    AddArea(copy);
}

// Runs inside a window's closed handler: a text that cannot be read must not unwind through the
// widgets. The area half read is freed with the command, and the stage keeps what it had.
bool CEditorScreen::AddArea(const std::string& areaXml) {
    try {
        return editor_->DoCommand(std::make_unique<CAddArea>(GetStage(), editor_.get(), areaXml));
    } catch (const CQuorException& e) {
        CLog::GetInstance()->Write(FormatErrorReport(e));
        ShowAlert(FormatErrorReport(e));
        return false;
    }
}

void CEditorScreen::OnStageSettingsClosed(GCForm* sender) {
    const auto* w = As<CStageConfigWindow>(sender);
    if (!w) return;
    CStage* stage = GetStage();
    if (w->GetResult() == kSettingsOk) {
        stage->SetName(w->GetStageName());
        // The area's music, background and weather are set at once; they are not undone.
        if (CStageArea* area = stage->GetCurrentArea()) {
            area->music = w->GetMusic();
            area->backGround = w->GetBackGround();
            area->weather = w->GetWeather();
        }
        editor_->UpdateTitle();
        if (w->GetStartArea() != stage->GetStartArea() || w->GetStartX() != stage->GetStartX() ||
            w->GetStartY() != stage->GetStartY()) {
            editor_->DoCommand(std::make_unique<CChangeStartPoint>(stage, editor_.get(), w->GetStartArea(),
                                                                   w->GetStartX(), w->GetStartY()));
        }
        editor_->SetModified();
    } else if (w->GetResult() == kSettingsPickStartPoint) {
        startPick_.name = w->GetStageName();
        startPick_.area = w->GetStartArea();
        startPick_.x = w->GetStartX();
        startPick_.y = w->GetStartY();
        startPick_.music = w->GetMusic();
        startPick_.backGround = w->GetBackGround();
        startPick_.weather = w->GetWeather();
        editor_->SetTool(EditorTool_PickStart);
    }
}

// The post is sent with the player's answer on arrangements and as a shared stage; the edited
// stage keeps its own flag and category.
void CEditorScreen::StartPost(bool arrangementAllowed) {
    CStage* stage = GetStage();
    IStagePostService* service = GetStagePostService();
    if (!service) {
        ShowAlert("接続の準備ができていません。\n投稿できませんでした。");
        return;
    }
    editor_->UpdateAuthors();
    const bool keptFlag = stage->arrangementPermissionFlag;
    const int keptCategory = stage->category;
    stage->arrangementPermissionFlag = arrangementAllowed;
    stage->category = StageCategory_DownLoaded;
    const std::string backGround = StagePreviewInfo::FromStage(stage).GetBackGroundKey();
    const std::string xml = stage->WriteFileText();
    stage->arrangementPermissionFlag = keptFlag;
    stage->category = keptCategory;
    const CClientInfo* info = CClientInfo::GetInstance();
    postListening_ = true;
    if (!service->StartPost(info->GetCreatorId(), info->GetCommonKey(), backGround, xml, this)) {
        // Refused: nothing will answer, so nothing stays listening.
        service->RemoveListener(this);
        postListening_ = false;
    }
}

void CEditorScreen::OnStagePosted(bool succeeded, const std::string& stageId) {
    postListening_ = false;
    if (IStagePostService* service = GetStagePostService()) service->RemoveListener(this);
    if (!succeeded || !GetStage()) return;
    GetStage()->SetId(stageId);
    std::string fileName;
    try {
        const StageSavedNotice notice = editor_->GetCurrentFileName().empty()
                                            ? editor_->SaveUnderNewFileName()
                                            : editor_->SaveToCurrentFile();
        fileName = notice.fileName;
    } catch (const CQuorException& e) {
        // The server holds the stage and its id is kept, but the file is not written yet.
        editor_->SetModified();
        ShowAlert(FormatErrorReport(e));
        return;
    }
    ShowMessage("ステージ登録が完了しました！\n※保存したファイル名：　　　　\n" + fileName);
}

void CEditorScreen::ConfigureObject(int x, int y, double a1, const std::string& text) {
    editor_->DoCommand(
        std::make_unique<CConfigureObject>(x, y, a1, 0, 0, 0, text, GetStage(), editor_.get()));
}

void CEditorScreen::OnPropertyDialogClosed(EditorWindowKind kind, GCForm* sender) {
    using K = EditorWindowKind;
    if (kind == K::kBattery || kind == K::kSwitch || kind == K::kZoomRate) {
        const auto* w = As<CPropertyChoiceWindowBase>(sender);
        if (!w || w->GetValue() == CPropertyChoiceWindowBase::kNoValue) return;
        return ConfigureObject(w->GetTileX(), w->GetTileY(), w->GetValue(), "");
    }
    if (kind == K::kObjectMusic) {
        if (const auto* w = As<CMusicSelectWindow>(sender); w && w->IsDecided())
            ConfigureObject(w->GetTileX(), w->GetTileY(), 0, MusicKey(w->GetMusic()));
    } else if (kind == K::kObjectWeather) {
        if (const auto* w = As<CWeatherSelectWindow>(sender); w && w->IsDecided())
            ConfigureObject(w->GetTileX(), w->GetTileY(), 0, WeatherKey(w->GetWeather()));
    } else if (kind == K::kCustomLift) {
        if (const auto* w = As<CCustomLiftConfigWindow>(sender); w && w->IsApplied())
            ConfigureObject(w->GetTileX(), w->GetTileY(), 0, w->GetCommandString());
    } else if (kind == K::kObjectItem) {
        if (const auto* w = As<CItemPalletWindow>(sender); w && !w->GetSelectedItemKey().empty())
            ConfigureObject(w->GetTileX(), w->GetTileY(), 0, w->GetSelectedItemKey());
    }
}

void CEditorScreen::OnDoorDialogClosed(GCForm* sender) {
    const auto* w = As<CChangeDoorMovePointWindow>(sender);
    if (!w) return;
    if (w->GetResult() == CChangeDoorMovePointWindow::kPickDestination) {
        editor_->SetTool(EditorTool_PickDoor);
        return;
    }
    if (w->GetResult() != CChangeDoorMovePointWindow::kConfirm) return;
    CStage* stage = GetStage();
    const int doorArea = w->GetDoorAreaIndex();
    if (stage->IsValidAreaIndex(doorArea) && doorArea != CurrentAreaIndex()) editor_->SelectArea(doorArea);
    const int target = w->GetDestinationAreaIndex();
    const double number = stage->IsValidAreaIndex(target) ? stage->GetAreaAbsoluteNum(target) : 0;
    editor_->DoCommand(std::make_unique<CConfigureObject>(w->GetDoorTileX(), w->GetDoorTileY(), number,
                                                          w->GetDestinationTileX(), w->GetDestinationTileY(),
                                                          0, "", stage, editor_.get()));
}

void CEditorScreen::OnObjectMenuClosed(GCForm* sender) {
    const auto* menu = As<CBeigePopup>(sender);
    if (!menu || !GetStage()) return;
    const std::string entry = menu->GetSelectedText();
    const int x = menuTileX_, y = menuTileY_;
    CStageAreaObject* object = ObjectAt(x, y);
    if (entry == "切り取る") {
        editor_->CutObjectAt(x, y);
    } else if (entry == "コピーする") {
        editor_->CopyObjectAt(x, y);
    } else if (entry == "削除する") {
        editor_->DoCommand(std::make_unique<CDeleteObject>(x, y, GetStage(), editor_.get()));
    } else if (entry == "貼り付ける") {
        editor_->PasteObjectAt(x, y);
    } else if (!object) {
        return;
    } else if (entry == "移動先を変更する" && IsDoorAreaObject(object)) {
        CStage* stage = GetStage();
        doorPick_.area = CurrentAreaIndex();
        doorPick_.x = x;
        doorPick_.y = y;
        doorPick_.returnTool = editor_->GetTool();
        doorPick_.targetArea = -1;
        for (int i = 0; i < CStage::kMaxAreas; ++i) {
            if (stage->GetArea(i) && stage->GetAreaAbsoluteNum(i) == int(object->GetAttribute1())) {
                doorPick_.targetArea = i;
                break;
            }
        }
        doorPick_.targetX = int(object->GetAttribute2());
        doorPick_.targetY = int(object->GetAttribute3());
        OpenWindow(
            std::make_unique<CChangeDoorMovePointWindow>(
                160, 160, doorPick_.area, CurrentAreaHeight(), x, y, doorPick_.targetArea,
                stage->IsValidAreaIndex(doorPick_.targetArea) ? stage->GetAreaHeight(doorPick_.targetArea)
                                                              : 0,
                doorPick_.targetX, doorPick_.targetY),
            EditorWindowKind::kDoor);
    } else if (entry == "タイミングをずらす" && IsTimingChangableAreaObject(object)) {
        OpenWindow(std::make_unique<CChangeBatteryTimingWindow>(160, 160, CurrentAreaIndex(), x, y),
                   EditorWindowKind::kBattery);
    } else if (entry == "色を変える" && IsSwitchAreaObject(object)) {
        OpenWindow(std::make_unique<CChangeSwitchColorWindow>(160, 160, CurrentAreaIndex(), x, y),
                   EditorWindowKind::kSwitch);
    } else if (entry == "音楽を変える" && IsMusicChangableAreaObject(object)) {
        OpenWindow(std::make_unique<CMusicSelectWindow>(160, 80, MusicIdFromKey(object->GetText()),
                                                        CurrentAreaIndex(), x, y),
                   EditorWindowKind::kObjectMusic);
    } else if (entry == "天気を変える" && IsWeatherChangableAreaObject(object)) {
        OpenWindow(std::make_unique<CWeatherSelectWindow>(160, 80, WeatherIdFromKey(object->GetText()),
                                                          CurrentAreaIndex(), x, y),
                   EditorWindowKind::kObjectWeather);
    } else if (entry == "ズーム率を変える" && IsZoomChangableAreaObject(object)) {
        OpenWindow(std::make_unique<CChangeZoomRateWindow>(160, 120, CurrentAreaIndex(), x, y),
                   EditorWindowKind::kZoomRate);
    } else if (entry == "動きを設定する" && IsCustomLiftAreaObject(object)) {
        OpenWindow(
            std::make_unique<CCustomLiftConfigWindow>(100, 40, CurrentAreaIndex(), x, y, object->GetText()),
            EditorWindowKind::kCustomLift);
    } else if (entry == "アイテムを変える" && IsWoodBlock002AreaObject(object)) {
        OpenWindow(std::make_unique<CItemPalletWindow>(100, 100, CurrentAreaIndex(), x, y),
                   EditorWindowKind::kObjectItem);
    }
}
