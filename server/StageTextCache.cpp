#include "server/StageTextCache.h"

namespace qvserver {

std::shared_ptr<const std::string> StageTextCache::Find(int64_t stageId) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = texts_.find(stageId);
    return it == texts_.end() ? nullptr : it->second;
}

void StageTextCache::Keep(int64_t stageId, std::shared_ptr<const std::string> text) {
    if (!text || text->size() > maxBytes_) return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (texts_.count(stageId)) return;
    bytes_ += text->size();
    texts_.emplace(stageId, std::move(text));
    order_.push_back(stageId);
    // Ids of texts dropped since (deleted stages) are swept out now and then.
    if (order_.size() > 2 * texts_.size() + 64)
        std::erase_if(order_, [this](int64_t id) { return texts_.count(id) == 0; });
    while (bytes_ > maxBytes_ && !order_.empty()) {
        auto it = texts_.find(order_.front());
        order_.pop_front();
        if (it == texts_.end()) continue;
        bytes_ -= it->second->size();
        texts_.erase(it);
    }
}

void StageTextCache::Drop(int64_t stageId) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = texts_.find(stageId);
    if (it == texts_.end()) return;
    bytes_ -= it->second->size();
    texts_.erase(it);
}

}  // namespace qvserver
