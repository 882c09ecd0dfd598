#include "foundation/ClientInfo.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "foundation/CreatorLevelTable.h"
#include "foundation/DateTime.h"
#include "foundation/EncodedFile.h"
#include "foundation/FileList.h"
#include "foundation/Log.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"
#include "foundation/XmlNode.h"

namespace {

const char kClientInfoPath[] = "network\\client_info.dat";
const char kInitFilePath[] = "network\\client_info_init.dat";
const char kNotRegistered[] = "未登録";
constexpr int kMaxCreatorPoint = 99999;

const char kCreatorId[] = "ROOT.clientInfo.network.createrId";
const char kCreatorName[] = "ROOT.clientInfo.network.createrName";
const char kCommonKey[] = "ROOT.clientInfo.network.commonKey";
const char kRatingPointSum[] = "ROOT.clientInfo.network.ratingPointSum";
const char kCreatorPoint[] = "ROOT.clientInfo.network.createrPoint";
const char kAccessFailCount[] = "ROOT.clientInfo.network.accessFailCount";
const char kSendingPermission[] = "ROOT.clientInfo.config.sendingPermission";
const char kKeyConfigMode[] = "ROOT.clientInfo.config.keyConfigMode";
const char kMusicVolume[] = "ROOT.clientInfo.config.musicVolume";
const char kSoundEffectVolume[] = "ROOT.clientInfo.config.soundEffectVolume";
const char kLastBootUpDate[] = "ROOT.clientInfo.lastBootUpDate";
const char kBoughtItems[] = "ROOT.clientInfo.boughtItems";

[[noreturn]] void ThrowBroken() { throw CInitFileException("DEF0201", "client_info.dat が壊れています。"); }

}  // namespace

CClientInfo::CClientInfo() { Load(); }
CClientInfo::~CClientInfo() = default;

void CClientInfo::Initialize() { Load(); }

void CClientInfo::Release() {
    // Defaults read because the player's file was missing or unreadable never replace the day's
    // backup: that is the player's last good copy.
    if (!fromDefaults_ || !FileExists(BackupPath())) WriteBackup();
    boughtItems_.clear();
    doc_.reset();
}

namespace {

// Every value the document keeps, in the order of the initial file.
const char* const kValuePaths[] = {kCreatorId,    kCreatorName,       kCommonKey,         kRatingPointSum,
                                   kCreatorPoint, kAccessFailCount,   kSendingPermission, kKeyConfigMode,
                                   kMusicVolume,  kSoundEffectVolume, kLastBootUpDate,    kBoughtItems};

// The document of a client-info text, or null when the text is not one: not well-formed XML, cut
// short before its clientInfo element (saving that back would lose everything), or of a shape a
// value could not be kept in (an element repeated, or holding elements where its value belongs:
// what is set there would not be what is read back). An element that is missing is added empty,
// so that what is set there is kept too.
std::unique_ptr<CXmlNode> ParseClientInfo(const std::string& text) {
    std::unique_ptr<CXmlNode> doc;
    try {
        doc = std::make_unique<CXmlNode>("ROOT", 0, text);
    } catch (const COtherException& e) {
        if (e.GetCode() == "OTE0001") return nullptr;
        throw;
    }
    const std::vector<std::string> values(std::begin(kValuePaths), std::end(kValuePaths));
    if (!doc->KeepsValues("ROOT.clientInfo", values)) return nullptr;
    return doc;
}

std::unique_ptr<CXmlNode> ReadClientInfo(const std::string& path) {
    std::string text;
    if (ReadEncodedFile(path, text) != ReadStatus::Ok) return nullptr;
    return ParseClientInfo(text);
}

// Whether `name` is a backup's file name: "client_info_bk" + eight digits + ".dat".
bool IsBackupName(const std::string& name) {
    const std::string head = "client_info_bk", tail = ".dat";
    if (name.size() != head.size() + 8 + tail.size()) return false;
    if (name.compare(0, head.size(), head) != 0 || name.compare(head.size() + 8, tail.size(), tail) != 0)
        return false;
    for (size_t i = head.size(); i < head.size() + 8; ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
    }
    return true;
}

// Moves an unusable player's file out of the way under a name of its own, so that saving the
// replacement loses nothing; false when it could not be moved.
bool SetDamagedFileAside() {
    const std::string aside = SetAsideDamagedFile(kClientInfoPath);
    CLog::GetInstance()->Write(aside.empty() ? "client_info.dat を退避できません。"
                                             : "client_info.dat を " + aside + " に退避しました。");
    return !aside.empty();
}

}  // namespace

std::unique_ptr<CXmlNode> CClientInfo::LoadNewestBackup(std::string& name) {
    CFileList list("network", "client_info_bk*.dat");
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i) {
        const std::string n = list.GetAt(i)->GetRawFileName();
        if (IsBackupName(n)) names.push_back(n);
    }
    // The date in the name orders them; the newest that reads whole wins.
    std::sort(names.rbegin(), names.rend());
    for (const std::string& n : names) {
        if (auto doc = ReadClientInfo("network\\" + n)) {
            name = n;
            return doc;
        }
    }
    return nullptr;
}

void CClientInfo::Adopt(std::unique_ptr<CXmlNode> doc, bool fromDefaults) {
    doc_ = std::move(doc);
    fromDefaults_ = fromDefaults;
    LoadBoughtItems();
}

void CClientInfo::SetNotice(const char* code, const std::string& detail) {
    const QuorErrorDef* def = FindQuorError(code);
    notice_ = StringPair{code, def ? def->message : ""};
    CLog::GetInstance()->Write(FormatErrorReport(notice_->code, notice_->message) + " (" + detail + ")");
}

std::optional<StringPair> CClientInfo::TakeLoadNotice() { return std::exchange(notice_, std::nullopt); }

void CClientInfo::Load() {
    doc_.reset();
    fromDefaults_ = false;
    notice_.reset();
    std::string text;
    const ReadStatus status = ReadEncodedFile(kClientInfoPath, text);
    if (status == ReadStatus::Ok) {
        if (auto doc = ParseClientInfo(text)) {
            Adopt(std::move(doc), false);
            return;
        }
    }
    // Missing, unreadable or damaged: the player's last good state is the newest backup.
    const bool present = status != ReadStatus::CannotRead || FileExists(kClientInfoPath);
    std::string backup;
    if (auto doc = LoadNewestBackup(backup)) {
        const bool replaceable = !present || SetDamagedFileAside();
        Adopt(std::move(doc), false);
        SetNotice("DEF0204", backup);
        if (replaceable) SaveAdopted();
        return;
    }
    // No backup: the defaults (the very first start, when no player's file was there).
    const ReadStatus initStatus = ReadEncodedFile(kInitFilePath, text);
    if (initStatus == ReadStatus::CannotRead) {
        throw CInitFileException("DEF0200", "client_info_init.dat を開けません。");
    }
    std::unique_ptr<CXmlNode> doc = initStatus == ReadStatus::Ok ? ParseClientInfo(text) : nullptr;
    if (!doc) ThrowBroken();
    const bool replaceable = !present || SetDamagedFileAside();
    if (present) SetNotice("DEF0205", "no backup");
    Adopt(std::move(doc), true);
    if (replaceable) SaveAdopted();
}

// What took the place of the player's file is the player's file from now on: the next start reads
// it as it stands. A damaged file that could not be set aside is not written over.
void CClientInfo::SaveAdopted() {
    try {
        Save();
    } catch (const CDataFileException& e) {
        // The state is in memory; the next change saves it again and reports.
        CLog::GetInstance()->Write(FormatErrorReport(e));
    }
}

std::string CClientInfo::BuildFileText() { return GetXmlHeader() + StripXmlWhitespace(doc_->Write()); }

void CClientInfo::Save() {
    if (!doc_) return;
    StoreBoughtItems();
    if (!WriteEncodedFile(kClientInfoPath, BuildFileText(), false, true)) {
        throw CDataFileException("DEF0202", "client_info.dat を保存できません。");
    }
}

std::string CClientInfo::BackupPath() {
    return "network\\client_info_bk" + CDateTime().FormatDateCompact() + ".dat";
}

void CClientInfo::WriteBackup() {
    if (!doc_) return;
    StoreBoughtItems();
    const std::string path = BackupPath();
    if (!WriteEncodedFile(path, BuildFileText(), false, true)) {
        throw CDataFileException("DEF0203", path + " を保存できません。");
    }
}

std::string CClientInfo::Get(const char* path) const { return doc_ ? doc_->GetByPath(path) : std::string(); }
int CClientInfo::GetInt(const char* path) const { return StrToInt(Get(path)); }

void CClientInfo::Set(const char* path, const std::string& value) {
    if (doc_) doc_->SetByPath(path, value);
}

void CClientInfo::LoadBoughtItems() {
    if (!doc_) {
        boughtItems_.clear();
        return;
    }
    boughtItems_ = SplitString(doc_->GetByPath(kBoughtItems), ',');
}

void CClientInfo::StoreBoughtItems() {
    if (!doc_) return;
    std::string joined;
    for (const std::string& name : boughtItems_) {
        if (name.empty()) continue;
        if (!joined.empty()) joined += ',';
        joined += name;
    }
    doc_->SetByPath(kBoughtItems, joined);
}

// ---- Getters ------------------------------------------------------------------------------

bool CClientInfo::HasCreatorId() const { return !Get(kCreatorId).empty(); }
std::string CClientInfo::GetCreatorId() const { return Get(kCreatorId); }
std::string CClientInfo::GetCreatorName() const {
    if (!HasCreatorId()) return kNotRegistered;
    return Get(kCreatorName);
}
std::string CClientInfo::GetCommonKey() const { return Get(kCommonKey); }
int CClientInfo::GetRatingPointSum() const { return GetInt(kRatingPointSum); }
int CClientInfo::GetCreatorPoint() const { return GetInt(kCreatorPoint); }
int CClientInfo::GetAccessFailCount() const { return GetInt(kAccessFailCount); }
bool CClientInfo::GetSendingPermission() const { return Get(kSendingPermission) == "true"; }
int CClientInfo::GetKeyConfigMode() const { return GetInt(kKeyConfigMode); }
int CClientInfo::GetMusicVolume() const { return GetInt(kMusicVolume); }
int CClientInfo::GetSoundEffectVolume() const { return GetInt(kSoundEffectVolume); }
std::string CClientInfo::GetLastBootUpDate() const { return Get(kLastBootUpDate); }

bool CClientInfo::IsItemBought(const std::string& itemName) {
    LoadBoughtItems();
    if (!doc_) return false;
    for (const std::string& name : boughtItems_) {
        if (name == itemName) return true;
    }
    return false;
}

// ---- Setters ------------------------------------------------------------------------------

void CClientInfo::SetCreatorInfo(const std::string& creatorId, const std::string& creatorName,
                                 const std::string& commonKey) {
    if (!doc_) return;
    Set(kCreatorId, creatorId);
    Set(kCreatorName, creatorName);
    Set(kCommonKey, commonKey);
    Set(kRatingPointSum, "0");
    Set(kCreatorPoint, "50");
    Save();
    WriteBackup();
}

void CClientInfo::ClearCreatorInfo() {
    if (!doc_) return;
    Set(kCreatorId, "");
    Set(kCreatorName, "");
    Set(kCommonKey, "");
    Set(kRatingPointSum, "0");
    Set(kCreatorPoint, "0");
    Save();
    WriteBackup();
}

void CClientInfo::AddRatingPoints(int points) {
    if (!doc_) return;
    const long long sum = static_cast<long long>(GetRatingPointSum()) + points;
    Set(kRatingPointSum, IntToString(ClampToInt(sum)));
    Save();
}

void CClientInfo::SetCreatorPoint(int points) {
    if (!doc_) return;
    Set(kCreatorPoint, IntToString(points > kMaxCreatorPoint ? kMaxCreatorPoint : points));
    Save();
}

void CClientInfo::AddCreatorPointsFromRating(int points) {
    if (!doc_) return;
    const long long sum = static_cast<long long>(GetCreatorPoint()) +
                          CCreatorLevelTable::GetInstance()->GetCreatorPointGain(points);
    SetCreatorPoint(ClampToInt(sum));
}

void CClientInfo::SetAccessFailCount(int count) {
    if (!doc_) return;
    Set(kAccessFailCount, IntToString(count));
    Save();
}

void CClientInfo::SetSendingPermission(bool permitted) {
    if (!doc_) return;
    Set(kSendingPermission, permitted ? "true" : "false");
    Save();
}

void CClientInfo::SetKeyConfigMode(int mode) {
    if (!doc_) return;
    Set(kKeyConfigMode, IntToString(mode));
    Save();
}

void CClientInfo::SetMusicVolume(int volume) {
    if (!doc_) return;
    Set(kMusicVolume, IntToString(volume));
    Save();
}

void CClientInfo::SetSoundEffectVolume(int volume) {
    if (!doc_) return;
    Set(kSoundEffectVolume, IntToString(volume));
    Save();
}

void CClientInfo::SetLastBootUpDate(const std::string& date) {
    if (!doc_) return;
    Set(kLastBootUpDate, date);
    Save();
}

void CClientInfo::AddBoughtItem(const std::string& itemName) {
    if (!doc_) return;
    if (IsItemBought(itemName)) return;
    boughtItems_.push_back(itemName);
    Save();
}

void CClientInfo::BuyItem(const std::string& itemName, int price) {
    if (!doc_) return;
    LoadBoughtItems();
    const std::string pointsBefore = Get(kCreatorPoint);
    const std::vector<std::string> itemsBefore = boughtItems_;
    const long long left = static_cast<long long>(GetCreatorPoint()) - price;
    Set(kCreatorPoint, IntToString(std::min(ClampToInt(left), kMaxCreatorPoint)));
    if (!IsItemBought(itemName)) boughtItems_.push_back(itemName);
    try {
        Save();
    } catch (const CDataFileException&) {
        Set(kCreatorPoint, pointsBefore);
        boughtItems_ = itemsBefore;
        StoreBoughtItems();
        throw;
    }
}

int GetCreatorLevel() {
    return CCreatorLevelTable::GetInstance()->GetLevel(CClientInfo::GetInstance()->GetRatingPointSum());
}
