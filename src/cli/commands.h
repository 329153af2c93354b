#pragma once

#include <functional>

#include "cli/options.h"

namespace CLI {
class App;
}

namespace ledgernova::cli {

// What runs once the command line is read: the chosen command, given the global options. It
// returns the exit status (exit_status.h) or throws UsageError for a mistake in its input.
using Action = std::function<int(const GlobalOptions&)>;

// The command line as parsed: the global options and the action of the command chosen, if any.
struct Program {
    GlobalOptions options;
    Action action;
};

// Makes `action` the program's action when `command` is the one given on the command line.
void on_chosen(CLI::App& command, Program& program, Action action);

// Each command group adds its subcommands to the program's parser.
void add_init_command(CLI::App& app, Program& program);
void add_param_command(CLI::App& app, Program& program);
void add_period_command(CLI::App& app, Program& program);
void add_voucher_command(CLI::App& app, Program& program);
void add_show_command(CLI::App& app, Program& program);
void add_sql_command(CLI::App& app, Program& program);
void add_post_command(CLI::App& app, Program& program);
void add_online_command(CLI::App& app, Program& program);
void add_cancel_command(CLI::App& app, Program& program);
void add_demo_command(CLI::App& app, Program& program);
void add_export_sat_command(CLI::App& app, Program& program);
void add_print_command(CLI::App& app, Program& program);
void add_opening_command(CLI::App& app, Program& program);
void add_folios_command(CLI::App& app, Program& program);
void add_account_command(CLI::App& app, Program& program);
void add_company_command(CLI::App& app, Program& program);

}  // namespace ledgernova::cli
