// CEditor: installing, opening, checking and saving stages, and the texts that name the stage.
#include <chrono>

#include "editor/Editor.h"
#include "editor/EditorView.h"
#include "foundation/ClientInfo.h"
#include "foundation/DateTime.h"
#include "foundation/EncodedFile.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "foundation/WindowHelpers.h"
#include "stage/Stage.h"
#include "stage/StageChips.h"

namespace {

const char kEditModeSuffix[] = " （エディットモード）";

[[noreturn]] void ThrowCannotSave() {
    throw CStageDataException("SDE0009", "ステージファイルを保存できません。");
}

// One second after the time, counted across minutes, hours, days, months and years.
SystemTime NextSecond(const SystemTime& t) {
    using namespace std::chrono;
    const sys_days date{year{t.year} / month{t.month} / day{t.day}};
    const sys_seconds next = date + hours{t.hour} + minutes{t.minute} + seconds{t.second} + seconds{1};
    const sys_days nextDate = floor<days>(next);
    const year_month_day ymd{nextDate};
    const hh_mm_ss<seconds> time{next - nextDate};
    SystemTime out = t;
    out.year = static_cast<uint16_t>(static_cast<int>(ymd.year()));
    out.month = static_cast<uint16_t>(static_cast<unsigned>(ymd.month()));
    out.day = static_cast<uint16_t>(static_cast<unsigned>(ymd.day()));
    out.dayOfWeek = static_cast<uint16_t>(weekday{nextDate}.c_encoding());
    out.hour = static_cast<uint16_t>(time.hours().count());
    out.minute = static_cast<uint16_t>(time.minutes().count());
    out.second = static_cast<uint16_t>(time.seconds().count());
    return out;
}

}  // namespace

void CEditor::SetStage(std::unique_ptr<CStage> newStage) {
    stage = std::move(newStage);
    modified = false;
    undoRing.Reset();
    clipboard.Clear();
    View().OnStageInstalled();
    if (stage && stage->GetAreaCount() >= 1) {
        stage->SelectArea(stage->startArea);
        UpdateScrollBars();
        SetScrollPosition(stage->startX, stage->startY);
        for (int i = 0; i < 10; ++i) {
            const bool used = i < stage->GetAreaCount();
            savedScrollX[i] = used ? 10 : 0;
            savedScrollY[i] = used ? stage->GetAreaHeight(i) - 7 : 0;
        }
        ApplyScrollBarsToCamera();
        RefreshAreaTabs();
    }
    UpdateTitle();
}

bool CEditor::InstallNewStage(const std::string& stageXml) {
    std::unique_ptr<CStage> built;
    try {
        built = CStage::ReadXml(owner, stageXml, 1);
    } catch (const CQuorException& e) {
        View().ShowAlert(FormatErrorReport(e));
        return false;
    }
    SetStage(std::move(built));
    currentFileName.clear();
    return true;
}

std::string CEditor::StageFolder() const {
    return editMode == EditorMode::kSingle ? "stage\\scenario\\" : "stage\\original\\";
}

StageSavedNotice CEditor::SaveStage(const std::string& fileName, bool overwrite) {
    if (!stage) ThrowCannotSave();
    UpdateAuthors();
    stage->category = editMode == EditorMode::kSingle ? StageCategory_Scenario : StageCategory_Local;
    // A game folder may lack the stage folders: they are made on the first save.
    const std::string folder = StageFolder();
    CreateFolder("stage");
    CreateFolder(folder.substr(0, folder.size() - 1));
    if (!stage->SaveToFile(JoinGamePath(folder.substr(0, folder.size() - 1), fileName))) ThrowCannotSave();
    CLog::GetInstance()->Write("ファイル" + fileName + "を保存しました。");
    modified = false;
    currentFileName = fileName;
    StageSavedNotice notice;
    notice.message =
        overwrite
            ? "ステージを上書き保存しました！\n次に開くときは、「以前保存した\nステージ」を選んでください。"
            : "ステージを新規で保存しました！\n次に開くときは、「以前保存した\nステージ」を選んでください。";
    notice.stageName = stage->name;
    notice.fileName = fileName;
    return notice;
}

StageSavedNotice CEditor::SaveUnderNewFileName() {
    SystemTime time = CDateTime().GetFields();
    std::string name = CDateTime(time).FormatStamp() + ".stg";
    // Two saves within one second must not meet in one file.
    while (FileExists(StageFolder() + name)) {
        time = NextSecond(time);
        name = CDateTime(time).FormatStamp() + ".stg";
    }
    return SaveStage(name, false);
}

StageSavedNotice CEditor::SaveAsNew(const std::string& stageName) {
    if (stage) stage->SetName(stageName);
    UpdateTitle();
    return SaveUnderNewFileName();
}

StageSavedNotice CEditor::SaveToCurrentFile() { return SaveStage(currentFileName, true); }

void CEditor::OpenStage(const std::string& path, bool keepFileName) {
    const std::string name = GamePathFileName(path);
    std::string text;
    const ReadStatus status = ReadEncodedFile(path, text, true);
    if (status == ReadStatus::CannotRead)
        throw CStageDataException("SDE0007", MakeStageOpenErrorMessage(name));
    if (status != ReadStatus::Ok) throw CStageDataException("SDE0006", "ステージの構造が不正です。");
    std::unique_ptr<CStage> opened = CStage::ReadXml(owner, text, 1);
    // An opened stage is not a posted one until it is posted again.
    opened->SetId(std::string());
    SetStage(std::move(opened));
    CLog::GetInstance()->Write("ファイル" + name + "をエディットモードで開きました。");
    currentFileName = keepFileName ? name : std::string();
}

std::vector<std::string> CEditor::CheckStage() const {
    if (!stage) return {};
    return stage->Validate(editMode != EditorMode::kSingle);
}

void CEditor::UpdateAuthors() {
    if (!stage) return;
    const CClientInfo* info = CClientInfo::GetInstance();
    if (!info->HasCreatorId()) return;
    const std::string creator = info->GetCreatorName();
    if (stage->GetLatestArranger() != creator) stage->AddArranger(creator);
    if (stage->originalAuthor.empty()) stage->SetOriginalAuthor(creator);
}

void CEditor::UpdateTitle() {
    SetMainWindowTitle(stage ? "Quorvald - " + stage->name + kEditModeSuffix : "Quorvald");
}

std::string CEditor::GetCaption() const { return stage ? stage->name + kEditModeSuffix : std::string(); }

std::string CEditor::GetStageName() const { return stage ? stage->name : std::string(); }
