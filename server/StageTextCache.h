#pragma once
// The texts of stages downloaded lately, kept in memory up to a byte budget. A stage's text never
// changes once stored and ids are never given twice, so a kept text is right for as long as its
// stage exists; the store asks the database whether it does on every download (the download's
// count), so a stage deleted through any server is never served from here.
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace qvserver {

class StageTextCache {
  public:
    explicit StageTextCache(size_t maxBytes) : maxBytes_(maxBytes) {}

    std::shared_ptr<const std::string> Find(int64_t stageId) const;
    // Keeps a text, dropping the oldest kept ones past the budget; a text larger than the whole
    // budget is not kept.
    void Keep(int64_t stageId, std::shared_ptr<const std::string> text);
    void Drop(int64_t stageId);

  private:
    size_t maxBytes_;
    size_t bytes_ = 0;
    mutable std::mutex mutex_;
    std::unordered_map<int64_t, std::shared_ptr<const std::string>> texts_;
    std::deque<int64_t> order_;  // oldest first; may name ids dropped since
};

}  // namespace qvserver
