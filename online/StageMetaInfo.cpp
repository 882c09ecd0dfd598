#include "online/StageMetaInfo.h"

#include <algorithm>

#include "foundation/TextConvert.h"
#include "foundation/TextEncoding.h"

namespace {
constexpr int kLinesPerRecord = 12;
constexpr size_t kDateBytes = 10;

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

CStageMetaInfoList::CStageMetaInfoList(const std::string& replyText) : ReplyText(replyText) {
    const std::vector<std::string> lines = SplitString(replyText, '\n');
    if (lines.size() < 3) return;
    TotalCount = StrToInt(lines[0]);
    Count = StrToInt(lines[1]);
    if (Count <= 0) {
        Count = std::max(Count, 0);
        return;
    }
    // A count beyond the lines present builds no empty records: records are built while their
    // first line exists.
    const int64_t present = (static_cast<int64_t>(lines.size()) - 2 + kLinesPerRecord - 1) / kLinesPerRecord;
    const int32_t built = static_cast<int32_t>(std::min<int64_t>(Count, present));
    Count = built;
    Records.reserve(static_cast<size_t>(built));
    for (int32_t i = 0; i < built; ++i) {
        auto line = [&](int field) -> std::string {
            const size_t at = 2 + static_cast<size_t>(i) * kLinesPerRecord + static_cast<size_t>(field);
            return at < lines.size() ? lines[at] : std::string();
        };
        const std::string sizeText = line(4), downloadText = line(5);
        CStageMetaInfo r(line(0), line(1), line(2), line(3), StrToInt(sizeText.empty() ? "0" : sizeText),
                         StrToInt(downloadText.empty() ? "0" : downloadText), line(6), line(7), line(8),
                         line(9), CutToCp932Bytes(line(10), kDateBytes),
                         CutToCp932Bytes(line(11), kDateBytes), false);
        r.HasRatings = !r.Difficulty.empty() && !r.Length.empty() && !r.Rating.empty();
        Records.push_back(std::move(r));
    }
}

void CStageMetaInfoList::Remove(const std::string& stageId) {
    const auto before = Records.size();
    std::erase_if(Records, [&](const CStageMetaInfo& r) { return r.StageId == stageId; });
    Count -= static_cast<int32_t>(before - Records.size());
}
