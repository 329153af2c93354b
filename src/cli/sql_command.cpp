// `ledgernova sql condition|header|detail TEMPLATE`: the statements a voucher template composes,
// so that administrators can read and try what their template produces.

#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/dates.h"
#include "cli/exit_status.h"
#include "ledgernova/polizas.h"

namespace ledgernova::cli {
namespace {

struct SqlArguments {
    std::string part;
    std::string key;
    std::string date;  // empty: today
    std::string value;
    std::string company;
};

std::string compose(Polizas& polizas, const SqlArguments& arguments, Date date) {
    const std::string condition =
        polizas.GetSQL_Condicion_General(arguments.key, arguments.company);
    if (arguments.part == "condition") {
        return condition;
    }
    if (arguments.part == "header") {
        return polizas.GetSQL_Encabezado(arguments.key, date, arguments.value, condition);
    }
    return polizas.GetSQL_Detalle(arguments.key, date, arguments.value, condition);
}

int print_statement(const GlobalOptions& options, const SqlArguments& arguments) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    Polizas polizas;
    polizas.Nuevo();  // the host's current date, for a statement without --date
    const Date date =
        arguments.date.empty() ? polizas.get_Encabezado().Pl_Fecha : *parse_day(arguments.date);
    const std::string statement = compose(polizas, arguments, date);
    std::cout << statement;
    if (!statement.empty() && !statement.ends_with('\n')) {
        std::cout << '\n';
    }
    if (!polizas.get_Error().empty()) {
        std::cerr << polizas.get_Error() << '\n';
        return kExitRefused;
    }
    if (statement.empty() && arguments.part != "condition") {
        std::cerr << fmt::format("ledgernova: template {} does not exist or has no {}\n",
                                 arguments.key, arguments.part == "header" ? "table" : "lines");
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace

void add_sql_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand("sql", "print the statement a voucher template composes");
    auto arguments = std::make_shared<SqlArguments>();
    command->add_option("PART", arguments->part, "condition, header or detail")
        ->required()
        ->check(CLI::IsMember({"condition", "header", "detail"}));
    command->add_option("TEMPLATE", arguments->key, "the template key")->required();
    command->add_option("--date", arguments->date, "the voucher date, YYYY-MM-DD (default: today)")
        ->check(day_validator());
    command->add_option("--value", arguments->value, "the document key (or day) of the voucher");
    command->add_option("--company", arguments->company, "the company put in place of <EMPRESA>");
    on_chosen(*command, program, [arguments](const GlobalOptions& options) {
        return print_statement(options, *arguments);
    });
}

}  // namespace ledgernova::cli
