// `ledgernova export-sat --company C --year YYYY --month MM --rfc RFC --request AF|FC|DE|CO
// [--order N | --procedure N] [--out FILE] [--force]`: the vouchers of a month as the tax
// administration's electronic accounting XML (PolizasPeriodo 1.3). `export-sat balance ...` is
// the trial balance (export_balance_command.cpp).

#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/export_output.h"
#include "ledgernova/export_sat.h"

namespace ledgernova::cli {
namespace {

struct ExportArguments {
    ExportRequest request;
    std::string out;  // empty: standard output
};

// Without a kind (balance, ...) the command exports the vouchers, and then needs their request.
void require_request(const CLI::App& command) {
    for (const char* option : {"--company", "--year", "--month", "--rfc", "--request"}) {
        if (command.count(option) == 0) {
            throw UsageError(fmt::format("{} is required", option));
        }
    }
}

int export_sat(const GlobalOptions& options, const ExportArguments& arguments) {
    const auto connection = open_ledger(options, LedgerAccess::ReadOnly);
    const ExportResult result = export_polizas_periodo(*connection, arguments.request);
    if (!result.ok) {
        print_problems(result, "the XML was not written");
        return kExitRefused;
    }
    if (!result.problems.empty()) {
        print_problems(result, "written anyway (--force), although the schema will refuse it");
    }
    if (!deliver(result.xml, arguments.out)) {
        std::cerr << fmt::format("ledgernova: could not write {}\n", arguments.out);
        return kExitRefused;
    }
    return kExitOk;
}

void add_request_options(CLI::App& command, ExportRequest& request) {
    command.add_option("--company", request.company, "the company (Em_Cve_Empresa)");
    command.add_option("--year", request.year, "the fiscal year, YYYY");
    command.add_option("--month", request.month, "the month, 1 to 12 (12 includes period 13)")
        ->check(CLI::Range(1, 12));
    command.add_option("--rfc", request.rfc, "the taxpayer's RFC");
    command.add_option("--request", request.request_type, "the request type (TipoSolicitud)")
        ->check(CLI::IsMember({"AF", "FC", "DE", "CO"}));
    auto* order = command.add_option("--order", request.order_number,
                                     "the order number (NumOrden), for AF and FC");
    auto* procedure = command.add_option("--procedure", request.procedure_number,
                                         "the procedure number (NumTramite), for DE and CO");
    order->excludes(procedure);
    command.add_flag("--force", request.force, "write the XML even when the check finds problems");
}

}  // namespace

void add_export_sat_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "export-sat", "write a month's vouchers as electronic accounting XML (PolizasPeriodo 1.3)");
    auto arguments = std::make_shared<ExportArguments>();
    add_request_options(*command, arguments->request);
    command->add_option("--out", arguments->out,
                        "the XML file to write (default: standard output)");
    // A kind's own action, set when it was chosen, stands.
    command->callback([command, &program, arguments] {
        if (command->get_subcommands().empty()) {
            require_request(*command);
            program.action = [arguments](const GlobalOptions& options) {
                return export_sat(options, *arguments);
            };
        }
    });
    add_export_balance_command(*command, program);
}

}  // namespace ledgernova::cli
