// `ledgernova period open|close MODULE FROM TO`: the operating periods the default host checks.

#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/dates.h"
#include "cli/exit_status.h"
#include "cli/sql_rows.h"

namespace ledgernova::cli {
namespace {

struct PeriodArguments {
    std::string module;
    std::string from;
    std::string to;
};

struct PeriodState {
    const char* command;
    const char* code;  // Es_Cve_Estado
    const char* word;
};

constexpr PeriodState kOpen{"open", "AB", "open"};
constexpr PeriodState kClosed{"close", "CE", "closed"};

// A period is known by its module and first day: opening or closing it again sets its last day
// and its state.
int set_period(const GlobalOptions& options, const PeriodArguments& period, PeriodState state) {
    if (period.from > period.to) {  // ISO days compare as text
        throw UsageError(
            fmt::format("the period ends ({}) before it starts ({})", period.to, period.from));
    }
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    upsert_row(
        *connection, "Periodo_Operativo",
        {{"Po_Modulo", sql_literal(period.module)}, {"Po_Fecha_Inicial", sql_literal(period.from)}},
        {{"Po_Fecha_Final", sql_literal(period.to)}, {"Es_Cve_Estado", sql_literal(state.code)}});
    fmt::print("period {} {} to {} {}\n", period.module, period.from, period.to, state.word);
    return kExitOk;
}

void add_state_command(CLI::App& period, Program& program, PeriodState state,
                       const std::string& description) {
    auto arguments = std::make_shared<PeriodArguments>();
    auto* command = period.add_subcommand(state.command, description);
    command->add_option("MODULE", arguments->module, "module, e.g. CONTABILIDAD")->required();
    command->add_option("FROM", arguments->from, "first day")->required()->check(day_validator());
    command->add_option("TO", arguments->to, "last day")->required()->check(day_validator());
    on_chosen(*command, program, [arguments, state](const GlobalOptions& options) {
        return set_period(options, *arguments, state);
    });
}

}  // namespace

void add_period_command(CLI::App& app, Program& program) {
    auto* period = app.add_subcommand("period", "operating periods of a module");
    period->require_subcommand(1);
    add_state_command(*period, program, kOpen, "open (or create) the period: postings allowed");
    add_state_command(*period, program, kClosed, "close the period: postings refused");
}

}  // namespace ledgernova::cli
