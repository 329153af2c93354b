#include "db/odbc_connection.h"

#include <memory>

#include <fmt/format.h>

#include "db/odbc_internal.h"
#include "db/odbc_text.h"
#include "db/top_rewrite.h"
#include "util/text.h"

namespace ledgernova::db {
namespace {

using odbc::check;

// The savepoint that keeps one statement's failure from spoiling a PostgreSQL transaction.
constexpr const char* kStatementSavepoint = "ln_statement";

SQLHENV env(void* handle) {
    return static_cast<SQLHENV>(handle);
}
SQLHDBC dbc(void* handle) {
    return static_cast<SQLHDBC>(handle);
}

SQLWCHAR* wide(std::u16string& text) {
    return reinterpret_cast<SQLWCHAR*>(text.data());
}

struct StatementDeleter {
    void operator()(void* handle) const { SQLFreeHandle(SQL_HANDLE_STMT, handle); }
};
using StatementHandle = std::unique_ptr<void, StatementDeleter>;

StatementHandle new_statement(SQLHDBC connection) {
    SQLHSTMT statement = SQL_NULL_HSTMT;
    check(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement), SQL_HANDLE_DBC, connection,
          "SQLAllocHandle");
    return StatementHandle(statement);
}

// Runs the text and keeps the rows of the last result that has columns, as the SQLite backend
// does for several statements separated by ';'.
Recordset execute_direct(SQLHDBC connection, const std::string& sql) {
    const StatementHandle handle = new_statement(connection);
    SQLHSTMT statement = handle.get();
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

OdbcConnection::OdbcConnection(const std::string& connection_string) {
    try {
        allocate();
        open(connection_string);
        // ISO output of dates cast to text, and month-day order for ambiguous input, as SQL
        // Server reads dates under its default language.
        run_plain(dialect_ == Dialect::PostgreSQL ? "SET DateStyle = ISO, MDY" : "SET NOCOUNT ON");
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
        throw Error(
            fmt::format("The ODBC data source is a {} database; ledgerNova works with PostgreSQL "
                        "and SQL Server",
                        name));
    }
}

void OdbcConnection::release() noexcept {
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
    const std::string text = rewrite_select_top(sql);
    return depth_ > 0 ? run_guarded(text) : run(text);
}

Recordset OdbcConnection::run(const std::string& sql) {
    return execute_direct(dbc(connection_), sql);
}

// PostgreSQL aborts the whole transaction at the first failed statement; a savepoint around each
// statement gives the statement-level failure the other databases have.
Recordset OdbcConnection::run_guarded(const std::string& sql) {
    run_plain(fmt::format("SAVEPOINT {}", kStatementSavepoint));
    try {
        Recordset rows = run(sql);
        run_plain(fmt::format("RELEASE SAVEPOINT {}", kStatementSavepoint));
        return rows;
    } catch (...) {
        // Should even this fail, the statement's own failure is the one worth reporting.
        try {
            run_plain(fmt::format("ROLLBACK TO SAVEPOINT {0}; RELEASE SAVEPOINT {0}",
                                  kStatementSavepoint));
        } catch (const Error&) {
        }
        throw;
    }
}

void OdbcConnection::run_plain(const std::string& sql) {
    (void)run(sql);
}

void OdbcConnection::set_autocommit(bool on) {
    const auto value = static_cast<std::intptr_t>(on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF);
    check(SQLSetConnectAttrW(dbc(connection_), SQL_ATTR_AUTOCOMMIT,
                             reinterpret_cast<SQLPOINTER>(value), SQL_IS_UINTEGER),
          SQL_HANDLE_DBC, connection_, "SQLSetConnectAttr");
}

// Ends the outermost transaction and turns autocommit back on. A commit the server refuses has
// rolled the transaction back: the connection is left outside any transaction all the same.
void OdbcConnection::end_transaction(bool commit) {
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

std::string OdbcConnection::savepoint_statement(int level) const {
    return dialect_ == Dialect::SqlServer ? fmt::format("SAVE TRANSACTION ln_{}", level)
                                          : fmt::format("SAVEPOINT ln_{}", level);
}

// SQL Server keeps its savepoints until the transaction ends: nothing to release.
std::string OdbcConnection::release_statement(int level) const {
    return dialect_ == Dialect::SqlServer ? std::string()
                                          : fmt::format("RELEASE SAVEPOINT ln_{}", level);
}

std::string OdbcConnection::rollback_to_statement(int level) const {
    return dialect_ == Dialect::SqlServer
               ? fmt::format("ROLLBACK TRANSACTION ln_{}", level)
               : fmt::format("ROLLBACK TO SAVEPOINT ln_{0}; RELEASE SAVEPOINT ln_{0}", level);
}

void OdbcConnection::BeginTrans() {
    if (depth_ == 0) {
        set_autocommit(false);
    } else {
        run_plain(savepoint_statement(depth_));
    }
    ++depth_;
}

void OdbcConnection::CommitTrans() {
    if (depth_ == 0) {
        throw UsageError("No transaction is active.");
    }
    if (depth_ == 1) {
        --depth_;
        end_transaction(true);
        return;
    }
    const std::string release = release_statement(depth_ - 1);
    if (!release.empty()) {
        run_plain(release);
    }
    --depth_;
}

void OdbcConnection::RollbackTrans() {
    if (depth_ == 0) {
        throw UsageError("No transaction is active.");
    }
    --depth_;
    if (depth_ == 0) {
        end_transaction(false);
    } else {
        run_plain(rollback_to_statement(depth_));
    }
}

std::shared_ptr<Connection> open_odbc(const std::string& connection_string) {
    return std::make_shared<OdbcConnection>(connection_string);
}

}  // namespace ledgernova::db
