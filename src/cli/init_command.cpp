// `ledgernova init [--demo]`: creates every table of the ledger, and with --demo loads the demo
// catalogue into it.

#include <memory>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/demo_catalogue.h"
#include "cli/exit_status.h"
#include "ledgernova/schema.h"

namespace ledgernova::cli {
namespace {

// Tables of the database the ledger's user owns (system tables left out).
std::int32_t count_tables(db::Connection& connection) {
    const char* sql =
        connection.dialect() == db::Dialect::SQLite
            ? "SELECT COUNT(*) AS N FROM sqlite_master WHERE type = 'table' "
              "AND name NOT LIKE 'sqlite%'"
        : connection.dialect() == db::Dialect::PostgreSQL
            ? "SELECT COUNT(*) AS N FROM information_schema.tables WHERE table_type = 'BASE TABLE' "
              "AND table_schema = current_schema()"
            : "SELECT COUNT(*) AS N FROM information_schema.tables WHERE table_type = 'BASE TABLE' "
              "AND table_schema = SCHEMA_NAME()";
    return connection.Execute(sql).Fields("N").Value.to_long();
}

int init(const GlobalOptions& options, bool demo) {
    const auto connection = open_ledger(options, LedgerAccess::Create);
    const std::int32_t before = count_tables(*connection);
    create_schema(*connection);
    if (demo) {
        load_demo_catalogue(*connection);
    }
    const std::int32_t created = count_tables(*connection) - before;
    fmt::print("initialised {}: {} tables created, {} already present\n",
               options.connect ? std::string("the server database") : database_path(options),
               created, before);
    if (demo) {
        fmt::print("demo catalogue loaded: company 01, March 2024 (`ledgernova demo` posts it)\n");
    }
    return kExitOk;
}

}  // namespace

void add_init_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "init", "create every table of the ledger (safe to run again: existing rows are kept)");
    auto demo = std::make_shared<bool>(false);
    command->add_flag("--demo", *demo,
                      "also load the demo catalogue: accounts, suppliers, banks, templates with "
                      "electronic detail, and March 2024 purchases and payments");
    on_chosen(*command, program,
              [demo](const GlobalOptions& options) { return init(options, *demo); });
}

}  // namespace ledgernova::cli
