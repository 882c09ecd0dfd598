#pragma once
// One database connection as the SQL store uses it: prepared statements with numbered
// parameters ($1, $2, ...), every value of a result as a byte string. SQLite and PostgreSQL each
// implement it; the store above them is the same.
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "server/StageStore.h"

namespace qvserver {

struct SqlParam {
    enum class Kind { Int, Text, Blob };
    Kind kind = Kind::Int;
    int64_t number = 0;
    std::string bytes;

    static SqlParam Int(int64_t v) { return {Kind::Int, v, {}}; }
    static SqlParam Text(std::string v) { return {Kind::Text, 0, std::move(v)}; }
    static SqlParam Blob(std::string v) { return {Kind::Blob, 0, std::move(v)}; }
};

// A result value: a number in decimal, a text, or the raw bytes of a blob; NULL reads as "".
using SqlRow = std::vector<std::string>;

class ISqlConnection {
  public:
    virtual ~ISqlConnection() = default;
    // Runs one statement, prepared once per connection and kept. Throws StoreError.
    virtual std::vector<SqlRow> Query(const std::string& sql, const std::vector<SqlParam>& params) = 0;
    // The first column of the first row as raw bytes (a blob read without text escaping);
    // nothing when there is no row.
    virtual std::optional<std::string> QueryBlob(const std::string& sql,
                                                 const std::vector<SqlParam>& params) {
        auto rows = Query(sql, params);
        if (rows.empty() || rows[0].empty()) return std::nullopt;
        return std::move(rows[0][0]);
    }
    // Runs statements without parameters (schema, transactions). Throws StoreError.
    virtual void Exec(const std::string& sql) = 0;
    // True once the connection is lost; the pool then opens a new one.
    virtual bool IsBroken() const { return false; }
    // The statement that counts one download of stage $1, returning its id when the stage
    // exists. Its transaction's commit need not wait for the disk (losing the last few counts in
    // a power cut harms nobody).
    virtual const char* CountDownload() const = 0;
    // The statement that opens a write transaction.
    virtual const char* BeginWrite() const = 0;
    // The statement that opens a read transaction: each statement in it sees the database as one
    // moment left it, whatever commits meanwhile.
    virtual const char* BeginRead() const = 0;
    // The clause that ends a SELECT of one table's rows, inside a write transaction, to keep them
    // from being changed or deleted by others until it ends (empty where the write transaction
    // holds the whole database).
    virtual const char* LockRows() const = 0;
    // The statement that, inside a write transaction, makes every other write transaction that
    // runs it with the same kind ($1, a small number) and key ($2, a text) wait until this one
    // ends: a count and the insert it allows then see each other's rows.
    virtual const char* SerializeOn() const = 0;
    // The condition "the creator name c.name contains $1".
    virtual const char* NameContains() const = 0;
    // Statements that make the tables when missing, run once on the first connection.
    virtual std::vector<std::string> Schema() const = 0;
};

// An SQLite connection whose writers wait at most `busyWait` for the file's write lock.
std::unique_ptr<ISqlConnection> OpenSqliteConnection(
    const std::string& path, std::chrono::milliseconds busyWait = kDefaultDatabaseWait);
std::unique_ptr<ISqlConnection> OpenPostgresConnection(const std::string& uri);

}  // namespace qvserver
