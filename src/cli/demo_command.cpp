// `ledgernova demo [--force]`: the whole cycle on a fresh demo ledger. Recreates the ledger with
// the demo catalogue, posts every source document for company 01 and prints each voucher, cancels
// one purchase by document, posts it again, and sums up. An existing file is replaced only when an
// earlier demo made it, or with --force.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include <fmt/format.h>
#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/demo_catalogue.h"
#include "cli/demo_ledger.h"
#include "cli/document_vouchers.h"
#include "cli/exit_status.h"
#include "cli/refusal.h"
#include "cli/source_documents.h"
#include "core/stored_voucher.h"
#include "cli/voucher_text.h"
#include "ledgernova/schema.h"

namespace ledgernova::cli {
namespace {

// Never the default ledger: a demo must not overwrite real vouchers.
constexpr const char* kDemoDatabase = "ledgernova-demo.db";
constexpr const char* kCompany = "01";
// The source table of which one document is cancelled and posted again.
constexpr const char* kCancelledTable = "Compras";

// --db when given, else the demo's own file ($LEDGERNOVA_DB is not looked at). The demo deletes
// and recreates its ledger, so it never runs on a server database.
GlobalOptions demo_options(const GlobalOptions& options) {
    if (options.connect) {
        throw UsageError("the demo recreates an SQLite ledger: give it --db PATH, not --connect");
    }
    GlobalOptions demo = options;
    if (demo.database.empty()) {
        demo.database = kDemoDatabase;
    }
    return demo;
}

// Anything at the path but an earlier demo ledger may be someone's real ledger: the demo stops
// before touching it unless the user insists.
void refuse_foreign_file(const std::string& path, bool force) {
    if (!force && std::filesystem::exists(path) && !is_demo_ledger(path)) {
        throw std::runtime_error(
            fmt::format("{} exists and was not made by the demo; it is left untouched (use "
                        "--force to replace it)",
                        path));
    }
}

// The ledger file and the files SQLite keeps beside it.
void remove_ledger(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        std::filesystem::remove(path + suffix);
    }
}

// "[3/13] posting Compras C-0002" on standard error, when that is a terminal.
class Progress {
  public:
    explicit Progress(std::size_t total) : total_(total), shown_(isatty(STDERR_FILENO) != 0) {}

    void step(const std::string& doing) {
        ++done_;
        if (shown_) {
            std::cerr << fmt::format("[{}/{}] {}\n", done_, total_, doing);
        }
    }

  private:
    std::size_t total_;
    std::size_t done_ = 0;
    bool shown_;
};

struct Tally {
    std::size_t documents = 0;
    std::size_t nothing_to_post = 0;
    std::optional<SourceDocument> to_cancel;  // the first document of kCancelledTable posted
};

void print_voucher(db::Connection& connection, const std::string& heading,
                   const LinkedVoucher& voucher) {
    fmt::print("== {}: {}\n", heading, describe(voucher));
    std::cout << render_voucher_text(*core::load_voucher(connection, voucher.folio)) << '\n';
}

// Posts the document and prints its vouchers; false, with the refusal reported, when it failed.
bool post_and_print(db::Connection& connection, Polizas& poliza, const SourceDocument& document,
                    const std::string& heading, Tally& tally) {
    const DocumentOutcome outcome =
        post_document(connection, poliza, document.table, document.key, kCompany);
    if (!outcome.done) {
        (void)refused(heading + " was not posted", outcome.error);
        return false;
    }
    for (const auto& voucher : outcome.vouchers) {
        print_voucher(connection, heading, voucher);
    }
    if (outcome.vouchers.empty()) {
        fmt::print("== {}: nothing to post for company {}\n\n", heading, kCompany);
        ++tally.nothing_to_post;
    } else if (!tally.to_cancel && document.table == kCancelledTable) {
        tally.to_cancel = document;
    }
    return true;
}

bool post_every_document(db::Connection& connection, Polizas& poliza, Tally& tally) {
    const auto documents = source_documents(connection);
    Progress progress(documents.size());
    for (const auto& document : documents) {
        const std::string heading =
            fmt::format("{} {} ({})", document.table, document.key, document.date);
        progress.step("posting " + heading);
        if (!post_and_print(connection, poliza, document, heading, tally)) {
            return false;
        }
        ++tally.documents;
    }
    return true;
}

// Cancels the document's voucher by document, then posts the document again.
bool cancel_and_post_again(db::Connection& connection, Polizas& poliza, Tally& tally) {
    const SourceDocument& document = *tally.to_cancel;
    const std::string heading = fmt::format("{} {}", document.table, document.key);
    const DocumentOutcome outcome =
        cancel_document(connection, poliza, document.table, document.key);
    if (!outcome.done) {
        (void)refused("the voucher of " + heading + " was not cancelled", outcome.error);
        return false;
    }
    for (const auto& voucher : outcome.vouchers) {
        fmt::print("== cancel --document {}: cancelled {}\n\n", heading, describe(voucher));
    }
    return post_and_print(connection, poliza, document, "post " + heading + " again", tally);
}

std::int32_t count(db::Connection& connection, const std::string& sql) {
    return connection.Execute("SELECT COUNT(*) AS N FROM " + sql).Fields("N").Value.to_long();
}

std::int32_t electronic_rows(db::Connection& connection) {
    std::int32_t rows = 0;
    for (const auto& table : core::electronic_detail_tables()) {
        rows += count(connection, table);
    }
    return rows;
}

// Vouchers whose charges and credits, to the cent, differ.
std::int32_t unbalanced_vouchers(db::Connection& connection) {
    return count(connection,
                 "(SELECT Pl_Folio FROM Poliza_Detalle GROUP BY Pl_Folio HAVING "
                 "ROUND(SUM(CASE WHEN Pd_Tipo = 1 THEN Pd_Importe ELSE 0 END) - "
                 "SUM(CASE WHEN Pd_Tipo = 2 THEN Pd_Importe ELSE 0 END), 2) <> 0)");
}

// The summary; exit status 1 when some voucher does not balance.
int print_summary(db::Connection& connection, const Tally& tally) {
    const std::int32_t unbalanced = unbalanced_vouchers(connection);
    fmt::print("Summary\n");
    fmt::print("  documents   {} posted for company {} ({} with nothing to post)\n",
               tally.documents, kCompany, tally.nothing_to_post);
    fmt::print("  vouchers    {} posted, {} cancelled\n", count(connection, "Poliza"),
               count(connection, "Poliza WHERE Es_Cve_Estado = 'CA'"));
    fmt::print("  lines       {}, with {} electronic detail rows\n",
               count(connection, "Poliza_Detalle"), electronic_rows(connection));
    fmt::print("  balance     {}\n", unbalanced == 0
                                         ? "every voucher balances: charges equal credits"
                                         : fmt::format("{} vouchers do not balance", unbalanced));
    return unbalanced == 0 ? kExitOk : kExitRefused;
}

int run_demo(const GlobalOptions& options, bool force) {
    const GlobalOptions demo = demo_options(options);
    const std::string path = database_path(demo);
    refuse_foreign_file(path, force);
    remove_ledger(path);
    const auto connection = open_ledger(demo, LedgerAccess::Create);
    create_schema(*connection);
    mark_demo_ledger(*connection);  // first, so that a demo stopped half-way is replaced next time
    load_demo_catalogue(*connection);
    fmt::print("ledgerNova demo: {} recreated with the demo catalogue\n\n", path);
    Polizas poliza;
    Tally tally;
    if (!post_every_document(*connection, poliza, tally)) {
        return kExitRefused;
    }
    if (tally.to_cancel && !cancel_and_post_again(*connection, poliza, tally)) {
        return kExitRefused;
    }
    return print_summary(*connection, tally);
}

}  // namespace

void add_demo_command(CLI::App& app, Program& program) {
    auto* command = app.add_subcommand(
        "demo",
        "recreate a demo ledger (--db, default ledgernova-demo.db), post its documents, print "
        "the vouchers, cancel one and post it again");
    auto force = std::make_shared<bool>(false);
    command->add_flag("--force", *force,
                      "replace the file even when it is not a ledger an earlier demo made");
    on_chosen(*command, program,
              [force](const GlobalOptions& options) { return run_demo(options, *force); });
}

}  // namespace ledgernova::cli
