// `ledgernova opening set|list`: the opening balances (Saldo_Inicial) from which the trial balance
// of a ledger started in the middle of a year counts, kept without writing SQL.

#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/sql_rows.h"
#include "util/decimal.h"

namespace ledgernova::cli {
namespace {

struct OpeningArguments {
    std::string company;
    int year = 0;
    int month = 0;
    std::string account;
    std::string amount;
};

util::Decimal parsed_amount(const std::string& amount) {
    try {
        return util::Decimal::parse(amount);
    } catch (const ConversionError&) {
        throw UsageError(fmt::format("the amount {} is not a number such as -1500.25", amount));
    }
}

bool in_chart(db::Connection& connection, const std::string& account) {
    return !connection
                .Execute(
                    "SELECT Cc_Cve_Cuenta_Contable FROM Cuenta_Contable WHERE "
                    "Cc_Cve_Cuenta_Contable = " +
                    sql_literal(account))
                .Eof();
}

int set_opening(const GlobalOptions& options, const OpeningArguments& arguments) {
    const util::Decimal amount = parsed_amount(arguments.amount);
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    if (!in_chart(*connection, arguments.account)) {
        std::cerr << fmt::format("ledgernova: the account {} is not in the chart of accounts\n",
                                 arguments.account);
        return kExitRefused;
    }
    upsert_row(*connection, "Saldo_Inicial",
               {{"Em_Cve_Empresa", sql_literal(arguments.company)},
                {"Cc_Cve_Cuenta_Contable", sql_literal(arguments.account)},
                {"Si_Ejercicio", sql_literal(fmt::format("{:04}", arguments.year))},
                {"Si_Periodo", sql_literal(fmt::format("{:02}", arguments.month))}},
               {{"Si_Saldo", amount.to_fixed(2)}});
    fmt::print("opening balance of {} at {:04}-{:02}, company {}: {}\n", arguments.account,
               arguments.year, arguments.month, arguments.company, amount.to_fixed(2));
    return kExitOk;
}

// "YYYY-MM ACCOUNT AMOUNT", one opening balance a line.
int list_openings(const GlobalOptions& options, const OpeningArguments& arguments) {
    const auto connection = open_ledger(options, LedgerAccess::ReadOnly);
    auto rows = connection->Execute(
        "SELECT Si_Ejercicio, Si_Periodo, Cc_Cve_Cuenta_Contable, Si_Saldo FROM Saldo_Inicial "
        "WHERE Em_Cve_Empresa = " +
        sql_literal(arguments.company) +
        " ORDER BY Si_Ejercicio, Si_Periodo, Cc_Cve_Cuenta_Contable");
    if (rows.Eof()) {
        std::cerr << fmt::format("ledgernova: company {} has no opening balances\n",
                                 arguments.company);
    }
    for (; !rows.Eof(); rows.MoveNext()) {
        fmt::print("{}-{} {} {}\n", rows.Fields(0).Value.to_text(), rows.Fields(1).Value.to_text(),
                   rows.Fields(2).Value.to_text(),
                   util::Decimal::from_variant(rows.Fields(3).Value).to_fixed(2));
    }
    return kExitOk;
}

}  // namespace

void add_opening_command(CLI::App& app, Program& program) {
    auto* opening = app.add_subcommand(
        "opening", "opening balances of accounts, for a ledger started in the middle of a year");
    opening->require_subcommand(1);
    auto arguments = std::make_shared<OpeningArguments>();

    auto* set = opening->add_subcommand(
        "set", "the balance of ACCOUNT at the start of a month, by its nature (replaces one set)");
    set->add_option("--company", arguments->company, "the company (Em_Cve_Empresa)")->required();
    set->add_option("--year", arguments->year, "the fiscal year, YYYY")
        ->required()
        ->check(CLI::Range(1, 9999));
    set->add_option("--month", arguments->month, "the month, 1 to 12")
        ->required()
        ->check(CLI::Range(1, 12));
    set->add_option("ACCOUNT", arguments->account, "the account")->required();
    set->add_option("AMOUNT", arguments->amount,
                    "positive: the balance of the account's nature (debit for D, credit for A)")
        ->required();
    on_chosen(*set, program, [arguments](const GlobalOptions& options) {
        return set_opening(options, *arguments);
    });

    auto* list = opening->add_subcommand("list", "print a company's opening balances");
    list->add_option("--company", arguments->company, "the company (Em_Cve_Empresa)")->required();
    on_chosen(*list, program, [arguments](const GlobalOptions& options) {
        return list_openings(options, *arguments);
    });
}

}  // namespace ledgernova::cli
