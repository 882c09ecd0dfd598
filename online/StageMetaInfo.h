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
    // Never fails: a malformed reply gives fewer or emptier records. At most as many records as
    // the reply has lines for are built, however many it announces.
    explicit CStageMetaInfoList(const std::string& replyText);

    // Removes every record with this id, lowering Count by one for each.
    void Remove(const std::string& stageId);

    std::string ReplyText;
    int32_t TotalCount = 0;
    int32_t Count = 0;
    std::vector<CStageMetaInfo> Records;
};
