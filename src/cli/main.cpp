// ledgernova: posts, checks and shows accounting vouchers in a ledger database.

#include <exception>
#include <iostream>

#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"

namespace ledgernova::cli {

void on_chosen(CLI::App& command, Program& program, Action action) {
    command.callback([&program, action = std::move(action)] { program.action = action; });
}

namespace {

int run(int argc, char** argv) {
    CLI::App app{"ledgerNova: accounting vouchers (pólizas) in a ledger database", "ledgernova"};
    Program program;
    add_global_options(app, program.options);
    add_init_command(app, program);
    add_param_command(app, program);
    add_period_command(app, program);
    add_voucher_command(app, program);
    add_show_command(app, program);
    add_sql_command(app, program);
    add_post_command(app, program);
    add_online_command(app, program);
    add_cancel_command(app, program);
    add_demo_command(app, program);
    add_export_sat_command(app, program);
    add_print_command(app, program);
    add_opening_command(app, program);
    add_folios_command(app, program);
    add_account_command(app, program);
    add_company_command(app, program);
    app.require_subcommand(0, 1);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? kExitOk : kExitUsage;  // --help is not an error
    }
    if (!program.action) {
        std::cerr << app.help();
        return kExitUsage;
    }
    return program.action(program.options);
}

}  // namespace
}  // namespace ledgernova::cli

int main(int argc, char** argv) {
    using namespace ledgernova::cli;
    try {
        return run(argc, argv);
    } catch (const UsageError& error) {
        std::cerr << "ledgernova: " << error.what() << '\n';
        return kExitUsage;
    } catch (const std::exception& error) {
        std::cerr << "ledgernova: " << error.what() << '\n';
        return kExitRefused;
    } catch (...) {
        std::cerr << "ledgernova: an unknown failure stopped the command\n";
        return kExitRefused;
    }
}
