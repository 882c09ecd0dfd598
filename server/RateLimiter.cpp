#include "server/RateLimiter.h"

#include <algorithm>

namespace qvserver {

bool RateLimiter::Allow(const std::string& address, Clock::time_point now) {
    if (perSecond_ <= 0) return true;
    std::lock_guard<std::mutex> lock(mutex_);
    auto [it, added] = buckets_.try_emplace(address, Bucket{burst_, now});
    Bucket& b = it->second;
    if (!added) {
        const double elapsed = std::chrono::duration<double>(now - b.last).count();
        b.tokens = std::min(burst_, b.tokens + std::max(0.0, elapsed) * perSecond_);
        b.last = now;
    }
    const bool allowed = b.tokens >= 1.0;
    if (allowed) b.tokens -= 1.0;
    // Once a minute: drop the buckets that are full again (their addresses are as if new).
    if (now - lastSweep_ > std::chrono::minutes(1)) {
        lastSweep_ = now;
        const double refill = burst_ / perSecond_;
        std::erase_if(buckets_, [&](const auto& kv) {
            return std::chrono::duration<double>(now - kv.second.last).count() >= refill;
        });
    }
    return allowed;
}

}  // namespace qvserver
