#pragma once
// The stages of one list reply from the sharing server: a total, a count and twelve lines per
// stage (id, name, third text, author, size, downloads, background key, difficulty, length,
// rating, posted date, twelfth text), lines separated by "\n" alone.
#include <cstdint>
#include <string>
#include <vector>

class CStageMetaInfo {
  public:
    CStageMetaInfo() = default;
    CStageMetaInfo(std::string stageId, std::string stageName, std::string thirdText, std::string author,
                   int32_t dataSize, int32_t downloadCount, std::string backGroundKey, std::string difficulty,
                   std::string length, std::string rating, std::string postedDate, std::string twelfthText,
                   bool hasRatings);

    std::string GetKey() const { return StageId; }
    std::string GetStageName() const { return StageName; }
    std::string GetThirdText() const { return ThirdText; }
    std::string GetOriginalAuthorName() const { return OriginalAuthorName; }
    int32_t GetDataSize() const { return DataSize; }
    std::string GetBackGroundKey() const { return BackGroundKey; }
    std::string GetDifficulty() const { return Difficulty; }
    std::string GetLength() const { return Length; }
    std::string GetRating() const { return Rating; }
    std::string GetPostedDate() const { return PostedDate; }

    std::string StageId;
    std::string StageName;
    std::string ThirdText;
    std::string OriginalAuthorName;
    int32_t DataSize = 0;
    int32_t DownloadCount = 0;
    std::string BackGroundKey;
    std::string Difficulty;
    std::string Length;
    std::string Rating;
    std::string PostedDate;
    std::string TwelfthText;
    bool HasRatings = false;
};

class CStageMetaInfoList {
  public:
    // Never fails: a malformed reply gives fewer records. Only records that are there are built:
    // all twelve lines present and every figure in its range (IsTrueRecord); Count is the number
    // built, however many the reply announces.
    explicit CStageMetaInfoList(const std::string& replyText);

    // True when the reply can be what the server sends: a total and a count that are whole
    // numbers from 0 (the count at most the total), exactly that many true records, and nothing
    // after them but one line feed.
    static bool IsTrueReply(const std::string& replyText);
    // The twelve lines from `first` are there and say what a record says: a stage id from 1, a
    // size to reserve from 1 to the largest download, downloads from 0, and
    // difficulty, length and rating each empty (nobody played it yet) or a decimal number from 0
    // to 100 with at most two decimals.
    static bool IsTrueRecord(const std::vector<std::string>& lines, size_t first);

    // Removes every record with this id, lowering Count by one for each.
    void Remove(const std::string& stageId);

    std::string ReplyText;
    int32_t TotalCount = 0;
    int32_t Count = 0;
    std::vector<CStageMetaInfo> Records;
};
