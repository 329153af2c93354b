// `ledgernova show FOLIO [--json]`: a voucher's header, lines and electronic detail as the ledger
// holds them.

#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "core/stored_voucher.h"
#include "cli/voucher_text.h"

namespace ledgernova::cli {
namespace {

struct ShowArguments {
    std::string folio;
    bool as_json = false;
};

int show_voucher(const GlobalOptions& options, const ShowArguments& arguments) {
    const auto connection = open_ledger(options, LedgerAccess::ReadOnly);
    const auto voucher = core::load_voucher(*connection, arguments.folio);
    if (!voucher) {
        std::cerr << fmt::format("ledgernova: there is no voucher with folio {}\n",
                                 arguments.folio);
        return kExitRefused;
    }
    std::cout << (arguments.as_json ? render_voucher_json(*voucher)
                                    : render_voucher_text(*voucher));
    return kExitOk;
}

}  // namespace

void add_show_command(CLI::App& app, Program& program) {
    auto* command =
        app.add_subcommand("show", "print a voucher's header, lines and electronic detail");
    auto arguments = std::make_shared<ShowArguments>();
    command->add_option("FOLIO", arguments->folio, "the voucher's folio")->required();
    command->add_flag("--json", arguments->as_json,
                      "as JSON: {\"header\": {...}, \"lines\": [{..., \"electronic\": [...]}]}");
    on_chosen(*command, program, [arguments](const GlobalOptions& options) {
        return show_voucher(options, *arguments);
    });
}

}  // namespace ledgernova::cli
