#include "floor.h"

#include <sqlite3.h>

#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include "ledgernova/connection.h"
#include "ledgernova/schema.h"

namespace ledgernova::bench {
namespace {

[[noreturn]] void fail(sqlite3* handle) {
    throw db::Error(sqlite3_errmsg(handle), sqlite3_extended_errcode(handle));
}

class Database {
  public:
    Database(const std::string& path, int flags) {
        if (sqlite3_open_v2(path.c_str(), &handle_, flags, nullptr) != SQLITE_OK) {
            const std::string message = sqlite3_errmsg(handle_);
            sqlite3_close(handle_);
            throw db::Error("Cannot open " + path + ": " + message);
        }
        sqlite3_busy_timeout(handle_, 30000);
    }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database() { sqlite3_close(handle_); }

    [[nodiscard]] sqlite3* get() const { return handle_; }
    void exec(const std::string& sql) const {
        if (sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
            fail(handle_);
        }
    }

  private:
    sqlite3* handle_ = nullptr;
};

class Statement {
  public:
    Statement(const Database& database, const std::string& sql) : handle_(database.get()) {
        if (sqlite3_prepare_v2(handle_, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK) {
            fail(handle_);
        }
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(statement_); }

    [[nodiscard]] sqlite3_stmt* get() const { return statement_; }
    // True while there is a row; false when done. Throws on an error.
    bool step() {
        const int result = sqlite3_step(statement_);
        if (result != SQLITE_ROW && result != SQLITE_DONE) {
            fail(handle_);
        }
        return result == SQLITE_ROW;
    }
    void reset() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }

  private:
    sqlite3* handle_;
    sqlite3_stmt* statement_ = nullptr;
};

using Value = std::unique_ptr<sqlite3_value, decltype(&sqlite3_value_free)>;
using Row = std::vector<Value>;

std::string insert_text(const char* table, int columns) {
    std::string sql = std::string("INSERT INTO ") + table + " VALUES(";
    for (int c = 1; c <= columns; ++c) {
        sql += (c > 1 ? ", ?" : "?") + std::to_string(c);
    }
    return sql + ")";
}

// One table: its rows of one voucher read from the ledger, written to the floor database.
struct TableCopy {
    TableCopy(const Database& ledger, const Database& floor, const char* table)
        : select(ledger, std::string("SELECT * FROM ") + table + " WHERE Pl_Folio = ?1"),
          insert(floor, insert_text(table, sqlite3_column_count(select.get()))) {}

    Statement select;
    Statement insert;
    std::vector<Row> rows;
};

void read_rows(TableCopy& copy, const std::string& folio) {
    copy.rows.clear();
    sqlite3_bind_text(copy.select.get(), 1, folio.data(), static_cast<int>(folio.size()),
                      SQLITE_STATIC);
    while (copy.select.step()) {
        Row& row = copy.rows.emplace_back();
        for (int c = 0; c < sqlite3_column_count(copy.select.get()); ++c) {
            row.emplace_back(sqlite3_value_dup(sqlite3_column_value(copy.select.get(), c)),
                             &sqlite3_value_free);
        }
    }
    copy.select.reset();
}

void write_rows(TableCopy& copy) {
    for (const Row& row : copy.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            sqlite3_bind_value(copy.insert.get(), static_cast<int>(c + 1), row[c].get());
        }
        copy.insert.step();
        copy.insert.reset();
    }
}

// The floor database, opened as the library opens a ledger.
class FloorDatabase : public Database {
  public:
    FloorDatabase(const std::string& path, const std::string& synchronous)
        : Database(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX) {
        exec("PRAGMA journal_mode = WAL");
        exec("PRAGMA foreign_keys = ON");
        exec("PRAGMA synchronous = " + synchronous);
    }
};

class SqliteFloor final : public Floor {
  public:
    SqliteFloor(const std::string& ledger_path, const std::string& floor_path,
                const std::string& synchronous)
        : ledger_(ledger_path, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX),
          floor_(floor_path, synchronous),
          begin_(floor_, "BEGIN IMMEDIATE"),
          commit_(floor_, "COMMIT") {
        for (const char* table : kVoucherTables) {
            tables_.push_back(std::make_unique<TableCopy>(ledger_, floor_, table));
        }
    }

    double copy(const std::string& folio) override {
        for (auto& table : tables_) {
            read_rows(*table, folio);
        }
        return timed_write();
    }

  private:
    // One voucher's rows in one transaction; microseconds spent.
    double timed_write() {
        const auto start = std::chrono::steady_clock::now();
        begin_.step();
        begin_.reset();
        for (auto& table : tables_) {
            write_rows(*table);
        }
        commit_.step();
        commit_.reset();
        const std::chrono::duration<double, std::micro> spent =
            std::chrono::steady_clock::now() - start;
        return spent.count();
    }

    Database ledger_;
    FloorDatabase floor_;
    Statement begin_;
    Statement commit_;
    std::vector<std::unique_ptr<TableCopy>> tables_;
};

}  // namespace

std::unique_ptr<Floor> sqlite_floor(const std::string& ledger_path, const std::string& floor_path,
                                    const std::string& synchronous) {
    create_schema(*db::open_sqlite(floor_path));
    return std::make_unique<SqliteFloor>(ledger_path, floor_path, synchronous);
}

}  // namespace ledgernova::bench
