// `ledgernova param set|get|list`: the host parameters of scope 0, as the default host reads them.

#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/sql_rows.h"
#include "core/stored_voucher.h"

namespace ledgernova::cli {
namespace {

struct ParamArguments {
    std::string name;
    std::string value;
};

// A stored Null reads as unset, as it does for the host.
std::optional<std::string> stored_value(db::Connection& connection, const std::string& name) {
    auto rows =
        connection.Execute("SELECT Pa_Valor FROM Parametro WHERE Pa_Nombre = " + sql_literal(name) +
                           " AND Pa_Ambito = 0");
    if (rows.Eof() || rows.Fields("Pa_Valor").Value.is_null()) {
        return std::nullopt;
    }
    return rows.Fields("Pa_Valor").Value.to_text();
}

// "NAME = VALUE", the scope added after the name when it is not 0.
std::string listing_line(const std::vector<db::Field>& fields) {
    const std::int32_t scope = fields[1].Value.to_long();
    const Variant& value = fields[2].Value;
    return fmt::format("{}{} = {}", fields[0].Value.to_text(),
                       scope == 0 ? std::string() : fmt::format(" (scope {})", scope),
                       value.is_null() ? std::string() : value.to_text());
}

int set_parameter(const GlobalOptions& options, const ParamArguments& arguments) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    upsert_row(*connection, "Parametro",
               {{"Pa_Nombre", sql_literal(arguments.name)}, {"Pa_Ambito", "0"}},
               {{"Pa_Valor", sql_literal(arguments.value)}});
    fmt::print("{} = {}\n", arguments.name, arguments.value);
    return kExitOk;
}

int get_parameter(const GlobalOptions& options, const ParamArguments& arguments) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    const auto value = stored_value(*connection, arguments.name);
    if (!value) {
        std::cerr << fmt::format("ledgernova: parameter {} is not set\n", arguments.name);
        return kExitRefused;
    }
    fmt::print("{}\n", *value);
    return kExitOk;
}

int list_parameters(const GlobalOptions& options) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    auto rows = connection->Execute(
        "SELECT Pa_Nombre, Pa_Ambito, Pa_Valor FROM Parametro ORDER BY Pa_Nombre, Pa_Ambito");
    if (rows.Eof()) {
        std::cerr << "ledgernova: no parameters are set\n";
    }
    for (; !rows.Eof(); rows.MoveNext()) {
        fmt::print("{}\n", listing_line(core::current_fields(rows)));
    }
    return kExitOk;
}

}  // namespace

void add_param_command(CLI::App& app, Program& program) {
    auto* param = app.add_subcommand(
        "param", "host parameters (set and get work on scope 0, the one the host reads)");
    param->require_subcommand(1);
    auto arguments = std::make_shared<ParamArguments>();

    auto* set = param->add_subcommand("set", "store a parameter, replacing its value");
    set->add_option("NAME", arguments->name, "parameter name")->required();
    set->add_option("VALUE", arguments->value, "its value")->required();
    on_chosen(*set, program, [arguments](const GlobalOptions& options) {
        return set_parameter(options, *arguments);
    });

    auto* get = param->add_subcommand("get", "print a parameter's value (exit 1 when not set)");
    get->add_option("NAME", arguments->name, "parameter name")->required();
    on_chosen(*get, program, [arguments](const GlobalOptions& options) {
        return get_parameter(options, *arguments);
    });

    auto* list = param->add_subcommand("list", "print every parameter as NAME = VALUE");
    on_chosen(*list, program, list_parameters);
}

}  // namespace ledgernova::cli
