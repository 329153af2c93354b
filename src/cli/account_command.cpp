// `ledgernova account add|list|import`: the chart of accounts with what the electronic accounting
// files need of each account, kept without writing SQL.

#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/refusal.h"
#include "cli/text_table.h"
#include "ledgernova/chart.h"

namespace ledgernova::cli {
namespace {

struct AccountArguments {
    Account account;
    bool summary = false;
    bool replace = false;
    std::string file;
};

int add(const GlobalOptions& options, AccountArguments arguments) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    arguments.account.entry = !arguments.summary;
    const ChartResult result = add_account(*connection, arguments.account, arguments.replace);
    if (!result.ok) {
        return refused("the account was not added", result.problems);
    }
    fmt::print("account {} {}\n", arguments.account.key, arguments.replace ? "written" : "added");
    return kExitOk;
}

std::string read_file(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path);
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

int import(const GlobalOptions& options, const AccountArguments& arguments) {
    const std::string csv = read_file(arguments.file);
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    const ChartResult result = import_accounts(*connection, csv);
    if (!result.ok) {
        return refused("nothing was imported", result.problems);
    }
    fmt::print("imported the accounts of {}\n", arguments.file);
    return kExitOk;
}

int list(const GlobalOptions& options) {
    const auto connection = open_ledger(options, LedgerAccess::ReadOnly);
    const AccountList chart = list_accounts(*connection);
    if (!chart.ok) {
        return refused("the chart could not be read", chart.error);
    }
    using Align = TextTable::Align;
    TextTable table({Align::Left, Align::Left, Align::Left, Align::Left, Align::Right, Align::Left,
                     Align::Left});
    table.add_row({"account", "description", "code", "nature", "level", "parent", "entry"});
    table.add_rule();
    for (const auto& a : chart.accounts) {
        table.add_row({a.key, a.description, a.grouping_code, a.nature, std::to_string(a.level),
                       a.parent, a.entry ? "SI" : "NO"});
    }
    std::cout << table.render();
    return kExitOk;
}

void add_add_command(CLI::App& account, Program& program) {
    auto arguments = std::make_shared<AccountArguments>();
    auto* add_command = account.add_subcommand("add", "add an account to the chart");
    Account& a = arguments->account;
    add_command->add_option("ACCOUNT", a.key, "the account key (Cc_Cve_Cuenta_Contable)")
        ->required();
    add_command->add_option("--description", a.description, "its description")->required();
    add_command->add_option("--code", a.grouping_code,
                            "the SAT grouping code (c_CodAgrup), such as 102.01");
    add_command->add_option("--nature", a.nature, "D (deudora) or A (acreedora)");
    add_command->add_option("--parent", a.parent, "the account it belongs to (none at the top)");
    add_command->add_option("--level", a.level, "its level (default: the parent's + 1, or 1)")
        ->check(CLI::Range(1, 999));
    add_command->add_flag("--summary", arguments->summary,
                          "a summary account: voucher lines do not post to it");
    add_command->add_flag("--result", a.result, "an account of the income statement");
    add_command->add_flag("--replace", arguments->replace, "overwrite an account already there");
    on_chosen(*add_command, program,
              [arguments](const GlobalOptions& options) { return add(options, *arguments); });
}

}  // namespace

void add_account_command(CLI::App& app, Program& program) {
    auto* account = app.add_subcommand("account", "the chart of accounts");
    account->require_subcommand(1);
    add_add_command(*account, program);

    auto* list_command = account->add_subcommand("list", "print the chart of accounts");
    on_chosen(*list_command, program, list);

    auto arguments = std::make_shared<AccountArguments>();
    auto* import_command = account->add_subcommand(
        "import", "add or overwrite the accounts of a CSV file: all of them, or none");
    import_command->add_option("FILE", arguments->file, "the CSV file")->required();
    on_chosen(*import_command, program,
              [arguments](const GlobalOptions& options) { return import(options, *arguments); });
}

}  // namespace ledgernova::cli
