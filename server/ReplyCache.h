#pragma once
// Replies kept for reuse: the newest-stages list is what every player's game asks first and most
// often, and it changes only when a stage comes or goes. A kept reply serves until this server
// takes a write. Past its age limit, which bounds how long a write made through another server on
// the same database (or a download's count) takes to show, the next request makes it anew while
// the others go on with the old one, so the database sees one request, not a crowd.
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>
#include <shared_mutex>
#include <string>

namespace qvserver {

class ReplyCache {
  public:
    using Clock = std::chrono::steady_clock;
    explicit ReplyCache(Clock::duration maxAge) : maxAge_(maxAge) {}

    // Taken before reading what a reply is made of; given back to Keep with the reply.
    uint64_t Generation() const;
    // The reply kept under the key, when no write came since it was made and it is young enough,
    // or while another caller makes it anew. Nothing tells the caller to make it (and Keep it).
    std::optional<std::string> Find(int key, Clock::time_point now);
    // What Find would serve, without ever telling the caller to make it: nothing where Find would
    // tell a caller to make it (then Find must be asked).
    std::optional<std::string> Peek(int key, Clock::time_point now) const;
    // Keeps a reply made from what was read at `generation` (nothing, when a write came since).
    void Keep(int key, uint64_t generation, std::string reply, Clock::time_point now);
    // Every kept reply is old from now on.
    void Invalidate();

  private:
    struct Entry {
        uint64_t generation = 0;
        Clock::time_point made;
        std::string reply;
        bool renewing = false;
        Clock::time_point renewStarted;
    };
    Clock::duration maxAge_;
    mutable std::shared_mutex mutex_;
    uint64_t generation_ = 0;
    std::map<int, Entry> entries_;
};

}  // namespace qvserver
