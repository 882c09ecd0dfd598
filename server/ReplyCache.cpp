#include "server/ReplyCache.h"

#include <mutex>

namespace qvserver {

uint64_t ReplyCache::Generation() const {
    std::shared_lock lock(mutex_);
    return generation_;
}

std::optional<std::string> ReplyCache::Find(int key, Clock::time_point now) const {
    std::shared_lock lock(mutex_);
    auto it = entries_.find(key);
    if (it == entries_.end() || it->second.generation != generation_ || now - it->second.made >= maxAge_)
        return std::nullopt;
    return it->second.reply;
}

void ReplyCache::Keep(int key, uint64_t generation, std::string reply, Clock::time_point now) {
    std::unique_lock lock(mutex_);
    if (generation != generation_) return;
    entries_[key] = Entry{generation, now, std::move(reply)};
}

void ReplyCache::Invalidate() {
    std::unique_lock lock(mutex_);
    ++generation_;
    entries_.clear();
}

}  // namespace qvserver
