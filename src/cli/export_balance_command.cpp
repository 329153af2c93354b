// `ledgernova export-sat balance --company C --year YYYY --month MM [--type N|C --modified
// YYYY-MM-DD] [--rfc RFC] [--out FILE]`: a month's trial balance as the tax administration's
// electronic accounting XML (BalanzaComprobacion 1.3).

#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/export_output.h"
#include "ledgernova/export_balance.h"

namespace ledgernova::cli {
namespace {

struct BalanceArguments {
    BalanceRequest request;
    std::string out;  // empty: standard output
};

int export_balance(const GlobalOptions& options, const BalanceArguments& arguments) {
    const auto connection = open_ledger(options, LedgerAccess::ReadOnly);
    const ExportResult result = export_balanza_comprobacion(*connection, arguments.request);
    if (!result.ok) {
        print_problems(result, "the XML was not written");
        return kExitRefused;
    }
    if (!deliver(result.xml, arguments.out)) {
        std::cerr << fmt::format("ledgernova: could not write {}\n", arguments.out);
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace

void add_export_balance_command(CLI::App& export_sat, Program& program) {
    auto* command =
        export_sat.add_subcommand("balance",
                                  "write a month's trial balance as electronic accounting XML "
                                  "(BalanzaComprobacion 1.3)");
    auto arguments = std::make_shared<BalanceArguments>();
    BalanceRequest& request = arguments->request;
    command->add_option("--company", request.company, "the company (Em_Cve_Empresa)")->required();
    command->add_option("--year", request.year, "the fiscal year, YYYY")->required();
    command->add_option("--month", request.month, "the month, 1 to 12, or 13: the year-end period")
        ->required()
        ->check(CLI::Range(1, 13));
    command->add_option("--type", request.type, "N: the month's delivery, C: a complementary one")
        ->check(CLI::IsMember({"N", "C"}));
    command->add_option("--modified", request.modified,
                        "with --type C: the date the books were changed, YYYY-MM-DD");
    command->add_option("--rfc", request.rfc, "the taxpayer's RFC (default: the company's)");
    command->add_option("--out", arguments->out,
                        "the XML file to write (default: standard output)");
    on_chosen(*command, program, [arguments](const GlobalOptions& options) {
        return export_balance(options, *arguments);
    });
}

}  // namespace ledgernova::cli
