#include "db/sqlite_connection.h"

#include <sqlite3.h>

#include <ctime>
#include <memory>

#include <fmt/format.h>

#include "db/top_rewrite.h"
#include "util/text.h"

namespace ledgernova::db {
namespace {

constexpr int kBusyTimeoutMs = 30000;

[[noreturn]] void fail(sqlite3* handle) {
    throw Error(sqlite3_errmsg(handle), sqlite3_extended_errcode(handle));
}

void getdate(sqlite3_context* context, int /*argc*/, sqlite3_value** /*argv*/) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string text =
        fmt::format("{:04}-{:02}-{:02} {:02}:{:02}:{:02}", local.tm_year + 1900, local.tm_mon + 1,
                    local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

bool is_date_type(const char* declared) {
    if (declared == nullptr) {
        return false;
    }
    const std::string type = util::to_upper(declared);
    return type == "DATE" || type == "DATETIME" || type == "TIMESTAMP";
}

Variant text_value(sqlite3_stmt* statement, int column) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    std::string text(bytes, static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
    Date date;
    if (is_date_type(sqlite3_column_decltype(statement, column)) && Date::parse_iso(text, date)) {
        return Variant(date);
    }
    return Variant(std::move(text));
}

Variant column_value(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_NULL:
            return Variant::null();
        case SQLITE_INTEGER: {
            const sqlite3_int64 value = sqlite3_column_int64(statement, column);
            if (value >= INT32_MIN && value <= INT32_MAX) {
                return Variant(static_cast<std::int32_t>(value));
            }
            return Variant(static_cast<double>(value));
        }
        case SQLITE_FLOAT:
            return Variant(sqlite3_column_double(statement, column));
        default:
            return text_value(statement, column);
    }
}

using StatementPtr = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

}  // namespace

SqliteConnection::SqliteConnection(const std::string& path) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &handle_, flags, nullptr) != SQLITE_OK) {
        const std::string message = handle_ != nullptr ? sqlite3_errmsg(handle_) : "out of memory";
        sqlite3_close(handle_);
        handle_ = nullptr;
        throw Error(fmt::format("Cannot open the database {}: {}", path, message));
    }
    sqlite3_extended_result_codes(handle_, 1);
    sqlite3_busy_timeout(handle_, kBusyTimeoutMs);
    sqlite3_create_function(handle_, "GETDATE", 0, SQLITE_UTF8, nullptr, &getdate, nullptr,
                            nullptr);
    try {
        run_plain("PRAGMA journal_mode = WAL");
        run_plain("PRAGMA foreign_keys = ON");
    } catch (...) {
        sqlite3_close(handle_);
        throw;
    }
}

SqliteConnection::~SqliteConnection() {
    sqlite3_close(handle_);
}

void SqliteConnection::run_plain(const std::string& sql) {
    if (sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail(handle_);
    }
}

Recordset SqliteConnection::Execute(std::string_view sql, long /*options*/) {
    if (util::trim_blanks(sql).find_first_not_of("\r\n\t;") == std::string::npos) {
        throw UsageError("Command text was not set for the command object.");
    }
    const std::string text = rewrite_select_top(sql);
    std::vector<std::string> names;
    std::vector<std::vector<Variant>> rows;
    const char* tail = text.c_str();
    while (*tail != '\0') {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(handle_, tail, -1, &raw, &tail) != SQLITE_OK) {
            fail(handle_);
        }
        if (raw == nullptr) {
            continue;  // only blanks or a comment were left
        }
        const StatementPtr statement(raw, &sqlite3_finalize);
        const int columns = sqlite3_column_count(raw);
        if (columns > 0) {
            names.clear();
            rows.clear();
            for (int c = 0; c < columns; ++c) {
                names.emplace_back(sqlite3_column_name(raw, c));
            }
        }
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(raw)) == SQLITE_ROW) {
            auto& row = rows.emplace_back();
            row.reserve(static_cast<std::size_t>(columns));
            for (int c = 0; c < columns; ++c) {
                row.push_back(column_value(raw, c));
            }
        }
        if (step != SQLITE_DONE) {
            fail(handle_);
        }
    }
    return Recordset(std::move(names), std::move(rows));
}

void SqliteConnection::BeginTrans() {
    run_plain(depth_ == 0 ? std::string("BEGIN IMMEDIATE")
                          : fmt::format("SAVEPOINT ln_{}", depth_));
    ++depth_;
}

void SqliteConnection::CommitTrans() {
    if (depth_ == 0) {
        throw UsageError("No transaction is active.");
    }
    run_plain(depth_ == 1 ? std::string("COMMIT") : fmt::format("RELEASE ln_{}", depth_ - 1));
    --depth_;
}

void SqliteConnection::RollbackTrans() {
    if (depth_ == 0) {
        throw UsageError("No transaction is active.");
    }
    --depth_;
    run_plain(depth_ == 0 ? std::string("ROLLBACK")
                          : fmt::format("ROLLBACK TO ln_{0}; RELEASE ln_{0}", depth_));
}

std::shared_ptr<Connection> open_sqlite(const std::string& path) {
    return std::make_shared<SqliteConnection>(path);
}

}  // namespace ledgernova::db
