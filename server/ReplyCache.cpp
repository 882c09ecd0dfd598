#include "server/ReplyCache.h"

#include <mutex>

namespace qvserver {

uint64_t ReplyCache::Generation() const {
    std::shared_lock lock(mutex_);
    return generation_;
}

std::optional<std::string> ReplyCache::Find(int key, Clock::time_point now) {
    if (auto kept = Peek(key, now)) return kept;
    if (maxAge_ <= Clock::duration::zero()) return std::nullopt;
    std::unique_lock lock(mutex_);
    auto it = entries_.find(key);
    if (it == entries_.end() || it->second.generation != generation_) return std::nullopt;
    Entry& e = it->second;
    if (now - e.made < maxAge_) return e.reply;
    // Too old: this caller makes it anew; the others serve the old one meanwhile, unless the
    // one making it has not kept it within an age limit (it failed).
    if (!e.renewing || now - e.renewStarted >= maxAge_) {
        e.renewing = true;
        e.renewStarted = now;
        return std::nullopt;
    }
    return e.reply;
}

std::optional<std::string> ReplyCache::Peek(int key, Clock::time_point now) const {
    if (maxAge_ <= Clock::duration::zero()) return std::nullopt;
    std::shared_lock lock(mutex_);
    auto it = entries_.find(key);
    if (it == entries_.end() || it->second.generation != generation_) return std::nullopt;
    const Entry& e = it->second;
    const bool renewedElsewhere = e.renewing && now - e.renewStarted < maxAge_;
    if (now - e.made < maxAge_ || renewedElsewhere) return e.reply;
    return std::nullopt;
}

void ReplyCache::Keep(int key, uint64_t generation, std::string reply, Clock::time_point now) {
    std::unique_lock lock(mutex_);
    if (maxAge_ <= Clock::duration::zero() || generation != generation_) return;
    entries_[key] = Entry{generation, now, std::move(reply), false, {}};
}

void ReplyCache::Invalidate() {
    std::unique_lock lock(mutex_);
    ++generation_;
    entries_.clear();
}

}  // namespace qvserver
