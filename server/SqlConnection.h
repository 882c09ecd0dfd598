#pragma once
// One database connection as the SQL store uses it: prepared statements with numbered
// parameters ($1, $2, ...), every value of a result as a byte string. SQLite and PostgreSQL each
// implement it; the store above them is the same.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
    // The statements that open a transaction whose commit need not wait for the disk (a
    // download's count: losing the last few in a power cut harms nobody).
    virtual const char* BeginRelaxed() const { return "BEGIN"; }
    // The statement that opens a write transaction.
    virtual const char* BeginWrite() const = 0;
    // The condition "the creator name c.name contains $1".
    virtual const char* NameContains() const = 0;
    // Statements that make the tables when missing, run once on the first connection.
    virtual std::vector<std::string> Schema() const = 0;
};

std::unique_ptr<ISqlConnection> OpenSqliteConnection(const std::string& path);
std::unique_ptr<ISqlConnection> OpenPostgresConnection(const std::string& uri);

}  // namespace qvserver
