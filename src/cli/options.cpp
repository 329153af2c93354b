#include "cli/options.h"

#include <cstdlib>
#include <filesystem>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/exit_status.h"
#include "ledgernova/host.h"
#include "ledgernova/module.h"

namespace ledgernova::cli {
namespace {

constexpr const char* kDefaultDatabase = "ledgernova.db";

// In-memory databases and URI file names have no file to look for.
bool names_a_file(const std::string& path) {
    return path != ":memory:" && path.rfind("file:", 0) != 0;
}

void register_host(std::shared_ptr<db::Connection> connection, const std::string& operador) {
    set_host_factory([connection = std::move(connection), operador] {
        DatabaseHostOptions host;
        host.connection = connection;
        host.operador = operador;
        return make_database_host(std::move(host));
    });
}

}  // namespace

void add_global_options(CLI::App& app, GlobalOptions& options) {
    auto* db = app.add_option("--db", options.database,
                              "SQLite ledger file (default: $LEDGERNOVA_DB, else ledgernova.db)");
    auto* connect = app.add_option_function<std::string>(
        "--connect", [&options](const std::string& text) { options.connect = text; },
        "ODBC connection string of a server database, PostgreSQL (psqlODBC) or SQL Server "
        "(FreeTDS), e.g. \"Driver=PostgreSQL Unicode;Server=host;Database=ledger;Uid=user;\"");
    db->excludes(connect);
    app.add_option("--operator", options.operador,
                   "operator code written into the audit columns (default: the login name)");
}

std::string database_path(const GlobalOptions& options) {
    if (!options.database.empty()) {
        return options.database;
    }
    const char* environment = std::getenv("LEDGERNOVA_DB");
    return environment != nullptr && *environment != '\0' ? environment : kDefaultDatabase;
}

std::shared_ptr<db::Connection> open_ledger(const GlobalOptions& options, LedgerAccess access) {
    if (options.connect) {
        auto connection = db::open_odbc(*options.connect);
        register_host(connection, options.operador);
        return connection;
    }
    const std::string path = database_path(options);
    if (access != LedgerAccess::Create && names_a_file(path) && !std::filesystem::exists(path)) {
        throw std::runtime_error(
            fmt::format("there is no ledger at {}: run `ledgernova init` first", path));
    }
    auto connection = db::open_sqlite(
        path, access == LedgerAccess::ReadOnly ? db::OpenMode::ReadOnly : db::OpenMode::ReadWrite);
    register_host(connection, options.operador);
    return connection;
}

}  // namespace ledgernova::cli
