// `ledgernova voucher --file F`: posts a manual voucher whole, balanced, or not at all.

#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/refusal.h"
#include "cli/voucher_file.h"
#include "ledgernova/polizas.h"

namespace ledgernova::cli {
namespace {

// The file's header; the date is the one Nuevo gives (the host's today) unless the file has one.
tPlEncabezado header_of(Polizas& poliza, const VoucherFile& voucher) {
    tPlEncabezado header = voucher.header;
    if (!voucher.date) {
        poliza.Nuevo();
        header.Pl_Fecha = poliza.get_Encabezado().Pl_Fecha;
    }
    return header;
}

// The whole voucher in one transaction: refused or unbalanced, nothing of it stays.
int post_voucher(const GlobalOptions& options, const std::string& path) {
    const VoucherFile voucher = read_voucher_file(path);
    const auto ledger = open_ledger(options, LedgerAccess::Existing);
    Polizas poliza;
    if (!poliza.post_voucher(header_of(poliza, voucher), voucher.lines, voucher.electronic)) {
        return refused("the voucher was not posted", poliza.get_Error());
    }
    const tPlEncabezado header = poliza.get_Encabezado();
    fmt::print("folio {} number {}\n", header.Pl_Folio, header.Pl_Numero);
    return kExitOk;
}

}  // namespace

void add_voucher_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "voucher", "post a manual voucher from a JSON file and check that it balances");
    auto path = std::make_shared<std::string>();
    command
        ->add_option("--file,-f", *path,
                     "{\"header\": {...}, \"lines\": [{..., \"electronic\": [...]}, ...]}")
        ->required();
    on_chosen(*command, program,
              [path](const GlobalOptions& options) { return post_voucher(options, *path); });
}

}  // namespace ledgernova::cli
