#include "online/StageMetaInfo.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "foundation/TextConvert.h"
#include "foundation/TextEncoding.h"
#include "online/QVNet.h"

namespace {
constexpr int kLinesPerRecord = 12;
constexpr size_t kDateBytes = 10;
// The fields of a record, by their line in it.
enum RecordLine : size_t {
    kIdLine = 0,
    kSizeLine = 4,
    kDownloadsLine = 5,
    kDifficultyLine = 7,
    kLengthLine = 8,
    kRatingLine = 9,
};
// Difficulty, length and rating run from 0 to 100, with at most two decimals.
constexpr double kMaxFigure = 100.0;
constexpr size_t kMaxIntegerDigits = 3, kMaxDecimals = 2;

bool WholeInRange(const std::string& text, int64_t low, int64_t high) {
    const auto n = ParseWholeInt32(text);
    return n && *n >= low && *n <= high;
}

// A plain decimal number ("57", "99.9", "100.00") from 0 to 100: no sign, exponent or name.
bool FigureInRange(const std::string& text) {
    const size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    const std::string decimals = dot == std::string::npos ? std::string() : text.substr(dot + 1);
    auto digits = [](const std::string& t) {
        return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || whole.size() > kMaxIntegerDigits || !digits(whole)) return false;
    if (dot != std::string::npos && (decimals.empty() || decimals.size() > kMaxDecimals || !digits(decimals)))
        return false;
    return StrToDouble(text) <= kMaxFigure;
}

}  // namespace

CStageMetaInfo::CStageMetaInfo(std::string stageId, std::string stageName, std::string thirdText,
                               std::string author, int32_t dataSize, int32_t downloadCount,
                               std::string backGroundKey, std::string difficulty, std::string length,
                               std::string rating, std::string postedDate, std::string twelfthText,
                               bool hasRatings)
    : StageId(std::move(stageId)),
      StageName(std::move(stageName)),
      ThirdText(std::move(thirdText)),
      OriginalAuthorName(std::move(author)),
      DataSize(dataSize),
      DownloadCount(downloadCount),
      BackGroundKey(std::move(backGroundKey)),
      Difficulty(std::move(difficulty)),
      Length(std::move(length)),
      Rating(std::move(rating)),
      PostedDate(std::move(postedDate)),
      TwelfthText(std::move(twelfthText)),
      HasRatings(hasRatings) {}

bool CStageMetaInfoList::IsTrueRecord(const std::vector<std::string>& lines, size_t first) {
    if (first + kLinesPerRecord > lines.size()) return false;
    auto line = [&](RecordLine field) -> const std::string& { return lines[first + field]; };
    if (!WholeInRange(line(kIdLine), 1, INT32_MAX) ||
        !WholeInRange(line(kSizeLine), 1, QVNet::kMaxDownloadSize) ||
        !WholeInRange(line(kDownloadsLine), 0, INT32_MAX))
        return false;
    const std::string* ratings[] = {&line(kDifficultyLine), &line(kLengthLine), &line(kRatingLine)};
    return std::all_of(std::begin(ratings), std::end(ratings),
                       [](const std::string* t) { return t->empty() || FigureInRange(*t); });
}

bool CStageMetaInfoList::IsTrueReply(const std::string& replyText) {
    const std::vector<std::string> lines = SplitString(replyText, '\n');
    if (lines.size() < 2) return false;
    const auto total = ParseWholeInt32(lines[0]), count = ParseWholeInt32(lines[1]);
    if (!total || !count || *total < 0 || *count < 0 || *count > *total) return false;
    const size_t end = 2 + static_cast<size_t>(*count) * kLinesPerRecord;
    // Only one line feed may follow the last record: then the last line is empty.
    if (lines.size() > end + 1 || (lines.size() == end + 1 && !lines.back().empty())) return false;
    // An announced record that is not there fails here too: IsTrueRecord needs all its lines.
    for (size_t first = 2; first < end; first += kLinesPerRecord) {
        if (!IsTrueRecord(lines, first)) return false;
    }
    return true;
}

CStageMetaInfoList::CStageMetaInfoList(const std::string& replyText) : ReplyText(replyText) {
    const std::vector<std::string> lines = SplitString(replyText, '\n');
    if (lines.size() < 3) return;
    TotalCount = std::max(StrToInt(lines[0]), 0);
    const int32_t announced = StrToInt(lines[1]);
    // A record that is not there (cut short, or with a figure no server sends) is not built: a
    // card without a stage behind it would download nothing.
    for (int32_t i = 0; i < announced; ++i) {
        const size_t first = 2 + static_cast<size_t>(i) * kLinesPerRecord;
        if (first >= lines.size()) break;
        if (!IsTrueRecord(lines, first)) continue;
        auto line = [&](size_t field) { return lines[first + field]; };
        CStageMetaInfo r(line(0), line(1), line(2), line(3), StrToInt(line(kSizeLine)),
                         StrToInt(line(kDownloadsLine)), line(6), line(kDifficultyLine), line(kLengthLine),
                         line(kRatingLine), CutToCp932Bytes(line(10), kDateBytes),
                         CutToCp932Bytes(line(11), kDateBytes), false);
        r.HasRatings = !r.Difficulty.empty() && !r.Length.empty() && !r.Rating.empty();
        Records.push_back(std::move(r));
    }
    Count = static_cast<int32_t>(Records.size());
}

void CStageMetaInfoList::Remove(const std::string& stageId) {
    const auto before = Records.size();
    std::erase_if(Records, [&](const CStageMetaInfo& r) { return r.StageId == stageId; });
    Count -= static_cast<int32_t>(before - Records.size());
}
