// `ledgernova export-sat balance --company C --year YYYY --month MM [--type N|C --modified
// YYYY-MM-DD] [--rfc RFC] [--out FILE] [--zip]`: a month's trial balance as the tax
// administration's electronic accounting XML (BalanzaComprobacion 1.3).

#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/export_output.h"
#include "export/balance_ledger.h"
#include "ledgernova/export_balance.h"
#include "ledgernova/sat_files.h"

namespace ledgernova::cli {
namespace {

struct BalanceArguments {
    BalanceRequest request;
    std::string out;  // empty: standard output, or with `zip` the file's SAT name
    bool zip = false;
};

// The ZIP the authority receives, holding the XML under its SAT name; the archive goes to `out`,
// or to that name with ".zip" in the current folder.
bool deliver_zip(const BalanceRequest& request, const std::string& xml, std::string out) {
    const SatFileKind kind =
        request.type == "C" ? SatFileKind::ComplementaryBalance : SatFileKind::NormalBalance;
    const std::string zip =
        zip_one_file(sat_file_name(request.rfc, request.year, request.month, kind), xml);
    if (out.empty()) {
        out = sat_file_name(request.rfc, request.year, request.month, kind, ".zip");
    }
    return !zip.empty() && deliver(zip, out);
}

int export_balance(const GlobalOptions& options, const BalanceArguments& arguments) {
    const auto connection = open_ledger(options, LedgerAccess::ReadOnly);
    BalanceRequest request = arguments.request;
    if (request.rfc.empty()) {
        request.rfc = sat::company_rfc(*connection, request.company);
    }
    const ExportResult result = export_balanza_comprobacion(*connection, request);
    if (!result.ok) {
        print_problems(result, "the XML was not written");
        return kExitRefused;
    }
    if (arguments.zip ? !deliver_zip(request, result.xml, arguments.out)
                      : !deliver(result.xml, arguments.out)) {
        std::cerr << fmt::format("ledgernova: could not write {}\n",
                                 arguments.out.empty() ? "the ZIP" : arguments.out);
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
                        "the file to write (default: standard output; with --zip, the SAT name)");
    command->add_flag("--zip", arguments->zip,
                      "write the ZIP the authority receives, the XML inside named RFC, year, "
                      "month and BN or BC");
    on_chosen(*command, program, [arguments](const GlobalOptions& options) {
        return export_balance(options, *arguments);
    });
}

}  // namespace ledgernova::cli
