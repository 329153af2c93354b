#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "db/recording_connection.h"
#include "ledgernova/connection.h"
#include "ledgernova/host.h"

namespace ledgernova::testing {

// A fresh ledger database for one test: every table created, the default host over it with a
// fixed operator and clock, registered as this process's host factory. The module state of the
// thread is reset on creation and on destruction, so each test reads its parameters anew.
class Ledger {
  public:
    // On SQLite (the default): in memory, or with `on_disk` a file in a fresh temp folder that the
    // component reaches through a connection of its own. When LEDGERNOVA_TEST_ODBC holds an ODBC
    // connection string, a fresh PostgreSQL schema instead (dropped again by the destructor),
    // reached through one connection, or with `on_disk` through two; path() then names a file in
    // the temp folder that no database uses, beside which a test may keep files of its own.
    explicit Ledger(bool on_disk = false);
    Ledger(const Ledger&) = delete;
    Ledger& operator=(const Ledger&) = delete;
    ~Ledger();

    // The connection the component uses; it records every statement it runs.
    db::RecordingConnection& recorder() { return *recorder_; }
    // A connection for the test's own reads and writes, not recorded.
    db::Connection& direct() { return *direct_; }
    const std::filesystem::path& path() const { return path_; }
    Date now() const { return now_; }
    void set_now(Date date) { now_ = date; }

    void set_param(const std::string& name, const std::string& value);
    void add_account(const std::string& account, const std::string& registro = "SI",
                     const std::string& resultado = "NO");
    // The rows of a query, one line per row, fields separated by '|', Null shown as NULL.
    std::string rows(const std::string& sql);
    // Starts the thread's module anew on its next use, so parameters are read again.
    void restart_module();
    // From the next module start on, the component sees the default host through `wrapper`
    // (a test's host objects that delegate to the real ones and override what they control).
    using HostWrapper = std::function<HostObjects(HostObjects)>;
    void wrap_host(HostWrapper wrapper);

    // A further connection to the same database, as a second program would open it.
    [[nodiscard]] std::shared_ptr<db::Connection> connect() const;
    // For a forked child: the thread's module starts over its own connection to the database, as
    // a second program would.
    void attach_process() const;

    // Fault injection by the database itself: a trigger named `name` makes it refuse every row
    // that `event` ("INSERT" or "UPDATE") would write into `table` and that meets `when` (a
    // condition on NEW; empty for every row), failing the statement with `message`. The text the
    // caller then receives is the database's own (on SQLite exactly `message`).
    void refuse_rows(const std::string& name, const std::string& event, const std::string& table,
                     const std::string& when, const std::string& message);
    void drop_refusal(const std::string& name, const std::string& table);

    static constexpr const char* kOperator = "OPER";

    // True when the tests run against the server database of LEDGERNOVA_TEST_ODBC; tests that
    // depend on SQLite itself (its files, WAL, forked writers, its messages) check it to skip.
    [[nodiscard]] static bool on_server();

  private:
    std::shared_ptr<db::Connection> open_embedded(bool on_disk);
    std::shared_ptr<db::Connection> open_server(const std::string& connection, bool two);
    void drop_server_schema() noexcept;

    std::string server_connection_;  // the ODBC connection string, when on a server
    std::string server_schema_;      // the PostgreSQL schema of this ledger, when on a server
    std::filesystem::path folder_;
    std::filesystem::path path_;
    std::shared_ptr<db::Connection> direct_;
    std::shared_ptr<db::RecordingConnection> recorder_;
    Date now_;
    HostWrapper wrapper_;
};

// The text of the row set as Ledger::rows gives it.
std::string render(db::Recordset rows);

// The values of the row a recordset stands on.
std::vector<Variant> values(const db::Recordset& row);

// A unique temp folder, removed by the caller.
std::filesystem::path make_temp_folder();

}  // namespace ledgernova::testing
