#include "db/odbc_connection.h"

#include <memory>

#include <fmt/format.h>

#include "db/odbc_internal.h"
#include "db/odbc_text.h"
#include "db/parameterizer.h"
#include "db/prepared_statements.h"
#include "db/statement_shapes.h"
#include "db/top_rewrite.h"
#include "util/compose.h"
#include "util/text.h"

namespace ledgernova::db {
namespace {

using odbc::check;

// The checkpoint: a savepoint just after the last statement of a PostgreSQL transaction that
// succeeded. It follows each statement in the statement's own round trip.
constexpr const char* kSetCheckpoint = "SAVEPOINT ln_ok";
constexpr const char* kRenewCheckpoint = "RELEASE SAVEPOINT ln_ok; SAVEPOINT ln_ok";
constexpr const char* kBackToCheckpoint = "ROLLBACK TO SAVEPOINT ln_ok";

SQLHENV env(void* handle) {
    return static_cast<SQLHENV>(handle);
}
SQLHDBC dbc(void* handle) {
    return static_cast<SQLHDBC>(handle);
}

SQLWCHAR* wide(std::u16string& text) {
    return reinterpret_cast<SQLWCHAR*>(text.data());
}

// Closes the statement's cursor and drops what results it still has however a run ends, so that
// the handle serves the next statement.
class CursorCloser {
  public:
    explicit CursorCloser(SQLHSTMT statement) : statement_(statement) {}
    CursorCloser(const CursorCloser&) = delete;
    CursorCloser& operator=(const CursorCloser&) = delete;
    ~CursorCloser() { SQLFreeStmt(statement_, SQL_CLOSE); }

  private:
    SQLHSTMT statement_;
};

// Runs the text and keeps the rows of the last result that has columns, as the SQLite backend
// does for several statements separated by ';'.
Recordset execute_direct(SQLHSTMT statement, const std::string& sql) {
    const CursorCloser closer(statement);
    std::u16string text = utf8_to_utf16(sql);
    check(SQLExecDirectW(statement, wide(text), static_cast<SQLINTEGER>(text.size())),
          SQL_HANDLE_STMT, statement, "SQLExecDirect");
    odbc::ResultSet last;
    for (;;) {
        SQLSMALLINT columns = 0;
        check(SQLNumResultCols(statement, &columns), SQL_HANDLE_STMT, statement,
              "SQLNumResultCols");
        if (columns > 0) {
            last = odbc::read_result_set(statement, columns);
        }
        const SQLRETURN more = SQLMoreResults(statement);
        if (more == SQL_NO_DATA) {
            return Recordset(std::move(last.names), std::move(last.rows));
        }
        check(more, SQL_HANDLE_STMT, statement, "SQLMoreResults");
    }
}

// Where the statement's first word is: past blanks, parentheses and line comments.
std::size_t first_word(std::string_view key) {
    std::size_t start = key.find_first_not_of(" \t\r\n(");
    while (start != std::string_view::npos && key.substr(start, 2) == "--") {
        const std::size_t line_end = key.find('\n', start);
        start = line_end == std::string_view::npos ? line_end
                                                   : key.find_first_not_of(" \t\r\n(", line_end);
    }
    return start;
}

// PREPARE takes one SELECT, INSERT, UPDATE, DELETE or VALUES (WITH before any of them).
bool preparable(std::string_view key) {
    const std::size_t last = key.find_last_not_of(" \t\r\n;");
    if (last == std::string_view::npos || key.substr(0, last).find(';') != std::string_view::npos) {
        return false;
    }
    const std::size_t start = first_word(key);
    if (start == std::string_view::npos) {
        return false;
    }
    const std::size_t end = key.find_first_of(" \t\r\n(", start);
    const std::string word = util::to_upper(key.substr(start, end - start));
    return word == "SELECT" || word == "INSERT" || word == "UPDATE" || word == "DELETE" ||
           word == "WITH" || word == "VALUES";
}

bool is_syntax_error(const Error& failure) {
    return std::string_view(failure.what()).starts_with("[SQLSTATE 42601]");
}

// "cached plan must not change result type": a table that SELECT * reads gained or lost a
// column since the statement was prepared.
bool plan_went_stale(const Error& failure) {
    return std::string_view(failure.what()).starts_with("[SQLSTATE 0A000]");
}

// psqlODBC's "level of rollback on errors" set to none: the driver leaves a failed statement to
// the application. By default it rolls the whole transaction back when the failing statement is
// the first of its transaction, or when it fails to parse, which takes the savepoints of the
// transaction's levels with it. The backend keeps a savepoint per statement instead.
constexpr std::string_view kNoDriverRollback = "Protocol=7.4-0";

std::string with_option(std::string_view connection_string, std::string_view option) {
    std::string text(connection_string);
    while (!text.empty() && (text.back() == ';' || text.back() == ' ')) {
        text.pop_back();
    }
    return text + ";" + std::string(option) + ";";
}

void driver_connect(SQLHDBC connection, const std::string& connection_string) {
    std::u16string text = utf8_to_utf16(connection_string);
    const SQLRETURN result =
        SQLDriverConnectW(connection, nullptr, wide(text), static_cast<SQLSMALLINT>(text.size()),
                          nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(result)) {
        odbc::fail(SQL_HANDLE_DBC, connection, "SQLDriverConnect");
    }
}

std::string info_text(SQLHDBC connection, SQLUSMALLINT item) {
    SQLWCHAR buffer[256] = {};
    SQLSMALLINT bytes = 0;
    check(SQLGetInfoW(connection, item, buffer, sizeof(buffer), &bytes), SQL_HANDLE_DBC, connection,
          "SQLGetInfo");
    const auto length = std::min<std::size_t>(static_cast<std::size_t>(bytes) / sizeof(SQLWCHAR),
                                              std::size(buffer) - 1);
    return utf16_to_utf8(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), length));
}

}  // namespace

OdbcConnection::OdbcConnection(const std::string& connection_string)
    : prepared_(std::make_unique<PreparedStatements>()),
      parameterized_(std::make_unique<Parameterized>()),
      shapes_(std::make_unique<StatementShapes>(ParameterStyle::PostgreSQL)) {
    try {
        allocate();
        open(connection_string);
        // ISO output of dates cast to text, and month-day order for ambiguous input, as SQL
        // Server reads dates under its default language.
        run_plain(dialect_ == Dialect::PostgreSQL ? "SET DateStyle = ISO, MDY" : "SET NOCOUNT ON");
        round_trips_ = 0;
    } catch (...) {
        release();
        throw;
    }
}

OdbcConnection::~OdbcConnection() {
    release();
}

void OdbcConnection::allocate() {
    SQLHENV environment = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment))) {
        throw Error("Cannot allocate an ODBC environment");
    }
    environment_ = environment;
    check(SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION,
                        reinterpret_cast<SQLPOINTER>(static_cast<std::intptr_t>(SQL_OV_ODBC3)), 0),
          SQL_HANDLE_ENV, environment, "SQLSetEnvAttr");
    SQLHDBC connection = SQL_NULL_HDBC;
    check(SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection), SQL_HANDLE_ENV, environment,
          "SQLAllocHandle");
    connection_ = connection;
}

// On PostgreSQL the connection must carry kNoDriverRollback: added at once when the text names a
// PostgreSQL driver, else (a DSN, say) by connecting again once the server turns out to be one.
void OdbcConnection::open(const std::string& connection_string) {
    const std::string amended = with_option(connection_string, kNoDriverRollback);
    const bool names_postgresql =
        util::to_upper(connection_string).find("POSTGRES") != std::string::npos;
    driver_connect(dbc(connection_), names_postgresql ? amended : connection_string);
    detect_dialect();
    if (dialect_ == Dialect::PostgreSQL && !names_postgresql) {
        SQLDisconnect(dbc(connection_));
        driver_connect(dbc(connection_), amended);
    }
}

void OdbcConnection::detect_dialect() {
    const std::string name = info_text(dbc(connection_), SQL_DBMS_NAME);
    if (name == "PostgreSQL") {
        dialect_ = Dialect::PostgreSQL;
    } else if (name.find("SQL Server") != std::string::npos) {
        dialect_ = Dialect::SqlServer;
    } else {
        throw Error(util::compose(
            FMT_COMPILE("The ODBC data source is a {} database; ledgerNova works with PostgreSQL "
                        "and SQL Server"),
            name));
    }
}

void OdbcConnection::release() noexcept {
    if (statement_ != nullptr) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement_);
        statement_ = nullptr;
    }
    if (connection_ != nullptr) {
        if (depth_ > 0) {
            SQLEndTran(SQL_HANDLE_DBC, dbc(connection_), SQL_ROLLBACK);
        }
        SQLDisconnect(dbc(connection_));
        SQLFreeHandle(SQL_HANDLE_DBC, dbc(connection_));
        connection_ = nullptr;
    }
    if (environment_ != nullptr) {
        SQLFreeHandle(SQL_HANDLE_ENV, env(environment_));
        environment_ = nullptr;
    }
}

Recordset OdbcConnection::Execute(std::string_view sql, long /*options*/) {
    if (sql.find_first_not_of(" \r\n\t;") == std::string::npos) {
        throw UsageError("Command text was not set for the command object.");
    }
    require_utf8(sql);
    if (dialect_ != Dialect::PostgreSQL) {
        return run(std::string(sql));
    }
    return run_on_postgresql(rewrite_select_top(sql));
}

// One statement handle serves every statement of the connection: the driver manager clears a
// new one field by field, which cost more than most statements' own work.
Recordset OdbcConnection::run(const std::string& sql) {
    if (statement_ == nullptr) {
        SQLHSTMT statement = SQL_NULL_HSTMT;
        check(SQLAllocHandle(SQL_HANDLE_STMT, dbc(connection_), &statement), SQL_HANDLE_DBC,
              dbc(connection_), "SQLAllocHandle");
        statement_ = statement;
    }
    ++round_trips_;
    return execute_direct(statement_, sql);
}

void OdbcConnection::run_plain(const std::string& sql) {
    (void)run(sql);
}

// A text that comes again with the same shape runs prepared; anything else as written.
Recordset OdbcConnection::run_on_postgresql(const std::string& sql) {
    shapes_->parameterize(sql, *parameterized_);
    if (!parameterized_->usable || !preparable(parameterized_->text)) {
        return run_as_written(sql);
    }
    return run_prepared(parameterized_->text, sql);
}

Recordset OdbcConnection::run_as_written(const std::string& sql) {
    if (depth_ == 0) {
        return run(sql);
    }
    send_pending();  // a text that does not parse would take them down with it
    try {
        return run_guarded(sql);
    } catch (const Error& failure) {
        if (!is_syntax_error(failure)) {
            throw;
        }
    }
    return run_alone(sql);
}

// The checkpoint's statements after a text that ends too soon change where the server finds its
// error ("at or near ;" for "at end of input"): alone, the text fails in its own words.
Recordset OdbcConnection::run_alone(const std::string& sql) {
    try {
        Recordset rows = run(sql);
        run_plain(checkpoint_ ? kRenewCheckpoint : kSetCheckpoint);
        checkpoint_ = true;
        return rows;
    } catch (const Error&) {
        back_to_checkpoint();
        throw;
    }
}

Recordset OdbcConnection::run_prepared(const std::string& key, const std::string& sql) {
    PreparedStatements::Entry& entry = prepared_->find(key);
    if (entry.state == PreparedStatements::State::Seen) {
        entry.state = prepare(entry.name, key) ? PreparedStatements::State::Prepared
                                               : PreparedStatements::State::Refused;
    }
    if (entry.state != PreparedStatements::State::Prepared) {
        return run_as_written(sql);
    }
    try {
        return execute_prepared(entry.name);
    } catch (const Error& failure) {
        if (!plan_went_stale(failure)) {
            throw;
        }
    }
    prepared_->refuse(entry);  // a table it reads changed shape: its rows are the text's now
    deallocate_forgotten();
    return run_as_written(sql);
}

// False when the server refuses to prepare the text (a statement PREPARE does not take, a value
// whose type nothing around it tells); the transaction is then as it was.
bool OdbcConnection::prepare(const std::string& name, const std::string& key) {
    deallocate_forgotten();
    send_pending();
    try {
        run_plain(util::compose(FMT_COMPILE("PREPARE {} AS {}"), name, key));
        return true;
    } catch (const Error&) {
        if (depth_ > 0) {
            back_to_checkpoint();
        }
        return false;
    }
}

// EXECUTE composed of the values as written parses whatever they hold, so the savepoints waiting
// for the next statement can travel with it.
Recordset OdbcConnection::execute_prepared(const std::string& name) {
    std::string sql = "EXECUTE " + name;
    const auto& values = parameterized_->values;
    if (!values.empty()) {
        sql += util::compose(FMT_COMPILE("({})"), fmt::join(values, ", "));
    }
    return depth_ == 0 ? run(sql) : run_guarded(sql);
}

void OdbcConnection::deallocate_forgotten() {
    for (const std::string& name : prepared_->take_forgotten()) {
        if (depth_ == 0) {
            run_plain("DEALLOCATE " + name);
        } else {
            (void)run_guarded("DEALLOCATE " + name);
        }
    }
}

// Runs the text, with the pending savepoints before it and the checkpoint renewed after it, in
// one round trip. When it fails, the transaction goes back to the checkpoint: to just before the
// text, the pending savepoints kept.
Recordset OdbcConnection::run_guarded(const std::string& sql) {
    const bool checkpointed = checkpoint_ || !pending_.empty();
    const std::string text = util::compose(FMT_COMPILE("{}{}\n;{}"), pending_, sql,
                                           checkpointed ? kRenewCheckpoint : kSetCheckpoint);
    try {
        Recordset rows = run(text);
        pending_.clear();
        checkpoint_ = true;
        return rows;
    } catch (const Error&) {
        if (!pending_.empty()) {
            pending_.clear();  // they parse, so they ran before the statement failed
            checkpoint_ = true;
        }
        back_to_checkpoint();
        throw;
    }
}

void OdbcConnection::send_pending() {
    if (!pending_.empty()) {
        run_plain(pending_);
        pending_.clear();
        checkpoint_ = true;
    }
}

// Without a checkpoint nothing of the transaction has run yet: the server's transaction is rolled
// back whole and the next statement begins another. Should even this fail, the statement's own
// failure is the one worth reporting.
void OdbcConnection::back_to_checkpoint() noexcept {
    if (!checkpoint_) {
        ++round_trips_;
        SQLEndTran(SQL_HANDLE_DBC, dbc(connection_), SQL_ROLLBACK);
        return;
    }
    try {
        run_plain(kBackToCheckpoint);
    } catch (const Error&) {
    }
}

void OdbcConnection::set_autocommit(bool on) {
    const auto value = static_cast<std::intptr_t>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF);
    check(SQLSetConnectAttrW(dbc(connection_), SQL_ATTR_AUTOCOMMIT,
                             reinterpret_cast<SQLPOINTER>(value), SQL_IS_UINTEGER),
          SQL_HANDLE_DBC, connection_, "SQLSetConnectAttr");
}

// Ends the outermost transaction and turns autocommit back on. A commit the server refuses has
// rolled the transaction back: the connection is left outside any transaction all the same.
// Savepoints still pending go with the transaction.
void OdbcConnection::end_transaction(bool commit) {
    pending_.clear();
    checkpoint_ = false;
    ++round_trips_;
    const SQLRETURN result =
        SQLEndTran(SQL_HANDLE_DBC, dbc(connection_), commit ? SQL_COMMIT : SQL_ROLLBACK);
    if (!SQL_SUCCEEDED(result)) {
        try {
            odbc::fail(SQL_HANDLE_DBC, connection_, "SQLEndTran");
        } catch (const Error&) {
            SQLEndTran(SQL_HANDLE_DBC, dbc(connection_), SQL_ROLLBACK);
            set_autocommit(true);
            throw;
        }
    }
    set_autocommit(true);
}

// Inner levels are the savepoints ln_1, ln_2, ... On PostgreSQL the checkpoint is kept above the
// innermost level: released before a level opens, set again after it.
void OdbcConnection::begin_level() {
    if (dialect_ == Dialect::SqlServer) {
        run_plain(util::compose(FMT_COMPILE("SAVE TRANSACTION ln_{}"), depth_));
        return;
    }
    const bool checkpointed = checkpoint_ || !pending_.empty();
    pending_ +=
        util::compose(FMT_COMPILE("{}SAVEPOINT ln_{}; {}; "),
                      checkpointed ? "RELEASE SAVEPOINT ln_ok; " : "", depth_, kSetCheckpoint);
}

// SQL Server keeps its savepoints until the transaction ends: nothing to release. On PostgreSQL
// the release takes the checkpoint above the level with it.
void OdbcConnection::commit_level() {
    if (dialect_ == Dialect::PostgreSQL) {
        pending_ +=
            util::compose(FMT_COMPILE("RELEASE SAVEPOINT ln_{}; {}; "), depth_, kSetCheckpoint);
    }
}

void OdbcConnection::rollback_level() {
    if (dialect_ == Dialect::SqlServer) {
        run_plain(util::compose(FMT_COMPILE("ROLLBACK TRANSACTION ln_{}"), depth_));
        return;
    }
    const std::string sql =
        util::compose(FMT_COMPILE("{0}ROLLBACK TO SAVEPOINT ln_{1}; RELEASE SAVEPOINT ln_{1}; {2}"),
                      pending_, depth_, kSetCheckpoint);
    pending_.clear();
    run_plain(sql);
    checkpoint_ = true;
}

void OdbcConnection::BeginTrans() {
    if (depth_ == 0) {
        set_autocommit(false);
    } else {
        begin_level();
    }
    ++depth_;
}

void OdbcConnection::CommitTrans() {
    if (depth_ == 0) {
        throw UsageError("No transaction is active.");
    }
    --depth_;
    if (depth_ == 0) {
        end_transaction(true);
    } else {
        commit_level();
    }
}

void OdbcConnection::RollbackTrans() {
    if (depth_ == 0) {
        throw UsageError("No transaction is active.");
    }
    --depth_;
    if (depth_ == 0) {
        end_transaction(false);
    } else {
        rollback_level();
    }
}

std::shared_ptr<Connection> open_odbc(const std::string& connection_string) {
    return std::make_shared<OdbcConnection>(connection_string);
}

}  // namespace ledgernova::db
