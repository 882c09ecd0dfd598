// The PostgreSQL connection: every statement prepared once per connection (PQprepare) and run
// with its parameters apart from the text (PQexecPrepared), blobs sent and read as bytea.
#include <libpq-fe.h>

#include <unordered_map>

#include "server/SqlConnection.h"
#include "server/StageStore.h"

namespace qvserver {
namespace {

constexpr Oid kByteaOid = 17;

struct ResultGuard {
    PGresult* r;
    ~ResultGuard() { PQclear(r); }
};

class PostgresConnection : public ISqlConnection {
  public:
    explicit PostgresConnection(const std::string& uri) {
        conn_ = PQconnectdb(uri.c_str());
        if (PQstatus(conn_) != CONNECTION_OK) {
            const std::string what = std::string("postgresql: ") + PQerrorMessage(conn_);
            PQfinish(conn_);
            conn_ = nullptr;
            throw StoreError(StoreFailure::Unavailable, what);
        }
        Exec("SET client_min_messages = warning");
    }
    ~PostgresConnection() override { PQfinish(conn_); }

    std::vector<SqlRow> Query(const std::string& sql, const std::vector<SqlParam>& params) override {
        ResultGuard res{Run(sql, params, 0)};
        return Rows(res.r);
    }

    std::optional<std::string> QueryBlob(const std::string& sql,
                                         const std::vector<SqlParam>& params) override {
        // Binary results: a bytea arrives as its bytes, not as escaped text twice its size.
        ResultGuard res{Run(sql, params, 1)};
        if (PQntuples(res.r) < 1 || PQnfields(res.r) < 1 || PQgetisnull(res.r, 0, 0)) return std::nullopt;
        return std::string(PQgetvalue(res.r, 0, 0), static_cast<size_t>(PQgetlength(res.r, 0, 0)));
    }

  private:
    PGresult* Run(const std::string& sql, const std::vector<SqlParam>& params, int resultFormat) {
        const std::string& name = Prepare(sql);
        std::vector<const char*> values(params.size());
        std::vector<int> lengths(params.size());
        std::vector<int> formats(params.size());
        std::vector<std::string> numbers(params.size());
        for (size_t i = 0; i < params.size(); ++i) {
            const SqlParam& p = params[i];
            if (p.kind == SqlParam::Kind::Int) {
                numbers[i] = std::to_string(p.number);
                values[i] = numbers[i].c_str();
            } else {
                values[i] = p.bytes.data();
                lengths[i] = static_cast<int>(p.bytes.size());
                formats[i] = p.kind == SqlParam::Kind::Blob ? 1 : 0;
            }
        }
        PGresult* r = PQexecPrepared(conn_, name.c_str(), static_cast<int>(params.size()), values.data(),
                                     lengths.data(), formats.data(), resultFormat);
        try {
            Check(r);
        } catch (...) {
            PQclear(r);
            throw;
        }
        return r;
    }

    std::vector<SqlRow> Rows(PGresult* result) {
        std::vector<SqlRow> rows;
        const int n = PQntuples(result), cols = PQnfields(result);
        rows.reserve(static_cast<size_t>(n));
        for (int r = 0; r < n; ++r) {
            SqlRow row(static_cast<size_t>(cols));
            for (int c = 0; c < cols; ++c) {
                if (PQgetisnull(result, r, c)) continue;
                const char* v = PQgetvalue(result, r, c);
                if (PQftype(result, c) == kByteaOid) {
                    size_t len = 0;
                    unsigned char* raw = PQunescapeBytea(reinterpret_cast<const unsigned char*>(v), &len);
                    if (!raw) throw StoreError(StoreFailure::Internal, "postgresql: bad bytea");
                    row[static_cast<size_t>(c)].assign(reinterpret_cast<const char*>(raw), len);
                    PQfreemem(raw);
                } else {
                    row[static_cast<size_t>(c)].assign(v, static_cast<size_t>(PQgetlength(result, r, c)));
                }
            }
            rows.push_back(std::move(row));
        }
        return rows;
    }

  public:
    void Exec(const std::string& sql) override {
        ResultGuard res{PQexec(conn_, sql.c_str())};
        Check(res.r);
    }

    bool IsBroken() const override { return broken_ || PQstatus(conn_) != CONNECTION_OK; }
    const char* BeginWrite() const override { return "BEGIN"; }
    const char* BeginRead() const override { return "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY"; }
    // The rows stay, and their keys: a reference to them may be added meanwhile.
    const char* LockRows() const override { return " FOR NO KEY UPDATE"; }
    // A lock held to the transaction's end; each statement after it reads what the transaction
    // before it committed.
    const char* SerializeOn() const override {
        return "SELECT 1 FROM (SELECT pg_advisory_xact_lock(CAST($1 AS INTEGER), hashtext($2))) AS held";
    }
    // set_config(..., true) lasts until the end of the statement's own transaction: its commit.
    const char* CountDownload() const override {
        return "UPDATE stages SET downloads = downloads + 1 "
               "FROM (SELECT set_config('synchronous_commit', 'off', true)) AS relaxed WHERE stages.id = $1 "
               "RETURNING stages.id";
    }
    const char* NameContains() const override { return "strpos(c.name, $1) > 0"; }
    // Each statement is one literal split over lines.
    // NOLINTBEGIN(bugprone-suspicious-missing-comma)
    std::vector<std::string> Schema() const override {
        // Several servers may start at once on one database: the advisory lock lets one make the
        // tables while the others wait.
        return {
            "SELECT pg_advisory_lock(731036)",
            "CREATE TABLE IF NOT EXISTS creators (id BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, "
            "name TEXT NOT NULL UNIQUE, key_salt TEXT NOT NULL, key_hash TEXT NOT NULL)",
            "CREATE TABLE IF NOT EXISTS stages (id BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, "
            "creator_id BIGINT NOT NULL REFERENCES creators(id) ON DELETE CASCADE, name TEXT NOT NULL, "
            "author TEXT NOT NULL, background TEXT NOT NULL, size BIGINT NOT NULL, "
            "downloads BIGINT NOT NULL DEFAULT 0, posted_at BIGINT NOT NULL, "
            "plays BIGINT NOT NULL DEFAULT 0, ticks BIGINT NOT NULL DEFAULT 0, "
            "misses BIGINT NOT NULL DEFAULT 0, votes BIGINT NOT NULL DEFAULT 0, "
            "difficulty BIGINT NOT NULL DEFAULT 0, length BIGINT NOT NULL DEFAULT 0)",
            "CREATE INDEX IF NOT EXISTS stages_by_creator ON stages (creator_id, id)",
            "CREATE TABLE IF NOT EXISTS stage_data (stage_id BIGINT PRIMARY KEY "
            "REFERENCES stages(id) ON DELETE CASCADE, data BYTEA NOT NULL)",
            "CREATE TABLE IF NOT EXISTS play_records (stage_id BIGINT NOT NULL "
            "REFERENCES stages(id) ON DELETE CASCADE, player TEXT NOT NULL, plays BIGINT NOT NULL, "
            "ticks BIGINT NOT NULL, misses BIGINT NOT NULL, votes BIGINT NOT NULL, "
            "PRIMARY KEY (stage_id, player))",
            "CREATE TABLE IF NOT EXISTS schema_migrations (name TEXT PRIMARY KEY)",
            "SELECT pg_advisory_unlock(731036)",
        };
    }
    // NOLINTEND(bugprone-suspicious-missing-comma)

  private:
    const std::string& Prepare(const std::string& sql) {
        auto it = statements_.find(sql);
        if (it != statements_.end()) return it->second;
        std::string name = "q" + std::to_string(statements_.size());
        ResultGuard res{PQprepare(conn_, name.c_str(), sql.c_str(), 0, nullptr)};
        Check(res.r);
        return statements_.emplace(sql, std::move(name)).first->second;
    }

    void Check(PGresult* r) {
        const ExecStatusType st = r ? PQresultStatus(r) : PGRES_FATAL_ERROR;
        if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK) return;
        const char* state = r ? PQresultErrorField(r, PG_DIAG_SQLSTATE) : nullptr;
        const std::string code = state ? state : "";
        const std::string what =
            "postgresql: " + std::string(r ? PQresultErrorMessage(r) : PQerrorMessage(conn_));
        if (code == "23505") throw StoreError(StoreFailure::Duplicate, what);
        // The transaction was rolled back for meeting another one (a deadlock, or a serializable
        // snapshot overtaken); run again, it goes through.
        if (code == "40P01" || code == "40001") throw StoreError(StoreFailure::Conflict, what);
        if (PQstatus(conn_) != CONNECTION_OK || code.rfind("08", 0) == 0 || code.rfind("57P", 0) == 0) {
            broken_ = true;
            throw StoreError(StoreFailure::Unavailable, what);
        }
        throw StoreError(StoreFailure::Internal, what);
    }

    PGconn* conn_ = nullptr;
    bool broken_ = false;
    std::unordered_map<std::string, std::string> statements_;
};

}  // namespace

std::unique_ptr<ISqlConnection> OpenPostgresConnection(const std::string& uri) {
    return std::make_unique<PostgresConnection>(uri);
}

}  // namespace qvserver
