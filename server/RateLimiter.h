#pragma once
// Requests per client address: a bucket of `burst` tokens per address that refills at `perSecond`
// tokens a second; a request takes one token or is refused. Addresses idle long enough to have
// a full bucket again are forgotten, so the table stays small.
#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

namespace qvserver {

class RateLimiter {
  public:
    using Clock = std::chrono::steady_clock;
    // perSecond <= 0: no limit.
    RateLimiter(double perSecond, double burst) : perSecond_(perSecond), burst_(burst) {}

    bool Allow(const std::string& address, Clock::time_point now);

  private:
    struct Bucket {
        double tokens;
        Clock::time_point last;
    };
    double perSecond_;
    double burst_;
    std::mutex mutex_;
    std::unordered_map<std::string, Bucket> buckets_;
    Clock::time_point lastSweep_{};
};

}  // namespace qvserver
