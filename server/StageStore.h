#pragma once
// The sharing server's storage: one interface, two backends (SQLite for one machine, PostgreSQL
// for several servers sharing one database). A store is safe to use from many threads at once;
// it keeps nothing between calls that another server process could not see.
//
// Texts are UTF-8; stage data is the stage file's bytes as the game writes them (CP932).
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace qvserver {

// What went wrong inside a store, as the request handlers answer it.
enum class StoreFailure {
    Unavailable,  // the database cannot be reached or opened
    Duplicate,    // a creator name that is taken
    Conflict,     // a deadlock or a serialization failure: the store runs the transaction again
    Internal,     // anything else the database reports
};

class StoreError : public std::runtime_error {
  public:
    StoreError(StoreFailure failure, const std::string& what) : std::runtime_error(what), failure_(failure) {}
    StoreFailure Failure() const { return failure_; }

  private:
    StoreFailure failure_;
};

// A creator's common key as stored: a random salt and the hash of salt and key, both as
// lower-case hexadecimal text. The key itself is never stored.
struct StoredKey {
    std::string salt;
    std::string hash;
};

// At most `count` events since the time `since`, at the time `now` (seconds since 1970, UTC);
// a count of 0 is no limit.
struct DailyLimit {
    int64_t now = 0;
    int64_t since = 0;
    int count = 0;
};

struct NewStage {
    int64_t creatorId = 0;
    std::string name;        // the stage's own name
    std::string author;      // the stage's original author, or the creator's name
    std::string background;  // the background key the client sent
    int64_t postedAt = 0;    // seconds since 1970 (UTC)
};

// One stage as the lists show it.
struct StageSummary {
    int64_t id = 0;
    int64_t creatorId = 0;
    std::string name;
    std::string author;
    std::string background;
    int64_t size = 0;  // bytes of the stored stage text
    int64_t downloads = 0;
    int64_t postedAt = 0;
    // Sums over every play the players reported.
    int64_t plays = 0;
    int64_t ticks = 0;
    int64_t misses = 0;
    // The players' votes: the sum of each reporting address's latest vote, and how many voted.
    int64_t votes = 0;
    int64_t voters = 0;
};

struct StageList {
    int64_t total = 0;  // every stage that matches, not only those listed
    std::vector<StageSummary> stages;
};

// One stage's plays as one player reported them (sums since the player's previous report): votes
// is the sum of one vote (20..100) per play.
struct PlayReport {
    int64_t stageId = 0;
    int64_t plays = 0;
    int64_t ticks = 0;
    int64_t misses = 0;
    int64_t votes = 0;
};

class IStageStore {
  public:
    virtual ~IStageStore() = default;

    // Answers when the database can be reached; throws StoreError Unavailable otherwise.
    virtual void Check() = 0;

    // A new creator registered from the address; throws StoreError Duplicate when the name is
    // taken. Nothing when the address registered `limit.count` creators since `limit.since`
    // (counted and added in one transaction; a count of 0 is no limit).
    virtual std::optional<int64_t> AddCreator(const std::string& name, const StoredKey& key,
                                              const std::string& address, const DailyLimit& limit) = 0;
    virtual std::optional<StoredKey> GetCreatorKey(int64_t creatorId) = 0;
    virtual std::optional<std::string> GetCreatorName(int64_t creatorId) = 0;
    // Removes the creator with every stage and play record of his; false when there is none.
    virtual bool DeleteCreator(int64_t creatorId) = 0;

    // Stores a stage in one transaction: `makeData` turns the new stage id into the stage text
    // that is stored (the text carries its own id). Returns the id; nothing when the creator
    // posted `limit.count` stages since `limit.since` (counted in the same transaction).
    virtual std::optional<int64_t> AddStage(const NewStage& stage,
                                            const std::function<std::string(int64_t)>& makeData,
                                            const DailyLimit& limit) = 0;
    // The stages the creator posted at or after the time.
    virtual int64_t CountPostsSince(int64_t creatorId, int64_t since) = 0;
    // The stage text; nothing when there is no such stage. The download counts when the address
    // has not downloaded the stage yet on that day (a day number: seconds since 1970 / 86400).
    virtual std::optional<std::string> DownloadStage(int64_t stageId, const std::string& address,
                                                     int64_t day) = 0;
    // Removes one stage of the creator; false when he has no stage of that id.
    virtual bool DeleteStage(int64_t stageId, int64_t creatorId) = 0;

    // Lists, newest first unless said otherwise; `start` skips, `count` limits.
    virtual StageList ListNewest(int start, int count) = 0;
    virtual StageList ListByCreator(int64_t creatorId, int start, int count) = 0;
    // Stages of creators whose name contains `part`.
    virtual StageList SearchByCreatorName(const std::string& part, int start, int count) = 0;
    // Rated stages nearest to the difficulty and length (0..100) first, then the unrated ones.
    virtual StageList SearchByRatings(int difficulty, int length, int start, int count) = 0;

    // Adds one player's reports made on the day (a day number); reports for stages that do not
    // exist are skipped. The player's vote on a stage is his latest report's average vote (it
    // replaces the earlier one; several lines of one stage count as one); his plays, ticks and
    // misses of one stage in one day count up to what one player can play in a day (kPlaysPerDay,
    // kTicksPerDay, kMissesPerDay). A stage's totals are always the sums of its players' records,
    // however many players report at once.
    virtual void AddPlays(const std::string& player, int64_t day, const std::vector<PlayReport>& reports) = 0;
    // The rating points of a creator's stages (the rule is in RequestHandlers.h).
    virtual int64_t RatingPoints(int64_t creatorId) = 0;

    // The creators registered from the address at or after the time.
    virtual int64_t CountRegistrationsSince(const std::string& address, int64_t since) = 0;
};

// What one player can play of one stage in a day: the time of a day at 60 ticks a second; a play
// takes at least ten seconds from one start to the next; at most 10 misses a play.
inline constexpr int64_t kTicksPerDay = 86400 * 60;
inline constexpr int64_t kPlaysPerDay = 86400 / 10;
inline constexpr int64_t kMissesPerDay = 10 * kPlaysPerDay;

enum class StoreKind { Guess, Sqlite, Postgres };

// How long a call waits at most for a free connection of the pool (and, with SQLite, for the
// file's write lock) before it fails with StoreError Unavailable.
inline constexpr std::chrono::milliseconds kDefaultDatabaseWait{3000};

// Opens a store: an SQLite file (made when missing) or a PostgreSQL database (a libpq connection
// URI or "key=value" string). Guess takes "postgresql://..." and "postgres://..." for PostgreSQL
// and anything else for an SQLite path. Throws StoreError Unavailable when it cannot be opened.
std::unique_ptr<IStageStore> OpenStageStore(const std::string& location, int connections = 8,
                                            StoreKind kind = StoreKind::Guess,
                                            std::chrono::milliseconds wait = kDefaultDatabaseWait);

// Difficulty, length (0..100) and rating (average of the players' votes) of a summary.
int StageDifficulty(const StageSummary& s);
int StageLength(const StageSummary& s);
double StageRating(const StageSummary& s);

}  // namespace qvserver
