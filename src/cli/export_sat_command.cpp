// `ledgernova export-sat --company C --year YYYY --month MM [--rfc RFC] --request AF|FC|DE|CO
// [--order N | --procedure N] [--out FILE|FOLDER] [--zip] [--force]`: the vouchers of a month as
// the tax administration's electronic accounting XML (PolizasPeriodo 1.3);
// `ledgernova export-sat catalogue --company C --year YYYY --month MM [--rfc RFC] [--out ...]
// [--zip]`: the chart of accounts (CatalogoCuentas 1.3);
// `ledgernova export-sat balance --company C --year YYYY --month MM [--type N|C --modified
// YYYY-MM-DD] [--rfc RFC] [--out ...] [--zip]`: the month's trial balance (BalanzaComprobacion
// 1.3), month 13 the year-end period.

#include <memory>
#include <string>
#include <vector>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/refusal.h"
#include "cli/sat_delivery.h"
#include "ledgernova/chart.h"
#include "ledgernova/export_balance.h"
#include "ledgernova/export_catalogue.h"
#include "ledgernova/export_sat.h"

namespace ledgernova::cli {
namespace {

struct ExportArguments {
    ExportRequest request;
    Delivery delivery;
};

struct CatalogueArguments {
    CatalogueRequest request;
    Delivery delivery;
};

struct BalanceArguments {
    BalanceRequest request;
    Delivery delivery;
};

std::vector<std::string> described(const ExportResult& result) {
    std::vector<std::string> lines;
    for (const auto& problem : result.problems) {
        lines.push_back(describe(problem));
    }
    return lines;
}

// The result delivered, or its problems listed; the exit status.
int finish(const ExportResult& result, const SatFile& file, const Delivery& delivery) {
    if (!result.ok) {
        return refused("the XML was not written", described(result));
    }
    if (!result.problems.empty()) {
        print_problems("written anyway (--force), although the schema will refuse it",
                       described(result));
    }
    deliver(result.xml, file, delivery);
    return kExitOk;
}

// The voucher export's options are required only when no other export is chosen.
void require_voucher_options(const ExportRequest& request) {
    for (const auto& [given, name] : {std::pair{!request.company.empty(), "--company"},
                                      {request.year != 0, "--year"},
                                      {request.month != 0, "--month"},
                                      {!request.request_type.empty(), "--request"}}) {
        if (!given) {
            throw UsageError(std::string(name) + " is required");
        }
    }
}

// The file the export is delivered as, named by the RFC the export uses: the one given, else the
// company's.
template <typename Request>
SatFile file_of(db::Connection& connection, const Request& request, SatFileKind kind) {
    const std::string rfc =
        request.rfc.empty() ? stored_rfc(connection, request.company) : request.rfc;
    return {rfc, request.year, request.month, kind};
}

int export_vouchers(const GlobalOptions& options, const ExportArguments& arguments) {
    const ExportRequest& request = arguments.request;
    require_voucher_options(request);
    const auto connection = open_ledger(options, LedgerAccess::ReadOnly);
    return finish(export_polizas_periodo(*connection, request),
                  file_of(*connection, request, SatFileKind::Vouchers), arguments.delivery);
}

int export_catalogue(const GlobalOptions& options, const CatalogueArguments& arguments) {
    const CatalogueRequest& request = arguments.request;
    const auto connection = open_ledger(options, LedgerAccess::ReadOnly);
    return finish(export_catalogo_cuentas(*connection, request),
                  file_of(*connection, request, SatFileKind::Catalogue), arguments.delivery);
}

int export_balance(const GlobalOptions& options, const BalanceArguments& arguments) {
    const BalanceRequest& request = arguments.request;
    const auto connection = open_ledger(options, LedgerAccess::ReadOnly);
    const SatFileKind kind =
        request.type == "C" ? SatFileKind::ComplementaryBalance : SatFileKind::NormalBalance;
    return finish(export_balanza_comprobacion(*connection, request),
                  file_of(*connection, request, kind), arguments.delivery);
}

// A trial balance also has the year-end period 13 as a month of its own.
void add_period_options(CLI::App& command, std::string& company, int& year, int& month,
                        bool required, int last_month = 12) {
    command.add_option("--company", company, "the company (Em_Cve_Empresa)")->required(required);
    command.add_option("--year", year, "the fiscal year, YYYY")->required(required);
    command.add_option("--month", month, fmt::format("the month, 1 to {}", last_month))
        ->required(required)
        ->check(CLI::Range(1, last_month));
}

void add_delivery_options(CLI::App& command, Delivery& delivery) {
    command.add_option("--out", delivery.out,
                       "the file to write, or a folder to write it into under its SAT name "
                       "(default: standard output)");
    command.add_flag("--zip", delivery.zip,
                     "write the ZIP the authority receives (named RFC+year+month+kind.zip "
                     "unless --out names the file)");
}

void add_request_options(CLI::App& command, ExportRequest& request) {
    add_period_options(command, request.company, request.year, request.month, false);
    command.add_option("--rfc", request.rfc, "the taxpayer's RFC (default: the company's)");
    command.add_option("--request", request.request_type, "the request type (TipoSolicitud)")
        ->check(CLI::IsMember({"AF", "FC", "DE", "CO"}));
    auto* order = command.add_option("--order", request.order_number,
                                     "the order number (NumOrden), for AF and FC");
    auto* procedure = command.add_option("--procedure", request.procedure_number,
                                         "the procedure number (NumTramite), for DE and CO");
    order->excludes(procedure);
    command.add_flag("--force", request.force, "write the XML even when the check finds problems");
}

// A monthly file of its own kind: a subcommand of export-sat with the period, RFC and delivery
// options every such file takes, running `run` when chosen; the caller adds the kind's own.
template <typename Arguments>
CLI::App* add_monthly_file(CLI::App& export_sat, Program& program, const char* name,
                           const char* description, int last_month,
                           std::shared_ptr<Arguments> arguments,
                           int (*run)(const GlobalOptions&, const Arguments&)) {
    auto* command = export_sat.add_subcommand(name, description);
    auto& request = arguments->request;
    add_period_options(*command, request.company, request.year, request.month, true, last_month);
    command->add_option("--rfc", request.rfc, "the taxpayer's RFC (default: the company's)");
    add_delivery_options(*command, arguments->delivery);
    on_chosen(*command, program,
              [arguments, run](const GlobalOptions& options) { return run(options, *arguments); });
    return command;
}

void add_catalogue_command(CLI::App& export_sat, Program& program) {
    add_monthly_file(
        export_sat, program, "catalogue",
        "write the chart of accounts as electronic accounting XML (CatalogoCuentas 1.3)", 12,
        std::make_shared<CatalogueArguments>(), export_catalogue);
}

void add_balance_command(CLI::App& export_sat, Program& program) {
    auto arguments = std::make_shared<BalanceArguments>();
    CLI::App* command = add_monthly_file(
        export_sat, program, "balance",
        "write a month's trial balance as electronic accounting XML (BalanzaComprobacion 1.3)", 13,
        arguments, export_balance);
    BalanceRequest& request = arguments->request;
    command->add_option("--type", request.type, "N: the month's delivery, C: a complementary one")
        ->check(CLI::IsMember({"N", "C"}));
    command->add_option("--modified", request.modified,
                        "with --type C: the date the books were changed, YYYY-MM-DD");
}

}  // namespace

void add_export_sat_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "export-sat",
        "write electronic accounting XML: a month's vouchers (PolizasPeriodo 1.3), "
        "with `catalogue` the chart of accounts, with `balance` the trial balance");
    auto arguments = std::make_shared<ExportArguments>();
    add_request_options(*command, arguments->request);
    add_delivery_options(*command, arguments->delivery);
    add_catalogue_command(*command, program);
    add_balance_command(*command, program);
    command->callback([command, &program, arguments] {
        if (command->get_subcommands().empty()) {
            program.action = [arguments](const GlobalOptions& options) {
                return export_vouchers(options, *arguments);
            };
        }
    });
}

}  // namespace ledgernova::cli
