// `ledgernova cancel FOLIO` and `ledgernova cancel --document TABLE DOCUMENT`: cancels a voucher,
// or the voucher that covers a source document.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/document_vouchers.h"
#include "cli/exit_status.h"
#include "cli/refusal.h"

namespace ledgernova::cli {
namespace {

struct CancelArguments {
    std::string folio;
    std::vector<std::string> document;  // TABLE and DOCUMENT
};

int cancel_folio(const GlobalOptions& options, const std::string& folio) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    Polizas poliza;
    if (!poliza.Cancelar_Poliza(folio)) {
        return refused(fmt::format("voucher {} was not cancelled", folio), poliza.get_Error());
    }
    fmt::print("cancelled folio {}\n", folio);
    return kExitOk;
}

// One line per voucher cancelled, or "nothing to cancel" when no voucher in force covered it.
int cancel_by_document(const GlobalOptions& options, const std::string& table,
                       const std::string& document) {
    const auto connection = open_ledger(options, LedgerAccess::Existing);
    Polizas poliza;
    const DocumentOutcome outcome = cancel_document(*connection, poliza, table, document);
    if (!outcome.done) {
        return refused(fmt::format("the voucher of {} {} was not cancelled", table, document),
                       outcome.error);
    }
    for (const auto& voucher : outcome.vouchers) {
        fmt::print("cancelled {}\n", describe(voucher));
    }
    if (outcome.vouchers.empty()) {
        fmt::print("nothing to cancel\n");
    }
    return kExitOk;
}

int cancel(const GlobalOptions& options, const CancelArguments& arguments) {
    if (arguments.folio.empty() == arguments.document.empty()) {
        throw UsageError("cancel takes either a FOLIO or --document TABLE DOCUMENT");
    }
    return arguments.document.empty()
               ? cancel_folio(options, arguments.folio)
               : cancel_by_document(options, arguments.document[0], arguments.document[1]);
}

}  // namespace

void add_cancel_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "cancel", "cancel a voucher by folio, or the voucher that covers a source document");
    auto arguments = std::make_shared<CancelArguments>();
    auto* folio = command->add_option("FOLIO", arguments->folio, "the voucher's folio");
    command
        ->add_option("--document", arguments->document,
                     "the source table and the document's key, e.g. --document Compras C-0001")
        ->expected(2)
        ->type_name("TABLE DOCUMENT")
        ->excludes(folio);
    on_chosen(*command, program,
              [arguments](const GlobalOptions& options) { return cancel(options, *arguments); });
}

}  // namespace ledgernova::cli
