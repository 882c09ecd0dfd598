#pragma once
// The sharing server's storage: one interface, two backends (SQLite for one machine, PostgreSQL
// for several servers sharing one database). A store is safe to use from many threads at once;
// it keeps nothing between calls that another server process could not see.
//
// Texts are UTF-8; stage data is the stage file's bytes as the game writes them (CP932).
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
    int64_t votes = 0;
};

struct StageList {
    int64_t total = 0;  // every stage that matches, not only those listed
    std::vector<StageSummary> stages;
};

// One stage's plays as one player reported them (sums since the player's previous report).
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

    // A new creator; throws StoreError Duplicate when the name is taken.
    virtual int64_t AddCreator(const std::string& name, const StoredKey& key) = 0;
    virtual std::optional<StoredKey> GetCreatorKey(int64_t creatorId) = 0;
    virtual std::optional<std::string> GetCreatorName(int64_t creatorId) = 0;
    // Removes the creator with every stage and play record of his; false when there is none.
    virtual bool DeleteCreator(int64_t creatorId) = 0;

    // Stores a stage in one transaction: `makeData` turns the new stage id into the stage text
    // that is stored (the text carries its own id). Returns the id.
    virtual int64_t AddStage(const NewStage& stage, const std::function<std::string(int64_t)>& makeData) = 0;
    // The stages the creator posted at or after the time.
    virtual int64_t CountPostsSince(int64_t creatorId, int64_t since) = 0;
    // The stage text, counting one download; nothing when there is no such stage.
    virtual std::optional<std::string> DownloadStage(int64_t stageId) = 0;
    // Removes one stage of the creator; false when he has no stage of that id.
    virtual bool DeleteStage(int64_t stageId, int64_t creatorId) = 0;

    // Lists, newest first unless said otherwise; `start` skips, `count` limits.
    virtual StageList ListNewest(int start, int count) = 0;
    virtual StageList ListByCreator(int64_t creatorId, int start, int count) = 0;
    // Stages of creators whose name contains `part`.
    virtual StageList SearchByCreatorName(const std::string& part, int start, int count) = 0;
    // Rated stages nearest to the difficulty and length (0..100) first, then the unrated ones.
    virtual StageList SearchByRatings(int difficulty, int length, int start, int count) = 0;

    // Adds one player's reports; reports for stages that do not exist are skipped.
    virtual void AddPlays(const std::string& player, const std::vector<PlayReport>& reports) = 0;
    // The rating points of a creator's stages (the rule is in RequestHandlers.h).
    virtual int64_t RatingPoints(int64_t creatorId) = 0;
};

enum class StoreKind { Guess, Sqlite, Postgres };

// Opens a store: an SQLite file (made when missing) or a PostgreSQL database (a libpq connection
// URI or "key=value" string). Guess takes "postgresql://..." and "postgres://..." for PostgreSQL
// and anything else for an SQLite path. Throws StoreError Unavailable when it cannot be opened.
std::unique_ptr<IStageStore> OpenStageStore(const std::string& location, int connections = 8,
                                            StoreKind kind = StoreKind::Guess);

// Difficulty, length (0..100) and rating (average vote) of the plays summed in a summary.
int StageDifficulty(const StageSummary& s);
int StageLength(const StageSummary& s);
double StageRating(const StageSummary& s);

}  // namespace qvserver
