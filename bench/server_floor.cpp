// The floor on a PostgreSQL server: the same rows written through ODBC with statements prepared
// once and values bound per row, one transaction per voucher.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "db/odbc_internal.h"
#include "db/odbc_text.h"
#include "floor.h"
#include "ledgernova/connection.h"

namespace ledgernova::bench {
namespace {

using db::odbc::check;

// A value as it is bound: UTF-16 text, or nothing for Null.
using Value = std::optional<std::u16string>;
using Row = std::vector<Value>;

SQLWCHAR* wide(std::u16string& text) {
    return reinterpret_cast<SQLWCHAR*>(text.data());
}

// An ODBC connection with autocommit off: every statement joins the transaction that the next
// commit ends.
class Session {
  public:
    explicit Session(const std::string& connection_string) {
        check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment_), SQL_HANDLE_ENV,
              environment_, "SQLAllocHandle");
        SQLSetEnvAttr(environment_, SQL_ATTR_ODBC_VERSION,
                      reinterpret_cast<SQLPOINTER>(static_cast<std::intptr_t>(SQL_OV_ODBC3)), 0);
        check(SQLAllocHandle(SQL_HANDLE_DBC, environment_, &connection_), SQL_HANDLE_ENV,
              environment_, "SQLAllocHandle");
        std::u16string text = db::utf8_to_utf16(connection_string);
        check(SQLDriverConnectW(connection_, nullptr, wide(text),
                                static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                                SQL_DRIVER_NOPROMPT),
              SQL_HANDLE_DBC, connection_, "SQLDriverConnect");
        check(SQLSetConnectAttrW(
                  connection_, SQL_ATTR_AUTOCOMMIT,
                  reinterpret_cast<SQLPOINTER>(static_cast<std::intptr_t>(SQL_AUTOCOMMIT_OFF)),
                  SQL_IS_UINTEGER),
              SQL_HANDLE_DBC, connection_, "SQLSetConnectAttr");
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;
    ~Session() {
        SQLEndTran(SQL_HANDLE_DBC, connection_, SQL_ROLLBACK);
        SQLDisconnect(connection_);
        SQLFreeHandle(SQL_HANDLE_DBC, connection_);
        SQLFreeHandle(SQL_HANDLE_ENV, environment_);
    }

    [[nodiscard]] SQLHDBC get() const { return connection_; }
    void commit() const {
        check(SQLEndTran(SQL_HANDLE_DBC, connection_, SQL_COMMIT), SQL_HANDLE_DBC, connection_,
              "SQLEndTran");
    }

  private:
    SQLHENV environment_ = SQL_NULL_HENV;
    SQLHDBC connection_ = SQL_NULL_HDBC;
};

// A statement prepared once; each execute binds a row of values to its markers.
class Prepared {
  public:
    Prepared(const Session& session, const std::string& sql) {
        check(SQLAllocHandle(SQL_HANDLE_STMT, session.get(), &statement_), SQL_HANDLE_DBC,
              session.get(), "SQLAllocHandle");
        std::u16string text = db::utf8_to_utf16(sql);
        check(SQLPrepareW(statement_, wide(text), static_cast<SQLINTEGER>(text.size())),
              SQL_HANDLE_STMT, statement_, "SQLPrepare");
    }
    Prepared(const Prepared&) = delete;
    Prepared& operator=(const Prepared&) = delete;
    ~Prepared() { SQLFreeHandle(SQL_HANDLE_STMT, statement_); }

    // Runs with `values` bound as text (the server reads each as its column's type); the rows of
    // its result, as text.
    std::vector<Row> execute(Row values) {
        std::vector<SQLLEN> lengths(values.size());
        for (std::size_t i = 0; i < values.size(); ++i) {
            bind(i, values[i], lengths[i]);
        }
        check(SQLExecute(statement_), SQL_HANDLE_STMT, statement_, "SQLExecute");
        SQLSMALLINT columns = 0;
        check(SQLNumResultCols(statement_, &columns), SQL_HANDLE_STMT, statement_,
              "SQLNumResultCols");
        std::vector<Row> rows;
        if (columns > 0) {
            for (auto& fields : db::odbc::read_result_set(statement_, columns).rows) {
                rows.push_back(as_values(fields));
            }
        }
        SQLFreeStmt(statement_, SQL_CLOSE);
        SQLFreeStmt(statement_, SQL_RESET_PARAMS);
        return rows;
    }

  private:
    void bind(std::size_t index, Value& value, SQLLEN& length) {
        const SQLLEN bytes = value ? static_cast<SQLLEN>(value->size() * sizeof(char16_t)) : 0;
        length = value ? bytes : SQL_NULL_DATA;
        const auto size = static_cast<SQLULEN>(value && !value->empty() ? value->size() : 1);
        check(SQLBindParameter(statement_, static_cast<SQLUSMALLINT>(index + 1), SQL_PARAM_INPUT,
                               SQL_C_WCHAR, SQL_VARCHAR, size, 0, value ? wide(*value) : nullptr,
                               bytes, &length),
              SQL_HANDLE_STMT, statement_, "SQLBindParameter");
    }

    static Row as_values(const std::vector<Variant>& fields) {
        Row row;
        for (const Variant& field : fields) {
            row.push_back(field.is_null() ? Value() : Value(db::utf8_to_utf16(field.to_text())));
        }
        return row;
    }

    SQLHSTMT statement_ = SQL_NULL_HSTMT;
};

std::string insert_text(const std::string& table, std::size_t columns) {
    std::string sql = "INSERT INTO " + table + " VALUES (";
    for (std::size_t c = 0; c < columns; ++c) {
        sql += c > 0 ? ", ?" : "?";
    }
    return sql + ")";
}

std::size_t column_count(const Session& session, const std::string& table) {
    Prepared count(session,
                   "SELECT COUNT(*) FROM information_schema.columns WHERE table_schema || '.' || "
                   "table_name = lower(?)");
    return std::stoul(db::utf16_to_utf8(*count.execute({db::utf8_to_utf16(table)}).at(0).at(0)));
}

// One table: its rows of one voucher read from the ledger, written to the floor's schema.
struct TableCopy {
    TableCopy(const Session& ledger, const Session& floor, const std::string& ledger_table,
              const std::string& floor_table)
        : select(ledger, "SELECT * FROM " + ledger_table + " WHERE Pl_Folio = ?"),
          insert(floor, insert_text(floor_table, column_count(ledger, ledger_table))) {}

    Prepared select;
    Prepared insert;
    std::vector<Row> rows;
};

class ServerFloor final : public Floor {
  public:
    ServerFloor(const std::string& connection_string, const std::string& ledger_schema,
                const std::string& floor_schema)
        : ledger_(connection_string), floor_(connection_string) {
        for (const char* table : kVoucherTables) {
            tables_.push_back(std::make_unique<TableCopy>(
                ledger_, floor_, ledger_schema + "." + table, floor_schema + "." + table));
        }
        ledger_.commit();
    }

    double copy(const std::string& folio) override {
        for (auto& table : tables_) {
            table->rows = table->select.execute({db::utf8_to_utf16(folio)});
        }
        ledger_.commit();
        const auto start = std::chrono::steady_clock::now();
        for (auto& table : tables_) {
            for (Row& row : table->rows) {
                (void)table->insert.execute(std::move(row));
            }
        }
        floor_.commit();
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - start;
        return spent.count();
    }

  private:
    Session ledger_;
    Session floor_;
    std::vector<std::unique_ptr<TableCopy>> tables_;
};

}  // namespace

std::unique_ptr<Floor> server_floor(const std::string& connection_string,
                                    const std::string& ledger_schema,
                                    const std::string& floor_schema) {
    return std::make_unique<ServerFloor>(connection_string, ledger_schema, floor_schema);
}

}  // namespace ledgernova::bench
