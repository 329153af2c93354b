#pragma once

#include <memory>
#include <optional>
#include <string>

#include "ledgernova/connection.h"

namespace CLI {
class App;
}

namespace ledgernova::cli {

// The options that come before the command.
struct GlobalOptions {
    std::string database;                // --db; empty: $LEDGERNOVA_DB, else "ledgernova.db"
    std::optional<std::string> connect;  // --connect, an ODBC connection string
    std::string operador;                // --operator; empty: the login name
};

void add_global_options(CLI::App& app, GlobalOptions& options);

// The SQLite file the options name: --db, else $LEDGERNOVA_DB, else "ledgernova.db".
[[nodiscard]] std::string database_path(const GlobalOptions& options);

enum class LedgerAccess {
    Create,    // create the database file when it is missing (init)
    Existing,  // the file must exist already
    ReadOnly   // the file must exist and is only read: it may be write-protected, in a read-only
               // folder (commands that only read, such as show and export-sat)
};

// Opens the ledger the options name and registers the default host over that connection, with
// the operator of the options, so that every voucher object created afterwards posts into it.
// With --connect the server database of the ODBC connection string (its tables are created by
// init). Throws std::runtime_error when an existing SQLite ledger is required and the file is
// missing, db::Error when the database cannot be opened.
[[nodiscard]] std::shared_ptr<db::Connection> open_ledger(const GlobalOptions& options,
                                                          LedgerAccess access);

}  // namespace ledgernova::cli
