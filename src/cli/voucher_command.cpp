// `ledgernova voucher --file F`: posts a manual voucher line by line and checks its balance.

#include <iostream>
#include <memory>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/voucher_file.h"
#include "ledgernova/polizas.h"

namespace ledgernova::cli {
namespace {

// Reports a member's refusal: what the program was doing, then the member's own error text.
int refused(const std::string& doing, const std::string& error) {
    std::cerr << "ledgernova: " << doing << ":\n" << error << '\n';
    return kExitRefused;
}

std::string line_refusal(std::size_t number, const std::string& folio) {
    return folio.empty() ? fmt::format("line {} was not added", number)
                         : fmt::format("line {} was not added to voucher {}", number, folio);
}

// Nuevo, then the file's header; the date stays the one Nuevo gave unless the file has one.
void start_voucher(Polizas& poliza, const VoucherFile& voucher) {
    poliza.Nuevo();
    tPlEncabezado header = voucher.header;
    if (!voucher.date) {
        header.Pl_Fecha = poliza.get_Encabezado().Pl_Fecha;
    }
    poliza.put_Encabezado(header);
}

// Adds the file's lines in order; stops at the first one refused.
int add_lines(Polizas& poliza, const VoucherFile& voucher) {
    for (std::size_t i = 0; i < voucher.lines.size(); ++i) {
        poliza.put_Detalle(voucher.lines[i]);
        if (!poliza.Add_Poliza_Detalle()) {
            return refused(line_refusal(i + 1, poliza.get_Encabezado().Pl_Folio),
                           poliza.get_Error());
        }
    }
    return kExitOk;
}

// Poliza_Balanceada sets no error for a voucher that does not balance: the message is ours.
int check_balance(Polizas& poliza) {
    const tPlEncabezado header = poliza.get_Encabezado();
    if (poliza.Poliza_Balanceada()) {
        fmt::print("folio {} number {}\n", header.Pl_Folio, header.Pl_Numero);
        return kExitOk;
    }
    if (!poliza.get_Error().empty()) {
        return refused(fmt::format("voucher {} could not be balanced", header.Pl_Folio),
                       poliza.get_Error());
    }
    std::cerr << fmt::format("ledgernova: the voucher does not balance: folio {} number {}\n",
                             header.Pl_Folio, header.Pl_Numero);
    return kExitRefused;
}

int post_voucher(const GlobalOptions& options, const std::string& path) {
    const VoucherFile voucher = read_voucher_file(path);
    const auto ledger = open_ledger(options, LedgerAccess::Existing);
    Polizas poliza;
    start_voucher(poliza, voucher);
    if (!poliza.get_Error().empty()) {  // creation and Nuevo report only through Error
        return refused("the voucher could not be started", poliza.get_Error());
    }
    const int added = add_lines(poliza, voucher);
    return added == kExitOk ? check_balance(poliza) : added;
}

}  // namespace

void add_voucher_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "voucher", "post a manual voucher from a JSON file and check that it balances");
    auto path = std::make_shared<std::string>();
    command->add_option("--file,-f", *path, "{\"header\": {...}, \"lines\": [{...}, ...]}")
        ->required();
    on_chosen(*command, program,
              [path](const GlobalOptions& options) { return post_voucher(options, *path); });
}

}  // namespace ledgernova::cli
