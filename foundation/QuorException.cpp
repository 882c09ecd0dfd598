#include "foundation/QuorException.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "foundation/Log.h"

namespace {

using C = QuorErrorClass;

// Every code of the game with its class and message, in code order.
const QuorErrorDef kErrors[] = {
    {"DEF0100", C::InitFile, "history.dat を開けません。"},
    {"DEF0101", C::InitFile, "history.dat が不正です。"},
    {"DEF0102", C::DataFile, "history.dat を保存できません。"},
    {"DEF0200", C::InitFile, "client_info_init.dat を開けません。"},
    {"DEF0201", C::InitFile, "client_info.dat が壊れています。"},
    {"DEF0202", C::DataFile, "client_info.dat を保存できません。"},
    {"DEF0203", C::DataFile, ""},
    {"DEF0204", C::DataFile, "設定をバックアップから\n復元しました。"},
    {"DEF0205", C::DataFile, "設定を読めないため、\n初期設定で始めます。"},
    {"DEF0300", C::DataFile, "scenario_save_init.dat を開けません。"},
    {"DEF0301", C::DataFile, "セーブデータが不正です。"},
    {"DEF0302", C::DataFile, "scenario_save.dat の保存に失敗しました。"},
    {"DLE0001", C::Dll, "Vox.dll を開けません。"},
    {"IFE0000", C::InitFile, "bmp_index.dat を開けません。"},
    {"IFE0001", C::InitFile, "bmp_index.dat が不正です。"},
    {"IFE0002", C::InitFile, "モデルのキーが不正です。"},
    {"IFE0100", C::InitFile, "stage_objects.dat を開けません。"},
    {"IFE0101", C::InitFile, "stage_objects.dat が不正です。"},
    {"IFE0200", C::InitFile, "stage_objects.dat または mapchip_info.dat を開けません。"},
    {"IFE0201", C::InitFile, "stage_objects.dat または mapchip_info.dat が不正です。"},
    {"IFE0003", C::InitFile, ""},
    {"IFE0300", C::InitFile, "obje_relation.dat を開けません。"},
    {"IFE0301", C::InitFile, "obje_relation.dat が不正です。"},
    {"IFE0400", C::InitFile, "attack_parameters.dat を開けません。"},
    {"IFE0401", C::InitFile, "attack_parameters.dat が不正です。"},
    {"IFE0500", C::InitFile, "scenario_map.dat を開けません。"},
    {"IFE0501", C::InitFile, "scenario_map.dat が不正です。"},
    {"IFE0600", C::InitFile, "shop_info.dat を開けません。"},
    {"IFE0601", C::InitFile, "shop_info.dat が不正です。"},
    {"OTE0001", C::Other, "XMLの構造が不正です。"},
    {"OTE0002", C::Other, "Sorry, this software is Japanese only."},
    // In English: a system without Japanese fonts may not show Japanese either.
    {"OTE0003", C::Other,
     "No Japanese font is installed. Install fonts-ipafont-gothic and fonts-ipafont-mincho."},
    {"RAE0001", C::ResourceAccess, "ポリゴンプールが上限を超えました。"},
    {"RAE0002", C::ResourceAccess, "ステージマップ領域のメモリ取得に失敗しました。"},
    {"RAE0003", C::ResourceAccess, "リングスタックのメモリ取得に失敗しました。"},
    {"SDE0001", C::StageData, ""},
    {"SDE0002", C::StageData, "地形配列を解析できません。"},
    {"SDE0003", C::StageData, "地形配列の長さが不正です。"},
    {"SDE0004", C::StageData, "地形配列のチェックサムが不正です。"},
    {"SDE0005", C::StageData, "マップのオブジェクトを解析できません。"},
    {"SDE0006", C::StageData, "ステージの構造が不正です。"},
    {"SDE0007", C::StageData, ""},
    {"SDE0008", C::StageData, "アレンジ禁止のステージです"},
    {"SDE0009", C::StageData, "ステージファイルを保存できません。"},
    {"SDE0010", C::StageData, "未購入パーツを使っています。"},
};

[[noreturn]] void ThrowAs(QuorErrorClass cls, std::string code, const std::string& message) {
    switch (cls) {
        case C::InitFile:
            throw CInitFileException(std::move(code), message);
        case C::DataFile:
            throw CDataFileException(std::move(code), message);
        case C::Other:
            throw COtherException(std::move(code), message);
        case C::StageData:
            throw CStageDataException(std::move(code), message);
        case C::ResourceAccess:
            throw CResourceAccessException(std::move(code), message);
        case C::Dll:
            throw CDllException(std::move(code), message);
    }
    throw CQuorException(std::move(code), message);
}

}  // namespace

std::string FormatErrorReport(const std::exception& e) {
    if (const auto* own = dynamic_cast<const CQuorException*>(&e))
        return FormatErrorReport(own->GetCode(), own->GetMessage());
    return std::string("Error: ") + e.what();
}

std::string GetErrorCode(const std::exception& e) {
    const auto* own = dynamic_cast<const CQuorException*>(&e);
    return own ? own->GetCode() : std::string();
}

std::string FormatErrorReport(const std::string& code, const std::string& message) {
    return "Error Code:[" + code + "] \n" + message;
}

namespace {
std::vector<StringPair> g_recovered;
}  // namespace

void NoteRecoveredError(const CQuorException& e, const std::string& detail) {
    g_recovered.push_back({e.GetCode(), e.GetMessage()});
    CLog::GetInstance()->Write(FormatErrorReport(e) + " (" + detail + ")");
}

std::vector<StringPair> TakeRecoveredErrors() { return std::exchange(g_recovered, {}); }

const QuorErrorDef* FindQuorError(std::string_view code) {
    auto it = std::find_if(std::begin(kErrors), std::end(kErrors),
                           [&](const QuorErrorDef& d) { return code == d.code; });
    return it == std::end(kErrors) ? nullptr : &*it;
}

const QuorErrorDef* GetQuorErrorTable(int& count) {
    count = static_cast<int>(std::size(kErrors));
    return kErrors;
}

void ThrowQuorError(std::string_view code) {
    const QuorErrorDef* def = FindQuorError(code);
    if (!def) throw CQuorException(std::string(code), std::string());
    ThrowAs(def->cls, def->code, def->message);
}

void ThrowQuorError(std::string_view code, const std::string& message) {
    const QuorErrorDef* def = FindQuorError(code);
    if (!def) throw CQuorException(std::string(code), message);
    ThrowAs(def->cls, def->code, message);
}

std::string MakeBackupSaveErrorMessage(const std::string& backupPath) {
    return backupPath + " を保存できません。";
}

std::string MakeStageVersionErrorMessage(const std::string& stageVersion, const std::string& appVersion) {
    return "ステージデータのバージョン(" + stageVersion + ")が、現在のアプリケーションのバージョン(" +
           appVersion + ")よりも新しいため、読み取りできません。";
}

std::string MakeStageOpenErrorMessage(const std::string& path) {
    return "ファイル" + path + "を開けません。";
}

std::string MakePictureReadErrorMessage(const std::string& path) {
    return "BMPファイルを読み込めません: " + path;
}
