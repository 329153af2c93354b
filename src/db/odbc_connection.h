#pragma once

#include <string>

#include "ledgernova/connection.h"

namespace ledgernova::db {

// A server database through unixODBC: PostgreSQL (psqlODBC) or SQL Server (FreeTDS), told apart by
// the DBMS name the driver reports. Text travels as UTF-16 through the ODBC "W" functions and is
// UTF-8 on this side. The SQL Server constructs the component's statements use are left to SQL
// Server; on PostgreSQL, SELECT TOP n is rewritten to LIMIT n here and GETDATE() is a function
// that the PostgreSQL schema creates.
//
// Transactions: the outermost BeginTrans turns autocommit off until its Commit or Rollback; inner
// levels are savepoints. A failed statement inside a transaction undoes that statement alone and
// leaves the transaction usable, as on SQLite and SQL Server: on PostgreSQL, which would refuse
// every later statement of the transaction, through a savepoint around each statement, with
// psqlODBC told to roll nothing back itself ("Protocol=7.4-0" is added to the connection string).
class OdbcConnection final : public Connection {
  public:
    // Connects without prompting; throws db::Error with the driver's diagnostics when the
    // connection fails or the database is neither PostgreSQL nor SQL Server.
    explicit OdbcConnection(const std::string& connection_string);
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;
    // Rolls back a transaction still open and disconnects; never throws.
    ~OdbcConnection() override;

    using Connection::Execute;
    Recordset Execute(std::string_view sql, long options) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    [[nodiscard]] int TransactionDepth() const override { return depth_; }
    [[nodiscard]] Dialect dialect() const override { return dialect_; }

  private:
    void allocate();
    void open(const std::string& connection_string);
    void detect_dialect();
    void release() noexcept;
    Recordset run(const std::string& sql);
    Recordset run_guarded(const std::string& sql);
    void run_plain(const std::string& sql);
    void end_transaction(bool commit);
    void set_autocommit(bool on);
    [[nodiscard]] std::string savepoint_statement(int level) const;
    [[nodiscard]] std::string release_statement(int level) const;
    [[nodiscard]] std::string rollback_to_statement(int level) const;

    // SQLHENV and SQLHDBC: plain pointers here so that the driver manager's headers stay private.
    void* environment_ = nullptr;
    void* connection_ = nullptr;
    Dialect dialect_ = Dialect::PostgreSQL;
    int depth_ = 0;
};

}  // namespace ledgernova::db
