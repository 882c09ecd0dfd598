// The SQLite connection: write-ahead log (readers never wait for the writer), every statement
// prepared once and kept.
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <map>
#include <mutex>
#include <unordered_map>

#include "server/SqlConnection.h"
#include "server/StageStore.h"

namespace qvserver {
namespace {

// SQLite lets one writer at a time into a database and makes the others poll, sleeping up to
// 100 ms between tries. The connections of this process to one file take turns on a mutex
// instead, so a writer goes as soon as the one before it is done; only writers of other
// processes meet SQLite's busy timeout. A writer waits for its turn no longer than that timeout
// either: while another process holds the file, the writers queued here fail one wait later,
// not one wait after each other.
std::shared_ptr<std::timed_mutex> WriterTurn(const std::string& path) {
    static std::mutex registry;
    static std::map<std::string, std::weak_ptr<std::timed_mutex>> byPath;
    std::lock_guard<std::mutex> lock(registry);
    std::erase_if(byPath, [](const auto& entry) { return entry.second.expired(); });
    std::weak_ptr<std::timed_mutex>& slot = byPath[path];
    std::shared_ptr<std::timed_mutex> turn = slot.lock();
    if (!turn) {
        turn = std::make_shared<std::timed_mutex>();
        slot = turn;
    }
    return turn;
}

// Makes a statement ready to run again when a run ends, however it ends.
struct StatementReset {
    sqlite3_stmt* stmt;
    ~StatementReset() {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
    }
};

class SqliteConnection : public ISqlConnection {
  public:
    SqliteConnection(const std::string& path, std::chrono::milliseconds busyWait)
        : writerTurn_(WriterTurn(path)), busyWait_(busyWait) {
        const int rc = sqlite3_open_v2(
            path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            const std::string what = db_ ? sqlite3_errmsg(db_) : "cannot open";
            sqlite3_close(db_);
            db_ = nullptr;
            throw StoreError(StoreFailure::Unavailable, "sqlite: " + what);
        }
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, static_cast<int>(std::clamp<int64_t>(busyWait_.count(), 0, INT_MAX)));
        // WAL survives a killed process with every committed transaction (NORMAL syncs at
        // checkpoints; FULL would sync every commit, which only a power cut needs).
        Exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
    }
    ~SqliteConnection() override {
        for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
        sqlite3_close(db_);
    }

    std::vector<SqlRow> Query(const std::string& sql, const std::vector<SqlParam>& params) override {
        sqlite3_stmt* stmt = Prepare(sql);
        // A change outside a transaction waits for its turn here; inside one, the transaction has it.
        std::unique_lock<std::timed_mutex> turn;
        if (!writing_.owns_lock() && !sqlite3_stmt_readonly(stmt)) turn = TakeWriterTurn();
        const StatementReset reset{stmt};
        for (size_t i = 0; i < params.size(); ++i) Bind(stmt, static_cast<int>(i + 1), params[i]);
        std::vector<SqlRow> rows;
        for (;;) {
            const int rc = sqlite3_step(stmt);
            if (rc == SQLITE_DONE) break;
            if (rc != SQLITE_ROW) Fail(rc);
            const int n = sqlite3_column_count(stmt);
            SqlRow row(static_cast<size_t>(n));
            for (int c = 0; c < n; ++c) {
                const void* p = sqlite3_column_blob(stmt, c);
                const int len = sqlite3_column_bytes(stmt, c);
                if (p && len > 0)
                    row[static_cast<size_t>(c)].assign(static_cast<const char*>(p), static_cast<size_t>(len));
            }
            rows.push_back(std::move(row));
        }
        return rows;
    }

    void Exec(const std::string& sql) override {
        // A write transaction has the writers' turn from its BEGIN until it ends.
        if (sql.rfind(BeginWrite(), 0) == 0 && !writing_.owns_lock()) writing_ = TakeWriterTurn();
        char* message = nullptr;
        const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
        if (message) sqlite3_free(message);
        if (writing_.owns_lock() && sqlite3_get_autocommit(db_)) writing_.unlock();
        if (rc != SQLITE_OK) Fail(rc);
    }

    std::optional<std::string> QueryBlob(const std::string& sql,
                                         const std::vector<SqlParam>& params) override {
        sqlite3_stmt* stmt = Prepare(sql);
        const StatementReset reset{stmt};
        for (size_t i = 0; i < params.size(); ++i) Bind(stmt, static_cast<int>(i + 1), params[i]);
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE) return std::nullopt;
        if (rc != SQLITE_ROW) Fail(rc);
        const void* p = sqlite3_column_blob(stmt, 0);
        const int len = sqlite3_column_bytes(stmt, 0);
        if (!p || len <= 0) return std::string();
        return std::string(static_cast<const char*>(p), static_cast<size_t>(len));
    }

    const char* BeginWrite() const override { return "BEGIN IMMEDIATE"; }
    // The snapshot is taken by the first read and kept to the end (write-ahead log).
    const char* BeginRead() const override { return "BEGIN DEFERRED"; }
    const char* LockRows() const override { return ""; }
    // A write transaction already holds the one writer's lock of the file from its BEGIN.
    const char* SerializeOn() const override { return "SELECT $1, $2"; }
    const char* CountDownload() const override {
        return "UPDATE stages SET downloads = downloads + 1 WHERE id = $1 RETURNING id";
    }
    const char* NameContains() const override { return "instr(c.name, $1) > 0"; }
    // Each statement is one literal split over lines.
    // NOLINTBEGIN(bugprone-suspicious-missing-comma)
    std::vector<std::string> Schema() const override {
        return {
            "CREATE TABLE IF NOT EXISTS creators (id INTEGER PRIMARY KEY AUTOINCREMENT, "
            "name TEXT NOT NULL UNIQUE, key_salt TEXT NOT NULL, key_hash TEXT NOT NULL)",
            "CREATE TABLE IF NOT EXISTS stages (id INTEGER PRIMARY KEY AUTOINCREMENT, "
            "creator_id INTEGER NOT NULL REFERENCES creators(id) ON DELETE CASCADE, name TEXT NOT NULL, "
            "author TEXT NOT NULL, background TEXT NOT NULL, size INTEGER NOT NULL, "
            "downloads INTEGER NOT NULL DEFAULT 0, posted_at INTEGER NOT NULL, "
            "plays INTEGER NOT NULL DEFAULT 0, ticks INTEGER NOT NULL DEFAULT 0, "
            "misses INTEGER NOT NULL DEFAULT 0, votes INTEGER NOT NULL DEFAULT 0, "
            "difficulty INTEGER NOT NULL DEFAULT 0, length INTEGER NOT NULL DEFAULT 0)",
            "CREATE INDEX IF NOT EXISTS stages_by_creator ON stages (creator_id, id)",
            "CREATE TABLE IF NOT EXISTS stage_data (stage_id INTEGER PRIMARY KEY "
            "REFERENCES stages(id) ON DELETE CASCADE, data BLOB NOT NULL)",
            "CREATE TABLE IF NOT EXISTS play_records (stage_id INTEGER NOT NULL "
            "REFERENCES stages(id) ON DELETE CASCADE, player TEXT NOT NULL, plays INTEGER NOT NULL, "
            "ticks INTEGER NOT NULL, misses INTEGER NOT NULL, votes INTEGER NOT NULL, "
            "PRIMARY KEY (stage_id, player))",
            "CREATE TABLE IF NOT EXISTS schema_migrations (name TEXT PRIMARY KEY)",
        };
    }
    // NOLINTEND(bugprone-suspicious-missing-comma)

  private:
    std::unique_lock<std::timed_mutex> TakeWriterTurn() {
        std::unique_lock turn(*writerTurn_, std::defer_lock);
        if (!turn.try_lock_for(busyWait_))
            throw StoreError(StoreFailure::Unavailable, "sqlite: database is locked (the writers' turn)");
        return turn;
    }

    sqlite3_stmt* Prepare(const std::string& sql) {
        auto it = statements_.find(sql);
        if (it != statements_.end()) return it->second;
        // "$N" is a named parameter in SQLite, numbered by first appearance; "?N" keeps the number.
        std::string text = sql;
        for (size_t i = 0; i + 1 < text.size(); ++i) {
            if (text[i] == '$' && text[i + 1] >= '0' && text[i + 1] <= '9') text[i] = '?';
        }
        sqlite3_stmt* stmt = nullptr;
        const int rc = sqlite3_prepare_v3(db_, text.c_str(), static_cast<int>(text.size()),
                                          SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
        if (rc != SQLITE_OK) Fail(rc);
        statements_.emplace(sql, stmt);
        return stmt;
    }

    void Bind(sqlite3_stmt* stmt, int index, const SqlParam& p) {
        int rc = SQLITE_OK;
        switch (p.kind) {
            case SqlParam::Kind::Int:
                rc = sqlite3_bind_int64(stmt, index, p.number);
                break;
            case SqlParam::Kind::Text:
                rc = sqlite3_bind_text(stmt, index, p.bytes.data(), static_cast<int>(p.bytes.size()),
                                       SQLITE_STATIC);
                break;
            case SqlParam::Kind::Blob:
                rc = sqlite3_bind_blob(stmt, index, p.bytes.data(), static_cast<int>(p.bytes.size()),
                                       SQLITE_STATIC);
                break;
        }
        if (rc != SQLITE_OK) Fail(rc);
    }

    [[noreturn]] void Fail(int rc) {
        const std::string what = std::string("sqlite: ") + sqlite3_errmsg(db_);
        const int primary = rc & 0xff;
        if (rc == SQLITE_CONSTRAINT_UNIQUE || rc == SQLITE_CONSTRAINT_PRIMARYKEY)
            throw StoreError(StoreFailure::Duplicate, what);
        // A read transaction that would write after another writer committed: its snapshot is
        // old, and only the whole transaction run again can go on.
        if (rc == SQLITE_BUSY_SNAPSHOT) throw StoreError(StoreFailure::Conflict, what);
        if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED || primary == SQLITE_CANTOPEN ||
            primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_READONLY)
            throw StoreError(StoreFailure::Unavailable, what);
        throw StoreError(StoreFailure::Internal, what);
    }

    std::shared_ptr<std::timed_mutex> writerTurn_;
    std::chrono::milliseconds busyWait_;          // the most a writer waits for the file's lock
    std::unique_lock<std::timed_mutex> writing_;  // held from a write transaction's BEGIN to its end
    sqlite3* db_ = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace

std::unique_ptr<ISqlConnection> OpenSqliteConnection(const std::string& path,
                                                     std::chrono::milliseconds busyWait) {
    // Without SQLite's memory statistics its allocations take no process-wide lock. This only
    // takes before SQLite's first use; later it is refused, harmlessly.
    static const int configured = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)configured;
    return std::make_unique<SqliteConnection>(path, busyWait);
}

}  // namespace qvserver
