// `ledgernova init [--demo]`: creates every table of the ledger.

#include <memory>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
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
            : "SELECT COUNT(*) AS N FROM information_schema.tables WHERE table_type = 'BASE TABLE' "
              "AND table_schema NOT IN ('pg_catalog', 'information_schema')";
    return connection.Execute(sql).Fields("N").Value.to_long();
}

int init(const GlobalOptions& options, bool demo) {
    if (demo) {
        throw UsageError("init --demo is not available yet");
    }
    const auto connection = open_ledger(options, LedgerAccess::Create);
    const std::int32_t before = count_tables(*connection);
    create_schema(*connection);
    const std::int32_t created = count_tables(*connection) - before;
    fmt::print("initialised {}: {} tables created, {} already present\n", database_path(options),
               created, before);
    return kExitOk;
}

}  // namespace

void add_init_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "init", "create every table of the ledger (safe to run again: existing rows are kept)");
    auto demo = std::make_shared<bool>(false);
    command->add_flag("--demo", *demo, "also load a demo catalogue (not available yet)");
    on_chosen(*command, program,
              [demo](const GlobalOptions& options) { return init(options, *demo); });
}

}  // namespace ledgernova::cli
