// `ledgernova online TABLE`: whether a source table has an active template that posts on line.

#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/refusal.h"
#include "ledgernova/polizas.h"

namespace ledgernova::cli {
namespace {

// Exit 0 when the table posts on line, 1 when it does not or the question could not be answered.
int online(const GlobalOptions& options, const std::string& table) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    Polizas poliza;
    if (poliza.Contabiliza_En_Linea(table)) {
        fmt::print("{} posts on line\n", table);
        return kExitOk;
    }
    if (!poliza.get_Error().empty()) {
        return refused(fmt::format("could not tell whether {} posts on line", table),
                       poliza.get_Error());
    }
    fmt::print("{} does not post on line\n", table);
    return kExitRefused;
}

}  // namespace

void add_online_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "online", "tell whether a source table has an active template that posts on line");
    auto table = std::make_shared<std::string>();
    command->add_option("TABLE", *table, "the source table, e.g. Compras")->required();
    on_chosen(*command, program,
              [table](const GlobalOptions& options) { return online(options, *table); });
}

}  // namespace ledgernova::cli
