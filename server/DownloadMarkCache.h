#pragma once
// The downloads this server has already counted today, by stage and address. A download is counted
// once per stage, address and day in the database; a repeat that this server has seen needs no
// write there at all, so a client fetching one stage over and over costs a read, not a row lock.
// Another server sharing the database still asks the database, which settles it the same way.
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_set>

namespace qvserver {

class DownloadMarkCache {
  public:
    explicit DownloadMarkCache(size_t maxMarks) : maxMarks_(maxMarks) {}

    // True when this stage's download from this address was counted already on `day`.
    bool Has(int64_t stageId, const std::string& address, int64_t day) const;
    // Remembers a counted download; a new day forgets the last one, and a full memory starts over.
    void Keep(int64_t stageId, const std::string& address, int64_t day);

  private:
    static std::string Key(int64_t stageId, const std::string& address);
    size_t maxMarks_;
    mutable std::mutex mutex_;
    int64_t day_ = -1;
    std::unordered_set<std::string> marks_;
};

}  // namespace qvserver
