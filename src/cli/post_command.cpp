// `ledgernova post TABLE DOCUMENT --company C`: posts one source document under every active
// on-line template of its table.

#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/document_vouchers.h"
#include "cli/exit_status.h"
#include "cli/refusal.h"

namespace ledgernova::cli {
namespace {

struct PostArguments {
    std::string table;
    std::string document;
    std::string company;
};

// One line per voucher this call generated; when it generated none, one line per voucher already
// in force for the document ("already posted: ..."), or "nothing to post".
int post(const GlobalOptions& options, const PostArguments& arguments) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    Polizas poliza;
    const DocumentOutcome outcome =
        post_document(*connection, poliza, arguments.table, arguments.document, arguments.company);
    for (const auto& voucher : outcome.vouchers) {
        fmt::print("{}\n", describe(voucher));
    }
    if (!outcome.done) {
        return refused(fmt::format("{} {} was not posted", arguments.table, arguments.document),
                       outcome.error);
    }
    if (!outcome.vouchers.empty()) {
        return kExitOk;
    }
    for (const auto& voucher : outcome.in_force) {
        fmt::print("already posted: {}\n", describe(voucher));
    }
    if (outcome.in_force.empty()) {
        fmt::print("nothing to post\n");
    }
    return kExitOk;
}

}  // namespace

void add_post_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "post", "post a source document under every active template of its table");
    auto arguments = std::make_shared<PostArguments>();
    command->add_option("TABLE", arguments->table, "the source table, e.g. Compras")->required();
    command->add_option("DOCUMENT", arguments->document, "the document's key, e.g. C-0001")
        ->required();
    command->add_option("--company,-c", arguments->company, "the company whose documents post")
        ->required();
    on_chosen(*command, program,
              [arguments](const GlobalOptions& options) { return post(options, *arguments); });
}

}  // namespace ledgernova::cli
