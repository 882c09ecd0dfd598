// The one store over either database: a pool of connections, the same statements for both
// dialects (numbered parameters, RETURNING, ON CONFLICT), a transaction around every change that
// touches more than one row.
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "server/SqlConnection.h"
#include "server/StageStore.h"

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
    "s.plays, s.ticks, s.misses, s.votes FROM stages s ";

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
    return s;
}

class SqlStageStore : public IStageStore {
  public:
    using Opener = std::unique_ptr<ISqlConnection> (*)(const std::string&);

    SqlStageStore(Opener open, std::string location, int connections)
        : open_(open), location_(std::move(location)), max_(std::max(1, connections)) {
        std::unique_ptr<ISqlConnection> first = open_(location_);
        for (const std::string& stmt : first->Schema()) first->Exec(stmt);
        idle_.push_back(std::move(first));
        opened_ = 1;
    }

    int64_t AddCreator(const std::string& name, const StoredKey& key) override {
        Lease c(*this);
        return ToInt(
            c->Query("INSERT INTO creators (name, key_salt, key_hash) VALUES ($1, $2, $3) RETURNING id",
                     {SqlParam::Text(name), SqlParam::Text(key.salt), SqlParam::Text(key.hash)})
                .at(0)
                .at(0));
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
        Lease c(*this);
        // The stages, their data and their play records go with the creator (ON DELETE CASCADE).
        return !c->Query("DELETE FROM creators WHERE id = $1 RETURNING id", {SqlParam::Int(creatorId)})
                    .empty();
    }

    int64_t AddStage(const NewStage& st, const std::function<std::string(int64_t)>& makeData) override {
        Lease c(*this);
        Transaction tx(*c);
        const int64_t id =
            ToInt(c->Query("INSERT INTO stages (creator_id, name, author, background, size, posted_at) "
                           "VALUES ($1, $2, $3, $4, 0, $5) RETURNING id",
                           {SqlParam::Int(st.creatorId), SqlParam::Text(st.name), SqlParam::Text(st.author),
                            SqlParam::Text(st.background), SqlParam::Int(st.postedAt)})
                      .at(0)
                      .at(0));
        std::string data = makeData(id);
        const auto size = static_cast<int64_t>(data.size());
        c->Query("INSERT INTO stage_data (stage_id, data) VALUES ($1, $2)",
                 {SqlParam::Int(id), SqlParam::Blob(std::move(data))});
        c->Query("UPDATE stages SET size = $1 WHERE id = $2", {SqlParam::Int(size), SqlParam::Int(id)});
        tx.Commit();
        return id;
    }

    int64_t CountPostsSince(int64_t creatorId, int64_t since) override {
        Lease c(*this);
        return ToInt(c->Query("SELECT COUNT(*) FROM stages WHERE creator_id = $1 AND posted_at >= $2",
                              {SqlParam::Int(creatorId), SqlParam::Int(since)})
                         .at(0)
                         .at(0));
    }

    std::optional<std::string> DownloadStage(int64_t stageId) override {
        Lease c(*this);
        Transaction tx(*c, c->BeginRelaxed());
        auto counted = c->Query("UPDATE stages SET downloads = downloads + 1 WHERE id = $1 RETURNING id",
                                {SqlParam::Int(stageId)});
        if (counted.empty()) return std::nullopt;
        auto data = c->QueryBlob("SELECT data FROM stage_data WHERE stage_id = $1", {SqlParam::Int(stageId)});
        tx.Commit();
        return data;
    }

    bool DeleteStage(int64_t stageId, int64_t creatorId) override {
        Lease c(*this);
        return !c->Query("DELETE FROM stages WHERE id = $1 AND creator_id = $2 RETURNING id",
                         {SqlParam::Int(stageId), SqlParam::Int(creatorId)})
                    .empty();
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

    void AddPlays(const std::string& player, const std::vector<PlayReport>& reports) override {
        if (reports.empty()) return;
        Lease c(*this);
        Transaction tx(*c);
        for (const PlayReport& r : reports) {
            auto sums = c->Query(
                "INSERT INTO play_records (stage_id, player, plays, ticks, misses, votes) "
                "SELECT CAST($1 AS BIGINT), CAST($2 AS TEXT), CAST($3 AS BIGINT), CAST($4 AS BIGINT), "
                "CAST($5 AS BIGINT), CAST($6 AS BIGINT) WHERE EXISTS (SELECT 1 FROM stages WHERE id = $1) "
                "ON CONFLICT (stage_id, player) DO UPDATE SET plays = play_records.plays + excluded.plays, "
                "ticks = play_records.ticks + excluded.ticks, misses = play_records.misses + "
                "excluded.misses, "
                "votes = play_records.votes + excluded.votes RETURNING stage_id",
                {SqlParam::Int(r.stageId), SqlParam::Text(player), SqlParam::Int(r.plays),
                 SqlParam::Int(r.ticks), SqlParam::Int(r.misses), SqlParam::Int(r.votes)});
            if (sums.empty()) continue;  // no such stage
            StageSummary s;
            auto total = c->Query(
                "SELECT COALESCE(SUM(plays), 0), COALESCE(SUM(ticks), 0), COALESCE(SUM(misses), 0), "
                "COALESCE(SUM(votes), 0) FROM play_records WHERE stage_id = $1",
                {SqlParam::Int(r.stageId)});
            s.plays = ToInt(total.at(0).at(0));
            s.ticks = ToInt(total.at(0).at(1));
            s.misses = ToInt(total.at(0).at(2));
            s.votes = ToInt(total.at(0).at(3));
            c->Query(
                "UPDATE stages SET plays = $1, ticks = $2, misses = $3, votes = $4, difficulty = $5, "
                "length = $6 WHERE id = $7",
                {SqlParam::Int(s.plays), SqlParam::Int(s.ticks), SqlParam::Int(s.misses),
                 SqlParam::Int(s.votes), SqlParam::Int(StageDifficulty(s)), SqlParam::Int(StageLength(s)),
                 SqlParam::Int(r.stageId)});
        }
        tx.Commit();
    }

    int64_t RatingPoints(int64_t creatorId) override {
        Lease c(*this);
        return ToInt(c->Query("SELECT (SELECT COALESCE(SUM(p.votes / p.plays / 20), 0) FROM play_records p "
                              "JOIN stages s ON s.id = p.stage_id WHERE s.creator_id = $1 AND p.plays > 0) + "
                              "(SELECT COALESCE(SUM(downloads / 10), 0) FROM stages WHERE creator_id = $1)",
                              {SqlParam::Int(creatorId)})
                         .at(0)
                         .at(0));
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

    // The total from the count statement and one page from the list statement, whose $1 and $2
    // (or, with nameFirst, $2 and $3) are the limit and the offset.
    StageList List(ISqlConnection& c, const std::string& countSql, const std::vector<SqlParam>& countParams,
                   const std::string& listSql, std::vector<SqlParam> extra, int start, int count,
                   bool nameFirst = false) {
        StageList out;
        out.total = ToInt(c.Query(countSql, countParams).at(0).at(0));
        std::vector<SqlParam> params;
        if (nameFirst) params = extra;
        params.push_back(SqlParam::Int(std::max(0, count)));
        params.push_back(SqlParam::Int(std::max(0, start)));
        if (!nameFirst) params.insert(params.end(), extra.begin(), extra.end());
        for (const SqlRow& r : c.Query(listSql, params)) out.stages.push_back(ToSummary(r));
        return out;
    }

    std::unique_ptr<ISqlConnection> Acquire() {
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
            available_.wait(lock);
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
    std::mutex mutex_;
    std::condition_variable available_;
    std::deque<std::unique_ptr<ISqlConnection>> idle_;
    int opened_ = 0;
};

}  // namespace

std::unique_ptr<IStageStore> OpenStageStore(const std::string& location, int connections, StoreKind kind) {
    const bool pg = kind == StoreKind::Postgres ||
                    (kind == StoreKind::Guess &&
                     (location.rfind("postgresql://", 0) == 0 || location.rfind("postgres://", 0) == 0));
    return std::make_unique<SqlStageStore>(pg ? &OpenPostgresConnection : &OpenSqliteConnection, location,
                                           connections);
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
    if (s.plays <= 0) return 0.0;
    return std::clamp(static_cast<double>(s.votes) / static_cast<double>(s.plays), 0.0, 100.0);
}

}  // namespace qvserver
