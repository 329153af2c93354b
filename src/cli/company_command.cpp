// `ledgernova company set COMPANY --rfc RFC [--name NAME]`: the company as the electronic
// accounting files name it.

#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/refusal.h"
#include "ledgernova/chart.h"

namespace ledgernova::cli {
namespace {

int set(const GlobalOptions& options, const Company& company) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    const ChartResult result = set_company(*connection, company);
    if (!result.ok) {
        return refused("the company was not written", result.problems);
    }
    fmt::print("company {}: RFC {}\n", company.key, company.rfc);
    return kExitOk;
}

}  // namespace

void add_company_command(CLI::App& app, Program& program) {
    auto* company = app.add_subcommand("company", "the companies (Empresa)");
    company->require_subcommand(1);
    auto arguments = std::make_shared<Company>();
    auto* set_command = company->add_subcommand("set", "add a company, or change its RFC and name");
    set_command->add_option("COMPANY", arguments->key, "the company key (Em_Cve_Empresa)")
        ->required();
    set_command->add_option("--rfc", arguments->rfc, "its RFC")->required();
    set_command->add_option("--name", arguments->name, "its name (kept when not given)");
    on_chosen(*set_command, program,
              [arguments](const GlobalOptions& options) { return set(options, *arguments); });
}

}  // namespace ledgernova::cli
