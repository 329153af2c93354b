#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "db/change_counters.h"
#include "ledgernova/connection.h"

struct sqlite3;
struct sqlite3_stmt;

namespace ledgernova::db {

struct Parameterized;
class StatementShapes;

// The embedded database. SQL Server constructs that the component's own statements use and
// SQLite lacks are provided here and nowhere else: GETDATE() as a function and SELECT TOP n.
// Statements stay prepared between calls, keyed by their text with the literal values taken out
// and bound back in, so a statement composed again for another document is parsed once; the
// rows, names and errors are those of the text as written.
class SqliteConnection final : public Connection, public ChangeCounting {
  public:
    SqliteConnection(const std::string& path, OpenMode mode);
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;
    ~SqliteConnection() override;

    using Connection::Execute;
    Recordset Execute(std::string_view sql, long options) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    [[nodiscard]] int TransactionDepth() const override { return depth_; }
    [[nodiscard]] Dialect dialect() const override { return Dialect::SQLite; }
    // The data and schema versions in one statement (the first moves only with other
    // connections' commits) and this connection's total of changed rows.
    [[nodiscard]] std::optional<ChangeCounters> change_counters() override;
    [[nodiscard]] std::optional<std::int64_t> own_changes() override;

  private:
    class StatementCache;
    struct KeptStatement;

    // Extended codes, busy timeout, GETDATE() and the NOCASE collation, on a fresh handle.
    void configure();
    void run_plain(const std::string& sql);
    // Runs a statement that stays prepared between calls, with `values` bound to ?1, ?2, ...
    Recordset run_prepared(KeptStatement& kept, const std::vector<std::string_view>& values);
    // The number a version pragma reads, by a kept statement.
    std::int64_t read_version(const std::string& pragma);
    // Prepares and runs every statement of the text in turn, then finalizes them.
    Recordset run_script(const std::string& text);

    sqlite3* handle_ = nullptr;
    int depth_ = 0;
    std::unique_ptr<StatementCache> cache_;
    std::unique_ptr<Parameterized> parameterized_;  // reused by every Execute
    std::unique_ptr<StatementShapes> shapes_;
};

}  // namespace ledgernova::db
