// `ledgernova folios [--ingreso N] [--egreso N] [--diario N]`: the folio dialog frmFolios, which
// asks for the starting consecutive numbers of income, expense and journal vouchers.

#include <cstdint>
#include <iostream>
#include <memory>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "ledgernova/host.h"
#include "ui/folios_window.h"

namespace ledgernova::cli {
namespace {

// The dialog reads and writes nothing in the ledger: it needs only the host's messages, so the
// default host runs over a database of its own in memory and no ledger file has to exist.
int folios(const GlobalOptions& options, const ui::Consecutivos& initial) {
    DatabaseHostOptions host;
    host.connection = db::open_sqlite(":memory:");
    host.operador = options.operador;
    const HostObjects objects = make_database_host(std::move(host));
    const ui::FoliosResult result = ui::run_folios_dialog(*objects.sistema, initial);
    if (!result.error.empty()) {
        std::cerr << "ledgernova: " << result.error << '\n';
        return kExitRefused;
    }
    if (!result.accepted) {
        fmt::print("cancelled\n");
        return kExitRefused;
    }
    fmt::print("accepted ingreso={} egreso={} diario={}\n", result.ingreso, result.egreso,
               result.diario);
    return kExitOk;
}

void add_initial_option(CLI::App& command, const char* name, std::int32_t& value,
                        const char* voucher_type) {
    command
        .add_option(name, value, fmt::format("starting consecutive for {} vouchers", voucher_type))
        ->check(CLI::NonNegativeNumber);
}

}  // namespace

void add_folios_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "folios", "open the folio dialog; prints the three numbers (exit 1 when cancelled)");
    auto initial = std::make_shared<ui::Consecutivos>();
    add_initial_option(*command, "--ingreso", initial->ingreso, "income");
    add_initial_option(*command, "--egreso", initial->egreso, "expense");
    add_initial_option(*command, "--diario", initial->diario, "journal");
    on_chosen(*command, program,
              [initial](const GlobalOptions& options) { return folios(options, *initial); });
}

}  // namespace ledgernova::cli
