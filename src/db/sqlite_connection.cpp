#include "db/sqlite_connection.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

#include <fmt/format.h>

#include "db/parameterizer.h"
#include "db/recordset_columns.h"
#include "db/statement_shapes.h"
#include "db/top_rewrite.h"
#include "util/compose.h"
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
        util::compose(FMT_COMPILE("{:04}-{:02}-{:02} {:02}:{:02}:{:02}"), local.tm_year + 1900,
                      local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    sqlite3_result_text(context, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

bool is_date_type(const char* declared) {
    if (declared == nullptr) {
        return false;
    }
    const std::string_view type(declared);
    return util::iequals(type, "DATE") || util::iequals(type, "DATETIME") ||
           util::iequals(type, "TIMESTAMP");
}

// The bytes of a text value in UTF-8. The size first: for a database in UTF-16 that converts the
// value to UTF-8 in place, so that the bytes are then taken as they stand, without the copy that
// sqlite3_value_text makes to end a value read from a row with a zero byte.
std::string_view text_bytes(sqlite3_value* value) {
    const auto size = static_cast<std::size_t>(sqlite3_value_bytes(value));
    if (size == 0) {
        return {};
    }
    return {static_cast<const char*>(sqlite3_value_blob(value)), size};
}

// A blob read as text, as SQLite converts one.
std::string_view blob_as_text(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return {bytes, static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

Variant text_value(std::string_view bytes, bool declared_date) {
    std::string text(bytes);
    Date date;
    if (declared_date && Date::parse_iso(text, date)) {
        return Variant(date);
    }
    return Variant(std::move(text));
}

// The column is read through its value, one call into the statement instead of one for its type,
// its size and its bytes each. The value is read at once, while the row stands, by the one thread
// that uses the connection.
Variant column_value(sqlite3_stmt* statement, int column, bool declared_date) {
    sqlite3_value* value = sqlite3_column_value(statement, column);
    switch (sqlite3_value_type(value)) {
        case SQLITE_NULL:
            return Variant::null();
        case SQLITE_INTEGER: {
            const sqlite3_int64 whole = sqlite3_value_int64(value);
            if (whole >= INT32_MIN && whole <= INT32_MAX) {
                return Variant(static_cast<std::int32_t>(whole));
            }
            return Variant(static_cast<double>(whole));
        }
        case SQLITE_FLOAT:
            return Variant(sqlite3_value_double(value));
        case SQLITE_TEXT:
            return text_value(text_bytes(value), declared_date);
        default:
            return text_value(blob_as_text(value), declared_date);
    }
}

int compare_nocase(void* /*unused*/, int size_a, const void* a, int size_b, const void* b) {
    return util::compare_folded(
        std::string_view(static_cast<const char*>(a), static_cast<std::size_t>(size_a)),
        std::string_view(static_cast<const char*>(b), static_cast<std::size_t>(size_b)));
}

// Closes the handle and throws the reason it could not be opened or read.
[[noreturn]] void cannot_open(const std::string& path, sqlite3* handle) {
    const std::string message = handle != nullptr ? sqlite3_errmsg(handle) : "out of memory";
    const int code = handle != nullptr ? sqlite3_extended_errcode(handle) : SQLITE_NOMEM;
    sqlite3_close(handle);
    throw Error(util::compose(FMT_COMPILE("Cannot open the database {}: {}"), path, message), code);
}

// Opens `name` (the path, or a URI for it) with the flags.
sqlite3* open_handle(const std::string& path, const std::string& name, int flags) {
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(name.c_str(), &handle, flags, nullptr) != SQLITE_OK) {
        cannot_open(path, handle);
    }
    return handle;
}

sqlite3* open_for_writing(const std::string& path) {
    return open_handle(path, path,
                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX);
}

// Opening is lazy: this reads the schema, which is where a file that cannot be read fails.
bool readable(sqlite3* handle) {
    return sqlite3_exec(handle, "SELECT COUNT(*) FROM sqlite_master", nullptr, nullptr, nullptr) ==
           SQLITE_OK;
}

// A WAL database with no log waiting to be checkpointed has all of its content in the file itself.
bool without_pending_log(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path + "-wal", error);
    return error ? !std::filesystem::exists(path + "-wal", error) : size == 0;
}

// The path as an SQLite URI that opens the file as one that cannot change while it is read: no
// lock and no shared-memory file is needed then.
std::string immutable_uri(const std::string& path) {
    std::string uri = "file:";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 ||
            std::string_view("/._-~").find(c) != std::string_view::npos) {
            uri.push_back(c);
        } else {
            uri += util::compose(FMT_COMPILE("%{:02X}"), byte);
        }
    }
    return uri + "?immutable=1";
}

// Read-only. A WAL database needs its shared-memory file, which a read-only folder cannot take:
// when the file holds everything (no pending log), it is read as immutable instead.
sqlite3* open_for_reading(const std::string& path) {
    constexpr int kFlags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
    sqlite3* handle = open_handle(path, path, kFlags);
    if (readable(handle)) {
        return handle;
    }
    if (path == ":memory:" || path.starts_with("file:") || !without_pending_log(path)) {
        cannot_open(path, handle);
    }
    sqlite3_close(handle);
    handle = open_handle(path, immutable_uri(path), kFlags | SQLITE_OPEN_URI);
    if (!readable(handle)) {
        cannot_open(path, handle);
    }
    return handle;
}

using StatementPtr = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

// What a statement's result columns were when last read.
struct ResultColumns {
    std::shared_ptr<const RecordsetColumns> names;  // null until read, and for a result of none
    std::vector<bool> dates;                        // per column, declared as a date
    int preparation = -1;  // how often SQLite had prepared the statement anew by then
};

// The columns of the statement's result, read after its first step: a kept statement is prepared
// again there when the schema changed (SELECT * may then have more columns). Those read before
// stay while SQLite has not prepared the statement anew.
void read_columns(sqlite3_stmt* statement, int count, ResultColumns& columns) {
    const int preparation = sqlite3_stmt_status(statement, SQLITE_STMTSTATUS_REPREPARE, 0);
    if (columns.names && columns.preparation == preparation) {
        return;
    }
    std::vector<std::string> names;
    std::vector<bool> dates;
    names.reserve(static_cast<std::size_t>(count));
    for (int c = 0; c < count; ++c) {
        names.emplace_back(sqlite3_column_name(statement, c));
        dates.push_back(is_date_type(sqlite3_column_decltype(statement, c)));
    }
    columns = {std::make_shared<const RecordsetColumns>(std::move(names)), std::move(dates),
               preparation};
}

// Columns, then rows, of one statement's result, read to its end; a statement that returns no
// columns leaves both as they were. Throws db::Error when a step fails.
void read_result(sqlite3* handle, sqlite3_stmt* statement, ResultColumns& columns,
                 std::vector<std::vector<Variant>>& rows) {
    int step = sqlite3_step(statement);
    const int count = sqlite3_column_count(statement);
    if (count > 0) {
        read_columns(statement, count, columns);
        rows.clear();
    }
    for (; step == SQLITE_ROW; step = sqlite3_step(statement)) {
        auto& row = rows.emplace_back();
        row.reserve(static_cast<std::size_t>(count));
        for (int c = 0; c < count; ++c) {
            row.push_back(column_value(statement, c, columns.dates[static_cast<std::size_t>(c)]));
        }
    }
    if (step != SQLITE_DONE) {
        fail(handle);
    }
}

bool only_separators(const char* tail) {
    for (; *tail != '\0'; ++tail) {
        if (std::isspace(static_cast<unsigned char>(*tail)) == 0 && *tail != ';') {
            return false;
        }
    }
    return true;
}

// True when a result column takes its name from an expression that holds a parameter, so that
// the name would differ from the one the text as written gives.
bool names_a_parameter(sqlite3_stmt* statement) {
    for (int c = 0; c < sqlite3_column_count(statement); ++c) {
        if (std::string_view(sqlite3_column_name(statement, c)).find('?') != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The text without the blanks that begin and end it (tabs and line breaks stay), as a view.
std::string_view without_blanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Resets a kept statement however its run ends, so that it holds no lock and no bound value.
class ResetOnExit {
  public:
    explicit ResetOnExit(sqlite3_stmt* statement) : statement_(statement) {}
    ResetOnExit(const ResetOnExit&) = delete;
    ResetOnExit& operator=(const ResetOnExit&) = delete;
    ~ResetOnExit() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }

  private:
    sqlite3_stmt* statement_;
};

}  // namespace

// A statement kept prepared, null for a text that cannot be kept, with its result's columns as
// last read.
struct SqliteConnection::KeptStatement {
    sqlite3_stmt* statement = nullptr;
    ResultColumns columns;
};

// Statements kept prepared, keyed by their text with the literal values taken out (or by the text
// as written), the most recently used first; the least recently used is finalized when a new one
// would exceed the capacity. A key whose text cannot run as one kept statement is remembered with
// no statement, so that it is not tried again.
class SqliteConnection::StatementCache {
  public:
    explicit StatementCache(sqlite3* handle) : handle_(handle) {}
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;
    ~StatementCache() {
        for (const auto& entry : entries_) {
            sqlite3_finalize(entry.kept.statement);
        }
    }

    // The kept statement of `key`, prepared on first use; null when the text is not a single
    // statement taking exactly `values` parameters and naming every result column as written, or
    // when it does not prepare (the caller then runs the text as written and gets the error).
    KeptStatement* find(const std::string& key, std::size_t values) {
        if (const auto found = index_.find(key); found != index_.end()) {
            entries_.splice(entries_.begin(), entries_, found->second);
            return kept_or_null(*found->second);
        }
        bool prepared = false;
        sqlite3_stmt* statement = prepare(key, values, prepared);
        if (!prepared) {
            return nullptr;
        }
        return kept_or_null(remember(key, statement));
    }

  private:
    static constexpr std::size_t kCapacity = 96;

    struct Entry {
        std::string key;
        KeptStatement kept;
    };

    static KeptStatement* kept_or_null(Entry& entry) {
        return entry.kept.statement != nullptr ? &entry.kept : nullptr;
    }

    // Statement texts run to hundreds of bytes and there are few of them: their length and a
    // word of every eight tell them apart well enough, for an eighth of the work of hashing
    // every byte (texts that hash alike are still told apart by comparing them).
    struct SampledHash {
        std::size_t operator()(std::string_view text) const {
            constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15U;
            constexpr std::size_t kStride = 64;
            std::uint64_t hash = text.size();
            const auto mix = [&](std::size_t at, std::size_t count) {
                std::uint64_t word = 0;
                std::memcpy(&word, text.data() + at, count);
                hash = (hash ^ word) * kMultiplier;
            };
            if (text.size() < sizeof(std::uint64_t)) {
                mix(0, text.size());
            } else {
                for (std::size_t at = 0; at + sizeof(std::uint64_t) <= text.size(); at += kStride) {
                    mix(at, sizeof(std::uint64_t));  // a whole word: copied without a call
                }
                mix(text.size() - sizeof(std::uint64_t), sizeof(std::uint64_t));
            }
            return static_cast<std::size_t>(hash ^ (hash >> 32U));
        }
    };

    sqlite3_stmt* prepare(const std::string& key, std::size_t values, bool& prepared) {
        const std::string text = rewrite_select_top(key);
        sqlite3_stmt* raw = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v3(handle_, text.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &raw, &tail) !=
            SQLITE_OK) {
            return nullptr;
        }
        prepared = true;
        StatementPtr statement(raw, &sqlite3_finalize);
        if (raw == nullptr || !only_separators(tail) ||
            sqlite3_bind_parameter_count(raw) != static_cast<int>(values) ||
            names_a_parameter(raw)) {
            return nullptr;
        }
        return statement.release();
    }

    Entry& remember(const std::string& key, sqlite3_stmt* statement) {
        if (entries_.size() == kCapacity) {
            index_.erase(entries_.back().key);
            sqlite3_finalize(entries_.back().kept.statement);
            entries_.pop_back();
        }
        entries_.push_front({key, {statement, {}}});
        index_.emplace(entries_.front().key, entries_.begin());
        return entries_.front();
    }

    sqlite3* handle_;
    std::list<Entry> entries_;
    std::unordered_map<std::string_view, std::list<Entry>::iterator, SampledHash> index_;
};

SqliteConnection::SqliteConnection(const std::string& path, OpenMode mode)
    : handle_(mode == OpenMode::ReadOnly ? open_for_reading(path) : open_for_writing(path)) {
    try {
        configure();
        if (mode == OpenMode::ReadWrite) {
            run_plain("PRAGMA journal_mode = WAL");
            run_plain("PRAGMA foreign_keys = ON");
            // A savepoint keeps the original of every page changed under it (each document of a
            // call that posts several has one); past 64 KiB SQLite would move them to a file made
            // and deleted for each voucher.
            run_plain("PRAGMA temp_store = MEMORY");
        }
    } catch (...) {
        sqlite3_close(handle_);
        throw;
    }
    cache_ = std::make_unique<StatementCache>(handle_);
    parameterized_ = std::make_unique<Parameterized>();
    shapes_ = std::make_unique<StatementShapes>(ParameterStyle::SQLite);
}

void SqliteConnection::configure() {
    sqlite3_extended_result_codes(handle_, 1);
    sqlite3_busy_timeout(handle_, kBusyTimeoutMs);
    sqlite3_create_function(handle_, "GETDATE", 0, SQLITE_UTF8, nullptr, &getdate, nullptr,
                            nullptr);
    // Declared by every text column of the schema, old ledgers' included: redefined rather than
    // renamed, so that files made before compare every letter's case alike too.
    if (sqlite3_create_collation_v2(handle_, "NOCASE", SQLITE_UTF8, nullptr, &compare_nocase,
                                    nullptr) != SQLITE_OK) {
        fail(handle_);
    }
}

SqliteConnection::~SqliteConnection() {
    cache_.reset();  // a connection with statements still prepared would not close
    sqlite3_close(handle_);
}

// Transaction control is a handful of texts run over and over: once the cache exists they run
// kept too.
void SqliteConnection::run_plain(const std::string& sql) {
    if (KeptStatement* kept = cache_ ? cache_->find(sql, 0) : nullptr) {
        (void)run_prepared(*kept, {});
        return;
    }
    if (sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail(handle_);
    }
}

// A statement composed again with other quoted values (another folio, another document) is
// prepared once: it runs kept, with the values bound where they were written. Anything else runs
// as written, statement by statement.
Recordset SqliteConnection::Execute(std::string_view sql, long /*options*/) {
    if (without_blanks(sql).find_first_not_of("\r\n\t;") == std::string::npos) {
        throw UsageError("Command text was not set for the command object.");
    }
    shapes_->parameterize(sql, *parameterized_);
    if (parameterized_->usable) {
        if (KeptStatement* kept =
                cache_->find(parameterized_->text, parameterized_->values.size())) {
            return run_prepared(*kept, parameterized_->values);
        }
    }
    if (KeptStatement* kept = cache_->find(std::string(sql), 0)) {
        return run_prepared(*kept, {});
    }
    return run_script(rewrite_select_top(sql));
}

Recordset SqliteConnection::run_prepared(KeptStatement& kept,
                                         const std::vector<std::string_view>& values) {
    const ResetOnExit reset(kept.statement);
    for (std::size_t i = 0; i < values.size(); ++i) {
        sqlite3_bind_text(kept.statement, static_cast<int>(i + 1), values[i].data(),
                          static_cast<int>(values[i].size()), SQLITE_STATIC);
    }
    std::vector<std::vector<Variant>> rows;
    read_result(handle_, kept.statement, kept.columns, rows);
    return make_recordset(kept.columns.names, std::move(rows));
}

// The rows of the last statement that returns columns, under its columns.
Recordset SqliteConnection::run_script(const std::string& text) {
    ResultColumns columns;
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
        ResultColumns read;
        read_result(handle_, raw, read, rows);
        if (read.names) {
            columns = std::move(read);
        }
    }
    return make_recordset(std::move(columns.names), std::move(rows));
}

void SqliteConnection::BeginTrans() {
    run_plain(depth_ == 0 ? std::string("BEGIN IMMEDIATE")
                          : util::compose(FMT_COMPILE("SAVEPOINT ln_{}"), depth_));
    ++depth_;
}

void SqliteConnection::CommitTrans() {
    if (depth_ == 0) {
        throw UsageError("No transaction is active.");
    }
    run_plain(depth_ == 1 ? std::string("COMMIT")
                          : util::compose(FMT_COMPILE("RELEASE ln_{}"), depth_ - 1));
    --depth_;
}

void SqliteConnection::RollbackTrans() {
    if (depth_ == 0) {
        throw UsageError("No transaction is active.");
    }
    --depth_;
    run_plain(depth_ == 0
                  ? std::string("ROLLBACK")
                  : util::compose(FMT_COMPILE("ROLLBACK TO ln_{0}; RELEASE ln_{0}"), depth_));
}

// Each version by a pragma of its own: a select of both from their table-valued forms prepares
// both pragmas again at every run.
std::optional<ChangeCounters> SqliteConnection::change_counters() {
    if (sqlite3_get_autocommit(handle_) == 0) {
        return std::nullopt;
    }
    return ChangeCounters{read_version("PRAGMA data_version"),
                          read_version("PRAGMA schema_version"), sqlite3_total_changes64(handle_)};
}

std::int64_t SqliteConnection::read_version(const std::string& pragma) {
    KeptStatement* kept = cache_->find(pragma, 0);
    if (kept == nullptr) {
        throw Error("The database's versions cannot be read.");
    }
    sqlite3_stmt* version = kept->statement;
    const ResetOnExit reset(version);
    if (sqlite3_step(version) != SQLITE_ROW) {
        fail(handle_);
    }
    return sqlite3_column_int64(version, 0);
}

std::optional<std::int64_t> SqliteConnection::own_changes() {
    if (sqlite3_get_autocommit(handle_) == 0) {
        return std::nullopt;
    }
    return sqlite3_total_changes64(handle_);
}

std::shared_ptr<Connection> open_sqlite(const std::string& path, OpenMode mode) {
    return std::make_shared<SqliteConnection>(path, mode);
}

}  // namespace ledgernova::db
