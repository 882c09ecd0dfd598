#include "foundation/PlayHistory.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "foundation/EncodedFile.h"
#include "foundation/QuorException.h"
#include "foundation/TextConvert.h"
#include "foundation/TextEncoding.h"

namespace {

const char kHistoryPath[] = "network\\history.dat";
constexpr int kFields = 5;
// The sums a record keeps stay below this size either way: written with "%f" they read back the
// same (a number of more digits would not), and years of play stay far below it.
constexpr double kMaxSum = 1e15;

// A sum held within the range a record keeps; a value that is no number counts nothing.
double Bounded(double v) {
    if (std::isnan(v)) return 0.0;
    return v > kMaxSum ? kMaxSum : (v < -kMaxSum ? -kMaxSum : v);
}

// A number field of a stored record: within the range, or the line is not one of ours.
bool ReadSum(const std::string& cell, double& value) {
    value = StrToDouble(cell);
    return std::isfinite(value) && value <= kMaxSum && value >= -kMaxSum;
}

int32_t TruncToInt32(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(std::trunc(v));
}

// A key must stay one field of one line of the history file, and read back as it was written:
// the file holds CP932, which has no place for some characters (nor for the mark of bytes that
// were no CP932 text).
bool IsStorableKey(const std::string& key) {
    if (key.empty()) return false;
    for (char c : key) {
        if (c == ',' || c == '\n' || c == '\r' || c == '\0') return false;
    }
    return Cp932ToUtf8(Utf8ToCp932(key)) == key;
}

// True when the file holds nothing but line ends.
bool IsEmptyFile() {
    std::string raw;
    if (ReadEncodedFile(kHistoryPath, raw, false) != ReadStatus::Ok) return false;
    return raw.find_first_not_of('\n') == std::string::npos;
}

}  // namespace

// ---- PlayHistoryRecord --------------------------------------------------------------------

std::string PlayHistoryRecord::ToText() const {
    const int n = std::snprintf(nullptr, 0, "%f,%f,%f,%d", misses, playTicks, rating, playCount);
    std::string numbers(static_cast<size_t>(n > 0 ? n : 0), '\0');
    std::snprintf(numbers.data(), numbers.size() + 1, "%f,%f,%f,%d", misses, playTicks, rating, playCount);
    return key + "," + numbers;
}

void PlayHistoryRecord::Add(const PlayHistoryRecord& other) {
    misses = Bounded(misses + other.misses);
    playTicks = Bounded(playTicks + other.playTicks);
    rating = Bounded(rating + other.rating);
    const long long count = static_cast<long long>(playCount) + other.playCount;
    playCount = count > INT32_MAX ? INT32_MAX : (count < INT32_MIN ? INT32_MIN : static_cast<int32_t>(count));
}

QVNet::PlayHistory PlayHistoryRecord::ToNetRecord() const {
    QVNet::PlayHistory r;
    r.stageId = StrToInt(key);
    r.playCount = playCount;
    r.playTicks = TruncToInt32(playTicks);
    r.misses = TruncToInt32(misses);
    r.rating = TruncToInt32(rating);
    return r;
}

// ---- CPlayHistory -------------------------------------------------------------------------

CPlayHistory::CPlayHistory() { Load(); }

void CPlayHistory::Initialize() { Load(); }

void CPlayHistory::Load() {
    records_.clear();
    if (!FileExists(kHistoryPath)) return;
    std::string text;
    const ReadStatus status = ReadEncodedFile(kHistoryPath, text);
    std::map<std::string, PlayHistoryRecord> loaded;
    if (status == ReadStatus::CannotRead) {
        SetAside(CInitFileException("DEF0100", "history.dat を開けません。"));
    } else if ((status == ReadStatus::Malformed && !IsEmptyFile()) || !ParseRecords(text, loaded)) {
        // An empty file is an empty history (it holds not even the encoding's offset).
        SetAside(CInitFileException("DEF0101", "history.dat が不正です。"));
    } else {
        records_ = std::move(loaded);
    }
}

// The file holds every record that was saved, so every line is taken; a line of more than five
// fields, with a key that would not read back, or with a sum that is no number or beyond what a
// record keeps, is malformed. Lines are split one at
// a time, so a huge file of blank lines costs no table of its size.
bool CPlayHistory::ParseRecords(const std::string& text, std::map<std::string, PlayHistoryRecord>& loaded) {
    std::vector<std::string> cells;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        cells.assign(kFields, std::string());
        if (!ParseCsvText(text.substr(start, end - start), cells, kFields, 1)) return false;
        start = end + 1;
        const std::string& key = cells[0];
        if (key.empty()) continue;
        if (!IsStorableKey(key)) return false;
        double misses = 0, ticks = 0, rating = 0;
        if (!ReadSum(cells[1], misses) || !ReadSum(cells[2], ticks) || !ReadSum(cells[3], rating))
            return false;
        loaded[key] = PlayHistoryRecord(key, misses, ticks, rating, StrToInt(cells[4]));
    }
    return true;
}

// A history that cannot be read does not stop the game: the file is set aside under a new name,
// the player is told once, and play goes on with an empty history. Only a file that cannot be
// moved out of the way stops the start, as it would be overwritten by the next save.
void CPlayHistory::SetAside(const CInitFileException& error) {
    const std::string aside = SetAsideDamagedFile(kHistoryPath);
    if (aside.empty()) throw error;
    NoteRecoveredError(
        CInitFileException(error.GetCode(), error.GetMessage() + "\n別名で残し、空で始めます。"),
        "history.dat を " + aside + " に退避しました。");
    // A damaged file that stays where it was (in the game folder of an installed copy, which the
    // game does not write) is hidden by an empty history where the game writes.
    if (FileExists(kHistoryPath)) {
        try {
            Save();
        } catch (const CQuorException&) {
            // Unsaved, the damaged file is set aside again at the next start.
        }
    }
}

void CPlayHistory::Save() {
    std::string text;
    for (const auto& [key, record] : records_) {
        text += record.ToText();
        text += '\n';
    }
    if (!WriteEncodedFile(kHistoryPath, text, false, true)) {
        throw CDataFileException("DEF0102", "history.dat を保存できません。");
    }
}

void CPlayHistory::AddPlayRecord(const std::string& key, double misses, double playTicks, double rating) {
    if (!IsStorableKey(key)) return;
    if (misses > kMaxMisses) misses = kMaxMisses;
    if (playTicks > kMaxPlayTicks) playTicks = kMaxPlayTicks;
    const PlayHistoryRecord record(key, Bounded(misses), Bounded(playTicks), Bounded(rating), 1);
    auto it = records_.find(key);
    if (it != records_.end()) {
        it->second.Add(record);
    } else {
        records_.emplace(key, record);
    }
    Save();
}

int CPlayHistory::GetCount() const {
    const size_t n = records_.size();
    return n > static_cast<size_t>(kMaxSentRecords) ? kMaxSentRecords : static_cast<int>(n);
}

std::vector<QVNet::PlayHistory> CPlayHistory::CreateRecordArray() const {
    std::vector<QVNet::PlayHistory> out;
    const int count = GetCount();
    out.reserve(static_cast<size_t>(count));
    for (auto it = records_.begin(); it != records_.end() && static_cast<int>(out.size()) < count; ++it) {
        out.push_back(it->second.ToNetRecord());
    }
    return out;
}

void CPlayHistory::ClearAndSave() {
    const int count = GetCount();
    auto end = records_.begin();
    std::advance(end, count);
    records_.erase(records_.begin(), end);
    Save();
}
