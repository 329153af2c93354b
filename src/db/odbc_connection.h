#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ledgernova/connection.h"

namespace ledgernova::db {

class PreparedStatements;
struct Parameterized;
class StatementShapes;

// A server database through unixODBC: PostgreSQL (psqlODBC) or SQL Server (FreeTDS), told apart by
// the DBMS name the driver reports. Text travels as UTF-16 through the ODBC "W" functions and is
// UTF-8 on this side. The SQL Server constructs the component's statements use are left to SQL
// Server; on PostgreSQL, SELECT TOP n is rewritten to LIMIT n here and GETDATE() is a function
// that the PostgreSQL schema creates.
//
// Transactions: the outermost BeginTrans turns autocommit off until its Commit or Rollback; inner
// levels are savepoints. A failed statement inside a transaction undoes that statement alone and
// leaves the transaction usable, as on SQLite and SQL Server. PostgreSQL would refuse every later
// statement of the transaction instead, so there the backend keeps a savepoint, the checkpoint,
// just after the last statement that succeeded, renewed in the same round trip as each
// statement, and returns to it when one fails; psqlODBC is told to roll nothing back itself
// ("Protocol=7.4-0" is added to the connection string). The savepoints of inner levels travel with
// the next statement.
//
// On PostgreSQL a statement composed a second time with other quoted values (another folio,
// another document) runs prepared: the text with its values taken out is prepared once per
// connection and executed with the values as its arguments, so the server parses and plans it
// once. A value takes its type from where it stands, as the literal did, so the rows and names
// are those of the text as written; a text the server will not prepare runs as written.
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

    // Calls that went to the server since the connection was made: each statement text sent and
    // each end of a transaction (connecting and setting up the connection not counted).
    [[nodiscard]] std::int64_t round_trips() const { return round_trips_; }

  private:
    void allocate();
    void open(const std::string& connection_string);
    void detect_dialect();
    void release() noexcept;
    Recordset run(const std::string& sql);
    void run_plain(const std::string& sql);
    void end_transaction(bool commit);
    void set_autocommit(bool on);

    Recordset run_on_postgresql(const std::string& sql);
    Recordset run_as_written(const std::string& sql);
    Recordset run_alone(const std::string& sql);
    Recordset run_prepared(const std::string& key, const std::string& sql);
    bool prepare(const std::string& name, const std::string& key);
    Recordset execute_prepared(const std::string& name);
    void deallocate_forgotten();
    Recordset run_guarded(const std::string& sql);
    void send_pending();
    void back_to_checkpoint() noexcept;
    void begin_level();
    void commit_level();
    void rollback_level();

    // SQLHENV and SQLHDBC: plain pointers here so that the driver manager's headers stay private.
    void* environment_ = nullptr;
    void* connection_ = nullptr;
    void* statement_ = nullptr;  // SQLHSTMT, made on first use and kept
    Dialect dialect_ = Dialect::PostgreSQL;
    int depth_ = 0;
    std::int64_t round_trips_ = 0;
    // PostgreSQL: whether the checkpoint savepoint is on top of the open transaction's savepoints,
    // and the savepoint statements of inner levels not sent yet (each ending with a new
    // checkpoint, so the server has one once they ran).
    bool checkpoint_ = false;
    std::string pending_;
    std::unique_ptr<PreparedStatements> prepared_;
    std::unique_ptr<Parameterized> parameterized_;  // reused by every statement
    std::unique_ptr<StatementShapes> shapes_;
};

}  // namespace ledgernova::db
