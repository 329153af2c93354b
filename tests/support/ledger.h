#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "db/recording_connection.h"
#include "ledgernova/connection.h"
#include "ledgernova/host.h"

namespace ledgernova::testing {

// A fresh ledger database for one test: every table created, the default host over it with a
// fixed operator and clock, registered as this process's host factory. The module state of the
// thread is reset on creation and on destruction, so each test reads its parameters anew.
class Ledger {
  public:
    // An empty path keeps the database in memory; otherwise it is a file in a fresh temp folder.
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

    // For a forked child: the thread's module starts over its own connection to the database
    // file, as a second program would.
    static void attach_process(const std::filesystem::path& path);

    static constexpr const char* kOperator = "OPER";

  private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
    std::shared_ptr<db::Connection> direct_;
    std::shared_ptr<db::RecordingConnection> recorder_;
    Date now_;
    HostWrapper wrapper_;
};

// The text of the row set as Ledger::rows gives it.
std::string render(db::Recordset rows);

// A unique temp folder, removed by the caller.
std::filesystem::path make_temp_folder();

}  // namespace ledgernova::testing
