#pragma once

#include <string>

#include "ledgernova/connection.h"

struct sqlite3;

namespace ledgernova::db {

// The embedded database. SQL Server constructs that the component's own statements use and
// SQLite lacks are provided here and nowhere else: GETDATE() as a function and SELECT TOP n.
class SqliteConnection final : public Connection {
  public:
    explicit SqliteConnection(const std::string& path);
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

  private:
    void run_plain(const std::string& sql);

    sqlite3* handle_ = nullptr;
    int depth_ = 0;
};

}  // namespace ledgernova::db
