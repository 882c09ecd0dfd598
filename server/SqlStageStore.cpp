// The one store over either database: a pool of connections, the same statements for both
// dialects (numbered parameters, RETURNING, ON CONFLICT), a transaction around every change that
// touches more than one row and around every list read with its total. Writes that lock several
// stage rows lock them in the order of their ids; a write the database still rolls back for
// meeting another (a deadlock it broke) runs again.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <utility>

#include "server/DownloadMarkCache.h"
#include "server/SqlConnection.h"
#include "server/StageStore.h"
#include "server/StageTextCache.h"

namespace qvserver {
namespace {

int64_t ToInt(const std::string& s) {
    if (s.empty()) return 0;
    try {
        return std::stoll(s);
    } catch (...) {
        throw StoreError(StoreFailure::Internal, "not a number: " + s);
    }
}

const char kSummary[] =
    "SELECT s.id, s.creator_id, s.name, s.author, s.background, s.size, s.downloads, s.posted_at, "
    "s.plays, s.ticks, s.misses, s.votes, s.voters FROM stages s ";

// How many times a write that met another transaction runs in all before it is refused.
constexpr int kAttempts = 5;

// What SerializeOn locks: the posts of one creator, the registrations and the play reports of
// one address.
enum class LockKind : int { CreatorPosts = 1, Registrations = 2, PlayReports = 3 };

// Changes to the tables of a database made by an earlier version, each run once, in order, in
// one transaction with the record that it ran. Both dialects take the same statements.
struct Migration {
    const char* name;
    std::vector<const char*> statements;
};

// NOLINTBEGIN(bugprone-suspicious-missing-comma)
const Migration kMigrations[] = {
    {"1-once-per-address",
     {
         // A player's latest vote on a stage (0: none), and what he played of it on his latest day.
         "ALTER TABLE play_records ADD COLUMN vote BIGINT NOT NULL DEFAULT 0",
         "ALTER TABLE play_records ADD COLUMN day BIGINT NOT NULL DEFAULT 0",
         "ALTER TABLE play_records ADD COLUMN day_plays BIGINT NOT NULL DEFAULT 0",
         "ALTER TABLE play_records ADD COLUMN day_ticks BIGINT NOT NULL DEFAULT 0",
         "ALTER TABLE play_records ADD COLUMN day_misses BIGINT NOT NULL DEFAULT 0",
         "ALTER TABLE stages ADD COLUMN voters BIGINT NOT NULL DEFAULT 0",
         // The votes summed so far become each player's one vote: his average.
         "UPDATE play_records SET vote = CASE WHEN votes / plays > 100 THEN 100 ELSE votes / plays END "
         "WHERE plays > 0",
         "UPDATE stages SET votes = COALESCE((SELECT SUM(p.vote) FROM play_records p WHERE p.stage_id = "
         "stages.id AND p.vote > 0), 0), voters = (SELECT COUNT(*) FROM play_records p WHERE p.stage_id = "
         "stages.id AND p.vote > 0)",
         // The day on which each address last counted a download of a stage.
         "CREATE TABLE IF NOT EXISTS download_marks (stage_id BIGINT NOT NULL REFERENCES stages(id) "
         "ON DELETE CASCADE, address TEXT NOT NULL, day BIGINT NOT NULL, PRIMARY KEY (stage_id, address))",
         "CREATE TABLE IF NOT EXISTS registrations (address TEXT NOT NULL, registered_at BIGINT NOT NULL)",
         "CREATE INDEX IF NOT EXISTS registrations_by_address ON registrations (address, registered_at)",
     }},
    {"2-totals-from-records",
     {
         // Reports that ran at once could leave a stage's totals short of its records; reports
         // now move the totals by their own change, so the totals start from the records' sums.
         "UPDATE stages SET plays = COALESCE((SELECT SUM(p.plays) FROM play_records p WHERE p.stage_id = "
         "stages.id), 0), ticks = COALESCE((SELECT SUM(p.ticks) FROM play_records p WHERE p.stage_id = "
         "stages.id), 0), misses = COALESCE((SELECT SUM(p.misses) FROM play_records p WHERE p.stage_id = "
         "stages.id), 0), votes = COALESCE((SELECT SUM(p.vote) FROM play_records p WHERE p.stage_id = "
         "stages.id AND p.vote > 0), 0), voters = (SELECT COUNT(*) FROM play_records p WHERE p.stage_id = "
         "stages.id AND p.vote > 0)",
         // StageDifficulty and StageLength of the new totals (none is negative).
         "UPDATE stages SET difficulty = CASE WHEN plays <= 0 THEN 0 WHEN misses * 20 / plays > 100 THEN 100 "
         "ELSE misses * 20 / plays END, length = CASE WHEN plays <= 0 THEN 0 WHEN ticks / plays / 360 > 100 "
         "THEN 100 ELSE ticks / plays / 360 END",
     }},
};
// NOLINTEND(bugprone-suspicious-missing-comma)

StageSummary ToSummary(const SqlRow& r) {
    StageSummary s;
    s.id = ToInt(r.at(0));
    s.creatorId = ToInt(r.at(1));
    s.name = r.at(2);
    s.author = r.at(3);
    s.background = r.at(4);
    s.size = ToInt(r.at(5));
    s.downloads = ToInt(r.at(6));
    s.postedAt = ToInt(r.at(7));
    s.plays = ToInt(r.at(8));
    s.ticks = ToInt(r.at(9));
    s.misses = ToInt(r.at(10));
    s.votes = ToInt(r.at(11));
    s.voters = ToInt(r.at(12));
    return s;
}

// One stage's lines of a report taken together. The player's vote is the average of the lines
// that carry votes: their votes over their plays.
struct StagePlays {
    PlayReport sum;
    int64_t votedPlays = 0;
};

// A report's lines by stage id, one for each stage: every report then locks the stages' rows in
// the same order, so two reports never wait for each other in a circle.
std::vector<StagePlays> ByStage(const std::vector<PlayReport>& reports) {
    std::vector<PlayReport> sorted = reports;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const PlayReport& a, const PlayReport& b) { return a.stageId < b.stageId; });
    std::vector<StagePlays> out;
    for (const PlayReport& r : sorted) {
        if (out.empty() || out.back().sum.stageId != r.stageId) out.push_back({{r.stageId, 0, 0, 0, 0}, 0});
        StagePlays& s = out.back();
        s.sum.plays += r.plays;
        s.sum.ticks += r.ticks;
        s.sum.misses += r.misses;
        if (r.votes > 0) {
            s.sum.votes += r.votes;
            s.votedPlays += r.plays;
        }
    }
    return out;
}

// The texts of stages downloaded lately that a store keeps in memory.
constexpr size_t kKeptTextBytes = 32u << 20;
// Downloads remembered as counted today (some 100 bytes each).
constexpr size_t kKeptDownloadMarks = 100000;

class SqlStageStore : public IStageStore {
  public:
    using Opener = std::function<std::unique_ptr<ISqlConnection>(const std::string&)>;

    // `wait` bounds how long a call waits for a free connection.
    SqlStageStore(Opener open, std::string location, int connections, std::chrono::milliseconds wait)
        : open_(std::move(open)),
          location_(std::move(location)),
          max_(std::max(1, connections)),
          wait_(wait) {
        std::unique_ptr<ISqlConnection> first = open_(location_);
        for (const std::string& stmt : first->Schema()) first->Exec(stmt);
        for (const Migration& m : kMigrations) Migrate(*first, m);
        idle_.push_back(std::move(first));
        opened_ = 1;
    }

    void Check() override {
        Lease c(*this);
        c->Query("SELECT 1", {});
    }

    std::optional<int64_t> AddCreator(const std::string& name, const StoredKey& key,
                                      const std::string& address, const DailyLimit& limit) override {
        return Attempt([&](ISqlConnection& c) -> std::optional<int64_t> {
            Transaction tx(c);
            if (limit.count > 0) {
                Serialize(c, LockKind::Registrations, address);
                if (CountRegistrations(c, address, limit.since) >= limit.count) return std::nullopt;
            }
            const int64_t id = ToInt(
                c.Query("INSERT INTO creators (name, key_salt, key_hash) VALUES ($1, $2, $3) RETURNING id",
                        {SqlParam::Text(name), SqlParam::Text(key.salt), SqlParam::Text(key.hash)})
                    .at(0)
                    .at(0));
            c.Query("INSERT INTO registrations (address, registered_at) VALUES ($1, $2)",
                    {SqlParam::Text(address), SqlParam::Int(limit.now)});
            tx.Commit();
            return id;
        });
    }

    std::optional<StoredKey> GetCreatorKey(int64_t creatorId) override {
        Lease c(*this);
        auto rows =
            c->Query("SELECT key_salt, key_hash FROM creators WHERE id = $1", {SqlParam::Int(creatorId)});
        if (rows.empty()) return std::nullopt;
        return StoredKey{rows[0].at(0), rows[0].at(1)};
    }

    std::optional<std::string> GetCreatorName(int64_t creatorId) override {
        Lease c(*this);
        auto rows = c->Query("SELECT name FROM creators WHERE id = $1", {SqlParam::Int(creatorId)});
        if (rows.empty()) return std::nullopt;
        return rows[0].at(0);
    }

    bool DeleteCreator(int64_t creatorId) override {
        // The stages, their data and their play records go with the creator (ON DELETE CASCADE).
        return Attempt([&](ISqlConnection& c) {
            return !c.Query("DELETE FROM creators WHERE id = $1 RETURNING id", {SqlParam::Int(creatorId)})
                        .empty();
        });
    }

    std::optional<int64_t> AddStage(const NewStage& st, const std::function<std::string(int64_t)>& makeData,
                                    const DailyLimit& limit) override {
        return Attempt([&](ISqlConnection& c) -> std::optional<int64_t> {
            Transaction tx(c);
            if (limit.count > 0) {
                Serialize(c, LockKind::CreatorPosts, std::to_string(st.creatorId));
                if (CountPosts(c, st.creatorId, limit.since) >= limit.count) return std::nullopt;
            }
            const int64_t id = ToInt(
                c.Query("INSERT INTO stages (creator_id, name, author, background, size, posted_at) "
                        "VALUES ($1, $2, $3, $4, 0, $5) RETURNING id",
                        {SqlParam::Int(st.creatorId), SqlParam::Text(st.name), SqlParam::Text(st.author),
                         SqlParam::Text(st.background), SqlParam::Int(st.postedAt)})
                    .at(0)
                    .at(0));
            std::string data = makeData(id);
            const auto size = static_cast<int64_t>(data.size());
            c.Query("INSERT INTO stage_data (stage_id, data) VALUES ($1, $2)",
                    {SqlParam::Int(id), SqlParam::Blob(std::move(data))});
            c.Query("UPDATE stages SET size = $1 WHERE id = $2", {SqlParam::Int(size), SqlParam::Int(id)});
            tx.Commit();
            return id;
        });
    }

    int64_t CountPostsSince(int64_t creatorId, int64_t since) override {
        Lease c(*this);
        return CountPosts(*c, creatorId, since);
    }

    std::optional<std::string> DownloadStage(int64_t stageId, const std::string& address,
                                             int64_t day) override {
        // Whether the stage exists, whichever server deleted it, is asked first; the text is read
        // after, outside any write. A download this server counted today already only asks.
        const bool exists =
            marks_.Has(stageId, address, day)
                ? StageExists(stageId)
                : Attempt([&](ISqlConnection& c) { return MarkDownload(c, stageId, address, day); });
        if (!exists) {
            texts_.Drop(stageId);
            return std::nullopt;
        }
        marks_.Keep(stageId, address, day);
        if (auto kept = texts_.Find(stageId)) return *kept;
        Lease c(*this);
        auto data = c->QueryBlob("SELECT data FROM stage_data WHERE stage_id = $1", {SqlParam::Int(stageId)});
        if (data) texts_.Keep(stageId, std::make_shared<const std::string>(*data));
        return data;
    }

    bool DeleteStage(int64_t stageId, int64_t creatorId) override {
        texts_.Drop(stageId);
        return Attempt([&](ISqlConnection& c) {
            return !c.Query("DELETE FROM stages WHERE id = $1 AND creator_id = $2 RETURNING id",
                            {SqlParam::Int(stageId), SqlParam::Int(creatorId)})
                        .empty();
        });
    }

    StageList ListNewest(int start, int count) override {
        Lease c(*this);
        return List(*c, "SELECT COUNT(*) FROM stages", {},
                    std::string(kSummary) + "ORDER BY s.id DESC LIMIT $1 OFFSET $2", {}, start, count);
    }

    StageList ListByCreator(int64_t creatorId, int start, int count) override {
        Lease c(*this);
        return List(*c, "SELECT COUNT(*) FROM stages WHERE creator_id = $1", {SqlParam::Int(creatorId)},
                    std::string(kSummary) + "WHERE s.creator_id = $3 ORDER BY s.id DESC LIMIT $1 OFFSET $2",
                    {SqlParam::Int(creatorId)}, start, count);
    }

    StageList SearchByCreatorName(const std::string& part, int start, int count) override {
        Lease c(*this);
        const std::string where = std::string("WHERE ") + c->NameContains();
        // $1 is the name in both statements; the limit and offset follow it.
        return List(*c, "SELECT COUNT(*) FROM stages s JOIN creators c ON c.id = s.creator_id " + where,
                    {SqlParam::Text(part)},
                    std::string(kSummary) + "JOIN creators c ON c.id = s.creator_id " + where +
                        " ORDER BY s.id DESC LIMIT $2 OFFSET $3",
                    {SqlParam::Text(part)}, start, count, true);
    }

    StageList SearchByRatings(int difficulty, int length, int start, int count) override {
        Lease c(*this);
        return List(*c, "SELECT COUNT(*) FROM stages", {},
                    std::string(kSummary) +
                        "ORDER BY CASE WHEN s.plays > 0 THEN 0 ELSE 1 END, "
                        "abs(s.difficulty - $3) + abs(s.length - $4), s.id DESC LIMIT $1 OFFSET $2",
                    {SqlParam::Int(difficulty), SqlParam::Int(length)}, start, count);
    }

    void AddPlays(const std::string& player, int64_t day, const std::vector<PlayReport>& reports) override {
        const std::vector<StagePlays> byStage = ByStage(reports);
        if (byStage.empty()) return;
        Attempt([&](ISqlConnection& c) {
            Transaction tx(c);
            // Two reports of one address at once would both find the day's plays below the cap.
            Serialize(c, LockKind::PlayReports, player);
            for (const StagePlays& r : byStage) AddReport(c, player, day, r);
            tx.Commit();
        });
    }

    int64_t RatingPoints(int64_t creatorId) override {
        Lease c(*this);
        return ToInt(c->Query("SELECT (SELECT COALESCE(SUM(p.vote / 20), 0) FROM play_records p "
                              "JOIN stages s ON s.id = p.stage_id WHERE s.creator_id = $1 AND p.vote > 0) + "
                              "(SELECT COALESCE(SUM(downloads / 10), 0) FROM stages WHERE creator_id = $1)",
                              {SqlParam::Int(creatorId)})
                         .at(0)
                         .at(0));
    }

    int64_t CountRegistrationsSince(const std::string& address, int64_t since) override {
        Lease c(*this);
        return CountRegistrations(*c, address, since);
    }

  private:
    // A connection taken from the pool for one call; a lost one is dropped instead of returned.
    class Lease {
      public:
        explicit Lease(SqlStageStore& store) : store_(store), conn_(store.Acquire()) {}
        ~Lease() { store_.Release(std::move(conn_)); }
        ISqlConnection* operator->() { return conn_.get(); }
        ISqlConnection& operator*() { return *conn_; }

      private:
        SqlStageStore& store_;
        std::unique_ptr<ISqlConnection> conn_;
    };

    // Runs `step` on a connection of the pool; a step the database rolled back for meeting
    // another transaction runs again, up to kAttempts times in all.
    template <class Step>
    auto Attempt(const Step& step) -> decltype(step(std::declval<ISqlConnection&>())) {
        Lease c(*this);
        for (int attempt = 1;; ++attempt) {
            try {
                return step(*c);
            } catch (const StoreError& e) {
                if (e.Failure() != StoreFailure::Conflict || attempt >= kAttempts) throw;
            }
        }
    }

    class Transaction {
      public:
        explicit Transaction(ISqlConnection& c) : Transaction(c, c.BeginWrite()) {}
        Transaction(ISqlConnection& c, const char* begin) : c_(c) { c_.Exec(begin); }
        ~Transaction() {
            if (open_) {
                try {
                    c_.Exec("ROLLBACK");
                } catch (const StoreError&) {}
            }
        }
        void Commit() {
            c_.Exec("COMMIT");
            open_ = false;
        }

      private:
        ISqlConnection& c_;
        bool open_ = true;
    };

    void Serialize(ISqlConnection& c, LockKind kind, const std::string& key) {
        c.Query(c.SerializeOn(), {SqlParam::Int(static_cast<int>(kind)), SqlParam::Text(key)});
    }

    static int64_t CountPosts(ISqlConnection& c, int64_t creatorId, int64_t since) {
        return ToInt(c.Query("SELECT COUNT(*) FROM stages WHERE creator_id = $1 AND posted_at >= $2",
                             {SqlParam::Int(creatorId), SqlParam::Int(since)})
                         .at(0)
                         .at(0));
    }

    static int64_t CountRegistrations(ISqlConnection& c, const std::string& address, int64_t since) {
        return ToInt(c.Query("SELECT COUNT(*) FROM registrations WHERE address = $1 AND registered_at >= $2",
                             {SqlParam::Text(address), SqlParam::Int(since)})
                         .at(0)
                         .at(0));
    }

    // Runs a migration unless the database has its record already.
    void Migrate(ISqlConnection& c, const Migration& m) {
        Transaction tx(c);
        if (c.Query("INSERT INTO schema_migrations (name) VALUES ($1) ON CONFLICT (name) DO NOTHING "
                    "RETURNING name",
                    {SqlParam::Text(m.name)})
                .empty())
            return;
        for (const char* stmt : m.statements) c.Exec(stmt);
        tx.Commit();
    }

    bool StageExists(int64_t stageId) {
        Lease c(*this);
        return !c->Query("SELECT 1 FROM stages WHERE id = $1", {SqlParam::Int(stageId)}).empty();
    }

    // Marks the address's download of the stage on the day and, when it is the first that day,
    // counts it: one transaction that holds the stage's row from its first statement, so a
    // delete comes wholly before it (false: no such stage) or after it. True when the stage exists.
    static bool MarkDownload(ISqlConnection& c, int64_t stageId, const std::string& address, int64_t day) {
        Transaction tx(c);
        if (c.Query(std::string("SELECT 1 FROM stages WHERE id = $1") + c.LockRows(),
                    {SqlParam::Int(stageId)})
                .empty())
            return false;
        const bool first = !c.Query(
                                 "INSERT INTO download_marks (stage_id, address, day) VALUES ($1, $2, $3) "
                                 "ON CONFLICT (stage_id, address) DO UPDATE SET day = excluded.day "
                                 "WHERE download_marks.day <> excluded.day RETURNING stage_id",
                                 {SqlParam::Int(stageId), SqlParam::Text(address), SqlParam::Int(day)})
                                .empty();
        if (first) c.Query(c.CountDownload(), {SqlParam::Int(stageId)});
        tx.Commit();
        return true;
    }

    // One stage's report of the player: its vote replaces his earlier one; its plays, ticks and
    // misses count as far as the day's caps leave room. The stage's totals move by what his record
    // changes, in one statement that also locks the stage's row until the commit (or finds no
    // stage, and the report is left out).
    static void AddReport(ISqlConnection& c, const std::string& player, int64_t day,
                          const StagePlays& lines) {
        const PlayReport& r = lines.sum;
        auto before = c.Query(
            "SELECT day, day_plays, day_ticks, day_misses, vote FROM play_records "
            "WHERE stage_id = $1 AND player = $2",
            {SqlParam::Int(r.stageId), SqlParam::Text(player)});
        int64_t dayPlays = 0, dayTicks = 0, dayMisses = 0, oldVote = 0;
        if (!before.empty()) {
            oldVote = ToInt(before[0].at(4));
            if (ToInt(before[0].at(0)) == day) {
                dayPlays = ToInt(before[0].at(1));
                dayTicks = ToInt(before[0].at(2));
                dayMisses = ToInt(before[0].at(3));
            }
        }
        const int64_t plays = std::clamp<int64_t>(r.plays, 0, kPlaysPerDay - dayPlays);
        const int64_t ticks = plays > 0 ? std::clamp<int64_t>(r.ticks, 0, kTicksPerDay - dayTicks) : 0;
        const int64_t misses = plays > 0 ? std::clamp<int64_t>(r.misses, 0, kMissesPerDay - dayMisses) : 0;
        const int64_t vote =
            lines.votedPlays > 0 ? std::clamp<int64_t>(r.votes / lines.votedPlays, 1, 100) : oldVote;
        auto totals = c.Query(
            "UPDATE stages SET plays = plays + $2, ticks = ticks + $3, misses = misses + $4, "
            "votes = votes + $5, voters = voters + $6 WHERE id = $1 RETURNING plays, ticks, misses",
            {SqlParam::Int(r.stageId), SqlParam::Int(plays), SqlParam::Int(ticks), SqlParam::Int(misses),
             SqlParam::Int(vote - oldVote), SqlParam::Int(int64_t{vote > 0} - int64_t{oldVote > 0})});
        if (totals.empty()) return;
        c.Query(
            "INSERT INTO play_records (stage_id, player, plays, ticks, misses, votes, vote, day, day_plays, "
            "day_ticks, day_misses) VALUES ($1, $2, $3, $4, $5, 0, $6, $7, $3, $4, $5) "
            "ON CONFLICT (stage_id, player) DO UPDATE SET plays = play_records.plays + excluded.plays, "
            "ticks = play_records.ticks + excluded.ticks, misses = play_records.misses + excluded.misses, "
            "vote = excluded.vote, day = excluded.day, day_plays = $8, day_ticks = $9, day_misses = $10",
            {SqlParam::Int(r.stageId), SqlParam::Text(player), SqlParam::Int(plays), SqlParam::Int(ticks),
             SqlParam::Int(misses), SqlParam::Int(vote), SqlParam::Int(day), SqlParam::Int(dayPlays + plays),
             SqlParam::Int(dayTicks + ticks), SqlParam::Int(dayMisses + misses)});
        StageSummary s;
        s.plays = ToInt(totals[0].at(0));
        s.ticks = ToInt(totals[0].at(1));
        s.misses = ToInt(totals[0].at(2));
        c.Query("UPDATE stages SET difficulty = $2, length = $3 WHERE id = $1",
                {SqlParam::Int(r.stageId), SqlParam::Int(StageDifficulty(s)), SqlParam::Int(StageLength(s))});
    }

    // The total from the count statement and one page from the list statement, whose $1 and $2
    // (or, with nameFirst, $2 and $3) are the limit and the offset; both read in one transaction,
    // so a stage posted or deleted meanwhile is in both or in neither.
    static StageList List(ISqlConnection& c, const std::string& countSql,
                          const std::vector<SqlParam>& countParams, const std::string& listSql,
                          std::vector<SqlParam> extra, int start, int count, bool nameFirst = false) {
        Transaction tx(c, c.BeginRead());
        StageList out;
        out.total = ToInt(c.Query(countSql, countParams).at(0).at(0));
        std::vector<SqlParam> params;
        if (nameFirst) params = extra;
        params.push_back(SqlParam::Int(std::max(0, count)));
        params.push_back(SqlParam::Int(std::max(0, start)));
        if (!nameFirst) params.insert(params.end(), extra.begin(), extra.end());
        for (const SqlRow& r : c.Query(listSql, params)) out.stages.push_back(ToSummary(r));
        tx.Commit();
        return out;
    }

    // A connection of the pool, or a new one while fewer than the most are open. A call waits at
    // most `wait_` for one to come free: a slow or locked database then fails the call (503 to
    // the client) instead of piling requests up behind it.
    std::unique_ptr<ISqlConnection> Acquire() {
        const auto deadline = std::chrono::steady_clock::now() + wait_;
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            if (!idle_.empty()) {
                auto c = std::move(idle_.back());
                idle_.pop_back();
                return c;
            }
            if (opened_ < max_) {
                ++opened_;
                lock.unlock();
                try {
                    return open_(location_);
                } catch (...) {
                    lock.lock();
                    --opened_;
                    throw;
                }
            }
            if (available_.wait_until(lock, deadline) == std::cv_status::timeout && idle_.empty() &&
                opened_ >= max_) {
                throw StoreError(StoreFailure::Unavailable, "no database connection came free within " +
                                                                std::to_string(wait_.count()) + " ms");
            }
        }
    }

    void Release(std::unique_ptr<ISqlConnection> c) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (c && !c->IsBroken()) {
            idle_.push_back(std::move(c));
        } else {
            --opened_;
        }
        available_.notify_one();
    }

    Opener open_;
    std::string location_;
    int max_;
    std::chrono::milliseconds wait_;
    std::mutex mutex_;
    std::condition_variable available_;
    std::deque<std::unique_ptr<ISqlConnection>> idle_;
    int opened_ = 0;
    StageTextCache texts_{kKeptTextBytes};
    DownloadMarkCache marks_{kKeptDownloadMarks};
};

}  // namespace

std::unique_ptr<IStageStore> OpenStageStore(const std::string& location, int connections, StoreKind kind,
                                            std::chrono::milliseconds wait) {
    const bool pg = kind == StoreKind::Postgres ||
                    (kind == StoreKind::Guess &&
                     (location.rfind("postgresql://", 0) == 0 || location.rfind("postgres://", 0) == 0));
    SqlStageStore::Opener open = &OpenPostgresConnection;
    // SQLite's writers wait for the file's lock no longer than a call waits for a connection.
    if (!pg) open = [wait](const std::string& path) { return OpenSqliteConnection(path, wait); };
    return std::make_unique<SqlStageStore>(std::move(open), location, connections, wait);
}

int StageDifficulty(const StageSummary& s) {
    if (s.plays <= 0) return 0;
    return static_cast<int>(std::clamp<int64_t>(s.misses * 20 / s.plays, 0, 100));
}

int StageLength(const StageSummary& s) {
    if (s.plays <= 0) return 0;
    return static_cast<int>(std::clamp<int64_t>(s.ticks / s.plays / 360, 0, 100));
}

double StageRating(const StageSummary& s) {
    if (s.voters <= 0) return 0.0;
    return std::clamp(static_cast<double>(s.votes) / static_cast<double>(s.voters), 0.0, 100.0);
}

}  // namespace qvserver
