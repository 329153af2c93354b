// `ledgernova print FOLIO [FOLIO...] | --company C --year Y --month M [--type T] --out FILE.pdf`:
// vouchers as the printed form accountants sign and file (póliza impresa), as a PDF.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/print_selection.h"
#include "cli/printed_voucher_source.h"
#include "core/stored_voucher.h"
#include "print/pdf_file.h"

namespace ledgernova::cli {

using core::load_voucher;
namespace {

struct PrintArguments {
    std::vector<std::string> folios;
    MonthSelection month;
    std::string out;
};

// Every voucher asked for, read before anything is written, so that an unknown folio leaves no
// file behind; empty after a message when one is missing.
std::vector<print::PrintedVoucher> read_vouchers(db::Connection& connection,
                                                 const std::vector<std::string>& folios) {
    std::vector<print::PrintedVoucher> vouchers;
    for (const auto& folio : folios) {
        const auto stored = load_voucher(connection, folio);
        if (!stored) {
            std::cerr << fmt::format("ledgernova: there is no voucher with folio {}\n", folio);
            return {};
        }
        vouchers.push_back(printed_voucher(connection, *stored));
    }
    return vouchers;
}

int print_vouchers(const GlobalOptions& options, const PrintArguments& arguments) {
    if (arguments.folios.empty() && arguments.month.month == 0) {
        throw UsageError("print needs FOLIO or --company, --year and --month");
    }
    const auto connection = open_ledger(options, LedgerAccess::ReadOnly);
    std::vector<std::string> folios = arguments.folios;
    if (folios.empty()) {
        folios = month_folios(*connection, arguments.month);
        if (folios.empty()) {
            std::cerr << fmt::format("ledgernova: there are no vouchers of {}\n",
                                     describe(arguments.month));
            return kExitRefused;
        }
    }
    const auto vouchers = read_vouchers(*connection, folios);
    if (vouchers.empty()) {
        return kExitRefused;
    }
    try {
        print::write_pdf(vouchers, arguments.out);
    } catch (const print::PdfWriteError& error) {
        std::cerr << "ledgernova: " << error.what() << '\n';
        return kExitRefused;
    }
    std::cout << fmt::format("{} voucher{} printed to {}\n", vouchers.size(),
                             vouchers.size() == 1 ? "" : "s", arguments.out);
    return kExitOk;
}

void add_month_options(CLI::App& command, MonthSelection& month, CLI::Option* folios) {
    auto* company = command.add_option("--company", month.company, "the company (Em_Cve_Empresa)");
    auto* year = command.add_option("--year", month.year, "the fiscal year, YYYY");
    auto* in_month =
        command.add_option("--month", month.month, "the month, 1 to 12 (12 includes period 13)")
            ->check(CLI::Range(1, 12));
    auto* type = command
                     .add_option("--type", month.type,
                                 "only vouchers of this type: 1 income, 2 expense, 3 journal")
                     ->check(CLI::Range(1, 3));
    for (auto* option : {company, year, in_month, type}) {
        option->excludes(folios);
    }
    for (auto* option : {company, year, in_month}) {
        for (auto* other : {company, year, in_month, type}) {
            if (other != option) {
                other->needs(option);
            }
        }
    }
}

}  // namespace

void add_print_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "print", "print vouchers for signature as a PDF, by folio or a company's month");
    auto arguments = std::make_shared<PrintArguments>();
    auto* folios = command->add_option("FOLIO", arguments->folios, "the vouchers' folios");
    add_month_options(*command, arguments->month, folios);
    command->add_option("--out", arguments->out, "the PDF file to write")->required();
    on_chosen(*command, program, [arguments](const GlobalOptions& options) {
        return print_vouchers(options, *arguments);
    });
}

}  // namespace ledgernova::cli
