#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ledgernova/export.h"
#include "ledgernova/variant.h"

namespace ledgernova::db {

// A statement the database refused or could not run. what() is the driver's own message; code()
// keeps the driver's code (SQLite's extended result code, ODBC's native error) for callers that
// must tell a busy or full database from a syntax error.
class LEDGERNOVA_API Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message, int code = 0)
        : std::runtime_error(message), code_(code) {}
    [[nodiscard]] int code() const { return code_; }

  private:
    int code_;
};

// A mistake of the caller rather than of the database: an unknown column, a read past the last
// row, a closed recordset, an empty statement.
class LEDGERNOVA_API UsageError : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

class RecordsetColumns;

struct Field {
    std::string Name;
    Variant Value;
};

// A forward-only result, read in full when the statement ran (a client-side cursor): statements
// executed while it is open never disturb it. Copies share the names and rows read, which never
// change; each copy keeps its own position.
class LEDGERNOVA_API Recordset {
  public:
    Recordset() = default;
    Recordset(std::vector<std::string> names, std::vector<std::vector<Variant>> rows);

    // True when there is no current row: an empty result, after the last MoveNext, or closed.
    [[nodiscard]] bool Eof() const;
    // The field of the current row by name (compared without regard to case) or by position.
    // Throws UsageError for an unknown name, a position out of range, no current row, or a
    // closed recordset.
    [[nodiscard]] Field Fields(std::string_view name) const;
    [[nodiscard]] Field Fields(std::size_t index) const;
    [[nodiscard]] std::size_t Count() const;
    void MoveNext();
    void Close();

    [[nodiscard]] std::size_t RecordCount() const;

  private:
    struct Data;

    friend Recordset make_recordset(std::shared_ptr<const RecordsetColumns> columns,
                                    std::vector<std::vector<Variant>> rows);
    friend std::size_t field_position(const Recordset& rows, std::string_view name);
    friend const std::string& field_name(const Recordset& rows, std::size_t index);
    friend const Variant& field_value(const Recordset& rows, std::size_t index);
    friend const Variant& field_value(const Recordset& rows, std::string_view name);

    [[nodiscard]] const std::vector<Variant>& current_row() const;

    std::shared_ptr<const Data> data_;  // null in a recordset made empty
    std::size_t position_ = 0;
    bool open_ = true;
};

enum class Dialect { SQLite, PostgreSQL, SqlServer };

// An open connection, as the host hands it to the component. Execute runs one statement text
// (several separated by ';' are run in order; the rows of the last one that returns columns come
// back). Options are accepted for the sake of callers written against ADO and ignored.
// Transactions nest: an inner BeginTrans opens a savepoint that the matching Commit or Rollback
// closes, so a routine may protect its own writes whether or not its caller has a transaction.
class LEDGERNOVA_API Connection {
  public:
    virtual ~Connection() = default;

    virtual Recordset Execute(std::string_view sql, long options) = 0;
    Recordset Execute(std::string_view sql) { return Execute(sql, -1); }

    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;
    [[nodiscard]] virtual int TransactionDepth() const = 0;
    [[nodiscard]] virtual Dialect dialect() const = 0;
};

// How open_sqlite opens a database file.
enum class OpenMode {
    ReadWrite,  // created when missing, put in WAL journal mode
    ReadOnly    // must exist; nothing is ever written to it, and every write is refused
};

// Opens an SQLite database file: a busy timeout, GETDATE() and SELECT TOP n available, and text
// declared COLLATE NOCASE compared without regard to case for accented Latin, Greek and Cyrillic
// letters as well as A to Z (SQLite's own NOCASE is replaced on the connection; create_schema
// rebuilds indexes written under it). ":memory:" gives a private in-memory database. Read-only, a
// WAL database whose shared-memory file cannot be created (a read-only folder) is still read when
// no write-ahead log waits to be checkpointed; where SQLite can create the WAL's -wal and -shm
// files, a read-only connection leaves them for the next writer to remove. Throws db::Error.
[[nodiscard]] LEDGERNOVA_API std::shared_ptr<Connection> open_sqlite(
    const std::string& path, OpenMode mode = OpenMode::ReadWrite);

// Opens a server database through unixODBC with a connection string such as
// "Driver=PostgreSQL Unicode;Server=host;Port=5432;Database=ledger;Uid=user;Pwd=secret;" (psqlODBC)
// or "Driver=FreeTDS;Server=host;Port=1433;Database=ledger;UID=user;PWD=secret;TDS_Version=7.4;
// ClientCharset=UTF-8" (SQL Server). The dialect follows the server. Errors carry
// "[SQLSTATE xxxxx]", the driver's message and its native error (also in code()). Throws db::Error.
[[nodiscard]] LEDGERNOVA_API std::shared_ptr<Connection> open_odbc(
    const std::string& connection_string);

// A transaction for the scope of one routine. Rolls back in its destructor unless committed;
// never throws from the destructor; a second Commit throws UsageError.
class LEDGERNOVA_API Transaction {
  public:
    explicit Transaction(Connection& connection);
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    ~Transaction();
    void Commit();

  private:
    Connection& connection_;
    bool done_ = false;
};

}  // namespace ledgernova::db
